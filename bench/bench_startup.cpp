// bench_startup: times two whole processes from start to exit under the same Wine, in one
// run: Corvane.exe on a fresh copy of the game with the settings of a player after the
// first run, "-skipdialog" and a command file whose only command ends the game after its
// first drawn frame; and MinimalWindow.exe, which opens one window, paints it and exits.
// Each runs once to warm the file cache, then Rounds times, alternating; the medians count.
// The last line, "ratio: N", is Corvane's median over the minimal program's.
#include "BenchGame.h"
#include <stdio.h>
#include <algorithm>
#include <vector>

namespace
{
const int Rounds = 7;
const double Limit = 60.0; // seconds before a run counts as hung

double Median(std::vector<double> Values)
{
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}
} // namespace

int main()
{
    FGameCopy Game;
    Game.SetFirstRunDone(120);
    // Commands run one per tick, before the tick draws: "exit" ends the loop after that frame.
    Game.WriteFile(L"Startup.txt", "exit\r\n");
    const std::wstring Corvane = Game.System() + L"\\Corvane.exe";
    const std::wstring Minimal = BenchDir() + L"MinimalWindow.exe";
    const std::wstring CorvaneArgs = L"-skipdialog -localdata EXEC=Startup.txt";

    std::vector<double> CorvaneTimes, MinimalTimes;
    for (int Round = 0; Round <= Rounds; Round++)
    {
        double CorvaneSeconds = 0, MinimalSeconds = 0;
        DWORD CorvaneCode = RunTimed(Corvane, CorvaneArgs, Game.System(), Limit, CorvaneSeconds);
        DWORD MinimalCode = RunTimed(Minimal, L"", BenchDir(), Limit, MinimalSeconds);
        if (CorvaneCode != 0 || MinimalCode != 0)
        {
            printf("failed: Corvane.exe exit code %lu, MinimalWindow.exe exit code %lu\n",
                   (unsigned long)CorvaneCode, (unsigned long)MinimalCode);
            return 1;
        }
        if (Round == 0)
            continue; // warming the file cache and Wine's own start
        CorvaneTimes.push_back(CorvaneSeconds);
        MinimalTimes.push_back(MinimalSeconds);
    }
    const std::string Log = Game.ReadFile(L"Corvane.log");
    if (Log.find("Exit: requested") == std::string::npos || Log.find("Log file closed") == std::string::npos)
    {
        printf("failed: the game did not run its command file to a clean end (see %ls\\Corvane.log)\n",
               Game.System().c_str());
        return 1;
    }
    const double CorvaneMedian = Median(CorvaneTimes), MinimalMedian = Median(MinimalTimes);
    printf("Corvane.exe, first frame and exit: median %.3f s (best %.3f s) of %d runs\n", CorvaneMedian,
           *std::min_element(CorvaneTimes.begin(), CorvaneTimes.end()), Rounds);
    printf("MinimalWindow.exe, one painted window: median %.3f s (best %.3f s) of %d runs\n", MinimalMedian,
           *std::min_element(MinimalTimes.begin(), MinimalTimes.end()), Rounds);
    printf("ratio: %.2f\n", CorvaneMedian / MinimalMedian);
    return 0;
}

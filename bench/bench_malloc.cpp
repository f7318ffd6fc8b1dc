// bench_malloc: replays one recorded mix of sizes and lifetimes against FMallocWindows,
// HeapAlloc/HeapFree on the process heap and malloc/free, at 1,000 to 1,000,000 live blocks,
// and prints nanoseconds per operation (one Malloc or one Free). The last line, "ratio: N",
// says how many times faster FMallocWindows is than HeapAlloc/HeapFree on the mix: the
// geometric mean over the levels, so that no single level decides it.
#include "FMallocWindows.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <math.h>
#include <algorithm>
#include <vector>

namespace
{
// Sizes as a game asks for them: mostly names, strings and small arrays, a few big buffers.
// All are pooled sizes: the pooled path is what is measured.
struct FSizeBand
{
    DWORD PerMille, Min, Max;
};
const FSizeBand SizeBands[] = {{400, 1, 32},     {300, 33, 128},    {200, 129, 512},
                               {80, 513, 2048},  {18, 2049, 8192},  {2, 8193, 32768}};

const DWORD LiveCounts[] = {1000, 10000, 100000, 1000000};
const DWORD StepCount = 1000000;
const DWORD NurserySlots = 256; // short-lived blocks live about this many steps
const DWORD LongLivedEvery = 16; // one step in this many replaces a long-lived block
const INT Rounds = 3;            // the best of these counts, against a busy machine

// A small fixed-seed generator, so that every run records the same mix.
struct FRandom
{
    UINT64 State;
    DWORD Next()
    {
        State ^= State << 13;
        State ^= State >> 7;
        State ^= State << 17;
        return DWORD(State >> 16);
    }
};

DWORD RandomSize(FRandom& Random)
{
    DWORD Pick = Random.Next() % 1000;
    for (const FSizeBand& Band : SizeBands)
    {
        if (Pick < Band.PerMille)
            return Band.Min + Random.Next() % (Band.Max - Band.Min + 1);
        Pick -= Band.PerMille;
    }
    return SizeBands[0].Min;
}

// The recorded mix: sizes for the first fill of every slot (the long-lived blocks, then the
// nursery), then steps that each free the block in a slot and allocate a new one there.
struct FStep
{
    DWORD Slot, Size;
};
struct FMix
{
    std::vector<DWORD> FillSizes;
    std::vector<FStep> Steps;
};

FMix RecordMix(DWORD Live)
{
    FRandom Random{0x9E3779B97F4A7C15ull};
    FMix Mix;
    for (DWORD i = 0; i < Live + NurserySlots; i++)
        Mix.FillSizes.push_back(RandomSize(Random));
    for (DWORD i = 0; i < StepCount; i++)
    {
        DWORD Slot = i % LongLivedEvery == 0 ? Random.Next() % Live : Live + Random.Next() % NurserySlots;
        Mix.Steps.push_back({Slot, RandomSize(Random)});
    }
    return Mix;
}

// Counts the allocator's requests to the system: pools made, directory arrays.
class FCountingMalloc : public FMallocWindows
{
public:
    DWORD SystemRequests = 0;

protected:
    void* AllocSystemMemory(SIZE_T Bytes) override
    {
        SystemRequests++;
        return FMallocWindows::AllocSystemMemory(Bytes);
    }
};

struct FPooledAllocator
{
    FMalloc* Malloc;
    void* Alloc(DWORD Size) { return Malloc->Malloc(Size, TEXT("Bench")); }
    void Free(void* Ptr) { Malloc->Free(Ptr); }
    FCountingMalloc* Counting;
    DWORD StepRequests = 0;
    void StartSteps() { StepRequests = Counting->SystemRequests; }
    void EndSteps() { StepRequests = Counting->SystemRequests - StepRequests; }
};
struct FHeapAllocator
{
    HANDLE Heap = GetProcessHeap();
    void* Alloc(DWORD Size) { return HeapAlloc(Heap, 0, Size); }
    void Free(void* Ptr) { HeapFree(Heap, 0, Ptr); }
    void StartSteps() {}
    void EndSteps() {}
};
struct FCrtAllocator
{
    void* Alloc(DWORD Size) { return malloc(Size); }
    void Free(void* Ptr) { free(Ptr); }
    void StartSteps() {}
    void EndSteps() {}
};

LONGLONG Now()
{
    LARGE_INTEGER Counter;
    QueryPerformanceCounter(&Counter);
    return Counter.QuadPart;
}

// Nanoseconds per operation of the steps; the fill and the final release are not timed.
// Every new block is written to, as its owner would.
template<class TAllocator> double Replay(TAllocator& Allocator, const FMix& Mix, std::vector<void*>& Slots)
{
    Slots.resize(Mix.FillSizes.size());
    for (size_t i = 0; i < Slots.size(); i++)
    {
        Slots[i] = Allocator.Alloc(Mix.FillSizes[i]);
        *static_cast<BYTE*>(Slots[i]) = 1;
    }
    Allocator.StartSteps();
    LONGLONG Start = Now();
    for (const FStep& Step : Mix.Steps)
    {
        Allocator.Free(Slots[Step.Slot]);
        void* Ptr = Allocator.Alloc(Step.Size);
        *static_cast<BYTE*>(Ptr) = 1;
        Slots[Step.Slot] = Ptr;
    }
    LONGLONG End = Now();
    Allocator.EndSteps();
    for (void* Ptr : Slots)
        Allocator.Free(Ptr);
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    return double(End - Start) * 1e9 / double(Frequency.QuadPart) / (2.0 * Mix.Steps.size());
}

double MeanSize()
{
    double Sum = 0;
    for (const FSizeBand& Band : SizeBands)
        Sum += Band.PerMille / 1000.0 * (Band.Min + Band.Max) / 2.0;
    return Sum;
}
} // namespace

int main()
{
    static FCountingMalloc Pooled;
    Pooled.Init();
    FPooledAllocator PooledAllocator{&Pooled, &Pooled};
    FHeapAllocator HeapAllocator;
    FCrtAllocator CrtAllocator;
    enum { POOLED, HEAP, CRT, KINDS };
    const char* Names[KINDS] = {"FMallocWindows", "HeapAlloc", "malloc"};
    const INT Levels = ARRAY_COUNT(LiveCounts);
    double Best[Levels][KINDS];
    DWORD SystemRequests[Levels];

    printf("Mix: %lu steps per level, each one Free and one Malloc; sizes 1 to 32768 bytes, mean %.0f;\n"
           "one step in %lu replaces a long-lived block, the others one of %lu short-lived blocks.\n",
           StepCount, MeanSize(), LongLivedEvery, NurserySlots);
    std::vector<void*> Slots;
    for (INT Level = 0; Level < Levels; Level++)
    {
        FMix Mix = RecordMix(LiveCounts[Level]);
        for (INT Round = 0; Round < Rounds; Round++)
        {
            double Times[KINDS] = {Replay(PooledAllocator, Mix, Slots), Replay(HeapAllocator, Mix, Slots),
                                   Replay(CrtAllocator, Mix, Slots)};
            for (INT Kind = 0; Kind < KINDS; Kind++)
                if (Round == 0 || Times[Kind] < Best[Level][Kind])
                    Best[Level][Kind] = Times[Kind];
        }
        SystemRequests[Level] = PooledAllocator.StepRequests;
    }

    printf("\nns per operation (best of %i); pools: system requests of FMallocWindows per 1000 operations\n"
           "%12s", Rounds, "live blocks");
    for (const char* Name : Names)
        printf(" %15s", Name);
    printf(" %8s %15s %12s\n", "pools", "x vs HeapAlloc", "x vs malloc");
    double LogRatios[KINDS] = {0, 0, 0};
    double Fastest = Best[0][POOLED], Slowest = Best[0][POOLED];
    for (INT Level = 0; Level < Levels; Level++)
    {
        printf("%12lu", LiveCounts[Level]);
        for (INT Kind = 0; Kind < KINDS; Kind++)
        {
            printf(" %15.1f", Best[Level][Kind]);
            LogRatios[Kind] += log(Best[Level][Kind] / Best[Level][POOLED]) / Levels;
        }
        printf(" %8.2f %15.2f %12.2f\n", SystemRequests[Level] * 1000.0 / (2.0 * StepCount),
               Best[Level][HEAP] / Best[Level][POOLED], Best[Level][CRT] / Best[Level][POOLED]);
        Fastest = std::min(Fastest, Best[Level][POOLED]);
        Slowest = std::max(Slowest, Best[Level][POOLED]);
    }
    printf("\nFMallocWindows from %lu to %lu live blocks: the slowest level costs %.0f %% more than the fastest.\n",
           LiveCounts[0], LiveCounts[Levels - 1], (Slowest / Fastest - 1.0) * 100.0);
    printf("Geometric mean over the levels: %.2f times faster than malloc/free;\n"
           "the ratio below is the same against HeapAlloc/HeapFree.\n", exp(LogRatios[CRT]));
    printf("ratio: %.2f\n", exp(LogRatios[HEAP]));
    return 0;
}

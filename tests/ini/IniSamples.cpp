// IniSamples.cpp: sample ini texts for the ini tests.
#include "IniSamples.h"

namespace
{
std::wstring SampleValue(int Section, int Key, bool Wide)
{
    const std::wstring Values[] = {std::to_wstring(Section * 100 + Key), Key % 2 ? L"True" : L"false",
                                   L"..\\Maps\\*.unr", L"text with blanks = and an equals sign", L"",
                                   Wide ? L"\x03A9 \x4E2D" : L"caf\x00E9", L"  padded  "};
    return Values[Key % 7];
}
} // namespace

std::wstring SampleIni(bool Wide)
{
    std::wstring Text;
    for (int Section = 0; Section < 30; Section++)
    {
        Text += L"[Section" + std::to_wstring(Section) + L"]\r\n";
        if (Section % 11 != 10) // a few sections stay empty
        {
            for (int Key = 0; Key < 12; Key++)
                Text += L"Key" + std::to_wstring(Key) + L"=" + SampleValue(Section, Key, Wide) + L"\r\n";
            Text += L"Paths=..\\System\\*.u\r\n Spaced Key =1\r\nPaths=..\\Textures\\*.utx\r\n";
        }
        Text += L"\r\n";
    }
    return Text;
}

std::string EncodeIni(const std::wstring& Text)
{
    bool Wide = false;
    for (wchar_t C : Text)
        Wide = Wide || C > 255;
    std::string Bytes = Wide ? "\xFF\xFE" : "";
    for (wchar_t C : Text)
    {
        Bytes += char(C & 0xFF);
        if (Wide)
            Bytes += char(C >> 8);
    }
    return Bytes;
}

std::wstring Uncanonical(const std::wstring& Canonical)
{
    static const wchar_t* const Ends[] = {L"\n", L"\r", L"\n\r", L"\r\n", L"\r\n\r\n\n"};
    std::wstring Text = L"stray line=before any header\n";
    size_t Count = 0;
    for (size_t At = 0; At < Canonical.size();)
    {
        size_t End = Canonical.find(L"\r\n", At);
        std::wstring Line = Canonical.substr(At, End - At);
        At = End + 2;
        if (Line.empty())
            continue;
        size_t Equals = Line.find(L'=');
        if (Line[0] != L'[' && Equals != std::wstring::npos && Count % 2)
            Line = Line.substr(0, Equals + 1) + L"\"" + Line.substr(Equals + 1) + L"\"";
        Text += Line + Ends[Count++ % 5];
    }
    return Text;
}

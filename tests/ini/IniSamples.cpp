// IniSamples.cpp: a sample ini text for the ini tests.
#include "IniSamples.h"

std::wstring SampleIni(bool Wide)
{
    std::wstring Text;
    for (int Section = 0; Section < 30; Section++)
    {
        Text += L"[Section" + std::to_wstring(Section) + L"]\r\n";
        for (int Key = 0; Key < 12 && Section % 11 != 10; Key++) // a few sections stay empty
        {
            const std::wstring Values[] = {std::to_wstring(Section * 100 + Key), Key % 2 ? L"True" : L"false",
                                           L"..\\Maps\\*.unr", L"text with blanks = and an equals sign", L"",
                                           Wide ? L"\x03A9 \x4E2D" : L"caf\x00E9", L"  padded  "};
            Text += L"Key" + std::to_wstring(Key) + L"=" + Values[Key % 7] + L"\r\n";
        }
        if (Section % 11 != 10)
            Text += L"Paths=..\\System\\*.u\r\n Spaced Key =1\r\nPaths=..\\Textures\\*.utx\r\n";
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

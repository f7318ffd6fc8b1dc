// IniSamples.h: a realistic ini file of a few hundred keys and its bytes on disk.
#pragma once
#include <string>

// In canonical form: CR LF ends, each section's header, its pairs and one blank line. Wide
// samples hold characters above 255, so they are stored as UTF-16.
std::wstring SampleIni(bool Wide);
// The bytes of a text as the core stores it: 8-bit, or UTF-16 LE with a byte-order mark.
std::string EncodeIni(const std::wstring& Text);

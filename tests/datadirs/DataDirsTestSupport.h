// DataDirsTestSupport.h: a game installation in a temporary folder (Temp is its root, its
// System folder the current one) with the engine's configuration over it, as the program
// has it after start-up.
#pragma once
#include "TestFiles.h"

using FTexts = std::vector<std::string>;

class FDataDirsTest : public FTempFolderTest
{
protected:
    FDataDirsTest();
    // Writes the system ini (Corvane.ini) and default.ini ("": none) anew and drops the
    // cached copies.
    void WriteInis(const std::string& SystemIni, const std::string& DefaultIni);
};

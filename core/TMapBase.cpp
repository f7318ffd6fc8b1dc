// TMapBase.cpp: the key hash of the configuration cache's maps.
#include "TMapBase.h"

DWORD HashKeyNoCase(const TCHAR* Key)
{
    DWORD Hash = 0;
    for (; *Key; Key++)
    {
        DWORD Char = DWORD(appToUpper(*Key)) & 0xFFFF;
        Hash = (Hash >> 8) ^ GCRCTable[(Hash ^ (Char & 0xFF)) & 0xFF];
        Hash = (Hash >> 8) ^ GCRCTable[(Hash ^ (Char >> 8)) & 0xFF];
    }
    return Hash;
}

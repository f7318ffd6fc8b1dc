// Conversion.cpp: between wide text and the system's 8-bit code page.
#include "CoreInternal.h"

ANSICHAR* winToANSI(ANSICHAR* Dest, const TCHAR* Src, INT Count)
{
    if (Count <= 0)
        return Dest;
    if (!WideCharToMultiByte(CP_ACP, 0, Src, -1, Dest, Count, NULL, NULL))
    {
        // Too long for the buffer: keep what fits, character by character.
        INT i = 0;
        for (; i < Count - 1 && Src[i]; i++)
            Dest[i] = Src[i] < 0x80 ? ANSICHAR(Src[i]) : '?';
        Dest[i] = 0;
    }
    return Dest;
}

TCHAR* winToUNICODE(TCHAR* Dest, const ANSICHAR* Src, INT Count)
{
    if (Count <= 0)
        return Dest;
    if (!MultiByteToWideChar(CP_ACP, 0, Src, -1, Dest, Count))
    {
        INT i = 0;
        for (; i < Count - 1 && Src[i]; i++)
            Dest[i] = TCHAR(BYTE(Src[i]));
        Dest[i] = 0;
    }
    return Dest;
}

INT winGetSizeANSI(const TCHAR* Src) { return WideCharToMultiByte(CP_ACP, 0, Src, -1, NULL, 0, NULL, NULL); }

const TCHAR* appFromAnsi(const ANSICHAR* Src)
{
    INT Size;
    TCHAR* Buffer = appNextStaticBuffer(Size);
    return winToUNICODE(Buffer, Src, Size);
}

const ANSICHAR* appToAnsi(const TCHAR* Src)
{
    static ANSICHAR Buffers[8][1024];
    static INT Next = 0;
    Next = (Next + 1) % ARRAY_COUNT(Buffers);
    return winToANSI(Buffers[Next], Src, ARRAY_COUNT(Buffers[0]));
}

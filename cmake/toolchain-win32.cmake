# Cross compilation to 32-bit Windows, the shipping build. Its programs run under the 64-bit
# Wine in its WoW64 mode (tools/fetch-wine32 fetches the 32-bit libraries that mode needs).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CORVANE_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)

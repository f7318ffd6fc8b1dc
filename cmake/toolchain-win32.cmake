# Cross compilation to 32-bit Windows, the shipping build. Its programs are built and linked
# here, never run: this machine refuses 32-bit executables.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CORVANE_TRIPLE i686-w64-mingw32)
set(CORVANE_RUNS_UNDER_WINE OFF)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)

# Cross compilation to 32-bit Windows (the shipping build) with MinGW-w64, posix threads.
# Its programs are built and linked here, never run: this machine refuses 32-bit executables.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CORVANE_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CORVANE_RUNS_UNDER_WINE OFF)

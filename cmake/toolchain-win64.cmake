# Cross compilation to 64-bit Windows with MinGW-w64 (posix threads, which GoogleTest needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CORVANE_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The only build that runs here: CTest starts its programs under Wine.
set(CORVANE_RUNS_UNDER_WINE ON)

# Shared part of the two toolchains: MinGW-w64 with posix threads (GoogleTest needs
# std::mutex), for the triple the including toolchain sets in CORVANE_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${CORVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

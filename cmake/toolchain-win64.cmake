# Cross compilation to 64-bit Windows: the build that runs here, under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CORVANE_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)

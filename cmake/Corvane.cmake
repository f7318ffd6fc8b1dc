# Build rules shared by every target: language level, warnings, one shared C++ runtime.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# tools/wine-env reads the architecture from the cache: 32-bit programs need Wine's WoW64 libraries.
set(CORVANE_ARCH ${CMAKE_SYSTEM_PROCESSOR} CACHE INTERNAL "")

option(CORVANE_WERROR "Treat compiler warnings as errors" ON)

# Warnings and defines for our own code (GoogleTest keeps its own flags).
add_library(corvane_options INTERFACE)
target_compile_options(corvane_options INTERFACE
    -Wall -Wextra
    # Assertions report paths relative to the source tree.
    -fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=
    $<$<BOOL:${CORVANE_WERROR}>:-Werror>)
target_compile_definitions(corvane_options INTERFACE UNICODE _UNICODE NOMINMAX STRSAFE_NO_DEPRECATE)
# Exceptions cross module boundaries, so every module shares one libgcc and one libstdc++.
target_link_options(corvane_options INTERFACE -shared-libgcc)

# The C++ runtime DLLs every module needs, copied beside the executables.
function(corvane_stage_runtime Dir)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
        set(Libgcc libgcc_s_seh-1.dll)
    else()
        set(Libgcc libgcc_s_dw2-1.dll)
    endif()
    foreach(Dll libstdc++-6.dll ${Libgcc} libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${Dll}
                        OUTPUT_VARIABLE Path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT EXISTS "${Path}")
            message(FATAL_ERROR "C++ runtime ${Dll} not found (asked ${CMAKE_CXX_COMPILER})")
        endif()
        file(COPY ${Path} DESTINATION ${Dir})
    endforeach()
endfunction()

# Cross-compiling for Windows with mingw-w64 (posix thread model): a 32-bit
# x86 program, as Jw_cad is, for Windows 7 and later. CTest runs the Windows
# test programs under 32-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Doubles in SSE2 registers round every result once, exactly as the native
# x86-64 build does (x87 doubles would round twice); long double stays the
# 80-bit x87 type. Windows may call back into a 32-bit program (window
# procedures, hooks, thread starts) with the stack aligned to 4 bytes only,
# so every function that needs more realigns it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
# Static runtime: the program imports only system DLLs. No time stamp in the
# PE header, so that a build is reproducible; subsystem 6.1 is Windows 7.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp -Wl,--major-subsystem-version,6,--minor-subsystem-version,1")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)

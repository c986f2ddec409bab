# Cross-compiling for Windows with mingw-w64: a 32-bit x86 program, as
# Jw_cad is, for Windows 7 and later. The shipped build.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(t482_mingw_triple i686-w64-mingw32)
# Doubles in SSE2 registers round every result once, exactly as the native
# x86-64 build does (x87 doubles would round twice); long double stays the
# 80-bit x87 type. Windows may call back into a 32-bit program (window
# procedures, hooks, thread starts) with the stack aligned to 4 bytes only,
# so every function that needs more realigns it.
set(t482_mingw_flags "-msse2 -mfpmath=sse -mstackrealign")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

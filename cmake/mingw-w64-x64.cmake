# Cross-compiling for 64-bit Windows with mingw-w64: the same sources as the
# shipped 32-bit program, for machines that run no 32-bit code (their tests
# run under wine64). Doubles are SSE2 and the stack 16-byte aligned there by
# the ABI; long double is the same 80-bit x87 type.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(t482_mingw_triple x86_64-w64-mingw32)
set(t482_mingw_flags "")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

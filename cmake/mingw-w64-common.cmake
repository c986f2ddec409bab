# What the two mingw-w64 toolchain files share (posix thread model, static
# runtime, Windows 7 and later). The including file names its compilers'
# prefix (t482_mingw_triple) and its own code generation flags
# (t482_mingw_flags) first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${t482_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${t482_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${t482_mingw_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${t482_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_C_FLAGS_INIT "${t482_mingw_flags}")
set(CMAKE_CXX_FLAGS_INIT "${t482_mingw_flags}")
# Static runtime: the program imports only system DLLs. No time stamp in the
# PE header, so that a build is reproducible; subsystem 6.1 is Windows 7.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp -Wl,--major-subsystem-version,6,--minor-subsystem-version,1")
# CTest runs the Windows test programs under Wine; wine-run.sh picks the
# loader that matches each program (wine for 32-bit, wine64 for 64-bit).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)

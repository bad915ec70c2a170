# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64), in its
# variant with POSIX threads, which is the one whose C++ library has std::thread and friends:
#
#     cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The tests then run under Wine, which CTest puts in front of every test program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KODVIK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KODVIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KODVIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KODVIK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KODVIK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# What MinGW-w64 offers against memory faults, as Debian's flags ask on Linux: a stack protector and
# checked copies. Both come from GCC's libssp, which the driver links for -fstack-protector-strong;
# ld marks the program for ASLR with high entropy and DEP by default.
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
# One self-contained .exe: the C and C++ runtimes, winpthreads and libssp go into it, so no MinGW
# DLL has to lie beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -fstack-protector-strong")

find_program(KODVIK_WINE wine)
if(KODVIK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KODVIK_WINE})
endif()

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

# One self-contained .exe: the C and C++ runtimes and winpthreads go into it, so no MinGW DLL
# has to lie beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(KODVIK_WINE wine)
if(KODVIK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KODVIK_WINE})
endif()

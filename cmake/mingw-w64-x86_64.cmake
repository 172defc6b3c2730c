# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix-threads GCC, whose libstdc++ has std::thread).
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=<libraries built for Windows> ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(STAR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${STAR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${STAR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${STAR_MINGW_TRIPLE}-windres)

# Headers, libraries and CMake packages come only from the MinGW sysroot and the prefixes given for this target,
# never from the Linux host; programs (code generators, pkg-config) are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${STAR_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows has none of MinGW's runtime DLLs (libgcc_s_seh-1, libstdc++-6, libwinpthread-1): programs and DLLs built
# here carry those runtimes inside. (HarfBuzz is C++, so SDL2_ttf.dll would otherwise need all three.)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

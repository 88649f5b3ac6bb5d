# Cross-compiling for Windows with Debian's MinGW-w64 (posix threads); tests run under Wine.
# Included by the toolchain file of each architecture, which names the target triplet and the
# Wine loaders for it first.
# The posix compilers are the ones that build GoogleTest; the release code uses no threads, so
# it comes out the same as with the win32 ones.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVANE_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The architecture's own loader where Debian keeps it: the wine script would start the 32-bit
# loader first even for a 64-bit program, which costs seconds where 32-bit code is emulated.
find_program(MORVANE_WINE NAMES ${MORVANE_WINE_LOADERS} wine HINTS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVANE_WINE})

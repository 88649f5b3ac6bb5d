# 32-bit Windows: the editor that games' users run, on every Windows from XP on.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MORVANE_MINGW_TRIPLET i686-w64-mingw32)
set(MORVANE_WINE_LOADERS wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Initial cache of the bench's build trees (cmake -C): the Windows programs built as a release
# would be (small code, no exceptions or RTTI, unused sections dropped, stripped), the host
# parse at -O2. No tests.
set(CMAKE_CXX_FLAGS_MINSIZEREL
    "-Os -DNDEBUG -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections" CACHE STRING "")
set(CMAKE_C_FLAGS_MINSIZEREL "-Os -DNDEBUG -ffunction-sections -fdata-sections" CACHE STRING "")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL "-Wl,--gc-sections -s" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(MORVANE_TESTS OFF CACHE BOOL "")
set(MORVANE_BENCH ON CACHE BOOL "")

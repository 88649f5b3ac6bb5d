# Initial cache of the bench's build trees (cmake -C): no tests, the bench programs on. The
# Windows tree builds the product with its release flags as every Windows tree does (see
# release.cmake), and bench.cmake gives the floor programs the same; the host parse runs at -O2.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(MORVANE_TESTS OFF CACHE BOOL "")
set(MORVANE_BENCH ON CACHE BOOL "")

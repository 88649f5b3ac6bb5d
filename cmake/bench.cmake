# The bench (make bench): the floor programs the editor is measured against, and the programs
# that measure. Not part of make test.
if(WIN32)
  add_library(bench_floor STATIC bench/floor.cpp tests/common/window_reference.cpp)
  target_link_libraries(bench_floor PUBLIC user32 gdi32)

  add_executable(floor-window WIN32 bench/floor_main.cpp)
  target_link_libraries(floor-window PRIVATE bench_floor)

  add_executable(click-bench bench/click_bench.cpp bench/control_description.cpp)
  target_link_libraries(click-bench PRIVATE morvane_win bench_floor)

  add_executable(startup-bench bench/startup_bench.cpp bench/control_description.cpp)
  target_link_libraries(startup-bench PRIVATE user32)

  set(bench_targets bench_floor floor-window click-bench startup-bench)
  # Built as the editor is, so neither side of a ratio is favoured by its flags.
  foreach(target ${bench_targets})
    morvane_release_code(${target})
  endforeach()
  if(MINGW)
    target_link_options(floor-window PRIVATE -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
  endif()
else()
  add_executable(parse-bench bench/parse_bench.cpp)
  target_link_libraries(parse-bench PRIVATE morvane_core)
  set(bench_targets parse-bench)
endif()

foreach(target ${bench_targets})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  morvane_warnings(${target})
endforeach()

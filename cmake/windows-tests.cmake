# Tests of the Windows build, run under Wine: real files, real controls, the real editor. The
# Wine environment, the display and the prefixes come from the test script (scripts/wine.sh).
set(MORVANE_WINE_PLAIN "${CMAKE_BINARY_DIR}/wine/plain" CACHE PATH "Wine prefix: plain X display")
set(MORVANE_WINE_DESKTOP "${CMAKE_BINARY_DIR}/wine/desktop" CACHE PATH "Wine prefix: virtual desktop")
set(MORVANE_WINE_CONTRAST "${CMAKE_BINARY_DIR}/wine/contrast" CACHE PATH
  "Wine prefix: plain X display, high-contrast colour scheme")
option(MORVANE_TEST_CASES "One CTest test per test case; off: one per test program" ON)

# Registers a GoogleTest program's cases as tests named <prefix><layer>.<Suite>.<Case>, or the
# whole program as one test <prefix><layer>: where 32-bit programs run under an emulator, each
# process start costs seconds, and one start per case would multiply them. The program's output
# names the failed cases either way.
function(morvane_gtest_layer target layer case_timeout)
  if(MORVANE_TEST_CASES)
    gtest_discover_tests(${target}
      TEST_PREFIX "${MORVANE_TEST_PREFIX}${layer}."
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${case_timeout} ${ARGN})
  else()
    add_test(NAME ${MORVANE_TEST_PREFIX}${layer} COMMAND ${target})
    set_tests_properties(${MORVANE_TEST_PREFIX}${layer} PROPERTIES TIMEOUT 1200 ${ARGN})
  endif()
endfunction()

add_executable(win_tests
  tests/win/reader_win_test.cpp
  tests/win/shell_win_test.cpp
  tests/win/hostile_files_win_test.cpp
  tests/win/controls_win_test.cpp
  tests/win/dpi_win_test.cpp
  tests/win/exchange_win_test.cpp
  tests/win/writer_win_test.cpp
  tests/win/window_win_test.cpp
  tests/win/scheme_win_test.cpp
  tests/win/accessible_names_win_test.cpp
  tests/win/client_picture.cpp
  tests/win/editor_fixture.cpp
  tests/win/import_patch.cpp
  tests/win/message_watch.cpp
  tests/win/test_support.cpp
  tests/common/expected_file.cpp
  tests/common/window_reference.cpp)
# uuid before oleacc: MinGW's oleacc import library names IID_IAccessible too, as a function.
target_link_libraries(win_tests PRIVATE morvane_win gtest_main version uuid oleacc ole32 oleaut32)
# Wine reaches the Unix file system through drive Z:.
target_compile_definitions(win_tests PRIVATE
  "MORVANE_EDITOR_PATH=\"Z:$<TARGET_FILE:morvane-settings>\""
  MORVANE_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  MORVANE_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  MORVANE_VERSION_PATCH=${PROJECT_VERSION_PATCH})
add_dependencies(win_tests morvane-settings)
target_include_directories(win_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
morvane_warnings(win_tests)
morvane_gtest_layer(win_tests win 1500 ENVIRONMENT "WINEPREFIX=${MORVANE_WINE_PLAIN}")

# The probe and the start-up that relies on it, against two displays: plain Xvfb offers no
# 800 x 600 mode; a Wine virtual desktop offers it at 60 Hz, so one step. Each needs a prefix of
# its own.
add_executable(probe_tests tests/win/probe_win_test.cpp tests/win/test_support.cpp
  tests/common/expected_file.cpp)
target_link_libraries(probe_tests PRIVATE morvane_win gtest_main)
target_include_directories(probe_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
morvane_warnings(probe_tests)
foreach(display plain desktop)
  if(display STREQUAL "plain")
    set(steps 0)
    set(prefix ${MORVANE_WINE_PLAIN})
  else()
    set(steps 1)
    set(prefix ${MORVANE_WINE_DESKTOP})
  endif()
  set(test ${MORVANE_TEST_PREFIX}win.RefreshProbe.${display}Display)
  add_test(NAME ${test} COMMAND ${MORVANE_WINE} $<TARGET_FILE:probe_tests>)
  set_tests_properties(${test} PROPERTIES ENVIRONMENT
    "WINEPREFIX=${prefix};MORVANE_EXPECTED_REFRESH_STEPS=${steps}")
endforeach()
include(cmake/e2e.cmake)

# The long-session soak: a separate command (make soak), not a test; it prints its figures.
add_executable(soak tests/soak/soak_main.cpp tests/common/window_reference.cpp)
target_link_libraries(soak PRIVATE morvane_win psapi)
target_include_directories(soak PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
morvane_warnings(soak)

# The README's first command as a newcomer meets it, on the editor users run: make run in a fresh
# copy of the sources, with no build and no Wine prefix, then with a WINEPREFIX of the caller's
# that does not exist yet (tests/run/make_run_test.sh).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(test ${MORVANE_TEST_PREFIX}run.MakeRunOnAFreshCloneAndANewPrefix)
  add_test(NAME ${test} COMMAND bash ${PROJECT_SOURCE_DIR}/tests/run/make_run_test.sh
                                     ${CMAKE_BINARY_DIR}/make-run-test)
  set_tests_properties(${test} PROPERTIES RUN_SERIAL TRUE TIMEOUT 2700)
endif()

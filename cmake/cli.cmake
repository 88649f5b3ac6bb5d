# morvane-config: a native program on the host, a console program on Windows; its tests run the
# real binary on real files.
add_library(morvane_cli STATIC
  cli/option_names.cpp
  cli/canonical_check.cpp
  cli/commands.cpp
  cli/file_access.cpp
  cli/print.cpp
  cli/escaped_name.cpp)
target_link_libraries(morvane_cli PUBLIC morvane_core)
target_compile_definitions(morvane_cli PRIVATE MORVANE_VERSION="${PROJECT_VERSION}")
morvane_warnings(morvane_cli)

if(WIN32)
  # The console program shares the editor's Win32 read, safe replace and display's modes. Its
  # entry point is wmain, for arguments in any script.
  add_executable(morvane-config cli/main.cpp cli/console_win.cpp cli/file_access_win.cpp
    cli/file_lock_win.cpp cli/offered_rates_win.cpp)
  target_link_libraries(morvane-config PRIVATE morvane_settings_win)
  target_link_options(morvane-config PRIVATE -municode)
else()
  add_executable(morvane-config cli/main.cpp cli/file_access_posix.cpp cli/offered_rates_posix.cpp)
endif()
target_link_libraries(morvane-config PRIVATE morvane_cli)
morvane_warnings(morvane-config)
if(WIN32)
  # Shipped beside the editor, under the same rules.
  morvane_release_code(morvane_cli)
  morvane_release_program(morvane-config "Morvane settings from the command line")
endif()

if(NOT MORVANE_TESTS)
  return()
endif()

if(WIN32 AND MORVANE_E2E_DRIVER)
  # The 64-bit tree's test program drives this tree's console program, as its end-to-end tests
  # are driven: where 32-bit programs run under an emulator, only the program under test is then
  # emulated (an emulated 32-bit test program crashed in Wine's client, never the console
  # program).
  get_filename_component(driver_directory ${MORVANE_E2E_DRIVER} DIRECTORY)
  set(test ${MORVANE_TEST_PREFIX}win.CliCommandLines)
  add_test(NAME ${test} COMMAND ${MORVANE_DRIVER_WINE} ${driver_directory}/cli_win_tests.exe)
  set_tests_properties(${test} PROPERTIES TIMEOUT 900 ENVIRONMENT
    "WINEPREFIX=${MORVANE_WINE_PLAIN};MORVANE_CONFIG_PATH=Z:$<TARGET_FILE:morvane-config>")
elseif(WIN32)
  # The Windows program runs the host's table of command lines under Wine.
  add_executable(cli_win_tests
    tests/cli/cli_cases.cpp
    tests/cli/win_sandbox.cpp
    tests/cli/cli_win_test.cpp
    tests/cli/cli_win_writers_test.cpp
    cli/file_lock_win.cpp
    cli/offered_rates_win.cpp
    tests/win/console_run.cpp
    tests/win/test_support.cpp
    tests/common/expected_file.cpp)
  target_link_libraries(cli_win_tests PRIVATE morvane_cli morvane_settings_win gtest_main)
  target_include_directories(cli_win_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(cli_win_tests PRIVATE
    "MORVANE_CONFIG_PATH=\"Z:$<TARGET_FILE:morvane-config>\"" MORVANE_VERSION="${PROJECT_VERSION}")
  add_dependencies(cli_win_tests morvane-config)
  morvane_warnings(cli_win_tests)
  # One run for the whole table: a start of the test program under Wine costs more than a case.
  set(test ${MORVANE_TEST_PREFIX}win.CliCommandLines)
  add_test(NAME ${test} COMMAND ${MORVANE_WINE} $<TARGET_FILE:cli_win_tests>)
  set_tests_properties(${test} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${MORVANE_WINE_PLAIN}" TIMEOUT 600)
else()
  add_executable(cli_tests
    tests/cli/names_test.cpp
    tests/cli/check_test.cpp
    tests/cli/cli_cases.cpp
    tests/cli/posix_sandbox.cpp
    tests/cli/cli_host_test.cpp
    tests/cli/writers_test.cpp
    tests/common/expected_file.cpp)
  target_link_libraries(cli_tests PRIVATE morvane_cli gtest_main)
  target_include_directories(cli_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(cli_tests PRIVATE
    "MORVANE_CONFIG_PATH=\"$<TARGET_FILE:morvane-config>\"" MORVANE_VERSION="${PROJECT_VERSION}")
  add_dependencies(cli_tests morvane-config)
  morvane_warnings(cli_tests)
  gtest_discover_tests(cli_tests TEST_PREFIX "${MORVANE_TEST_PREFIX}")
endif()

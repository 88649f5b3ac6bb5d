# End-to-end tests: a driver program under Wine starts the real editor and gives it real input.
# The screenshots land beside the build; the test script turns them into the README's pictures.
set(MORVANE_SCREENSHOT_DIR "${CMAKE_BINARY_DIR}/screenshots")
file(MAKE_DIRECTORY "${MORVANE_SCREENSHOT_DIR}")

# The look in a high-contrast scheme: the scheme cases again, in the prefix of that scheme.
set(contrast_filter "--gtest_filter=*SchemeLookTest*")

# The driver need not share the editor's architecture. Given another tree's driver (the 64-bit
# one), this tree's editor is driven by it: where 32-bit programs run under an emulator, only the
# editor is then emulated, and the driver's waits and reads stay quick.
set(MORVANE_E2E_DRIVER "" CACHE FILEPATH "Another tree's e2e_tests.exe to drive this editor")
if(MORVANE_E2E_DRIVER)
  find_program(MORVANE_DRIVER_WINE NAMES wine64 wine HINTS /usr/lib/wine REQUIRED)
  add_test(NAME ${MORVANE_TEST_PREFIX}e2e COMMAND ${MORVANE_DRIVER_WINE} ${MORVANE_E2E_DRIVER})
  set(driver_environment "WINEPREFIX=${MORVANE_WINE_PLAIN}"
    "MORVANE_EDITOR_PATH=Z:$<TARGET_FILE:morvane-settings>"
    "MORVANE_CONFIG_PATH=Z:$<TARGET_FILE:morvane-config>"
    "MORVANE_SCREENSHOT_DIR=Z:${MORVANE_SCREENSHOT_DIR}")
  set_tests_properties(${MORVANE_TEST_PREFIX}e2e PROPERTIES RUN_SERIAL TRUE TIMEOUT 1200
    ENVIRONMENT "${driver_environment}")
  add_test(NAME ${MORVANE_TEST_PREFIX}e2e.contrast
           COMMAND ${MORVANE_DRIVER_WINE} ${MORVANE_E2E_DRIVER} ${contrast_filter})
  list(TRANSFORM driver_environment REPLACE "^WINEPREFIX=.*" "WINEPREFIX=${MORVANE_WINE_CONTRAST}")
  set_tests_properties(${MORVANE_TEST_PREFIX}e2e.contrast PROPERTIES RUN_SERIAL TRUE TIMEOUT 600
    ENVIRONMENT "${driver_environment};MORVANE_SCHEME=contrast")
  return()
endif()

add_executable(e2e_tests
  tests/e2e/driver.cpp
  tests/e2e/editor_session.cpp
  tests/e2e/editor_e2e_test.cpp
  tests/e2e/editing_e2e_test.cpp
  tests/e2e/faults_e2e_test.cpp
  tests/e2e/config_e2e_test.cpp
  tests/e2e/screen_reader_e2e_test.cpp
  tests/win/console_run.cpp
  tests/win/test_support.cpp
  tests/common/expected_file.cpp
  tests/common/window_reference.cpp)
# A screen reader's calls: the interfaces' identities, oleacc and the COM it runs on. uuid comes
# first: MinGW's oleacc import library names IID_IAccessible too, as a function.
target_link_libraries(e2e_tests PRIVATE gtest_main user32 gdi32 uuid oleacc ole32 oleaut32)
target_include_directories(e2e_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
# Wine reaches the Unix file system through drive Z:.
target_compile_definitions(e2e_tests PRIVATE
  "MORVANE_EDITOR_PATH=\"Z:$<TARGET_FILE:morvane-settings>\""
  "MORVANE_CONFIG_PATH=\"Z:$<TARGET_FILE:morvane-config>\""
  "MORVANE_SCREENSHOT_DIR=\"Z:${MORVANE_SCREENSHOT_DIR}\"")
morvane_warnings(e2e_tests)
add_dependencies(e2e_tests morvane-settings morvane-config)
# Serial: the tests share one pointer, one keyboard and one foreground window.
morvane_gtest_layer(e2e_tests e2e 120 ENVIRONMENT "WINEPREFIX=${MORVANE_WINE_PLAIN}" RUN_SERIAL TRUE)
set(contrast_environment "WINEPREFIX=${MORVANE_WINE_CONTRAST};MORVANE_SCHEME=contrast")
if(MORVANE_TEST_CASES)
  gtest_discover_tests(e2e_tests
    TEST_PREFIX "${MORVANE_TEST_PREFIX}e2e.contrast."
    TEST_FILTER "*SchemeLookTest*"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    # One variable a property: the discovered tests would get a list's first item alone.
    PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE ENVIRONMENT "WINEPREFIX=${MORVANE_WINE_CONTRAST}"
      ENVIRONMENT_MODIFICATION "MORVANE_SCHEME=set:contrast")
else()
  add_test(NAME ${MORVANE_TEST_PREFIX}e2e.contrast COMMAND e2e_tests ${contrast_filter})
  set_tests_properties(${MORVANE_TEST_PREFIX}e2e.contrast PROPERTIES RUN_SERIAL TRUE TIMEOUT 600
    ENVIRONMENT "${contrast_environment}")
endif()

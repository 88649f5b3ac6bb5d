# End-to-end tests: a driver program under Wine starts the real editor and gives it real input.
add_executable(e2e_tests
  tests/e2e/driver.cpp
  tests/e2e/editor_session.cpp
  tests/e2e/editor_e2e_test.cpp
  tests/e2e/editing_e2e_test.cpp
  tests/e2e/faults_e2e_test.cpp
  tests/e2e/config_e2e_test.cpp
  tests/win/console_run.cpp
  tests/win/test_support.cpp
  tests/common/expected_file.cpp)
target_link_libraries(e2e_tests PRIVATE gtest_main user32 gdi32)
target_include_directories(e2e_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
# The screenshots land beside the build; the test script turns them into the README's pictures.
set(MORVANE_SCREENSHOT_DIR "${CMAKE_BINARY_DIR}/screenshots")
file(MAKE_DIRECTORY "${MORVANE_SCREENSHOT_DIR}")
# Wine reaches the Unix file system through drive Z:.
target_compile_definitions(e2e_tests PRIVATE
  "MORVANE_EDITOR_PATH=\"Z:$<TARGET_FILE:morvane-settings>\""
  "MORVANE_CONFIG_PATH=\"Z:$<TARGET_FILE:morvane-config>\""
  "MORVANE_SCREENSHOT_DIR=\"Z:${MORVANE_SCREENSHOT_DIR}\"")
morvane_warnings(e2e_tests)
add_dependencies(e2e_tests morvane-settings morvane-config)
# Serial: the tests share one pointer, one keyboard and one foreground window.
gtest_discover_tests(e2e_tests
  TEST_PREFIX "e2e."
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "WINEPREFIX=${MORVANE_WINE_PLAIN}" RUN_SERIAL TRUE TIMEOUT 120)

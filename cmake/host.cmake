# Host build: unit tests of the platform-free core, and the fuzz target.
add_executable(host_tests
  tests/host/reader_test.cpp
  tests/host/probe_test.cpp
  tests/host/fields_test.cpp
  tests/host/format_test.cpp
  tests/host/canonical_test.cpp
  tests/common/expected_file.cpp
  tests/common/window_reference.cpp
  tests/host/corpus_test.cpp
  tests/host/keys_test.cpp
  tests/host/plain_text_test.cpp
  tests/host/catalogues_test.cpp
  tests/host/captions_test.cpp
  ui/catalogues.cpp
  ui/captions.cpp
  tests/fuzz/parse_invariants.cpp)
target_link_libraries(host_tests PRIVATE morvane_core gtest_main)
# The window's tables compile here against a stand-in that names the handle types only.
target_include_directories(host_tests PRIVATE tests/host/win32_types)
target_compile_definitions(host_tests PRIVATE
  MORVANE_CORPUS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus"
  MORVANE_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
morvane_warnings(host_tests)
gtest_discover_tests(host_tests TEST_PREFIX "${MORVANE_TEST_PREFIX}")

if(MORVANE_FUZZ)
  add_executable(parse_fuzzer tests/fuzz/parse_fuzzer.cpp tests/fuzz/parse_invariants.cpp)
  target_compile_options(parse_fuzzer PRIVATE -fsanitize=fuzzer)
  target_link_options(parse_fuzzer PRIVATE -fsanitize=fuzzer)
  target_link_libraries(parse_fuzzer PRIVATE morvane_core)
  morvane_warnings(parse_fuzzer)
endif()

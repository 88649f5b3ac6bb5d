# morvane-config: a native program on the host, a console program on Windows.
add_library(morvane_cli STATIC
  cli/option_names.cpp
  cli/canonical_check.cpp
  cli/commands.cpp)
target_link_libraries(morvane_cli PUBLIC morvane_core)
target_compile_definitions(morvane_cli PRIVATE MORVANE_VERSION="${PROJECT_VERSION}")
morvane_warnings(morvane_cli)

if(WIN32)
  # The console program shares the editor's Win32 read and safe replace.
  add_executable(morvane-config cli/main.cpp cli/file_access_win.cpp settings/settings_file_win.cpp)
else()
  add_executable(morvane-config cli/main.cpp cli/file_access_posix.cpp)
endif()
target_link_libraries(morvane-config PRIVATE morvane_cli)
morvane_warnings(morvane-config)

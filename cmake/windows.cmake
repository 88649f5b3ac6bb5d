# Windows build: the editor, and (with GoogleTest at hand) its tests under Wine.
enable_language(RC)
include(cmake/release.cmake)

if(MINGW)
  # Static, so the executables need nothing but the system's own DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Everything but the entry point, so the tests can drive the real window code.
add_library(morvane_win STATIC
  ui/accessible_names.cpp
  ui/captions.cpp
  ui/catalogues.cpp
  ui/controls.cpp
  ui/dpi.cpp
  ui/exchange.cpp
  ui/file_messages.cpp
  ui/focus.cpp
  ui/main_window.cpp
  ui/save.cpp
  ui/window_procedure.cpp
  app/refresh_probe_win.cpp
  app/startup.cpp)
target_link_libraries(morvane_win PUBLIC morvane_settings_win morvane_core user32 gdi32 kernel32)
morvane_warnings(morvane_win)
morvane_release_code(morvane_core)
morvane_release_code(morvane_settings_win)
morvane_release_code(morvane_win)

add_executable(morvane-settings WIN32 app/main.cpp app/editor.rc)
# windres reads the icon; a new one must make the resource again.
set_source_files_properties(app/editor.rc PROPERTIES OBJECT_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/app/morvane.ico)
target_link_libraries(morvane-settings PRIVATE morvane_win)
morvane_warnings(morvane-settings)
morvane_release_program(morvane-settings "Morvane settings editor")

if(MORVANE_TESTS)
  include(cmake/windows-tests.cmake)
endif()

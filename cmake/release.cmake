# What users get: small executables that need no C++ runtime, carry their version and no time
# stamp, and load on every Windows from XP on. Applied to the product's own targets in every
# Windows tree, so the tests drive the very code that ships; the test programs keep the usual
# flags.

# Product code: exceptions, RTTI and unused sections would each bring in runtime code.
function(morvane_release_code target)
  if(NOT MINGW)
    return()
  endif()
  target_compile_options(${target} PRIVATE -Os -g0 -fno-exceptions -fno-rtti
                         -ffunction-sections -fdata-sections)
  # The C library's own printf family, from msvcrt, rather than MinGW's larger one with its
  # locale and wide-character imports.
  target_compile_definitions(${target} PRIVATE __USE_MINGW_ANSI_STDIO=0)
  # 32-bit Windows unwinds without tables; 64-bit needs them for its exception handling.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
  endif()
endfunction()

# The file name a program gets on this architecture: the 32-bit one is the one to use, so it
# keeps the plain name.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MORVANE_PROGRAM_SUFFIX "-x64")
  set(MORVANE_BITS "64-bit")
else()
  set(MORVANE_PROGRAM_SUFFIX "")
  set(MORVANE_BITS "32-bit")
endif()

# A shipped program: release code, a version resource made from the project version, linked
# without dead sections, symbols or time stamp. Listed in release-programs.txt for packing.
function(morvane_release_program target description)
  morvane_release_code(${target})
  set(MORVANE_PROGRAM_NAME "${target}${MORVANE_PROGRAM_SUFFIX}")
  set(MORVANE_PROGRAM_DESCRIPTION "${description} (${MORVANE_BITS})")
  set(version_rc "${CMAKE_BINARY_DIR}/generated/${target}-version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in" "${version_rc}" @ONLY)
  target_sources(${target} PRIVATE "${version_rc}")
  set_target_properties(${target} PROPERTIES OUTPUT_NAME "${MORVANE_PROGRAM_NAME}")
  if(MINGW)
    target_link_options(${target} PRIVATE -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
  endif()
  set_property(GLOBAL APPEND PROPERTY MORVANE_RELEASE_PROGRAMS ${target})
endfunction()

# One line per shipped program: its file in this tree. Called once all programs are declared.
function(morvane_list_release_programs)
  get_property(programs GLOBAL PROPERTY MORVANE_RELEASE_PROGRAMS)
  set(lines "")
  foreach(program IN LISTS programs)
    string(APPEND lines "$<TARGET_FILE:${program}>\n")
  endforeach()
  file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/release-programs.txt" CONTENT "${lines}")
endfunction()

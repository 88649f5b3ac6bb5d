# The release rules, checked on this tree's shipped programs by the host's release-check (built
# in the host tree, passed in as MORVANE_RELEASE_CHECK): size, imports, headers.
if(NOT MORVANE_RELEASE_CHECK)
  return()
endif()
set(allowed_imports "${PROJECT_SOURCE_DIR}/tests/release/xp-sp3-imports.txt")

# Each shipped program keeps the rules. And the check must see every one of its imports, wherever
# it stands in its DLL's table: a list without any one of them must fail it (objdump reads the
# imports, apart from the check's own reader).
get_property(programs GLOBAL PROPERTY MORVANE_RELEASE_PROGRAMS)
foreach(program IN LISTS programs)
  add_test(NAME ${MORVANE_TEST_PREFIX}release.${program}
           COMMAND ${MORVANE_RELEASE_CHECK} ${allowed_imports} $<TARGET_FILE:${program}>)
  set(test ${MORVANE_TEST_PREFIX}release.check.EveryImportOf.${program})
  add_test(NAME ${test} COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/every_import_checked_test.sh
                                ${MORVANE_RELEASE_CHECK} ${CMAKE_OBJDUMP} ${allowed_imports}
                                $<TARGET_FILE:${program}>)
endforeach()

# The check itself must see each kind of fault: the list without one function the editor
# imports, and test programs, which are large, stamped and import more than the editor.
set(list_without_close_handle "${CMAKE_BINARY_DIR}/generated/imports-without-CloseHandle.txt")
file(STRINGS ${allowed_imports} entries)
list(FILTER entries EXCLUDE REGEX "!CloseHandle$")
list(JOIN entries "\n" entries)
file(WRITE ${list_without_close_handle} "${entries}\n")

# case name, allowed imports, executable, what the check must say
set(case_names   UnlistedFunction              UnlistedDll                 Oversize                TimeStamp)
set(case_lists   ${list_without_close_handle}  ${allowed_imports}          ${allowed_imports}      ${allowed_imports})
set(case_files   morvane-settings              win_tests                   win_tests               win_tests)
set(case_reports "KERNEL32.dll!CloseHandle, which is not on the list"
                 "imports [Vv][Ee][Rr][Ss][Ii][Oo][Nn]\\.[Dd][Ll][Ll]!GetFileVersionInfoA,"
                 "bytes, over 56 KiB"
                 "carries a link time stamp")
foreach(name list file report IN ZIP_LISTS case_names case_lists case_files case_reports)
  set(test ${MORVANE_TEST_PREFIX}release.check.Reports${name})
  add_test(NAME ${test} COMMAND ${MORVANE_RELEASE_CHECK} ${list} $<TARGET_FILE:${file}>)
  set_tests_properties(${test} PROPERTIES PASS_REGULAR_EXPRESSION "${report}")
endforeach()

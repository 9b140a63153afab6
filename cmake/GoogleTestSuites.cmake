# Registers a GoogleTest program with ctest as one test per suite, named
# <prefix>.<suite>: a process per suite rather than per case, since starting
# the process costs far more than most cases, yet a failure is still named
# close to its case. The suites are listed when ctest runs, so that adding a
# case or a suite needs no new configure step. Each suite prints only its
# failures (--gtest_brief). A cross-built program is listed and run through
# its CROSSCOMPILING_EMULATOR, as gtest_discover_tests does.
#
#   plinthar_add_gtest_suites(TARGET PREFIX <prefix> [PROPERTIES <ctest properties>...])
function(plinthar_add_gtest_suites target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX" "PROPERTIES")
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  set(properties "")
  if(arg_PROPERTIES)
    list(JOIN arg_PROPERTIES "\" \"" properties)
    set(properties "set_tests_properties(\"\${name}\" PROPERTIES \"${properties}\")")
  endif()
  file(GENERATE OUTPUT "${script}" CONTENT "
set(program \"$<TARGET_FILE:${target}>\")
set(emulator \"$<TARGET_PROPERTY:${target},CROSSCOMPILING_EMULATOR>\")
set(prefix \"${arg_PREFIX}\")
if(NOT EXISTS \"\${program}\")
  add_test(\"\${prefix}.NOT_BUILT\" \"\${program}\")
  return()
endif()
execute_process(COMMAND \${emulator} \"\${program}\" --gtest_list_tests
  OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  # Fails in the run, with the program's own complaint.
  add_test(\"\${prefix}.LISTING\" \${emulator} \"\${program}\" --gtest_list_tests)
  return()
endif()
# A Windows program run through its emulator ends its lines with CR LF.
string(REPLACE \"\\r\" \"\" listing \"\${listing}\")
string(REPLACE \";\" \"\\\\;\" listing \"\${listing}\")
string(REPLACE \"\\n\" \";\" lines \"\${listing}\")
foreach(line IN LISTS lines)
  # Suite lines start in the first column and end with a dot, perhaps
  # followed by a comment naming the type or value parameter.
  if(line MATCHES \"^([^ #]+)\\\\.( +#.*)?$\")
    set(suite \"\${CMAKE_MATCH_1}\")
    set(name \"\${prefix}.\${suite}\")
    add_test(\"\${name}\" \${emulator} \"\${program}\" \"--gtest_filter=\${suite}.*\" --gtest_brief=1)
    ${properties}
  endif()
endforeach()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()

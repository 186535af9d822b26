# Sources of a folder, found by glob so that new files need no edit here.
function(corra_glob_sources out folder)
  file(GLOB found CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# How many ctest entries share the tests of one GoogleTest executable. Each entry is one process
# running every n-th test (GoogleTest's sharding), so the suite's time grows with its work and
# not with its number of tests, while ctest still runs the shards side by side.
set(CORRA_TEST_SHARDS 4 CACHE STRING "ctest entries per GoogleTest executable")

# ctest entries <name>/<k>of<n> for the GoogleTest executable name. A failing entry's output
# (ctest --output-on-failure) names each failed test; run the executable with --gtest_filter to
# run one test alone.
function(corra_add_gtest name)
  foreach(index RANGE 1 ${CORRA_TEST_SHARDS})
    math(EXPR shard "${index} - 1")
    set(test "${name}/${index}of${CORRA_TEST_SHARDS}")
    add_test(NAME ${test} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    set_tests_properties(${test} PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;GTEST_BRIEF=1;GTEST_TOTAL_SHARDS=${CORRA_TEST_SHARDS};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endfunction()

# One GoogleTest executable per source folder: tests/<folder>/tst_*.cpp.
function(corra_add_test_folder folder)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/${folder}/*.cpp
                                      ${CMAKE_CURRENT_SOURCE_DIR}/tests/${folder}/*.h)
  if(NOT tests)
    return()
  endif()
  string(REPLACE "/" "_" name "test_${folder}")
  add_executable(${name} ${tests})
  target_link_libraries(${name} PRIVATE corra_test_support)
  corra_add_gtest(${name})
endfunction()

# The entries of one string-table file as C++ initialiser lines ("  {id, "text"},\n") in out,
# and a "case id:" line per entry in out_cases. Each line is `<id> "C literal"`, where <id> is a
# number or a constant from res/ids/*.h; lines starting with '#' and blank lines are skipped; any
# other line stops the configuration.
function(corra_string_table_entries file out out_cases)
  # Split by hand: list splitting would break lines holding ';' or brackets, and would join a
  # line that ends in a backslash to the next. Control characters stand in for those meanwhile.
  string(ASCII 1 semi)
  string(ASCII 2 lbracket)
  string(ASCII 3 rbracket)
  string(ASCII 4 backslash)
  file(READ ${file} content)
  string(REPLACE "\\" "${backslash}" content "${content}")
  string(REPLACE ";" "${semi}" content "${content}")
  string(REPLACE "[" "${lbracket}" content "${content}")
  string(REPLACE "]" "${rbracket}" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(entries "")
  set(cases "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*#" OR line MATCHES "^[ \t]*$")
      continue()
    endif()
    string(REPLACE "${semi}" ";" line "${line}")
    string(REPLACE "${lbracket}" "[" line "${line}")
    string(REPLACE "${rbracket}" "]" line "${line}")
    string(REPLACE "${backslash}" "\\" line "${line}")
    if(line MATCHES "^[ \t]*([A-Za-z_][A-Za-z0-9_]*|0[xX][0-9A-Fa-f]+|[0-9]+)[ \t]+(\".*\")[ \t]*$")
      string(APPEND entries "  {${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}},\n")
      string(APPEND cases "    case ${CMAKE_MATCH_1}:\n")
    else()
      message(FATAL_ERROR "${file}: cannot read string-table line: ${line}")
    endif()
  endforeach()
  set(${out} "${entries}" PARENT_SCOPE)
  set(${out_cases} "${cases}" PARENT_SCOPE)
endfunction()

# The string table, generated from res/strings/*.txt (see corra_string_table_entries).
function(corra_generate_string_table out)
  file(GLOB string_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/res/strings/*.txt)
  file(GLOB id_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/res/ids/*.h)
  list(SORT string_files)
  list(SORT id_headers)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${string_files})
  set(body "// Generated from res/strings at configure time; edit those files instead.\n")
  string(APPEND body "#include \"platform/core/StringTable.h\"\n")
  foreach(h IN LISTS id_headers)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${h})
    string(APPEND body "#include \"${rel}\"\n")
  endforeach()
  string(APPEND body "\nnamespace {\nconst CStringTableEntry kEntries[] = {\n")
  set(all_cases "")
  foreach(f IN LISTS string_files)
    corra_string_table_entries(${f} entries cases)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${f})
    string(APPEND body "// ${rel}\n${entries}")
    string(APPEND all_cases "${cases}")
  endforeach()
  string(APPEND body "};\n\n")
  string(APPEND body "// Two strings under one id do not compile here (a duplicate case value).\n")
  string(APPEND body "[[maybe_unused]] void EachIdOnce(unsigned id)\n{\n    switch (id) {\n")
  string(APPEND body "${all_cases}        break;\n    default:\n        break;\n    }\n}\n}\n\n")
  string(APPEND body "void CorraInstallStringTable()\n{\n")
  string(APPEND body "    CStringTable::Install(kEntries, sizeof(kEntries) / sizeof(kEntries[0]));\n}\n")
  set(old "")
  if(EXISTS ${out})
    file(READ ${out} old)
  endif()
  if(NOT old STREQUAL body)
    file(WRITE ${out} "${body}")
  endif()
endfunction()

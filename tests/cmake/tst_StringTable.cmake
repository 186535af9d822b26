# Reading string-table files: run with `cmake -DCORRA_SOURCE=<source folder> -P <this file>`.
include(${CORRA_SOURCE}/cmake/Corra.cmake)

set(work ${CMAKE_CURRENT_BINARY_DIR}/string-table-test)
file(MAKE_DIRECTORY ${work})

if(DEFINED BAD_LINE)
  # A line that is no entry stops the configuration (checked from the run below).
  file(WRITE ${work}/bad.txt "1 \"fine\"\n${BAD_LINE}\n")
  corra_string_table_entries(${work}/bad.txt entries cases)
  return()
endif()

file(WRITE ${work}/good.txt [=[
# comment; with [brackets] and a final backslash \
100 "semi; colon [x] and ]["
IDS_QUOTE "tab\tand \"quote\" and \\ back"
  0x66 "ends in a backslash\\"
# another comment \
103 "caf\xE9"
]=])
corra_string_table_entries(${work}/good.txt entries cases)
set(expected [=[
  {100, "semi; colon [x] and ]["},
  {IDS_QUOTE, "tab\tand \"quote\" and \\ back"},
  {0x66, "ends in a backslash\\"},
  {103, "caf\xE9"},
]=])
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "entries:\n${entries}\nexpected:\n${expected}")
endif()
set(expected_cases "    case 100:\n    case IDS_QUOTE:\n    case 0x66:\n    case 103:\n")
if(NOT cases STREQUAL expected_cases)
  message(FATAL_ERROR "cases:\n${cases}")
endif()

foreach(bad "200 no quotes" "IDS_X \"a\" # trailing" "\"no id\"")
  execute_process(COMMAND ${CMAKE_COMMAND} -DCORRA_SOURCE=${CORRA_SOURCE} -DBAD_LINE=${bad}
                          -P ${CMAKE_CURRENT_LIST_FILE}
                  RESULT_VARIABLE result ERROR_VARIABLE err OUTPUT_QUIET)
  # CMake wraps long messages, so the words may be split across lines.
  string(REGEX REPLACE "[ \t\r\n]+" " " flat "${err}")
  if(result EQUAL 0 OR NOT flat MATCHES "cannot read string-table")
    message(FATAL_ERROR "bad line accepted: ${bad}\n${err}")
  endif()
endforeach()

# The layer check on small trees: run with
#   cmake -DCORRA_SOURCE=<source folder> [-DCORRA_WORK=<scratch folder>] -P <this file>
# Each case adds one file to a tree of two layers (low/ below high/) and expects the check to
# pass or to fail naming the breach.

if(NOT DEFINED CORRA_WORK)
  set(CORRA_WORK ${CMAKE_CURRENT_BINARY_DIR})
endif()
set(work ${CORRA_WORK}/layer-check-test)

# name, file added, its text, what the check says ("" = it passes).
set(case_names upward_class upward_struct_in_source downward_class foreign_class upward_include)
set(upward_class_file low/Low2.h)
set(upward_class_text "#pragma once\nclass CHigh;\nvoid Show(CHigh* p);\n")
set(upward_class_expect "low/Low2.h declares class CHigh, defined in high/High.h, which its rule does not allow")
set(upward_struct_in_source_file low/Low.cpp)
set(upward_struct_in_source_text "#include \"low/Low.h\"\n    struct CHighRecord;\n")
set(upward_struct_in_source_expect "low/Low.cpp declares struct CHighRecord, defined in high/High.h")
set(downward_class_file high/High2.h)
set(downward_class_text "#pragma once\nclass CLow;\nclass CHigh;\n")
set(downward_class_expect "")
set(foreign_class_file low/Low2.h)
set(foreign_class_text "#pragma once\nclass QWidget;\n")
set(foreign_class_expect "")
set(upward_include_file low/Low2.h)
set(upward_include_text "#pragma once\n#include \"high/High.h\"\n")
set(upward_include_expect "low/Low2.h includes high/High.h, which its rule does not allow")

foreach(name IN LISTS case_names)
  set(tree ${work}/${name})
  file(REMOVE_RECURSE ${tree})
  file(WRITE ${tree}/DEPS "low/  :\nhigh/ : low/\n")
  file(WRITE ${tree}/low/Low.h "#pragma once\nclass CLow {\n};\n")
  file(WRITE ${tree}/high/High.h
       "#pragma once\n#include \"low/Low.h\"\nclass CHigh final : public CLow {\n};\nstruct CHighRecord\n{\n};\n")
  file(WRITE ${tree}/${${name}_file} "${${name}_text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DCORRA_SOURCE=${tree}
                          -P ${CORRA_SOURCE}/cmake/CheckLayers.cmake
                  RESULT_VARIABLE result ERROR_VARIABLE err OUTPUT_VARIABLE out)
  # CMake wraps long messages, so the words may be split across lines.
  string(REGEX REPLACE "[ \t\r\n]+" " " flat "${err}")
  set(expect "${${name}_expect}")
  if(expect STREQUAL "")
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${name}: the check refused a sound tree:\n${err}")
    endif()
  else()
    string(FIND "${flat}" "${expect}" at)
    if(result EQUAL 0 OR at EQUAL -1)
      message(FATAL_ERROR "${name}: expected \"${expect}\", the check said:\n${out}${err}")
    endif()
  endif()
endforeach()

# One libFuzzer executable per entry of fuzz/FuzzEntries.cpp: fuzz_<name>, run on its corpus
# fuzz/corpus/<name>/ by scripts/fuzz.sh. Included when CORRA_FUZZ is on (clang).
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/FuzzEntries.cpp entry_lines REGEX "^    {\"[a-z_]+\", ")
foreach(line IN LISTS entry_lines)
  string(REGEX REPLACE "^    {\"([a-z_]+)\".*" "\\1" entry "${line}")
  add_executable(fuzz_${entry} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/FuzzHarness.cpp)
  target_compile_definitions(fuzz_${entry} PRIVATE CORRA_FUZZ_ENTRY="${entry}")
  target_link_libraries(fuzz_${entry} PRIVATE corra_fuzz_entries)
  target_link_options(fuzz_${entry} PRIVATE -fsanitize=fuzzer)
  set_target_properties(fuzz_${entry} PROPERTIES AUTOMOC OFF)
endforeach()

# The whole run under libFuzzer (built in build/sanitized), for about a minute from the seed corpus.
# scripts/fuzz-long runs it for longer.
add_test(NAME fuzz_whole_run
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/fuzz/run-fuzzer ${CMAKE_BINARY_DIR}/sanitized/launcher_fuzzer 60
          ${CMAKE_BINARY_DIR}/fuzz)
set_tests_properties(fuzz_whole_run PROPERTIES TIMEOUT 240 COST 500)

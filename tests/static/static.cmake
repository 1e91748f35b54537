# Static checks: no compiler warning at -Wall -Wextra on any build's code (both Windows targets and the
# host), and no clang-tidy finding (.clang-tidy) on the project's C++ and C code.
get_target_property(warning_check_sources unit_tests SOURCES)
add_test(NAME no_compiler_warnings
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/static/check-warnings ${CMAKE_C_COMPILER} ${CMAKE_CXX_COMPILER}
          ${LAUNCHER_CORE_SOURCES} ${warning_check_sources} tests/fuzz/launcher_fuzzer.cc tests/fuzz/fuzz_platform.cc)
add_test(NAME clang_tidy COMMAND bash ${CMAKE_SOURCE_DIR}/tests/static/run-clang-tidy)
# The longest tests, started first: the run's end then waits on none of them alone.
set_tests_properties(no_compiler_warnings clang_tidy PROPERTIES COST 1000)

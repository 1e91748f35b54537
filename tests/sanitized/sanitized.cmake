# The unit tests and the fuzz target built again with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (tests/sanitized/CMakeLists.txt), in build/sanitized.
get_target_property(unit_test_sources unit_tests SOURCES)
string(REPLACE ";" "|" core_sources "${LAUNCHER_CORE_SOURCES}")
string(REPLACE ";" "|" unit_test_sources "${unit_test_sources}")
ExternalProject_Add(host_sanitized
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/sanitized
  BINARY_DIR ${CMAKE_BINARY_DIR}/sanitized
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  LIST_SEPARATOR |
  CMAKE_ARGS -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
             -DLAUNCHER_CORE_SOURCES=${core_sources} -DUNIT_TEST_SOURCES=${unit_test_sources}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

add_test(NAME sanitized_unit_tests COMMAND ${CMAKE_BINARY_DIR}/sanitized/unit_tests --gtest_brief=1)
set_tests_properties(sanitized_unit_tests PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1;UBSAN_OPTIONS=print_stacktrace=1")

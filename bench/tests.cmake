# The benchmark under CTest: one quick run that only checks that bench/run still works and prints its
# figures; it times nothing. Label "bench":  ctest -L bench  only this;  ctest -LE bench  everything else.
add_test(NAME bench.quick COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_quick ${CMAKE_BINARY_DIR})
set_tests_properties(bench.quick PROPERTIES LABELS bench TIMEOUT 180)

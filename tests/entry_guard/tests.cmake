# The guard of the programs' own entry, for each Windows build: tiny programs built through use_own_entry,
# of which the link must refuse every one that needs the C runtime's start-up code.
foreach(arch x86 x64)
  add_test(NAME entry_guard.${arch}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/entry_guard.sh ${arch} ${CMAKE_BINARY_DIR}/entry_guard/${arch})
  set_tests_properties(entry_guard.${arch} PROPERTIES TIMEOUT 120)
endforeach()

# How the shipped images are linked beyond the common options of cmake/windows.cmake; also included by the
# build that tests the entry's guard (tests/entry_guard).

# keep_relocation_table(<target>): the image has a base relocation table even where its code holds no
# absolute address (platform/relocation_table_win32.cc says why). The block is kept through the section
# garbage collection by naming its symbol, which nothing refers to.
function(keep_relocation_table target)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../platform/relocation_table_win32.cc)
  set(symbol RelocationPaddingBlock)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(symbol _${symbol})
  endif()
  target_link_options(${target} PRIVATE -Wl,--require-defined,${symbol})
endfunction()

# use_own_entry(<target> <function>): the program starts at that function of its own, an extern "C" WINAPI
# function without arguments, instead of the C runtime's start-up code (platform/entry_win32.h says why).
# On 32 bits the symbol carries the underscore and the stdcall suffix.
# Nothing then runs what only that start-up code would run, so the link refuses it rather than leave it
# silently undone: every linker warning is an error (an entry name not found would otherwise only be
# warned about, and the image start at the first function linked); no reference to a DLL's data is
# mended through the import table at run time (auto-import: only the start-up code applied those fixes,
# so atexit, behind a static object with a destructor, no longer links); and after the link,
# cmake/check_own_entry.cmake reads the link map and removes the image when anything in it is a global
# constructor or destructor, a thread-local variable or an entry of the C runtime's .CRT tables.
function(use_own_entry target function)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(function _${function}@0)
  endif()
  set(map ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}.dir/link.map)
  target_link_options(${target} PRIVATE -nostartfiles -Wl,-e,${function} -Wl,--fatal-warnings
                      -Wl,--disable-auto-import -Wl,-Map=${map})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DMAP=${map} -DIMAGE=$<TARGET_FILE:${target}>
            -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/check_own_entry.cmake
    VERBATIM)
  keep_relocation_table(${target})
endfunction()

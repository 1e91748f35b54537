# The host build: the run's logic against a recording double of the platform layer, both Windows builds
# of the launcher, and the tests that run those under Wine.
find_package(GTest REQUIRED)
include(GoogleTest)
include(ExternalProject)
enable_testing()

add_compile_options(-Wall -Wextra)

add_library(launcher_core STATIC ${LAUNCHER_CORE_SOURCES})
target_include_directories(launcher_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(launcher_core PRIVATE ${LAUNCHER_CXX_FLAGS})

# add_unit_tests(<name> <sources>...): a GoogleTest program of the run's logic and a platform double.
function(add_unit_tests name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE launcher_core GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
endfunction()

add_unit_tests(unit_tests
  tests/platform_fake.cc
  platform/text_test.cc
  display/registry_record_test.cc
  display/resolution_test.cc
  game/game_launch_test.cc
  game/game_path_test.cc
  game/graphics_mode_test.cc
  launcher/key_name_test.cc
  launcher/launcher_test.cc
  launcher/script_decoding_test.cc
  launcher/script_reading_test.cc
  settings/settings_test.cc)

# The companion's logic, against the same double and one for its own operations.
add_unit_tests(companion_tests
  tests/platform_fake.cc
  tests/companion_platform_fake.cc
  companion/companion.cc
  companion/vendor_id.cc
  companion/companion_test.cc
  companion/vendor_id_test.cc)

# The preview's parts, each beside its tests, and its run against the launcher's own stages, over the same
# double of the launcher's reads and fixed answers for the preview's own.
add_unit_tests(preview_tests
  companion/vendor_id.cc
  preview/near_names.cc
  preview/near_names_test.cc
  preview/preview_run.cc
  preview/preview_test.cc
  preview/printer.cc
  preview/printer_test.cc
  preview/settings_files.cc
  preview/settings_files_test.cc
  preview/verdict.cc
  preview/verdict_test.cc
  tests/platform_fake.cc
  tests/preview_fake.cc)

# The launcher's judgement of a registry script's rights, for scripts/fuzz-editor's differential run.
add_executable(script_rights tools/script_rights/script_rights.cc)
target_link_libraries(script_rights PRIVATE launcher_core)

# Both Windows builds, each in its own tree: build/x86 (the primary one) and build/x64.
foreach(arch x86 x64)
  if(arch STREQUAL "x86")
    set(toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake)
  else()
    set(toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-x86_64.cmake)
  endif()
  ExternalProject_Add(windows_${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${arch}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${toolchain} -DCMAKE_BUILD_TYPE=MinSizeRel
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endforeach()

include(tests/e2e/tests.cmake OPTIONAL)
include(tests/entry_guard/tests.cmake)
# The release archive, built once, its listing checked, and signed (timestamped, from a .pfx and from a
# SoftHSM token) by throwaway authorities. Its unsigned archive is the one e2e.installer installs from.
add_test(NAME release_archive COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/release.sh ${CMAKE_BINARY_DIR})
set_tests_properties(release_archive PROPERTIES TIMEOUT 300 FIXTURES_SETUP release_archive COST 800)
include(bench/tests.cmake)
include(tests/sanitized/sanitized.cmake)
include(tests/fuzz/fuzz.cmake)
include(tests/static/static.cmake)

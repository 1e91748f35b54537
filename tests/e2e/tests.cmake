# End-to-end tests: both Windows builds of the launcher (x86/ and x64/ of this build tree) run under Wine on
# a virtual X display, watched by the probe programs of tools/probes. Included by the host build.
#
#   ctest --test-dir <build> -L e2e        only these;   ctest -LE e2e   everything else
#
# One test run shares one Xvfb and one Wine prefix (fixtures e2e_display and e2e_prefix), both kept in
# <build>/e2e and torn down at the end of the run.
set(E2E_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(E2E_ENVIRONMENT E2E_BUILD_DIR=${CMAKE_BINARY_DIR} E2E_STATE_DIR=${CMAKE_BINARY_DIR}/e2e)

add_test(NAME e2e.fixture.display_start COMMAND bash ${E2E_SOURCE_DIR}/fixture.sh display-start)
add_test(NAME e2e.fixture.display_stop COMMAND bash ${E2E_SOURCE_DIR}/fixture.sh display-stop)
add_test(NAME e2e.fixture.prefix_create COMMAND bash ${E2E_SOURCE_DIR}/fixture.sh prefix-create)
add_test(NAME e2e.fixture.prefix_remove COMMAND bash ${E2E_SOURCE_DIR}/fixture.sh prefix-remove)
set_tests_properties(e2e.fixture.display_start PROPERTIES FIXTURES_SETUP e2e_display TIMEOUT 60)
set_tests_properties(e2e.fixture.display_stop PROPERTIES FIXTURES_CLEANUP e2e_display TIMEOUT 60)
# The prefix needs the display (Wine's start-up opens it), and goes before it.
set_tests_properties(e2e.fixture.prefix_create PROPERTIES
  FIXTURES_SETUP e2e_prefix FIXTURES_REQUIRED e2e_display TIMEOUT 360)
set_tests_properties(e2e.fixture.prefix_remove PROPERTIES
  FIXTURES_CLEANUP e2e_prefix FIXTURES_REQUIRED e2e_display TIMEOUT 120)
set_tests_properties(e2e.fixture.display_start e2e.fixture.display_stop e2e.fixture.prefix_create
  e2e.fixture.prefix_remove PROPERTIES ENVIRONMENT "${E2E_ENVIRONMENT}" LABELS e2e)

# e2e_add_test(<name> <script> [RESOURCE_LOCK <resources>...] [ARGS <arguments>...]): the script once for
# each Windows build (its first argument), under Wine. Tests that wait for a message box lock the desktop, so that no other test's box is taken.
function(e2e_add_test name script)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "RESOURCE_LOCK;ARGS")
  foreach(arch x86 x64)
    add_test(NAME e2e.${arch}.${name} COMMAND bash ${E2E_SOURCE_DIR}/${script} ${arch} ${arg_ARGS})
    set_tests_properties(e2e.${arch}.${name} PROPERTIES
      ENVIRONMENT "${E2E_ENVIRONMENT}"
      FIXTURES_REQUIRED "e2e_display;e2e_prefix"
      LABELS e2e
      SKIP_RETURN_CODE 77
      TIMEOUT 300)
    if(arg_RESOURCE_LOCK)
      set_tests_properties(e2e.${arch}.${name} PROPERTIES RESOURCE_LOCK "${arg_RESOURCE_LOCK}")
    endif()
  endforeach()
endfunction()

# e2e_add_file_test(<name> <script> [ARGS <arguments>...]): the script once for each Windows build,
# reading the files only.
function(e2e_add_file_test name script)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "ARGS")
  foreach(arch x86 x64)
    add_test(NAME e2e.${arch}.${name} COMMAND bash ${E2E_SOURCE_DIR}/${script} ${arch} ${arg_ARGS})
    set_tests_properties(e2e.${arch}.${name} PROPERTIES ENVIRONMENT "${E2E_ENVIRONMENT}" LABELS e2e TIMEOUT 60)
  endforeach()
endfunction()

foreach(program launcher companion launcher-check)
  e2e_add_file_test(${program}_binary program_binary.sh ARGS ${program})
endforeach()
foreach(program launcher companion launcher-check)
  e2e_add_test(${program}_resources program_resources.sh ARGS ${program})
endforeach()
e2e_add_test(import launch_import.sh)
e2e_add_test(editor_rights editor_rights.sh)
e2e_add_test(arguments launch_arguments.sh)
e2e_add_test(report launch_report.sh RESOURCE_LOCK e2e_desktop)
e2e_add_test(record launch_record.sh)
e2e_add_test(record_codes launch_record_codes.sh)
e2e_add_test(report_values launch_report_values.sh RESOURCE_LOCK e2e_desktop)
e2e_add_test(companion companion_pair.sh)
e2e_add_test(game_typical_run game_typical_run.sh)
e2e_add_test(game_parameters game_parameters.sh RESOURCE_LOCK e2e_desktop)
e2e_add_test(game_detection_file game_detection_file.sh)
e2e_add_test(game_not_started_after_report game_not_started_after_report.sh RESOURCE_LOCK e2e_desktop)
e2e_add_test(hostile_gbk hostile_gbk.sh)
e2e_add_test(hostile_settings hostile_settings.sh)
e2e_add_test(hostile_files hostile_files.sh RESOURCE_LOCK e2e_desktop)
e2e_add_test(hostile_dlls hostile_dlls.sh RESOURCE_LOCK e2e_desktop)

# The installer scenario, once: from the archive the release_archive test leaves, built into an installer,
# installed, started through its shortcut, upgraded, installed into a second folder, and both copies
# uninstalled. The example's 32-bit installer and programs; where this machine runs no 32-bit programs, its
# 64-bit ones (makensis -DBITNESS=x64), through Wine's 64-bit loader.
add_test(NAME e2e.installer COMMAND bash ${E2E_SOURCE_DIR}/installer_shortcut.sh)
set_tests_properties(e2e.installer PROPERTIES
  ENVIRONMENT "${E2E_ENVIRONMENT}"
  SKIP_RETURN_CODE 77
  FIXTURES_REQUIRED "e2e_display;e2e_prefix;release_archive"
  LABELS e2e
  TIMEOUT 240)

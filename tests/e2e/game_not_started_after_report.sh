#!/usr/bin/env bash
# A REGSET section without VALUETYPE, everything else ready for a game start with "-opengl" (a complete
# game section, radiostate 1, today's detection file naming 0x10DE): the run shows the configuration
# report and, once it is dismissed, ends with exit code 0 without writing the registry, starting the game
# or removing the detection file.
# Usage: game_not_started_after_report.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

report_instead_of_start() {
  local today=$1 folder name
  folder=$(make_game_folder no-start)
  name=$(basename "$folder")
  local displayKey="Software\\LauncherE2E\\NoStart\\$name"
  write_game_start_settings "$folder" "$displayKey" bin stand_in_game.exe -window 1
  sed -i '/^VALUETYPE=/d' "$folder/KQgameset.ini"
  write_registry_script "$folder" </dev/null
  write_detection_file "$folder/$(day_name "$today")" 0x10DE
  local before
  before=$(folder_sums "$folder")

  run_in "$folder" "$LAUNCHER" &
  local launcher=$! status=0 box
  box=$(probe msgbox_probe 30) || status=$?
  printf '%s\n' "$box" | sed 's/^/  | /'
  expect_eq "msgbox_probe exit code (0: a box came up and was dismissed)" 0 "$status"
  expect_eq "report text" \
    " ROOT = 2\\n SUBKEY = ${displayKey//\\/\\\\} \\n VALUENAMEX = Width \\n VALUENAMEY = Height \\n VALUETYPE = 0" \
    "$(sed -n 's/^text=//p' <<<"$box")"

  status=0
  wait "$launcher" || status=$?
  expect_eq "exit code after the report" 0 "$status"
  wait_folder_idle "$folder"
  expect_no_game_start "after the report" "$folder/bin"
  expect_eq "files after the run (detection file included)" "$before" "$(folder_sums "$folder")"
  ! reg_key_exists HKCU "$displayKey" || fail "the key $displayKey was created"
  note "report shown; no game started, the detection file $(day_name "$today") kept"
}

on_one_day report_instead_of_start

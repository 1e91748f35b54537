#!/usr/bin/env bash
# radiostate 1 and the detection file, named by the local date as year, day, month without leading
# zeros: three runs side by side, each with Para = -window and, beside it, files that must be neither read
# nor removed: yesterday's file and, when its name differs, today's with month and day swapped, both naming
# 0x10DE, and an unrelated INI file holding the same section and key.
#   - today's file names 0x10de (lower case): the game gets Para, and today's file is removed;
#   - today's file names another vendor: Para, and today's file is removed;
#   - no file for today: Para, and nothing is removed.
# Usage: game_detection_file.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

# check_detection <case> <today> <vendor in today's file, or "" for none>
check_detection() {
  local label=$1 today=$2 vendor=$3
  local folder todays
  folder=$(make_game_folder "$label")
  todays=$(day_name "$today")
  write_game_start_settings "$folder" "Software\\LauncherE2E\\Detection\\$(basename "$folder")" \
    bin stand_in_game.exe -window 1
  write_registry_script "$folder" </dev/null

  # Files for other days, and another INI file, each naming the vendor that would give "-opengl".
  local others=("$(day_name "$(day_before "$today")")" "$(day_name "$today" swapped)" settings.ini)
  local other written=()
  for other in "${others[@]}"; do
    [ "$other" = "$todays" ] && continue
    write_detection_file "$folder/$other" 0x10DE
    written+=("$other")
  done
  note "$label: today's file $todays with VENID=${vendor:-(no file)}; beside it: ${written[*]}"
  local before
  before=$(folder_sums "$folder")
  [ -n "$vendor" ] && write_detection_file "$folder/$todays" "$vendor"

  run_launcher_settled "$folder"
  expect_eq "$label: exit code" 0 "$LAUNCHER_STATUS"
  local windowsFolder
  windowsFolder=$(win_path "$folder")
  expect_one_game_start "$label" "$folder/bin" "$windowsFolder\\bin\\stand_in_game.exe" -window \
    "$windowsFolder\\bin"
  [ ! -e "$folder/$todays" ] || fail "$label: today's detection file $todays is still there"
  # Every other file as before the run (today's file was written after the snapshot).
  expect_eq "$label: files after the run" "$before" \
    "$(folder_sums "$folder" | grep -v ' ./bin/game_record.txt$')"
}

lower_case_vendor() {
  check_detection lower "$1" 0x10de
}
other_vendor() {
  check_detection other "$1" 0x1002
}
no_file_for_today() {
  check_detection none "$1" ""
}

run_cases lower_case_vendor other_vendor no_file_for_today
note "only today's file read and removed; files of other days left alone"

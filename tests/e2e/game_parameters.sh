#!/usr/bin/env bash
# The game's file, parameters and directory, from three runs side by side, each with today's detection
# file in its folder:
#   - GameExecPath of two levels (bin\x86), Para with spaces and double quotes, radiostate 3, today's
#     file naming 0x10DE: the game in bin\x86 is started in bin\x86 with Para exactly as written, and the
#     detection file stays;
#   - no radiostate key and an empty Para, today's file naming 0x10DE: the game gets no parameters, and
#     the file stays;
#   - radiostate 2 with Para = -window, today's file naming another vendor: the game gets "-opengl", and
#     the file stays.
# Usage: game_parameters.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

# check_game_start <case> <today> <GameExecPath> <Para> <radiostate or ""> <vendor> <expected arguments>
check_game_start() {
  local label=$1 today=$2 path=$3 para=$4 radiostate=$5 vendor=$6 expected=$7
  local folder
  folder=$(make_game_folder "$label")
  local gameFolder="$folder/${path//\\//}"
  mkdir -p "$gameFolder"
  [ -f "$gameFolder/stand_in_game.exe" ] || cp "$PROBES/stand_in_game.exe" "$gameFolder/"
  write_game_start_settings "$folder" "Software\\LauncherE2E\\Parameters\\$(basename "$folder")" \
    "$path" stand_in_game.exe "$para" "$radiostate"
  write_registry_script "$folder" </dev/null
  write_detection_file "$folder/$(day_name "$today")" "$vendor"
  local before
  before=$(folder_sums "$folder")

  run_launcher_settled "$folder"
  expect_eq "$label: exit code" 0 "$LAUNCHER_STATUS"
  local windowsFolder
  windowsFolder=$(win_path "$folder")
  expect_one_game_start "$label" "$gameFolder" "$windowsFolder\\$path\\stand_in_game.exe" "$expected" \
    "$windowsFolder\\$path"
  # Nothing removed or changed, the detection file included; the game's record is the only new file (so
  # the copy of the game in bin was not started in place of the one in bin\x86).
  expect_eq "$label: files after the run" "$before" \
    "$(folder_sums "$folder" | grep -v " ./${path//\\//}/game_record.txt\$")"
}

quotedPara='-window -title "Demo  Game" -config "C:\Program Files\Demo\demo.cfg" -x a"b" -last'
several_levels() {
  check_game_start levels "$1" 'bin\x86' "$quotedPara" 3 0x10DE "$quotedPara"
}
no_radiostate_empty_para() {
  check_game_start empty "$1" bin "" "" 0x10DE ""
}
radiostate_two() {
  check_game_start opengl "$1" bin -window 2 0x1002 -opengl
}

run_cases several_levels no_radiostate_empty_para radiostate_two
note "file, parameters and directory as set; no detection file removed"

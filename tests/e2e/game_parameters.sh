#!/usr/bin/env bash
# The game's file, parameters and directory, from three runs side by side, each with today's detection
# file in its folder:
#   - GameExecPath of two levels (bin\x86), Para with spaces and double quotes, radiostate 3, today's
#     file naming 0x10DE: the game in bin\x86 is started in bin\x86 with Para exactly as written, and the
#     detection file stays;
#   - no radiostate key and an empty Para, today's file naming 0x10DE: the game gets no parameters, and
#     the file stays;
#   - radiostate 2 with Para = -window, today's file naming another vendor: the game gets "-opengl", and
#     the file stays;
#   - a [game] section without GameExec, whose path then names the folder bin\: nothing is started (no
#     file manager on it either), and with radiostate 1 today's detection file is removed all the same;
#   - two launchers started 0.4 s apart in one folder, the second from its name in upper case: one game start.
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

no_game_exec() {
  local folder
  folder=$(make_game_folder nogameexec)
  write_game_start_settings "$folder" "Software\\LauncherE2E\\Parameters\\$(basename "$folder")" bin "" -window 1
  sed -i '/^GameExec=/d' "$folder/KQgameset.ini"
  write_registry_script "$folder" </dev/null
  write_detection_file "$folder/$(day_name "$1")" 0x10DE
  # Settled: no program left whose command line names the folder, a file manager opened on bin\ included.
  run_launcher_settled "$folder"
  expect_eq "no GameExec: exit code" 0 "$LAUNCHER_STATUS"
  expect_no_game_start "no GameExec" "$folder/bin"
  [ ! -e "$folder/$(day_name "$1")" ] || fail "no GameExec: the detection file was left"
}
two_quick_starts() {
  local folder
  folder=$(make_game_folder twice)
  write_game_start_settings "$folder" "Software\\LauncherE2E\\Parameters\\$(basename "$folder")" bin \
    stand_in_game.exe -window 3
  write_registry_script "$folder" </dev/null
  start_run 1 "$folder"
  sleep 0.4
  # The second one from the same folder named in upper case (Wine gives it as typed): the same folder to
  # Windows, so the same one-click rule.
  local status=0 upperFolder
  upperFolder=$(win_path "$folder")
  run_in "$folder" cmd /c "cd /d ${upperFolder^^} && $(win_path "$LAUNCHER")" || status=$?
  wait
  expect_eq "second launcher: exit code" 0 "$status"
  expect_eq "first launcher: exit code" 0 "$(cat "$folder.status")"
  wait_folder_idle "$folder" 30
  expect_one_game_start "two quick starts" "$folder/bin" "$(win_path "$folder")\\bin\\stand_in_game.exe" -window \
    "$(win_path "$folder")\\bin"
}

run_cases several_levels no_radiostate_empty_para radiostate_two no_game_exec two_quick_starts
note "file, parameters and directory as set; no detection file removed but with radiostate 1; no folder opened; one game for two quick starts"

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
#   - GameExec without its extension (stand_in_game for bin\stand_in_game.exe): the launcher completes it as
#     the shell does and starts bin\stand_in_game.exe, once (Wine's shell would complete .exe alone; the
#     launcher hands it the completed name, as Windows' shell would complete it);
#   - a [game] section without GameExec, whose path then names the folder bin\: nothing is started (no
#     file manager on it either), the player is told so in a message box, and with radiostate 1 today's
#     detection file is removed all the same once it is dismissed; then a GameExec whose file is missing:
#     the same, with its path;
#   - a launcher in one folder, and 0.4 s later more through other spellings of it, one after the other: its
#     name in upper case and a symbolic link to it; in another folder, a drive letter of the prefix mapped onto
#     it: one game start in each. Windows gives a folder one volume serial and file ID whatever path, short
#     name, junction or subst drive leads to it; Wine gives its inode, and the serial of the drive that maps
#     the folder best whatever path was used, so that drive is mapped before the first launcher starts.
# The message boxes are read by msgbox_probe; the test holds the desktop (RESOURCE_LOCK e2e_desktop).
# Usage: game_parameters.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

# check_game_start <case> <today> <GameExecPath> <Para> <radiostate or ""> <vendor> <expected arguments>
# [GameExec, stand_in_game.exe unless given]
check_game_start() {
  local label=$1 today=$2 path=$3 para=$4 radiostate=$5 vendor=$6 expected=$7 exec=${8:-stand_in_game.exe}
  local folder
  folder=$(make_game_folder "$label")
  local gameFolder="$folder/${path//\\//}"
  mkdir -p "$gameFolder"
  [ -f "$gameFolder/stand_in_game.exe" ] || cp "$PROBES/stand_in_game.exe" "$gameFolder/"
  write_game_start_settings "$folder" "Software\\LauncherE2E\\Parameters\\$(basename "$folder")" \
    "$path" "$exec" "$para" "$radiostate"
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
without_extension() {
  check_game_start completed "$1" bin -window 3 0x10DE -window stand_in_game
}

not_started() {
  local folder detection game
  folder=$(make_game_folder notstarted)
  detection="$folder/$(day_name "$1")"
  write_registry_script "$folder" </dev/null
  # No GameExec, so that the path names bin\ (settled: no file manager left open on it either), then a
  # missing file.
  for game in "" missing.exe; do
    write_game_start_settings "$folder" "Software\\LauncherE2E\\Parameters\\$(basename "$folder")" bin "$game" -window 1
    [ -n "$game" ] || sed -i '/^GameExec=/d' "$folder/KQgameset.ini"
    write_detection_file "$detection" 0x10DE
    expect_told_not_started "GameExec=$game" "$folder" "bin\\$game" "$([ -n "$game" ] && echo 2 || echo 336)"
    expect_no_game_start "GameExec=$game" "$folder/bin"
    [ ! -e "$detection" ] || fail "GameExec=$game: the detection file was left"
  done
}
# quick_starts <case> <folder> <first spelling> <later spellings...>: the launcher started in the folder
# through the first spelling of it, and 0.4 s later, in one console, through each later spelling in turn;
# each later one ends at once, and the first starts the one game, through its spelling.
quick_starts() {
  local label=$1 folder=$2 first=$3 launcher spelling commands="" status=0
  shift 3
  launcher=$(win_path "$LAUNCHER")
  for spelling in "$@"; do commands+="cd /d $spelling && cd && $launcher && "; done
  (
    E2E_RUN_COUNT=$((E2E_RUN_COUNT + 500))
    firstStatus=0
    run_in "$folder" cmd /c "cd /d $first && $launcher" || firstStatus=$?
    echo "$firstStatus" >"$folder.status"
  ) &
  sleep 0.4
  run_in "$folder" cmd /c "${commands}echo all ran" || status=$?
  wait
  expect_eq "$label: first launcher: exit code" 0 "$(cat "$folder.status")"
  # Wine gives the last part of a path in the folder's own case.
  local expected seen
  expected=$(printf '%s\n' "$@" "all ran")
  seen=$(tr -d '\r' <"$E2E_LAST_OUTPUT")
  expect_eq "$label: the later launchers, each in the folder as spelled (case aside)" "${expected,,}" "${seen,,}"
  expect_eq "$label: exit code of the later ones" 0 "$status"
  wait_folder_idle "$folder" 30
  expect_one_game_start "$label" "$folder/bin" "$first\\bin\\stand_in_game.exe" -window "$first\\bin"
}
# quick_folder <name>: a game folder whose run starts the stand-in game with -window. Prints its path.
quick_folder() {
  local folder
  folder=$(make_game_folder "$1")
  write_game_start_settings "$folder" "Software\\LauncherE2E\\Parameters\\$(basename "$folder")" bin \
    stand_in_game.exe -window 3
  write_registry_script "$folder" </dev/null
  printf '%s\n' "$folder"
}
two_quick_starts() {
  local folder windowsFolder
  folder=$(quick_folder twice)
  ln -s "$folder" "$folder.link"
  windowsFolder=$(win_path "$folder")
  quick_starts "upper case and a link" "$folder" "$windowsFolder" "${windowsFolder^^}" "$(win_path "$folder.link")"

  # A drive letter of this build's own, mapped onto another folder for this case only.
  folder=$(quick_folder drive)
  windowsFolder=$(win_path "$folder")
  local drive=m
  [ "$E2E_ARCH" = x64 ] && drive=n
  local device="$WINEPREFIX/dosdevices/$drive:"
  [ ! -e "$device" ] || fail "drive $drive: is taken in the prefix"
  trap 'rm -f "$device"' EXIT
  ln -s "$folder" "$device"
  quick_starts "another drive letter" "$folder" "$windowsFolder" "${drive^^}:\\"
  rm -f "$device"
}

run_cases several_levels no_radiostate_empty_para radiostate_two without_extension not_started two_quick_starts
note "file, parameters and directory as set; no detection file removed but with radiostate 1; no folder opened, and the player told; one game for quick starts through several spellings of one folder"

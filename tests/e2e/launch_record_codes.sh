#!/usr/bin/env bash
# Codes that lead to no record, with every other REGSET value set, so that no report comes up:
#   - ROOT 3: no key is opened, below either root; no value is written; the game still starts;
#   - VALUETYPE 3 with ROOT 2: the key is created below HKEY_CURRENT_USER (it was absent), no value is
#     written into it; the game still starts.
# The two runs are independent (own folder, own key) and run side by side.
# Usage: launch_record_codes.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

# prepare <case> <ROOT> <VALUETYPE>: a game folder whose REGSET section is complete (its own subkey below
# Software\LauncherE2E\Codes); sets FOLDER and KEY.
prepare() {
  FOLDER=$(make_game_folder "codes-$1")
  KEY="Software\\LauncherE2E\\Codes\\$(basename "$FOLDER")"
  write_game_settings "$FOLDER" <<INI
[BV]
qnoresX=1024
qnoresY=768
[REGSET]
SUBKEY=$KEY
ROOT=$2
VALUENAMEX=Width
VALUENAMEY=Height
VALUETYPE=$3
[game]
GameExecPath=bin
GameExec=stand_in_game.exe
Para=-window
INI
  printf '[ExtSet]\ncheck1=1\nradiostate=3\n' | write_play_settings "$FOLDER"
  write_registry_script "$FOLDER" </dev/null
}

# check_game_started <case> <folder>: the stand-in game ran once, with Para, in the folder's bin.
check_game_started() {
  local record
  record=$(tr -d '\r' <"$2/bin/game_record.txt" 2>/dev/null) || fail "$1: the game was not started"
  expect_eq "$1: game starts" 1 "$(grep -c '^\[run\]$' <<<"$record")"
  expect_eq "$1: game arguments" "arguments=-window" "$(grep '^arguments=' <<<"$record")"
  expect_eq "$1: game directory" "current_directory=$(win_path "$2")\\bin" \
    "$(grep '^current_directory=' <<<"$record")"
}

prepare root3 3 1
rootFolder=$FOLDER rootKey=$KEY
prepare type3 2 3
typeFolder=$FOLDER typeKey=$KEY

for root in HKCU HKLM; do
  expect_eq "type3: $root key before the run" missing "$(probe reg_probe -key "$root" "$typeKey")"
done

start_run 1 "$rootFolder"
start_run 2 "$typeFolder"
wait

note "ROOT 3: $rootKey"
expect_eq "root3: launcher exit code" 0 "$(cat "$rootFolder.status")"
wait_folder_idle "$rootFolder"
for root in HKCU HKLM; do
  expect_eq "root3: $root key" missing "$(probe reg_probe -key "$root" "$rootKey")"
done
check_game_started root3 "$rootFolder"

note "VALUETYPE 3: HKCU\\$typeKey"
expect_eq "type3: launcher exit code" 0 "$(cat "$typeFolder.status")"
wait_folder_idle "$typeFolder"
expect_eq "type3: HKCU key created" present "$(probe reg_probe -key HKCU "$typeKey")"
expect_eq "type3: HKCU Width" missing "$(reg_value HKCU "$typeKey" Width)"
expect_eq "type3: HKCU Height" missing "$(reg_value HKCU "$typeKey" Height)"
expect_eq "type3: HKLM key" missing "$(probe reg_probe -key HKLM "$typeKey")"
check_game_started type3 "$typeFolder"
note "no record for ROOT 3 or VALUETYPE 3, and the game started"

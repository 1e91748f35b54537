#!/usr/bin/env bash
# A run imports CONF\TMPFILE.TXT of its current directory through the registry editor and ends with exit
# code 0: in a plain folder and in one whose name holds spaces. The launcher runs from the build tree, so
# only its current directory can lead it to the script.
# The editor is the system's: a REGEDIT.EXE in the game folder (a stand-in that records being started)
# is never started. A key of HKEY_LOCAL_MACHINE\Software in the script lands in the registry view of the
# launcher's bitness, as the system search found the editor before: the 32-bit view for the 32-bit
# build (Software\Wow6432Node to a 64-bit reader), the 64-bit view for the 64-bit build.
# Usage: launch_import.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

for kind in plain spaces; do
  folder=$(make_game_folder import "$([ $kind = spaces ] && echo spaces)")
  name=$(basename "$folder")
  scriptKey="Software\\LauncherE2E\\Import\\${name// /_}"
  token="imported into $name"
  write_complete_settings "$folder" "Software\\LauncherE2E\\Display\\${name// /_}"
  viewKey="LauncherE2E\\ImportView\\${name// /_}"
  printf '%s\n' "[HKEY_CURRENT_USER\\$scriptKey]" "\"Marker\"=\"$token\"" '"Answer"=dword:0000002a' "" \
    "[HKEY_LOCAL_MACHINE\\Software\\$viewKey]" "\"Marker\"=\"$token\"" | write_registry_script "$folder"
  cp "$PROBES/stand_in_game.exe" "$folder/REGEDIT.EXE"

  note "$kind folder: $(win_path "$folder")"
  expect_eq "$kind: the script's value before the run" missing "$(reg_value HKCU "$scriptKey" Marker)"

  status=0
  run_in "$folder" "$LAUNCHER" || status=$?
  expect_eq "$kind: exit code" 0 "$status"

  expected=$(sz_value "$token")
  seen=$(wait_reg_value HKCU "$scriptKey" Marker "$expected") || true
  expect_eq "$kind: string value imported from the script" "$expected" "$seen"
  expect_eq "$kind: 32-bit value imported from the script" "type=4 length=4 bytes=$(dword_bytes 42)" \
    "$(reg_value HKCU "$scriptKey" Answer)"
  wait_folder_idle "$folder"
  [ ! -e "$folder/game_record.txt" ] || fail "$kind: the REGEDIT.EXE in the game folder was started"

  expect_eq "$kind: HKLM value in the $E2E_ARCH view" "$expected" "$(reg_value HKLM "Software\\$viewKey" Marker)"
  expect_eq "$kind: HKLM value, $OTHER_ARCH reader" missing "$(other_reg_value HKLM "Software\\$viewKey" Marker)"
  if [ "$E2E_ARCH" = x86 ]; then
    expect_eq "$kind: HKLM value under Wow6432Node, x64 reader" "$expected" \
      "$(other_reg_value HKLM "Software\\Wow6432Node\\$viewKey" Marker)"
  fi
done
note "imported in both folders"

#!/usr/bin/env bash
# One typical run from start to finish: the play settings force the configured resolution (check1 = 1)
# and ask for the automatic graphics mode (radiostate = 1); the game settings hold 1024 x 768, a complete
# REGSET section (the current user's key, 32-bit values) and the game bin\demo.exe with Para = -window;
# today's detection file names vendor 0x10DE. The run imports the registry script, records 1024 x 768 as
# two REG_DWORD values, starts bin\demo.exe with "-opengl" in bin, removes the detection file, leaves every
# other file as it was and ends with exit code 0.
# Before it, the preview (launcher-check.exe) in the same folder prints the values and the game start it
# would make and exits with 0, and leaves no registry value, no started game and the detection file.
# After it, without today's detection file, the preview names what the companion would write from the
# adapter Wine reports. With a script in UTF-16LE that also writes below HKEY_LOCAL_MACHINE, it warns of what
# Windows will do with it and exits with 2 (works, but not for every player), with 1 when the game is missing
# too; with GameExec=NUL (a device) it exits with 1; with 301 sections of the game's own in KQgameset.ini,
# more names than the profile functions list at once, it exits with 0; with KQgameplay.ini saved as
# KQgameplay.ini.txt it says the file is absent and still exits with 0; with radiostat=2 in place of
# radiostate it names both and exits with 1.
# Usage: game_typical_run.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

typical_run() {
  local today=$1 folder name
  folder=$(make_game_folder typical)
  name=$(basename "$folder")
  local scriptKey="Software\\LauncherE2E\\Import\\$name" displayKey="Software\\LauncherE2E\\Typical\\$name"
  local token="typical run $name" detection="$folder/$(day_name "$today")"

  mv "$folder/bin/stand_in_game.exe" "$folder/bin/demo.exe"
  write_game_start_settings "$folder" "$displayKey" bin demo.exe -window 1
  printf '%s\n' "[HKEY_CURRENT_USER\\$scriptKey]" "\"Marker\"=\"$token\"" | write_registry_script "$folder"
  write_detection_file "$detection" 0x10DE
  local before
  before=$(folder_sums "$folder")
  note "$(win_path "$folder"), detection file $(basename "$detection")"
  local windowsFolder
  windowsFolder=$(win_path "$folder")

  local status=0
  run_in "$folder" "$(shipped_program launcher-check)" || status=$?
  sed 's/^/  | /' "$E2E_LAST_OUTPUT"
  expect_eq "preview exit code" 0 "$status"
  for line in "would write the value Width: REG_DWORD, 4 bytes 00 04 00 00 = 1024" \
    "would start the game: $windowsFolder\\bin\\demo.exe" "  parameters: -opengl" "  game file: present" \
    "would remove the detection file $windowsFolder\\$(day_name "$today") (present)"; do
    grep -qxF -- "$line" "$E2E_LAST_OUTPUT" || fail "the preview did not print: $line"
  done
  wait_folder_idle "$folder"
  expect_eq "files after the preview" "$before" "$(folder_sums "$folder")"
  ! reg_key_exists HKCU "$displayKey" || fail "the preview wrote the registry key"
  expect_eq "the script's value after the preview" missing "$(reg_value HKCU "$scriptKey" Marker)"

  run_launcher_settled "$folder"
  expect_eq "exit code" 0 "$LAUNCHER_STATUS"

  local imported=$(sz_value "$token") seen
  seen=$(wait_reg_value HKCU "$scriptKey" Marker "$imported") || true
  expect_eq "value imported from CONF\\TMPFILE.TXT" "$imported" "$seen"
  expect_eq "width recorded" "type=4 length=4 bytes=$(dword_bytes 1024)" "$(reg_value HKCU "$displayKey" Width)"
  expect_eq "height recorded" "type=4 length=4 bytes=$(dword_bytes 768)" "$(reg_value HKCU "$displayKey" Height)"

  expect_one_game_start "typical run" "$folder/bin" "$windowsFolder\\bin\\demo.exe" -opengl "$windowsFolder\\bin"

  [ ! -e "$detection" ] || fail "the detection file $(basename "$detection") is still there"
  # Every other file as before; the game's record is the only new one.
  expect_eq "files after the run" "$(grep -v " ./$(basename "$detection")\$" <<<"$before")" \
    "$(folder_sums "$folder" | grep -v ' ./bin/game_record.txt$')"
  note "1024 x 768 recorded, the game started with -opengl in bin, the detection file removed"

  # The detection file is gone: the preview says what the companion would write here, from the adapter
  # Wine reports (PCI or not), and what the game would then get.
  read_adapter_vendor
  local companion="  no detection file today: companion.exe would write"
  if [ -n "$ADAPTER_VENDOR" ]; then
    companion+=" VENID = $ADAPTER_VENDOR into it, from the primary display adapter (\"$ADAPTER_ID\"); the game would"
    companion+=" then get $([ "$ADAPTER_VENDOR" = 0x10DE ] && echo '-opengl in place of Para' || echo Para)"
  else
    companion+=" none, as the primary display adapter (\"$ADAPTER_ID\") names no PCI vendor; the game gets Para"
  fi

  { printf '\xff\xfe'; printf '%s\r\n' "Windows Registry Editor Version 5.00" "" "[HKEY_CURRENT_USER\\$scriptKey]" "" \
    "[HKEY_LOCAL_MACHINE\\Software\\LauncherE2E\\Typical]" '"Marker"="x"' | iconv -f UTF-8 -t UTF-16LE; } \
    >"$folder/CONF/TMPFILE.TXT"
  status=0
  run_in "$folder" "$(shipped_program launcher-check)" || status=$?
  sed 's/^/  | /' "$E2E_LAST_OUTPUT"
  expect_eq "preview exit code with a script for HKEY_LOCAL_MACHINE (some players only)" 2 "$status"
  local warning="warning: the registry script writes below HKEY_LOCAL_MACHINE; on an administrator account Windows"
  warning+=" asks for consent at every run and imports it with administrator rights, and on a standard account"
  warning+=" those lines are not imported"
  expect_eq "the preview's warning" "$warning" "$(grep '^warning: ' "$E2E_LAST_OUTPUT" | tr -d '\r')"
  local rights="result: not for every player: the registry editor asks for the account's highest rights for the"
  rights+=" script's keys below HKEY_LOCAL_MACHINE: on an administrator account Windows asks for consent at every"
  rights+=" start, and on a standard account those lines are not imported"
  expect_eq "the preview's verdict with a script for HKEY_LOCAL_MACHINE" "$rights
result: the script would be imported, the resolution recorded and the game started, but not alike for every player" \
    "$(grep '^result: ' "$E2E_LAST_OUTPUT" | tr -d '\r')"
  grep -qxF -- "$companion" <(tr -d '\r' <"$E2E_LAST_OUTPUT") ||
    fail "the preview did not say what the companion would write: $companion"
  note "the preview exits with 2 for the script's HKEY_LOCAL_MACHINE key, and names the companion's vendor"

  mv "$folder/bin/demo.exe" "$folder/bin/demo.exe.away"
  status=0
  run_in "$folder" "$(shipped_program launcher-check)" || status=$?
  expect_eq "preview exit code with that script and no game" 1 "$status"
  expect_eq "the preview's verdict with that script and no game" "$rights
result: the game file is missing: $windowsFolder\\bin\\demo.exe" "$(grep '^result: ' "$E2E_LAST_OUTPUT" | tr -d '\r')"
  mv "$folder/bin/demo.exe.away" "$folder/bin/demo.exe"

  # A device's name as the game: the shell would open the device, no game.
  printf '%s\n' "[HKEY_CURRENT_USER\\$scriptKey]" "\"Marker\"=\"$token\"" | write_registry_script "$folder"
  cp "$folder/KQgameset.ini" "$folder/KQgameset.ini.kept"
  sed -i 's/^GameExec=demo\.exe/GameExec=NUL/' "$folder/KQgameset.ini"
  status=0
  run_in "$folder" "$(shipped_program launcher-check)" || status=$?
  expect_eq "preview exit code with GameExec=NUL" 1 "$status"
  expect_eq "the preview's verdict with GameExec=NUL" \
    "result: the game's path names a device, which Windows opens in place of a program: $windowsFolder\\bin\\NUL" \
    "$(grep '^result: ' "$E2E_LAST_OUTPUT" | tr -d '\r')"

  # A few hundred sections of the game's own, more names than the profile functions list at once, and one of
  # them near [REGSET] ahead of it: every name is read, and [REGSET] is there.
  {
    printf '[REGSETS]\r\nkept=1\r\n'
    for level in $(seq 100 399); do printf '[Level %s %0240d]\r\nscore=0\r\n' "$level" 0; done
    cat "$folder/KQgameset.ini.kept"
  } >"$folder/KQgameset.ini"
  rm "$folder/KQgameset.ini.kept"
  status=0
  run_in "$folder" "$(shipped_program launcher-check)" || status=$?
  expect_eq "preview exit code with 301 sections of the game's own" 0 "$status"
  expect_eq "sections of the game's own listed" 301 "$(grep -c ': not a section the launcher reads' "$E2E_LAST_OUTPUT")"
  grep -qxF -- '  [REGSETS]: not a section the launcher reads, though near [REGSET], which is there too' \
    <(tr -d '\r' <"$E2E_LAST_OUTPUT") || fail "the preview did not find [REGSET] past the game's own sections"
  note "the preview fails a device's name as the game, and reads 301 sections of the game's own whole"

  mv "$folder/KQgameplay.ini" "$folder/KQgameplay.ini.txt"
  status=0
  run_in "$folder" "$(shipped_program launcher-check)" || status=$?
  expect_eq "preview exit code without KQgameplay.ini" 0 "$status"
  grep -qxF -- 'settings file .\KQgameplay.ini: ABSENT: every key in it takes its default' \
    <(tr -d '\r' <"$E2E_LAST_OUTPUT") || fail "the preview did not say that KQgameplay.ini is absent"
  rm "$folder/KQgameplay.ini.txt"
  printf '[ExtSet]\ncheck1=1\nradiostat=2\n' | write_play_settings "$folder"
  status=0
  run_in "$folder" "$(shipped_program launcher-check)" || status=$?
  expect_eq "preview exit code with radiostat" 1 "$status"
  expect_eq "the preview's verdict with radiostat" \
    'result: .\KQgameplay.ini [ExtSet] has radiostat where the launcher reads radiostate' \
    "$(grep '^result: ' "$E2E_LAST_OUTPUT" | tr -d '\r')"
  note "the preview tells an absent KQgameplay.ini from an absent key, and fails on radiostat"
}

on_one_day typical_run

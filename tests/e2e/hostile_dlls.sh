#!/usr/bin/env bash
# DLLs planted beside the shipped programs, as another user of the machine could plant them in a game
# folder: a probe DLL that records every program loading it, copied under the names of system DLLs that
# programs load (shcore, which shell32 brings under Wine, and those that installers refuse to load from
# their own folder). The launcher, the companion and the preview run from that folder, as shipped: in a
# folder with complete settings, where the companion starts the launcher beside it, which imports the
# script, records the values and starts the game, and in one without settings, where the launcher shows
# the configuration report. None loads any planted DLL, and each run is as it is without them.
# Under Wine, as under Windows for DLLs that are not KnownDLLs, a DLL named without a path is looked for in
# the program's folder before the system folder.
# Usage: hostile_dlls.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

planted=(shcore uxtheme userenv setupapi apphelp propsys dwmapi cryptbase oleacc clbcatq ntmarta version)
[ -f "$PROBES/planted_dll.dll" ] || fail "no probe at $PROBES/planted_dll.dll"

# shipped_folder <name>: a game folder holding the three programs and the planted DLLs beside them.
shipped_folder() {
  local folder dll program
  folder=$(make_game_folder "$1")
  for program in launcher companion launcher-check; do cp "$(shipped_program "$program")" "$folder/"; done
  for dll in "${planted[@]}"; do cp "$PROBES/planted_dll.dll" "$folder/$dll.dll"; done
  printf '%s\n' "$folder"
}

# expect_nothing_loaded <folder> <what>
expect_nothing_loaded() {
  [ ! -e "$1/planted_loads.txt" ] || fail "$2: planted DLLs were loaded: $(tr -d '\r' <"$1/planted_loads.txt" | paste -sd';')"
}

# run_shipped <folder> <program> <expected exit code>
run_shipped() {
  local status=0
  run_in "$1" "$1/$2.exe" || status=$?
  expect_eq "$2: exit code" "$3" "$status"
}

note "complete settings: the import, the values and the game start"
folder=$(shipped_folder dlls)
name=$(basename "$folder")
scriptKey="Software\\LauncherE2E\\Import\\$name" displayKey="Software\\LauncherE2E\\Dlls\\$name"
write_complete_settings "$folder" "$displayKey"
printf '%s\n' "[HKEY_CURRENT_USER\\$scriptKey]" "\"Marker\"=\"planted $name\"" | write_registry_script "$folder"
run_shipped "$folder" launcher-check 0
grep -qxF "would start the game: $(win_path "$folder")\\bin\\stand_in_game.exe" "$E2E_LAST_OUTPUT" ||
  fail "the preview did not print the game start: $(tr -d '\r' <"$E2E_LAST_OUTPUT" | tail -n 5)"
expect_nothing_loaded "$folder" "preview"
# The companion starts the launcher beside it, which is not waited for.
run_shipped "$folder" companion 0
wait_game_record "$folder/bin" 30
wait_folder_idle "$folder" 30
seen=$(wait_reg_value HKCU "$scriptKey" Marker "$(sz_value "planted $name")") || true
expect_eq "value imported from the script" "$(sz_value "planted $name")" "$seen"
expect_eq "width recorded" "type=4 length=4 bytes=$(dword_bytes 1024)" "$(reg_value HKCU "$displayKey" Width)"
expect_eq "height recorded" "type=4 length=4 bytes=$(dword_bytes 768)" "$(reg_value HKCU "$displayKey" Height)"
windowsFolder=$(win_path "$folder")
expect_one_game_start "planted DLLs" "$folder/bin" "$windowsFolder\\bin\\stand_in_game.exe" -window "$windowsFolder\\bin"
expect_nothing_loaded "$folder" "complete run"

note "no settings: the configuration report"
folder=$(shipped_folder dlls-report)
name=$(basename "$folder")
scriptKey="Software\\LauncherE2E\\Import\\$name"
printf '%s\n' "[HKEY_CURRENT_USER\\$scriptKey]" "\"Marker\"=\"planted $name\"" | write_registry_script "$folder"
run_shipped "$folder" launcher-check 1
run_in "$folder" "$folder/launcher.exe" &
launcher=$!
status=0
box=$(probe msgbox_probe 30) || status=$?
expect_eq "msgbox_probe exit code (0: a box came up and was dismissed)" 0 "$status"
expect_eq "report text" ' ROOT = 0\n SUBKEY =  \n VALUENAMEX =  \n VALUENAMEY =  \n VALUETYPE = 0' \
  "$(sed -n 's/^text=//p' <<<"$box")"
status=0
wait "$launcher" || status=$?
expect_eq "launcher: exit code after the report" 0 "$status"
seen=$(wait_reg_value HKCU "$scriptKey" Marker "$(sz_value "planted $name")") || true
expect_eq "value imported before the report" "$(sz_value "planted $name")" "$seen"
wait_folder_idle "$folder"
expect_no_game_start "after the report" "$folder/bin"
expect_nothing_loaded "$folder" "report run"
note "none of the ${#planted[@]} planted DLLs was loaded by the three programs"

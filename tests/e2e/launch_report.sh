#!/usr/bin/env bash
# A run in a folder with neither settings file: the registry script is imported first, then the
# configuration report comes up (default title, every value at its default: 0 for ROOT and VALUETYPE,
# nothing for the three names), and once it is dismissed the run ends with exit code 0 without starting
# anything else. Before it, the preview (launcher-check.exe) prints the same report text, imports
# nothing and exits with 1.
# Usage: launch_report.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

folder=$(make_game_folder report)
name=$(basename "$folder")
scriptKey="Software\\LauncherE2E\\Import\\$name"
token="report test $name"
printf '%s\n' "[HKEY_CURRENT_USER\\$scriptKey]" "\"Marker\"=\"$token\"" | write_registry_script "$folder"

status=0
run_in "$folder" "$(shipped_program launcher-check)" || status=$?
sed 's/^/  | /' "$E2E_LAST_OUTPUT"
expect_eq "preview exit code" 1 "$status"
expect_eq "the preview's report" "$(printf '  |%s\n' ' ROOT = 0' ' SUBKEY =  ' ' VALUENAMEX =  ' ' VALUENAMEY =  ' \
  ' VALUETYPE = 0' | sed '$a result: the configuration report, and no game start')" \
  "$(grep -E '^  \||^result: the configuration' "$E2E_LAST_OUTPUT")"
sleep 1
expect_eq "the script's value after the preview" missing "$(reg_value HKCU "$scriptKey" Marker)"

run_in "$folder" "$LAUNCHER" &
launcher=$!

# The launcher waits on its report, so a value that appears now was imported before the report.
expected=$(sz_value "$token")
seen=$(wait_reg_value HKCU "$scriptKey" Marker "$expected") || true
expect_eq "the script's value, imported while the report is up" "$expected" "$seen"

status=0
box=$(probe msgbox_probe 30) || status=$?
printf '%s\n' "$box" | sed 's/^/  | /'
expect_eq "msgbox_probe exit code (0: a box came up and was dismissed)" 0 "$status"
expect_eq "report title (the platform's default)" "Error" "$(sed -n 's/^caption=//p' <<<"$box")"
expect_eq "report text" ' ROOT = 0\n SUBKEY =  \n VALUENAMEX =  \n VALUENAMEY =  \n VALUETYPE = 0' \
  "$(sed -n 's/^text=//p' <<<"$box")"

status=0
wait "$launcher" || status=$?
expect_eq "exit code after the report" 0 "$status"
wait_folder_idle "$folder"
[ ! -e "$folder/bin/game_record.txt" ] || fail "a game was started after the report"
expect_eq "files left in the folder" "$(printf '%s\n' ./CONF ./CONF/TMPFILE.TXT ./bin ./bin/stand_in_game.exe)" \
  "$(cd "$folder" && find . -mindepth 1 | LC_ALL=C sort)"
note "report shown after the import; nothing else done"

#!/usr/bin/env bash
# The command line has no effect: runs with assorted arguments (a graphics switch, a registry editor
# switch naming another script, words with spaces, an empty and a very long argument) leave exactly what a
# run without arguments leaves: the same exit code, the same registry import, the same registry values,
# the same files in the game folder and the same game start, if any.
# Usage: launch_arguments.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

folder=$(make_game_folder arguments)
name=$(basename "$folder")
scriptKey="Software\\LauncherE2E\\Import\\$name"
displayKey="Software\\LauncherE2E\\Display\\$name"
token="arguments test $name"
write_complete_settings "$folder" "$displayKey"
printf '%s\n' "[HKEY_CURRENT_USER\\$scriptKey]" "\"Marker\"=\"$token\"" | write_registry_script "$folder"

# A second script elsewhere, which an argument names; it must not be imported.
decoy=$(make_game_folder decoy)
decoyKey="Software\\LauncherE2E\\Decoy\\$(basename "$decoy")"
printf '%s\n' "[HKEY_CURRENT_USER\\$decoyKey]" '"Marker"="decoy"' | write_registry_script "$decoy"
decoyScript="$(win_path "$decoy")\\CONF\\TMPFILE.TXT"

imported=$(sz_value "$token")

# Runs the launcher with the given arguments from a clean state and prints what the run left.
run_and_describe() {
  reg_delete_key HKCU "$scriptKey"
  reg_delete_key HKCU "$displayKey"
  rm -f "$folder/bin/game_record.txt"

  local status=0
  run_in "$folder" "$LAUNCHER" "$@" || status=$?
  local marker
  marker=$(wait_reg_value HKCU "$scriptKey" Marker "$imported") || true
  wait_folder_idle "$folder"

  echo "exit code: $status"
  if [ "$marker" = "$imported" ]; then echo "script imported"; else echo "script value: $marker"; fi
  echo "decoy: $(reg_value HKCU "$decoyKey" Marker)"
  echo "Width: $(reg_value HKCU "$displayKey" Width)"
  echo "Height: $(reg_value HKCU "$displayKey" Height)"
  echo "files:"
  (cd "$folder" && find . -mindepth 1 | LC_ALL=C sort)
  echo "game record:"
  if [ -f "$folder/bin/game_record.txt" ]; then cat "$folder/bin/game_record.txt"; else echo "(none)"; fi
}

baseline=$(run_and_describe)
printf '%s\n' "$baseline" | sed 's/^/  | /'
grep -qx "exit code: 0" <<<"$baseline" || fail "the run without arguments did not end with exit code 0"
grep -qx "script imported" <<<"$baseline" || fail "the run without arguments did not import the script"
grep -qx "decoy: missing" <<<"$baseline" || fail "the decoy script was imported"

long=$(printf 'x%.0s' $(seq 500))
check_arguments() {
  note "arguments: $*"
  local described
  described=$(run_and_describe "$@")
  if [ "$described" != "$baseline" ]; then
    diff <(printf '%s\n' "$baseline") <(printf '%s\n' "$described") >&2
    fail "the arguments [$*] changed the run"
  fi
}
check_arguments -opengl
check_arguments /s "$decoyScript"
check_arguments "two words" --width=640 --height=480 -window "C:\\Program Files\\"
check_arguments "" "$long" /?
note "arguments made no difference"

#!/usr/bin/env bash
# The companion, then the launcher, in one game folder with radiostate 1. The companion writes today's
# detection file with the vendor of the primary adapter Wine reports (as display_probe reads it) and
# changes nothing else; the launcher reads that file, starts the game with "-opengl" when the vendor is
# 10DE and with Para otherwise, and deletes the file. When the adapter's identifier names no PCI vendor,
# the companion writes nothing and the game gets Para.
# Usage: companion_pair.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

COMPANION="$E2E_BUILD_DIR/$E2E_ARCH/companion.exe"
[ -f "$COMPANION" ] || fail "no companion at $COMPANION"
[ -f "$PROBES/display_probe.exe" ] || fail "no probe at $PROBES/display_probe.exe"

# What the build under test sees of the primary adapter, and what the pair should make of it.
deviceId=$(probe display_probe) || deviceId=""
note "primary adapter: [${deviceId:-none}]"
vendor=""
shopt -s nocasematch
if [[ $deviceId =~ ^PCI\\VEN_([0-9A-F]{4})(\&|$) ]]; then vendor="0x${BASH_REMATCH[1]^^}"; fi
shopt -u nocasematch
expectedParameters=-window
[ "$vendor" = 0x10DE ] && expectedParameters=-opengl
note "expected vendor: [${vendor:-none}], game parameters: $expectedParameters"

folder=$(make_game_folder companion)
displayKey="Software\\LauncherE2E\\Companion\\$(basename "$folder")"
write_complete_settings "$folder" "$displayKey"
write_play_settings "$folder" <<INI
[ExtSet]
check1=1
customquality=2
radiostate=1
INI
write_registry_script "$folder" </dev/null

# Every file below the folder with a checksum of its content.
snapshot() {
  (cd "$folder" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum)
}

# One companion run and one launcher run. Prints nothing; fails on the first difference. Returns 3 when
# the day changed during the run, so that the two programs may have named different files.
run_pair() {
  rm -f "$folder/bin/game_record.txt"
  local dayBefore before after status=0
  dayBefore=$(date +%Y%-d%-m)
  before=$(snapshot)

  run_in "$folder" "$COMPANION" || status=$?
  expect_eq "companion exit code" 0 "$status"
  after=$(snapshot)
  [ "$(date +%Y%-d%-m)" = "$dayBefore" ] || return 3

  local detectionFile="$folder/$dayBefore.ini"
  if [ -n "$vendor" ]; then
    # Exactly one new file, today's, and every other file as it was.
    expect_eq "files after the companion" \
      "$(printf '%s\n' "$before" "$(cd "$folder" && md5sum "./$dayBefore.ini")" | LC_ALL=C sort -k2)" \
      "$(printf '%s\n' "$after" | LC_ALL=C sort -k2)"
    expect_eq "content of $dayBefore.ini" "$(printf '[last]\nVENID=%s' "$vendor")" \
      "$(tr -d '\r' <"$detectionFile")"
  else
    expect_eq "files after the companion (no vendor: nothing written)" "$before" "$after"
  fi

  status=0
  run_in "$folder" "$LAUNCHER" || status=$?
  expect_eq "launcher exit code" 0 "$status"
  wait_folder_idle "$folder"
  [ "$(date +%Y%-d%-m)" = "$dayBefore" ] || return 3

  [ ! -e "$detectionFile" ] || fail "the launcher left the detection file $dayBefore.ini"
  [ -f "$folder/bin/game_record.txt" ] || fail "the game was not started"
  expect_eq "game start" \
    "$(printf '[run]\narguments=%s\ncurrent_directory=%s' "$expectedParameters" "$(win_path "$folder/bin")")" \
    "$(tr -d '\r' <"$folder/bin/game_record.txt" | grep -v '^command_line=')"
  return 0
}

status=0
run_pair || status=$?
if [ "$status" -eq 3 ]; then
  note "the day changed during the run; once more"
  status=0
  run_pair || status=$?
fi
[ "$status" -eq 0 ] || fail "the day changed during both runs"
reg_delete_key HKCU "$displayKey"
note "the launcher started the game with $expectedParameters from the companion's file"

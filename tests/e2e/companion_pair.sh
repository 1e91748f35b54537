#!/usr/bin/env bash
# The companion alone, as shipped: companion.exe and launcher.exe side by side in a complete game folder
# with radiostate 1 (its name holds spaces), and only the companion started, with the game folder as its
# current directory. It writes today's detection file with the vendor of the primary adapter Wine reports
# (as display_probe reads it), then starts the launcher beside it, which reads that file, records the
# resolution, starts the game with "-opengl" when the vendor is 10DE and with Para otherwise, and deletes
# the file. A file of the day left there beforehand names the vendor of the other choice, so the game's
# parameters show that the launcher read what the companion wrote. When the adapter's identifier names no
# PCI vendor, the companion writes nothing and the game gets Para.
# Then the companion in a folder without launcher.exe, started in another complete game folder that has
# one: it writes its file there, changes nothing else, and starts nothing, not even the launcher of its
# current directory. That folder is looked at again once the first run is over, so a launcher started by
# mistake has had the time of a whole run to show.
# Usage: companion_pair.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

COMPANION=$(shipped_program companion)

# What the build under test sees of the primary adapter, and what the companion should make of it.
read_adapter_vendor
note "primary adapter: [${ADAPTER_ID:-none}]"
vendor=$ADAPTER_VENDOR expectedParameters=-window
[ "$vendor" = 0x10DE ] && expectedParameters=-opengl
note "expected vendor: [${vendor:-none}], game parameters: $expectedParameters"

# complete_folder <name> [spaces]: a game folder with complete settings and radiostate 1, and an empty
# registry script. Prints its path.
complete_folder() {
  local folder
  folder=$(make_game_folder "$@")
  write_complete_settings "$folder" "Software\\LauncherE2E\\Companion\\$(basename "$folder")"
  printf '[ExtSet]\ncheck1=1\ncustomquality=2\nradiostate=1\n' | write_play_settings "$folder"
  write_registry_script "$folder" </dev/null
  printf '%s\n' "$folder"
}

companion_alone() {
  local today=$1 detectionName
  detectionName=$(day_name "$today")

  # Without a launcher beside it: the launcher is in the current directory only.
  local bare bareCompanion bareBefore bareAfter
  bare=$(complete_folder companion-no-launcher)
  cp "$LAUNCHER" "$bare/"
  bareCompanion=$(mktemp -d "$E2E_RUNS_DIR/$E2E_ARCH-companion-only.XXXXXX")/companion.exe
  cp "$COMPANION" "$bareCompanion"
  bareBefore=$(folder_sums "$bare")
  local status=0
  run_in "$bare" "$bareCompanion" || status=$?
  expect_eq "companion without a launcher: exit code" 0 "$status"
  bareAfter=$(folder_sums "$bare")
  if [ -n "$vendor" ]; then
    # Exactly one new file, today's, and every other file as it was.
    expect_eq "files after the companion without a launcher" \
      "$(printf '%s\n' "$bareBefore" "$(cd "$bare" && md5sum "./$detectionName")" | LC_ALL=C sort -k2)" \
      "$(printf '%s\n' "$bareAfter" | LC_ALL=C sort -k2)"
    expect_eq "content of $detectionName" "$(printf '[last]\nVENID=%s' "$vendor")" \
      "$(tr -d '\r' <"$bare/$detectionName")"
  else
    expect_eq "files after the companion without a launcher (no vendor: nothing written)" "$bareBefore" "$bareAfter"
  fi

  # As shipped: the two programs in the game folder, only the companion started.
  local folder windowsFolder displayKey
  folder=$(complete_folder companion spaces)
  cp "$COMPANION" "$LAUNCHER" "$folder/"
  windowsFolder=$(win_path "$folder")
  displayKey="Software\\LauncherE2E\\Companion\\$(basename "$folder")"
  [ -n "$vendor" ] && write_detection_file "$folder/$detectionName" "$OTHER_VENDOR"
  status=0
  run_in "$folder" "$folder/companion.exe" || status=$?
  expect_eq "companion beside the launcher: exit code" 0 "$status"
  wait_game_record "$folder/bin" 30
  wait_folder_idle "$folder" 30
  expect_one_game_start "companion beside the launcher" "$folder/bin" "$windowsFolder\\bin\\stand_in_game.exe" \
    "$expectedParameters" "$windowsFolder\\bin"
  expect_eq "width recorded by the launcher" "type=4 length=4 bytes=$(dword_bytes 1024)" \
    "$(reg_value HKCU "$displayKey" Width)"
  [ ! -e "$folder/$detectionName" ] || fail "the launcher left the detection file $detectionName"
  reg_delete_key HKCU "$displayKey"

  # The folder without a launcher beside the companion, a whole run later: still nothing started there.
  wait_folder_idle "$bare"
  expect_no_game_start "companion without a launcher" "$bare/bin"
  expect_eq "files in the folder without a launcher, a run later" "$bareAfter" "$(folder_sums "$bare")"
  note "the companion alone ran the automatic mode ($expectedParameters); without a launcher beside it, it started none"
}

on_one_day companion_alone

#!/usr/bin/env bash
# The player's whole path, from the release archive as the release_archive test built it: the preview
# passes in the archive's sample folder; makensis builds installer/example.nsi from the unpacked archive,
# whose demo game is replaced by the stand-in game under the same name; the silent install goes into a
# folder whose name has spaces and a non-ASCII character; both shortcuts it made start the installed
# companion.exe in the game folder. Starting the Start-menu shortcut through the shell, as a player's
# double click does (wine start), runs the companion, the launcher and the game: the stand-in starts once,
# in <game folder>\bin, with the parameters the adapter's vendor calls for, and the resolution is recorded;
# a second start while the first run is under way starts no second game. The silent uninstall named in
# "Apps and features" then leaves no program, shortcut, entry, record key or detection file of the day,
# neither in the game folder nor in the VirtualStore folder where Windows puts a 32-bit companion's file
# (Wine does not virtualize: the test puts one there itself); only the stand-in's own record stays.
# Usage: installer_shortcut.sh
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build x86
# The folder's é reaches the game through the ANSI code page: pin it to 1252.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
ansi() { printf '%s' "$1" | iconv -f UTF-8 -t CP1252; }

root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(launcher VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
archive="$E2E_BUILD_DIR/release-test/dist/launcher-$version-windows.zip"
[ -f "$archive" ] || fail "no release archive at $archive"
unpacked="$E2E_RUNS_DIR/installer-archive"
rm -rf "$unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$archive") || fail "cannot unpack $archive"

status=0
run_in "$unpacked/examples/demo-game" "$unpacked/launcher-check.exe" || status=$?
expect_eq "the preview in the archive's sample folder: exit code" 0 "$status"
cp "$PROBES/stand_in_game.exe" "$unpacked/examples/demo-game/bin/demo_game.exe"
makensis -WX -V2 "$unpacked/installer/example.nsi" >"$E2E_LOG_DIR/makensis.log" 2>&1 ||
  fail "makensis: $(cat "$E2E_LOG_DIR/makensis.log")"
note "the preview passes in the archive's sample folder; makensis built its example installer"

read_adapter_vendor
expected=-window
[ "$ADAPTER_VENDOR" = 0x10DE ] && expected=-opengl
game='C:\Launcher E2E\Café Démo'
folder="$WINEPREFIX/drive_c/Launcher E2E/Café Démo"
links=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Launcher Demo Game.lnk"
  "$WINEPREFIX/drive_c/users/Public/Desktop/Launcher Demo Game.lnk")
entry='Software\Microsoft\Windows\CurrentVersion\Uninstall\LauncherDemoGame'
recordKey='Software\LauncherDemo\DemoGame\Video'

install_click_uninstall() {
  local today=$1 detection
  detection=$(day_name "$today")
  rm -rf "$folder"
  reg_delete_key HKCU 'Software\LauncherDemo'

  # NSIS takes /D= unquoted, to the end of its command line, and Wine quotes an argument that holds a
  # space: the folder goes in as words, which Wine joins with single spaces.
  local status=0
  run_in "$E2E_STATE_DIR" "$unpacked/installer/launcher-demo-game-setup.exe" /S '/D=C:\Launcher' 'E2E\Café' Démo ||
    status=$?
  expect_eq "silent install: exit code" 0 "$status"
  expect_eq "installed files" "$(printf '%s\n' ./CONF/TMPFILE.TXT ./KQgameplay.ini ./KQgameset.ini ./bin/demo_game.exe \
    ./companion.exe ./launcher.exe ./uninstall.exe)" "$(cd "$folder" && find . -type f | LC_ALL=C sort)"
  cmp -s "$folder/launcher.exe" "$unpacked/launcher.exe" && cmp -s "$folder/companion.exe" "$unpacked/companion.exe" ||
    fail "the installed programs are not the archive's 32-bit ones"
  local link
  for link in "${links[@]}"; do
    [ -f "$link" ] || fail "no shortcut $link"
    expect_eq "shortcut $link" "$(printf 'target=%s\\companion.exe\narguments=\nworking_directory=%s' "$game" "$game")" \
      "$(probe shortcut_probe "$(win_path "$link")")"
  done
  expect_eq "Apps and features: the silent uninstall" "\"$game\\uninstall.exe\" /S" \
    "$(from_hex "$(reg_value HKLM "$entry" QuietUninstallString | sed -n 's/.* bytes=\(.*\) 00$/\1/p')" |
      iconv -f CP1252 -t UTF-8)"
  note "installed in $game; both shortcuts start companion.exe there"

  # Two starts of the shortcut, the second while the launcher of the first is running.
  wine_start() {
    (exec timeout "$E2E_WINE_TIMEOUT" wine start /unix "${links[0]}") >>"$E2E_LOG_DIR/installer.start.log" 2>&1 </dev/null
  }
  wine_start || fail "wine start failed on the shortcut"
  local deadline=$((SECONDS + 20))
  until folder_busy "$game\\launcher.exe"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "no launcher started from the shortcut"
    sleep 0.1
  done
  wine_start || fail "wine start failed on the shortcut, the second time"
  wait_game_record "$folder/bin" 30
  wait_folder_idle "$folder" 30
  expect_one_game_start "two starts of the shortcut" "$folder/bin" "$(ansi "$game\\bin\\demo_game.exe")" "$expected" \
    "$(ansi "$game\\bin")"
  expect_eq "width recorded" "type=4 length=4 bytes=$(dword_bytes 1024)" "$(reg_value HKCU "$recordKey" ScreenWidth)"
  expect_eq "height recorded" "type=4 length=4 bytes=$(dword_bytes 768)" "$(reg_value HKCU "$recordKey" ScreenHeight)"
  note "two starts: one game, $expected, in $game\\bin; 1024 x 768 recorded"

  # Today's detection file, as a run that ended at the report leaves it, and its VirtualStore copy.
  local store
  run_in "$E2E_STATE_DIR" cmd /c echo %LOCALAPPDATA% || fail "no LOCALAPPDATA"
  store="$(winepath -u "$(tr -d '\r\n' <"$E2E_LAST_OUTPUT")" 2>/dev/null)/VirtualStore/Launcher E2E/Café Démo"
  mkdir -p "$store"
  write_detection_file "$store/$detection" 0x10DE
  [ -e "$folder/$detection" ] || write_detection_file "$folder/$detection" 0x10DE

  status=0
  run_in "$E2E_STATE_DIR" "$folder/uninstall.exe" /S || status=$?
  expect_eq "silent uninstall: exit code" 0 "$status"
  # The uninstaller runs on from a copy of itself, whose command line names the game folder; it removes
  # uninstall.exe last but one.
  deadline=$((SECONDS + 30))
  while [ -e "$folder/uninstall.exe" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the uninstaller did not remove uninstall.exe within 30 s"
    sleep 0.2
  done
  wait_folder_idle "$folder" 30
  expect_eq "files left in the game folder" ./bin/game_record.txt "$(cd "$folder" && find . -type f)"
  for link in "${links[@]}"; do
    [ ! -e "$link" ] || fail "the uninstaller left $link"
  done
  [ ! -e "$store/$detection" ] || fail "the uninstaller left the VirtualStore copy of $detection"
  expect_eq "Apps and features entry after the uninstall" missing "$(reg_value HKLM "$entry" UninstallString)"
  ! reg_key_exists HKCU 'Software\LauncherDemo' || fail "the uninstaller left HKEY_CURRENT_USER\\Software\\LauncherDemo"
  rm -rf "$folder"
  note "uninstalled: programs, shortcuts, entry, record key and $detection removed"
}

on_one_day install_click_uninstall

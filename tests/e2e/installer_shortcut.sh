#!/usr/bin/env bash
# The player's whole path, from the release archive as the release_archive test built it: the preview
# passes in the archive's sample folder; makensis builds installer/example.nsi from the unpacked archive,
# whose demo game is replaced by the stand-in game under the same name, as version 1.0, and as version 2.0
# after the publisher changed the sample's Para and default width. Version 1.0, installed silently into a
# folder whose name has spaces and a non-ASCII character, makes both shortcuts to the installed
# companion.exe in the game folder and one entry in "Apps and features". Starting the Start-menu shortcut
# through the shell, as a player's double click does (wine start), runs the companion, the launcher and the
# game: the stand-in starts once, in <game folder>\bin, with the parameters the adapter's vendor calls for,
# and the resolution is recorded; a second start while the first run is under way starts no second game.
# The player then changes the settings (qnoresX=1920, check1=1, as a game's options screen writes them)
# and puts a file of their own into the folder. Version 2.0 installed over it keeps those values and the
# file, takes the publisher's new Para, and updates the same entry. A second install into another folder
# has its own entry; the shortcuts, of the same names, now start that copy. The silent uninstall of the
# first, named in its entry, leaves no program, entry, record key or detection file of the day, neither in
# the game folder nor in the VirtualStore folder where Windows puts a 32-bit companion's file (Wine does not
# virtualize: the test puts one there itself), and leaves the other copy's shortcuts and entry; only the
# stand-in's record and the player's file stay. The other copy's uninstall then removes its shortcuts.
# Where this machine runs 32-bit programs, that is the example as the archive's README builds it: a 32-bit
# installer of the 32-bit programs, its entry in the registry's 32-bit view. Where it runs none, the
# example is built with -DBITNESS=x64: a 64-bit installer (NSIS's amd64-unicode stub) of the archive's x64
# programs, run with the shortcuts and the uninstallers through Wine's 64-bit loader, its entry in the
# 64-bit view; the VirtualStore copy is then one the uninstaller removes though no 64-bit companion makes it.
# Usage: installer_shortcut.sh
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
# bitness: the example's programs and installer; programs: where the archive holds those programs; view:
# the registry view where its entry belongs.
if e2e_host_runs_32bit; then
  bitness=x86 programs=. view=32
  variant="x86: this machine runs 32-bit programs, so the example's default, 32-bit installer and programs"
else
  bitness=x64 programs=x64 view=64
  variant="x64: this machine runs no 32-bit programs (its kernel has IA-32 emulation off), so the example built"
  variant+=" with -DBITNESS=x64: the 64-bit installer and the archive's x64 programs, under Wine's 64-bit loader"
fi
e2e_use_build "$bitness"
note "$variant"
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
run_in "$unpacked/examples/demo-game" "$unpacked/$programs/launcher-check.exe" || status=$?
expect_eq "the preview in the archive's sample folder: exit code" 0 "$status"
cp "$PROBES/stand_in_game.exe" "$unpacked/examples/demo-game/bin/demo_game.exe"
# build_setup <version>: the example installer of that version, as $unpacked/setup-<version>.exe.
build_setup() {
  local defines=("-DGAME_VERSION=$1")
  [ "$bitness" = x86 ] || defines+=("-DBITNESS=$bitness")
  makensis -WX -V2 "${defines[@]}" "$unpacked/installer/example.nsi" >"$E2E_LOG_DIR/makensis.log" 2>&1 ||
    fail "makensis: $(cat "$E2E_LOG_DIR/makensis.log")"
  mv "$unpacked/installer/launcher-demo-game-setup.exe" "$unpacked/setup-$1.exe"
}
build_setup 1.0
# The publisher's next version: new parameters, and a new default width the player's own must outlast.
sample="$unpacked/examples/demo-game/KQgameset.ini"
sed -i 's/^Para=-window\r$/Para=-window -v2\r/; s/^qnoresX=1024\r$/qnoresX=1280\r/' "$sample"
grep -q $'^Para=-window -v2\r$' "$sample" && grep -q $'^qnoresX=1280\r$' "$sample" ||
  fail "the sample's KQgameset.ini does not hold Para=-window and qnoresX=1024"
build_setup 2.0
note "the preview passes in the archive's sample folder; makensis built its example installer ($bitness)," \
  "versions 1.0 and 2.0"

read_adapter_vendor
expected=-window
[ "$ADAPTER_VENDOR" = 0x10DE ] && expected=-opengl
game='C:\Launcher E2E\Café Démo'
folder="$WINEPREFIX/drive_c/Launcher E2E/Café Démo"
other='C:\Launcher E2E\Second Copy'
otherFolder="$WINEPREFIX/drive_c/Launcher E2E/Second Copy"
links=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Launcher Demo Game.lnk"
  "$WINEPREFIX/drive_c/users/Public/Desktop/Launcher Demo Game.lnk")
uninstallRoot='Software\Microsoft\Windows\CurrentVersion\Uninstall'
recordKey='Software\LauncherDemo\DemoGame\Video'

# entries: ENTRIES becomes the example's entries in "Apps and features" (the registry view the installer
# writes, that of the build under test), one line each: the key's name, then the silent uninstall it names.
# Set in this shell, not printed into a $(...): a failed query then fails the test, not a subshell alone.
entries() {
  local key
  if ! run_in "$E2E_STATE_DIR" reg query "HKLM\\$uninstallRoot" "/reg:$view"; then
    # No Uninstall key at all in that view (the build's own, as reg_probe reads it): no entries. Any other
    # failure fails the test.
    ! reg_key_exists HKLM "$uninstallRoot" || fail "reg query failed: $(tr -d '\r' <"$E2E_LAST_ERRORS")"
    ENTRIES=
    return
  fi
  ENTRIES=$(while IFS= read -r key; do
    printf '%s %s\n' "$key" "$(from_hex "$(reg_value HKLM "$uninstallRoot\\$key" QuietUninstallString |
      sed -n 's/.* bytes=\(.*\) 00$/\1/p')" | iconv -f CP1252 -t UTF-8)"
  done < <(tr -d '\r' <"$E2E_LAST_OUTPUT" | sed -n 's/.*\\\(LauncherDemoGame[^\\]*\)$/\1/p' | LC_ALL=C sort))
}

# silent_install <setup> <folder's words>...: NSIS takes /D= unquoted, to the end of its command line, and
# Wine quotes an argument that holds a space: the folder goes in as words, which Wine joins with single
# spaces.
silent_install() {
  local setup=$1 words status=0
  shift
  words=("$@")
  words[0]="/D=${words[0]}"
  run_in "$E2E_STATE_DIR" "$unpacked/$setup" /S "${words[@]}" || status=$?
  expect_eq "silent install $setup into $*: exit code" 0 "$status"
}

# silent_uninstall <folder>: the uninstaller runs on from a copy of itself, whose command line names the
# game folder; it removes uninstall.exe last but one.
silent_uninstall() {
  local status=0 deadline=$((SECONDS + 30))
  run_in "$E2E_STATE_DIR" "$1/uninstall.exe" /S || status=$?
  expect_eq "silent uninstall in $1: exit code" 0 "$status"
  while [ -e "$1/uninstall.exe" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the uninstaller did not remove $1/uninstall.exe within 30 s"
    sleep 0.2
  done
  wait_folder_idle "$1" 30
}

# expect_shortcuts <Windows folder>: both shortcuts start companion.exe there, in that folder.
expect_shortcuts() {
  local link
  for link in "${links[@]}"; do
    [ -f "$link" ] || fail "no shortcut $link"
    expect_eq "shortcut $link" "$(printf 'target=%s\\companion.exe\narguments=\nworking_directory=%s' "$1" "$1")" \
      "$(probe shortcut_probe "$(win_path "$link")")"
  done
}

# settings: the installed values the player may choose and the publisher's Para, as the launcher reads them.
settings() {
  local set play
  set=$(profile_values "$folder" .\\KQgameset.ini BV qnoresX 800 16 BV qnoresY 800 16 game Para "" 400)
  play=$(profile_values "$folder" .\\KQgameplay.ini ExtSet check1 0 16)
  printf 'qnoresX=%s qnoresY=%s check1=%s Para=%s\n' "$(profile_field "$set" BV/qnoresX int)" \
    "$(profile_field "$set" BV/qnoresY int)" "$(profile_field "$play" ExtSet/check1 int)" \
    "$(from_hex "$(profile_field "$set" game/Para text)")"
}

install_click_uninstall() {
  local today=$1 detection
  detection=$(day_name "$today")
  rm -rf "$folder" "$otherFolder"
  reg_delete_key HKCU 'Software\LauncherDemo'
  entries
  [ -z "$ENTRIES" ] || fail "entries of the example before its install: $ENTRIES"

  silent_install setup-1.0.exe 'C:\Launcher' 'E2E\Café' Démo
  expect_eq "installed files" "$(printf '%s\n' ./CONF/TMPFILE.TXT ./KQgameplay.ini ./KQgameset.ini ./bin/demo_game.exe \
    ./companion.exe ./launcher.exe ./uninstall.exe)" "$(cd "$folder" && find . -type f | LC_ALL=C sort)"
  cmp -s "$folder/launcher.exe" "$unpacked/$programs/launcher.exe" &&
    cmp -s "$folder/companion.exe" "$unpacked/$programs/companion.exe" ||
    fail "the installed programs are not the archive's $bitness ones"
  expect_shortcuts "$game"
  local entry
  entries
  entry=$ENTRIES
  [[ $entry == "LauncherDemoGame-"*" \"$game\\uninstall.exe\" /S" && $entry != *$'\n'* ]] ||
    fail "Apps and features: not one entry with the silent uninstall of $game: $entry"
  entry=${entry%% *}
  note "installed in $game; both shortcuts start companion.exe there; $entry in Apps and features," \
    "in the registry's ${view}-bit view"

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

  # The player's choices, as a game's options screen writes them, and a file of the player's own.
  expect_eq "version 1.0's settings" "qnoresX=1024 qnoresY=768 check1=0 Para=-window" "$(settings)"
  sed -i 's/^qnoresX=1024\r$/qnoresX=1920\r/' "$folder/KQgameset.ini"
  sed -i 's/^check1=0\r$/check1=1\r/' "$folder/KQgameplay.ini"
  expect_eq "the player's settings" "qnoresX=1920 qnoresY=768 check1=1 Para=-window" "$(settings)"
  mkdir -p "$folder/saves"
  echo "the player's own" >"$folder/saves/slot1.sav"

  silent_install setup-2.0.exe 'C:\Launcher' 'E2E\Café' Démo
  expect_eq "version 2.0 over the player's settings" "qnoresX=1920 qnoresY=768 check1=1 Para=-window -v2" "$(settings)"
  expect_eq "the player's file after version 2.0" "the player's own" "$(cat "$folder/saves/slot1.sav")"
  entries
  expect_eq "Apps and features after version 2.0" "$entry \"$game\\uninstall.exe\" /S" "$ENTRIES"
  expect_eq "the entry's version" "$(sz_value 2.0)" "$(reg_value HKLM "$uninstallRoot\\$entry" DisplayVersion)"
  expect_shortcuts "$game"
  note "version 2.0 kept qnoresX=1920 and check1=1 and the player's file, took Para=-window -v2; one entry, $entry"

  # A second copy in another folder: its own entry; the shortcuts of the same names now start it.
  silent_install setup-2.0.exe 'C:\Launcher' 'E2E\Second' Copy
  expect_shortcuts "$other"
  local both
  entries
  both=$ENTRIES
  [[ $(grep -c . <<<"$both") == 2 && $both == *"$entry \"$game\\uninstall.exe\" /S"* &&
    $both == *" \"$other\\uninstall.exe\" /S"* ]] || fail "Apps and features with two copies: $both"
  note "a second copy in $other: its own entry, and the shortcuts start it"

  # Today's detection file, as a run that ended at the report leaves it, and its VirtualStore copy.
  local store
  run_in "$E2E_STATE_DIR" cmd /c echo %LOCALAPPDATA% || fail "no LOCALAPPDATA"
  store="$(winepath -u "$(tr -d '\r\n' <"$E2E_LAST_OUTPUT")" 2>/dev/null)/VirtualStore/Launcher E2E/Café Démo"
  mkdir -p "$store"
  write_detection_file "$store/$detection" 0x10DE
  [ -e "$folder/$detection" ] || write_detection_file "$folder/$detection" 0x10DE

  silent_uninstall "$folder"
  expect_eq "files left in the game folder" "$(printf '%s\n' ./bin/game_record.txt ./saves/slot1.sav)" \
    "$(cd "$folder" && find . -type f | LC_ALL=C sort)"
  [ ! -e "$store/$detection" ] || fail "the uninstaller left the VirtualStore copy of $detection"
  ! reg_key_exists HKCU 'Software\LauncherDemo' || fail "the uninstaller left HKEY_CURRENT_USER\\Software\\LauncherDemo"
  expect_shortcuts "$other"
  entries
  expect_eq "Apps and features after the first copy's uninstall" "$(grep -v "^$entry " <<<"$both")" "$ENTRIES"
  note "the first copy uninstalled: programs, entry, record key and $detection removed; the second copy's shortcuts and entry kept"

  silent_uninstall "$otherFolder"
  [ ! -e "$otherFolder" ] || fail "the second copy's uninstaller left: $(cd "$otherFolder" && find . | paste -sd' ')"
  local link
  for link in "${links[@]}"; do
    [ ! -e "$link" ] || fail "the second copy's uninstaller left $link"
  done
  entries
  expect_eq "Apps and features after both uninstalls" "" "$ENTRIES"
  rm -rf "$folder"
  note "the second copy uninstalled with its shortcuts"
}

on_one_day install_click_uninstall

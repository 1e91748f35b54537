#!/usr/bin/env bash
# Files that are not as the launcher would have them, in two runs in one game folder:
#   1. today's detection file is read-only (no write permission, which Wine takes for the DOS read-only
#      attribute) and CONF\TMPFILE.TXT is missing: the run completes with exit code 0, the game gets
#      "-opengl" from the detection file, the detection file stays as it was (it cannot be deleted), and
#      the game's record is the only change in the folder;
#   2. the detection file is writable again and the game is missing: the player is told so in a message
#      box (read by msgbox_probe; the test holds the desktop), the detection file is gone while the box is
#      up, the run completes with exit code 0 once it is dismissed, and that is the only change in the folder;
#   3. a .exe of "MZ" and junk, then a DLL renamed .exe: neither is a program the loader runs (on Windows
#      and under Wine alike), so each is told as error 193 and nothing is started, the detection file again
#      gone while the box is up.
# In both, detection files named for other days (yesterday, 31 October 2012), today's name in the CONF
# folder, and unrelated .ini files are neither changed nor removed: contents, sizes, modes and
# modification times are compared before and after each run.
# Usage: hostile_files.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

folder=$(make_game_folder files)
name=$(basename "$folder")
# The detection file's name: year, day of the month, month (Wine's local time is the system's).
today=$(date +%Y%-d%-m)
yesterday=$(date -d yesterday +%Y%-d%-m)
[ "$yesterday" != "$today" ] || fail "yesterday's and today's detection files have the same name"

vendor_file() { printf '[last]\r\nVENID=%s\r\n' "$2" >"$folder/$1"; }
vendor_file "$yesterday.ini" 0x10DE
vendor_file 20123110.ini 0x10DE
vendor_file "CONF/$today.ini" 0x10DE
printf '[ExtSet]\r\nradiostate=2\r\n' >"$folder/settings.ini"
printf '[game]\r\nGameExec=other.exe\r\n' >"$folder/bin/game.ini"
printf '[last]\r\nVENID=0x1002\r\n' >"$folder/$today.ini.bak"
# Today's file, its vendor given twice (the first counts) and LF line ends.
printf '[last]\nVENID=0x10DE\nVENID=0x1002\n' >"$folder/$today.ini"
chmod a-w "$folder/$today.ini"
touch -d '2012-10-31 12:00' "$folder"/*.ini "$folder"/*.bak "$folder"/CONF/*.ini "$folder"/bin/*.ini

# settings <display key> <game>: settings for radiostate 1 (the detection file decides) and Para -window.
settings() {
  write_complete_settings "$folder" "$1"
  sed -i "s/^GameExec=.*/GameExec=$2\r/" "$folder/KQgameset.ini"
  sed -i 's/^radiostate=.*/radiostate=1\r/' "$folder/KQgameplay.ini"
}

# Type, permissions, size, modification time (ns) and SHA-256 of everything in the folder, one line each.
listing() {
  (cd "$folder" && find . -mindepth 1 -printf '%y %m %s %T@ %p\n' | LC_ALL=C sort -k5) |
    while read -r type mode size mtime path; do
      if [ "$type" = f ]; then
        printf '%s %s %s %s %s %s\n' "$type" "$mode" "$size" "$mtime" "$(sha256sum <"$folder/$path" | cut -c1-64)" "$path"
      else
        printf '%s %s %s\n' "$type" "$mode" "$path"
      fi
    done
}

launch() {
  local status=0
  run_in "$folder" "$LAUNCHER" || status=$?
  expect_eq "$1: exit code" 0 "$status"
  wait_folder_idle "$folder"
  [ "$(date +%Y%-d%-m)" = "$today" ] || fail "the date changed during the run; run the test again"
}

note "run 1: read-only detection file, no registry script"
settings "Software\\LauncherE2E\\Files\\$name\\1" stand_in_game.exe
before=$(listing)
launch "run 1"
expect_eq "run 1: width" "type=4 length=4 bytes=$(dword_bytes 1024)" \
  "$(reg_value HKCU "Software\\LauncherE2E\\Files\\$name\\1" Width)"
[ -f "$folder/bin/game_record.txt" ] || fail "run 1: the game was not started"
expect_eq "run 1: the game's parameters" arguments=-opengl "$(grep '^arguments=' "$folder/bin/game_record.txt" | tr -d '\r')"
expect_eq "run 1: the folder, apart from the game's record" "$before" "$(listing | grep -v ' ./bin/game_record.txt$')"

note "run 2: writable detection file, no game"
chmod u+w "$folder/$today.ini"
settings "Software\\LauncherE2E\\Files\\$name\\2" missing_game.exe
before=$(listing)
expect_told_not_started "run 2" "$folder" 'bin\missing_game.exe' 2 "$folder/$today.ini"
[ "$(date +%Y%-d%-m)" = "$today" ] || fail "the date changed during the run; run the test again"
expect_eq "run 2: width" "type=4 length=4 bytes=$(dword_bytes 1024)" \
  "$(reg_value HKCU "Software\\LauncherE2E\\Files\\$name\\2" Width)"
[ ! -e "$folder/$today.ini" ] || fail "run 2: today's detection file was not deleted"
expect_eq "run 2: the folder, apart from today's detection file" "$(grep -v " ./$today.ini$" <<<"$before")" \
  "$(listing)"
note "only the expected changes: the game's record, then the removal of today's detection file"

note "run 3: \"MZ\" and junk, a DLL renamed .exe"
printf 'MZ%062d, then no header where that points\r\n' 0 >"$folder/bin/junk.exe"
cp "$PROBES/planted_dll.dll" "$folder/bin/library.exe"
for game in junk.exe library.exe; do
  settings "Software\\LauncherE2E\\Files\\$name\\3" "$game"
  printf '[last]\r\nVENID=0x10DE\r\n' >"$folder/$today.ini"
  expect_told_not_started "run 3, $game" "$folder" "bin\\$game" 193 "$folder/$today.ini"
  expect_eq "run 3, $game: games started in all" 1 "$(grep -c '^\[run\]' "$folder/bin/game_record.txt")"
done

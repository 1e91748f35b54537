#!/usr/bin/env bash
# The configuration report for incomplete REGSET sections whose other values are set, read byte for byte
# from the real message box (msgbox_probe), which is then dismissed with OK:
#   1. SUBKEY empty, every other key set: ROOT 65537 shows as 1, VALUETYPE 65538 as 2, nothing between
#      "SUBKEY = " and the space that ends its line; VALUENAMEX holds "%" sequences and backslashes (shown
#      as they are, not taken as a format) and arrives cut to its 199 characters; VALUENAMEY is written in
#      quotes in the file, so the profile functions keep its leading and trailing spaces, and the report
#      keeps them too, before its own line-end space.
#   2. ROOT 65536 (acts as 0) with SUBKEY, VALUENAMEX and VALUENAMEY longer than their fields: the report
#      shows ROOT = 0 and the three texts at their full capacities (399, 199 and 199 characters).
# After each report the launcher exits 0, writes no value, creates no key and starts no game.
# Usage: launch_report_values.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

# repeat <count> <character>
repeat() {
  local text
  printf -v text '%*s' "$1" ''
  printf '%s' "${text// /$2}"
}

# escaped <text>: the text as msgbox_probe writes it (backslash as \\, line feed as \n).
escaped() {
  local text=${1//\\/\\\\}
  printf '%s' "${text//$'\n'/\\n}"
}

# hex <text>: the text's bytes as msgbox_probe's text_hex line gives them.
hex() {
  printf '%s' "$1" | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

# report_run <case> <folder> <expected text>: runs the launcher in the folder, reads and dismisses its
# report, and checks the text, the title, the exit code and that no game was started.
report_run() {
  local what=$1 folder=$2 expected=$3
  local launcher status=0 box
  run_in "$folder" "$LAUNCHER" &
  launcher=$!
  box=$(probe msgbox_probe 40) || status=$?
  printf '%s\n' "$box" | sed 's/^/  | /'
  expect_eq "$what: msgbox_probe exit code (0: a box came up and was dismissed)" 0 "$status"
  expect_eq "$what: report title (the platform's default)" "Error" "$(sed -n 's/^caption=//p' <<<"$box")"
  expect_eq "$what: report text" "$(escaped "$expected")" "$(sed -n 's/^text=//p' <<<"$box")"
  expect_eq "$what: report bytes" "$(hex "$expected")" "$(sed -n 's/^text_hex=//p' <<<"$box")"
  status=0
  wait "$launcher" || status=$?
  expect_eq "$what: exit code after the report" 0 "$status"
  wait_folder_idle "$folder"
  [ ! -e "$folder/bin/game_record.txt" ] || fail "$what: a game was started after the report"
  expect_eq "$what: files left in the folder" \
    "$(printf '%s\n' ./CONF ./CONF/TMPFILE.TXT ./KQgameplay.ini ./KQgameset.ini ./bin ./bin/stand_in_game.exe)" \
    "$(cd "$folder" && find . -mindepth 1 | LC_ALL=C sort)"
}

write_play() {
  printf '[ExtSet]\ncheck1=1\nradiostate=2\n' | write_play_settings "$1"
}

# 1. SUBKEY empty.
folder=$(make_game_folder report-subkey)
nameX="%s%d%n\\x\\$(repeat 189 N)Z"      # 199 characters: 9, 189 N, Z
nameY=" lead and trail "
write_game_settings "$folder" <<INI
[BV]
qnoresX=1024
qnoresY=768
[REGSET]
SUBKEY=
ROOT=65537
VALUENAMEX=${nameX}cut off
VALUENAMEY="$nameY"
VALUETYPE=65538
[game]
GameExecPath=bin
GameExec=stand_in_game.exe
Para=-window
INI
write_play "$folder"
write_registry_script "$folder" </dev/null
expect_eq "the first value name's length" 199 "${#nameX}"
report_run "SUBKEY empty" "$folder" \
  " ROOT = 1"$'\n'" SUBKEY =  "$'\n'" VALUENAMEX = $nameX "$'\n'" VALUENAMEY = $nameY "$'\n'" VALUETYPE = 2"
# With no subkey, a wrong write would land on a root key itself (ROOT 65537: HKEY_LOCAL_MACHINE).
for root in HKLM HKCU; do
  expect_eq "SUBKEY empty: $root value $nameX" missing "$(reg_value "$root" "" "$nameX")"
  expect_eq "SUBKEY empty: $root value '$nameY'" missing "$(reg_value "$root" "" "$nameY")"
done

# 2. ROOT 65536, the three texts longer than their fields.
folder=$(make_game_folder report-root)
base="Software\\LauncherE2E\\Report\\$(basename "$folder")"
subkey="$base\\$(repeat 200 A)\\$(repeat 250 B)"
subkey399=${subkey:0:399}
nameX="$(repeat 198 X)Z"
nameY="$(repeat 198 Y)Z"
write_game_settings "$folder" <<INI
[REGSET]
SUBKEY=$subkey
ROOT=65536
VALUENAMEX=${nameX}cut off
VALUENAMEY=${nameY}cut off
VALUETYPE=1
[game]
GameExecPath=bin
GameExec=stand_in_game.exe
Para=-window
INI
write_play "$folder"
write_registry_script "$folder" </dev/null
report_run "ROOT 65536" "$folder" \
  " ROOT = 0"$'\n'" SUBKEY = $subkey399 "$'\n'" VALUENAMEX = $nameX "$'\n'" VALUENAMEY = $nameY "$'\n'" VALUETYPE = 1"
for root in HKCU HKLM; do
  expect_eq "ROOT 65536: $root key $base" missing "$(probe reg_probe -key "$root" "$base")"
done
note "both reports shown as read; nothing written, nothing started"

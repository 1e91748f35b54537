#!/usr/bin/env bash
# Settings files as hand editing and other tools leave them: the play settings file begins with a UTF-8
# byte order mark; the game settings file has LF-only line ends, a line of garbage bytes before its first
# section, keys given twice, sections given twice, a line of 100,000 characters, integers in odd forms
# (hex, leading blanks, trailing garbage, a minus sign), blanks around names and values, control and high
# bytes in Para, and values longer than their capacities (VALUENAMEX 250 characters, Para 600).
#
# The launcher must exit 0 and act on exactly what the platform's profile functions read from these
# files: profile_probe reads every key the launcher reads, with the same defaults and capacities, and the
# registry values and the game start must follow from those readings. The readings this test relies on
# are checked too (a changed platform would make it test something else), among them the cuts to 399 and
# 199 characters.
# Usage: hostile_settings.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"
# The bytes of Para go through the ANSI code page on their way to the game: pin it to 1252.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

folder=$(make_game_folder settings)
name=$(basename "$folder")
repeat() { printf "%${2}s" '' | tr ' ' "$1"; }

# SUBKEY is as long as Wine's ANSI registry functions take (260 characters: a longer path fails there, so
# nothing would be written whatever the launcher did).
subkey="Software\\LauncherE2E\\Hostile\\$name\\"
subkey+=$(repeat k $((260 - ${#subkey})))
valueNameX=$(repeat W 250)
garbage=$'\x01\x02\x7f\x80\x81\x8d\x9d\xa0\xff'

{
  printf 'junk %s \xfe\xff no equals sign\n' "$garbage"
  printf '[BV]\nqnores=1\nqnoresX=0x2A0\nqnoresX=1111\nqnoresY=  -480 px\n'
  printf '[REGSET]\n  SUBKEY \t=  %s \t\nSUBKEY=Software\\Other\nROOT=2\nVALUENAMEX=%s\n' "$subkey" "$valueNameX"
  printf 'VALUENAMEY=Height\nVALUENAMEY=Other\nVALUETYPE=1 \n'
  printf '%s\n' "$(repeat x 100000)"
  printf '[BV]\nqnoresY=600\n'
  printf '[game]\nGameExecPath=bin\nGameExec=stand_in_game.exe\nPara=-g=%s%s\n' "$garbage" "$(repeat p 600)"
  printf '[game]\nPara=second\n'
} >"$folder/KQgameset.ini"
# Should the mark hide [ExtSet], check1 would be 0 and customquality 255, unlike qnores: the screen's
# resolution would be recorded instead of the configured one.
printf '\xef\xbb\xbf[ExtSet]\r\ncheck1=1\r\ncustomquality=1\r\nradiostate=3\r\n' >"$folder/KQgameplay.ini"

game=$(profile_values "$folder" '.\KQgameset.ini' BV qnores 255 10 BV qnoresX 800 10 BV qnoresY 800 10 \
  REGSET SUBKEY 0 400 REGSET ROOT 0 10 REGSET VALUENAMEX 0 200 REGSET VALUENAMEY 0 200 REGSET VALUETYPE 0 10 \
  game GameExec 0 400 game GameExecPath 0 400 game Para 0 400) || exit 1
play=$(profile_values "$folder" '.\KQgameplay.ini' ExtSet check1 0 10 ExtSet customquality 255 10 \
  ExtSet radiostate 3 10) || exit 1
printf '%s\n' "$game" "$play" | cut -c1-160 | sed 's/^/  | /'

# The readings the cases stand on.
expect_eq "ANSI code page" acp=1252 "$(sed -n 1p <<<"$game")"
expect_eq "check1 behind the byte order mark" 1 "$(profile_field "$play" ExtSet/check1 int)"
expect_eq "radiostate" 3 "$(profile_field "$play" ExtSet/radiostate int)"
expect_eq "SUBKEY, the first of two, without the blanks" "$(printf '%s' "$subkey" | hex_bytes)" \
  "$(profile_field "$game" REGSET/SUBKEY text)"
expect_eq "VALUENAMEX cut to 199 characters" 199 "$(profile_field "$game" REGSET/VALUENAMEX length)"
expect_eq "Para cut to 399 characters" 399 "$(profile_field "$game" game/Para length)"
expect_eq "Para's first bytes, garbage included" "$(printf -- '-g=%s' "$garbage" | hex_bytes)" \
  "$(profile_field "$game" game/Para text | cut -c1-$((12 * 3 - 1)))"
expect_eq "VALUENAMEY, the first of two" Height "$(from_hex "$(profile_field "$game" REGSET/VALUENAMEY text)")"
expect_eq "the game entries, after the long line" bin/stand_in_game.exe \
  "$(from_hex "$(profile_field "$game" game/GameExecPath text)")/$(from_hex "$(profile_field "$game" game/GameExec text)")"

status=0
run_in "$folder" "$LAUNCHER" || status=$?
expect_eq "exit code" 0 "$status"

# The registry values: under the SUBKEY as read, the names as read, the integers as read.
readSubkey=$(from_hex "$(profile_field "$game" REGSET/SUBKEY text)")
readNameX=$(from_hex "$(profile_field "$game" REGSET/VALUENAMEX text)")
readNameY=$(from_hex "$(profile_field "$game" REGSET/VALUENAMEY text)")
expect_eq "ROOT as read" 2 "$(profile_field "$game" REGSET/ROOT int)"
expect_eq "VALUETYPE as read" 1 "$(profile_field "$game" REGSET/VALUETYPE int)"
expect_eq "width, qnoresX as read ($(from_hex "$(profile_field "$game" BV/qnoresX text)"))" \
  "type=4 length=4 bytes=$(dword_bytes "$(profile_field "$game" BV/qnoresX int)")" \
  "$(reg_value HKCU "$readSubkey" "$readNameX")"
expect_eq "height, qnoresY as read ($(from_hex "$(profile_field "$game" BV/qnoresY text)"))" \
  "type=4 length=4 bytes=$(dword_bytes "$(profile_field "$game" BV/qnoresY int)")" \
  "$(reg_value HKCU "$readSubkey" "$readNameY")"
expect_eq "nothing under the full 250-character VALUENAMEX" missing "$(reg_value HKCU "$readSubkey" "$valueNameX")"

# The game: started once, from bin, with Para as read (399 bytes, garbage and all).
record="$folder/bin/game_record.txt"
deadline=$((SECONDS + 20))
until [ -s "$record" ] || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.2; done
wait_folder_idle "$folder"
[ -s "$record" ] || fail "the game was not started"
expect_eq "game started once" 1 "$(grep -c '^\[run\]' "$record")"
expect_eq "the game's parameters: Para as read" "$(profile_field "$game" game/Para text)" \
  "$(LC_ALL=C sed -n 's/^arguments=//p' "$record" | tr -d '\r\n' | hex_bytes)"
expect_eq "the game's directory" "$(win_path "$folder")\\bin" \
  "$(LC_ALL=C sed -n 's/^current_directory=//p' "$record" | tr -d '\r')"
note "the launcher acted on the settings as the profile functions read them"

#!/usr/bin/env bash
# The resolution record in the real registry, read back byte for byte with reg_probe (RegQueryValueExA):
#   - REG_DWORD (VALUETYPE 1): 4 bytes, little-endian, negative numbers as their two's complement;
#   - REG_SZ (VALUETYPE 2): exactly 10 bytes, the "%d" digits then zero bytes, "-768" for a negative
#     number; a text longer than 9 characters is stored whole with one zero byte (11 or 12 bytes), never
#     cut to 10 (the launcher's deliberate departure from the 10-byte field);
#   - below HKEY_CURRENT_USER (ROOT 2) and HKEY_LOCAL_MACHINE (ROOT 1, and ROOT 65537 acting as 1);
#   - the screen's resolution for real: check1 0 and qnores unlike customquality record the size of the
#     fixture's Xvfb screen, 1600 x 900, not the configured qnoresX/qnoresY.
# Registry views: HKCU\Software is one key for 32-bit and 64-bit programs, so both readers see the same
# values. HKLM\Software is split: the 32-bit build writes into the 32-bit view, where the x86 reg_probe
# (reading as a 32-bit game reads) finds the values; a 64-bit reader finds them under
# HKLM\Software\Wow6432Node and not at the path itself. The 64-bit build's HKLM values are in the 64-bit
# view only.
# The five runs are independent (own folder, own keys) and run side by side, so their pauses overlap.
# Usage: launch_record.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

# prepare <case> <ROOT> <VALUETYPE> <play settings ExtSet lines> <BV lines>: a game folder for one run
# whose REGSET section is complete (its own subkey below Software\LauncherE2E\Record, values Width and
# Height); sets FOLDER and KEY.
prepare() {
  FOLDER=$(make_game_folder "record-$1")
  KEY="Software\\LauncherE2E\\Record\\$(basename "$FOLDER")"
  write_game_settings "$FOLDER" <<INI
[BV]
$5
[REGSET]
SUBKEY=$KEY
ROOT=$2
VALUENAMEX=Width
VALUENAMEY=Height
VALUETYPE=$3
[game]
GameExecPath=bin
GameExec=stand_in_game.exe
Para=-window
INI
  printf '[ExtSet]\n%s\nradiostate=3\n' "$4" | write_play_settings "$FOLDER"
  write_registry_script "$FOLDER" </dev/null
}

# The runs: case, ROOT, VALUETYPE, play settings, BV settings.
declare -A folders keys
cases=(dword screen hklm_dword hklm_sz long_sz)
prepare dword 2 1 "check1=1" $'qnoresX=1024\nqnoresY=-768'
folders[dword]=$FOLDER keys[dword]=$KEY
# qnores 2 and customquality 3 differ, so the screen's resolution stands; qnoresX/qnoresY are decoys.
prepare screen 2 2 $'check1=0\ncustomquality=3' $'qnores=2\nqnoresX=1024\nqnoresY=768'
folders[screen]=$FOLDER keys[screen]=$KEY
prepare hklm_dword 65537 1 "check1=1" $'qnoresX=2147483647\nqnoresY=-2147483648'
folders[hklm_dword]=$FOLDER keys[hklm_dword]=$KEY
prepare hklm_sz 1 2 "check1=1" $'qnoresX=-768\nqnoresY=999999999'
folders[hklm_sz]=$FOLDER keys[hklm_sz]=$KEY
prepare long_sz 2 2 "check1=1" $'qnoresX=1234567890\nqnoresY=-2147483648'
folders[long_sz]=$FOLDER keys[long_sz]=$KEY

index=0
for c in "${cases[@]}"; do
  index=$((index + 1))
  start_run "$index" "${folders[$c]}"
done
wait

for c in "${cases[@]}"; do
  folder=${folders[$c]}
  expect_eq "$c: launcher exit code" 0 "$(cat "$folder.status")"
  wait_folder_idle "$folder"
  # The game start shows that the run went on past the record.
  record=$(tr -d '\r' <"$folder/bin/game_record.txt" 2>/dev/null) || fail "$c: the game was not started"
  expect_eq "$c: game arguments" "arguments=-window" "$(grep '^arguments=' <<<"$record")"
done

# check_hkcu <case> <Width line> <Height line>: the values below HKEY_CURRENT_USER, for either reader.
check_hkcu() {
  local key=${keys[$1]}
  note "$1: HKCU\\$key"
  expect_eq "$1: HKCU Width" "$2" "$(reg_value HKCU "$key" Width)"
  expect_eq "$1: HKCU Height" "$3" "$(reg_value HKCU "$key" Height)"
  expect_eq "$1: HKCU Width, $OTHER_ARCH reader" "$2" "$(other_reg_value HKCU "$key" Width)"
  expect_eq "$1: HKCU Height, $OTHER_ARCH reader" "$3" "$(other_reg_value HKCU "$key" Height)"
  expect_eq "$1: nothing below HKLM" missing "$(probe reg_probe -key HKLM "$key")"
}

# check_hklm <case> <Width line> <Height line>: the values below HKEY_LOCAL_MACHINE, in the view of the
# build's own bitness, and where (and only where) the other bitness's reader finds them.
check_hklm() {
  local key=${keys[$1]}
  local redirected="Software\\Wow6432Node\\${key#Software\\}"
  note "$1: HKLM\\$key"
  expect_eq "$1: HKLM Width, $E2E_ARCH reader" "$2" "$(reg_value HKLM "$key" Width)"
  expect_eq "$1: HKLM Height, $E2E_ARCH reader" "$3" "$(reg_value HKLM "$key" Height)"
  if [ "$E2E_ARCH" = x86 ]; then
    expect_eq "$1: HKLM Width, x64 reader, Wow6432Node" "$2" "$(other_reg_value HKLM "$redirected" Width)"
    expect_eq "$1: HKLM Height, x64 reader, Wow6432Node" "$3" "$(other_reg_value HKLM "$redirected" Height)"
    expect_eq "$1: x64 reader, the 64-bit view's key" missing "$(other_reg_value -key HKLM "$key")"
  else
    expect_eq "$1: x86 reader, the 32-bit view's key" missing "$(other_reg_value -key HKLM "$key")"
    expect_eq "$1: x64 reader, Wow6432Node" missing "$(probe reg_probe -key HKLM "$redirected")"
  fi
  expect_eq "$1: nothing below HKCU" missing "$(probe reg_probe -key HKCU "$key")"
}

# 1024 x -768 as REG_DWORD: 0x00000400 and 0xfffffd00, little-endian.
check_hkcu dword "type=4 length=4 bytes=00 04 00 00" "type=4 length=4 bytes=00 fd ff ff"
# The screen, 1600 x 900, as REG_SZ: the digits, then zero bytes up to 10 bytes.
check_hkcu screen "type=1 length=10 bytes=31 36 30 30 00 00 00 00 00 00" \
  "type=1 length=10 bytes=39 30 30 00 00 00 00 00 00 00"
# ROOT 65537 acts as 1; 2147483647 x -2147483648 as REG_DWORD.
check_hklm hklm_dword "type=4 length=4 bytes=ff ff ff 7f" "type=4 length=4 bytes=00 00 00 80"
# ROOT 1; -768 and 999999999 (the longest text that fits 10 bytes with its zero) as REG_SZ.
check_hklm hklm_sz "type=1 length=10 bytes=2d 37 36 38 00 00 00 00 00 00" \
  "type=1 length=10 bytes=39 39 39 39 39 39 39 39 39 00"
# Texts of 10 and 11 characters: stored whole, one zero byte after them (11 and 12 bytes). A cut 10-byte
# field would read back the same for the 10-character text (RegSetValueEx counts a string's missing zero
# when the byte after the data is one, on Windows and Wine alike); the 11-character one tells them apart.
check_hkcu long_sz "type=1 length=11 bytes=31 32 33 34 35 36 37 38 39 30 00" \
  "type=1 length=12 bytes=2d 32 31 34 37 34 38 33 36 34 38 00"
note "five records, each as the settings ask"

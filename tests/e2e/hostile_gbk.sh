#!/usr/bin/env bash
# A game folder with Chinese characters in its path, settings written in GBK, and Wine in the zh_CN.UTF-8
# locale, so that the ANSI code page is 936: the registry script (GBK too) is imported from the Chinese
# folder, the two values go under the Chinese-named key and value names, and the game is started from its
# Chinese-named folder with its Chinese parameters. The key's name is also checked with Wine's own reg
# tool in another code page, which sees only Unicode names: bytes that merely went through the same wrong
# code page twice would not pass there. Before it, the preview prints the folder and Para in GBK, and in
# UTF-8 with --utf8.
# Then folders named in Cyrillic and in Chinese under code page 1252, which cannot spell them, holding
# the companion and the launcher as shipped: the companion, started alone, starts the launcher from there,
# and both work from the folder's short form.
# Usage: hostile_gbk.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/game_helpers.sh"
e2e_use_build "$1"

# Wine takes each program's ANSI code page from the locale in its environment, call by call, also with the
# shared wineserver already running, so no prefix of its own is needed. It reads Unix file names in that
# locale's character set, so the locale must exist: without it the Chinese folder's files are not found.
locale -a | grep -qix 'zh_CN\.utf-\?8' || fail "no zh_CN.UTF-8 locale (scripts/install-deps generates it)"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK || fail "cannot encode [$1] in GBK"; }
gbk_hex() { gbk "$1" | hex_bytes; }

folder=$(make_game_folder 中文游戏)
name=$(basename "$folder")
scriptKey="Software\\LauncherE2E\\导入\\$name"
displayKey="Software\\LauncherE2E\\分辨率\\$name"
gameDir="游戏程序\\二进制"
gameExe="启动游戏.exe"
para="-玩家=张三 -地图=长城"
token="中文的值"

mkdir -p "$folder/游戏程序/二进制"
mv "$folder/bin/stand_in_game.exe" "$folder/游戏程序/二进制/$gameExe"
rmdir "$folder/bin"

{
  printf '[BV]\r\nqnoresX=1024\r\nqnoresY=768\r\n'
  printf '[REGSET]\r\nSUBKEY=%s\r\nROOT=2\r\n' "$(gbk "$displayKey")"
  printf 'VALUENAMEX=%s\r\nVALUENAMEY=%s\r\nVALUETYPE=1\r\n' "$(gbk 宽度)" "$(gbk 高度)"
  printf '[game]\r\nGameExecPath=%s\r\nGameExec=%s\r\nPara=%s\r\n' "$(gbk "$gameDir")" "$(gbk "$gameExe")" \
    "$(gbk "$para")"
} >"$folder/KQgameset.ini"
printf '[ExtSet]\r\ncheck1=1\r\nradiostate=3\r\n' >"$folder/KQgameplay.ini"
{
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\%s]\r\n' "$(gbk "$scriptKey")"
  printf '"%s"="%s"\r\n\r\n' "$(gbk 标记)" "$(gbk "$token")"
} >"$folder/CONF/TMPFILE.TXT"

windowsFolder=$(win_path "$folder")
note "game folder: $windowsFolder"

# What the profile functions give a program in this environment: code page 936 and the GBK bytes.
read_back=$(profile_values "$folder" '.\KQgameset.ini' REGSET SUBKEY 0 400) || exit 1
printf '%s\n' "$read_back" | sed 's/^/  | /'
expect_eq "ANSI code page" acp=936 "$(sed -n 1p <<<"$read_back")"
expect_eq "SUBKEY as the profile functions read it" "$(gbk_hex "$displayKey")" \
  "$(profile_field "$read_back" REGSET/SUBKEY text)"

# The preview prints the folder and the values in the ANSI code page, as the launcher reads them, or, with
# --utf8, readable on Linux: text to grep (-I finds nothing in a file it takes for binary). It exits with 2:
# SUBKEY beyond ASCII names another key for a player of another code page.
status=0
run_in "$folder" "$(shipped_program launcher-check)" || status=$?
[ "$status" -eq 2 ] || iconv -c -f GBK -t UTF-8 "$E2E_LAST_OUTPUT" "$E2E_LAST_ERRORS" | sed 's/^/  | /'
expect_eq "preview exit code (SUBKEY beyond ASCII: some players only)" 2 "$status"
LC_ALL=C grep -qF "$(gbk "  parameters: $para")" "$E2E_LAST_OUTPUT" || fail "the preview did not print Para in GBK"
status=0
run_in "$folder" "$(shipped_program launcher-check)" --utf8 || status=$?
expect_eq "preview exit code with --utf8" 2 "$status"
grep -q '^result: not for every player: SUBKEY holds characters beyond ASCII' "$E2E_LAST_OUTPUT" ||
  fail "the preview did not name SUBKEY's characters beyond ASCII"
for line in "current directory: $windowsFolder" "  parameters: $para"; do
  grep -qIxF -- "$line" <(tr -d '\r' <"$E2E_LAST_OUTPUT") || fail "the preview did not print in UTF-8: $line"
done
note "the preview in GBK by default, and in UTF-8 with --utf8"

status=0
run_in "$folder" "$LAUNCHER" || status=$?
expect_eq "exit code" 0 "$status"

expected="type=1 length=$(($(gbk "$token" | wc -c) + 1)) bytes=$(gbk_hex "$token") 00"
seen=$(wait_reg_value HKCU "$scriptKey" 标记 "$expected") || true
expect_eq "value imported from the GBK script in the Chinese folder" "$expected" "$seen"
expect_eq "width under the Chinese value name" "type=4 length=4 bytes=$(dword_bytes 1024)" \
  "$(reg_value HKCU "$displayKey" 宽度)"
expect_eq "height under the Chinese value name" "type=4 length=4 bytes=$(dword_bytes 768)" \
  "$(reg_value HKCU "$displayKey" 高度)"

record="$folder/游戏程序/二进制/game_record.txt"
deadline=$((SECONDS + 20))
until [ -s "$record" ] || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.2; done
wait_folder_idle "$folder"
[ -s "$record" ] || fail "the game was not started (no record in its Chinese-named folder)"
gameRun=$(LC_ALL=C tr -d '\r' <"$record")
expect_eq "game started once" 1 "$(grep -c '^\[run\]$' <<<"$gameRun")"
expect_eq "game's current directory (GBK)" "$(gbk "$windowsFolder\\$gameDir")" \
  "$(LC_ALL=C sed -n 's/^current_directory=//p' <<<"$gameRun")"
expect_eq "game's command line (GBK)" "$(gbk "\"$windowsFolder\\$gameDir\\$gameExe\" $para")" \
  "$(LC_ALL=C sed -n 's/^command_line=//p' <<<"$gameRun")"

# The same names through Unicode only: Wine's reg tool, given the names in UTF-8 and run in a single-byte
# code page, finds the key and its two values only when they carry the right Chinese characters.
for value in 宽度:0x400 高度:0x300; do
  status=0
  LANG=C.UTF-8 LC_ALL=C.UTF-8 run_in "$E2E_STATE_DIR" reg query "HKCU\\$displayKey" /v "${value%:*}" || status=$?
  expect_eq "reg query of ${value%:*}: exit code" 0 "$status"
  grep -q "REG_DWORD[[:space:]]*${value#*:}" "$E2E_LAST_OUTPUT" || fail "reg query: ${value%:*} is not ${value#*:}"
done
note "GBK settings in a Chinese folder: script imported, values written, game started in its folder"

# Wine in C.UTF-8 has the ANSI code page 1252, which has neither Cyrillic nor Chinese letters: the ANSI
# functions spell such a folder with "?". (Windows may also swap a letter for a look-alike of the code
# page; Wine does not, so only the "?" is seen here.) The companion, started alone from the folder,
# writes today's detection file into it and starts the launcher beside it by the folder's full name; the
# launcher imports the script, writes the values, starts the game in its folder and removes that file,
# all through the folder's short form. A file of the day there beforehand names a vendor for which the
# automatic mode chooses the other way: the game's parameters show that the launcher read the companion's.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
read_adapter_vendor
expectedParameters=-window
[ "$ADAPTER_VENDOR" = 0x10DE ] && expectedParameters=-opengl
for name in Игра 游戏; do
  folder=$(make_game_folder "$name")
  cp "$(shipped_program companion)" "$(shipped_program launcher)" "$folder/"
  key="Software\\LauncherE2E\\Unspelled\\$E2E_ARCH-$RANDOM$RANDOM"
  write_complete_settings "$folder" "$key"
  printf '[ExtSet]\ncheck1=1\nradiostate=1\n' | write_play_settings "$folder"
  printf '[HKEY_CURRENT_USER\\%s]\n"Marker"="%s"\n' "$key" "$name" | write_registry_script "$folder"

  today=$(date +%Y%-d%-m).ini
  [ -n "$ADAPTER_VENDOR" ] && write_detection_file "$folder/$today" "$OTHER_VENDOR"
  status=0
  run_in "$folder" "$folder/companion.exe" || status=$?
  expect_eq "$name: companion exit code" 0 "$status"

  wait_reg_value HKCU "$key" Marker "type=1 length=$(($(printf '%s' "$name" | wc -c) + 1)) bytes=$(sz_bytes "$name")" \
    >/dev/null || fail "$name: the registry script was not imported"
  deadline=$((SECONDS + 20))
  until [ -s "$folder/bin/game_record.txt" ] || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.2; done
  wait_folder_idle "$folder"
  [ -s "$folder/bin/game_record.txt" ] || fail "$name: the game was not started"
  expect_eq "$name: width" "type=4 length=4 bytes=$(dword_bytes 1024)" "$(reg_value HKCU "$key" Width)"
  gameRun=$(tr -d '\r' <"$folder/bin/game_record.txt")
  expect_eq "$name: game started once" 1 "$(grep -c '^\[run\]$' <<<"$gameRun")"
  [ "$(date +%Y%-d%-m).ini" = "$today" ] || fail "$name: the date changed during the run"
  expect_eq "$name: the game's parameters (the companion's vendor)" "$expectedParameters" \
    "$(sed -n 's/^arguments=//p' <<<"$gameRun")"
  gameDirectory=$(sed -n 's/^current_directory=//p' <<<"$gameRun")
  note "$name: the game ran in $gameDirectory"
  case "$gameDirectory" in *'?'* | '') fail "$name: the game's directory is not spelled: [$gameDirectory]" ;; esac
  expect_eq "$name: the game's directory is its folder" "$(readlink -f "$folder/bin")" \
    "$(readlink -f "$(WINEDEBUG=-all winepath -u "$gameDirectory" 2>/dev/null </dev/null)")"
  [ ! -e "$folder/$today" ] || fail "$name: today's detection file was not removed"
done
note "Cyrillic and Chinese folders under code page 1252: the companion alone started the launcher; script imported, values written, game started"

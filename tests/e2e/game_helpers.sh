# Helpers for the game-start tests (sourced after lib.sh): detection file names, game folders with their
# settings, the stand-in game's record, and cases that run side by side, each on one calendar day.

# day_name <yyyy-mm-dd> [swapped]: the name of the detection file the launcher reads on that day: year, day
# of the month, month, each without leading zeros (2012-10-31: 20123110.ini). With "swapped": year, month,
# day, the name a launcher that mixed them up would read.
day_name() {
  local format=%Y%-d%-m
  [ "${2:-}" = swapped ] && format=%Y%-m%-d
  date -d "$1" +"$format.ini"
}

# The helper itself, against the launcher's own examples.
if [ "$(day_name 2012-10-31)" != 20123110.ini ] || [ "$(day_name 2012-03-05)" != 201253.ini ] ||
  [ "$(day_name 2012-10-31 swapped)" != 20121031.ini ]; then
  fail "day_name composes the wrong names"
fi

# day_before <yyyy-mm-dd>: the date of the day before.
day_before() {
  date -d "$1 -1 day" +%F
}

# write_detection_file <path> <vendor>: an INI file with section last and VENID = vendor.
write_detection_file() {
  printf '[last]\nVENID=%s\n' "$2" | write_crlf "$1"
}

# read_adapter_vendor: what the companion of the build under test writes, from the DeviceID of the
# primary adapter as display_probe reads it. Sets ADAPTER_ID (that identifier, or nothing), ADAPTER_VENDOR
# ("0x" and the four hex digits after "PCI\VEN_" in upper case; nothing when the identifier names no PCI
# vendor, and the companion then writes nothing) and OTHER_VENDOR, a vendor for which the automatic mode
# chooses the other way (0x10DE, or 0x1002 when the adapter's vendor is 0x10DE).
read_adapter_vendor() {
  [ -f "$PROBES/display_probe.exe" ] || fail "no probe at $PROBES/display_probe.exe"
  ADAPTER_ID=$(probe display_probe) || ADAPTER_ID=""
  ADAPTER_VENDOR=""
  shopt -s nocasematch
  if [[ $ADAPTER_ID =~ ^PCI\\VEN_([0-9A-F]{4})(\&|$) ]]; then ADAPTER_VENDOR="0x${BASH_REMATCH[1]^^}"; fi
  shopt -u nocasematch
  OTHER_VENDOR=0x10DE
  [ "$ADAPTER_VENDOR" = 0x10DE ] && OTHER_VENDOR=0x1002
}

# write_game_start_settings <folder> <subkey> <GameExecPath> <GameExec> <Para> [radiostate]: a complete
# REGSET section (the current user's key <subkey>, Width and Height as 32-bit integers, 1024 x 768 from the
# settings) and the given game section; without a radiostate the play settings have no such key.
write_game_start_settings() {
  write_game_settings "$1" <<INI
[BV]
qnoresX=1024
qnoresY=768
[REGSET]
SUBKEY=$2
ROOT=2
VALUENAMEX=Width
VALUENAMEY=Height
VALUETYPE=1
[game]
GameExecPath=$3
GameExec=$4
Para=$5
INI
  {
    printf '[ExtSet]\ncheck1=1\n'
    [ -n "${6:-}" ] && printf 'radiostate=%s\n' "$6"
  } | write_play_settings "$1"
}

# folder_sums <folder>: every file below the folder with a checksum of its content, one a line.
folder_sums() {
  (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum)
}

# run_launcher_settled <folder>: runs the launcher with that current directory, then waits until nothing
# it started from the folder (the registry editor, the game) is left. Sets LAUNCHER_STATUS.
run_launcher_settled() {
  LAUNCHER_STATUS=0
  run_in "$1" "$LAUNCHER" || LAUNCHER_STATUS=$?
  wait_folder_idle "$1" 30
}

# wait_game_record <game folder> [seconds]: waits for the stand-in game's record in that folder (the
# launcher does not wait for the game). Fails after the timeout (default 20 s).
wait_game_record() {
  local deadline=$((SECONDS + ${2:-20}))
  until [ -f "$1/game_record.txt" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "no game started in $1 (no game_record.txt after ${2:-20} s)"
    sleep 0.2
  done
}

# expect_one_game_start <what> <game folder> <Windows path of the game file> <arguments> <Windows path
# of the directory>: the stand-in in that folder was started exactly once, as that file, with exactly
# those arguments, in that directory.
expect_one_game_start() {
  local what=$1 record
  wait_game_record "$2"
  record=$(tr -d '\r' <"$2/game_record.txt")
  printf '%s\n' "$record" | sed 's/^/  | /'
  expect_eq "$what: number of game starts" 1 "$(grep -c '^\[run\]$' <<<"$record")"
  local commandLine arguments directory
  commandLine=$(sed -n 's/^command_line=//p' <<<"$record")
  arguments=$(sed -n 's/^arguments=//p' <<<"$record")
  directory=$(sed -n 's/^current_directory=//p' <<<"$record")
  expect_eq "$what: game arguments" "$4" "$arguments"
  expect_eq "$what: game directory" "$5" "$directory"
  # The program named on the command line: what comes before the arguments, quotes and blanks aside.
  local program=$commandLine
  [ -n "$arguments" ] && program=${program%"$arguments"}
  program=${program%"${program##*[! ]}"}
  program=${program#\"}
  program=${program%\"}
  expect_eq "$what: game file" "$3" "$program"
}

# expect_told_not_started <what> <folder> <GameExecPath\GameExec> <error code> [detection file]: the launcher
# run in the folder shows the message of a game that cannot start (the full path, the system's reason and the
# code, then the player's next step) and, once it is dismissed, ends with 0. With a detection file: that file
# is gone while the message is up. Wine keeps no foreground rules (MB_SETFOREGROUND, MB_TOPMOST,
# AllowSetForegroundWindow): that side is Windows' only; this checks the box and its words.
expect_told_not_started() {
  local what=$1 folder=$2 below=$3 code=$4 detection=${5:-} status=0 box
  run_in "$folder" "$LAUNCHER" &
  local launcher=$!
  if [ -n "$detection" ]; then
    probe msgbox_probe -keep 30 >/dev/null || fail "$what: no message box came up"
    [ ! -e "$detection" ] || fail "$what: the detection file is still there while the message is up"
  fi
  box=$(probe msgbox_probe 30) || status=$?
  printf '%s\n' "$box" | sed 's/^/  | /'
  expect_eq "$what: msgbox_probe exit code (0: a box came up and was dismissed)" 0 "$status"
  expect_eq "$what: caption" "Game not started" "$(sed -n 's/^caption=//p' <<<"$box")"
  local text path
  text=$(sed -n 's/^text=//p' <<<"$box")
  path="$(win_path "$folder")\\$below"
  [[ $text == "The game could not be started:\\n${path//\\/\\\\}\\n\\n"* ]] ||
    fail "$what: the message does not name $path: $text"
  local next='Reinstalling the game may help.'
  [[ $text == *"(error $code)\\n\\n$next" ]] ||
    fail "$what: the message does not end with (error $code) and the next step, $next: $text"
  status=0
  wait "$launcher" || status=$?
  expect_eq "$what: exit code after the message" 0 "$status"
  wait_folder_idle "$folder"
}

# expect_no_game_start <what> <game folder>
expect_no_game_start() {
  [ ! -e "$2/game_record.txt" ] || fail "$1: a game was started: $(tr -d '\r' <"$2/game_record.txt")"
}

# on_one_day <case> [arguments...]: runs the case function in a subshell with today's date (yyyy-mm-dd)
# as its last argument. When the date changed while it ran, the launcher may have seen either day, so the
# case runs once more.
on_one_day() {
  local day status
  for _ in 1 2; do
    day=$(date +%F)
    status=0
    ("$@" "$day") || status=$?
    [ "$(date +%F)" = "$day" ] && return "$status"
    note "$1: the date changed during the run; once more"
  done
  fail "$1: the date changed during both attempts"
}

# run_cases <case>...: the case functions side by side, each on one day (on_one_day), each in a folder of
# its own: the launcher's pauses are then waited out once for all of them. Prints each case's output in
# turn; fails when any case failed.
run_cases() {
  local index=0 name pids=() logs=() failed=()
  for name in "$@"; do
    index=$((index + 1))
    local log="$E2E_LOG_DIR/$E2E_ARCH.$$.$name.log"
    # A run counter of its own, so that the cases' Wine logs get names of their own.
    (E2E_RUN_COUNT=$((index * 1000)); on_one_day "$name") >"$log" 2>&1 &
    pids+=("$!")
    logs+=("$log")
  done
  for index in "${!pids[@]}"; do
    local status=0
    wait "${pids[$index]}" || status=$?
    name=${logs[$index]##*/$E2E_ARCH.$$.}
    echo "== ${name%.log}: $([ "$status" -eq 0 ] && echo passed || echo FAILED)"
    cat "${logs[$index]}"
    [ "$status" -eq 0 ] || failed+=("${name%.log}")
  done
  [ "${#failed[@]}" -eq 0 ] || fail "failed: ${failed[*]}"
}

# Helpers shared by the end-to-end tests: run the Windows builds under Wine in throwaway game folders and
# look at what they did. Sourced by the test scripts, never run on its own.
#
# The environment comes from tests.cmake:
#   E2E_BUILD_DIR   the host build directory (the Windows builds are in its x86/ and x64/)
#   E2E_STATE_DIR   where this run keeps its X display, its Wine prefix, its logs and its game folders
#
# Every Wine program runs under `timeout`, with its standard streams on files: programs that outlive the
# call (regedit, the game, Wine's own services) must not hold on to the test's pipes.

E2E_WINE_TIMEOUT=${E2E_WINE_TIMEOUT:-60}
E2E_PREFIX="$E2E_STATE_DIR/prefix"
E2E_DISPLAY_FILE="$E2E_STATE_DIR/display"
E2E_RUNS_DIR="$E2E_STATE_DIR/runs"
E2E_LOG_DIR="$E2E_STATE_DIR/logs"

# The exit code that CTest reports as a skipped test (SKIP_RETURN_CODE in tests.cmake).
E2E_SKIP=77

# Whether this machine runs 32-bit programs at all: some kernels run 64-bit user code only (IA-32
# emulation off), and Wine's 32-bit loader then fails with "Exec format error".
e2e_host_runs_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The Wine environment of this run: its own prefix, no debug output, no desktop menu entries written to
# the home directory, and no Mono or Gecko installer popping up. On a machine that runs no 32-bit code, Wine
# through its 64-bit loader: Debian's `wine` and its tools' launchers would pick the 32-bit one.
e2e_wine_environment() {
  if ! e2e_host_runs_32bit; then
    local shims="$E2E_STATE_DIR/wine64-only"
    if [ ! -x "$shims/wine-stable" ]; then
      mkdir -p "$shims"
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/wine-stable"
      chmod +x "$shims/wine-stable"
      ln -sf wine-stable "$shims/wine"
    fi
    case ":$PATH:" in *":$shims:"*) ;; *) export PATH="$shims:$PATH" ;; esac
    export WINELOADER=/usr/lib/wine/wine64
  fi
  export WINEPREFIX="$E2E_PREFIX"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
  if [ -s "$E2E_DISPLAY_FILE" ]; then
    DISPLAY=$(cat "$E2E_DISPLAY_FILE")
    export DISPLAY
  fi
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() {
  echo "-- $*"
}

# expect_eq <what> <expected> <actual>
expect_eq() {
  if [ "$2" != "$3" ]; then
    printf 'FAIL: %s\n  expected: [%s]\n  actual:   [%s]\n' "$1" "$2" "$3" >&2
    exit 1
  fi
}

# e2e_use_build x86|x64 [files]: selects the Windows build under test and sets up Wine for it; a test that
# runs no program of it (files) is never skipped.
#   LAUNCHER  the launcher executable;  PROBES  the directory of the probe programs;  OBJDUMP  for it;
#   OTHER_ARCH  the other build.
e2e_use_build() {
  E2E_ARCH=$1
  if [ "$E2E_ARCH" = x86 ] && [ "${2:-}" != files ] && ! e2e_host_runs_32bit; then
    echo "SKIP: this machine runs no 32-bit programs (its kernel has IA-32 emulation off), so Wine cannot run" \
      "the 32-bit build here; the 64-bit build's run covers the same scenario"
    exit "$E2E_SKIP"
  fi
  case "$E2E_ARCH" in
    x86) OBJDUMP=i686-w64-mingw32-objdump OTHER_ARCH=x64 ;;
    x64) OBJDUMP=x86_64-w64-mingw32-objdump OTHER_ARCH=x86 ;;
    *) fail "unknown build '$E2E_ARCH'" ;;
  esac
  LAUNCHER="$E2E_BUILD_DIR/$E2E_ARCH/launcher.exe"
  PROBES="$E2E_BUILD_DIR/$E2E_ARCH/tools/probes"
  [ -f "$LAUNCHER" ] || fail "no launcher at $LAUNCHER"
  for probe in stand_in_game reg_probe msgbox_probe version_probe; do
    [ -f "$PROBES/$probe.exe" ] || fail "no probe at $PROBES/$probe.exe"
  done
  mkdir -p "$E2E_RUNS_DIR" "$E2E_LOG_DIR"
  e2e_wine_environment
}

# shipped_program launcher|companion: the path of that executable in the build under test.
shipped_program() {
  local program="$E2E_BUILD_DIR/$E2E_ARCH/$1.exe"
  [ -f "$program" ] || fail "no $1 at $program"
  printf '%s\n' "$program"
}

# win_path <linux path>: the Windows form of a path, as Wine programs see it.
win_path() {
  local converted
  converted=$(WINEDEBUG=-all timeout "$E2E_WINE_TIMEOUT" winepath -w "$1" 2>/dev/null </dev/null) ||
    fail "winepath could not convert $1"
  printf '%s\n' "$converted"
}

# make_game_folder <name> [spaces]: a new empty game folder below this run's state directory, with a
# name of its own; with "spaces" its name holds spaces. Prints its path. The folder gets a CONF folder
# and a bin folder holding the stand-in game.
make_game_folder() {
  local base="$E2E_RUNS_DIR/$E2E_ARCH-$1"
  [ "${2:-}" = spaces ] && base="$E2E_RUNS_DIR/$E2E_ARCH $1 with  spaces"
  local folder
  folder=$(mktemp -d "$base.XXXXXX") || fail "cannot create a game folder at $base"
  mkdir -p "$folder/CONF" "$folder/bin"
  cp "$PROBES/stand_in_game.exe" "$folder/bin/"
  printf '%s\n' "$folder"
}

# write_crlf <file>: standard input to the file, with Windows line ends.
write_crlf() {
  sed 's/\r$//; s/$/\r/' >"$1"
}

# write_game_settings <folder>: .\KQgameset.ini from standard input (sections BV, REGSET, game).
write_game_settings() {
  write_crlf "$1/KQgameset.ini"
}

# write_play_settings <folder>: .\KQgameplay.ini from standard input (section ExtSet).
write_play_settings() {
  write_crlf "$1/KQgameplay.ini"
}

# write_complete_settings <folder> <subkey>: settings with a complete REGSET section (the current user's
# key <subkey>, values Width and Height as 32-bit integers), the stand-in game in bin, and no graphics
# switch: a run with them goes all the way to the game start and shows no message box.
write_complete_settings() {
  write_game_settings "$1" <<INI
[BV]
qnores=1
qnoresX=1024
qnoresY=768
[REGSET]
SUBKEY=$2
ROOT=2
VALUENAMEX=Width
VALUENAMEY=Height
VALUETYPE=1
[game]
GameExecPath=bin
GameExec=stand_in_game.exe
Para=-window
INI
  write_play_settings "$1" <<INI
[ExtSet]
check1=1
customquality=2
radiostate=3
INI
}

# write_registry_script <folder>: CONF\TMPFILE.TXT, a REGEDIT4 script whose body is standard input.
write_registry_script() {
  { printf 'REGEDIT4\n\n'; cat; printf '\n'; } | write_crlf "$1/CONF/TMPFILE.TXT"
}

# run_in <directory> <exe> [arguments...]: runs a Windows program under Wine with that current
# directory and returns its exit code. Its output goes to $E2E_LAST_OUTPUT (and its errors to
# $E2E_LAST_ERRORS). A program still running after E2E_WINE_TIMEOUT seconds counts as a failure (124).
E2E_RUN_COUNT=0
run_in() {
  local directory=$1 exe=$2
  shift 2
  E2E_RUN_COUNT=$((E2E_RUN_COUNT + 1))
  E2E_LAST_OUTPUT="$E2E_LOG_DIR/$E2E_ARCH.$$.$E2E_RUN_COUNT.$(basename "$exe" .exe).out"
  E2E_LAST_ERRORS="${E2E_LAST_OUTPUT%.out}.err"
  local status=0
  (cd "$directory" && exec timeout "$E2E_WINE_TIMEOUT" wine "$exe" "$@") \
    >"$E2E_LAST_OUTPUT" 2>"$E2E_LAST_ERRORS" </dev/null || status=$?
  [ "$status" -eq 124 ] && echo "timed out: $exe $*" >&2
  return "$status"
}

# start_run <index> <folder>: runs the launcher in the folder, in the background; its exit code goes to
# <folder>.status. The index keeps its log file names apart from the other runs'.
start_run() {
  (
    E2E_RUN_COUNT=$((1000 * $1))
    status=0
    run_in "$2" "$LAUNCHER" || status=$?
    echo "$status" >"$2.status"
  ) &
}

# probe <name> [arguments...]: runs one of the probe programs; its output on standard output, its exit
# code as the function's status.
probe() {
  local name=$1 status=0
  shift
  run_in "$E2E_STATE_DIR" "$PROBES/$name.exe" "$@" || status=$?
  tr -d '\r' <"$E2E_LAST_OUTPUT"
  return "$status"
}

# reg_value HKCU|HKLM <subkey> <name>: reg_probe's line for the value ("type=... length=... bytes=..." or
# "missing"), as the build under test sees the registry.
reg_value() {
  probe reg_probe "$1" "$2" "$3"
}

# other_reg_value HKCU|HKLM <subkey> <name>: reg_probe's line as the other build's reader sees it
# (OTHER_ARCH, the build that is not under test). Where no 32-bit program runs, the 64-bit probe reads the
# 32-bit view in its place (KEY_WOW64_32KEY), as a 32-bit program's registry calls are redirected.
other_reg_value() {
  if [ "$OTHER_ARCH" = x86 ] && ! e2e_host_runs_32bit; then
    run_in "$E2E_STATE_DIR" "$E2E_BUILD_DIR/x64/tools/probes/reg_probe.exe" -32 "$@"
  else
    run_in "$E2E_STATE_DIR" "$E2E_BUILD_DIR/$OTHER_ARCH/tools/probes/reg_probe.exe" "$@"
  fi
  tr -d '\r' <"$E2E_LAST_OUTPUT"
}

# reg_key_exists HKCU|HKLM <subkey>
reg_key_exists() {
  probe reg_probe -key "$1" "$2" >/dev/null
}

# wait_reg_value HKCU|HKLM <subkey> <name> <expected line> [seconds]: polls the value until reg_probe
# reports exactly the expected line (the registry editor is started without being waited for).
# Prints the last line seen; fails after the timeout (default 20 s).
wait_reg_value() {
  local deadline=$((SECONDS + ${5:-20})) seen
  while :; do
    seen=$(reg_value "$1" "$2" "$3")
    if [ "$seen" = "$4" ]; then
      printf '%s\n' "$seen"
      return 0
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      printf '%s\n' "$seen"
      return 1
    fi
    sleep 0.2
  done
}

# reg_delete_key HKCU|HKLM <subkey>: removes the key and all below it, when present.
reg_delete_key() {
  local root=HKEY_CURRENT_USER
  [ "$1" = HKLM ] && root=HKEY_LOCAL_MACHINE
  run_in "$E2E_STATE_DIR" reg delete "$root\\$2" /f || true
  ! reg_key_exists "$1" "$2" || fail "could not delete $1\\$2"
}

# sz_bytes <text>: the reg_probe bytes of a REG_SZ value holding the text (its terminating zero included).
sz_bytes() {
  { printf '%s' "$1" | od -An -v -tx1; echo 00; } | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

# sz_value <text>: reg_probe's line for a REG_SZ value holding the text.
sz_value() {
  echo "type=1 length=$((${#1} + 1)) bytes=$(sz_bytes "$1")"
}

# dword_bytes <number>: the reg_probe bytes of a REG_DWORD value (little-endian).
dword_bytes() {
  local v=$(($1 & 0xffffffff))
  printf '%02x %02x %02x %02x' $((v & 255)) $(((v >> 8) & 255)) $(((v >> 16) & 255)) $(((v >> 24) & 255))
}

# wait_folder_idle <folder> [seconds]: waits until no Windows process whose command line names the
# folder (the launcher, the registry editor importing its script, a game started from it) is left, so
# that whatever a run started has done its work. Fails after the timeout (default 20 s).
wait_folder_idle() {
  local windows_folder deadline=$((SECONDS + ${2:-20}))
  windows_folder=$(win_path "$1")
  while folder_busy "$windows_folder"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      fail "processes from $1 still running after ${2:-20} s: $E2E_BUSY"
    fi
    sleep 0.2
  done
}

# folder_busy <windows path>: whether a process's command line holds the path (case aside). Matched in
# the shell, so that no matching program's own command line holds the path.
folder_busy() {
  local needle=${1,,} line
  E2E_BUSY=
  while IFS= read -r line; do
    if [[ ${line,,} == *"$needle"* ]]; then
      E2E_BUSY=$line
      return 0
    fi
  done < <(ps -eo args=)
  return 1
}

# profile_values <folder> <file> <section> <key> <default> <capacity> [<section> <key> <default> <capacity>]...:
# what the ANSI profile functions give a program run in the folder (profile_probe's lines: "acp=...", then
# "<section>/<key> int=... length=... text=<hex>" for each key), with the same file path, defaults and
# capacities as the launcher's own reads.
profile_values() {
  local folder=$1
  shift
  [ -f "$PROBES/profile_probe.exe" ] || fail "no probe at $PROBES/profile_probe.exe"
  run_in "$folder" "$PROBES/profile_probe.exe" "$@" || fail "profile_probe $* failed"
  tr -d '\r' <"$E2E_LAST_OUTPUT"
}

# profile_field <profile_values output> <section/key> int|length|text: one field of one key's line.
profile_field() {
  local line
  line=$(grep -m1 -F "$2 int=" <<<"$1") || fail "no line for $2 in the profile_probe output"
  case "$3" in
    int) sed 's/^[^ ]* int=\([-0-9]*\) .*/\1/' <<<"$line" ;;
    length) sed 's/.* length=\([0-9]*\) .*/\1/' <<<"$line" ;;
    text) sed 's/.* text=//' <<<"$line" ;;
  esac
}

# hex_bytes: standard input as space-separated hex bytes (the form of reg_probe and profile_probe).
hex_bytes() {
  od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

# from_hex <hex bytes>: the bytes themselves, on standard output.
from_hex() {
  printf '%s' "$1" | tr -d ' ' | perl -ne 'print pack("H*", $_)'
}

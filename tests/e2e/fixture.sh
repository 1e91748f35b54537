#!/usr/bin/env bash
# The shared ground of one end-to-end test run, as CTest fixtures:
#   display-start   a virtual X display (Xvfb, 1600x900x24) on a free display number, written to
#                   $E2E_STATE_DIR/display for the tests;
#   display-stop    ends it;
#   prefix-create   a fresh Wine prefix (64-bit, so it runs both builds) with a wineserver that stays up
#                   for the whole run, so each test's Wine programs start quickly;
#   prefix-remove   ends every Wine process of the prefix and removes it.
# Everything that outlives this script runs in its own session with its output on files, so that CTest
# does not wait for it.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

XVFB_PID_FILE="$E2E_STATE_DIR/xvfb.pid"

display_start() {
  mkdir -p "$E2E_STATE_DIR"
  display_stop
  local numberFile="$E2E_STATE_DIR/xvfb.displayfd"
  rm -f "$numberFile" "$E2E_DISPLAY_FILE"
  # -displayfd: Xvfb picks the first free display number and writes it to fd 3 once it is ready.
  setsid Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp \
    3>"$numberFile" >"$E2E_STATE_DIR/xvfb.log" 2>&1 </dev/null &
  local started=$!
  local deadline=$((SECONDS + 20))
  until grep -q '^[0-9][0-9]*$' "$numberFile" 2>/dev/null; do
    if ! kill -0 "$started" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      cat "$E2E_STATE_DIR/xvfb.log" >&2
      fail "Xvfb did not start"
    fi
    sleep 0.1
  done
  local number
  number=$(head -n1 "$numberFile")
  # setsid runs Xvfb in place (this shell's background job leads no process group), so $! is the server.
  local pid=$started
  [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] || fail "process $pid is not the Xvfb started here"
  echo "$pid" >"$XVFB_PID_FILE"
  echo ":$number" >"$E2E_DISPLAY_FILE"
  note "Xvfb $pid on display :$number"
}

display_stop() {
  [ -s "$XVFB_PID_FILE" ] || return 0
  local pid
  pid=$(cat "$XVFB_PID_FILE")
  if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
    kill "$pid"
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then kill -9 "$pid"; fi
    note "stopped Xvfb $pid"
  fi
  rm -f "$XVFB_PID_FILE" "$E2E_DISPLAY_FILE"
}

prefix_create() {
  e2e_wine_environment
  [ -n "${DISPLAY:-}" ] || fail "no X display for Wine"
  prefix_remove
  rm -rf "$E2E_RUNS_DIR" "$E2E_LOG_DIR"
  mkdir -p "$E2E_PREFIX" "$E2E_LOG_DIR"
  export WINEARCH=win64
  # A server that lingers 5 minutes after its last program: it lasts the run, and prefix-remove ends it.
  setsid wineserver -p300 >"$E2E_LOG_DIR/wineserver.log" 2>&1 </dev/null &
  local status=0
  timeout 300 wineboot -i >"$E2E_LOG_DIR/wineboot.log" 2>&1 </dev/null || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$E2E_LOG_DIR/wineboot.log" >&2
    fail "wineboot -i failed with status $status"
  fi
  # Its 32-bit side, where this machine runs 32-bit programs at all.
  if e2e_host_runs_32bit; then
    [ -d "$E2E_PREFIX/drive_c/windows/syswow64" ] || fail "the prefix has no 32-bit side (syswow64)"
  fi
  note "Wine prefix ready at $E2E_PREFIX"
}

prefix_remove() {
  e2e_wine_environment
  if [ -d "$E2E_PREFIX" ]; then
    timeout 30 wineserver -k >/dev/null 2>&1 </dev/null || true
    timeout 30 wineserver -w >/dev/null 2>&1 </dev/null || true
    rm -rf "$E2E_PREFIX"
  fi
}

case "${1:-}" in
  display-start) display_start ;;
  display-stop) display_stop ;;
  prefix-create) prefix_create ;;
  prefix-remove) prefix_remove ;;
  *) fail "usage: fixture.sh display-start|display-stop|prefix-create|prefix-remove" ;;
esac

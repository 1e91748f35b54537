#!/usr/bin/env bash
# The registry editor gets the player's own rights exactly when the script needs no more: in a throwaway
# Wine prefix whose system REGEDIT.EXE is environment_probe (it records the __COMPAT_LAYER it got, then
# runs the real editor, moved aside, so the import still happens), and with environment_probe as the game:
#   - a script below HKEY_CURRENT_USER only: the editor gets RunAsInvoker, the game nothing;
#   - a script with a key below HKEY_LOCAL_MACHINE: neither gets it;
#   - a script with a key below the player's policy tree (HKEY_CURRENT_USER\Software\Policies, in other
#     case): neither gets it, since on Windows only administrators may write there (Wine lets anyone);
#   - the same tree named with a doubled backslash, and the deletion of a key above the other policy tree
#     (HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion): neither gets it. Wine's editor shows
#     what Windows' documentation leaves open: it writes into the tree, and the deletion takes the tree;
#   - a player whose environment holds __COMPAT_LAYER=HIGHDPIAWARE: the editor gets "HIGHDPIAWARE
#     RunAsInvoker", the game the player's own value.
# Wine has no UAC: what RunAsInvoker does there is Windows' business (no consent prompt); this checks what
# the launcher hands the editor and the game.
# Usage: editor_rights.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

PROBE="$PROBES/environment_probe.exe"
[ -f "$PROBE" ] || fail "no probe at $PROBE"

export WINEPREFIX="$E2E_STATE_DIR/rights-prefix-$E2E_ARCH"
cleanup() {
  timeout 30 wineserver -k >/dev/null 2>&1 </dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
WINEARCH=win64 timeout 300 wineboot -i >"$E2E_LOG_DIR/rights-wineboot-$E2E_ARCH.log" 2>&1 </dev/null ||
  fail "wineboot failed in the throwaway prefix"
# The editor the launcher of this build finds: the system folder's (syswow64 is the 32-bit view of
# system32), else the Windows directory's, as under Wine for 64 bits. Moved aside for the probe to hand over to.
systemFolder="$WINEPREFIX/drive_c/windows/system32"
[ "$E2E_ARCH" = x86 ] && systemFolder="$WINEPREFIX/drive_c/windows/syswow64"
[ -f "$systemFolder/regedit.exe" ] || systemFolder="$WINEPREFIX/drive_c/windows"
[ -f "$systemFolder/regedit.exe" ] || fail "no registry editor in the throwaway prefix"
mv "$systemFolder/regedit.exe" "$systemFolder/real-regedit.exe"
cp "$PROBE" "$systemFolder/regedit.exe"
editorRecord="$systemFolder/environment_record.txt"

# rights_case <name> <expected editor layer> <expected game layer> <script lines...>: one run with the
# environment this shell has; the import must land in HKEY_CURRENT_USER either way.
rights_case() {
  local name=$1 editorLayer=$2 gameLayer=$3
  shift 3
  local folder
  folder=$(make_game_folder "rights-$name")
  cp "$PROBE" "$folder/bin/"
  local scriptKey="Software\\LauncherE2E\\Rights\\$(basename "$folder")"
  write_complete_settings "$folder" "Software\\LauncherE2E\\RightsDisplay"
  sed -i 's/^GameExec=.*/GameExec=environment_probe.exe\r/' "$folder/KQgameset.ini"
  printf '%s\n' "[HKEY_CURRENT_USER\\$scriptKey]" '"Marker"="imported"' "$@" | write_registry_script "$folder"
  rm -f "$editorRecord"

  local status=0
  run_in "$folder" "$LAUNCHER" || status=$?
  expect_eq "$name: exit code" 0 "$status"
  local seen
  seen=$(wait_reg_value HKCU "$scriptKey" Marker "$(sz_value imported)") || true
  expect_eq "$name: the real editor imported the script" "$(sz_value imported)" "$seen"
  wait_folder_idle "$folder"
  [ -f "$editorRecord" ] || fail "$name: the system's editor was not started"
  expect_eq "$name: the editor's __COMPAT_LAYER" "compat_layer=$editorLayer" "$(grep '^compat_layer=' "$editorRecord")"
  expect_eq "$name: the game's __COMPAT_LAYER" "compat_layer=$gameLayer" \
    "$(grep '^compat_layer=' "$folder/bin/environment_record.txt" 2>/dev/null || echo 'not started')"
  reg_delete_key HKCU "$scriptKey"
}

rights_case current-user RunAsInvoker "(none)" '[-HKEY_CURRENT_USER\Software\LauncherE2E\Rights\Gone]'
rights_case local-machine "(none)" "(none)" '[HKEY_LOCAL_MACHINE\Software\LauncherE2E\Rights]' '"Machine"="1"'
rights_case policy "(none)" "(none)" '[HKEY_CURRENT_USER\SOFTWARE\policies\LauncherE2E]' '"Policy"="1"'
__COMPAT_LAYER=HIGHDPIAWARE rights_case players-layer "HIGHDPIAWARE RunAsInvoker" HIGHDPIAWARE

# Key paths as the editor reads them (this side Wine's): a run of backslashes is one separator...
rights_case doubled-backslash "(none)" "(none)" '[HKEY_CURRENT_USER\Software\\Policies\LauncherE2E]' '"Doubled"="1"'
expect_eq "doubled-backslash: Wine's editor wrote into the policy tree" "$(sz_value 1)" \
  "$(reg_value HKCU 'Software\Policies\LauncherE2E' Doubled)"
reg_delete_key HKCU 'Software\Policies\LauncherE2E'
# ...and a deletion takes every key below: the policy tree goes with its parent. Last, as it takes the
# throwaway prefix's HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion with it.
policyKey='Software\Microsoft\Windows\CurrentVersion\Policies\LauncherE2E'
run_in "$E2E_STATE_DIR" reg add "HKEY_CURRENT_USER\\$policyKey" /f || fail "could not add HKCU\\$policyKey"
reg_key_exists HKCU "$policyKey" || fail "HKCU\\$policyKey was not added"
rights_case parent-deleted "(none)" "(none)" '[-HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion]'
! reg_key_exists HKCU "$policyKey" || fail "parent-deleted: Wine's editor left the policy tree below the deleted key"
note "RunAsInvoker for the editor exactly when the script stays below HKEY_CURRENT_USER outside its policy trees and the keys above them, never for the game"

#!/usr/bin/env bash
# A shipped executable as Windows loads it: the right PE kind for its build, the Windows GUI subsystem
# (no console), and imports from Windows system DLLs only, so it runs without any runtime beside it.
# Usage: program_binary.sh x86|x64 launcher|companion
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"
program=$(shipped_program "$2")

headers=$("$OBJDUMP" -p "$program") || fail "$OBJDUMP could not read $program"

magic=$(awk '$1 == "Magic" { print $2; exit }' <<<"$headers")
case "$E2E_ARCH" in
  x86) expect_eq "PE kind (optional header magic)" 010b "$magic" ;;
  x64) expect_eq "PE kind (optional header magic)" 020b "$magic" ;;
esac
subsystem=$(awk '$1 == "Subsystem" { print $2; exit }' <<<"$headers")
expect_eq "subsystem (2: Windows GUI)" 00000002 "$subsystem"

dlls=$(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
note "imports: $(echo $dlls)"
grep -qx kernel32.dll <<<"$dlls" || fail "no import table found (kernel32.dll missing)"
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll msvcrt.dll"
for dll in $dlls; do
  case " $allowed " in
    *" $dll "*) ;;
    *) fail "imports $dll, which is not a Windows system DLL" ;;
  esac
done
note "GUI subsystem, system DLLs only"

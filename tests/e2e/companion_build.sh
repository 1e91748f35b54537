#!/usr/bin/env bash
# The companion executable, built like the launcher: the right PE kind for its build, the Windows GUI
# subsystem (no console), imports from Windows system DLLs only; and, read back by Windows itself, the
# version resource (1.0.0.1, "1, 0, 0, 1", Chinese (PRC) / Unicode, a file description naming the build's
# date and time) and the manifest (DPI aware, no requested execution level).
# Usage: companion_build.sh x86|x64
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"

COMPANION="$E2E_BUILD_DIR/$E2E_ARCH/companion.exe"
[ -f "$COMPANION" ] || fail "no companion at $COMPANION"

headers=$("$OBJDUMP" -p "$COMPANION") || fail "$OBJDUMP could not read $COMPANION"
case "$E2E_ARCH" in
  x86) expect_eq "PE kind (optional header magic)" 010b "$(awk '$1 == "Magic" { print $2; exit }' <<<"$headers")" ;;
  x64) expect_eq "PE kind (optional header magic)" 020b "$(awk '$1 == "Magic" { print $2; exit }' <<<"$headers")" ;;
esac
expect_eq "subsystem (2: Windows GUI)" 00000002 "$(awk '$1 == "Subsystem" { print $2; exit }' <<<"$headers")"
dlls=$(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
note "imports: $(echo $dlls)"
grep -qx kernel32.dll <<<"$dlls" || fail "no import table found (kernel32.dll missing)"
for dll in $dlls; do
  case " kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll msvcrt.dll " in
    *" $dll "*) ;;
    *) fail "imports $dll, which is not a Windows system DLL" ;;
  esac
done

status=0
report=$(probe version_probe "$(win_path "$COMPANION")") || status=$?
printf '%s\n' "$report" | sed 's/^/  | /'
expect_eq "version_probe exit code" 0 "$status"
item() { sed -n "s/^$1=//p" <<<"$report" | head -n1; }
expect_eq "fixed file version" 1.0.0.1 "$(item file_version)"
expect_eq "fixed product version" 1.0.0.1 "$(item product_version)"
expect_eq "translation" 080404b0 "$(item translation)"
expect_eq "FileVersion" "1, 0, 0, 1" "$(item FileVersion)"
expect_eq "ProductVersion" "1, 0, 0, 1" "$(item ProductVersion)"

# The build stamp: a date and time (UTC) no later than the executable itself.
description=$(item FileDescription)
stamp=$(grep -oE '[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} UTC' <<<"$description") ||
  fail "the file description holds no build date and time: [$description]"
stampSeconds=$(date -d "$stamp" +%s 2>/dev/null) || fail "the build stamp [$stamp] is not a date and time"
[ "$stampSeconds" -le "$(stat -c %Y "$COMPANION")" ] ||
  fail "the build stamp [$stamp] lies after the executable was written"

manifest=$(sed -n '/^manifest_begin$/,/^manifest_end$/p' <<<"$report" | sed '1d;$d')
[ -n "$manifest" ] || fail "no manifest (RT_MANIFEST 1)"
elements=$(perl -0pe 's/<!--.*?-->//gs' <<<"$manifest")
grep -Eq '<dpiAware( [^>]*)?>[[:space:]]*true[[:space:]]*</dpiAware>' <<<"$elements" ||
  fail "the manifest does not declare dpiAware true"
! grep -q 'requestedExecutionLevel' <<<"$elements" || fail "the manifest requests an execution level"
note "GUI subsystem, system DLLs only, version resource and manifest as expected"

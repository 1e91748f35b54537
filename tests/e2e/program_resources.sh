#!/usr/bin/env bash
# A shipped executable's resources, read back by Windows itself: the version resource (1.0.0.1, written
# "1, 0, 0, 1", Chinese (PRC) / Unicode, a file description naming the build's date and time) and the
# application manifest (DPI aware, and per monitor where Windows reads dpiAwareness; no requested execution
# level).
# Usage: program_resources.sh x86|x64 launcher|companion|launcher-check
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1"
program=$(shipped_program "$2")

status=0
report=$(probe version_probe "$(win_path "$program")") || status=$?
printf '%s\n' "$report" | sed 's/^/  | /'
expect_eq "version_probe exit code" 0 "$status"

item() { sed -n "s/^$1=//p" <<<"$report" | head -n1; }
expect_eq "fixed file version" 1.0.0.1 "$(item file_version)"
expect_eq "fixed product version" 1.0.0.1 "$(item product_version)"
expect_eq "translation" 080404b0 "$(item translation)"
expect_eq "FileVersion" "1, 0, 0, 1" "$(item FileVersion)"
expect_eq "ProductVersion" "1, 0, 0, 1" "$(item ProductVersion)"

# The file description names a date and time (ISO form, or the C compiler's __DATE__ __TIME__ form) that
# cannot lie after the executable was written.
description=$(item FileDescription)
stamp=$(grep -oE '[0-9]{4}-[0-9]{2}-[0-9]{2}[ T][0-9]{2}:[0-9]{2}(:[0-9]{2})?( UTC)?' <<<"$description" ||
  grep -oE '[A-Z][a-z]{2} +[0-9]{1,2} [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}' <<<"$description") ||
  fail "the file description holds no build date and time: [$description]"
stamp=$(head -n1 <<<"$stamp")
stampSeconds=$(date -d "$stamp" +%s 2>/dev/null) || fail "the build stamp [$stamp] is not a date and time"
builtSeconds=$(stat -c %Y "$program")
# Local time or UTC: allow a day of slack for the zone, no more.
[ "$stampSeconds" -le $((builtSeconds + 86400)) ] ||
  fail "the build stamp [$stamp] lies after the executable was written ($(date -d "@$builtSeconds"))"

manifest=$(sed -n '/^manifest_begin$/,/^manifest_end$/p' <<<"$report" | sed '1d;$d')
[ -n "$manifest" ] || fail "no manifest (RT_MANIFEST 1)"
# Comments say nothing about what the manifest asks for.
elements=$(perl -0pe 's/<!--.*?-->//gs' <<<"$manifest")
grep -q '<assembly[ >]' <<<"$elements" || fail "the manifest has no assembly element"
grep -Eq '<dpiAware( [^>]*)?>[[:space:]]*true[[:space:]]*</dpiAware>' <<<"$elements" ||
  fail "the manifest does not declare dpiAware true"
grep -Eq '<dpiAwareness( [^>]*)?>[[:space:]]*PerMonitorV2,[[:space:]]*PerMonitor[[:space:]]*</dpiAwareness>' <<<"$elements" ||
  fail "the manifest does not declare dpiAwareness PerMonitorV2, PerMonitor"
if grep -q 'requestedExecutionLevel' <<<"$elements"; then
  fail "the manifest requests an execution level"
fi
note "version resource and manifest as expected"

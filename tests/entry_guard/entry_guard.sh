#!/usr/bin/env bash
# The link of a program that starts at an entry of its own (use_own_entry) refuses what that entry never
# runs: builds the tiny programs of tests/entry_guard/CMakeLists.txt for one Windows build, the plain one
# first, which must link, then each of the others, which must fail for its own reason and leave no image.
# Usage: entry_guard.sh x86|x64 <build folder>
set -uo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
arch=$1 build=$2
source=$(cd "$(dirname "$0")" && pwd)
case "$arch" in
  x86) toolchain=$source/../../cmake/mingw-i686.cmake ;;
  x64) toolchain=$source/../../cmake/mingw-x86_64.cmake ;;
  *) fail "unknown build '$arch'" ;;
esac
rm -rf "$build"
output=$(cmake -S "$source" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=MinSizeRel 2>&1) || fail "cannot configure the programs: $output"
output=$(cmake --build "$build" --target plain 2>&1) || fail "the plain program does not link: $output"
[ -f "$build/plain.exe" ] || fail "no plain.exe after its link"
echo "-- plain: links"
while read -r program cause; do
  output=$(cmake --build "$build" --target "$program" 2>&1) && fail "$program links"
  grep -qF -- "$cause" <<<"$output" || fail "$program does not link, but not for [$cause]: $output"
  [ ! -e "$build/$program.exe" ] || fail "$program.exe is left after the failed link"
  echo "-- $program: refused, [$cause]"
done <<'CASES'
global_constructor .ctors
static_destructor undefined reference to `atexit'
thread_local (emutls.o)
wrong_entry cannot find entry symbol
CASES

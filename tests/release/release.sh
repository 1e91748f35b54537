#!/usr/bin/env bash
# The release archive as scripts/release makes it: its listing and its checksum file, unsigned programs in
# it; then the same archive with every program signed by a throwaway self-signed certificate, each
# signature checked here again after unpacking.
#   release.sh <host build dir>
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work="$(realpath -m "$1")/release-test"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
rm -rf "$work"
mkdir -p "$work"

bash "$root/scripts/release" --build "$work/build" --out "$work/dist" || fail "scripts/release failed"
version=$(sed -n 's/^project(launcher VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
archive="launcher-$version-windows.zip"
[ -f "$work/dist/$archive" ] || fail "no $archive"
(cd "$work/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match $archive"

expected=$( (
  printf '%s\n' README.md launcher.exe companion.exe launcher-check.exe x64/launcher.exe x64/companion.exe \
    x64/launcher-check.exe
  cd "$root" && git ls-files docs examples/demo-game | grep -v '/\.gitattributes$'
) | LC_ALL=C sort)
listing() { cmake -E tar tf "$1" | LC_ALL=C sort; }
[ "$(listing "$work/dist/$archive")" = "$expected" ] ||
  fail "the archive holds: $(listing "$work/dist/$archive" | paste -sd' '); expected: $(paste -sd' ' <<<"$expected")"
echo "listing as expected: $(wc -l <<<"$expected") files"

# unpack <archive> <dir>; verify_all <dir>: osslsigncode's verdict on each program, given the certificate.
unpack() { mkdir -p "$2" && (cd "$2" && cmake -E tar xf "$1"); }
verify_all() {
  local exe failed=0
  for exe in "$1"/*.exe "$1"/x64/*.exe; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$exe" >"$exe.verify" 2>&1 || failed=$((failed + 1))
  done
  echo "$failed"
}
unpack "$work/dist/$archive" "$work/unsigned"

export RELEASE_SIGN_PASSWORD="throwaway-$RANDOM$RANDOM"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
  -subj "/CN=Game launcher test signing" -addext "extendedKeyUsage=codeSigning" 2>/dev/null ||
  fail "openssl could not make a certificate"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/sign.pfx" \
  -passout env:RELEASE_SIGN_PASSWORD || fail "openssl could not make the .pfx"
expect_unsigned=$(verify_all "$work/unsigned")
[ "$expect_unsigned" = 6 ] || fail "$((6 - expect_unsigned)) program(s) of the unsigned archive verify as signed"

bash "$root/scripts/release" --sign "$work/sign.pfx" --build "$work/build" --out "$work/dist-signed" ||
  fail "scripts/release --sign failed"
[ "$(listing "$work/dist-signed/$archive")" = "$expected" ] || fail "the signed archive's listing differs"
unpack "$work/dist-signed/$archive" "$work/signed"
failed=$(verify_all "$work/signed")
[ "$failed" = 0 ] || fail "$failed program(s) of the signed archive do not verify: $(cat "$work"/signed/*.verify | tail -n 5)"
echo "signed archive: all 6 programs verify"
echo "1 passed, 0 failed"

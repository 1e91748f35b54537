#!/usr/bin/env bash
# The release archive as scripts/release makes it: its listing and its checksum file, unsigned programs in
# it, the publishers' README and docs that speak of the archive, and the example installer and the include
# in each of its modes built from it (and not packed in it). Then signed, on this machine only: a
# throwaway certificate authority issues a code-signing certificate valid for three days, a throwaway
# timestamping authority answers on 127.0.0.1. Every program of an archive signed with a timestamp, from a
# .pfx and from a SoftHSM token, verifies after unpacking, now and after the certificate has expired; one
# signed without a timestamp verifies now only. The password and the PIN reach no process but the two that
# read them (a watcher scans every process's environment and arguments while the release runs).
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

bash "$root/scripts/release" --build "$work/build" --out "$work/dist" >"$work/release.log" 2>&1 ||
  fail "scripts/release failed: $(tail -n 20 "$work/release.log")"
grep -qx "release: the archive's installer/example.nsi builds with makensis for x86 and x64" "$work/release.log" ||
  fail "scripts/release did not build the archive's example installer: $(tail -n 5 "$work/release.log")"
grep -qx "release: the archive's installer/launcher.nsh builds for x86 and x64, launcher and automatic" \
  "$work/release.log" || fail "scripts/release did not build the include in each mode: $(tail -n 5 "$work/release.log")"
version=$(sed -n 's/^project(launcher VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
archive="launcher-$version-windows.zip"
[ -f "$work/dist/$archive" ] || fail "no $archive"
(cd "$work/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match $archive"

expected=$( (
  printf '%s\n' README.md launcher.exe companion.exe launcher-check.exe x64/launcher.exe x64/companion.exe \
    x64/launcher-check.exe examples/demo-game/bin/demo_game.exe
  cd "$root" && git ls-files docs examples/demo-game installer | grep -v '/\.gitattributes$'
) | LC_ALL=C sort)
listing() { cmake -E tar tf "$1" | LC_ALL=C sort; }
[ "$(listing "$work/dist/$archive")" = "$expected" ] ||
  fail "the archive holds: $(listing "$work/dist/$archive" | paste -sd' '); expected: $(paste -sd' ' <<<"$expected")"
echo "listing as expected: $(wc -l <<<"$expected") files"

# unpack <archive> <dir>; verify_all <dir> [osslsigncode option...]: how many programs fail osslsigncode's
# verification, trusting the throwaway authorities (and the system's authorities, as the release does).
unpack() { mkdir -p "$2" && (cd "$2" && cmake -E tar xf "$1"); }
verify_all() {
  local dir=$1 exe failed=0
  shift
  for exe in "$dir"/*.exe "$dir"/x64/*.exe "$dir"/examples/demo-game/bin/*.exe; do
    osslsigncode verify -CAfile "$work/trust.pem" -TSA-CAfile "$work/trust.pem" "$@" -in "$exe" >"$exe.verify" 2>&1 ||
      failed=$((failed + 1))
  done
  echo "$failed"
}
unpack "$work/dist/$archive" "$work/unsigned"

# The archive explains itself: its README is the publishers' own and names each program in it; neither the
# README nor docs/ sends its reader to a build's path or to the source tree's demo; every relative link in
# them reaches a file of the archive, and a heading there when it names one.
cmp -s "$work/unsigned/README.md" "$root/scripts/release-README.md" ||
  fail "the archive's README.md is not the publishers' README (scripts/release-README.md)"
for program in launcher.exe companion.exe launcher-check.exe; do
  for path in "$program" "x64/$program"; do
    grep -qF "\`$path\`" "$work/unsigned/README.md" || fail "the archive's README does not say what $path is"
  done
done
stray=$(cd "$work/unsigned" && grep -nE 'build/|scripts/demo' README.md; grep -nE 'build/x(86|64)/[^ `]*\.exe|scripts/demo' docs/*.md)
[ -z "$stray" ] || fail "the archive's README or docs speak of paths it does not have: $stray"
python3 - "$work/unsigned" <<'PY' || fail "the archive's README or docs link to what the archive does not hold"
import os, re, sys
top = os.path.realpath(sys.argv[1])
def headings(path):
    found, fenced = set(), False
    for line in open(path, encoding='utf-8'):
        fenced ^= line.startswith('```')
        if not fenced and re.match(r'#+ ', line):
            found.add(re.sub(r'[^\w\- ]', '', line.lstrip('#').strip().lower()).replace(' ', '-'))
    return found
broken = []
for page in ['README.md'] + [f'docs/{name}' for name in sorted(os.listdir(f'{top}/docs')) if name.endswith('.md')]:
    for link in re.findall(r'\]\(([^)\s]+)\)', open(f'{top}/{page}', encoding='utf-8').read()):
        if re.match(r'[a-z]+:', link):
            continue
        target, _, anchor = link.partition('#')
        path = os.path.realpath(os.path.join(top, os.path.dirname(page), target)) if target else f'{top}/{page}'
        if not (path + '/').startswith(top + '/') or not os.path.exists(path) or \
                (anchor and path.endswith('.md') and anchor not in headings(path)):
            broken.append(f'{page}: {link}')
print('\n'.join(broken), file=sys.stderr)
sys.exit(1 if broken else 0)
PY
echo "the archive's README is the publishers' own; README and docs name only what the archive holds"

# Two authorities (30 days): one issues the code-signing certificate (3 days), the other the timestamping
# authority's (30 days). trust.pem holds both.
pki() {
  cd "$work" || return 1
  local name eku days ca
  for name in ca tsa-ca; do
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$name.key" -out "$name.pem" -days 30 \
      -subj "/CN=Launcher test $name" -addext "basicConstraints=critical,CA:TRUE" \
      -addext "keyUsage=critical,keyCertSign,cRLSign" || return 1
  done
  for name in sign tsa; do
    case "$name" in
      sign) eku=codeSigning days=3 ca=ca ;;
      tsa) eku=critical,timeStamping days=30 ca=tsa-ca ;;
    esac
    openssl req -new -newkey rsa:2048 -nodes -keyout "$name.key" -out "$name.csr" -subj "/CN=Launcher test $name" &&
      openssl x509 -req -in "$name.csr" -CA "$ca.pem" -CAkey "$ca.key" -CAcreateserial -days "$days" -out "$name.pem" \
        -extfile <(printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature "extendedKeyUsage=$eku") ||
      return 1
  done
  cat ca.pem tsa-ca.pem >trust.pem
  cat sign.pem ca.pem >chain.pem
  cat >tsa.cnf <<EOF
[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
serial = $work/tsa.serial
crypto_device = builtin
signer_cert = $work/tsa.pem
certs = $work/tsa-ca.pem
signer_key = $work/tsa.key
signer_digest = sha256
default_policy = 1.3.6.1.4.1.99999.1
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
EOF
  echo 01 >tsa.serial
}
(pki) >"$work/pki.log" 2>&1 || fail "openssl could not make the test authorities: $(tail -n 5 "$work/pki.log")"
expired=$(($(date +%s) + 5 * 86400)) # two days after the signing certificate's end

expect_unsigned=$(verify_all "$work/unsigned")
[ "$expect_unsigned" = 7 ] || fail "$((7 - expect_unsigned)) program(s) of the unsigned archive verify as signed"

# The timestamping authority: each POSTed query is answered by `openssl ts -reply`. It stops by itself after
# four minutes, and at the test's exit.
cat >"$work/tsa.py" <<'PY'
import http.server, os, subprocess, sys, tempfile, time
config, portfile, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])

class Authority(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get('Content-Length', 0)))
        with tempfile.TemporaryDirectory() as tmp:
            with open(f'{tmp}/query.tsq', 'wb') as f:
                f.write(query)
            made = subprocess.run(['openssl', 'ts', '-reply', '-config', config, '-queryfile', f'{tmp}/query.tsq',
                                   '-out', f'{tmp}/reply.tsr'], capture_output=True)
            reply = open(f'{tmp}/reply.tsr', 'rb').read() if made.returncode == 0 else b''
        if not reply:
            sys.stderr.write(made.stderr.decode(errors='replace'))
            self.send_error(500)
            return
        self.send_response(200)
        self.send_header('Content-Type', 'application/timestamp-reply')
        self.send_header('Content-Length', str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

server = http.server.HTTPServer(('127.0.0.1', 0), Authority)
server.timeout = 1
with open(portfile + '.part', 'w') as f:
    f.write(str(server.server_address[1]))
os.replace(portfile + '.part', portfile)
deadline = time.monotonic() + seconds
while time.monotonic() < deadline:
    server.handle_request()
PY
python3 "$work/tsa.py" "$work/tsa.cnf" "$work/tsa.port" 240 >"$work/tsa.log" 2>&1 &
tsa_pid=$!
trap 'kill "$tsa_pid" 2>/dev/null' EXIT
for _ in $(seq 50); do [ -s "$work/tsa.port" ] || sleep 0.1; done
[ -s "$work/tsa.port" ] || fail "the timestamping authority did not start: $(cat "$work/tsa.log")"
tsa="http://127.0.0.1:$(cat "$work/tsa.port")/"
# osslsigncode would go through a configured HTTP proxy, which cannot reach this machine's loopback.
export no_proxy="127.0.0.1${no_proxy:+,$no_proxy}" NO_PROXY="127.0.0.1${NO_PROXY:+,$NO_PROXY}"

# watched VARIABLE SECRET-FILE COMMAND...: runs COMMAND with VARIABLE set to the file's text, and fails when,
# while it runs, a process other than COMMAND's own shell has that text in its environment, or any process
# has it in its arguments.
cat >"$work/watch.py" <<'PY'
import os, subprocess, sys, time
name, secret_file, command = sys.argv[1], sys.argv[2], sys.argv[3:]
secret = open(secret_file, 'rb').read()
child = subprocess.Popen(command, env=dict(os.environ, **{name: secret.decode()}), stdin=subprocess.DEVNULL)
own = b''.join(os.fsencode(arg) + b'\0' for arg in command)  # the arguments of COMMAND's shell, once started
leaks = set()
while child.poll() is None:
    for pid in os.listdir('/proc'):
        if not pid.isdigit():
            continue
        try:
            args = open(f'/proc/{pid}/cmdline', 'rb').read()
            environment = open(f'/proc/{pid}/environ', 'rb').read()
            # A process that started another program between the two reads is read again on the next round.
            if not args or open(f'/proc/{pid}/cmdline', 'rb').read() != args:
                continue
        except OSError:
            continue
        # The script's shell and its subshells keep the environment the script was started with.
        if secret in args or (secret in environment and args != own):
            leaks.add(args.replace(b'\0', b' ').decode(errors='replace').strip())
    time.sleep(0.002)
for leak in sorted(leaks):
    print(f'{name} reached: {leak}', file=sys.stderr)
sys.exit(3 if leaks else child.returncode)
PY
watched() { python3 "$work/watch.py" "$@"; }

password="throwaway-$RANDOM$RANDOM$RANDOM"
printf '%s' "$password" >"$work/password"
# The .pfx holds the authority's certificate too: the release must not trust it for being there.
openssl pkcs12 -export -inkey "$work/sign.key" -in "$work/sign.pem" -certfile "$work/ca.pem" -out "$work/sign.pfx" \
  -passout "file:$work/password" || fail "openssl could not make the .pfx"

RELEASE_SIGN_PASSWORD=$password bash "$root/scripts/release" --sign "$work/sign.pfx" --build "$work/build" \
  --out "$work/dist-refused" 2>"$work/refused.log" && fail "scripts/release --sign without --timestamp signed"
[ "$(wc -l <"$work/refused.log")" = 1 ] || fail "the refusal is not one line: $(cat "$work/refused.log")"
echo "--sign without --timestamp: refused ($(cat "$work/refused.log"))"

RELEASE_SIGN_PASSWORD=wrong bash "$root/scripts/release" --sign "$work/sign.pfx" --no-timestamp --build "$work/build" \
  --out "$work/dist-refused" >"$work/wrong.log" 2>&1 && fail "scripts/release signed with a wrong password"
grep -qi 'mac verify' "$work/wrong.log" || fail "no reason from openssl for the wrong password: $(cat "$work/wrong.log")"

RELEASE_SIGN_PASSWORD=$password bash "$root/scripts/release" --sign "$work/sign.pfx" --no-timestamp \
  --build "$work/build" --out "$work/dist-untrusted" >"$work/untrusted.log" 2>&1 &&
  fail "scripts/release trusted the authority inside the .pfx"
grep -q 'the signature of .* does not verify' "$work/untrusted.log" || fail "scripts/release --sign failed otherwise: $(tail -n 5 "$work/untrusted.log")"
# osslsigncode itself accepts a signature whose timestamp does not verify; the release must not.
RELEASE_SIGN_PASSWORD=$password bash "$root/scripts/release" --sign "$work/sign.pfx" --timestamp "$tsa" \
  --ca-file "$work/ca.pem" --build "$work/build" --out "$work/dist-untrusted" >"$work/untrusted-tsa.log" 2>&1 &&
  fail "scripts/release accepted timestamps from an authority it does not trust"
grep -q 'timestamp .* does not verify' "$work/untrusted-tsa.log" ||
  fail "scripts/release --timestamp failed otherwise: $(tail -n 5 "$work/untrusted-tsa.log")"
echo "refused: a wrong password, an authority known only to the .pfx, an untrusted timestamping authority"

# signed NAME SECRET-VARIABLE SECRET-FILE RELEASE-OPTION...: a release from a watched run, unpacked in NAME.
signed() {
  local name=$1 variable=$2 file=$3
  shift 3
  watched "$variable" "$file" bash "$root/scripts/release" "$@" --ca-file "$work/trust.pem" --build "$work/build" \
    --out "$work/dist-$name" >"$work/$name.log" 2>&1 || fail "scripts/release $*: $(tail -n 12 "$work/$name.log")"
  [ "$(listing "$work/dist-$name/$archive")" = "$expected" ] || fail "the $name archive's listing differs"
  unpack "$work/dist-$name/$archive" "$work/$name"
}
# verifies NAME [osslsigncode option...]: fails unless every program of NAME verifies.
verifies() {
  local name=$1 failed
  shift
  failed=$(verify_all "$work/$name" "$@")
  [ "$failed" = 0 ] || fail "$failed program(s) of the $name archive do not verify $*: $(tail -n 5 "$work/$name"/*.verify)"
}

signed timestamped RELEASE_SIGN_PASSWORD "$work/password" --sign "$work/sign.pfx" --timestamp "$tsa"
verifies timestamped
verifies timestamped -time "$expired"
echo "timestamped from the .pfx: all 7 programs verify, now and after the certificate's end"

signed untimestamped RELEASE_SIGN_PASSWORD "$work/password" --sign "$work/sign.pfx" --no-timestamp
verifies untimestamped
failed=$(verify_all "$work/untimestamped" -time "$expired")
[ "$failed" = 7 ] || fail "$((7 - failed)) program(s) signed without a timestamp verify after the certificate's end"
echo "without a timestamp: all 7 programs verify now, none after the certificate's end"

# The same key on a SoftHSM token.
export SOFTHSM2_CONF="$work/softhsm2.conf"
mkdir -p "$work/tokens"
printf 'directories.tokendir = %s\nobjectstore.backend = file\n' "$work/tokens" >"$SOFTHSM2_CONF"
pin="pin-$RANDOM$RANDOM"
printf '%s' "$pin" >"$work/pin"
module=$(dpkg -L libsofthsm2 | grep -m1 '/libsofthsm2\.so$') || fail "no SoftHSM module"
{ softhsm2-util --init-token --free --label "launcher test" --so-pin "$pin$pin" --pin "$pin" &&
  softhsm2-util --import "$work/sign.key" --token "launcher test" --label signing --id 01 --pin "$pin"; } \
  >"$work/token.log" 2>&1 || fail "SoftHSM could not take the key: $(cat "$work/token.log")"
signed token RELEASE_SIGN_PIN "$work/pin" --sign-pkcs11 "pkcs11:token=launcher%20test;object=signing;type=private" \
  --certs "$work/chain.pem" --pkcs11-module "$module" --timestamp "$tsa"
verifies token
verifies token -time "$expired"
echo "timestamped from the token: all 7 programs verify, now and after the certificate's end"
echo "1 passed, 0 failed"

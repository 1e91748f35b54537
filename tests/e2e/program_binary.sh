#!/usr/bin/env bash
# A shipped executable as Windows loads it: the right PE kind for its build and its subsystem (the
# launcher and the companion without a console, the preview with one); imports from five of Windows'
# KnownDLLs only, which Windows never looks for in the program's folder and which bring no DLL from there
# (unlike shell32 under Wine), so it runs without any runtime beside it and no DLL planted there is loaded
# before its entry; a hardened image: a random base address with a base relocation table that the loader
# can walk (whether Windows moves an image that has none is not documented), no execution from data, on
# 64 bits addresses from the whole range, on 32 bits no SEH handler registered (nothing touches fs but the
# thread block's own address), and no section both writable and executable or writable and shared;
# marked terminal-server aware, so that a Remote Desktop session host gives it the system's Windows
# folder; and for the launcher and the companion, which start without the C runtime's start-up code,
# nothing that only that code sets up: no TLS directory, no .tls or .CRT section; and each of those two
# within its size: the launcher 22,528 bytes at most, the companion 10,240.
# Usage: program_binary.sh x86|x64 launcher|companion|launcher-check
set -uo pipefail
. "$(dirname "$0")/lib.sh"
e2e_use_build "$1" files
program=$(shipped_program "$2")

headers=$("$OBJDUMP" -p "$program") || fail "$OBJDUMP could not read $program"

magic=$(awk '$1 == "Magic" { print $2; exit }' <<<"$headers")
case "$E2E_ARCH" in
  x86) expect_eq "PE kind (optional header magic)" 010b "$magic" ;;
  x64) expect_eq "PE kind (optional header magic)" 020b "$magic" ;;
esac
subsystem=$(awk '$1 == "Subsystem" { print $2; exit }' <<<"$headers")
case "$2" in
  launcher-check) expect_eq "subsystem (3: Windows console)" 00000003 "$subsystem" ;;
  *) expect_eq "subsystem (2: Windows GUI)" 00000002 "$subsystem" ;;
esac

dlls=$(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
note "imports: $(echo $dlls)"
grep -qx kernel32.dll <<<"$dlls" || fail "no import table found (kernel32.dll missing)"
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll"
for dll in $dlls; do
  case " $allowed " in
    *" $dll "*) ;;
    *) fail "imports $dll at link time, which is none of $allowed" ;;
  esac
done
# The companion calls none of the launcher's registry, screen or ANSI message operations.
if [ "$2" = companion ]; then
  for function in RegCreateKeyA RegSetValueExA GetDC MessageBoxA; do
    ! grep -qw "$function" <<<"$headers" || fail "the companion imports $function, which it never calls"
  done
fi
note "subsystem as shipped, imports from $allowed only"

image=$(/usr/bin/python3 - "$program" <<'PY'
import struct
import sys
import pefile
pe = pefile.PE(sys.argv[1], fast_load=True)
flags = pe.OPTIONAL_HEADER.DllCharacteristics
for name, bit in (('dynamic_base', 0x40), ('nx_compat', 0x100), ('high_entropy_va', 0x20), ('no_seh', 0x400),
                  ('terminal_server_aware', 0x8000)):
    print(name, int(bool(flags & bit)))
directories = pe.OPTIONAL_HEADER.DATA_DIRECTORY
relocations = directories[pefile.DIRECTORY_ENTRY['IMAGE_DIRECTORY_ENTRY_BASERELOC']]
# The table as the loader walks it: blocks of a page each, every one at least its 8-byte head, 4-byte
# aligned, for a page inside the image, that together fill the directory exactly; entries that pad
# (type 0) or fix an address of the build's width (3: 32 bits, 10: 64 bits), inside the image.
width_type = 10 if pe.FILE_HEADER.Machine == 0x8664 else 3
table = pe.get_data(relocations.VirtualAddress, relocations.Size) if relocations.Size else b''
at, blocks, fixes, sound = 0, 0, 0, relocations.Size > 0 and not pe.FILE_HEADER.Characteristics & 0x1
while sound and at < len(table):
    page, size = struct.unpack_from('<II', table, at) if at + 8 <= len(table) else (0, 0)
    sound = size >= 8 and size % 4 == 0 and at + size <= len(table) and page % 0x1000 == 0 and \
        page < pe.OPTIONAL_HEADER.SizeOfImage
    for (entry,) in struct.iter_unpack('<H', table[at + 8:at + size]) if sound else ():
        kind, offset = entry >> 12, entry & 0xfff
        sound = sound and (kind == 0 or (kind == width_type and page + offset < pe.OPTIONAL_HEADER.SizeOfImage))
        fixes += kind != 0
    at, blocks = at + size, blocks + 1
print('relocation_table', int(sound), blocks, fixes)
tls = directories[pefile.DIRECTORY_ENTRY['IMAGE_DIRECTORY_ENTRY_TLS']]
print('tls_directory', int(tls.Size > 0))
WRITE, EXECUTE, SHARED = 0x80000000, 0x20000000, 0x10000000
for section in pe.sections:
    name = section.Name.rstrip(b'\0').decode(errors='replace')
    kind = section.Characteristics
    if kind & WRITE and kind & EXECUTE:
        print('writable_executable', name)
    if kind & WRITE and kind & SHARED:
        print('writable_shared', name)
    if name in ('.tls', '.CRT'):
        print('start_up_section', name)
PY
) || fail "pefile could not read $program"
flag() { awk -v name="$1" '$1 == name { print $2 }' <<<"$image"; }
expect_eq "ASLR (dynamic base)" 1 "$(flag dynamic_base)"
expect_eq "a base relocation table the loader can walk" 1 "$(flag relocation_table)"
note "base relocation table:" \
  "$(awk '$1 == "relocation_table" { print $3 " blocks, " $4 " addresses to fix" }' <<<"$image")"
expect_eq "NX (DEP)" 1 "$(flag nx_compat)"
expect_eq "terminal-server aware" 1 "$(flag terminal_server_aware)"
case "$E2E_ARCH" in
  x64) expect_eq "high-entropy addresses" 1 "$(flag high_entropy_va)" ;;
  x86)
    expect_eq "marked as registering no SEH handler" 1 "$(flag no_seh)"
    # A frame-based handler is registered by writing the chain's head at fs:0; the only fs access the
    # C runtime makes is the read of the thread block's own address at fs:0x18.
    fs=$("$OBJDUMP" -d "$program" | grep -F '%fs:' | grep -vE 'mov +%fs:0x18,%e[a-d]x$')
    [ -z "$fs" ] || fail "instructions touch fs beyond the thread block's address: $fs"
    ;;
esac
! grep -E '^writable_(executable|shared) ' <<<"$image" ||
  fail "sections both writable and executable or shared: $(grep -E '^writable_' <<<"$image" | paste -sd' ')"
if [ "$2" != launcher-check ]; then
  expect_eq "a TLS directory, which only the C runtime's start-up code would set up" 0 "$(flag tls_directory)"
  ! grep -q '^start_up_section ' <<<"$image" ||
    fail "sections of the C runtime's start-up:" \
      "$(awk '$1 == "start_up_section" { print $2 }' <<<"$image" | paste -sd' ')"
fi
case "$2" in
  launcher) budget=22528 ;;
  companion) budget=10240 ;;
  *) budget= ;;
esac
size=$(stat -c %s "$program")
[ -z "$budget" ] || [ "$size" -le "$budget" ] || fail "$2.exe is $size bytes, more than its $budget"
width_note=$([ "$E2E_ARCH" = x64 ] && echo 'high-entropy addresses' || echo 'no SEH')
note "hardened: ASLR with relocations, NX, $width_note, no writable code or shared data, terminal-server aware"

#!/usr/bin/env python3
# Writes the seed corpus of the whole-run fuzz target (tests/fuzz/corpus/), in the input layout that
# launcher_fuzzer.cc describes. Only needed to change the seeds:  python3 tests/fuzz/write-seeds.py
import os
import struct
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
INT_KEYS = ['check1','qnores','customquality','qnoresX','qnoresY','ROOT','VALUETYPE','radiostate']
TEXT_KEYS = ['SUBKEY','VALUENAMEX','VALUENAMEY','GameExec','GameExecPath','Para','VENID','OTHERVENID']
ORDER = INT_KEYS + TEXT_KEYS
def seed(name, unreadable=False, game=True, play=True, today=False, other=False, short=False, no_system_editor=False, ints={}, texts={}, screen=(1920,1080), date=(2012,10,31), directory=b'C:\\Games\\Demo', script=None, script_unreadable=False, held=False, game_folder=False, game_file=False, program_image=True, game_unreadable=False, start_error=0, too_long=False, extension=0, image=0):
    flags = (1 if unreadable else 0) | (2 if game else 0) | (4 if play else 0) | (8 if today else 0) | (16 if other else 0) | (32 if short else 0) | (64 if no_system_editor else 0)
    present = 0
    for k,v in list(ints.items()) + list(texts.items()):
        present |= 1 << ORDER.index(k)
    b = bytes([flags]) + struct.pack('<H', present)
    for k in INT_KEYS: b += struct.pack('<i', ints.get(k, 0))
    b += struct.pack('<ii', *screen)
    y, m, d = date
    b += struct.pack('<HBB', y - 1601, m - 1, d - 1)
    for t in [directory] + [texts.get(k, b'') for k in TEXT_KEYS] + [script or b'']:
        b += struct.pack('<H', len(t)) + t
    b += bytes([(1 if script is not None else 0) | (2 if script_unreadable else 0) | (4 if held else 0) | (8 if game_folder else 0)
                | (16 if game_file else 0) | (32 if program_image else 0) | (64 if game_unreadable else 0)
                | (128 if too_long else 0), start_error])
    if extension or image:
        b += bytes([extension, image])
    open(f'{out}/{name}', 'wb').write(b)

regset = dict(SUBKEY=b'Software\\Example\\Video', VALUENAMEX=b'Width', VALUENAMEY=b'Height')
# The typical run: configured 1024 x 768 as REG_DWORD, automatic mode finding NVIDIA.
seed('typical-run', today=True, ints=dict(check1=1, radiostate=1, qnoresX=1024, qnoresY=768, ROOT=2, VALUETYPE=1),
     texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo.exe', Para=b'-window', VENID=b'0x10DE'), game_file=True)
# Games that do not start, each told: missing, a device name, a .exe that is no program image, and a batch
# file whose start the shell refuses (no association).
typical = dict(today=True, ints=dict(ROOT=2, VALUETYPE=1, radiostate=1))
seed('game-missing', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo.exe'))
seed('game-device-name', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'Com7 .exe'), game_file=True)
seed('game-not-a-program', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo.EXE'), game_file=True,
     program_image=False)
seed('game-batch-file-refused', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'run.bat'), game_file=True,
     program_image=False, start_error=31)
# Neither settings file: the report with every default.
seed('no-settings-files', game=False, play=False)
# Decimal text of the screen's size, HKLM, forced OpenGL, a folder with spaces.
seed('decimal-text-forced-opengl', ints=dict(ROOT=1, VALUETYPE=2, radiostate=2, qnores=2, customquality=3),
     texts=dict(regset, GameExec=b'game.exe', Para=b'-w'), screen=(-2147483648, 1000000000),
     directory=b'C:\\Program Files\\Game', date=(30827, 12, 31))
# Every text longer than its capacity, a directory too long for the field, a vendor cut to nine bytes.
seed('over-long-values', today=True, other=True,
     ints=dict(ROOT=65537, VALUETYPE=65538, radiostate=65537, check1=-5, qnoresX=-1, qnoresY=2147483647),
     texts=dict(SUBKEY=b's'*450, VALUENAMEX=b'x'*230, VALUENAMEY=b'y\x00z'*90, GameExec=b'e'*420,
                GameExecPath=b'p'*410, Para=b'a\\b'*150, VENID=b'0x10DE0x10DE', OTHERVENID=b'0x10DE'),
     directory=b'D:\\' + b'd'*420, date=(1601, 1, 1))
# Longest directory that fits, an incomplete target with everything else set, unknown root.
seed('report-full-capacity', ints=dict(ROOT=65536, VALUETYPE=3, radiostate=1),
     texts=dict(SUBKEY=b'k'*399, VALUENAMEX=b'\xd3\xce\xcf\xb7'*60, VALUENAMEY=b'%s%n%d'*40),
     directory=b'C:\\' + b'\xc6\xe6'*198)
# Unreadable current directory; unknown root still starts the game; automatic mode, another day's file only.
seed('unreadable-directory', unreadable=True, other=True, ints=dict(ROOT=3, VALUETYPE=1, radiostate=1),
     texts=dict(regset, GameExec=b'demo.exe', OTHERVENID=b'0x10DE'), date=(2012, 1, 11))
# A folder whose name the code page cannot spell: its short form, then "." without one (there with no
# registry editor in the system directory, as a 64-bit launcher finds it).
seed('unspellable-directory-short-form', short=True, today=True, ints=dict(ROOT=2, VALUETYPE=1, radiostate=1),
     texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo.exe', VENID=b'0x10DE'), directory=b'C:\\Games\\????')
seed('unspellable-directory-no-short-form', no_system_editor=True, ints=dict(ROOT=2, VALUETYPE=1, radiostate=2),
     texts=dict(regset, GameExec=b'demo.exe'), directory=b'C:\\\xd0?\xd0?')
# Registry scripts: below the current user only, with hex data going on past a key-like line (the player's
# rights); version 5 in UTF-16LE deleting a key below HKEY_LOCAL_MACHINE (the editor's own request); and an
# unreadable one in a folder another launcher holds, whose game path names a folder.
seed('script-current-user-only', ints=dict(ROOT=2, VALUETYPE=1), texts=dict(regset, GameExec=b'demo.exe'),
     script=b'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Example]\r\n"Bin"=hex:01,02,\\\r\n; note\r\n'
            b'  03,\\\r\n[HKEY_LOCAL_MACHINE\\Software\\X]\r\n[-hkey_current_user\\Software\\Old]\r\n')
seed('script-version5-machine', ints=dict(ROOT=1, VALUETYPE=2), texts=dict(regset, GameExec=b'demo.exe'),
     script=b'\xff\xfe' + ' Windows Registry Editor Version 5.00\r\n[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n'
            '@=hex(2):41,00\r\n'.encode('utf-16-le'))
seed('script-unreadable-held', script=b'REGEDIT4\n', script_unreadable=True, held=True, game_folder=True)
# Below the current user, yet in the player's policy trees or after a NUL byte: the editor's own request.
seed('script-policy-tree', ints=dict(ROOT=2, VALUETYPE=1), texts=dict(regset, GameExec=b'demo.exe'), game_file=True,
     script=b'REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Example]\r\n'
            b'[hkey_current_user\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n')
seed('script-nul-byte', ints=dict(ROOT=2, VALUETYPE=1), texts=dict(regset, GameExec=b'demo.exe'), game_file=True,
     script=b'REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Example]\x00\r\n[HKEY_LOCAL_MACHINE\\Software\\X]\r\n')
seed('game-path-names-a-folder', ints=dict(ROOT=2, VALUETYPE=1), texts=dict(regset, GameExecPath=b'bin'),
     game_folder=True, script=b'REGEDIT\nHKEY_CLASSES_ROOT\\.demo = Demo\n')
# The game's file as the shell and the loader take it: a name without an extension that the shell's .exe
# completes, "MZ" alone, a DLL, an NE image, a document, and a path longer than Windows opens.
seed('game-completed-exe', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo'), game_file=True,
     extension=3)
seed('game-mz-alone', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo.exe'), game_file=True, image=1)
seed('game-dll', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo.com'), game_file=True, image=2)
seed('game-16-bit', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo.exe'), game_file=True, image=3)
seed('game-document', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'readme.txt'), game_file=True)
seed('game-path-too-long', **typical, texts=dict(regset, GameExecPath=b'bin', GameExec=b'demo.exe'), game_file=True,
     too_long=True)
# Key paths as the registry reads them: a doubled backslash before a policy tree, the deletion of the trees'
# parent, a "ı" the registry folds to "I" (UTF-16), and in a two-byte code page a last "]" that may be a
# character's second byte; each the editor's own request.
seed('script-doubled-backslash', ints=dict(ROOT=2, VALUETYPE=1), texts=dict(regset, GameExec=b'demo.exe'), game_file=True,
     script=b'REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\\\Policies\\Example]\r\n"A"="1"\r\n')
seed('script-parent-deleted', ints=dict(ROOT=2, VALUETYPE=1), texts=dict(regset, GameExec=b'demo.exe'), game_file=True,
     script=b'REGEDIT4\r\n[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion]\r\n[-HKEY_CURRENT_USER\\Software\\Old]\r\n')
seed('script-folded-letter', ints=dict(ROOT=2, VALUETYPE=1), texts=dict(regset, GameExec=b'demo.exe'), game_file=True,
     script=b'\xff\xfe' + 'Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Software\\Pol\u0131cies\\X]\r\n'.encode('utf-16-le'))
seed('script-second-byte-bracket', ints=dict(ROOT=2, VALUETYPE=1), texts=dict(regset, GameExec=b'demo.exe'), game_file=True,
     script=b'REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Policies]\\Demo\x81]\r\n"Caf\xe9"="1"\r\n')

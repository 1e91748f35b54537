; example.nsi: an installer for the archive's sample game folder, made with launcher.nsh. Build it from
; the unpacked archive with
;
;   makensis installer/example.nsi
;
; which writes installer/launcher-demo-game-setup.exe (makensis -DGAME_VERSION=2.0 for another version). It
; installs examples/demo-game (its settings, its registry script and the demo game bin\demo_game.exe) with
; the 32-bit launcher and companion into "$PROGRAMFILES\Launcher Demo Game", a folder only administrators
; can write, makes a Start-menu shortcut and, when the component is kept, a desktop shortcut, both to
; companion.exe (the sample folder asks for the automatic graphics mode), and an uninstaller listed in
; "Apps and features". Installed again into the same folder, a newer version keeps the player's settings
; (LAUNCHER_SETTINGS) and its one entry; installed into another folder, it is a second install with an
; entry and an uninstaller of its own, and the uninstaller of one leaves the other's shortcuts. Silent:
;   launcher-demo-game-setup.exe /S [/D=C:\Games\Demo Game]     (/D last, without quotes)
;   "<game folder>\uninstall.exe" /S
;
; makensis -DBITNESS=x64 builds the same installer with the archive's 64-bit launcher and companion (its
; x64 folder) as a 64-bit program (NSIS's amd64-unicode stub and plug-ins), which installs into
; "$PROGRAMFILES64\Launcher Demo Game" and writes its entry in the registry's 64-bit view; the installer,
; its uninstaller and the programs then run where Windows runs no 32-bit program (the sample's demo game
; stays the archive's 32-bit one). BITNESS takes LAUNCHER_INSTALL's words: x86, the default, or x64.

Unicode true
RequestExecutionLevel admin

!ifndef BITNESS
  !define BITNESS "x86"
!endif
!if "${BITNESS}" == "x64"
  Target amd64-unicode
  !define PROGRAMS_FOLDER "$PROGRAMFILES64"
!else
  !define PROGRAMS_FOLDER "$PROGRAMFILES"
!endif

!include "MUI2.nsh"
!include "launcher.nsh"

!define GAME_NAME "Launcher Demo Game"
!ifndef GAME_VERSION
  !define GAME_VERSION "1.0"
!endif
!define SAMPLE "${LAUNCHER_ARCHIVE}\examples\demo-game"
!define UNINSTALL_ROOT "Software\Microsoft\Windows\CurrentVersion\Uninstall"

; This install's entry in "Apps and features", set by ENTRY_KEY.
Var EntryKey

Name "${GAME_NAME}"
OutFile "launcher-demo-game-setup.exe"
InstallDir "${PROGRAMS_FOLDER}\${GAME_NAME}"
SetCompressor /SOLID lzma

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; No "run the game" box on the last page: it would start the launcher with the installer's administrator
; rights, its registry script and record going to the administrator's HKEY_CURRENT_USER.
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; One entry per game folder, named from the folder's long path in upper case (as Windows compares paths):
; a later version installed into the same folder and the uninstaller there name the same entry, an install
; into another folder its own. The folder must exist.
!macro ENTRY_KEY
  Push $0
  Push $1
  Push $2
  StrCpy $0 "$INSTDIR"
  System::Call "kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2"
  ${If} $2 > 0
  ${AndIf} $2 < ${NSIS_MAX_STRLEN}
    StrCpy $0 $1
  ${EndIf}
  System::Call "kernel32::LCMapStringW(i 0x7F, i 0x200, w r0, i -1, w .r0, i ${NSIS_MAX_STRLEN})"  ; invariant, upper case
  StrLen $1 $0
  IntOp $1 $1 * 2
  System::Call "shlwapi::HashData(w r0, i r1, *i .r2, i 4)"
  IntFmt $2 "%08X" $2
  StrCpy $EntryKey "${UNINSTALL_ROOT}\LauncherDemoGame-$2"
  Pop $2
  Pop $1
  Pop $0
!macroend

; The shortcuts are for every account of the machine, in the installer and in the uninstaller alike:
; with "current", NSIS's default, they would go to the account the installer runs as, which for a
; standard player who typed an administrator's password is that administrator.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
  !insertmacro ENTRY_KEY
FunctionEnd

Section "Demo game (required)" GameSection
  SectionIn RO
  ; Over an earlier version: the player's resolution and graphics choices stay, the rest is this version's.
  !insertmacro LAUNCHER_SETTINGS "${SAMPLE}"
  SetOutPath "$INSTDIR\CONF"
  File "${SAMPLE}\CONF\TMPFILE.TXT"
  SetOutPath "$INSTDIR\bin"
  File "${SAMPLE}\bin\demo_game.exe"

  ; KQgameplay.ini says radiostate=1: the companion, and the shortcut starts it.
  !insertmacro LAUNCHER_INSTALL ${BITNESS} automatic
  !insertmacro LAUNCHER_SHORTCUT "$SMPROGRAMS" "${GAME_NAME}" automatic
  ; An earlier version's desktop shortcut to this folder: made again below when the component is kept.
  !insertmacro LAUNCHER_REMOVE_SHORTCUT "$DESKTOP" "${GAME_NAME}"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  !insertmacro ENTRY_KEY
  WriteRegStr HKLM $EntryKey "DisplayName" "${GAME_NAME}"
  WriteRegStr HKLM $EntryKey "DisplayVersion" "${GAME_VERSION}"
  WriteRegStr HKLM $EntryKey "Publisher" "Game launcher sample"
  WriteRegStr HKLM $EntryKey "DisplayIcon" "$INSTDIR\bin\demo_game.exe"
  WriteRegStr HKLM $EntryKey "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM $EntryKey "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM $EntryKey "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM $EntryKey "NoModify" 1
  WriteRegDWORD HKLM $EntryKey "NoRepair" 1
  ; Whether this install made a desktop shortcut, for its uninstaller.
  WriteRegDWORD HKLM $EntryKey "DesktopShortcut" 0
SectionEnd

Section "Desktop shortcut" DesktopSection
  !insertmacro LAUNCHER_SHORTCUT "$DESKTOP" "${GAME_NAME}" automatic
  WriteRegDWORD HKLM $EntryKey "DesktopShortcut" 1
SectionEnd

Section "Uninstall"
  !insertmacro LAUNCHER_UNINSTALL
  ; This install's shortcuts only: a shortcut of the same name that starts another folder's game stays,
  ; and the desktop is left alone when this install made nothing there.
  !insertmacro LAUNCHER_REMOVE_SHORTCUT "$SMPROGRAMS" "${GAME_NAME}"
  ReadRegDWORD $0 HKLM $EntryKey "DesktopShortcut"
  ${If} $0 = 1
    !insertmacro LAUNCHER_REMOVE_SHORTCUT "$DESKTOP" "${GAME_NAME}"
  ${EndIf}

  ; What the game owns, removed because this is the demo's own installer: its files, the record the demo
  ; game writes beside itself, and the keys of its registry script and of the resolution's record (both
  ; below HKEY_CURRENT_USER\Software\LauncherDemo\DemoGame, for the account that uninstalls).
  Delete "$INSTDIR\KQgameset.ini"
  Delete "$INSTDIR\KQgameplay.ini"
  Delete "$INSTDIR\CONF\TMPFILE.TXT"
  RMDir "$INSTDIR\CONF"
  Delete "$INSTDIR\bin\demo_game.exe"
  Delete "$INSTDIR\bin\demo_game_record.txt"
  RMDir "$INSTDIR\bin"
  DeleteRegKey HKCU "Software\LauncherDemo\DemoGame"
  DeleteRegKey /ifempty HKCU "Software\LauncherDemo"

  DeleteRegKey HKLM $EntryKey
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: whatever else someone put in the folder stays, and the folder with it.
  RMDir "$INSTDIR"
SectionEnd

LangString GameDescription ${LANG_ENGLISH} "The sample game folder with the launcher, the companion and the demo game."
LangString DesktopDescription ${LANG_ENGLISH} "A shortcut to the game on the desktop of every account."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${GameSection} $(GameDescription)
  !insertmacro MUI_DESCRIPTION_TEXT ${DesktopSection} $(DesktopDescription)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; example.nsi: an installer for the archive's sample game folder, made with launcher.nsh. Build it from
; the unpacked archive with
;
;   makensis installer/example.nsi
;
; which writes installer/launcher-demo-game-setup.exe. It installs examples/demo-game (its settings, its
; registry script and the demo game bin\demo_game.exe) with the 32-bit launcher and companion into
; "$PROGRAMFILES\Launcher Demo Game", a folder only administrators can write, makes a Start-menu shortcut
; and, when the component is kept, a desktop shortcut, both to companion.exe (the sample folder asks for
; the automatic graphics mode), and an uninstaller listed in "Apps and features". Silent:
;   launcher-demo-game-setup.exe /S [/D=C:\Games\Demo Game]     (/D last, without quotes)
;   "<game folder>\uninstall.exe" /S

Unicode true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "launcher.nsh"

!define GAME_NAME "Launcher Demo Game"
!define GAME_VERSION "1.0"
!define SAMPLE "${LAUNCHER_ARCHIVE}\examples\demo-game"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\LauncherDemoGame"

Name "${GAME_NAME}"
OutFile "launcher-demo-game-setup.exe"
InstallDir "$PROGRAMFILES\${GAME_NAME}"
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

; The shortcuts are for every account of the machine, in the installer and in the uninstaller alike.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Demo game (required)" GameSection
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${SAMPLE}\KQgameset.ini"
  File "${SAMPLE}\KQgameplay.ini"
  SetOutPath "$INSTDIR\CONF"
  File "${SAMPLE}\CONF\TMPFILE.TXT"
  SetOutPath "$INSTDIR\bin"
  File "${SAMPLE}\bin\demo_game.exe"

  ; KQgameplay.ini says radiostate=1: the companion, and the shortcut starts it.
  !insertmacro LAUNCHER_INSTALL x86 automatic
  !insertmacro LAUNCHER_SHORTCUT "$SMPROGRAMS" "${GAME_NAME}" automatic

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${GAME_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${GAME_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Game launcher sample"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\demo_game.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Desktop shortcut" DesktopSection
  !insertmacro LAUNCHER_SHORTCUT "$DESKTOP" "${GAME_NAME}" automatic
SectionEnd

Section "Uninstall"
  !insertmacro LAUNCHER_UNINSTALL "${GAME_NAME}"

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

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
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

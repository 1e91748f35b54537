; launcher.nsh: the game launcher in a game's NSIS installer (NSIS 3, Unicode true).
;
; Include it in your own installer script; it finds the programs in the archive folder above its own
; (define LAUNCHER_ARCHIVE before the !include when the archive is elsewhere). Every macro works on
; $INSTDIR, the game folder: the folder that holds KQgameset.ini, KQgameplay.ini and CONF\TMPFILE.TXT.
;
;   !include "launcher.nsh"
;
;   Section "Game"
;     SetOutPath "$INSTDIR"
;     File /r "release\My Game\*.*"                ; your game, its settings files and CONF\TMPFILE.TXT
;     !insertmacro LAUNCHER_INSTALL x86 automatic  ; launcher.exe and companion.exe, 32-bit
;     !insertmacro LAUNCHER_SHORTCUT "$SMPROGRAMS" "My Game" automatic
;     WriteUninstaller "$INSTDIR\uninstall.exe"
;   SectionEnd
;
;   Section /o "Desktop shortcut"
;     !insertmacro LAUNCHER_SHORTCUT "$DESKTOP" "My Game" automatic
;   SectionEnd
;
;   Section "Uninstall"
;     !insertmacro LAUNCHER_UNINSTALL "My Game"
;     ; then your game's own files, and RMDir "$INSTDIR"
;   SectionEnd
;
; LAUNCHER_INSTALL <x86|x64> <launcher|automatic>
;   Puts launcher.exe into the game folder, and companion.exe too for "automatic" (radiostate=1 in
;   KQgameplay.ini), of the bitness given: x86, the one to ship, or x64 for a 64-bit game that reads the
;   registry's 64-bit view. Leaves $OUTDIR at $INSTDIR.
; LAUNCHER_SHORTCUT <folder> <name> <launcher|automatic>
;   Makes <folder>\<name>.lnk ($SMPROGRAMS or $DESKTOP) whose target is the game folder's launcher.exe, or
;   companion.exe for "automatic", and whose "Start in" is the game folder: the launcher reads everything
;   from its current directory. CreateShortCut takes the working directory from $OUTDIR, so the macro sets
;   it to $INSTDIR first and leaves it there. Give the same mode as to LAUNCHER_INSTALL.
; LAUNCHER_UNINSTALL <name>
;   In the uninstaller: removes launcher.exe, companion.exe, the shortcuts <name>.lnk in $SMPROGRAMS and
;   $DESKTOP, and today's detection file when a run left one (in the game folder, and in the VirtualStore
;   of the account that uninstalls, where Windows puts a 32-bit companion's writes to a folder the player
;   cannot write). Use the same SetShellVarContext as the installer, so that $SMPROGRAMS and $DESKTOP name
;   the same folders.
;
; What the game owns stays your choice: its files, its settings files, CONF\TMPFILE.TXT, the values that
; script imports, and the resolution the launcher records below ROOT\SUBKEY (KQgameset.ini, [REGSET]). The
; macros leave all of them. To remove the record too, when ROOT=2 (HKEY_CURRENT_USER), name the SUBKEY:
;
;   DeleteRegKey HKCU "Software\My Company\My Game\Video"
;
; That removes it for the account that runs the uninstaller only: other players keep theirs.

!ifndef LAUNCHER_NSH
!define LAUNCHER_NSH

!include "LogicLib.nsh"

!ifndef LAUNCHER_ARCHIVE
  !define LAUNCHER_ARCHIVE "${__FILEDIR__}\.."
!endif

; The program the shortcut starts for a mode; a mode that is neither stops the compilation.
!macro _LAUNCHER_ENTRY MODE
  !ifdef _LAUNCHER_ENTRY
    !undef _LAUNCHER_ENTRY
  !endif
  !if "${MODE}" == "automatic"
    !define _LAUNCHER_ENTRY "companion.exe"
  !else if "${MODE}" == "launcher"
    !define _LAUNCHER_ENTRY "launcher.exe"
  !else
    !error "launcher.nsh: the mode is launcher or automatic, not '${MODE}'"
  !endif
!macroend

!macro LAUNCHER_INSTALL BITNESS MODE
  !if "${BITNESS}" == "x86"
    !define /redef _LAUNCHER_FROM "${LAUNCHER_ARCHIVE}"
  !else if "${BITNESS}" == "x64"
    !define /redef _LAUNCHER_FROM "${LAUNCHER_ARCHIVE}\x64"
  !else
    !error "launcher.nsh: the bitness is x86 or x64, not '${BITNESS}'"
  !endif
  !insertmacro _LAUNCHER_ENTRY "${MODE}"
  SetOutPath "$INSTDIR"
  File "${_LAUNCHER_FROM}\launcher.exe"
  !if "${MODE}" == "automatic"
    File "${_LAUNCHER_FROM}\companion.exe"
  !endif
!macroend

!macro LAUNCHER_SHORTCUT FOLDER NAME MODE
  !insertmacro _LAUNCHER_ENTRY "${MODE}"
  SetOutPath "$INSTDIR"
  CreateShortCut "${FOLDER}\${NAME}.lnk" "$INSTDIR\${_LAUNCHER_ENTRY}"
!macroend

!macro LAUNCHER_UNINSTALL NAME
  Delete "$INSTDIR\launcher.exe"
  Delete "$INSTDIR\companion.exe"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$DESKTOP\${NAME}.lnk"
  Push $0
  Push $1
  Push $2
  Push $3
  ; Today's detection file: year, day, month in decimal without leading zeros (31 October 2012:
  ; 20123110.ini), from the local date as the companion and the launcher take it.
  System::Call "*(&i2, &i2, &i2, &i2, &i2, &i2, &i2, &i2) p .r0"
  System::Call "kernel32::GetLocalTime(p r0)"
  System::Call "*$0(&i2 .r1, &i2 .r2, &i2, &i2 .r3)"
  System::Free $0
  StrCpy $0 "$1$3$2.ini"
  Delete "$INSTDIR\$0"
  ; Its VirtualStore copy: %LOCALAPPDATA%\VirtualStore and the game folder's path without its drive.
  StrCpy $1 "$INSTDIR" 2 1
  ReadEnvStr $2 LOCALAPPDATA
  ${If} $1 == ":\"
  ${AndIf} $2 != ""
    StrCpy $3 "$INSTDIR" "" 3
    Delete "$2\VirtualStore\$3\$0"
    RMDir "$2\VirtualStore\$3"
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
!macroend

!endif

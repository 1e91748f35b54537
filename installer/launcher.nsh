; launcher.nsh: the game launcher in a game's NSIS installer (NSIS 3, Unicode true).
;
; Include it in your own installer script; it finds the programs in the archive folder above its own
; (define LAUNCHER_ARCHIVE before the !include when the archive is elsewhere). Every macro works on
; $INSTDIR, the game folder: the folder that holds KQgameset.ini, KQgameplay.ini and CONF\TMPFILE.TXT.
;
;   Unicode true
;   RequestExecutionLevel admin
;   !include "launcher.nsh"
;
;   ; Shortcuts for every account. With "current", NSIS's default, they would go to the account the
;   ; installer runs as: for a standard player who typed an administrator's password, that administrator.
;   Function .onInit
;     SetShellVarContext all
;   FunctionEnd
;   Function un.onInit
;     SetShellVarContext all                     ; the same folders in the uninstaller
;   FunctionEnd
;
;   Section "Game"
;     SetOutPath "$INSTDIR"
;     File /r /x KQgameset.ini /x KQgameplay.ini "release\My Game\*.*"  ; the game and CONF\TMPFILE.TXT
;     !insertmacro LAUNCHER_SETTINGS "release\My Game"                  ; its two settings files
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
;     !insertmacro LAUNCHER_UNINSTALL
;     !insertmacro LAUNCHER_REMOVE_SHORTCUT "$SMPROGRAMS" "My Game"
;     !insertmacro LAUNCHER_REMOVE_SHORTCUT "$DESKTOP" "My Game"
;     ; then your game's own files, and RMDir "$INSTDIR"
;   SectionEnd
;
; LAUNCHER_INSTALL <x86|x64> <launcher|automatic>
;   Puts launcher.exe into the game folder, and companion.exe too for "automatic" (radiostate=1 in
;   KQgameplay.ini), of the bitness given: x86, the one to ship, or x64 for a 64-bit game that reads the
;   registry's 64-bit view. Leaves $OUTDIR at $INSTDIR.
; LAUNCHER_SETTINGS <folder>
;   Puts <folder>\KQgameset.ini and <folder>\KQgameplay.ini into the game folder, whole at a first install.
;   Over an installed game the player's values stay: KQgameplay.ini [ExtSet] check1, customquality and
;   radiostate, and KQgameset.ini [BV] qnores, qnoresX and qnoresY, the ones a game's options screen
;   writes. Everything else is the new files': [REGSET], [game], the comments. A key the installed file
;   does not hold takes the new file's value. Keep the two files out of your own File /r (/x, as above).
;   Leaves $OUTDIR at $INSTDIR.
; LAUNCHER_SHORTCUT <folder> <name> <launcher|automatic>
;   Makes <folder>\<name>.lnk ($SMPROGRAMS or $DESKTOP) whose target is the game folder's launcher.exe, or
;   companion.exe for "automatic", and whose "Start in" is the game folder: the launcher reads everything
;   from its current directory. CreateShortCut takes the working directory from $OUTDIR, so the macro sets
;   it to $INSTDIR first and leaves it there. Give the same mode as to LAUNCHER_INSTALL.
; LAUNCHER_REMOVE_SHORTCUT <folder> <name>
;   Removes <folder>\<name>.lnk only when its target lies in this game folder: the same name made by an
;   install of the game into another folder, which points there, stays. Use the same SetShellVarContext as
;   the installer, so that $SMPROGRAMS and $DESKTOP name the same folders.
; LAUNCHER_UNINSTALL
;   In the uninstaller: removes launcher.exe, companion.exe, and today's detection file when a run left one,
;   in the game folder and in the VirtualStore of the account the uninstaller runs as. Windows puts a
;   32-bit companion's writes to a folder the player cannot write into that player's VirtualStore. An
;   uninstaller that asks for administrator rights runs as the administrator who gave them: the player
;   only when the player's own account confirmed the consent prompt; for a standard player who typed an
;   administrator's password, that administrator; under Windows 11's administrator protection, a hidden
;   system-managed account. The player's copy then stays, one file of one day, which no later day's run
;   reads.
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

; The player's keys, each given to STEP with the register that keeps its value in between.
!macro _LAUNCHER_PLAYER_KEYS STEP
  !insertmacro ${STEP} $R0 KQgameplay.ini ExtSet check1
  !insertmacro ${STEP} $R1 KQgameplay.ini ExtSet customquality
  !insertmacro ${STEP} $R2 KQgameplay.ini ExtSet radiostate
  !insertmacro ${STEP} $R3 KQgameset.ini BV qnores
  !insertmacro ${STEP} $R4 KQgameset.ini BV qnoresX
  !insertmacro ${STEP} $R5 KQgameset.ini BV qnoresY
!macroend

; A line break stands for a key the installed file lacks: no value read from an INI line holds one.
!macro _LAUNCHER_KEEP_READ REGISTER FILE SECTION KEY
  ClearErrors
  ReadINIStr ${REGISTER} "$INSTDIR\${FILE}" "${SECTION}" "${KEY}"
  ${If} ${Errors}
    StrCpy ${REGISTER} "$\n"
  ${EndIf}
!macroend

!macro _LAUNCHER_KEEP_WRITE REGISTER FILE SECTION KEY
  ${If} ${REGISTER} != "$\n"
    WriteINIStr "$INSTDIR\${FILE}" "${SECTION}" "${KEY}" "${REGISTER}"
  ${EndIf}
!macroend

!macro _LAUNCHER_PUSH REGISTER FILE SECTION KEY
  Push ${REGISTER}
!macroend

!macro LAUNCHER_SETTINGS FOLDER
  !insertmacro _LAUNCHER_PLAYER_KEYS _LAUNCHER_PUSH
  !insertmacro _LAUNCHER_PLAYER_KEYS _LAUNCHER_KEEP_READ
  SetOutPath "$INSTDIR"
  File "${FOLDER}\KQgameset.ini"
  File "${FOLDER}\KQgameplay.ini"
  !insertmacro _LAUNCHER_PLAYER_KEYS _LAUNCHER_KEEP_WRITE
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
!macroend

!macro LAUNCHER_SHORTCUT FOLDER NAME MODE
  !insertmacro _LAUNCHER_ENTRY "${MODE}"
  SetOutPath "$INSTDIR"
  CreateShortCut "${FOLDER}\${NAME}.lnk" "$INSTDIR\${_LAUNCHER_ENTRY}"
!macroend

; The shell's shortcut object and the two interfaces it is read through.
!define _LAUNCHER_CLSID_SHELLLINK "{00021401-0000-0000-C000-000000000046}"
!define _LAUNCHER_IID_ISHELLLINKW "{000214F9-0000-0000-C000-000000000046}"
!define _LAUNCHER_IID_IPERSISTFILE "{0000010B-0000-0000-C000-000000000046}"

!macro LAUNCHER_REMOVE_SHORTCUT FOLDER NAME
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  ; The shortcut's target, read as the shell reads it: empty when there is no such shortcut. NSIS has
  ; initialized COM for CreateShortCut.
  StrCpy $0 ""
  StrCpy $4 "${FOLDER}\${NAME}.lnk"
  System::Call "ole32::CoCreateInstance(g '${_LAUNCHER_CLSID_SHELLLINK}', p 0, i 1, g '${_LAUNCHER_IID_ISHELLLINKW}', *p .r1) i .r2"
  ${If} $2 = 0
    System::Call "$1->0(g '${_LAUNCHER_IID_IPERSISTFILE}', *p .r2) i .r3"  ; QueryInterface
    ${If} $3 = 0
      System::Call "$2->5(w r4, i 0) i .r3"       ; IPersistFile::Load, STGM_READ
      System::Call "$2->2()"                      ; Release
      ${If} $3 = 0
        System::Call "$1->3(w .r0, i ${NSIS_MAX_STRLEN}, p 0, i 0)"  ; IShellLinkW::GetPath
      ${EndIf}
    ${EndIf}
    System::Call "$1->2()"                        ; Release
  ${EndIf}
  ; Only a target in this game folder: the folder's path and a backslash begin it, without regard to case.
  StrLen $1 "$INSTDIR\"
  StrCpy $2 $0 $1
  ${If} $2 == "$INSTDIR\"
    Delete $4
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
!macroend

!macro LAUNCHER_UNINSTALL
  Delete "$INSTDIR\launcher.exe"
  Delete "$INSTDIR\companion.exe"
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
  ; Its VirtualStore copy, of the account this uninstaller runs as (see above): %LOCALAPPDATA%\VirtualStore
  ; and the game folder's path without its drive.
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

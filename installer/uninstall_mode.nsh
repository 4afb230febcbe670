; The uninstaller acts only for the install its own folder is: the one
; whose uninstall entry (all users' first, then this user's) names this
; folder and the uninstaller in it. A copy anywhere else, or one an install
; left behind, says so and changes nothing.
Function un.ReadInstallMode
  Call un.ReadCommon
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "UninstallString"
  Call un.EntryNamesThisFolder
  ${If} $0 == 1
    StrCpy $AllUsers 1
    StrCpy $ProgramFolder "$SystemFolder"
    Return
  ${EndIf}
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "UninstallString"
  Call un.EntryNamesThisFolder
  ${If} $0 == 1
    StrCpy $AllUsers 0
    StrCpy $ProgramFolder "$INSTDIR"
    Return
  ${EndIf}
  MessageBox MB_OK|MB_ICONSTOP "$(ZOOMORB_NOT_THIS_INSTALL)" /SD IDOK
  SetErrorLevel 2
  Quit
FunctionEnd

; $0: an entry's InstallLocation, $1: its UninstallString. Sets $0 to 1 when
; they name this folder and its uninstaller, else to 0. Short paths compare
; a folder however it was written.
Function un.EntryNamesThisFolder
  ${If} $0 == ""
  ${OrIf} $1 != '"$0\Uninstall.exe"'
    StrCpy $0 0
    Return
  ${EndIf}
  GetFullPathName /SHORT $1 "$0"
  GetFullPathName /SHORT $0 "$INSTDIR"
  ${If} $1 != ""
  ${AndIf} $1 == $0
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
FunctionEnd

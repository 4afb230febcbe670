; Who the install is for, and where the files go.
; Per user: Zoomorb.scr and Uninstall.exe in $LOCALAPPDATA\Programs\Zoomorb
; (or the folder chosen), entry under HKCU. All users: Zoomorb.scr in the
; system folder, where the screen-saver list looks, and Uninstall.exe in
; Program Files\Zoomorb, entry under HKLM.
; Command line: /ALLUSERS installs for all users; /ELEVATED marks the copy
; started with the administrator's rights, which does the machine-wide part
; only and leaves the screen-saver choice to the user's own process.

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Var AllUsers
; The earlier per-user install's folder, when this install goes elsewhere.
Var EarlierFolder
Var IsAdmin
Var Elevated
Var SystemFolder
Var ProgramFolder
Var UserFolder
Var JustMeRadio
Var AllUsersRadio
Var FolderField
Var BrowseButton

; An upgrade goes where the earlier per-user install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!macro ZOOMORB_READ_COMMON UN
Function ${UN}ReadCommon
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $IsAdmin 1
  ${Else}
    StrCpy $IsAdmin 0
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/ELEVATED" $0
  ${If} ${Errors}
    StrCpy $Elevated 0
  ${Else}
    StrCpy $Elevated 1
  ${EndIf}
  ; A 32-bit program on 64-bit Windows belongs in SysWOW64; the system
  ; records its path there, not the System32 the file system shows us.
  StrCpy $SystemFolder "$SYSDIR"
!if ${ARCH} == x86
  ${If} ${RunningX64}
    StrCpy $SystemFolder "$WINDIR\SysWOW64"
  ${EndIf}
!endif
FunctionEnd
!macroend
!insertmacro ZOOMORB_READ_COMMON ""
!insertmacro ZOOMORB_READ_COMMON "un."

Function ReadInstallMode
  Call ReadCommon
  Call RefuseUnusableFolderArgument
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/ALLUSERS" $0
  ${If} ${Errors}
    StrCpy $AllUsers 0
  ${Else}
    StrCpy $AllUsers 1
  ${EndIf}
  ; Neither /D= nor an earlier per-user install named a folder.
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
  StrCpy $UserFolder "$INSTDIR"
  Call ApplyInstallMode
FunctionEnd

Function ApplyInstallMode
  ${If} $AllUsers == 1
!if ${ARCH} == x64
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
!else
    StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
!endif
    StrCpy $ProgramFolder "$SystemFolder"
  ${Else}
    StrCpy $INSTDIR "$UserFolder"
    StrCpy $ProgramFolder "$INSTDIR"
  ${EndIf}
FunctionEnd

; The installer's start-up drops a /D= folder that cannot be installed into
; (a file stands in its path, or its drive does not exist) and goes on with
; the default one, which would install where nobody asked. The command line
; as given tells: its /D= (always the last switch) must be the folder we got.
Function RefuseUnusableFolderArgument
  System::Call 'kernel32::GetCommandLineW() t .r0'
  StrLen $1 $0
  StrCpy $2 0
  ${Do}
    ${If} $2 >= $1
      Return
    ${EndIf}
    StrCpy $3 $0 4 $2
    ${If} $3 S== " /D="
      ${Break}
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  IntOp $2 $2 + 4
  StrCpy $R0 $0 "" $2
  Push $R0
  Call WithoutTrailingBackslash
  Pop $3
  Push $INSTDIR
  Call WithoutTrailingBackslash
  Pop $4
  ${If} $3 != $4
    MessageBox MB_OK|MB_ICONSTOP "$(ZOOMORB_UNUSABLE_FOLDER)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Function WithoutTrailingBackslash
  Exch $0
  Push $1
  ${Do}
    StrCpy $1 $0 1 -1
    ${If} $1 != "\"
      ${Break}
    ${EndIf}
    StrCpy $0 $0 -1
  ${Loop}
  Pop $1
  Exch $0
FunctionEnd

; An install into another folder moves this user's install: the earlier
; folder, which the uninstall entry names, loses its program and uninstaller
; (its settings stay, as after an uninstall), and the one entry names the
; new folder.
Function FindEarlierFolder
  StrCpy $EarlierFolder ""
  ${If} $AllUsers == 1
    Return
  ${EndIf}
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "UninstallString"
  ${If} $0 == ""
  ${OrIf} $1 != '"$0\Uninstall.exe"'
    Return
  ${EndIf}
  GetFullPathName /SHORT $2 "$0"
  ${If} $2 == ""
    Return
  ${EndIf}
  StrCpy $3 ""
  ${If} ${FileExists} "$INSTDIR\*.*"
    GetFullPathName /SHORT $3 "$INSTDIR"
  ${EndIf}
  ${If} $2 != $3
    StrCpy $EarlierFolder "$0"
  ${EndIf}
FunctionEnd

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

Function InstallModePage
  !insertmacro MUI_HEADER_TEXT "$(ZOOMORB_MODE_TITLE)" "$(ZOOMORB_MODE_SUBTITLE)"
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 20u "$(ZOOMORB_MODE_INTRO)"
  Pop $0
  ${NSD_CreateRadioButton} 0 24u 100% 12u "$(ZOOMORB_MODE_JUST_ME)"
  Pop $JustMeRadio
  ${NSD_CreateDirRequest} 12u 39u 222u 13u "$UserFolder"
  Pop $FolderField
  ${NSD_CreateBrowseButton} 240u 38u 60u 15u "$(^BrowseBtn)"
  Pop $BrowseButton
  ${NSD_CreateRadioButton} 0 62u 100% 12u "$(ZOOMORB_MODE_ALL_USERS)"
  Pop $AllUsersRadio
  ${NSD_CreateLabel} 12u 77u 288u 10u "$SystemFolder"
  Pop $0
  ${NSD_CreateLabel} 0 110u 100% 20u "$(ZOOMORB_MODE_SETTINGS_KEPT)"
  Pop $0
  ${NSD_OnClick} $JustMeRadio InstallModeClicked
  ${NSD_OnClick} $AllUsersRadio InstallModeClicked
  ${NSD_OnClick} $BrowseButton BrowseForFolder
  ${If} $AllUsers == 1
    ${NSD_Check} $AllUsersRadio
  ${Else}
    ${NSD_Check} $JustMeRadio
  ${EndIf}
  ; The install starts from this page.
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^InstallBtn)"
  Call UpdateInstallModeControls
  nsDialogs::Show
FunctionEnd

Function InstallModeClicked
  Pop $0
  Call UpdateInstallModeControls
FunctionEnd

; The folder is the user's to choose only for a per-user install; the
; button that goes on shows the shield when it will ask for elevation.
Function UpdateInstallModeControls
  ${NSD_GetState} $AllUsersRadio $0
  GetDlgItem $1 $HWNDPARENT 1
  ${If} $0 == ${BST_CHECKED}
    EnableWindow $FolderField 0
    EnableWindow $BrowseButton 0
    ${If} $IsAdmin != 1
      SendMessage $1 ${BCM_SETSHIELD} 0 1
    ${EndIf}
  ${Else}
    EnableWindow $FolderField 1
    EnableWindow $BrowseButton 1
    SendMessage $1 ${BCM_SETSHIELD} 0 0
  ${EndIf}
FunctionEnd

Function BrowseForFolder
  Pop $0
  ${NSD_GetText} $FolderField $1
  nsDialogs::SelectFolderDialog "$(^DirBrowseText)" "$1"
  Pop $0
  ${If} $0 != error
    ; As the usual folder page does: a chosen parent gets our own folder.
    ${GetFileName} $0 $2
    ${If} $2 != "${PRODUCT}"
      StrCpy $2 $0 1 -1
      ${If} $2 == "\"
        StrCpy $0 "$0${PRODUCT}"
      ${Else}
        StrCpy $0 "$0\${PRODUCT}"
      ${EndIf}
    ${EndIf}
    ${NSD_SetText} $FolderField $0
  ${EndIf}
FunctionEnd

Function InstallModePageLeave
  ${NSD_GetState} $AllUsersRadio $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
    ${NSD_GetText} $FolderField $1
    ${If} $1 == ""
      MessageBox MB_OK|MB_ICONEXCLAMATION "$(^DirBrowseText)"
      Abort
    ${EndIf}
    StrCpy $UserFolder $1
  ${EndIf}
  GetDlgItem $1 $HWNDPARENT 1
  SendMessage $1 ${BCM_SETSHIELD} 0 0
  Call ApplyInstallMode
FunctionEnd

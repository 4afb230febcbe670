; Who the install is for, and where the files go.
; Per user: Zoomorb.scr and Uninstall.exe in $LOCALAPPDATA\Programs\Zoomorb
; (or the folder chosen), entry under HKCU. All users: Zoomorb.scr in the
; system folder, where the screen-saver list looks, and Uninstall.exe in
; Program Files\Zoomorb, entry under HKLM.
; Command line: /ALLUSERS installs for all users; /D= names the per-user
; folder; /ELEVATED marks the copy started with the administrator's rights.

; The earlier per-user install's folder, when this install goes elsewhere.
Var EarlierFolder
Var UserFolder
Var JustMeRadio
Var AllUsersRadio
Var FolderField
Var BrowseButton

; An upgrade goes where the earlier per-user install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

Function ReadInstallMode
  Call ReadCommon
  Call RefuseUnusableFolderArgument
  Call RunAgainForQuotedFolder
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
  Push $0
  Push " /D="
  Call FindText
  Pop $1
  ${If} $1 < 0
    Return
  ${EndIf}
  IntOp $1 $1 + 4
  StrCpy $R0 $0 "" $1
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

; Programs that quote each argument with a blank in it (PowerShell's
; Start-Process, package managers) write the switch as "/D=C:\Some Folder",
; which the start-up does not read: it would install into the default
; folder. This installer then runs again with the switch as the start-up
; reads it, unquoted and last, and ends as that one does: installed there,
; or refused as any folder that cannot be used.
Function RunAgainForQuotedFolder
  ${GetParameters} $0
  StrCpy $0 " $0"
  Push $0
  Push ' "/D='
  Call FindText
  Pop $1
  ${If} $1 < 0
    Return
  ${EndIf}
  StrCpy $2 $0 $1
  IntOp $1 $1 + 5
  StrCpy $3 $0 "" $1
  Push $3
  Push '"'
  Call FindText
  Pop $1
  StrCpy $4 ""
  ${If} $1 >= 0
    IntOp $4 $1 + 1
    StrCpy $4 $3 "" $4
    StrCpy $3 $3 $1
  ${EndIf}
  ClearErrors
  ExecWait '"$EXEPATH"$2$4 /D=$3' $0
  ${If} ${Errors}
    StrCpy $0 2
  ${EndIf}
  SetErrorLevel $0
  Quit
FunctionEnd

; Push a text, then what to look for in it; pops where it first starts,
; counted from 0, or -1. Capitals count, as they do for the switches.
Function FindText
  Exch $1
  Exch
  Exch $0
  Push $2
  Push $3
  Push $4
  StrLen $2 $1
  StrCpy $3 0
  ${Do}
    StrCpy $4 $0 $2 $3
    ${If} $4 S== $1
      ${Break}
    ${ElseIf} $4 == ""
      StrCpy $3 -1
      ${Break}
    ${EndIf}
    IntOp $3 $3 + 1
  ${Loop}
  StrCpy $0 $3
  Pop $4
  Pop $3
  Pop $2
  Exch $0
  Exch
  Pop $1
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
; (its settings stay, as after an uninstall), the new folder takes those
; settings, and the one entry names the new folder.
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

!define MOVEFILE_REPLACE_EXISTING 1

; The settings beside the program left are the ones in use: they replace the
; new folder's own, which an install that moved away from it left there and
; which stay as Zoomorb.ini.old. The new file is written beside the old one
; and put in its place in one step, so the folder holds one whole file or
; the other. Sets the error flag when the settings could not be taken; the
; new folder's file is then as it was.
Function TakeEarlierSettings
  ClearErrors
  ${IfNot} ${FileExists} "$EarlierFolder\Zoomorb.ini"
    Return
  ${EndIf}
  StrCpy $0 "$INSTDIR\Zoomorb.ini"
  CreateDirectory "$INSTDIR"
  System::Call 'kernel32::CopyFileW(w "$EarlierFolder\Zoomorb.ini", w "$0.new", i 0) i.r1'
  ${If} $1 <> 0
  ${AndIf} ${FileExists} "$0"
    System::Call 'kernel32::CopyFileW(w "$0", w "$0.old", i 0) i.r1'
  ${EndIf}
  ${If} $1 <> 0
    System::Call 'kernel32::MoveFileExW(w "$0.new", w "$0", i ${MOVEFILE_REPLACE_EXISTING}) i.r1'
  ${EndIf}
  ${If} $1 = 0
    Delete "$0.new"
    SetErrors
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

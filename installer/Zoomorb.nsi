; The Windows installer: puts Zoomorb.scr where the system's screen-saver
; list finds it, selects it as the user's saver and registers the
; uninstaller. Per-user by default (no administrator rights); all users on
; request, in which case only the machine-wide part runs elevated.
;
; Besides what common.nsh needs, the build passes PROGRAM (the built
; Zoomorb.scr) and UNINSTALLER (Uninstall.exe, made from Uninstall.nsi).

!ifndef PROGRAM | UNINSTALLER
  !error "makensis needs /DPROGRAM= /DUNINSTALLER="
!endif
!define UN ""
!include "common.nsh"
!ifdef SIGN_COMMAND
  !finalize `${SIGN_COMMAND}` = 0
!endif

!include nsDialogs.nsh
!include "install_mode.nsh"
!include "elevation.nsh"
!include "running_saver.nsh"
!include "saver_selection.nsh"

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(ZOOMORB_WELCOME_TEXT)"
!insertmacro MUI_PAGE_WELCOME
Page custom InstallModePage InstallModePageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(ZOOMORB_FINISH_TEXT)"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(ZOOMORB_OPEN_SETTINGS)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!include "languages.nsh"
!insertmacro ZOOMORB_VERSION_INFO "${PRODUCT} Screen Saver Setup"

Function .onInit
  Call ReadInstallMode
!if ${ARCH} == x86
  ${If} ${RunningX64}
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(ZOOMORB_X64_IS_RIGHT)" /SD IDOK IDOK +2
    Quit
  ${EndIf}
!endif
FunctionEnd

Section "-Program"
  ; The elevated copy never starts another: without the rights it fails
  ; and says so through its exit code.
  ${If} $AllUsers == 1
  ${AndIf} $IsAdmin != 1
  ${AndIf} $Elevated != 1
    ; Only the machine-wide part needs the administrator; this user's
    ; choice of screen saver is theirs, so this process makes it.
    DetailPrint "$(ZOOMORB_ASKING_ADMIN)"
    !insertmacro RunElevated "/S /ALLUSERS /ELEVATED" $0
    ${If} $0 != 0
    ${OrIfNot} ${FileExists} "$ProgramFolder\Zoomorb.scr"
      MessageBox MB_OK|MB_ICONSTOP "$(ZOOMORB_ADMIN_PART_FAILED)" /SD IDOK
      Abort "$(ZOOMORB_ADMIN_PART_FAILED)"
    ${EndIf}
    Call SelectSaver
    Return
  ${EndIf}

  Call FindEarlierFolder
  Push "$ProgramFolder"
  Call WaitUntilProgramIsFree
  ${If} $EarlierFolder != ""
    Push "$EarlierFolder"
    Call WaitUntilProgramIsFree
    ; Before anything is installed: a move that cannot take the settings
    ; along changes nothing.
    Call TakeEarlierSettings
    ${If} ${Errors}
      MessageBox MB_OK|MB_ICONSTOP "$(ZOOMORB_SETTINGS_NOT_TAKEN)" /SD IDOK
      Abort "$(ZOOMORB_SETTINGS_NOT_TAKEN)"
    ${EndIf}
  ${EndIf}
  SetOutPath "$ProgramFolder"
  File "/oname=Zoomorb.scr" "${PROGRAM}"
  SetOutPath "$INSTDIR"
  File "/oname=Uninstall.exe" "${UNINSTALLER}"
  Call WriteUninstallEntry
  ${If} $Elevated != 1
    Call SelectSaver
  ${EndIf}
  ; Only once the new install is whole, and as an uninstall would: the
  ; settings beside the earlier program stay.
  ${If} $EarlierFolder != ""
    Delete "$EarlierFolder\Zoomorb.scr"
    Delete "$EarlierFolder\Uninstall.exe"
    RMDir "$EarlierFolder"
  ${EndIf}
SectionEnd

Function WriteUninstallEntry
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$ProgramFolder\Zoomorb.scr,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$ProgramFolder" "/M=Zoomorb.scr /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=Uninstall.exe /S=0K /G=0" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

; The Windows installer: puts Zoomorb.scr where the system's screen-saver
; list finds it, selects it as the user's saver and registers an uninstaller.
; Per-user by default (no administrator rights); all users on request, in
; which case only the machine-wide part runs elevated.
;
; The build passes: VERSION (1.1.0), VERSION4 (1.1.0.0), ARCH (x64 or x86),
; PROGRAM (the built Zoomorb.scr) and OUTFILE; when it signs, SIGN_COMMAND,
; which signs the file %1 in place.

!ifndef VERSION | VERSION4 | ARCH | PROGRAM | OUTFILE
  !error "makensis needs /DVERSION= /DVERSION4= /DARCH= /DPROGRAM= /DOUTFILE="
!endif

Unicode true
!if ${ARCH} == x64
  Target amd64-unicode
!else if ${ARCH} == x86
  Target x86-unicode
!else
  !error "ARCH must be x64 or x86"
!endif
SetCompressor /SOLID lzma
!ifdef SIGN_COMMAND
  ; The uninstaller is signed before it is packed, so the one the install
  ; writes is signed too.
  !uninstfinalize `${SIGN_COMMAND}` = 0
  !finalize `${SIGN_COMMAND}` = 0
!endif
ManifestDPIAware true
; Elevation is asked for only when the user chooses an install for all users.
RequestExecutionLevel user

!define PRODUCT "Zoomorb"
!define PUBLISHER "Quorvat"
!define ICON "../src/resources/zoomorb.ico"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include nsDialogs.nsh
!include MUI2.nsh

!include "install_mode.nsh"
!include "elevation.nsh"
!include "running_saver.nsh"
!include "saver_selection.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
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

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the fallback; otherwise the user's UI language picks.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!include "lang/English.nsh"
!include /CHARSET=UTF8 "lang/Japanese.nsh"

VIProductVersion ${VERSION4}
VIFileVersion ${VERSION4}
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Screen Saver Setup (${ARCH})"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

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
  ${EndIf}
  SetOutPath "$ProgramFolder"
  File "/oname=Zoomorb.scr" "${PROGRAM}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  Call WriteUninstallEntry
  ${If} $Elevated != 1
    Call SelectSaver
  ${EndIf}
  ; Only once the new install is whole, and as an uninstall would: the
  ; settings beside the earlier program stay, and the new folder starts
  ; from a copy of them, so the move keeps the user's choice.
  ${If} $EarlierFolder != ""
    ${IfNot} ${FileExists} "$INSTDIR\Zoomorb.ini"
    ${AndIf} ${FileExists} "$EarlierFolder\Zoomorb.ini"
      CopyFiles /SILENT /FILESONLY "$EarlierFolder\Zoomorb.ini" "$INSTDIR"
    ${EndIf}
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

Function un.onInit
  Call un.ReadInstallMode
FunctionEnd

Section "Uninstall"
  ${If} $AllUsers == 1
  ${AndIf} $IsAdmin != 1
  ${AndIf} $Elevated != 1
    ; The short path must be taken while the file still exists.
    GetFullPathName /SHORT $R9 "$ProgramFolder\Zoomorb.scr"
    DetailPrint "$(ZOOMORB_ASKING_ADMIN)"
    !insertmacro RunElevated "/S /ELEVATED _?=$INSTDIR" $0
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONSTOP "$(ZOOMORB_ADMIN_PART_FAILED)" /SD IDOK
      Abort "$(ZOOMORB_ADMIN_PART_FAILED)"
    ${EndIf}
    Push $R9
    Call un.UnselectSaver
    Return
  ${EndIf}

  ; Nothing is removed until the program itself is: a saver that is still
  ; running leaves the install whole.
  GetFullPathName /SHORT $R9 "$ProgramFolder\Zoomorb.scr"
  Push "$ProgramFolder"
  Call un.WaitUntilProgramIsFree
  ClearErrors
  Delete "$ProgramFolder\Zoomorb.scr"
  ${If} ${Errors}
    Abort "$(ZOOMORB_SAVER_RUNNING_ABORT)"
  ${EndIf}
  ${If} $Elevated != 1
    Push $R9
    Call un.UnselectSaver
  ${EndIf}
  ; The settings files (Zoomorb.ini beside the program and the per-user
  ; one) stay: the user's choices outlive an uninstall.
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; The uninstall: an NSIS uninstaller, which Uninstall.exe (uninstaller/)
; carries, runs from a copy in a temporary folder and waits for, telling it
; the install folder with _?=. Its exit code: 0 removed, 1 cancelled by the
; user, 2 refused with nothing changed.
;
; makensis makes an uninstaller only for an installer that writes one: the
; build makes the installer of this script, keeps its uninstaller (the
; command KEEP_UNINSTALLER copies the file %1 away) and throws the
; installer away. Besides, the build passes what common.nsh needs.

!ifndef KEEP_UNINSTALLER
  !error "makensis needs /DKEEP_UNINSTALLER="
!endif
!define UN "un."
!include "common.nsh"
!uninstfinalize `${KEEP_UNINSTALLER}` = 0

!include "uninstall_mode.nsh"
!include "elevation.nsh"
!include "running_saver.nsh"
!include "saver_selection.nsh"

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!include "languages.nsh"
!insertmacro ZOOMORB_VERSION_INFO "${PRODUCT} Screen Saver Uninstaller"

Section
  WriteUninstaller "$EXEDIR\Uninstall.exe"
SectionEnd

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
  Call un.RemoveUninstaller
  RMDir "$INSTDIR"
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; The Uninstall.exe that started this copy waits for it, and a running
; program's file cannot be deleted; it can be moved, though, on its drive:
; into this copy's folder under the temporary one, so that the install
; folder goes now (the name is one Uninstall.exe knows, and clears away at
; its next run). Failing that, it goes when Windows restarts, where the
; rights allow.
Function un.RemoveUninstaller
  ClearErrors
  Delete "$INSTDIR\Uninstall.exe"
  ${If} ${Errors}
    ClearErrors
    Rename "$INSTDIR\Uninstall.exe" "$EXEDIR\Started.exe"
    ${If} ${Errors}
      Delete /REBOOTOK "$INSTDIR\Uninstall.exe"
    ${EndIf}
  ${EndIf}
FunctionEnd

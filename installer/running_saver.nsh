; A running saver, its preview or its settings dialog holds Zoomorb.scr:
; neither an upgrade nor an uninstall may start then, or it would leave a
; half-replaced or half-removed install.

; Push the folder of the Zoomorb.scr to wait for. Waits up to ten seconds
; for the program to be free, then asks the user to close it (Retry) or to
; leave everything as it is (Cancel, and always when silent): that aborts
; before anything has changed.
Function ${UN}WaitUntilProgramIsFree
  Exch $2
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    FindWindow $0 "" "Zoomorb_Main"
    ${If} $0 == 0
      FindWindow $0 "" "Zoomorb Saver"
    ${EndIf}
    ${If} $0 == 0
      ${IfNot} ${FileExists} "$2\Zoomorb.scr"
        ${Break}
      ${EndIf}
      ; A running program's file cannot be opened for writing.
      ClearErrors
      FileOpen $0 "$2\Zoomorb.scr" a
      ${IfNot} ${Errors}
        FileClose $0
        ${Break}
      ${EndIf}
    ${EndIf}
    ${If} $1 == 0
      DetailPrint "$(ZOOMORB_WAITING_FOR_SAVER)"
    ${EndIf}
    IntOp $1 $1 + 1
    ${If} $1 < 20
      Sleep 500
      ${Continue}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ZOOMORB_SAVER_RUNNING)" /SD IDCANCEL IDRETRY retry
    Abort "$(ZOOMORB_SAVER_RUNNING_ABORT)"
    retry:
    StrCpy $1 0
  ${Loop}
  Pop $1
  Pop $0
  Pop $2
FunctionEnd

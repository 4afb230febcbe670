; Starts this installer or uninstaller again with the administrator's
; rights (the system asks the user) and waits for it. Only what Debian's
; nsis ships is used: ShellExecuteEx through the System plug-in.

!define SEE_MASK_NOCLOSEPROCESS_NOASYNC 0x140
; SHELLEXECUTEINFOW as the System plug-in lays out structures: packed, so
; the 64-bit layout needs the padding that aligns the pointer after each
; 32-bit member.
!if ${NSIS_PTR_SIZE} > 4
  !define ZOOMORB_PAD "i 0,"
  !define ZOOMORB_SKIP_PAD "i,"
!else
  !define ZOOMORB_PAD ""
  !define ZOOMORB_SKIP_PAD ""
!endif

; Push the arguments; pops the exit code, or "declined" when the program
; could not be started (the user said no to the elevation).
Function ${UN}RunElevatedWith
  Exch $0
  Push $1
  Push $2
  Push $3
  System::Call '*(&l4, i ${SEE_MASK_NOCLOSEPROCESS_NOASYNC}, p $HWNDPARENT, w "runas", w "$EXEPATH", w r0, p 0, i 1, ${ZOOMORB_PAD} p 0, p 0, p 0, p 0, i 0, ${ZOOMORB_PAD} p 0, p 0) p.r1'
  System::Call 'shell32::ShellExecuteExW(p r1) i.r2'
  ${If} $2 == 0
    StrCpy $0 "declined"
  ${Else}
    System::Call '*$1(i, i, p, p, p, p, p, i, ${ZOOMORB_SKIP_PAD} p, p, p, p, i, ${ZOOMORB_SKIP_PAD} p, p.r3)'
    System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r3, *i.r0)'
    System::Call 'kernel32::CloseHandle(p r3)'
  ${EndIf}
  System::Free $1
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

!macro RunElevated ARGUMENTS RESULT
  Push `${ARGUMENTS}`
  Call ${UN}RunElevatedWith
  Pop ${RESULT}
!macroend

; The user's screen saver is the file that HKCU\Control Panel\Desktop's
; SCRNSAVE.EXE names, written as the short 8.3 path, as the system's own
; screen-saver dialog writes it.

!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

!if "${UN}" == ""
Function SelectSaver
  GetFullPathName /SHORT $0 "$ProgramFolder\Zoomorb.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  ; Tells the running session too, not only the next logon.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
FunctionEnd
!else
; Push the short path taken while the file still existed. The choice is
; cleared only while it still names us: another saver chosen since stays.
Function un.UnselectSaver
  Exch $0
  Push $1
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 != ""
    ${If} $1 == $0
    ${OrIf} $1 == "$ProgramFolder\Zoomorb.scr"
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd
!endif

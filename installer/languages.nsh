; After the pages. The first language is the fallback; otherwise the user's
; UI language picks.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!include "lang/English.nsh"
!include /CHARSET=UTF8 "lang/Japanese.nsh"

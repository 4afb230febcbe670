; What the setup (Zoomorb.nsi) and the uninstaller (Uninstall.nsi) share:
; the compiler's settings, the product's names, the uninstall entry and
; what both read at their start. The script that includes this defines UN
; as the prefix of its own functions: "" in the setup, "un." in the
; uninstaller, whose work runs in its uninstall section.
;
; The build passes: VERSION (1.1.0), VERSION4 (1.1.0.0), ARCH (x64 or x86)
; and OUTFILE; when it signs, SIGN_COMMAND, which signs the file %1 in place.

!ifndef VERSION | VERSION4 | ARCH | OUTFILE | UN
  !error "makensis needs /DVERSION= /DVERSION4= /DARCH= /DOUTFILE= (and the script UN)"
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
ManifestDPIAware true
; Elevation is asked for only when the user chooses an install for all users.
RequestExecutionLevel user

!define PRODUCT "Zoomorb"
!define PUBLISHER "Quorvat"
!define ICON "../src/resources/zoomorb.ico"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include MUI2.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

; Who the install is for: all users (the program in the system folder,
; the entry under HKLM) or this user (both in the install folder, HKCU).
Var AllUsers
Var IsAdmin
; Set in the copy started with the administrator's rights (/ELEVATED), which
; does the machine-wide part only and leaves the screen-saver choice to the
; user's own process.
Var Elevated
Var SystemFolder
Var ProgramFolder

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

; After the pages: the version record names what the program is.
!macro ZOOMORB_VERSION_INFO DESCRIPTION
  VIProductVersion ${VERSION4}
  VIFileVersion ${VERSION4}
  VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
  VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
  VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${DESCRIPTION} (${ARCH})"
  VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION4}"
  VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION4}"
  VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"
!macroend

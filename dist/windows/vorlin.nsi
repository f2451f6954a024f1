; The Windows installer: vorlin.exe under Program Files, a Start-menu entry,
; an entry in "Apps and features" with its uninstaller, a silent install and
; uninstall with /S. The program keeps its settings in %APPDATA%\Vorlin, where
; the uninstaller leaves them. Built by dist/windows/CMakeLists.txt, which
; passes VERSION (and its four-number form VERSION4), EXE, ICON, LICENSE, README
; and OUTFILE with -D.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlin"
; Beside an installed vorlin.exe it says: settings go to %APPDATA%\Vorlin.
!define MARKER "vorlin-installed.txt"

Name "Vorlin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vorlin"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vorlin ${VERSION}"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "Vorlin"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Vorlin setup"
VIAddVersionKey /LANG=0 "CompanyName" "The Vorlin developers"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License, The Vorlin developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; No "run Vorlin now" on the last page: started by the elevated installer it
; would run with administrator rights.
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The user's own language when it is one of these, else the first.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; A running Vorlin of this user's holds its program file: ask it to close and
; remove the file once it has (the command returns when Vorlin took it, a
; moment before Vorlin ends). Gives up after 10 s.
!macro RemoveProgram un
Function ${un}RemoveProgram
  IfFileExists "$INSTDIR\vorlin.exe" 0 done
  ExecWait '"$INSTDIR\vorlin.exe" --quit'
  StrCpy $0 0
  retry:
    Delete "$INSTDIR\vorlin.exe"
    IfFileExists "$INSTDIR\vorlin.exe" 0 done
    IntOp $0 $0 + 1
    IntCmp $0 50 done
    Sleep 200
    Goto retry
  done:
FunctionEnd
!macroend
!insertmacro RemoveProgram ""
!insertmacro RemoveProgram "un."

Section "Vorlin"
  Call RemoveProgram
  SetOutPath "$INSTDIR"
  File "/oname=vorlin.exe" "${EXE}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  File "/oname=README.txt" "${README}"
  FileOpen $0 "$INSTDIR\${MARKER}" w
  FileWrite $0 "Installed by Vorlin's setup: vorlin.exe beside this file keeps setting.ini in %APPDATA%\Vorlin.$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Vorlin.lnk" "$INSTDIR\vorlin.exe" "" "$INSTDIR\vorlin.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vorlin"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Vorlin developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vorlin.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://vorlin.invalid/"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only what the installer put there goes: setting.ini lives in each user's
; %APPDATA%\Vorlin and stays, and a folder the user filled stays too.
Section "Uninstall"
  Call un.RemoveProgram
  Delete /REBOOTOK "$INSTDIR\vorlin.exe" ; still running in another user's session
  Delete "$SMPROGRAMS\Vorlin.lnk"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\${MARKER}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

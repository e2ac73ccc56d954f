; The Windows installer: Horavox for every user of the machine, in Program
; Files, with a Start-menu shortcut, an uninstaller and an entry in Add or
; Remove Programs. Built by the cross build's `package` target, which defines
; VERSION, STAGE (the files to install), ICON and OUTFILE.
;   horavox-<version>-setup.exe [/S] [/AUTORUN] [/D=directory]
; /S installs silently; /AUTORUN also starts Horavox when Windows starts, as
; the option on the components page does.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "Horavox"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Horavox"
; The clock's own "Auto-Run at Windows Startup" item keeps this value: named
; after the executable's file name, holding its full path. The clock reads it
; back to check its menu item, so the installer writes exactly the same.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "horavox.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A second install goes where the first one went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 the Horavox developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks the clock of the copy in $INSTDIR, for this user, to close as its
; close box does, so that it saves its settings and lets go of its files.
!macro Close_Running_Clock
  ${If} ${FileExists} "$INSTDIR\horavox.exe"
    DetailPrint "Closing a running Horavox..."
    ExecWait '"$INSTDIR\horavox.exe" --close' $0
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONEXCLAMATION "Horavox is running and did not close. Close it, then press OK." /SD IDOK
    ${EndIf}
  ${EndIf}
!macroend

; Whether the Run value names this copy (paths compare in any letter case).
!macro Run_Value_Is_Ours result
  ReadRegStr ${result} HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${If} ${result} == "$INSTDIR\horavox.exe"
    StrCpy ${result} 1
  ${Else}
    StrCpy ${result} 0
  ${EndIf}
!macroend

Section "${PRODUCT}" Section_Program
  SectionIn RO
  SetShellVarContext all
  !insertmacro Close_Running_Clock
  SetOutPath "$INSTDIR"
  File "${STAGE}\horavox.exe"
  File "${STAGE}\horavox-say.exe"
  File "${STAGE}\horavox.txt"
  File "${STAGE}\*.WAV"
  File "${STAGE}\testsnd.wav"
  ; Program Files is not the users' to write: the marker sends each user's
  ; settings to %APPDATA%\Horavox.
  File "${STAGE}\installed"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\horavox.exe" "" "$INSTDIR\horavox.exe" 0 \
    SW_SHOWNORMAL "" "Talking clock"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\horavox.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section /o "Start Horavox when Windows starts" Section_Auto_Run
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" "$INSTDIR\horavox.exe"
SectionEnd

; The option left off where it was on before: the value this copy had goes.
; A value naming another copy (a portable one) is that copy's, and stays.
Section "-Auto_Run_Off"
  ${IfNot} ${SectionIsSelected} ${Section_Auto_Run}
    !insertmacro Run_Value_Is_Ours $0
    ${If} $0 == 1
      DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
  ${EndIf}
SectionEnd

Function .onInit
  SetRegView 64
  ; The option starts as it stands: on when this copy already starts with Windows.
  !insertmacro Run_Value_Is_Ours $0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/AUTORUN" $2
  ${IfNot} ${Errors}
    StrCpy $0 1
  ${EndIf}
  ${If} $0 == 1
    !insertmacro SelectSection ${Section_Auto_Run}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  !insertmacro Close_Running_Clock
  Delete "$INSTDIR\horavox.exe"
  Delete "$INSTDIR\horavox-say.exe"
  Delete "$INSTDIR\horavox.txt"
  Delete "$INSTDIR\*.WAV"
  Delete "$INSTDIR\testsnd.wav"
  Delete "$INSTDIR\installed"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: whatever else the user put there stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  !insertmacro Run_Value_Is_Ours $0
  ${If} $0 == 1
    DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  ; As Windows programs do, the users' own settings stay.
  DetailPrint "Your settings stay in %APPDATA%\Horavox\vocahora.ini."
  MessageBox MB_OK|MB_ICONINFORMATION "Horavox has been removed.$\r$\n$\r$\nYour settings stay in \
    %APPDATA%\Horavox\vocahora.ini, for a later install; delete that folder to remove them too." /SD IDOK
SectionEnd

; The Windows installer: the game for the current user, without elevation, in
; %LOCALAPPDATA%\Programs\Zeltoria, with a Start-menu entry and an uninstaller registered under
; the user's Uninstall key. The uninstaller removes what was installed and leaves the game's own
; registry key. makensis is given VERSION, SOURCE (the folder of zeltoria.exe and zelto.vx8, and
; a folder per language with its own zelto.vx8), LANGUAGES (the build's lines for those folders)
; and OUTPUT.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "${LANGUAGES}"

!define NAME "Zeltoria"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zeltoria"

Name "${NAME}"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\Zeltoria"
BrandingText "${NAME} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "FileDescription" "${NAME} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "VEXO! Software"
VIAddVersionKey "LegalCopyright" "MIT licence"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Zeltoria"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${SOURCE}\zeltoria.exe"
  File "${SOURCE}\zelto.vx8"
  File "/oname=LICENSE.txt" "${SOURCE}\LICENSE.txt"
  !insertmacro InstallLanguages
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Zeltoria"
  CreateShortcut "$SMPROGRAMS\Zeltoria\Zeltoria.lnk" "$INSTDIR\zeltoria.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "VEXO! Software"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zeltoria.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The game's own key, "Software\VEXO! Software\Zelto", stays, as a Windows game leaves its
; settings behind.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Zeltoria\Zeltoria.lnk"
  RMDir "$SMPROGRAMS\Zeltoria"
  Delete "$INSTDIR\zeltoria.exe"
  Delete "$INSTDIR\zelto.vx8"
  Delete "$INSTDIR\LICENSE.txt"
  !insertmacro UninstallLanguages
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

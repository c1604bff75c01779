; VANTOR's Windows installer: the VANTOR folder CPack staged from the install()
; rules, installed under Program Files with a Start-menu shortcut and an entry
; in Apps & features. cmake/WindowsPackages.cmake gives makensis
;   -DVERSION=1.2.3 -DFILE_VERSION=1.2.3.0 -DCOPYRIGHT=<line> -DSTAGE=<staged VANTOR folder>
;   -DLISTS=<folder of the file lists> -DSIZE_KB=<installed size> -DOUTFILE=<installer>
; The file lists (install.nsh, uninstall.nsh) name every file and folder of
; the staged tree, so the uninstaller removes exactly what was installed and
; nothing a player put beside it.
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh

!define NAME VANTOR
!define PUBLISHER "VANTOR developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VANTOR"
!define SHORTCUT "$SMPROGRAMS\VANTOR.lnk"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
; A second install goes where the first went (see .onInit), so that the one
; entry in Apps & features always names the installed folder.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${STAGE}\vantor.ico"
!define MUI_UNICON "${STAGE}\vantor.ico"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licences\VANTOR.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext all
  SetRegView 64
  ; /D= would win over InstallDirRegKey: the installed folder wins over both.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" +2
  StrCpy $INSTDIR $0
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section
  !include "${LISTS}\install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The game reads "..\Content\" from its working folder: bin.
  SetOutPath "$INSTDIR\bin"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\bin\vantor.exe" "800 600" "$INSTDIR\vantor.ico" 0 \
    SW_SHOWNORMAL "" "${NAME}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantor.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Out of the folder first: a folder in use cannot be removed.
  SetOutPath "$TEMP"
  !include "${LISTS}\uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

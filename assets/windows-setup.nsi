; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows setup: installs the deployed folder for the current user, without administrator
; rights, with a Start-menu shortcut and an entry in Apps & features, and an uninstaller that
; removes all of it but the settings file. /S installs and uninstalls silently.
; scripts/build-windows.sh runs: makensis -DVERSION=... -DSOURCE=<deployed folder> -DICON=<.ico>
;   -DREMOVALS=<a Delete line for each file, an RMDir for each folder> -DOUTFILE=<setup>
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Moriv"
Name "Moriv ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Moriv"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Moriv"
VIAddVersionKey /LANG=0 "FileDescription" "Moriv setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 the Moriv developers; GPL-3.0-or-later"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\moriv.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The installer speaks the system's language where it has it.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Moriv"
    ; Over an earlier setup (an older version or this one): its own uninstaller takes away what
    ; it installed first, so no file of the old version stays behind.
    IfFileExists "$INSTDIR\uninstall.exe" 0 fresh
        ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
        Delete "$INSTDIR\uninstall.exe"
    fresh:
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Moriv.lnk" "$INSTDIR\moriv.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Moriv"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Moriv developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\moriv.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The settings file lives elsewhere (D:\MorivTemp or %LOCALAPPDATA%\MorivTemp) and stays.
Section "Uninstall"
    !include "${REMOVALS}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Moriv.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; The installer of Cointrel for 64-bit Windows: per user, without administrator rights. It puts
; the program in the user's own programs folder, makes a data folder in Documents where the
; activities file and the log will live, a Start-menu shortcut that starts Cointrel there, and an
; entry in Add/Remove Programs. Uninstalling leaves the data folder and the settings alone.
;
; makensis -DVERSION=X.Y.Z -DSTAGE=DIR -DICON=FILE -DOUTFILE=FILE cointrel.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Cointrel"

Name "Cointrel ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Cointrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Cointrel ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Cointrel"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Cointrel ${VERSION} setup"
VIAddVersionKey "CompanyName" "Marrowfen"
VIAddVersionKey "LegalCopyright" "Marrowfen"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Cointrel"
!define MUI_FINISHPAGE_RUN_FUNCTION StartCointrel
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Cointrel"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\cointrel.exe"
    File "${STAGE}\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut starts Cointrel in the data folder: the relative names acts.txt and log.txt
    ; are found there, never in the program folder.
    CreateDirectory "$DOCUMENTS\Cointrel"
    SetOutPath "$DOCUMENTS\Cointrel"
    CreateShortcut "$SMPROGRAMS\Cointrel.lnk" "$INSTDIR\cointrel.exe" "" "$INSTDIR\cointrel.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Cointrel"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Marrowfen"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\cointrel.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" 256
SectionEnd

Function StartCointrel
    SetOutPath "$DOCUMENTS\Cointrel"
    Exec '"$INSTDIR\cointrel.exe"'
FunctionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Cointrel.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    Delete "$INSTDIR\cointrel.exe"
    Delete "$INSTDIR\README.txt"
    ; Shipped by 1.0.0 beside the read-me.
    Delete "$INSTDIR\HOW-TO-USE.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Last, so that the folder's going tells whoever waits that the uninstall is done.
    RMDir "$INSTDIR"
    ; Documents\Cointrel and the settings are the user's: they stay.
SectionEnd

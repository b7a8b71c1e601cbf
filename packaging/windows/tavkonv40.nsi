; tavKonv40's Windows setup program. makensis is run by packaging/windows/make-setup.sh with
;   -DVERSION=x.y.z   the version in the top-level CMakeLists.txt
;   -DSTAGE=DIR       the files to install, laid out by make-setup.sh (x86\, x64\, skins\, ...)
;   -DOUTFILE=FILE    the setup program to write
; Options of the setup program besides NSIS's own /S and /D=: /PATH=1 adds the command line's
; folder to the user's PATH, /PATH=0 leaves it out (and takes out an entry an earlier install added).

Unicode true
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define PRODUCT "tavKonv40"
!define PUBLISHER "tavKonv40 developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tavKonv40"
!define PROPS_KEY "Software\Korvath\Nexaria40\Props"
!define SHORTCUT "tavKonv40 Conversion Utility.lnk"

!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"
!include "Sections.nsh"
!include "MUI2.nsh"
!include "user_path.nsh"
!include "library.nsh"
!include "skin_folder.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
; No InstallDir: .onInit sees an empty $INSTDIR unless /D= chose one, and picks the folder then.

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${STAGE}\tavkonv40.ico"
!define MUI_UNICON "${STAGE}\tavkonv40.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENCE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; 64-bit Windows keeps the uninstall entry of a 64-bit program in its 64-bit registry view.
!macro MachineView
    SetShellVarContext all
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
!macroend

Section "-Program" SecProgram
    SectionIn RO
    !insertmacro MachineView
    Call RemoveEarlierElsewhere
    SetOutPath "$INSTDIR"
    ; The uninstaller and its entry come first: whatever stops setup later, Apps & features can
    ; take back what it did so far.
    WriteUninstaller "$INSTDIR\uninstall.exe"
    Call WriteUninstallEntry
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENCE.txt"
    File "${STAGE}\tavkonv40.ico"
    SetOutPath "$INSTDIR\skins"
    File "${STAGE}\skins\*.*"

    ; The command line of the machine's own width; the launcher and the DLL Visual Basic 6 loads
    ; are 32-bit everywhere, and 64-bit Windows gets the 64-bit DLL too, for 64-bit hosts.
    ${If} ${RunningX64}
        !insertmacro ReplaceFile "${STAGE}\x64\tavkonv40.exe" "$INSTDIR" "tavkonv40.exe"
    ${Else}
        !insertmacro ReplaceFile "${STAGE}\x86\tavkonv40.exe" "$INSTDIR" "tavkonv40.exe"
    ${EndIf}
    !insertmacro ReplaceFile "${STAGE}\x86\tavkonv40-gui.exe" "$INSTDIR" "tavkonv40-gui.exe"
    !insertmacro ReplaceFile "${STAGE}\x86\tavKonv40.dll" "$INSTDIR" "tavKonv40.dll"
    ${If} ${RunningX64}
        !insertmacro ReplaceFile "${STAGE}\x64\tavKonv40.dll" "$INSTDIR\x64" "tavKonv40.dll"
    ${EndIf}
    Call RegisterLibraries

    CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\tavkonv40-gui.exe" "" "$INSTDIR\tavkonv40.ico" 0
    Call SetSkinFolder
    ${GetSize} "$INSTDIR" "/S=0K /G=1" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    ${If} ${RebootFlag}
        MessageBox MB_OK|MB_ICONINFORMATION "Some files were in use: they are replaced when Windows next starts. Until then the older ones stay in use." /SD IDOK
        ; What installers report to a caller when a restart completes the install.
        SetErrorLevel 3010
    ${EndIf}
SectionEnd

Section /o "Add the command line's folder to my PATH" SecPath
    !insertmacro MachineView
    Call AddPathEntry
SectionEnd

; Without the PATH option, an entry an earlier install of this folder added is taken out again.
Section "-PathOff"
    !insertmacro MachineView
    ${IfNot} ${SectionIsSelected} ${SecPath}
        Call RemovePathEntry
    ${EndIf}
SectionEnd

; An earlier install in another folder (/D= or the folder page chose a new one) is uninstalled
; first, so that one install, one uninstall entry and one PATH entry remain.
Function RemoveEarlierElsewhere
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
    ${OrIf} $0 == $INSTDIR
    ${OrIfNot} ${FileExists} "$0\uninstall.exe"
        Return
    ${EndIf}
    DetailPrint "Removing the earlier install in $0"
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
    ${If} $1 != "0"
        MessageBox MB_OK|MB_ICONSTOP "The earlier install in $0 was not removed completely (its uninstaller ended with code $1). Setup stopped before installing anything in $INSTDIR." /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
    ; Run in place, the uninstaller cannot delete itself.
    Delete "$0\uninstall.exe"
    RMDir "$0"
FunctionEnd

Function WriteUninstallEntry
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tavkonv40.ico"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
FunctionEnd

Function .onInit
    !insertmacro MachineView
    ; An install over an earlier one goes to its folder, unless /D= names another.
    ${If} $INSTDIR == ""
        ReadRegStr $INSTDIR HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $INSTDIR == ""
        ${If} ${RunningX64}
            StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
        ${Else}
            StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
        ${EndIf}
    ${EndIf}
    ; The PATH option starts as the earlier install left it; /PATH=1 or /PATH=0 decides.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "PathEntry"
    ${If} $0 != ""
        !insertmacro SelectSection ${SecPath}
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/PATH=" $0
    ${IfNot} ${Errors}
        ${If} $0 == "1"
            !insertmacro SelectSection ${SecPath}
        ${ElseIf} $0 == "0"
            !insertmacro UnselectSection ${SecPath}
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro MachineView
FunctionEnd

Section "Uninstall"
    !insertmacro MachineView
    Call un.UnregisterLibraries
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Call un.RemovePathEntry
    Call un.RemoveSkinFolder

    ; Only what setup put here: anything else in the folder stays, and so does the folder then.
    Delete /REBOOTOK "$INSTDIR\x64\tavKonv40.dll"
    RMDir /REBOOTOK "$INSTDIR\x64"
    Delete /REBOOTOK "$INSTDIR\tavKonv40.dll"
    Delete /REBOOTOK "$INSTDIR\tavkonv40.exe"
    Delete /REBOOTOK "$INSTDIR\tavkonv40-gui.exe"
    !include "${STAGE}\skins.nsh"
    RMDir "$INSTDIR\skins"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENCE.txt"
    Delete "$INSTDIR\tavkonv40.ico"
    Delete "$INSTDIR\uninstall.exe"
    RMDir /REBOOTOK "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${If} ${RebootFlag}
        MessageBox MB_OK|MB_ICONINFORMATION "Some files were in use: they are removed when Windows next starts." /SD IDOK
    ${EndIf}
SectionEnd

; Putting the programs and the COM library in place, and registering the library: 32-bit with the
; 32-bit regsvr32 (the setup program's own System32 is SysWOW64 on 64-bit Windows), 64-bit with
; the 64-bit one, reached with the file system redirection turned off.

; ReplaceFile SOURCE FOLDER NAME: FOLDER\NAME becomes SOURCE. A file in use (a Visual Basic 6
; session holding the DLL, the dialog open) is not overwritten half-way: the new copy waits beside
; it as NAME.new, the user may close the program and retry, or it is put in place when Windows
; next starts (the choice a silent install makes).
!macro ReplaceFile SOURCE FOLDER NAME
    SetOutPath "${FOLDER}"
    File "/oname=${NAME}.new" "${SOURCE}"
    Push "${FOLDER}\${NAME}"
    Call ReplaceWithNew
!macroend

Function ReplaceWithNew
    Exch $0
    retry:
    ClearErrors
    ${If} ${FileExists} "$0"
        Delete "$0"
    ${EndIf}
    IfErrors inUse
    Rename "$0.new" "$0"
    IfErrors 0 done
    MessageBox MB_OK|MB_ICONSTOP "$0 could not be put in place (the new copy is $0.new). Setup stopped; Apps & features lists what it installed so far as tavKonv40, and its uninstaller removes it." /SD IDOK
    SetErrorLevel 2
    Abort
    inUse:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$0 is in use. Close the programs that use it (Visual Basic 6, a program that shows the conversion dialog, a command line run) and choose Retry, or choose Cancel to have it replaced when Windows next starts." /SD IDCANCEL IDRETRY retry
    Rename /REBOOTOK "$0.new" "$0"
    DetailPrint "$0 is replaced when Windows next starts."
    done:
    Pop $0
FunctionEnd

; Regsvr32 DLL 64: runs the regsvr32 of the DLL's width silently, $0 = its exit code ("" when it
; could not be started). Extra arguments (/u) go first.
!macro Regsvr32 ARGUMENTS DLL WIDE
    StrCpy $0 ""
    ${If} ${WIDE} == 64
        ${DisableX64FSRedirection}
    ${EndIf}
    ExecWait '"$SYSDIR\regsvr32.exe" /s ${ARGUMENTS} "${DLL}"' $0
    ${If} ${WIDE} == 64
        ${EnableX64FSRedirection}
    ${EndIf}
!macroend

; RegistrationFailed: $1 names the DLL, $0 is regsvr32's exit code.
Function RegistrationFailed
    MessageBox MB_OK|MB_ICONSTOP "$1 could not be registered (regsvr32 ended with code $0), so Visual Basic 6 cannot create the conversion dialog's class. Setup stopped; Apps & features lists what it installed so far as tavKonv40, and its uninstaller removes it." /SD IDOK
    SetErrorLevel 2
    Abort
FunctionEnd

Function RegisterLibraries
    StrCpy $1 "$INSTDIR\tavKonv40.dll"
    !insertmacro Regsvr32 "" "$1" 32
    ${If} $0 != "0"
        Call RegistrationFailed
    ${EndIf}
    ${If} ${RunningX64}
        StrCpy $1 "$INSTDIR\x64\tavKonv40.dll"
        !insertmacro Regsvr32 "" "$1" 64
        ${If} $0 != "0"
            Call RegistrationFailed
        ${EndIf}
    ${EndIf}
FunctionEnd

; The reverse of RegisterLibraries. A library that cannot be unregistered is still removed; the
; user is told that its class stays registered.
Function un.UnregisterLibraries
    ${If} ${FileExists} "$INSTDIR\x64\tavKonv40.dll"
        StrCpy $1 "$INSTDIR\x64\tavKonv40.dll"
        !insertmacro Regsvr32 "/u" "$1" 64
        Call un.UnregistrationChecked
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\tavKonv40.dll"
        StrCpy $1 "$INSTDIR\tavKonv40.dll"
        !insertmacro Regsvr32 "/u" "$1" 32
        Call un.UnregistrationChecked
    ${EndIf}
FunctionEnd

Function un.UnregistrationChecked
    ${If} $0 != "0"
        DetailPrint "$1 could not be unregistered (regsvr32 ended with code $0)."
        MessageBox MB_OK|MB_ICONEXCLAMATION "$1 could not be unregistered (regsvr32 ended with code $0): its class tavKonv40.clsPropPage stays in the registry, naming a file that is removed now." /SD IDOK
        SetErrorLevel 2
    ${EndIf}
FunctionEnd

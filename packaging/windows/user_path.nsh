; The user's PATH (HKCU\Environment "Path"): adding the command line's folder, and taking out again
; exactly the entry this setup added. What was added is kept in the uninstall key ("PathEntry",
; and "PathCreated" when the value did not exist before), so an uninstall or an install without
; the option removes that entry and no other.
;
; NSIS strings hold NSIS_MAX_STRLEN characters: a longer PATH cannot be read whole, and writing
; back what was read would cut it short. Such a PATH is left untouched, and the user is told.
; The functions use $R0-$R9 freely.

!macro UserPathFunctions UN

; FindIn: $R2 = where $R1 first occurs in $R0 (letter case aside, as Windows compares paths), or -1.
Function ${UN}FindIn
    StrLen $R3 $R1
    StrLen $R4 $R0
    StrCpy $R2 0
    ${Do}
        IntOp $R5 $R2 + $R3
        ${If} $R5 > $R4
            StrCpy $R2 -1
            ${Break}
        ${EndIf}
        StrCpy $R5 $R0 $R3 $R2
        ${If} $R5 == $R1
            ${Break}
        ${EndIf}
        IntOp $R2 $R2 + 1
    ${Loop}
FunctionEnd

; ReadUserPath: $R0 = the user's PATH, $R9 = "absent" (no such value), "ok", or "long" (too long
; to be edited here, or unreadable).
Function ${UN}ReadUserPath
    StrCpy $R0 ""
    StrCpy $R9 "absent"
    StrCpy $R8 0
    ${Do}
        ClearErrors
        EnumRegValue $R7 HKCU "Environment" $R8
        ${If} ${Errors}
        ${OrIf} $R7 == ""
            Return
        ${EndIf}
        ${If} $R7 == "Path"
            ${Break}
        ${EndIf}
        IntOp $R8 $R8 + 1
    ${Loop}
    StrCpy $R9 "long"
    ClearErrors
    ReadRegStr $R0 HKCU "Environment" "Path"
    ${IfNot} ${Errors}
        ; Room for the folder and a separator, and one character to spare: a value that filled the
        ; whole string may have been cut.
        StrLen $R7 $R0
        StrLen $R6 $INSTDIR
        IntOp $R7 $R7 + $R6
        ${If} $R7 < 1020
            StrCpy $R9 "ok"
        ${EndIf}
    ${EndIf}
FunctionEnd

Function ${UN}AnnounceEnvironment
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
FunctionEnd

; RemovePathEntry: takes the recorded entry out of the user's PATH (its first occurrence as a
; whole entry) and forgets it; the value goes too when this setup created it and it is now empty.
Function ${UN}RemovePathEntry
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "PathEntry"
    ${If} $R1 == ""
        Return
    ${EndIf}
    Call ${UN}ReadUserPath
    ${If} $R9 == "long"
        DetailPrint "Your PATH was left as it is: it is too long for setup to edit safely. It still holds $R1."
        MessageBox MB_OK|MB_ICONEXCLAMATION "Your PATH (HKEY_CURRENT_USER\Environment) was left as it is: it is too long for setup to edit safely. It still holds the entry $R1, which you can delete in the Environment Variables settings." /SD IDOK
    ${ElseIf} $R9 == "ok"
        StrCpy $R0 ";$R0;"
        StrCpy $R1 ";$R1;"
        Call ${UN}FindIn
        ${If} $R2 >= 0
            StrCpy $R5 $R0 $R2
            IntOp $R6 $R2 + $R3
            StrCpy $R7 $R0 "" $R6
            StrCpy $R0 "$R5;$R7" -1 1
            ReadRegStr $R8 HKLM "${UNINSTALL_KEY}" "PathCreated"
            ${If} $R0 == ""
            ${AndIf} $R8 == "1"
                DeleteRegValue HKCU "Environment" "Path"
            ${Else}
                WriteRegExpandStr HKCU "Environment" "Path" $R0
            ${EndIf}
            Call ${UN}AnnounceEnvironment
        ${EndIf}
    ${EndIf}
    DeleteRegValue HKLM "${UNINSTALL_KEY}" "PathEntry"
    DeleteRegValue HKLM "${UNINSTALL_KEY}" "PathCreated"
FunctionEnd

!macroend

!insertmacro UserPathFunctions ""
!insertmacro UserPathFunctions "un."

; AddPathEntry: appends $INSTDIR to the user's PATH unless an entry already names it (with or
; without a trailing backslash), and records what it added.
Function AddPathEntry
    Call ReadUserPath
    ${If} $R9 == "long"
        DetailPrint "Your PATH was left as it is: it is too long for setup to edit safely."
        MessageBox MB_OK|MB_ICONEXCLAMATION "Your PATH (HKEY_CURRENT_USER\Environment) was left as it is: it is too long for setup to edit safely. To run tavkonv40 from any folder, add $INSTDIR to it in the Environment Variables settings." /SD IDOK
        Return
    ${EndIf}
    StrCpy $R0 ";$R0;"
    StrCpy $R1 ";$INSTDIR;"
    Call FindIn
    ${If} $R2 < 0
        StrCpy $R1 ";$INSTDIR\;"
        Call FindIn
    ${EndIf}
    ${If} $R2 >= 0
        Return
    ${EndIf}
    StrCpy $R0 $R0 -1 1
    ${If} $R9 == "absent"
        WriteRegStr HKLM "${UNINSTALL_KEY}" "PathCreated" "1"
    ${EndIf}
    ${If} $R0 == ""
        StrCpy $R0 "$INSTDIR"
    ${Else}
        StrCpy $R0 "$R0;$INSTDIR"
    ${EndIf}
    WriteRegExpandStr HKCU "Environment" "Path" $R0
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PathEntry" "$INSTDIR"
    Call AnnounceEnvironment
FunctionEnd

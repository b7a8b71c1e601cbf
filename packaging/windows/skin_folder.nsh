; The dialog's skin folder, HKCU\Software\Korvath\Nexaria40\Props "Bitmaps_Path" (a folder ending
; in a backslash): set to the installed skins unless the user has a value already. The uninstall
; key records the value written ("BitmapsPath") and the outermost key that did not exist before
; ("SkinKeyCreated"), so that the uninstaller removes those and nothing the user made.

!define KORVATH_KEY "Software\Korvath"
!define NEXARIA_KEY "Software\Korvath\Nexaria40"

!macro IfKeyMissing KEY
    ClearErrors
    EnumRegKey $1 HKCU "${KEY}" 0
    ${If} ${Errors}
!macroend

Function SetSkinFolder
    ClearErrors
    ReadRegStr $0 HKCU "${PROPS_KEY}" "Bitmaps_Path"
    ${IfNot} ${Errors}
        Return
    ${EndIf}
    StrCpy $0 ""
    !insertmacro IfKeyMissing "${KORVATH_KEY}"
        StrCpy $0 "${KORVATH_KEY}"
    ${Else}
        !insertmacro IfKeyMissing "${NEXARIA_KEY}"
            StrCpy $0 "${NEXARIA_KEY}"
        ${Else}
            !insertmacro IfKeyMissing "${PROPS_KEY}"
                StrCpy $0 "${PROPS_KEY}"
            ${EndIf}
        ${EndIf}
    ${EndIf}
    ${If} $0 != ""
        WriteRegStr HKLM "${UNINSTALL_KEY}" "SkinKeyCreated" "$0"
    ${EndIf}
    WriteRegStr HKCU "${PROPS_KEY}" "Bitmaps_Path" "$INSTDIR\skins\"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "BitmapsPath" "$INSTDIR\skins\"
FunctionEnd

; The value goes only while it is still the one setup wrote; the keys setup created go only when
; they are empty then.
Function un.RemoveSkinFolder
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "BitmapsPath"
    ${If} $0 == ""
        Return
    ${EndIf}
    ClearErrors
    ReadRegStr $1 HKCU "${PROPS_KEY}" "Bitmaps_Path"
    ${IfNot} ${Errors}
    ${AndIf} $1 == $0
        DeleteRegValue HKCU "${PROPS_KEY}" "Bitmaps_Path"
    ${EndIf}
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "SkinKeyCreated"
    ${If} $0 != ""
        DeleteRegKey /ifempty HKCU "${PROPS_KEY}"
    ${EndIf}
    ${If} $0 == "${NEXARIA_KEY}"
    ${OrIf} $0 == "${KORVATH_KEY}"
        DeleteRegKey /ifempty HKCU "${NEXARIA_KEY}"
    ${EndIf}
    ${If} $0 == "${KORVATH_KEY}"
        DeleteRegKey /ifempty HKCU "${KORVATH_KEY}"
    ${EndIf}
FunctionEnd

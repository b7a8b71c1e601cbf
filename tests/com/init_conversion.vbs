' Creates the dialog's class by its ProgID and opens the dialog; prints what InitConversion
' returned. cscript exits 0 even on a script error, so errors are printed and the output is checked.
On Error Resume Next
Set page = CreateObject("tavKonv40.clsPropPage")
If Err.Number <> 0 Then WScript.Echo "CreateObject: " & Hex(Err.Number) & " " & Err.Description : WScript.Quit 1
result = page.InitConversion()
If Err.Number <> 0 Then WScript.Echo "InitConversion: " & Hex(Err.Number) & " " & Err.Description : WScript.Quit 1
WScript.Echo result

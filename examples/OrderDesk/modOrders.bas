Attribute VB_Name = "modOrders"
Option Explicit

Public Sub SaveCustomer(ByVal Name As String, ByVal Notes As String, ByVal Vip As Boolean)
    Debug.Print "Saving "; Name; IIf(Vip, " (priority)", "")
End Sub

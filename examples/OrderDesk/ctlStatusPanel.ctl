VERSION 5.00
Object = "{6A0D9E53-B2F8-4C17-8E6A-F4B1D07C3952}#1.0#0"; "tavQVLabel40B.ocx"
Object = "{D25C8A71-4E09-4B3D-9F66-8A1E0B7C4D29}#1.0#0"; "tavLEDDisplay30.ocx"
Begin VB.UserControl ctlStatusPanel 
   ClientHeight    =   495
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   4800
   ScaleHeight     =   495
   ScaleWidth      =   4800
   Begin tavLEDDisplay30.LEDDisplay30 ledCount 
      Height          =   375
      Left            =   3480
      TabIndex        =   1
      Top             =   60
      Width           =   1215
      _ExtentX        =   2143
      _ExtentY        =   661
   End
   Begin tavQVLabel40B.QVLabel40 lblMessage 
      Height          =   255
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   3255
      _ExtentX        =   5741
      _ExtentY        =   450
      Caption         =   "Ready"
   End
End
Attribute VB_Name = "ctlStatusPanel"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False
Option Explicit

Public Event MessageClick(ByVal Source As tavQVLabel40B.QVLabel40)

Public Property Let Message(ByVal Value As String)
    lblMessage.Caption = Value
End Property

Public Property Let Count(ByVal Value As Long)
    ledCount.Value = Value
End Property

Private Sub lblMessage_Click()
    RaiseEvent MessageClick(lblMessage)
End Sub

VERSION 5.00
Object = "{9B6E2F04-D8C1-47A5-B30E-6A4F1C9D2E57}#1.0#0"; "tavQVCBOM20.ocx"
Object = "{E83A5D61-0F27-4B9C-9D40-5C2E7A1B6F08}#1.0#0"; "tavQVSideBarMenu30.ocx"
Object = "{27F4C0B8-6D13-4E95-A8B7-0E9D3C5A1F62}#1.0#0"; "tavQVPList20.ocx"
Object = "{6A0D9E53-B2F8-4C17-8E6A-F4B1D07C3952}#1.0#0"; "tavQVLabel40B.ocx"
Begin VB.Form frmSettings 
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "Settings"
   ClientHeight    =   4215
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   6630
   ScaleHeight     =   4215
   ScaleWidth      =   6630
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin tavQVSideBarMenu30.QVSideMenu30 smbSections 
      Height          =   3975
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   1815
      _ExtentX        =   3201
      _ExtentY        =   7011
   End
   Begin tavQVComboMultiCol20.QVComboMultiCol20 cboPrinter 
      Height          =   315
      Left            =   2040
      TabIndex        =   1
      Top             =   120
      Width           =   4455
      _ExtentX        =   7858
      _ExtentY        =   556
   End
   Begin tavQVPList20.PropertyList plOptions 
      Height          =   2895
      Left            =   2040
      TabIndex        =   2
      Top             =   600
      Width           =   4455
      _ExtentX        =   7858
      _ExtentY        =   5106
   End
   Begin tavQVLabel40B.QVLabel40 lblHint 
      Height          =   255
      Left            =   2040
      TabIndex        =   3
      Top             =   3600
      Width           =   4455
      _ExtentX        =   7858
      _ExtentY        =   450
      Caption         =   "Changes apply after the next start."
   End
   Begin VB.CommandButton cmdOK 
      Caption         =   "OK"
      Default         =   -1  'True
      BeginProperty Font 
         Name            =   "Tahoma"
         Size            =   8.25
         Charset         =   0
         Weight          =   400
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      Height          =   375
      Left            =   5280
      TabIndex        =   4
      Top             =   3720
      Width           =   1215
   End
End
Attribute VB_Name = "frmSettings"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub cboPrinter_Click()
    plOptions.Refresh
End Sub

Private Sub cmdOK_Click()
    Me.Hide
End Sub

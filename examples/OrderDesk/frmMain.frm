VERSION 5.00
Object = "{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0"; "tavQVButton20.ocx"
Object = "{A7C1E0D2-5B39-4F86-8C2A-71D9E4B3F620}#1.0#0"; "tavQVFrame30.ocx"
Object = "{0C9D7B15-2E64-4A3F-B1D8-95F0A6C2E733}#1.0#0"; "tavQVCP30.ocx"
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Begin VB.Form frmMain 
   BorderStyle     =   1  'Fixed Single
   Caption         =   "Order Desk"
   ClientHeight    =   6345
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   9180
   LinkTopic       =   "Form1"
   MaxButton       =   0   'False
   ScaleHeight     =   6345
   ScaleWidth      =   9180
   StartUpPosition =   2  'CenterScreen
   Begin tavQVFrame30.QVFrame30 fraCustomer 
      Height          =   2895
      Left            =   120
      TabIndex        =   2
      Top             =   120
      Width           =   5535
      _ExtentX        =   9763
      _ExtentY        =   5106
      Caption         =   "Customer"
      Begin VB.TextBox txtNotes 
         BeginProperty Font 
            Name            =   "Tahoma"
            Size            =   8.25
            Charset         =   0
            Weight          =   400
            Underline       =   0   'False
            Italic          =   0   'False
            Strikethrough   =   0   'False
         EndProperty
         Height          =   1095
         Left            =   1320
         MultiLine       =   -1  'True
         ScrollBars      =   2  'Vertical
         TabIndex        =   6
         Text            =   "Call before noon."
         Top             =   1560
         Width           =   4035
      End
      Begin VB.TextBox txtName 
         BeginProperty Font 
            Name            =   "Tahoma"
            Size            =   8.25
            Charset         =   0
            Weight          =   400
            Underline       =   0   'False
            Italic          =   0   'False
            Strikethrough   =   0   'False
         EndProperty
         Height          =   315
         Left            =   1320
         TabIndex        =   5
         Text            =   "Acme Ltd."
         Top             =   360
         Width           =   4035
      End
      Begin VB.CheckBox chkVip 
         Caption         =   "Priority customer"
         BeginProperty Font 
            Name            =   "Tahoma"
            Size            =   8.25
            Charset         =   0
            Weight          =   400
            Underline       =   0   'False
            Italic          =   0   'False
            Strikethrough   =   0   'False
         EndProperty
         Height          =   255
         Left            =   1320
         TabIndex        =   4
         Top             =   840
         Width           =   2175
      End
      Begin VB.OptionButton optRetail 
         Caption         =   "Retail"
         Height          =   255
         Left            =   1320
         TabIndex        =   3
         Top             =   1200
         Value           =   -1  'True
         Width           =   1215
      End
      Begin VB.Label lblCutoff 
         Caption         =   "End of day cut-off"
         BeginProperty Font 
            Name            =   "Tahoma"
            Size            =   8.25
            Charset         =   0
            Weight          =   400
            Underline       =   0   'False
            Italic          =   0   'False
            Strikethrough   =   0   'False
         EndProperty
         Height          =   255
         Left            =   120
         TabIndex        =   7
         Top             =   1620
         Width           =   1095
      End
      Begin VB.Label lblName 
         Caption         =   "Name:"
         BeginProperty Font 
            Name            =   "Tahoma"
            Size            =   8.25
            Charset         =   0
            Weight          =   400
            Underline       =   0   'False
            Italic          =   0   'False
            Strikethrough   =   0   'False
         EndProperty
         Height          =   255
         Left            =   120
         TabIndex        =   8
         Top             =   390
         Width           =   1095
      End
   End
   Begin MSComctlLib.ListView lvwOrders 
      Height          =   2775
      Left            =   120
      TabIndex        =   1
      Top             =   3120
      Width           =   8895
      _ExtentX        =   15690
      _ExtentY        =   4895
      View            =   3
      LabelWrap       =   -1  'True
      HideSelection   =   -1  'True
      FullRowSelect   =   -1  'True
      _Version        =   393217
      ForeColor       =   -2147483640
      BackColor       =   -2147483643
      BorderStyle     =   1
      Appearance      =   1
      BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851} 
         Name            =   "Tahoma"
         Size            =   8.25
         Charset         =   0
         Weight          =   400
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      NumItems        =   0
   End
   Begin MSComctlLib.Slider sldZoom 
      Height          =   2655
      Left            =   5880
      TabIndex        =   9
      Top             =   240
      Width           =   630
      _ExtentX        =   1111
      _ExtentY        =   4683
      _Version        =   393216
      Orientation     =   1
      Max             =   200
      SelStart        =   100
      Value           =   100
   End
   Begin tavQVCP30.QVColorPicker30 cpAccent 
      Height          =   375
      Left            =   6720
      TabIndex        =   10
      Top             =   240
      Width           =   2295
      _ExtentX        =   4048
      _ExtentY        =   661
   End
   Begin tavQVButton20.QVButton20 cmdSave 
      Height          =   435
      Left            =   6240
      TabIndex        =   0
      Top             =   2460
      Width           =   1335
      _ExtentX        =   2355
      _ExtentY        =   767
      Caption         =   "&Save"
   End
   Begin VB.CommandButton cmdClose 
      Cancel          =   -1  'True
      Caption         =   "Close"
      BeginProperty Font 
         Name            =   "Tahoma"
         Size            =   8.25
         Charset         =   0
         Weight          =   400
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      Height          =   435
      Left            =   7680
      TabIndex        =   11
      Top             =   2460
      Width           =   1335
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private WithEvents m_Status As tavQVButton20.QVButton20
Attribute m_Status.VB_VarHelpID = -1

Private Sub cmdClose_Click()
    Unload Me
End Sub

Private Sub cmdSave_Click()
    If Len(txtName.Text) = 0 Then
        MsgBox "Please enter a customer name.", vbExclamation
        Exit Sub
    End If
    SaveCustomer txtName.Text, txtNotes.Text, (chkVip.Value = vbChecked)
End Sub

Private Sub fraCustomer_MouseMove(Button As Integer, Shift As Integer, X As Single, Y As Single)
    cmdSave.Refresh
End Sub

Private Sub sldZoom_Change()
    lvwOrders.Font.Size = 8 * sldZoom.Value / 100
End Sub

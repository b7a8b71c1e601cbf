VERSION 5.00
Object = "{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0"; "tavQVButton20.ocx"
Object = "{5E0B7C93-1A42-4C6D-8F17-B3A9D2E05C48}#1.0#0"; "tavQVSpin20.ocx"
Object = "{C41D8E27-93B5-4E0A-A6F2-1D7C5B80E915}#1.0#0"; "tavQVProgress30.ocx"
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Object = "{86CF1D34-0C5F-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCT2.OCX"
Begin VB.Form frmOrders 
   Caption         =   "Orders"
   ClientHeight    =   5430
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   7635
   LinkTopic       =   "Form1"
   ScaleHeight     =   5430
   ScaleWidth      =   7635
   StartUpPosition =   3  'Windows Default
   Begin VB.Frame fraFilter 
      Caption         =   "Filter"
      BeginProperty Font 
         Name            =   "Tahoma"
         Size            =   8.25
         Charset         =   0
         Weight          =   400
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      Height          =   1815
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   3735
      Begin VB.ComboBox cboStatus 
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
         Left            =   1200
         Style           =   2  'Dropdown List
         TabIndex        =   2
         Top             =   360
         Width           =   2295
      End
      Begin MSComCtl2.DTPicker dtpFrom 
         Height          =   315
         Left            =   1200
         TabIndex        =   3
         Top             =   840
         Width           =   2295
         _ExtentX        =   4048
         _ExtentY        =   556
         _Version        =   393216
         BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851} 
            Name            =   "Tahoma"
            Size            =   8.25
            Charset         =   0
            Weight          =   400
            Underline       =   0   'False
            Italic          =   0   'False
            Strikethrough   =   0   'False
         EndProperty
         Format          =   61210625
         CurrentDate     =   46023
      End
      Begin MSComCtl2.UpDown updDays 
         Height          =   315
         Left            =   3495
         TabIndex        =   4
         Top             =   1320
         Width           =   255
         _ExtentX        =   450
         _ExtentY        =   556
         _Version        =   393216
         Value           =   7
         BuddyControl    =   "txtDays"
         BuddyDispid     =   196612
         OrigLeft        =   3480
         OrigTop         =   1320
         OrigRight       =   3735
         OrigBottom      =   1635
         Max             =   365
         Enabled         =   -1  'True
      End
      Begin VB.TextBox txtDays 
         Height          =   315
         Left            =   1200
         TabIndex        =   5
         Text            =   "7"
         Top             =   1320
         Width           =   2295
      End
   End
   Begin VB.ListBox lstOrders 
      BeginProperty Font 
         Name            =   "Tahoma"
         Size            =   8.25
         Charset         =   0
         Weight          =   400
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      Height          =   2400
      Left            =   120
      TabIndex        =   1
      Top             =   2040
      Width           =   7095
   End
   Begin VB.VScrollBar vsbOrders 
      Height          =   2400
      Left            =   7215
      TabIndex        =   6
      Top             =   2040
      Width           =   255
   End
   Begin VB.HScrollBar hsbColumns 
      Height          =   255
      Left            =   120
      TabIndex        =   7
      Top             =   4440
      Width           =   7095
   End
   Begin MSComctlLib.ProgressBar prgLoad 
      Height          =   255
      Left            =   120
      TabIndex        =   8
      Top             =   4800
      Width           =   5175
      _ExtentX        =   9128
      _ExtentY        =   450
      _Version        =   393216
      Appearance      =   1
   End
   Begin MSComctlLib.Slider sldPage 
      Height          =   435
      Left            =   4080
      TabIndex        =   9
      Top             =   240
      Width           =   3375
      _ExtentX        =   5953
      _ExtentY        =   767
      _Version        =   393216
      Max             =   20
   End
   Begin tavQVSpin20.QVSpin20 spnCopies 
      Height          =   315
      Left            =   4080
      TabIndex        =   10
      Top             =   840
      Width           =   255
      _ExtentX        =   450
      _ExtentY        =   556
   End
   Begin tavQVProgress30.ProgressWait30 pwBusy 
      Height          =   255
      Left            =   5400
      TabIndex        =   11
      Top             =   4800
      Width           =   2055
      _ExtentX        =   3625
      _ExtentY        =   450
   End
   Begin tavQVButton20.QVButton20 cmdRefresh 
      Height          =   435
      Left            =   6120
      TabIndex        =   12
      Top             =   1500
      Width           =   1335
      _ExtentX        =   2355
      _ExtentY        =   767
      Caption         =   "&Refresh"
   End
End
Attribute VB_Name = "frmOrders"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub cmdRefresh_Click()
    Dim i As Long
    lstOrders.Clear
    prgLoad.Value = 0
    For i = 1 To 10
        lstOrders.AddItem "Order " & Format$(i, "0000")
        prgLoad.Value = i * 10
    Next
End Sub

Private Sub spnCopies_SpinUp()
    txtDays.Text = CStr(Val(txtDays.Text) + 1)
End Sub

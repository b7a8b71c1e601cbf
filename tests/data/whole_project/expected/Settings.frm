VERSION 5.00
Object = "{55870AA1-BEA7-4F63-A945-7F0682E167A3}#1.0#0"; "tavQVButton40.ocx"
Object = "{D4533C78-01AC-4DE5-9605-CC1676904564}#1.0#0"; "tavQVCombo40L.ocx"
Object = "{60F2E736-E1A7-475C-B5FC-75DCC8EDD719}#1.0#0"; "tavQVDP40L.ocx"
Object = "{5E8D5E1E-6C27-4421-8D3E-ED681EE7EC69}#1.0#0"; "tavQVFrame40.ocx"
Object = "{6F014699-2CC2-49E1-8EBB-236D40902AF4}#1.0#0"; "tavQVLabel40.ocx"
Object = "{3A3F1A61-8EF7-4AE2-8A85-141EF2DACE7E}#1.0#0"; "tavQVListView40.ocx"
Object = "{0A612E15-4772-4F77-9558-16631582340C}#1.0#0"; "tavQVSlider40.ocx"
Object = "{9B3679C7-A8F5-416A-A058-D97B742A08D8}#1.0#0"; "tavQVText40L.ocx"

Object = "{2DDD22AC-B545-424F-8615-56D88FD1321F}#1.0#0"; "tavQVSelection40L.ocx"
Begin VB.Form frmSettings 
   Caption         =   "Settings"
   ClientHeight    =   3195
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4680
   LinkTopic       =   "Form1"
   ScaleHeight     =   3195
   ScaleWidth      =   4680
   StartUpPosition =   3  'Windows Default
   Begin tavQVFrame40.QVFrame40 fraPrinter 
      Caption         =   "Printer"
      Height          =   1815
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   4455
      Begin VB.ListBox lstPrinters 
         BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851}
            Name            =   "Tahoma"
            Size            =   8.25
            Charset         =   0
            Weight          =   400
            Underline       =   0   'False
            Italic          =   0   'False
            Strikethrough   =   0   'False
         EndProperty
         Height          =   1035
         Left            =   120
         TabIndex        =   1
         Top             =   240
         Width           =   2655
      End
      Begin tavQVSelection40L.QVCheckBox40L chkDuplex 
         Height          =   255
         Left            =   2880
         TabIndex        =   2
         Top             =   240
         Width           =   1455
         Caption         =   "Duplex"
      End
   End
   Begin tavQVCombo40L.QVCombo40L cboPaper 
      Height          =   315
      Left            =   120
      Style           =   2  'Dropdown List
      TabIndex        =   3
      Top             =   2040
      Width           =   2655
   End
   Begin tavQVButton40.QVButton40 cmdClose 
      Caption         =   "Close"
      Height          =   375
      Left            =   3240
      TabIndex        =   4
      Top             =   2640
      Width           =   1335
   End
End
Attribute VB_Name = "frmSettings"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub cmdClose_Click()
    Unload Me
End Sub

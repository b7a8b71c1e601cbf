VERSION 5.00
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
   Begin VB.Frame fraPrinter 
      Caption         =   "Printer"
      Height          =   1815
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   4455
      Begin VB.ListBox lstPrinters 
         BeginProperty Font 
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
   Begin VB.ComboBox cboPaper 
      Height          =   315
      Left            =   120
      Style           =   2  'Dropdown List
      TabIndex        =   3
      Top             =   2040
      Width           =   2655
   End
   Begin VB.CommandButton cmdClose 
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

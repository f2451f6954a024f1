# The hotkey settings window.
[Form3]
Kind = Form
Caption = "设置热键"
ClientWidth = 3180
ClientHeight = 3480
Left = 8625
Top = 4635
Icon = ":/art/form3.ico"

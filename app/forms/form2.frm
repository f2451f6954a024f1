# The About window.
[Form2]
Kind = Form
Caption = "关于Vorlin"
ClientWidth = 4755
ClientHeight = 4020
Left = 7980
Top = 4005

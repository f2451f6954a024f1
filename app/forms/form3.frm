# The hotkey settings window.
[Form3]
Kind = Form
Caption = "设置热键"
ClientWidth = 3180
ClientHeight = 3480
Left = 8625
Top = 4635
Icon = ":/art/form3.ico"

[Label1]
Kind = Label
Left = 480
Top = 120
Width = 2295
Height = 255
TabIndex = 5
Caption = "“开始点击按钮”热键设置"

[RKHotKey1]
Kind = RKHotKey
Left = 600
Top = 480
Width = 1095
Height = 375
TabIndex = 2
Font = "宋体",9,400
INIFileName = "setting.ini"

[Check1]
Kind = CheckBox
Left = 1920
Top = 480
Width = 1095
Height = 375
TabIndex = 3
Caption = "使其生效"

[Label2]
Kind = Label
Left = 480
Top = 960
Width = 2415
Height = 255
TabIndex = 6
Caption = "“停止点击按钮”热键设置"

[RKHotKey2]
Kind = RKHotKey
Left = 600
Top = 1320
Width = 1095
Height = 375
TabIndex = 1
Font = "宋体",9,400
INIFileName = "setting.ini"

[Check2]
Kind = CheckBox
Left = 1920
Top = 1320
Width = 1095
Height = 255
TabIndex = 4
Caption = "使其生效"

[Label3]
Kind = Label
Left = 480
Top = 1800
Width = 2535
Height = 255
TabIndex = 9
Caption = "“鼠标坐标锁定按钮”热键设置"

[RKHotKey3]
Kind = RKHotKey
Left = 600
Top = 2160
Width = 1095
Height = 375
TabIndex = 7
Font = "宋体",9,400
INIFileName = "setting.ini"

[Check3]
Kind = CheckBox
Left = 1920
Top = 2280
Width = 1215
Height = 255
TabIndex = 8
Caption = "使其生效"

[Glintbutton1]
Kind = Glintbutton
Left = 960
Top = 2760
Width = 1215
Height = 495
TabIndex = 0
Caption = "保存设置"
ButtonStyle = 13
BackColor = 0x00000000
Font = "Tahoma",8.25,400
PictureEffectOnOver = 0
PictureEffectOnDown = 0
CaptionEffects = 0
TooltipBackColor = 0x00000000

# The main window. Positions and sizes in twips (15 twips = 1 pixel).
[Form1]
Kind = Form
Caption = "Vorlin"
ClientWidth = 4650
ClientHeight = 5085
Left = 7980
Top = 3375
MinButton = True
Icon = ":/art/form1.png"

[Image3]
Kind = Picture
Left = 0
Top = 0
Width = 4650
Height = 975
Picture = ":/art/banner.png"
ToolTipText = "技术支持：Vorlin"
MouseIcon = ":/art/hand.png"
MouseIconHotSpot = 6,0

[Label4]
Kind = Label
Left = 120
Top = 1320
Width = 1095
Height = 255
TabIndex = 9
Caption = "指定坐标点击"

[Label2]
Kind = Label
Left = 1320
Top = 1320
Width = 255
Height = 255
TabIndex = 6
Caption = "X"

[mTextBox1]
Kind = mTextBox
Left = 1680
Top = 1200
Width = 615
Height = 330
TabIndex = 4

[Label3]
Kind = Label
Left = 2520
Top = 1320
Width = 135
Height = 255
TabIndex = 7
Caption = "Y"

[mTextBox2]
Kind = mTextBox
Left = 2760
Top = 1200
Width = 615
Height = 330
TabIndex = 5

[Glintbutton3]
Kind = Glintbutton
Left = 3480
Top = 1200
Width = 1095
Height = 375
TabIndex = 8
Caption = "移至该坐标"
ButtonStyle = 13
BackColor = 0x00000000
Font = "Tahoma",8.25,400
PictureEffectOnOver = 0
PictureEffectOnDown = 0
CaptionEffects = 0
TooltipBackColor = 0x00000000

[Image4]
Kind = Picture
Left = 2092
Top = 1560
Width = 480
Height = 480
Picture = ":/art/lock32.png"
ToolTipText = "锁定到此坐标"
MouseIcon = ":/art/hand.png"
MouseIconHotSpot = 6,0

[Image2]
Kind = Picture
Left = 4320
Top = 1800
Width = 240
Height = 240
Picture = ":/art/web16.png"
ToolTipText = "技术支持：Vorlin"
MouseIcon = ":/art/hand.png"
MouseIconHotSpot = 6,0

[Image1]
Kind = Picture
Left = 4320
Top = 2160
Width = 240
Height = 240
Picture = ":/art/about16.png"
ToolTipText = "关于"
MouseIcon = ":/art/hand.png"
MouseIconHotSpot = 6,0

[Image5]
Kind = Picture
Left = 4320
Top = 2520
Width = 240
Height = 240
Picture = ":/art/tip16.png"
ToolTipText = "秘诀"
MouseIcon = ":/art/hand.png"
MouseIconHotSpot = 6,0

[Label5]
Kind = Label
Left = 120
Top = 2280
Width = 1335
Height = 255
TabIndex = 11
Caption = "鼠标点击频率："

[mTextBox3]
Kind = mTextBox
Left = 1680
Top = 2160
Width = 615
Height = 330
TabIndex = 10

[Label6]
Kind = Label
Left = 2520
Top = 2280
Width = 375
Height = 375
TabIndex = 12
Caption = "毫秒"

[Check2]
Kind = CheckBox
Left = 1800
Top = 2880
Width = 1215
Height = 300
TabIndex = 13
Caption = "窗口置顶"

[Check1]
Kind = CheckBox
Left = 1800
Top = 3360
Width = 1575
Height = 255
TabIndex = 2
Caption = "显示鼠标的坐标"

[Label1]
Kind = Label
Left = 1680
Top = 3840
Width = 1335
Height = 255
TabIndex = 3
ForeColor = 0x000000FF

[Glintbutton1]
Kind = Glintbutton
Left = 960
Top = 4440
Width = 975
Height = 615
TabIndex = 0
Caption = "开始点击"
ButtonStyle = 3
ColorScheme = 2
BackColor = 0x00E3E3E3
Font = "Tahoma",8.25,400
PictureEffectOnOver = 0
PictureEffectOnDown = 0
CaptionEffects = 0
TooltipBackColor = 0x00000000

[Glintbutton2]
Kind = Glintbutton
Left = 2520
Top = 4440
Width = 975
Height = 615
TabIndex = 1
Caption = "停止点击"
ButtonStyle = 13
BackColor = 0x00000000
Font = "Tahoma",8.25,400
PictureEffectOnOver = 0
PictureEffectOnDown = 0
CaptionEffects = 0
TooltipBackColor = 0x00000000

[Label7]
Kind = Label
Left = 3720
Top = 4800
Width = 735
Height = 255
TabIndex = 14
Caption = "设置热键"
Font = "宋体",9,400,underline
MouseIcon = ":/art/hand.png"
MouseIconHotSpot = 6,0

[Timer1]
Kind = Timer
Enabled = True
Interval = 0

[Timer2]
Kind = Timer
Enabled = False
Interval = 50

[Timer3]
Kind = Timer
Enabled = False
Interval = 100

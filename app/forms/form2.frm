# The About window. Positions and sizes in twips (15 twips = 1 pixel); Label3,
# Label4 sit inside Frame1, measured from its top-left corner. The captions of
# Label3, Label5 and Label6 carry the maker's values and are filled in by Form2.
[Form2]
Kind = Form
Caption = "关于Vorlin"
ClientWidth = 4755
ClientHeight = 4020
Left = 7980
Top = 4005
MinButton = False
Font = "宋体",9,400
Icon = ":/art/form2.png"

[Label1]
Kind = Label
Left = 360
Top = 360
Width = 2295
Height = 255
TabIndex = 0
Caption = "软件名：Vorlin"

[Label2]
Kind = Label
Left = 360
Top = 840
Width = 2055
Height = 375
TabIndex = 1
Caption = "软件版本：1.0"

[Label7]
Kind = Label
Left = 3480
Top = 120
Width = 1215
Height = 375
TabIndex = 7
Caption = "BUG/意见反馈"
Font = "宋体",9,400,underline
MouseIcon = ":/art/hand.png"
MouseIconHotSpot = 6,0

[Frame1]
Kind = Frame
Left = 360
Top = 1440
Width = 4095
Height = 1935
TabIndex = 2
Caption = "软件简介"

[Label3]
Kind = Label
Container = Frame1
Left = 120
Top = 360
Width = 3495
Height = 375
TabIndex = 3
WordWrap = True

[Label4]
Kind = Label
Container = Frame1
Left = 120
Top = 840
Width = 3735
Height = 975
TabIndex = 4
WordWrap = True
Caption = "本程序特别适合在反复要求鼠标点击的网页，游戏，软件中，能够很好的解放您的双手。通过本程序您可以轻松设置鼠标点击的频率，所需点击的坐标等，并且可以自由设置热键，绝对好用！"

[Label5]
Kind = Label
Left = 360
Top = 3480
Width = 1815
Height = 255
TabIndex = 5

[Label6]
Kind = Label
Left = 2520
Top = 3480
Width = 2175
Height = 255
TabIndex = 6
Font = "宋体",9,400,underline
ForeColor = 0x000000FF
MouseIcon = ":/art/hand.png"
MouseIconHotSpot = 6,0

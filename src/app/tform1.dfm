// The unpacker's window. Heights: 158 with empty lists, plus 18 per entry of
// the longer list (the lists fill the client area below the fixed part); 132
// in compact mode; the options panel is 72 high when the distribution copy
// is not offered. Texts set by code are left empty here.
object Form1: TForm1
  Left = 0
  Top = 0
  Width = 360
  Height = 158
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Position = poScreenCenter
  KeyPreview = True
  ShowHint = True
  Color = clWhite
  Font.Name = 'Tahoma'
  Font.Height = -11
  Font.Charset = 204
  OnCreate = FormCreate
  OnActivate = FormActivate
  OnDeactivate = FormDeactivate
  OnKeyUp = FormKeyUp
  object Header1: TKWTXPHeader
    Left = 0
    Top = 0
    Width = 354
    Height = 32
    Collapsed = False
    Font.Charset = 204
    KWTXPCollapsePanel = CollapsePanel1
    OnClick = Header1Click
  end
  object CollapsePanel3: TKWTXPCollapsePanel
    Left = 0
    Top = 32
    Width = 354
    Height = 70
    object Label2: TLabel
      Left = 10
      Top = 4
      Width = 256
      Height = 14
      AutoSize = False
    end
    object Label4: TLabel
      Left = 268
      Top = 4
      Width = 76
      Height = 14
      Caption = '[0/0]'
    end
    object ProgressBar1: TKWTXPProgressBar
      Left = 10
      Top = 20
      Width = 246
      Height = 14
    end
    object ProgressBar2: TKWTXPProgressBar
      Left = 10
      Top = 37
      Width = 246
      Height = 14
    end
    object Button1: TKWTXPButton
      Left = 268
      Top = 22
      Width = 75
      Height = 25
      TabStop = True
      OnClick = Button1Click
      OnMouseMove = Button1MouseMove
    end
    object Label1: TLabel
      Left = 10
      Top = 53
      Width = 256
      Height = 14
      AutoSize = False
      ShowHint = True
    end
    object Label5: TLabel
      Left = 268
      Top = 53
      Width = 76
      Height = 14
      Caption = 'Korvelund'
      Font.Color = clGray
    end
  end
  object CollapsePanel2: TKWTXPCollapsePanel
    Left = 0
    Top = 102
    Width = 354
    Height = 26
    object Panel1: TPanel
      Left = 6
      Top = 1
      Width = 342
      Height = 22
      BevelOuter = bvNone
      object CheckBox3: TKWTXPCheckBox
        Left = 4
        Top = 3
        Width = 240
        Height = 17
        ShowHint = True
        OnClick = CheckBox3Click
      end
      object Panel2: TPanel
        Left = 262
        Top = 0
        Width = 80
        Height = 22
        BevelOuter = bvNone
        object SpeedButton1: TSpeedButton
          Left = 0
          Top = 0
          Width = 40
          Height = 22
          Caption = '7z'
          Enabled = False
          ShowHint = True
          OnClick = SpeedButton1Click
        end
        object SpeedButton2: TSpeedButton
          Left = 40
          Top = 0
          Width = 40
          Height = 22
          Caption = 'Dir'
          ShowHint = True
          OnClick = SpeedButton2Click
        end
      end
    end
  end
  object CheckListBox2: TKWTXPCheckListBox
    Left = 0
    Top = 128
    Width = 354
    Height = 0
    Visible = False
    Style = lbOwnerDrawFixed
    ItemHeight = 18
    OnClickCheck = CheckListBox2ClickCheck
    OnClick = CheckListBox2Click
    OnDrawItem = CheckListBox2DrawItem
    OnMouseMove = CheckListBox2MouseMove
  end
  object CheckListBox1: TKWTXPCheckListBox
    Left = 0
    Top = 128
    Width = 354
    Height = 0
    Style = lbOwnerDrawFixed
    ItemHeight = 18
    OnClickCheck = CheckListBox1ClickCheck
    OnClick = CheckListBox1Click
    OnDrawItem = CheckListBox1DrawItem
    OnMouseMove = CheckListBox1MouseMove
  end
  object CollapsePanel1: TKWTXPCollapsePanel
    Left = 0
    Top = 32
    Width = 354
    Height = 120
    Visible = False
    object Label3: TLabel
      Left = 12
      Top = 8
      Width = 200
      Height = 14
    end
    object ComboBox1: TKWTXPComboBox
      Left = 12
      Top = 24
      Width = 330
      Height = 21
      DropDownWidthPlus = 60
      Items.Strings = ('%SYSTEMDRIVE%\D' '%SYSTEMDRIVE%\DRIVERS')
      ItemIndex = 0
      Text = '%SYSTEMDRIVE%\D'
      ShowHint = True
    end
    object CheckBox1: TKWTXPCheckBox
      Left = 12
      Top = 52
      Width = 330
      Height = 17
      Checked = True
      ShowHint = True
    end
    object CheckBox2: TKWTXPCheckBox
      Left = 12
      Top = 76
      Width = 330
      Height = 17
      ShowHint = True
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 1000
    OnTimer = Timer1Timer
  end
  object Timer2: TTimer
    Interval = 5000
    OnTimer = Timer2Timer
  end
end

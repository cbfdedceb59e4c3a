object Form1: TForm1
  Left = 1303
  Top = 52
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsNone
  Caption = 'Quarnel - Ostrimark'
  ClientHeight = 447
  ClientWidth = 599
  Color = clWhite
  DefaultMonitor = dmDesktop
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object frmTrans: TShapedForm
    Left = 0
    Top = 0
    Width = 599
    Height = 447
    Align = alClient
    Picture.Data = @'face.bmp'
    Mask2 = {
      1002000020000000010000001F000000F0010000020000000100000057020000
      BE0100001300000001000000EC010000020000001200000002000000ED010000
      030000001100000003000000EE010000040000001000000004000000EF010000
      050000001000000005000000F0010000060000000F00000006000000F0010000
      070000000F00000007000000F1010000080000000E00000008000000F1010000
      1F0000000D0000001F000000F101000020000000090000002000000050020000
      2100000007000000210000005202000022000000060000002200000053020000
      2300000005000000230000005402000024000000050000002400000055020000
      2500000004000000250000005602000026000000030000002600000057020000
      2800000002000000280000005702000085010000030000008501000056020000
      8601000004000000860100005502000088010000050000008801000054020000
      890100000600000089010000530200008A010000070000008A01000052020000
      8B010000080000008B010000510200008C0100001D0000008C01000020020000
      B50100001E000000B501000020020000B80100001F000000B80100001F020000
      B90100001F000000B90100001E020000BA01000020000000BA0100001E020000
      BB01000021000000BB0100001D020000BC01000022000000BC0100001B020000
      BD01000024000000BD01000019020000BE010000}
  end
  object OmLabel2: TOmLabel
    Left = 130
    Top = 91
    Width = 281
    Height = 14
    Bevel.Mode = bmCustom
    Caption = 'Retrieve the fs9.exe file path as recorded in the registry'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clNavy
    Font.Height = -9
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    Options = []
  end
  object OmLabel4: TOmLabel
    Left = 104
    Top = 291
    Width = 307
    Height = 14
    Bevel.Mode = bmCustom
    Caption = 'Note: You must have administrative priviliges to set the path'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clNavy
    Font.Height = -9
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    Options = []
  end
  object OmLabel6: TOmLabel
    Left = 69
    Top = 240
    Width = 83
    Height = 15
    Bevel.Mode = bmCustom
    Caption = 'Set New Path:'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clNavy
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    Options = []
  end
  object TitleIconImage: TImage
    Left = 24
    Top = 10
    Width = 21
    Height = 21
    Picture.Data = @'title_icon.ico'
  end
  object MainTitleLabel: TLabel
    Left = 44
    Top = 10
    Width = 400
    Height = 18
    AutoSize = False
    Caption = 'Quarnel - Ostrimark'
    Font.Charset = ANSI_CHARSET
    Font.Color = clBlack
    Font.Height = -15
    Font.Name = 'Verdana'
    Font.Style = [fsBold, fsItalic]
    ParentFont = False
    Transparent = True
    Constraints.MinWidth = 400
    Constraints.MaxWidth = 400
  end
  object MinimiseImage: TImage
    Left = 442
    Top = 10
    Width = 20
    Height = 19
    Hint = 'Minimize this application'
    ParentShowHint = False
    ShowHint = True
    Transparent = True
    Picture.Data = @'minimise.bmp'
    OnClick = MinimiseImageClick
  end
  object ExitImage: TImage
    Left = 466
    Top = 10
    Width = 20
    Height = 19
    Hint = 'Exit this application'
    ParentShowHint = False
    ShowHint = True
    Transparent = True
    Picture.Data = @'close.bmp'
    OnClick = ExitImageClick
  end
  object OmSimpleLabel9: TOmSimpleLabel
    Left = 67
    Top = 412
    Width = 118
    Height = 15
    Caption = 'Copyright '#169' 2026'
    Color = 13547167
    ParentColor = False
    Font.Charset = ANSI_CHARSET
    Font.Color = clBlack
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    Options = []
  end
  object WebLinkLabel1: TWebLinkLabel
    Left = 183
    Top = 412
    Width = 51
    Height = 13
    Cursor = crHandPoint
    Caption = 'Quarnel'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = [fsUnderline]
    ParentFont = False
    Hint = 'Link to the Quarnel website'
    ParentShowHint = False
    ShowHint = True
    Transparent = True
    UrlOrEmail = 'https://quarnel.example/'
  end
  object VisitWebsiteImage: TImage
    Left = 146
    Top = 364
    Width = 16
    Height = 16
    Cursor = crHandPoint
    AutoSize = True
    Transparent = True
    Constraints.MinWidth = 16
    Constraints.MinHeight = 16
    Constraints.MaxWidth = 16
    Constraints.MaxHeight = 16
    ParentShowHint = False
    ShowHint = True
    Picture.Data = @'web.ico'
    OnClick = VisitWebsiteImageClick
  end
  object VisitWebsiteLabel: TOmSimpleLabel
    Left = 159
    Top = 365
    Width = 110
    Height = 15
    Cursor = crHandPoint
    Alignment = agCenterRight
    AutoSize = False
    Caption = 'Quarnel Website'
    Font.Charset = ANSI_CHARSET
    Font.Color = clBlack
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    ParentShowHint = False
    ShowHint = True
    Options = []
    OnClick = VisitWebsiteImageClick
  end
  object imgAbout: TImage
    Left = 285
    Top = 364
    Width = 16
    Height = 16
    Cursor = crHandPoint
    AutoSize = True
    Transparent = True
    Constraints.MinWidth = 16
    Constraints.MinHeight = 16
    Constraints.MaxWidth = 16
    Constraints.MaxHeight = 16
    ParentShowHint = False
    ShowHint = True
    Picture.Data = @'about.ico'
    OnClick = imgAboutClick
  end
  object AboutLabel: TOmSimpleLabel
    Left = 302
    Top = 365
    Width = 152
    Height = 15
    Cursor = crHandPoint
    Alignment = agCenterRight
    AutoSize = False
    Caption = 'About the Ostrimark'
    Font.Charset = ANSI_CHARSET
    Font.Color = clBlack
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    ParentShowHint = False
    ShowHint = True
    Options = []
    OnClick = imgAboutClick
  end
  object OmLabel3: TOmLabel
    Left = 144
    Top = 320
    Width = 267
    Height = 14
    Bevel.Mode = bmCustom
    Caption = 'Launch RegEdit and search for the FS9 registry entry'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clNavy
    Font.Height = -9
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    Options = []
  end
  object OmLabel7: TOmLabel
    Left = 71
    Top = 51
    Width = 460
    Height = 25
    Bevel.BorderColor = clWhite
    Bevel.BorderWidth = 1
    Bevel.BorderInnerWidth = 3
    Bevel.Mode = bmStandard
    Bevel.StandardStyle = lsSingle
    Bevel.WidthInner = 5
    Bevel.WidthOuter = 0
    Alignment = agCenter
    Caption = 'This application has been designed to analyze and repair the FS9 registry entry'
    Color = clWhite
    ParentColor = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -9
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    MultiLine = True
    Options = []
    Transparent = False
    Constraints.MinWidth = 460
    Constraints.MinHeight = 25
    Constraints.MaxWidth = 460
    Constraints.MaxHeight = 25
  end
  object btnGetRegPath: TOmButton
    Left = 422
    Top = 87
    Width = 107
    Height = 23
    Caption = 'Get FS9 Path'
    Color = clBtnFace
    ParentColor = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    TabOrder = 0
    Visible = True
    Glyph.Data = @'glyph_get.bmp'
    OnClick = btnGetRegPathClick
  end
  object btnSetRegPath: TOmButton
    Left = 422
    Top = 287
    Width = 107
    Height = 23
    Caption = 'Set FS9 Path'
    Color = clBtnFace
    ParentColor = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    TabOrder = 1
    Visible = True
    Glyph.Data = @'glyph_set.bmp'
    OnClick = btnSetRegPathClick
  end
  object OmGroupBox1: TOmGroupBox
    Left = 69
    Top = 113
    Width = 460
    Height = 56
    Bevel.Mode = bmWindows
    Bevel.StandardStyle = lsFrameInset
    Caption = 'FS9 Path:'
    CaptionFont.Charset = DEFAULT_CHARSET
    CaptionFont.Color = clBlue
    CaptionFont.Height = -11
    CaptionFont.Name = 'Verdana'
    CaptionFont.Style = []
    CaptionParentFont = False
    Color = clWhite
    ParentColor = False
    TabOrder = 2
    TabStop = False
    object OmLabel1: TOmLabel
      Left = 13
      Top = 17
      Width = 440
      Height = 30
      Bevel.Mode = bmCustom
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'Verdana'
      Font.Style = []
      ParentFont = False
      MultiLine = True
      Options = []
      ShowAccelChar = False
      Constraints.MinWidth = 440
      Constraints.MinHeight = 30
      Constraints.MaxWidth = 440
      Constraints.MaxHeight = 30
    end
  end
  object OmGroupBox2: TOmGroupBox
    Left = 69
    Top = 176
    Width = 460
    Height = 56
    Bevel.Mode = bmWindows
    Bevel.StandardStyle = lsFrameInset
    Caption = 'Registry Key:'
    CaptionFont.Charset = DEFAULT_CHARSET
    CaptionFont.Color = clBlue
    CaptionFont.Height = -11
    CaptionFont.Name = 'Verdana'
    CaptionFont.Style = []
    CaptionParentFont = False
    Color = clWhite
    ParentColor = False
    TabOrder = 3
    TabStop = False
    object OmLabel5: TOmLabel
      Left = 13
      Top = 17
      Width = 440
      Height = 30
      Bevel.Mode = bmCustom
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'Verdana'
      Font.Style = []
      ParentFont = False
      MultiLine = True
      Options = []
      ShowAccelChar = False
      Constraints.MinWidth = 440
      Constraints.MinHeight = 30
      Constraints.MaxWidth = 440
      Constraints.MaxHeight = 30
    end
  end
  object EdEdit1: TEdFolderNameEdit
    Left = 69
    Top = 257
    Width = 460
    Height = 21
    Cursor = crIBeam
    Options = []
    RootFolder = sfoDesktopExpanded
    DialogTitle = 'Select FS9 folder...'
    TopMargin = 2
    RightMargin = 1
    BorderSides = [ebsLeft, ebsRight, ebsTop, ebsBottom]
    LineBorderActiveColor = clBlack
    LineBorderInactiveColor = clBlack
    ButtonShortcut = 32808
    ButtonGlyph.Data = @'edit_button.bmp'
    ButtonWidth = 20
    AltButtonNumGlyphs = 1
    AltButtonPopupPlace = ppDown
    AltButtonShortcut = 0
    AltButtonWidth = 15
    AutoSize = False
    BorderStyle = bsSingle
    Ctl3D = True
    ParentCtl3D = False
    Color = 14346215
    ParentColor = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    ReadOnly = True
    TabOrder = 4
    DockOrientation = doNoOrient
    DoubleBuffered = False
  end
  object btnSearchRegEdit: TOmButton
    Left = 422
    Top = 316
    Width = 107
    Height = 23
    Caption = 'Search Reg'
    Color = clBtnFace
    ParentColor = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    TabOrder = 5
    Visible = True
    Glyph.Data = @'glyph_search.bmp'
    OnClick = btnSearchRegEditClick
  end
  object ExitButton: TOmButton
    Left = 440
    Top = 405
    Width = 84
    Height = 25
    Caption = 'Exit'
    Color = clBtnFace
    ParentColor = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    Hint = 'Exit this application'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 6
    Visible = True
    Glyph.Data = @'glyph_exit.bmp'
    OnClick = ExitButtonClick
  end
  object FS2004Button: TOmButton
    Left = 351
    Top = 405
    Width = 84
    Height = 25
    Caption = 'FS2004'
    Color = clBtnFace
    ParentColor = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Verdana'
    Font.Style = []
    ParentFont = False
    Hint = 'Run FS2004'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 7
    Visible = True
    Glyph.Data = @'glyph_fs2004.bmp'
    OnClick = FS2004ButtonClick
  end
end

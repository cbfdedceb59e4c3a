// A description that stores every published property and event of every class of the window
// loads, and the loaded window shows.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "app/main_form.h"
#include "controls/drawing/image_list.h"
#include "framework/form_reader.h"
#include "framework/popup_menu.h"

namespace {
using TLines = std::vector<std::string>;

const TLines kControl = {
    "Anchors = [akLeft, akTop]", "BiDiMode = bdLeftToRight", "ParentBiDiMode = True", "DragCursor = crDrag",
    "DragKind = dkDrag", "DragMode = dmManual", "Constraints.MaxHeight = 400", "PopupMenu = Menu1",
    "Action = Action1", "HelpContext = 0", "HelpKeyword = 'topic'", "HelpType = htContext", "Enabled = True",
    "Visible = True", "ShowHint = True", "ParentShowHint = False", "Hint = 'hint'", "Tag = 1", "OnClick = H",
    "OnDblClick = H", "OnMouseDown = H", "OnMouseMove = H", "OnMouseUp = H", "OnDragDrop = H", "OnDragOver = H",
    "OnEndDrag = H", "OnStartDrag = H", "OnEndDock = H", "OnStartDock = H", "OnContextPopup = H"};
const TLines kWindowed = {"TabOrder = 0", "TabStop = True", "DockSite = False", "OnEnter = H", "OnExit = H",
    "OnResize = H", "OnKeyDown = H", "OnKeyPress = H", "OnKeyUp = H", "OnDockDrop = H", "OnDockOver = H",
    "OnGetSiteInfo = H", "OnUnDock = H"};
const TLines kLabel = {"About = ''", "Align = alNone", "Alignment = agCenter", "AutoSize = False", "Caption = 'L'",
    "Color = clWindow", "ParentColor = False", "Font.Name = 'Arial'", "ParentFont = False", "MultiLine = True",
    "Options = [loEndEllipsis]", "ShowAccelChar = False", "Transparent = False", "Twinkle = False",
    "TwinkleVisible = 700", "TwinkleInVisible = 700", "TwinkleColor = clRed", "FocusControl = Edit1",
    "OnMouseEnter = H", "OnMouseExit = H", "BackFX.Active = False"};
const TLines kFullLabel = {"Bevel.StyleOuter = bvRaised", "FontFX.Style = tdRaised"};
const TLines kSimpleLabel = {"Font3D.Style = tdRaised", "Jump = 'https://quarnel.example/'", "ActiveColor = clPurple",
    "InActiveColor = clBlue", "JumpUnderline = True", "JumpMode = jmInternet"};
const TLines kGroupBox = {"Alignment = gcaTopCenter", "Caption = 'G'", "CaptionFont.Name = 'Arial'",
    "CaptionFont3D.Style = tdRaised", "CaptionOffset = 8", "CaptionParentFont = False", "ShowAccelChar = True",
    "Bevel.StandardStyle = lsFrameInset", "BackFX.Active = False", "ImageList = List1", "ImageIndex = 0",
    "ListIndex = 0", "Transparent = False", "CtlXP = True", "Color = clBtnFace", "ParentColor = False",
    "Font.Name = 'Arial'", "ParentFont = False", "Align = alNone", "AutoSize = False", "About = ''"};
const TLines kButton = {"WordWrap = False", "DropDownMenu = Menu1", "DropDownIndent = 0", "DropDownRight = False",
    "OnDropDown = H", "About = ''", "ButtonLayout.Spacing = 4", "Cancel = False", "Caption = 'B'",
    "Color = clWindow", "Default = False", "Font.Name = 'Arial'", "FontFX.Angle = 0", "HideHint = True",
    "UseCaption = True", "ImageList = List1", "ImageIndex = 0", "ListIndex = 0", "ModalResult = 0",
    "MultiLine = False", "NumGlyphs = 1", "ParentColor = False", "ParentFont = False", "RepeatedClick = False",
    "RepeatingInterval = 100", "RepeatingDelay = 500", "ExtStyle = ubsWin40", "OnMouseEnter = H",
    "OnMouseExit = H", "Cursor = crHandPoint"};
const TLines kEdit = {"Text = 'C:\\'", "ReadOnly = True", "MaxLength = 0", "Alignment = taLeftJustify",
    "AutoSelect = False", "AutoSize = False", "HideSelection = True", "LeftMargin = 1", "RightMargin = 1",
    "TopMargin = 1", "BorderStyle = bsSingle", "BorderSides = [ebsLeft, ebsTop]", "Flat = False",
    "ActiveBorderType = fbtSunken", "InactiveBorderType = fbtSunkenOuter", "LineBorderActiveColor = clBlack",
    "LineBorderInactiveColor = clBlack", "BorderColorFace = clBtnFace", "BorderColorShadow = clBtnShadow",
    "BorderColorDkShadow = cl3DDkShadow", "BorderColorHighlight = clBtnHighlight", "BorderColorWindow = clWindow",
    "FocusedSelectColor = clHighlight", "FocusedSelectTextColor = clHighlightText", "HideSelectColor = clBtnFace",
    "HideSelectTextColor = clBtnShadow", "HighlightAlphaLevel = 255", "UseDisabledColors = False",
    "DisabledColor = clBtnFace", "DisabledFontColor = clGrayText", "Transparent = False", "UseBackground = False",
    "ImageForm = Menu1", "HandleDialogKeys = False", "NotifyUserChangeOnly = True", "UseSystemMenu = True",
    "UseXPThemes = True", "LinkedControl = Label1", "LinkedControlPosition = lcpTopLeft", "LinkedControlSpacing = 2",
    "UseCustomScrollBars = True", "VertScrollBarStyles.Color = clBtnFace", "HorzScrollBarStyles.Flat = True",
    "OnChange = H", "OnSelectionChange = H", "OnMouseEnter = H", "OnMouseLeave = H", "ButtonShortcut = 0",
    "AltButtonShortcut = 0", "AltButtonPosition = taRightJustify", "OnButtonClick = H", "OnAltButtonClick = H",
    "ButtonClickSound = ''", "ButtonDownSound = ''", "ButtonUpSound = ''", "ButtonSoundMap = Menu1",
    "ButtonColor = clBtnFace", "ButtonFlat = False", "ButtonHint = 'b'", "ButtonUseIcon = False",
    "ButtonNumGlyphs = 1", "ButtonWidth = 20", "ButtonVisible = True", "ButtonShowBorder = True",
    "ButtonThinFrame = False", "ButtonOldStyled = False", "AltButtonCaption = 'a'", "AltButtonClickSound = ''",
    "AltButtonDownSound = ''", "AltButtonUpSound = ''", "AltButtonSoundMap = Menu1", "AltButtonDown = False",
    "AltButtonEnabled = True", "AltButtonFlat = False", "AltButtonHint = 'a'", "AltButtonUseIcon = False",
    "AltButtonNumGlyphs = 1", "AltButtonPopupPlace = ppDown", "AltButtonPullDownMenu = Menu1",
    "AltButtonVisible = False", "AltButtonWidth = 15", "AltButtonShowBorder = True", "AltButtonThinFrame = False",
    "AltButtonOldStyled = False", "Options = [bfoFileSysDirsOnly]", "Title = 't'", "RootFolder = sfoDesktopExpanded",
    "DialogTitle = 't'", "StatusText = ''", "CustomRootFolder = ''", "OnBeforeDialogExecute = H",
    "OnDialogExecute = H", "Prompt = 'p'"};

std::string Object(const std::string& name, const std::string& cls, int top, std::initializer_list<TLines> parts,
                   const std::string& inside = "") {
  std::string text = "  object " + name + ": " + cls + "\n    Left = 10\n    Top = " + std::to_string(top) + "\n";
  for (const TLines& part : parts)
    for (const std::string& line : part) text += "    " + line + "\n";
  return text + inside + "  end\n";
}

TEST(EveryProperty, ADescriptionStoringEveryPublishedPropertyLoads) {
  RegisterMainFormClasses();
  TClassRegistry::Instance().Register<TPopupMenu>("TPopupMenu");
  TClassRegistry::Instance().Register<TMenuItem>("TMenuItem");
  TForm form(nullptr);
  form.Handlers().RegisterHandler("H", [](TObject*) {});
  auto* list = new TOmCustomImageList(&form);
  list->SetName("List1");
  const std::string text = "object F: TForm\n  Width = 400\n  Height = 420\n" +
      Object("Label1", "TOmLabel", 10, {kControl, kLabel, kFullLabel}) +
      Object("Simple1", "TOmSimpleLabel", 50, {kControl, kLabel, kSimpleLabel}) +
      Object("Group1", "TOmGroupBox", 90, {kControl, kWindowed, kGroupBox}) +
      Object("Button1", "TOmButton", 200, {kControl, kWindowed, kButton}) +
      Object("Edit1", "TEdFolderNameEdit", 240, {kControl, kWindowed, kEdit}) +
      Object("Web1", "TWebLinkLabel", 280, {kControl, {"UrlOrEmail = 'a@b.example'", "Caption = 'W'"}}) +
      "  object Menu1: TPopupMenu\n    object Item1: TMenuItem\n      Caption = 'One'\n      OnClick = H\n    end\n"
      "  end\nend\n";
  ASSERT_NO_THROW(form.LoadDescription(text, [](const std::string&) { return std::vector<unsigned char>{}; }));
  EXPECT_EQ(static_cast<TControl*>(form.FindComponent("Button1"))->PopupMenu(), form.FindComponent("Menu1"));
  form.Show();
}
}  // namespace

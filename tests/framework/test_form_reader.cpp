// The reader: classes by name, property tables, nested records, handler binding, Loaded
// order, and errors that name component, property and line.
#include <gtest/gtest.h>
#include "tests/support/load_error.h"
#include <string>
#include <vector>
#include "framework/form.h"
#include "framework/form_reader.h"
#include "framework/image.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/std_label.h"

namespace {
std::vector<std::string> loadedOrder;

class TProbeLabel : public TLabel {
public:
  using TLabel::TLabel;
  void Loaded() override {
    // Loaded runs once everything is read: the sibling created later already exists.
    loadedOrder.push_back(Name() + (Owner()->FindComponent("Later") ? "+later" : ""));
    TLabel::Loaded();
  }
};

class ReaderTest : public ::testing::Test {
protected:
  void SetUp() override {
    loadedOrder.clear();
    auto& registry = TClassRegistry::Instance();
    registry.Register<TProbeLabel>("TProbeLabel");
    registry.Register<TButton>("TButton");
    registry.Register<TImage>("TImage");
    registry.Register<TLabel>("TLabel");
    form = new TForm(nullptr);
    form->Handlers().RegisterHandler("ClickMe", [this](TObject* sender) { clicked = sender; });
  }
  void TearDown() override { delete form; }
  void Load(const std::string& text) { form->LoadDescription(text, [](const std::string&) {
    return std::vector<unsigned char>{}; }); }
  std::string LoadError(const std::string& text) { return LoadErrorOf([&] { Load(text); }); }
  TForm* form = nullptr;
  TObject* clicked = nullptr;
};

TEST_F(ReaderTest, BuildsComponentsWithTheirPropertiesParentsAndHandlers) {
  Load(R"(object Main: TForm
  Caption = 'Main form'
  Color = clWhite
  Font.Name = 'Arial'
  Font.Height = -15
  Font.Style = [fsBold, fsItalic]
  object First: TProbeLabel
    Left = 10
    Top = 20
    Width = 30
    Height = 40
    AutoSize = False
    Caption = 'It''s'#13#10'two'
  end
  object Go: TButton
    Left = 5
    Caption = 'Go'
    TabOrder = 0
    OnClick = ClickMe
  end
  object Later: TProbeLabel
    AutoSize = False
    Font.Color = 255
    Constraints.MaxWidth = 12
    Width = 50
  end
end
)");
  EXPECT_EQ(form->Name(), "Main");
  EXPECT_EQ(form->Caption(), "Main form");
  EXPECT_EQ(form->Color(), clWhite);
  auto* first = dynamic_cast<TLabel*>(form->FindComponent("First"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Parent(), form);
  RECT bounds = first->BoundsRect();
  EXPECT_EQ(bounds.left, 10);
  EXPECT_EQ(bounds.top, 20);
  EXPECT_EQ(bounds.right, 40);
  EXPECT_EQ(bounds.bottom, 60);
  EXPECT_EQ(first->Caption(), "It's\r\ntwo");
  // Fonts follow the parent unless the description sets them.
  EXPECT_EQ(first->Font()->Name(), "Arial");
  EXPECT_TRUE(first->ParentFont());
  auto* later = dynamic_cast<TLabel*>(form->FindComponent("Later"));
  EXPECT_EQ(later->Font()->Color(), 255u);
  EXPECT_EQ(later->Font()->Name(), "Arial");
  EXPECT_FALSE(later->ParentFont());
  EXPECT_EQ(later->Width(), 12);  // the constraint holds against the stored width
  auto* go = dynamic_cast<TButton*>(form->FindComponent("Go"));
  ASSERT_TRUE(go->OnClick);
  go->OnClick(go);
  EXPECT_EQ(clicked, go);
  EXPECT_EQ(loadedOrder, (std::vector<std::string>{"First+later", "Later+later"}));
  EXPECT_FALSE(first->IsLoading());
}

TEST_F(ReaderTest, MalformedDescriptionsNameComponentPropertyAndLine) {
  struct Case { const char* text; const char* expected; };
  const Case cases[] = {
      {"object M: TForm\n  object X: TNoSuchClass\n  end\nend\n", "Line 2: M.X: unknown class 'TNoSuchClass'"},
      {"object M: TForm\n  Colour = clRed\nend\n", "Line 2: M.Colour: unknown property"},
      {"object M: TForm\n  object B: TButton\n    OnClick = NoSuchHandler\n  end\nend\n",
       "Line 3: M.B.OnClick: unknown handler 'NoSuchHandler'"},
      {"object M: TForm\n  Left = 'ten'\nend\n", "Line 2: M.Left: an integer expected"},
      {"object M: TForm\n  Color = clNoSuchColour\nend\n", "Line 2: M.Color: unknown colour 'clNoSuchColour'"},
      {"object M: TForm\n  Font.Style = [fsBold, fsWide]\nend\n", "Line 2: M.Font.Style: unknown value 'fsWide'"},
      {"object M: TForm\n  Font.Nothing = 1\nend\n", "Line 2: M.Font.Nothing: unknown property"},
      {"object M: TForm\n  BorderStyle = bsRound\nend\n", "Line 2: M.BorderStyle: unknown value 'bsRound'"},
      {"object M: TForm\n  object L: TLabel\n    Visible = Maybe\n  end\nend\n", "Line 3: M.L.Visible: True or False expected"},
      {"object M: TForm\n  object L: TLabel\n  end\n  object L: TLabel\n  end\nend\n",
       "Line 4: M.L: a component named 'L' already exists"},
      {"object M: TForm\n  object I: TImage\n    object J: TLabel\n    end\n  end\nend\n",
       "Line 3: M.I.J: 'I' cannot hold controls"},
      {"object M: TForm\n  object I: TImage\n    Picture.Data = {0454466F6F}\n  end\nend\n",
       "Line 3: M.I.Picture.Data: Unknown picture class 'TFoo'"},
      {"object M: TForm\n  object L: TLabel\n    PopupMenu = Nowhere\n  end\nend\n",
       "Line 3: M.L.PopupMenu: unknown component 'Nowhere'"},
      {"object M: TForm\n  object L: TLabel\n    PopupMenu = K\n  end\n  object K: TLabel\n  end\nend\n",
       "Line 3: M.L.PopupMenu: 'K' is not of the kind this property takes"},
      {"object M: TForm\n  object L: TLabel\n    DockSite = True\n  end\nend\n", "Line 3: M.L.DockSite: unknown property"},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    EXPECT_EQ(LoadError(c.text), c.expected) << c.text;
  }
}

// A reference may name a component declared after it; a menu's items join it; the framework's
// stored-only properties and events are kept as read.
TEST_F(ReaderTest, ReferencesMenusAndStoredPropertiesLoad) {
  TClassRegistry::Instance().Register<TPopupMenu>("TPopupMenu");
  TClassRegistry::Instance().Register<TMenuItem>("TMenuItem");
  Load("object M: TForm\n  object B: TButton\n    PopupMenu = Menu\n    Anchors = [akRight, akBottom]\n"
       "    BiDiMode = bdRightToLeft\n    DragMode = dmAutomatic\n    DockSite = True\n    HelpKeyword = 'k'\n"
       "    Action = Act1\n    OnDragDrop = ClickMe\n    OnKeyDown = ClickMe\n  end\n"
       "  object Menu: TPopupMenu\n    object One: TMenuItem\n      Caption = 'One'\n      OnClick = ClickMe\n    end\n"
       "    object Two: TMenuItem\n      Caption = 'Two'\n    end\n  end\nend\n");
  auto* button = static_cast<TButton*>(form->FindComponent("B"));
  auto* menu = static_cast<TPopupMenu*>(form->FindComponent("Menu"));
  EXPECT_EQ(button->PopupMenu(), menu);
  ASSERT_EQ(menu->Items().size(), 2u);
  EXPECT_EQ(menu->Items()[1].caption, "Two");
  menu->Items()[0].onClick(menu);
  EXPECT_EQ(clicked, form->FindComponent("One"));
  EXPECT_EQ(button->Anchors(), (TAnchors{akRight, akBottom}));
  const TStoredTraits& traits = button->Traits();
  EXPECT_EQ(traits.biDiMode, bdRightToLeft);
  EXPECT_EQ(traits.dragMode, dmAutomatic);
  EXPECT_TRUE(traits.dockSite);
  EXPECT_EQ(traits.helpKeyword, "k");
  EXPECT_EQ(traits.action, "Act1");
  EXPECT_EQ(traits.events.count("OnDragDrop"), 1u);
  WORD key = 'A';
  button->OnKeyDown(button, key, {});
  EXPECT_EQ(clicked, button);
  delete menu;
  EXPECT_EQ(button->PopupMenu(), nullptr);  // a freed menu is forgotten
}

TEST_F(ReaderTest, UnterminatedBlockIsReportedAtItsStart) {
  std::string error = LoadError("object M: TForm\n  object L: TLabel\n    Caption = 'x'\n");
  EXPECT_NE(error.find("Line 2"), std::string::npos) << error;
  EXPECT_NE(error.find("M.L"), std::string::npos) << error;
}

TEST_F(ReaderTest, ArtworkReferencesGoThroughTheResolver) {
  std::vector<std::string> asked;
  // A 1 x 1 24-bit bitmap file.
  std::vector<unsigned char> bmp = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                    1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                    0x10, 0x20, 0x30, 0};
  form->LoadDescription("object M: TForm\n  object I: TImage\n    Picture.Data = @'dot.bmp'\n  end\nend\n",
                        [&](const std::string& name) { asked.push_back(name); return bmp; });
  EXPECT_EQ(asked, std::vector<std::string>{"dot.bmp"});
  auto* image = dynamic_cast<TImage*>(form->FindComponent("I"));
  ASSERT_NE(image->Picture()->Graphic(), nullptr);
  EXPECT_EQ(image->Picture()->Width(), 1);
  EXPECT_EQ(dynamic_cast<TBitmap&>(*image->Picture()->Graphic()).TransparentColor(), 0x102030u);
}

TEST(EmbeddedNames, FileNamesMapToResourceNames) {
  EXPECT_EQ(EmbeddedResourceName("face.bmp"), "FACE_BMP");
  EXPECT_EQ(EmbeddedResourceName("glyph-get.v2.bmp"), "GLYPH_GET_V2_BMP");
}
}  // namespace

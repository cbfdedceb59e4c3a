// The loaded main window against its stored design: classes, parents, bounds, texts, fonts,
// colours, hints and bindings in one table; then the window itself and its tab order.
#include <gtest/gtest.h>
#include <string>
#include "tests/app/real_window_fixture.h"
#include "app/win32_system.h"
#include "framework/application.h"

namespace {
struct TExpectedFont { const char* name; int height; TFontStyles style; TColor color; int charset; };
const TExpectedFont kVerdana9Navy{"Verdana", -9, {}, clNavy, DEFAULT_CHARSET};
const TExpectedFont kVerdana11Black{"Verdana", -11, {}, clBlack, DEFAULT_CHARSET};
const TExpectedFont kVerdana11BlackAnsi{"Verdana", -11, {}, clBlack, ANSI_CHARSET};
const TExpectedFont kButtonFont{"Verdana", -11, {}, clWindowText, DEFAULT_CHARSET};
const TExpectedFont kFormFont{"MS Sans Serif", -11, {}, clWindowText, DEFAULT_CHARSET};

struct TExpectedComponent {
  const char* name;
  const char* className;
  const char* parent;
  int left, top, width, height;
  const char* caption;
  const char* hint;
  bool clickBound;
  const TExpectedFont* font;  // nullptr: not checked (pictures)
  TColor color;           // 0xFFFFFFFF: not checked
};
constexpr TColor kAny = 0xFFFFFFFF;
constexpr int kMeasured = -1;  // an auto-sized label takes the size of its text in the font at hand

const TExpectedComponent kComponents[] = {
    {"frmTrans", "TShapedForm", "Form1", 0, 0, 599, 447, "", "", false, nullptr, kAny},
    {"OmLabel2", "TOmLabel", "Form1", 130, 91, kMeasured, kMeasured, "Retrieve the fs9.exe file path as recorded in the registry", "", false, &kVerdana9Navy, clWhite},
    {"OmLabel4", "TOmLabel", "Form1", 104, 291, kMeasured, kMeasured, "Note: You must have administrative priviliges to set the path", "", false, &kVerdana9Navy, clWhite},
    {"OmLabel6", "TOmLabel", "Form1", 69, 240, kMeasured, kMeasured, "Set New Path:", "", false, nullptr, clWhite},
    {"TitleIconImage", "TImage", "Form1", 24, 10, 21, 21, "", "", false, nullptr, kAny},
    {"MainTitleLabel", "TLabel", "Form1", 44, 10, 400, 18, "Quarnel - Ostrimark", "", false, nullptr, kAny},
    {"MinimiseImage", "TImage", "Form1", 442, 10, 20, 19, "", "Minimize this application", true, nullptr, kAny},
    {"ExitImage", "TImage", "Form1", 466, 10, 20, 19, "", "Exit this application", true, nullptr, kAny},
    {"OmSimpleLabel9", "TOmSimpleLabel", "Form1", 67, 412, kMeasured, kMeasured, "Copyright \xA9 2026", "", false, &kVerdana11BlackAnsi, 13547167},
    {"WebLinkLabel1", "TWebLinkLabel", "Form1", 183, 412, kMeasured, kMeasured, "Quarnel", "Link to the Quarnel website", false, nullptr, kAny},
    {"VisitWebsiteImage", "TImage", "Form1", 146, 364, 16, 16, "", "", true, nullptr, kAny},
    {"VisitWebsiteLabel", "TOmSimpleLabel", "Form1", 159, 365, 110, 15, "Quarnel Website", "", true, &kVerdana11BlackAnsi, clWhite},
    {"imgAbout", "TImage", "Form1", 285, 364, 16, 16, "", "", true, nullptr, kAny},
    {"AboutLabel", "TOmSimpleLabel", "Form1", 302, 365, 152, 15, "About the Ostrimark", "", true, &kVerdana11BlackAnsi, clWhite},
    {"OmLabel3", "TOmLabel", "Form1", 144, 320, kMeasured, kMeasured, "Launch RegEdit and search for the FS9 registry entry", "", false, &kVerdana9Navy, clWhite},
    {"OmLabel7", "TOmLabel", "Form1", 71, 51, 460, 25, "This application has been designed to analyze and repair the FS9 registry entry", "", false, nullptr, clWhite},
    {"btnGetRegPath", "TOmButton", "Form1", 422, 87, 107, 23, "Get FS9 Path", "", true, &kButtonFont, clBtnFace},
    {"btnSetRegPath", "TOmButton", "Form1", 422, 287, 107, 23, "Set FS9 Path", "", true, &kButtonFont, clBtnFace},
    {"OmGroupBox1", "TOmGroupBox", "Form1", 69, 113, 460, 56, "FS9 Path:", "", false, nullptr, clWhite},
    {"OmLabel1", "TOmLabel", "OmGroupBox1", 13, 17, 440, 30, "", "", false, &kVerdana11Black, clWhite},
    {"OmGroupBox2", "TOmGroupBox", "Form1", 69, 176, 460, 56, "Registry Key:", "", false, nullptr, clWhite},
    {"OmLabel5", "TOmLabel", "OmGroupBox2", 13, 17, 440, 30, "", "", false, &kVerdana11Black, clWhite},
    {"EdEdit1", "TEdFolderNameEdit", "Form1", 69, 257, 460, 21, "", "", false, &kButtonFont, 14346215},
    {"btnSearchRegEdit", "TOmButton", "Form1", 422, 316, 107, 23, "Search Reg", "", true, &kButtonFont, clBtnFace},
    {"ExitButton", "TOmButton", "Form1", 440, 405, 84, 25, "Exit", "Exit this application", true, &kButtonFont, clBtnFace},
    {"FS2004Button", "TOmButton", "Form1", 351, 405, 84, 25, "FS2004", "Run FS2004", true, &kButtonFont, clBtnFace},
};

using MainWindowTest = RealWindowTest;

TEST_F(MainWindowTest, EveryComponentMatchesTheDesign) {
  ASSERT_EQ(form->ComponentCount(), static_cast<int>(std::size(kComponents)));
  for (size_t i = 0; i < std::size(kComponents); ++i) {
    const TExpectedComponent& expected = kComponents[i];
    SCOPED_TRACE(expected.name);
    auto* control = dynamic_cast<TControl*>(form->Components()[i]);  // creation order is drawing order
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Name(), expected.name);
    EXPECT_EQ(control->StoredClassName(), expected.className);
    ASSERT_NE(control->Parent(), nullptr);
    EXPECT_EQ(control->Parent()->Name(), expected.parent);
    EXPECT_EQ(control->Left(), expected.left);
    EXPECT_EQ(control->Top(), expected.top);
    if (expected.width == kMeasured) {
      EXPECT_GT(control->Width(), 2);
      EXPECT_GT(control->Height(), 2);
    } else {
      EXPECT_EQ(control->Width(), expected.width);
      EXPECT_EQ(control->Height(), expected.height);
    }
    EXPECT_EQ(control->Caption(), expected.caption);
    EXPECT_EQ(control->Hint(), expected.hint);
    EXPECT_EQ(static_cast<bool>(control->OnClick), expected.clickBound);
    if (expected.font) {
      EXPECT_EQ(control->Font()->Name(), expected.font->name);
      EXPECT_EQ(control->Font()->Height(), expected.font->height);
      EXPECT_EQ(control->Font()->Style(), expected.font->style);
      EXPECT_EQ(control->Font()->Color(), expected.font->color);
      EXPECT_EQ(control->Font()->Charset(), expected.font->charset);
      EXPECT_FALSE(control->ParentFont());
    }
    if (expected.color != kAny) {
      EXPECT_EQ(control->Color(), expected.color);
    }
  }
}

TEST_F(MainWindowTest, TitleFontsHintsAndConstraints) {
  const TFont& title = *form->MainTitleLabel->Font();
  EXPECT_EQ(title.Height(), -15);
  EXPECT_EQ(title.Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(title.Charset(), ANSI_CHARSET);
  EXPECT_EQ(form->WebLinkLabel1->Font()->Style(), TFontStyles{fsUnderline});
  EXPECT_EQ(form->WebLinkLabel1->Font()->Color(), clBlue);
  EXPECT_EQ(form->WebLinkLabel1->Cursor(), crHandPoint);
  EXPECT_EQ(form->OmGroupBox1->CaptionFont()->Color(), clBlue);
  EXPECT_FALSE(form->OmGroupBox1->CaptionParentFont());
  EXPECT_EQ(form->OmLabel6->Font()->Height(), -11);
  for (TControl* picture : {static_cast<TControl*>(form->MinimiseImage), static_cast<TControl*>(form->ExitImage),
                            static_cast<TControl*>(form->VisitWebsiteImage), static_cast<TControl*>(form->imgAbout)}) {
    EXPECT_TRUE(picture->ShowHint()) << picture->Name();
    EXPECT_FALSE(picture->ParentShowHint()) << picture->Name();
  }
  // Size constraints hold against any later set-bounds.
  form->OmLabel7->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(form->OmLabel7->Width(), 460);
  EXPECT_EQ(form->OmLabel7->Height(), 25);
  form->OmLabel1->SetWidth(10);
  EXPECT_EQ(form->OmLabel1->Width(), 440);
  EXPECT_EQ(form->EdEdit1->DialogTitle(), "Select FS9 folder...");
  EXPECT_TRUE(form->EdEdit1->ReadOnly());
  EXPECT_EQ(form->EdEdit1->ButtonShortcut(), 32808);
  EXPECT_EQ(form->EdEdit1->ButtonWidth(), 20);
  EXPECT_EQ(form->EdEdit1->ButtonGlyph()->Height(), 12);  // the stored glyph, not the built-in one
  EXPECT_FALSE(form->EdEdit1->AltButtonVisible());
  EXPECT_EQ(form->EdEdit1->AltButtonWidth(), 15);
  EXPECT_EQ(form->EdEdit1->RootFolder(), sfoDesktopExpanded);
  EXPECT_EQ(form->EdEdit1->LineBorderInactiveColor(), clBlack);
  EXPECT_EQ(form->frmTrans->Picture()->Width(), 600);
  EXPECT_EQ(form->frmTrans->Picture()->Height(), 447);
}

TEST_F(MainWindowTest, FormPropertiesAndStartState) {
  EXPECT_EQ(form->Caption(), "Quarnel - Ostrimark");
  EXPECT_EQ(form->BorderStyle(), bsNone);
  EXPECT_EQ(form->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
  EXPECT_EQ(form->Position(), poScreenCenter);
  EXPECT_EQ(form->Color(), clWhite);
  EXPECT_EQ(form->Font()->Name(), kFormFont.name);
  EXPECT_EQ(form->ClientWidth(), 599);
  EXPECT_EQ(form->ClientHeight(), 447);
  EXPECT_TRUE(form->OmLabel1->Caption().empty());
  EXPECT_TRUE(form->OmLabel5->Caption().empty());
  EXPECT_TRUE(form->EdEdit1->Text().empty());
  EXPECT_TRUE(FS9Path.empty());
}

TWinControl* FocusedControl() {
  for (HWND w = GetFocus(); w; w = GetParent(w))
    if (TWinControl* control = TWinControl::FromHandle(w)) return control;
  return nullptr;
}

TEST_F(MainWindowTest, ShownCentredFramelessWithFocusOnFirstButtonAndTabCycle) {
  form->Show();
  HWND window = form->Handle();
  RECT rect, client;
  GetWindowRect(window, &rect);
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 599);
  EXPECT_EQ(client.bottom, 447);
  EXPECT_EQ(rect.right - rect.left, 599);  // no frame
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 599) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 447) / 2);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_EQ(GetWindow(window, GW_OWNER), Application->Handle());  // the task bar button is the application's
  EXPECT_EQ(FocusedControl(), form->btnGetRegPath);
  const TWinControl* cycle[] = {form->btnSetRegPath, form->EdEdit1, form->btnSearchRegEdit,
                                form->ExitButton, form->FS2004Button};
  for (const TWinControl* expected : cycle) {
    form->Perform(CM_DIALOGKEY, VK_TAB);
    EXPECT_EQ(FocusedControl(), expected) << expected->Name();
  }
  // The seven pictures and links without windows come after the windowed stops.
  for (int i = 0; i < 7; ++i) form->Perform(CM_DIALOGKEY, VK_TAB);
  EXPECT_NE(form->FocusedGraphic(), nullptr);
  form->Perform(CM_DIALOGKEY, VK_TAB);
  EXPECT_EQ(FocusedControl(), form->btnGetRegPath);
  form->Perform(CM_DIALOGKEY, VK_TAB);
  form->Perform(CM_DIALOGKEY, VK_TAB);
  EXPECT_EQ(FocusedControl(), form->EdEdit1);
  // Shift+Tab goes back the same way.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  form->Perform(CM_DIALOGKEY, VK_TAB);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(FocusedControl(), form->btnSetRegPath);
}
}  // namespace

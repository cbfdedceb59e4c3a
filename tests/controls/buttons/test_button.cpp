// The owner-drawn push button in a real window: its faces read back from a 32-bit DIB, and the
// clicks that keys, messages and the mouse raise.
#include <gtest/gtest.h>
#include "controls/buttons/button.h"
#include "framework/application.h"
#include "tests/support/plain_form.h"
#include "framework/themes.h"
#include "tests/support/dib.h"
#include "tests/support/menu_probe.h"

namespace {
class ButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = NewPlainForm();
    button = new TOmButton(form);
    button->SetBounds(20, 20, 107, 23);
    button->SetCaption("Go");
    button->SetColor(clBtnFace);
    button->SetParent(form);
    button->OnClick = [this](TObject*) { ++clicks; };
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    delete form;
    SetThemesWanted(true);
  }
  HWND Window() { return button->Handle(); }
  // The button's face as it paints itself.
  void Print(TDib& dib) {
    dib.Fill(RECT{0, 0, button->Width(), button->Height()}, RGB(1, 2, 3));
    SendMessageW(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.DC()), PRF_CLIENT);
  }
  void Press(UINT down, UINT up, POINT at = {10, 10}) {
    SendMessageW(Window(), down, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(Window(), up, 0, MAKELPARAM(at.x, at.y));
  }
  TForm* form = nullptr;
  TOmButton* button = nullptr;
  int clicks = 0;
};

TEST_F(ButtonTest, StaysASystemPushButtonDrawnByItsOwner) {
  wchar_t className[32] = L"", text[32] = L"";
  GetClassNameW(Window(), className, 32);
  GetWindowTextW(Window(), text, 32);
  EXPECT_EQ(_wcsicmp(className, L"Button"), 0);
  EXPECT_STREQ(text, L"Go");
  EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(SendMessageW(Window(), WM_GETDLGCODE, 0, 0) & DLGC_BUTTON, DLGC_BUTTON);
}

TEST_F(ButtonTest, ClassicFaceShiftsItsContentWhenPressedAndFramesTheFocus) {
  SetThemesWanted(false);
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.Canvas().Brush().SetColor(clFuchsia);
  glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect(RECT{2, 2, 14, 14});
  button->SetGlyph(&glyph);
  button->SetUseCaption(false);
  auto* other = new TOmButton(form);
  other->SetBounds(20, 60, 75, 25);
  other->SetParent(form);
  other->SetFocus();
  EXPECT_FALSE(button->ActiveLook());
  TDib up(107, 23, 0), pressed(107, 23, 0), focused(107, 23, 0);
  Print(up);
  EXPECT_EQ(up.At(50, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(up.At(106, 12), ColorToRGB(cl3DDkShadow));  // the raised outer edge
  EXPECT_EQ(up.At(105, 12), ColorToRGB(clBtnShadow));
  const RECT blueUp = up.BoundsOf(RGB(0, 0, 255));
  EXPECT_EQ(blueUp, (RECT{47, 5, 59, 17}));  // a 16 x 16 glyph centred in the content
  SendMessageW(Window(), BM_SETSTATE, TRUE, 0);
  Print(pressed);
  SendMessageW(Window(), BM_SETSTATE, FALSE, 0);
  RECT moved = blueUp;
  OffsetRect(&moved, 1, 1);
  EXPECT_EQ(pressed.BoundsOf(RGB(0, 0, 255)), moved);
  EXPECT_EQ(pressed.At(0, 12), RGB(0, 0, 0));
  EXPECT_EQ(pressed.At(1, 12), RGB(128, 128, 128));

  button->SetFocus();  // the active button: default frame, focus rectangle 3 inside it
  EXPECT_TRUE(button->ActiveLook());
  Print(focused);
  int dots = 0;
  for (int y = 4; y < 19; ++y) {
    dots += focused.At(4, y) != ColorToRGB(clBtnFace);  // the dotted line at x = 4
    EXPECT_EQ(focused.At(5, y), ColorToRGB(clBtnFace));
  }
  EXPECT_GE(dots, 5);
  EXPECT_EQ(focused.BoundsOf(RGB(0, 0, 255)), (RECT{47, 6, 59, 18}));  // the content lost a pixel each side
}

TEST_F(ButtonTest, ThemedFacesAreTheThemePushButtonInEachState) {
  if (!ThemesInUse()) GTEST_SKIP() << "no visual styles in this prefix";
  button->SetUseCaption(false);
  TThemeData theme(Window(), L"BUTTON");
  ASSERT_TRUE(theme);
  struct Case { const char* name; int state; std::function<void()> enter, leave; };
  const Case cases[] = {
      {"normal", 1, [] {}, [] {}},
      {"hot", 2, [&] { button->Perform(CM_MOUSEENTER); }, [&] { button->Perform(CM_MOUSELEAVE); }},
      {"pressed", 3, [&] { SendMessageW(Window(), BM_SETSTATE, TRUE, 0); },
       [&] { SendMessageW(Window(), BM_SETSTATE, FALSE, 0); }},
      {"disabled", 4, [&] { button->SetEnabled(false); }, [&] { button->SetEnabled(true); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.enter();
    TDib face(107, 23, 0), reference(107, 23, RGB(255, 255, 255));
    Print(face);
    theme.DrawBackground(reference.DC(), 1, c.state, RECT{0, 0, 107, 23});
    c.leave();
    // The focus rectangle of the first tab stop aside, the face is the theme's.
    for (int y : {0, 1, 12, 21, 22})
      for (int x : {0, 1, 50, 105, 106}) EXPECT_EQ(face.At(x, y), reference.At(x, y)) << x << "," << y;
  }
}

// What the screen shows of a button against what it paints now.
int DifferingPixels(TOmButton* shown) {
  TDib screen(shown->Width(), shown->Height(), 0), painted(shown->Width(), shown->Height(), 0);
  HDC dc = GetDC(shown->Handle());
  BitBlt(screen.DC(), 0, 0, shown->Width(), shown->Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(shown->Handle(), dc);
  SendMessageW(shown->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.DC()), PRF_CLIENT);
  int differing = 0;
  for (int y = 0; y < shown->Height(); ++y)
    for (int x = 0; x < shown->Width(); ++x) differing += screen.At(x, y) != painted.At(x, y);
  return differing;
}

TEST_F(ButtonTest, FacesPaintedWithTheFormAreTheFacesTheButtonsPaintThemselves) {
  auto* other = new TOmButton(form);
  other->SetBounds(20, 60, 107, 23);
  other->SetCaption("Other");
  other->SetParent(form);
  Application->ProcessMessages();
  SendMessageW(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);  // no kept picture is current
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
  for (TOmButton* shown : {button, other}) {  // the focused one and the other
    EXPECT_FALSE(GetUpdateRect(shown->Handle(), nullptr, FALSE));
    EXPECT_EQ(DifferingPixels(shown), 0) << shown->Caption();
  }
}

TEST_F(ButtonTest, EachWayOfPressingClicksOnce) {
  SendMessageW(Window(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  Press(WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 2);
  button->SetFocus();
  SendMessageW(Window(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(Window(), WM_KEYUP, VK_SPACE, 0xC0000000);
  EXPECT_EQ(clicks, 3);
  PostMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);  // a dialog key, through the message loop
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 4);
  Press(WM_LBUTTONDOWN, WM_LBUTTONUP);
  Press(WM_LBUTTONDBLCLK, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 6);  // a double click is two presses
  button->SetCaption("&Go");
  PostMessageW(Window(), WM_SYSCHAR, 'g', 1 << 29);  // Alt+G
  PostMessageW(Window(), WM_CHAR, 'G', 1);         // the letter alone: a button takes no characters
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 8);
}

TEST_F(ButtonTest, EnterGoesToTheFocusedButtonBeforeADefaultOne) {
  auto* other = new TOmButton(form);
  other->SetBounds(20, 60, 75, 25);
  other->SetParent(form);
  int otherClicks = 0;
  other->OnClick = [&](TObject*) { ++otherClicks; };
  button->SetDefault(true);  // first in the form's list
  other->SetFocus();
  EXPECT_FALSE(button->ActiveLook());
  form->Perform(CM_DIALOGKEY, VK_RETURN);
  EXPECT_EQ(otherClicks, 1);
  EXPECT_EQ(clicks, 0);
  other->SetEnabled(false);  // the focus leaves the buttons: the default one takes Enter
  SetFocus(form->Handle());
  form->Perform(CM_DIALOGKEY, VK_RETURN);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, NoClickAfterReleaseOutsideOrLostCapture) {
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 10));
  EXPECT_FALSE(button->Hot());
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
  EXPECT_EQ(clicks, 0);

  button->SetRepeatedClick(true);
  button->SetRepeatingDelay(10);
  button->SetRepeatingInterval(10);
  button->Perform(CM_MOUSEENTER);
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(SendMessageW(Window(), BM_GETSTATE, 0, 0) & BST_PUSHED);
  ReleaseCapture();  // a box opening, or Alt+Tab
  EXPECT_FALSE(SendMessageW(Window(), BM_GETSTATE, 0, 0) & BST_PUSHED);
  for (int i = 0; i < 5; ++i, Sleep(20)) Application->ProcessMessages();
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 0);  // neither a repeat nor the release
}

TEST_F(ButtonTest, ADropDownClickRunsOnClickThenTheMenuAndComesBackReleased) {
  TPopupMenu menu(nullptr);
  menu.Add("First");
  button->SetDropDownMenu(&menu);
  std::string order;
  button->OnClick = [&](TObject*) { order += "click "; };
  button->OnDropDown = [&](TObject*) { order += button->MenuOpen() ? "open " : "closed "; };
  // The menu runs modally: a timer closes it.
  SetTimer(nullptr, 0, 100, CloseMenuOnce);
  SendMessageW(Window(), BM_CLICK, 0, 0);
  EXPECT_EQ(order, "click open ");
  EXPECT_FALSE(button->MenuOpen());
  EXPECT_FALSE(SendMessageW(Window(), BM_GETSTATE, 0, 0) & BST_PUSHED);
}

TEST_F(ButtonTest, HideHintSaysWhetherTheHintGoesWithTheMouse) {
  button->SetHint("Read the registry");
  button->SetShowHint(true);
  const int pause = Application->HintPause();
  Application->SetHintPause(1);
  for (bool hide : {false, true}) {
    button->SetHideHint(hide);
    Application->MouseOver(button);
    for (DWORD start = GetTickCount(); !Application->HintShowing() && GetTickCount() - start < 3000;) {
      Application->ProcessMessages();
      Sleep(5);
    }
    ASSERT_TRUE(Application->HintShowing());
    Application->MouseOver(nullptr);
    EXPECT_EQ(Application->HintShowing(), !hide) << "HideHint " << hide;
  }
  Application->SetHintPause(pause);
}

// The glyph comes from the image list, follows its changes and indexes, refuses negative ones,
// is detached by a glyph set in code, and the list is forgotten when freed; the shared lists load
// by their stored name.
TEST_F(ButtonTest, TheGlyphComesFromTheImageList) {
  auto add = [](TOmCustomImageList& to, int width) {
    TBitmap b;
    b.SetSize(width, 8);
    to.Add(b);
  };
  auto* list = new TOmCustomImageList(nullptr);
  add(*list, 8);
  button->SetImageList(list);
  EXPECT_EQ(button->Glyph()->Width(), 8);
  add(*list, 12);
  button->SetImageIndex(1);
  button->SetImageIndex(-1);
  EXPECT_EQ(button->ImageIndex(), 1);
  EXPECT_EQ(button->Glyph()->Width(), 12);
  button->SetListIndex(3);  // no such list: no glyph
  EXPECT_TRUE(button->Glyph()->Empty());
  button->SetListIndex(0);
  delete list;
  EXPECT_EQ(button->ImageList(), nullptr);
  EXPECT_EQ(button->Glyph()->Width(), 12);  // the last image stays
  TOmCustomImageList second(nullptr);
  button->SetImageList(&second);
  TBitmap own;
  own.SetSize(5, 8);
  button->SetGlyph(&own);
  EXPECT_EQ(button->ImageList(), nullptr);
  EXPECT_EQ(button->Glyph()->Width(), 5);
  TFormValue shared;
  shared.kind = TFormValue::Kind::String;
  shared.text = "OMBML30";
  EXPECT_TRUE(button->ReadCustomProperty("Internal", shared));
  EXPECT_EQ(button->ImageList(), &OmSharedBitmapList());
  button->SetImageList(nullptr);
}
}  // namespace

// The classic forms drawn into a 40 x 20 face: which ring colours each leaves at its edges, up,
// hot and pressed.
TEST(ClassicButtonForms, EachFormLeavesItsOwnRings) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), black = RGB(0, 0, 0), grey = RGB(128, 128, 128),
                 white = RGB(255, 255, 255), shadow = GetSysColor(COLOR_BTNSHADOW),
                 dark = GetSysColor(COLOR_3DDKSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  auto draw = [&](TOmUserButtonStyle style, int state, bool hot, TDib& dib) {
    TCanvas canvas;
    TCanvasBinding binding(canvas, dib.DC());
    RECT r{0, 0, 40, 20};
    OmDrawClassicButton(canvas, hot, r, clBtnFace, 0, state, style);
    return r;
  };
  struct TCase { TOmUserButtonStyle style; int state; bool hot; POINT at[3]; COLORREF colors[3]; };
  const TCase cases[] = {
      // Win31: a dark outline all round (soft edges), two light inner rings.
      {ubsWin31, kOmDrawUp, false, {{0, 10}, {39, 10}, {2, 10}}, {dark, dark, light}},
      {ubsWin31, kOmDrawPressed, false, {{0, 10}, {1, 10}, {2, 10}}, {dark, dark, face}},
      {ubsOutlined, kOmDrawUp, false, {{0, 10}, {39, 10}, {20, 10}}, {black, black, face}},
      {ubsOutlined, kOmDrawPressed, false, {{0, 0}, {1, 10}, {10, 1}}, {black, grey, grey}},
      // Flat: nothing until hot, a raised ring then, a sunken one pressed.
      {ubsFlat, kOmDrawUp, false, {{0, 0}, {39, 10}, {0, 10}}, {face, face, face}},
      {ubsFlat, kOmDrawHot, true, {{0, 10}, {39, 10}, {20, 10}}, {light, shadow, face}},
      {ubsFlat, kOmDrawPressed, false, {{0, 10}, {39, 10}, {20, 10}}, {shadow, light, face}},
      {ubsIntegrated, kOmDrawUp, false, {{0, 10}, {1, 10}, {38, 10}}, {face, white, grey}},
      {ubsIntegrated, kOmDrawPressed, false, {{0, 10}, {39, 19}, {20, 10}}, {grey, grey, face}},
  };
  for (const TCase& c : cases) {
    TDib dib(40, 20, RGB(1, 2, 3));
    draw(c.style, c.state, c.hot, dib);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(dib.At(c.at[i].x, c.at[i].y), c.colors[i]) << c.style << " state " << c.state << " pixel " << i;
  }
  TDib up(40, 20), down(40, 20);
  const RECT upContent = draw(ubsIntegrated, kOmDrawUp, false, up);
  const RECT downContent = draw(ubsIntegrated, kOmDrawPressed, false, down);
  EXPECT_EQ(downContent.left, upContent.left + 1);  // pressed content moves right and down
  EXPECT_EQ(downContent.top, upContent.top + 1);
}

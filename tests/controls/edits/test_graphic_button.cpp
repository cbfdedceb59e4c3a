// The graphic button's press, track and release in a real window, read back as frame pixels.
#include <gtest/gtest.h>
#include "tests/support/dib.h"
#include "controls/edits/graphic_button.h"
#include "tests/support/plain_form.h"
#include "framework/msgbox.h"
#include "tests/support/menu_probe.h"

namespace {
class GraphicButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = NewPlainForm(clBtnFace);
    button = new TCustomEdGraphicButton(form);
    button->SetBounds(10, 10, 20, 17);
    button->SetParent(form);
    button->SetUseXPThemes(false);
    button->OnClick = [this](TObject*) { ++clicks; };
    form->HandleNeeded();
  }
  void TearDown() override { delete form; }
  COLORREF PixelAt(int x, int y) { return PrintedPixel(form->Handle(), x, y); }
  // The outer ring's top-left pixel: highlight when raised, shadow when sunken.
  bool Sunken() { return PixelAt(10, 10) == GetSysColor(COLOR_BTNSHADOW); }
  bool Raised() { return PixelAt(10, 10) == GetSysColor(COLOR_BTNHIGHLIGHT); }
  void Mouse(UINT msg, int x, int y) {
    SendMessageW(form->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
  TForm* form = nullptr;
  TCustomEdGraphicButton* button = nullptr;
  int clicks = 0;
};

TEST_F(GraphicButtonTest, PressTrackAndReleaseInsideClickOnce) {
  ASSERT_TRUE(Raised());
  Mouse(WM_LBUTTONDOWN, 15, 15);
  EXPECT_TRUE(Sunken());
  Mouse(WM_MOUSEMOVE, 100, 80);  // out while held
  EXPECT_TRUE(Raised());
  Mouse(WM_MOUSEMOVE, 20, 20);  // back in
  EXPECT_TRUE(Sunken());
  Mouse(WM_LBUTTONUP, 20, 20);
  EXPECT_TRUE(Raised());
  EXPECT_EQ(clicks, 1);
}

TEST_F(GraphicButtonTest, ReleaseOutsideOrLostCaptureGivesNoClick) {
  Mouse(WM_LBUTTONDOWN, 15, 15);
  Mouse(WM_LBUTTONUP, 150, 80);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(Raised());

  Mouse(WM_LBUTTONDOWN, 15, 15);
  ASSERT_TRUE(Sunken());
  HWND thief = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetCapture(thief);
  EXPECT_FALSE(button->Tracking());
  EXPECT_TRUE(Raised());
  ReleaseCapture();
  DestroyWindow(thief);
  Mouse(WM_LBUTTONUP, 15, 15);
  EXPECT_EQ(clicks, 0);
}

TEST_F(GraphicButtonTest, DisabledButtonIgnoresTheMouseAndEmbossesItsGlyph) {
  TBitmap glyph;
  glyph.SetSize(6, 5);
  RECT all{0, 0, 6, 5}, dot{2, 1, 4, 3};
  FillRect(glyph.Canvas().Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(glyph.Canvas().Handle(), &dot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  button->SetGlyph(glyph);
  // Glyph at ((20-6)/2, (17-5)/2) = (7, 6) inside the button.
  EXPECT_EQ(PixelAt(10 + 7 + 2, 10 + 6 + 1), RGB(0, 0, 0));
  button->SetEnabled(false);
  Mouse(WM_LBUTTONDOWN, 15, 15);
  Mouse(WM_LBUTTONUP, 15, 15);
  EXPECT_EQ(clicks, 0);
  // Shadow where the picture is, highlight one pixel right and down of it.
  EXPECT_EQ(PixelAt(10 + 7 + 2, 10 + 6 + 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelAt(10 + 7 + 4, 10 + 6 + 3), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(GraphicButtonTest, LatchingClicksToggleDownAndLineBorderFollowsThePress) {
  button->SetAllowLatching(true);
  Mouse(WM_LBUTTONDOWN, 15, 15);
  Mouse(WM_LBUTTONUP, 15, 15);
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(button->State(), ebsExclusive);
  EXPECT_TRUE(Sunken());  // stays in after the release
  Mouse(WM_LBUTTONDOWN, 15, 15);
  Mouse(WM_LBUTTONUP, 15, 15);
  EXPECT_FALSE(button->Down());
  EXPECT_TRUE(Raised());
  EXPECT_EQ(clicks, 2);

  button->SetLineBorder(true);
  button->SetLineBorderActiveColor(clLime);
  button->SetLineBorderInactiveColor(clRed);
  button->SetLineBorderPressedColor(clBlue);
  EXPECT_EQ(PixelAt(10, 10), RGB(0, 255, 0));  // still hot from the release
  button->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(PixelAt(10, 10), RGB(255, 0, 0));
  Mouse(WM_LBUTTONDOWN, 15, 15);
  EXPECT_EQ(PixelAt(10, 10), RGB(0, 0, 255));
  Mouse(WM_LBUTTONUP, 15, 15);
}

// A press on the arrow strip drops the pull-down menu below the button (read from the menu's own
// window while it is up); the button is up again once the menu closes.
TEST_F(GraphicButtonTest, TheArrowDropsThePullDownMenuBelowTheButton) {
  auto* menu = new TPopupMenu(nullptr);
  menu->Add("Item");
  button->SetBounds(10, 10, 40, 17);
  button->SetShowArrow(true);
  button->SetPullDownMenu(menu);
  int arrows = 0;
  button->OnArrowClick = [&](TObject*) { ++arrows; };
  form->Show();
  TEdButtonState stateWhileOpen = ebsUp;
  const RECT menuAt = MenuShownBy([&] { Mouse(WM_LBUTTONDOWN, 45, 15); },
                                  [&] { stateWhileOpen = button->State(); });
  const POINT below = button->ClientToScreen(POINT{0, 17});
  EXPECT_EQ(menuAt.left, below.x);
  EXPECT_EQ(menuAt.top, below.y);
  EXPECT_EQ(stateWhileOpen, ebsDropped);
  EXPECT_EQ(button->State(), ebsUp);
  EXPECT_FALSE(button->Tracking());
  EXPECT_EQ(arrows, 1);
  EXPECT_EQ(clicks, 0);
  delete menu;  // forgotten when freed
  EXPECT_EQ(button->PullDownMenu(), nullptr);
}

// The menu opens where PopupPlace says: right of the button at its top, or above it.
TEST_F(GraphicButtonTest, ThePullDownMenuOpensRightOfOrAboveTheButton) {
  TPopupMenu menu(nullptr);
  menu.Add("Item");
  form->SetTop(300);
  button->SetBounds(10, 60, 40, 17);
  button->SetShowArrow(true);
  button->SetPullDownMenu(&menu);
  form->Show();
  button->SetPopupPlace(ppRight);
  RECT menuAt = MenuShownBy([&] { Mouse(WM_LBUTTONDOWN, 45, 65); });
  const POINT topRight = button->ClientToScreen(POINT{40, 0});
  EXPECT_EQ(menuAt.left, topRight.x);
  EXPECT_EQ(menuAt.top, topRight.y);
  button->SetPopupPlace(ppTop);
  menuAt = MenuShownBy([&] { Mouse(WM_LBUTTONDOWN, 45, 65); });
  const POINT topLeft = button->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(menuAt.left, topLeft.x);
  EXPECT_EQ(menuAt.bottom, topLeft.y);
  EXPECT_EQ(button->State(), ebsUp);
  button->SetPullDownMenu(nullptr);
}

TEST(GraphicButtonModal, AClickGivesTheFormItsModalResult) {
  TForm* dialog = NewPlainForm();
  auto* button = new TCustomEdGraphicButton(dialog);
  button->SetBounds(10, 10, 20, 17);
  button->SetModalResult(mrOk);
  button->SetParent(dialog);
  dialog->HandleNeeded();
  PostMessageW(dialog->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
  PostMessageW(dialog->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  delete dialog;
}

TEST(GraphicButtonLayout, GlyphCentredAndShrunkToFit) {
  TEdGlyphPlacement p = PlaceGlyphAndCaption({0, 0, 20, 17}, {13, 12}, {0, 0}, eblGlyphLeft, -1, 4);
  EXPECT_EQ(p.glyph.left, 3);
  EXPECT_EQ(p.glyph.top, 2);
  p = PlaceGlyphAndCaption({0, 0, 40, 10}, {16, 16}, {0, 0}, eblGlyphLeft, -1, 4);
  EXPECT_EQ(p.glyph.bottom - p.glyph.top, 8);  // 2 less than the content height
}

TEST(GraphicButtonColors, FrameColoursFollowTheFaceLuminance) {
  const TEdHls face = RGBToHls(RGB(231, 231, 218));
  const TEdFrameColors c = FrameColorsFor(RGB(231, 231, 218));
  EXPECT_GT(RGBToHls(c.highlight).l, face.l);
  EXPECT_LT(RGBToHls(c.shadow).l, face.l);
  EXPECT_LT(RGBToHls(c.darkShadow).l, RGBToHls(c.shadow).l);
  EXPECT_EQ(FrameColorsFor(clBtnFace).shadow, GetSysColor(COLOR_BTNSHADOW));
}
}  // namespace

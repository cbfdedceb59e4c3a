// A repaint of the whole window shows children whose look did not change from their kept
// pictures, without their painting again; whatever changed, or lies under a change, paints anew.
#include <gtest/gtest.h>
#include "tests/support/plain_form.h"

namespace {
int gPaints = 0;  // every paint of a counted control, form's children and form alike

// A windowed child in one colour, or showing its parent's picture through itself.
class TCountedPanel : public TCustomControl {
public:
  TCountedPanel(TComponent* owner, TColor color, bool seeThrough = false)
      : TCustomControl(owner), seeThrough_(seeThrough) { SetColor(color); }
  int paints = 0;
protected:
  void Paint() override {
    ++paints, ++gPaints;
    HDC dc = Canvas().Handle();
    if (!seeThrough_) return Canvas().FillRect(ClientRect());
    POINT origin;
    OffsetViewportOrgEx(dc, -Left(), -Top(), &origin);
    Parent()->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
private:
  bool seeThrough_;
};

class TCountedSwatch : public TGraphicControl {
public:
  TCountedSwatch(TComponent* owner, TColor color) : TGraphicControl(owner) { SetColor(color); }
  int paints = 0;
protected:
  void Paint() override {
    ++paints, ++gPaints;
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(RECT{0, 0, Width(), Height()});
  }
};

class KeptPictureTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = NewPlainForm();
    swatch = Add(new TCountedSwatch(form, clYellow), 0, 0, 100, 100);
    red = Add(new TCountedPanel(form, clRed), 110, 10, 30, 30);
    window = Add(new TCountedPanel(form, clBlack, true), 50, 10, 30, 30);
    ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(form->Handle());
  }
  void TearDown() override { delete form; }
  template <typename T> T* Add(T* control, int left, int top, int width, int height) {
    control->SetBounds(left, top, width, height);
    control->SetParent(form);
    return control;
  }
  // Paints counted over one repaint of everything, as when the window is uncovered.
  int PaintsOfAFullRepaint() {
    const int before = gPaints;
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return gPaints - before;
  }
  COLORREF OnScreen(int x, int y) {
    HDC dc = GetDC(form->Handle());
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(form->Handle(), dc);
    return color;
  }
  TForm* form = nullptr;
  TCountedSwatch* swatch = nullptr;
  TCountedPanel *red = nullptr, *window = nullptr;
};

TEST_F(KeptPictureTest, AFullRepaintWithNothingChangedPaintsNothingAndShowsEverything) {
  ASSERT_EQ(red->paints, 1);
  EXPECT_EQ(PaintsOfAFullRepaint(), 0);
  EXPECT_EQ(PaintsOfAFullRepaint(), 0);
  EXPECT_EQ(OnScreen(120, 20), RGB(255, 0, 0));
  EXPECT_EQ(OnScreen(60, 20), RGB(255, 255, 0));  // the swatch, seen through the window
  EXPECT_EQ(OnScreen(150, 50), RGB(255, 255, 255));
}

TEST_F(KeptPictureTest, WhatChangedAndWhatShowsItPaintAgainTheRestIsCopied) {
  red->SetColor(clLime);
  UpdateWindow(form->Handle());
  EXPECT_EQ(red->paints, 2);
  EXPECT_EQ(OnScreen(120, 20), RGB(0, 255, 0));
  // The swatch under the see-through window: the form and that window paint again, the other not.
  swatch->SetColor(clBlue);
  EXPECT_EQ(PaintsOfAFullRepaint(), 2);
  EXPECT_EQ(swatch->paints, 2);
  EXPECT_EQ(window->paints, 2);
  EXPECT_EQ(OnScreen(60, 20), RGB(0, 0, 255));
  EXPECT_EQ(OnScreen(120, 20), RGB(0, 255, 0));
  EXPECT_EQ(PaintsOfAFullRepaint(), 0);
}

TEST_F(KeptPictureTest, AMovedChildShowsAtItsNewPlaceWithWhatLiesThereAndLeavesNothingBehind) {
  EXPECT_EQ(PaintsOfAFullRepaint(), 0);
  red->SetBounds(150, 50, 30, 30);
  window->SetBounds(110, 10, 30, 30);  // off the yellow swatch, onto the white form
  UpdateWindow(form->Handle());
  EXPECT_EQ(OnScreen(160, 60), RGB(255, 0, 0));
  EXPECT_EQ(OnScreen(120, 20), RGB(255, 255, 255));
  EXPECT_EQ(OnScreen(60, 20), RGB(255, 255, 0));
  EXPECT_EQ(PaintsOfAFullRepaint(), 0);
  EXPECT_EQ(OnScreen(120, 20), RGB(255, 255, 255));
}

TEST_F(KeptPictureTest, WhatChangedWhileTheWindowWasHiddenShowsWhenItIsShownAgain) {
  ShowWindow(form->Handle(), SW_HIDE);
  swatch->SetColor(clBlue);
  swatch->SetBounds(0, 50, 100, 50);
  ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(form->Handle());
  EXPECT_EQ(OnScreen(20, 70), RGB(0, 0, 255));
  EXPECT_EQ(OnScreen(20, 20), RGB(255, 255, 255));
}

TEST_F(KeptPictureTest, AChildWithAFrameStillHasItDrawnByTheSystem) {
  HWND child = red->Handle();
  SetWindowLongPtrW(child, GWL_STYLE, GetWindowLongPtrW(child, GWL_STYLE) | WS_BORDER);
  SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetWindowDC(child);
  EXPECT_EQ(GetPixel(dc, 0, 15), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(GetPixel(dc, 15, 15), RGB(255, 0, 0));
  ReleaseDC(child, dc);
}

TEST(KeptPictureFirstPaint, BufferedChildrenPaintWithTheFormThoseThatPaintDirectlyOnTheirOwn) {
  TForm* form = NewPlainForm();
  auto* buffered = new TCountedPanel(form, clRed);
  auto* direct = new TCountedPanel(form, clBlue);
  direct->SetDoubleBuffered(false);
  buffered->SetBounds(10, 10, 30, 30);
  direct->SetBounds(50, 10, 30, 30);
  buffered->SetParent(form);
  direct->SetParent(form);
  ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);  // the form's paint only
  EXPECT_EQ(buffered->paints, 1);
  EXPECT_FALSE(GetUpdateRect(buffered->Handle(), nullptr, FALSE));
  EXPECT_EQ(direct->paints, 0);
  UpdateWindow(form->Handle());
  EXPECT_EQ(buffered->paints, 1);
  EXPECT_EQ(direct->paints, 1);
  delete form;
}

}  // namespace

// What the labels and the group box leave in a DIB: the title strip, both frame looks with their
// caption band, an empty caption, a transparent label over its parent, the disabled looks.
#include "tests/controls/labels/label_fixture.h"
#include "controls/labels/group_box.h"
#include "controls/labels/label.h"

namespace {
const COLORREF kWhite = RGB(255, 255, 255), kBlue = RGB(0, 0, 255), kBand = RGB(255, 255, 200);
COLORREF Sys(int index) { return GetSysColor(index); }

// The main window's title strip, set up as its description does.
TOmLabel* TitleStrip(TForm* form) {
  auto* label = new TOmLabel(form);
  label->SetParent(form);
  label->Constraints()->SetMinWidth(460); label->Constraints()->SetMaxWidth(460);
  label->Constraints()->SetMinHeight(25); label->Constraints()->SetMaxHeight(25);
  TOmBevel* bevel = label->Bevel();
  bevel->SetMode(bmStandard);
  bevel->SetStandardStyle(lsSingle);
  bevel->SetBorderColor(clWhite);
  bevel->SetBorderWidth(1);
  bevel->SetBorderInnerWidth(3);
  label->SetColor(clWhite);
  label->SetTransparent(false);
  label->SetAlignment(agCenter);
  label->SetMultiLine(true);
  label->Font()->SetHeight(-9);
  label->Font()->SetName("Verdana");
  label->Font()->SetColor(clBlack);
  label->SetCaption("This application has been designed to analyze and repair the FS9 registry entry");
  return label;
}

class TBox : public TOmGroupBox {
public:
  using TOmGroupBox::TOmGroupBox;
  bool noTheme = false;
protected:
  TThemeData OpenTheme(const wchar_t* classList) override {
    return noTheme ? TThemeData() : TOmGroupBox::OpenTheme(classList);
  }
};

TBox* Box(TForm* form, const std::string& caption) {
  auto* box = new TBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 200, 60);
  box->SetColor(kBand);
  box->CaptionFont()->SetColor(clBlue);
  box->Bevel()->SetMode(bmWindows);
  box->SetCaption(caption);
  return box;
}
}  // namespace

using LabelPictures = LabelTest;

TEST_F(LabelPictures, TitleStripDrawsItsSingleLineFrameAndKeepsTheTextInside) {
  TOmLabel* label = TitleStrip(form);
  ASSERT_EQ(label->Width(), 460);
  ASSERT_EQ(label->Height(), 25);
  TDib dib(460, 25, RGB(0, 128, 0));
  label->PaintOn(dib.DC());
  for (POINT p : {POINT{200, 0}, POINT{0, 12}}) {  // sunken line at the top and left
    EXPECT_NE(dib.At(p.x, p.y), kWhite);
    EXPECT_NE(dib.At(p.x, p.y), RGB(0, 128, 0));
  }
  EXPECT_NE(dib.At(200, 24), kWhite);                // raised line at the bottom and right
  EXPECT_NE(dib.At(459, 12), kWhite);
  for (int ring = 1; ring <= 3; ++ring) EXPECT_EQ(dib.At(ring, 12), kWhite);  // skipped rings show the fill
  const RECT text = NearBounds(dib, RGB(0, 0, 0), RECT{1, 1, 459, 24});
  ASSERT_NE(text.right, 0);
  EXPECT_GE(text.left, 4);
  EXPECT_GE(text.top, 4);
  EXPECT_LE(text.right, 457);
  EXPECT_LE(text.bottom, 22);
  EXPECT_LE(std::abs((text.left - 4) - (457 - text.right)), 5);  // centred
}

TEST_F(LabelPictures, ClassicGroupBoxCutsItsCaptionBandIntoTheEtchedFrame) {
  SetThemesWanted(false);
  TBox* box = Box(form, "FS9 Path:");
  TDib dib(200, 60);
  Print(*box, dib);
  const int d = box->BandHeight() / 2 - 1;
  EXPECT_EQ(dib.At(0, 40), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(dib.At(1, 40), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(dib.At(190, d), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(dib.At(3, d), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(dib.At(100, 30), kBand);
  const RECT caption = NearBounds(dib, kBlue);
  ASSERT_NE(caption.right, 0);
  EXPECT_GE(caption.left, 8);
  EXPECT_LE(caption.bottom, box->BandHeight());
  for (int x = 6; x < caption.right; ++x) EXPECT_NE(dib.At(x, d), Sys(COLOR_BTNSHADOW)) << x;  // the band
  EXPECT_EQ(dib.At(6, d), kBand);
}

TEST_F(LabelPictures, ThemedGroupBoxKeepsTheBandAndFallsBackToClassicWithoutThemeData) {
  if (!ThemesInUse()) GTEST_SKIP() << "the prefix has no active theme";
  TBox* box = Box(form, "FS9 Path:");
  TDib classic(200, 60), themed(200, 60), fallback(200, 60);
  SetThemesWanted(false);
  Print(*box, classic);
  SetThemesWanted(true);
  Print(*box, themed);
  EXPECT_FALSE(themed.SameAs(classic));
  const int d = box->BandHeight() / 2 - 1;
  EXPECT_EQ(themed.At(7, d), kBand);
  EXPECT_NE(NearBounds(themed, kBlue).right, 0);
  box->noTheme = true;  // the system gives no theme data: the classic frame stands in
  box->Invalidate();
  Print(*box, fallback);
  EXPECT_TRUE(fallback.SameAs(classic));
}

TEST_F(LabelPictures, EmptyOrBlankCaptionFramesTheWholeBox) {
  SetThemesWanted(false);
  for (const char* caption : {"", "   "}) {
    TBox* box = Box(form, caption);
    TDib dib(200, 60);
    Print(*box, dib);
    EXPECT_EQ(dib.At(100, 0), Sys(COLOR_BTNSHADOW)) << '"' << caption << '"';
    EXPECT_EQ(dib.At(10, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(NearBounds(dib, kBlue).right, 0);
    delete box;
  }
}

TEST_F(LabelPictures, TransparentLabelLeavesTheParentBetweenItsLetters) {
  auto* label = new TOmLabel(form);
  label->SetParent(form);
  label->SetParentColor(false);
  label->SetColor(clWhite);  // must not be painted
  label->Font()->SetColor(clBlack);
  label->SetCaption("Transparent");
  label->SetBounds(10, 10, label->Width(), label->Height());
  TDib dib(300, 200);
  Print(*form, dib);
  const RECT inside{10, 10, 10 + label->Width(), 10 + label->Height()};
  EXPECT_NE(NearBounds(dib, RGB(0, 0, 0), inside).right, 0);
  EXPECT_EQ(NearBounds(dib, kWhite, inside).right, 0);
  EXPECT_EQ(dib.At(inside.left + 1, inside.bottom - 1), RGB(0, 128, 0));
}

TEST_F(LabelPictures, DisabledLabelAndCaptionTurnGray) {
  SetThemesWanted(false);
  TOmLabel* label = TitleStrip(form);
  TBox* box = Box(form, "Caption");
  label->SetEnabled(false);
  box->SetEnabled(false);
  TDib strip(460, 25), frame(200, 60);
  label->PaintOn(strip.DC());
  Print(*box, frame);
  const COLORREF gray = Sys(COLOR_GRAYTEXT);
  EXPECT_NE(strip.Count(gray), 0);
  EXPECT_EQ(NearBounds(strip, RGB(0, 0, 0), RECT{4, 4, 457, 22}).right, 0);
  EXPECT_NE(frame.Count(gray), 0);
  EXPECT_EQ(NearBounds(frame, kBlue).right, 0);
}

// Right to left: labels and group boxes take the form's mode unless given their own; a mirrored
// alignment puts the text at the right, reading-only modes keep it at the left.
TEST_F(LabelPictures, RightToLeftCaptionsSitAtTheRightAndFollowTheirParent) {
  SetThemesWanted(false);
  auto label = [&](TBiDiMode* own) {
    auto* l = new TOmLabel(form);
    l->SetParent(form);
    l->SetAutoSize(false);
    l->SetBounds(0, 0, 200, 20);
    l->SetTransparent(false);
    l->SetColor(clWhite);
    l->Font()->SetColor(clBlack);
    l->SetCaption("Hi");
    if (own) l->SetBiDiMode(*own);
    return l;
  };
  TBiDiMode readingOnly = bdRightToLeftNoAlign;
  TOmLabel* follows = label(nullptr);
  TOmLabel* keeps = label(&readingOnly);
  TBox* box = Box(form, "Caption");
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(follows->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(keeps->BiDiMode(), bdRightToLeftNoAlign);
  EXPECT_EQ(follows->DrawTextBiDiModeFlags(DT_RIGHT), UINT(DT_RTLREADING));
  TDib right(200, 20), left(200, 20), frame(200, 60);
  follows->PaintOn(right.DC());
  keeps->PaintOn(left.DC());
  Print(*box, frame);
  EXPECT_GT(NearBounds(right, RGB(0, 0, 0)).left, 150);
  EXPECT_LT(NearBounds(left, RGB(0, 0, 0)).right, 50);
  EXPECT_GT(NearBounds(frame, kBlue).left, 100);
  follows->SetParentBiDiMode(false);
  form->SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(follows->BiDiMode(), bdRightToLeft);
}

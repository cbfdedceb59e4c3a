// Caption effects by the bounding boxes of exact-colour pixels, the records' notifications,
// and the context handed back as it came.
#include <gtest/gtest.h>
#include <memory>
#include "controls/drawing/bevel.h"
#include "controls/drawing/fx_caption.h"
#include "framework/themes.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_count.h"

namespace {
const COLORREF kBack = RGB(0, 100, 0), kText = RGB(0, 0, 0);
const COLORREF kLight = GetSysColor(COLOR_BTNHIGHLIGHT), kGray = GetSysColor(COLOR_GRAYTEXT);

void SetUpFont(TFont& font) {
  font.SetName("Arial");
  font.SetHeight(-20);
  font.SetQuality(fqNonAntialiased);  // exact colours, no blended edges
  font.SetColor(clBlack);
}

// The caption drawn alone on a fresh bitmap.
std::unique_ptr<TDib> Draw(const TOm3DCaption* caption, TOmTextDrawFlags flags) {
  auto dib = std::make_unique<TDib>(120, 48, kBack);
  TCanvas canvas(dib->DC());
  SetUpFont(canvas.Font());
  OmDrawEffectText(canvas, "Hg", caption, nullptr, flags, DT_SINGLELINE, RECT{4, 4, 116, 44});
  return dib;
}

RECT Grown(RECT r, int left, int right) { return {r.left + left, r.top + left, r.right + right, r.bottom + right}; }
}  // namespace

TEST(CaptionEffects, CopiesLandWhereTheirStyleSaysAgainstThePlainCaption) {
  const RECT plain = Draw(nullptr, {dfEnabled})->BoundsOf(kText);
  ASSERT_FALSE(IsRectEmpty(&plain));
  TOm3DCaption caption;
  EXPECT_EQ(Draw(&caption, {dfEnabled})->BoundsOf(kText), plain);
  caption.SetStyle(tdRaised);  // light copy in place, text one pixel down and right
  auto dib = Draw(&caption, {dfEnabled});
  EXPECT_EQ(dib->BoundsOf(kText), Grown(plain, 1, 1));
  EXPECT_EQ(dib->BoundsOf(kLight).left, plain.left);
  caption.SetStyle(tdSunken);  // light copy one pixel down and right, text in place
  dib = Draw(&caption, {dfEnabled});
  EXPECT_EQ(dib->BoundsOf(kText), plain);
  EXPECT_EQ(dib->BoundsOf(kLight).right, plain.right + 1);
  caption.SetStyle(tdShadow);
  caption.SetShadowDepth(3);
  caption.SetShadowColor(clRed);
  dib = Draw(&caption, {dfEnabled});
  EXPECT_EQ(dib->BoundsOf(kText), plain);
  EXPECT_EQ(dib->BoundsOf(RGB(255, 0, 0)).bottom, plain.bottom + 3);
  caption.SetStyle(tdExtrude);  // depth 1: the one copy lies under the text
  caption.SetShadowDepth(1);
  dib = Draw(&caption, {dfEnabled});
  EXPECT_EQ(dib->BoundsOf(kText), Grown(plain, 1, 1));
  EXPECT_EQ(dib->Count(RGB(255, 0, 0)), 0);

  caption.SetStyle(tdNone);  // a label's disabled look: grey, style kept
  dib = Draw(&caption, {dfDisabled});
  EXPECT_EQ(dib->BoundsOf(kGray), plain);
  EXPECT_EQ(dib->Count(kLight), 0);
  dib = Draw(&caption, {dfDisabled, dfAutoSunken});  // a button's: sunken
  EXPECT_EQ(dib->BoundsOf(kGray), plain);
  EXPECT_EQ(dib->BoundsOf(kLight).bottom, plain.bottom + 1);
  caption.SetDisabledStyle(dsNone);
  EXPECT_EQ(Draw(&caption, {dfDisabled, dfAutoSunken})->BoundsOf(kText), plain);
}

TEST(CaptionEffects, RotatedCaptionStaysInsideTheRectangleItWasMeasuredFor) {
  TOmFxCaption caption;
  caption.SetAngle(90);
  caption.SetStyle(tdShadow);
  TFont font;
  SetUpFont(font);
  ASSERT_TRUE(OmIsTrueTypeFont(font));  // works outside a paint, on a screen context
  RECT ink{};
  for (const char* text : {"&", "Hg"}) {  // a lone "&" is drawn as it is, so measured so
    RECT place{0, 0, 0, 0};
    OmMeasureEffectText(nullptr, text, &caption, place, DT_SINGLELINE, 0, true, false, font);
    OffsetRect(&place, 30, 20);
    TDib dib(120, 120, kBack);
    TCanvas canvas(dib.DC());
    canvas.Font().Assign(font);
    OmDrawEffectText(canvas, text, &caption, nullptr, {dfEnabled}, DT_SINGLELINE, place);
    RECT both;
    ink = dib.BoundsOf(kText);
    UnionRect(&both, &ink, &place);
    EXPECT_EQ(both, place) << text << ": ink " << ink;
  }
  EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);  // on its side
}

TEST(CaptionPlacement, NineAlignmentsAndTheMeasuredBlock) {
  const RECT size{0, 0, 20, 10}, bounds{5, 5, 105, 56};
  for (int a = agTopLeft; a <= agBottomRight; ++a) {
    RECT placed;
    OmAlignBlock(TOmAlignment(a), size, bounds, placed);
    const int x = 5 + (a % 3) * 40, y = 5 + (a / 3) * 41 / 2;  // spare room 80 x 41
    EXPECT_EQ(placed, (RECT{x, y, x + 20, y + 10})) << "alignment " << a;
  }
  RECT placed;
  OmAlignBlock(agCenter, RECT{0, 0, 30, 30}, RECT{0, 0, 10, 10}, placed);
  EXPECT_EQ(placed, (RECT{-10, -10, 20, 20}));

  TFont font;
  SetUpFont(font);
  TScreenCanvas screen;
  screen.Font().Assign(font);
  const SIZE text = screen.TextExtent("Hg");
  OmPlaceEffectText(agBottomRight, "Hg", nullptr, placed, DT_SINGLELINE, true, false, font, bounds);
  EXPECT_EQ(placed, (RECT{105 - text.cx - 2, 56 - text.cy - 2, 105, 56}));
  RECT blank{0, 0, 0, 0};
  OmMeasureEffectText(nullptr, "", nullptr, blank, 0, 0, true, false, font);
  EXPECT_EQ(blank.bottom, screen.TextHeight(" ") + 2);
}

TEST(CaptionDC, ContextComesBackAsItWasAndTheCallersClipStillHolds) {
  TDib dib(120, 48, kBack);
  HDC dc = dib.DC();
  TCanvas canvas(dc);
  SetUpFont(canvas.Font());
  canvas.RealizeFont();
  HRGN callerClip = CreateRectRgn(60, 0, 120, 48);  // the caller paints the right half only
  SelectClipRgn(dc, callerClip);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), pen = GetCurrentObject(dc, OBJ_PEN),
                brush = GetCurrentObject(dc, OBJ_BRUSH);
  const COLORREF textColor = GetTextColor(dc);
  const int bkMode = GetBkMode(dc);
  const auto unchanged = [&](const char* after) {
    SCOPED_TRACE(after);
    HRGN now = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, now), 1);
    EXPECT_TRUE(EqualRgn(now, callerClip));
    DeleteObject(now);
    EXPECT_EQ(GetTextCharacterExtra(dc), 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetTextColor(dc), textColor);
    EXPECT_EQ(GetBkMode(dc), bkMode);
    EXPECT_EQ(GetPath(dc, nullptr, nullptr, 0), -1);  // no path left open or closed
    EXPECT_EQ(canvas.Font().Color(), clBlack);
  };
  TOmFxCaption caption;
  caption.SetTracing(3);
  for (int angle : {0, 45})
    for (TOmThreeDStyle style : {tdOutline, tdExtrudeEnh, tdRaisedShadow}) {
      caption.SetAngle(angle);
      caption.SetStyle(style);
      OmDrawEffectText(canvas, "Hg", &caption, nullptr, {dfEnabled, dfClip}, DT_SINGLELINE, RECT{0, 0, 120, 48});
      unchanged("effect");
    }
  RECT q{0, 0, 120, 48};
  OmDrawBevelStyle(canvas, q, bvRaised, 3, clWhite, clBlack);
  OmDrawShadowFrame(canvas, q, clWhite, clBlack, clRed, 2, 1, false);
  unchanged("bevel");
  OmMeasureEffectText(&canvas, "Hg", &caption, q, 0, 0, true, false, canvas.Font());
  unchanged("measure");
  int outside = 0;  // the effect's own clip covered the left half: the caller's still held
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 48; ++y) outside += dib.At(x, y) != kBack;
  EXPECT_EQ(outside, 0);
  SelectClipRgn(dc, nullptr);
  DeleteObject(callerClip);
}

namespace {
// A window that paints a bevel and a clipped caption in its own client coordinates.
LRESULT CALLBACK SampleProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PRINTCLIENT) return DefWindowProcW(window, msg, wParam, lParam);
  TCanvas canvas(reinterpret_cast<HDC>(wParam));
  SetUpFont(canvas.Font());
  TOmBevel bevel;
  bevel.SetStyleOuter(bvRaised);
  bevel.SetWidthOuter(2);
  const RECT inner = bevel.PaintBevel(canvas, RECT{0, 0, 60, 30}, false);
  TOm3DCaption caption;
  caption.SetStyle(tdShadow);
  OmDrawEffectText(canvas, "Hg", &caption, nullptr, {dfEnabled, dfClip}, DT_SINGLELINE, inner);
  return 0;
}
}  // namespace

TEST(CaptionDC, PrintClientIntoAnOffsetViewportPaintsTheSamePixelsMoved) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = SampleProc;
  cls.lpszClassName = L"OstriDrawingSample";
  RegisterClassW(&cls);
  HWND window = CreateWindowW(cls.lpszClassName, L"", WS_POPUP, 0, 0, 60, 30, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  TDib direct(100, 60, kBack), offset(100, 60, kBack);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(direct.DC()), PRF_CLIENT);
  SetViewportOrgEx(offset.DC(), 30, 20, nullptr);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(offset.DC()), PRF_CLIENT);
  int wrong = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x)
      wrong += offset.At(x, y) != (x >= 30 && y >= 20 && x < 90 && y < 50 ? direct.At(x - 30, y - 20) : kBack);
  EXPECT_EQ(wrong, 0);
  DestroyWindow(window);
}

TEST(CaptionDC, GdiObjectsStayFlatOverManyRotatedAndThemedPaints) {
  if (!gdi_count::Works()) GTEST_SKIP() << "no way to count GDI objects here";
  HWND window = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 60, 30, nullptr, nullptr, nullptr, nullptr);
  TDib dib(120, 120, kBack);
  TOmFxCaption caption;
  caption.SetStyle(tdExtrudeEnh);
  const auto paint = [&](int i) {
    TCanvas canvas(dib.DC());
    SetUpFont(canvas.Font());
    TThemeData theme(window, L"BUTTON");
    theme.DrawBackground(dib.DC(), 1, 1, RECT{0, 0, 60, 30});
    caption.SetAngle(15 * (i % 24));
    RECT r{0, 0, 0, 0};
    OmMeasureEffectText(&canvas, "Hg", &caption, r, 0, 0, true, false, canvas.Font());
    OmDrawEffectText(canvas, "Hg", &caption, nullptr, {dfEnabled, dfClip}, 0, r);
  };
  paint(0);
  const long before = gdi_count::LiveObjects();
  for (int i = 0; i < 500; ++i) paint(i);
  EXPECT_EQ(gdi_count::LiveObjects(), before);
  DestroyWindow(window);
}

TEST(CaptionRecords, OneChangePerSetterNoneWhileHeldOneOnRelease) {
  TOmFxCaption caption;
  int changes = 0;
  caption.OnChange = [&](TObject*) { ++changes; };
  caption.SetStyle(tdRaised);
  caption.SetStyle(tdRaised);
  caption.SetAngle(360);  // stored as 0: no change
  EXPECT_EQ(changes, 1);
  caption.HoldChanges();
  caption.HoldChanges();
  caption.SetTracing(2);
  caption.SetOrigin(5, 6);  // holds inside, must not end the caller's hold
  caption.SetShadowDepth(4);
  EXPECT_EQ(changes, 1);
  caption.ReleaseChanges(true);  // one release ends both holds
  caption.SetTracing(1);
  EXPECT_EQ(changes, 3);
  caption.SetAngle(90);
  caption.SetAngle(0);  // back to 0: the origin goes with it
  EXPECT_EQ(caption.PosX() + caption.PosY(), 0);
  caption.SetPosX(-5);  // clamped, never wrapped
  EXPECT_EQ(caption.PosX(), 0);

  TOmFxCaption copy;
  copy.OnChange = [&](TObject*) { ++changes; };
  caption.SetAngle(30);
  const int before = changes;
  copy.Assign(caption);
  EXPECT_EQ(changes, before + 1);
  EXPECT_EQ(copy.Angle(), 30);
  EXPECT_THROW(copy.Assign(TOmBevel()), EConvertError);

  TFont font;
  SetUpFont(font);
  caption.SetStyle(tdShadow);
  caption.SetShadowDepth(255);  // a deep effect on small text pushes the origin below 0
  for (int angle = 15; angle < 360; angle += 15) {
    caption.SetAngle(angle);
    const int start = changes;
    for (int pass = 0; pass < 2; ++pass) {
      RECT r{0, 0, 0, 0};
      OmMeasureEffectText(nullptr, "i", &caption, r, 0, 0, true, false, font);
      EXPECT_LE(caption.PosX(), r.right) << angle;
      EXPECT_LE(caption.PosY(), r.bottom) << angle;
    }
    EXPECT_LE(changes - start, 1) << angle;  // measuring twice notifies at most once
  }
}

TEST(CaptionHelpers, BlendRotatedBoundsLineHeightAndTheRotatableFace) {
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_NEAR(int(GetRValue(OmBlendColor(clBtnShadow, clWhite, 1, 2))), (GetRValue(shadow) + 255) / 2, 1);
  EXPECT_EQ(OmBlendColor(clBtnShadow, clWhite, 1, 0), shadow);
  EXPECT_EQ(OmBlendColor(RGB(0, 0, 0), RGB(1, 3, 0), 1, 2), RGB(0, 2, 0));  // ties to even
  RECT r{0, 0, 40, 10};
  OmRotatedBounds(r, 90);
  EXPECT_EQ(r, (RECT{0, 0, 10, 40}));
  TOm3DCaption caption;
  caption.SetStyle(tdSunkenShadow);
  caption.SetShadowDepth(2);
  TFont font;
  SetUpFont(font);
  TScreenCanvas screen;
  screen.Font().Assign(font);
  EXPECT_EQ(OmCaptionLineHeight(&caption, font), screen.TextHeight("W") + 3);
  font.SetName("Courier");  // Wine maps every face to a TrueType one: the test is replaced
  OmSetTrueTypeTest([](const TFont& f) { return f.Name() == kOmRotatableFace; });
  EXPECT_TRUE(OmMakeRotatable(font));
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_FALSE(OmMakeRotatable(font));
  OmSetTrueTypeTest(nullptr);
}

// Caption effects by the bounding boxes of exact-colour pixels, the records' notifications,
// and the context handed back as it came.
#include <gtest/gtest.h>
#include <memory>
#include "controls/drawing/bevel.h"
#include "controls/drawing/fx_caption.h"
#include "framework/themes.h"
#include "tests/controls/drawing/dib.h"
#include "tests/support/gdi_count.h"

namespace {
const COLORREF kBack = RGB(0, 100, 0);
const RECT kArea{4, 4, 116, 44};

void SetUpFont(TFont& font) {
  font.SetName("Arial");
  font.SetHeight(-20);
  font.SetQuality(fqNonAntialiased);  // exact colours, no blended edges
  font.SetColor(clBlack);
}

// The caption drawn alone on a fresh bitmap.
std::unique_ptr<TDib> Draw(const TOm3DCaption* caption, TOmTextDrawFlags flags, const char* text = "Hg") {
  auto dib = std::make_unique<TDib>(120, 48, kBack);
  TCanvas canvas(dib->DC());
  SetUpFont(canvas.Font());
  OmDrawEffectText(canvas, text, caption, nullptr, flags, DT_LEFT | DT_TOP | DT_SINGLELINE, kArea);
  return dib;
}

RECT Shifted(RECT r, int by) { OffsetRect(&r, by, by); return r; }
const COLORREF kText = RGB(0, 0, 0);
COLORREF Sys(int index) { return GetSysColor(index); }
}  // namespace

TEST(CaptionEffects, EffectsPlaceTheirCopiesAgainstThePlainCaption) {
  const RECT plain = Draw(nullptr, {dfEnabled})->BoundsOf(kText);
  ASSERT_FALSE(IsRectEmpty(&plain));
  TOm3DCaption caption;
  EXPECT_EQ(Draw(&caption, {dfEnabled})->BoundsOf(kText), plain);  // tdNone

  caption.SetStyle(tdRaised);  // light copy in place, text one pixel down and right
  auto raised = Draw(&caption, {dfEnabled});
  EXPECT_EQ(raised->BoundsOf(kText), Shifted(plain, 1));
  EXPECT_EQ(raised->BoundsOf(Sys(COLOR_BTNHIGHLIGHT)).left, plain.left);
  EXPECT_EQ(raised->BoundsOf(Sys(COLOR_BTNHIGHLIGHT)).top, plain.top);

  caption.SetStyle(tdSunken);  // light copy one pixel down and right, text in place
  auto sunken = Draw(&caption, {dfEnabled});
  EXPECT_EQ(sunken->BoundsOf(kText), plain);
  EXPECT_EQ(sunken->BoundsOf(Sys(COLOR_BTNHIGHLIGHT)).right, plain.right + 1);
  EXPECT_EQ(sunken->BoundsOf(Sys(COLOR_BTNHIGHLIGHT)).bottom, plain.bottom + 1);

  caption.SetStyle(tdShadow);
  caption.SetShadowDepth(3);
  caption.SetShadowColor(clRed);
  auto shadow = Draw(&caption, {dfEnabled});
  EXPECT_EQ(shadow->BoundsOf(kText), plain);
  const RECT shade = shadow->BoundsOf(RGB(255, 0, 0));
  EXPECT_EQ(shade.right, plain.right + 3);
  EXPECT_EQ(shade.bottom, plain.bottom + 3);

  caption.SetStyle(tdExtrude);  // depth 1: the one copy lies under the text
  caption.SetShadowDepth(1);
  auto extruded = Draw(&caption, {dfEnabled});
  EXPECT_EQ(extruded->BoundsOf(kText), Shifted(plain, 1));
  EXPECT_EQ(extruded->Count(RGB(255, 0, 0)), 0);

  caption.SetStyle(tdOutline);
  caption.SetShadowDepth(2);
  auto outline = Draw(&caption, {dfEnabled});
  EXPECT_GT(outline->Count(kText), 0);
}

TEST(CaptionEffects, DisabledLookIsGreyAndSunkenOnlyWhenAsked) {
  const RECT plain = Draw(nullptr, {dfEnabled})->BoundsOf(kText);
  TOm3DCaption caption;
  auto label = Draw(&caption, {dfDisabled});  // no dfAutoSunken: style kept, grey text
  EXPECT_EQ(label->BoundsOf(Sys(COLOR_GRAYTEXT)), plain);
  EXPECT_EQ(label->Count(Sys(COLOR_BTNHIGHLIGHT)), 0);

  auto button = Draw(&caption, {dfDisabled, dfAutoSunken});
  EXPECT_EQ(button->BoundsOf(Sys(COLOR_GRAYTEXT)), plain);
  const RECT light = button->BoundsOf(Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(light.right, plain.right + 1);
  EXPECT_EQ(light.bottom, plain.bottom + 1);

  caption.SetDisabledStyle(dsNone);  // drawn as if enabled
  EXPECT_EQ(Draw(&caption, {dfDisabled, dfAutoSunken})->BoundsOf(kText), plain);
}

TEST(CaptionEffects, RotatedCaptionStaysInsideTheRectangleItWasMeasuredFor) {
  TOmFxCaption caption;
  caption.SetAngle(90);
  TFont font;
  SetUpFont(font);
  ASSERT_TRUE(OmIsTrueTypeFont(font));  // works outside a paint, on a screen context
  RECT size{0, 0, 0, 0};
  OmMeasureEffectText(nullptr, "Hg", &caption, size, DT_SINGLELINE, 0, true, false, font);
  EXPECT_GT(size.bottom, size.right);  // turned on its side
  TDib dib(120, 120, kBack);
  TCanvas canvas(dib.DC());
  canvas.Font().Assign(font);
  RECT place = size;
  OffsetRect(&place, 30, 20);
  OmDrawEffectText(canvas, "Hg", &caption, nullptr, {dfEnabled}, DT_SINGLELINE, place);
  const RECT ink = dib.BoundsOf(kText);
  ASSERT_FALSE(IsRectEmpty(&ink));
  RECT both;
  UnionRect(&both, &ink, &place);
  EXPECT_EQ(both, place) << "ink " << ink << " outside " << place;
  EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
}

TEST(CaptionPlacement, NineAlignmentsAndTheMeasuredBlock) {
  const RECT size{0, 0, 20, 10}, bounds{5, 5, 105, 56};
  const RECT expected[] = {{5, 5, 25, 15},   {45, 5, 65, 15},   {85, 5, 105, 15},
                           {5, 25, 25, 35},  {45, 25, 65, 35},  {85, 25, 105, 35},
                           {5, 46, 25, 56},  {45, 46, 65, 56},  {85, 46, 105, 56}};
  for (int a = agTopLeft; a <= agBottomRight; ++a) {
    RECT placed;
    OmAlignBlock(TOmAlignment(a), size, bounds, placed);
    EXPECT_EQ(placed, expected[a]) << "alignment " << a;
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
  RECT empty{0, 0, 0, 0};  // an empty caption measures one blank line plus 2
  OmMeasureEffectText(nullptr, "", nullptr, empty, 0, 0, true, false, font);
  EXPECT_EQ(empty.bottom, screen.TextHeight(" ") + 2);
}

TEST(CaptionDC, ContextComesBackAsItWasAndTheCallersClipStillHolds) {
  TDib dib(120, 48, kBack);
  HDC dc = dib.DC();
  TCanvas canvas(dc);
  SetUpFont(canvas.Font());
  canvas.RealizeFont();
  HRGN callerClip = CreateRectRgn(60, 0, 120, 48);  // the caller paints only the right half
  SelectClipRgn(dc, callerClip);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), pen = GetCurrentObject(dc, OBJ_PEN),
                brush = GetCurrentObject(dc, OBJ_BRUSH);
  const COLORREF textColor = GetTextColor(dc);
  const int bkMode = GetBkMode(dc);
  TOmFxCaption caption;
  caption.SetTracing(3);
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
    EXPECT_EQ(GetPath(dc, nullptr, nullptr, 0), -1);  // no open or closed path left
    EXPECT_EQ(canvas.Font().Color(), clBlack);
  };
  for (TOmThreeDStyle style : {tdOutline, tdExtrudeEnh, tdRaisedShadow}) {
    caption.SetStyle(style);
    OmDrawEffectText(canvas, "Hg", &caption, nullptr, {dfEnabled, dfClip}, DT_SINGLELINE, RECT{0, 0, 120, 48});
    unchanged("effect");
  }
  caption.SetAngle(45);
  OmDrawEffectText(canvas, "Hg", &caption, nullptr, {dfEnabled, dfClip}, 0, RECT{0, 0, 120, 48});
  unchanged("rotated");
  RECT q{0, 0, 120, 48};
  OmDrawBevelStyle(canvas, q, bvRaised, 3, clWhite, clBlack);
  OmDrawShadowFrame(canvas, q, clWhite, clBlack, clRed, 2, 1, false);
  OmDrawPlainRing(canvas, q, 2, clBlue, false);
  unchanged("bevel");
  RECT measured{0, 0, 0, 0};
  OmMeasureEffectText(&canvas, "Hg", &caption, measured, 0, 0, true, false, canvas.Font());
  unchanged("measure");
  // Nothing landed left of the caller's clip, though the effect's own clip covered it.
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 48; ++y) ASSERT_EQ(dib.At(x, y), kBack) << x << "," << y;
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
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"OstriDrawingSample";
  RegisterClassW(&cls);
  HWND window = CreateWindowW(cls.lpszClassName, L"", WS_POPUP, 0, 0, 60, 30, nullptr, nullptr, cls.hInstance, nullptr);
  ASSERT_TRUE(window);
  TDib direct(100, 60, kBack), offset(100, 60, kBack);
  SetViewportOrgEx(direct.DC(), 0, 0, nullptr);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(direct.DC()), PRF_CLIENT);
  SetViewportOrgEx(offset.DC(), 30, 20, nullptr);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(offset.DC()), PRF_CLIENT);
  SetViewportOrgEx(offset.DC(), 0, 0, nullptr);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool inside = x >= 30 && y >= 20 && x < 90 && y < 50;
      ASSERT_EQ(offset.At(x, y), inside ? direct.At(x - 30, y - 20) : kBack) << x << "," << y;
    }
  DestroyWindow(window);
  UnregisterClassW(cls.lpszClassName, cls.hInstance);
}

TEST(CaptionDC, GdiObjectsStayFlatOverManyRotatedAndThemedPaints) {
  if (!gdi_count::Works()) GTEST_SKIP() << "no way to count GDI objects here";
  HWND window = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 60, 30, nullptr, nullptr, nullptr, nullptr);
  TDib dib(120, 120, kBack);
  TOmFxCaption caption;
  caption.SetStyle(tdExtrudeEnh);
  caption.SetShadowDepth(3);
  const auto paint = [&](int i) {
    TCanvas canvas(dib.DC());
    SetUpFont(canvas.Font());
    TThemeData theme(window, L"BUTTON");
    theme.DrawBackground(dib.DC(), 1, 1, RECT{0, 0, 60, 30});
    caption.SetAngle(15 * (i % 24));
    RECT r{0, 0, 0, 0};
    OmMeasureEffectText(&canvas, "Hg", &caption, r, 0, 0, true, false, canvas.Font());
    OmDrawEffectText(canvas, "Hg", &caption, nullptr, {dfEnabled, dfClip}, 0, r);
    OmIsTrueTypeFont(canvas.Font());
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
  caption.SetLightColor(clRed);
  caption.SetAngle(360);  // stored as 0: no change
  EXPECT_EQ(changes, 2);
  caption.HoldChanges();
  caption.HoldChanges();
  caption.SetTracing(2);
  caption.SetOrigin(5, 6);  // holds internally, must not end the caller's hold
  caption.SetShadowDepth(4);
  EXPECT_EQ(changes, 2);
  caption.ReleaseChanges(true);  // one release ends both holds
  EXPECT_EQ(changes, 3);
  caption.SetTracing(1);
  EXPECT_EQ(changes, 4);
  caption.HoldChanges();
  caption.ReleaseChanges(false);
  EXPECT_EQ(changes, 4);

  caption.SetAngle(90);
  caption.SetOrigin(7, 8);
  EXPECT_EQ(changes, 5);
  caption.SetAngle(0);  // back to 0: the origin goes with it
  EXPECT_EQ(caption.PosX(), 0);
  EXPECT_EQ(caption.PosY(), 0);
  caption.SetPosX(-5);  // clamped, never wrapped
  EXPECT_EQ(caption.PosX(), 0);

  TOmFxCaption copy;
  copy.OnChange = [&](TObject*) { ++changes; };
  caption.SetAngle(30);
  const int before = changes;
  copy.Assign(caption);
  EXPECT_EQ(changes, before + 1);
  EXPECT_EQ(copy.Angle(), 30);
  EXPECT_EQ(copy.Tracing(), 1);
  EXPECT_THROW(copy.Assign(TOmBevel()), EConvertError);
}

TEST(CaptionRecords, RotatedMeasureKeepsTheOriginInRangeAndNotifiesAtMostOnce) {
  TFont font;
  SetUpFont(font);
  TOmFxCaption caption;
  caption.SetStyle(tdShadow);
  caption.SetShadowDepth(255);
  for (int angle = 15; angle < 360; angle += 15) {
    caption.SetAngle(angle);
    int changes = 0;
    caption.OnChange = [&](TObject*) { ++changes; };
    for (int pass = 0; pass < 2; ++pass) {
      RECT r{0, 0, 0, 0};
      OmMeasureEffectText(nullptr, "i", &caption, r, 0, 0, true, false, font);
      EXPECT_LE(caption.PosX(), r.right) << angle;
      EXPECT_LE(caption.PosY(), r.bottom) << angle;
    }
    EXPECT_LE(changes, 1);
    caption.OnChange = nullptr;
  }
}

TEST(CaptionHelpers, BlendResolvesSystemColoursAndSurvivesAZeroCount) {
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const TColor mid = OmBlendColor(clBtnShadow, clWhite, 1, 2);
  EXPECT_NEAR(int(GetRValue(mid)), (GetRValue(shadow) + 255) / 2, 1);
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
}

TEST(CaptionHelpers, NonTrueTypeFaceFallsBackToTheRotatableFace) {
  TFont font;
  font.SetName("Courier");
  OmSetTrueTypeTest([](const TFont& f) { return f.Name() == kOmRotatableFace; });
  EXPECT_TRUE(OmMakeRotatable(font));
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_FALSE(OmMakeRotatable(font));
  OmSetTrueTypeTest(nullptr);
}

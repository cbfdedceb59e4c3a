// Renders every bevel style and every caption effect into one bitmap for a person to look at;
// the test runner names the file in OSTRI_DRAWING_SAMPLER (scripts/test turns it into a PNG).
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "controls/drawing/bevel.h"
#include "controls/drawing/fx_caption.h"
#include "tests/controls/drawing/dib.h"

TEST(Sampler, EveryBevelStyleAndCaptionEffect) {
  const char* target = std::getenv("OSTRI_DRAWING_SAMPLER");
  if (!target) GTEST_SKIP() << "OSTRI_DRAWING_SAMPLER names no file";
  TDib dib(760, 560, RGB(192, 192, 192));  // mid grey: highlights and shadows both show
  TCanvas canvas(dib.DC());
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-14);
  canvas.Font().SetQuality(fqNonAntialiased);
  canvas.Font().SetColor(clBtnText);
  canvas.Brush().SetColor(clBtnFace);
  const auto label = [&](int x, int y, const std::string& text) {
    RECT r{x, y, x + 90, y + 16};
    OmDrawEffectText(canvas, text, nullptr, nullptr, {dfEnabled}, DT_SINGLELINE, r);
  };
  const auto cell = [&](int x, int y, const TOmBevel& bevel, const std::string& name) {
    const RECT inner = bevel.PaintBevel(canvas, RECT{x, y, x + 80, y + 26}, false);
    dib.Fill(inner, RGB(255, 255, 224));
    label(x, y + 28, name);
  };
  int n = 0;
  const auto next = [&](const TOmBevel& bevel, const std::string& name) {
    cell(10 + (n % 8) * 92, 10 + (n / 8) * 48, bevel, name);
    ++n;
  };
  const char* styles[] = {"None", "Lowered", "Raised", "FrameLow", "FrameRais", "Normal"};
  for (int style = bvLowered; style <= bvNormal; ++style)
    for (int width : {1, 3}) {
      TOmBevel bevel;
      bevel.SetStyleOuter(TOmBevelStyle(style));
      bevel.SetWidthOuter(width);
      next(bevel, std::string(styles[style]) + " " + std::to_string(width));
    }
  TOmBevel rings;
  rings.SetStyleOuter(bvRaised);
  rings.SetStyleInner(bvLowered);
  rings.SetWidthOuter(2);
  rings.SetBorderWidth(3);
  next(rings, "Out+border+In");
  TOmBevel shadow;
  shadow.SetStyleOuter(bvShadow);
  shadow.SetWidthOuter(4);
  shadow.SetWidthInner(2);
  shadow.SetShadowColor(clGray);
  shadow.SetBorderColor(clBtnFace);
  next(shadow, "Shadow 4/2");
  for (const auto& [name, style] : OmBorderStyleNames()) {
    TOmBevel bevel;
    bevel.SetMode(bmStandard);
    bevel.SetStandardStyle(style);
    next(bevel, name);
  }
  for (const auto& [name, style] : OmEdgeStyleNames()) {
    TOmBevel bevel;
    bevel.SetMode(bmEdge);
    bevel.SetEdgeStyle(style);
    next(bevel, name);
  }
  TOmBevel windows;
  windows.SetMode(bmWindows);
  windows.SetBorderInnerWidth(2);
  windows.SetBorderColor(clWhite);
  next(windows, "Windows+2");

  canvas.Font().SetHeight(-22);
  canvas.Font().SetStyle({fsBold});
  int m = 0;
  const auto effect = [&](const TOm3DCaption& caption, TOmTextDrawFlags flags, const std::string& text) {
    const RECT r{10 + (m % 4) * 185, 300 + (m / 4) * 34, 10 + (m % 4) * 185 + 180, 300 + (m / 4) * 34 + 32};
    OmDrawEffectText(canvas, text, &caption, nullptr, flags + TOmTextDrawFlags{dfClip}, DT_SINGLELINE, r);
    ++m;
  };
  for (const auto& [name, style] : OmThreeDStyleNames()) {
    TOm3DCaption caption;
    caption.SetStyle(style);
    caption.SetShadowDepth(style == tdOutline ? 1 : style > tdOutline ? 4 : 2);
    caption.SetShadowColor(style >= tdExtrude ? clNavy : clBtnShadow);
    caption.SetLightColor(style == tdExtrudeEnh ? clAqua : clBtnHighlight);
    effect(caption, {dfEnabled}, name);
  }
  TOm3DCaption plain;
  effect(plain, {dfDisabled}, "disabled");
  effect(plain, {dfDisabled, dfAutoSunken}, "disabled sunk");
  TOm3DCaption traced;
  traced.SetTracing(4);
  effect(traced, {dfEnabled}, "tracing 4");
  TOmFxCaption turned;
  turned.SetStyle(tdRaised);
  for (int angle : {30, 90, 180, 270}) {
    turned.SetAngle(angle);
    RECT r{0, 0, 0, 0};
    OmMeasureEffectText(&canvas, "Angle " + std::to_string(angle), &turned, r, 0, 0, true, false, canvas.Font());
    OffsetRect(&r, 10 + (angle / 90) * 150 + (angle == 30 ? 0 : 60), 420);
    dib.Fill(r, RGB(255, 255, 224));
    OmDrawEffectText(canvas, "Angle " + std::to_string(angle), &turned, nullptr, {dfEnabled}, 0, r);
  }
  const std::string path(target);
  ASSERT_TRUE(dib.SaveBmp(std::wstring(path.begin(), path.end())));
}

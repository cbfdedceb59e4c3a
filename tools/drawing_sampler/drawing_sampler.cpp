// Renders every bevel style and every caption effect into one bitmap file for a person to look
// at: drawing_sampler <file.bmp> (the test run makes build/<preset>/drawing-sampler.bmp of it).
#include <fstream>
#include <string>
#include "controls/drawing/bevel.h"
#include "controls/drawing/fx_caption.h"
#include "tools/common/blank_cells.h"
#include "framework/bitmap.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  TBitmap bitmap;
  bitmap.SetSize(760, 560);
  TBlankCells check;
  TCanvas& canvas = bitmap.Canvas();
  const auto fill = [&](const RECT& r, TColor color) {
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
  };
  fill(RECT{0, 0, 760, 560}, clSilver);  // mid grey: highlights and shadows both show
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-14);
  canvas.Font().SetQuality(fqNonAntialiased);
  canvas.Font().SetColor(clBtnText);
  const auto label = [&](int x, int y, const std::string& text) {
    RECT r{x, y, x + 90, y + 16};
    canvas.Brush().SetStyle(bsClear);
    OmDrawEffectText(canvas, text, nullptr, nullptr, {dfEnabled}, DT_SINGLELINE, r);
  };
  const auto cell = [&](int x, int y, const TOmBevel& bevel, const std::string& name) {
    const RECT whole{x, y, x + 80, y + 26};
    fill(whole, clWhite);  // face-coloured rings would not show on the grey
    const RECT inner = bevel.PaintBevel(canvas, whole, false);
    fill(inner, 0xE0FFFF);
    if (name != "lsNone") check.Expect(whole, name, inner, RGB(255, 255, 255));  // the bevel, not the fill
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
    check.Expect(r, text);
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
    fill(r, 0xE0FFFF);
    OmDrawEffectText(canvas, "Angle " + std::to_string(angle), &turned, nullptr, {dfEnabled}, 0, r);
    check.Expect(r, "Angle " + std::to_string(angle));
  }
  const std::vector<unsigned char> bytes = bitmap.SaveToBytes();
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.good()) return 1;
  return check.Report(canvas.Handle());
}

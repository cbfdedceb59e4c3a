#include "controls/drawing/fx_caption.h"
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include "framework/strings.h"

namespace {

template <class T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

std::function<bool(const TFont&)>& TrueTypeTestOverride() {
  static std::function<bool(const TFont&)> test;
  return test;
}

// Closes an open path on every exit, so an exception cannot leave one behind.
class TPathBracket {
public:
  explicit TPathBracket(TCanvas& canvas) : canvas_(canvas) { canvas_.BeginPath(); }
  ~TPathBracket() { if (open_) canvas_.AbortPath(); }
  void End() { canvas_.EndPath(); open_ = false; }
private:
  TCanvas& canvas_;
  bool open_ = true;
};

int Mode(const TOm3DCaption* caption) {
  const auto* fx = dynamic_cast<const TOmFxCaption*>(caption);
  if (!fx) return 0;
  return fx->Angle() == 0 ? 1 : 2;
}

// The extra size an effect takes at the right and bottom.
int EffectDepth(const TOm3DCaption& caption) {
  const int l = caption.LightDepth(), s = caption.ShadowDepth();
  switch (caption.Style()) {
    case tdNone: return 0;
    case tdSunken: case tdRaised: return l;
    case tdSunkenShadow: case tdRaisedShadow: case tdPColorSunken: case tdPColorRaised: return l + s;
    default: return s;
  }
}

}  // namespace

// ---- TOm3DCaption ----

void TOm3DCaption::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TOm3DCaption*>(&source);
  if (!other) return TOmObject::Assign(source);
  if (other == this) return;
  disabledStyle_ = other->disabledStyle_;
  lightDepth_ = other->lightDepth_;
  shadowDepth_ = other->shadowDepth_;
  lightColor_ = other->lightColor_;
  shadowColor_ = other->shadowColor_;
  orientation_ = other->orientation_;
  style_ = other->style_;
  tracing_ = other->tracing_;
  if (auto* fx = dynamic_cast<TOmFxCaption*>(this)) {
    if (const auto* fxOther = dynamic_cast<const TOmFxCaption*>(other)) fx->CopyRotation(*fxOther);
  }
  SignalChange();
}

void TOm3DCaption::SetDisabledStyle(TOmDisabledStyle style) { if (Store(disabledStyle_, style)) SignalChange(); }

void TOm3DCaption::SetDepth(int index, int depth) {
  const auto value = static_cast<std::uint8_t>(std::clamp(depth, 0, 255));
  if (Store(index == 0 ? lightDepth_ : shadowDepth_, value)) SignalChange();
}

void TOm3DCaption::SetEffectColor(int index, TColor color) {
  if (Store(index == 0 ? lightColor_ : shadowColor_, color)) SignalChange();
}

void TOm3DCaption::SetOrientation(TOmThreeDOrientation orientation) {
  if (Store(orientation_, orientation)) SignalChange();
}
void TOm3DCaption::SetStyle(TOmThreeDStyle style) { if (Store(style_, style)) SignalChange(); }
void TOm3DCaption::SetTracing(int tracing) { if (Store(tracing_, static_cast<std::int32_t>(tracing))) SignalChange(); }

// ---- TOmFxCaption ----

void TOmFxCaption::Assign(const TPersistent& source) { TOm3DCaption::Assign(source); }

void TOmFxCaption::CopyRotation(const TOmFxCaption& other) {
  angle_ = other.angle_;
  posX_ = other.posX_;
  posY_ = other.posY_;
}

void TOmFxCaption::SetAngle(int degrees) {
  const auto angle = static_cast<TOmAngle>(((degrees % 360) + 360) % 360);
  if (angle == angle_) return;
  angle_ = angle;
  // An unrotated caption draws at its rectangle's corner: a rotation's origin must not linger.
  if (angle_ == 0) posX_ = posY_ = 0;
  SignalChange();
}

void TOmFxCaption::SetPos(int index, int value) {
  // A negative origin (deep effects on small text) stops at the rectangle's edge.
  const auto stored = static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
  if (Store(index == 0 ? posX_ : posY_, stored)) SignalChange();
}

void TOmFxCaption::MoveOrigin(int x, int y) {
  const auto clamp = [](int v) { return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFF)); };
  const bool changed = Store(posX_, clamp(x)) | Store(posY_, clamp(y));
  if (changed) SignalChange();
}

void TOmFxCaption::SetOrigin(int x, int y) {
  WithChangesHeld([&] {
    SetPos(0, x);
    SetPos(1, y);
  });
}

// ---- drawing ----

void OmDrawEffectText(TCanvas& canvas, const std::string& text, const TOm3DCaption* caption, const RECT* clip,
                      TOmTextDrawFlags flags, UINT format, const RECT& rect) {
  if (text.empty() || IsRectEmpty(&rect)) return;
  if (!caption) {
    RECT r = rect;
    canvas.DrawText(text, r, format);
    return;
  }
  const int mode = Mode(caption);
  const auto* fx = dynamic_cast<const TOmFxCaption*>(caption);
  HDC dc = canvas.Handle();

  // Everything below changes only the context's state, which the guard gives back, and a
  // canvas of our own, so the caller's canvas keeps its font, colours and selections.
  TDCStateGuard guard(dc);
  TCanvas c(dc);
  c.Font().Assign(canvas.Font());
  if (flags.Contains(dfClip)) {
    // Logical coordinates and an intersection: right in an offset context, and the caller's
    // own clip still holds.
    const RECT& area = clip ? *clip : rect;
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  }

  TOmThreeDStyle style = caption->Style();
  TColor textColor;
  if (flags.Contains(dfEnabled) || caption->DisabledStyle() == dsNone) {
    textColor = style == tdPColorSunken || style == tdPColorRaised ? canvas.Brush().Color() : canvas.Font().Color();
  } else {
    textColor = clGrayText;
    if (caption->DisabledStyle() == ds3d || (caption->DisabledStyle() == dsAuto && flags.Contains(dfAutoSunken)))
      style = tdSunken;
  }
  if (mode == 2) c.Font().SetOrientation(fx->Angle() * 10);  // the copy owns the rotated font

  RECT w = rect;
  if (mode >= 1) {
    w.left += fx->PosX();
    w.top += fx->PosY();
  }
  if (caption->Tracing() != 0) c.SetCharacterExtra(caption->Tracing());
  const int L = caption->LightDepth(), S = caption->ShadowDepth();
  c.Brush().SetStyle(bsClear);

  const auto pass = [&](int dx, int dy, TColor color) {
    OffsetRect(&w, dx, dy);
    c.Font().SetColor(color);
    if (mode == 2) {
      c.TextOut(w.left, w.top, text);
    } else {
      RECT r = w;
      c.DrawText(text, r, format);
    }
  };

  switch (style) {
    case tdNone: pass(0, 0, textColor); break;
    case tdSunken:
      w.right -= L;
      pass(L, L, caption->LightColor());
      pass(-L, -L, textColor);
      break;
    case tdRaised:
      w.right -= L;
      pass(0, 0, caption->LightColor());
      pass(L, L, textColor);
      break;
    case tdSunkenShadow: case tdPColorSunken:
      w.right -= L + S;
      pass(0, 0, caption->ShadowColor());
      pass(L + S, L + S, caption->LightColor());
      pass(-L, -L, textColor);
      break;
    case tdRaisedShadow: case tdPColorRaised:
      w.right -= L + S;
      pass(L + S, L + S, caption->ShadowColor());
      pass(-(L + S), -(L + S), caption->LightColor());
      pass(L, L, textColor);
      break;
    case tdShadow:
      w.right -= S;
      pass(S, S, caption->ShadowColor());
      pass(-S, -S, textColor);
      break;
    case tdOutline: {
      c.Pen().SetStyle(psSolid);
      {
        TPathBracket path(c);
        pass(S / 2, S / 2, textColor);
        path.End();
      }
      c.Pen().SetColor(textColor);
      c.Pen().SetWidth(S);
      c.StrokePath();
      break;
    }
    case tdExtrude: case tdExtrudeEnh: {
      int dx = 1, dy = 1;
      switch (caption->Orientation()) {
        case toBottomLeft: OffsetRect(&w, 0, S + 1); dx = 1; dy = -1; break;
        case toBottomRight: OffsetRect(&w, S + 1, S + 1); dx = -1; dy = -1; break;
        case toTopLeft: break;
        case toTopRight: OffsetRect(&w, S + 1, 0); dx = -1; dy = 1; break;
      }
      for (int i = S; i >= 1; --i) {
        const TColor color = style == tdExtrude ? caption->ShadowColor()
                                                : OmBlendColor(caption->ShadowColor(), caption->LightColor(), i - 1, S);
        pass(dx, dy, color);
      }
      pass(0, 0, textColor);
      break;
    }
  }
}

void OmMeasureEffectText(TCanvas* canvas, const std::string& text, TOm3DCaption* caption, RECT& rect, UINT format,
                         int margin, bool showAccelChar, bool multiLine, const TFont& font) {
  std::optional<TScreenCanvas> screen;
  if (!canvas) {
    screen.emplace();
    screen->Font().Assign(font);
    canvas = &*screen;
  }
  const int mode = Mode(caption);
  auto* fx = dynamic_cast<TOmFxCaption*>(caption);
  // Selected before the guard, so that the canvas's bookkeeping still holds after it.
  canvas->RealizeFont();
  HDC dc = canvas->Handle();
  TDCStateGuard guard(dc);
  if (caption && caption->Tracing() != 0) canvas->SetCharacterExtra(caption->Tracing());
  // A lone "&" is a prefix with nothing after it to DrawText; a rotated caption draws it as is.
  const bool blank = text.empty() || (mode != 2 && showAccelChar && text == "&");
  const std::string measured = blank ? std::string(" ") : text;

  if (mode != 2) {
    if (mode == 1) fx->SetOrigin(0, 0);
    UINT fmt = format | DT_CALCRECT | DT_EXPANDTABS;
    if (multiLine) fmt |= DT_WORDBREAK;
    if (!showAccelChar) fmt |= DT_NOPREFIX;
    const std::wstring wide = AnsiToWide(measured);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, fmt);
    if (caption) OmEffectExtent(caption, rect);
  } else {
    const SIZE size = canvas->TextExtent(measured);
    rect = RECT{0, 0, size.cx, size.cy};
    OmEffectExtent(caption, rect);
    OmRotatedBounds(rect, fx->Angle());
    const double a = fx->Angle() * std::numbers::pi / 180.0;
    const int hw = size.cx / 2, hh = size.cy / 2;
    const int cx = rect.left + (rect.right - rect.left) / 2, cy = rect.top + (rect.bottom - rect.top) / 2;
    const int l = caption->LightDepth(), s = caption->ShadowDepth();
    int d = 0;
    switch (caption->Style()) {
      case tdSunken: case tdRaised: d = (l >> 1) - 1; break;
      case tdSunkenShadow: case tdRaisedShadow: case tdPColorSunken: case tdPColorRaised: d = ((l + s) >> 1) - 1; break;
      case tdShadow: case tdExtrude: case tdExtrudeEnh: d = (s >> 1) - 1; break;
      default: break;
    }
    d = std::max(d, 0);
    const int x = static_cast<int>(std::lround(cx - hw * std::cos(a) - hh * std::sin(a))) - d;
    const int y = static_cast<int>(std::lround(cy + hw * std::sin(a) - hh * std::cos(a))) - d;
    fx->MoveOrigin(x, y);
  }
  rect.right += (margin + 1) * 2;
  rect.bottom += (margin + 1) * 2;
}

void OmPlaceEffectText(TOmAlignment alignment, const std::string& text, TOm3DCaption* caption, RECT& placed,
                       UINT format, bool showAccelChar, bool multiLine, const TFont& font, const RECT& bounds) {
  RECT size = bounds;
  size.right -= 1;
  OmMeasureEffectText(nullptr, text, caption, size, format, 0, showAccelChar, multiLine, font);
  OmAlignBlock(alignment, size, bounds, placed);
}

void OmAlignBlock(TOmAlignment alignment, const RECT& size, const RECT& bounds, RECT& placed) {
  const int width = size.right - size.left, height = size.bottom - size.top;
  const int spareX = (bounds.right - bounds.left) - width, spareY = (bounds.bottom - bounds.top) - height;
  const int column = alignment % 3, row = alignment / 3;
  const int dx = column == 0 ? 0 : column == 1 ? spareX / 2 : spareX;
  const int dy = row == 0 ? 0 : row == 1 ? spareY / 2 : spareY;
  placed = RECT{bounds.left + dx, bounds.top + dy, bounds.left + dx + width, bounds.top + dy + height};
}

void OmEffectExtent(const TOm3DCaption* caption, RECT& rect) {
  if (!caption) return;
  const int depth = EffectDepth(*caption);
  rect.right += depth;
  rect.bottom += depth;
}

int OmCaptionLineHeight(const TOm3DCaption* caption, const TFont& font) {
  TScreenCanvas screen;
  screen.Font().Assign(font);
  int height = screen.TextHeight("W");
  if (!caption) return height;
  const int l = caption->LightDepth(), s = caption->ShadowDepth();
  switch (caption->Style()) {
    case tdSunken: case tdRaised: height += l; break;
    case tdSunkenShadow: case tdRaisedShadow: case tdPColorSunken: case tdPColorRaised: height += l + s; break;
    case tdShadow: height += s; break;
    default: break;
  }
  return height;
}

void OmRotatedBounds(RECT& rect, int angle) {
  if (angle == 0) return;
  const double a = angle * std::numbers::pi / 180.0;
  const int hw = (rect.right - rect.left) / 2, hh = (rect.bottom - rect.top) / 2;
  const int cx = rect.left + hw, cy = rect.top + hh;
  const double c = std::cos(a), s = std::sin(a);
  const int p = static_cast<int>(std::lround(hw * c - hh * s)), q = static_cast<int>(std::lround(hw * c + hh * s));
  const int r = static_cast<int>(std::lround(hw * s - hh * c)), t = static_cast<int>(std::lround(hw * s + hh * c));
  const int xs[] = {cx - p, cx - q, cx + q, cx + p};
  const int ys[] = {cy + r, cy + t, cy - t, cy - r};
  const auto [minX, maxX] = std::minmax_element(std::begin(xs), std::end(xs));
  const auto [minY, maxY] = std::minmax_element(std::begin(ys), std::end(ys));
  rect = RECT{0, 0, *maxX - *minX, *maxY - *minY};
}

TColor OmBlendColor(TColor from, TColor to, int step, int count) {
  // System colours blend by what they show now, not by their index bytes.
  const COLORREF a = ColorToRGB(from), b = ColorToRGB(to);
  if (count <= 0) return a;
  TColor result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    const double v = std::nearbyint(x + static_cast<double>(y - x) * step / count);  // ties to even
    result |= static_cast<TColor>(std::clamp(static_cast<int>(v), 0, 255)) << shift;
  }
  return result;
}

bool OmIsTrueTypeFont(const TFont& font) {
  if (TrueTypeTestOverride()) return TrueTypeTestOverride()(font);
  TScreenCanvas screen;
  screen.Font().Assign(font);
  return OmIsTrueTypeFont(screen);
}

bool OmIsTrueTypeFont(TCanvas& canvas) {
  if (TrueTypeTestOverride()) return TrueTypeTestOverride()(canvas.Font());
  if (!canvas.HandleAllocated()) return false;
  const TEXTMETRICW metrics = canvas.TextMetrics();  // zeroed when the call failed
  return metrics.tmHeight != 0 && (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

bool OmMakeRotatable(TFont& font) {
  if (OmIsTrueTypeFont(font)) return false;
  font.SetName(kOmRotatableFace);
  return true;
}

void OmSetTrueTypeTest(std::function<bool(const TFont&)> test) { TrueTypeTestOverride() = std::move(test); }

// ---- names and property tables ----

const TEnumNames<TOmDisabledStyle>& OmDisabledStyleNames() {
  static const TEnumNames<TOmDisabledStyle> names = {
      {"dsAuto", dsAuto}, {"dsStandard", dsStandard}, {"ds3d", ds3d}, {"dsNone", dsNone}};
  return names;
}

const TEnumNames<TOmThreeDOrientation>& OmThreeDOrientationNames() {
  static const TEnumNames<TOmThreeDOrientation> names = {
      {"toBottomLeft", toBottomLeft}, {"toBottomRight", toBottomRight}, {"toTopLeft", toTopLeft},
      {"toTopRight", toTopRight}};
  return names;
}

const TEnumNames<TOmThreeDStyle>& OmThreeDStyleNames() {
  static const TEnumNames<TOmThreeDStyle> names = {
      {"tdNone", tdNone}, {"tdSunken", tdSunken}, {"tdRaised", tdRaised}, {"tdSunkenShadow", tdSunkenShadow},
      {"tdRaisedShadow", tdRaisedShadow}, {"tdPColorSunken", tdPColorSunken}, {"tdPColorRaised", tdPColorRaised},
      {"tdShadow", tdShadow}, {"tdOutline", tdOutline}, {"tdExtrude", tdExtrude}, {"tdExtrudeEnh", tdExtrudeEnh}};
  return names;
}

const TPropTable& TOm3DCaption::Properties() {
  static const TPropTable table = [] {
    TPropTable t;
    t.Add("DisabledStyle", EnumProp(&TOm3DCaption::SetDisabledStyle, OmDisabledStyleNames()));
    t.Add("LightDepth", IntProp(&TOm3DCaption::SetLightDepth));
    t.Add("ShadowDepth", IntProp(&TOm3DCaption::SetShadowDepth));
    t.Add("LightColor", ColorProp(&TOm3DCaption::SetLightColor));
    t.Add("Orientation", EnumProp(&TOm3DCaption::SetOrientation, OmThreeDOrientationNames()));
    t.Add("ShadowColor", ColorProp(&TOm3DCaption::SetShadowColor));
    t.Add("Style", EnumProp(&TOm3DCaption::SetStyle, OmThreeDStyleNames()));
    t.Add("Tracing", IntProp(&TOm3DCaption::SetTracing));
    return t;
  }();
  return table;
}

const TPropTable& TOmFxCaption::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TOm3DCaption::Properties());
    t.Add("Angle", IntProp(&TOmFxCaption::SetAngle));
    t.Add("PosX", IntProp(&TOmFxCaption::SetPosX));
    t.Add("PosY", IntProp(&TOmFxCaption::SetPosY));
    return t;
  }();
  return table;
}

#include "controls/drawing/bevel.h"
#include <algorithm>
#include <iterator>
#include <utility>

void OmDeflateRect(RECT& r, int left, int top, int right, int bottom) {
  const auto squeeze = [](LONG& low, LONG& high, int in_low, int in_high) {
    const long long a = static_cast<long long>(low) + in_low, b = static_cast<long long>(high) - in_high;
    if (a <= b) { low = static_cast<LONG>(a); high = static_cast<LONG>(b); return; }
    // The edges would cross: both stop where they meet, leaving an empty span.
    const long long span = static_cast<long long>(high) - low;
    const long long total = static_cast<long long>(in_low) + in_high;
    const long long meet = total > 0 && span > 0 ? low + span * in_low / total : (low + high) / 2;
    low = high = static_cast<LONG>(meet);
  };
  squeeze(r.left, r.right, left, right);
  squeeze(r.top, r.bottom, top, bottom);
}

namespace {

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// A canvas of our own on the caller's context. The guard is made first and undone last, so the
// context gets back every object and mode it had, and the caller's canvas records stay as they are.
struct TScratchCanvas {
  explicit TScratchCanvas(TCanvas& caller) : guard(caller.Handle()), canvas(caller.Handle()) {}
  TDCStateGuard guard;
  TCanvas canvas;
};

void FillNonEmpty(TCanvas& canvas, const RECT& r) {
  if (!Empty(r)) canvas.FillRect(r);
}

void FrameNonEmpty(TCanvas& canvas, const RECT& r) {
  if (!Empty(r)) canvas.FrameRect(r);
}

// DrawEdge on q, with q's movement computed here so that a small rectangle cannot invert.
void Edge(HDC dc, RECT& q, UINT kind, UINT flags) {
  if (!Empty(q)) {
    RECT copy = q;
    DrawEdge(dc, &copy, kind, flags);
  }
  if (!(flags & BF_ADJUST)) return;
  const int n = ((kind & BDR_OUTER) ? 1 : 0) + ((kind & BDR_INNER) ? 1 : 0);
  OmDeflateRect(q, (flags & BF_LEFT) ? n : 0, (flags & BF_TOP) ? n : 0, (flags & BF_RIGHT) ? n : 0,
                (flags & BF_BOTTOM) ? n : 0);
}

}  // namespace

int OmBorderStyleWidth(TOmBorderStyle style) {
  switch (style) {
    case lsNone: return 0;
    case lsSingle: case lsSingleRaised: case lsSingleLowered: return 1;
    default: return 2;
  }
}

UINT OmEdgeKind(TOmEdgeStyle style) {
  static constexpr UINT kKinds[] = {BDR_RAISEDINNER, BDR_RAISEDOUTER, BDR_SUNKENINNER, BDR_SUNKENOUTER,
                                    EDGE_BUMP, EDGE_ETCHED, EDGE_RAISED, EDGE_SUNKEN};
  const auto index = static_cast<unsigned>(style);
  if (index >= std::size(kKinds)) throw ERangeError("Edge style out of range");
  return kKinds[index];
}

UINT OmFrameSideFlags(TOmFrameSides sides) {
  return (sides.Contains(fsLeft) ? BF_LEFT : 0) | (sides.Contains(fsTop) ? BF_TOP : 0) |
         (sides.Contains(fsRight) ? BF_RIGHT : 0) | (sides.Contains(fsBottom) ? BF_BOTTOM : 0);
}

bool OmDrawBorderStyle(TCanvas& canvas, RECT& q, TOmBorderStyle style, UINT extraFlags) {
  HDC dc = canvas.Handle();
  const UINT x = extraFlags | BF_ADJUST;  // the calls that carry the extra flags also adjust
  switch (style) {
    case lsNone: break;
    case lsSingle:
      Edge(dc, q, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | x);
      Edge(dc, q, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
      break;
    case lsLowered: Edge(dc, q, EDGE_SUNKEN, BF_RECT | BF_SOFT | x); break;
    case lsRaised: Edge(dc, q, EDGE_RAISED, BF_RECT | BF_SOFT | x); break;
    case lsRaisedspb:
      Edge(dc, q, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | x);
      Edge(dc, q, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
      break;
    case lsLoweredspb:
      Edge(dc, q, BDR_SUNKENOUTER, BF_RECT | x);
      Edge(dc, q, BDR_SUNKENINNER, BF_TOPLEFT | x);
      break;
    case lsRaisedExt:
      Edge(dc, q, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | x);
      Edge(dc, q, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
      OmDeflateRect(q, 1, 1, 0, 0);
      break;
    case lsLoweredExt:
      Edge(dc, q, BDR_SUNKENOUTER, BF_RECT | x);
      Edge(dc, q, BDR_SUNKENINNER, BF_TOPLEFT | BF_ADJUST);
      OmDeflateRect(q, 0, 0, 1, 1);
      break;
    case lsFrameInset: Edge(dc, q, EDGE_ETCHED, BF_RECT | x); break;
    case lsFrameOffset:
      Edge(dc, q, BDR_RAISEDINNER, BF_RECT | x);
      Edge(dc, q, BDR_SUNKENOUTER, BF_RECT | x);
      break;
    case lsWindowBorder:
      Edge(dc, q, BDR_RAISEDOUTER, BF_BOTTOMRIGHT | x);
      OmDeflateRect(q, 1, 1, 0, 0);
      Edge(dc, q, BDR_RAISEDINNER, BF_RECT | x);
      break;
    case lsSingleRaised: Edge(dc, q, BDR_RAISEDINNER, BF_RECT | x); break;
    case lsSingleLowered: Edge(dc, q, BDR_SUNKENOUTER, BF_RECT | x); break;
    case lsDoubleRaised:
      Edge(dc, q, BDR_RAISEDINNER, BF_RECT | x);
      Edge(dc, q, BDR_RAISEDINNER, BF_RECT | x);
      break;
    case lsDoubleLowered:
      Edge(dc, q, BDR_SUNKENOUTER, BF_RECT | x);
      Edge(dc, q, BDR_SUNKENOUTER, BF_RECT | x);
      break;
  }
  return true;
}

bool OmDrawBevelStyle(TCanvas& canvas, RECT& q, TOmBevelStyle style, int w, TColor light, TColor shadow) {
  if (w <= 0 || style == bvNone || style == bvShadow) return false;
  TColor tl = 0, br = 0;  // bvNormal: both black
  if (style == bvLowered || style == bvFrameLowered) { tl = shadow; br = light; }
  if (style == bvRaised || style == bvFrameRaised) { tl = light; br = shadow; }

  TScratchCanvas scratch(canvas);
  TCanvas& c = scratch.canvas;
  const LONG L = q.left, T = q.top, R = q.right, B = q.bottom;
  if (style == bvFrameLowered || style == bvFrameRaised) {
    for (int i = 0; i < w; ++i) {
      c.Brush().SetColor(br);
      FrameNonEmpty(c, RECT{L + i + 1, T + i + 1, R, B});
      c.Brush().SetColor(tl);
      FrameNonEmpty(c, RECT{L, T, R - i - 1, B - i - 1});
    }
    OmDeflateRect(q, w + 1);
    return true;
  }
  // Solid ring: as wide as asked, or as wide as fits.
  const int wd = std::min<long>(w, std::min(R - L, B - T) / 2);
  if (wd == 1) {
    const LONG r = R - 1, b = B - 1;
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(tl);
    const POINT first[] = {{L, b}, {L, T}, {r, T}};
    c.Polyline(first);
    c.Pen().SetColor(br);
    const POINT second[] = {{r, T}, {r, b}, {L, b}};
    c.Polyline(second);
  } else if (wd >= 2) {
    // Outline-less polygons leave out their right and bottom edges, so both share exact corners:
    // the inner corner at B - wd (not B - 1 - wd, which paints one row into the contents) and
    // the same diagonals (the one-pixel-in ones left background pixels at two corners).
    const RECT i{L + wd, T + wd, R - wd, B - wd};
    c.Pen().SetStyle(psClear);
    c.Brush().SetColor(br);
    const POINT lower[] = {{L, B}, {i.left, i.bottom}, {i.right, i.bottom}, {i.right, i.top}, {R, T}, {R, B}};
    c.Polygon(lower);
    c.Brush().SetColor(tl);
    const POINT upper[] = {{L, B}, {i.left, i.bottom}, {i.left, i.top}, {i.right, i.top}, {R, T}, {L, T}};
    c.Polygon(upper);
  }
  OmDeflateRect(q, w);
  return true;
}

bool OmDrawShadowFrame(TCanvas& canvas, RECT& q, TColor light, TColor shadow, TColor border, int s, int n,
                       bool transparent) {
  TScratchCanvas scratch(canvas);
  TCanvas& c = scratch.canvas;
  const LONG L = q.left, T = q.top, R = q.right, B = q.bottom;
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(shadow);
  FillNonEmpty(c, RECT{std::max(L, R - s), std::min(B, T + s), R, B});
  FillNonEmpty(c, RECT{std::min(R, L + s), std::max(T, B - s), R, B});
  if (!transparent) {
    c.Brush().SetColor(border);
    FillNonEmpty(c, RECT{std::max(L, R - s), T, R, std::min(B, T + s)});
    FillNonEmpty(c, RECT{L, std::max(T, B - s), std::min(R, L + s), B});
  }
  OmDeflateRect(q, 0, 0, s, s);
  OmDrawPlainRing(c, q, n, light, false);
  return true;
}

void OmDrawPlainRing(TCanvas& canvas, RECT& q, int n, TColor color, bool transparent) {
  if (n <= 0) return;
  if (transparent) { OmDeflateRect(q, n); return; }
  TScratchCanvas scratch(canvas);
  scratch.canvas.Brush().SetColor(color);
  for (int i = 0; i < n; ++i) {
    FrameNonEmpty(scratch.canvas, q);
    OmDeflateRect(q, 1);
  }
}

// ---- TOmBevel ----

TOmBevel::TOmBevel() { UpdateExtents(); }

void TOmBevel::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TOmBevel*>(&source);
  if (!other) return TOmObject::Assign(source);
  if (other == this) return;
  // The options only: WindowBorderSupport belongs to the host, not to the record.
  const bool crossesWindows = (mode_ == bmWindows) != (other->mode_ == bmWindows);
  styleInner_ = other->styleInner_;
  styleOuter_ = other->styleOuter_;
  widthInner_ = other->widthInner_;
  widthOuter_ = other->widthOuter_;
  borderSides_ = other->borderSides_;
  borderInnerWidth_ = other->borderInnerWidth_;
  borderWidth_ = other->borderWidth_;
  std::copy(std::begin(other->colors_), std::end(other->colors_), colors_);
  mode_ = other->mode_;
  standardStyle_ = other->standardStyle_;
  edgeStyle_ = other->edgeStyle_;
  if (windowBorderSupport_ && crossesWindows) recreatePending_ = true;
  SignalChange();
}

void TOmBevel::UpdateExtents() {
  extent_ = ComputeExtent();
  extentRB_ = mode_ == bmCustom && styleOuter_ == bvShadow ? widthInner_ + widthOuter_ + borderInnerWidth_ : extent_;
}

void TOmBevel::SignalChange() {
  UpdateExtents();
  TOmObject::SignalChange();
}

std::string TOmBevel::Description() const {
  static constexpr const char* kNames[] = {"Custom style", "Standard style", "Edged style", "Windows style"};
  return std::string("{") + kNames[mode_] + "}";
}

int TOmBevel::ComputeExtent() const {
  switch (mode_) {
    case bmCustom: {
      if (styleInner_ == bvShadow) return widthInner_ + borderInnerWidth_;
      int extent = borderWidth_ + borderInnerWidth_;
      for (auto [style, width] : {std::pair{styleOuter_, widthOuter_}, std::pair{styleInner_, widthInner_}}) {
        // Only a ring that is drawn moves the contents in (a 0-wide frame ring draws nothing).
        if (style == bvNone || width == 0) continue;
        extent += width;
        if (style == bvFrameLowered || style == bvFrameRaised) ++extent;
      }
      return extent;
    }
    case bmStandard: return OmBorderStyleWidth(standardStyle_) + borderInnerWidth_;
    case bmEdge: return (borderSides_.Empty() ? 0 : 2) + borderInnerWidth_;
    case bmWindows: return windowBorderSupport_ ? 0 : borderInnerWidth_ + 2;
  }
  return 0;
}

void TOmBevel::SetStyleInner(TOmBevelStyle style) {
  if (style == styleInner_) return;
  if (styleInner_ == bvShadow) styleOuter_ = bvNone;
  styleInner_ = style;
  if (style == bvShadow) styleOuter_ = bvShadow;
  SignalChange();
}

void TOmBevel::SetStyleOuter(TOmBevelStyle style) {
  if (style == styleOuter_) return;
  if (styleOuter_ == bvShadow) styleInner_ = bvNone;
  styleOuter_ = style;
  if (style == bvShadow) styleInner_ = bvShadow;
  SignalChange();
}

namespace {
template <class T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}
std::uint8_t Clamp8(int value, int high) { return static_cast<std::uint8_t>(std::clamp(value, 0, high)); }
}  // namespace

void TOmBevel::SetWidthInner(int width) { if (Store(widthInner_, Clamp8(width, kOmMaxBevelWidth))) SignalChange(); }
void TOmBevel::SetWidthOuter(int width) { if (Store(widthOuter_, Clamp8(width, kOmMaxBevelWidth))) SignalChange(); }
int TOmBevel::CheckedColorIndex(int index) {
  if (index < 0 || index >= static_cast<int>(sizeof(colors_) / sizeof(colors_[0]))) throw ERangeError("Bevel colour index out of range");
  return index;
}

void TOmBevel::SetColor(int index, TColor color) {
  if (Store(colors_[CheckedColorIndex(index)], color)) SignalChange();
}
void TOmBevel::SetBorderSides(TOmFrameSides sides) { if (Store(borderSides_, sides)) SignalChange(); }
void TOmBevel::SetBorderWidth(int width) { if (Store(borderWidth_, Clamp8(width, kOmMaxBorderWidth))) SignalChange(); }
void TOmBevel::SetBorderInnerWidth(int width) {
  if (Store(borderInnerWidth_, Clamp8(width, kOmMaxBorderWidth))) SignalChange();
}
void TOmBevel::SetEdgeStyle(TOmEdgeStyle style) { if (Store(edgeStyle_, style)) SignalChange(); }

void TOmBevel::SetMode(TOmBevelMode mode) {
  if (mode == mode_) return;
  if (windowBorderSupport_ && (mode == bmWindows || mode_ == bmWindows)) recreatePending_ = true;
  mode_ = mode;
  SignalChange();
}

void TOmBevel::SetStandardStyle(TOmBorderStyle style) {
  if (!Store(standardStyle_, style)) return;
  if (mode_ == bmStandard) SignalChange();
  else UpdateExtents();
}

void TOmBevel::SetWindowBorderSupport(bool support) {
  windowBorderSupport_ = support;
  UpdateExtents();  // the bmWindows inset depends on it; the host is not told of its own change
}

bool TOmBevel::TakeRecreateRequest() {
  const bool answer = recreatePending_ || (mode_ == bmWindows && windowBorderSupport_);
  recreatePending_ = false;
  return answer;
}

RECT TOmBevel::InnerRect(const RECT& rect) const {
  RECT r = rect;
  if (mode_ == bmCustom && styleOuter_ == bvShadow) {
    const int lt = widthInner_ + borderInnerWidth_;
    OmDeflateRect(r, lt, lt, extentRB_, extentRB_);
  } else {
    OmDeflateRect(r, extent_);
  }
  return r;
}

RECT TOmBevel::PaintBevel(TCanvas& canvas, const RECT& rect, bool transparent) const {
  RECT q = rect;
  if (extent_ == 0 && extentRB_ == 0) return q;
  switch (mode_) {
    case bmCustom:
      if (styleOuter_ == bvShadow) {
        OmDrawShadowFrame(canvas, q, LightColor(), ShadowColor(), BorderColor(), widthOuter_, widthInner_, transparent);
      } else {
        OmDrawBevelStyle(canvas, q, styleOuter_, widthOuter_, LightColor(), ShadowColor());
        OmDrawPlainRing(canvas, q, borderWidth_, BorderColor(), transparent);
        OmDrawBevelStyle(canvas, q, styleInner_, widthInner_, LightColor(), ShadowColor());
      }
      break;
    case bmStandard: OmDrawBorderStyle(canvas, q, standardStyle_, 0); break;
    case bmEdge:
      if (!borderSides_.Empty()) {
        if (!Empty(q)) {
          RECT edge = q;
          DrawEdge(canvas.Handle(), &edge, OmEdgeKind(edgeStyle_), OmFrameSideFlags(borderSides_));
        }
        OmDeflateRect(q, 2);  // whatever the edge's real thickness
      }
      break;
    case bmWindows: OmDrawBorderStyle(canvas, q, lsLoweredExt, 0); break;
  }
  OmDrawPlainRing(canvas, q, borderInnerWidth_, BorderColor(), transparent);
  return q;
}

// ---- names and property table ----

const TEnumNames<TOmBevelStyle>& OmBevelStyleNames() {
  static const TEnumNames<TOmBevelStyle> names = {
      {"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvFrameLowered", bvFrameLowered},
      {"bvFrameRaised", bvFrameRaised}, {"bvNormal", bvNormal}, {"bvShadow", bvShadow}};
  return names;
}

const TEnumNames<TOmBevelMode>& OmBevelModeNames() {
  static const TEnumNames<TOmBevelMode> names = {
      {"bmCustom", bmCustom}, {"bmStandard", bmStandard}, {"bmEdge", bmEdge}, {"bmWindows", bmWindows}};
  return names;
}

const TEnumNames<TOmBorderStyle>& OmBorderStyleNames() {
  static const TEnumNames<TOmBorderStyle> names = {
      {"lsNone", lsNone}, {"lsSingle", lsSingle}, {"lsLowered", lsLowered}, {"lsRaised", lsRaised},
      {"lsRaisedspb", lsRaisedspb}, {"lsLoweredspb", lsLoweredspb}, {"lsRaisedExt", lsRaisedExt},
      {"lsLoweredExt", lsLoweredExt}, {"lsFrameInset", lsFrameInset}, {"lsFrameOffset", lsFrameOffset},
      {"lsWindowBorder", lsWindowBorder}, {"lsSingleRaised", lsSingleRaised}, {"lsSingleLowered", lsSingleLowered},
      {"lsDoubleRaised", lsDoubleRaised}, {"lsDoubleLowered", lsDoubleLowered}};
  return names;
}

const TEnumNames<TOmEdgeStyle>& OmEdgeStyleNames() {
  static const TEnumNames<TOmEdgeStyle> names = {
      {"etRaisedInner", etRaisedInner}, {"etRaisedOuter", etRaisedOuter}, {"etSunkenInner", etSunkenInner},
      {"etSunkenOuter", etSunkenOuter}, {"etBump", etBump}, {"etEtched", etEtched}, {"etRaised", etRaised},
      {"etSunken", etSunken}};
  return names;
}

const TEnumNames<TOmFrameSide>& OmFrameSideNames() {
  static const TEnumNames<TOmFrameSide> names = {
      {"fsBottom", fsBottom}, {"fsLeft", fsLeft}, {"fsRight", fsRight}, {"fsTop", fsTop}};
  return names;
}

const TPropTable& TOmBevel::Properties() {
  static const TPropTable table = [] {
    TPropTable t;
    t.Add("StyleInner", EnumProp(&TOmBevel::SetStyleInner, OmBevelStyleNames()));
    t.Add("StyleOuter", EnumProp(&TOmBevel::SetStyleOuter, OmBevelStyleNames()));
    t.Add("WidthInner", IntProp(&TOmBevel::SetWidthInner));
    t.Add("WidthOuter", IntProp(&TOmBevel::SetWidthOuter));
    t.Add("BorderColor", ColorProp(&TOmBevel::SetBorderColor));
    t.Add("BorderSides", SetProp(&TOmBevel::SetBorderSides, OmFrameSideNames()));
    t.Add("BorderWidth", IntProp(&TOmBevel::SetBorderWidth));
    t.Add("BorderInnerWidth", IntProp(&TOmBevel::SetBorderInnerWidth));
    t.Add("EdgeStyle", EnumProp(&TOmBevel::SetEdgeStyle, OmEdgeStyleNames()));
    t.Add("LightColor", ColorProp(&TOmBevel::SetLightColor));
    t.Add("Mode", EnumProp(&TOmBevel::SetMode, OmBevelModeNames()));
    t.Add("ShadowColor", ColorProp(&TOmBevel::SetShadowColor));
    t.Add("StandardStyle", EnumProp(&TOmBevel::SetStandardStyle, OmBorderStyleNames()));
    return t;
  }();
  return table;
}

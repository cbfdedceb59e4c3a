#include "controls/buttons/glyph_text_layout.h"
#include <algorithm>

void TOmGlyphTextLayout::Assign(const TPersistent& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TOmGlyphTextLayout*>(&source);
  if (!other) return TOmObject::Assign(source);
  alignment_ = other->alignment_;
  arrange_ = other->arrange_;
  offsetX_ = other->offsetX_;
  offsetY_ = other->offsetY_;
  spacing_ = other->spacing_;
  SignalChange();
}

void TOmGlyphTextLayout::SetAlignment(TOmAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  SignalChange();
}

void TOmGlyphTextLayout::SetAlignText2Glyph(TOmTextArrange arrange) {
  if (arrange == arrange_) return;
  arrange_ = arrange;
  SignalChange();
}

void TOmGlyphTextLayout::SetOffset(int index, int value) {
  std::int32_t& field = index == 0 ? offsetX_ : offsetY_;
  if (value == field) return;
  field = value;
  SignalChange();
}

void TOmGlyphTextLayout::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  SignalChange();
}

void TOmButtonLayout::Assign(const TPersistent& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TOmButtonLayout*>(&source);
  if (!other) return TOmGlyphTextLayout::Assign(source);
  HoldChanges();
  SetAlignment(other->Alignment());
  SetAlignText2Glyph(other->AlignText2Glyph());
  SetOffsetX(other->OffsetX());
  SetOffsetY(other->OffsetY());
  SetSpacing(other->Spacing());
  arrow_ = other->arrow_;
  arrowIndent_ = other->arrowIndent_;
  arrowPosition_ = other->arrowPosition_;
  arrowColor_ = other->arrowColor_;
  arrowSize_ = other->arrowSize_;
  ReleaseChanges(true);
}

void TOmButtonLayout::SetArrow(bool arrow) {
  if (arrow == arrow_) return;
  arrow_ = arrow;
  SignalChange();
}

void TOmButtonLayout::SetArrowColor(TColor color) {
  if (color == arrowColor_) return;
  arrowColor_ = color;
  SignalChange();
}

void TOmButtonLayout::SetArrowIndent(int indent) {
  if (indent == arrowIndent_) return;
  arrowIndent_ = indent;
  SignalChange();
}

void TOmButtonLayout::SetArrowPosition(TOmArrowPosition position) {
  if (position == arrowPosition_) return;
  arrowPosition_ = position;
  SignalChange();
}

void TOmButtonLayout::SetArrowSize(int size) {
  size = std::clamp(size, kOmMinArrowSize, kOmMaxArrowSize);
  if (size == arrowSize_) return;
  arrowSize_ = static_cast<std::uint8_t>(size);
  SignalChange();
}

namespace {
int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

// DrawText alignment bits of a block alignment, for a wrapped caption.
UINT AlignmentFormat(TOmAlignment alignment) {
  static constexpr UINT kHorizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  static constexpr UINT kVertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
  return kHorizontal[alignment % 3] | kVertical[alignment / 3];
}

// Copies a cell of the glyph image. Images of a masked list are black where transparent, so
// the mask clears the shape and the image is OR-ed in: no intermediate state reaches the screen.
void BlitGlyph(HDC dc, int x, int y, const RECT& source, TCanvas& image, TCanvas* mask, bool transparent,
               TColor transparentColor) {
  const int w = WidthOf(source), h = HeightOf(source);
  if (!transparent) {
    BitBlt(dc, x, y, w, h, image.Handle(), source.left, source.top, SRCCOPY);
  } else if (mask) {
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0)), oldBack = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, w, h, mask->Handle(), source.left, source.top, SRCAND);
    BitBlt(dc, x, y, w, h, image.Handle(), source.left, source.top, SRCPAINT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
  } else {
    GdiTransparentBlt(dc, x, y, w, h, image.Handle(), source.left, source.top, w, h, ColorToRGB(transparentColor));
  }
}
}  // namespace

void OmDrawGlyphText(TCanvas& canvas, const std::string& text, TOm3DCaption* caption, TOmGlyphTextRects& results,
                     UINT format, TOmTextDrawFlags flags, bool transparentGlyph, bool showAccelChar, bool multiLine,
                     const TOmGlyphTextLayout& layout, TColor transparentColor, TCanvas* mask, RECT& source,
                     TCanvas* image, const RECT& bounds) {
  results = {};
  const bool hasText = !text.empty();
  const bool hasGlyph = image && !IsRectEmpty(&source);
  const int s = hasText == hasGlyph ? layout.Spacing() : 0;

  RECT t{};
  if (hasText) {
    t = {0, 0, std::abs(WidthOf(bounds)), 0};
    OmMeasureEffectText(&canvas, text, caption, t, format, 0, showAccelChar, multiLine, canvas.Font());
    OffsetRect(&t, -t.left, -t.top);
  }
  RECT g{};
  if (hasGlyph) g = {0, 0, WidthOf(source), HeightOf(source)};

  const auto* buttonLayout = dynamic_cast<const TOmButtonLayout*>(&layout);
  const bool arrow = buttonLayout && buttonLayout->Arrow();
  const int arrowSize = arrow ? buttonLayout->ArrowSize() : 0;
  const int aw = 2 * arrowSize - 1;
  const int indent = arrow ? buttonLayout->ArrowIndent() : 0;
  const TOmArrowPosition arrowPosition = arrow ? buttonLayout->ArrowPosition() : apRightText;
  const bool textArrow = arrow && (arrowPosition == apRightText || arrowPosition == apLeftText);
  if (arrow) (textArrow ? t : g).right += aw + indent;
  const bool textUsed = !IsRectEmpty(&t), glyphUsed = !IsRectEmpty(&g);

  const bool calcOnly = flags.Contains(dfCalcOnly);
  if (calcOnly) flags.Include(dfFocusBoth);

  const int tw = WidthOf(t), th = HeightOf(t), gw = WidthOf(g), gh = HeightOf(g);
  int tdx = 0, tdy = 0, gdx = 0, gdy = 0, blockWidth = 0, blockHeight = 0;
  const TOmTextArrange arrange = layout.AlignText2Glyph();
  if (arrange <= taRightTop) {
    blockHeight = std::max(th, gh);
    if (blockHeight > th) tdy = (blockHeight - th) / 2;
    else gdy = (blockHeight - gh) / 2;
    blockWidth = tw + s + gw;
  } else {
    blockWidth = std::max(tw, gw);
    if (blockWidth > tw) tdx = (blockWidth - tw) / 2;
    else gdx = (blockWidth - gw) / 2;
    blockHeight = th + s + gh;
  }
  POINT textAt{}, glyphAt{};
  switch (arrange) {
    case taLeft: textAt = {0, tdy}; glyphAt = {tw + s, gdy}; break;
    case taLeftTop: textAt = {0, tdy}; glyphAt = {tw + s, 0}; break;
    case taRight: textAt = {gw + s, tdy}; glyphAt = {0, gdy}; break;
    case taRightTop: textAt = {gw + s, tdy}; glyphAt = {0, 1}; break;
    case taTop: textAt = {tdx, 0}; glyphAt = {gdx, th + s}; break;
    case taTopLeft: textAt = {tdx, 0}; glyphAt = {0, th + s}; break;
    case taBottom: textAt = {tdx, gh + s}; glyphAt = {gdx, 0}; break;
    case taBottomLeft: textAt = {tdx, gh + s}; glyphAt = {0, 0}; break;
  }
  OffsetRect(&t, textAt.x, textAt.y);
  OffsetRect(&g, glyphAt.x, glyphAt.y);

  if (!flags.Contains(dfTopLeft)) {
    RECT placed{};
    OmAlignBlock(layout.Alignment(), RECT{0, 0, blockWidth, blockHeight}, bounds, placed);
    OffsetRect(&t, placed.left + 1, placed.top + 1);
    OffsetRect(&g, placed.left, placed.top);
  }
  if (arrow && arrowPosition == apLeftText) OffsetRect(&t, indent + aw, 0);

  canvas.Brush().SetStyle(bsClear);
  format |= DT_EXPANDTABS;
  if (multiLine) {
    // A centred or right layout places the lines itself; a left one keeps a right-to-left
    // caller's right alignment.
    if (layout.Alignment() % 3 != 0) format &= ~(DT_CENTER | DT_RIGHT);
    format |= DT_WORDBREAK | AlignmentFormat(layout.Alignment());
  }

  OffsetRect(&t, layout.OffsetX(), layout.OffsetY());
  OffsetRect(&g, layout.OffsetX(), layout.OffsetY());
  if (flags.Contains(dfLimitText)) {
    t.right = std::min(t.right, bounds.right);
    t.bottom = std::min(t.bottom, bounds.bottom);
  }

  if (!calcOnly && hasText) OmDrawEffectText(canvas, text, caption, nullptr, flags, format, t);
  RECT focus{};
  bool focusChosen = false;
  if (textUsed) results.Text = t;
  if (flags.Contains(dfFocusText)) {
    focus = t;
    InflateRect(&focus, 1, 1);
    focusChosen = true;
  }

  const bool enabled = flags.Contains(dfEnabled);
  const TColor arrowColor = arrow ? buttonLayout->ArrowColor() : clBlack;
  if (textArrow && !calcOnly) {
    const int y = t.top + HeightOf(t) / 2 - arrowSize / 2;
    int x = t.left - (indent + aw);
    if (arrowPosition == apRightText) x = multiLine ? t.right - arrowSize - 1 : t.right - aw - 1;
    OmDrawArrow(canvas, x, y, enabled, true, arrowColor, arrowSize);
  }
  if (arrow && arrowPosition == apLeftGlyph) OffsetRect(&g, indent + aw, 0);

  if (hasGlyph && !calcOnly)
    BlitGlyph(canvas.Handle(), g.left, g.top, source, *image, mask, transparentGlyph, transparentColor);
  if (flags.Contains(dfFocusGlyph)) {
    focus = g;
    focusChosen = true;
  }
  if (glyphUsed) results.Glyph = g;
  UnionRect(&results.Total, &results.Text, &results.Glyph);
  if (flags.Contains(dfFocusBoth)) {
    focus = results.Total;
    InflateRect(&focus, 1, 1);
    focusChosen = true;
  }

  if (arrow && !textArrow && !calcOnly) {
    const int y = g.top + HeightOf(g) / 2 - arrowSize / 2;
    const int x = arrowPosition == apRightGlyph ? g.right - aw : g.left - (indent + aw);
    OmDrawArrow(canvas, x, y, enabled, true, arrowColor, arrowSize);
  }

  if (!focusChosen) {
    focus = bounds;
    InflateRect(&focus, -1, -1);
  }
  if (calcOnly) InflateRect(&focus, 1, 1);
  source = focus;
}

void OmDrawArrow(TCanvas& canvas, int x, int y, bool enabled, bool down, TColor color, int size) {
  if (size < 2 || size > 15) return;
  TPen& pen = canvas.Pen();
  const TColor oldColor = pen.Color();
  const int oldWidth = pen.Width();
  const TPenStyle oldStyle = pen.Style();
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  auto triangle = [&](int left, int top, TColor c) {
    pen.SetColor(c);
    if (down) {
      for (int i = 0; i <= size - 2; ++i) {
        canvas.MoveTo(left + i, top + i);
        canvas.LineTo(left + 2 * size - i - 1, top + i);
      }
      canvas.SetPixel(left + size - 1, top + size - 1, c);
    } else {
      const int centre = left + size / 2;
      for (int i = 0; i < size; ++i) {
        canvas.MoveTo(centre - i, top + i);
        canvas.LineTo(centre + i + 1, top + i);
      }
    }
  };
  if (enabled) {
    triangle(x, y, color);
  } else {
    triangle(x + 1, y + 1, clHighlightText);
    triangle(x, y, clGrayText);
  }
  pen.SetColor(oldColor);
  pen.SetWidth(oldWidth);
  pen.SetStyle(oldStyle);
}

const TEnumNames<TOmTextArrange>& OmTextArrangeNames() {
  static const TEnumNames<TOmTextArrange> names = {
      {"taLeft", taLeft}, {"taLeftTop", taLeftTop}, {"taRight", taRight}, {"taRightTop", taRightTop},
      {"taTop", taTop}, {"taTopLeft", taTopLeft}, {"taBottom", taBottom}, {"taBottomLeft", taBottomLeft}};
  return names;
}

const TEnumNames<TOmArrowPosition>& OmArrowPositionNames() {
  static const TEnumNames<TOmArrowPosition> names = {{"apRightText", apRightText}, {"apLeftText", apLeftText},
                                                     {"apRightGlyph", apRightGlyph}, {"apLeftGlyph", apLeftGlyph}};
  return names;
}

const TPropTable& TOmGlyphTextLayout::Properties() {
  static const TPropTable table = [] {
    TPropTable t;
    t.Add("Alignment", EnumProp(&TOmGlyphTextLayout::SetAlignment, OmAlignmentNames()));
    t.Add("AlignText2Glyph", EnumProp(&TOmGlyphTextLayout::SetAlignText2Glyph, OmTextArrangeNames()));
    t.Add("OffsetX", IntProp(&TOmGlyphTextLayout::SetOffsetX));
    t.Add("OffsetY", IntProp(&TOmGlyphTextLayout::SetOffsetY));
    t.Add("Spacing", IntProp(&TOmGlyphTextLayout::SetSpacing));
    return t;
  }();
  return table;
}

const TPropTable& TOmButtonLayout::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TOmGlyphTextLayout::Properties());
    t.Add("Arrow", BoolProp(&TOmButtonLayout::SetArrow));
    t.Add("ArrowColor", ColorProp(&TOmButtonLayout::SetArrowColor));
    t.Add("ArrowIndent", IntProp(&TOmButtonLayout::SetArrowIndent));
    t.Add("ArrowPosition", EnumProp(&TOmButtonLayout::SetArrowPosition, OmArrowPositionNames()));
    t.Add("ArrowSize", IntProp(&TOmButtonLayout::SetArrowSize));
    return t;
  }();
  return table;
}

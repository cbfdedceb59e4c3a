// Glyph and caption layout: the records TOmGlyphTextLayout and TOmButtonLayout, and
// OmDrawGlyphText, which measures, arranges, aligns and draws a glyph, a caption and an arrow.
// The geometry is shared by painting, hit-testing and tests (dfCalcOnly draws nothing).
#pragma once
#include <cstdint>
#include <string>
#include <windows.h>
#include "controls/drawing/fx_caption.h"
#include "controls/drawing/om_object.h"
#include "controls/drawing/om_types.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/properties.h"

// Where the caption sits relative to the glyph.
enum TOmTextArrange : std::uint8_t { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };
enum TOmArrowPosition : std::uint8_t { apRightText, apLeftText, apRightGlyph, apLeftGlyph };
constexpr int kOmMinArrowSize = 2, kOmMaxArrowSize = 10;  // TOmDDArrowSize

class TOmGlyphTextLayout : public TOmObject {
public:
  TOmGlyphTextLayout() = default;
  void Assign(const TPersistent& source) override;

  TOmAlignment Alignment() const { return alignment_; }
  void SetAlignment(TOmAlignment alignment);
  TOmTextArrange AlignText2Glyph() const { return arrange_; }
  void SetAlignText2Glyph(TOmTextArrange arrange);
  // Offsets by index: 0 OffsetX, 1 OffsetY.
  int Offset(int index) const { return index == 0 ? offsetX_ : offsetY_; }
  void SetOffset(int index, int value);
  int OffsetX() const { return offsetX_; }
  void SetOffsetX(int value) { SetOffset(0, value); }
  int OffsetY() const { return offsetY_; }
  void SetOffsetY(int value) { SetOffset(1, value); }
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);

  static const TPropTable& Properties();

protected:
  TOmAlignment alignment_ = agTopLeft;

private:
  TOmTextArrange arrange_ = taRight;
  std::int32_t offsetX_ = 0, offsetY_ = 0, spacing_ = 2;
};

class TOmButtonLayout : public TOmGlyphTextLayout {
public:
  TOmButtonLayout() { alignment_ = agCenter; }
  void Assign(const TPersistent& source) override;

  bool Arrow() const { return arrow_; }
  void SetArrow(bool arrow);
  TColor ArrowColor() const { return arrowColor_; }
  void SetArrowColor(TColor color);
  int ArrowIndent() const { return arrowIndent_; }
  void SetArrowIndent(int indent);
  TOmArrowPosition ArrowPosition() const { return arrowPosition_; }
  void SetArrowPosition(TOmArrowPosition position);
  int ArrowSize() const { return arrowSize_; }
  void SetArrowSize(int size);  // kept within 2..10

  static const TPropTable& Properties();

private:
  bool arrow_ = false;
  TColor arrowColor_ = clBlack;
  std::int32_t arrowIndent_ = 3;
  TOmArrowPosition arrowPosition_ = apRightText;
  std::uint8_t arrowSize_ = 3;
};

// What OmDrawGlyphText used: all three are empty when the element is absent.
struct TOmGlyphTextRects {
  RECT Total{};  // union of glyph and caption
  RECT Text{};
  RECT Glyph{};
};

// The glyph is the part `source` of `image` (none when image is null or source empty); mask, when
// given, is a monochrome image of the same layout (white = transparent). On return `source`
// holds the focus rectangle. format holds DrawText bits for the caption.
void OmDrawGlyphText(TCanvas& canvas, const std::string& text, TOm3DCaption* caption, TOmGlyphTextRects& results,
                     UINT format, TOmTextDrawFlags flags, bool transparentGlyph, bool showAccelChar, bool multiLine,
                     const TOmGlyphTextLayout& layout, TColor transparentColor, TCanvas* mask, RECT& source,
                     TCanvas* image, const RECT& bounds);

// A drop-down triangle of `size` (2..15, else nothing) with its top-left at (x, y).
void OmDrawArrow(TCanvas& canvas, int x, int y, bool enabled, bool down, TColor color, int size);

const TEnumNames<TOmTextArrange>& OmTextArrangeNames();
const TEnumNames<TOmArrowPosition>& OmArrowPositionNames();

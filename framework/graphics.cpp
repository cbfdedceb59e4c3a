#include "framework/graphics.h"
#include <cstdlib>
#include "framework/strings.h"

COLORREF ColorToRGB(TColor color) {
  if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFFu;
}

namespace {
struct TColorName { const char* name; TColor color; };
constexpr TColorName kColorNames[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clNone", clNone}, {"clDefault", clDefault}, {"clScrollBar", clScrollBar},
    {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption}, {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame}, {"clWindowText", clWindowText}, {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
    {"clBtnHighlight", clBtnHighlight}, {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText}, {"clInfoBk", clInfoBk}, {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText}, {"clHotLight", clHotLight}};
}  // namespace

bool IdentToColor(const std::string& name, TColor& color) {
  for (const TColorName& entry : kColorNames)
    if (_stricmp(entry.name, name.c_str()) == 0) { color = entry.color; return true; }
  return false;
}

const TEnumNames<TFontStyle>& FontStyleNames() {
  static const TEnumNames<TFontStyle> names = {
      {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};
  return names;
}

TFont::TFont() = default;

void TFont::Assign(const TPersistent& source) {
  const auto* font = dynamic_cast<const TFont*>(&source);
  if (!font) return TGraphicsObject::Assign(source);
  if (*this == *font) return;
  name_ = font->name_;
  height_ = font->height_;
  style_ = font->style_;
  color_ = font->color_;
  charset_ = font->charset_;
  orientation_ = font->orientation_;
  quality_ = font->quality_;
  Update();
}

bool TFont::operator==(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
         color_ == other.color_ && charset_ == other.charset_ && orientation_ == other.orientation_ &&
         quality_ == other.quality_;
}

void TFont::SetName(const std::string& name) { if (name != name_) { name_ = name; Update(); } }
void TFont::SetHeight(int height) { if (height != height_) { height_ = height; Update(); } }
int TFont::Size() const { return -MulDiv(height_, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }
void TFont::SetStyle(TFontStyles style) { if (!(style == style_)) { style_ = style; Update(); } }
void TFont::SetColor(TColor color) { if (color != color_) { color_ = color; Changed(); } }
void TFont::SetCharset(TFontCharset charset) { if (charset != charset_) { charset_ = charset; Update(); } }
void TFont::SetOrientation(int tenths) { if (tenths != orientation_) { orientation_ = tenths; Update(); } }
void TFont::SetQuality(TFontQuality quality) { if (quality != quality_) { quality_ = quality; Update(); } }

void TFont::Update() {
  handle_.Reset();
  Changed();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfEscapement = lf.lfOrientation = orientation_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfQuality = static_cast<BYTE>(quality_);
    lf.lfOutPrecision = orientation_ ? OUT_TT_ONLY_PRECIS : OUT_DEFAULT_PRECIS;
    std::wstring face = AnsiToWide(name_);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    handle_.Reset(CreateFontIndirectW(&lf));
    if (!handle_) throw EOutOfResources("Out of system resources");
  }
  return handle_.Get();
}

void TPen::Assign(const TPersistent& source) {
  const auto* pen = dynamic_cast<const TPen*>(&source);
  if (!pen) return TGraphicsObject::Assign(source);
  color_ = pen->color_; width_ = pen->width_; style_ = pen->style_;
  Update();
}
void TPen::SetColor(TColor color) { if (color != color_) { color_ = color; Update(); } }
void TPen::SetWidth(int width) { if (width != width_) { width_ = width; Update(); } }
void TPen::SetStyle(TPenStyle style) { if (style != style_) { style_ = style; Update(); } }
void TPen::Update() { handle_.Reset(); Changed(); }

HPEN TPen::Handle() const {
  if (!handle_) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_.Reset(CreatePen(kStyles[style_], width_, ColorToRGB(color_)));
    if (!handle_) throw EOutOfResources("Out of system resources");
  }
  return handle_.Get();
}

void TBrush::Assign(const TPersistent& source) {
  const auto* brush = dynamic_cast<const TBrush*>(&source);
  if (!brush) return TGraphicsObject::Assign(source);
  color_ = brush->color_; style_ = brush->style_;
  Update();
}
void TBrush::SetColor(TColor color) {
  if (color != color_ || style_ == bsClear) { color_ = color; style_ = bsSolid; Update(); }
}
void TBrush::SetStyle(TBrushStyle style) { if (style != style_) { style_ = style; Update(); } }
void TBrush::Update() { handle_.Reset(); Changed(); }

HBRUSH TBrush::Handle() const {
  if (style_ == bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!handle_) {
    handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
    if (!handle_) throw EOutOfResources("Out of system resources");
  }
  return handle_.Get();
}

const TPropTable& TFont::Properties() {
  static const TPropTable table = [] {
    TPropTable t;
    t.Add("Name", StringProp(&TFont::SetName));
    t.Add("Height", IntProp(&TFont::SetHeight));
    t.Add("Size", IntProp(&TFont::SetSize));
    t.Add("Style", SetProp(&TFont::SetStyle, FontStyleNames()));
    t.Add("Color", ColorProp(&TFont::SetColor));
    t.Add("Charset", {[](TPersistent& f, const TFormValue& v, TReadContext&) {
      static_cast<TFont&>(f).SetCharset(ValueToCharset(v)); }, nullptr, nullptr});
    return t;
  }();
  return table;
}

#include "controls/edits/graphic_button.h"
#include <algorithm>
#include <vector>
#include <windowsx.h>
#include "framework/form.h"
#include "framework/strings.h"
#include "framework/win_control.h"

namespace {
constexpr int kHlsMax = 252, kRgbMax = 255, kUndefinedHue = kHlsMax * 2 / 3;
constexpr int kArrowFlat = 11, kArrowRaised = 15, kThemedArrow = 13;

int HueToRGB(int n1, int n2, int hue) {
  if (hue < 0) hue += kHlsMax;
  if (hue > kHlsMax) hue -= kHlsMax;
  if (hue < kHlsMax / 6) return n1 + (((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6));
  if (hue < kHlsMax / 2) return n2;
  if (hue < kHlsMax * 2 / 3) return n1 + (((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6));
  return n1;
}

// Selects an object into a context for one scope.
class TSelected {
public:
  TSelected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelected() { SelectObject(dc_, old_); }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;
private:
  HDC dc_;
  HGDIOBJ old_;
};

void FillColor(HDC dc, const RECT& r, COLORREF color) {
  TGdiHandle<HBRUSH> brush(CreateSolidBrush(color));
  FillRect(dc, &r, brush.Get());
}

// One ring: top and left in `topLeft`, right and bottom in `bottomRight`.
void DrawRing(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  FillColor(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  FillColor(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  FillColor(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  FillColor(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}
}  // namespace

TEdHls RGBToHls(COLORREF color) {
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  TEdHls hls{kUndefinedHue, ((hi + lo) * kHlsMax + kRgbMax) / (2 * kRgbMax), 0};
  if (hi == lo) return hls;
  const int sum = hi + lo, delta = hi - lo;
  hls.s = hls.l <= kHlsMax / 2 ? (delta * kHlsMax + sum / 2) / sum
                               : (delta * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);
  const int rd = ((hi - r) * (kHlsMax / 6) + delta / 2) / delta;
  const int gd = ((hi - g) * (kHlsMax / 6) + delta / 2) / delta;
  const int bd = ((hi - b) * (kHlsMax / 6) + delta / 2) / delta;
  if (r == hi) hls.h = bd - gd;
  else if (g == hi) hls.h = kHlsMax / 3 + rd - bd;
  else hls.h = 2 * kHlsMax / 3 + gd - rd;
  if (hls.h < 0) hls.h += kHlsMax;
  if (hls.h > kHlsMax) hls.h -= kHlsMax;
  return hls;
}

COLORREF HlsToRGB(const TEdHls& hls) {
  if (hls.s == 0) {
    const int grey = hls.l * kRgbMax / kHlsMax;
    return RGB(grey, grey, grey);
  }
  const int m2 = hls.l <= kHlsMax / 2 ? (hls.l * (kHlsMax + hls.s) + kHlsMax / 2) / kHlsMax
                                      : hls.l + hls.s - (hls.l * hls.s + kHlsMax / 2) / kHlsMax;
  const int m1 = 2 * hls.l - m2;
  auto channel = [&](int hue) { return std::clamp((HueToRGB(m1, m2, hue) * kRgbMax + kHlsMax / 2) / kHlsMax, 0, 255); };
  return RGB(channel(hls.h + kHlsMax / 3), channel(hls.h), channel(hls.h - kHlsMax / 3));
}

TEdFrameColors FrameColorsFor(TColor face) {
  TEdFrameColors c{GetSysColor(COLOR_BTNHIGHLIGHT), ColorToRGB(face), GetSysColor(COLOR_BTNSHADOW),
                   GetSysColor(COLOR_3DDKSHADOW)};
  if (face == clBtnFace) return c;
  const TEdHls hls = RGBToHls(c.face);
  if (hls.l == 0) return c;  // black: nothing to lighten or darken from
  c.highlight = HlsToRGB({hls.h, std::min(239, hls.l + hls.l / 3), hls.s});
  c.darkShadow = HlsToRGB({hls.h, std::min(239, hls.l - hls.l / 2), hls.s});
  c.shadow = HlsToRGB({hls.h, std::min(239, hls.l - hls.l / 3), hls.s});
  return c;
}

TEdGlyphPlacement PlaceGlyphAndCaption(const RECT& content, SIZE glyph, SIZE caption, TEdButtonLayout layout,
                                       int margin, int spacing) {
  const int width = content.right - content.left, height = content.bottom - content.top;
  if (glyph.cy > height && height > 2) glyph = {glyph.cx * (height - 2) / height, height - 2};
  if (glyph.cx > width && width > 2) glyph = {width - 2, glyph.cy * (width - 4) / glyph.cx};
  const bool hasGlyph = glyph.cx > 0 && glyph.cy > 0, hasCaption = caption.cx > 0 && caption.cy > 0;
  if (!hasGlyph || !hasCaption) spacing = 0;
  const bool across = layout == eblGlyphLeft || layout == eblGlyphRight;
  const int room = across ? width : height;
  const int g = hasGlyph ? (across ? glyph.cx : glyph.cy) : 0, c = hasCaption ? (across ? caption.cx : caption.cy) : 0;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (room - g - c) / 3;
  } else if (margin == -1) {
    margin = (room - (g + spacing + c)) / 2;
  } else if (spacing == -1) {
    spacing = (room - margin - g - c) / 2;
  }
  int gPos = margin, cPos = margin + g + spacing;
  if (layout == eblGlyphRight || layout == eblGlyphBottom) {
    gPos = room - margin - g;
    cPos = gPos - spacing - c;
  }
  const int cross = across ? height : width;
  auto centre = [cross](int size) { return (cross - size) / 2; };
  TEdGlyphPlacement p{};
  if (across) {
    p.glyph = {gPos, centre(glyph.cy), gPos + glyph.cx, centre(glyph.cy) + glyph.cy};
    p.caption = {cPos, centre(caption.cy), cPos + caption.cx, centre(caption.cy) + caption.cy};
  } else {
    p.glyph = {centre(glyph.cx), gPos, centre(glyph.cx) + glyph.cx, gPos + glyph.cy};
    p.caption = {centre(caption.cx), cPos, centre(caption.cx) + caption.cx, cPos + caption.cy};
  }
  OffsetRect(&p.glyph, content.left, content.top);
  OffsetRect(&p.caption, content.left, content.top);
  if (!hasGlyph) p.glyph = {};
  if (!hasCaption) p.caption = {};
  return p;
}

// --- glyph ---

TEdButtonGlyph::TEdButtonGlyph() : glyph_(std::make_unique<TBitmap>()), icon_(std::make_unique<TIcon>()) {
  glyph_->OnChange = [this](TObject*) { Changed(); };
  icon_->OnChange = [this](TObject*) { Changed(); };
}

TEdButtonGlyph::~TEdButtonGlyph() = default;

void TEdButtonGlyph::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TEdButtonGlyph*>(&source);
  if (!other) return TPersistent::Assign(source);
  glyph_->Assign(*other->glyph_);
  icon_->Assign(*other->icon_);
  numGlyphs_ = other->numGlyphs_;
  useIcon_ = other->useIcon_;
  Changed();
}

void TEdButtonGlyph::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (value == numGlyphs_) return;
  numGlyphs_ = value;
  Changed();
}

void TEdButtonGlyph::SetUseIcon(bool value) {
  if (value == useIcon_) return;
  useIcon_ = value;
  Changed();
}

void TEdButtonGlyph::Changed() {
  for (auto& picture : pictures_) picture.reset();
  if (OnChange) OnChange(this);
}

bool TEdButtonGlyph::Empty() const { return useIcon_ ? icon_->Empty() : glyph_->Empty(); }

SIZE TEdButtonGlyph::PictureSize() const {
  if (useIcon_) return {icon_->Width(), icon_->Height()};
  if (glyph_->Empty()) return {0, 0};
  return {glyph_->Width() / numGlyphs_, glyph_->Height()};
}

std::unique_ptr<TBitmap> TEdButtonGlyph::MakePicture(int index) const {
  const SIZE size = PictureSize();
  auto picture = std::make_unique<TBitmap>();
  picture->SetSize(size.cx, size.cy);
  BitBlt(picture->Canvas().Handle(), 0, 0, size.cx, size.cy, glyph_->Canvas().Handle(), index * size.cx, 0, SRCCOPY);
  picture->SetTransparentColor(glyph_->TransparentColor());
  picture->SetTransparent(true);
  return picture;
}

// The grey, engraved look of a glyph that has no disabled picture of its own: highlight one
// pixel right and down of the picture's opaque pixels, shadow on them, dark shadow elsewhere.
// Worked per pixel: colour-to-mono blits disagree between systems on which side is set.
std::unique_ptr<TBitmap> TEdButtonGlyph::MakeEmbossed() const {
  const SIZE size = PictureSize();
  std::unique_ptr<TBitmap> source = MakePicture(0);
  HDC sourceDC = source->Canvas().Handle();
  const COLORREF key = ColorToRGB(source->TransparentColor());
  std::vector<bool> opaque(static_cast<size_t>(size.cx * size.cy));
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) opaque[y * size.cx + x] = (GetPixel(sourceDC, x, y) & 0xFFFFFF) != key;

  auto embossed = std::make_unique<TBitmap>();
  embossed->SetSize(size.cx, size.cy);
  HDC dc = embossed->Canvas().Handle();
  FillColor(dc, {0, 0, size.cx, size.cy}, GetSysColor(COLOR_3DDKSHADOW));
  for (auto [color, offset] : {std::pair{COLOR_BTNHIGHLIGHT, 1}, std::pair{COLOR_BTNSHADOW, 0}}) {
    const COLORREF rgb = GetSysColor(color);
    for (int y = 0; y + offset < size.cy; ++y)
      for (int x = 0; x + offset < size.cx; ++x)
        if (opaque[y * size.cx + x]) SetPixel(dc, x + offset, y + offset, rgb);
  }
  embossed->SetTransparent(true);
  return embossed;
}

const TBitmap& TEdButtonGlyph::Picture(TEdButtonState state) const {
  int index = state;
  if (state == ebsDisabled && numGlyphs_ < 2) {
    if (!pictures_[index]) pictures_[index] = MakeEmbossed();
    return *pictures_[index];
  }
  if (state == ebsDown && numGlyphs_ < 3) index = 0;
  if (index >= numGlyphs_) index = 0;
  if (!pictures_[index]) pictures_[index] = MakePicture(index);
  return *pictures_[index];
}

void TEdButtonGlyph::Draw(HDC dc, const RECT& dest, TEdButtonState state) const {
  if (Empty() || IsRectEmpty(&dest)) return;
  if (useIcon_) {
    icon_->DrawOn(dc, dest);
    return;
  }
  Picture(state).DrawOn(dc, dest);  // transparent, stretched when the size differs
}

// --- button ---

TCustomEdGraphicButton::TCustomEdGraphicButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TEdButtonGlyph>()) {
  SetBounds(0, 0, 75, 25);
  SetColor(clBtnFace);
  Font()->SetColor(clBtnText);
  glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TCustomEdGraphicButton::~TCustomEdGraphicButton() = default;

void TCustomEdGraphicButton::Change(bool& field, bool value) {
  if (field == value) return;
  field = value;
  Invalidate();
}

void TCustomEdGraphicButton::ChangeLineColor(TColor& field, TColor value) {
  if (field == value) return;
  field = value;
  if (lineBorder_) Invalidate();
}

void TCustomEdGraphicButton::SetLayout(TEdButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TCustomEdGraphicButton::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TCustomEdGraphicButton::SetMargin(int value) {
  if (value == margin_) return;
  margin_ = value;
  Invalidate();
}

void TCustomEdGraphicButton::SetFlat(bool value) {
  if (value) oldStyled_ = false;
  Change(flat_, value);
}

void TCustomEdGraphicButton::SetThinFrame(bool value) {
  if (value) oldStyled_ = false;
  Change(thinFrame_, value);
}

void TCustomEdGraphicButton::SetOldStyled(bool value) {
  if (value && flat_) return;  // a flat button has no permanent frame to emphasise
  Change(oldStyled_, value);
}

void TCustomEdGraphicButton::SetUseXPThemes(bool value) {
  if (value == useXPThemes_) return;
  useXPThemes_ = value;
  theme_.Close();
  arrowTheme_.Close();
  if (value) OpenTheme();
  Invalidate();
}

void TCustomEdGraphicButton::OpenTheme() {
  // The theme handle needs a window: the parent's, once it has one.
  if (!useXPThemes_ || !ThemesInUse() || !Parent() || !Parent()->HandleAllocated()) return;
  if (!theme_) theme_.Open(Parent()->Handle(), L"BUTTON");
  if (!arrowTheme_ && showArrow_) arrowTheme_.Open(Parent()->Handle(), L"COMBOBOX");
}

bool TCustomEdGraphicButton::IsThemeApplied() const { return useXPThemes_ && ThemesInUse() && theme_; }

void TCustomEdGraphicButton::SetDown(bool value) {
  if (value == down_) return;
  down_ = value;
  if (state_ != ebsDisabled) state_ = down_ ? ebsExclusive : ebsUp;
  Invalidate();
}

void TCustomEdGraphicButton::SetShowArrow(bool value) { Change(showArrow_, value); }

void TCustomEdGraphicButton::SetPullDownMenu(TPopupMenu* menu) { SetReference(pullDownMenu_, menu); }

void TCustomEdGraphicButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == pullDownMenu_) pullDownMenu_ = nullptr;
}

void TCustomEdGraphicButton::DropPullDown() {
  if (!pullDownMenu_ || !Parent() || !Parent()->HandleAllocated()) return;
  HWND owner = Parent()->Handle();
  state_ = ebsDropped;
  Repaint();
  // Below: the menu's top left at the bottom left; right: at the top right; above: the menu's
  // bottom left at the top left.
  const POINT at = ClientToScreen(popupPlace_ == ppDown ? POINT{0, Height()}
                                  : popupPlace_ == ppRight ? POINT{Width(), 0} : POINT{0, 0});
  pullDownMenu_->Popup(at.x, at.y, owner, TPM_LEFTALIGN | (popupPlace_ == ppTop ? TPM_BOTTOMALIGN : TPM_TOPALIGN));
  // The click that closed the menu must not press the button again.
  MSG pending;
  while (PeekMessageW(&pending, owner, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {}
  tracking_ = hot_ = inArrow_ = false;
  state_ = !Enabled() ? ebsDisabled : down_ && latching_ ? ebsExclusive : ebsUp;
  Repaint();
}

int TCustomEdGraphicButton::ArrowWidth() const {
  if (!showArrow_) return 0;
  if (IsThemeApplied()) {
    const SIZE size = arrowTheme_.PartSize(nullptr, 1, 1);
    return size.cx > 0 ? size.cx : kThemedArrow;
  }
  return flat_ ? kArrowFlat : kArrowRaised;
}

bool TCustomEdGraphicButton::InArrow(int x) const { return showArrow_ && x >= Width() - ArrowWidth(); }

bool TCustomEdGraphicButton::Pressed() const { return state_ == ebsDown || state_ == ebsExclusive || down_; }

void TCustomEdGraphicButton::FixState() {
  const bool disabled = !Enabled() || (Parent() && !Parent()->Enabled());
  if (disabled) {
    state_ = ebsDisabled;
    tracking_ = false;
  } else if (state_ == ebsDisabled) {
    state_ = down_ && latching_ ? ebsExclusive : ebsUp;
  }
}

void TCustomEdGraphicButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled() || IsDesigning()) return;
  if (InArrow(x) && pullDownMenu_) {
    ArrowClick();
    DropPullDown();
    return;
  }
  if (InArrow(x)) {
    state_ = ebsDropped;
  } else if (!down_) {
    state_ = ebsDown;
  }
  tracking_ = hot_ = true;
  Repaint();
}

void TCustomEdGraphicButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (tracking_) {
    TEdButtonState wanted = down_ ? ebsExclusive : ebsUp;
    if (inside && !down_) wanted = InArrow(x) ? ebsDropped : ebsDown;
    if (wanted != state_) {
      state_ = wanted;
      Repaint();
    }
  } else if (showArrow_) {
    const bool over = inside && InArrow(x);
    if (over != inArrow_) {
      inArrow_ = over;
      hot_ = !over;
      Repaint();
    }
  }
}

void TCustomEdGraphicButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !tracking_) return;
  tracking_ = false;
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (latching_) {
    if (inside) down_ = !down_;
    state_ = down_ ? ebsExclusive : ebsUp;
  } else {
    state_ = ebsUp;
  }
  hot_ = inside;
  if (!inside) MouseLeave();
  if (state_ == ebsUp || state_ == ebsDisabled) Repaint();
  if (!inside) return;
  if (InArrow(x)) ArrowClick();
  else Click();
}

void TCustomEdGraphicButton::MouseEnter() {
  if (!Enabled()) return;
  POINT pt;
  GetCursorPos(&pt);
  pt = ScreenToClient(pt);
  inArrow_ = InArrow(pt.x);
  hot_ = !inArrow_;
  if (!oldStyled_ || IsThemeApplied()) Invalidate();
}

void TCustomEdGraphicButton::MouseLeave() {
  const bool was = hot_ || inArrow_;
  hot_ = inArrow_ = false;
  if (was || !oldStyled_ || IsThemeApplied()) Invalidate();
}

void TCustomEdGraphicButton::GiveModalResult() const {
  if (modalResult_ != 0)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
}

void TCustomEdGraphicButton::Click() {
  GiveModalResult();
  TGraphicControl::Click();
  Invalidate();
  if (!showArrow_) DropPullDown();
}

void TCustomEdGraphicButton::ArrowClick() {
  GiveModalResult();
  if (OnArrowClick) OnArrowClick(this);
  Invalidate();
}

void TCustomEdGraphicButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONUP:
      // Our own release step decides about the click, not the framework's.
      pressed_ = false;
      MouseUp(mbLeft, KeysToShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      return;
    case WM_CANCELMODE:
      // Capture taken away: the press is over without a click.
      if (tracking_) {
        tracking_ = false;
        if (state_ != ebsDisabled) state_ = down_ ? ebsExclusive : ebsUp;
        hot_ = inArrow_ = false;
        Invalidate();
      }
      break;
    case CM_MOUSEENTER: MouseEnter(); return;
    case CM_MOUSELEAVE: MouseLeave(); return;
    case CM_ENABLEDCHANGED:
      FixState();
      Invalidate();
      return;
    case WM_THEMECHANGED:
      theme_.Close();
      arrowTheme_.Close();
      OpenTheme();
      Invalidate();
      m.Result = 1;
      return;
    default: break;
  }
  TGraphicControl::WndProc(m);
}

void TCustomEdGraphicButton::DrawFrame(HDC dc, RECT& content) {
  const RECT client = ClientRect();
  if (IsThemeApplied()) {
    int themeState = 1;
    if (state_ == ebsDisabled) themeState = 4;
    else if (Pressed()) themeState = 3;
    else if (hot_) themeState = 2;
    RECT body = client;
    body.right -= ArrowWidth();
    theme_.DrawBackground(dc, 1, themeState, body);
    if (showArrow_) arrowTheme_.DrawBackground(dc, 1, themeState, {body.right, 0, client.right, client.bottom});
    return;
  }
  const TEdFrameColors colors = FrameColorsFor(useOwnColor_ ? Color() : clBtnFace);
  if (lineBorder_) {
    COLORREF line = ColorToRGB(lineInactive_);
    if (Pressed()) line = ColorToRGB(linePressed_);
    else if (hot_ && state_ != ebsDisabled) line = ColorToRGB(lineActive_);
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(line));
    FrameRect(dc, &client, brush.Get());
    InflateRect(&content, -1, -1);
    return;
  }
  if (!showBorder_) return;
  if (flat_) {
    if (Pressed() || (hot_ && state_ != ebsDisabled) || IsDesigning()) {
      if (Pressed()) DrawRing(dc, client, colors.shadow, colors.highlight);
      else DrawRing(dc, client, colors.highlight, colors.shadow);
    }
    return;
  }
  const bool emphasised = oldStyled_ || (hot_ && !thinFrame_);
  RECT inner = client;
  InflateRect(&inner, -1, -1);
  if (Pressed()) {
    DrawRing(dc, client, colors.shadow, colors.highlight);
    if (!thinFrame_) DrawRing(dc, inner, colors.darkShadow, colors.face);
  } else if (emphasised) {
    DrawRing(dc, client, colors.highlight, colors.darkShadow);
    if (!thinFrame_) DrawRing(dc, inner, colors.face, colors.shadow);
  } else {
    DrawRing(dc, client, colors.highlight, colors.shadow);
    if (!thinFrame_) DrawRing(dc, inner, colors.face, colors.face);
  }
}

void TCustomEdGraphicButton::DrawArrow(HDC dc, const RECT& strip) {
  if (IsThemeApplied()) return;  // the theme drew it
  const int cx = (strip.left + strip.right) / 2, cy = (strip.top + strip.bottom) / 2 - 1;
  const COLORREF color = GetSysColor(state_ == ebsDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  for (int row = 0; row < 3; ++row) FillColor(dc, {cx - 2 + row, cy + row, cx + 3 - row, cy + row + 1}, color);
  // The strip's separator.
  FillColor(dc, {strip.left, strip.top + 3, strip.left + 1, strip.bottom - 3}, GetSysColor(COLOR_BTNSHADOW));
}

void TCustomEdGraphicButton::Paint() {
  const int width = Width(), height = Height();
  if (width <= 0 || height <= 0) return;
  HDC target = Canvas().Handle();
  OpenTheme();
  FixState();
  // Drawn off-screen on a copy of what lies under the button, then put back in one block.
  TGdiHandle<HBITMAP> buffer(CreateCompatibleBitmap(target, width, height));
  {
    TMemoryDC memory;
    HDC dc = memory.Get();
    TSelected selected(dc, buffer.Get());
    BitBlt(dc, 0, 0, width, height, target, 0, 0, SRCCOPY);
    const COLORREF face = ColorToRGB(useOwnColor_ ? Color() : clBtnFace);
    const bool themed = IsThemeApplied();
    const RECT client{0, 0, width, height};
    if (!themed && !transparent_) FillColor(dc, client, face);
    RECT content = client;
    DrawFrame(dc, content);
    if (contentInset_) {
      const int inset = thinFrame_ ? 1 : 2;
      InflateRect(&content, -inset, -inset);
    }
    const int arrow = ArrowWidth();
    content.right -= arrow;
    if (arrow) DrawArrow(dc, {width - arrow, 0, width, height});

    TSelected font(dc, Font()->Handle());
    const std::wstring caption = AnsiToWide(Caption());
    SIZE captionSize{0, 0};
    if (!caption.empty()) GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &captionSize);
    TEdGlyphPlacement place =
        PlaceGlyphAndCaption(content, glyph_->PictureSize(), captionSize, layout_, margin_, spacing_);
    if (state_ == ebsExclusive || (state_ == ebsDown && glyph_->UseIcon())) {
      OffsetRect(&place.glyph, 1, 1);
      OffsetRect(&place.caption, 1, 1);
    }
    glyph_->Draw(dc, place.glyph, state_);
    if (!caption.empty()) {
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, state_ == ebsDisabled ? GetSysColor(COLOR_GRAYTEXT) : ColorToRGB(Font()->Color()));
      DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &place.caption,
                DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  }
}

#include "controls/edits/custom_edit.h"
#include <algorithm>
#include <utility>
#include <cstring>
#include <windowsx.h>
#include "framework/clipboard.h"
#include "framework/properties.h"

namespace {
// Owns a popup menu for one showing.
class TMenuHolder {
public:
  TMenuHolder() : menu_(CreatePopupMenu()) {}
  ~TMenuHolder() { if (menu_) DestroyMenu(menu_); }
  TMenuHolder(const TMenuHolder&) = delete;
  TMenuHolder& operator=(const TMenuHolder&) = delete;
  HMENU Get() const { return menu_; }
private:
  HMENU menu_;
};

bool IsShiftOnly(TShiftState s) { return s.Contains(ssShift) && !s.Contains(ssCtrl) && !s.Contains(ssAlt); }
bool IsCtrlOnly(TShiftState s) { return s.Contains(ssCtrl) && !s.Contains(ssShift) && !s.Contains(ssAlt); }
}  // namespace

TCustomEdEdit::TCustomEdEdit(TComponent* owner)
    : TEdXPThemedControl(owner), background_(std::make_unique<TBitmap>()) {
  BeginCreate();
  SetParentColor(false);
  SetColor(clWindow);
  SetCursor(crIBeam);
  SetTabStop(true);
  SetBounds(Left(), Top(), 200, 100);
  SetAutoSize(true);
  background_->OnChange = [this](TObject*) { if (useBackground_) Invalidate(); };
  EndCreate();
}

TCustomEdEdit::~TCustomEdEdit() {
  sysCaret_.Destroy();
  DestroyHandle();
}

// ---- text store and notifications

TEdFString TCustomEdEdit::ApplyCharCase(const TEdFString& text) const {
  if (charCase_ == ecNormal || text.empty()) return text;
  TEdFString result = text;
  if (charCase_ == ecUpperCase) CharUpperBuffW(result.data(), static_cast<DWORD>(result.size()));
  else CharLowerBuffW(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

void TCustomEdEdit::SetText(const TEdFString& text) {
  if (text == Text()) return;
  const TEdFString converted = ApplyCharCase(text);
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying)) {
    StoreText(converted);
    return;
  }
  undo_.Clear();
  redo_.Clear();
  if (HandleAllocated()) {
    SendMessageW(Handle(), WM_SETTEXT, 1, reinterpret_cast<LPARAM>(converted.c_str()));
  } else {
    StoreText(converted);
    if (!notifyUserChangeOnly_) NotifyTextChange();
    SelectionChange();
  }
  UpdateScrollInfo();
}

void TCustomEdEdit::StoreText(const TEdFString& text) {
  strings_.SetText(text, multiLine_);
  caret_ = anchor_ = {0, 0};
  firstCol_ = firstLine_ = 0;
  ++changeCount_;
  UpdateCaret();
  Invalidate();
}

void TCustomEdEdit::NotifyTextChange() {
  if (OnChange) OnChange(this);
}

void TCustomEdEdit::SelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomEdEdit::SetCaretPos(TEdPos pos) { SetSelection(pos, pos); }

void TCustomEdEdit::SetSelection(TEdPos anchor, TEdPos caret) {
  anchor = strings_.Clamp(anchor);
  caret = strings_.Clamp(caret);
  if (anchor == anchor_ && caret == caret_) return;
  anchor_ = anchor;
  caret_ = caret;
  ScrollToCaret();
  SelectionChange();
  Invalidate();
}

bool TCustomEdEdit::Replace(TEdPos from, TEdPos to, const TEdFString& text, TEdActionKind kind) {
  from = strings_.Clamp(from);
  to = strings_.Clamp(to);
  if (to < from) std::swap(from, to);
  if (from == to && text.empty()) return false;
  TEdEditAction action;
  action.kind = kind;
  action.offset = strings_.OffsetOf(from);
  action.selStart = strings_.OffsetOf(anchor_);
  action.selEnd = strings_.OffsetOf(caret_);
  action.removed = strings_.Delete(from, to);
  const TEdPos end = strings_.Insert(from, text, multiLine_);
  // Single-line text keeps any line break it is given; the joined text is what was inserted.
  action.inserted = strings_.Range(from, end);
  const bool changed = action.removed != action.inserted;
  if (changed) {
    undo_.Push(action);
    redo_.Clear();
    ++changeCount_;
  }
  caret_ = anchor_ = end;
  return changed;
}

void TCustomEdEdit::AfterOperation(bool changed) {
  if (changed && !notifyUserChangeOnly_) NotifyTextChange();
  ScrollToCaret();
  SelectionChange();
  Invalidate();
}

void TCustomEdEdit::SetSelText(const TEdFString& text) {
  AfterOperation(Replace(anchor_, caret_, text, eakReplace));
}

void TCustomEdEdit::ClearSelection() {
  if (readOnly_ || !HasSelection()) return;
  AfterOperation(Replace(anchor_, caret_, L"", eakReplace));
}

void TCustomEdEdit::SelectAll() {
  undo_.Break();
  SetSelection({0, 0}, strings_.End());
}

void TCustomEdEdit::CopyToClipboard() {
  if (!HasSelection() || passwordChar_) return;
  TClipboard clipboard(HandleAllocated() ? Handle() : nullptr);
  clipboard.SetText(SelText());
}

void TCustomEdEdit::CutToClipboard() {
  CopyToClipboard();
  if (!passwordChar_) ClearSelection();
}

void TCustomEdEdit::PasteFromClipboard() {
  if (readOnly_) return;
  TEdFString text;
  {
    TClipboard clipboard(HandleAllocated() ? Handle() : nullptr);
    if (!clipboard.GetText(text)) return;
  }
  if (!multiLine_) text = text.substr(0, text.find_first_of(L"\r\n"));
  text = ApplyCharCase(text);
  if (text.empty() && !HasSelection()) return;
  AfterOperation(Replace(anchor_, caret_, text, eakReplace));
}

void TCustomEdEdit::ApplyAction(const TEdEditAction& action, bool backwards) {
  const TEdFString& gone = backwards ? action.inserted : action.removed;
  const TEdFString& back = backwards ? action.removed : action.inserted;
  const TEdPos from = strings_.PosOf(action.offset);
  const TEdPos to = strings_.PosOf(action.offset + static_cast<int>(gone.size()));
  strings_.Delete(from, to);
  const TEdPos end = strings_.Insert(from, back, multiLine_);
  ++changeCount_;
  if (backwards) {
    anchor_ = strings_.PosOf(action.selStart);
    caret_ = strings_.PosOf(action.selEnd);
  } else {
    anchor_ = caret_ = end;
  }
}

void TCustomEdEdit::Undo() {
  if (readOnly_ || undo_.Empty()) return;
  const TEdEditAction action = undo_.Pop();
  ApplyAction(action, true);
  redo_.Push(action);
  redo_.Break();
  AfterOperation(true);
}

void TCustomEdEdit::Redo() {
  if (readOnly_ || redo_.Empty()) return;
  const TEdEditAction action = redo_.Pop();
  ApplyAction(action, false);
  undo_.Push(action);
  undo_.Break();
  AfterOperation(true);
}

// ---- properties

void TCustomEdEdit::SetReadOnly(bool value) {
  if (!Change(readOnly_, value)) return;
  if (HandleAllocated()) {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, value ? (style | ES_READONLY) : (style & ~static_cast<LONG_PTR>(ES_READONLY)));
  }
}

void TCustomEdEdit::SetAlignment(TAlignment value) {
  if (Change(alignment_, value)) {
    ScrollToCaret();
    Invalidate();
  }
}

void TCustomEdEdit::SetCharCase(TEditCharCase value) {
  if (!Change(charCase_, value) || value == ecNormal) return;
  const TEdFString converted = ApplyCharCase(Text());
  if (converted != Text()) StoreText(converted);
}

void TCustomEdEdit::SetPasswordChar(wchar_t value) {
  if (Change(passwordChar_, value)) Invalidate();
}

void TCustomEdEdit::SetMultiline(bool value) {
  if (!Change(multiLine_, value)) return;
  const TEdFString text = Text();
  strings_.SetText(text, multiLine_);
  caret_ = anchor_ = {0, 0};
  UpdateWindowStyles();
  Relayout();
}

void TCustomEdEdit::SetBorderStyle(TBorderStyle value) {
  if (value != bsNone) value = bsSingle;
  if (Change(borderStyle_, value)) UpdateWindowStyles();
}

void TCustomEdEdit::SetBorderSides(TEdBorderSides value) {
  if (Change(borderSides_, value)) UpdateWindowStyles();
}

void TCustomEdEdit::SetCtl3D(bool value) {
  parentCtl3D_ = false;
  if (Change(ctl3D_, value)) UpdateWindowStyles();
}

void TCustomEdEdit::SetFlat(bool value) {
  if (Change(flat_, value)) UpdateWindowStyles();
}

void TCustomEdEdit::SetTransparent(bool value) {
  if (Change(transparent_, value)) UpdateWindowStyles();
}

void TCustomEdEdit::SetHighlightAlphaLevel(int value) {
  if (Change(highlightAlphaLevel_, std::clamp(value, 0, 255))) Invalidate();
}

TColor TCustomEdEdit::BackgroundColor() const {
  return !Enabled() && useDisabledColors_ ? disabledColor_ : Color();
}

TColor TCustomEdEdit::TextColor() const {
  return !Enabled() && useDisabledColors_ ? disabledFontColor_ : Font()->Color();
}

// ---- window, border and layout

bool TCustomEdEdit::OwnBorder() const {
  return flat_ && borderStyle_ == bsSingle && !(UseXPThemes() && ThemesInUse());
}

int TCustomEdEdit::BorderWidth() const {
  return GetSystemMetrics(ctl3D_ ? SM_CXEDGE : SM_CXBORDER);
}

DWORD TCustomEdEdit::WindowStyle(DWORD style) const {
  style &= ~static_cast<DWORD>(WS_BORDER | ES_READONLY | ES_MULTILINE);
  if (borderStyle_ == bsSingle && !ctl3D_ && !OwnBorder()) style |= WS_BORDER;
  if (readOnly_) style |= ES_READONLY;  // so automation sees that the field cannot be changed
  if (multiLine_) style |= ES_MULTILINE;
  return style;
}

DWORD TCustomEdEdit::WindowExStyle(DWORD exStyle) const {
  exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT);
  if (borderStyle_ == bsSingle && ctl3D_ && !OwnBorder()) exStyle |= WS_EX_CLIENTEDGE;
  if (transparent_) exStyle |= WS_EX_TRANSPARENT;
  return exStyle;
}

void TCustomEdEdit::CreateParams(TCreateParams& params) {
  TEdXPThemedControl::CreateParams(params);
  params.caption.clear();  // the text lives in the store and is answered from there
  params.style = WindowStyle(params.style);
  params.exStyle = WindowExStyle(params.exStyle);
}

void TCustomEdEdit::UpdateWindowStyles() {
  if (!HandleAllocated()) return;
  HWND window = Handle();
  SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(WindowStyle(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)))));
  SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(WindowExStyle(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)))));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Relayout();
  Invalidate();
}

void TCustomEdEdit::CreateWnd() {
  TEdXPThemedControl::CreateWnd();
  lineHeight_ = std::abs(Font()->Height()) + 2;
  AdjustSize();
  Relayout();
}

void TCustomEdEdit::ThemeChanged() {
  UpdateWindowStyles();
  RedrawBorder();
}

void TCustomEdEdit::Relayout() {
  if (HandleAllocated()) SetEditRect(ClientRect());
}

void TCustomEdEdit::SetEditRect(const RECT& rect) {
  editRect_ = rect;
  // One line is centred vertically; several lines start at the top.
  const int top = static_cast<int>(rect.top), height = static_cast<int>(rect.bottom - rect.top);
  topMargin_ = multiLine_ ? top + 1 : (height - lineHeight_) / 2 + top;
  visibleLines_ = std::max(1, (static_cast<int>(rect.bottom) - topMargin_) / std::max(1, lineHeight_));
  UpdateScrollInfo();
  ScrollToCaret();
  Invalidate();
}

void TCustomEdEdit::AdjustSize() {
  if (!AutoSize() || multiLine_ || !HandleAllocated() || IsLoading()) return;
  const int frame = borderStyle_ == bsSingle ? 2 * BorderWidth() : 0;
  SetHeight(std::abs(Font()->Height()) + 2 + 4 + frame);
}

void TCustomEdEdit::RedrawBorder() {
  LookChanged(false);
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void TCustomEdEdit::NCCalcSize(TMessage& m) {
  auto* client = reinterpret_cast<RECT*>(m.LParam);  // the first rectangle in both forms
  const int w = BorderWidth();
  if (OwnBorder()) {
    m.Result = 0;
    if (borderSides_.Contains(ebsLeft)) client->left += w;
    if (borderSides_.Contains(ebsTop)) client->top += w;
    if (borderSides_.Contains(ebsRight)) client->right -= w;
    if (borderSides_.Contains(ebsBottom)) client->bottom -= w;
    return;
  }
  DefaultHandler(m);
  if (borderStyle_ != bsSingle) return;
  if (!borderSides_.Contains(ebsLeft)) client->left -= w;
  if (!borderSides_.Contains(ebsTop)) client->top -= w;
  if (!borderSides_.Contains(ebsRight)) client->right += w;
  if (!borderSides_.Contains(ebsBottom)) client->bottom += w;
}

void TCustomEdEdit::PaintBorder(HDC dc) {
  if (borderStyle_ != bsSingle || !HandleAllocated()) return;
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  OffsetRect(&window, -window.left, -window.top);
  TDCStateGuard guard(dc);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  // A theme that cannot draw the frame still leaves a border: the classic one.
  if (IsThemeApplied() && Theme().DrawBackground(dc, 0, 0, window)) return;
  const bool active = FocusedOrHot();
  const TEdFlatBorderType type = !flat_ ? fbtSunken : active ? activeBorderType_ : inactiveBorderType_;
  EdDrawBorder(dc, window, type, borderSides_, ctl3D_ || OwnBorder() ? BorderWidth() : 1, borderColors_,
               BackgroundColor(), active ? lineBorderActiveColor_ : lineBorderInactiveColor_);
}

void TCustomEdEdit::NCPaint(TMessage& m) {
  if (borderStyle_ != bsSingle) return DefaultHandler(m);
  HWND window = Handle();
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (style & (WS_HSCROLL | WS_VSCROLL)) {
    // The system draws the scroll bars; the border is ours.
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_BORDER));
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    DefaultHandler(m);
    SetWindowLongPtrW(window, GWL_STYLE, style);
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle);
  }
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  PaintBorder(dc);
  ReleaseDC(window, dc);
  m.Result = 0;
}

// ---- geometry

std::unique_ptr<TEdTextPainter> TCustomEdEdit::CreateTextPainter() {
  return std::make_unique<TEdWinTextPainter>(*this);
}

TEdTextPainter& TCustomEdEdit::Painter() {
  if (!painter_) painter_ = CreateTextPainter();
  return *painter_;
}

TEdFString TCustomEdEdit::VisualText(int line, int from, int to) const {
  const TEdFString& text = strings_.Line(line);
  TEdFString result;
  for (int i = from; i < to && i < static_cast<int>(text.size()); ++i) {
    if (passwordChar_) result += passwordChar_;
    else if (text[i] == L'\t') result += tabReplacement_;
    else result += text[i];
  }
  return result;
}

std::vector<int> TCustomEdEdit::ColumnEdges(int line, int from) {
  const TEdFString& text = strings_.Line(line);
  const std::vector<int> visual = Painter().Extents(VisualText(line, from, static_cast<int>(text.size())));
  std::vector<int> edges;
  size_t v = 0;
  for (size_t i = static_cast<size_t>(from); i < text.size(); ++i) {
    v += !passwordChar_ && text[i] == L'\t' ? tabReplacement_.size() : 1;
    edges.push_back(visual[v - 1]);
  }
  return edges;
}

int TCustomEdEdit::TextWidthFrom(int line, int from, int to) {
  if (to <= from) return 0;
  return Painter().TextExtent(VisualText(line, from, to)).cx;
}

int TCustomEdEdit::ShownCount(int line, int from, int width) {
  // Whole characters only, tabs expanded; a surrogate pair is never cut in two.
  const std::vector<int> edges = ColumnEdges(line, from);
  int shown = 0;
  while (shown < static_cast<int>(edges.size()) && edges[shown] <= width) ++shown;
  return strings_.Clamp({from + shown, line}).col - from;
}

int TCustomEdEdit::LineLeft(int line) {
  const int width = editRect_.right - editRect_.left - leftMargin_ - rightMargin_;
  const int from = std::min(firstCol_, strings_.LineLength(line));
  const int textWidth = TextWidthFrom(line, from, from + ShownCount(line, from, width));
  switch (alignment_) {
    case taRightJustify: return editRect_.right - rightMargin_ - textWidth - 2;
    case taCenter: return editRect_.left + (editRect_.right - editRect_.left - rightMargin_) / 2 - textWidth / 2;
    default: return editRect_.left + leftMargin_;
  }
}

POINT TCustomEdEdit::CharPosToPixel(TEdPos pos) {
  pos = strings_.Clamp(pos);
  const int bottom = (pos.line - firstLine_ + 1) * lineHeight_ + topMargin_;
  const int left = LineLeft(pos.line);
  const int x = pos.col >= firstCol_ ? left + TextWidthFrom(pos.line, firstCol_, pos.col)
                                     : left - TextWidthFrom(pos.line, pos.col, firstCol_);
  return {x, bottom - Painter().CellHeight()};
}

TEdPos TCustomEdEdit::PixelToCharPos(int x, int y) {
  const int row = y < topMargin_ ? 0 : (y - topMargin_) / std::max(1, lineHeight_);
  const int line = std::clamp(firstLine_ + row, 0, strings_.Count() - 1);
  const int from = std::min(firstCol_, strings_.LineLength(line));
  const int col = from + EdCharFromOffset(ColumnEdges(line, from), x - LineLeft(line));
  return strings_.Clamp({col, line});
}

void TCustomEdEdit::UpdateScrollInfo() {
  int longest = 0;
  for (int i = 0; i < strings_.Count(); ++i) longest = std::max(longest, strings_.LineLength(i));
  firstCol_ = std::clamp(firstCol_, 0, longest);
  firstLine_ = std::clamp(firstLine_, 0, std::max(0, strings_.Count() - 1));
}

void TCustomEdEdit::ScrollToCaret() {
  if (!HandleAllocated()) return;
  const int before = firstCol_, beforeLine = firstLine_;
  if (caret_.line < firstLine_) firstLine_ = caret_.line;
  else if (caret_.line >= firstLine_ + visibleLines_) firstLine_ = caret_.line - visibleLines_ + 1;
  const int width = editRect_.right - editRect_.left - leftMargin_ - rightMargin_;
  const int length = strings_.LineLength(caret_.line);
  if (alignment_ != taLeftJustify && TextWidthFrom(caret_.line, 0, length) < width) {
    firstCol_ = 0;  // aligned text that fits never scrolls
  } else if (caret_.col < firstCol_ || TextWidthFrom(caret_.line, firstCol_, caret_.col) >= width) {
    // Jump so the caret ends three quarters of the way across.
    const std::vector<int> edges = ColumnEdges(caret_.line, 0);
    const int caretX = caret_.col > 0 ? edges[caret_.col - 1] : 0;
    int start = caret_.col;
    while (start > 0 && caretX - (start > 1 ? edges[start - 2] : 0) <= width * 3 / 4) --start;
    firstCol_ = strings_.Clamp({start, caret_.line}).col;
  }
  UpdateScrollInfo();
  if (firstCol_ != before || firstLine_ != beforeLine) Invalidate();
  UpdateCaret();
}

void TCustomEdEdit::UpdateCaret() {
  if (!sysCaret_.Exists()) return;
  const POINT p = CharPosToPixel(caret_);
  sysCaret_.SetPos(p.x, p.y);
}

void TCustomEdEdit::CreateCaretNow() {
  const int width = GetSystemMetrics(SM_CXBORDER) * (Font()->Style().Contains(fsBold) ? 2 : 1);
  sysCaret_.Create(Handle(), width, Painter().CellHeight());
  UpdateCaret();
}

// ---- painting

void TCustomEdEdit::Paint() {
  TCaretHider hideCaret(sysCaret_);
  HDC dc = Canvas().Handle();
  RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  // Background: what lies below, the picture, or the colour.
  bool filled = false;
  if (transparent_) filled = DrawThemeParentBackgroundOf(Handle(), dc, &client);
  if (!filled && useBackground_ && !background_->Empty()) {
    for (int y = 0; y < client.bottom; y += background_->Height())
      for (int x = 0; x < client.right; x += background_->Width()) {
        RECT tile{x, y, x + background_->Width(), y + background_->Height()};
        background_->DrawOn(dc, tile);
      }
    filled = true;
  }
  if (!filled) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(BackgroundColor())));
    FillRect(dc, &client, brush.Get());
  }
  Canvas().Font().SetColor(TextColor());  // the framework set the font and brush; the text has its own colour
  PaintText(Canvas());
}

void TCustomEdEdit::PaintText(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  const int last = std::min(strings_.Count(), firstLine_ + visibleLines_);
  for (int line = firstLine_; line < last; ++line)
    PaintLine(dc, line, (line - firstLine_ + 1) * lineHeight_ + topMargin_);
}

void TCustomEdEdit::PaintSelectionBand(HDC dc, const RECT& band, TColor color) {
  if (highlightAlphaLevel_ >= 255) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
    FillRect(dc, &band, brush.Get());
    return;
  }
  // Blend a one-pixel swatch of the colour over what is there.
  TMemoryDC swatch;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  TGdiHandle<HBITMAP> pixel(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!pixel) return;
  const COLORREF rgb = ColorToRGB(color);
  *static_cast<DWORD*>(bits) = (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
  HGDIOBJ old = SelectObject(swatch.Get(), pixel.Get());
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(highlightAlphaLevel_), 0};
  GdiAlphaBlend(dc, band.left, band.top, band.right - band.left, band.bottom - band.top, swatch.Get(), 0, 0, 1, 1, blend);
  SelectObject(swatch.Get(), old);
}

void TCustomEdEdit::PaintLine(HDC dc, int line, int bottom) {
  const int length = strings_.LineLength(line);
  const int from = std::min(firstCol_, length);
  const int width = editRect_.right - editRect_.left - leftMargin_ - rightMargin_;
  const int end = from + ShownCount(line, from, width);

  int selFrom = end, selTo = end;
  const bool showSelection = HasSelection() && (Focused() || !hideSelection_);
  if (showSelection) {
    const TEdPos s = SelStartPos(), e = SelEndPos();
    if (line >= s.line && line <= e.line) {
      selFrom = std::clamp(line == s.line ? s.col : 0, from, end);
      selTo = std::clamp(line == e.line ? e.col : length, from, end);
    }
  }
  const bool focused = Focused();
  const RECT clip = editRect_;
  SetBkMode(dc, TRANSPARENT);
  TEdTextPainter& painter = Painter();
  const int textTop = bottom - painter.CellHeight();
  painter.MoveTo(LineLeft(line), textTop);
  const COLORREF normal = ColorToRGB(TextColor());
  SetTextColor(dc, normal);
  painter.Draw(dc, VisualText(line, from, selFrom), clip);
  if (selTo > selFrom) {
    const TEdFString piece = VisualText(line, selFrom, selTo);
    const int x = painter.PenX();
    RECT band{x, bottom - lineHeight_, x + painter.TextExtent(piece).cx, bottom};
    IntersectRect(&band, &band, &clip);
    PaintSelectionBand(dc, band, focused ? focusedSelectColor_ : hideSelectColor_);
    SetTextColor(dc, ColorToRGB(focused ? focusedSelectTextColor_ : hideSelectTextColor_));
    painter.Draw(dc, piece, clip);
    SetTextColor(dc, normal);
  }
  painter.Draw(dc, VisualText(line, std::max(selTo, selFrom), end), clip);
}

// ---- focus, keys and mouse

void TCustomEdEdit::DoEnter() {
  TEdXPThemedControl::DoEnter();
  if (CanFocus() || !GetParentForm(this)) {
    CreateCaretNow();
    if (autoSelect_) {
      SelectAll();
      firstCol_ = 0;
      UpdateCaret();
    }
  }
  if (hideSelection_) Invalidate();
  if (flat_) RedrawBorder();
}

void TCustomEdEdit::DoExit() {
  EndMouseSelection();
  sysCaret_.Destroy();
  TEdXPThemedControl::DoExit();
  if (hideSelection_) Invalidate();
  if (flat_) RedrawBorder();
}

LRESULT TCustomEdEdit::DialogCode(LRESULT code) {
  code = (code & ~static_cast<LRESULT>(DLGC_WANTALLKEYS)) | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTCHARS;
  if (wantTabs_) code |= DLGC_WANTTAB;
  if (handleDialogKeys_ || (multiLine_ && wantReturns_)) code |= DLGC_WANTALLKEYS;
  return code;
}

void TCustomEdEdit::MoveCaret(TEdPos pos, bool extend) {
  undo_.Break();
  SetSelection(extend ? anchor_ : pos, pos);
}

bool TCustomEdEdit::HandleKey(WORD key, TShiftState shift) {
  if (shift.Contains(ssAlt)) return false;
  const bool ctrl = shift.Contains(ssCtrl), extend = shift.Contains(ssShift);
  const int changes = changeCount_;
  auto userChange = [&] {
    if (changeCount_ == changes) return;
    modified_ = true;
    if (notifyUserChangeOnly_) NotifyTextChange();
  };
  switch (key) {
    case VK_LEFT: MoveCaret(ctrl ? strings_.PrevWordStart(caret_) : strings_.PrevChar(caret_), extend); return true;
    case VK_RIGHT: MoveCaret(ctrl ? strings_.NextWordStart(caret_) : strings_.NextChar(caret_), extend); return true;
    case VK_HOME: MoveCaret(ctrl ? TEdPos{0, 0} : TEdPos{0, caret_.line}, extend); return true;
    case VK_END: MoveCaret(ctrl ? strings_.End() : TEdPos{strings_.LineLength(caret_.line), caret_.line}, extend); return true;
    case VK_UP: MoveCaret({caret_.col, caret_.line - 1}, extend); return true;
    case VK_DOWN: MoveCaret({caret_.col, caret_.line + 1}, extend); return true;
    case VK_PRIOR: MoveCaret({caret_.col, caret_.line - visibleLines_}, extend); return true;
    case VK_NEXT: MoveCaret({caret_.col, caret_.line + visibleLines_}, extend); return true;
    case VK_INSERT:
      if (IsCtrlOnly(shift)) CopyToClipboard();
      else if (IsShiftOnly(shift)) PasteFromClipboard();
      else return false;
      userChange();
      return true;
    case VK_DELETE:
    case VK_BACK: {
      if (IsShiftOnly(shift) && key == VK_DELETE) {
        CutToClipboard();
      } else if (!readOnly_) {
        const bool forward = key == VK_DELETE;
        TEdPos from = anchor_, to = caret_;
        if (!HasSelection())
          to = forward ? (ctrl ? strings_.NextWordStart(caret_) : strings_.NextChar(caret_))
                       : (ctrl ? strings_.PrevWordStart(caret_) : strings_.PrevChar(caret_));
        undo_.Break();
        AfterOperation(Replace(from, to, L"", eakReplace));
      }
      userChange();
      return true;
    }
    default: break;
  }
  if (!IsCtrlOnly(shift)) return false;
  switch (key) {
    case 'C': CopyToClipboard(); break;
    case 'X': CutToClipboard(); break;
    case 'V': PasteFromClipboard(); break;
    case 'A': SelectAll(); break;
    case 'Z': Undo(); break;
    default: return false;
  }
  userChange();
  return true;
}

void TCustomEdEdit::KeyDown(WORD& key, TShiftState shift) {
  TEdXPThemedControl::KeyDown(key, shift);
  if (key == 0 || mouseSelecting_) return;
  if (HandleKey(key, shift)) key = 0;
}

bool TCustomEdEdit::FitsMaxLength(size_t units) const {
  if (maxLength_ <= 0) return true;
  const int length = strings_.TextLength(), after = length - SelLength() + static_cast<int>(units);
  return after <= maxLength_ || (HasSelection() && after <= length);
}

void TCustomEdEdit::InsertTyped(const TEdFString& text) {
  if (readOnly_) return;
  if (!FitsMaxLength(text.size())) {
    MessageBeep(MB_OK);
    return;
  }
  const int changes = changeCount_;
  AfterOperation(Replace(anchor_, caret_, ApplyCharCase(text), eakTyping));
  if (changeCount_ == changes) return;
  modified_ = true;
  if (notifyUserChangeOnly_) NotifyTextChange();
}

void TCustomEdEdit::KeyPress(wchar_t& key) {
  TEdXPThemedControl::KeyPress(key);
  if (key == 0 || mouseSelecting_) return;
  const wchar_t c = key, high = std::exchange(pendingHigh_, 0);
  // A character outside the basic plane comes as two messages: it is typed whole or not at all.
  if (EdIsHighSurrogate(c)) pendingHigh_ = c;
  else if (EdIsLowSurrogate(c)) { if (high) InsertTyped({high, c}); }
  else if (c == L'\r' && multiLine_ && wantReturns_) InsertTyped(L"\r\n");
  else if (c == L'\t' && wantTabs_) InsertTyped(L"\t");
  else if (c >= 32 && c != 127) InsertTyped(TEdFString(1, c));
  else return;
  key = 0;
}

void TCustomEdEdit::EndMouseSelection() {
  if (!mouseSelecting_) return;
  mouseSelecting_ = false;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
}

void TCustomEdEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TEdXPThemedControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  undo_.Break();
  const TEdPos pos = PixelToCharPos(x, y);
  if (!Focused() && CanFocus()) {
    anchor_ = caret_ = pos;
    if (autoSelect_) { anchor_ = {0, 0}; caret_ = strings_.End(); }
  } else if (doubleClick_) {
    strings_.WordAt(pos, anchor_, caret_);
  } else {
    caret_ = pos;
    if (!shift.Contains(ssShift)) anchor_ = pos;
  }
  ScrollToCaret();
  SelectionChange();
  Invalidate();
  if (!Focused()) SetFocus();
  SetCapture(Handle());
  mouseSelecting_ = true;
}

void TCustomEdEdit::MouseMove(TShiftState shift, int x, int y) {
  TEdXPThemedControl::MouseMove(shift, x, y);
  if (!mouseSelecting_ || !shift.Contains(ssLeft)) return;
  TEdPos pos = PixelToCharPos(x, y);
  if (x < editRect_.left + leftMargin_ && firstCol_ > 0) pos = strings_.PrevChar({firstCol_, pos.line});
  if (pos == caret_) return;
  caret_ = pos;
  ScrollToCaret();
  SelectionChange();
  Invalidate();
}

void TCustomEdEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TEdXPThemedControl::MouseUp(button, shift, x, y);
  if (button == mbLeft) EndMouseSelection();
}

// ---- context menu and commands

UINT TCustomEdEdit::TrackContextMenu(HMENU menu, POINT p) {
  return static_cast<UINT>(TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, p.x, p.y, 0,
                                          Handle(), nullptr));
}

void TCustomEdEdit::ShowContextMenu(POINT screenPoint) {
  TMenuHolder holder;
  HMENU menu = holder.Get();
  if (!menu) return;
  const bool selection = HasSelection() && !passwordChar_;
  const bool all = !HasSelection() ? strings_.TextLength() == 0
                                   : SelStartPos() == TEdPos{0, 0} && SelEndPos() == strings_.End();
  // Read-only: every command that would change the text is greyed, as users know it.
  auto enabled = [&](UINT command) {
    switch (command) {
      case kEdCmdUndo: return CanUndo() && !readOnly_;
      case kEdCmdCut: return selection && !readOnly_;
      case kEdCmdCopy: return selection;
      case kEdCmdPaste: return ClipboardHasText() && !readOnly_;
      case kEdCmdDelete: return HasSelection() && !readOnly_;
      default: return !all;
    }
  };
  for (const TEdMenuEntry& entry : EdContextMenuEntries(GetModuleHandleW(L"user32.dll"))) {
    if (!entry.command) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else AppendMenuW(menu, MF_STRING | (enabled(entry.command) ? MF_ENABLED : MF_GRAYED), entry.command,
                     entry.caption.c_str());
  }
  if (const UINT command = TrackContextMenu(menu, screenPoint)) Perform(WM_COMMAND, command, 0);
}

bool TCustomEdEdit::HandleCommand(UINT id) {
  switch (id) {
    case kEdCmdCut: if (!readOnly_) CutToClipboard(); return true;
    case kEdCmdCopy: CopyToClipboard(); return true;
    case kEdCmdPaste: PasteFromClipboard(); return true;
    case kEdCmdDelete: ClearSelection(); return true;
    case kEdCmdUndo: Undo(); return true;
    case kEdCmdSelectAll: case kEdCmdSelectAllAlt: SelectAll(); return true;
    default: return false;
  }
}

// ---- messages

void TCustomEdEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETTEXT: {
      // The window is a Unicode one: the text is always 16-bit; none means empty.
      const auto* text = reinterpret_cast<const wchar_t*>(m.LParam);
      undo_.Clear();
      redo_.Clear();
      StoreText(ApplyCharCase(text ? TEdFString(text) : TEdFString()));
      m.Result = TRUE;
      if (!notifyUserChangeOnly_) NotifyTextChange();
      SelectionChange();
      ScrollToCaret();
      return;
    }
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(m.LParam);
      m.Result = 0;
      if (!buffer || m.WParam == 0) return;
      const TEdFString text = Text();
      const size_t count = std::min(text.size(), static_cast<size_t>(m.WParam) - 1);
      std::copy_n(text.c_str(), count, buffer);
      buffer[count] = L'\0';
      m.Result = static_cast<LRESULT>(count);
      return;
    }
    case WM_GETTEXTLENGTH: m.Result = strings_.TextLength(); return;
    case EM_GETSEL: {
      const DWORD start = static_cast<DWORD>(strings_.OffsetOf(anchor_ < caret_ ? anchor_ : caret_));
      const DWORD end = static_cast<DWORD>(strings_.OffsetOf(anchor_ < caret_ ? caret_ : anchor_));
      if (m.WParam) *reinterpret_cast<DWORD*>(m.WParam) = start;
      if (m.LParam) *reinterpret_cast<DWORD*>(m.LParam) = end;
      m.Result = MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
      return;
    }
    case EM_SETSEL: {
      const int start = static_cast<int>(m.WParam), end = static_cast<int>(m.LParam);
      if (start < 0) SetSelection(caret_, caret_);
      else SetSelection(strings_.PosOf(start), end < 0 ? strings_.End() : strings_.PosOf(end));
      m.Result = 0;
      return;
    }
    case EM_SETREADONLY: SetReadOnly(m.WParam != 0); m.Result = TRUE; return;
    case EM_CANUNDO: m.Result = CanUndo() && !readOnly_; return;
    case EM_GETMODIFY: m.Result = modified_; return;
    case EM_SETMODIFY: modified_ = m.WParam != 0; return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_CUT: CutToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR: ClearSelection(); return;
    case WM_UNDO: case EM_UNDO: m.Result = CanUndo() && !readOnly_; Undo(); return;
    case WM_COMMAND:
      if (m.LParam == 0 && HIWORD(m.WParam) == 0 && HandleCommand(LOWORD(m.WParam))) return;
      break;
    case WM_CONTEXTMENU: {
      if (PopupMenu()) break;  // the caller's menu replaces ours
      POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      POINT client = screen;
      if (IsKeyboardContextMenu(m.LParam)) {
        client = CharPosToPixel(caret_);  // from the keyboard: at the caret
        screen = client;
        ::ClientToScreen(Handle(), &screen);
      } else {
        ::ScreenToClient(Handle(), &client);
        RECT r = ClientRect();
        if (!PtInRect(&r, client)) break;
      }
      bool handled = false;
      if (OnContextPopup) OnContextPopup(this, client, handled);
      if (!handled && useSystemMenu_) ShowContextMenu(screen);
      m.Result = 0;
      return;
    }
    case WM_LBUTTONDOWN: doubleClick_ = false; break;
    case WM_LBUTTONDBLCLK: doubleClick_ = true; break;
    case WM_CAPTURECHANGED:
      mouseSelecting_ = false;  // losing the mouse ends the drag, so keys work again
      break;
    case WM_CANCELMODE:
      EndMouseSelection();
      break;
    case WM_PRINT:
      if (m.LParam & PRF_NONCLIENT) PaintBorder(reinterpret_cast<HDC>(m.WParam));
      if (m.LParam & PRF_CLIENT) {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        RECT window, client;
        GetWindowRect(Handle(), &window);
        GetClientRect(Handle(), &client);
        MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        TDCStateGuard guard(dc);
        OffsetViewportOrgEx(dc, client.left - window.left, client.top - window.top, nullptr);
        Perform(WM_PRINTCLIENT, m.WParam, PRF_CLIENT);
      }
      m.Result = 0;
      return;
    case WM_SIZE:
      TEdXPThemedControl::WndProc(m);
      Relayout();
      if (OnResize) OnResize(this);
      return;
    case CM_FONTCHANGED:
      TEdXPThemedControl::WndProc(m);
      lineHeight_ = std::abs(Font()->Height()) + 2;
      if (sysCaret_.Exists()) CreateCaretNow();
      AdjustSize();
      Relayout();
      return;
    case CM_ENABLEDCHANGED:
      TEdXPThemedControl::WndProc(m);
      Invalidate();
      RedrawBorder();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      hot_ = m.Msg == CM_MOUSEENTER;
      if (flat_) RedrawBorder();
      if (hot_ && OnMouseEnter) OnMouseEnter(this);
      if (!hot_ && OnMouseLeave) OnMouseLeave(this);
      break;
    default: break;
  }
  TEdXPThemedControl::WndProc(m);
}

void TCustomEdEdit::Loaded() {
  TEdXPThemedControl::Loaded();
  Relayout();
  PlaceLinkedControl();
}

// ---- stored properties

namespace {
const TEnumNames<TAlignment>& AlignmentNames() {
  static const TEnumNames<TAlignment> names = {
      {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
  return names;
}
const TEnumNames<TBorderStyle>& EditBorderStyleNames() {
  static const TEnumNames<TBorderStyle> names = {{"bsNone", bsNone}, {"bsSingle", bsSingle}};
  return names;
}
const TEnumNames<TEdBorderSide>& BorderSideNames() {
  static const TEnumNames<TEdBorderSide> names = {
      {"ebsLeft", ebsLeft}, {"ebsRight", ebsRight}, {"ebsTop", ebsTop}, {"ebsBottom", ebsBottom}};
  return names;
}
const TEnumNames<TEditCharCase>& CharCaseNames() {
  static const TEnumNames<TEditCharCase> names = {
      {"ecNormal", ecNormal}, {"ecUpperCase", ecUpperCase}, {"ecLowerCase", ecLowerCase}};
  return names;
}
const TEnumNames<TEdFlatBorderType>& FlatBorderNames() {
  static const TEnumNames<TEdFlatBorderType> names = {
      {"fbtFlat", fbtFlat}, {"fbtSunken", fbtSunken}, {"fbtSunkenInner", fbtSunkenInner},
      {"fbtSunkenOuter", fbtSunkenOuter}, {"fbtRaised", fbtRaised}, {"fbtRaisedInner", fbtRaisedInner},
      {"fbtRaisedOuter", fbtRaisedOuter}, {"fbtBump", fbtBump}, {"fbtBigBump", fbtBigBump},
      {"fbtEtched", fbtEtched}, {"fbtFramed", fbtFramed}, {"fbtLine", fbtLine},
      {"fbtLineBorder", fbtLineBorder}, {"fbtNone", fbtNone}, {"fbtColorLineBorder", fbtColorLineBorder}};
  return names;
}
}  // namespace

void TCustomEdEdit::SetLinkedControl(TControl* control) {
  if (control == this) return;
  SetReference(linked_, control);
  PlaceLinkedControl();
}

void TCustomEdEdit::PlaceLinkedControl() {
  if (!linked_ || IsLoading() || linked_->Parent() != Parent()) return;
  const POINT at = LinkedControlOrigin(BoundsRect(), {linked_->Width(), linked_->Height()}, linkedPosition_,
                                       linkedSpacing_);
  linked_->SetBounds(at.x, at.y, linked_->Width(), linked_->Height());
}

void TCustomEdEdit::BoundsChanged() {
  TEdXPThemedControl::BoundsChanged();
  PlaceLinkedControl();
}

void TCustomEdEdit::Notification(TComponent* component, TOperation operation) {
  TEdXPThemedControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == linked_) linked_ = nullptr;
  if (component == imageForm_) imageForm_ = nullptr;
}

bool TCustomEdEdit::ReadCustomProperty(const std::string& name, const TFormValue& value) {
  for (const char* styles : {"VertScrollBarStyles.", "HorzScrollBarStyles."}) {
    if (_strnicmp(name.c_str(), styles, std::strlen(styles)) != 0) continue;
    scrollBarStyles_[name] = value.kind == TFormValue::Kind::String ? value.text : value.kind == TFormValue::Kind::Integer
                                 ? std::to_string(value.integer) : value.text;
    return true;
  }
  return TEdXPThemedControl::ReadCustomProperty(name, value);
}

const TPropTable& TCustomEdEdit::Properties() {
  static const TPropTable table = [] {
    using E = TCustomEdEdit;
    TPropTable t(&TEdXPThemedControl::Properties());
    t.Add("Text", {[](TPersistent& c, const TFormValue& v, TReadContext&) {
      static_cast<E&>(c).SetText(AnsiToWide(ValueToString(v))); }, nullptr, nullptr});
    t.Add("ReadOnly", BoolProp(&E::SetReadOnly));
    t.Add("MaxLength", IntProp(&E::SetMaxLength));
    t.Add("Alignment", EnumProp(&E::SetAlignment, AlignmentNames()));
    t.Add("CharCase", EnumProp(&E::SetCharCase, CharCaseNames()));
    t.Add("AutoSelect", BoolProp(&E::SetAutoSelect));
    t.Add("HideSelection", BoolProp(&E::SetHideSelection));
    t.Add("LeftMargin", IntProp(&E::SetLeftMargin));
    t.Add("RightMargin", IntProp(&E::SetRightMargin));
    t.Add("TopMargin", IntProp(&E::SetTopMargin));
    t.Add("BorderStyle", EnumProp(&E::SetBorderStyle, EditBorderStyleNames()));
    t.Add("BorderSides", SetProp(&E::SetBorderSides, BorderSideNames()));
    t.Add("Ctl3D", BoolProp(&E::SetCtl3D));
    t.Add("ParentCtl3D", BoolProp(&E::SetParentCtl3D));
    t.Add("Flat", BoolProp(&E::SetFlat));
    t.Add("ActiveBorderType", EnumProp(&E::SetActiveBorderType, FlatBorderNames()));
    t.Add("InactiveBorderType", EnumProp(&E::SetInactiveBorderType, FlatBorderNames()));
    t.Add("LineBorderActiveColor", ColorProp(&E::SetLineBorderActiveColor));
    t.Add("LineBorderInactiveColor", ColorProp(&E::SetLineBorderInactiveColor));
    t.Add("BorderColorFace", ColorProp(&E::SetBorderColorFace));
    t.Add("BorderColorShadow", ColorProp(&E::SetBorderColorShadow));
    t.Add("BorderColorDkShadow", ColorProp(&E::SetBorderColorDkShadow));
    t.Add("BorderColorHighlight", ColorProp(&E::SetBorderColorHighlight));
    t.Add("BorderColorWindow", ColorProp(&E::SetBorderColorWindow));
    t.Add("FocusedSelectColor", ColorProp(&E::SetFocusedSelectColor));
    t.Add("FocusedSelectTextColor", ColorProp(&E::SetFocusedSelectTextColor));
    t.Add("HideSelectColor", ColorProp(&E::SetHideSelectColor));
    t.Add("HideSelectTextColor", ColorProp(&E::SetHideSelectTextColor));
    t.Add("HighlightAlphaLevel", IntProp(&E::SetHighlightAlphaLevel));
    t.Add("UseDisabledColors", BoolProp(&E::SetUseDisabledColors));
    t.Add("DisabledColor", ColorProp(&E::SetDisabledColor));
    t.Add("DisabledFontColor", ColorProp(&E::SetDisabledFontColor));
    t.Add("Transparent", BoolProp(&E::SetTransparent));
    t.Add("UseBackground", BoolProp(&E::SetUseBackground));
    t.Add("HandleDialogKeys", BoolProp(&E::SetHandleDialogKeys));
    t.Add("NotifyUserChangeOnly", BoolProp(&E::SetNotifyUserChangeOnly));
    t.Add("UseSystemMenu", BoolProp(&E::SetUseSystemMenu));
    t.Add("OnChange", EventProp(&E::OnChange));
    t.Add("OnSelectionChange", EventProp(&E::OnSelectionChange));
    t.Add("OnContextPopup", AdaptedEventProp(&E::OnContextPopup));
    t.Add("OnMouseEnter", EventProp(&E::OnMouseEnter));
    t.Add("OnMouseLeave", EventProp(&E::OnMouseLeave));
    t.Add("OnResize", EventProp(&E::OnResize));
    t.Add("Background.Data", GlyphDataProp([](TPersistent& c) { return static_cast<E&>(c).Background(); }));
    t.Add("ImageForm", ComponentProp(&E::SetImageForm));
    t.Add("LinkedControl", ComponentProp(&E::SetLinkedControl));
    t.Add("LinkedControlPosition", EnumProp(&E::SetLinkedControlPosition, LinkCtlPosNames()));
    t.Add("LinkedControlSpacing", IntProp(&E::SetLinkedControlSpacing));
    t.Add("UseCustomScrollBars", BoolProp(&E::SetUseCustomScrollBars));
    return t;
  }();
  return table;
}

#include "framework/control.h"
#include "framework/accessible.h"
#include <cctype>
#include <algorithm>
#include <windowsx.h>
#include "framework/popup_menu.h"
#include "framework/properties.h"
#include "framework/strings.h"
#include "framework/win_control.h"

HCURSOR CursorHandle(TCursor cursor) {
  const wchar_t* id = nullptr;
  switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    default: return nullptr;
  }
  return LoadCursorW(nullptr, id);
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

bool IsAccel(WPARAM key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') { ++i; continue; }
    const auto marked = static_cast<unsigned char>(caption[i + 1]);
    return std::toupper(marked) == std::toupper(static_cast<int>(key & 0xFF));
  }
  return false;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

void TSizeConstraints::Set(int& field, int value) {
  if (field == value) return;
  field = value;
  if (OnChange) OnChange(this);
}

void TSizeConstraints::Apply(int& width, int& height) const {
  if (maxWidth_ > 0 && width > maxWidth_) width = maxWidth_;
  if (maxHeight_ > 0 && height > maxHeight_) height = maxHeight_;
  if (width < minWidth_) width = minWidth_;
  if (height < minHeight_) height = minHeight_;
}

void TSizeConstraints::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TSizeConstraints*>(&source);
  if (!other) return TPersistent::Assign(source);
  minWidth_ = other->minWidth_; minHeight_ = other->minHeight_;
  maxWidth_ = other->maxWidth_; maxHeight_ = other->maxHeight_;
  if (OnChange) OnChange(this);
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), constraints_(std::make_unique<TSizeConstraints>()), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this](TObject*) { FontChanged(); };
  constraints_->OnChange = [this](TObject*) { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  ApplyConstraints(width, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  bool graphic = !dynamic_cast<TWinControl*>(this);
  if (graphic) Invalidate();
  left_ = left; top_ = top; width_ = width; height_ = height;
  if (graphic) Invalidate();
  BoundsChanged();
  if (parent_ && align_ != alNone) parent_->RealignControls();
}

void TControl::SetClientSize(int width, int height) {
  RECT client = ClientRect();
  SetBounds(left_, top_, width_ + width - (client.right - client.left), height_ + height - (client.bottom - client.top));
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->RealignControls();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Perform(CM_TEXTCHANGED);
  NotifyAccessibleEvent(*this, EVENT_OBJECT_NAMECHANGE);
}

void TControl::FontChanged() {
  if (!fromParent_) parentFont_ = false;
  Perform(CM_FONTCHANGED);
  if (!IsLoading()) Invalidate();
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  fromParent_ = true;
  font_->Assign(*parent_->Font());
  fromParent_ = false;
}

void TControl::SetColor(TColor color) {
  if (!fromParent_) parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  Perform(CM_COLORCHANGED);
  if (!IsLoading()) Invalidate();
}

void TControl::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  fromParent_ = true;
  SetColor(parent_->Color());
  fromParent_ = false;
}

std::string TControl::Hint() const { return WideToAnsi(hint_); }

void TControl::SetHint(const std::string& hint) { hint_ = AnsiToWide(hint); }

void TControl::SetShowHint(bool value) {
  parentShowHint_ = false;
  if (value == showHint_) return;
  showHint_ = value;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
  if (value == parentShowHint_) return;
  parentShowHint_ = value;
  if (value) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  if (!parentShowHint_ || !parent_) return;
  bool keep = parentShowHint_;
  SetShowHint(parent_->ShowHint());
  parentShowHint_ = keep;
}

void TControl::SetBiDiMode(TBiDiMode mode) {
  traits_.parentBiDiMode = false;
  if (mode == traits_.biDiMode) return;
  traits_.biDiMode = mode;
  Perform(CM_BIDIMODECHANGED);
  if (!IsLoading()) Invalidate();
}

void TControl::SetParentBiDiMode(bool value) {
  if (value == traits_.parentBiDiMode) return;
  traits_.parentBiDiMode = value;
  if (value) ParentBiDiModeChanged();
}

void TControl::ParentBiDiModeChanged() {
  if (!traits_.parentBiDiMode || !parent_) return;
  SetBiDiMode(parent_->BiDiMode());
  traits_.parentBiDiMode = true;
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const {
  if (UseRightToLeftAlignment()) {
    if (flags & DT_RIGHT) flags &= ~DT_RIGHT;
    else if (!(flags & DT_CENTER)) flags |= DT_RIGHT;
  }
  return flags | DrawTextBiDiModeFlagsReadingOnly();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  Invalidate();
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible);
  Invalidate();
  if (parent_ && align_ != alNone) parent_->RealignControls();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (parent_) return parent_->Showing();
  // The top of the tree shows when its window does.
  auto* window = dynamic_cast<const TWinControl*>(this);
  return window && window->HandleAllocated() && IsWindowVisible(const_cast<TWinControl*>(window)->Handle());
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  if (value && !IsLoading()) AdjustSize();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& m) {
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      LeftButtonDown(m.Msg == WM_LBUTTONDBLCLK, KeysToShiftState(m.WParam), x, y);
      break;
    case WM_RBUTTONDOWN: MouseDown(mbRight, KeysToShiftState(m.WParam), x, y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, KeysToShiftState(m.WParam), x, y); break;
    case WM_LBUTTONUP: {
      bool wasPressed = std::exchange(pressed_, false);
      MouseUp(mbLeft, KeysToShiftState(m.WParam), x, y);
      RECT client = ClientRect();
      if (wasPressed && x >= client.left && x < client.right && y >= client.top && y < client.bottom) Click();
      break;
    }
    case WM_RBUTTONUP: MouseUp(mbRight, KeysToShiftState(m.WParam), x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, KeysToShiftState(m.WParam), x, y); break;
    case WM_MOUSEMOVE: MouseMove(KeysToShiftState(m.WParam), x, y); break;
    case WM_CANCELMODE: pressed_ = false; break;
    case CM_TEXTCHANGED: TextChanged(); if (autoSize_) AdjustSize(); Invalidate(); break;
    case CM_PARENTFONTCHANGED: ParentFontChanged(); break;
    case CM_PARENTCOLORCHANGED: ParentColorChanged(); break;
    case CM_PARENTSHOWHINTCHANGED: ParentShowHintChanged(); break;
    case CM_PARENTBIDIMODECHANGED: ParentBiDiModeChanged(); break;
    default: break;
  }
}

void TControl::LeftButtonDown(bool second, TShiftState shift, int x, int y) {
  if (second && controlStyle_.Contains(csDoubleClicks)) {
    pressed_ = false;  // the release of a double click clicks nothing more
    DblClick();
    MouseDown(mbLeft, shift.Include(ssDouble), x, y);
    return;
  }
  pressed_ = controlStyle_.Contains(csClickEvents);
  MouseDown(mbLeft, shift, x, y);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::SetPopupMenu(TPopupMenu* menu) { SetReference(popupMenu_, menu); }

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  RECT r = BoundsRect();
  parent_->LookChangedIn(r);
  // A window that is not shown paints whole when it shows: asking the system for less is a
  // round trip to the window server for nothing, which adds up while a description loads.
  if (IsWindowVisible(parent_->Handle())) InvalidateRect(parent_->Handle(), &r, FALSE);
}

void TControl::Update() {
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

POINT TControl::ClientToScreen(POINT point) const {
  POINT origin{left_, top_};
  if (parent_) origin = parent_->ClientToScreen(origin);
  return {origin.x + point.x, origin.y + point.y};
}

POINT TControl::ScreenToClient(POINT point) const {
  POINT origin = ClientToScreen({0, 0});
  return {point.x - origin.x, point.y - origin.y};
}

void TControl::BringToFront() {
  if (parent_) parent_->MoveControlToFront(this);
}

void TControl::NotifyParent(UINT msg) {
  if (parent_) parent_->Perform(msg, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (parentFont_) ParentFontChanged();
  if (parentColor_) ParentColorChanged();
  if (parentShowHint_) ParentShowHintChanged();
  ParentBiDiModeChanged();
  if (autoSize_) AdjustSize();
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}
TGraphicControl::~TGraphicControl() { Invalidate(); }

void TGraphicControl::PaintOn(HDC dc) {
  TCanvasBinding binding(canvas_, dc);
  Paint();
}

void TGraphicControl::WndProc(TMessage& message) {
  if (message.Msg == CM_FONTCHANGED) canvas_.Font().Assign(*Font());
  TControl::WndProc(message);
}

namespace {
const TEnumNames<TAlign>& AlignNames() {
  static const TEnumNames<TAlign> names = {{"alNone", alNone}, {"alTop", alTop}, {"alBottom", alBottom},
                                           {"alLeft", alLeft}, {"alRight", alRight}, {"alClient", alClient}};
  return names;
}
}  // namespace

const TPropTable& TSizeConstraints::Properties() {
  static const TPropTable table = [] {
    TPropTable t;
    t.Add("MinWidth", IntProp(&TSizeConstraints::SetMinWidth));
    t.Add("MinHeight", IntProp(&TSizeConstraints::SetMinHeight));
    t.Add("MaxWidth", IntProp(&TSizeConstraints::SetMaxWidth));
    t.Add("MaxHeight", IntProp(&TSizeConstraints::SetMaxHeight));
    return t;
  }();
  return table;
}

const TPropTable& TControl::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TComponent::Properties());
    t.Add("Left", IntProp(&TControl::SetLeft));
    t.Add("Top", IntProp(&TControl::SetTop));
    t.Add("Width", IntProp(&TControl::SetWidth));
    t.Add("Height", IntProp(&TControl::SetHeight));
    t.Add("ClientWidth", IntProp(&TControl::SetClientWidth));
    t.Add("ClientHeight", IntProp(&TControl::SetClientHeight));
    t.Add("Align", EnumProp(&TControl::SetAlign, AlignNames()));
    t.Add("Constraints", RecordProp(&TControl::Constraints));
    t.Add("Caption", StringProp(&TControl::SetCaption));
    t.Add("Font", RecordProp(&TControl::Font));
    t.Add("ParentFont", BoolProp(&TControl::SetParentFont));
    t.Add("Color", ColorProp(&TControl::SetColor));
    t.Add("ParentColor", BoolProp(&TControl::SetParentColor));
    t.Add("Visible", BoolProp(&TControl::SetVisible));
    t.Add("Enabled", BoolProp(&TControl::SetEnabled));
    t.Add("Hint", StringProp(&TControl::SetHint));
    t.Add("ShowHint", BoolProp(&TControl::SetShowHint));
    t.Add("ParentShowHint", BoolProp(&TControl::SetParentShowHint));
    t.Add("Cursor", {[](TPersistent& c, const TFormValue& v, TReadContext&) {
      static_cast<TControl&>(c).SetCursor(ValueToCursor(v)); }, nullptr, nullptr});
    t.Add("AutoSize", BoolProp(&TControl::SetAutoSize));
    t.Add("Tag", IntProp(&TControl::SetTag));
    t.Add("OnClick", EventProp(&TControl::OnClick));
    t.Add("OnDblClick", EventProp(&TControl::OnDblClick));
    AddControlTraits(t);
    return t;
  }();
  return table;
}

const TPropTable& TGraphicControl::Properties() {
  static const TPropTable table(&TControl::Properties());
  return table;
}

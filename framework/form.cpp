#include "framework/form.h"
#include <algorithm>
#include "framework/accessible.h"
#include "framework/accessible_info.h"
#include "framework/application.h"
#include "framework/form_reader.h"
#include "framework/msgbox.h"

TForm* GetParentForm(const TControl* control) {
  const TControl* top = control;
  while (top && top->Parent()) top = top->Parent();
  return const_cast<TForm*>(dynamic_cast<const TForm*>(top));
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetColor(clBtnFace);
}

TForm::~TForm() {
  if (Application) Application->FormDestroyed(this);
}

DWORD TForm::WindowStyle() const {
  DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: case bsToolWindow: style |= WS_CAPTION | WS_BORDER; break;
    case bsDialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
    default: style |= WS_CAPTION | WS_THICKFRAME; break;
  }
  // A frameless window keeps its system menu and minimise box so it can be minimised and restored.
  if (borderIcons_.Contains(biSystemMenu)) style |= WS_SYSMENU;
  if (borderIcons_.Contains(biMinimize) && borderStyle_ != bsDialog) style |= WS_MINIMIZEBOX;
  if (borderIcons_.Contains(biMaximize) && (borderStyle_ == bsSizeable || borderStyle_ == bsSingle))
    style |= WS_MAXIMIZEBOX;
  return style;
}

DWORD TForm::WindowExStyle() const {
  DWORD ex = 0;
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
  if (borderStyle_ == bsDialog) ex |= WS_EX_DLGMODALFRAME;
  return ex;
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.style = WindowStyle();
  params.exStyle = WindowExStyle();
  params.parentWindow = Application ? Application->Handle() : nullptr;
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  RECT client = ClientRect();
  borderStyle_ = style;
  if (HandleAllocated()) {
    SetWindowLongPtrW(Handle(), GWL_STYLE, (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) | WindowStyle());
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, WindowExStyle());
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetClientSize(client.right, client.bottom);
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  if (HandleAllocated())
    SetWindowLongPtrW(Handle(), GWL_STYLE, (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) | WindowStyle());
}

RECT TForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WindowStyle(), FALSE, WindowExStyle());
  return {0, 0, Width() - (frame.right - frame.left), Height() - (frame.bottom - frame.top)};
}

void TForm::SetClientSize(int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, WindowStyle(), FALSE, WindowExStyle());
  SetBounds(Left(), Top(), frame.right - frame.left, frame.bottom - frame.top);
}

RECT CentringArea(TPosition position, const RECT& primary, const RECT& desktop) {
  // "The screen" is the primary monitor: the virtual desktop can span monitors of other sizes
  // and start left of or above it.
  return position == poDesktopCenter ? desktop : primary;
}

POINT CentredOrigin(const RECT& area, int width, int height) {
  return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

void TForm::PlaceOnScreen() {
  if (position_ != poScreenCenter && position_ != poDesktopCenter) return;
  const RECT primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const RECT desktop{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const POINT origin = CentredOrigin(CentringArea(position_, primary, desktop), Width(), Height());
  SetBounds(origin.x, origin.y, Width(), Height());
}

void TForm::Show() {
  PlaceOnScreen();
  HandleNeeded();
  CreateChildHandles();
  ShowWindow(Handle(), SW_SHOWNORMAL);
  SetVisible(true);
  SetForegroundWindow(Handle());
  if (activeControl_) activeControl_->SetFocus();
  else SelectFirst();
}

void TForm::Hide() { SetVisible(false); }

void TForm::Close() {
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  if (Application && Application->MainForm() == this) Application->Terminate();
  Hide();
}

int TForm::ShowModal() {
  if (modal_ || Visible()) throw EInvalidOperation("Cannot make a visible window modal");
  HandleNeeded();
  modalResult_ = mrNone;
  {
    TDisabledWindows others(Handle());
    struct TModalEnd {
      TForm& form;
      ~TModalEnd() { form.modal_ = false; }
    } end{*this};
    modal_ = true;
    Show();
    while (modalResult_ == mrNone && Visible() && Application && !Application->Terminated())
      if (!Application->ProcessMessage() && !Application->Terminated()) WaitMessage();
  }  // the others come back first, so activation returns to them
  Hide();
  return modalResult_ == mrNone ? mrCancel : modalResult_;
}

namespace {
// Lets every control of the tree know where the focus went (buttons change their look by it).
void NotifyFocusChanged(const TWinControl& parent, TWinControl* focused) {
  for (TControl* control : std::vector<TControl*>(parent.Controls())) {
    control->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(focused));
    if (auto* win = dynamic_cast<TWinControl*>(control)) NotifyFocusChanged(*win, focused);
  }
}
}  // namespace

void TForm::SetActiveControl(TWinControl* control) {
  if (control) DropGraphicFocus();  // a windowed control took the focus
  if (control == activeControl_) return;
  SetReference(activeControl_, control);
  NotifyFocusChanged(*this, control);
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == activeControl_) activeControl_ = nullptr;
  if (operation == opRemove && component == focusedGraphic_) focusedGraphic_ = nullptr;
}

TWinControl* TForm::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == count) start = goForward ? count - 1 : 0;
  for (int step = 1; step <= count; ++step) {
    int index = ((start + (goForward ? step : -step)) % count + count) % count;
    TWinControl* candidate = list[index];
    if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop())) return candidate;
  }
  return nullptr;
}

void TForm::SelectFirst() {
  if (TWinControl* first = FindNextControl(nullptr, true, true)) first->SetFocus();
}

bool TakesKeyFocus(const TControl& control) {
  if (dynamic_cast<const TWinControl*>(&control) || !control.Showing() || !control.Enabled()) return false;
  TAccessibleInfo info;
  control.DescribeAccessible(info);
  return info.actionable;
}

std::vector<size_t> ReadingOrder(const std::vector<RECT>& boxes) {
  std::vector<size_t> order(boxes.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return boxes[a].top < boxes[b].top; });
  std::vector<int> row(boxes.size());
  for (size_t i = 0, first = 0; i < order.size(); ++i) {
    if (boxes[order[i]].top >= boxes[order[first]].bottom) first = i;
    row[order[i]] = static_cast<int>(first);
  }
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return row[a] != row[b] ? row[a] < row[b] : boxes[a].left < boxes[b].left;
  });
  return order;
}

namespace {
void CollectGraphicStops(const TWinControl& parent, POINT origin, std::vector<TControl*>& stops,
                         std::vector<RECT>& boxes) {
  for (TControl* control : parent.Controls()) {
    RECT box = control->BoundsRect();
    OffsetRect(&box, origin.x, origin.y);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
      // The parts of a control that takes the focus itself answer to its keys (the edit's button).
      if (!win->TabStop()) CollectGraphicStops(*win, {box.left, box.top}, stops, boxes);
    } else if (TakesKeyFocus(*control)) {
      stops.push_back(control);
      boxes.push_back(box);
    }
  }
}

// Around the control, one pixel out, so the rectangle does not cover what it shows.
RECT FocusRectOf(const TControl& control) {
  RECT r = control.BoundsRect();
  InflateRect(&r, 1, 1);
  return r;
}

void InvalidateFocusRect(const TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  const RECT r = FocusRectOf(control);
  parent->LookChangedIn(r);
  InvalidateRect(parent->Handle(), &r, FALSE);
}
}  // namespace

std::vector<TControl*> TForm::GraphicTabStops() const {
  std::vector<TControl*> stops, ordered;
  std::vector<RECT> boxes;
  CollectGraphicStops(*this, {0, 0}, stops, boxes);
  for (size_t i : ReadingOrder(boxes)) ordered.push_back(stops[i]);
  return ordered;
}

bool TForm::SelectNextStop(bool goForward) {
  std::vector<TWinControl*> windowed;
  GetTabOrderList(windowed);
  std::vector<TControl*> stops(windowed.begin(), windowed.end());
  for (TControl* graphic : GraphicTabStops()) stops.push_back(graphic);
  if (stops.empty()) return false;
  const int count = static_cast<int>(stops.size());
  TControl* current = focusedGraphic_ ? focusedGraphic_ : activeControl_;
  int start = static_cast<int>(std::find(stops.begin(), stops.end(), current) - stops.begin());
  if (start == count) start = goForward ? count - 1 : 0;
  for (int step = 1; step <= count; ++step) {
    TControl* candidate = stops[((start + (goForward ? step : -step)) % count + count) % count];
    auto* win = dynamic_cast<TWinControl*>(candidate);
    if (!win) {
      FocusGraphic(candidate);
      return true;
    }
    if (win->CanFocus() && win->TabStop()) {
      win->SetFocus();
      return true;
    }
  }
  return false;
}

void TForm::FocusGraphic(TControl* control) {
  if (control == focusedGraphic_) return;
  SetActiveControl(nullptr);
  DropGraphicFocus();
  SetReference(focusedGraphic_, control);
  if (!control || !HandleAllocated()) return;
  if (Focused()) ShowGraphicFocus();
  else ::SetFocus(Handle());  // its WM_SETFOCUS shows it
}

void TForm::DropGraphicFocus() {
  if (!focusedGraphic_) return;
  InvalidateFocusRect(*focusedGraphic_);
  SetReference<TControl>(focusedGraphic_, nullptr);
}

void TForm::ShowGraphicFocus() {
  InvalidateFocusRect(*focusedGraphic_);
  NotifyAccessibleEvent(*focusedGraphic_, EVENT_OBJECT_FOCUS);
}

bool TForm::PressFocusedGraphic() {
  if (!focusedGraphic_ || !Focused()) return false;
  if (focusedGraphic_->Enabled() && focusedGraphic_->Showing()) focusedGraphic_->Click();
  return true;
}

bool GraphicFocusRect(const TWinControl& parent, RECT& rect) {
  const TForm* form = GetParentForm(&parent);
  const TControl* focused = form ? form->FocusedGraphic() : nullptr;
  if (!focused || focused->Parent() != &parent || !form->Focused() || !focused->Showing()) return false;
  rect = FocusRectOf(*focused);
  return true;
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_SYSCOMMAND:
      // The system menu's Minimize (Alt+Space) does what the minimise picture does: the task
      // bar button belongs to the application's window.
      if ((m.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
        Application->Minimize();
        return;
      }
      break;
    case WM_SETFOCUS:
      if (focusedGraphic_) {
        ShowGraphicFocus();
        break;
      }
      if (activeControl_ && activeControl_->HandleAllocated()) {
        ::SetFocus(activeControl_->Handle());
        return;
      }
      break;
    case WM_KILLFOCUS:
      if (focusedGraphic_) InvalidateFocusRect(*focusedGraphic_);  // kept for when the form comes back
      break;
    case WM_KEYDOWN:
      // Space does what a click does; a held key does not repeat it.
      if (m.WParam == VK_SPACE && focusedGraphic_ && Focused()) {
        if (!(m.LParam & 0x40000000)) PressFocusedGraphic();
        m.Result = 0;
        return;
      }
      break;
    case CM_DIALOGKEY:
      if (m.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        m.Result = SelectNextStop(GetKeyState(VK_SHIFT) >= 0) ? 1 : 0;
        return;
      }
      // Enter is the focused window-less control's before it is the default button's.
      if (m.WParam == VK_RETURN && PressFocusedGraphic()) {
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TForm::LoadDescription(const std::string& text, TFileResolver resolver) {
  ReadComponent(*this, ParseFormText(text), handlers_, std::move(resolver));
}

namespace {
const TEnumNames<TFormBorderStyle>& BorderStyleNames() {
  static const TEnumNames<TFormBorderStyle> names = {{"bsNone", bsNone}, {"bsSingle", bsSingle},
      {"bsSizeable", bsSizeable}, {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow}, {"bsSizeToolWin", bsSizeToolWin}};
  return names;
}
const TEnumNames<TBorderIcon>& BorderIconNames() {
  static const TEnumNames<TBorderIcon> names = {{"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize},
                                                {"biMaximize", biMaximize}, {"biHelp", biHelp}};
  return names;
}
const TEnumNames<TPosition>& PositionNames() {
  static const TEnumNames<TPosition> names = {{"poDesigned", poDesigned}, {"poDefault", poDefault},
      {"poDefaultPosOnly", poDefaultPosOnly}, {"poDefaultSizeOnly", poDefaultSizeOnly},
      {"poScreenCenter", poScreenCenter}, {"poDesktopCenter", poDesktopCenter},
      {"poMainFormCenter", poMainFormCenter}, {"poOwnerFormCenter", poOwnerFormCenter}};
  return names;
}
const TEnumNames<TDefaultMonitor>& MonitorNames() {
  static const TEnumNames<TDefaultMonitor> names = {{"dmDesktop", dmDesktop}, {"dmPrimary", dmPrimary},
                                                    {"dmMainForm", dmMainForm}, {"dmActiveForm", dmActiveForm}};
  return names;
}
}  // namespace

const TPropTable& TForm::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TWinControl::Properties());
    t.Add("BorderStyle", EnumProp(&TForm::SetBorderStyle, BorderStyleNames()));
    t.Add("BorderIcons", SetProp(&TForm::SetBorderIcons, BorderIconNames()));
    t.Add("Position", EnumProp(&TForm::SetPosition, PositionNames()));
    t.Add("DefaultMonitor", EnumProp(&TForm::SetDefaultMonitor, MonitorNames()));
    t.Add("PixelsPerInch", IntProp(&TForm::SetPixelsPerInch));
    t.Add("TextHeight", IntProp(&TForm::SetTextHeight));
    t.Add("OldCreateOrder", BoolProp(&TForm::SetOldCreateOrder));
    return t;
  }();
  return table;
}

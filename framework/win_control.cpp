#include "framework/win_control.h"
#include "framework/popup_menu.h"
#include <algorithm>
#include <windowsx.h>
#include "framework/accessible.h"
#include "framework/application.h"
#include "framework/properties.h"
#include "framework/strings.h"

namespace {
const wchar_t kControlProp[] = L"OstrimarkControl";
const wchar_t kWindowClass[] = L"OstrimarkWindow";

ATOM RegisterOwnClass(WNDPROC proc) {
  static ATOM atom = 0;
  if (!atom) {
    WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    atom = RegisterClassExW(&wc);
  }
  return atom;
}

bool IsMouseMessage(UINT msg) {
  return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}
}  // namespace

bool IsInputMessage(UINT msg) {
  return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST);
}

bool IsKeyboardContextMenu(LPARAM at) { return GET_X_LPARAM(at) == -1 && GET_Y_LPARAM(at) == -1; }

bool IsDroppedInput(HWND window, UINT msg) {
  if (!window || !IsInputMessage(msg)) return false;
  return !IsWindowEnabled(window) || !IsWindowEnabled(GetAncestor(window, GA_ROOT));
}

void HandleWindowProcException() {
  try {
    throw;
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  } catch (...) {
    if (Application) Application->HandleException(Exception("Unknown error"));
  }
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyComponents();
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropW(window, kControlProp)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateHandle() {
  if (Parent() && !Parent()->handle_) Parent()->CreateHandle();
  if (!handle_) CreateWnd();
  CreateChildHandles();
}

void TWinControl::CreateChildHandles() {
  for (TControl* control : controls_) {
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win) continue;
    if (!win->handle_) win->CreateWnd();
    win->CreateChildHandles();
  }
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.className = kWindowClass;
  params.caption = AnsiToWide(Caption());
  params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (Parent()) params.style |= WS_CHILD;
  if (Visible()) params.style |= WS_VISIBLE;
  if (!Enabled()) params.style |= WS_DISABLED;
  if (tabStop_) params.style |= WS_TABSTOP;
  params.x = Left();
  params.y = Top();
  params.width = Width();
  params.height = Height();
  params.parentWindow = Parent() ? Parent()->Handle() : nullptr;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (!p.systemClass) RegisterOwnClass(&TWinControl::StdWndProc);
  HWND window = CreateWindowExW(p.exStyle, p.className.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width,
                                p.height, p.parentWindow, nullptr, GetModuleHandleW(nullptr),
                                p.systemClass ? nullptr : this);
  if (!window) throw EOutOfResources("Error creating window");
  if (p.systemClass) {
    Attach(window);
    defProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StdWndProc)));
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

void TWinControl::Attach(HWND window) {
  handle_ = window;
  SetPropW(window, kControlProp, this);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* control : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(control)) win->DestroyHandle();
  backBuffer_.Free();
  DestroyWindow(handle_);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  HandleNeeded();
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FromHandle(window);
  if (!control && msg == WM_NCCREATE) {
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (control) control->Attach(window);
  }
  if (!control) return DefWindowProcW(window, msg, wParam, lParam);
  if (IsDroppedInput(window, msg)) return 0;
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->NoteLookEffect(message);
    control->WndProc(message);
  } catch (...) {
    HandleWindowProcException();
  }
  if (msg == WM_NCDESTROY) {
    RemovePropW(window, kControlProp);
    if (control->defProc_) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->defProc_));
    control->handle_ = nullptr;
    control->defProc_ = nullptr;
  }
  return message.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_ || m.Msg >= CM_BASE) return;
  m.Result = defProc_ ? CallWindowProcW(defProc_, handle_, m.Msg, m.WParam, m.LParam)
                      : DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

// A window whose client fills it has nothing of the system's to paint outside the client; under
// Wine the default non-client paint still costs a window context.
bool TWinControl::HasNonClientArea() const {
  RECT window, client;
  GetWindowRect(handle_, &window);
  GetClientRect(handle_, &client);
  const LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
  return (style & (WS_HSCROLL | WS_VSCROLL)) || window.right - window.left != client.right ||
         window.bottom - window.top != client.bottom;
}

void TWinControl::NCPaint(TMessage& m) {
  if (HasNonClientArea()) DefaultHandler(m);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (PaintShownByParent()) { m.Result = 0; return; }
      [[fallthrough]];
    case WM_PRINTCLIENT:
      if (IsOwnClass()) { PaintHandler(m); return; }
      break;
    case WM_ERASEBKGND:
      if (IsOwnClass()) { m.Result = 1; return; }  // painted with the rest, without flicker
      break;
    case WM_SETCURSOR:
      if (SetCursorFor(m)) return;
      break;
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Reflect(m)) return;
      break;
    case WM_CONTEXTMENU:
      if (ShowPopupMenu(m.LParam)) return;
      break;
    case WM_SIZE:
    case WM_MOVE:
      DefaultHandler(m);
      UpdateBoundsFromWindow();
      return;
    case WM_SETFOCUS:
      if (Application) Application->ControlFocused(this);
      DefaultHandler(m);
      DoEnter();
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      DoExit();
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN) KeyDown(key, KeyboardShiftState());
      else KeyUp(key, KeyboardShiftState());
      if (key == 0) { m.Result = 0; return; }
      m.WParam = key;
      break;
    }
    case WM_CHAR: {
      wchar_t key = static_cast<wchar_t>(m.WParam);
      KeyPress(key);
      if (key == 0) { m.Result = 0; return; }
      m.WParam = key;
      break;
    }
    case WM_GETDLGCODE:
      DefaultHandler(m);
      m.Result = DialogCode(m.Result);
      return;
    case WM_GETOBJECT:
      if (AnswerGetObject(*this, m)) return;
      break;
    case CM_ACCESSIBLEACTION: RunAccessibleAction(*this, m.WParam); return;
    case WM_NCCALCSIZE: NCCalcSize(m); return;
    case WM_NCPAINT: NCPaint(m); return;
    case WM_CAPTURECHANGED:
      // A press that loses the capture is over: the control must not stay pressed.
      if (TControl* lost = std::exchange(captureControl_, nullptr)) lost->Perform(WM_CANCELMODE);
      break;
    case WM_MOUSELEAVE:
      if (Application) Application->MouseLeftWindow(this);
      break;
    case CM_FONTCHANGED:
      if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
      Broadcast(CM_PARENTFONTCHANGED);
      break;
    case CM_COLORCHANGED: Broadcast(CM_PARENTCOLORCHANGED); break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      for (TControl* control : std::vector<TControl*>(controls_)) {
        m.Result = control->Perform(m.Msg, m.WParam, m.LParam);
        if (m.Result) return;
      }
      return;
    case CM_SHOWHINTCHANGED: Broadcast(CM_PARENTSHOWHINTCHANGED); break;
    case CM_BIDIMODECHANGED: Broadcast(CM_PARENTBIDIMODECHANGED); break;
    case CM_TEXTCHANGED:
      if (handle_) SetWindowTextW(handle_, AnsiToWide(Caption()).c_str());
      break;
    case CM_ENABLEDCHANGED:
      if (handle_) EnableWindow(handle_, Enabled());
      break;
    case CM_VISIBLECHANGED:
      // Only when the window's own state differs: a form shown with activation already is.
      if (handle_ && ((GetWindowLongPtrW(handle_, GWL_STYLE) & WS_VISIBLE) != 0) != Visible())
        ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    default:
      if (IsMouseMessage(m.Msg) && RouteMouse(m)) return;
      break;
  }
  TControl::WndProc(m);
  DefaultHandler(m);
}

bool TWinControl::RouteMouse(TMessage& m) {
  POINT pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = captureControl_ ? captureControl_ : ControlAtPos(pt);
  if (m.Msg == WM_MOUSEMOVE && Application) {
    Application->MouseOver(target ? target : this);
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = handle_;
    TrackMouseEvent(&track);
  }
  if (!target) return false;
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    SetCapture(handle_);
    captureControl_ = target;
  }
  TControl* captured = captureControl_;
  target->Perform(m.Msg, m.WParam, MAKELPARAM(pt.x - target->Left(), pt.y - target->Top()));
  if (m.Msg == WM_LBUTTONUP && captured && captureControl_ == captured) {
    captureControl_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
  }
  m.Result = 0;
  return true;
}

bool TWinControl::SetCursorFor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) != handle_ || LOWORD(m.LParam) != HTCLIENT) return false;
  POINT pt;
  GetCursorPos(&pt);
  ::ScreenToClient(handle_, &pt);
  TControl* target = ControlAtPos(pt);
  HCURSOR cursor = CursorHandle(target ? target->Cursor() : Cursor());
  if (!cursor) return false;
  ::SetCursor(cursor);
  m.Result = TRUE;
  return true;
}

bool TWinControl::Reflect(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(m.LParam); break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem; break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_MEASUREITEM: child = GetDlgItem(handle_, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlID)); break;
    default: child = reinterpret_cast<HWND>(m.LParam); break;
  }
  TWinControl* control = FromHandle(child);
  if (!control || control == this) return false;
  m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  if (m.Result == 0 && m.Msg >= WM_CTLCOLORMSGBOX && m.Msg <= WM_CTLCOLORSTATIC) return false;
  return true;
}

void TWinControl::Broadcast(UINT msg) {
  for (TControl* control : std::vector<TControl*>(controls_)) control->Perform(msg);
}

TControl* TWinControl::ControlAtPos(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (dynamic_cast<TWinControl*>(control) || !control->Visible() || !control->Enabled()) continue;
    RECT bounds = control->BoundsRect();
    if (PtInRect(&bounds, point)) return control;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  control->parent_ = this;
  controls_.push_back(control);
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(win);
    if (handle_ && !IsLoading() && !win->IsLoading()) win->HandleNeeded();
  }
  control->ParentFontChanged();
  control->ParentColorChanged();
  control->ParentShowHintChanged();
  control->ParentBiDiModeChanged();
  control->Invalidate();
  if (control->Align() != alNone) RealignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  control->Invalidate();
  if (captureControl_ == control) captureControl_ = nullptr;
  if (Application) Application->ControlRemoved(control);
  std::erase(controls_, control);
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    std::erase(tabList_, win);
    win->DestroyHandle();
  }
  control->parent_ = nullptr;
}

void TWinControl::MoveControlToFront(TControl* control) {
  std::erase(controls_, control);
  controls_.push_back(control);
  control->Invalidate();
}

void TWinControl::AnchorControls() {
  const RECT client = ClientRect();
  const SIZE now{client.right - client.left, client.bottom - client.top};
  const SIZE base = std::exchange(anchorBase_, now);  // first: moving children may come back here
  if (base.cx < 0 || (base.cx == now.cx && base.cy == now.cy)) return;
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (c->Align() != alNone || c->Anchors() == TAnchors{akLeft, akTop}) continue;
    const RECT r = AnchoredBounds(c->BoundsRect(), c->Anchors(), now.cx - base.cx, now.cy - base.cy);
    c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  if (OnResize) OnResize(this);
}

bool TWinControl::ShowPopupMenu(LPARAM at) {
  if (!HandleAllocated()) return false;
  POINT screen{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  TControl* owner = this;
  if (IsKeyboardContextMenu(at)) {
    screen = {0, 0};
    ::ClientToScreen(Handle(), &screen);
  } else {
    POINT client = screen;
    ::ScreenToClient(Handle(), &client);
    if (TControl* child = ControlAtPos(client); child && child->PopupMenu()) owner = child;
  }
  if (!owner->PopupMenu()) return false;
  owner->PopupMenu()->Popup(screen.x, screen.y, Handle());
  return true;
}

void TWinControl::RealignControls() {
  if (IsLoading()) return;
  AnchorControls();
  RECT rect = ClientRect();
  AdjustClientRect(rect);
  AlignControls(rect);
}

void TWinControl::AlignControls(RECT& rect) {
  // Edges first in creation order, then the client-filling ones get what is left.
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != pass || !c->Visible()) continue;
      int w = c->Width(), h = c->Height();
      switch (pass) {
        case alTop: c->SetBounds(rect.left, rect.top, rect.right - rect.left, h); rect.top += c->Height(); break;
        case alBottom: c->SetBounds(rect.left, rect.bottom - h, rect.right - rect.left, h); rect.bottom -= c->Height(); break;
        case alLeft: c->SetBounds(rect.left, rect.top, w, rect.bottom - rect.top); rect.left += c->Width(); break;
        case alRight: c->SetBounds(rect.right - w, rect.top, w, rect.bottom - rect.top); rect.right -= c->Width(); break;
        default: c->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top); break;
      }
    }
  }
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  std::erase(list, this);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool value) {
  if (value == tabStop_) return;
  tabStop_ = value;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* child : tabList_) {
    list.push_back(child);
    child->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  for (const TWinControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  if (handle_ && !settingBounds_) {
    settingBounds_ = true;
    SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    settingBounds_ = false;
  }
  RealignControls();
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_ || settingBounds_) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (HWND parent = GetParent(handle_); parent && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  settingBounds_ = true;
  TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  settingBounds_ = false;
  RealignControls();
}

RECT TWinControl::ClientRect() const {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

void TWinControl::Invalidate() {
  LookChanged(true);
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  RealignControls();
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvasBinding binding(canvas_, dc);
  canvas_.Font().Assign(*Font());
  canvas_.Brush().SetColor(Color());
  Paint();
}

const TPropTable& TWinControl::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TControl::Properties());
    t.Add("TabOrder", IntProp(&TWinControl::SetTabOrder));
    t.Add("TabStop", BoolProp(&TWinControl::SetTabStop));
    t.Add("DoubleBuffered", BoolProp(&TWinControl::SetDoubleBuffered));
    AddWindowedTraits(t);
    return t;
  }();
  return table;
}

#include "framework/application.h"
#include "framework/form.h"
#include "framework/msgbox.h"
#include "framework/strings.h"

TApplication* Application = nullptr;

namespace {
constexpr UINT_PTR kHintShowTimer = 1, kHintHideTimer = 2, kShowButtonTimer = 3;
const wchar_t kAppClass[] = L"OstrimarkApplication";
const wchar_t kHintClass[] = L"OstrimarkHint";

LRESULT CALLBACK HintWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    wchar_t text[1024];
    GetWindowTextW(window, text, 1024);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&r, -3, -2);
    DrawTextW(dc, text, -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    SelectObject(dc, old);
    EndPaint(window, &ps);
    return 0;
  }
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(window, msg, wParam, lParam);
}

void RegisterClasses(WNDPROC appProc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = appProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
  wc.lpszClassName = kAppClass;
  RegisterClassExW(&wc);
  WNDCLASSEXW hint{};
  hint.cbSize = sizeof(hint);
  hint.style = CS_SAVEBITS | CS_DROPSHADOW;
  hint.lpfnWndProc = HintWndProc;
  hint.hInstance = wc.hInstance;
  hint.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  hint.lpszClassName = kHintClass;
  RegisterClassExW(&hint);
}
}  // namespace

TApplication::TApplication() : TComponent(nullptr) { Application = this; }

TApplication::~TApplication() {
  DestroyComponents();
  if (hintWindow_) DestroyWindow(hintWindow_);
  if (handle_) DestroyWindow(handle_);
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  RegisterClasses(&TApplication::AppWndProc);
  // The task bar button belongs to this zero-size owner window, so it carries the title.
  handle_ = CreateWindowExW(0, kAppClass, AnsiToWide(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, AnsiToWide(title).c_str());
}

int TApplication::Run() {
  ShowMainForm();
  MSG msg;
  while (!terminated_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    HandleMessage(msg);
  }
  terminated_ = true;
  return 0;
}

void TApplication::ShowMainForm() {
  if (!mainForm_) return;
  mainForm_->Show();
  // Showing the owner costs as much as the form itself: its task bar button can wait until the
  // window is up and the program waits for input.
  SetTimer(handle_, kShowButtonTimer, USER_TIMER_MINIMUM, nullptr);
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  HandleMessage(msg);
  return true;
}

void TApplication::HandleMessage(const MSG& msg) {
  // Dialog keys reach handlers outside any window procedure: their errors are caught here.
  try {
    if (IsDroppedInput(msg.hwnd, msg.message)) return;
    if (IsDialogKey(msg) || IsDialogChar(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  } catch (...) {
    HandleWindowProcException();
  }
}

bool TApplication::IsDialogChar(const MSG& msg) {
  // Alt+letter, or the letter alone where the focus takes no characters: the controls'
  // accelerators (a button's, a group box's, a label's) get a chance first.
  if (msg.message != WM_SYSCHAR && msg.message != WM_CHAR) return false;
  if (msg.message == WM_CHAR) {
    MSG copy = msg;
    const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
    if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  }
  TWinControl* target = nullptr;
  for (HWND w = msg.hwnd; w && !target; w = GetParent(w)) target = TWinControl::FromHandle(w);
  TForm* form = target ? GetParentForm(target) : nullptr;
  return form && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

bool TApplication::IsDialogKey(const MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_LBUTTONDOWN ||
      msg.message == WM_RBUTTONDOWN)
    CancelHint();
  if (msg.message != WM_KEYDOWN) return false;
  const auto key = msg.wParam;
  if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
  TWinControl* target = nullptr;
  for (HWND w = msg.hwnd; w && !target; w = GetParent(w)) target = TWinControl::FromHandle(w);
  TForm* form = target ? GetParentForm(target) : nullptr;
  if (!form) return false;
  MSG copy = msg;
  LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&copy));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  if (key == VK_TAB && (code & DLGC_WANTTAB)) return false;
  return form->Perform(CM_DIALOGKEY, key, msg.lParam) != 0;
}

void TApplication::Minimize() {
  if (!handle_ || IsIconic(handle_)) return;
  CancelHint();
  ShowOwnedPopups(handle_, FALSE);
  ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (!handle_ || !IsIconic(handle_)) return;
  ShowWindow(handle_, SW_RESTORE);
}

bool TApplication::Minimized() const { return handle_ && IsIconic(handle_); }

LRESULT CALLBACK TApplication::AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!app) return DefWindowProcW(window, msg, wParam, lParam);
  switch (msg) {
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: app->Minimize(); return 0;
        case SC_RESTORE: {
          LRESULT result = DefWindowProcW(window, msg, wParam, lParam);
          ShowOwnedPopups(window, TRUE);
          if (app->mainForm_ && app->mainForm_->HandleAllocated()) {
            SetForegroundWindow(app->mainForm_->Handle());
            SetActiveWindow(app->mainForm_->Handle());
          }
          return result;
        }
        case SC_CLOSE:
          if (app->mainForm_) app->mainForm_->Close();
          return 0;
        default: break;
      }
      break;
    case WM_ACTIVATE:
      // The owner window never keeps the activation: the main form takes it.
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(window) && app->mainForm_ && app->mainForm_->HandleAllocated() &&
          IsWindowVisible(app->mainForm_->Handle()))
        SetActiveWindow(app->mainForm_->Handle());
      return 0;
    case WM_CLOSE:
      if (app->mainForm_) app->mainForm_->Close();
      return 0;
    case WM_TIMER:
      KillTimer(window, wParam);
      if (wParam == kHintShowTimer) app->ShowHintNow();
      else if (wParam == kShowButtonTimer) ShowWindow(window, SW_SHOWNA);
      else app->CancelHint();
      return 0;
    default: break;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

std::string TApplication::ErrorBoxText(const std::string& message) {
  if (!message.empty() && message.back() == '.') return message;
  return message + ".";
}

void TApplication::HandleException(const std::exception& error) {
  CancelHint();
  MessageBoxWithCaption(title_, ErrorBoxText(error.what()), TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

void TApplication::MouseOver(TControl* control) {
  if (control == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = control;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (control) control->Perform(CM_MOUSEENTER);
  if (old && old == hintControl_ && !old->HidesHintOnLeave() && HintShowing()) KillTimer(handle_, kHintShowTimer);
  else CancelHint();
  if (control && control->ShowHint() && !control->WideHint().empty()) {
    hintControl_ = control;
    SetTimer(handle_, kHintShowTimer, hintPause_, nullptr);
  }
}

void TApplication::MouseLeftWindow(TWinControl* window) {
  if (!mouseControl_) return;
  if (mouseControl_ == window || mouseControl_->Parent() == window) MouseOver(nullptr);
}

void TApplication::ControlRemoved(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (hintControl_ == control) {
    hintControl_ = nullptr;
    CancelHint();
  }
}

void TApplication::ControlFocused(TWinControl* control) {
  if (TForm* form = GetParentForm(control); form && form != control) form->SetActiveControl(control);
}

void TApplication::FormDestroyed(TForm* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
  ControlRemoved(form);
}

void TApplication::ShowHintNow() {
  if (!hintControl_ || hintControl_ != mouseControl_) return;
  if (!hintWindow_)
    hintWindow_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass, L"",
                                  WS_POPUP | WS_BORDER, 0, 0, 0, 0, handle_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hintWindow_) return;
  std::wstring text = hintControl_->WideHint();
  HDC dc = GetDC(hintWindow_);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, 300, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(hintWindow_, dc);
  POINT cursor;
  GetCursorPos(&cursor);
  SetWindowTextW(hintWindow_, text.c_str());
  SetWindowPos(hintWindow_, HWND_TOPMOST, cursor.x, cursor.y + 20, r.right + 8, r.bottom + 6,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(hintWindow_, nullptr, TRUE);
  SetTimer(handle_, kHintHideTimer, hintHidePause_, nullptr);
}

void TApplication::CancelHint() {
  if (!handle_) return;
  KillTimer(handle_, kHintShowTimer);
  KillTimer(handle_, kHintHideTimer);
  if (hintWindow_ && IsWindowVisible(hintWindow_)) ShowWindow(hintWindow_, SW_HIDE);
}

bool TApplication::HintShowing() const { return hintWindow_ && IsWindowVisible(hintWindow_); }

std::string TApplication::HintText() const {
  wchar_t text[1024] = L"";
  if (hintWindow_) GetWindowTextW(hintWindow_, text, 1024);
  return WideToAnsi(text);
}

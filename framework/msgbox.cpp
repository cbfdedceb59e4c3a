#include "framework/msgbox.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/object.h"
#include "framework/strings.h"
#include "framework/system_controls.h"

namespace {

constexpr wchar_t kClassName[] = L"TOstriMessageBox";
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kMargin = 12;
constexpr int kIconGap = 12;
constexpr int kTextId = 0xFFFF;  // the id automation expects for a message box's text
constexpr int kIconId = 20;
// Must match how the text Static draws, so the measured text fits. The edit-control flags
// break a word longer than a line (a long path) instead of widening the box past the screen.
constexpr DWORD kTextStyle = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;

struct TButtonInfo {
  TMsgDlgBtn button;
  const wchar_t* caption;
  int result;  // also the control id
};

constexpr TButtonInfo kButtonOrder[] = {
    {TMsgDlgBtn::mbYes, L"&Yes", mrYes},
    {TMsgDlgBtn::mbNo, L"&No", mrNo},
    {TMsgDlgBtn::mbOK, L"OK", mrOk},
    {TMsgDlgBtn::mbCancel, L"Cancel", mrCancel},
};

// A box without buttons could not be answered from the keyboard or by automation.
TMsgDlgButtons Normalised(TMsgDlgButtons buttons) {
  return buttons.Empty() ? TMsgDlgButtons{TMsgDlgBtn::mbOK} : buttons;
}

std::vector<TButtonInfo> ButtonsOf(TMsgDlgButtons buttons) {
  std::vector<TButtonInfo> result;
  for (const TButtonInfo& info : kButtonOrder) {
    if (buttons.Contains(info.button)) result.push_back(info);
  }
  return result;
}

int EscapeResult(TMsgDlgButtons buttons) {
  if (buttons.Contains(TMsgDlgBtn::mbCancel)) return mrCancel;
  if (buttons.Contains(TMsgDlgBtn::mbNo)) return mrNo;
  return mrOk;
}

LPCWSTR IconOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return reinterpret_cast<LPCWSTR>(IDI_WARNING);
    case TMsgDlgType::mtError: return reinterpret_cast<LPCWSTR>(IDI_ERROR);
    case TMsgDlgType::mtInformation: return reinterpret_cast<LPCWSTR>(IDI_INFORMATION);
    case TMsgDlgType::mtConfirmation: return reinterpret_cast<LPCWSTR>(IDI_QUESTION);
    case TMsgDlgType::mtCustom: break;
  }
  return nullptr;
}

std::wstring ProgramName() {
  std::wstring name(MAX_PATH, L'\0');
  DWORD length = 0;
  // A full buffer means a longer path was cut: grow and ask again.
  for (;;) {
    length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length < name.size()) break;
    name.resize(name.size() * 2);
  }
  name.resize(length);
  name.erase(0, name.find_last_of(L"\\/") + 1);
  return name.substr(0, name.rfind(L'.'));
}

std::string CaptionOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return "Warning";
    case TMsgDlgType::mtError: return "Error";
    case TMsgDlgType::mtInformation: return "Information";
    case TMsgDlgType::mtConfirmation: return "Confirm";
    case TMsgDlgType::mtCustom: break;
  }
  return WideToAnsi(ProgramName());
}

// --- handle holders ---

class TFontHandle {
public:
  explicit TFontHandle(HFONT font) : font_(font) {}
  ~TFontHandle() { if (font_ != nullptr) DeleteObject(font_); }
  TFontHandle(const TFontHandle&) = delete;
  TFontHandle& operator=(const TFontHandle&) = delete;
  HFONT Get() const { return font_; }
private:
  HFONT font_;
};

class TWindowHandle {
public:
  explicit TWindowHandle(HWND window) : window_(window) {}
  ~TWindowHandle() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  TWindowHandle(const TWindowHandle&) = delete;
  TWindowHandle& operator=(const TWindowHandle&) = delete;
  HWND Get() const { return window_; }
private:
  HWND window_;
};

// Measures with the font selected into a screen DC; restores and releases it on every path.
class TMeasureDC {
public:
  explicit TMeasureDC(HFONT font) : dc_(GetDC(nullptr)), old_(SelectObject(dc_, font)) {}
  ~TMeasureDC() {
    SelectObject(dc_, old_);
    ReleaseDC(nullptr, dc_);
  }
  TMeasureDC(const TMeasureDC&) = delete;
  TMeasureDC& operator=(const TMeasureDC&) = delete;
  HDC Get() const { return dc_; }
private:
  HDC dc_;
  HGDIOBJ old_;
};

// --- the box window ---

struct TBoxState {
  int escapeResult = mrOk;
  TMsgDlgButtons buttons;
  int result = mrNone;
  bool done = false;
};

void Finish(HWND box, TBoxState& state, int result) {
  if (state.done) return;
  state.result = result;
  state.done = true;
  // An answer sent from another thread arrives inside GetMessage, which would wait on.
  PostMessageW(box, WM_NULL, 0, 0);
}

bool Offers(TMsgDlgButtons buttons, int id) {
  for (const TButtonInfo& info : kButtonOrder) {
    if (info.result == id) return buttons.Contains(info.button);
  }
  return false;
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<TBoxState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (state != nullptr) {
    switch (message) {
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED) break;
        // Escape arrives as IDCANCEL whether or not a Cancel button is there.
        if (id == IDCANCEL) Finish(window, *state, state->escapeResult);
        else if (Offers(state->buttons, id)) Finish(window, *state, id);
        return 0;
      }
      case WM_CLOSE:
        Finish(window, *state, state->escapeResult);
        return 0;
      case WM_NCDESTROY:
        state->done = true;  // destroyed unanswered: leave the loop with what we have
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
      default:
        break;
    }
  }
  return DefDlgProcW(window, message, wParam, lParam);
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

void RegisterBoxClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &BoxProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;  // a dialog of its own class: DefDlgProc keeps its state there
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (!registered) throw EOutOfResources("Cannot register the message box window class");
}

HFONT CreateMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  LOGFONTW font{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font = metrics.lfMessageFont;
  } else {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  }
  return CreateFontIndirectW(&font);
}

// Wraps at 60% of the screen; a text taller than most of the screen is cut so that the
// buttons stay on it.
SIZE MeasureText(HFONT font, const std::wstring& text) {
  if (text.empty()) return {0, 0};
  TMeasureDC dc(font);
  RECT bounds{0, 0, GetSystemMetrics(SM_CXSCREEN) * 3 / 5, 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &bounds, kTextFormat | DT_CALCRECT);
  // The last glyph of a line may reach past its advance (seen with substituted faces), and
  // the Static clips it: leave room. A wider Static never wraps into more lines.
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  const LONG slack = std::max<LONG>(2, metrics.tmAveCharWidth / 2);
  const LONG maxHeight = GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
  return {bounds.right - bounds.left + slack, std::min(bounds.bottom - bounds.top, maxHeight)};
}

// Client-area geometry: icon and text side by side, the button row centred below.
struct TBoxLayout {
  SIZE client{};
  RECT icon{};
  RECT text{};
  std::vector<RECT> buttons;
};

TBoxLayout LayoutBox(SIZE text, SIZE icon, std::size_t buttonCount) {
  TBoxLayout layout;
  const LONG count = static_cast<LONG>(buttonCount);
  const LONG rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  const LONG textLeft = kMargin + (icon.cx > 0 ? icon.cx + kIconGap : 0);
  const LONG contentHeight = std::max(text.cy, icon.cy);
  const LONG iconTop = kMargin + (contentHeight - icon.cy) / 2;
  const LONG textTop = kMargin + (contentHeight - text.cy) / 2;
  layout.icon = {kMargin, iconTop, kMargin + icon.cx, iconTop + icon.cy};
  layout.text = {textLeft, textTop, textLeft + text.cx, textTop + text.cy};
  layout.client.cx = std::max<LONG>(textLeft + text.cx + kMargin, rowWidth + 2 * kMargin);
  const LONG rowTop = kMargin + contentHeight + kMargin + kMargin / 2;
  layout.client.cy = rowTop + kButtonHeight + kMargin;
  LONG left = (layout.client.cx - rowWidth) / 2;
  for (LONG i = 0; i < count; ++i) {
    layout.buttons.push_back({left, rowTop, left + kButtonWidth, rowTop + kButtonHeight});
    left += kButtonWidth + kButtonGap;
  }
  return layout;
}

HWND CreateChild(HWND box, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& r, int id,
                 HFONT font) {
  HMENU childId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, box, childId, ModuleInstance(), nullptr);
  if (child == nullptr) throw EOutOfResources("Cannot create the message box controls");
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

HWND CreateBoxWindow(const std::wstring& caption, SIZE client, HWND owner, TBoxState& state) {
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, kBoxStyle, FALSE, kBoxExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  HWND box = CreateWindowExW(kBoxExStyle, kClassName, caption.c_str(), kBoxStyle, x, y, width, height,
                             owner, nullptr, ModuleInstance(), &state);
  if (box == nullptr) throw EOutOfResources("Cannot create the message box window");
  return box;
}

void CreateControls(HWND box, const std::wstring& text, LPCWSTR icon, const TBoxLayout& layout,
                    const std::vector<TButtonInfo>& buttons, HFONT font) {
  // The text comes first so that the first Static child found is the message. Its group
  // keeps the arrow keys from wrapping from the buttons onto the statics.
  CreateChild(box, L"Static", text.c_str(), kTextStyle | WS_GROUP, layout.text, kTextId, font);
  if (icon != nullptr) {
    HWND iconControl = CreateChild(box, L"Static", nullptr, SS_ICON, layout.icon, kIconId, font);
    SendMessageW(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icon)), 0);
  }
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const DWORD style = WS_TABSTOP | (i == 0 ? WS_GROUP | BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    CreateChild(box, L"Button", buttons[i].caption, style, layout.buttons[i], buttons[i].result, font);
  }
  SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(buttons.front().result), 0);
}

struct TLoopEnd {
  bool quit = false;
  WPARAM exitCode = 0;
};

TLoopEnd RunModalLoop(HWND box, const TBoxState& state) {
  TLoopEnd end;
  while (!state.done) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      end.quit = true;
      end.exitCode = msg.wParam;
      break;
    }
    if (!IsDialogMessageW(box, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return end;
}

// Reactivates the window that was active before the box, once the box is gone.
class TActivationRestorer {
public:
  TActivationRestorer() : window_(GetActiveWindow()) {}
  ~TActivationRestorer() {
    if (window_ != nullptr && IsWindow(window_)) SetActiveWindow(window_);
  }
  TActivationRestorer(const TActivationRestorer&) = delete;
  TActivationRestorer& operator=(const TActivationRestorer&) = delete;
  HWND Window() const { return window_; }
private:
  HWND window_;
};

SIZE IconSize(LPCWSTR icon) {
  if (icon == nullptr) return {0, 0};
  return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
}

TLoopEnd RunBox(HWND box, int firstButton, const TBoxState& state) {
  // Re-enabled before the box is destroyed, so that activation returns to them, not elsewhere.
  TDisabledWindows disabled(box);
  ShowWindow(box, SW_SHOWNORMAL);
  SetForegroundWindow(box);
  // Through the dialog manager, so that the first button gets the focus and the default frame.
  SendMessageW(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(box, firstButton)), TRUE);
  return RunModalLoop(box, state);
}

int ShowBox(const std::string& caption, const std::string& text, TMsgDlgType type,
            TMsgDlgButtons buttons) {
  const TSystemControlsScope systemControls;  // the text, icon and buttons are the system's
  RegisterBoxClass();
  TBoxState state;
  state.buttons = Normalised(buttons);
  state.escapeResult = EscapeResult(state.buttons);
  const std::vector<TButtonInfo> shown = ButtonsOf(state.buttons);
  const std::wstring wideText = AnsiToWide(text);
  const LPCWSTR icon = IconOf(type);
  TLoopEnd end;
  {
    TActivationRestorer restorer;
    TFontHandle font(CreateMessageFont());
    const TBoxLayout layout = LayoutBox(MeasureText(font.Get(), wideText), IconSize(icon), shown.size());
    TWindowHandle box(CreateBoxWindow(AnsiToWide(caption), layout.client, restorer.Window(), state));
    CreateControls(box.Get(), wideText, icon, layout, shown, font.Get());
    end = RunBox(box.Get(), shown.front().result, state);
  }
  // A quit ends the box unanswered; the loop outside must still see it.
  if (end.quit) PostQuitMessage(static_cast<int>(end.exitCode));
  return end.quit ? mrNone : state.result;
}

}  // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int /*helpContext*/) {
  return ShowBox(CaptionOf(type), text, type, buttons);
}

int MessageBoxWithCaption(const std::string& caption, const std::string& text, TMsgDlgType type,
                          TMsgDlgButtons buttons) {
  return ShowBox(caption, text, type, buttons);
}

TDisabledWindows::TDisabledWindows(HWND keep) : keep_(keep) {
  EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
  for (HWND window : windows_) EnableWindow(window, FALSE);
}

TDisabledWindows::~TDisabledWindows() {
  for (HWND window : windows_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

BOOL CALLBACK TDisabledWindows::Collect(HWND window, LPARAM param) {
  auto* self = reinterpret_cast<TDisabledWindows*>(param);
  if (window == self->keep_ || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  try {
    self->windows_.push_back(window);
  } catch (...) {
    return FALSE;  // no exception may cross the enumeration
  }
  return TRUE;
}

// Message boxes driven as automation would: found by caption, read through window
// messages, answered by clicks and keys while the box runs modally on the test thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "framework/msgbox.h"

namespace {

using Btn = TMsgDlgBtn;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

RECT RectInClient(HWND box, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool IsIconStatic(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON; }

// What a reader of the box sees, taken while it runs.
struct TBoxView {
  bool found = false;
  std::wstring text;
  std::vector<std::wstring> buttons;  // in window order
  std::vector<RECT> buttonRects;      // client coordinates
  HICON icon = nullptr;
  RECT iconRect{};
  RECT textRect{};
  RECT client{};
  RECT window{};
  int lineHeight = 0;
  std::wstring focused;
  std::wstring defaultButton;
  std::vector<bool> othersEnabled;  // the windows given to the driver, while the box is up
};

HWND FindButton(HWND box, const std::wstring& caption) {
  return FindWindowExW(box, nullptr, L"Button", caption.c_str());
}

TBoxView Inspect(HWND box, DWORD thread, const std::vector<HWND>& others) {
  TBoxView view;
  view.found = true;
  GetClientRect(box, &view.client);
  GetWindowRect(box, &view.window);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"Button") {
      view.buttons.push_back(TextOf(child));
      view.buttonRects.push_back(RectInClient(box, child));
    } else if (ClassOf(child) == L"Static" && IsIconStatic(child)) {
      view.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
      view.iconRect = RectInClient(box, child);
    } else if (ClassOf(child) == L"Static") {
      view.text = TextOf(child);
      view.textRect = RectInClient(box, child);
      HDC dc = GetDC(nullptr);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc, &metrics);
      view.lineHeight = metrics.tmHeight;
      SelectObject(dc, old);
      ReleaseDC(nullptr, dc);
    }
  }
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  if (GetGUIThreadInfo(thread, &gui) && gui.hwndFocus != nullptr) view.focused = TextOf(gui.hwndFocus);
  const LRESULT defId = SendMessageW(box, DM_GETDEFID, 0, 0);
  if (HIWORD(defId) == DC_HASDEFID) view.defaultButton = TextOf(GetDlgItem(box, LOWORD(defId)));
  for (HWND other : others) view.othersEnabled.push_back(IsWindowEnabled(other) != FALSE);
  return view;
}

// A second thread that waits for the box by caption, records what it shows and answers it.
// Should the box not appear or not close, it posts WM_QUIT so the test fails instead of hanging.
class TBoxDriver {
public:
  TBoxDriver(std::wstring caption, std::function<void(HWND box, HWND focus)> answer,
             std::vector<HWND> others = {})
      : caption_(std::move(caption)), answer_(std::move(answer)), others_(std::move(others)),
        testThread_(GetCurrentThreadId()), thread_([this] { Run(); }) {}
  ~TBoxDriver() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  const TBoxView& View() { Join(); return view_; }
  bool StillOpen() { Join(); return stillOpen_; }

private:
  void Run() {
    HWND box = nullptr;
    HWND focus = nullptr;
    for (int i = 0; i < 500 && focus == nullptr; ++i) {
      box = FindWindowW(nullptr, caption_.c_str());
      focus = box != nullptr ? FocusIn(box) : nullptr;
      if (focus == nullptr) Sleep(10);
    }
    if (focus != nullptr) {
      view_ = Inspect(box, testThread_, others_);
      answer_(box, focus);
      for (int i = 0; i < 300 && IsWindow(box); ++i) Sleep(10);
      stillOpen_ = IsWindow(box) != FALSE;
    }
    if (focus == nullptr || stillOpen_) PostThreadMessageW(testThread_, WM_QUIT, 0, 0);
  }
  // The box is ready for input once its thread's focus is inside it.
  HWND FocusIn(HWND box) const {
    DWORD thread = GetWindowThreadProcessId(box, nullptr);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    if (thread != testThread_ || !GetGUIThreadInfo(thread, &gui)) return nullptr;
    return IsChild(box, gui.hwndFocus) ? gui.hwndFocus : nullptr;
  }

  std::wstring caption_;
  std::function<void(HWND, HWND)> answer_;
  std::vector<HWND> others_;
  DWORD testThread_;
  TBoxView view_;
  bool stillOpen_ = false;
  std::thread thread_;
};

std::function<void(HWND, HWND)> Click(const std::wstring& caption) {
  return [caption](HWND box, HWND) { SendMessageW(FindButton(box, caption), BM_CLICK, 0, 0); };
}

void PressEscape(HWND, HWND focus) {
  PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
}

void CloseBox(HWND box, HWND) { PostMessageW(box, WM_CLOSE, 0, 0); }

class MsgBoxTest : public ::testing::Test {
protected:
  // A watchdog's WM_QUIT must not end the next test's box.
  void TearDown() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
};

TEST_F(MsgBoxTest, CaptionAndIconFollowTheType) {
  struct TCase {
    TMsgDlgType type;
    const wchar_t* caption;
    LPCWSTR icon;
  };
  const TCase cases[] = {
      {TMsgDlgType::mtWarning, L"Warning", reinterpret_cast<LPCWSTR>(IDI_WARNING)},
      {TMsgDlgType::mtError, L"Error", reinterpret_cast<LPCWSTR>(IDI_ERROR)},
      {TMsgDlgType::mtInformation, L"Information", reinterpret_cast<LPCWSTR>(IDI_INFORMATION)},
      {TMsgDlgType::mtConfirmation, L"Confirm", reinterpret_cast<LPCWSTR>(IDI_QUESTION)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.caption)));
    TBoxDriver driver(c.caption, Click(L"OK"));
    EXPECT_EQ(mrOk, MessageDlg("Saved.", c.type, {Btn::mbOK}));
    ASSERT_TRUE(driver.View().found);
    // System icons are shared: the very handle shows which one it is.
    EXPECT_EQ(LoadIconW(nullptr, c.icon), driver.View().icon);
    EXPECT_GE(driver.View().textRect.left, driver.View().iconRect.right);
  }
}

TEST_F(MsgBoxTest, CustomBoxHasNoIconAndTakesTheCallersCaption) {
  TBoxDriver driver(L"Ostrimark Test Title", Click(L"OK"));
  EXPECT_EQ(mrOk,
            MessageBoxWithCaption("Ostrimark Test Title", "Plain.", TMsgDlgType::mtCustom, {Btn::mbOK}));
  ASSERT_TRUE(driver.View().found);
  EXPECT_EQ(nullptr, driver.View().icon);
  EXPECT_EQ(L"Plain.", driver.View().text);
}

TEST_F(MsgBoxTest, ButtonsComeInFixedOrderAndAnswerTheirResult) {
  struct TCase {
    TMsgDlgButtons buttons;
    std::vector<std::wstring> captions;
    const wchar_t* click;
    int result;
  };
  const TCase cases[] = {
      {{Btn::mbOK}, {L"OK"}, L"OK", mrOk},
      {{Btn::mbCancel, Btn::mbYes}, {L"&Yes", L"Cancel"}, L"&Yes", mrYes},
      {{Btn::mbYes, Btn::mbCancel}, {L"&Yes", L"Cancel"}, L"Cancel", mrCancel},
      {{Btn::mbCancel, Btn::mbOK, Btn::mbNo, Btn::mbYes}, {L"&Yes", L"&No", L"OK", L"Cancel"}, L"&No", mrNo},
      {{}, {L"OK"}, L"OK", mrOk},  // a box needs a way out
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.captions));
    TBoxDriver driver(L"Confirm", Click(c.click));
    EXPECT_EQ(c.result, MessageDlg("Go on?", TMsgDlgType::mtConfirmation, c.buttons));
    EXPECT_FALSE(driver.StillOpen());
    const TBoxView& view = driver.View();
    EXPECT_EQ(c.captions, view.buttons);
    EXPECT_EQ(c.captions.front(), view.focused);
    EXPECT_EQ(c.captions.front(), view.defaultButton);
    for (std::size_t i = 1; i < view.buttonRects.size(); ++i) {
      EXPECT_GT(view.buttonRects[i].left, view.buttonRects[i - 1].right);
    }
  }
}

TEST_F(MsgBoxTest, EscapeAndCloseBoxAnswerCancelElseNoElseOk) {
  struct TCase {
    TMsgDlgButtons buttons;
    void (*answer)(HWND, HWND);
    int result;
  };
  const TCase cases[] = {
      {{Btn::mbYes, Btn::mbCancel}, PressEscape, mrCancel},
      {{Btn::mbYes, Btn::mbNo, Btn::mbCancel}, PressEscape, mrCancel},
      {{Btn::mbYes, Btn::mbNo}, PressEscape, mrNo},
      {{Btn::mbOK}, PressEscape, mrOk},
      {{Btn::mbYes}, PressEscape, mrOk},
      {{Btn::mbOK, Btn::mbCancel}, CloseBox, mrCancel},
      {{Btn::mbYes, Btn::mbNo, Btn::mbOK}, CloseBox, mrNo},
      {{Btn::mbOK}, CloseBox, mrOk},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    TBoxDriver driver(L"Warning", cases[i].answer);
    EXPECT_EQ(cases[i].result, MessageDlg("Leave?", TMsgDlgType::mtWarning, cases[i].buttons));
    EXPECT_FALSE(driver.StillOpen());
  }
}

TEST_F(MsgBoxTest, TextKeepsItsLinesAndEightBitLetters) {
  TBoxDriver driver(L"Information", Click(L"OK"));
  MessageDlg("First line\r\nOrdner f\xFCr den Simulator\r\nC:\\A & B\\", TMsgDlgType::mtInformation,
             {Btn::mbOK});
  const TBoxView& view = driver.View();
  ASSERT_TRUE(view.found);
  EXPECT_EQ(L"First line\r\nOrdner f\u00FCr den Simulator\r\nC:\\A & B\\", view.text);
  EXPECT_GE(view.textRect.bottom - view.textRect.top, 3 * view.lineHeight);
}

TEST_F(MsgBoxTest, LayoutFitsTheTextAndCentresButtonsAndBox) {
  const std::string longPath = "C:\\" + std::string(300, 'x') + "\\FS9.exe";
  const std::string texts[] = {"Saved.", "Two\r\nlines", longPath};
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    TBoxDriver driver(L"Confirm", Click(L"Cancel"));
    MessageDlg(text, TMsgDlgType::mtConfirmation, {Btn::mbYes, Btn::mbNo, Btn::mbCancel});
    const TBoxView& view = driver.View();
    ASSERT_TRUE(view.found);
    ASSERT_EQ(3u, view.buttonRects.size());
    RECT inside;
    EXPECT_TRUE(IntersectRect(&inside, &view.textRect, &view.client) && EqualRect(&inside, &view.textRect));
    EXPECT_LE(view.textRect.right - view.textRect.left, screenWidth * 3 / 5 + 16);
    for (const RECT& button : view.buttonRects) {
      EXPECT_EQ(75, button.right - button.left);
      EXPECT_EQ(25, button.bottom - button.top);
      EXPECT_GE(button.top, view.textRect.bottom);
      EXPECT_LE(button.bottom, view.client.bottom);
    }
    const LONG leftGap = view.buttonRects.front().left;
    const LONG rightGap = view.client.right - view.buttonRects.back().right;
    EXPECT_LE(std::abs(leftGap - rightGap), 1);
    EXPECT_LE(std::abs(view.window.left - (screenWidth - view.window.right)), 1);
    EXPECT_LE(std::abs(view.window.top - (screenHeight - view.window.bottom)), 1);
  }
}

TEST_F(MsgBoxTest, OtherWindowsAreDisabledWhileTheBoxRunsAndActiveAgainAfter) {
  HWND main = CreateWindowExW(0, L"Static", L"Main", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
  HWND alreadyDisabled = CreateWindowExW(0, L"Static", L"Busy", WS_POPUP | WS_VISIBLE | WS_DISABLED, 220, 10,
                                         200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, main);
  SetForegroundWindow(main);
  SetActiveWindow(main);
  ASSERT_EQ(main, GetActiveWindow());
  {
    TBoxDriver driver(L"Confirm", Click(L"&Yes"), {main, alreadyDisabled});
    EXPECT_EQ(mrYes, MessageDlg("Go on?", TMsgDlgType::mtConfirmation, {Btn::mbYes, Btn::mbNo}));
    EXPECT_EQ((std::vector<bool>{false, false}), driver.View().othersEnabled);
  }
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_FALSE(IsWindowEnabled(alreadyDisabled));  // not ours to enable
  EXPECT_EQ(main, GetActiveWindow());
  DestroyWindow(alreadyDisabled);
  DestroyWindow(main);
}

TEST_F(MsgBoxTest, QuitEndsTheBoxUnansweredAndIsPostedAgain) {
  const DWORD testThread = GetCurrentThreadId();
  TBoxDriver driver(L"Confirm", [testThread](HWND, HWND) { PostThreadMessageW(testThread, WM_QUIT, 42, 0); });
  EXPECT_EQ(mrNone, MessageDlg("Go on?", TMsgDlgType::mtConfirmation, {Btn::mbYes, Btn::mbNo}));
  EXPECT_FALSE(driver.StillOpen());
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(42u, msg.wParam);
}

// Keys played from a timer on the test thread: a WM_TIMER comes only once the keys before it
// are handled, so each key meets the focus that the one before left, and Shift can be held
// through the thread's keyboard state.
struct TKey {
  WORD vk;
  bool shift = false;
};

class TKeyScript {
public:
  TKeyScript(const wchar_t* caption, std::vector<TKey> keys) : caption_(caption), keys_(std::move(keys)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 20, &Tick);
  }
  ~TKeyScript() {
    KillTimer(nullptr, timer_);
    SetShift(false);
    current_ = nullptr;
  }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr) current_->Step();
  }
  void Step() {
    HWND focus = GetFocus();
    if (focus == nullptr || TextOf(GetAncestor(focus, GA_ROOT)) != caption_) return;
    if (next_ == keys_.size()) {
      if (++idleTicks_ > 100) PostQuitMessage(0);  // the keys did not answer the box
      return;
    }
    const TKey key = keys_[next_++];
    SetShift(key.shift);
    PostMessageW(focus, WM_KEYDOWN, key.vk, 1);
    PostMessageW(focus, WM_KEYUP, key.vk, static_cast<LPARAM>(0xC0000001u));
  }
  static void SetShift(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(state);
  }

  static inline TKeyScript* current_ = nullptr;
  std::wstring caption_;
  std::vector<TKey> keys_;
  std::size_t next_ = 0;
  int idleTicks_ = 0;
  UINT_PTR timer_ = 0;
};

TEST_F(MsgBoxTest, KeyboardMovesBetweenButtonsAndPressesTheFocusedOne) {
  struct TCase {
    const char* label;
    std::vector<TKey> keys;
    int result;
  };
  const TCase cases[] = {
      {"Enter presses the default", {{VK_RETURN}}, mrYes},
      {"Tab then Enter", {{VK_TAB}, {VK_RETURN}}, mrNo},
      {"Tab wraps round", {{VK_TAB}, {VK_TAB}, {VK_TAB}, {VK_RETURN}}, mrYes},
      {"Shift+Tab goes back to the last", {{VK_TAB, true}, {VK_RETURN}}, mrCancel},
      {"Right arrow", {{VK_RIGHT}, {VK_RETURN}}, mrNo},
      {"Left arrow wraps to the last", {{VK_LEFT}, {VK_RETURN}}, mrCancel},
      {"Down arrow wraps to the first", {{VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_RETURN}}, mrYes},
      {"Space presses the focused", {{VK_TAB}, {VK_SPACE}}, mrNo},
      {"Mnemonic letter", {{'N'}}, mrNo},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.label);
    TKeyScript script(L"Confirm", c.keys);
    EXPECT_EQ(c.result,
              MessageDlg("Go on?", TMsgDlgType::mtConfirmation, {Btn::mbYes, Btn::mbNo, Btn::mbCancel}));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
}

}  // namespace

// The finished window measured in-process: where start-up time goes, a full repaint against one
// copy of the face, "Get FS9 Path" from the click to the repainted labels, and the window and
// GDI object counts after start and after many repaints, message boxes and folder browsers.
// Each time is the median of repeated runs with its min and max.
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "app/main_form.h"
#include "app/win32_system.h"
#include "framework/application.h"
#include "framework/msgbox.h"
#include "tests/support/gdi_count.h"

namespace {

using TClock = std::chrono::steady_clock;

double Ms(TClock::time_point from, TClock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

struct TStats { double median, min, max; };

TStats Stats(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
}

// Runs `body` `rounds` times, each timing `repeat` calls; the per-call figures.
TStats Time(int rounds, int repeat, const std::function<void()>& body) {
  std::vector<double> each;
  for (int r = 0; r < rounds; ++r) {
    const auto start = TClock::now();
    for (int i = 0; i < repeat; ++i) body();
    GdiFlush();
    each.push_back(Ms(start, TClock::now()) / repeat);
  }
  return Stats(each);
}

// The real system, but boxes are counted and answered at once, so a figure never waits on a person.
class TQuietSystem : public TWin32System {
public:
  int boxes = 0;
  int ShowMessageBox(const std::string&, TMsgDlgType, TMsgDlgButtons) override {
    ++boxes;
    return mrOk;
  }
};

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountThreadWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

long WindowCount() {
  long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountThreadWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// While a modal window of ours runs its loop, this timer closes whatever it opened.
HWND gKeep[2];
BOOL CALLBACK CloseModal(HWND window, LPARAM) {
  if (window != gKeep[0] && window != gKeep[1] && IsWindowVisible(window) && IsWindowEnabled(window))
    PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}
void CALLBACK CloseModals(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseModal, 0);
}

void PrintCounts(const char* when) {
  std::printf("  %-34s windows %3ld, GDI objects %4ld\n", when, WindowCount(), gdi_count::LiveObjects());
}

void PrintStats(const char* what, TStats s, const char* unit) {
  std::printf("%s: median %.3f %s (min %.3f, max %.3f)\n", what, s.median, unit, s.min, s.max);
}

// Points the simulator's key at the stand-in beside the build for the run, and puts it back.
class TSeededKey {
public:
  TSeededKey() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder = folder.substr(0, folder.find_last_of(L'\\'));
    folder = folder.substr(0, folder.find_last_of(L'\\')) + L"\\standin";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | KEY_WOW64_32KEY, &key) == ERROR_SUCCESS) {
      DWORD size = sizeof(saved_);
      had_ = RegGetValueW(key, nullptr, L"EXE Path", RRF_RT_REG_SZ, nullptr, saved_, &size) == ERROR_SUCCESS;
      RegCloseKey(key);
    }
    Set(folder);
  }
  ~TSeededKey() {
    if (had_) Set(saved_);
    else Delete();
  }
private:
  static void Set(const std::wstring& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExW(key, L"EXE Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  static void Delete() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, L"EXE Path");
    RegCloseKey(key);
  }
  static constexpr wchar_t kKey[] = L"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
  wchar_t saved_[MAX_PATH] = L"";
  bool had_ = false;
};

HDC gFace = nullptr;
LRESULT CALLBACK BlitFaceProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg != WM_PAINT) return DefWindowProcW(window, msg, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  BitBlt(dc, 0, 0, 600, 447, gFace, 0, 0, SRCCOPY);
  EndPaint(window, &paint);
  return 0;
}

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
  const auto t0 = TClock::now();
  TApplication application;
  application.Initialize();
  application.SetTitle("Quarnel Ostrimark");
  const auto t1 = TClock::now();
  TQuietSystem system;
  auto* form = new TForm1(&application, system, LoadTextResource("MAINFORM"));
  application.SetMainForm(form);
  const auto t2 = TClock::now();
  application.ShowMainForm();
  const auto t3 = TClock::now();
  UpdateWindow(form->Handle());
  GdiFlush();
  const auto t4 = TClock::now();
  std::printf("start-up in-process: set-up %.1f ms, description %.1f ms, window creation %.1f ms, first paint %.1f ms\n",
              Ms(t0, t1), Ms(t1, t2), Ms(t2, t3), Ms(t3, t4));
  application.ProcessMessages();
  HWND window = form->Handle();
  gKeep[0] = window;
  gKeep[1] = application.Handle();

  std::printf("objects (the process's own handle-table count; Wine's GetGuiResources answers 0):\n");
  PrintCounts("after start");

  // The floor of any repaint: a window of the same size whose paint is one copy of the face,
  // repainted the same way.
  HDC screen = GetDC(window);
  HDC face = CreateCompatibleDC(screen);
  HBITMAP faceBitmap = CreateCompatibleBitmap(screen, 600, 447);
  HGDIOBJ old = SelectObject(face, faceBitmap);
  ReleaseDC(window, screen);
  gFace = face;
  WNDCLASSW type{};
  type.lpfnWndProc = BlitFaceProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = L"OstriBlitFace";
  RegisterClassW(&type);
  RECT at;
  GetWindowRect(window, &at);
  HWND floor = CreateWindowExW(0, L"OstriBlitFace", L"", WS_POPUP | WS_VISIBLE, at.left, at.top, 600, 447, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(floor);
  const TStats blit = Time(rounds, 20, [&] { Repaint(floor); });
  DestroyWindow(floor);
  SelectObject(face, old);
  DeleteObject(faceBitmap);
  DeleteDC(face);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  const TStats repaint = Time(rounds, 20, [&] { Repaint(window); });
  PrintStats("full-window repaint", repaint, "ms");
  PrintStats("a window painting one BitBlt of the 600 x 447 face", blit, "ms");
  std::printf("repaint ratio %.2f (goal <= 4)\n", repaint.median / blit.median);

  const TSeededKey seeded;
  const TStats get = Time(rounds, 5, [&] {
    SendMessageW(form->btnGetRegPath->Handle(), BM_CLICK, 0, 0);
    UpdateWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
  PrintStats("\"Get FS9 Path\" click to labels repainted", get, "ms");
  std::printf("  (goal under 16 ms; the key names the stand-in; %d boxes raised)\n", system.boxes);

  for (int i = 0; i < 1000; ++i) Repaint(window);
  PrintCounts("after 1,000 repaints");
  // The first of each kind loads what the system caches for the process (icons, shell data):
  // growth is what comes after it.
  const UINT_PTR closer = SetTimer(nullptr, 0, 30, CloseModals);
  auto box = [] { MessageDlg("Benchmark box", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}); };
  box();
  PrintCounts("after the first message box");
  for (int i = 1; i < 100; ++i) box();
  PrintCounts("after 100 message boxes");
  form->EdEdit1->MainButton()->Click();
  PrintCounts("after the first folder browser");
  for (int i = 1; i < 20; ++i) form->EdEdit1->MainButton()->Click();
  PrintCounts("after 20 folder browsers");
  KillTimer(nullptr, closer);
  delete form;
  return 0;
}

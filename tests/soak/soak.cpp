// The program under a person's clumsiest use for a given time: random clicks, drags, keys and
// button presses, every box and browser answered, registry editors closed, the program started
// again after Exit, and the registry value rewritten in every shape a damaged registry can hold.
// Fails on a crash, a hang, a Wine error dialog, or windows or GDI objects that keep growing.
//   soak_driver.exe [seconds] [seed]; SOAK_TRACE=1 prints the counts after every action.
#include <windows.h>
#include <tlhelp32.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>
#include "tests/e2e/fs9_key.h"
#include "tests/e2e/program.h"
#include "tests/e2e/screenshot.h"
#include "tests/support/gdi_count.h"
#include "tests/support/window_count.h"

namespace {

constexpr DWORD kHangLimit = 5000;
// "Search Reg" blocks the window by design while it walks the editor's tree (about 4.5 s here).
constexpr DWORD kWalkLimit = 15000;
// Caches and theme data settle in the first actions. After them a first use may still load a
// system cache once (a jump); a leak is growth that goes on: the lowest count of a run's last
// third above the lowest of its middle third. A run too short for thirds is held to a ceiling.
constexpr int kWarmUpActions = 25, kTrendSamples = 12;
constexpr long kGdiSlack = 40, kWindowSlack = 4, kGdiCeiling = 200, kWindowCeiling = 12;
const wchar_t* const kButtons[] = {L"Get FS9 Path", L"Set FS9 Path", L"Search Reg", L"FS2004", L"Exit"};

struct TCounts {
  int actions = 0, boxes = 0, browsers = 0, editors = 0, restarts = 0, rewrites = 0;
  long gdiBase = -1, gdiMax = -1, windowsBase = -1, windowsMax = -1;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

BOOL CALLBACK PrintWindowOf(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t title[128] = L"", type[64] = L"";
  GetWindowTextW(window, title, 128);
  GetClassNameW(window, type, 64);
  if (owner == static_cast<DWORD>(process))
    std::printf("soak: window \"%s\" of class %s, %s\n", Narrow(title).c_str(), Narrow(type).c_str(),
                IsWindowVisible(window) ? "visible" : "hidden");
  return TRUE;
}

struct THidden {
  DWORD process;
  HWND main, owner;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectHidden(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<THidden*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  const bool tool = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
  if (owner == search->process && window != search->main && window != search->owner && !tool &&
      !IsWindowVisible(window) && IsWindowEnabled(window) && GetWindow(window, GW_OWNER))
    search->found->push_back(window);
  return TRUE;
}

bool EditorRunning() {
  if (FindWindowW(L"RegEdit_RegEdit", nullptr)) return true;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
    found = _wcsicmp(entry.szExeFile, L"regedit.exe") == 0;
  CloseHandle(snapshot);
  return found;
}

BOOL CALLBACK FindErrorDialog(HWND window, LPARAM found) {
  wchar_t title[128] = L"";
  GetWindowTextW(window, title, 128);
  if (IsWindowVisible(window) && wcsstr(title, L"Program Error")) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {  // (key, up)
  std::vector<INPUT> input;
  for (auto [key, up] : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (key == VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0);
    input.push_back(in);
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void Mouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof(INPUT));
}

class TSoak {
public:
  TSoak(int seconds, unsigned seed) : seconds_(seconds), random_(seed) {}

  bool Run() {
    if (!TScratch::Prepare()) return Fail("scratch folders could not be made");
    if (!Start()) return false;
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::seconds(seconds_);
    while (std::chrono::steady_clock::now() < end && failure_.empty()) {
      Act();
      ++counts_.actions;
      Settle();
    }
    if (failure_.empty()) CheckGrowth();
    Report();
    return failure_.empty();
  }

private:
  bool Fail(const std::string& why) {
    if (failure_.empty()) {
      failure_ = why + " (last action: " + lastAction_ + ")";
      SaveScreenshot(L"soak_failure");
      EnumWindows(PrintWindowOf, static_cast<LPARAM>(program_ ? program_->ProcessId() : 0));
    }
    return false;
  }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  bool Start() {
    program_ = std::make_unique<TProgram>();
    if (!program_->Started() || !program_->WaitForMain()) return Fail("the program did not start");
    actionsSinceStart_ = 0;
    WarmUp();
    return true;
  }

  // The first box of each kind, the first folder browser and the first shell start load what the
  // system caches for the process (icons, shell data): go through each once, answering so that
  // every kind comes up, before any count is taken.
  void WarmUp() {
    program_->SetFolderText(L"");
    program_->Click(L"Set FS9 Path");
    Press(L"OK");  // information
    TFS9Key::Seed(TScratch::FS9());
    program_->SetFolderText(TScratch::Empty());
    program_->Click(L"Set FS9 Path");
    Press(L"&Yes");  // confirmation
    Press(L"Cancel");  // the warning that asks again
    TFS9Key::SeedDword(1);
    program_->Click(L"Get FS9 Path");
    Press(L"OK");  // the error box
    TFS9Key::Seed(TScratch::FS9());
    program_->Click(L"FS2004");
    program_->ClickFolderButton();
    Press(L"Cancel");
    Settle();
  }

  void Press(const wchar_t* button) {
    if (std::optional<TBox> box = program_->WaitForBox(3000)) TProgram::Answer(*box, button);
  }

  void Act() {
    switch (Pick(10)) {
      case 0: case 1: PressButton(); break;
      case 2: case 3: ClickSomewhere(); break;
      case 4: Drag(); break;
      case 5: case 6: PressKey(); break;
      case 7: case 8: RewriteValue(); break;
      default:
        if (Pick(2)) {
          lastAction_ = "folder button";
          program_->ClickFolderButton();
        } else {
          PutFolderText();
        }
    }
  }

  void PressButton() {
    // Exit less often than the rest, so each run of the program lives a while.
    const int index = Pick(10) == 0 ? 4 : Pick(4);
    walking_ = index == 2;
    lastAction_ = "press " + Narrow(kButtons[index]);
    program_->Click(kButtons[index]);
  }

  POINT RandomPointOnWindow() {
    RECT r;
    GetWindowRect(program_->Main(), &r);
    return {r.left + Pick(r.right - r.left), r.top + Pick(r.bottom - r.top)};
  }

  void ClickSomewhere() {
    const POINT p = RandomPointOnWindow();
    lastAction_ = "click at " + std::to_string(p.x) + "," + std::to_string(p.y);
    SetForegroundWindow(program_->Main());
    SetCursorPos(p.x, p.y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
  }

  void Drag() {
    POINT p = RandomPointOnWindow();
    lastAction_ = "drag from " + std::to_string(p.x) + "," + std::to_string(p.y);
    SetCursorPos(p.x, p.y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    for (int i = 0; i < 5; ++i) {
      p.x += Pick(41) - 20;
      p.y += Pick(41) - 20;
      Sleep(20);
      SetCursorPos(p.x, p.y);
    }
    Mouse(MOUSEEVENTF_LEFTUP);
  }

  void PressKey() {
    SetForegroundWindow(program_->Main());
    const int key = Pick(8);
    lastAction_ = "key " + std::to_string(key);
    switch (key) {
      case 0: SendKeys({{VK_TAB, false}, {VK_TAB, true}}); break;
      case 1: SendKeys({{VK_SHIFT, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_SHIFT, true}}); break;
      case 2: SendKeys({{VK_RETURN, false}, {VK_RETURN, true}}); break;
      case 3: SendKeys({{VK_ESCAPE, false}, {VK_ESCAPE, true}}); break;
      case 4: SendKeys({{VK_SPACE, false}, {VK_SPACE, true}}); break;
      case 5: SendKeys({{VK_MENU, false}, {VK_DOWN, false}, {VK_DOWN, true}, {VK_MENU, true}}); break;
      default: {
        const WORD letter = static_cast<WORD>('A' + Pick(26));
        SendKeys({{letter, false}, {letter, true}});
      }
    }
  }

  void RewriteValue() {
    ++counts_.rewrites;
    const int kind = Pick(8);
    lastAction_ = "registry value " + std::to_string(kind);
    switch (kind) {
      case 0: TFS9Key::Remove(); break;
      case 1: TFS9Key::Seed(TScratch::FS9()); break;
      case 2: TFS9Key::Seed(TScratch::Empty()); break;
      case 3: TFS9Key::SeedDword(static_cast<DWORD>(random_())); break;
      case 4: {
        const std::wstring text = L"%SystemDrive%\\OstriE2E\\FS9";
        TFS9Key::SeedRaw(REG_EXPAND_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        break;
      }
      case 5: TFS9Key::Seed(L"C:\\" + std::wstring(5000, L'x')); break;
      case 6: {  // the stored bytes end without their zero
        const std::wstring text = TScratch::Other();
        TFS9Key::SeedRaw(REG_SZ, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)));
        break;
      }
      default: {
        std::vector<BYTE> junk(1 + Pick(64));
        for (BYTE& b : junk) b = static_cast<BYTE>(random_());
        TFS9Key::SeedRaw(REG_BINARY, junk.data(), static_cast<DWORD>(junk.size()));
      }
    }
  }

  void PutFolderText() {
    const std::wstring choices[] = {TScratch::FS9(), TScratch::Other(), TScratch::Empty(), L"",
                                    L"C:\\" + std::wstring(300, L'y')};
    lastAction_ = "folder text";
    program_->SetFolderText(choices[Pick(5)]);  // nothing when the edit takes no text from outside
  }

  // Answers what the action opened, brings the window back, and checks the program is well.
  void Settle() {
    for (int round = 0; round < 20 && failure_.empty(); ++round) {
      CloseEditors();
      if (CheckErrorDialog() || CheckEnded()) return;
      if (!IsWindow(program_->Main())) {
        if (!Responsive()) return;
        continue;
      }
      std::vector<HWND> boxes = program_->OpenBoxes();
      if (boxes.empty()) boxes = HiddenModals();
      if (boxes.empty()) {
        if (!Responsive()) return;
        if (program_->OpenBoxes().empty()) break;
        continue;
      }
      AnswerBox(ReadBox(boxes.front()));
    }
    walking_ = false;
    KeepWindowReachable();
    ++actionsSinceStart_;
    Sample();
  }

  // A registry editor starting, on screen or just closed means "Search Reg" is walking it,
  // whichever way it was started (a key may press the button).
  bool EditorSeenLately() {
    if (EditorRunning()) lastEditorSeen_ = GetTickCount();
    return lastEditorSeen_ && GetTickCount() - lastEditorSeen_ < kWalkLimit;
  }

  bool Responsive() {
    DWORD limit = walking_ || EditorSeenLately() ? kWalkLimit : kHangLimit;
    if (!IsWindow(program_->Main()))  // closed: the process must end, then it is started again
      return program_->WaitForExit(limit) != STILL_ACTIVE || Fail("the window closed but the process went on");
    for (DWORD waited = 0; waited < limit; waited += 500) {
      if (program_->WaitUntilResponsive(500) || program_->WaitForExit(0) != STILL_ACTIVE) return true;
      if (EditorSeenLately()) limit = kWalkLimit;
    }
    return Fail("no answer to WM_NULL within " + std::to_string(limit / 1000) + " s");
  }

  // A window disabled by a modal window nobody can see (its owner was hidden as it opened):
  // show that window so it can be answered, as a person would bring it up.
  std::vector<HWND> HiddenModals() {
    std::vector<HWND> found;
    if (!program_->Main() || IsWindowEnabled(program_->Main())) return found;
    THidden search{program_->ProcessId(), program_->Main(), GetWindow(program_->Main(), GW_OWNER), &found};
    EnumWindows(CollectHidden, reinterpret_cast<LPARAM>(&search));
    for (HWND window : found) ShowWindowAsync(window, SW_SHOWNA);
    if (!found.empty()) Sleep(200);
    return found;
  }

  void AnswerBox(const TBox& box) {
    if (box.buttons.empty()) {
      PostMessageW(box.window, WM_CLOSE, 0, 0);
      Sleep(100);
      return;
    }
    // The browser's own "new folder" button would litter the disk: OK or Cancel only.
    const bool browser = box.caption == L"Select FS9 folder...";
    browser ? ++counts_.browsers : ++counts_.boxes;
    const std::wstring press = browser ? (Pick(2) ? L"OK" : L"Cancel") : box.buttons[Pick(static_cast<int>(box.buttons.size()))];
    if (!TProgram::Answer(box, press)) Sleep(200);
  }

  void CloseEditors() {
    while (HWND editor = FindWindowW(L"RegEdit_RegEdit", nullptr)) {
      ++counts_.editors;
      walking_ = true;  // however it was started (a key may press "Search Reg"), the walk goes on
      PostMessageW(editor, WM_CLOSE, 0, 0);
      if (!WaitFor([&] { return !IsWindow(editor); }, 3000)) break;
    }
  }

  bool CheckErrorDialog() {
    HWND dialog = nullptr;
    EnumWindows(FindErrorDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return false;
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    return !Fail("a Wine error dialog appeared");
  }

  // An ended program is started again when it ended through Exit; anything else is a crash.
  bool CheckEnded() {
    const DWORD code = program_->WaitForExit(0);
    if (code == STILL_ACTIVE) return false;
    if (code != 0) return !Fail("the program ended with code " + std::to_string(code));
    CheckGrowth();
    ++counts_.restarts;
    Start();
    return true;
  }

  void KeepWindowReachable() {
    HWND main = program_->Main();
    HWND owner = GetWindow(main, GW_OWNER);
    if ((owner && IsIconic(owner)) || !IsWindowVisible(main)) {
      PostMessageW(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
      WaitFor([&] { return IsWindowVisible(main) != 0; }, 3000);
    }
    RECT r;
    GetWindowRect(main, &r);
    if (r.left < 0 || r.top < 0 || r.right > GetSystemMetrics(SM_CXSCREEN) || r.bottom > GetSystemMetrics(SM_CYSCREEN))
      SetWindowPos(main, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // Counts at a quiet moment; those after warm-up make this run of the program's series.
  void Sample() {
    if (!program_->OpenBoxes().empty()) return;
    const std::vector<unsigned char> table = gdi_count::TableOf(program_->Process());
    const long gdi = table.empty() ? -1 : gdi_count::CountEntries(table.data());
    const long windows = window_count::WindowsOf(program_->ProcessId());
    if (!program_->OpenBoxes().empty()) return;  // a box came up while counting: not quiet
    // A window or object made just then (a box being built, a hint) is in one sample only: a leak
    // stays in every one, so the lowest of the last three is what counts.
    recentGdi_ = {recentGdi_[1], recentGdi_[2], gdi};
    recentWindows_ = {recentWindows_[1], recentWindows_[2], windows};
    const long lowGdi = *std::min_element(recentGdi_.begin(), recentGdi_.end());
    const long lowWindows = *std::min_element(recentWindows_.begin(), recentWindows_.end());
    if (getenv("SOAK_TRACE"))
      std::printf("soak: trace %d actions: gdi %ld windows %ld (after %s)\n", actionsSinceStart_, gdi, windows,
                  lastAction_.c_str());
    if (actionsSinceStart_ < kWarmUpActions || lowGdi < 0 || lowWindows < 0) return;
    lastKinds_ = gdi_count::KindsOf(table);
    if (series_.empty()) baseKinds_ = lastKinds_;
    series_.push_back({lowGdi, lowWindows});
    counts_.gdiBase = series_.front().gdi;
    counts_.windowsBase = series_.front().windows;
    counts_.gdiMax = std::max(counts_.gdiMax, gdi);
    counts_.windowsMax = std::max(counts_.windowsMax, windows);
  }

  struct TSample {
    long gdi, windows;
  };

  long LowestOf(size_t from, size_t to, long TSample::*count) const {
    long low = series_[from].*count;
    for (size_t i = from; i < to; ++i) low = std::min(low, series_[i].*count);
    return low;
  }

  void CheckGrowth() {
    if (!series_.empty()) {
      CheckSeries("GDI objects", &TSample::gdi, kGdiSlack, kGdiCeiling);
      CheckSeries("windows", &TSample::windows, kWindowSlack, kWindowCeiling);
    }
    series_.clear();
    recentGdi_ = recentWindows_ = {-1, -1, -1};
  }

  void CheckSeries(const std::string& what, long TSample::*count, long slack, long ceiling) {
    const size_t n = series_.size(), third = n / 3;
    const long base = series_.front().*count, last = series_.back().*count;
    if (n >= kTrendSamples) {
      const long middle = LowestOf(third, n - third, count), end = LowestOf(n - third, n, count);
      if (end > middle + slack)
        Fail(what + " kept growing: lowest " + std::to_string(middle) + " in the middle third of " +
             std::to_string(n) + " samples, " + std::to_string(end) + " in the last" + GrownKinds());
    }
    if (last > base + ceiling) Fail(what + " grew from " + std::to_string(base) + " to " + std::to_string(last) + GrownKinds());
  }

  std::string GrownKinds() const {
    std::string grown;
    for (size_t type = 0; type < lastKinds_.size(); ++type)
      if (const long more = lastKinds_[type] - baseKinds_[type]; more > 0)
        grown += (grown.empty() ? "; " : ", ") + std::string(gdi_count::KindName(type)) + " +" + std::to_string(more);
    return grown;
  }

  void Report() const {
    std::printf("soak: %d s of real time, %d actions, %d boxes and %d browsers answered, %d editors closed, %d restarts, "
                "%d registry rewrites\n",
                seconds_, counts_.actions, counts_.boxes, counts_.browsers, counts_.editors, counts_.restarts,
                counts_.rewrites);
    std::printf("soak: GDI objects base %ld, highest %ld; windows base %ld, highest %ld (last run of the program)\n",
                counts_.gdiBase, counts_.gdiMax, counts_.windowsBase, counts_.windowsMax);
    if (!failure_.empty()) std::printf("soak: FAILED after %d actions: %s\n", counts_.actions, failure_.c_str());
    std::printf("soak: %d passed, %d failed\n", failure_.empty() ? 1 : 0, failure_.empty() ? 0 : 1);
    std::fflush(stdout);
  }

  int seconds_;
  std::mt19937 random_;
  std::unique_ptr<TProgram> program_;
  TCounts counts_;
  std::string failure_, lastAction_;
  int actionsSinceStart_ = 0;
  bool walking_ = false;
  DWORD lastEditorSeen_ = 0;
  std::vector<TSample> series_;
  gdi_count::TKinds baseKinds_{}, lastKinds_{};
  std::array<long, 3> recentGdi_{-1, -1, -1}, recentWindows_{-1, -1, -1};
};

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : GetTickCount();
  std::printf("soak: seed %u\n", seed);
  TFS9Key key;  // whatever the run writes is put back
  return TSoak(seconds, seed).Run() ? 0 : 1;
}

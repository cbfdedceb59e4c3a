// "Search Reg" walks the system's real registry editor to the simulator's key, read back from
// the editor's own tree.
#include "tests/e2e/e2e_fixture.h"

#include <commctrl.h>

#include <algorithm>

namespace {
// The walk pauses 3.5 s in all and never longer than half a second at a time.
constexpr DWORD kPauses = 3500, kRest = 1200, kWalkTime = 10000;

HWND FindTree(HWND parent) {
  // The editor may nest its tree below an inner frame.
  for (HWND child = FindWindowExW(parent, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(parent, child, nullptr, nullptr)) {
    wchar_t name[64] = L"";
    GetClassNameW(child, name, 64);
    if (_wcsicmp(name, WC_TREEVIEWW) == 0) return child;
    if (HWND inner = FindTree(child)) return inner;
  }
  return nullptr;
}

// TVITEMW as a process of the given pointer width lays it out: a 32-bit test reads the 64-bit
// editor that a WoW64 system starts for "regedit.exe", and the tree reads the request as its own.
template <typename Pointer>
struct TTreeItemOf {
  UINT mask;
  alignas(Pointer) Pointer hItem;
  UINT state, stateMask;
  alignas(Pointer) Pointer pszText;
  int cchTextMax, iImage, iSelectedImage, cChildren;
  alignas(Pointer) Pointer lParam;
};
static_assert(sizeof(TTreeItemOf<UINT64>) == 56 && sizeof(TTreeItemOf<UINT32>) == 40);
static_assert(sizeof(TTreeItemOf<UINT_PTR>) == sizeof(TVITEMW));

// Reads another process's tree: item texts need a buffer inside that process.
class TRemoteTree {
public:
  explicit TRemoteTree(HWND tree) : tree_(tree) {
    DWORD id = 0;
    GetWindowThreadProcessId(tree, &id);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                           FALSE, id);
    if (process_) buffer_ = VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    BOOL ownWow64 = FALSE, itsWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &ownWow64);
    if (process_) IsWow64Process(process_, &itsWow64);
    // A process is 64-bit on 64-bit Windows when it is no WoW64 one.
    remote64_ = (sizeof(void*) == 8 || ownWow64) && !itsWow64;
  }
  ~TRemoteTree() {
    if (buffer_) VirtualFreeEx(process_, buffer_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  TRemoteTree(const TRemoteTree&) = delete;
  TRemoteTree& operator=(const TRemoteTree&) = delete;

  bool Usable() const { return buffer_ != nullptr; }
  HTREEITEM Next(HTREEITEM item, UINT how) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  }
  HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }
  UINT State(HTREEITEM item) const {
    return static_cast<UINT>(SendMessageW(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED));
  }
  std::wstring Text(HTREEITEM item) const {
    const UINT_PTR remoteText = reinterpret_cast<UINT_PTR>(buffer_) + kItemRoom;
    if (!(remote64_ ? Ask<UINT64>(item, remoteText) : Ask<UINT32>(item, remoteText))) return L"<no item>";
    wchar_t text[kTextChars + 1] = L"";
    if (!ReadProcessMemory(process_, reinterpret_cast<void*>(remoteText), text, kTextChars * sizeof(wchar_t), nullptr))
      return L"<unreadable>";
    text[kTextChars] = L'\0';
    return text;
  }
  // The selected item and its parents, innermost first.
  std::vector<std::wstring> SelectedPath() const {
    std::vector<std::wstring> path;
    for (HTREEITEM item = Selected(); item && path.size() < 20; item = Next(item, TVGN_PARENT))
      path.push_back(Text(item));
    return path;
  }

private:
  static constexpr int kTextChars = 260;
  static constexpr SIZE_T kItemRoom = 64;  // the larger request, rounded up
  static constexpr SIZE_T kSize = kItemRoom + (kTextChars + 1) * sizeof(wchar_t);

  // Asks for an item's text in the tree's own layout; false when the request was not answered.
  template <typename Pointer>
  bool Ask(HTREEITEM item, UINT_PTR remoteText) const {
    TTreeItemOf<Pointer> request{};
    request.mask = TVIF_TEXT;
    request.hItem = static_cast<Pointer>(reinterpret_cast<UINT_PTR>(item));
    request.pszText = static_cast<Pointer>(remoteText);
    request.cchTextMax = kTextChars;
    return WriteProcessMemory(process_, buffer_, &request, sizeof(request), nullptr) &&
           SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer_));
  }

  HWND tree_;
  HANDLE process_ = nullptr;
  bool remote64_ = false;
  void* buffer_ = nullptr;
};

// The key path as the editor names it: each name spelt as the registry stores it. Names match
// regardless of letter case, and the spelling is the system's (Windows stores "SOFTWARE" and
// "WOW6432Node", Wine "Software" and "Wow6432Node").
std::vector<std::wstring> StoredPath(const std::vector<std::wstring>& names) {
  std::vector<std::wstring> stored;
  HKEY key = HKEY_LOCAL_MACHINE;
  for (const std::wstring& name : names) {
    std::wstring found = name;  // a missing key keeps the spelling asked for
    wchar_t child[256];
    for (DWORD i = 0; key; ++i) {
      DWORD length = 256;
      if (RegEnumKeyExW(key, i, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (_wcsicmp(child, name.c_str()) == 0) {
        found = child;
        break;
      }
    }
    stored.push_back(found);
    HKEY next = nullptr;
    if (key) RegOpenKeyExW(key, found.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_64KEY, &next);
    if (key && key != HKEY_LOCAL_MACHINE) RegCloseKey(key);
    key = next;
  }
  if (key && key != HKEY_LOCAL_MACHINE) RegCloseKey(key);
  return stored;
}

HWND Editor() { return FindWindowW(L"RegEdit_RegEdit", nullptr); }

int EditorCount() {
  int count = 0;
  for (HWND editor = FindWindowExW(nullptr, nullptr, L"RegEdit_RegEdit", nullptr); editor;
       editor = FindWindowExW(nullptr, editor, L"RegEdit_RegEdit", nullptr))
    ++count;
  return count;
}

// Closes every editor window, and ends its process should it linger.
void CloseEditors() {
  for (HWND editor = Editor(); editor; editor = Editor()) {
    DWORD id = 0;
    GetWindowThreadProcessId(editor, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
    PostMessageW(editor, WM_CLOSE, 0, 0);
    if (process && WaitForSingleObject(process, 5000) == WAIT_TIMEOUT) TerminateProcess(process, 1);
    if (process) {
      WaitForSingleObject(process, 2000);
      CloseHandle(process);
    }
    if (!process) break;
  }
}

}  // namespace

class SearchReg : public ProgramCase {
protected:
  void SetUp() override {
    CloseEditors();
    ProgramCase::SetUp();
    // A subkey below 9.0 gives the tree something to expand, so "not expanded" means something.
    ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9(), L"Add-ons"));
  }
  void TearDown() override { CloseEditors(); }

  // Clicks "Search Reg" and waits until the walk has ended. The program answers messages
  // while its key presses are delivered, so an answer alone does not mean the end: the walk
  // takes its 3.5 s of pauses, and then the selection comes to rest.
  void Walk() {
    const DWORD start = GetTickCount();
    ASSERT_TRUE(program_.Click(L"Search Reg"));
    // The editor's window comes before its tree: under load the tree may follow it late.
    ASSERT_TRUE(WaitFor([] { return Editor() != nullptr && FindTree(Editor()) != nullptr; }, 5000))
        << "no registry editor window with its tree";
    HWND tree = FindTree(Editor());
    ASSERT_NE(tree, nullptr);
    TRemoteTree remote(tree);
    ASSERT_TRUE(remote.Usable());
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed < kPauses) Sleep(kPauses - elapsed);
    std::vector<std::wstring> last = remote.SelectedPath();
    DWORD restingSince = GetTickCount();
    const bool rested = WaitFor(
        [&] {
          std::vector<std::wstring> now = remote.SelectedPath();
          if (now != last) {
            last = now;
            restingSince = GetTickCount();
          }
          return GetTickCount() - restingSince >= kRest && program_.WaitUntilResponsive(1000);
        },
        kWalkTime);
    ASSERT_TRUE(rested) << "the walk did not come to rest";
  }

  void ExpectAtTheKey(HWND editor) {
    HWND tree = FindTree(editor);
    ASSERT_NE(tree, nullptr);
    TRemoteTree remote(tree);
    ASSERT_TRUE(remote.Usable());
    std::vector<std::wstring> expected = StoredPath(
        {L"SOFTWARE", L"WOW6432Node", L"Microsoft", L"Microsoft Games", L"Flight Simulator", L"9.0"});
    expected.insert(expected.begin(), L"HKEY_LOCAL_MACHINE");
    std::reverse(expected.begin(), expected.end());  // innermost first, as read from the tree
    std::vector<std::wstring> path = remote.SelectedPath();
    ASSERT_GE(path.size(), expected.size() + 1) << "selection too high in the tree: " << Narrow(Join(path));
    EXPECT_EQ(std::vector<std::wstring>(path.begin(), path.begin() + expected.size()), expected)
        << Narrow(Join(path));
    // HKEY_LOCAL_MACHINE sits right below the tree's one top item.
    EXPECT_EQ(path.size(), expected.size() + 1) << Narrow(Join(path));
    EXPECT_EQ(remote.State(remote.Selected()) & TVIS_EXPANDED, 0u) << "9.0 was expanded";
  }

  static std::wstring Join(const std::vector<std::wstring>& parts) {
    std::wstring text;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) text += (text.empty() ? L"" : L" > ") + *it;
    return text;
  }
};

TEST_F(SearchReg, StartsTheEditorAndSelectsTheKeyWithoutExpandingIt) {
  ASSERT_EQ(Editor(), nullptr);
  Walk();
  HWND editor = Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(IsWindowVisible(editor));
  ExpectAtTheKey(editor);
  EXPECT_TRUE(SaveScreenshot(L"regedit_at_key", editor));
  ExpectNoBox(200);
}

TEST_F(SearchReg, ReusesARunningEditorLeftAtAnotherKey) {
  Walk();
  HWND editor = Editor();
  ASSERT_NE(editor, nullptr);
  // Move the editor elsewhere: up to SOFTWARE, two levels below the top.
  HWND tree = FindTree(editor);
  ASSERT_NE(tree, nullptr);
  TRemoteTree remote(tree);
  HTREEITEM item = remote.Selected();
  for (int up = 0; up < 5 && item; ++up) item = remote.Next(item, TVGN_PARENT);
  ASSERT_NE(item, nullptr);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  ASSERT_EQ(_wcsicmp(remote.Text(remote.Selected()).c_str(), L"SOFTWARE"), 0);

  Walk();
  EXPECT_EQ(EditorCount(), 1) << "a second editor was started";
  EXPECT_EQ(Editor(), editor);
  ExpectAtTheKey(editor);
}

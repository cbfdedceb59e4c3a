// The main window as a screen reader reads it from another process: the accessible tree, the
// default actions, and the events that follow them.
#include <oleacc.h>
#include <map>
#include "tests/e2e/e2e_fixture.h"

namespace {
struct TNode {
  long role = 0, state = 0;
  std::wstring name, value;
  IAccessible* parent = nullptr;  // borrowed from the tree, which keeps it alive
  long id = CHILDID_SELF;
};

std::string Ascii(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::wstring Take(BSTR text) {
  std::wstring out = text ? text : L"";
  SysFreeString(text);
  return out;
}

class TTree {
public:
  explicit TTree(HWND window) {
    IAccessible* root = nullptr;
    result_ = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&root));
    if (SUCCEEDED(result_) && root) Walk(root, CHILDID_SELF, 0);
  }
  ~TTree() {
    for (IAccessible* object : objects_) object->Release();
  }
  const std::vector<TNode>& Nodes() const { return nodes_; }
  HRESULT Result() const { return result_; }
  const TNode* Find(const std::wstring& name, long role) const {
    for (const TNode& node : nodes_)
      if (node.name == name && node.role == role) return &node;
    return nullptr;
  }
  std::string Listing() const {
    std::string out;
    for (size_t i = 0; i < nodes_.size(); ++i)
      out += std::string(depth_[i] * 2, ' ') + "role " + std::to_string(nodes_[i].role) + " \"" +
             Ascii(nodes_[i].name) + "\" value \"" + Ascii(nodes_[i].value) + "\"\n";
    return out;
  }

private:
  void Walk(IAccessible* object, long id, int depth) {
    objects_.push_back(object);
    TNode node{0, 0, {}, {}, object, id};
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    VARIANT v{};
    if (object->get_accRole(child, &v) == S_OK && v.vt == VT_I4) node.role = v.lVal;
    if (object->get_accState(child, &v) == S_OK && v.vt == VT_I4) node.state = v.lVal;
    BSTR text = nullptr;
    if (object->get_accName(child, &text) == S_OK) node.name = Take(text);
    text = nullptr;
    if (object->get_accValue(child, &text) == S_OK) node.value = Take(text);
    nodes_.push_back(node);
    depth_.push_back(depth);
    if (id != CHILDID_SELF) return;
    long count = 0;
    if (FAILED(object->get_accChildCount(&count)) || count <= 0) return;
    std::vector<VARIANT> children(count);
    long got = 0;
    if (FAILED(AccessibleChildren(object, 0, count, children.data(), &got))) return;
    for (long i = 0; i < got; ++i) {
      if (children[i].vt == VT_DISPATCH && children[i].pdispVal) {
        IAccessible* sub = nullptr;
        children[i].pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&sub));
        children[i].pdispVal->Release();
        if (sub) Walk(sub, CHILDID_SELF, depth + 1);
      } else if (children[i].vt == VT_I4) {
        object->AddRef();
        Walk(object, children[i].lVal, depth + 1);
      }
    }
  }
  std::vector<TNode> nodes_;
  std::vector<int> depth_;
  std::vector<IAccessible*> objects_;
  HRESULT result_ = E_FAIL;
};

bool Invoke(const TNode& node) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = node.id;
  return node.parent && node.parent->accDoDefaultAction(child) == S_OK;
}

struct TEventLog {
  static inline std::vector<std::pair<HWND, LONG>> names;
  static void CALLBACK Hook(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) names.emplace_back(window, child);
  }
};

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
}

class Accessibility : public ProgramCase {
protected:
  void SetUp() override {
    ProgramCase::SetUp();
    apartment_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  }
  void TearDown() override {
    if (apartment_) CoUninitialize();
  }
  bool apartment_ = false;
};
}  // namespace

TEST_F(Accessibility, TheTreeNamesEveryTextOnTheWindow) {
  TTree tree(program_.Main());
  ASSERT_FALSE(tree.Nodes().empty()) << "the main window answered no accessible object: 0x" << std::hex
                                      << tree.Result() << ", WM_GETOBJECT gave "
                                      << SendMessageW(program_.Main(), WM_GETOBJECT, 0, OBJID_CLIENT);
  std::printf("%s", tree.Listing().c_str());
  const std::vector<std::pair<std::wstring, long>> expected = {
      {L"Quarnel - Ostrimark", ROLE_SYSTEM_CLIENT},
      {L"Quarnel - Ostrimark", ROLE_SYSTEM_STATICTEXT},
      {L"Minimize this application", ROLE_SYSTEM_PUSHBUTTON},
      {L"Exit this application", ROLE_SYSTEM_PUSHBUTTON},
      {L"This application has been designed to analyze and repair the FS9 registry entry", ROLE_SYSTEM_STATICTEXT},
      {L"Retrieve the fs9.exe file path as recorded in the registry", ROLE_SYSTEM_STATICTEXT},
      {L"Set New Path:", ROLE_SYSTEM_STATICTEXT},
      {L"Note: You must have administrative priviliges to set the path", ROLE_SYSTEM_STATICTEXT},
      {L"Launch RegEdit and search for the FS9 registry entry", ROLE_SYSTEM_STATICTEXT},
      {L"Quarnel Website", ROLE_SYSTEM_PUSHBUTTON},
      {L"Quarnel Website", ROLE_SYSTEM_LINK},
      {L"About the Ostrimark", ROLE_SYSTEM_PUSHBUTTON},
      {L"About the Ostrimark", ROLE_SYSTEM_LINK},
      {L"Copyright \u00a9 2026", ROLE_SYSTEM_STATICTEXT},
      {L"Quarnel", ROLE_SYSTEM_LINK},
      {L"FS9 Path:", ROLE_SYSTEM_GROUPING},
      {L"Registry Key:", ROLE_SYSTEM_GROUPING},
      {L"Set New Path:", ROLE_SYSTEM_TEXT},
      {L"Get FS9 Path", ROLE_SYSTEM_PUSHBUTTON},
      {L"Set FS9 Path", ROLE_SYSTEM_PUSHBUTTON},
      {L"Search Reg", ROLE_SYSTEM_PUSHBUTTON},
      {L"Exit", ROLE_SYSTEM_PUSHBUTTON},
      {L"FS2004", ROLE_SYSTEM_PUSHBUTTON},
  };
  for (const auto& [name, role] : expected) EXPECT_NE(tree.Find(name, role), nullptr) << Narrow(name) << " role " << role;
  const TNode* edit = tree.Find(L"Set New Path:", ROLE_SYSTEM_TEXT);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->state & STATE_SYSTEM_READONLY);
}

TEST_F(Accessibility, GetPathByItsDefaultActionRenamesThePathLabelAndSaysSo) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &TEventLog::Hook,
                                       program_.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  TEventLog::names.clear();
  {
    TTree tree(program_.Main());
    const TNode* button = tree.Find(L"Get FS9 Path", ROLE_SYSTEM_PUSHBUTTON);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(Invoke(*button));
  }
  ExpectNoBox();
  Pump(500);
  UnhookWinEvent(hook);
  TTree after(program_.Main());
  EXPECT_NE(after.Find(TScratch::FS9(), ROLE_SYSTEM_STATICTEXT), nullptr) << after.Listing();
  HWND box = FindWindowExW(program_.Main(), nullptr, nullptr, L"FS9 Path:");
  bool named = false;
  for (const auto& [window, child] : TEventLog::names) named = named || (window == box && child > 0);
  EXPECT_TRUE(named) << TEventLog::names.size() << " name changes, none for the path label";
}

TEST_F(Accessibility, TheFolderEditsValueIsItsText) {
  const std::wstring folder = L"C:\\Games\\FS9 & Co";
  ASSERT_TRUE(program_.SetFolderText(folder));
  TTree tree(program_.Main());
  const TNode* edit = tree.Find(L"Set New Path:", ROLE_SYSTEM_TEXT);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->value, folder);
}

// The box is modal: the call must have returned before it shows, or the reader would hang.
TEST_F(Accessibility, PressOnTheAboutPictureAndJumpOnItsLinkOpenTheAboutBox) {
  for (long role : {ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_LINK}) {
    {
      TTree tree(program_.Main());
      const TNode* about = tree.Find(L"About the Ostrimark", role);
      ASSERT_NE(about, nullptr) << role;
      ASSERT_TRUE(Invoke(*about)) << role;
    }
    std::optional<TBox> box = program_.WaitForBox();
    ASSERT_TRUE(box.has_value()) << role;
    EXPECT_EQ(box->text.rfind(L"Ostrimark - Version ", 0), 0u) << Narrow(box->text);
    ASSERT_TRUE(TProgram::Answer(*box, L"OK"));
  }
  ExpectNoBox();
}

namespace {
void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD key : keys) input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
    input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*it, 0, KEYEVENTF_KEYUP, 0, 0}}});
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// The name of what the window's object says has the focus.
std::wstring FocusName(HWND window) {
  IAccessible* root = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&root))))
    return L"(no object)";
  VARIANT focus{};
  std::wstring name = L"(none)";
  IAccessible* holder = root;
  VARIANT child{};
  child.vt = VT_I4;
  if (root->get_accFocus(&focus) == S_OK && focus.vt == VT_I4) {
    child.lVal = focus.lVal;
  } else if (focus.vt == VT_DISPATCH && focus.pdispVal) {
    focus.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&holder));
    focus.pdispVal->Release();
    child.lVal = CHILDID_SELF;
  }
  BSTR text = nullptr;
  if (holder && holder->get_accName(child, &text) == S_OK) name = Take(text);
  if (holder && holder != root) holder->Release();
  root->Release();
  return name;
}

struct TFocusLog {
  static inline std::vector<std::pair<HWND, LONG>> events;
  static void CALLBACK Hook(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) events.emplace_back(window, child);
  }
};
}  // namespace

// Tab from the last button reaches the pictures and links as a reader follows the focus; Enter
// on the About picture then does what its click does.
TEST_F(Accessibility, TabReachesThePicturesAndLinksAndEnterOnAboutOpensTheAboutBox) {
  const HWND main = program_.Main();
  SetForegroundWindow(main);
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &TFocusLog::Hook,
                                       program_.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  TFocusLog::events.clear();
  std::vector<std::wstring> names;
  for (int i = 0; i < 14 && (names.empty() || names.back() != L"About the Ostrimark"); ++i) {
    Press({VK_TAB});
    Pump(200);
    names.push_back(FocusName(main));
  }
  UnhookWinEvent(hook);
  const std::vector<std::wstring> tail = {L"FS2004", L"Minimize this application", L"Exit this application",
                                          L"Quarnel Website", L"Quarnel Website", L"About the Ostrimark"};
  ASSERT_GE(names.size(), tail.size());
  std::string seen;
  for (const auto& name : names) seen += Narrow(name) + "; ";
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), names.end() - tail.size())) << seen;
  bool windowed = false, windowLess = false;
  for (const auto& [window, child] : TFocusLog::events) {
    windowed = windowed || (IsChild(main, window) && child == CHILDID_SELF);
    windowLess = windowLess || (window == main && child > 0);
  }
  EXPECT_TRUE(windowed && windowLess) << TFocusLog::events.size() << " focus events; windowed " << windowed
                                      << ", window-less " << windowLess;
  SaveScreenshot(L"about_picture_focused");
  Press({VK_RETURN});
  std::optional<TBox> box = program_.WaitForBox();
  ASSERT_TRUE(box.has_value()) << seen;
  EXPECT_EQ(box->text.rfind(L"Ostrimark - Version ", 0), 0u) << Narrow(box->text);
  ASSERT_TRUE(TProgram::Answer(*box, L"OK"));
  ExpectNoBox();
}

// Alt+Space opens the system menu with Restore, Move, Minimize and Close, read from its window.
TEST_F(Accessibility, AltSpaceOpensTheSystemMenu) {
  SetForegroundWindow(program_.Main());
  // The keys go to whichever window is in front, and Wine brings ours there a moment later.
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == program_.Main(); }, 3000));
  Press({VK_MENU, VK_SPACE});
  HWND menu = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    menu = FindWindowW(L"#32768", nullptr);
    DWORD process = 0;
    if (menu) GetWindowThreadProcessId(menu, &process);
    return menu && IsWindowVisible(menu) && process == program_.ProcessId();
  }, 3000));
  ASSERT_NE(menu, nullptr);
  SaveScreenshot(L"system_menu");
  HMENU items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
  const int count = items ? GetMenuItemCount(items) : -1;
  std::wstring all;
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = L"";
    GetMenuStringW(items, i, text, 128, MF_BYPOSITION);
    for (wchar_t* c = text; *c; ++c)
      if (*c != L'&') all += *c;
    all += L'|';
  }
  Press({VK_ESCAPE});
  Press({VK_ESCAPE});
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
  if (count <= 0) GTEST_SKIP() << "Wine keeps a menu's items in the process that owns it: not readable from outside";
  for (const wchar_t* item : {L"Restore", L"Move", L"Minimize", L"Close"})
    EXPECT_NE(all.find(item), std::wstring::npos) << Narrow(item) << " not in " << Narrow(all);
}

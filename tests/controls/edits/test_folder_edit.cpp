// The folder edit with the shell's browser behind a stand-in: button layout, shortcuts, what
// OK, Cancel and a virtual folder do to the text, and the browser callback's selection rules.
#include <gtest/gtest.h>
#include <vector>
#include "controls/edits/folder_name_edit.h"
#include "framework/form.h"
#include "framework/form_reader.h"

namespace {
TEST(ButtonEditLayout, ButtonsNarrowTheText) {
  TEdButtonEditLayout l = LayoutButtonEdit(456, 17, true, 20, false, 15, taRightJustify, {0, 0}, false);
  EXPECT_EQ(l.mainButton.left, 436);
  EXPECT_EQ(l.mainButton.right, 456);
  EXPECT_EQ(l.mainButton.bottom, 17);
  EXPECT_EQ(l.text.right, 436);
  l = LayoutButtonEdit(456, 17, true, 20, true, 15, taRightJustify, {0, 0}, false);
  EXPECT_EQ(l.altButton.left, 421);
  EXPECT_EQ(l.text.right, 421);
  l = LayoutButtonEdit(456, 17, true, 20, true, 15, taLeftJustify, {0, 0}, false);
  EXPECT_EQ(l.altButton.right, 15);
  EXPECT_EQ(l.text.left, 15);
  EXPECT_EQ(l.text.right, 436);
}

class FolderEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    previous = TEdFolderDialog::SetShellBrowse([this](BROWSEINFOW& info) { return Browse(info); });
    form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(20, 20, 520, 80);
    edit = new TEdFolderNameEdit(form);
    edit->SetAutoSize(false);
    edit->SetBounds(10, 10, 460, 21);
    edit->SetButtonWidth(20);
    edit->SetReadOnly(true);
    edit->SetParent(form);
    edit->OnChange = [this](TObject*) { ++changes; };
    form->Show();
  }
  void TearDown() override {
    delete form;
    TEdFolderDialog::SetShellBrowse(previous);
  }
  PIDLIST_ABSOLUTE Browse(BROWSEINFOW& info) {
    ++opened;
    caption = info.lpszTitle;
    if (during) during(info);
    return answer.Release();
  }
  void AltDown() {
    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    std::copy(saved, saved + 256, state);
    state[VK_MENU] = 0x80;
    SetKeyboardState(state);
    SendMessageW(edit->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    SetKeyboardState(saved);
  }
  TEdFolderDialog::TShellBrowse previous;
  TForm* form = nullptr;
  TEdFolderNameEdit* edit = nullptr;
  int opened = 0, changes = 0;
  std::wstring caption;
  TEdItemList answer;  // what the browser returns: none is Cancel
  std::function<void(BROWSEINFOW&)> during;
};

TEST_F(FolderEditTest, TheMainButtonFillsTheRightOfTheClient) {
  ASSERT_EQ(edit->ClientWidth(), 456);
  ASSERT_EQ(edit->ClientHeight(), 17);
  const RECT button = edit->MainButton()->BoundsRect();
  EXPECT_EQ(button.left, 436);
  EXPECT_EQ(button.right, 456);
  EXPECT_EQ(button.bottom, 17);
  EXPECT_EQ(edit->EditRect().right, 436);
  // A hidden alt button neither narrows the text nor takes clicks.
  EXPECT_EQ(edit->ControlAtPos({430, 8}), nullptr);
}

TEST_F(FolderEditTest, HintsKeepFolderNamesOutsideTheCodePage) {
  const std::wstring folder = L"C:\\\u03a9\u03bc\u03ad\u03b3\u03b1";
  edit->SetWideHint(folder);
  edit->SetButtonHint(folder);
  edit->SetAltButtonHint(folder + L"\\alt");
  EXPECT_EQ(edit->WideHint(), folder);
  EXPECT_EQ(edit->MainButton()->WideHint(), folder);
  EXPECT_EQ(edit->AltButtonHint(), folder + L"\\alt");
}

TEST_F(FolderEditTest, ButtonsTakeTheLineBorderOnlyWithAFlatLineBorderedEdit) {
  edit->SetActiveBorderType(fbtColorLineBorder);
  edit->SetInactiveBorderType(fbtColorLineBorder);
  edit->SetLineBorderInactiveColor(clRed);
  EXPECT_FALSE(edit->MainButton()->LineBorder());
  edit->SetFlat(true);
  EXPECT_TRUE(edit->MainButton()->LineBorder());
  EXPECT_TRUE(edit->AltButton()->LineBorder());
  EXPECT_EQ(edit->MainButton()->LineBorderInactiveColor(), clRed);
  edit->SetInactiveBorderType(fbtSunken);
  EXPECT_FALSE(edit->MainButton()->LineBorder());
}

TEST_F(FolderEditTest, AltDownOpensTheBrowserOnlyWhileTheButtonIsUsable) {
  AltDown();
  EXPECT_EQ(opened, 1);
  edit->MainButton()->SetEnabled(false);
  AltDown();
  edit->MainButton()->SetEnabled(true);
  edit->SetButtonVisible(false);
  AltDown();
  edit->SetButtonVisible(true);
  edit->SetButtonShortcut(0);
  AltDown();
  EXPECT_EQ(opened, 1);
}

TEST_F(FolderEditTest, ASecondOpenWhileTheBrowserRunsDoesNothing) {
  during = [this](BROWSEINFOW&) {
    AltDown();
    edit->MainButton()->Click();
  };
  AltDown();
  EXPECT_EQ(opened, 1);
}

TEST_F(FolderEditTest, OkPutsTheFolderCancelAndVirtualFoldersKeepTheText) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  int executed = 0;
  edit->OnDialogExecute = [&](TObject*) { ++executed; };
  answer = GetPIDLFromPath(windows);
  edit->MainButton()->Click();
  EXPECT_EQ(_wcsicmp(edit->Text().c_str(), windows), 0);
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(executed, 1);

  edit->SetText(L"not a folder");
  edit->MainButton()->Click();  // Cancel
  PIDLIST_ABSOLUTE drives = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)));
  answer.Reset(drives);
  edit->MainButton()->Click();  // a folder without a path
  EXPECT_EQ(edit->Text(), L"not a folder");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(executed, 1);
}

// The browser window as the callback sees it: it records the selections sent to it, and
// answers each one with a selection change, as the shell's tree does.
struct TFakeBrowser {
  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == BFFM_ENABLEOK && self) {
      self->okOffered.push_back(lParam != 0);
      return 0;
    }
    if (msg == BFFM_SETSELECTIONW && self) {
      self->sent.push_back(TEdItemList::Clone(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam)));
      self->info->lpfn(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(self->echo.Get()), self->info->lParam);
      return 1;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
  }
  static HWND Create() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TFakeBrowser::Proc;
    wc.lpszClassName = L"FakeBrowser";
    RegisterClassW(&wc);  // once; later calls fail harmlessly
    return CreateWindowW(L"FakeBrowser", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  static inline TFakeBrowser* self = nullptr;
  BROWSEINFOW* info = nullptr;
  std::vector<bool> okOffered;
  TEdItemList echo;  // what the tree reports while it follows our selection
  std::vector<TEdItemList> sent;
};

TEST_F(FolderEditTest, TheInitialSelectionIsSentOnceAndNeverEchoed) {
  wchar_t windows[MAX_PATH], system[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  GetSystemDirectoryW(system, MAX_PATH);
  TFakeBrowser browser;
  TFakeBrowser::self = &browser;
  browser.echo = GetPIDLFromPath(system);
  std::wstring folderDuring, titleDuring;
  during = [&](BROWSEINFOW& info) {
    browser.info = &info;
    HWND window = TFakeBrowser::Create();
    info.lpfn(window, BFFM_INITIALIZED, 0, info.lParam);
    wchar_t title[64] = L"";
    GetWindowTextW(window, title, 64);
    titleDuring = title;
    folderDuring = edit->Dialog()->Folder();
    // The user's own click: taken over, and not sent back.
    TEdItemList clicked = GetPIDLFromPath(system);
    info.lpfn(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(clicked.Get()), info.lParam);
    answer = TEdItemList::Clone(clicked.Get());
    DestroyWindow(window);
  };
  edit->SetText(windows);
  edit->SetDialogTitle("Select FS9 folder...");
  edit->MainButton()->Click();
  ASSERT_EQ(browser.sent.size(), 1u);
  EXPECT_EQ(_wcsicmp(GetPathFromPIDL(browser.sent[0].Get()).c_str(), windows), 0);
  EXPECT_EQ(_wcsicmp(folderDuring.c_str(), windows), 0);  // the echo of our own send was ignored
  EXPECT_EQ(titleDuring, L"Select FS9 folder...");
  EXPECT_EQ(_wcsicmp(edit->Text().c_str(), system), 0);
  // Nothing to select at first: the user's first click is not sent back either.
  edit->SetText(L"");
  edit->MainButton()->Click();
  TFakeBrowser::self = nullptr;
  EXPECT_EQ(browser.sent.size(), 1u);
}
TEST_F(FolderEditTest, OkIsOfferedOnlyOnItemsWithAFolderOnADisk) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  TFakeBrowser browser;
  TFakeBrowser::self = &browser;
  during = [&](BROWSEINFOW& info) {
    HWND window = TFakeBrowser::Create();
    info.lpfn(window, BFFM_INITIALIZED, 0, info.lParam);
    TEdItemList computer = GetFolderPIDL(sfoMyComputer, L""), folder = GetPIDLFromPath(windows);
    info.lpfn(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(computer.Get()), info.lParam);
    info.lpfn(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(folder.Get()), info.lParam);
    for (MSG msg; PeekMessageW(&msg, window, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    DestroyWindow(window);
  };
  edit->MainButton()->Click();
  EXPECT_EQ(browser.okOffered, (std::vector<bool>{false, true}));
  edit->SetOptions({bfoBrowseForComputer});  // a computer's name is the answer: OK is left alone
  edit->MainButton()->Click();
  TFakeBrowser::self = nullptr;
  EXPECT_EQ(browser.okOffered.size(), 2u);
}
}  // namespace

namespace {
TEST(ItemLists, PathsLongerThan260CharactersComeBackWhole) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring path = std::wstring(temp) + L"ostri_long";
  CreateDirectoryW(path.c_str(), nullptr);
  while (path.size() < 300) {
    path += L"\\" + std::wstring(40, L'd');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  TEdItemList list = GetPIDLFromPath(path);
  if (!list) GTEST_SKIP() << "Wine's shell parses no path past 260 characters";
  EXPECT_EQ(GetPathFromPIDL(list.Get()), path);
  TEdItemList copy = TEdItemList::Clone(list.Get());
  EXPECT_EQ(CalcPIDLSize(copy.Get()), CalcPIDLSize(list.Get()));
  EXPECT_EQ(GetPathFromPIDL(copy.Get()), path);
}
// The browser answers the desktop when it loses track of its tree: the edit keeps the folder the
// tree last showed selected, unless that was the desktop itself.
TEST_F(FolderEditTest, ADesktopAnswerGivesTheFolderLastSelected) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const TEdFString desktopPath = GetPathFromPIDL(GetFolderPIDL(sfoDesktop, L"").Get());
  bool userPicksDesktop = false;
  during = [&](BROWSEINFOW& info) {
    HWND window = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    info.lpfn(window, BFFM_INITIALIZED, 0, info.lParam);
    TEdItemList desktop = GetFolderPIDL(sfoDesktop, L"");
    if (userPicksDesktop) info.lpfn(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(desktop.Get()), info.lParam);
    answer = std::move(desktop);
    DestroyWindow(window);
  };
  edit->SetText(windows);
  edit->MainButton()->Click();
  EXPECT_EQ(_wcsicmp(edit->Text().c_str(), windows), 0);
  userPicksDesktop = true;
  edit->MainButton()->Click();
  EXPECT_EQ(edit->Text(), desktopPath);
}
}  // namespace

namespace {
// A descendant that hears of every glyph given to its main button.
class TGlyphWatchingEdit : public TCustomEdButtonEdit {
public:
  using TCustomEdButtonEdit::TCustomEdButtonEdit;
  int glyphsSet = 0;
  void SetButtonGlyph(const TBitmap& glyph) override {
    ++glyphsSet;
    TCustomEdButtonEdit::SetButtonGlyph(glyph);
  }
};

TEST(StoredFolderControls, AStoredGlyphGoesThroughTheSetterAndTheDialogLoadsWithItsEvents) {
  TClassRegistry::Instance().Register<TGlyphWatchingEdit>("TGlyphWatchingEdit");
  TClassRegistry::Instance().Register<TEdFolderDialog>("TEdFolderDialog");
  TBitmap glyph;
  glyph.SetSize(13, 12);
  TForm form(nullptr);
  int changes = 0;
  form.Handlers().RegisterHandler("DialogChange", [&](TObject*) { ++changes; });
  form.LoadDescription("object F: TForm\n"
                       "  object E: TGlyphWatchingEdit\n"
                       "    ButtonGlyph.Data = @'glyph.bmp'\n"
                       "    ButtonFlat = True\n"
                       "    AltButtonCaption = 'More'\n"
                       "    AltButtonDown = True\n"
                       "  end\n"
                       "  object D: TEdFolderDialog\n"
                       "    DialogTitle = 'Select FS9 folder...'\n"
                       "    Options = [bfoStatusText, bfoShowPath]\n"
                       "    RootFolder = sfoMyComputer\n"
                       "    Position = fdpMainFormCenter\n"
                       "    Parent = E\n"
                       "    OnChange = DialogChange\n"
                       "  end\n"
                       "end\n",
                       [&](const std::string&) { return TFileBytes(glyph.SaveToBytes()); });
  auto* edit = dynamic_cast<TGlyphWatchingEdit*>(form.FindComponent("E"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->glyphsSet, 1);
  EXPECT_EQ(edit->ButtonGlyph()->Width(), 13);
  EXPECT_TRUE(edit->ButtonFlat());
  EXPECT_EQ(edit->AltButtonCaption(), "More");
  EXPECT_TRUE(edit->AltButtonDown());
  auto* dialog = dynamic_cast<TEdFolderDialog*>(form.FindComponent("D"));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->DialogTitle(), "Select FS9 folder...");
  EXPECT_EQ(dialog->Options(), (TBrowseForFolderOptions{bfoStatusText, bfoShowPath}));
  EXPECT_EQ(dialog->RootFolder(), sfoMyComputer);
  EXPECT_EQ(dialog->Position(), fdpMainFormCenter);
  EXPECT_EQ(dialog->Parent(), edit);
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  dialog->SetFolder(windows);
  EXPECT_EQ(changes, 1);
}
}  // namespace

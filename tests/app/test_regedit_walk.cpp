// Opening the registry editor at the key, and the small commands that hand off to the shell.
#include <vector>
#include "framework/strings.h"
#include "tests/app/form_fixture.h"

namespace {

const std::string kKeyPath =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\";
const std::string kKeyPathWow64 =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\";

std::string Key(WPARAM key) { return "SendMessage tree WM_KEYDOWN " + TFakeSystem::Hex(key) + " 1"; }
std::string Char(char c) { return "SendMessage tree WM_CHAR " + TFakeSystem::Hex(static_cast<unsigned char>(c)) + " 1"; }

const TCalls kStart = {"FindWindow RegEdit_RegEdit", "ShellStart open regedit.exe", "WaitForInputIdle process 200",
                       "CloseHandle process", "FindWindow RegEdit_RegEdit"};

// Show, focus the tree, collapse it to the top and open the first level.
TCalls Prelude() {
  TCalls calls = {"ShowWindow editor 1", "FindChildWindow editor SysTreeView32", "SetForegroundWindow tree"};
  calls.insert(calls.end(), 30, Key(VK_LEFT));
  calls.insert(calls.end(), {"Sleep 500", Key(VK_RIGHT), "Sleep 500"});
  return calls;
}

class RegEditTest : public FormTest {
protected:
  // What the walk typed after its prelude, read back from the record: characters as
  // themselves and each step into a subkey (Right, then a pause) as a backslash.
  std::string Typed(std::size_t from) const {
    std::string typed;
    const TCalls& calls = fake.calls;
    for (std::size_t i = from; i < calls.size(); ++i) {
      const std::string& call = calls[i];
      if (call.rfind("SendMessage tree WM_CHAR ", 0) == 0) {
        typed += static_cast<char>(std::stoul(call.substr(25), nullptr, 16));
      } else if (call == Key(VK_RIGHT) && i + 1 < calls.size() && calls[i + 1] == "Sleep 500") {
        typed += '\\';
        ++i;
      } else {
        typed += "<" + call + ">";
      }
    }
    return typed;
  }
  int TotalPause() const {
    int total = 0;
    for (const std::string& call : fake.calls)
      if (call.rfind("Sleep ", 0) == 0) total += std::stoi(call.substr(6));
    return total;
  }
};

TEST_F(RegEditTest, StartsTheEditorWhenAbsent) {
  form->OpenRegEditAtKey("AB\\c\\");
  EXPECT_EQ(Join({kStart, Prelude(), {Char('A'), Char('B'), Key(VK_RIGHT), "Sleep 500", Char('c')}}), fake.calls);
  EXPECT_EQ(sizeof(SHELLEXECUTEINFOA), fake.started.cbSize);
  EXPECT_EQ(static_cast<ULONG>(SEE_MASK_NOCLOSEPROCESS), fake.started.fMask);
  EXPECT_EQ("open", fake.startedVerb);
  EXPECT_EQ("regedit.exe", fake.startedFile);
  EXPECT_FALSE(fake.startedHadParameters);
  EXPECT_FALSE(fake.startedHadDirectory);
  EXPECT_EQ(SW_SHOWNORMAL, fake.started.nShow);
  EXPECT_EQ(nullptr, fake.started.hwnd);
}

TEST_F(RegEditTest, LooksAgainForAnEditorThatShowsItsWindowLate) {
  fake.editorLateLooks = 3;
  form->OpenRegEditAtKey("A\\");
  TCalls expected = kStart;
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), {"Sleep 100", "FindWindow RegEdit_RegEdit"});
  EXPECT_EQ(Join({expected, Prelude(), {Char('A')}}), fake.calls);
}

TEST_F(RegEditTest, GivesUpLookingAfterFiveSecondsAndWalksNoWindow) {
  fake.startOpensEditor = false;
  form->OpenRegEditAtKey("A\\");
  int looks = 0;
  for (const std::string& call : fake.calls) looks += call == "FindWindow RegEdit_RegEdit";
  EXPECT_EQ(looks, 2 + 50);  // before and right after the start, then every 100 ms for 5 s
  EXPECT_EQ(TotalPause(), 5000 + 500 + 500);
}

TEST_F(RegEditTest, UsesTheRunningEditor) {
  fake.editorRunning = true;
  form->OpenRegEditAtKey("AB\\c\\");
  EXPECT_EQ(Join({{"FindWindow RegEdit_RegEdit"}, Prelude(),
                  {Char('A'), Char('B'), Key(VK_RIGHT), "Sleep 500", Char('c')}}),
            fake.calls);
}

TEST_F(RegEditTest, WalksTheWholeKeyPath) {
  ASSERT_EQ(75u, kKeyPath.size());
  fake.editorRunning = true;
  form->OpenRegEditAtKey(kKeyPath);
  const TCalls prelude = Join({{"FindWindow RegEdit_RegEdit"}, Prelude()});
  ASSERT_GE(fake.calls.size(), prelude.size());
  EXPECT_EQ(prelude, TCalls(fake.calls.begin(), fake.calls.begin() + prelude.size()));
  EXPECT_EQ(kKeyPath.substr(0, 74), Typed(prelude.size()));  // the closing backslash is not typed
  EXPECT_EQ(3500, TotalPause());
}

struct TBitnessCase {
  const char* name;
  bool is64Bit;
  const std::string* path;
};

class SearchRegEditTest : public RegEditTest, public ::testing::WithParamInterface<TBitnessCase> {};

TEST_P(SearchRegEditTest, WalksTheKeyTheEditorShows) {
  fake.is64Bit = GetParam().is64Bit;
  fake.editorRunning = true;
  form->btnSearchRegEditClick(nullptr);
  const TCalls prelude = Join({{"Is64BitWindows", "FindWindow RegEdit_RegEdit"}, Prelude()});
  ASSERT_GE(fake.calls.size(), prelude.size());
  EXPECT_EQ(prelude, TCalls(fake.calls.begin(), fake.calls.begin() + prelude.size()));
  const std::string& path = *GetParam().path;
  EXPECT_EQ(path.substr(0, path.size() - 1), Typed(prelude.size()));
}

const TBitnessCase kBitness[] = {{"Windows32", false, &kKeyPath}, {"Windows64", true, &kKeyPathWow64}};
INSTANTIATE_TEST_SUITE_P(Bitness, SearchRegEditTest, ::testing::ValuesIn(kBitness),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Shell hand-offs ----

class ShellCommandTest : public FormTest {};

TEST_F(ShellCommandTest, FS2004StartsTheRecordedSimulator) {
  fake.value = "C:\\FS9";
  form->FS2004ButtonClick(nullptr);
  EXPECT_EQ(TCalls({kReadOpen, "RegReadString EXE Path", "RegCloseKey", "ShellOpen C:\\FS9\\fs9.exe"}), fake.calls);
}

TEST_F(ShellCommandTest, FS2004WithoutValueOpensTheBareName) {
  fake.keyPresent = false;
  form->FS2004ButtonClick(nullptr);
  EXPECT_EQ(TCalls({kReadOpen, "RegCloseKey", "ShellOpen \\fs9.exe"}), fake.calls);
}

// A value no file path can be made of is not handed to the shell (it crashed there).
TEST_F(ShellCommandTest, FS2004WithOverlongValueStartsNothing) {
  fake.value = "C:\\" + std::string(MAX_PATH - 11, 'x');  // with "\\fs9.exe": one past the longest path
  form->FS2004ButtonClick(nullptr);
  EXPECT_EQ(TCalls({kReadOpen, "RegReadString EXE Path", "RegCloseKey"}), fake.calls);
  fake.calls.clear();
  fake.value->pop_back();
  form->FS2004ButtonClick(nullptr);
  EXPECT_EQ(4u, fake.calls.size());
}

TEST_F(ShellCommandTest, AboutShowsTheVersion) {
  form->imgAboutClick(nullptr);
  ASSERT_EQ(1u, fake.calls.size());
  const std::string head = "MessageBox mtInformation [OK] Ostrimark - Version 1.1\r\n\r\n";
  EXPECT_EQ(head, fake.calls[0].substr(0, head.size()));
}

// The About box and the release archives take their version from the version resource's source.
TEST_F(ShellCommandTest, AboutVersionIsTheVersionResources) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
  ASSERT_NE(nullptr, found);
  const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  std::vector<char> copy(data, data + SizeofResource(nullptr, found));  // the query may write to it
  wchar_t* version = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&version), &length));
  form->imgAboutClick(nullptr);
  EXPECT_NE(std::string::npos, fake.calls[0].find("Version " + WideToAnsi(version) + "\r\n"));
}

TEST_F(ShellCommandTest, WebsiteOpensTheSite) {
  form->VisitWebsiteImageClick(nullptr);
  EXPECT_EQ(TCalls({"ShellOpen https://quarnel.example/"}), fake.calls);
}

// The image and the label beside it are one command each, as the description binds them.
struct TPairCase {
  const char* name;
  TControl* (*image)(TForm1&);
  TControl* (*label)(TForm1&);
  void (TForm1::*handler)(TObject*);
};

const TPairCase kPairs[] = {
    {"About", [](TForm1& f) -> TControl* { return f.imgAbout; }, [](TForm1& f) -> TControl* { return f.AboutLabel; },
     &TForm1::imgAboutClick},
    {"Website", [](TForm1& f) -> TControl* { return f.VisitWebsiteImage; },
     [](TForm1& f) -> TControl* { return f.VisitWebsiteLabel; }, &TForm1::VisitWebsiteImageClick},
};

class ClickPairTest : public FormTest, public ::testing::WithParamInterface<TPairCase> {
protected:
  TCalls Click(TControl* control) {
    fake.calls.clear();
    EXPECT_TRUE(static_cast<bool>(control->OnClick));
    if (control->OnClick) control->OnClick(control);
    return fake.calls;
  }
};

TEST_P(ClickPairTest, ImageAndLabelRunTheSameCommand) {
  const TPairCase& c = GetParam();
  (form.get()->*c.handler)(nullptr);
  const TCalls direct = fake.calls;
  ASSERT_FALSE(direct.empty());
  EXPECT_EQ(direct, Click(c.image(*form)));
  EXPECT_EQ(direct, Click(c.label(*form)));
}

INSTANTIATE_TEST_SUITE_P(Description, ClickPairTest, ::testing::ValuesIn(kPairs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

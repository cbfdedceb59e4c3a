#include "app/main_form.h"
#include "app/entry_writer.h"
#include "app/fs9_entry.h"
#include "app/texts.h"
#include "app/win32_system.h"
#include "controls/labels/form_shape.h"
#include "framework/application.h"
#include "framework/form_reader.h"
#include "framework/strings.h"

std::string FS9Path;

namespace {
// The read uses the 32-bit view, where the simulator and its installers keep the key.
constexpr REGSAM kReadAccess = KEY_READ | KEY_WOW64_32KEY;
constexpr DWORD kEditorIdleWait = 200, kEditorPause = 500;
// The idle wait can end before a just-started editor has its window (Wine's shows it about
// 20-50 ms after those 200 ms): look again for a while rather than walk no window.
constexpr DWORD kEditorLookAgain = 100, kEditorLookLimit = 5000;
constexpr int kCollapsePresses = 30;

TWin32System& RealSystem() {
  static TWin32System system;
  return system;
}
}  // namespace

void RegisterMainFormClasses() {
  TClassRegistry& registry = TClassRegistry::Instance();
  registry.Register<TShapedForm>("TShapedForm");
  registry.Register<TImage>("TImage");
  registry.Register<TLabel>("TLabel");
  registry.Register<TOmButton>("TOmButton");
  registry.Register<TOmLabel>("TOmLabel");
  registry.Register<TOmSimpleLabel>("TOmSimpleLabel");
  registry.Register<TOmGroupBox>("TOmGroupBox");
  registry.Register<TWebLinkLabel>("TWebLinkLabel");
  registry.Register<TEdFolderNameEdit>("TEdFolderNameEdit");
  registry.Register<TEdFolderDialog>("TEdFolderDialog");
  registry.Register<TOmFormShape>("TOmFormShape");
}

TForm1::TForm1(TComponent* owner) : TForm1(owner, RealSystem(), LoadTextResource("MAINFORM")) {}

TForm1::TForm1(TComponent* owner, TSystemPort& system, const std::string& description, TFileResolver resolver)
    : TForm(owner), system_(system) {
  RegisterMainFormClasses();
  RegisterHandlers();
  LoadDescription(description, std::move(resolver));
  BindComponents();
}

void TForm1::RegisterHandlers() {
  auto bind = [this](const char* name, void (TForm1::*handler)(TObject*)) {
    Handlers().RegisterHandler(name, [this, handler](TObject* sender) { (this->*handler)(sender); });
  };
  bind("btnGetRegPathClick", &TForm1::btnGetRegPathClick);
  bind("btnSetRegPathClick", &TForm1::btnSetRegPathClick);
  bind("btnSearchRegEditClick", &TForm1::btnSearchRegEditClick);
  bind("MinimiseImageClick", &TForm1::MinimiseImageClick);
  bind("ExitImageClick", &TForm1::ExitImageClick);
  bind("ExitButtonClick", &TForm1::ExitButtonClick);
  bind("FS2004ButtonClick", &TForm1::FS2004ButtonClick);
  bind("imgAboutClick", &TForm1::imgAboutClick);
  bind("VisitWebsiteImageClick", &TForm1::VisitWebsiteImageClick);
}

template <class T>
void TForm1::Bind(T*& field, const char* name) {
  field = dynamic_cast<T*>(FindComponent(name));
  if (!field) throw EInvalidOperation(Name() + "." + name + ": missing from the description or of another class");
}

void TForm1::BindComponents() {
  Bind(frmTrans, "frmTrans");
  Bind(OmLabel2, "OmLabel2");
  Bind(OmLabel4, "OmLabel4");
  Bind(OmLabel6, "OmLabel6");
  Bind(TitleIconImage, "TitleIconImage");
  Bind(MainTitleLabel, "MainTitleLabel");
  Bind(MinimiseImage, "MinimiseImage");
  Bind(ExitImage, "ExitImage");
  Bind(OmSimpleLabel9, "OmSimpleLabel9");
  Bind(WebLinkLabel1, "WebLinkLabel1");
  Bind(VisitWebsiteImage, "VisitWebsiteImage");
  Bind(VisitWebsiteLabel, "VisitWebsiteLabel");
  Bind(imgAbout, "imgAbout");
  Bind(AboutLabel, "AboutLabel");
  Bind(OmLabel3, "OmLabel3");
  Bind(OmLabel7, "OmLabel7");
  Bind(btnGetRegPath, "btnGetRegPath");
  Bind(btnSetRegPath, "btnSetRegPath");
  Bind(OmGroupBox1, "OmGroupBox1");
  Bind(OmLabel1, "OmLabel1");
  Bind(OmGroupBox2, "OmGroupBox2");
  Bind(OmLabel5, "OmLabel5");
  Bind(EdEdit1, "EdEdit1");
  Bind(btnSearchRegEdit, "btnSearchRegEdit");
  Bind(ExitButton, "ExitButton");
  Bind(FS2004Button, "FS2004Button");
  // The two link pictures have no hint: they are read as the label beside them.
  imgAbout->SetAccessibleName(AnsiToWide(AboutLabel->Caption()));
  VisitWebsiteImage->SetAccessibleName(AnsiToWide(VisitWebsiteLabel->Caption()));
}

void TForm1::GetFS9Path() {
  FS9Path.clear();
  TKeyScope scope(system_);
  if (system_.RegOpenKey(HKEY_LOCAL_MACHINE, texts::kFS9KeyPath, kReadAccess) == TKeyOpen::Opened)
    FS9Path = system_.RegReadString(texts::kExePathValue);
}

void TForm1::CheckUserCopies() {
  TFS9Entry entry(system_);
  for (const char* keyPath : {texts::kVirtualStoreKeyPath, texts::kVirtualStoreKeyPathWow64}) {
    const std::optional<std::string> copy = entry.StaleUserCopy(keyPath, FS9Path);
    if (!copy) continue;
    const std::string text = texts::kUserCopyHead + *copy + texts::kUserCopyTail;
    if (system_.ShowMessageBox(text, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
      continue;
    if (!entry.RemoveUserCopy(keyPath))
      system_.ShowMessageBox(texts::kUserCopyKept, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
  }
}

bool TForm1::OfferRepair() {
  const std::optional<TEntryRepair> repair = TFS9Entry(system_).RepairFor(FS9Path);
  if (!repair ||
      system_.ShowMessageBox(repair->question, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
    return false;
  Writer().Write(AnsiToWide(repair->folder), TKeyCreation::Agreed);
  return true;
}

TEntryWriter TForm1::Writer() { return TEntryWriter(system_, Handle()); }

void TForm1::btnGetRegPathClick(TObject*) { ShowEntry(true); }

void TForm1::ShowEntry(bool offerRepair) {
  GetFS9Path();
  OmLabel1->SetCaption(FS9Path);
  OmLabel5->SetCaption(texts::kKeyLabelCaption);
  if (OmLabel1->Caption().empty())
    system_.ShowMessageBox(texts::kEmptyPathWarning, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
  if (!system_.FileExists(FS9Path + texts::kExeSuffix))
    system_.ShowMessageBox(std::string(texts::kMissingExeHead) + FS9Path + texts::kExeSuffix + "\r\n\r\n" +
                           texts::kMissingExeTail,
                       TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
  // After a mend the refresh shows what the registry now holds, and asks no mend again.
  if (offerRepair && OfferRepair()) {
    ShowEntry(false);
    return;
  }
  CheckUserCopies();
}

void TForm1::btnSetRegPathClick(TObject*) {
  const TEdFString folder = EdEdit1->Text();
  if (folder.empty()) {
    system_.ShowMessageBox(texts::kBlankEditNotice, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
    return;
  }
  GetFS9Path();
  if (folder == AnsiToWide(FS9Path)) {
    system_.ShowMessageBox(texts::kUnchangedNotice, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
    return;
  }
  const std::string question = WideToAnsi(AnsiToWide(texts::kConfirmHead) + folder);
  if (system_.ShowMessageBox(question, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbCancel}) == mrYes) {
    // A name the code page cannot hold would be stored as another folder: refuse it instead.
    if (!FitsAnsiCodePage(folder)) {
      system_.ShowMessageBox(texts::kCodePageWarning, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    } else {
      const bool write = system_.FileExists(WideToAnsi(folder) + texts::kExeSuffix) ||
                         system_.ShowMessageBox(texts::kMissingExeQuestion, TMsgDlgType::mtWarning,
                                            {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbCancel}) == mrYes;
      if (write) Writer().Write(folder, TKeyCreation::AskFirst);
    }
  }
  btnGetRegPathClick(nullptr);
}

void TForm1::btnSearchRegEditClick(TObject*) {
  OpenRegEditAtKey(system_.Is64BitWindows() ? texts::kRegEditKeyPathWow64 : texts::kRegEditKeyPath);
}

void TForm1::OpenRegEditAtKey(const std::string& path) {
  HWND editor = system_.FindWindowByClass(texts::kRegEditClass);
  if (!editor) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(SHELLEXECUTEINFOA);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    info.lpFile = texts::kRegEditFile;
    info.nShow = SW_SHOWNORMAL;
    HANDLE process = system_.ShellStart(info);
    system_.WaitForInputIdle(process, kEditorIdleWait);
    system_.CloseHandle(process);
    editor = system_.FindWindowByClass(texts::kRegEditClass);
    for (DWORD waited = 0; !editor && process && waited < kEditorLookLimit; waited += kEditorLookAgain) {
      system_.Sleep(kEditorLookAgain);
      editor = system_.FindWindowByClass(texts::kRegEditClass);
    }
  }
  system_.ShowWindow(editor, SW_SHOWNORMAL);
  HWND tree = system_.FindChildWindow(editor, texts::kRegEditTreeClass);
  system_.SetForegroundWindow(tree);
  // lParam 1: a repeat count of one, as real typing sends; some trees ignore 0.
  auto press = [&](WPARAM key) { system_.SendMessageTo(tree, WM_KEYDOWN, key, 1); };
  for (int i = 0; i < kCollapsePresses; ++i) press(VK_LEFT);
  system_.Sleep(kEditorPause);
  press(VK_RIGHT);
  system_.Sleep(kEditorPause);
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    if (path[i] == '\\') {
      press(VK_RIGHT);
      system_.Sleep(kEditorPause);
    } else {
      system_.SendMessageTo(tree, WM_CHAR, static_cast<unsigned char>(path[i]), 1);
    }
  }
}

void TForm1::FS2004ButtonClick(TObject*) {
  GetFS9Path();
  // No file has a longer name; the shell must not be handed one (it crashed on 5,000 characters).
  const std::string exe = FS9Path + texts::kExeSuffix;
  if (exe.size() < MAX_PATH) system_.ShellOpen(exe);
}

void TForm1::imgAboutClick(TObject*) {
  system_.ShowMessageBox(texts::kAboutText, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}

void TForm1::VisitWebsiteImageClick(TObject*) { system_.ShellOpen(texts::kWebsite); }

void TForm1::MinimiseImageClick(TObject*) { Application->Minimize(); }

void TForm1::ExitImageClick(TObject*) { Close(); }

void TForm1::ExitButtonClick(TObject*) { Close(); }

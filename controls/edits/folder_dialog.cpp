#include "controls/edits/folder_dialog.h"
#include <cstring>
#include <commctrl.h>
#include <shobjidl.h>
#include "framework/application.h"
#include "framework/com_apartment.h"
#include "framework/form.h"
#include "framework/form_reader.h"
#include "framework/msgbox.h"
#include "framework/shell_calls.h"
#include "framework/system_controls.h"

namespace {
constexpr int kShellFolderIds[] = {
    0xFEFE, 0x00, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x10, 0x11, 0x12, 0x13,
    0x14,   0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23,
    0x24,   0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, -1};
static_assert(std::size(kShellFolderIds) == sfoCustom + 1);

constexpr UINT kOptionFlags[] = {BIF_RETURNONLYFSDIRS, BIF_DONTGOBELOWDOMAIN, BIF_STATUSTEXT,
                                 BIF_RETURNFSANCESTORS, BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER,
                                 BIF_BROWSEINCLUDEFILES};

TEdFolderDialog::TShellBrowse& ShellBrowse() {
  static TEdFolderDialog::TShellBrowse browse = [](BROWSEINFOW& info) { return shell::SHBrowseForFolderW(&info); };
  return browse;
}

// The extra button's place, in dialog units: the dialog it was laid out on, the tree, the button.
struct TDialogRect {
  int left, top, width, height;
};
constexpr TDialogRect kReferenceDialog{46, 21, 212, 188}, kTree{7, 42, 197, 112}, kButton{100, 166, 50, 14};

RECT ToPixels(const TDialogRect& r) {
  static const LONG units = GetDialogBaseUnits();  // read once
  const int bx = LOWORD(units), by = HIWORD(units);
  return {r.left * bx / 4, r.top * by / 8, (r.left + r.width) * bx / 4, (r.top + r.height) * by / 8};
}

bool IsDesktop(PCIDLIST_ABSOLUTE list) { return CalcPIDLSize(list) == sizeof(USHORT); }  // no item in it

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

const TEnumNames<TFolderDialogPosition>& PositionNames() {
  static const TEnumNames<TFolderDialogPosition> names = {
      {"fdpDefault", fdpDefault}, {"fdpScreenCenter", fdpScreenCenter}, {"fdpDesktopCenter", fdpDesktopCenter},
      {"fdpMainFormCenter", fdpMainFormCenter}, {"fdpOwnerFormCenter", fdpOwnerFormCenter}};
  return names;
}
}  // namespace

const TEnumNames<TBrowseForFolderOption>& BrowseOptionNames() {
  static const TEnumNames<TBrowseForFolderOption> names = {
      {"bfoFileSysDirsOnly", bfoFileSysDirsOnly}, {"bfoDontGoBelowDomain", bfoDontGoBelowDomain},
      {"bfoStatusText", bfoStatusText}, {"bfoFileSysAncestors", bfoFileSysAncestors},
      {"bfoBrowseForComputer", bfoBrowseForComputer}, {"bfBrowseForPrinter", bfBrowseForPrinter},
      {"bfoBrowseIncludeFiles", bfoBrowseIncludeFiles}, {"bfoShowPath", bfoShowPath},
      {"bfoNewDialogStyle", bfoNewDialogStyle}};
  return names;
}
const TEnumNames<TShellFolders>& ShellFolderNames() {
  static const TEnumNames<TShellFolders> names = {
      {"sfoDesktopExpanded", sfoDesktopExpanded}, {"sfoDesktop", sfoDesktop}, {"sfoPrograms", sfoPrograms},
      {"sfoControlPanel", sfoControlPanel}, {"sfoPrinters", sfoPrinters}, {"sfoPersonal", sfoPersonal},
      {"sfoFavorites", sfoFavorites}, {"sfoStartup", sfoStartup}, {"sfoRecent", sfoRecent},
      {"sfoSendto", sfoSendto}, {"sfoRecycleBin", sfoRecycleBin}, {"sfoStartMenu", sfoStartMenu},
      {"sfoDesktopDirectory", sfoDesktopDirectory}, {"sfoMyComputer", sfoMyComputer}, {"sfoNetwork", sfoNetwork},
      {"sfoNetworkNeighborhood", sfoNetworkNeighborhood}, {"sfoFonts", sfoFonts}, {"sfoTemplates", sfoTemplates},
      {"sfoCommonStartMenu", sfoCommonStartMenu}, {"sfoCommonPrograms", sfoCommonPrograms},
      {"sfoCommonStartup", sfoCommonStartup}, {"sfoCommonDesktopDirectory", sfoCommonDesktopDirectory},
      {"sfoAppData", sfoAppData}, {"sfoPrintHood", sfoPrintHood}, {"sfoLocalAppData", sfoLocalAppData},
      {"sfoAltStartUp", sfoAltStartUp}, {"sfoCommonAltStartUp", sfoCommonAltStartUp},
      {"sfoCommonFavorites", sfoCommonFavorites}, {"sfoInternetCache", sfoInternetCache},
      {"sfoCookies", sfoCookies}, {"sfoHistory", sfoHistory}, {"sfoCommonAppData", sfoCommonAppData},
      {"sfoWindows", sfoWindows}, {"sfoSystem", sfoSystem}, {"sfoProgramFiles", sfoProgramFiles},
      {"sfoMyPictures", sfoMyPictures}, {"sfoProfile", sfoProfile}, {"sfoSystemX86", sfoSystemX86},
      {"sfoProgramFilesX86", sfoProgramFilesX86}, {"sfoProgramFilesCommon", sfoProgramFilesCommon},
      {"sfoProgramFilesCommonX86", sfoProgramFilesCommonX86}, {"sfoCommonTemplates", sfoCommonTemplates},
      {"sfoCommonDocuments", sfoCommonDocuments}, {"sfoCommonAdminTools", sfoCommonAdminTools},
      {"sfoAdminTools", sfoAdminTools}, {"sfoCustom", sfoCustom}};
  return names;
}

int ShellFolderId(TShellFolders folder) { return kShellFolderIds[folder]; }

UINT BrowseFlags(TBrowseForFolderOptions options) {
  UINT flags = 0;
  for (int option = bfoFileSysDirsOnly; option <= bfoBrowseIncludeFiles; ++option)
    if (options.Contains(static_cast<TBrowseForFolderOption>(option))) flags |= kOptionFlags[option];
  return flags;
}

// --- item lists ---

TEdItemList& TEdItemList::operator=(TEdItemList&& other) noexcept {
  if (this != &other) Reset(std::exchange(other.list_, nullptr));
  return *this;
}

void TEdItemList::Reset(PIDLIST_ABSOLUTE owned) {
  if (list_ && list_ != owned) com::CoTaskMemFree(list_);
  list_ = owned;
}

size_t CalcPIDLSize(PCIDLIST_ABSOLUTE list) {
  if (!list) return 0;
  size_t size = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(list);
  for (;;) {
    USHORT item = 0;
    std::memcpy(&item, bytes + size, sizeof(item));
    if (item == 0) break;
    size += item;
  }
  return size + sizeof(USHORT);
}

TEdItemList TEdItemList::Clone(PCIDLIST_ABSOLUTE list) {
  if (!list) return {};
  const size_t size = CalcPIDLSize(list);
  void* copy = com::CoTaskMemAlloc(size);
  if (!copy) return {};
  std::memcpy(copy, list, size);
  return TEdItemList(static_cast<PIDLIST_ABSOLUTE>(copy));
}

TEdItemList GetPIDLFromPath(const TEdFString& path) {
  if (path.empty()) return {};
  IShellFolder* desktop = nullptr;
  if (FAILED(shell::SHGetDesktopFolder(&desktop)) || !desktop) return {};
  std::wstring name = path;  // the shell wants a writable string
  PIDLIST_RELATIVE list = nullptr;
  const HRESULT result = desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &list, nullptr);
  desktop->Release();
  TEdItemList owned(reinterpret_cast<PIDLIST_ABSOLUTE>(list));
  if (FAILED(result)) return {};
  return owned;
}

TEdFString GetPathFromPIDL(PCIDLIST_ABSOLUTE list) {
  if (!list) return {};
  // The shell allocates the path at its full length: no 260-character limit.
  PWSTR name = nullptr;
  if (FAILED(shell::SHGetNameFromIDList(list, SIGDN_FILESYSPATH, &name)) || !name) return {};
  TEdFString path(name);
  com::CoTaskMemFree(name);
  return path;
}

TEdItemList GetFolderPIDL(TShellFolders root, const TEdFString& customPath) {
  if (root == sfoCustom) return GetPIDLFromPath(customPath);
  PIDLIST_ABSOLUTE list = nullptr;
  const HRESULT result = shell::SHGetSpecialFolderLocation(nullptr, ShellFolderId(root), &list);
  TEdItemList owned(list);
  if (FAILED(result)) return {};
  return owned;
}

// --- dialog ---

TEdFolderDialog::TShellBrowse TEdFolderDialog::SetShellBrowse(TShellBrowse browse) {
  return std::exchange(ShellBrowse(), std::move(browse));
}

TEdFolderDialog::TEdFolderDialog(TComponent* owner) : TCommonDialog(owner) {}

TEdFolderDialog::~TEdFolderDialog() {
  if (!window_ || !IsWindow(window_)) return;
  // The open browser must not call back into a dialog that is gone.
  comctl::RemoveWindowSubclass(window_, &TEdFolderDialog::DialogProc, 1);
  SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void TEdFolderDialog::SetFolder(const TEdFString& folder) {
  TEdItemList list = GetPIDLFromPath(folder);
  if (!list) {
    selection_.Reset();
    folder_ = folder;  // kept as text, so Cancel can give it back unchanged
    return;
  }
  folder_ = folder;
  TakeOver(std::move(list));
}

void TEdFolderDialog::SetStatusText(const std::string& value) {
  statusText_ = value;
  if (running_) SendStatus(value);
}

HWND TEdFolderDialog::OwnerWindow() const {
  if (parent_) {
    if (TForm* form = GetParentForm(parent_); form && form->HandleAllocated()) return form->Handle();
  }
  if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
    return Application->MainForm()->Handle();
  return Application ? Application->Handle() : nullptr;
}

bool TEdFolderDialog::Execute() {
  if (running_) return false;  // one browser at a time
  const TEdFString remembered = Folder();
  TComApartment apartment;  // nested in the program's own; keeps the dialog usable on its own
  const std::wstring prompt = AnsiToWide(prompt_);
  displayName_.assign(MAX_PATH + 1, L'\0');
  TEdItemList root = GetFolderPIDL(rootFolder_, AnsiToWide(customRootFolder_));
  BROWSEINFOW info{};
  info.hwndOwner = OwnerWindow();
  info.pidlRoot = root.Get();
  info.pszDisplayName = displayName_.data();
  info.lpszTitle = prompt.c_str();
  info.ulFlags = BrowseFlags(options_);
  info.lpfn = &TEdFolderDialog::BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);

  initialising_ = selectInitial_ = running_ = true;
  TEdItemList chosen;
  {
    struct TRunEnd {
      TEdFolderDialog& dialog;
      ~TRunEnd() {
        dialog.running_ = dialog.initialising_ = dialog.selectInitial_ = false;
        dialog.window_ = dialog.customButton_ = nullptr;
        dialog.disabled_.reset();
      }
    } runEnd{*this};
    chosen.Reset(ShellBrowse()(info));
  }
  if (!chosen) {
    SetFolder(remembered);
    return false;
  }
  if (options_.Contains(bfoBrowseForComputer)) {
    selection_.Reset();
    folder_ = displayName_.c_str();
  } else {
    // The system's browser answers the desktop when it has lost track of its tree's selection;
    // the folder it last reported selected is the one the user saw.
    const bool lostTrack = IsDesktop(chosen.Get()) && selection_ && !IsDesktop(selection_.Get());
    TakeOver(lostTrack ? std::move(selection_) : std::move(chosen));
  }
  return true;
}

int CALLBACK TEdFolderDialog::BrowseCallback(HWND window, UINT msg, LPARAM lParam, LPARAM data) {
  auto* self = reinterpret_cast<TEdFolderDialog*>(data);
  try {
    if (msg == BFFM_INITIALIZED) {
      self->Initialise(window);
    } else if (msg == BFFM_SELCHANGED) {
      const auto item = reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam);
      self->EnableOk(window, item);
      // The list belongs to the shell: keep a copy.
      if (!self->initialising_ && !self->sendingSelection_) self->TakeOver(TEdItemList::Clone(item));
    }
  } catch (...) {
    HandleWindowProcException();
  }
  return 0;
}

LRESULT CALLBACK TEdFolderDialog::DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
  auto* self = reinterpret_cast<TEdFolderDialog*>(data);
  try {
    switch (msg) {
      case WM_COMMAND:
        if (self->customButton_ && reinterpret_cast<HWND>(lParam) == self->customButton_ &&
            HIWORD(wParam) == BN_CLICKED) {
          if (self->OnCustomButtonClick) self->OnCustomButtonClick(self);
          return 0;
        }
        break;
      case WM_DESTROY:
        // Give the windows back before the browser goes, so activation returns to its owner.
        self->disabled_.reset();
        self->window_ = self->customButton_ = nullptr;
        break;
      case WM_NCDESTROY:
        comctl::RemoveWindowSubclass(window, &TEdFolderDialog::DialogProc, 1);
        break;
      default: break;
    }
  } catch (...) {
    HandleWindowProcException();
  }
  return comctl::DefSubclassProc(window, msg, wParam, lParam);
}

void TEdFolderDialog::Initialise(HWND window) {
  window_ = window;
  comctl::SetWindowSubclass(window, &TEdFolderDialog::DialogProc, 1, reinterpret_cast<DWORD_PTR>(this));
  // The owner is disabled by the browser itself; any other window of ours is, too, while it runs.
  disabled_ = std::make_unique<TDisabledWindows>(window);
  initialising_ = false;
  SetWindowTextW(window, AnsiToWide(dialogTitle_).c_str());
  SendStatus(statusText_);
  if (showCustomButton_) MakeCustomButton();
  if (selection_) TakeOver(TEdItemList::Clone(selection_.Get()));
  selectInitial_ = false;  // with nothing to select, the user's first click must not be echoed
  Place();
}

void TEdFolderDialog::TakeOver(TEdItemList list) {
  selection_ = std::move(list);
  if (!selection_) return;
  folder_ = GetPathFromPIDL(selection_.Get());
  if (folder_.empty() && options_.Contains(bfoBrowseForComputer)) folder_ = displayName_.c_str();
  if (selectInitial_) {
    selectInitial_ = false;
    // Sent from a copy: the shell answers with a selection change, which replaces ours.
    TEdItemList copy = TEdItemList::Clone(selection_.Get());
    sendingSelection_ = true;
    struct TReset { bool& flag; ~TReset() { flag = false; } } reset{sendingSelection_};
    Send(BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(copy.Get()));
  }
  if (options_.Contains(bfoShowPath)) SendStatus(folder_);
  if (OnChange) OnChange(this);
}

void TEdFolderDialog::EnableOk(HWND window, PCIDLIST_ABSOLUTE item) const {
  if (!requirePath_ || options_.Contains(bfoBrowseForComputer)) return;
  // Posted: Wine's browser sets OK itself after telling of the change, which would undo a send.
  PostMessageW(window, BFFM_ENABLEOK, 0, !GetPathFromPIDL(item).empty());
}

void TEdFolderDialog::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
  if (window_) SendMessageW(window_, msg, wParam, lParam);
}

void TEdFolderDialog::SendStatus(const std::string& text) const { SendStatus(AnsiToWide(text)); }

void TEdFolderDialog::SendStatus(const TEdFString& text) const {
  Send(BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TEdFolderDialog::MakeCustomButton() {
  const RECT reference = ToPixels(kReferenceDialog), tree = ToPixels(kTree), button = ToPixels(kButton);
  RECT client{};
  GetClientRect(window_, &client);
  const int rw = reference.right - reference.left, rh = reference.bottom - reference.top;
  if (rw <= 0 || rh <= 0) return;
  auto sx = [&](int v) { return v * client.right / rw + 1; };
  auto sy = [&](int v) { return v * client.bottom / rh + 1; };
  const int left = sx(tree.left) + 1, top = sy(button.top) - 1;
  const int width = sx(button.right - button.left) + 1, height = sy(button.bottom - button.top) - 1;
  customButton_ = CreateWindowExW(0, L"BUTTON", AnsiToWide(customButtonCaption_).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, left, top, width, height,
                                  window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (customButton_) SendMessageW(customButton_, WM_SETFONT, SendMessageW(window_, WM_GETFONT, 0, 0), FALSE);
}

bool TEdFolderDialog::PlaceFor(TFolderDialogPosition position, SIZE size, const RECT* mainForm,
                               const RECT* ownerForm, POINT& topLeft) {
  auto centreOn = [&](const RECT& r) {
    topLeft = {r.left + (r.right - r.left - size.cx) / 2, r.top + (r.bottom - r.top - size.cy) / 2};
  };
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  switch (position) {
    case fdpDefault: return false;
    case fdpScreenCenter: centreOn(screen); break;
    case fdpDesktopCenter:
      centreOn({0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)});
      break;
    case fdpMainFormCenter: centreOn(mainForm ? *mainForm : screen); break;
    case fdpOwnerFormCenter: centreOn(ownerForm ? *ownerForm : mainForm ? *mainForm : screen); break;
  }
  if (topLeft.x < 0) topLeft.x = 0;
  if (topLeft.y < 0) topLeft.y = 0;
  return true;
}

void TEdFolderDialog::Place() {
  const RECT r = WindowRectOf(window_);
  RECT mainRect{}, ownerRect{};
  const RECT* mainForm = nullptr;
  const RECT* ownerForm = nullptr;
  if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated()) {
    mainRect = WindowRectOf(Application->MainForm()->Handle());
    mainForm = &mainRect;
  }
  if (auto* form = dynamic_cast<TForm*>(Owner()); form && form->HandleAllocated()) {
    ownerRect = WindowRectOf(form->Handle());
    ownerForm = &ownerRect;
  }
  POINT topLeft{};
  if (PlaceFor(position_, {r.right - r.left, r.bottom - r.top}, mainForm, ownerForm, topLeft))
    SetWindowPos(window_, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const TPropTable& TEdFolderDialog::Properties() {
  static const TPropTable table = [] {
    using D = TEdFolderDialog;
    TPropTable t(&TCommonDialog::Properties());
    t.Add("Parent", ComponentProp(&D::SetParent));
    t.Add("DialogTitle", StringProp(&D::SetDialogTitle));
    t.Add("CustomButtonCaption", StringProp(&D::SetCustomButtonCaption));
    t.Add("Folder", {[](TPersistent& d, const TFormValue& v, TReadContext&) {
      static_cast<D&>(d).SetFolder(AnsiToWide(ValueToString(v))); }, nullptr, nullptr});
    t.Add("Options", SetProp(&D::SetOptions, BrowseOptionNames()));
    t.Add("RootFolder", EnumProp(&D::SetRootFolder, ShellFolderNames()));
    t.Add("ShowCustomButton", BoolProp(&D::SetShowCustomButton));
    t.Add("CustomRootFolder", StringProp(&D::SetCustomRootFolder));
    t.Add("StatusText", StringProp(&D::SetStatusText));
    t.Add("Prompt", StringProp(&D::SetPrompt));
    t.Add("Position", EnumProp(&D::SetPosition, PositionNames()));
    t.Add("OnChange", EventProp(&D::OnChange));
    t.Add("OnCustomButtonClick", EventProp(&D::OnCustomButtonClick));
    return t;
  }();
  return table;
}

#include "controls/edits/folder_name_edit.h"
#include <cstring>
#include <vector>
#include "framework/properties.h"

namespace {
constexpr TShortCut kAltDown = 0x8000 | VK_DOWN;

// A bitmap resource of the module, as the .bmp file image TBitmap reads.
bool LoadBitmapResource(const wchar_t* name, TBitmap& bitmap) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
  const DWORD size = found ? SizeofResource(module, found) : 0;
  if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER info;
  std::memcpy(&info, data, sizeof(info));
  DWORD colours = info.biClrUsed ? info.biClrUsed : (info.biBitCount <= 8 ? 1u << info.biBitCount : 0);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfSize = static_cast<DWORD>(sizeof(file) + size);
  file.bfOffBits = static_cast<DWORD>(sizeof(file) + info.biSize + colours * sizeof(RGBQUAD));
  std::vector<unsigned char> bytes(sizeof(file) + size);
  std::memcpy(bytes.data(), &file, sizeof(file));
  std::memcpy(bytes.data() + sizeof(file), data, size);
  bitmap.LoadFromBytes(bytes);
  return true;
}
}  // namespace

TEdFolderNameEdit::TEdFolderNameEdit(TComponent* owner)
    : TCustomEdButtonEdit(owner), dialog_(std::make_unique<TEdFolderDialog>(nullptr)) {
  LoadDefaultGlyph();
  SetButtonShortcut(kAltDown);
  dialog_->SetRequirePath(true);  // the text is a path: an item without one is not offered
}

TEdFolderNameEdit::~TEdFolderNameEdit() = default;

void TEdFolderNameEdit::LoadDefaultGlyph() {
  TBitmap glyph;
  if (LoadBitmapResource(L"EDFOLDERNAMEEDITBUTTON", glyph)) SetButtonGlyph(glyph);
}

void TEdFolderNameEdit::Loaded() {
  TCustomEdButtonEdit::Loaded();
  if (ButtonGlyph()->Empty()) LoadDefaultGlyph();
}

void TEdFolderNameEdit::CreateWnd() {
  TCustomEdButtonEdit::CreateWnd();
  if (ButtonWidth() != 0 && ButtonWidth() < ButtonGlyph()->Width() + 2) MainButton()->SetWidth(ClientHeight());
  LayOutAgain();
}

void TEdFolderNameEdit::SetDialogTitle(const std::string& value) {
  title_ = value;
  dialog_->SetDialogTitle(value);
}

void TEdFolderNameEdit::SetPrompt(const std::string& value) {
  if (value == prompt_) return;
  prompt_ = value;
  dialog_->SetPrompt(value);
}

void TEdFolderNameEdit::DoBeforeDialogExecute(TEdFolderDialog* dialog) {
  if (OnBeforeDialogExecute) OnBeforeDialogExecute(this, dialog);
}

void TEdFolderNameEdit::DoDialogExecute() {
  if (OnDialogExecute) OnDialogExecute(this);
}

void TEdFolderNameEdit::MainButtonClick() {
  if (dialog_->Running()) return;  // a second click or Alt+Down while the browser is open
  dialog_->SetFolder(Text());
  dialog_->SetDialogTitle(title_);
  dialog_->SetParent(GetParentForm(this));
  DoBeforeDialogExecute(dialog_.get());
  if (!dialog_->Execute()) return;
  const TEdFString folder = dialog_->Folder();
  if (folder.empty()) return;  // a browser that ignored the disabled OK: the text stays
  SetText(folder);
  SetModified(true);
  DoDialogExecute();
  if (TForm* form = GetParentForm(this); form && form->HandleAllocated()) SetForegroundWindow(form->Handle());
  NotifyTextChange();
}

namespace {
enum TDockOrientation { doNoOrient, doHorizontal, doVertical };
const TEnumNames<TDockOrientation>& DockOrientationNames() {
  static const TEnumNames<TDockOrientation> names = {
      {"doNoOrient", doNoOrient}, {"doHorizontal", doHorizontal}, {"doVertical", doVertical}};
  return names;
}
}  // namespace

const TPropTable& TEdFolderNameEdit::Properties() {
  static const TPropTable table = [] {
    using E = TEdFolderNameEdit;
    TPropTable t(&TCustomEdButtonEdit::Properties());
    t.Add("Options", SetProp(&E::SetOptions, BrowseOptionNames()));
    t.Add("Title", StringProp(&E::SetDialogTitle));  // read from older stored forms, never written
    t.Add("RootFolder", EnumProp(&E::SetRootFolder, ShellFolderNames()));
    t.Add("DialogTitle", StringProp(&E::SetDialogTitle));
    t.Add("StatusText", StringProp(&E::SetStatusText));
    t.Add("CustomRootFolder", StringProp(&E::SetCustomRootFolder));
    t.Add("Prompt", StringProp(&E::SetPrompt));
    t.Add("OnDialogExecute", EventProp(&E::OnDialogExecute));
    t.Add("OnBeforeDialogExecute", AdaptedEventProp(&E::OnBeforeDialogExecute));
    // Docking is not offered; a stored orientation is accepted.
    t.Add("DockOrientation", {[](TPersistent&, const TFormValue& v, TReadContext&) {
      ValueToEnum(v, DockOrientationNames()); }, nullptr, nullptr});
    return t;
  }();
  return table;
}

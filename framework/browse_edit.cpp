#include "framework/browse_edit.h"
#include <objbase.h>
#include <shlobj.h>
#include "framework/properties.h"

namespace {
int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM, LPARAM data) {
  const auto* start = reinterpret_cast<const std::wstring*>(data);
  if (msg == BFFM_INITIALIZED && start && !start->empty())
    SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->c_str()));
  return 0;
}
}  // namespace

bool BrowseForFolder(HWND owner, const std::wstring& title, std::wstring& folder) {
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::wstring start = folder;
  wchar_t display[MAX_PATH] = L"";
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&start);
  bool chosen = false;
  if (PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info)) {
    wchar_t path[MAX_PATH] = L"";
    if (SHGetPathFromIDListW(list, path)) {
      folder = path;
      chosen = true;
    }
    CoTaskMemFree(list);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

TBrowseEdit::TBrowseEdit(TComponent* owner) : TWinControl(owner), buttonGlyph_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetCursor(crIBeam);
}

TBrowseEdit::~TBrowseEdit() { DestroyHandle(); }

void TBrowseEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = L"EDIT";
  params.systemClass = true;
  params.caption = text_;
  params.style = (params.style & ~WS_CLIPCHILDREN) | ES_AUTOHSCROLL | WS_CLIPCHILDREN | (readOnly_ ? ES_READONLY : 0);
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void TBrowseEdit::CreateWnd() {
  TWinControl::CreateWnd();
  button_ = CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, buttonWidth_,
                            Height(), Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  if (!buttonGlyph_->Empty()) {
    // The glyph's transparent colour takes the button face's colour.
    TBitmap face;
    face.SetSize(buttonGlyph_->Width(), buttonGlyph_->Height());
    face.Canvas().Brush().SetColor(clBtnFace);
    RECT r{0, 0, face.Width(), face.Height()};
    face.Canvas().FillRect(r);
    TBitmap glyph;
    glyph.Assign(*buttonGlyph_);
    glyph.SetTransparent(true);
    glyph.DrawOn(face.Canvas().Handle(), r);
    buttonBitmap_.Reset(static_cast<HBITMAP>(CopyImage(face.Handle(), IMAGE_BITMAP, 0, 0, 0)));
    SetWindowLongPtrW(button_, GWL_STYLE, GetWindowLongPtrW(button_, GWL_STYLE) | BS_BITMAP);
    SendMessageW(button_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(buttonBitmap_.Get()));
  }
  PlaceButton();
}

void TBrowseEdit::PlaceButton() {
  if (!button_) return;
  RECT client;
  GetClientRect(Handle(), &client);
  SetWindowPos(button_, nullptr, client.right - buttonWidth_, 0, buttonWidth_, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, buttonWidth_ + 1));
}

TEdFString TBrowseEdit::Text() const {
  if (!const_cast<TBrowseEdit*>(this)->HandleAllocated()) return text_;
  HWND window = const_cast<TBrowseEdit*>(this)->Handle();
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void TBrowseEdit::SetText(const TEdFString& text) {
  if (text == Text()) return;
  text_ = text;
  if (HandleAllocated()) SetWindowTextW(Handle(), text.c_str());
  if (OnChange) OnChange(this);
}

void TBrowseEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, value, 0);
}

void TBrowseEdit::SetButtonWidth(int width) {
  buttonWidth_ = width;
  if (HandleAllocated()) PlaceButton();
}

void TBrowseEdit::ButtonClick() {
  std::wstring folder = Text();
  if (BrowseForFolder(GetAncestor(Handle(), GA_ROOT), AnsiToWide(dialogTitle_), folder)) SetText(folder);
  SetFocus();
}

bool TBrowseEdit::IsShortcut(WPARAM key) const {
  if (!buttonShortcut_ || (buttonShortcut_ & 0xFF) != static_cast<int>(key)) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  return shift == ((buttonShortcut_ & 0x2000) != 0) && ctrl == ((buttonShortcut_ & 0x4000) != 0) &&
         alt == ((buttonShortcut_ & 0x8000) != 0);
}

void TBrowseEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(m.LParam) == button_ && HIWORD(m.WParam) == BN_CLICKED) {
        ButtonClick();
        return;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (IsShortcut(m.WParam)) {
        ButtonClick();
        return;
      }
      break;
    case WM_SIZE:
      TWinControl::WndProc(m);
      PlaceButton();
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      if (!brush_) brush_.Reset(CreateSolidBrush(ColorToRGB(Color())));
      m.Result = reinterpret_cast<LRESULT>(brush_.Get());
      return;
    }
    case CM_COLORCHANGED:
      brush_.Reset();
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

const TPropTable& TBrowseEdit::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TWinControl::Properties());
    t.Add("ReadOnly", BoolProp(&TBrowseEdit::SetReadOnly));
    t.Add("DialogTitle", StringProp(&TBrowseEdit::SetDialogTitle));
    t.Add("ButtonWidth", IntProp(&TBrowseEdit::SetButtonWidth));
    t.Add("ButtonShortcut", IntProp(&TBrowseEdit::SetButtonShortcut));
    t.Add("Text", {[](TPersistent& e, const TFormValue& v, TReadContext&) {
      static_cast<TBrowseEdit&>(e).SetText(AnsiToWide(ValueToString(v))); }, nullptr, nullptr});
    t.Add("ButtonGlyph.Data", {[](TPersistent& e, const TFormValue& v, TReadContext& context) {
      auto& glyph = *static_cast<TBrowseEdit&>(e).ButtonGlyph();
      if (v.kind == TFormValue::Kind::FileRef) glyph.LoadFromBytes(context.ResolveFile(v.text));
      else glyph.LoadFromBytes(StripLengthPrefix(ValueToBytes(v, context)));
    }, nullptr, nullptr});
    return t;
  }();
  return table;
}

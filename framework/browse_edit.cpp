#include "framework/browse_edit.h"
#include <objbase.h>
#include <shlobj.h>
#include <commctrl.h>
#include "framework/application.h"
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

void TBrowseEdit::CreateWnd() {
  TWinControl::CreateWnd();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text_.c_str(),
                          WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0), 0, 0, 0, 0, Handle(),
                          nullptr, instance, nullptr);
  button_ = CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, Handle(), nullptr,
                            instance, nullptr);
  for (HWND child : {edit_, button_}) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  SetWindowSubclass(edit_, &TBrowseEdit::EditSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
  if (!buttonGlyph_->Empty()) {
    // The glyph's transparent colour takes the button face's colour.
    TBitmap face;
    face.SetSize(buttonGlyph_->Width(), buttonGlyph_->Height());
    RECT r{0, 0, face.Width(), face.Height()};
    {
      TMemoryDC dc;
      HGDIOBJ old = SelectObject(dc.Get(), face.Handle());
      FillRect(dc.Get(), &r, GetSysColorBrush(COLOR_BTNFACE));
      TBitmap glyph;
      glyph.Assign(*buttonGlyph_);
      glyph.SetTransparent(true);
      glyph.DrawOn(dc.Get(), r);
      SelectObject(dc.Get(), old);
    }
    buttonBitmap_.Reset(static_cast<HBITMAP>(CopyImage(face.Handle(), IMAGE_BITMAP, 0, 0, 0)));
    SetWindowLongPtrW(button_, GWL_STYLE, GetWindowLongPtrW(button_, GWL_STYLE) | BS_BITMAP);
    SendMessageW(button_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(buttonBitmap_.Get()));
  }
  PlaceChildren();
}

LRESULT CALLBACK TBrowseEdit::EditSubclass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
  auto* edit = reinterpret_cast<TBrowseEdit*>(self);
  try {
    if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && edit->IsShortcut(wParam)) {
      edit->ButtonClick();
      return 0;
    }
    if (msg == WM_SETFOCUS && Application) Application->ControlFocused(edit);
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(window, &TBrowseEdit::EditSubclass, 1);
  } catch (...) {
    HandleWindowProcException();
    return 0;
  }
  return DefSubclassProc(window, msg, wParam, lParam);
}

void TBrowseEdit::PlaceChildren() {
  if (!edit_) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const int editWidth = client.right - buttonWidth_;
  SetWindowPos(edit_, nullptr, 0, 0, editWidth, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(button_, nullptr, editWidth, 0, buttonWidth_, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

TEdFString TBrowseEdit::Text() const {
  if (!edit_) return text_;
  HWND window = edit_;
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void TBrowseEdit::SetText(const TEdFString& text) {
  if (text == Text()) return;
  text_ = text;
  if (edit_) SetWindowTextW(edit_, text.c_str());
  if (OnChange) OnChange(this);
}

void TBrowseEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (edit_) SendMessageW(edit_, EM_SETREADONLY, value, 0);
}

void TBrowseEdit::SetButtonWidth(int width) {
  buttonWidth_ = width;
  if (HandleAllocated()) PlaceChildren();
}

void TBrowseEdit::ButtonClick() {
  std::wstring folder = Text();
  if (BrowseForFolder(GetAncestor(Handle(), GA_ROOT), AnsiToWide(dialogTitle_), folder)) SetText(folder);
  if (edit_) ::SetFocus(edit_);
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
    case WM_SETFOCUS:
      if (edit_) ::SetFocus(edit_);
      break;
    case WM_DESTROY:
      text_ = Text();
      edit_ = button_ = nullptr;
      break;
    case WM_SIZE:
      TWinControl::WndProc(m);
      PlaceChildren();
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      if (reinterpret_cast<HWND>(m.LParam) != edit_) break;
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
    t.Add("ButtonGlyph.Data", GlyphDataProp([](TPersistent& owner) { return static_cast<TBrowseEdit&>(owner).ButtonGlyph(); }));
    return t;
  }();
  return table;
}

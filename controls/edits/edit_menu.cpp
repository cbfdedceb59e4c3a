#include "controls/edits/edit_menu.h"
#include <iterator>

namespace {
// Undo is EM_UNDO in Wine's menu and WM_UNDO (our own id) in Windows'; the rest share our ids.
UINT CommandOf(UINT systemId) {
  switch (systemId) {
    case EM_UNDO: case WM_UNDO: return kEdCmdUndo;
    case kEdCmdCut: case kEdCmdCopy: case kEdCmdPaste: case kEdCmdDelete: case kEdCmdSelectAll: return systemId;
    default: return 0;
  }
}

class TLoadedMenu {
public:
  // Wine names its edit menu; Windows numbers it 1.
  explicit TLoadedMenu(HMODULE library)
      : menu_(library ? LoadMenuW(library, L"EDITMENU") : nullptr) {
    if (!menu_ && library) menu_ = LoadMenuW(library, MAKEINTRESOURCEW(1));
  }
  ~TLoadedMenu() { if (menu_) DestroyMenu(menu_); }
  TLoadedMenu(const TLoadedMenu&) = delete;
  TLoadedMenu& operator=(const TLoadedMenu&) = delete;
  HMENU Popup() const { return menu_ ? GetSubMenu(menu_, 0) : nullptr; }
private:
  HMENU menu_;
};
}  // namespace

std::vector<TEdMenuEntry> SystemEditMenuEntries(HMODULE library) {
  std::vector<TEdMenuEntry> entries;
  const TLoadedMenu loaded(library);
  HMENU popup = loaded.Popup();
  if (!popup) return entries;
  for (int i = 0, n = GetMenuItemCount(popup); i < n; ++i) {
    wchar_t text[128] = L"";
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = static_cast<UINT>(std::size(text));
    if (!GetMenuItemInfoW(popup, i, TRUE, &info)) continue;
    const bool separator = info.fType & MFT_SEPARATOR;
    // Items the edit does not carry out (reading order, input method) are left out.
    if (separator && !entries.empty() && entries.back().command != 0) entries.push_back({0, L""});
    else if (!separator && !info.hSubMenu && CommandOf(info.wID)) entries.push_back({CommandOf(info.wID), text});
  }
  if (!entries.empty() && entries.back().command == 0) entries.pop_back();
  return entries;
}

std::vector<TEdMenuEntry> EdContextMenuEntries(HMODULE library) {
  std::vector<TEdMenuEntry> entries = SystemEditMenuEntries(library);
  if (!entries.empty()) return entries;
  return {{kEdCmdUndo, L"&Undo"}, {0, L""}, {kEdCmdCut, L"Cu&t"}, {kEdCmdCopy, L"&Copy"},
          {kEdCmdPaste, L"&Paste"}, {kEdCmdDelete, L"&Delete"}, {0, L""}, {kEdCmdSelectAll, L"Select &All"}};
}

// The edit's context-menu commands and entries: the entries come from the system's own edit
// menu (user32's menu resource, in the user's language), else from English captions.
#pragma once
#include <string>
#include <vector>
#include <windows.h>

// Context-menu commands; they arrive as WM_COMMAND, as from a menu of the system.
constexpr UINT kEdCmdCut = 0x0300, kEdCmdCopy = 0x0301, kEdCmdPaste = 0x0302, kEdCmdDelete = 0x0303,
               kEdCmdUndo = 0x0304, kEdCmdSelectAll = 0x00B1, kEdCmdSelectAllAlt = 0x0401;

struct TEdMenuEntry {
  UINT command;  // 0 for a separator
  std::wstring caption;
};

// The entries of `library`'s edit menu that the edit carries out, in that menu's order, with
// its captions; none when the library has no such menu.
std::vector<TEdMenuEntry> SystemEditMenuEntries(HMODULE library);
// The system's entries, or the English ones when `library` has no edit menu.
std::vector<TEdMenuEntry> EdContextMenuEntries(HMODULE library);

// The shell calls the program makes, with shell32 loaded at the first of them: starting without
// it saves about 5 ms under Wine, and most runs never open the browser or start anything. The
// first also enters the thread's apartment; the ones that may show windows run with the system
// controls active (framework/system_controls.h).
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

namespace shell {
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show);
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info);
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);
PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* info);
HRESULT SHGetDesktopFolder(IShellFolder** folder);
HRESULT SHGetNameFromIDList(PCIDLIST_ABSOLUTE list, SIGDN kind, PWSTR* name);
HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, PIDLIST_ABSOLUTE* list);
}  // namespace shell

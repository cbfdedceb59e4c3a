#include "framework/shell_calls.h"
#include "framework/library_entry.h"
#include "framework/com_calls.h"
#include "framework/system_controls.h"

namespace {
// Loaded with the system controls active, so the comctl32 it imports is the one of the boxes
// and the browser; the shell's objects live only inside an apartment.
HMODULE Library() {
  static const HMODULE library = [] {
    com::EnterThreadApartment();
    const TSystemControlsScope systemControls;
    return LoadLibraryW(L"shell32.dll");
  }();
  return library;
}

// The entry point, or null when shell32 or the entry is missing (callers then report failure).
template <class F>
F* Entry(const char* name) {
  return LibraryEntry<F>(Library(), name);
}
}  // namespace

namespace shell {
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
  static auto* call = Entry<decltype(::ShellExecuteA)>("ShellExecuteA");
  const TSystemControlsScope systemControls;  // for the shell's own boxes
  return call ? call(owner, verb, file, parameters, directory, show) : reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
}

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info) {
  static auto* call = Entry<decltype(::ShellExecuteExA)>("ShellExecuteExA");
  const TSystemControlsScope systemControls;
  if (call) return call(info);
  info->hProcess = nullptr;
  SetLastError(ERROR_MOD_NOT_FOUND);
  return FALSE;
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) {
  static auto* call = Entry<decltype(::ShellExecuteExW)>("ShellExecuteExW");
  const TSystemControlsScope systemControls;
  if (call) return call(info);
  info->hProcess = nullptr;
  SetLastError(ERROR_MOD_NOT_FOUND);
  return FALSE;
}

PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* info) {
  static auto* call = Entry<decltype(::SHBrowseForFolderW)>("SHBrowseForFolderW");
  const TSystemControlsScope systemControls;  // the browser and what its callback adds
  return call ? call(info) : nullptr;
}

HRESULT SHGetDesktopFolder(IShellFolder** folder) {
  static auto* call = Entry<decltype(::SHGetDesktopFolder)>("SHGetDesktopFolder");
  return call ? call(folder) : E_NOTIMPL;
}

HRESULT SHGetNameFromIDList(PCIDLIST_ABSOLUTE list, SIGDN kind, PWSTR* name) {
  static auto* call = Entry<decltype(::SHGetNameFromIDList)>("SHGetNameFromIDList");
  return call ? call(list, kind, name) : E_NOTIMPL;
}

HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, PIDLIST_ABSOLUTE* list) {
  static auto* call = Entry<decltype(::SHGetSpecialFolderLocation)>("SHGetSpecialFolderLocation");
  return call ? call(owner, folder, list) : E_NOTIMPL;
}
}  // namespace shell

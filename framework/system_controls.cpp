#include "framework/system_controls.h"
#include "framework/library_entry.h"

namespace {
// Made once; without the resource (a test program) the scope changes nothing.
HANDLE ProgramContext() {
  static const HANDLE context = [] {
    wchar_t path[MAX_PATH];
    HMODULE module = GetModuleHandleW(nullptr);
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    ACTCTXW info{};
    info.cbSize = sizeof(info);
    info.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    info.lpSource = length && length < MAX_PATH ? path : nullptr;
    info.hModule = module;
    info.lpResourceName = MAKEINTRESOURCEW(3);  // the resource no loader reads by itself
    return CreateActCtxW(&info);
  }();
  return context;
}

// Loaded inside the context, so it is the version-6 library; its classes registered once.
HMODULE Library() {
  static const HMODULE library = [] {
    HMODULE module = LoadLibraryW(L"comctl32.dll");
    auto* init = LibraryEntry<decltype(::InitCommonControlsEx)>(module, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    if (init) init(&classes);
    return module;
  }();
  return library;
}

template <class F>
F* Entry(const char* name) {
  TSystemControlsScope scope;
  return LibraryEntry<F>(Library(), name);
}
}  // namespace

TSystemControlsScope::TSystemControlsScope() {
  const HANDLE context = ProgramContext();
  active_ = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie_);
  Library();
}

TSystemControlsScope::~TSystemControlsScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

namespace comctl {
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  static auto* call = Entry<decltype(::SetWindowSubclass)>("SetWindowSubclass");
  return call && call(window, proc, id, data);
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
  static auto* call = Entry<decltype(::RemoveWindowSubclass)>("RemoveWindowSubclass");
  return call && call(window, proc, id);
}

LRESULT DefSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  static auto* call = Entry<decltype(::DefSubclassProc)>("DefSubclassProc");
  return call ? call(window, msg, wParam, lParam) : DefWindowProcW(window, msg, wParam, lParam);
}
}  // namespace comctl

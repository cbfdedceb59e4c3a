#include "framework/com_calls.h"
#include "framework/library_entry.h"

namespace {
HMODULE Library() {
  static const HMODULE library = LoadLibraryW(L"ole32.dll");
  return library;
}

// The entry point, or null when ole32 or the entry is missing (callers then report failure).
template <class F>
F* Entry(const char* name) {
  return LibraryEntry<F>(Library(), name);
}
}  // namespace

namespace com {
HRESULT CoInitializeEx(void* reserved, DWORD model) {
  static auto* call = Entry<decltype(::CoInitializeEx)>("CoInitializeEx");
  return call ? call(reserved, model) : E_NOTIMPL;
}

void CoUninitialize() {
  static auto* call = Entry<decltype(::CoUninitialize)>("CoUninitialize");
  if (call) call();
}

void* CoTaskMemAlloc(SIZE_T size) {
  static auto* call = Entry<decltype(::CoTaskMemAlloc)>("CoTaskMemAlloc");
  return call ? call(size) : nullptr;
}

void CoTaskMemFree(void* memory) {
  static auto* call = Entry<decltype(::CoTaskMemFree)>("CoTaskMemFree");
  if (call && memory) call(memory);
}

void EnterThreadApartment() {
  thread_local const HRESULT entered = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  (void)entered;
}
}  // namespace com

#include "framework/oleacc_library.h"
#include "framework/com_calls.h"

namespace {
bool loaded = false;

template <class F>
void Find(HMODULE module, const char* name, F& entry) {
  entry = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

TOleAcc Load() {
  loaded = true;
  // Objects handed to other processes are marshalled: the GUI thread must be in an apartment
  // for the rest of the program's life.
  com::EnterThreadApartment();
  TOleAcc lib;
  HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
  HMODULE oleaut = LoadLibraryW(L"oleaut32.dll");
  Find(oleacc, "LresultFromObject", lib.LresultFromObject);
  Find(oleacc, "CreateStdAccessibleObject", lib.CreateStdAccessibleObject);
  Find(oleaut, "SysAllocString", lib.SysAllocString);
  Find(oleaut, "SysFreeString", lib.SysFreeString);
  return lib;
}
}  // namespace

const TOleAcc* OleAcc() {
  static const TOleAcc lib = Load();
  return lib.Ready() ? &lib : nullptr;
}

bool OleAccLoaded() { return loaded; }

#include "framework/oleacc_library.h"
#include "framework/library_entry.h"
#include "framework/com_calls.h"

namespace {
bool loaded = false;

TOleAcc Load() {
  loaded = true;
  // Objects handed to other processes are marshalled: the GUI thread must be in an apartment
  // for the rest of the program's life.
  com::EnterThreadApartment();
  TOleAcc lib;
  HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
  HMODULE oleaut = LoadLibraryW(L"oleaut32.dll");
  FindLibraryEntry(oleacc, "LresultFromObject", lib.LresultFromObject);
  FindLibraryEntry(oleacc, "CreateStdAccessibleObject", lib.CreateStdAccessibleObject);
  FindLibraryEntry(oleaut, "SysAllocString", lib.SysAllocString);
  FindLibraryEntry(oleaut, "SysFreeString", lib.SysFreeString);
  return lib;
}
}  // namespace

const TOleAcc* OleAcc() {
  static const TOleAcc lib = Load();
  return lib.Ready() ? &lib : nullptr;
}

bool OleAccLoaded() { return loaded; }

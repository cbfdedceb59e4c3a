// TOleAcc: the accessibility library and the string allocator it speaks, loaded on first use so
// that start-up pays nothing for them.
#pragma once
#include <windows.h>
#include <oleacc.h>

struct TOleAcc {
  LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
  BSTR(WINAPI* SysAllocString)(const OLECHAR*) = nullptr;
  void(WINAPI* SysFreeString)(BSTR) = nullptr;
  bool Ready() const { return LresultFromObject && CreateStdAccessibleObject && SysAllocString && SysFreeString; }
};

// The loaded entry points, or nullptr when the library or one of them is missing.
const TOleAcc* OleAcc();
// True once something asked for it: the library is not loaded before.
bool OleAccLoaded();

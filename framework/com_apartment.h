// TComApartment: the calling thread's single-threaded COM apartment for one scope. The shell's
// objects (folder browser, item lists, the desktop folder) are used only inside one.
#pragma once
#include "framework/com_calls.h"

class TComApartment {
public:
  TComApartment() : result_(com::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  // Each successful enter, nested ones included, is matched by one leave.
  ~TComApartment() { if (SUCCEEDED(result_)) com::CoUninitialize(); }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;
  bool Entered() const { return SUCCEEDED(result_); }
private:
  HRESULT result_;
};

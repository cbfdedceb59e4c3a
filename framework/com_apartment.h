// TComApartment: the calling thread's single-threaded COM apartment for one scope. The shell's
// objects (folder browser, item lists, the desktop folder) are used only inside one.
#pragma once
#include <objbase.h>

class TComApartment {
public:
  TComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  // Each successful enter, nested ones included, is matched by one leave.
  ~TComApartment() { if (SUCCEEDED(result_)) CoUninitialize(); }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;
  bool Entered() const { return SUCCEEDED(result_); }
private:
  HRESULT result_;
};

// The COM calls the program makes, with ole32 loaded at the first of them: nothing before the
// first paint needs it, and loading it there cost several milliseconds under Wine.
#pragma once
#include <objbase.h>

namespace com {
HRESULT CoInitializeEx(void* reserved, DWORD model);
void CoUninitialize();
void* CoTaskMemAlloc(SIZE_T size);
void CoTaskMemFree(void* memory);
// The calling thread's single-threaded apartment for the rest of its life: the shell's and the
// accessibility objects live only inside one. Entered at the first call, never left.
void EnterThreadApartment();
}  // namespace com

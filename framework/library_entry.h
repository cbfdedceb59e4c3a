// Typed entry points of libraries loaded at run time (at first use, so start-up loads none).
#pragma once
#include <type_traits>
#include <windows.h>

// The entry, or null when the library or the entry is missing (callers then report failure).
template <class F>
F* LibraryEntry(HMODULE library, const char* name) {
  return library ? reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// The same into a function-pointer variable; true when it was found.
template <class P>
bool FindLibraryEntry(HMODULE library, const char* name, P& entry) {
  entry = LibraryEntry<std::remove_pointer_t<P>>(library, name);
  return entry != nullptr;
}

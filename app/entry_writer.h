// TEntryWriter: the one way "EXE Path" is written, for Set and for every mend Get offers: in the
// 32-bit view, making the key when it is missing and the user agreed, and by an elevated copy of
// the program when Windows refuses.
#pragma once
#include <string>
#include "app/system_port.h"
#include "app/write_exe_path.h"

// Whether a missing key may be made at once (the user agreed to a mend) or only once asked.
enum class TKeyCreation { AskFirst, Agreed };

class TEntryWriter {
public:
  // `owner` is the window the elevation prompt belongs to.
  TEntryWriter(TSystemPort& system, HWND owner) : system_(system), owner_(owner) {}
  void Write(const std::wstring& folder, TKeyCreation creation);

private:
  TKeyOpen WriteToKey(const std::wstring& folder, bool create);
  bool AgreesToCreate(const std::wstring& folder);
  // The write again by an elevated copy of the program, once the user agreed to it.
  void WriteElevated(const std::wstring& folder, TExePathForm form);

  TSystemPort& system_;
  HWND owner_;
};

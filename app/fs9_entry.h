// TFS9Entry: where the FS9 entry stands beyond the value Get shows, read through the system
// port: the states that send installers astray (the value only in the 64-bit view, a value
// naming the program file or quoted, the user's own copies) and what would mend each.
#pragma once
#include <optional>
#include <string>
#include "app/system_port.h"

// A mend Get can offer: the question, and the folder that Yes records in the 32-bit view.
struct TEntryRepair {
  std::string question;
  std::string folder;
};

class TFS9Entry {
public:
  explicit TFS9Entry(TSystemPort& system) : system_(system) {}
  // What to offer for `value`, the 32-bit view's value as GetFS9Path read it; at most one.
  std::optional<TEntryRepair> RepairFor(const std::string& value);
  // The user's copy under `keyPath` (HKEY_CURRENT_USER) when it names another folder.
  std::optional<std::string> StaleUserCopy(const char* keyPath, const std::string& folder);
  bool RemoveUserCopy(const char* keyPath);

private:
  std::optional<TEntryRepair> OtherViewRepair();
  std::optional<TEntryRepair> FileNameRepair(const std::string& value);
  // A string value, or nothing when the key, the value or a string is not there.
  std::optional<std::string> ReadValue(HKEY root, const char* keyPath, REGSAM access);

  TSystemPort& system_;
};

// The folder a value names when it is quoted or ends with \fs9.exe; nothing otherwise.
std::optional<std::string> FolderNamedBy(const std::string& value);

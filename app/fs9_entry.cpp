#include "app/fs9_entry.h"
#include "app/texts.h"
#include "framework/object.h"

#include <cstring>

namespace {
// The native view, whichever build reads it: the user's store is one tree there, and a 64-bit
// tool or registry editor puts the machine's key there, where FS9 never looks.
constexpr REGSAM kNativeReadAccess = KEY_READ | KEY_WOW64_64KEY;
constexpr REGSAM kCopyDeleteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EndsWithNoCase(const std::string& text, const char* tail) {
  const std::size_t length = std::strlen(tail);
  return text.size() >= length && _stricmp(text.c_str() + text.size() - length, tail) == 0;
}
}  // namespace

std::optional<std::string> FolderNamedBy(const std::string& value) {
  std::string folder = Trimmed(value);
  const bool quoted = folder.size() >= 2 && folder.front() == '"' && folder.back() == '"';
  if (quoted) folder = folder.substr(1, folder.size() - 2);
  const bool namesFile = EndsWithNoCase(folder, texts::kExeSuffix);
  if (namesFile) folder.resize(folder.size() - std::strlen(texts::kExeSuffix));
  if ((!quoted && !namesFile) || folder.empty()) return std::nullopt;
  return folder;
}

std::optional<TEntryRepair> TFS9Entry::RepairFor(const std::string& value) {
  return value.empty() ? OtherViewRepair() : FileNameRepair(value);
}

std::optional<TEntryRepair> TFS9Entry::OtherViewRepair() {
  if (!system_.Is64BitWindows()) return std::nullopt;  // one view only: nothing elsewhere
  const std::optional<std::string> folder = ReadValue(HKEY_LOCAL_MACHINE, texts::kFS9KeyPath, kNativeReadAccess);
  if (!folder || folder->empty()) return std::nullopt;
  return TEntryRepair{texts::kOtherViewHead + *folder + texts::kOtherViewTail, *folder};
}

std::optional<TEntryRepair> TFS9Entry::FileNameRepair(const std::string& value) {
  const std::optional<std::string> folder = FolderNamedBy(value);
  // Only a folder that holds the simulator is worth offering in its place.
  if (!folder || !system_.FileExists(*folder + texts::kExeSuffix)) return std::nullopt;
  return TEntryRepair{texts::kFileNameHead + value + texts::kFileNameMiddle + *folder + texts::kFileNameTail, *folder};
}

std::optional<std::string> TFS9Entry::StaleUserCopy(const char* keyPath, const std::string& folder) {
  const std::optional<std::string> copy = ReadValue(HKEY_CURRENT_USER, keyPath, kNativeReadAccess);
  // A key left without its value, or an empty value, sends no installer anywhere: no copy.
  if (!copy || copy->empty() || _stricmp(copy->c_str(), folder.c_str()) == 0) return std::nullopt;
  return copy;
}

bool TFS9Entry::RemoveUserCopy(const char* keyPath) {
  TKeyScope scope(system_);
  return system_.RegOpenKey(HKEY_CURRENT_USER, keyPath, kCopyDeleteAccess) == TKeyOpen::Opened &&
         system_.RegDeleteValue(texts::kExePathValue);
}

std::optional<std::string> TFS9Entry::ReadValue(HKEY root, const char* keyPath, REGSAM access) {
  TKeyScope scope(system_);
  if (system_.RegOpenKey(root, keyPath, access) != TKeyOpen::Opened) return std::nullopt;
  try {
    return system_.RegReadString(texts::kExePathValue);
  } catch (const ERegistryException&) {
    return std::nullopt;  // not a folder text: no installer takes it for one
  }
}

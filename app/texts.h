// The program's fixed texts, exactly as the user sees them.
#pragma once
#include "resources/version.h"

namespace texts {
constexpr char kFS9KeyPath[] = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\";
constexpr char kExePathValue[] = "EXE Path";
constexpr char kKeyLabelCaption[] = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\ (Entry = EXE Path)";
constexpr char kEmptyPathWarning[] =
    "It appears the registry entry is blank or does not exist!\r\n(Please also check that you have administrative access)";
constexpr char kMissingExeHead[] = "The path your registry is reporting is:\r\n\r\n";
constexpr char kExeSuffix[] = "\\fs9.exe";
constexpr char kMissingExeTail[] = "This may not be correct, the fs9.exe file was not found there!";
constexpr char kBlankEditNotice[] = "The registry path box is blank!";
constexpr char kUnchangedNotice[] = "This path is already in the registry!";
constexpr char kConfirmHead[] = "Are you sure you want to write this path to the registry?\r\n\r\n";
constexpr char kMissingExeQuestion[] =
    "The FS9.exe is not in the path you have specified.\r\nDo you still want to write this path to the registry?";
constexpr char kCodePageWarning[] =
    "This path contains characters that the registry entry cannot hold in this system's code page.\r\n"
    "Nothing was written to the registry. Please choose a folder whose name uses only those characters.";
constexpr char kWriteDeniedQuestion[] =
    "Nothing was written to the registry: Windows refused access to the FS9 registry key.\r\n"
    "Do you want to write it as administrator now?";
// Why the write as administrator did not happen; a code follows the last two.
constexpr char kElevationCancelled[] =
    "Nothing was written to the registry: running Ostrimark as administrator was cancelled.";
constexpr char kElevatedDenied[] =
    "Nothing was written to the registry: Windows refused access to the FS9 registry key even to Ostrimark "
    "running as administrator.";
constexpr char kElevatedRefused[] =
    "Nothing was written to the registry: Ostrimark running as administrator did not accept this folder name.";
constexpr char kElevatedFailed[] =
    "Nothing was written to the registry: Ostrimark running as administrator failed with exit code ";
constexpr char kElevationFailed[] =
    "Nothing was written to the registry: Ostrimark could not be started as administrator, error ";

constexpr char kCreateFailed[] = "The FS9 registry key could not be created. Nothing was written to the registry.";

// The broken entries Ostrimark mends; each question shows the folder on a line of its own.
constexpr char kMissingKeyHead[] =
    "The FS9 registry key does not exist on this computer: FS9 was probably copied from another disk or "
    "computer, or Windows was reinstalled.\r\n\r\n";
constexpr char kMissingKeyTail[] = "\r\n\r\nDo you want to create the key with this folder?";
constexpr char kOtherViewHead[] =
    "The FS9 registry entry is blank or does not exist where FS9 and its add-on installers look, but the "
    "64-bit part of the registry holds one, which reports:\r\n\r\n";
constexpr char kOtherViewTail[] = "\r\n\r\nDo you want to record this folder where FS9 and its installers look?";
constexpr char kFileNameHead[] = "The FS9 registry entry names the program file or is wrapped in quotes:\r\n\r\n";
constexpr char kFileNameMiddle[] = "\r\n\r\nInstallers expect the folder alone, and fs9.exe is in this one:\r\n\r\n";
constexpr char kFileNameTail[] = "\r\n\r\nDo you want to record this folder instead?";

// A copy an installer without rights once "wrote" lands in the user's virtual store.
constexpr char kVirtualStoreKeyPath[] =
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\";
constexpr char kVirtualStoreKeyPathWow64[] =
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Microsoft Games\\"
    "Flight Simulator\\9.0\\";
constexpr char kUserCopyHead[] =
    "Your user account also has its own copy of the FS9 registry entry, which reports:\r\n\r\n";
constexpr char kUserCopyTail[] =
    "\r\n\r\nOlder add-on installers that you start read this copy instead of the real entry, "
    "so they keep finding this folder.\r\nDo you want to remove this copy, so that they use the real entry?";
constexpr char kUserCopyKept[] = "The copy could not be removed. Nothing was changed.";

constexpr char kRegEditClass[] = "RegEdit_RegEdit";
constexpr char kRegEditTreeClass[] = "SysTreeView32";
constexpr char kRegEditFile[] = "regedit.exe";
constexpr char kRegEditKeyPath[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\";
constexpr char kRegEditKeyPathWow64[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\";

constexpr char kUsage[] =
    "Ostrimark opens its window when started without arguments. From a script it writes the FS9 registry "
    "entry without a window, in one of two forms:\r\n\r\n"
    "ostrimark.exe /write-exe-path \"<folder>\"\r\n"
    "    writes the folder into the existing FS9 registry key\r\n"
    "ostrimark.exe /create-exe-path \"<folder>\"\r\n"
    "    the same, and creates the key when it does not exist\r\n\r\n"
    "The folder is absolute and in double quotes. Run it as administrator. Exit codes: 0 written; "
    "1 the key does not exist (/write-exe-path) or the write failed; 2 the command line was refused; "
    "5 Windows refused access to the key.";

constexpr char kWebsite[] = "https://quarnel.example/";
constexpr char kAboutText[] =
    "Ostrimark - Version " OSTRI_VERSION_TEXT "\r\n\r\n"
    "Copyright (c) 2026 Quarnel - https://quarnel.example/\r\n\r\n"
    "(Programming and design by Quarnel)";
}  // namespace texts

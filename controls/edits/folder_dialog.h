// TEdFolderDialog: the shell's folder browser with a window title, a status line, an initial
// selection, a root folder, a placement and an optional extra button; TEdItemList: an owning
// shell item list; the shell routines between item lists and paths.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <windows.h>
#include <shlobj.h>
#include "framework/common_dialog.h"
#include "framework/properties.h"
#include "framework/set.h"
#include "framework/strings.h"

class TWinControl;
class TDisabledWindows;

enum TBrowseForFolderOption {
  bfoFileSysDirsOnly, bfoDontGoBelowDomain, bfoStatusText, bfoFileSysAncestors, bfoBrowseForComputer,
  bfBrowseForPrinter, bfoBrowseIncludeFiles, bfoShowPath, bfoNewDialogStyle
};
using TBrowseForFolderOptions = TSet<TBrowseForFolderOption>;

enum TShellFolders {
  sfoDesktopExpanded, sfoDesktop, sfoPrograms, sfoControlPanel, sfoPrinters, sfoPersonal, sfoFavorites,
  sfoStartup, sfoRecent, sfoSendto, sfoRecycleBin, sfoStartMenu, sfoDesktopDirectory, sfoMyComputer, sfoNetwork,
  sfoNetworkNeighborhood, sfoFonts, sfoTemplates, sfoCommonStartMenu, sfoCommonPrograms, sfoCommonStartup,
  sfoCommonDesktopDirectory, sfoAppData, sfoPrintHood, sfoLocalAppData, sfoAltStartUp, sfoCommonAltStartUp,
  sfoCommonFavorites, sfoInternetCache, sfoCookies, sfoHistory, sfoCommonAppData, sfoWindows, sfoSystem,
  sfoProgramFiles, sfoMyPictures, sfoProfile, sfoSystemX86, sfoProgramFilesX86, sfoProgramFilesCommon,
  sfoProgramFilesCommonX86, sfoCommonTemplates, sfoCommonDocuments, sfoCommonAdminTools, sfoAdminTools, sfoCustom
};

enum TFolderDialogPosition { fdpDefault, fdpScreenCenter, fdpDesktopCenter, fdpMainFormCenter, fdpOwnerFormCenter };

// The identifiers a description uses for these.
const TEnumNames<TBrowseForFolderOption>& BrowseOptionNames();
const TEnumNames<TShellFolders>& ShellFolderNames();

// The special-folder id a root stands for (0xFEFE for the expanded desktop, -1 for custom).
int ShellFolderId(TShellFolders folder);
// The browser flags of the options the shell knows.
UINT BrowseFlags(TBrowseForFolderOptions options);

// Owns one item list and frees it once, with the shell's allocator; move-only.
class TEdItemList {
public:
  TEdItemList() = default;
  explicit TEdItemList(PIDLIST_ABSOLUTE owned) : list_(owned) {}
  ~TEdItemList() { Reset(); }
  TEdItemList(TEdItemList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
  TEdItemList& operator=(TEdItemList&& other) noexcept;
  TEdItemList(const TEdItemList&) = delete;
  TEdItemList& operator=(const TEdItemList&) = delete;

  static TEdItemList Clone(PCIDLIST_ABSOLUTE list);
  PIDLIST_ABSOLUTE Get() const { return list_; }
  PIDLIST_ABSOLUTE Release() { return std::exchange(list_, nullptr); }
  void Reset(PIDLIST_ABSOLUTE owned = nullptr);
  explicit operator bool() const { return list_ != nullptr; }

private:
  PIDLIST_ABSOLUTE list_ = nullptr;
};

// Bytes of a list: its items' sizes plus the terminating zero size.
size_t CalcPIDLSize(PCIDLIST_ABSOLUTE list);
TEdItemList GetPIDLFromPath(const TEdFString& path);           // none for an empty or unknown path
TEdFString GetPathFromPIDL(PCIDLIST_ABSOLUTE list);            // empty without a file-system path
TEdItemList GetFolderPIDL(TShellFolders root, const TEdFString& customPath);

class TEdFolderDialog : public TCommonDialog {
public:
  // The shell call that runs the browser; tests put a stand-in here.
  using TShellBrowse = std::function<PIDLIST_ABSOLUTE(BROWSEINFOW& info)>;
  static TShellBrowse SetShellBrowse(TShellBrowse browse);  // returns the previous one

  explicit TEdFolderDialog(TComponent* owner);
  ~TEdFolderDialog() override;

  bool Execute() override;
  bool Running() const { return running_; }
  HWND Window() const { return window_; }

  // The browser's owner: this control's window, else the main form's, else the application's.
  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent) { parent_ = parent; }
  const std::string& DialogTitle() const { return dialogTitle_; }
  void SetDialogTitle(const std::string& value) { dialogTitle_ = value; }
  const std::string& CustomButtonCaption() const { return customButtonCaption_; }
  void SetCustomButtonCaption(const std::string& value) { customButtonCaption_ = value; }
  // 16-bit, so folder names outside the code page come back exactly.
  // The stored selection's path (kept in step with it), or the text that did not parse.
  const TEdFString& Folder() const { return folder_; }
  void SetFolder(const TEdFString& folder);
  TBrowseForFolderOptions Options() const { return options_; }
  void SetOptions(TBrowseForFolderOptions value) { options_ = value; }
  TShellFolders RootFolder() const { return rootFolder_; }
  void SetRootFolder(TShellFolders value) { rootFolder_ = value; }
  bool ShowCustomButton() const { return showCustomButton_; }
  void SetShowCustomButton(bool value) { showCustomButton_ = value; }
  const std::string& CustomRootFolder() const { return customRootFolder_; }
  void SetCustomRootFolder(const std::string& value) { customRootFolder_ = value; }
  const std::string& StatusText() const { return statusText_; }
  void SetStatusText(const std::string& value);
  const std::string& Prompt() const { return prompt_; }
  void SetPrompt(const std::string& value) { prompt_ = value; }
  TFolderDialogPosition Position() const { return position_; }
  void SetPosition(TFolderDialogPosition value) { position_ = value; }
  HWND CustomButton() const { return customButton_; }
  // The browser's OK is offered only on items with a folder on a disk (or, browsing for
  // computers, on any), so a caller that needs a path never gets an empty answer.
  bool RequirePath() const { return requirePath_; }
  void SetRequirePath(bool value) { requirePath_ = value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnCustomButtonClick;

  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

  // Where a window of size w x h goes for `position`; false when it stays where it is.
  static bool PlaceFor(TFolderDialogPosition position, SIZE size, const RECT* mainForm, const RECT* ownerForm,
                       POINT& topLeft);

private:
  static int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM lParam, LPARAM data);
  static LRESULT CALLBACK DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
  HWND OwnerWindow() const;
  void Initialise(HWND window);
  void TakeOver(TEdItemList list);
  void EnableOk(HWND window, PCIDLIST_ABSOLUTE item) const;
  void Send(UINT msg, WPARAM wParam, LPARAM lParam) const;
  void SendStatus(const std::string& text) const;
  void SendStatus(const TEdFString& text) const;
  void MakeCustomButton();
  void Place();

  TWinControl* parent_ = nullptr;
  std::string dialogTitle_, customButtonCaption_, customRootFolder_, statusText_, prompt_;
  TEdFString folder_;
  TEdItemList selection_;
  TBrowseForFolderOptions options_;
  TShellFolders rootFolder_ = sfoDesktopExpanded;
  bool showCustomButton_ = false, requirePath_ = false;
  TFolderDialogPosition position_ = fdpDefault;

  std::wstring displayName_;
  HWND window_ = nullptr;
  HWND customButton_ = nullptr;
  bool initialising_ = false, selectInitial_ = false, running_ = false;
  bool sendingSelection_ = false;  // the shell reports our own selection back: not the user's
  std::unique_ptr<TDisabledWindows> disabled_;
};

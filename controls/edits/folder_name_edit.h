// TEdFolderNameEdit: a button edit whose main button (or its shortcut, Alt+Down) opens the
// shell's folder browser on the edit's folder and puts the chosen folder into the edit.
#pragma once
#include <memory>
#include <string>
#include "controls/edits/button_edit.h"
#include "controls/edits/folder_dialog.h"

class TEdFolderNameEdit;
using TBeforeFolderDialogEvent = std::function<void(TObject* sender, TEdFolderDialog* dialog)>;

class TEdFolderNameEdit : public TCustomEdButtonEdit {
public:
  explicit TEdFolderNameEdit(TComponent* owner);
  ~TEdFolderNameEdit() override;

  TEdFolderDialog* Dialog() const { return dialog_.get(); }
  TBrowseForFolderOptions Options() const { return dialog_->Options(); }
  void SetOptions(TBrowseForFolderOptions value) { dialog_->SetOptions(value); }
  TShellFolders RootFolder() const { return dialog_->RootFolder(); }
  void SetRootFolder(TShellFolders value) { dialog_->SetRootFolder(value); }
  const std::string& DialogTitle() const { return title_; }
  void SetDialogTitle(const std::string& value);
  const std::string& StatusText() const { return dialog_->StatusText(); }
  void SetStatusText(const std::string& value) { dialog_->SetStatusText(value); }
  const std::string& CustomRootFolder() const { return dialog_->CustomRootFolder(); }
  void SetCustomRootFolder(const std::string& value) { dialog_->SetCustomRootFolder(value); }
  const std::string& Prompt() const { return prompt_; }
  void SetPrompt(const std::string& value);

  TBeforeFolderDialogEvent OnBeforeDialogExecute;
  TNotifyEvent OnDialogExecute;

  void Loaded() override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void CreateWnd() override;
  void MainButtonClick() override;
  virtual void DoBeforeDialogExecute(TEdFolderDialog* dialog);
  virtual void DoDialogExecute();

private:
  void LoadDefaultGlyph();
  std::unique_ptr<TEdFolderDialog> dialog_;
  std::string title_, prompt_;
};

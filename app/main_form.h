// TForm1: the main window, its components as loaded from the stored description, and the
// commands bound to them. The commands reach the system only through TSystemPort.
#pragma once
#include <optional>
#include <string>
#include "app/entry_writer.h"
#include "app/system_port.h"
#include "controls/buttons/button.h"
#include "controls/edits/folder_name_edit.h"
#include "controls/labels/group_box.h"
#include "controls/labels/label.h"
#include "controls/labels/simple_label.h"
#include "controls/labels/web_link_label.h"
#include "controls/shape/shaped_form.h"
#include "framework/form.h"
#include "framework/image.h"

// The folder the registry records, as last read by GetFS9Path; empty at start.
extern std::string FS9Path;

class TForm1 : public TForm {
public:
  // Loads the window from `description` (the stored text) and binds its handlers.
  TForm1(TComponent* owner, TSystemPort& system, const std::string& description,
         TFileResolver resolver = LoadEmbeddedFile);
  TForm1(TComponent* owner);  // the real system and the embedded description

  TShapedForm* frmTrans = nullptr;
  TOmLabel* OmLabel2 = nullptr;
  TOmLabel* OmLabel4 = nullptr;
  TOmLabel* OmLabel6 = nullptr;
  TImage* TitleIconImage = nullptr;
  TLabel* MainTitleLabel = nullptr;
  TImage* MinimiseImage = nullptr;
  TImage* ExitImage = nullptr;
  TOmSimpleLabel* OmSimpleLabel9 = nullptr;
  TWebLinkLabel* WebLinkLabel1 = nullptr;
  TImage* VisitWebsiteImage = nullptr;
  TOmSimpleLabel* VisitWebsiteLabel = nullptr;
  TImage* imgAbout = nullptr;
  TOmSimpleLabel* AboutLabel = nullptr;
  TOmLabel* OmLabel3 = nullptr;
  TOmLabel* OmLabel7 = nullptr;
  TOmButton* btnGetRegPath = nullptr;
  TOmButton* btnSetRegPath = nullptr;
  TOmGroupBox* OmGroupBox1 = nullptr;
  TOmLabel* OmLabel1 = nullptr;
  TOmGroupBox* OmGroupBox2 = nullptr;
  TOmLabel* OmLabel5 = nullptr;
  TEdFolderNameEdit* EdEdit1 = nullptr;
  TOmButton* btnSearchRegEdit = nullptr;
  TOmButton* ExitButton = nullptr;
  TOmButton* FS2004Button = nullptr;

  void GetFS9Path();
  void btnGetRegPathClick(TObject* sender);
  void btnSetRegPathClick(TObject* sender);
  void btnSearchRegEditClick(TObject* sender);
  void MinimiseImageClick(TObject* sender);
  void ExitImageClick(TObject* sender);
  void ExitButtonClick(TObject* sender);
  void FS2004ButtonClick(TObject* sender);
  void imgAboutClick(TObject* sender);
  void VisitWebsiteImageClick(TObject* sender);
  void OpenRegEditAtKey(const std::string& path);

private:
  void RegisterHandlers();
  void BindComponents();
  // Get's steps; `offerRepair` false in the refresh after a mend.
  void ShowEntry(bool offerRepair);
  // Asks whether to mend a broken entry, and writes when the user agrees; true then.
  bool OfferRepair();
  // The user's virtualized copies of the value, offered for removal when they differ.
  void CheckUserCopies();
  TEntryWriter Writer();
  template <class T>
  void Bind(T*& field, const char* name);

  TSystemPort& system_;
};

void RegisterMainFormClasses();

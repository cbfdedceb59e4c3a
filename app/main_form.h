// TForm1: the main window, its components as loaded from the stored description, and the
// commands bound to them. The commands reach the system only through TSystemPort.
#pragma once
#include <string>
#include "app/system_port.h"
#include "controls/shape/shaped_form.h"
#include "framework/browse_edit.h"
#include "framework/form.h"
#include "framework/group_box.h"
#include "framework/image.h"
#include "controls/buttons/button.h"
#include "framework/std_label.h"

// The folder the registry records, as last read by GetFS9Path; empty at start.
extern std::string FS9Path;

class TForm1 : public TForm {
public:
  // Loads the window from `description` (the stored text) and binds its handlers.
  TForm1(TComponent* owner, TSystemPort& system, const std::string& description,
         TFileResolver resolver = LoadEmbeddedFile);
  TForm1(TComponent* owner);  // the real system and the embedded description

  TShapedForm* frmTrans = nullptr;
  TLabel* OmLabel2 = nullptr;
  TLabel* OmLabel4 = nullptr;
  TLabel* OmLabel6 = nullptr;
  TImage* TitleIconImage = nullptr;
  TLabel* MainTitleLabel = nullptr;
  TImage* MinimiseImage = nullptr;
  TImage* ExitImage = nullptr;
  TLabel* OmSimpleLabel9 = nullptr;
  TLabel* WebLinkLabel1 = nullptr;
  TImage* VisitWebsiteImage = nullptr;
  TLabel* VisitWebsiteLabel = nullptr;
  TImage* imgAbout = nullptr;
  TLabel* AboutLabel = nullptr;
  TLabel* OmLabel3 = nullptr;
  TLabel* OmLabel7 = nullptr;
  TOmButton* btnGetRegPath = nullptr;
  TOmButton* btnSetRegPath = nullptr;
  TGroupBox* OmGroupBox1 = nullptr;
  TLabel* OmLabel1 = nullptr;
  TGroupBox* OmGroupBox2 = nullptr;
  TLabel* OmLabel5 = nullptr;
  TBrowseEdit* EdEdit1 = nullptr;
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
  void WriteFS9Path(const std::string& folder);
  template <class T>
  void Bind(T*& field, const char* name);

  TSystemPort& system_;
};

void RegisterMainFormClasses();

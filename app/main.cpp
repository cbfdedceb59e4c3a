#include "app/main_form.h"
#include "framework/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TApplication application;
  try {
    application.Initialize();
    application.SetTitle("Quarnel Ostrimark");
    application.CreateForm<TForm1>();
  } catch (const std::exception& error) {
    application.HandleException(error);
    return 1;
  }
  return application.Run();
}

#include "app/main_form.h"
#include "framework/application.h"
#include "framework/com_apartment.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // One apartment for the GUI thread's life: the shell's objects live only inside it.
  TComApartment apartment;
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

#include "shell/Tintmesh.h"

#include "editor/SDIMain.h"
#include "help/About.h"
#include "help/Help.h"
#include "palettefiles/OpenPal.h"
#include "shell/Unit2.h"

void CreateTintmeshWindows() {
  Application->CreateForm(SDIAppForm);
  Application->CreateForm(AboutBox);
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->CreateForm(Form3);
}

int TintmeshMain() {
  TApplication application;
  application.Initialize();
  application.Title = "Tintmesh";
  CreateTintmeshWindows();
  application.Run();
  return 0;
}

// The help window: borderless, with the shared chrome; shown beside the main window.
#pragma once

#include "shell/Chrome.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

class TForm3 : public TBorderlessForm {
 public:
  explicit TForm3(TComponent* owner);

  TShape* Shape261;
  TLabel* Label1;
  TImage* Image6;
  TLabel* Label8;
  TPopupMenu* PopupMenu1;
  TMenuItem* Exit1;
  TImage* Image1;

  void FormShow(TObject* sender);
  void Label8Click(TObject* sender);
  void Image6Click(TObject* sender);
  void Image6DblClick(TObject* sender);
  void Exit1Click(TObject* sender);

 private:
  int DpiMode = 0;
};

extern TForm3* Form3;

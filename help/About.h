// The About box, shown after every save.
#pragma once

#include "toolkit/Forms.h"

class TAboutBox : public TForm {
 public:
  explicit TAboutBox(TComponent* owner);
  TButton* OKButton;
  void FormShow(TObject* sender);

 private:
  int DpiMode = 0;
};

extern TAboutBox* AboutBox;

// The About box, shown after every save: the program's title, version and author over a
// background picture, and a link that opens the maker's web site in the user's browser.
#pragma once

#include <string>

#include "toolkit/Forms.h"
#include "toolkit/Registry.h"

class TAboutBox : public TForm {
 public:
  explicit TAboutBox(TComponent* owner);

  TButton* OKButton;
  TImage* Image1;
  TShape* Shape1;
  TImage* Image2;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TLabel* Label5;

  void FormShow(TObject* sender);
  void Label5MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Label5MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Label5Click(TObject* sender);

  int GetDpiMode() const { return DpiMode; }

 private:
  // Finds the program the system opens web pages with; empty when there is none.
  std::string BrowserCommand();
  void ShowBrowserNotice(const std::string& text, int boxWidthLarge, int labelWidthLarge);

  TRegistry* TypeRegistry = nullptr;
  TRegistry* CommandRegistry = nullptr;
  int DpiMode = 0;
};

extern TAboutBox* AboutBox;

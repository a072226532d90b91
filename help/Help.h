// The help window: a tutorial in eleven pages, each a text and on most pages a picture of
// the program itself, paged with a forward and a back arrow. Borderless, with the shared
// chrome; shown beside the main window and hidden when closed.
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
  TLabel* Label2;
  TPopupMenu* PopupMenu1;
  TMenuItem* Exit1;
  TImage* Image1;
  TImage* Image2;
  TImage* Image3;
  TImage* Image4;
  TImage* Image5;
  TImage* Image7;
  TLabel* Label3;
  TImage* Image8;
  TImage* Image9;
  TImage* Image10;
  TImage* Image11;
  TImage* Image12;
  TImage* Image13;
  TImage* Image14;
  TLabel* Label4;
  TImage* Image15;
  TImage* Image16;
  TShape* Shape1;
  TShape* Shape2;

  void FormShow(TObject* sender);
  void Image2Click(TObject* sender);
  void Image3Click(TObject* sender);
  void Image2MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Image2MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Image3MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Image3MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Label8Click(TObject* sender);
  void Image6Click(TObject* sender);
  void Image6DblClick(TObject* sender);
  void Exit1Click(TObject* sender);

  int GetPageIndex() const { return PageIndex; }

  static constexpr int PageCount = 11;
  // The text of a page, its lines joined by line feeds; and the extra text of the first page.
  static const char* PageText(int page);
  static const char* const FirstPageExtraText;

 private:
  void ShowPage();

  int DpiMode = 0;
  int PageIndex = 0;
};

extern TForm3* Form3;

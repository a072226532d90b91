#include "help/About.h"

#include "editor/SDIMain.h"

TAboutBox* AboutBox = nullptr;

namespace {
constexpr int PictureWidth = 284;
constexpr int PictureHeight = 224;
}  // namespace

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
  Name = "AboutBox";
  Caption = "About Tintmesh";
  BorderStyle = bsSingle;
  Position = poDesigned;
  Font->Name = "Arial";
  Font->Height = 11;
  ClientWidth = PictureWidth;
  ClientHeight = PictureHeight;
  // Designed at the outer size the show gives it, so that the save command, which centres
  // the box by its size before the show, centres it exactly.
  Width = PictureWidth + 4;
  Height = PictureHeight + 25;

  OKButton = new TButton(this);
  OKButton->Name = "OKButton";
  OKButton->Caption = "OK";
  OKButton->Default = true;
  OKButton->ModalResult = mrOk;
  OKButton->Font->Name = "Arial";
  OKButton->Font->Height = 11;
  OKButton->SetBounds(110, 183, 65, 30);
  OKButton->SetParent(this);

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TAboutBox::FormShow(TObject*) {
  ClientWidth = PictureWidth;
  ClientHeight = PictureHeight;
  Width = PictureWidth + 4;
  Height = PictureHeight + 25;
  DpiMode = SDIAppForm->GetDpiMode();
  if (DpiMode == 2) {
    OKButton->SetBounds(102, 169, 80, 37);
  } else {
    OKButton->SetBounds(110, 183, 65, 30);
  }
}

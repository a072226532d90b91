#include "help/Help.h"

#include "editor/SDIMain.h"
#include "shell/Chrome.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* owner) : TForm(owner) {
  Name = "Form3";
  Caption = "Tintmesh Help";
  BorderStyle = bsNone;
  Position = poScreenCenter;
  Font->Name = "Arial";
  Font->Height = 11;
  ClientWidth = 340;
  ClientHeight = 409;

  Image1 = new TImage(this);
  Image1->Name = "Image1";
  Image1->AutoSize = true;
  SetupBackground(Image1);
  Image1->SetParent(this);

  Shape261 = new TShape(this);
  Shape261->Name = "Shape261";
  SetupSeparator(Shape261);
  Shape261->SetParent(this);

  Label1 = new TLabel(this);
  Label1->Name = "Label1";
  SetupTitle(Label1, "Tintmesh Help");
  Label1->SetParent(this);

  Image6 = new TImage(this);
  Image6->Name = "Image6";
  SetupIcon(Image6);
  Image6->OnClick = [this](TObject* s) { Image6Click(s); };
  Image6->OnDblClick = [this](TObject* s) { Image6DblClick(s); };
  Image6->SetParent(this);

  Label8 = new TLabel(this);
  Label8->Name = "Label8";
  SetupCloseMark(Label8);
  Label8->OnClick = [this](TObject* s) { Label8Click(s); };
  Label8->SetParent(this);

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->Name = "PopupMenu1";
  Exit1 = new TMenuItem(this);
  Exit1->Name = "Exit1";
  Exit1->Caption = "Close";
  Exit1->OnClick = [this](TObject* s) { Exit1Click(s); };
  PopupMenu1->Items->Add(Exit1);

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TForm3::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.Style &= ~WS_CAPTION;
}

void TForm3::Dispatch(TMessage& message) {
  if (message.Msg == WM_NCHITTEST) {
    message.Result = InCaptionBand(*this, Sys().GetCursorPos()) ? HTCAPTION : HTCLIENT;
  } else {
    TForm::Dispatch(message);
  }
}

void TForm3::FormShow(TObject*) {
  LoadHandCursor({Label8, Image6});
  DpiMode = SDIAppForm->GetDpiMode();
  ClientHeight = 409;
  ClientWidth = 340;
  Height = 409;
  Width = 340;
  Shape261->SetBounds(16, 41, 286, 1);
  Image1->SetPicture(SDIAppForm->BackgroundPicture());
  Image1->SetBounds(0, 0, 340, 409);
  Image6->SetBounds(16, 20, 16, 16);
  PlaceTitleRow(Label1, Label8, DpiMode);
}

void TForm3::Label8Click(TObject*) { Close(); }

void TForm3::Image6Click(TObject*) { PopupIconMenu(*this, PopupMenu1, Image6); }

void TForm3::Image6DblClick(TObject*) { Close(); }

void TForm3::Exit1Click(TObject*) { Close(); }

#include "help/Help.h"

#include "editor/SDIMain.h"
#include "shell/Chrome.h"

TForm3* Form3 = nullptr;

namespace {

const ChromeTable HelpChrome{"Tintmesh Help",
                             "PopupMenu1",
                             "Close",
                             "",
                             16,
                             40,
                             34,
                             303,
                             {17, 36},
                             {Bounds(36, 18, 261, 19), Bounds(36, 18, 251, 22)},
                             {Bounds(307, 12, 13, 29), Bounds(305, 12, 13, 29)}};

}  // namespace

TForm3::TForm3(TComponent* owner) : TBorderlessForm(owner, HelpChrome) {
  Name = "Form3";
  Caption = "Tintmesh Help";

  const ChromeControls chrome = CreateChrome();
  Image1 = chrome.Background;
  Image1->AutoSize = true;
  Shape261 = chrome.Separator;
  Label1 = chrome.Title;
  Image6 = chrome.Icon;
  Image6->OnClick = [this](TObject* s) { Image6Click(s); };
  Image6->OnDblClick = [this](TObject* s) { Image6DblClick(s); };
  Label8 = chrome.CloseMark;
  Label8->OnClick = [this](TObject* s) { Label8Click(s); };
  PopupMenu1 = chrome.IconMenu;
  Exit1 = chrome.CloseItem;
  Exit1->OnClick = [this](TObject* s) { Exit1Click(s); };

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TForm3::FormShow(TObject*) {
  LoadHandCursor({Label8, Image6});
  DpiMode = SDIAppForm->GetDpiMode();
  SizeWindow();
  PlaceChrome(&SDIAppForm->BackgroundPicture());
  PlaceTitleRow(DpiMode);
}

void TForm3::Label8Click(TObject*) { Close(); }

void TForm3::Image6Click(TObject*) { PopupIconMenu(); }

void TForm3::Image6DblClick(TObject*) { Close(); }

void TForm3::Exit1Click(TObject*) { Close(); }

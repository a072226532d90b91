#include "palettefiles/OpenPal.h"

#include "editor/SDIMain.h"
#include "shell/Chrome.h"
#include "toolkit/HitTestPass.h"

TForm1* Form1 = nullptr;

namespace {

void OnPress(TLabel* label) {
  label->OnMouseDown = [](TObject* s, TMouseButton, TShiftState, int, int) { LinkPressed(s); };
  label->OnMouseUp = [](TObject* s, TMouseButton, TShiftState, int, int) { LinkReleased(s); };
}

const ChromeTable ImportChrome{"Import Palette",
                               "PopupMenu500",
                               "Close",
                               "",
                               16,
                               40,
                               34,
                               303,
                               {17, 36},
                               {Bounds(36, 18, 261, 19), Bounds(36, 18, 251, 22)},
                               {Bounds(307, 12, 13, 29), Bounds(305, 12, 13, 29)}};

TMenuItem* AddItem(TComponent* owner, TPopupMenu* menu, const std::string& name, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->Name = name;
  item->Caption = caption;
  menu->Items->Add(item);
  return item;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TBorderlessForm(owner, ImportChrome) {
  Name = "Form1";
  Caption = "Import Palette";

  const ChromeControls chrome = CreateChrome();
  Image1 = chrome.Background;
  Shape261 = chrome.Separator;
  Label1 = chrome.Title;
  Image6 = chrome.Icon;
  Image6->OnClick = [this](TObject* s) { Image6Click(s); };
  Image6->OnDblClick = [this](TObject* s) { Image6DblClick(s); };
  Label8 = chrome.CloseMark;
  Label8->OnClick = [this](TObject* s) { Label8Click(s); };
  OnPress(Label8);
  PopupMenu500 = chrome.IconMenu;
  Exit1 = chrome.CloseItem;
  Exit1->OnClick = [this](TObject* s) { Exit1Click(s); };

  Label2 = new TLabel(this);
  Label2->Name = "Label2";
  Label2->Caption = "Select the palette squares you want to merge with your main palette then click OK.";
  Label2->Font->Name = "Arial";
  Label2->Font->Height = 12;
  Label2->Font->Color = clWhite;
  Label2->Transparent = true;
  Label2->WordWrap = true;
  Label2->SetBounds(36, 52, 264, 47);
  Label2->SetParent(this);

  Label5 = new TLabel(this);
  Label5->Name = "Label5";
  SetupLinkLabel(Label5, "OK", 12);
  Label5->SetBounds(110, 371, 31, 15);
  Label5->OnClick = [this](TObject* s) { Label5Click(s); };
  OnPress(Label5);
  Label5->SetParent(this);

  Label3 = new TLabel(this);
  Label3->Name = "Label3";
  SetupLinkLabel(Label3, "Cancel", 12);
  Label3->SetBounds(190, 371, 51, 15);
  Label3->OnClick = [this](TObject* s) { Label3Click(s); };
  OnPress(Label3);
  Label3->SetParent(this);

  Memo1 = new TMemo(this);
  Memo1->Name = "Memo1";
  Memo1->Visible = false;

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->Enabled = false;
  Timer1->Interval = 200;
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };

  PopupMenu400 = new TPopupMenu(this);
  PopupMenu400->Name = "PopupMenu400";
  SelectAll1 = AddItem(this, PopupMenu400, "SelectAll1", "Select All");
  SelectAll1->OnClick = [this](TObject* s) { SelectAll1Click(s); };
  ClearAllSelections1 = AddItem(this, PopupMenu400, "ClearAllSelections1", "Clear All Selections");
  ClearAllSelections1->OnClick = [this](TObject* s) { ClearAllSelections1Click(s); };

  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
}

FileResult TForm1::ReadImportedPalette() {
  return ReadPaletteFile(SDIAppForm->OpenDialog1->FileName, ImportedEntries);
}

void TForm1::FormShow(TObject*) {
  MergeIndex = 0;
  LoadHandCursor({Label5, Label3, Label8, Image6});
  DpiMode = SDIAppForm->GetDpiMode();
  SizeWindow();
  PlaceChrome(&SDIAppForm->BackgroundPicture());
  Label3->SetBounds(190, 371, 51, 15);
  Label5->SetBounds(110, 371, 31, 15);
  PlaceTitleRow(DpiMode);
  if (DpiMode == 2) {
    Label2->SetBounds(25, 52, 285, 47);
  } else {
    Label2->SetBounds(36, 52, 264, 47);
  }
  // The colours were read from the chosen file just before the show (ReadImportedPalette).
  for (int i = 0; i < 256; ++i) {
    auto* square = new TPaletteShape(this);
    Squares[i] = square;
    square->SetParent(this);
    square->Left = 43 + 16 * (i % 16);
    square->Top = 102 + 16 * (i / 16);
    square->PalPosition = i;
    square->Pen->Color = PenUnselected;
    square->Brush->Color = EntryToColor(ImportedEntries[i]);
  }
  Sys().SendWindowMessage(Handle(), WM_LBUTTONUP, 0, 0);
  Timer1->Enabled = true;
}

void TForm1::FormClose(TObject*, TCloseAction&) {
  for (TPaletteShape*& square : Squares) {
    DeleteAfterDispatch(square);
    square = nullptr;
  }
  Timer1->Enabled = false;
}

void TForm1::Timer1Timer(TObject*) { Timer1->Enabled = false; }

void TForm1::Label5Click(TObject*) {
  MergeSelectedSquares();
  MergeIndex = 0;
  Close();
}

void TForm1::Label3Click(TObject*) { Close(); }

void TForm1::SelectAll1Click(TObject*) {
  for (TPaletteShape* square : Squares) {
    if (square) square->Pen->Color = PenSelected;
  }
}

void TForm1::ClearAllSelections1Click(TObject*) {
  for (TPaletteShape* square : Squares) {
    if (square) square->Pen->Color = PenUnselected;
  }
}

void TForm1::Label8Click(TObject*) { Close(); }

void TForm1::Image6Click(TObject*) { PopupIconMenu(); }

void TForm1::Image6DblClick(TObject*) { Close(); }

void TForm1::Exit1Click(TObject*) { Close(); }

void TForm1::MergeSelectedSquares() {
  const TPaletteState before = SDIAppForm->CurrentPalette();
  for (TPaletteShape* square : SDIAppForm->GetSquares()) {
    if (square->Pen->Color == PenSelected) {
      square->Brush->Color = NextImportedColor();
      square->Pen->Color = PenUnselected;
    }
  }
  SDIAppForm->PaletteChanged(before);
}

TColor TForm1::NextImportedColor() {
  for (int k = MergeIndex; k < 256; ++k) {
    if (Squares[k] && Squares[k]->Pen->Color == PenSelected) {
      MergeIndex = k + 1;
      return Squares[k]->Brush->Color;
    }
  }
  return clBlack;
}

void TForm1::WMNCHitTest(TMessage& message) {
  const TPoint p = Sys().GetCursorPos();
  if (InCaptionBand(*this, p)) {
    message.Result = HTCAPTION;
    return;
  }
  message.Result = HTCLIENT;
  // Before the grid is built and after it is gone: only the answer.
  if (!Squares[0]) return;
  THitTestPass pass(inHitTest_);
  if (!pass.Entered()) return;
  const int left = Left;
  const int top = Top;
  for (int i = 0; i < 256; ++i) {
    TPaletteShape* s = Squares[i];
    if (!s) break;
    if (!SquareHit(*s, left, top, p)) continue;

    if (Sys().GetKeyState(VK_LBUTTON) < 0 && !Timer1->Enabled) {
      Sys().SendWindowMessage(Handle(), WM_LBUTTONUP, 0, 0);
      Timer1->Enabled = true;
      ClickSquare(Squares, AnchorIndex, s, Sys().GetKeyState(VK_SHIFT) < 0);
    }

    if (Sys().GetKeyState(VK_RBUTTON) < 0 && !Timer1->Enabled) {
      Sys().SendWindowMessage(Handle(), WM_RBUTTONUP, 0, 0);
      Timer1->Enabled = true;
      const TPoint q = Sys().GetCursorPos();
      pass.Popup(PopupMenu400, q.x + 1, q.y + 1);
    }
  }
  pass.RunChosen();
}

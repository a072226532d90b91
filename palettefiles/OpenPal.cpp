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

TMenuItem* AddItem(TComponent* owner, TPopupMenu* menu, const std::string& name, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->Name = name;
  item->Caption = caption;
  menu->Items->Add(item);
  return item;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  Name = "Form1";
  Caption = "Import Palette";
  BorderStyle = bsNone;
  Position = poScreenCenter;
  Font->Name = "Arial";
  Font->Height = 11;
  ClientWidth = 340;
  ClientHeight = 409;

  Image1 = new TImage(this);
  Image1->Name = "Image1";
  SetupBackground(Image1);
  Image1->SetParent(this);

  Shape261 = new TShape(this);
  Shape261->Name = "Shape261";
  SetupSeparator(Shape261);
  Shape261->SetParent(this);

  Label1 = new TLabel(this);
  Label1->Name = "Label1";
  SetupTitle(Label1, "Import Palette");
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
  OnPress(Label8);
  Label8->SetParent(this);

  PopupMenu500 = new TPopupMenu(this);
  PopupMenu500->Name = "PopupMenu500";
  Exit1 = AddItem(this, PopupMenu500, "Exit1", "Close");
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

void TForm1::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.Style &= ~WS_CAPTION;
}

void TForm1::Dispatch(TMessage& message) {
  if (message.Msg == WM_NCHITTEST) {
    WMNCHitTest(message);
  } else {
    TForm::Dispatch(message);
  }
}

FileResult TForm1::ReadImportedPalette() {
  return ReadPaletteFile(SDIAppForm->OpenDialog1->FileName, ImportedEntries);
}

void TForm1::FormShow(TObject*) {
  MergeIndex = 0;
  LoadHandCursor({Label5, Label3, Label8, Image6});
  DpiMode = SDIAppForm->GetDpiMode();
  ClientHeight = 409;
  ClientWidth = 340;
  Height = 409;
  Width = 340;
  Shape261->SetBounds(16, 41, 286, 1);
  Image1->SetPicture(SDIAppForm->BackgroundPicture());
  Image1->SetBounds(0, 0, 340, 409);
  Image6->SetBounds(16, 20, 16, 16);
  Label3->SetBounds(190, 371, 51, 15);
  Label5->SetBounds(110, 371, 31, 15);
  PlaceTitleRow(Label1, Label8, DpiMode);
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

void TForm1::Image6Click(TObject*) { PopupIconMenu(*this, PopupMenu500, Image6); }

void TForm1::Image6DblClick(TObject*) { Close(); }

void TForm1::Exit1Click(TObject*) { Close(); }

void TForm1::MergeSelectedSquares() {
  for (TPaletteShape* square : SDIAppForm->GetSquares()) {
    if (square->Pen->Color == PenSelected) {
      square->Brush->Color = NextImportedColor();
      square->Pen->Color = PenUnselected;
    }
  }
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

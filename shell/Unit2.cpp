#include "shell/Unit2.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* owner) : TForm(owner) {
  Name = "Form2";
  Caption = "Tintmesh";
  BorderStyle = bsSingle;
  Position = poDesigned;
  Font->Name = "Arial";
  Font->Height = 11;
  Left = 626;
  Top = 608;
  ClientWidth = 252;
  ClientHeight = 103;

  Label1 = new TLabel(this);
  Label1->Name = "Label1";
  Label1->Caption = "Error Message";
  Label1->Alignment = taCenter;
  Label1->AutoSize = false;
  Label1->WordWrap = true;
  Label1->Transparent = true;
  Label1->Font->Name = "Arial";
  Label1->Font->Height = 12;
  Label1->Font->Color = clWindowText;
  Label1->SetBounds(85, 16, 81, 15);
  Label1->SetParent(this);

  Button1 = new TButton(this);
  Button1->Name = "Button1";
  Button1->Caption = "OK";
  Button1->ModalResult = mrOk;
  Button1->Default = true;
  Button1->Font->Name = "Arial";
  Button1->Font->Height = 11;
  Button1->SetBounds(88, 61, 75, 25);
  Button1->SetParent(this);
}

void ShowMessageBox(const std::string& text, int boxWidth, int labelWidth, int labelHeight, int labelTop,
                    TForm* centreOver) {
  Form2->Width = boxWidth;
  Form2->Height = 125;
  if (centreOver) {
    Form2->Left = centreOver->Left + (centreOver->Width - boxWidth) / 2;
    Form2->Top = centreOver->Top + (centreOver->Height - 125) / 2;
  }
  Form2->Label1->Height = labelHeight;
  Form2->Label1->Width = labelWidth;
  Form2->Label1->Top = labelTop;
  Form2->Label1->Caption = text;
  Form2->Label1->Left = (boxWidth - labelWidth) / 2;
  Form2->Button1->Left = (boxWidth - Form2->Button1->Width) / 2;
  Form2->Button1->Top = 125 - 2 * Form2->Button1->Height - 15;
  Form2->ShowModal();
}

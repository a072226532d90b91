// The program's own message box, and the one way of showing a notice.
#pragma once

#include <string>

#include "toolkit/Forms.h"

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* owner);
  TLabel* Label1;
  TButton* Button1;
};

extern TForm2* Form2;

// Sizes the message box for the text, centres it over a window (or leaves it where it is)
// and shows it modally; returns when the user has dismissed it.
void ShowMessageBox(const std::string& text, int boxWidth, int labelWidth, int labelHeight, int labelTop,
                    TForm* centreOver);

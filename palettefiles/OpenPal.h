// The Import Palette window: shows the 256 colours of a palette file as a grid, lets the
// user select some of them and merges them into the selected squares of the main window.
#pragma once

#include <array>
#include <string>

#include "editor/PalShape.h"
#include "palettefiles/PaletteFile.h"
#include "shell/Chrome.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

class TForm1 : public TBorderlessForm {
 public:
  explicit TForm1(TComponent* owner);

  TImage* Image1;
  TShape* Shape261;
  TLabel* Label1;
  TImage* Image6;
  TLabel* Label8;
  TPopupMenu* PopupMenu500;
  TMenuItem* Exit1;
  TLabel* Label2;
  TLabel* Label5;
  TLabel* Label3;
  TMemo* Memo1;
  TTimer* Timer1;
  TPopupMenu* PopupMenu400;
  TMenuItem* SelectAll1;
  TMenuItem* ClearAllSelections1;

  // Reads the file the main window's import dialog names, before the window is shown;
  // anything but Ok leaves the colours of the last show as they were.
  FileResult ReadImportedPalette();

  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void Timer1Timer(TObject* sender);
  void Label5Click(TObject* sender);
  void Label3Click(TObject* sender);
  void SelectAll1Click(TObject* sender);
  void ClearAllSelections1Click(TObject* sender);
  void Label8Click(TObject* sender);
  void Image6Click(TObject* sender);
  void Image6DblClick(TObject* sender);
  void Exit1Click(TObject* sender);

  void MergeSelectedSquares();
  TColor NextImportedColor();

  const TSquares& GetSquares() const { return Squares; }
  int GetAnchorIndex() const { return AnchorIndex; }
  int GetMergeIndex() const { return MergeIndex; }

 private:
  void WMNCHitTest(TMessage& message) override;

  int DpiMode = 0;
  int AnchorIndex = 0;
  int MergeIndex = 0;
  TSquares Squares{};
  PaletteEntry ImportedEntries[256] = {};
  bool inHitTest_ = false;
};

extern TForm1* Form1;

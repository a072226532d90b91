// The main window: the working palette as a grid of 256 squares, its chrome, the pointer
// handling over the squares and the context menu with the editing commands.
#pragma once

#include <array>
#include <string>

#include "editor/PalShape.h"
#include "editor/PaletteHistory.h"
#include "shell/Chrome.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

class TSDIAppForm : public TBorderlessForm {
 public:
  explicit TSDIAppForm(TComponent* owner);

  TImage* Image1;
  TShape* Shape256;
  TShape* Shape257;
  TShape* Shape258;
  TShape* Shape259;
  TShape* Shape260;
  TShape* Shape261;
  TLabel* Label1;
  TImage* Image6;
  TLabel* Label8;
  TLabel* Label2;
  TLabel* Label3;
  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TColorDialog* ColorDialog1;
  TTimer* Timer1;
  TPopupMenu* PopupMenu500;
  TMenuItem* OpenPalette1;
  TMenuItem* SavePalette1;
  TMenuItem* N1;
  TMenuItem* SelectAll1;
  TMenuItem* ClearAllSelections1;
  TMenuItem* N3;
  TMenuItem* Edit1;
  TMenuItem* Cut1;
  TMenuItem* Copy1;
  TMenuItem* Paste1;
  TMenuItem* Sort1;
  TMenuItem* ChooseColor1;
  TMenuItem* CheckforDuplicates1;
  TPopupMenu* PopupMenu501;
  TMenuItem* Exit1;

  int GetDpiMode() const { return DpiMode; }

  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void Timer1Timer(TObject* sender);
  void Label3Click(TObject* sender);
  void Label8Click(TObject* sender);
  void Label8MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Label8MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Label3MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Label3MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Image6Click(TObject* sender);
  void Image6DblClick(TObject* sender);
  void Exit1Click(TObject* sender);
  void OpenPalette1Click(TObject* sender);
  void SavePalette1Click(TObject* sender);
  void SelectAll1Click(TObject* sender);
  void ClearAllSelections1Click(TObject* sender);
  void Cut1Click(TObject* sender);
  void Copy1Click(TObject* sender);
  void Paste1Click(TObject* sender);
  void Sort1Click(TObject* sender);
  void ChooseColor1Click(TObject* sender);
  void CheckforDuplicates1Click(TObject* sender);
  // Ctrl+Z undoes the last change to the palette's colours; Ctrl+Y and Ctrl+Shift+Z redo it.
  void FormKeyDown(TObject* sender, unsigned short& key, TShiftState shift);
  void UndoPaletteChange();
  void RedoPaletteChange();

  // The colours and states of the squares now; and the hook by which a command that may have
  // changed colours (here or in the Import Palette window) hands over the state it started from.
  TPaletteState CurrentPalette() const;
  void PaletteChanged(const TPaletteState& before);

  // Read access to the window's state, for the other windows and the tests.
  const TSquares& GetSquares() const { return Squares; }
  int GetAnchorIndex() const { return AnchorIndex; }
  int GetMenuIndex() const { return MenuIndex; }
  TColor GetLastHoverColor() const { return LastHoverColor; }
  const std::array<TColor, 256>& GetClipColors() const { return ClipColors; }
  const std::string& GetPlatform() const { return Platform; }
  const std::string& GetLastOpenedDir() const { return LastOpenedDir; }
  const std::string& GetLastSavedDir() const { return LastSavedDir; }
  bool DuplicateModeOn() const;
  const TPaletteHistory& GetHistory() const { return History; }
  // The background picture the other borderless windows copy.
  const TPicture& BackgroundPicture() const { return Image1->Picture(); }

 private:
  void WMNCHitTest(TMessage& message) override;
  void ApplyMenuRule(TPaletteShape* square);
  void HoverMarking(TPaletteShape* square);
  // Visits the positions of one area of the palette in order: the main area is 0 to 159
  // followed by 224 to 255; the team-colour rows are 160 to 191 and 192 to 223.
  void CloseCutGaps(const int* positions, int count);
  void SortArea(const int* positions, int count);
  // Duplicate display mode's marks, worked out afresh from the colours.
  void MarkDuplicates();
  void RestorePalette(const TPaletteState& state);

  void DetectPlatform();
  void ProbeFontDpi();
  void ApplyDpiLayout();
  void ProbeColorDepth();
  void LoadSettings();
  void SaveSettings();
  void BuildSquareGrid();
  void DestroySquareGrid();

  int DpiMode = 0;
  std::string Platform;
  std::string LastOpenedDir;
  std::string LastSavedDir;
  int AnchorIndex = 0;
  int MenuIndex = 0;
  TColor LastHoverColor = 0;
  TSquares Squares{};
  std::array<TColor, 256> ClipColors{};
  TPaletteHistory History;

  // Values the display probe reads during the show.
  std::string dpiText_;
  std::int32_t dpiNumber_ = 0;
  bool inHitTest_ = false;
};

extern TSDIAppForm* SDIAppForm;

// The text of a path before its last backslash; empty when it has none.
std::string FolderOf(const std::string& path);

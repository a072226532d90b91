// The main window's two file commands: import colours from a palette file, save the palette.
#include "editor/SDIMain.h"
#include "help/About.h"
#include "palettefiles/OpenPal.h"
#include "palettefiles/PaletteFile.h"
#include "shell/Unit2.h"

namespace {

ReplaceOutcome ReplaceThroughSystem(const std::string& from, const std::string& to) {
  switch (Sys().ReplaceFileWith(from, to)) {
    case ReplaceStatus::Replaced: return ReplaceOutcome::Replaced;
    case ReplaceStatus::Unsupported: return ReplaceOutcome::Unsupported;
    case ReplaceStatus::Failed: break;
  }
  return ReplaceOutcome::Failed;
}

// A file notice, sized as the unsupported-palette message and centred over the main window.
void ShowFileNotice(const std::string& text, int labelWidth, int labelWidthLarge) {
  if (SDIAppForm->GetDpiMode() == 2) {
    ShowMessageBox(text, 264, labelWidthLarge, 15, 17, SDIAppForm);
  } else {
    ShowMessageBox(text, 235, labelWidth, 15, 17, SDIAppForm);
  }
}

}  // namespace

void TSDIAppForm::OpenPalette1Click(TObject*) {
  if (!OpenDialog1->FileName.empty()) LastOpenedDir = FolderOf(OpenDialog1->FileName);
  OpenDialog1->InitialDir = LastOpenedDir;
  OpenDialog1->FileName.clear();
  if (!OpenDialog1->Execute()) return;
  switch (CheckPaletteFormat(OpenDialog1->FileName)) {
    case PaletteFormat::Riff:
    case PaletteFormat::Jasc:
      if (Form1->ReadImportedPalette() == FileResult::Ok) {
        Form1->ShowModal();
      } else {
        ShowFileNotice("Could not open palette file.", 175, 180);
      }
      break;
    case PaletteFormat::Unsupported:
      ShowFileNotice("Unsupported Palette.", 135, 140);
      break;
    case PaletteFormat::CannotOpen:
      ShowFileNotice("Could not open palette file.", 175, 180);
      break;
  }
}

void TSDIAppForm::SavePalette1Click(TObject*) {
  if (!SaveDialog1->FileName.empty()) LastSavedDir = FolderOf(SaveDialog1->FileName);
  SaveDialog1->InitialDir = LastSavedDir;
  SaveDialog1->FileName.clear();
  if (!SaveDialog1->Execute()) return;
  Timer1->Enabled = false;
  PaletteColor colors[256];
  for (int i = 0; i < 256; ++i) colors[i] = Squares[i]->Brush->Color;
  // The file is complete before it replaces the old one, so a failed save loses nothing:
  // the palette keeps its selection and the old file stays as it was.
  if (WritePaletteFile(SaveDialog1->FileName, colors, ReplaceThroughSystem) != FileResult::Ok) {
    ShowFileNotice("Could not save palette file.", 175, 180);
    return;
  }
  for (TPaletteShape* square : Squares) square->Pen->Color = PenUnselected;
  AboutBox->Left = Left + (Width - AboutBox->Width) / 2;
  AboutBox->Top = Top + (Height - AboutBox->Height) / 2;
  AboutBox->ShowModal();
}

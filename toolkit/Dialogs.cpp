#include "toolkit/Dialogs.h"

#include "toolkit/Forms.h"

namespace {

WindowId OwnerWindow(TComponent* owner) {
  if (auto* form = dynamic_cast<TForm*>(owner)) return form->Handle();
  return 0;
}

}  // namespace

bool TOpenDialog::Execute() { return Run(false); }

bool TSaveDialog::Execute() { return Run(true); }

bool TOpenDialog::Run(bool save) {
  FileDialogRequest request;
  request.Save = save;
  request.Title = Title;
  request.Filter = Filter;
  request.DefaultExt = DefaultExt;
  request.InitialDir = InitialDir;
  request.FileName = FileName;
  request.OverwritePrompt = (Options & ofOverwritePrompt) != 0;
  request.HideReadOnly = (Options & ofHideReadOnly) != 0;
  request.PathMustExist = (Options & ofPathMustExist) != 0;
  request.FileMustExist = (Options & ofFileMustExist) != 0;
  std::string chosen;
  if (!Sys().RunFileDialog(request, OwnerWindow(Owner()), chosen)) return false;
  FileName = chosen;
  return true;
}

bool TColorDialog::Execute() {
  TColor chosen = Color;
  if (!Sys().RunColorDialog(OwnerWindow(Owner()), chosen, customColors_)) return false;
  Color = chosen & 0xFFFFFF;
  return true;
}

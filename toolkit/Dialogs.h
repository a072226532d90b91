// The system's file and colour dialogs.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/Controls.h"

enum TOpenOption : unsigned {
  ofOverwritePrompt = 1u << 0,
  ofHideReadOnly = 1u << 1,
  ofPathMustExist = 1u << 2,
  ofFileMustExist = 1u << 3,
};
using TOpenOptions = unsigned;

enum TFileEditStyle { fsEdit, fsComboBox };

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  std::string Title;
  std::string Filter;
  std::string DefaultExt;
  std::string InitialDir;
  std::string FileName;
  TOpenOptions Options = ofHideReadOnly;
  TFileEditStyle FileEditStyle = fsEdit;
  // Shows the dialog modally; true when the user confirmed a file, now in FileName.
  virtual bool Execute();

 protected:
  bool Run(bool save);
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
  bool Execute() override;
};

class TColorDialog : public TComponent {
 public:
  explicit TColorDialog(TComponent* owner) : TComponent(owner) {}
  TColor Color = clBlack;
  bool Ctl3D = true;
  unsigned Options = 0;
  // Shows the dialog on Color; true when the user confirmed, with the choice in Color.
  bool Execute();

 private:
  std::uint32_t customColors_[16] = {};
};

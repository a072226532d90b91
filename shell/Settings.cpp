// The two folders the program remembers between runs, and the maker's value it records at
// each show, in the registry under the maker's key.
#include "shell/Settings.h"

#include "editor/SDIMain.h"
#include "shell/Maker.h"
#include "toolkit/Registry.h"

void TSDIAppForm::LoadSettings() {
  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  registry.OpenKey(MakerKey, true);
  try {
    registry.WriteString(MakerSlogan, MakerWebAddress);
  } catch (const ERegistryException&) {
  }
  registry.OpenKey("Palette", true);
  try {
    LastOpenedDir = registry.ReadString("LastOpened");
    LastSavedDir = registry.ReadString("LastSaved");
  } catch (const ERegistryException&) {
  }
}

void TSDIAppForm::SaveSettings() {
  auto store = [](const std::string& name, const std::string& folder) {
    TRegistry registry;
    registry.RootKey = HKEY_LOCAL_MACHINE;
    registry.OpenKey(PaletteKey, true);
    try {
      registry.WriteString(name, folder);
    } catch (const ERegistryException&) {
    }
  };
  if (!OpenDialog1->FileName.empty()) {
    LastOpenedDir = FolderOf(OpenDialog1->FileName);
    store("LastOpened", LastOpenedDir);
  }
  if (!SaveDialog1->FileName.empty()) {
    LastSavedDir = FolderOf(SaveDialog1->FileName);
    store("LastSaved", LastSavedDir);
  }
}

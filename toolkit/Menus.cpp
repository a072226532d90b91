#include "toolkit/Menus.h"

#include "toolkit/Forms.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), Caption(""), Enabled(true) {}

void TMenuItem::Click() {
  if (Enabled && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), Items(&root_), root_(nullptr) {}

namespace {

void BuildEntries(const TMenuItem& parent, std::vector<MenuEntry>& entries, std::vector<TMenuItem*>& byId) {
  for (TMenuItem* item : parent.Items()) {
    MenuEntry entry;
    entry.Caption = item->Caption;
    entry.Enabled = item->Enabled;
    entry.Separator = item->Caption == "-";
    if (item->Count() > 0) {
      BuildEntries(*item, entry.Children, byId);
    } else if (!entry.Separator) {
      byId.push_back(item);
      entry.Id = static_cast<int>(byId.size());
    }
    entries.push_back(std::move(entry));
  }
}

}  // namespace

void TPopupMenu::Popup(int x, int y) {
  if (TMenuItem* chosen = Track(x, y)) chosen->Click();
}

TMenuItem* TPopupMenu::Track(int x, int y) {
  std::vector<MenuEntry> entries;
  std::vector<TMenuItem*> byId;
  BuildEntries(root_, entries, byId);
  WindowId ownerWindow = 0;
  if (auto* form = dynamic_cast<TForm*>(Owner())) ownerWindow = form->Handle();
  const int chosen = Sys().TrackPopupMenu(entries, x, y, ownerWindow);
  if (chosen > 0 && chosen <= static_cast<int>(byId.size())) return byId[chosen - 1];
  return nullptr;
}

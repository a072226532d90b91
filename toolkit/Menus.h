// Popup menus and their items.
#pragma once

#include <string>
#include <vector>

#include "toolkit/Controls.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  Property<std::string> Caption;  // "-" makes a separator
  Property<bool> Enabled;
  TNotifyEvent OnClick;
  void Add(TMenuItem* item) { items_.push_back(item); }
  const std::vector<TMenuItem*>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  void Click();

 private:
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  TMenuItem* Items;
  // Opens the menu with its top-left corner at a screen point and runs the chosen item.
  void Popup(int x, int y);
  // Opens it the same way and returns the chosen item without running it; none when dismissed.
  // The caller runs it later, as a command arriving through the message queue would be.
  TMenuItem* Track(int x, int y);

 private:
  TMenuItem root_;
};

// One pass of a window's own hit-test answer over its grid of squares.
#pragma once

#include "toolkit/Menus.h"

// While a pass runs, hit tests that arrive from the nested loops it starts (a menu, or the
// dialogs and windows of the command chosen from it) only get their answer: the pass is not
// entered again. A menu opened during the pass is tracked at once, and the command chosen
// from it runs when the caller calls RunChosen after its loop over the squares, so nothing in
// that loop sees the squares change under it. The guard clears the flag however the pass
// ends, an exception included.
class THitTestPass {
 public:
  explicit THitTestPass(bool& busy) : busy_(busy), entered_(!busy) { busy_ = true; }
  ~THitTestPass() {
    if (entered_) busy_ = false;
  }
  THitTestPass(const THitTestPass&) = delete;
  THitTestPass& operator=(const THitTestPass&) = delete;

  // False when another pass of the same window is already on the stack.
  bool Entered() const { return entered_; }
  // Opens the menu at a screen point and keeps the chosen item for RunChosen.
  void Popup(TPopupMenu* menu, int x, int y) {
    if (TMenuItem* chosen = menu->Track(x, y)) chosen_ = chosen;
  }
  bool HasChosen() const { return chosen_ != nullptr; }
  // Runs the chosen command, if any; the pass still counts as running while it does.
  void RunChosen() {
    TMenuItem* chosen = chosen_;
    chosen_ = nullptr;
    if (chosen) chosen->Click();
  }

 private:
  bool& busy_;
  bool entered_;
  TMenuItem* chosen_ = nullptr;
};

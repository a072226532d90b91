#include "editor/PaletteHistory.h"

#include "editor/PalShape.h"

std::uint8_t TPaletteState::PenCode(TColor pen) {
  if (pen == PenSelected) return 1;
  if (pen == PenDuplicate) return 2;
  return 0;
}

TColor TPaletteState::PenColor(std::uint8_t code) {
  if (code == 1) return PenSelected;
  if (code == 2) return PenDuplicate;
  return PenUnselected;
}

void TPaletteHistory::Record(const TPaletteState& before, const TPaletteState& after) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  steps_.push_back(Step{before, after});
  if (steps_.size() > limit_) steps_.pop_front();
  done_ = steps_.size();
}

const TPaletteState* TPaletteHistory::Undo() {
  if (done_ == 0) return nullptr;
  --done_;
  return &steps_[done_].Before;
}

const TPaletteState* TPaletteHistory::Redo() {
  if (done_ == steps_.size()) return nullptr;
  ++done_;
  return &steps_[done_ - 1].After;
}

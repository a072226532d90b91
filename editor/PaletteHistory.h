// The undo history of the working palette: what the 256 squares held just before and just
// after each command that changed a colour, for Ctrl+Z and Ctrl+Y.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "toolkit/Types.h"

// The colours and states of the 256 squares at one moment.
struct TPaletteState {
  std::array<TColor, 256> Colors{};
  // Each square's pen: a state code per square (black, magenta or red), a byte each.
  std::array<std::uint8_t, 256> Pens{};
  // The pens were duplicate marks, not a selection: taken while duplicate display mode was on.
  bool Marks = false;

  static std::uint8_t PenCode(TColor pen);
  static TColor PenColor(std::uint8_t code);
  bool operator==(const TPaletteState& other) const {
    return Colors == other.Colors && Pens == other.Pens && Marks == other.Marks;
  }
};

// About 1.25 KiB a state, so a step (two states) stays near 2.5 KiB and the whole history of
// the default 256 steps near 650 KiB.
static_assert(sizeof(TPaletteState) <= 1300, "a palette state is 256 colours and 256 pen codes");

class TPaletteHistory {
 public:
  // Steps kept; beyond it the oldest step goes.
  static constexpr std::size_t DefaultLimit = 256;

  explicit TPaletteHistory(std::size_t limit = DefaultLimit) : limit_(limit == 0 ? 1 : limit) {}

  // A command changed the palette from `before` to `after`: the step becomes the one to undo
  // next, and whatever could be redone is gone.
  void Record(const TPaletteState& before, const TPaletteState& after);
  // The state to bring back for an undo (the last step's `before`) or a redo (the next step's
  // `after`), or none when there is nothing to undo or redo.
  const TPaletteState* Undo();
  const TPaletteState* Redo();

  std::size_t UndoSteps() const { return done_; }
  std::size_t RedoSteps() const { return steps_.size() - done_; }
  std::size_t Limit() const { return limit_; }

 private:
  struct Step {
    TPaletteState Before;
    TPaletteState After;
  };
  std::size_t limit_;
  std::deque<Step> steps_;  // oldest first; the first done_ of them can be undone, the rest redone
  std::size_t done_ = 0;
};

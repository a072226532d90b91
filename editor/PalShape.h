// One square of a palette grid: its brush is the palette colour, its pen the square's state.
#pragma once

#include <array>

#include "toolkit/Controls.h"

constexpr TColor PenUnselected = clBlack;
constexpr TColor PenSelected = clFuchsia;
constexpr TColor PenDuplicate = clRed;

class TPaletteShape : public TShape {
 public:
  explicit TPaletteShape(TComponent* owner);
  // The square's palette index, and its index in its window's Squares; a plain field.
  int PalPosition = 0;
};

using TSquares = std::array<TPaletteShape*, 256>;

// Whether a screen point lies on a square of a window at (left, top): only the square's
// pixels at offsets 1 to 14 count, so its first column and row and the gaps hit nothing.
bool SquareHit(const TPaletteShape& square, int left, int top, const TPoint& p);

// A left click on a square: with Shift, first gives every square strictly between the anchor
// and this one the anchor's state (ranges run forward only); then toggles this square, which
// becomes the new anchor.
void ClickSquare(const TSquares& squares, int& anchorIndex, TPaletteShape* square, bool shift);

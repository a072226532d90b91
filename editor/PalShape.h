// One square of a palette grid: its brush is the palette colour, its pen the square's state.
#pragma once

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

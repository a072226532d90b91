#include "editor/PalShape.h"

bool SquareHit(const TPaletteShape& square, int left, int top, const TPoint& p) {
  const int x = left + square.Left;
  const int y = top + square.Top;
  return x < p.x && p.x < x + 15 && y < p.y && p.y < y + 15;
}

void ClickSquare(const TSquares& squares, int& anchorIndex, TPaletteShape* square, bool shift) {
  if (shift) {
    const TColor fill = squares[anchorIndex]->Pen->Color == PenSelected ? PenSelected : PenUnselected;
    for (int j = anchorIndex + 1; j < square->PalPosition; ++j) squares[j]->Pen->Color = fill;
  }
  square->Pen->Color = square->Pen->Color == PenUnselected ? PenSelected : PenUnselected;
  anchorIndex = square->PalPosition;
}

TPaletteShape::TPaletteShape(TComponent* owner) : TShape(owner) {
  PalPosition = 0;
  Width = 15;
  Height = 15;
}

#include "editor/PalShape.h"

TPaletteShape::TPaletteShape(TComponent* owner) : TShape(owner) {
  PalPosition = 0;
  Width = 15;
  Height = 15;
}

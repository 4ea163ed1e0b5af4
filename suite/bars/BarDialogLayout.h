// The editor dialogs lay out their controls in code at fixed places.
#pragma once

#include "framework/WinControl.h"

// A new control of Parent, shown at the given bounds.
template <class T>
T* PlacedControl(TWinControl* Parent, int Left, int Top, int Width, int Height) {
  T* C = Construct<T>(Parent);
  C->SetParent(Parent);
  C->SetBounds(Left, Top, Width, Height);
  return C;
}

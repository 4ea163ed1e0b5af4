#include "suite/bars/BarStaticItemControls.h"

void TdxBarProgressControl::InvalidateBar() { Repaint(); }

void TdxBarProgressControl::PositionChanged() { Repaint(); }

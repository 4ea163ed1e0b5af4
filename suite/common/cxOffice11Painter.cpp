#include "suite/common/cxOffice11Painter.h"

// PENDING-OFFICE11: scheme colours arrive with the colour scheme unit.
TColor Office11RadioFaceColor(TcxPaintButtonState) { return clBtnFace; }
TColor Office11RadioDisabledColor() { return clGrayText; }
TColor Office11RadioHotFrameColor() { return clHighlight; }

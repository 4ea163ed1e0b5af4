// The five bar painters, for the code that picks one by style.
#pragma once

#include "suite/bars/BarFlatPainter.h"
#include "suite/bars/BarOffice11Painter.h"
#include "suite/bars/BarStandardPainter.h"
#include "suite/bars/BarXPPainter.h"

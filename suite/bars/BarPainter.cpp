#include "suite/bars/BarPainter.h"

TdxBarPainterClass dxBarSkinPainterClass = TdxBarStandardPainter::StaticClass();

#include "suite/bars/BarDragInfo.h"

TdxBarDragInfo::~TdxBarDragInfo() = default;

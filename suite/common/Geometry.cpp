#include "suite/common/Geometry.h"

#include <algorithm>

bool RectIntersection(RECT& R, const RECT& R1, const RECT& R2) {
  // Clipped into a copy first: R may be R1 or R2 itself.
  RECT Clipped = R1;
  Clipped.left = std::max(Clipped.left, R2.left);
  Clipped.top = std::max(Clipped.top, R2.top);
  Clipped.right = std::min(Clipped.right, R2.right);
  Clipped.bottom = std::min(Clipped.bottom, R2.bottom);
  if (RectIsEmptyOrInverted(Clipped)) {
    R = cxEmptyRect;
    return false;
  }
  R = Clipped;
  return true;
}

RECT RectUnionOf(const RECT& R1, const RECT& R2) {
  if (RectWidthOf(R2) <= 0 || RectHeightOf(R2) <= 0) return R1;
  return RECT{std::min(R1.left, R2.left), std::min(R1.top, R2.top), std::max(R1.right, R2.right),
              std::max(R1.bottom, R2.bottom)};
}

#include "tests/suite_bars_items/ItemFormSupport.h"

SONVELT_PUBLISHED(TImageAction, P) {
  P.String("Caption", &TImageAction::GetCaption, &TImageAction::SetCaption);
  P.Integer("ImageIndex", &TImageAction::GetImageIndex, &TImageAction::SetImageIndex).Default(-1);
}

#include "app/DialogPlacement.h"

void CentreOnOpener(TCustomForm* Dialog, TControl* Opener) {
  if (!Opener) return;
  Dialog->SetTop(Opener->GetTop() + (Opener->GetHeight() - Dialog->GetHeight()) / 2);
  Dialog->SetLeft(Opener->GetLeft() + (Opener->GetWidth() - Dialog->GetWidth()) / 2);
}

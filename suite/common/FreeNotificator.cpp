#include "suite/common/FreeNotificator.h"

void TcxFreeNotificator::WatchComponent(TComponent* Component) {
  if (Component) Component->FreeNotification(this);
}

void TcxFreeNotificator::UnwatchComponent(TComponent* Component) {
  if (Component) Component->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove) OnFreeNotification(this, AComponent);
}

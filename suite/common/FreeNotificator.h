// Relays the free notifications of the components it watches to one handler.
#pragma once

#include "framework/Component.h"

using TcxFreeNotificationEvent = TDelegate<void(TObject* Sender, TComponent* Component)>;

class TcxFreeNotificator : public TComponent {
  SONVELT_CLASS(TcxFreeNotificator, TComponent)
public:
  explicit TcxFreeNotificator(TComponent* AOwner) : TComponent(AOwner) {}
  // Null is ignored.
  void WatchComponent(TComponent* Component);
  void UnwatchComponent(TComponent* Component);

  TcxFreeNotificationEvent OnFreeNotification;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

// A multicast event: handlers of the form (Sender, EventArgs) in registration
// order, without duplicates. EventArgs points at whatever the event carries.
#pragma once

#include <vector>

#include "framework/Delegate.h"
#include "framework/Object.h"

using TcxEventHandler = TDelegate<void(TObject* Sender, const void* EventArgs)>;

class TcxEventHandlerCollection : public TObject {
  SONVELT_CLASS(TcxEventHandlerCollection, TObject)
public:
  TcxEventHandlerCollection() = default;
  void AddHandler(const TcxEventHandler& Handler);
  void RemoveHandler(const TcxEventHandler& Handler);
  // Calls the handlers registered when firing starts, in order; a handler removed
  // meanwhile (by itself or another) is skipped, one added meanwhile waits for the
  // next firing.
  void FireAll(TObject* Sender, const void* EventArgs);
  int GetCount() const { return static_cast<int>(FHandlers.size()); }

private:
  bool Contains(const TcxEventHandler& Handler) const;
  std::vector<TcxEventHandler> FHandlers;
};

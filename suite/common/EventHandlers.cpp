#include "suite/common/EventHandlers.h"

#include <algorithm>

bool TcxEventHandlerCollection::Contains(const TcxEventHandler& Handler) const {
  return std::find(FHandlers.begin(), FHandlers.end(), Handler) != FHandlers.end();
}

void TcxEventHandlerCollection::AddHandler(const TcxEventHandler& Handler) {
  if (Handler && !Contains(Handler)) FHandlers.push_back(Handler);
}

void TcxEventHandlerCollection::RemoveHandler(const TcxEventHandler& Handler) {
  auto It = std::find(FHandlers.begin(), FHandlers.end(), Handler);
  if (It != FHandlers.end()) FHandlers.erase(It);
}

void TcxEventHandlerCollection::FireAll(TObject* Sender, const void* EventArgs) {
  const std::vector<TcxEventHandler> Snapshot = FHandlers;
  for (const TcxEventHandler& Handler : Snapshot)
    if (Contains(Handler)) Handler(Sender, EventArgs);
}

#include "suite/common/ObjectLinks.h"

#include <algorithm>
#include <vector>

namespace {
// The live links whose target is still set.
class TcxObjectLinkController : public TObject {
  SONVELT_CLASS(TcxObjectLinkController, TObject)
public:
  std::vector<TcxObjectLink*> Links;
};

TcxObjectLinkController* Controller = nullptr;
int UseCount = 0;
}  // namespace

TcxObjectLink* CreateObjectLink(TObject* Object) {
  if (!Object) return nullptr;
  if (UseCount++ == 0) Controller = TcxObjectLinkController::Create();
  auto* Link = TcxObjectLink::Create();
  Link->Ref = Object;
  Controller->Links.push_back(Link);
  return Link;
}

void DropObjectLink(TcxObjectLink* Link) {
  if (!Link) return;
  if (Link->Ref && Controller) std::erase(Controller->Links, Link);
  Free(Link);
  if (--UseCount == 0) FreeAndNil(Controller);
}

void ClearLinksToObject(TObject* Object) {
  if (!Controller || !Object) return;
  std::erase_if(Controller->Links, [Object](TcxObjectLink* Link) {
    if (Link->Ref != Object) return false;
    Link->Ref = nullptr;
    return true;
  });
}

bool ObjectLinkControllerExists() { return Controller != nullptr; }

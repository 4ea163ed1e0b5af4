// Weak object links: a caller that may see an object freed under it (a control
// freed by its own event handler, a bar window closed by a command) takes a link
// first and touches the object afterwards only while the link's target is set.
//
//   TcxObjectLink* Link = CreateObjectLink(this);
//   OnMouseDown(this, ...);                 // may free this
//   bool Alive = Link->Ref != nullptr;
//   DropObjectLink(Link);
//   if (!Alive) return;
//
// Every object that can be a link's target calls ClearLinksToObject(this) from its
// destructor.
#pragma once

#include "framework/Object.h"

class TcxObjectLink : public TObject {
  SONVELT_CLASS(TcxObjectLink, TObject)
public:
  TcxObjectLink() = default;
  // The target; null once it was destroyed.
  TObject* Ref = nullptr;
};

// A new link to Object; null for null.
TcxObjectLink* CreateObjectLink(TObject* Object);
// Frees the link; null is ignored.
void DropObjectLink(TcxObjectLink* Link);
// Clears every link to Object; the links stay with their holders.
void ClearLinksToObject(TObject* Object);

// Holds a link for one scope: Alive() tells whether the target still exists.
class TcxObjectLinkGuard {
public:
  explicit TcxObjectLinkGuard(TObject* Object) : FLink(CreateObjectLink(Object)) {}
  ~TcxObjectLinkGuard() { DropObjectLink(FLink); }
  TcxObjectLinkGuard(const TcxObjectLinkGuard&) = delete;
  TcxObjectLinkGuard& operator=(const TcxObjectLinkGuard&) = delete;
  bool Alive() const { return FLink && FLink->Ref; }

private:
  TcxObjectLink* FLink;
};

// Whether the link controller exists (it lives while at least one link does).
bool ObjectLinkControllerExists();

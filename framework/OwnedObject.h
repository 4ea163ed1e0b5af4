// An owning pointer for framework objects that are not owned by a component:
// it frees through Free, so BeforeDestruction still reaches the most-derived
// class, which a plain delete would skip.
#pragma once

#include <memory>
#include <utility>

#include "framework/Object.h"

struct TFreeObject {
  void operator()(TObject* Obj) const { Free(Obj); }
};

template <class T>
using TOwned = std::unique_ptr<T, TFreeObject>;

// T::Create(Args...) in an owning pointer.
template <class T, class... A>
TOwned<T> MakeOwned(A&&... Args) {
  return TOwned<T>(T::Create(std::forward<A>(Args)...));
}

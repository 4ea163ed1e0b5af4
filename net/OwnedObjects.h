// Framework objects a protocol class owns outright: freed through Free, so
// their destruction hooks run, when the owner goes.
#pragma once
#include <memory>
#include <utility>

#include "framework/Object.h"

namespace sonvelt::net {

struct TFreeObject {
  void operator()(TObject* obj) const { Free(obj); }
};

template <class T>
using TOwned = std::unique_ptr<T, TFreeObject>;

template <class T, class... A>
TOwned<T> MakeOwned(A&&... args) {
  return TOwned<T>(T::Create(std::forward<A>(args)...));
}

}  // namespace sonvelt::net

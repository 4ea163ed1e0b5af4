// A rebindable, comparable event slot: an object with one of its member
// functions, or a free function. Stands in for the framework's delegate type
// until the engine's events move onto it.
#pragma once
#include <array>
#include <cstring>

template <class... A>
class TEngineEvent {
 public:
  TEngineEvent() = default;

  template <class C>
  TEngineEvent(C* object, void (C::*method)(A...)) : Object(object) {
    static_assert(sizeof(method) <= sizeof(Method), "member pointer too large");
    std::memcpy(Method.data(), &method, sizeof(method));
    Invoke = [](void* o, const Storage& m, A... a) {
      void (C::*p)(A...);
      std::memcpy(&p, m.data(), sizeof(p));
      (static_cast<C*>(o)->*p)(a...);
    };
  }

  explicit TEngineEvent(void (*function)(A...)) {
    std::memcpy(Method.data(), &function, sizeof(function));
    Invoke = [](void*, const Storage& m, A... a) {
      void (*f)(A...);
      std::memcpy(&f, m.data(), sizeof(f));
      f(a...);
    };
  }

  explicit operator bool() const { return Invoke != nullptr; }
  void operator()(A... a) const {
    if (Invoke) Invoke(Object, Method, a...);
  }
  bool operator==(const TEngineEvent& o) const {
    return Object == o.Object && Method == o.Method && Invoke == o.Invoke;
  }

 private:
  using Storage = std::array<unsigned char, 16>;
  void* Object = nullptr;
  Storage Method{};
  void (*Invoke)(void*, const Storage&, A...) = nullptr;
};

// Events: TDelegate<R(A...)> is a method pointer (object + member function) that can be
// rebound at run time, compared (same object and same method), tested and called.
//
//   TNotifyEvent OnClick;                          // unassigned
//   OnClick = Bind(this, &TMainForm::ButtonClick); // void ButtonClick(TObject* Sender)
//   if (OnClick) OnClick(this);                    // calling an unassigned event does nothing
//   OnClick == action->GetOnExecute();             // same object and method?
//   OnClick = nullptr;                             // unbind
//
// A plain function can be bound too (TDelegate<...>(&Func)); it compares by function.
// Var parameters of events are references (bool& Handled).
#pragma once

#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

class TObject;

template <class Sig>
class TDelegate;

template <class R, class... A>
class TDelegate<R(A...)> {
public:
  TDelegate() = default;
  TDelegate(std::nullptr_t) {}
  TDelegate(R (*func)(A...)) {
    if (!func) return;
    Store(func);
    FThunk = &CallFunction;
  }

  template <class C, class B>
  TDelegate(C* obj, R (B::*method)(A...)) {
    if (!obj || !method) return;
    B* target = obj;
    FObject = target;
    Store(method);
    FThunk = &CallMethod<B, R (B::*)(A...)>;
  }
  template <class C, class B>
  TDelegate(const C* obj, R (B::*method)(A...) const) {
    if (!obj || !method) return;
    const B* target = obj;
    FObject = const_cast<B*>(target);
    Store(method);
    FThunk = &CallMethod<const B, R (B::*)(A...) const>;
  }

  explicit operator bool() const { return FThunk != nullptr; }
  bool Assigned() const { return FThunk != nullptr; }
  // The bound object (null for plain functions and unassigned events).
  void* GetData() const { return FObject; }

  R operator()(A... args) const {
    if (!FThunk) {
      if constexpr (std::is_void_v<R>) return;
      else return R{};
    }
    return FThunk(FObject, FCode, std::forward<A>(args)...);
  }

  friend bool operator==(const TDelegate& a, const TDelegate& b) {
    return a.FThunk == b.FThunk && a.FObject == b.FObject && std::memcmp(a.FCode, b.FCode, sizeof a.FCode) == 0;
  }
  friend bool operator==(const TDelegate& a, std::nullptr_t) { return !a.FThunk; }
  // Both call the same method (or function), whatever object each is bound to.
  friend bool SameCode(const TDelegate& a, const TDelegate& b) {
    return a.FThunk == b.FThunk && std::memcmp(a.FCode, b.FCode, sizeof a.FCode) == 0;
  }

private:
  using TThunk = R (*)(void*, const unsigned char*, A...);
  static constexpr std::size_t CodeSize = 4 * sizeof(void*);

  template <class M>
  void Store(M m) {
    static_assert(sizeof(M) <= CodeSize, "method pointer too large");
    std::memcpy(FCode, &m, sizeof m);
  }
  static R CallFunction(void*, const unsigned char* code, A... args) {
    R (*f)(A...);
    std::memcpy(&f, code, sizeof f);
    return f(std::forward<A>(args)...);
  }
  template <class B, class M>
  static R CallMethod(void* obj, const unsigned char* code, A... args) {
    M m;
    std::memcpy(&m, code, sizeof m);
    return (static_cast<B*>(obj)->*m)(std::forward<A>(args)...);
  }

  void* FObject = nullptr;
  TThunk FThunk = nullptr;
  unsigned char FCode[CodeSize] = {};
};

template <class R, class... A>
bool Assigned(const TDelegate<R(A...)>& d) {
  return d.Assigned();
}

// Bind(this, &TForm1::ButtonClick) gives the delegate of the method's own signature.
template <class C, class B, class R, class... A>
TDelegate<R(A...)> Bind(C* obj, R (B::*method)(A...)) {
  return TDelegate<R(A...)>(obj, method);
}
template <class C, class B, class R, class... A>
TDelegate<R(A...)> Bind(const C* obj, R (B::*method)(A...) const) {
  return TDelegate<R(A...)>(obj, method);
}

using TNotifyEvent = TDelegate<void(TObject* Sender)>;
using TCloseQueryEvent = TDelegate<void(TObject* Sender, bool& CanClose)>;
using TGetStrProc = TDelegate<void(const std::string& S)>;

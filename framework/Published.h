// Published properties: what a class keeps in form data, declared once per class.
// A class's list is its parent's list, then its own properties in declaration
// order; declaring a name the parent has already published replaces that entry in
// place (a different default, a different stored rule).
//
//   class TMyButton : public TCustomControl {
//     SONVELT_CLASS(TMyButton, TCustomControl)
//   public:
//     static void Publish(TPublisher<TMyButton>& P);
//   };
//   // MyButton.cpp
//   SONVELT_PUBLISHED(TMyButton, P) {
//     P.Integer("Value", &TMyButton::GetValue, &TMyButton::SetValue).Default(0);
//     P.Integer("Color", &TMyButton::GetColor, &TMyButton::SetColor).Idents(ColorToIdent, IdentToColor);
//     P.Enum("Kind", &TMyButton::GetKind, &TMyButton::SetKind, KindNames).Default(bkOK);
//     P.Set("Options", &TMyButton::GetOptions, &TMyButton::SetOptions, OptionNames).Default(TOptions{boA});
//     P.Object("Font", &TMyButton::GetFont).Stored(&TMyButton::IsFontStored);
//     P.Component("Menu", &TMyButton::GetMenu, &TMyButton::SetMenu);
//     P.Event("OnChange", &TMyButton::OnChange);
//   }
// Forms publish the handlers their components' events name:
//     P.Handler("ButtonPlayClick", &TMainForm::ButtonPlayClick);
//
// Defaults: an integer, boolean, enumeration or set without Default() is always
// written; a string, float or int64 without one is written when it is not empty or
// not 0. NoDefault() writes a value always. Stored(false) or Stored(predicate)
// keeps a property out of the stream.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "framework/Delegate.h"
#include "framework/Object.h"
#include "framework/Set.h"

class TPersistent;

enum TPropKind {
  pkInteger,
  pkBoolean,
  pkEnum,
  pkSet,
  pkString,
  pkFloat,
  pkInt64,
  pkObject,      // an owned sub-object, streamed as "Font.Height"
  pkComponent,   // a reference to a component, streamed by name
  pkCollection,  // an owned TCollection, streamed with its items
  pkEvent        // a handler of the root, streamed by name
};

// How a float is stored: Single as four bytes, the rest as an 80-bit extended.
enum TFloatType { ftSingle, ftDouble };

// A published method of a root class that events can name.
struct THandlerInfo {
  std::string Name;
  const std::type_info* DelegateType = nullptr;
  // Writes the delegate of Root's method into *Delegate (a TDelegate of DelegateType).
  std::function<void(TObject* Root, void* Delegate)> Make;
};

class TPropInfo {
public:
  std::string Name;
  TPropKind Kind = pkInteger;
  // Value names of an enumeration or set, by ordinal.
  std::vector<std::string> Names;
  // Optional names of integer values ("clRed").
  std::function<bool(std::int64_t, std::string&)> ToIdent;
  std::function<bool(std::string_view, std::int64_t&)> FromIdent;
  TFloatType FloatType = ftDouble;
  std::int64_t MinValue = std::numeric_limits<std::int32_t>::min();  // integers and enumerations
  std::int64_t MaxValue = std::numeric_limits<std::int32_t>::max();
  TClass RefClass = nullptr;                                 // what a reference may name
  const std::type_info* EventType = nullptr;

  bool HasDefault = false;
  std::int64_t OrdDefault = 0;
  double FloatDefault = 0;
  std::string StrDefault;
  bool StoredConst = true;
  std::function<bool(TObject*)> StoredProc;

  std::function<std::int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  std::function<bool(TObject*)> EventAssigned;
  // Whether Instance's event is Handler's method of Root.
  std::function<bool(TObject* Instance, TObject* Root, const THandlerInfo& Handler)> EventIs;
  // Binds Instance's event to Handler's method of Root (Handler null: unbinds).
  std::function<void(TObject* Instance, TObject* Root, const THandlerInfo* Handler)> SetEvent;

  bool IsStored(TObject* Instance) const { return StoredProc ? StoredProc(Instance) : StoredConst; }
  // Value names of enumerations and set members: "" and -1 when there is none.
  std::string EnumName(std::int64_t Value) const;
  int EnumValue(std::string_view Name) const;
};

// One class's own declarations.
class TPublishedClass {
public:
  explicit TPublishedClass(TClass AClass) : FClass(AClass) {}
  TClass GetClass() const { return FClass; }
  TPropInfo& Add(std::string Name, TPropKind Kind);
  void AddHandler(THandlerInfo Handler) { FHandlers.push_back(std::move(Handler)); }
  const std::vector<std::unique_ptr<TPropInfo>>& GetProps() const { return FProps; }
  const std::vector<THandlerInfo>& GetHandlers() const { return FHandlers; }

private:
  TClass FClass;
  std::vector<std::unique_ptr<TPropInfo>> FProps;
  std::vector<THandlerInfo> FHandlers;
};

// A class's whole list: inherited first.
class TPropList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const TPropInfo* operator[](int Index) const { return FItems[Index]; }
  const std::vector<const TPropInfo*>& Items() const { return FItems; }
  // Names compare without regard to case; null when not published.
  const TPropInfo* Find(std::string_view Name) const;

private:
  friend class TPropRegistry;
  std::vector<const TPropInfo*> FItems;
  std::vector<std::pair<std::string, int>> FIndex;  // lower-case names, sorted
};

const TPropList& GetPropList(TClass AClass);
const TPropInfo* GetPropInfo(TClass AClass, std::string_view Name);
// The handler of that name published by AClass or an ancestor; null when none.
const THandlerInfo* FindHandler(TClass AClass, std::string_view Name);
// Every handler AClass and its ancestors publish, the class's own first.
std::vector<const THandlerInfo*> GetHandlers(TClass AClass);

namespace sonvelt_detail {
using TPublishProc = void (*)(TPublishedClass&);
bool RegisterPublisher(TClass AClass, TPublishProc Proc);

// Argument type of a setter: a member function, or a function or lambda taking (C*, V).
template <class F>
struct SetterArg : SetterArg<decltype(&F::operator())> {};
template <class R, class B, class V>
struct SetterArg<R (B::*)(V)> {
  using type = std::remove_cvref_t<V>;
};
template <class R, class B, class V>
struct SetterArg<R (B::*)(V) const> {
  using type = std::remove_cvref_t<V>;
};
template <class R, class P, class V>
struct SetterArg<R (*)(P, V)> {
  using type = std::remove_cvref_t<V>;
};
template <class R, class L, class P, class V>
struct SetterArg<R (L::*)(P, V) const> {
  using type = std::remove_cvref_t<V>;
};

template <class V, bool = std::is_enum_v<V>>
struct NumberOf {
  using type = V;
};
template <class V>
struct NumberOf<V, true> {
  using type = std::underlying_type_t<V>;
};

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

template <class T>
struct IsDelegate : std::false_type {};
template <class Sig>
struct IsDelegate<TDelegate<Sig>> : std::true_type {};
}  // namespace sonvelt_detail

// Chained settings of one declared property.
template <class C>
class TPropBuilder {
public:
  explicit TPropBuilder(TPropInfo& Info) : FInfo(Info) {}

  template <class V>
  TPropBuilder& Default(const V& Value) {
    FInfo.HasDefault = true;
    if constexpr (sonvelt_detail::IsSet<V>::value) FInfo.OrdDefault = static_cast<std::int64_t>(Value.Bits());
    else if constexpr (std::is_enum_v<V> || std::is_integral_v<V>) {
      if (FInfo.Kind == pkFloat) FInfo.FloatDefault = static_cast<double>(Value);
      else FInfo.OrdDefault = static_cast<std::int64_t>(Value);
    } else if constexpr (std::is_floating_point_v<V>) FInfo.FloatDefault = Value;
    else FInfo.StrDefault = std::string(Value);
    return *this;
  }
  // Written whatever its value (when stored).
  TPropBuilder& NoDefault() {
    FInfo.HasDefault = false;
    return *this;
  }
  TPropBuilder& Stored(bool Value) {
    FInfo.StoredConst = Value;
    FInfo.StoredProc = nullptr;
    return *this;
  }
  template <class P>
  TPropBuilder& Stored(P Predicate) {
    FInfo.StoredProc = [Predicate](TObject* Obj) {
      return static_cast<bool>(std::invoke(Predicate, static_cast<C*>(Obj)));
    };
    return *this;
  }
  // Names for some integer values, written instead of the numbers.
  template <class T>
  TPropBuilder& Idents(bool (*ToIdent)(T, std::string&), bool (*FromIdent)(std::string_view, T&)) {
    FInfo.ToIdent = [ToIdent](std::int64_t V, std::string& S) { return ToIdent(static_cast<T>(V), S); };
    FInfo.FromIdent = [FromIdent](std::string_view S, std::int64_t& V) {
      T t{};
      if (!FromIdent(S, t)) return false;
      V = static_cast<std::int64_t>(t);
      return true;
    };
    return *this;
  }

private:
  TPropInfo& FInfo;
};

// The declaring side of one class: see the top of this file.
template <class C>
class TPublisher {
public:
  explicit TPublisher(TPublishedClass& Into) : FInto(Into) {}

  template <class G, class S>
  TPropBuilder<C> Integer(std::string Name, G Get, S Set) {
    using V = typename sonvelt_detail::SetterArg<S>::type;
    TPropInfo& p = Ordinal<V>(std::move(Name), pkInteger, Get, Set);
    // Streams hold 32-bit integers; a narrower type keeps its own range.
    using N = typename sonvelt_detail::NumberOf<V>::type;
    p.MinValue = std::max<std::int64_t>(std::numeric_limits<N>::min(), std::numeric_limits<std::int32_t>::min());
    p.MaxValue = static_cast<std::int64_t>(std::min<std::uint64_t>(std::numeric_limits<N>::max(),
                                                                   std::numeric_limits<std::int32_t>::max()));
    return TPropBuilder<C>(p);
  }
  template <class G, class S>
  TPropBuilder<C> Boolean(std::string Name, G Get, S Set) {
    using V = typename sonvelt_detail::SetterArg<S>::type;
    return TPropBuilder<C>(Ordinal<V>(std::move(Name), pkBoolean, Get, Set));
  }
  template <class G, class S>
  TPropBuilder<C> Enum(std::string Name, G Get, S Set, std::vector<std::string> Names) {
    using V = typename sonvelt_detail::SetterArg<S>::type;
    TPropInfo& p = Ordinal<V>(std::move(Name), pkEnum, Get, Set);
    p.Names = std::move(Names);
    p.MinValue = 0;
    p.MaxValue = static_cast<std::int64_t>(p.Names.size()) - 1;
    return TPropBuilder<C>(p);
  }
  template <class G, class S>
  TPropBuilder<C> Set(std::string Name, G Get, S Setter, std::vector<std::string> Names) {
    using V = typename sonvelt_detail::SetterArg<S>::type;
    static_assert(sonvelt_detail::IsSet<V>::value, "a set property takes a TSet");
    TPropInfo& p = FInto.Add(std::move(Name), pkSet);
    p.Names = std::move(Names);
    p.GetOrd = [Get](TObject* Obj) { return static_cast<std::int64_t>(std::invoke(Get, static_cast<C*>(Obj)).Bits()); };
    p.SetOrd = [Setter](TObject* Obj, std::int64_t Bits) {
      std::invoke(Setter, static_cast<C*>(Obj), V::FromBits(static_cast<std::uint64_t>(Bits)));
    };
    return TPropBuilder<C>(p);
  }
  template <class G, class S>
  TPropBuilder<C> String(std::string Name, G Get, S Set) {
    TPropInfo& p = FInto.Add(std::move(Name), pkString);
    p.HasDefault = true;
    p.GetStr = [Get](TObject* Obj) { return std::string(std::invoke(Get, static_cast<C*>(Obj))); };
    p.SetStr = [Set](TObject* Obj, const std::string& V) { std::invoke(Set, static_cast<C*>(Obj), V); };
    return TPropBuilder<C>(p);
  }
  template <class G, class S>
  TPropBuilder<C> Float(std::string Name, G Get, S Set) {
    using V = typename sonvelt_detail::SetterArg<S>::type;
    TPropInfo& p = FInto.Add(std::move(Name), pkFloat);
    p.HasDefault = true;
    p.FloatType = std::is_same_v<V, float> ? ftSingle : ftDouble;
    p.GetFloat = [Get](TObject* Obj) { return static_cast<double>(std::invoke(Get, static_cast<C*>(Obj))); };
    p.SetFloat = [Set](TObject* Obj, double Value) { std::invoke(Set, static_cast<C*>(Obj), static_cast<V>(Value)); };
    return TPropBuilder<C>(p);
  }
  template <class G, class S>
  TPropBuilder<C> Int64(std::string Name, G Get, S Set) {
    using V = typename sonvelt_detail::SetterArg<S>::type;
    TPropInfo& p = Ordinal<V>(std::move(Name), pkInt64, Get, Set);
    p.HasDefault = true;
    p.MinValue = std::numeric_limits<std::int64_t>::min();
    p.MaxValue = std::numeric_limits<std::int64_t>::max();
    return TPropBuilder<C>(p);
  }
  // An owned sub-object (TFont*, TBitmap*, TStrings*); its properties stream with
  // the name as prefix. A TCollection goes through Collection instead.
  template <class G>
  TPropBuilder<C> Object(std::string Name, G Get) {
    TPropInfo& p = FInto.Add(std::move(Name), pkObject);
    p.GetObj = [Get](TObject* Obj) -> TObject* { return std::invoke(Get, static_cast<C*>(Obj)); };
    return TPropBuilder<C>(p);
  }
  template <class G>
  TPropBuilder<C> Collection(std::string Name, G Get) {
    TPropInfo& p = FInto.Add(std::move(Name), pkCollection);
    p.GetObj = [Get](TObject* Obj) -> TObject* { return std::invoke(Get, static_cast<C*>(Obj)); };
    return TPropBuilder<C>(p);
  }
  // A reference; reading checks the named component's class against the setter's.
  template <class G, class S>
  TPropBuilder<C> Component(std::string Name, G Get, S Set) {
    using V = typename sonvelt_detail::SetterArg<S>::type;
    using T = std::remove_pointer_t<V>;
    TPropInfo& p = FInto.Add(std::move(Name), pkComponent);
    p.RefClass = T::StaticClass();
    p.GetObj = [Get](TObject* Obj) -> TObject* { return std::invoke(Get, static_cast<C*>(Obj)); };
    p.SetObj = [Set](TObject* Obj, TObject* Value) { std::invoke(Set, static_cast<C*>(Obj), dynamic_cast<T*>(Value)); };
    return TPropBuilder<C>(p);
  }
  // An event held in a public delegate member.
  template <class B, class D>
  TPropBuilder<C> Event(std::string Name, D B::*Member) {
    static_assert(sonvelt_detail::IsDelegate<D>::value, "an event is a TDelegate member");
    return EventOf<D>(std::move(Name), [Member](C* Obj) -> D& { return Obj->*Member; });
  }
  // A method of this class that events may name.
  template <class B, class R, class... A>
  void Handler(std::string Name, R (B::*Method)(A...)) {
    using D = TDelegate<R(A...)>;
    THandlerInfo h;
    h.Name = std::move(Name);
    h.DelegateType = &typeid(D);
    h.Make = [Method](TObject* Root, void* Out) { *static_cast<D*>(Out) = D(static_cast<C*>(Root), Method); };
    FInto.AddHandler(std::move(h));
  }

private:
  template <class V, class G, class S>
  TPropInfo& Ordinal(std::string Name, TPropKind Kind, G Get, S Set) {
    TPropInfo& p = FInto.Add(std::move(Name), Kind);
    p.GetOrd = [Get](TObject* Obj) { return static_cast<std::int64_t>(std::invoke(Get, static_cast<C*>(Obj))); };
    p.SetOrd = [Set](TObject* Obj, std::int64_t Value) { std::invoke(Set, static_cast<C*>(Obj), static_cast<V>(Value)); };
    return p;
  }
  template <class D, class F>
  TPropBuilder<C> EventOf(std::string Name, F Field) {
    TPropInfo& p = FInto.Add(std::move(Name), pkEvent);
    p.HasDefault = true;
    p.EventType = &typeid(D);
    p.EventAssigned = [Field](TObject* Obj) { return Field(static_cast<C*>(Obj)).Assigned(); };
    p.EventIs = [Field](TObject* Obj, TObject* Root, const THandlerInfo& H) {
      if (*H.DelegateType != typeid(D)) return false;
      D d;
      H.Make(Root, &d);
      return Field(static_cast<C*>(Obj)) == d;
    };
    p.SetEvent = [Field](TObject* Obj, TObject* Root, const THandlerInfo* H) {
      D d;
      if (H) H->Make(Root, &d);
      Field(static_cast<C*>(Obj)) = d;
    };
    return TPropBuilder<C>(p);
  }

  TPublishedClass& FInto;
};

#define SONVELT_PUBLISHED_CAT2(a, b) a##b
#define SONVELT_PUBLISHED_CAT(a, b) SONVELT_PUBLISHED_CAT2(a, b)
// Defines Class::Publish and registers it; the list is built on first use.
#define SONVELT_PUBLISHED(Class, P)                                                                        \
  static const bool SONVELT_PUBLISHED_CAT(SvPublished_, __COUNTER__) = ::sonvelt_detail::RegisterPublisher( \
      Class::StaticClass(), [](TPublishedClass& Into) {                                                    \
        TPublisher<Class> Publisher(Into);                                                                 \
        Class::Publish(Publisher);                                                                         \
      });                                                                                                  \
  void Class::Publish(TPublisher<Class>& P)

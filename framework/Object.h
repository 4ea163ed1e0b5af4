// Object model: TObject, class references and the two-step object life.
//
// Declare every framework class with SONVELT_CLASS right after the opening brace:
//
//   class TMyButton : public TComponent {
//     SONVELT_CLASS(TMyButton, TComponent)
//   public:
//     explicit TMyButton(TComponent* AOwner) : TComponent(AOwner) {}
//   };
//
// Create objects only through TMyButton::Create(owner) (or Construct<T>(...)) and
// free them only through Free(obj) / FreeAndNil(ptr). Create runs the constructor
// and then the virtual AfterConstruction; Free runs the virtual BeforeDestruction
// and then the destructor, so both hooks reach the most-derived class while the
// object is whole. Never use a bare new/delete on a framework object.
//
// Class references: TClass is a const TMetaClass* (compare with ==). TFoo::StaticClass()
// gives the class of TFoo, obj->ClassType() the class of an instance. TClassOf<TBase>
// is a typed reference ("class of TBase") whose Create builds the referenced class
// through its virtual constructor: the constructor taking TBase::TCreateArg (the
// owner; TComponent* for components, TCollection* for collection items), else the
// default constructor. Abstract classes cannot be created (EInvalidOperation).
//
// FreeDeferred(obj) frees an object later, once control is back in a message loop:
// use it for an object freed inside one of its own events.
#pragma once

#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>

class TObject;
class TComponent;

class TMetaClass {
public:
  using TFactory = TObject* (*)(void* arg);
  constexpr TMetaClass(const char* name, const TMetaClass* parent, TFactory factory, const std::type_info* argType)
      : FName(name), FParent(parent), FFactory(factory), FArgType(argType) {}
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;

  std::string ClassName() const { return FName; }
  const TMetaClass* ClassParent() const { return FParent; }
  bool InheritsFrom(const TMetaClass* cls) const;
  bool CanCreate() const { return FFactory != nullptr; }

  // Untyped creation; prefer TClassOf<T>::Create. argType names the pointer type
  // behind arg and must match the class's TCreateArg (or arg must be null).
  TObject* CreateInstance(void* arg, const std::type_info& argType) const;
  TObject* CreateInstance() const { return CreateInstance(nullptr, typeid(std::nullptr_t)); }

private:
  const char* FName;
  const TMetaClass* FParent;
  TFactory FFactory;
  const std::type_info* FArgType;
};

using TClass = const TMetaClass*;

class TObject {
public:
  using TCreateArg = std::nullptr_t;
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject();

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  static TObject* Create();
  std::string ClassName() const { return ClassType()->ClassName(); }
  bool InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }

  // Run by Construct/Free on the whole object: overrides see the final class.
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}
};

namespace sonvelt_detail {
template <class T>
TObject* Factory(void* arg) {
  if constexpr (!std::is_same_v<typename T::TCreateArg, std::nullptr_t> &&
                std::is_constructible_v<T, typename T::TCreateArg>) {
    return new T(static_cast<typename T::TCreateArg>(arg));
  } else {
    (void)arg;
    return new T();
  }
}
// The virtual constructor of T, or null when T cannot be created (abstract).
template <class T>
constexpr TMetaClass::TFactory FactoryFor() {
  if constexpr (std::is_abstract_v<T>) return nullptr;
  else if constexpr (!std::is_same_v<typename T::TCreateArg, std::nullptr_t> &&
                     std::is_constructible_v<T, typename T::TCreateArg>) return &Factory<T>;
  else if constexpr (std::is_default_constructible_v<T>) return &Factory<T>;
  else return nullptr;
}
void RunAfterConstruction(TObject* obj);  // frees obj and rethrows when the hook throws
}  // namespace sonvelt_detail

#define SONVELT_CLASS(Name, Parent)                                                                 \
public:                                                                                             \
  static TClass StaticClass() {                                                                     \
    static const TMetaClass meta(#Name, Parent::StaticClass(), ::sonvelt_detail::FactoryFor<Name>(),    \
                                 &typeid(typename Name::TCreateArg));                               \
    return &meta;                                                                                   \
  }                                                                                                 \
  TClass ClassType() const override { return StaticClass(); }                                       \
  template <class... SvArgs>                                                                        \
  static Name* Create(SvArgs&&... args) {                                                           \
    return ::Construct<Name>(std::forward<SvArgs>(args)...);                                        \
  }                                                                                                 \
                                                                                                    \
private:

// Constructs T and runs AfterConstruction on the finished object.
template <class T, class... A>
T* Construct(A&&... args) {
  T* obj = new T(std::forward<A>(args)...);
  sonvelt_detail::RunAfterConstruction(obj);
  return obj;
}

inline TObject* TObject::Create() { return Construct<TObject>(); }

// Runs BeforeDestruction, then destroys. Null is fine.
void Free(TObject* obj);

template <class T>
void FreeAndNil(T*& obj) {
  T* tmp = obj;
  obj = nullptr;
  Free(tmp);
}

// Frees obj once control is back in a message loop (or at ProcessDeferredFrees).
// Freeing it directly before then cancels the deferred free.
void FreeDeferred(TObject* obj);
// Frees what FreeDeferred queued; message loops and tests call it.
void ProcessDeferredFrees();

// A typed class reference ("class of T").
template <class T>
class TClassOf {
public:
  TClassOf() = default;
  TClassOf(std::nullptr_t) {}
  TClassOf(TClass cls);  // raises EInvalidCast when cls does not inherit from T
  TClass Get() const { return FClass; }
  operator TClass() const { return FClass; }
  const TMetaClass* operator->() const { return FClass; }
  explicit operator bool() const { return FClass != nullptr; }

  T* Create(typename T::TCreateArg arg) const {
    return static_cast<T*>(FClass->CreateInstance(
        const_cast<void*>(static_cast<const void*>(arg)), typeid(typename T::TCreateArg)));
  }
  T* Create() const
    requires std::is_same_v<typename T::TCreateArg, std::nullptr_t>
  {
    return static_cast<T*>(FClass->CreateInstance());
  }

private:
  TClass FClass = nullptr;
};

namespace sonvelt_detail {
[[noreturn]] void RaiseInvalidClassCast(TClass from, TClass to);
}

template <class T>
TClassOf<T>::TClassOf(TClass cls) : FClass(cls) {
  if (cls && !cls->InheritsFrom(T::StaticClass())) sonvelt_detail::RaiseInvalidClassCast(cls, T::StaticClass());
}

// "obj is T"
template <class T>
bool Is(const TObject* obj) {
  return obj && obj->InheritsFrom(T::StaticClass());
}

// "obj as T": null stays null, a wrong class raises EInvalidCast.
template <class T>
T* As(TObject* obj) {
  if (!obj) return nullptr;
  T* r = dynamic_cast<T*>(obj);
  if (!r) sonvelt_detail::RaiseInvalidClassCast(obj->ClassType(), T::StaticClass());
  return r;
}

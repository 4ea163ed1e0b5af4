// Small base classes most suite objects descend from.
#pragma once

#include <unknwn.h>

#include <vector>

#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/Lists.h"
#include "framework/Persistent.h"

// Answers interfaces without reference counting: its owner decides its lifetime,
// never an interface reference. Override QueryInterface for more interfaces and
// call this one for the rest.
class TcxIUnknownObject : public TObject, public IUnknown {
  SONVELT_CLASS(TcxIUnknownObject, TObject)
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
};

// A persistent that answers interfaces and knows the persistent that owns it.
class TcxInterfacedPersistent : public TInterfacedPersistent {
  SONVELT_CLASS(TcxInterfacedPersistent, TInterfacedPersistent)
public:
  using TCreateArg = TPersistent*;
  explicit TcxInterfacedPersistent(TPersistent* AOwner) : FOwner(AOwner) {}
  static TcxInterfacedPersistent* CreateWithOwner(TPersistent* AOwner) { return Create(AOwner); }
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};

class TcxOwnedPersistent : public TPersistent {
  SONVELT_CLASS(TcxOwnedPersistent, TPersistent)
public:
  using TCreateArg = TPersistent*;
  explicit TcxOwnedPersistent(TPersistent* AOwner) : FOwner(AOwner) {}
  static TcxOwnedPersistent* CreateWithOwner(TPersistent* AOwner) { return Create(AOwner); }
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};

// The suite's component: at design time it shows the form designer up to three
// components it is linked with (CollectFakeLinks); weak links to it are cleared
// when it goes.
class TcxComponent : public TComponent {
  SONVELT_CLASS(TcxComponent, TComponent)
public:
  explicit TcxComponent(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxComponent() override;
  void BeforeDestruction() override;

  TComponent* GetFakeComponentLink1() const { return FFakeComponentLink1; }
  TComponent* GetFakeComponentLink2() const { return FFakeComponentLink2; }
  TComponent* GetFakeComponentLink3() const { return FFakeComponentLink3; }
  void SetFakeComponentLink1(TComponent* Value) { FFakeComponentLink1 = Value; }
  void SetFakeComponentLink2(TComponent* Value) { FFakeComponentLink2 = Value; }
  void SetFakeComponentLink3(TComponent* Value) { FFakeComponentLink3 = Value; }
  static void Publish(TPublisher<TcxComponent>& P);

protected:
  void Loaded() override;
  virtual void CollectFakeLinks(std::vector<TComponent*>& List) { (void)List; }
  // Shows the designer the components CollectFakeLinks names (design state only).
  void UpdateFakeLinks();

private:
  TComponent* FFakeComponentLink1 = nullptr;
  TComponent* FFakeComponentLink2 = nullptr;
  TComponent* FFakeComponentLink3 = nullptr;
};

// A collection item that answers interfaces; reference counts go to its collection.
class TcxInterfacedCollectionItem : public TCollectionItem, public IUnknown {
  SONVELT_CLASS(TcxInterfacedCollectionItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  void AfterConstruction() override;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

private:
  IUnknown* FOwnerInterface = nullptr;
};

using TcxCollectionChangeEvent = TDelegate<void(TObject* Sender, TCollectionItem* Item)>;

// An owned collection that answers interfaces without counting and reports each
// update through OnChange, except while it is being destroyed.
class TcxOwnedInterfacedCollection : public TOwnedCollection, public IUnknown {
  SONVELT_CLASS(TcxOwnedInterfacedCollection, TOwnedCollection)
public:
  using TOwnedCollection::TOwnedCollection;
  void BeforeDestruction() override;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }

  TcxCollectionChangeEvent OnChange;

protected:
  void Update(TCollectionItem* Item) override;

private:
  bool FDestroying = false;
};

// A list that owns its objects and frees them first to last when cleared.
class TcxObjectList : public TList {
  SONVELT_CLASS(TcxObjectList, TList)
public:
  TcxObjectList() = default;
  void Clear() override;
  TObject* ObjectAt(int Index) const { return static_cast<TObject*>(Get(Index)); }
};

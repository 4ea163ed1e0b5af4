// Class registry for streaming, and interfaces on framework objects.
#include <gtest/gtest.h>

#include "framework/ClassRegistry.h"
#include "framework/Component.h"
#include "framework/Interfaces.h"

namespace {

class TRegisteredThing : public TComponent {
  SONVELT_CLASS(TRegisteredThing, TComponent)
public:
  using TComponent::TComponent;
};

// An interface of our own with its IID.
const IID IID_IGreeter = {0x5a1b7c3e, 0x2f40, 0x4b8a, {0x9c, 0x61, 0x0d, 0x2e, 0x3f, 0x4a, 0x5b, 0x6c}};
struct IGreeter : IUnknown {
  virtual int STDMETHODCALLTYPE Greet() = 0;
};

class THelper : public TInterfacedObject, public IGreeter {
  SONVELT_CLASS(THelper, TInterfacedObject)
public:
  static inline int Alive = 0;
  THelper() { ++Alive; }
  ~THelper() override { --Alive; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv && riid == IID_IGreeter) {
      *ppv = static_cast<IGreeter*>(this);
      AddRef();
      return S_OK;
    }
    return TInterfacedObject::QueryInterface(riid, ppv);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return TInterfacedObject::Release(); }
  int STDMETHODCALLTYPE Greet() override { return 42; }
};

}  // namespace

TEST(ClassRegistry, FindsRegisteredClassesByName) {
  EXPECT_EQ(GetClass("TRegisteredThing"), nullptr);
  RegisterClasses({TRegisteredThing::StaticClass(), TComponent::StaticClass()});
  RegisterClass(TRegisteredThing::StaticClass());  // twice is fine
  EXPECT_EQ(GetClass("tregisteredthing"), TRegisteredThing::StaticClass());
  TClassOf<TComponent> cls = FindClass("TRegisteredThing");
  TComponent* c = cls.Create(nullptr);
  EXPECT_EQ(c->ClassName(), "TRegisteredThing");
  Free(c);
  UnRegisterClass(TRegisteredThing::StaticClass());
  try {
    FindClass("TRegisteredThing");
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.GetMessage(), "Class TRegisteredThing not found");
  }
  UnRegisterClass(TComponent::StaticClass());
}

TEST(Interfaces, CountedObjectsGoWithTheirLastReference) {
  THelper::Alive = 0;
  {
    TInterfacePtr<IUnknown> unk(static_cast<TInterfacedObject*>(THelper::Create()));
    IGreeter* g = nullptr;
    ASSERT_TRUE(Supports(unk.Get(), IID_IGreeter, reinterpret_cast<void**>(&g)));
    EXPECT_EQ(g->Greet(), 42);
    EXPECT_FALSE(Supports(unk.Get(), IID_IStream, nullptr));
    TInterfaceList* list = TInterfaceList::Create();
    list->Add(g);
    g->Release();
    EXPECT_EQ(THelper::Alive, 1);
    Free(list);  // drops its reference
    EXPECT_EQ(THelper::Alive, 1);
  }
  EXPECT_EQ(THelper::Alive, 0);

  // Not counted: the object outlives any number of releases.
  TInterfacedPersistent* p = TInterfacedPersistent::Create();
  IUnknown* u = nullptr;
  EXPECT_EQ(p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&u)), S_OK);
  EXPECT_EQ(u->Release(), static_cast<ULONG>(-1));
  u->Release();
  Free(p);
}

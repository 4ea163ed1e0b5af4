// The object model: two-step life reaching the final class, class references,
// delegates and deferred frees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Delegate.h"
#include "framework/Exceptions.h"

namespace {

std::vector<std::string> Log;

class TBaseThing : public TObject {
  SONVELT_CLASS(TBaseThing, TObject)
public:
  void AfterConstruction() override { Log.push_back("after:" + Describe()); }
  void BeforeDestruction() override { Log.push_back("before:" + Describe()); }
  virtual std::string Describe() const { return "base"; }
};

class TDerivedThing : public TBaseThing {
  SONVELT_CLASS(TDerivedThing, TBaseThing)
public:
  std::string Describe() const override { return "derived"; }
};

class TShape : public TComponent {
  SONVELT_CLASS(TShape, TComponent)
public:
  using TComponent::TComponent;
  virtual int Corners() const = 0;
};

class TSquare : public TShape {
  SONVELT_CLASS(TSquare, TShape)
public:
  using TShape::TShape;
  int Corners() const override { return 4; }
};

class TTriangle : public TShape {
  SONVELT_CLASS(TTriangle, TShape)
public:
  using TShape::TShape;
  int Corners() const override { return 3; }
};

class TThrowsAfter : public TObject {
  SONVELT_CLASS(TThrowsAfter, TObject)
public:
  static inline int Destroyed = 0;
  ~TThrowsAfter() override { ++Destroyed; }
  void AfterConstruction() override { throw EInvalidOperation("no"); }
};

}  // namespace

TEST(ObjectLife, HooksSeeTheFinalClass) {
  Log.clear();
  TBaseThing* t = TDerivedThing::Create();
  Free(t);
  EXPECT_EQ(Log, (std::vector<std::string>{"after:derived", "before:derived"}));
}

TEST(ObjectLife, FailedAfterConstructionFreesTheObject) {
  TThrowsAfter::Destroyed = 0;
  EXPECT_THROW(TThrowsAfter::Create(), EInvalidOperation);
  EXPECT_EQ(TThrowsAfter::Destroyed, 1);
}

TEST(ObjectLife, FreeAndNilToleratesNull) {
  TObject* p = nullptr;
  Free(p);
  p = TObject::Create();
  FreeAndNil(p);
  EXPECT_EQ(p, nullptr);
}

TEST(ClassReference, AnswersNameParentAndInheritance) {
  TClass c = TSquare::StaticClass();
  EXPECT_EQ(c->ClassName(), "TSquare");
  EXPECT_EQ(c->ClassParent(), TShape::StaticClass());
  EXPECT_EQ(c->ClassParent()->ClassParent(), TComponent::StaticClass());
  EXPECT_TRUE(c->InheritsFrom(TPersistent::StaticClass()));
  EXPECT_TRUE(c->InheritsFrom(c));
  EXPECT_FALSE(c->InheritsFrom(TTriangle::StaticClass()));
  EXPECT_FALSE(TShape::StaticClass()->InheritsFrom(c));
  EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
}

TEST(ClassReference, CreatesTheReferencedClassWithItsOwner) {
  TComponent* owner = TComponent::Create(nullptr);
  std::vector<TClassOf<TShape>> kinds = {TSquare::StaticClass(), TTriangle::StaticClass()};
  std::vector<int> corners;
  for (auto kind : kinds) {
    TShape* s = kind.Create(owner);
    EXPECT_EQ(s->ClassType(), kind.Get());
    EXPECT_EQ(s->GetOwner(), owner);
    corners.push_back(s->Corners());
  }
  EXPECT_EQ(corners, (std::vector<int>{4, 3}));
  EXPECT_EQ(owner->GetComponentCount(), 2);
  Free(owner);
}

TEST(ClassReference, RefusesAbstractAndUnrelatedClasses) {
  TClassOf<TShape> abstract = TShape::StaticClass();
  EXPECT_THROW(abstract.Create(nullptr), EInvalidOperation);
  EXPECT_THROW(TClassOf<TShape>(TComponent::StaticClass()), EInvalidCast);
  TObject* square = TSquare::Create(nullptr);
  EXPECT_TRUE(Is<TShape>(square));
  EXPECT_FALSE(Is<TTriangle>(square));
  EXPECT_THROW(As<TTriangle>(square), EInvalidCast);
  EXPECT_EQ(As<TShape>(square)->Corners(), 4);
  Free(square);
}

namespace {
class TListener : public TObject {
  SONVELT_CLASS(TListener, TObject)
public:
  std::vector<std::string> Heard;
  void Click(TObject* Sender) { Heard.push_back("click:" + Sender->ClassName()); }
  void Other(TObject*) { Heard.push_back("other"); }
  void Query(TObject*, bool& CanClose) { CanClose = false; }
};
}  // namespace

TEST(Delegate, ComparesByObjectAndMethod) {
  TListener a, b;
  TNotifyEvent unbound;
  EXPECT_FALSE(unbound);
  EXPECT_TRUE(unbound == nullptr);
  EXPECT_TRUE(Bind(&a, &TListener::Click) == Bind(&a, &TListener::Click));
  EXPECT_FALSE(Bind(&a, &TListener::Click) == Bind(&b, &TListener::Click));
  EXPECT_FALSE(Bind(&a, &TListener::Click) == Bind(&a, &TListener::Other));
  EXPECT_FALSE(Bind(&a, &TListener::Click) == unbound);
}

TEST(Delegate, CallsTheBoundMethodAndRebinds) {
  TListener a, b;
  TNotifyEvent ev = Bind(&a, &TListener::Click);
  ev(&b);
  ev = Bind(&b, &TListener::Other);
  ev(&a);
  ev = nullptr;
  ev(&a);  // unassigned: nothing happens
  EXPECT_EQ(a.Heard, (std::vector<std::string>{"click:TListener"}));
  EXPECT_EQ(b.Heard, (std::vector<std::string>{"other"}));
  TCloseQueryEvent q = Bind(&a, &TListener::Query);
  bool can = true;
  q(&a, can);
  EXPECT_FALSE(can);
}

namespace {
// Frees itself from inside its own event, as a closing window does.
class TSelfCloser : public TComponent {
  SONVELT_CLASS(TSelfCloser, TComponent)
public:
  using TComponent::TComponent;
  static inline int Alive = 0;
  TNotifyEvent OnDone;
  void AfterConstruction() override {
    TComponent::AfterConstruction();
    ++Alive;
  }
  ~TSelfCloser() override { --Alive; }
  void Fire() {
    OnDone(this);
    SetTag(GetTag() + 1);  // still touches itself after the event
  }
};
class TCloser : public TObject {
  SONVELT_CLASS(TCloser, TObject)
public:
  void Done(TObject* Sender) { FreeDeferred(Sender); }
};
}  // namespace

TEST(DeferredFree, RunsFromTheMessageLoopAndIsCancelledByAnEarlierFree) {
  TCloser closer;
  TSelfCloser* a = TSelfCloser::Create(nullptr);
  a->OnDone = Bind(&closer, &TCloser::Done);
  a->Fire();
  EXPECT_EQ(TSelfCloser::Alive, 1);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(TSelfCloser::Alive, 0);

  TComponent* owner = TComponent::Create(nullptr);
  TSelfCloser* b = TSelfCloser::Create(owner);
  FreeDeferred(b);
  Free(owner);  // frees b first; the queue must forget it
  EXPECT_EQ(TSelfCloser::Alive, 0);
  ProcessDeferredFrees();
  EXPECT_EQ(TSelfCloser::Alive, 0);
}

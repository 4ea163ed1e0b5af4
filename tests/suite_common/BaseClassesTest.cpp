// Weak links, handler lists, width distribution and the small base classes.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "suite/common/AutoWidth.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/ClassRoutines.h"
#include "suite/common/EventHandlers.h"
#include "suite/common/FreeNotificator.h"
#include "suite/common/ObjectLinks.h"

TEST(ObjectLinks, LinksClearWhenTheTargetGoes) {
  ASSERT_FALSE(ObjectLinkControllerExists());
  TcxComponent* Target = TcxComponent::Create(nullptr);
  TObject* Other = TObject::Create();
  TcxObjectLink* A = CreateObjectLink(Target);
  TcxObjectLink* B = CreateObjectLink(Target);
  TcxObjectLink* C = CreateObjectLink(Other);
  EXPECT_EQ(CreateObjectLink(nullptr), nullptr);
  EXPECT_TRUE(ObjectLinkControllerExists());
  Free(Target);
  EXPECT_EQ(A->Ref, nullptr);
  EXPECT_EQ(B->Ref, nullptr);
  EXPECT_EQ(C->Ref, Other);
  DropObjectLink(A);
  DropObjectLink(nullptr);
  // Clearing by hand serves objects that are not suite components.
  ClearLinksToObject(Other);
  EXPECT_EQ(C->Ref, nullptr);
  DropObjectLink(B);
  EXPECT_TRUE(ObjectLinkControllerExists());
  DropObjectLink(C);
  EXPECT_FALSE(ObjectLinkControllerExists());
  Free(Other);
}

namespace {
struct THandlers {
  std::vector<std::string> Log;
  TcxEventHandlerCollection* List = nullptr;
  void First(TObject*, const void* Args) {
    Log.push_back("first " + std::to_string(*static_cast<const int*>(Args)));
    List->RemoveHandler(TcxEventHandler(this, &THandlers::First));
  }
  void Second(TObject*, const void*) {
    Log.push_back("second");
    // Removing a later handler while firing: it is not called any more.
    List->RemoveHandler(TcxEventHandler(this, &THandlers::Third));
    List->AddHandler(TcxEventHandler(this, &THandlers::Fourth));
  }
  void Third(TObject*, const void*) { Log.push_back("third"); }
  void Fourth(TObject*, const void*) { Log.push_back("fourth"); }
};
}  // namespace

TEST(EventHandlers, FireAllSurvivesHandlersChangingTheList) {
  TOwned<TcxEventHandlerCollection> List(TcxEventHandlerCollection::Create());
  THandlers H;
  H.List = List.get();
  int Args = 7;
  List->FireAll(nullptr, &Args);
  List->AddHandler(TcxEventHandler(&H, &THandlers::First));
  List->AddHandler(TcxEventHandler(&H, &THandlers::First));
  List->AddHandler(TcxEventHandler(&H, &THandlers::Second));
  List->AddHandler(TcxEventHandler(&H, &THandlers::Third));
  EXPECT_EQ(List->GetCount(), 3);
  List->FireAll(nullptr, &Args);
  EXPECT_EQ(H.Log, (std::vector<std::string>{"first 7", "second"}));
  H.Log.clear();
  List->FireAll(nullptr, &Args);
  EXPECT_EQ(H.Log, (std::vector<std::string>{"second", "fourth"}));
}

TEST(AutoWidth, SpreadWidthsShares) {
  struct ItemSpec {
    int Width, MinWidth;
    bool Fixed;
  };
  struct Case {
    const char* Name;
    int Available;
    std::vector<ItemSpec> Items;
    std::vector<int> Expected;
  } Cases[] = {
      {"cumulative rounding", 100, {{10, 0, false}, {10, 0, false}, {10, 0, false}}, {33, 34, 33}},
      {"a minimum pins the first item", 100, {{10, 60, false}, {10, 0, false}}, {60, 40}},
      {"a minimum equal to the share pins", 100, {{10, 50, false}, {10, 0, false}}, {50, 50}},
      {"fixed item keeps its width", 100, {{30, 0, true}, {10, 0, false}, {30, 0, false}}, {30, 18, 52}},
      {"pins cascade", 90, {{10, 40, false}, {10, 35, false}, {10, 0, false}}, {40, 35, 15}},
      {"everything fixed", 50, {{20, 0, true}, {20, 0, true}}, {20, 20}},
  };
  for (const Case& C : Cases) {
    TOwned<TcxAutoWidthObject> A(TcxAutoWidthObject::CreateWithCapacity(static_cast<int>(C.Items.size())));
    A->AvailableWidth = C.Available;
    for (const ItemSpec& S : C.Items) {
      TcxAutoWidthItem* I = A->NewItem();
      I->Width = S.Width;
      I->MinWidth = S.MinWidth;
      I->Fixed = S.Fixed;
    }
    A->SpreadWidths();
    std::vector<int> Got;
    for (int I = 0; I < A->NumberOfItems(); ++I) Got.push_back(A->ItemAt(I)->AutoWidth);
    EXPECT_EQ(Got, C.Expected) << C.Name;
  }
}

TEST(ClassRoutines, RangeMidpointFloors) {
  struct Case {
    int A, B, Mid;
  } Cases[] = {{-1, 0, -1}, {1, 2, 1}, {-3, 0, -2}, {-2, -1, -2}, {4, 6, 5}, {INT_MAX, INT_MAX, INT_MAX},
               {INT_MIN, INT_MIN + 1, INT_MIN}};
  for (const Case& C : Cases) EXPECT_EQ(RangeMidpoint(C.A, C.B), C.Mid) << C.A << " " << C.B;
}

TEST(ClassRoutines, TextPieces) {
  EXPECT_EQ(TextBeforeBar("Caption|Hint|More"), "Caption");
  EXPECT_EQ(TextBeforeBar("No bar"), "No bar");
  const std::string Text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5";
  int Lengths[] = {1, 2, 0, 3, 0, 0, 4};
  for (int Pos : {1, 2, 4, 7}) EXPECT_EQ(CharLengthAt(Text, Pos), Lengths[Pos - 1]) << Pos;
  EXPECT_EQ(CharLengthAt("\xE2\x82", 1), 2);
  EXPECT_EQ(LocaleInfoString(0x0409, LOCALE_SENGLANGUAGE, "none"), "English");
  EXPECT_EQ(LocaleInfoString(0x0409, 0xFFFF, "none"), "none");
}

namespace {
struct IProbe : IUnknown {
  virtual int STDMETHODCALLTYPE Value() = 0;
};
const GUID IID_IProbe = {0x1d5a0c6e, 0x4b43, 0x4c51, {0x9a, 0x1e, 0x42, 0x10, 0x8c, 0x77, 0x5e, 0x01}};

class TProbeObject : public TcxIUnknownObject, public IProbe {
  SONVELT_CLASS(TProbeObject, TcxIUnknownObject)
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IProbe) {
      *ppv = static_cast<IProbe*>(this);
      return S_OK;
    }
    return TcxIUnknownObject::QueryInterface(riid, ppv);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return TcxIUnknownObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return TcxIUnknownObject::Release(); }
  int STDMETHODCALLTYPE Value() override { return 42; }
};
}  // namespace

TEST(BaseClasses, IUnknownObjectIsNeverFreedByReleases) {
  TOwned<TProbeObject> P(TProbeObject::Create());
  IUnknown* Unknown = static_cast<TcxIUnknownObject*>(P.get());
  void* Out = nullptr;
  ASSERT_EQ(Unknown->QueryInterface(IID_IProbe, &Out), S_OK);
  EXPECT_EQ(static_cast<IProbe*>(Out)->Value(), 42);
  EXPECT_EQ(Unknown->QueryInterface(IID_IDispatch, &Out), E_NOINTERFACE);
  EXPECT_EQ(Out, nullptr);
  for (int I = 0; I < 3; ++I) EXPECT_EQ(Unknown->Release(), static_cast<ULONG>(-1));
  EXPECT_EQ(static_cast<IProbe*>(P.get())->Value(), 42);
}

TEST(BaseClasses, FreeNotificatorRelaysRemovals) {
  std::vector<TComponent*> Gone;
  struct TSink {
    std::vector<TComponent*>* Gone;
    void Heard(TObject*, TComponent* C) { Gone->push_back(C); }
  } Sink{&Gone};
  TOwned<TcxFreeNotificator> N(TcxFreeNotificator::Create(nullptr));
  N->OnFreeNotification = TcxFreeNotificationEvent(&Sink, &TSink::Heard);
  TComponent* Watched = TComponent::Create(nullptr);
  TComponent* Unwatched = TComponent::Create(nullptr);
  N->WatchComponent(Watched);
  N->WatchComponent(Unwatched);
  N->WatchComponent(nullptr);
  N->UnwatchComponent(Unwatched);
  Free(Unwatched);
  Free(Watched);
  EXPECT_EQ(Gone, std::vector<TComponent*>{Watched});
}

namespace {
class TNamed : public TcxComponent {
  SONVELT_CLASS(TNamed, TcxComponent)
public:
  using TcxComponent::TcxComponent;
  std::vector<TComponent*> Links;

protected:
  void CollectFakeLinks(std::vector<TComponent*>& List) override { List = Links; }
};
}  // namespace

TEST(BaseClasses, FakeLinksFollowTheCollectedListAtDesignTime) {
  TOwned<TComponent> Owner(TComponent::Create(nullptr));
  auto* C = TNamed::Create(Owner.get());
  auto* L1 = TComponent::Create(Owner.get());
  auto* L2 = TComponent::Create(Owner.get());
  C->Links = {L1, L2};
  C->SetComponentState(TComponentState{csLoading});
  C->EndLoading();
  EXPECT_EQ(C->GetFakeComponentLink1(), nullptr);  // not at run time
  C->SetComponentState(TComponentState{csLoading, csDesigning});
  C->EndLoading();
  EXPECT_EQ(C->GetFakeComponentLink1(), L1);
  EXPECT_EQ(C->GetFakeComponentLink2(), L2);
  EXPECT_EQ(C->GetFakeComponentLink3(), nullptr);
}

namespace {
std::vector<std::string> CollectionLog;
class TBand : public TcxInterfacedCollectionItem {
  SONVELT_CLASS(TBand, TcxInterfacedCollectionItem)
public:
  using TcxInterfacedCollectionItem::TcxInterfacedCollectionItem;
};
struct TCollectionSink {
  void Changed(TObject*, TCollectionItem* Item) { CollectionLog.push_back(Item ? "item" : "all"); }
};
}  // namespace

TEST(BaseClasses, InterfacedCollectionReportsUpdatesUntilItGoes) {
  CollectionLog.clear();
  TCollectionSink Sink;
  auto* C = TcxOwnedInterfacedCollection::Create(nullptr, TBand::StaticClass());
  C->OnChange = TcxCollectionChangeEvent(&Sink, &TCollectionSink::Changed);
  auto* Band = static_cast<TBand*>(C->Add());
  EXPECT_EQ(CollectionLog, std::vector<std::string>{"all"});
  // Reference counts go to the collection, which does not count.
  EXPECT_EQ(static_cast<IUnknown*>(Band)->AddRef(), static_cast<ULONG>(-1));
  CollectionLog.clear();
  Free(C);
  EXPECT_TRUE(CollectionLog.empty());
}

namespace {
std::vector<int> FreedOrder;
class TMark : public TObject {
  SONVELT_CLASS(TMark, TObject)
public:
  explicit TMark(int Value) : N(Value) {}
  ~TMark() override { FreedOrder.push_back(N); }
  int N;
};
}  // namespace

TEST(BaseClasses, ObjectListFreesFirstToLast) {
  FreedOrder.clear();
  auto* L = TcxObjectList::Create();
  for (int I = 1; I <= 3; ++I) L->Add(TMark::Create(I));
  EXPECT_EQ(static_cast<TMark*>(L->ObjectAt(1))->N, 2);
  Free(L);
  EXPECT_EQ(FreedOrder, (std::vector<int>{1, 2, 3}));
}

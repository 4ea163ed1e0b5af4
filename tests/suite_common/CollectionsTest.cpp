// Component collections and lists, class registries and unique names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Button.h"
#include "framework/ClassRegistry.h"
#include "framework/Edit.h"
#include "framework/OwnedObject.h"
#include "suite/common/ComponentCollection.h"
#include "suite/common/ComponentList.h"
#include "suite/common/RegisteredClasses.h"
#include "suite/common/UniqueNames.h"

namespace {
std::vector<std::string> Log;
const char* KindName(TcxCollectionChangeKind K) {
  static const char* Names[] = {"added", "changed", "removing", "removed", "deleted"};
  return Names[K];
}
std::string NameOf(TComponent* C) { return C ? C->GetName() : "all"; }

class TBars;

// A parent component that keeps a collection of bars, as a bar manager does.
class TBarHost : public TComponent {
  SONVELT_CLASS(TBarHost, TComponent)
public:
  explicit TBarHost(TComponent* AOwner);
  ~TBarHost() override;
  TBars* Bars;
};

class TBar : public TcxComponentCollectionItem {
  SONVELT_CLASS(TBar, TcxComponentCollectionItem)
public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;
  int Height = 0;
  void Assign(TPersistent* Source) override {
    if (auto* B = dynamic_cast<TBar*>(Source)) {
      Height = B->Height;
      return;
    }
    TcxComponentCollectionItem::Assign(Source);
  }

protected:
  TcxComponentCollection* CollectionOfParent(TComponent* Parent) override;
};

class TOtherItem : public TcxComponentCollectionItem {
  SONVELT_CLASS(TOtherItem, TcxComponentCollectionItem)
public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;

protected:
  TcxComponentCollection* CollectionOfParent(TComponent* Parent) override;
};

class TBars : public TcxComponentCollection {
  SONVELT_CLASS(TBars, TcxComponentCollection)
public:
  explicit TBars(TComponent* Parent) : TcxComponentCollection(Parent, TBar::StaticClass()) {}

protected:
  void ItemNotify(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) override {
    Log.push_back(std::string("notify ") + KindName(Kind) + " " + NameOf(Item));
  }
  void NameNewItem(TcxComponentCollectionItem* Item) override {
    Item->SetName(GetParentComponent()->GetName() + "Bar" + std::to_string(Item->GetID()));
  }
  void ReportChange(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) override {
    Log.push_back(std::string("change ") + KindName(Kind) + " " + NameOf(Item));
  }
};

TBarHost::TBarHost(TComponent* AOwner) : TComponent(AOwner), Bars(TBars::Create(this)) {}
TBarHost::~TBarHost() { Free(Bars); }

TcxComponentCollection* TBar::CollectionOfParent(TComponent* Parent) {
  auto* Host = dynamic_cast<TBarHost*>(Parent);
  return Host ? Host->Bars : nullptr;
}
TcxComponentCollection* TOtherItem::CollectionOfParent(TComponent* Parent) {
  auto* Host = dynamic_cast<TBarHost*>(Parent);
  return Host ? Host->Bars : nullptr;
}

struct CollectionFixture : ::testing::Test {
  TComponent* Form = nullptr;
  TBarHost* Host = nullptr;
  void SetUp() override {
    Log.clear();
    Form = TComponent::Create(nullptr);
    Host = TBarHost::Create(Form);
  }
  void TearDown() override { Free(Form); }
};
}  // namespace

TEST_F(CollectionFixture, ItemsEnterAndLeaveWithNoticesInOrder) {
  TcxComponentCollectionItem* A = Host->Bars->AppendNewItem();
  EXPECT_EQ(A->GetOwner(), Form);
  EXPECT_EQ(A->GetParentComponent(), Host);
  EXPECT_TRUE(A->HasParent());
  EXPECT_EQ(Log, (std::vector<std::string>{"notify added ", "change added "}));  // named after entering
  EXPECT_EQ(A->GetName(), "Bar0");
  Log.clear();
  Free(A);
  EXPECT_EQ(Log, (std::vector<std::string>{"notify removing Bar0", "notify removed Bar0", "change removed Bar0"}));
  EXPECT_EQ(Host->Bars->NumberOfItems(), 0);
}

TEST_F(CollectionFixture, RemoveAllReportsOneChangeAndIdsAreNeverReused) {
  for (int I = 0; I < 3; ++I) Host->Bars->AppendNewItem();
  Free(Host->Bars->ItemAt(2));
  EXPECT_EQ(Host->Bars->AppendNewItem()->GetID(), 3);
  Log.clear();
  Host->Bars->RemoveAll();
  std::vector<std::string> Changes;
  for (const std::string& L : Log)
    if (L.rfind("change", 0) == 0) Changes.push_back(L);
  EXPECT_EQ(Changes, std::vector<std::string>{"change changed all"});
  EXPECT_EQ(Host->Bars->NumberOfItems(), 0);
  EXPECT_EQ(Form->GetComponentCount(), 1);
  EXPECT_THROW(Host->Bars->ItemAt(0), EListError);
}

TEST_F(CollectionFixture, MovingWithinTheCollection) {
  TcxComponentCollectionItem* A = Host->Bars->AppendNewItem();
  TcxComponentCollectionItem* B = Host->Bars->AppendNewItem();
  Log.clear();
  B->MoveToIndex(1);
  EXPECT_TRUE(Log.empty());
  B->MoveToIndex(0);
  EXPECT_EQ(Log, std::vector<std::string>{"change changed all"});
  EXPECT_EQ(B->PositionInCollection(), 0);
  EXPECT_EQ(A->PositionInCollection(), 1);
  A->MoveToCollection(nullptr);
  EXPECT_EQ(A->PositionInCollection(), -1);
  EXPECT_EQ(A->GetParentComponent(), nullptr);
}

TEST_F(CollectionFixture, StreamedItemsRejoinThroughTheirParentAndForeignClassesStayOut) {
  // What the reader does for a child component: create it with the form as owner, then set its parent.
  TBar* Read = TBar::Create(Form);
  Read->SetParentComponent(Host);
  EXPECT_EQ(Read->GetCollection(), Host->Bars);
  TOtherItem* Other = TOtherItem::Create(Form);
  Other->SetParentComponent(Host);
  EXPECT_EQ(Other->GetCollection(), nullptr);
  EXPECT_EQ(Host->Bars->NumberOfItems(), 1);
}

TEST_F(CollectionFixture, AssignRecreatesTheItemsInOneUpdate) {
  TBarHost* Source = TBarHost::Create(Form);
  Source->SetName("Source");
  for (int H : {20, 30}) static_cast<TBar*>(Source->Bars->AppendNewItem())->Height = H;
  Host->Bars->AppendNewItem();
  Log.clear();
  Host->Bars->Assign(Source->Bars);
  ASSERT_EQ(Host->Bars->NumberOfItems(), 2);
  EXPECT_EQ(static_cast<TBar*>(Host->Bars->ItemAt(1))->Height, 30);
  EXPECT_EQ(Log.back(), "change changed all");
  EXPECT_EQ(std::count_if(Log.begin(), Log.end(), [](const std::string& L) { return L.rfind("change", 0) == 0; }),
            1);
}

TEST(ComponentCollection, ParentWithoutOwnerMakesOwnerlessItemsTheCollectionFrees) {
  Log.clear();
  auto* Host = TBarHost::Create(nullptr);
  TcxComponentCollectionItem* A = Host->Bars->AppendNewItem();
  EXPECT_EQ(A->GetOwner(), nullptr);
  Log.clear();
  Free(Host);
  // No change is reported while the collection goes.
  EXPECT_EQ(Log, (std::vector<std::string>{"notify removing Bar0", "notify removed Bar0"}));
}

namespace {
class TButtonList : public TcxComponentList {
  SONVELT_CLASS(TButtonList, TcxComponentList)
public:
  TButtonList() = default;

protected:
  TClass ItemClassOf() const override { return TButtonControl::StaticClass(); }
};
struct TListSink {
  void Changed(TObject*, TComponent* C, TcxCollectionChangeKind K) {
    Log.push_back(std::string(KindName(K)) + " " + NameOf(C));
  }
  void Notified(TObject*, TComponent* C, TListNotification N) {
    Log.push_back("notify " + std::to_string(N) + " " + NameOf(C));
  }
};
}  // namespace

TEST(ComponentList, SignalsChangesRefusesForeignClassesAndDropsFreedComponents) {
  Log.clear();
  TListSink Sink;
  TOwned<TButtonList> List(TButtonList::Create());
  List->OnComponentListChanged = TcxComponentListChangeEvent(&Sink, &TListSink::Changed);
  List->OnNotify = TcxComponentListNotifyEvent(&Sink, &TListSink::Notified);
  TOwned<TComponent> Owner(TComponent::Create(nullptr));
  auto* OK = TButton::Create(Owner.get());
  OK->SetName("OK");
  auto* Edit = TEdit::Create(Owner.get());
  Edit->SetName("Edit");
  List->Add(OK);
  List->Add(Edit);
  EXPECT_EQ(List->GetCount(), 1);
  EXPECT_EQ(Log, (std::vector<std::string>{"notify 0 OK", "added OK"}));
  Log.clear();
  List->LockUpdates();
  List->Remove(OK);
  List->Add(OK);
  List->UnlockUpdates();
  EXPECT_EQ(Log, (std::vector<std::string>{"notify 2 OK", "notify 0 OK", "changed all"}));
  Log.clear();
  List->LockUpdates();
  List->CancelUpdates();
  EXPECT_TRUE(Log.empty());
  Free(OK);
  EXPECT_EQ(List->GetCount(), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"notify 1 OK", "removed OK"}));
}

TEST(RegisteredClassList, MostSpecificRegistrationWins) {
  TOwned<TcxRegisteredClassList> R(TcxRegisteredClassList::CreateRegistry());
  TClass A = TComponent::StaticClass(), B = TControl::StaticClass(), C = TEdit::StaticClass();
  R->RegisterPair(TButton::StaticClass(), C);
  R->RegisterPair(TWinControl::StaticClass(), A);
  R->RegisterPair(TButtonControl::StaticClass(), B);
  // Ancestors stand before descendants whatever the order of registration.
  ASSERT_EQ(R->GetCount(), 3);
  EXPECT_EQ(R->ItemClassAt(0), TWinControl::StaticClass());
  EXPECT_EQ(R->ItemClassAt(1), TButtonControl::StaticClass());
  EXPECT_EQ(R->ItemClassAt(2), TButton::StaticClass());
  struct Case {
    TClass Item, Expected;
  } Cases[] = {{TButton::StaticClass(), C},
               {TCheckBox::StaticClass(), B},
               {TEdit::StaticClass(), A},
               {TControl::StaticClass(), nullptr}};
  for (const Case& K : Cases) EXPECT_EQ(R->LookupClass(K.Item), K.Expected) << K.Item->ClassName();
  R->RegisterPair(TButtonControl::StaticClass(), B);
  EXPECT_EQ(R->GetCount(), 4);
  R->UnregisterPair(TButtonControl::StaticClass(), B);
  EXPECT_EQ(R->GetCount(), 2);
  EXPECT_EQ(R->LookupClass(TCheckBox::StaticClass()), A);
}

TEST(RegisteredClasses, DescriptionsAndLookupByExactName) {
  TOwned<TcxRegisteredClasses> R(TcxRegisteredClasses::CreateRegistry(true));
  R->RegisterWithDescription(TEdit::StaticClass(), "Text field|A field to type in");
  R->RegisterWithDescription(TEdit::StaticClass(), "Again");
  R->RegisterWithDescription(TButton::StaticClass(), "Button");
  ASSERT_EQ(R->GetCount(), 2);
  EXPECT_EQ(R->GetDescription(0), "Text field");
  EXPECT_EQ(R->FindByClassName("TButton"), TButton::StaticClass());
  EXPECT_EQ(R->FindByClassName("tbutton"), nullptr);
  EXPECT_EQ(GetClass("TEdit"), TEdit::StaticClass());
  R->UnregisterClassEntry(TEdit::StaticClass());
  EXPECT_EQ(R->GetClass(0), TButton::StaticClass());
}

namespace {
class TdxBarScreenTip : public TComponent {
  SONVELT_CLASS(TdxBarScreenTip, TComponent)
public:
  using TComponent::TComponent;
};
}  // namespace

TEST(UniqueNames, CandidatesFromBaseTextClassNameAndNumbers) {
  TOwned<TComponent> Owner(TComponent::Create(nullptr));
  auto* Repository = TComponent::Create(Owner.get());
  Repository->SetName("Tips");
  auto* Item = TdxBarScreenTip::Create(Owner.get());
  auto* Taken = TComponent::Create(Owner.get());
  Taken->SetName("Tipsscreentip1");
  struct Case {
    TComponent* NameComponent;
    const char* Prefix;
    const char* BaseText;
    const char* Expected;
  } Cases[] = {
      {nullptr, "", "7 Days", "dxBarScreenTip7Days"},
      {nullptr, "", "Open file", "Openfile"},
      {nullptr, "", "Gr\xC3\xB6\xC3\x9F" "e", "Gre"},
      {nullptr, "", "\xC3\xA9t\xC3\xA9", "t"},
      {nullptr, "", "\xE2\x82\xAC", "dxBarScreenTip"},
      {Repository, "TdxBar", "", "TipsScreenTip2"},
      {nullptr, "tdxbar", "", "ScreenTip1"},
      {nullptr, "", "", "dxBarScreenTip1"},
      {nullptr, "", "Tipsscreentip1", "Tipsscreentip11"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(MakeUniqueComponentName(Owner.get(), C.NameComponent, Item, C.Prefix, C.BaseText), C.Expected)
        << C.BaseText;
  // A name the item itself bears does not count as taken; others do, in any letter case.
  auto* Named = TComponent::Create(Owner.get());
  Named->SetName("Openfile");
  EXPECT_EQ(MakeUniqueComponentName(Owner.get(), nullptr, Item, "", "OPEN file"), "OPENfile1");
  EXPECT_EQ(MakeUniqueComponentName(Owner.get(), nullptr, Named, "", "Open file"), "Openfile");
}

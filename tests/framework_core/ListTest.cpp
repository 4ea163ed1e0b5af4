// Pointer lists, object lists and component lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Lists.h"

namespace {

std::vector<std::string> Heard;

class TLoggingList : public TList {
  SONVELT_CLASS(TLoggingList, TList)
protected:
  void Notify(void* Ptr, TListNotification Action) override {
    static const char* names[] = {"added", "extracted", "deleted"};
    Heard.push_back(std::string(names[Action]) + " " + *static_cast<std::string*>(Ptr));
  }
};

class TCounted : public TObject {
  SONVELT_CLASS(TCounted, TObject)
public:
  static inline int Alive = 0;
  int Value = 0;
  TCounted() { ++Alive; }
  explicit TCounted(int V) : Value(V) { ++Alive; }
  ~TCounted() override { --Alive; }
};

}  // namespace

TEST(List, NotifiesEveryChangeIncludingClearOnFree) {
  std::string a = "a", b = "b", c = "c", d = "d";
  Heard.clear();
  TLoggingList* l = TLoggingList::Create();
  l->Add(&a);
  l->Add(&b);
  l->Insert(0, &c);
  l->SetItem(1, &d);  // replaces a
  EXPECT_EQ(l->Extract(&b), &b);
  EXPECT_EQ(l->Extract(&b), nullptr);
  l->Add(&a);
  Free(l);  // clearing reaches the final class's Notify
  EXPECT_EQ(Heard, (std::vector<std::string>{"added a", "added b", "added c", "deleted a", "added d", "extracted b",
                                             "added a", "deleted a", "deleted d", "deleted c"}));
}

TEST(List, MoveExchangeSortPackAndIndexErrors) {
  int v[5] = {3, 1, 4, 1, 5};
  TList* l = TList::Create();
  for (int& x : v) l->Add(&x);
  auto values = [&] {
    std::vector<int> r;
    for (int i = 0; i < l->GetCount(); ++i) r.push_back(*static_cast<int*>(l->GetItem(i)));
    return r;
  };
  l->Move(0, 4);
  EXPECT_EQ(values(), (std::vector<int>{1, 4, 1, 5, 3}));
  l->Exchange(0, 1);
  EXPECT_EQ(values(), (std::vector<int>{4, 1, 1, 5, 3}));
  l->Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
  EXPECT_EQ(values(), (std::vector<int>{1, 1, 3, 4, 5}));
  EXPECT_EQ(l->IndexOf(&v[0]), 2);
  EXPECT_EQ(l->Remove(&v[0]), 2);
  EXPECT_EQ(l->IndexOf(&v[0]), -1);
  l->SetCount(6);
  EXPECT_EQ(l->GetItem(5), nullptr);
  l->Pack();
  EXPECT_EQ(l->GetCount(), 4);
  struct Case {
    std::function<void()> call;
    std::string message;
  } cases[] = {
      {[&] { l->GetItem(4); }, "List index out of bounds (4)"},
      {[&] { l->Delete(-1); }, "List index out of bounds (-1)"},
      {[&] { l->Insert(6, nullptr); }, "List index out of bounds (6)"},
      {[&] { l->Move(0, 9); }, "List index out of bounds (9)"},
      {[&] { l->SetCount(-2); }, "List count out of bounds (-2)"},
      {[&] { l->SetCapacity(1); }, "List capacity out of bounds (1)"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.message;
    } catch (const EListError& e) {
      EXPECT_EQ(e.GetMessage(), c.message);
    }
  }
  EXPECT_EQ(l->GetCount(), 4);
  Free(l);
}

TEST(ObjectList, FreesOwnedObjectsButNotExtractedOnes) {
  TCounted::Alive = 0;
  TObjectList* l = TObjectList::Create();
  TCounted* kept = TCounted::Create(1);
  l->Add(kept);
  l->Add(TCounted::Create(2));
  l->Add(TCounted::Create(3));
  EXPECT_EQ(TCounted::Alive, 3);
  l->Delete(1);
  EXPECT_EQ(TCounted::Alive, 2);
  EXPECT_EQ(l->Extract(kept), kept);
  EXPECT_EQ(l->FindInstanceOf(TCounted::StaticClass()), 0);
  EXPECT_EQ(l->FindInstanceOf(TObject::StaticClass(), false), 0);
  EXPECT_EQ(l->FindInstanceOf(TObject::StaticClass(), true), -1);
  Free(l);
  EXPECT_EQ(TCounted::Alive, 1);
  Free(kept);

  TObjectList* notOwning = TObjectList::Create(false);
  TCounted* x = TCounted::Create();
  notOwning->Add(x);
  Free(notOwning);
  EXPECT_EQ(TCounted::Alive, 1);
  Free(x);
}

TEST(ComponentList, DropsComponentsFreedElsewhere) {
  TComponent* owner = TComponent::Create(nullptr);
  TComponent* a = TComponent::Create(owner);
  TComponent* b = TComponent::Create(owner);
  TComponentList* l = TComponentList::Create(false);
  l->Add(a);
  l->Add(b);
  Free(a);
  ASSERT_EQ(l->GetCount(), 1);
  EXPECT_EQ(l->GetItem(0), b);
  Free(l);
  Free(owner);  // b no longer tells the freed list

  TComponentList* owning = TComponentList::Create();
  TComponent* c = TComponent::Create(nullptr);
  owning->Add(c);
  int before = 0;
  owning->Delete(0);  // frees c
  EXPECT_EQ(owning->GetCount(), before);
  Free(owning);
}

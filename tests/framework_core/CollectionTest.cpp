// Collections: items of the collection's class, IDs, moves and update notices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"

namespace {

std::vector<std::string> Log;

class TBand : public TCollectionItem {
  SONVELT_CLASS(TBand, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  int Gain = 0;
  void SetGain(int Value) {
    Gain = Value;
    Changed(false);
  }
  std::string GetDisplayName() const override { return "Band " + std::to_string(Gain); }
  void Assign(TPersistent* Source) override {
    if (auto* b = dynamic_cast<TBand*>(Source)) {
      SetGain(b->Gain);
      return;
    }
    TCollectionItem::Assign(Source);
  }
};

class TBands : public TOwnedCollection {
  SONVELT_CLASS(TBands, TOwnedCollection)
public:
  explicit TBands(TPersistent* AOwner) : TOwnedCollection(AOwner, TBand::StaticClass()) {}
  TBand* Band(int i) const { return static_cast<TBand*>(GetItem(i)); }

protected:
  void Update(TCollectionItem* Item) override {
    Log.push_back(Item ? "update " + Item->GetDisplayName() : "update all");
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    static const char* names[] = {"added", "extracting", "deleting"};
    // The item is whole here: its display name comes from the final class.
    Log.push_back(std::string(names[Action]) + " " + Item->GetDisplayName());
  }
};

class TOtherItem : public TCollectionItem {
  SONVELT_CLASS(TOtherItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
};

}  // namespace

TEST(Collection, AddDeleteAndUpdateNotices) {
  TComponent* owner = TComponent::Create(nullptr);
  owner->SetName("Equalizer");
  TBands* bands = TBands::Create(owner);
  Log.clear();
  TBand* a = static_cast<TBand*>(bands->Add());
  a->SetGain(3);
  TBand* b = static_cast<TBand*>(bands->Add());
  EXPECT_EQ(Log, (std::vector<std::string>{"added Band 0", "update all", "update Band 3", "added Band 0", "update all"}));
  EXPECT_EQ(a->GetID(), 0);
  EXPECT_EQ(b->GetID(), 1);
  EXPECT_EQ(b->GetIndex(), 1);
  EXPECT_EQ(b->GetCollection(), bands);
  EXPECT_EQ(bands->GetOwner(), owner);
  EXPECT_EQ(b->GetNamePath(), "Equalizer.Items[1]");
  Log.clear();
  bands->Delete(0);
  EXPECT_EQ(Log, (std::vector<std::string>{"deleting Band 3", "extracting Band 3", "update all"}));
  EXPECT_EQ(bands->Add()->GetID(), 2);  // IDs are not reused
  EXPECT_EQ(bands->FindItemID(1), b);
  EXPECT_EQ(bands->FindItemID(0), nullptr);
  try {
    bands->GetItem(5);
    ADD_FAILURE();
  } catch (const EListError& e) {
    EXPECT_EQ(e.GetMessage(), "List index out of bounds (5)");
  }
  Free(bands);
  Free(owner);
}

TEST(Collection, UpdatesHeldUntilTheLastEndUpdate) {
  TBands* bands = TBands::Create(nullptr);
  Log.clear();
  bands->BeginUpdate();
  bands->Add();
  bands->BeginUpdate();
  static_cast<TBand*>(bands->Add())->SetGain(1);
  bands->Clear();
  bands->EndUpdate();
  std::vector<std::string> updates;
  for (auto& l : Log)
    if (l.rfind("update", 0) == 0) updates.push_back(l);
  EXPECT_TRUE(updates.empty());
  bands->EndUpdate();
  EXPECT_EQ(Log.back(), "update all");
  Free(bands);
}

TEST(Collection, IndexMovesInsertAssignAndItemClass) {
  TBands* bands = TBands::Create(nullptr);
  for (int g : {10, 20, 30}) static_cast<TBand*>(bands->Add())->SetGain(g);
  bands->Band(2)->SetIndex(0);
  std::vector<int> gains;
  for (int i = 0; i < bands->GetCount(); ++i) gains.push_back(bands->Band(i)->Gain);
  EXPECT_EQ(gains, (std::vector<int>{30, 10, 20}));
  EXPECT_THROW(bands->Band(0)->SetIndex(3), EListError);
  static_cast<TBand*>(bands->Insert(1))->SetGain(15);
  EXPECT_EQ(bands->Band(1)->Gain, 15);

  TBands* copy = TBands::Create(nullptr);
  copy->Assign(bands);
  ASSERT_EQ(copy->GetCount(), 4);
  EXPECT_EQ(copy->Band(3)->Gain, 20);

  // An item moves between collections; a foreign item class is refused.
  TBand* moved = copy->Band(0);
  moved->SetCollection(bands);
  EXPECT_EQ(copy->GetCount(), 3);
  EXPECT_EQ(bands->GetCount(), 5);
  EXPECT_EQ(moved->GetIndex(), 4);
  EXPECT_THROW(TOtherItem::Create(bands), EInvalidOperation);
  EXPECT_EQ(bands->GetCount(), 5);
  Free(copy);
  Free(bands);
}

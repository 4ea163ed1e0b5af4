// The loading protocol: states while reading, the reader's parent, references,
// the Loaded pass, and the same states for trees built in code.
#include <gtest/gtest.h>

#include "framework/ComponentStreams.h"
#include "framework/Reader.h"
#include "tests/framework_streams/StreamTest.h"

namespace {

using Lines = std::vector<std::string>;

using Protocol = StreamTest;

Bytes ThreeThings() {
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  root->SetName("R");
  TThing* a = MakeThing(root.get(), "A");
  TThing* inner = MakeThing(root.get(), "Inner", a);
  TThing* c = MakeThing(root.get(), "C");
  a->SetCount(1);
  a->SetPeer(c);
  inner->SetCount(2);
  inner->SetPeer(a);
  c->SetCount(3);
  return Written(root.get());
}

TEST_F(Protocol, StatesReferencesAndLoadedComeInTheirOrder) {
  const Bytes stream = ThreeThings();
  Log.clear();
  TOwned<TComponent> root(ReadBack(stream));
  EXPECT_EQ(Log, (Lines{"R.ReadState LR",
                        "create L", "A.ReadState in R LR", "A.Count=1 LR",
                        "create L", "Inner.ReadState in A LR", "Inner.Count=2 LR", "Inner.Peer=A",
                        "create L", "C.ReadState in R LR", "C.Count=3 LR",
                        "A.Peer=C",
                        "R.Loaded", "Inner.Loaded peer A", "A.Loaded peer C", "C.Loaded"}));
  EXPECT_TRUE(root->GetComponentState().Empty());
  for (int i = 0; i < root->GetComponentCount(); ++i) {
    const TComponentState s = root->GetComponent(i)->GetComponentState();
    EXPECT_FALSE(s.Contains(csLoading) || s.Contains(csReading));
  }
}

TEST_F(Protocol, ReadingIntoAnExistingRootRenamesItUniquely) {
  const Bytes stream = ThreeThings();
  TOwned<TComponent> owner(TComponent::Create(nullptr));
  TComponent* taken = TComponent::Create(owner.get());
  taken->SetName("R");
  TThingRoot* root = TThingRoot::Create(owner.get());
  Log.clear();
  EXPECT_EQ(ReadBack(stream, root), root);
  EXPECT_EQ(root->GetName(), "R_1");
  EXPECT_EQ(root->GetComponentCount(), 3);
  EXPECT_EQ(Log.front(), "R_1.ReadState LR");
  EXPECT_EQ(Log[Log.size() - 4], "R_1.Loaded");
}

TEST_F(Protocol, ChildrenKeepTheOrderGetChildrenGaveThem) {
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  TThing* box = MakeThing(root.get(), "Box");
  MakeThing(root.get(), "Second", box);
  MakeThing(root.get(), "First", box);
  box->SetChildOrder(box->GetChildThings()[1], 0);
  TOwned<TComponent> copy(ReadBack(Written(root.get())));
  const auto& children = As<TThing>(copy->FindComponent("Box"))->GetChildThings();
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(children[0]->GetName(), "First");
  EXPECT_EQ(children[1]->GetName(), "Second");
}

// A tree built in code gets the states and the Loaded pass a stream gives.
TEST_F(Protocol, LoadingScopeGivesCodeBuiltTreesTheSameStates) {
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  root->SetName("R");
  {
    TLoadingScope scope(root.get());
    TThing* a = scope.Create<TThing>(root.get());
    a->SetName("A");
    a->SetCount(4);
    TThing* b = scope.Create<TThing>(root.get());
    b->SetName("B");
    TThing* plain = TThing::Create(root.get());
    plain->SetName("Plain");
    plain->SetCount(5);
    scope.Finish();
    EXPECT_TRUE(a->GetComponentState().Empty());
  }
  EXPECT_EQ(Log, (Lines{"create L", "A.Count=4 LR", "create L", "create ", "Plain.Count=5 ", "R.Loaded",
                        "A.Loaded", "B.Loaded"}));
  EXPECT_TRUE(root->GetComponentState().Empty());
}

TEST_F(Protocol, LoadingScopeLeftByAnErrorCallsNoLoaded) {
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  TThing* a = nullptr;
  try {
    TLoadingScope scope(root.get());
    a = scope.Create<TThing>(root.get());
    throw EAbort();
  } catch (const EAbort&) {
  }
  EXPECT_EQ(Log, (Lines{"create L"}));
  EXPECT_TRUE(a->GetComponentState().Empty());
  EXPECT_TRUE(root->GetComponentState().Empty());
}

}  // namespace

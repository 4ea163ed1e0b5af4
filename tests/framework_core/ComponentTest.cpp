// Ownership, names and notifications of components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Exceptions.h"

namespace {

std::vector<std::string> Events;

class TWatched : public TComponent {
  SONVELT_CLASS(TWatched, TComponent)
public:
  using TComponent::TComponent;
  TComponent* Peer = nullptr;
  void BeforeDestruction() override {
    Events.push_back("free " + GetName());
    TComponent::BeforeDestruction();
  }
  void Loaded() override {
    TComponent::Loaded();
    Events.push_back("loaded " + GetName());
  }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    Events.push_back(GetName() + (Operation == opInsert ? " hears insert " : " hears remove ") +
                     AComponent->ClassName() + ":" + AComponent->GetName());
    if (Operation == opRemove && AComponent == Peer) Peer = nullptr;
  }
};

// Derived from TWatched so that notices reaching it during construction show the final class.
class TSpecial : public TWatched {
  SONVELT_CLASS(TSpecial, TWatched)
public:
  using TWatched::TWatched;
};

TWatched* Named(TComponent* owner, const std::string& name) {
  auto* c = TWatched::Create(owner);
  c->SetName(name);
  return c;
}

class TCheck : public TComponent {
  SONVELT_CLASS(TCheck, TComponent)
public:
  using TComponent::TComponent;
  bool* SawDestroying = nullptr;
  void BeforeDestruction() override {
    TComponent::BeforeDestruction();
    *SawDestroying = GetComponentState().Contains(csDestroying);
  }
};

}  // namespace

TEST(ComponentOwnership, OwnerListsFindsAndFreesInReverseOrder) {
  Events.clear();
  TWatched* owner = Named(nullptr, "Owner");
  TWatched* a = Named(owner, "A");
  TWatched* b = Named(owner, "B");
  TWatched* c = Named(owner, "C");
  ASSERT_EQ(owner->GetComponentCount(), 3);
  EXPECT_EQ(owner->GetComponent(0), a);
  EXPECT_EQ(c->GetComponentIndex(), 2);
  EXPECT_EQ(owner->FindComponent("b"), b);
  EXPECT_EQ(owner->FindComponent("missing"), nullptr);
  EXPECT_THROW(owner->GetComponent(3), EListError);
  Events.clear();
  Free(owner);
  EXPECT_EQ(Events, (std::vector<std::string>{"free Owner", "free C", "free B", "free A"}));
}

TEST(ComponentOwnership, InsertNoticeReachesOwnerAndSiblingsWithTheFinalClass) {
  TWatched* owner = Named(nullptr, "Owner");
  Named(owner, "A");
  Events.clear();
  TSpecial::Create(owner);
  // The new component hears of itself too, as every owned component does.
  EXPECT_EQ(Events, (std::vector<std::string>{" hears insert TSpecial:", "A hears insert TSpecial:",
                                               "Owner hears insert TSpecial:"}));
  Events.clear();
  Free(owner->GetComponent(1));
  EXPECT_EQ(Events, (std::vector<std::string>{"free ", " hears remove TSpecial:", "A hears remove TSpecial:",
                                               "Owner hears remove TSpecial:"}));
  EXPECT_EQ(owner->GetComponentCount(), 1);
  Free(owner);
}

TEST(ComponentNames, ValidatesAndKeepsThemUniquePerOwner) {
  TWatched* owner = Named(nullptr, "Owner");
  TWatched* a = Named(owner, "Button1");
  TWatched* b = Named(owner, "Button2");
  struct Case {
    std::string name;
    std::string error;  // empty: accepted
  } cases[] = {
      {"1Button", "'1Button' is not a valid component name"},
      {"Has Space", "'Has Space' is not a valid component name"},
      {"BUTTON1", "A component named BUTTON1 already exists"},
      {"_Ok2", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.error.empty()) {
      b->SetName(c.name);
      EXPECT_EQ(b->GetName(), c.name);
    } else {
      try {
        b->SetName(c.name);
        ADD_FAILURE() << "accepted";
      } catch (const EComponentError& e) {
        EXPECT_EQ(e.GetMessage(), c.error);
      }
    }
  }
  a->SetName("BUTTON1");  // a case change of its own name is fine
  EXPECT_EQ(owner->FindComponent("button1"), a);
  Free(owner);
}

TEST(ComponentNotification, FreeNotificationClearsReferencesAcrossOwners) {
  TWatched* formA = Named(nullptr, "FormA");
  TWatched* formB = Named(nullptr, "FormB");
  TWatched* user = Named(formA, "User");
  TWatched* images = Named(formB, "Images");
  user->Peer = images;
  images->FreeNotification(user);
  EXPECT_TRUE(images->GetComponentState().Contains(csFreeNotification));
  Events.clear();
  Free(images);
  EXPECT_EQ(user->Peer, nullptr);
  EXPECT_EQ(Events[1], "User hears remove TWatched:Images");

  // Once removed, a later free is not reported.
  TWatched* other = Named(formB, "Other");
  other->FreeNotification(user);
  other->RemoveFreeNotification(user);
  user->Peer = other;
  Free(other);
  EXPECT_EQ(user->Peer, other);
  // Freeing the listener first must leave nothing dangling in the sender.
  TWatched* sender = Named(formB, "Sender");
  sender->FreeNotification(user);
  Free(formA);
  Free(formB);
}

TEST(ComponentState, LoadingDesigningAndDestroying) {
  TWatched* owner = Named(nullptr, "Owner");
  owner->SetComponentState({csLoading, csDesigning});
  TWatched* child = Named(owner, "Child");
  EXPECT_TRUE(child->GetComponentState().Contains(csDesigning));
  Events.clear();
  owner->EndLoading();
  EXPECT_FALSE(owner->GetComponentState().Contains(csLoading));
  EXPECT_EQ(Events, (std::vector<std::string>{"loaded Owner"}));

  bool saw = false;
  TCheck* check = TCheck::Create(owner);
  check->SawDestroying = &saw;
  Free(owner);
  EXPECT_TRUE(saw);
}

TEST(Persistent, AssignWithoutSupportRaisesTheAssignError) {
  TComponent* a = TComponent::Create(nullptr);
  TWatched* b = TWatched::Create(nullptr);
  struct Case {
    TPersistent* source;
    std::string message;
  } cases[] = {{b, "Cannot assign a TWatched to a TComponent"}, {nullptr, "Cannot assign a nil to a TComponent"}};
  for (const Case& c : cases) {
    try {
      a->Assign(c.source);
      ADD_FAILURE() << c.message;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.GetMessage(), c.message);
    }
  }
  Free(a);
  Free(b);
}

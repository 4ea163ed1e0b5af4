#include "suite/navbar/NavBarNavPaneAccessibility.h"

#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarNavPaneController.h"
#include "suite/navbar/NavBarNavPaneViewInfo.h"

namespace {
int ParentState(TcxAccessibilityHelper* Parent) { return Parent ? Parent->StateOf(0) : STATE_SYSTEM_INVISIBLE; }
TdxNavBarNavigationPaneController* PaneController(TdxCustomNavBar* Bar) {
  return dynamic_cast<TdxNavBarNavigationPaneController*>(Bar->GetController());
}
}  // namespace

// The overflow panel's button at a position.
class TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper : public TdxNavBarItemCollectionItemAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper, TdxNavBarItemCollectionItemAccessibilityHelper)
public:
  using TdxNavBarItemCollectionItemAccessibilityHelper::TdxNavBarItemCollectionItemAccessibilityHelper;
  TdxNavBarOverflowPanelViewInfo* Panel() {
    return static_cast<TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper*>(FCollection)->GetPanel();
  }
  int StateOf(int Element) override {
    int S = TdxNavBarItemCollectionItemAccessibilityHelper::StateOf(Element);
    if (Usable() && ItemNumber >= Panel()->ShownButtonCount) S |= STATE_SYSTEM_INVISIBLE;
    return S;
  }
  RECT GetBounds() override {
    if (!Usable() || ItemNumber >= Panel()->ItemCount()) return RECT{};
    return Panel()->Buttons[static_cast<size_t>(ItemNumber)].ButtonBounds;
  }
  void Click(WORD) override {
    if (!Usable() || ItemNumber >= Panel()->ItemCount()) return;
    GetOwningNavBar()->DoGroupMouseUp(Panel()->Buttons[static_cast<size_t>(ItemNumber)].TargetGroup);
  }
};

// The chevron of the configuration menu.
class TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper : public TdxNavBarItemCollectionItemAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper, TdxNavBarItemCollectionItemAccessibilityHelper)
public:
  using TdxNavBarItemCollectionItemAccessibilityHelper::TdxNavBarItemCollectionItemAccessibilityHelper;
  TdxNavBarOverflowPanelViewInfo* Panel() {
    return static_cast<TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper*>(FCollection)->GetPanel();
  }
  RECT GetBounds() override { return Usable() ? Panel()->SignBounds : RECT{}; }
  void Click(WORD) override {
    if (!Usable()) return;
    RECT S = ScreenBoundsOf(0);
    if (TdxNavBarNavigationPaneController* C = PaneController(GetOwningNavBar()))
      C->ShowConfigurationMenu(POINT{(S.left + S.right) / 2, (S.top + S.bottom) / 2});
  }
};

// A link listed under the collapse bar.
class TdxNavBarItemPanelItemAccessibilityHelper : public TdxNavBarItemCollectionItemAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarItemPanelItemAccessibilityHelper, TdxNavBarItemCollectionItemAccessibilityHelper)
public:
  using TdxNavBarItemCollectionItemAccessibilityHelper::TdxNavBarItemCollectionItemAccessibilityHelper;
  TdxNavBarItemPanelViewInfo* Panel() {
    return static_cast<TdxNavBarItemPanelAccessibilityHelper*>(FCollection)->GetPanel();
  }
  bool IsStrictlyFocusable() override { return true; }
  RECT GetBounds() override {
    if (!Usable() || ItemNumber >= Panel()->ItemCount()) return RECT{};
    return Panel()->Entries[static_cast<size_t>(ItemNumber)].EntryBounds;
  }
  void Click(WORD) override {
    if (!Usable() || ItemNumber >= Panel()->ItemCount()) return;
    TdxCustomNavBar* Bar = GetOwningNavBar();
    if (TdxNavBarController* C = Bar->GetController())
      C->DoLinkClick(Bar, Panel()->Entries[static_cast<size_t>(ItemNumber)].Link);
  }
};

// The collapse bar of a collapsed pane.
class TdxNavBarItemPanelCollapseBarAccessibilityHelper : public TdxNavBarItemCollectionItemAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarItemPanelCollapseBarAccessibilityHelper, TdxNavBarItemCollectionItemAccessibilityHelper)
public:
  using TdxNavBarItemCollectionItemAccessibilityHelper::TdxNavBarItemCollectionItemAccessibilityHelper;
  TdxNavBarItemPanelViewInfo* Panel() {
    return static_cast<TdxNavBarItemPanelAccessibilityHelper*>(FCollection)->GetPanel();
  }
  bool IsStrictlyFocusable() override { return true; }
  RECT GetBounds() override { return Usable() ? Panel()->CollapseBarBounds : RECT{}; }
  void Click(WORD) override {
    if (!Usable()) return;
    if (TdxNavBarNavigationPaneController* C = PaneController(GetOwningNavBar())) C->OpenPopup();
  }
};

// ---- collections

void TdxNavBarItemCollectionAccessibilityHelper::NoteOwnerDestroyed() {
  for (auto& I : FItems) ReleaseNavBarAccessibilityHelper(I);
  FItems.clear();
  ReleaseNavBarAccessibilityHelper(FExtra);
  TdxNavBarCustomAccessibilityHelper::NoteOwnerDestroyed();
}

void TdxNavBarItemCollectionAccessibilityHelper::Resynchronise() {
  if (!Usable()) return;
  int N = HelperItemCount();
  while (static_cast<int>(FItems.size()) < N) {
    TdxNavBarCustomAccessibilityHelper* H = CreateItemHelper();
    static_cast<TdxNavBarItemCollectionItemAccessibilityHelper*>(H)->ItemNumber = static_cast<int>(FItems.size());
    FItems.push_back(ObtainNavBarAccessibilityHelper(H));
  }
  while (static_cast<int>(FItems.size()) > N) {
    ReleaseNavBarAccessibilityHelper(FItems.back());
    FItems.pop_back();
  }
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarItemCollectionAccessibilityHelper::ItemHelper(int Index) {
  Resynchronise();
  return Index >= 0 && Index < static_cast<int>(FItems.size()) ? FItems[static_cast<size_t>(Index)]->GetNavBarHelper()
                                                                : nullptr;
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarItemCollectionAccessibilityHelper::ExtraHelper() {
  if (!FExtra && Usable()) FExtra = ObtainNavBarAccessibilityHelper(CreateExtraHelper());
  return FExtra ? FExtra->GetNavBarHelper() : nullptr;
}

int TdxNavBarItemCollectionAccessibilityHelper::ChildCount() {
  if (!Usable()) return 0;
  Resynchronise();
  return AttachedChildCount() + static_cast<int>(FItems.size()) + 1;
}

TcxAccessibilityHelper* TdxNavBarItemCollectionAccessibilityHelper::ChildHelper(int Index) {
  if (!Usable()) return nullptr;
  if (Index < AttachedChildCount()) return TdxNavBarCustomAccessibilityHelper::ChildHelper(Index);
  Index -= AttachedChildCount();
  Resynchronise();
  if (Index < static_cast<int>(FItems.size())) return ItemHelper(Index);
  return Index == static_cast<int>(FItems.size()) ? ExtraHelper() : nullptr;
}

TcxAccessibilityHelper* TdxNavBarItemCollectionAccessibilityHelper::ParentHelper() {
  return Usable() ? GetOwningNavBar()->GetAccessibilityHelper() : nullptr;
}

int TdxNavBarItemCollectionItemAccessibilityHelper::StateOf(int) {
  return Usable() ? ParentState(ParentHelper()) : STATE_SYSTEM_INVISIBLE;
}

TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper(
    TdxNavBarOverflowPanelViewInfo* APanel, TdxCustomNavBar* ANavBar)
    : TdxNavBarItemCollectionAccessibilityHelper(APanel, ANavBar), FPanel(APanel) {}

int TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = ParentState(ParentHelper());
  if (!FPanel->GetPaneViewInfo()->IsOverflowPanelShown()) S |= STATE_SYSTEM_INVISIBLE;
  return S;
}
RECT TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::GetBounds() {
  return Usable() ? FPanel->PanelBounds : RECT{};
}
int TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::HelperItemCount() { return FPanel->ItemCount(); }
TdxNavBarCustomAccessibilityHelper* TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::CreateItemHelper() {
  return TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper::Create(this, GetOwningNavBar(), 0);
}
TdxNavBarCustomAccessibilityHelper* TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::CreateExtraHelper() {
  return TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper::Create(this, GetOwningNavBar(), -1);
}

TdxNavBarItemPanelAccessibilityHelper::TdxNavBarItemPanelAccessibilityHelper(TdxNavBarItemPanelViewInfo* APanel,
                                                                             TdxCustomNavBar* ANavBar)
    : TdxNavBarItemCollectionAccessibilityHelper(APanel, ANavBar), FPanel(APanel) {}

int TdxNavBarItemPanelAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = ParentState(ParentHelper());
  if (!FPanel->GetPaneViewInfo()->IsCollapsed()) S |= STATE_SYSTEM_INVISIBLE;
  return S;
}
RECT TdxNavBarItemPanelAccessibilityHelper::GetBounds() { return Usable() ? FPanel->PanelBounds : RECT{}; }
int TdxNavBarItemPanelAccessibilityHelper::HelperItemCount() { return FPanel->ItemCount(); }
TdxNavBarCustomAccessibilityHelper* TdxNavBarItemPanelAccessibilityHelper::CreateItemHelper() {
  return TdxNavBarItemPanelItemAccessibilityHelper::Create(this, GetOwningNavBar(), 0);
}
TdxNavBarCustomAccessibilityHelper* TdxNavBarItemPanelAccessibilityHelper::CreateExtraHelper() {
  return TdxNavBarItemPanelCollapseBarAccessibilityHelper::Create(this, GetOwningNavBar(), -1);
}

// ---- caption panel and header sign

TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::
    TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper(TdxNavBarNavigationPaneViewInfo* APane,
                                                                      TdxCustomNavBar* ANavBar)
    : TdxNavBarCustomAccessibilityHelper(APane, ANavBar), FPane(APane) {}

TcxAccessibilityHelper* TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::ParentHelper() {
  return Usable() ? GetOwningNavBar()->GetAccessibilityHelper() : nullptr;
}

TdxNavBarGroupViewInfo* TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::ActiveButton() {
  TdxNavBarGroup* A = GetOwningNavBar()->GetActiveGroup();
  if (!A) return nullptr;
  for (int I = FPane->PanelGroupCount(); I < FPane->GroupCount(); ++I)
    if (FPane->Groups(I)->GetGroup() == A) return FPane->Groups(I);
  return nullptr;
}

int TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = ParentState(ParentHelper());
  TdxNavBarGroup* A = GetOwningNavBar()->GetActiveGroup();
  if (!A || !A->GetVisible() || !GetOwningNavBar()->GetShowGroupCaptions() || !ActiveButton())
    S |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
  return S;
}

RECT TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::GetBounds() {
  TdxNavBarGroupViewInfo* B = Usable() ? ActiveButton() : nullptr;
  return B ? B->Rect : RECT{};
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::GetFocusProxy() {
  if (!Usable() || !SelfVisible()) return nullptr;
  TdxNavBarGroup* A = GetOwningNavBar()->GetActiveGroup();
  return A ? A->GetCaptionPanelAccessibilityHelper() : nullptr;
}

TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::TdxNavBarNavigationPaneHeaderSignAccessibilityHelper(
    TdxNavBarNavigationPaneViewInfo* APane, TdxCustomNavBar* ANavBar)
    : TdxNavBarCustomAccessibilityHelper(APane, ANavBar), FPane(APane) {}

TcxAccessibilityHelper* TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::ParentHelper() {
  return Usable() ? GetOwningNavBar()->GetAccessibilityHelper() : nullptr;
}

int TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = ParentState(ParentHelper());
  if (!GetOwningNavBar()->GetOptionsBehavior()->GetNavigationPane()->GetCollapsible())
    S |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
  return S;
}

RECT TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::GetBounds() {
  return Usable() ? FPane->HeaderSignBounds : RECT{};
}

void TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::Click(WORD) {
  if (!Usable()) return;
  if (TdxNavBarNavigationPaneController* C = PaneController(GetOwningNavBar())) C->DoPartClick(TdxNavBarPartRef{2, -1});
}

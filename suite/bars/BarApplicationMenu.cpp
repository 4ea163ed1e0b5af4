#include "suite/bars/BarApplicationMenu.h"

#include <cmath>

#include "suite/bars/BarComponents.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/ObjectLinks.h"

int ApplicationMenuExtraPaneWidth(int FixedWidth, double Ratio, int ContentWidth, int TextSize,
                                  int DefaultTextHeight) {
  if (FixedWidth != 0) return DefaultTextHeight > 0 ? MulDiv(FixedWidth, TextSize, DefaultTextHeight) : FixedWidth;
  return static_cast<int>(std::lround(Ratio * ContentWidth));
}

TdxBarApplicationMenuAreas ApplicationMenuAreas(const RECT& SubMenuItems, const RECT& ClientContent,
                                                int ExtraPaneWidth, bool Customizing) {
  TdxBarApplicationMenuAreas A;
  A.Items = SubMenuItems;
  A.Buttons = RECT{SubMenuItems.left, SubMenuItems.bottom + 4, SubMenuItems.right, ClientContent.bottom - 4};
  if (!Customizing) {
    A.ExtraPane = RECT{SubMenuItems.right - ExtraPaneWidth, SubMenuItems.top, SubMenuItems.right, SubMenuItems.bottom};
    A.Items.right = A.ExtraPane.left;
  }
  return A;
}

RECT ApplicationMenuInsets(const RECT& SubMenuInsets, const RECT& PainterInsets, double Scale) {
  auto Scaled = [Scale](LONG V) { return static_cast<LONG>(std::lround(V * Scale)); };
  return RECT{SubMenuInsets.left + Scaled(PainterInsets.left), SubMenuInsets.top + Scaled(PainterInsets.top),
              SubMenuInsets.right + Scaled(PainterInsets.right), SubMenuInsets.bottom + Scaled(PainterInsets.bottom)};
}

TdxBarApplicationMenuPosition ApplicationMenuStep(const std::vector<std::vector<bool>>& Groups,
                                                  TdxBarApplicationMenuPosition From, bool Forward) {
  const int Count = static_cast<int>(Groups.size());
  // The extra pane (group 1) takes part only with more than one link.
  auto Present = [&](int G) { return !Groups[G].empty() && (G != 1 || Groups[G].size() > 1); };
  auto Selectable = [&](int G, int I) { return Groups[G][static_cast<size_t>(I)]; };
  if (From.Group < 0 || From.Group >= Count) return From;
  int G = From.Group, I = From.Index;
  // One lap through every link, starting after (or before) From.
  int Total = 0;
  for (const auto& Group : Groups) Total += static_cast<int>(Group.size());
  for (int Steps = 0; Steps <= Total; ++Steps) {
    I += Forward ? 1 : -1;
    int Size = static_cast<int>(Groups[G].size());
    if (!Present(G) || I < 0 || I >= Size) {
      do G = (G + (Forward ? 1 : Count - 1)) % Count;
      while (!Present(G) && G != From.Group);
      if (!Present(G)) return From;
      I = Forward ? 0 : static_cast<int>(Groups[G].size()) - 1;
    }
    if (Selectable(G, I)) return TdxBarApplicationMenuPosition{G, I};
  }
  return From;
}

WORD ExtraPaneKey(WORD Key, bool Shift) { return Key == VK_TAB ? (Shift ? VK_UP : VK_DOWN) : Key; }

std::vector<RECT> PlaceApplicationMenuButtons(const RECT& Area, const std::vector<int>& Widths) {
  constexpr int Gap = 6;
  std::vector<RECT> Rects(Widths.size(), RECT{0, 0, 0, 0});
  int X = Area.left;
  size_t Placed = 0;
  for (; Placed < Widths.size(); ++Placed) {
    if (X + Widths[Placed] > Area.right) break;
    Rects[Placed] = RECT{X, Area.top, X + Widths[Placed], Area.bottom};
    X += Widths[Placed] + Gap;
  }
  if (Placed == 0) return Rects;
  // The row is right-aligned.
  int Shift = Area.right - Rects[Placed - 1].right;
  for (size_t I = 0; I < Placed; ++I) OffsetRect(&Rects[I], Shift, 0);
  return Rects;
}

// ---- TdxBarApplicationMenuButton

TdxBarApplicationMenuButton::TdxBarApplicationMenuButton(TCollection* Collection)
    : TCollectionItem(Collection), FNotifyList(TdxBarComponentList::Create()) {
  auto* Buttons = dynamic_cast<TdxBarApplicationMenuButtons*>(Collection);
  auto* Internal = TdxBarApplicationMenuButtonItem::Create(Buttons ? Buttons->GetBarManager() : nullptr);
  FInternalItem = CreateObjectLink(Internal);
  Internal->SetVisible(ivNever);
  Internal->OnClick = Bind(this, &TdxBarApplicationMenuButton::InternalItemClick);
  BarDesignControllerInstance()->AddInternalItem(Internal, nullptr);
  FNotifyList->OnComponentListChanged = Bind(this, &TdxBarApplicationMenuButton::ItemChanged);
}

TdxBarApplicationMenuButton::~TdxBarApplicationMenuButton() {
  FNotifyList->OnComponentListChanged = {};
  FNotifyList.reset();
  TdxBarApplicationMenuButtonItem* Internal = GetInternalItem();
  DropObjectLink(FInternalItem);
  Free(Internal);
}

TdxBarApplicationMenuButtonItem* TdxBarApplicationMenuButton::GetInternalItem() const {
  return static_cast<TdxBarApplicationMenuButtonItem*>(FInternalItem ? FInternalItem->Ref : nullptr);
}

void TdxBarApplicationMenuButton::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TdxBarApplicationMenuButton*>(Source)) {
    SetWidth(Other->GetWidth());
    SetItem(Other->GetItem());
    return;
  }
  TCollectionItem::Assign(Source);
}

void TdxBarApplicationMenuButton::SetItem(TdxBarButton* Value) {
  if (FItem == Value) return;
  FNotifyList->LockUpdates();
  if (FItem) FNotifyList->Remove(FItem);
  FItem = Value;
  if (FItem) FNotifyList->Add(FItem);
  FNotifyList->CancelUpdates();
  Synchronize();
}

void TdxBarApplicationMenuButton::ItemChanged(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind) {
  (void)Sender, (void)Component;
  if (Kind == cckRemoved || Kind == cckDeleted) {
    // The application's button went: the internal item shows nothing.
    FItem = nullptr;
    Synchronize();
  } else if (Kind == cckChanged) {
    Synchronize();
  }
}

void TdxBarApplicationMenuButton::Synchronize() {
  TdxBarApplicationMenuButtonItem* I = GetInternalItem();
  if (!I) return;
  if (!FItem) {
    I->SetCaption("");
    I->SetEnabled(true);
    I->SetGlyph(nullptr);
    I->SetHint("");
    I->SetImageIndex(-1);
    I->SetScreenTip(nullptr);
    I->SetVisible(ivNever);
    return;
  }
  I->SetCaption(FItem->GetCaption());
  I->SetEnabled(FItem->GetEnabled());
  I->SetGlyph(FItem->GetGlyph());
  I->SetHint(FItem->GetHint());
  I->SetImageIndex(FItem->GetImageIndex());
  I->SetScreenTip(FItem->GetScreenTip());
  I->SetVisible(FItem->GetVisible());
}

void TdxBarApplicationMenuButton::InternalItemClick(TObject* Sender) {
  (void)Sender;
  if (FItem && FItem->OnClick) FItem->OnClick(FItem);
}

// ---- TdxBarApplicationMenuButtons

TdxBarApplicationMenuButtons::TdxBarApplicationMenuButtons(TdxBarManager* Manager)
    : TCollection(TdxBarApplicationMenuButton::StaticClass()), FBarManager(Manager) {}

// Stand-ins for the bar windows, for drawing item controls and bars into a
// memory bitmap with a chosen painter and window state: a toolbar lays its
// controls out in one row (or column when docked at the side), a menu stacks
// them; both paint their background and controls into any device context.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/Canvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/common/cxCanvas.h"

// The window's own values a test sets (the real windows compute them).
struct TFakeWindowValues {
  TdxBarPainter* Painter = nullptr;
  bool Mark = false;
  int MarkState = 0;
  bool HiddenItems = false;
  bool Rotated = false;
  bool Dockable = true;
  bool MainMenu = false;
  int CloseState = 0;
  bool CloseButton = false;
  bool FloatingCaption = false;
};

template <class TBase>
class TFakeBarWindow : public TBase {
public:
  using TBase::TBase;
  TFakeWindowValues V;

  TdxBarPainter* GetPainter() const override { return V.Painter ? V.Painter : TBase::GetPainter(); }
  bool HasMark() const override { return V.Mark; }
  int MarkButtonState() const override { return V.MarkState; }
  bool HasHiddenItems() const override { return V.HiddenItems; }
  bool IsRotated() const override { return V.Rotated; }
  bool IsMainMenuWindow() const override { return V.MainMenu; }
  int CloseButtonState() const override { return V.CloseState; }
  bool HasCloseButton() const override { return V.CloseButton; }
  bool ShowsFloatingCaption() const override { return V.FloatingCaption; }

  // Sizes and places every shown control; answers the client size needed.
  SIZE Layout(int Origin = 0) {
    // The controls measure on the window's canvas in the window's font.
    this->GetCanvas()->GetFont()->Assign(this->GetFont());
    this->CalcMeasures();
    TdxBarItemLinks* Links = this->GetItemLinks();
    this->CreateItemControls();
    bool Column = this->StacksItemsVertically();
    std::vector<SIZE> Sizes;
    int Across = 0;
    for (int I = 0; Links && I < Links->ShownLinkCount(); ++I) {
      TdxBarItemControl* C = Links->GetShownLink(I)->GetControl();
      SIZE S{C ? C->Width() : 0, C ? C->Height() : 0};
      Sizes.push_back(S);
      Across = std::max(Across, static_cast<int>(Column ? S.cx : S.cy));
    }
    int Along = Origin;
    for (int I = 0; Links && I < Links->ShownLinkCount(); ++I) {
      TdxBarItemLink* L = Links->GetShownLink(I);
      Along += GroupGap(L, I);
      RECT R = Column ? RECT{0, Along, Across, Along + Sizes[I].cy} : RECT{Along, 0, Along + Sizes[I].cx, Across};
      L->SetDisplayRect(R);
      Along = Column ? R.bottom : R.right;
      if (TdxBarItemControl* C = L->GetControl()) C->CalcPartRects();
    }
    return Column ? SIZE{Across, Along} : SIZE{Along, Across};
  }

  // The background and every control, drawn on DC as the window paints itself.
  void PaintTo(HDC DC, const RECT& Client) {
    this->GetCanvas()->GetFont()->Assign(this->GetFont());
    this->FillItemBackground(DC, Client, this->BackgroundBrush(), clNone, true);
    TCanvas* Canvas = TCanvas::Create();
    Canvas->SetHandle(DC);
    Canvas->GetFont()->Assign(this->GetFont());
    TcxCanvas* cx = TcxCanvas::Create(Canvas);
    TdxBarItemLinks* Links = this->GetItemLinks();
    for (int I = 0; Links && I < Links->ShownLinkCount(); ++I) {
      TdxBarItemLink* L = Links->GetShownLink(I);
      if (TdxBarItemControl* C = L->GetControl()) C->Paint(cx, L->GetItemRect(), this->PaintType());
      if (GroupGap(L, I)) PaintSeparator(DC, cx, L);
    }
    Free(cx);
    Canvas->SetHandle(nullptr);
    Free(Canvas);
  }

  // The gap a link that begins a group leaves before itself.
  int GroupGap(TdxBarItemLink* L, int ShownIndex) const {
    if (ShownIndex == 0 || !L->GetBeginGroup()) return 0;
    TdxBarPainter* P = this->GetPainter();
    return this->IsSubMenuWindow() ? P->MenuGroupSeparatorHeight() : this->SeparatorSize();
  }

  void PaintSeparator(HDC DC, TcxCanvas* Canvas, TdxBarItemLink* L) {
    TdxBarPainter* P = this->GetPainter();
    RECT R = L->GetItemRect();
    int Gap = GroupGap(L, 1);
    if (auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(static_cast<TCustomdxBarControl*>(this))) {
      RECT S;
      P->MenuSeparatorRect(Menu, L->GetControl(), S, R);
      P->DrawMenuSeparator(Menu, L->GetControl(), S, Canvas);
    } else if (this->StacksItemsVertically()) {
      P->DrawBarSeparator(this, DC, true, this->BackgroundBrush(), RECT{R.left, R.top - Gap, R.right, R.top});
    } else {
      P->DrawBarSeparator(this, DC, false, this->BackgroundBrush(), RECT{R.left - Gap, R.top, R.left, R.bottom});
    }
  }

  TdxBarItemControl* ControlOf(int Index) const {
    TdxBarItemLinks* Links = this->GetItemLinks();
    return Links && Index < Links->ShownLinkCount() ? Links->GetShownLink(Index)->GetControl() : nullptr;
  }
};

class TFakeToolbar : public TFakeBarWindow<TdxBarControl> {
public:
  using TFakeBarWindow<TdxBarControl>::TFakeBarWindow;
  bool CanDock() const override { return V.Dockable; }
};
using TFakeMenu = TFakeBarWindow<TdxBarSubMenuControl>;

// Owns a collection of links whose window is a fake window of the test's.
class TFakeLinksOwner : public IdxBarLinksOwner {
public:
  TFakeLinksOwner(TdxBarManager* Manager, TCustomdxBarControl* Window)
      : FWindow(Window), FLinks(TdxBarItemLinks::Create(Manager, this)) {
    Window->SetBarManager(Manager);
    FLinks->CreateBarControl();
  }
  ~TFakeLinksOwner() {
    FWindow->DestroyItemControls();
    FWindow->AssignItemLinks(nullptr);
    FLinks->ForgetBarControl();
    Free(FLinks);
  }
  TFakeLinksOwner(const TFakeLinksOwner&) = delete;
  TFakeLinksOwner& operator=(const TFakeLinksOwner&) = delete;

  bool CanContainItem(TdxBarItem* Item, std::string& Text) override { (void)Item, (void)Text; return true; }
  TCustomdxBarControl* CreateBarControl() override { return FWindow; }
  TComponent* GetOwnerComponent() override { return nullptr; }
  TdxBarItemLinks* GetItemLinks() override { return FLinks; }
  TdxBarItemLinks* Links() const { return FLinks; }

private:
  TCustomdxBarControl* FWindow;
  TdxBarItemLinks* FLinks;
};

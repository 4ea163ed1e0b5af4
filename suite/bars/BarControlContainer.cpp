#include "suite/bars/BarControlContainer.h"

#include <algorithm>

#include "framework/Brush.h"
#include "framework/Canvas.h"
#include "framework/Messages.h"
#include "framework/Unicode.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarFlagScope.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/SuiteException.h"
#include "suite/common/cxCanvas.h"

namespace {
// The module's own text: a replacement registered under the name does not apply.
std::string BuiltInText(const TResStringRec& Rec) {
  const wchar_t* Text = nullptr;
  int Length = LoadStringW(Rec.Module ? Rec.Module : GetModuleHandleW(nullptr), Rec.Identifier,
                           reinterpret_cast<LPWSTR>(&Text), 0);
  if (Length > 0 && Text) return WideToUtf8(std::wstring_view(Text, static_cast<size_t>(Length)));
  return "You cannot assign the same control to more than one TdxBarControlContainerItem";
}

TdxBarControlContainerItem* ContainerOf(const TdxBarItemControl* C) {
  return dynamic_cast<TdxBarControlContainerItem*>(C->LinkedItem());
}
}  // namespace

UINT PlaceFormMessage() {
  static UINT Message = RegisterWindowMessageW(L"{B2CE3777-44D8-4998-9701-47BBBC10B656}");
  return Message;
}

// ---- TPlaceForm

TPlaceForm::TPlaceForm(TComponent* AOwner) : TCustomForm(AOwner) { SetBorderStyle(bsNone); }

void TPlaceForm::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  if (!GetParentWindow()) return;
  Params.Style = (Params.Style & ~(WS_POPUP | WS_VISIBLE)) | WS_CHILD | WS_CLIPSIBLINGS;
  Params.WndParent = GetParentWindow();
}

void TPlaceForm::EraseBackground(TMessage& Message) {
  auto* DC = reinterpret_cast<HDC>(Message.WParam);
  RECT R = GetClientRect();
  TCustomdxBarControl* Bar = FHostItemControl ? FHostItemControl->GetParent() : nullptr;
  TdxBarPainter* Painter = FHostItemControl ? FHostItemControl->GetPainter() : nullptr;
  if (Bar && Painter) {
    // The bar's own background, as if the form were not there.
    POINT OldOrigin, Offset;
    ShiftOriginToForm(this, Bar, DC, R, OldOrigin, Offset);
    TdxBarCanvas* Canvas = BarCanvasInstance();
    Canvas->PushDC(DC);
    try {
      Painter->FillItemControlBackground(FHostItemControl, Canvas, GetBrush()->GetHandle(), R);
    } catch (...) {
      Canvas->PopState();
      RestoreWindowOrigin(DC, OldOrigin);
      throw;
    }
    Canvas->PopState();
    RestoreWindowOrigin(DC, OldOrigin);
  } else {
    FillRect(DC, &R, GetBrush()->GetHandle());
  }
  Message.Result = 1;
}

void TPlaceForm::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    EraseBackground(Message);
    return;
  }
  TCustomForm::Dispatch(Message);
  if (Message.Msg == PlaceFormMessage()) Message.Result = 1;
}

// ---- TdxBarControlContainerItem

SONVELT_PUBLISHED(TdxBarControlContainerItem, P) {
  P.Component("Control", &TdxBarControlContainerItem::GetControl, &TdxBarControlContainerItem::SetControl);
}

TdxBarControlContainerItem::TdxBarControlContainerItem(TComponent* AOwner)
    : TdxBarItem(AOwner), FPlaceForm(MakeOwned<TPlaceForm>(static_cast<TComponent*>(nullptr))) {
  EnsureBarExtItemsUnit();
}

TdxBarControlContainerItem::~TdxBarControlContainerItem() {
  SetControl(nullptr);
  FPlaceForm.reset();
}

void TdxBarControlContainerItem::SetControl(TControl* Value) {
  if (Value && GetBarManager()) {
    TdxBarManager* M = GetBarManager();
    for (int I = 0; I < M->ItemCount(); ++I)
      if (auto* Other = dynamic_cast<TdxBarControlContainerItem*>(M->ItemByIndex(I));
          Other && Other != this && Other->FControl == Value)
        throw EdxException(BuiltInText(dxSBAR_CANTASSIGNCONTROL));
  }
  if (Value == FControl) return;
  if (FControl) {
    FControl->WindowProc = FSavedWindowProc;
    FSavedWindowProc = TWndMethod();
    FControl->RemoveFreeNotification(this);
    TdxBarManager* M = GetBarManager();
    if (!FControl->GetComponentState().Contains(csDestroying) && !(M && M->InDesignMode())) FControl->SetParent(nullptr);
  }
  FControl = Value;
  if (FControl) {
    FControl->FreeNotification(this);
    FSavedWindowProc = FControl->WindowProc;
    FControl->WindowProc = Bind(this, &TdxBarControlContainerItem::HookProc);
    FLastWidth = FControl->GetWidth();
    FLastHeight = FControl->GetHeight();
  } else if (FPlaceForm) {
    FPlaceForm->SetVisible(false);
  }
  UpdateInKinds(AllKinds);
}

void TdxBarControlContainerItem::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FControl) SetControl(nullptr);
}

void TdxBarControlContainerItem::SetName(const std::string& NewName) {
  TdxBarItem::SetName(NewName);
  // The placeholder shows the name.
  if (!FControl && !IsLoading()) UpdateInKinds(AllKinds);
}

bool TdxBarControlContainerItem::IsEnterable(TdxBarItemLink* Link) const {
  TdxBarItemControl* C = Link ? Link->GetControl() : nullptr;
  return C && C->GetParent() && C->GetParent()->Kind() == bwkQuickCustomizing;
}

bool TdxBarControlContainerItem::IsPlacing() const {
  bool Placing = false;
  const_cast<TdxBarControlContainerItem*>(this)->ForEachControl([&](TdxBarItemControl* C) {
    if (auto* Container = dynamic_cast<TdxBarControlContainerControl*>(C))
      Placing = Placing || Container->IsPlacingHostedControl();
  });
  return Placing;
}

void TdxBarControlContainerItem::HideHostedControl(TdxBarControlContainerControl* Control) {
  if (!Control || !Control->CanPlace() || !FPlaceForm) return;
  FPlaceForm->SetVisible(false);
  if (FPlaceForm->GetParentWindow()) {
    FPlaceForm->SetEnabled(false);
    FPlaceForm->SetParentWindow(nullptr);
    FPlaceForm->SetEnabled(true);
  }
}

void TdxBarControlContainerItem::HookProc(TMessage& Message) {
  TControl* Hosted = FControl;
  if (Message.Msg == CM_RECREATEWND) {
    // The control makes its window anew through its own procedure.
    Hosted->WindowProc = FSavedWindowProc;
    try {
      Hosted->WindowProc(Message);
    } catch (...) {
      if (FControl == Hosted) Hosted->WindowProc = Bind(this, &TdxBarControlContainerItem::HookProc);
      throw;
    }
    if (FControl == Hosted) Hosted->WindowProc = Bind(this, &TdxBarControlContainerItem::HookProc);
    return;
  }
  FSavedWindowProc(Message);
  if (FControl != Hosted || !FControl || IsPlacing()) return;
  bool Resized = Message.Msg == WM_SIZE || (Message.Msg == WM_WINDOWPOSCHANGED && Message.LParam == 0);
  if (!Resized || (FControl->GetWidth() == FLastWidth && FControl->GetHeight() == FLastHeight)) return;
  FLastWidth = FControl->GetWidth();
  FLastHeight = FControl->GetHeight();
  UpdateInKinds(AllKinds);
}

// ---- TdxBarControlContainerControl

TdxBarControlContainerControl::~TdxBarControlContainerControl() {
  if (TdxBarControlContainerItem* Item = ContainerOf(this)) Item->HideHostedControl(this);
}

TControl* TdxBarControlContainerControl::HostedControl() const {
  TdxBarControlContainerItem* Item = ContainerOf(this);
  return Item ? Item->GetControl() : nullptr;
}

bool TdxBarControlContainerControl::InQuickList() const {
  return GetParent() && GetParent()->Kind() == bwkQuickCustomizing;
}

bool TdxBarControlContainerControl::CanPlace() const {
  TdxBarManager* M = LinkManager();
  return !InQuickList() && HostedControl() && !(M && M->InDesignMode());
}

void TdxBarControlContainerControl::UpdateHostedControl(bool Value) {
  TdxBarControlContainerItem* Item = ContainerOf(this);
  if (FHasPlacedHostedControl && Item) Item->GetPlaceForm()->SetVisible(Value);
}

void TdxBarControlContainerControl::ReleaseHostedControl() {
  TdxBarControlContainerItem* Item = ContainerOf(this);
  TCustomdxBarControl* Bar = GetParent();
  if (!Item || !Bar || !Bar->HandleAllocated()) return;
  TPlaceForm* Form = Item->GetPlaceForm();
  if (Form->GetParentWindow() != Bar->GetHandle() || !dynamic_cast<TWinControl*>(HostedControl())) return;
  HostedControl()->SetParent(nullptr);
  Form->SetVisible(false);
  Form->SetParentWindow(nullptr);
}

void TdxBarControlContainerControl::CalcPartRects() {
  TdxBarItemControl::CalcPartRects();
  RECT R = ItemBounds();
  TdxBarControlContainerItem* Item = ContainerOf(this);
  if (Item && IsRectEmpty(&R) && FHasPlacedHostedControl) Item->GetPlaceForm()->SetVisible(false);
}

bool TdxBarControlContainerControl::IsClickable() const { return InQuickList(); }
bool TdxBarControlContainerControl::ClosesMenusOnClick() const { return InQuickList(); }
bool TdxBarControlContainerControl::CapturesMouse() const { return InQuickList(); }

bool TdxBarControlContainerControl::CanSelect() const {
  TdxBarManager* M = LinkManager();
  return InQuickList() || (M && M->InDesignMode());
}

int TdxBarControlContainerControl::CalcHeight() {
  if (HostedControl() && !InQuickList()) return HostedControl()->GetHeight();
  if (GetParent() && GetParent()->Kind() == bwkSubMenu) return TextSize();
  return std::max(TextSize(), GetDrawParams()->ShowsGlyph() ? static_cast<int>(GlyphSize(GetDrawParams()->GetViewSize()).cy) : 0);
}

int TdxBarControlContainerControl::CalcWidth() {
  if (HostedControl() && !InQuickList()) return HostedControl()->GetWidth();
  std::string Name = PlaceholderText();
  TCanvas* Canvas = GetParent() ? GetParent()->GetCanvas() : nullptr;
  int NameWidth = Canvas ? Canvas->TextWidth(StripAccelMarks(Name)) : 0;
  int FontSize = Canvas ? Canvas->GetFont()->GetSize() : 8;
  TdxBarPainter* P = GetPainter();
  if (GetParent() && GetParent()->Kind() == bwkSubMenu)
    return NameWidth + 2 * TextSize() + (P ? P->ContainerHeightIndent() : 0) + 6;
  return NameWidth + FontSize;
}

void TdxBarControlContainerControl::PlaceControl() {
  TdxBarControlContainerItem* Item = ContainerOf(this);
  TCustomdxBarControl* Bar = GetParent();
  if (!Item || !Bar || !CanPlace() || FPlacingHostedControl || Item->IsPlacing() || !Bar->HandleAllocated()) return;
  TdxBarFlagScope Placing(FPlacingHostedControl);
  TPlaceForm* Form = Item->GetPlaceForm();
  TControl* Hosted = HostedControl();
  RECT R = ItemBounds();
  bool Empty = IsRectEmpty(&R) != 0;
  if (!Empty || Item->LinkCount() == 1) Form->SetParentWindow(Bar->GetHandle());
  if (!Empty || Form->GetParentWindow() == Bar->GetHandle()) Form->SetBoundsRect(R);
  Hosted->SetParent(Form);
  if (!Empty) {
    Hosted->SetBounds(0, 0, Form->GetClientWidth(), Form->GetClientHeight());
    Hosted->SetVisible(true);
  }
  LOGBRUSH Back{};
  if (GetObjectW(Bar->BackgroundBrush(), sizeof Back, &Back)) Form->GetBrush()->SetColor(static_cast<TColor>(Back.lbColor));
  Form->SetHostItemControl(this);
  Form->SetVisible(true);
  FHasPlacedHostedControl = true;
}

void TdxBarControlContainerControl::ShowPlacedControl() {
  PlaceControl();
  TdxBarControlContainerItem* Item = ContainerOf(this);
  if (!Item || !FHasPlacedHostedControl) return;
  Item->GetPlaceForm()->Update();
  if (HostedControl()) HostedControl()->Update();
}

std::string TdxBarControlContainerControl::PlaceholderText() const {
  TdxBarItem* Item = LinkedItem();
  return "The place for the " + (HostedControl() ? HostedControl()->GetName() : Item ? Item->GetName() : std::string());
}

void TdxBarControlContainerControl::PaintPlaceholder(const RECT& R) {
  TcxCanvas* Canvas = PaintCanvas();
  HDC DC = Canvas->DeviceContext();
  HBRUSH Frame = GetSysColorBrush(COLOR_BTNSHADOW);
  FrameRect(DC, &R, Frame);
  RECT Inner = R;
  InflateRect(&Inner, -1, -1);
  HBRUSH Hatch = CreateHatchBrush(HS_BDIAGONAL, GetSysColor(COLOR_BTNSHADOW));
  COLORREF OldBack = SetBkColor(DC, GetSysColor(COLOR_BTNFACE));
  int OldMode = SetBkMode(DC, OPAQUE);
  FillRect(DC, &Inner, Hatch);
  SetBkMode(DC, OldMode);
  SetBkColor(DC, OldBack);
  DeleteObject(Hatch);
  if (TdxBarPainter* P = GetPainter())
    P->DrawItemText(this, DC, PlaceholderText(), Inner, 1, true, false, false, true, false,
                    DT_SINGLELINE | DT_VCENTER);
}

void TdxBarControlContainerControl::PaintControl(const RECT& R, int PaintTypeValue) {
  (void)PaintTypeValue;
  TdxBarManager* M = LinkManager();
  if (InQuickList()) {
    TdxBarPainter* P = GetPainter();
    TdxBarItem* Item = LinkedItem();
    if (P && Item)
      P->DrawItemText(this, PaintCanvas()->DeviceContext(), Item->GetCaption(),
                      RECT{R.left + TextSize() / 2, R.top, R.right, R.bottom}, 0, Item->GetEnabled(),
                      IsDrawnSelected(), false, true, false, DT_SINGLELINE | DT_VCENTER);
    return;
  }
  if (HostedControl() && !(M && M->InDesignMode())) {
    ShowPlacedControl();
    return;
  }
  PaintPlaceholder(R);
}

#include "suite/navbar/StatusBar.h"

#include <algorithm>

#include "framework/Action.h"
#include "framework/ClassRegistry.h"
#include "framework/Colors.h"
#include "framework/Form.h"
#include "framework/Published.h"
#include "suite/common/AutoWidth.h"
#include "suite/common/Geometry.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/StatusBarConsts.h"
#include "suite/navbar/StatusBarContainer.h"

namespace {
const bool Registered =
    (RegisterClasses({TdxStatusBar::StaticClass(), TdxStatusBarContainerControl::StaticClass()}), true);
}  // namespace

// ---- view info

int TdxStatusBarViewInfo::Width(int Index) const {
  return Index >= 0 && Index < WidthCount() ? FWidths[static_cast<size_t>(Index)] : 0;
}

void TdxStatusBarViewInfo::Calculate(const RECT& Bounds) {
  FPanels.clear();
  FWidths.clear();
  TdxStatusBarPanels* Panels = FBar->GetPanels();
  for (int I = 0; I < Panels->GetCount(); ++I)
    if (Panels->Items(I)->GetVisible()) FPanels.push_back(Panels->Items(I));
  const int Count = PanelCount();
  const int N = 2 * Count - 1;
  if (N <= 0) return;
  TOwned<TcxAutoWidthObject> Items(TcxAutoWidthObject::CreateWithCapacity(N));
  const int Separator = FBar->GetPainter()->SeparatorWidth(FBar);
  bool FlexibleSeen = false;
  for (int I = 0; I < Count; ++I) {
    TdxStatusBarPanel* P = FPanels[static_cast<size_t>(I)];
    TcxAutoWidthItem* Item = Items->NewItem();
    Item->MinWidth = P->LayoutMinWidth();
    Item->Width = P->LayoutWidth();
    if (!P->GetFixed()) {
      Item->Fixed = false;
      FlexibleSeen = true;
    } else {
      // The last panel takes the rest unless a flexible one already does.
      Item->Fixed = I < Count - 1 || FlexibleSeen;
    }
    if (I < Count - 1) {
      TcxAutoWidthItem* Gap = Items->NewItem();
      Gap->MinWidth = Gap->Width = Separator;
      Gap->Fixed = true;
    }
  }
  Items->AvailableWidth = RectWidthOf(Bounds);
  Items->SpreadWidths();
  FSizeGripOverlapped = Items->TotalWidth() >= Items->AvailableWidth;
  for (int I = 0; I < Items->NumberOfItems(); ++I) FWidths.push_back(Items->ItemAt(I)->AutoWidth);
}

TdxStatusBarPanel* TdxStatusBarViewInfo::PanelAt(const RECT& Bounds, int X, int Y) const {
  int Left = Bounds.left;
  for (int I = 0; I < PanelCount(); ++I) {
    const RECT Cell{Left, Bounds.top, Left + PanelWidth(I), Bounds.bottom};
    if (RectContainsPoint(Cell, POINT{X, Y})) return Panel(I);
    Left = Cell.right + SeparatorWidth(I);
  }
  return nullptr;
}

// ---- bar

TdxCustomStatusBar::TdxCustomStatusBar(TComponent* AOwner) : TcxControl(AOwner) {
  EnsureStatusBarStrings();
  SetColor(clBtnFace);
  SetBounds(GetLeft(), GetTop(), GetWidth(), 20);
  SetAlign(alBottom);
  SetParentFont(false);
  SetDoubleBuffered(true);
  SetControlStyle(GetControlStyle() + csCaptureMouse + csClickEvents + csDoubleClicks + csOpaque - csSetCaption);
}

void TdxCustomStatusBar::AfterConstruction() {
  TcxControl::AfterConstruction();
  FViewInfo.reset(CreateViewInfo());
  FPanels.reset(CreatePanels());
  FImageChangeLink.reset(TChangeLink::Create());
  FImageChangeLink->OnChange = Bind(this, &TdxCustomStatusBar::ImageListChange);
  FThemeNotifier.reset(TdxThemeChangedNotificator::CreateSubscribed());
  FThemeNotifier->ThemeChangeHandler = TDelegate<void()>(this, &TdxCustomStatusBar::ThemeChanged);
  PainterChanged();
  AcquireOffice11Colors();
  FOffice11ColorsHeld = true;
}

void TdxCustomStatusBar::BeforeDestruction() {
  FThemeNotifier.reset();
  TcxControl::BeforeDestruction();
}

TdxCustomStatusBar::~TdxCustomStatusBar() {
  if (FOffice11ColorsHeld) ReleaseOffice11ColorSet();
  if (FImages) FImages->UnRegisterChanges(FImageChangeLink.get());
  FImageChangeLink.reset();
  FPanels.reset();
  FViewInfo.reset();
  ClearLinksToObject(this);
}

// ---- properties

void TdxCustomStatusBar::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink.get());
    FImages->RemoveFreeNotification(this);
  }
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(FImageChangeLink.get());
    FImages->FreeNotification(this);
  }
  LayoutChanged();
}

void TdxCustomStatusBar::ImageListChange(TObject*) { LayoutChanged(); }

void TdxCustomStatusBar::SetPaintStyle(TdxStatusBarPaintStyle Value) {
  if (FPaintStyle == Value) return;
  FPaintStyle = Value;
  PainterChanged();
}

void TdxCustomStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  LayoutChanged();
}

void TdxCustomStatusBar::SetBorderWidth(int Value) {
  Value = std::max(Value, 0);
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  LayoutChanged();
}

void TdxCustomStatusBar::SetLookAndFeel(TcxLookAndFeel* Value) {
  LookAndFeelObject()->Assign(Value);
  LayoutChanged();
}

void TdxCustomStatusBar::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
  PainterChanged();
}

// ---- painter

TClass TdxCustomStatusBar::DefaultPanelStyleClass() const { return TdxStatusBarTextPanelStyle::StaticClass(); }

TdxStatusBarPaintStyle TdxCustomStatusBar::ResolvePaintStyle() {
  if (FPaintStyle != stpsUseLookAndFeel) return FPaintStyle;
  TcxLookAndFeel* L = GetLookAndFeel();
  if (L->GetNativeStyle() && FStatusThemesAvailable) return stpsXP;
  switch (L->GetKind()) {
    case lfUltraFlat: return stpsFlat;
    case lfOffice11: return stpsOffice11;
    default: return stpsStandard;
  }
}

TdxStatusBarPainterClass TdxCustomStatusBar::GetPainterClass() {
  switch (ResolvePaintStyle()) {
    case stpsFlat: return TdxStatusBarFlatPainter::Instance();
    case stpsXP:
      if (FStatusThemesAvailable) return TdxStatusBarXPPainter::Instance();
      return TdxStatusBarStandardPainter::Instance();
    case stpsOffice11: return TdxStatusBarOffice11Painter::Instance();
    default: return TdxStatusBarStandardPainter::Instance();
  }
}

void TdxCustomStatusBar::UpdatePainter() {
  FStatusThemesAvailable = VisualStylesAvailableFor(ThemedKinds({tokStatus}));
  FPainter = GetPainterClass();
}

void TdxCustomStatusBar::PainterChanged() {
  UpdatePainter();
  LayoutChanged();
}

bool TdxCustomStatusBar::IsLoadingOrGoing() const {
  const TComponentState S = GetComponentState();
  return S.Contains(csLoading) || S.Contains(csReading) || S.Contains(csDestroying) || S.Contains(csUpdating);
}

// ---- layout

RECT TdxCustomStatusBar::PanelArea() {
  RECT R;
  InnerClientBounds(R);
  return FPainter ? RectDeflatedByBorders(R, FPainter->ContentMargins(this)) : R;
}

void TdxCustomStatusBar::CalculateLayout() { FViewInfo->Calculate(PanelArea()); }

void TdxCustomStatusBar::LayoutChanged() {
  if (GetComponentState().Contains(csDestroying) || !FPanels || !FViewInfo || !FPainter) return;
  CalculateLayout();
  Invalidate();
}

bool TdxCustomStatusBar::SizeGripVisible() {
  if (!FSizeGrip) return false;
  TCustomForm* Form = GetParentForm();
  if (!Form) return false;
  if (Form->GetBorderStyle() != bsSizeable && Form->GetBorderStyle() != bsSizeToolWin) return false;
  const TWindowState State = Form->GetWindowState();
  if (State == wsMaximized || State == wsMinimized) return false;
  POINT Corner{GetLeft() + GetWidth(), GetTop() + GetHeight()};
  for (TWinControl* P = GetParent(); P && P != Form; P = P->GetParent()) {
    Corner.x += P->GetLeft();
    Corner.y += P->GetTop();
  }
  return Corner.x == Form->GetClientWidth() && Corner.y >= Form->GetClientHeight();
}

TdxStatusBarPanel* TdxCustomStatusBar::PanelAtPoint(int X, int Y) { return FViewInfo->PanelAt(PanelArea(), X, Y); }

void TdxCustomStatusBar::Loaded() {
  TcxControl::Loaded();
  for (int I = 0; I < FPanels->GetCount(); ++I)
    if (TdxStatusBarPanelStyle* S = FPanels->Items(I)->GetPanelStyle()) S->Loaded();
  LayoutChanged();
}

void TdxCustomStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
  TcxControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TdxCustomStatusBar::Resize() {
  TcxControl::Resize();
  LayoutChanged();
}

void TdxCustomStatusBar::FontChanged() {
  TcxControl::FontChanged();
  if (!FPanels) return;
  for (int I = 0; I < FPanels->GetCount(); ++I)
    if (TdxStatusBarPanelStyle* S = FPanels->Items(I)->GetPanelStyle()) S->ParentFontChanged();
}

// ---- painting

void TdxCustomStatusBar::Paint() {
  TcxControl::Paint();
  TcxCanvas* Canvas = GetCxCanvas();
  Canvas->PushClipRegion();
  RECT R;
  InnerClientBounds(R);
  FPainter->DrawBorder(this, Canvas, R);
  Canvas->IntersectClip(R);
  const bool Overlapped = FViewInfo->PanelCount() > 0 && FViewInfo->GetSizeGripOverlapped();
  const bool Grip = SizeGripVisible();
  if (Grip && FPainter->DrawsSizeGripFirst()) FPainter->DrawSizeGrip(this, Canvas, Overlapped, R);
  if (FViewInfo->PanelCount() > 0) {
    int X = R.left;
    for (int I = 0; I < FViewInfo->PanelCount(); ++I) {
      const RECT Cell{X, R.top, X + FViewInfo->PanelWidth(I), R.bottom};
      FPainter->DrawPanel(this, FViewInfo->Panel(I), Cell, Canvas);
      X = Cell.right;
      if (I < FViewInfo->PanelCount() - 1) {
        const RECT Gap{X, R.top, X + FViewInfo->SeparatorWidth(I), R.bottom};
        FPainter->DrawSeparator(this, Canvas, Gap);
        X = Gap.right;
      }
    }
  } else {
    FPainter->DrawEmptyPanel(this, Canvas, R);
  }
  if (Grip && !FPainter->DrawsSizeGripFirst()) FPainter->DrawSizeGrip(this, Canvas, Overlapped, R);
  Canvas->PopClipRegion();
}

// ---- mouse, hints and messages

void TdxCustomStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxObjectLinkGuard Link(this);
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (!Link.Alive() || Button != mbLeft || !Shift.Contains(ssDouble)) return;
  if (TdxStatusBarPanel* P = PanelAtPoint(X, Y)) P->DblClick();
}

void TdxCustomStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxObjectLinkGuard Link(this);
  TcxControl::MouseUp(Button, Shift, X, Y);
  if (!Link.Alive() || Button != mbLeft) return;
  if (TdxStatusBarPanel* P = PanelAtPoint(X, Y)) P->Click();
}

bool TdxCustomStatusBar::DoHint() {
  if (!OnHint) return false;
  OnHint(this);
  return true;
}

TdxStatusBarTextPanelStyle* TdxCustomStatusBar::AutoHintStyle() {
  for (int I = FPanels->GetCount() - 1; I >= 0; --I)
    if (auto* T = dynamic_cast<TdxStatusBarTextPanelStyle*>(FPanels->Items(I)->GetPanelStyle()); T && T->GetAutoHint())
      return T;
  return nullptr;
}

bool TdxCustomStatusBar::ExecuteAction(TBasicAction* Action) {
  auto* Hint = dynamic_cast<THintAction*>(Action);
  TdxStatusBarTextPanelStyle* Style = Hint && !InDesignMode() ? AutoHintStyle() : nullptr;
  if (Style && !DoHint()) {
    Style->GetStatusBarPanel()->SetText(Hint->GetHint());
    return true;
  }
  return TcxControl::ExecuteAction(Action);
}

void TdxCustomStatusBar::HandleNCHitTest(TMessage& Message) {
  TcxControl::Dispatch(Message);
  if (InDesignMode() || !SizeGripVisible()) return;
  RECT B;
  InnerClientBounds(B);
  const SIZE S = FPainter->SizeGripExtent();
  const RECT Grip{B.right - S.cx - 2, B.bottom - S.cy - 2, B.right, B.bottom};
  // The window's own mapping: the framework's stops at the form's outer corner.
  POINT P = PointFromLParam(Message.LParam);
  ::ScreenToClient(GetHandle(), &P);
  if (RectContainsPoint(Grip, P)) Message.Result = HTBOTTOMRIGHT;
}

void TdxCustomStatusBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST: HandleNCHitTest(Message); return;
    case WM_NCLBUTTONDOWN:
      // The corner answers as the form's sizing corner; the window system would
      // size the bar itself, so the form is asked to size.
      if (Message.WParam == HTBOTTOMRIGHT && !InDesignMode() && SizeGripVisible()) {
        TCustomForm* Form = GetParentForm();
        SendMessageW(Form->GetHandle(), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, Message.LParam);
        return;
      }
      break;
    case CM_BIDIMODECHANGED:
      TcxControl::Dispatch(Message);
      if (HandleAllocated())
        for (int I = 0; I < FPanels->GetCount(); ++I)
          if (FPanels->Items(I)->GetParentBiDiMode()) FPanels->Items(I)->TakeParentBiDiMode();
      LayoutChanged();
      return;
    case CM_COLORCHANGED:
    case CM_PARENTFONTCHANGED:
    case CM_WININICHANGE:
      TcxControl::Dispatch(Message);
      LayoutChanged();
      return;
    case CM_SYSCOLORCHANGE:
      TcxControl::Dispatch(Message);
      RefreshOffice11ColorSet();
      LayoutChanged();
      return;
    case CM_ENABLEDCHANGED:
      TcxControl::Dispatch(Message);
      Invalidate();
      return;
    default: break;
  }
  TcxControl::Dispatch(Message);
}

SONVELT_PUBLISHED(TdxStatusBar, P) {
  using B = TdxStatusBar;
  // The bar stays at the bottom: its alignment is not stored.
  P.Enum("Align", &B::GetAlign, &B::SetAlign, {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"})
      .Stored(false);
  P.Integer("Color", &B::GetColor, &B::SetColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(clBtnFace)
      .Stored(&B::IsColorStored);
  P.Boolean("ParentFont", &B::GetParentFont, &B::SetParentFont).Default(false);
  P.Component("Images", &B::GetImages, &B::SetImages);
  P.Collection("Panels", &B::GetPanels);
  P.Enum("PaintStyle", &B::GetPaintStyle, &B::SetPaintStyle,
         {"stpsStandard", "stpsFlat", "stpsXP", "stpsOffice11", "stpsUseLookAndFeel"})
      .Default(stpsStandard);
  P.Boolean("SizeGrip", &B::GetSizeGrip, &B::SetSizeGrip).Default(true);
  P.Object("LookAndFeel", &B::GetLookAndFeel);
  P.Integer("BorderWidth", &B::GetBorderWidth, &B::SetBorderWidth).Default(0);
  P.Event("OnHint", &B::OnHint);
}

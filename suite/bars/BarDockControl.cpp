#include "suite/bars/BarDockControl.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Messages.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"

TdxDockControl::TdxDockControl(TComponent* AOwner) : TCustomControl(AOwner) {
  SetParentColor(true);
  SetBounds(0, 0, 0, 0);
}

TdxDockControl* TdxDockControl::CreateForManager(TComponent* AOwner, TdxBarDockingStyle Style, TdxBarManager* Manager) {
  TdxDockControl* Site = Create(AOwner);
  Site->FIsFormDockSite = true;
  Site->FFormEdgeStyle = Style;
  TControlStyle CS = Site->GetControlStyle();
  CS.Include(csDoubleClicks);
  CS.Include(csNoDesignVisible);
  if (Style == dsTop) CS.Include(csActionClient);
  Site->SetControlStyle(CS);
  static const TAlign Aligns[] = {alNone, alLeft, alTop, alRight, alBottom};
  Site->SetAlign(Aligns[Style]);
  Site->SetBarManager(Manager);
  if (TWinControl* Form = Manager ? Manager->OwnerControl() : nullptr) Site->SetParent(Form);
  return Site;
}

TdxDockControl::~TdxDockControl() = default;

void TdxDockControl::BeforeDestruction() {
  FDestroyingBarControls = true;
  if (FBarManager) {
    FBarManager->RemoveDockControl(this);
    FBarManager = nullptr;
  }
  TCustomControl::BeforeDestruction();
}

void TdxDockControl::SetBarManager(TdxBarManager* Value) {
  if (Value == FBarManager) return;
  if (FBarManager) FBarManager->RemoveDockControl(this);
  FBarManager = Value;
  if (Value) Value->AddDockControl(this);
  ManagerSettingsChanged();
}

TdxBarDockingStyle TdxDockControl::GetDockingStyle() const {
  if (FIsFormDockSite) return FFormEdgeStyle;
  switch (GetAlign()) {
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    case alBottom: return dsBottom;
    default: return dsTop;
  }
}

void TdxDockControl::DockBarControl(TCustomdxBarControl* BarControl, POINT ScreenPoint, bool Apply) {
  if (!FBarManager || !BarControl) return;
  if (std::find(FBarControls.begin(), FBarControls.end(), BarControl) == FBarControls.end())
    FBarControls.push_back(BarControl);
  BarControl->AssignDockSite(this);
  BarControl->SetParent(this);
  if (!Apply) return;
  POINT P = ScreenToClient(ScreenPoint);
  if (IsHorizontal() && P.x < 0) P.x = 0;
  if (IsVertical() && P.y < 0) P.y = 0;
  BarControl->SetBounds(P.x, P.y, std::max(BarControl->GetWidth(), 23), std::max(BarControl->GetHeight(), 23));
  RebuildLayout();
}

void TdxDockControl::UndockBarControl(TCustomdxBarControl* BarControl, bool Rebuild) {
  std::erase(FBarControls, BarControl);
  if (Rebuild) RebuildLayout();
}

void TdxDockControl::ManagerSettingsChanged() {
  if (GetComponentState().Contains(csDestroying)) return;
  UpdateColor();
}

bool TdxDockControl::CanDockBar(TdxBar* Bar) {
  TCustomdxBarControl* W = Bar ? Bar->GetBarControl() : nullptr;
  bool IsAncestor = W && W->HandleAllocated() && HandleAllocated() && IsChild(W->GetHandle(), GetHandle());
  return FAllowDocking && !IsAncestor;
}

void TdxDockControl::UpdateColor() {
  if (!FBarManager || FBarManager->GetAutoDockColor())
    SetParentColor(true);
  else
    SetColor(FBarManager->GetDockColor());
}

TdxBarPainter* TdxDockControl::GetPainter() const { return FBarManager ? FBarManager->GetPainter() : nullptr; }

void TdxDockControl::RebuildLayout() {
  if (!FBarManager || FBarManager->IsBarsUpdateLocked() || FBarManager->IsDestroying()) return;
  // The site is as thick as its thickest docked window.
  int Extent = 0;
  for (TCustomdxBarControl* W : FBarControls) Extent = std::max(Extent, IsHorizontal() ? W->GetHeight() : W->GetWidth());
  if (IsHorizontal())
    SetHeight(Extent);
  else
    SetWidth(Extent);
  if (HandleAllocated()) Invalidate();
}

void TdxDockControl::RecalcFrame() {
  if (HandleAllocated())
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  for (TCustomdxBarControl* W : FBarControls) W->RecalcFrame();
  RebuildLayout();
}

void TdxDockControl::RepaintBarFrames() {
  for (TCustomdxBarControl* W : FBarControls)
    if (W->HandleAllocated()) RedrawWindow(W->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TdxDockControl::FillBackground(HDC DC, const RECT& R, TColor Color, HBRUSH Brush, const RECT& Source) {
  TBitmap* Picture = FBarManager ? FBarManager->GetBackgrounds()->GetBar() : nullptr;
  if (Picture && !Picture->GetEmpty()) {
    FillRectByColorOrBitmap(DC, R, Source, Picture, Color, Brush);
    return;
  }
  RECT Client = HandleAllocated() ? GetClientRect() : RECT{0, 0, GetWidth(), GetHeight()};
  if (TdxBarPainter* Painter = GetPainter())
    Painter->FillBackground(this, DC, Color, Brush, Client, Source, R);
  else
    FillRectByColorOrBitmap(DC, R, Source, nullptr, Color, Brush);
}

TBitmap* TdxDockControl::BackgroundCache() {
  if (!FBackgroundCache) FBackgroundCache.reset(TBitmap::Create());
  return FBackgroundCache.get();
}

void TdxDockControl::DropBackgroundCache() {
  if (FBackgroundCache) FBackgroundCache->SetSize(0, 0);
}

std::vector<TdxBarDockRowInfo> TdxDockControl::RowsForPainting() const { return {}; }

void TdxDockControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TdxDockControl::Paint() {
  RECT R = GetClientRect();
  FillBackground(GetCanvas()->GetHandle(), R, GetColor(), nullptr, R);
}

void TdxDockControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
      if (!GetComponentState().Contains(csDesigning)) {
        Message.Result = MA_NOACTIVATE;
        return;
      }
      break;
    case WM_DESTROY:
      if (FBarManager) FBarManager->BeginBarRestoring();
      break;
    case WM_LBUTTONDBLCLK:
      if (FBarManager && FBarManager->GetCanCustomize()) FBarManager->SetCustomizing(true);
      break;
  }
  TCustomControl::WndProc(Message);
}

// ---- TdxBarDockControl

namespace {
const std::vector<std::string> DockAlignNames{"dalNone", "dalTop", "dalBottom", "dalLeft", "dalRight"};
}

SONVELT_PUBLISHED(TdxBarDockControl, P) {
  P.Enum("Align", &TdxBarDockControl::GetDockAlign, &TdxBarDockControl::SetDockAlign, DockAlignNames).Default(dalTop);
  P.Boolean("AllowDocking", &TdxBarDockControl::GetAllowDocking, &TdxBarDockControl::SetAllowDocking).Default(true);
  P.Component("BarManager", &TdxBarDockControl::GetBarManager, &TdxBarDockControl::SetBarManager);
}

TdxBarDockControl::TdxBarDockControl(TComponent* AOwner) : TdxDockControl(AOwner) { SetDockAlign(dalTop); }

TdxBarDockAlign TdxBarDockControl::GetDockAlign() const {
  switch (GetAlign()) {
    case alTop: return dalTop;
    case alBottom: return dalBottom;
    case alLeft: return dalLeft;
    case alRight: return dalRight;
    default: return dalNone;
  }
}

void TdxBarDockControl::SetDockAlign(TdxBarDockAlign Value) {
  static const TAlign Aligns[] = {alNone, alTop, alBottom, alLeft, alRight};
  if (GetAlign() == Aligns[Value] && Value != dalTop) return;
  SetAlign(Aligns[Value]);
}

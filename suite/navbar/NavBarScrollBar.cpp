#include "suite/navbar/NavBarScrollBar.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "suite/common/SuiteCommonStrings.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarPainter.h"

TdxNavBarScrollBar::TdxNavBarScrollBar(TdxCustomNavBar* ANavBar, TScrollBarKind AKind)
    : FNavBar(ANavBar), FKind(AKind) {
  RecreateControl();
}

TdxNavBarScrollBar::~TdxNavBarScrollBar() { Free(FControl); }

void TdxNavBarScrollBar::RecreateControl() {
  Free(FControl);
  FControl = nullptr;
  FControl = FNavBar->GetPainter()->CreateScrollBar();
  FControl->SetParent(FNavBar);
  FControl->SetKind(FKind);
  FControl->OnScroll = Bind(this, &TdxNavBarScrollBar::Scroll);
  Reset();
}

void TdxNavBarScrollBar::Reset() {
  FMin = 0;
  FMax = 100;
  FPage = 0;
  FPosition = 0;
  FControl->SetVisible(false);
  FVisible = false;
}

int TdxNavBarScrollBar::Width() const { return GetSystemMetrics(SM_CXVSCROLL); }
int TdxNavBarScrollBar::Height() const { return FNavBar->GetClientHeight(); }

void TdxNavBarScrollBar::UpdateScrollRange(int AMin, int AMax, bool Redraw, int APage, int APosition) {
  if (AMax < AMin || AMax < APage) {
    EnsureSuiteCommonStrings();
    throw EInvalidOperation(ResolveResourceString(scxScrollBarPropertyOutOfRange));
  }
  APosition = std::max(AMin, std::min(APosition, AMax - APage));
  RECT C = FNavBar->GetClientRect();
  FControl->SetBounds(C.right, 0, Width(), C.bottom - C.top);
  if (AMin == FMin && AMax == FMax && APage == FPage && APosition == FPosition) return;
  FMin = AMin;
  FMax = AMax;
  FPage = APage;
  FPosition = APosition;
  FControl->AssignScrollRange(AMin, AMax, APosition, APage, Redraw);
  FLargeChange = APage;
  FControl->SetLargeChange(static_cast<short>(std::min(APage, 32767)));
  FControl->SetSmallChange(static_cast<short>(std::min(FSmallChange, 32767)));
}

void TdxNavBarScrollBar::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  FControl->SetVisible(Value);
}

void TdxNavBarScrollBar::Scroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos) {
  int P = FPosition;
  switch (ScrollCode) {
    case scLineUp: P -= FSmallChange; break;
    case scLineDown: P += FSmallChange; break;
    case scPageUp: P -= FLargeChange; break;
    case scPageDown: P += FLargeChange; break;
    case scPosition:
    case scTrack: P = ScrollPos; break;
    case scTop: P = FMin; break;
    case scBottom: P = FMax; break;
    default: break;
  }
  SetPosition(P);
  ScrollPos = FPosition;
  OnScroll(this, ScrollCode, ScrollPos);
}

// ---- hint window

TdxCustomNavBar* TdxNavBarHintWindow::PendingNavBar = nullptr;

RECT TdxNavBarHintWindow::CalcHintRect(int MaxWidth, const std::string& AHint) {
  if (PendingNavBar) FNavBar = PendingNavBar;
  TdxCustomNavBar* Bar = FNavBar;
  if (!Bar || !Bar->GetViewInfo()) return TcxBaseHintWindow::CalcHintRect(MaxWidth, AHint);
  return Bar->GetViewInfo()->HintRect;
}

void TdxNavBarHintWindow::ActivateHintData(RECT Rect, const std::string& AHint, void* AData) {
  if (auto* Info = static_cast<THintInfo*>(AData)) FNavBar = dynamic_cast<TdxCustomNavBar*>(Info->HintControl);
  TcxBaseHintWindow::ActivateHintData(Rect, AHint, AData);
}

void TdxNavBarHintWindow::Paint() {
  if (FNavBar && FNavBar->HasPainter()) FNavBar->GetPainter()->DrawHintWindow(this);
  else TcxBaseHintWindow::Paint();
}

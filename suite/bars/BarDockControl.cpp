#include "suite/bars/BarDockControl.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Messages.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"

namespace {
TdxBarControl* AsToolbar(TCustomdxBarControl* W) { return dynamic_cast<TdxBarControl*>(W); }

TdxBar* BarOf(TCustomdxBarControl* W) {
  TdxBarControl* T = AsToolbar(W);
  return T ? T->GetBar() : nullptr;
}

// Along is x on horizontal sites, y on vertical ones; across the other.
int Along(POINT P, bool Horizontal) { return Horizontal ? P.x : P.y; }
int Across(POINT P, bool Horizontal) { return Horizontal ? P.y : P.x; }
}  // namespace

// ---- TdxDockCol

void TdxDockCol::StorePosition() {
  if (FBarControl) FPos = POINT{FBarControl->GetLeft(), FBarControl->GetTop()};
}

// ---- TdxDockRow

TdxDockRow::~TdxDockRow() {
  FDestroying = true;
  while (!FCols.empty()) {
    Free(FCols.back());
    FCols.pop_back();
  }
  // Each bar leaves the list first, then hears of it: a bar whose recorded row is
  // another one would otherwise never leave.
  while (!FBars.empty()) {
    TdxBar* Bar = FBars.back();
    FBars.pop_back();
    if (Bar->GetDockRow() == this) Bar->RemoveFromDockRow(false);
  }
}

int TdxDockRow::IndexOfColumnOf(TCustomdxBarControl* BarControl) const {
  for (size_t I = 0; I < FCols.size(); ++I)
    if (FCols[I]->GetBarControl() == BarControl) return static_cast<int>(I);
  return -1;
}

TdxDockCol* TdxDockRow::AddColumn(TCustomdxBarControl* BarControl) { return InsertColumn(ColumnCount(), BarControl); }

TdxDockCol* TdxDockRow::InsertColumn(int Index, TCustomdxBarControl* BarControl) {
  auto* Col = TdxDockCol::Create(this, BarControl);
  FCols.insert(FCols.begin() + std::clamp(Index, 0, ColumnCount()), Col);
  UpdateOneOnRow();
  return Col;
}

void TdxDockRow::RemoveColumnOf(TCustomdxBarControl* BarControl) {
  if (FDestroying) return;
  int I = IndexOfColumnOf(BarControl);
  if (I >= 0) DeleteColumn(I);
}

void TdxDockRow::DeleteColumn(int Index) {
  TdxDockCol* Col = FCols.at(static_cast<size_t>(Index));
  FCols.erase(FCols.begin() + Index);
  Free(Col);
  UpdateOneOnRow();
}

void TdxDockRow::AddBar(TdxBar* Bar) {
  FBars.push_back(Bar);
  if (ColumnCount() >= BarCount()) return;
  TCustomdxBarControl* W = Bar->GetBarControl();
  if (!W || Bar->GetActualDockControl() != FDockControl) return;
  if (IndexOfColumnOf(W) >= 0) return;
  TdxDockCol* Col = AddColumn(W);
  // A bar placed from its stored data keeps its stored position in the next layout.
  Col->SetPos(POINT{Bar->GetDockedLeft(), Bar->GetDockedTop()});
}

void TdxDockRow::RemoveBar(TdxBar* Bar, bool RemoveEmptyRow) {
  auto It = std::find(FBars.begin(), FBars.end(), Bar);
  if (It == FBars.end()) return;
  FBars.erase(It);
  if (TCustomdxBarControl* W = Bar->GetBarControl()) RemoveColumnOf(W);
  if (FBars.empty() && RemoveEmptyRow && !FDestroying && FDockControl) {
    FDockControl->ExtractRow(this);
    Free(this);
  }
}

void TdxDockRow::UpdateOneOnRow() {
  for (TdxDockCol* Col : FCols)
    if (TdxBar* Bar = BarOf(Col->GetBarControl())) Bar->SetOneOnRow(ColumnCount() == 1);
}

bool TdxDockRow::HasDockedBar() const {
  for (TdxBar* Bar : FBars) {
    TCustomdxBarControl* W = Bar->GetBarControl();
    if (W && W->GetDockingStyle() != dsNone) return true;
  }
  return false;
}

// ---- TdxDockControl

TdxDockControl::TdxDockControl(TComponent* AOwner)
    : TCustomControl(AOwner), FBackgroundBitmap(TBitmap::Create()), FBackgroundCache(TBitmap::Create()) {
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
  // The top site takes the idle action update for the manager's bars.
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
  if (FHelper) FHelper->NoteOwnerDestroyed();
  if (FBarManager) {
    FBarManager->RemoveDockControl(this);
    FBarManager = nullptr;
  }
  while (!FRows.empty()) {
    TdxDockRow* Row = FRows.back();
    FRows.pop_back();
    Free(Row);
  }
  TCustomControl::BeforeDestruction();
}

void TdxDockControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBarManager) FBarManager = nullptr;
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

void TdxDockControl::SetBackgroundBitmap(TBitmap* Value) {
  bool WasEmpty = FBackgroundBitmap->GetEmpty();
  FBackgroundBitmap->Assign(Value);
  if (WasEmpty && FBackgroundBitmap->GetEmpty()) return;
  DropBackgroundCache();
  UpdateDoubleBuffered();
  if (HandleAllocated()) Invalidate();
  RepaintBarFrames();
}

// ---- rows

int TdxDockControl::IndexOfRow(const TdxDockRow* Row) const {
  auto It = std::find(FRows.begin(), FRows.end(), Row);
  return It == FRows.end() ? -1 : static_cast<int>(It - FRows.begin());
}

TdxDockRow* TdxDockControl::AddRow() { return InsertRow(RowCount()); }

TdxDockRow* TdxDockControl::InsertRow(int Index) {
  auto* Row = TdxDockRow::Create(this);
  FRows.insert(FRows.begin() + std::clamp(Index, 0, RowCount()), Row);
  return Row;
}

void TdxDockControl::ExtractRow(TdxDockRow* Row) { std::erase(FRows, Row); }

int TdxDockControl::BarControlCount() const {
  int N = 0;
  for (TdxDockRow* Row : FRows) N += Row->ColumnCount();
  return N;
}

TCustomdxBarControl* TdxDockControl::BarControlByIndex(int Index) const {
  for (TdxDockRow* Row : FRows) {
    if (Index < Row->ColumnCount()) return Row->ColumnAt(Index)->GetBarControl();
    Index -= Row->ColumnCount();
  }
  return nullptr;
}

bool TdxDockControl::FindColumn(TCustomdxBarControl* BarControl, int& RowIndex, int& ColIndex) const {
  for (int R = 0; R < RowCount(); ++R) {
    int C = FRows[static_cast<size_t>(R)]->IndexOfColumnOf(BarControl);
    if (C >= 0) {
      RowIndex = R;
      ColIndex = C;
      return true;
    }
  }
  RowIndex = ColIndex = 0;
  return false;
}

TdxDockCol* TdxDockControl::ColumnOf(TCustomdxBarControl* BarControl) const {
  int R, C;
  return FindColumn(BarControl, R, C) ? GetRow(R)->ColumnAt(C) : nullptr;
}

void TdxDockControl::DeleteEmptyRows() {
  for (int I = RowCount() - 1; I >= 0; --I) {
    TdxDockRow* Row = GetRow(I);
    if (Row->BarCount() == 0 && Row->ColumnCount() == 0) {
      ExtractRow(Row);
      Free(Row);
    }
  }
}

// ---- placement

bool TdxDockControl::IsBeingPlacedFromStore(TCustomdxBarControl* BarControl) const {
  TdxBarControl* T = AsToolbar(BarControl);
  return T && T->IsInternalLocked();
}

void TdxDockControl::DockBarControl(TCustomdxBarControl* BarControl, POINT ScreenPoint, bool Apply) {
  if (!FBarManager || !BarControl) return;
  TdxBarControl* Toolbar = AsToolbar(BarControl);
  TdxBar* Bar = BarOf(BarControl);
  bool Stored = IsBeingPlacedFromStore(BarControl);
  bool Bulk = FBarManager->IsInLoad() || FBarManager->IsOwnerWindowRecreating() || FBarManager->IsApplyingLoadedVisibility();
  int Index;
  bool OwnRow;
  if (Stored && Bar && PlacesStoredRow()) {
    Index = Bar->GetRow();
    OwnRow = Bar->GetOneOnRow();
  } else {
    Index = RowAtPoint(ScreenPoint, OwnRow);
  }
  if (Bar && Bar->GetWholeRow()) OwnRow = true;
  if (Stored && Bulk) {
    // Rows placed from stored data come back at their index.
    while (Index >= RowCount()) AddRow();
  } else {
    Index = std::clamp(Index, 0, OwnRow ? RowCount() : std::max(RowCount() - 1, 0));
  }
  if (Index >= RowCount()) OwnRow = true;
  if (!OwnRow)
    for (int I = 0; I < GetRow(Index)->BarCount(); ++I)
      if (TdxBar* Other = GetRow(Index)->BarAt(I); Other != Bar && Other->GetWholeRow()) OwnRow = true;
  TdxDockRow* Row;
  TdxDockCol* Col;
  if (OwnRow) {
    Row = Stored && Bulk && Index < RowCount() && GetRow(Index)->ColumnCount() == 0 ? GetRow(Index) : InsertRow(Index);
    Col = Row->AddColumn(BarControl);
  } else {
    Row = GetRow(Index);
    Col = Row->InsertColumn(ColumnAtPoint(Index, ScreenPoint), BarControl);
  }
  BarControl->AssignDockSite(this);
  if (BarControl->GetParent() != this) BarControl->SetParent(this);
  if (Bar) Bar->SetDockRow(Row);
  POINT P = ScreenPoint;
  if (!Stored && Toolbar && FBarManager->GetBars()->IsMoving()) {
    POINT Offset = FBarManager->GetBars()->GetDragOffset();
    POINT Grab = Toolbar->SizeForDocking(GetDockingStyle());
    P.x -= Offset.x + Grab.x;
    P.y -= Offset.y + Grab.y;
  }
  P = ScreenToClient(P);
  if (IsHorizontal() && P.x < 0) P.x = 0;
  if (IsVertical() && P.y < 0) P.y = 0;
  Col->SetPos(P);
  if (!Apply) return;
  if (!(Toolbar && Toolbar->IsMoving())) BarControl->SetBounds(P.x, P.y, BarControl->GetWidth(), BarControl->GetHeight());
  RebuildLayout();
  if (!Bulk) Col->StorePosition();
}

void TdxDockControl::UndockBarControl(TCustomdxBarControl* BarControl, TdxDockCol* Column, bool Rebuild) {
  for (TdxDockRow* Row : FRows) {
    int I = -1;
    for (int C = 0; C < Row->ColumnCount(); ++C)
      if ((Column && Row->ColumnAt(C) == Column) || (!Column && Row->ColumnAt(C)->GetBarControl() == BarControl)) I = C;
    if (I >= 0) {
      Row->DeleteColumn(I);
      break;
    }
  }
  if (Rebuild) RebuildLayout();
}

void TdxDockControl::MoveBarControl(TCustomdxBarControl* BarControl, POINT ScreenPoint) {
  UndockBarControl(BarControl, nullptr, false);
  DockBarControl(BarControl, ScreenPoint, true);
  if (GetDoubleBuffered()) {
    if (HandleAllocated()) Invalidate();
    RepaintBarFrames();
  }
}

void TdxDockControl::StoreColumnPositions() {
  for (TdxDockRow* Row : FRows)
    for (int C = 0; C < Row->ColumnCount(); ++C) Row->ColumnAt(C)->StorePosition();
}

// ---- drop geometry

RECT TdxDockControl::GetDockingZone() {
  int Z = FBarManager ? FBarManager->GetBars()->DockingZoneSize() : 23;
  RECT R = GetBoundsRect();
  if (GetParent()) MapWindowPoints(GetParent()->GetHandle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
  InflateRect(&R, Z, IsHorizontal() ? Z : 0);
  return R;
}

void TdxDockControl::GetRowZone(int RowIndex, int Part, int& Start, int& Stop) {
  int Z = FBarManager ? FBarManager->GetBars()->DockingZoneSize() : 23;
  int E = CalcRowsExtent();
  RECT Client = GetClientRect();
  int C = IsHorizontal() ? Client.bottom : Client.right;
  bool Near = IsNearEdge();
  if (RowIndex < 0) {
    Start = Near ? -Z : C - E - Z;
    Stop = Start + Z;
  } else if (RowIndex < RowCount()) {
    RECT R = CalcRowRect(RowIndex);
    Start = IsHorizontal() ? R.top : R.left;
    Stop = IsHorizontal() ? R.bottom : R.right;
  } else {
    Start = Near ? E : C;
    Stop = Start + Z;
  }
  int Margin = (Z - 5) / 2;
  int BandStart = Near ? Start + Margin : Stop - Margin - 5;
  int BandStop = BandStart + 5;
  if (Part == 0) {
    Stop = std::min(Stop, BandStart);
  } else if (Part == 1) {
    Start = BandStart;
    Stop = BandStop;
  } else {
    Start = std::max(Start, BandStop);
  }
}

int TdxDockControl::RowAtPoint(POINT ScreenPoint, bool& NewRow) {
  NewRow = true;
  if (RowCount() == 0) return 0;
  int A = Across(ScreenToClient(ScreenPoint), IsHorizontal());
  int Result = -1;
  bool Hit = false;
  for (int R = -1; R < RowCount() && !Hit; ++R)
    for (int Part = 0; Part < 3 && !Hit; ++Part) {
      int Start, Stop;
      GetRowZone(R, Part, Start, Stop);
      if (A < Start || A >= Stop) continue;
      Hit = true;
      if (Part == 0) {
        Result = R;
        NewRow = false;
      } else if (Part == 1) {
        Result = R + 1;
        NewRow = true;
      } else {
        Result = R + 1;
        NewRow = false;
      }
    }
  if (!Hit || Result < 0) {
    NewRow = true;
    int E = CalcRowsExtent();
    int From = IsNearEdge() ? 0 : (IsHorizontal() ? GetClientRect().bottom : GetClientRect().right) - E;
    // Before the rows (or within them) opens the first row; past them a row after the last.
    return A < From + E ? 0 : RowCount();
  }
  if (Result >= RowCount()) NewRow = true;
  return Result;
}

int TdxDockControl::ColumnAtPoint(int RowIndex, POINT ScreenPoint) {
  if (RowIndex < 0 || RowIndex >= RowCount()) return 0;
  TdxDockRow* Row = GetRow(RowIndex);
  if (Row->ColumnCount() == 0) return 0;
  POINT P = ScreenToClient(ScreenPoint);
  TdxBars* Bars = FBarManager ? FBarManager->GetBars() : nullptr;
  if (Bars && Bars->IsMoving())
    if (TdxBarControl* Moving = Bars->GetMovingBarControl(); Moving && !Moving->IsInternalLocked()) {
      POINT Grab = Moving->SizeForDocking(GetDockingStyle());
      (IsHorizontal() ? P.x : P.y) -= Along(Grab, IsHorizontal());
    }
  int At = Along(P, IsHorizontal());
  for (int C = 0; C < Row->ColumnCount(); ++C) {
    TdxBar* Bar = BarOf(Row->ColumnAt(C)->GetBarControl());
    int Pos = Bar ? (IsHorizontal() ? Bar->GetDockedLeft() : Bar->GetDockedTop()) : 0;
    if (Pos >= At) return C;
  }
  return Row->ColumnCount();
}

void TdxDockControl::SnapToRowZone(int RowIndex, bool OwnRow, POINT& ScreenPoint) {
  POINT P = ScreenToClient(ScreenPoint);
  int Mid;
  if (OwnRow && RowIndex != RowCount()) {
    int Start, Stop;
    GetRowZone(RowIndex - 1, 1, Start, Stop);
    Mid = (Start + Stop) / 2;
  } else {
    int S2, E2, S0, E0;
    GetRowZone(RowIndex - 1, 2, S2, E2);
    GetRowZone(RowIndex, 0, S0, E0);
    int From = S2;
    // Both halves equal when part 0 is the shorter.
    if (E0 - S0 < E2 - S2) From = E2 - (E0 - S0);
    Mid = (From + E0) / 2;
  }
  (IsHorizontal() ? P.y : P.x) = Mid;
  ScreenPoint = ClientToScreen(P);
}

// ---- layout

int TdxDockControl::RowThickness(int Index) {
  TdxDockRow* Row = GetRow(Index);
  int T = 0;
  for (int C = 0; C < Row->ColumnCount(); ++C) {
    TCustomdxBarControl* W = Row->ColumnAt(C)->GetBarControl();
    T = std::max(T, IsHorizontal() ? W->GetHeight() : W->GetWidth());
  }
  if (T > 0 && Index < RowCount() - 1 && GetPainter()) T += GetPainter()->DockRowSpacing();
  return T;
}

RECT TdxDockControl::CalcRowRect(int Index) {
  if (Index < 0 || Index >= RowCount()) return RECT{0, 0, 0, 0};
  RECT Client = GetClientRect();
  int Start = 0;
  TdxBars* Bars = FBarManager ? FBarManager->GetBars() : nullptr;
  bool FromFar = Bars && Bars->IsMoving() && !IsNearEdge();
  if (FromFar) {
    Start = IsHorizontal() ? Client.bottom : Client.right;
    for (int I = RowCount() - 1; I >= Index; --I) Start -= RowThickness(I);
  } else {
    for (int I = 0; I < Index; ++I) Start += RowThickness(I);
  }
  int T = RowThickness(Index);
  return IsHorizontal() ? RECT{Client.left, Start, Client.right, Start + T}
                        : RECT{Start, Client.top, Start + T, Client.bottom};
}

int TdxDockControl::CalcRowsExtent() {
  int E = 0;
  for (int I = 0; I < RowCount(); ++I) E += RowThickness(I);
  if (E > 0 && GetSunkenBorder()) E += 2;
  return E;
}

void TdxDockControl::RebuildLayout() {
  if (!FBarManager || FBarManager->IsBarsUpdateLocked() || FBarManager->IsDestroying() || FLayingOut) return;
  FLayingOut = true;
  try {
    RealignRows();
    ResizeToRows();
  } catch (...) {
    FLayingOut = false;
    throw;
  }
  FLayingOut = false;
}

void TdxDockControl::RealignRows() {
  if (FRows.empty() || !FBarManager || FBarManager->IsApplyingLoadedVisibility() || FBarManager->IsDestroying()) return;
  if (!InDesignMode() && HandleAllocated())
    SetWindowPos(GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  LayoutRows();
  if (HandleAllocated()) Invalidate();
}

void TdxDockControl::LayoutRows() {
  RECT Client = GetClientRect();
  int Length = IsHorizontal() ? Client.right - Client.left : Client.bottom - Client.top;
  for (int I = 0; I < RowCount(); ++I)
    if (GetRow(I)->HasDockedBar()) LayoutRow(I, Length);
}

namespace {
struct TLayoutCol {
  TdxBarControl* Window;
  TdxBar* Bar;
  int Pos;
  int MinSize;
  int MaxSize;
  int Start = 0;
  int Length = 0;
  int Thickness = 0;
  bool Truncated = false;
};
}  // namespace

void TdxDockControl::LayoutRow(int RowIndex, int Length) {
  TdxDockRow* Row = GetRow(RowIndex);
  bool H = IsHorizontal();
  TdxBarDockingStyle Style = GetDockingStyle();
  RECT RR = CalcRowRect(RowIndex);
  int RowStart = H ? RR.top : RR.left;
  TdxBarPainter* Painter = GetPainter();
  TdxBars* Bars = FBarManager->GetBars();
  std::vector<TLayoutCol> Cols;
  int Total = 0;
  for (int C = 0; C < Row->ColumnCount(); ++C) {
    TdxBarControl* W = AsToolbar(Row->ColumnAt(C)->GetBarControl());
    if (!W || !W->GetBar()) continue;
    TdxBar* Bar = W->GetBar();
    W->SetTruncated(false);
    if (W->GetItemLinks()) W->GetItemLinks()->SetRecentLinkLimit(-1);
    int Border = H ? Bar->GetHorzBorderSize(Style) : Bar->GetVertBorderSize(Style);
    int MinSize = (H ? W->MinWidthForStyle(Style) : W->MinHeightForStyle(Style)) + Border;
    int MaxSize = (H ? W->ContentWidth(Style) : W->ContentHeight(Style)) + Border;
    // Room for the mark that truncation brings.
    if (!W->HasMark() && MinSize != MaxSize) MinSize += W->MarkSize();
    Cols.push_back(TLayoutCol{W, Bar, Along(Row->ColumnAt(C)->GetPos(), H), MinSize, MaxSize});
    Total += MaxSize;
  }
  // The window's thickness for a length along the row.
  auto SizeFor = [&](TLayoutCol& C, int L) {
    int Along = L - (H ? C.Bar->GetHorzBorderSize(Style) : C.Bar->GetVertBorderSize(Style));
    if (Painter && !Painter->SupportsQuickCustomizing()) Along -= C.Window->MarkExtent();
    int Across = H ? C.Window->CalcSizeForWidth(Style, Along).cy : C.Window->CalcWrappedSize(Style, Along).cx;
    return Across + (H ? C.Bar->GetVertBorderSize(Style) : C.Bar->GetHorzBorderSize(Style));
  };
  int N = static_cast<int>(Cols.size());
  if (N == 1 && Cols[0].Bar->GetWholeRow()) {
    TLayoutCol& C = Cols[0];
    C.Start = 0;
    C.Length = std::max(Length, C.MinSize);
    C.Truncated = !C.Window->IsFloatingOrMultiLine() && C.Length < C.MaxSize;
  } else if (Length >= Total) {
    int Right = Length;
    for (int I = N - 1; I >= 0; --I) {
      TLayoutCol& C = Cols[static_cast<size_t>(I)];
      int Before = 0;
      for (int J = 0; J < I; ++J) Before += Cols[static_cast<size_t>(J)].MaxSize;
      C.Length = C.MaxSize;
      C.Start = std::max(std::min(C.Pos, Right - C.MaxSize), Before);
      Right = C.Start;
    }
  } else {
    int Remaining = Length;
    TdxBarControl* Moving = Bars->IsMoving() ? Bars->GetMovingBarControl() : nullptr;
    for (int I = N - 1; I >= 0; --I) {
      TLayoutCol& C = Cols[static_cast<size_t>(I)];
      int MinBefore = 0, MaxBefore = 0;
      for (int J = 0; J < I; ++J) {
        MinBefore += Cols[static_cast<size_t>(J)].MinSize;
        MaxBefore += Cols[static_cast<size_t>(J)].MaxSize;
      }
      int P = std::clamp(C.Pos, MinBefore, std::max(MinBefore, MaxBefore));
      if (I > 0 && Cols[static_cast<size_t>(I - 1)].Window == Moving) {
        int After = Cols[static_cast<size_t>(I - 1)].Pos + Cols[static_cast<size_t>(I - 1)].MaxSize;
        if (After < P) {
          P = After;
          Row->ColumnAt(Row->IndexOfColumnOf(C.Window))->SetPos(H ? POINT{P, 0} : POINT{0, P});
        }
      }
      bool Wraps = C.Window->IsFloatingOrMultiLine() || C.MinSize == C.MaxSize;
      if (I == 0) {
        // The first column takes what is left.
        C.Length = std::max(Remaining, C.MinSize);
        C.Truncated = !Wraps && C.Length < C.MaxSize;
      } else if (Remaining - P < C.MaxSize) {
        C.Truncated = !Wraps;
        C.Length = std::max(Remaining - P, C.MinSize);
      } else {
        C.Length = C.MaxSize;
      }
      C.Start = std::clamp(Remaining - C.Length, MinBefore, std::max(MinBefore, MaxBefore));
      if (I == 0) C.Start = 0;
      Remaining -= C.Length;
    }
  }
  // Rest space: windows follow one another; a UseRestSpace bar fills up to the next.
  bool AutoAlign = FBarManager->GetAutoAlignBars();
  for (int I = 0; I < N; ++I) {
    TLayoutCol& C = Cols[static_cast<size_t>(I)];
    if (!C.Bar->GetUseRestSpace() && !AutoAlign) continue;
    C.Start = I == 0 ? 0 : Cols[static_cast<size_t>(I - 1)].Start + Cols[static_cast<size_t>(I - 1)].Length;
    if (C.Bar->GetUseRestSpace()) {
      int Next = I + 1 < N ? Cols[static_cast<size_t>(I + 1)].Start : Length;
      C.Length = std::max(Next - C.Start, C.MinSize);
    }
  }
  int Thickness = 0;
  for (TLayoutCol& C : Cols) {
    C.Thickness = SizeFor(C, C.Length);
    Thickness = std::max(Thickness, C.Thickness);
  }
  for (int I = 0; I < N; ++I) {
    TLayoutCol& C = Cols[static_cast<size_t>(I)];
    if (C.Truncated && I == N - 1) C.Length = std::max(Length - C.Start, C.MinSize);
    C.Window->SetTruncated(C.Truncated);
    RECT B = H ? RECT{C.Start, RowStart, C.Start + C.Length, RowStart + Thickness}
               : RECT{RowStart, C.Start, RowStart + Thickness, C.Start + C.Length};
    C.Window->SetNewBounds(B);
    C.Window->ApplyNewBounds();
  }
}

void TdxDockControl::ResizeToRows() {
  int Extent = CalcRowsExtent();
  RECT Before = GetBoundsRect();
  int Old = IsHorizontal() ? GetHeight() : GetWidth();
  if (Old == Extent) return;
  TWinControl* Parent = GetParent();
  if (Parent) Parent->DisableAlign();
  try {
    switch (GetDockingStyle()) {
      case dsLeft: SetWidth(Extent); break;
      case dsTop: SetHeight(Extent); break;
      // A far-edge site keeps its outer edge where it was.
      case dsRight: SetBounds(Before.right - Extent, Before.top, Extent, Before.bottom - Before.top); break;
      default: SetBounds(Before.left, Before.bottom - Extent, Before.right - Before.left, Extent); break;
    }
  } catch (...) {
    if (Parent) Parent->EnableAlign();
    throw;
  }
  if (Parent) Parent->EnableAlign();
  if (!GetVisible()) return;
  TCustomdxBarControl* Active = TopActiveBarControl();
  if (!Active) return;
  TCustomdxBarControl* Root = RootToolbarOfBar(Active);
  if (Root && Root->IsCustomizingPopup()) return;
  if (Active->HandleAllocated() && GetCapture() == Active->GetHandle()) return;
  if (!IsFormDockSite() && Root && Root->GetDockSite() && Root->GetDockSite()->IsFormDockSite()) return;
  if ((Root && Root->GetBarManager() == FBarManager) || !Parent) Active->CloseBar();
}

// ---- settings, background and frame

void TdxDockControl::ManagerSettingsChanged() {
  if (GetComponentState().Contains(csDestroying)) return;
  DropBackgroundCache();
  UpdateColor();
  RecalcFrame();
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

bool TdxDockControl::GetSunkenBorder() const { return FBarManager && FBarManager->GetSunkenBorder(); }

TdxBarPainter* TdxDockControl::GetPainter() const { return FBarManager ? FBarManager->GetPainter() : nullptr; }

bool TdxDockControl::HasBackgroundBitmap() const { return !FBackgroundBitmap->GetEmpty(); }

bool TdxDockControl::NeedsDoubleBuffer() const {
  if (HasBackgroundBitmap()) return true;
  if (GetPainter() && GetPainter()->UsesThemeBackground()) return true;
  TdxBarBackgrounds* B = FBarManager ? FBarManager->GetBackgrounds() : nullptr;
  return B && B->GetBar() && !B->GetBar()->GetEmpty();
}

void TdxDockControl::UpdateDoubleBuffered() { SetDoubleBuffered(NeedsDoubleBuffer()); }

void TdxDockControl::DropBackgroundCache() { FBackgroundCache->SetSize(0, 0); }

void TdxDockControl::FillBackground(HDC DC, const RECT& R) { FillBackground(DC, R, GetColor(), nullptr, R); }

void TdxDockControl::RecalcFrame() {
  if (HandleAllocated())
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  for (int I = 0; I < BarControlCount(); ++I) BarControlByIndex(I)->RecalcFrame();
  RebuildLayout();
}

void TdxDockControl::RepaintBarFrames() {
  for (int I = 0; I < BarControlCount(); ++I) {
    TCustomdxBarControl* W = BarControlByIndex(I);
    if (W->HandleAllocated()) RedrawWindow(W->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  }
}

void TdxDockControl::ShowToolbarsPopup() {
  if (FBarManager) BarDesignControllerInstance()->ShowToolbarsPopup(FBarManager, GetPainter());
}

void TdxDockControl::InitiateAction() {
  TCustomControl::InitiateAction();
  if (!FBarManager) return;
  TdxBars* Bars = FBarManager->GetBars();
  for (int I = 0; I < Bars->NumberOfItems(); ++I)
    if (TdxBar* Bar = Bars->GetBar(I); Bar->GetVisible() && Bar->GetItemLinks()) Bar->GetItemLinks()->UpdateActions();
}

void TdxDockControl::FillBackground(HDC DC, const RECT& R, TColor Color, HBRUSH Brush, const RECT& Source) {
  TBitmap* Bitmap = HasBackgroundBitmap() ? FBackgroundBitmap.get() : nullptr;
  TdxBarBackgrounds* B = FBarManager ? FBarManager->GetBackgrounds() : nullptr;
  if (!Bitmap && B && B->GetBar() && !B->GetBar()->GetEmpty()) Bitmap = B->GetBar();
  if (Bitmap) {
    FillRectByColorOrBitmap(DC, R, Source, Bitmap, Color, Brush);
    return;
  }
  RECT Client = HandleAllocated() ? GetClientRect() : RECT{0, 0, GetWidth(), GetHeight()};
  if (TdxBarPainter* Painter = GetPainter())
    Painter->FillBackground(this, DC, Color, Brush, Client, Source, R);
  else
    FillRectByColorOrBitmap(DC, R, Source, nullptr, Color, Brush);
}

std::vector<TdxBarDockRowInfo> TdxDockControl::RowsForPainting() const {
  auto* Self = const_cast<TdxDockControl*>(this);
  std::vector<TdxBarDockRowInfo> Rows;
  for (int I = 0; I < RowCount(); ++I) {
    TdxBarDockRowInfo Info{Self->CalcRowRect(I), {}};
    if (IsRectEmpty(&Info.Bounds)) continue;
    for (int K = 0; K < GetRow(I)->BarCount(); ++K) Info.Bars.push_back(GetRow(I)->BarAt(K));
    Rows.push_back(std::move(Info));
  }
  return Rows;
}

void TdxDockControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  // The framework's visibility stays; the rest is the site's own.
  Params.Style = (Params.Style & WS_VISIBLE) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle = 0;
  Params.WindowClass.style = CS_DBLCLKS;
}

void TdxDockControl::Paint() {
  RECT R = GetClientRect();
  FillBackground(GetCanvas()->GetHandle(), R);
}

void TdxDockControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETOBJECT:
      Message.Result = DefWindowProcW(GetHandle(), Message.Msg, Message.WParam, Message.LParam);
      return;
    case WM_MOUSEACTIVATE:
      if (!InDesignMode()) {
        Message.Result = MA_NOACTIVATE;
        if (TCustomForm* Form = ::GetParentForm(this); Form && Form->HandleAllocated()) {
          HWND Top = GetAncestor(Form->GetHandle(), GA_ROOT);
          SetWindowPos(Top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
          SetActiveWindow(Top);
        }
        return;
      }
      break;
    case WM_ERASEBKGND: {
      RECT R = GetClientRect();
      FillBackground(reinterpret_cast<HDC>(Message.WParam), R);
      Message.Result = 1;
      return;
    }
    case WM_NCCALCSIZE:
      TCustomControl::WndProc(Message);
      if (GetSunkenBorder()) {
        auto* R = reinterpret_cast<RECT*>(Message.LParam);
        InflateRect(R, -1, -1);
      }
      return;
    case WM_NCPAINT:
      TCustomControl::WndProc(Message);
      if (GetSunkenBorder() && HandleAllocated()) {
        HDC DC = GetWindowDC(GetHandle());
        RECT R = QueryWindowRect(GetHandle());
        OffsetRect(&R, -R.left, -R.top);
        DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
        ReleaseDC(GetHandle(), DC);
      }
      return;
    case WM_SIZE:
      DropBackgroundCache();
      TCustomControl::WndProc(Message);
      // A new length along the rows lays them out again.
      if (!FLayingOut && FBarManager && !FBarManager->IsInLoad()) RebuildLayout();
      return;
    case WM_WINDOWPOSCHANGED: {
      TCustomControl::WndProc(Message);
      auto* Pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
      if ((Pos->flags & SWP_NOSIZE) && (Pos->flags & SWP_NOMOVE)) return;
      if (GetDockingStyle() == dsBottom)
        for (int I = 0; I < BarControlCount(); ++I)
          if (TdxBar* Bar = BarOf(BarControlByIndex(I)); Bar && Bar->IsStatusBarLike()) Bar->RefreshBarControl();
      if (GetDoubleBuffered()) RepaintBarFrames();
      return;
    }
    case WM_DESTROY:
      if (FBarManager) FBarManager->BeginBarRestoring();
      break;
    case WM_LBUTTONDBLCLK:
      if (FBarManager && FBarManager->GetCanCustomize()) FBarManager->SetCustomizing(true);
      break;
    case WM_RBUTTONDOWN:
      if (FBarManager && !FBarManager->IsCustomizing() && !InDesignMode()) ShowToolbarsPopup();
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
  P.Boolean("AllowZeroSizeInDesignTime", &TdxBarDockControl::GetAllowZeroSizeInDesignTime,
            &TdxBarDockControl::SetAllowZeroSizeInDesignTime)
      .Default(false);
  P.Component("BarManager", &TdxBarDockControl::GetBarManager, &TdxBarDockControl::SetBarManager);
  P.Object("BackgroundBitmap", &TdxBarDockControl::GetBackgroundBitmap);
  P.Boolean("SunkenBorder", &TdxBarDockControl::GetSunkenBorder, &TdxBarDockControl::SetSunkenBorder)
      .Stored([](TdxBarDockControl* D) { return D->GetUseOwnSunkenBorder(); });
  P.Boolean("UseOwnColor", &TdxBarDockControl::GetUseOwnColor, &TdxBarDockControl::SetUseOwnColor).Default(false);
  P.Boolean("UseOwnSunkenBorder", &TdxBarDockControl::GetUseOwnSunkenBorder, &TdxBarDockControl::SetUseOwnSunkenBorder)
      .Default(false);
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
  static const TdxBarDockingStyle Styles[] = {dsTop, dsTop, dsBottom, dsLeft, dsRight};
  TdxBarManager* M = GetBarManager();
  if (M) M->LockBarsUpdate();
  try {
    for (int I = 0; I < BarControlCount(); ++I) BarControlByIndex(I)->ChangeDockingStyle(Styles[Value]);
    SetAlign(Aligns[Value]);
  } catch (...) {
    if (M) M->UnlockBarsUpdate();
    throw;
  }
  if (M) M->UnlockBarsUpdate();
  for (int I = 0; I < BarControlCount(); ++I) BarControlByIndex(I)->Rebuild();
  if (GetParent() && GetParent()->HandleAllocated()) GetParent()->Invalidate();
}

void TdxBarDockControl::SetAllowZeroSizeInDesignTime(bool Value) {
  if (FAllowZeroSizeInDesignTime == Value) return;
  FAllowZeroSizeInDesignTime = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), WM_SIZE, 0, 0);
}

void TdxBarDockControl::SetUseOwnColor(bool Value) {
  if (FUseOwnColor == Value) return;
  FUseOwnColor = Value;
  if (!Value) UpdateColor();
}

void TdxBarDockControl::SetSiteColor(TColor Value) {
  SetColor(Value);
  TdxBarManager* M = GetBarManager();
  if (!(M && (M->IsLoading() || M->IsApplyingLoadedVisibility()))) FUseOwnColor = true;
}

void TdxBarDockControl::UpdateColor() {
  if (!FUseOwnColor) TdxDockControl::UpdateColor();
}

bool TdxBarDockControl::GetSunkenBorder() const {
  return FUseOwnSunkenBorder ? FOwnSunkenBorder : TdxDockControl::GetSunkenBorder();
}

void TdxBarDockControl::SetSunkenBorder(bool Value) {
  FOwnSunkenBorder = Value;
  FUseOwnSunkenBorder = true;
  RecalcFrame();
}

void TdxBarDockControl::SetUseOwnSunkenBorder(bool Value) {
  if (FUseOwnSunkenBorder == Value) return;
  bool Before = GetSunkenBorder();
  // Switched on, the site keeps what it showed.
  if (Value) FOwnSunkenBorder = Before;
  FUseOwnSunkenBorder = Value;
  if (GetSunkenBorder() != Before) RecalcFrame();
}

int TdxBarDockControl::EmptySize() const { return InDesignMode() && !FAllowZeroSizeInDesignTime ? 3 : 0; }

int TdxBarDockControl::CalcRowsExtent() {
  TdxBarManager* M = GetBarManager();
  if (M && (M->IsLoading() || M->IsApplyingLoadedVisibility()))
    return IsHorizontal() ? GetClientHeight() : GetClientWidth();
  return RowCount() == 0 ? EmptySize() : TdxDockControl::CalcRowsExtent();
}

void TdxBarDockControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CREATE) {
    TdxDockControl::WndProc(Message);
    if (TdxBarManager* M = GetBarManager()) M->RestoreBars(this);
    return;
  }
  if (Message.Msg == WM_SIZE && RowCount() == 0 && GetBarManager() && !GetBarManager()->IsLoading()) {
    TdxDockControl::WndProc(Message);
    int Size = EmptySize();
    if ((IsHorizontal() ? GetHeight() : GetWidth()) != Size) {
      if (IsHorizontal())
        SetHeight(Size);
      else
        SetWidth(Size);
    }
    return;
  }
  TdxDockControl::WndProc(Message);
}

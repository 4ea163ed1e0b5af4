#include "suite/bars/BarCalendar.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/OwnedObject.h"
#include "framework/Conversions.h"
#include "framework/Form.h"
#include "framework/FormatSettings.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainters.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/cxDateUtils.h"
#include "suite/common/cxGraphicsRoutines.h"

// ---- TdxBarCustomCalendar

TdxBarCustomCalendar::TdxBarCustomCalendar(TComponent* AOwner)
    : TCustomControl(AOwner), FFirstShownDate(Date()), FRangeFirstDate(FFirstShownDate),
      FRangeLastDate(FFirstShownDate), FDraggedFromDate(FFirstShownDate) {}

TDateTime TdxBarCustomCalendar::SelectionFrom() const {
  if (FRangeLastDate == cxNullDate) return FRangeFirstDate;
  return std::min(FRangeFirstDate, FRangeLastDate);
}

TDateTime TdxBarCustomCalendar::SelectionTo() const { return std::max(FRangeFirstDate, FRangeLastDate); }

void TdxBarCustomCalendar::SetFirstDate(TDateTime Value) {
  if (Value != FFirstShownDate) FFirstShownDate = Value;
}

void TdxBarCustomCalendar::SetSelStart(TDateTime Value) {
  FRangeFirstDate = Value;
  FRangeLastDate = cxNullDate;
  SetSelFinish(Value);
}

void TdxBarCustomCalendar::SetSelFinish(TDateTime Value) {
  if (Value == FRangeLastDate) return;
  EnsureSelectionVisible();
  FRangeLastDate = Value;
  EnsureSelectionVisible();
  Invalidate();
}

void TdxBarCustomCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Shift.Contains(ssDouble)) return;
  FDraggedFromDate = SelectionFrom();
  TDateTime D = DateAtPos(POINT{X, Y});
  if (D != cxNullDate) SetSelStart(D);
}

void TdxBarCustomCalendar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!Shift.Contains(ssLeft) || !HandleAllocated() || GetCapture() != GetHandle()) return;
  TDateTime D = DateAtPos(POINT{X, Y});
  if (D != cxNullDate) {
    SetSelFinish(D);
  } else {
    RECT R = GetClientRect();
    if (!PtInRect(&R, POINT{X, Y}) && FDraggedFromDate != SelectionTo() && FDraggedFromDate != cxNullDate)
      SetSelFinish(FDraggedFromDate);
  }
  UpdateWindow(GetHandle());
}

// ---- TAMonthListBox

namespace {
std::string MonthTitle(TDateTime Month) {
  int Y, M, D;
  DecodeDate(Month, Y, M, D);
  return LongMonthNames[M - 1] + " " + IntToStr(Y);
}

TDateTime FirstOfMonth(TDateTime Date) {
  int Y, M, D;
  DecodeDate(Date, Y, M, D);
  return EncodeDate(Y, M, 1);
}
}  // namespace

TAMonthListBox::TAMonthListBox(TComponent* AOwner) : TCustomControl(AOwner), FTopShownMonth(cxNullDate) {
  SetVisible(false);
}

TAMonthListBox::~TAMonthListBox() { StopScrolling(); }

void TAMonthListBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = (Params.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP | WS_BORDER;
  Params.ExStyle |= WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.WndParent = GetParentWindow();
}

void TAMonthListBox::DestroyWnd() {
  StopScrolling();
  TCustomControl::DestroyWnd();
}

void TAMonthListBox::SetTopShownMonth(TDateTime Value) {
  if (Value == FTopShownMonth) return;
  FTopShownMonth = Value;
  Invalidate();
}

void TAMonthListBox::SetItemIndex(int Value) {
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  Invalidate();
}

TDateTime TAMonthListBox::ChosenMonth() const {
  if (FItemIndex < 0 || FTopShownMonth == cxNullDate) return cxNullDate;
  return IncMonth(FTopShownMonth, FItemIndex);
}

void TAMonthListBox::StopScrolling() {
  if (FScrollTimer && HandleAllocated()) KillTimer(GetHandle(), FScrollTimer);
  FScrollTimer = 0;
  FScrollInterval = 0;
}

void TAMonthListBox::PointerAt(POINT P) {
  const int H = GetClientHeight();
  if (P.x >= 0 && P.x < GetClientWidth() && P.y >= 0 && P.y < H) {
    StopScrolling();
    SetItemIndex(P.y / std::max(1, FItemHeight));
    return;
  }
  SetItemIndex(-1);
  if (P.y >= 0 && P.y < H) return;
  // The farther above or below, the faster.
  const int Distance = P.y < 0 ? P.y : P.y - H + 1;
  const int Step = std::clamp((Distance < 0 ? -1 : 1) + Distance / 12, -4, 4);
  const UINT Id = static_cast<UINT>(Step + 5);
  if (Id == FScrollTimer) return;
  StopScrolling();
  static constexpr UINT Intervals[] = {500, 250, 100, 50};
  const UINT Interval = Intervals[std::abs(Step) - 1];
  if (HandleAllocated() && SetTimer(GetHandle(), Id, Interval, nullptr)) {
    FScrollTimer = Id;
    FScrollInterval = Interval;
  }
}

void TAMonthListBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_TIMER && Message.WParam >= 1 && Message.WParam <= 9) {
    if (Message.WParam == FScrollTimer && FTopShownMonth != cxNullDate)
      SetTopShownMonth(IncMonth(FTopShownMonth, Message.WParam < 6 ? -1 : 1));
    return;
  }
  TCustomControl::WndProc(Message);
}

void TAMonthListBox::Paint() {
  TCanvas* C = GetCanvas();
  C->GetFont()->Assign(GetFont());
  const int W = GetClientWidth();
  for (int Row = 0; Row < 7; ++Row) {
    const bool Highlighted = Row == FItemIndex;
    RECT R{0, Row * FItemHeight, W, (Row + 1) * FItemHeight};
    C->GetBrush()->SetColor(Highlighted ? clWindowText : GetColor());
    C->FillRect(R);
    if (FTopShownMonth == cxNullDate) continue;
    const std::string Text = MonthTitle(IncMonth(FTopShownMonth, Row));
    C->GetFont()->SetColor(Highlighted ? GetColor() : clWindowText);
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut((W - C->TextWidth(Text)) / 2, R.top + (FItemHeight - C->TextHeight(Text)) / 2, Text);
    C->GetBrush()->SetStyle(bsSolid);
  }
}

// ---- TdxBarDateNavigator

TdxBarDateNavigator::TdxBarDateNavigator(TComponent* AOwner) : TdxBarCustomCalendar(AOwner) {
  EnsureBarExtItemsUnit();
  SetFirstDate(GetFirstShownDate());
  StoreRangeFirstDate(GetFirstShownDate());
  SetSelStart(GetFirstShownDate());
  CalcMetrics();
}

TdxBarDateNavigator::~TdxBarDateNavigator() {
  StopArrowTimer();
  CloseMonthList();
}

RECT TdxBarDateNavigator::MonthTitleRect() {
  const int E = FStyle == 0 ? 1 : 0, T = DaysAreaTop();
  return RECT{FDayColumnWidth, T - E - 1 - FMonthHeaderHeight + 2, GetClientWidth() - E - FDayColumnWidth, T - E - 1};
}

void TdxBarDateNavigator::OpenMonthList() {
  CloseMonthList();
  FMonthList = TAMonthListBox::Create(this);
  FMonthList->SetParentWindow(GetHandle());
  FMonthList->GetFont()->Assign(GetFont());
  FMonthList->SetColor(GetColor());
  FMonthList->SetItemHeight(FMonthHeaderHeight - 2);
  const int BX = GetSystemMetrics(SM_CXBORDER), BY = GetSystemMetrics(SM_CYBORDER);
  const int W = 2 * BX + 6 * FDayColumnWidth, H = 2 * BY + 7 * FMonthList->GetItemHeight();
  FMonthList->SetTopShownMonth(IncMonth(FirstOfMonth(GetFirstShownDate()), -3));
  RECT Title = MonthTitleRect();
  POINT Centre{(Title.left + Title.right) / 2, (Title.top + Title.bottom) / 2};
  ::ClientToScreen(GetHandle(), &Centre);
  FMonthList->SetBounds(Centre.x - W / 2, Centre.y - H / 2, W, H);
  FMonthList->HandleNeeded();
  SetWindowPos(FMonthList->GetHandle(), HWND_TOPMOST, Centre.x - W / 2, Centre.y - H / 2, W, H,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TdxBarDateNavigator::CloseMonthList() {
  if (!FMonthList) return;
  TAMonthListBox* List = FMonthList;
  FMonthList = nullptr;
  Free(List);
}

void TdxBarDateNavigator::SetStyle(int Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  CalcMetrics();
  RecreateWnd();
}

int TdxBarDateNavigator::GetStyle() const {
  return FStyle == 1 && FPainter && FPainter->CalendarIsFlat() ? 2 : FStyle;
}

void TdxBarDateNavigator::SetPainter(TdxBarPainter* Value) {
  if (Value == FPainter) return;
  const int Was = GetStyle();
  FPainter = Value;
  // The flat popup has no dialog frame.
  if (GetStyle() != Was && HandleAllocated()) RecreateWnd();
}

void TdxBarDateNavigator::CreateParams(TCreateParams& Params) {
  TdxBarCustomCalendar::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  if (FStyle == 0) Params.ExStyle |= WS_EX_CLIENTEDGE;
  if (FIsPopup) {
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP | (GetStyle() == 2 ? 0 : WS_DLGFRAME);
    Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
  }
}

void TdxBarDateNavigator::FontChanged() {
  TdxBarCustomCalendar::FontChanged();
  CalcMetrics();
}

void TdxBarDateNavigator::CalcMetrics() {
  SIZE Zero{0, 0};
  MeasureTextInFont(GetFont(), "0", 0, Zero);
  FDayColumnWidth = 3 * Zero.cx;
  FSideMargin = 2 * Zero.cx;
  FDayRowHeight = Zero.cy + 2;
  FMonthHeaderHeight = Zero.cy + 4 + (FStyle != 0 ? 1 : 0);
  FTodayButtonExtent = TextWidthOf(BarString(dxSBAR_DATETODAY)) + FDayColumnWidth;
  FClearButtonExtent = TextWidthOf(BarString(dxSBAR_DATECLEAR)) + FDayColumnWidth;
  const int Points = GetFont()->GetSize();
  FButtonGap = Points / 2;
  FButtonHeight = MulDiv(Points, 5, 2);
  FButtonBandHeight = Points * 3 / 4 + FButtonHeight + FButtonGap;
  // The client area; the frame of each style comes on top.
  const int Frame = FStyle == 0 ? 2 : 1;
  SetWidth(2 * Frame + 2 * FSideMargin + 7 * FDayColumnWidth);
  SetHeight(2 * Frame + FMonthHeaderHeight + WeekdayRowHeight() + 6 * FDayRowHeight + 1 + (FStyle == 0 ? 1 : 0) +
            (ShowsButtons() ? FButtonBandHeight : 0));
}

int TdxBarDateNavigator::TextWidthOf(const std::string& Text) {
  TOwned<TBitmap> Measure(TBitmap::Create());
  Measure->GetCanvas()->GetFont()->Assign(GetFont());
  return Measure->GetCanvas()->TextWidth(Text);
}

void TdxBarDateNavigator::SetShowTodayButton(bool Value) {
  if (Value == FShowTodayButton) return;
  FShowTodayButton = Value;
  CalcMetrics();
}

void TdxBarDateNavigator::SetShowClearButton(bool Value) {
  if (Value == FShowClearButton) return;
  FShowClearButton = Value;
  CalcMetrics();
}

// The free width is split into equal gaps around the shown buttons.
RECT TdxBarDateNavigator::TodayButtonRect() {
  if (!ShowsButtons() || !FShowTodayButton) return RECT{0, 0, 0, 0};
  const int W = GetClientWidth(), Top = GetClientHeight() + FButtonGap - FButtonBandHeight;
  const int Left = (W - FTodayButtonExtent - (FShowClearButton ? FClearButtonExtent : 0)) / (FShowClearButton ? 3 : 2);
  return RECT{Left, Top, Left + FTodayButtonExtent, Top + FButtonHeight};
}

RECT TdxBarDateNavigator::ClearButtonRect() {
  if (!ShowsButtons() || !FShowClearButton) return RECT{0, 0, 0, 0};
  const int W = GetClientWidth(), Top = GetClientHeight() + FButtonGap - FButtonBandHeight;
  const int Gap = (W - (FShowTodayButton ? FTodayButtonExtent : 0) - FClearButtonExtent) / (FShowTodayButton ? 3 : 2);
  const int Left = W - FClearButtonExtent - Gap;
  return RECT{Left, Top, Left + FClearButtonExtent, Top + FButtonHeight};
}

int TdxBarDateNavigator::ButtonAt(POINT P) {
  RECT Today = TodayButtonRect(), Clear = ClearButtonRect();
  return PtInRect(&Today, P) ? 1 : PtInRect(&Clear, P) ? 2 : 0;
}

RECT TdxBarDateNavigator::PrevArrowRect() { return RECT{1, 1, FDayColumnWidth - 1, FMonthHeaderHeight - 1}; }

RECT TdxBarDateNavigator::NextArrowRect() {
  const int W = GetClientWidth(), E = FStyle == 0 ? 1 : 0;
  return RECT{W - FDayColumnWidth, 1, W - E - 1, FMonthHeaderHeight - 1};
}

RECT TdxBarDateNavigator::DayCellRect(int Column, int Row) {
  const int X = FSideMargin + Column * FDayColumnWidth;
  const int Y = DaysAreaTop() + WeekdayRowHeight() + Row * FDayRowHeight;
  return RECT{X, Y, X + FDayColumnWidth, Y + FDayRowHeight};
}

int TdxBarDateNavigator::ColumnOf(TDateTime Date, int FirstWeekDay) {
  const int D = DayOfWeek(Date) - FirstWeekDay;
  return D > 0 ? D - 1 : D + 6;
}

TDateTime TdxBarDateNavigator::FirstVisibleDate() const {
  const TDateTime First = GetFirstShownDate();
  const int Column = ColumnOf(First, BarCalendarFirstWeekDay());
  // A month beginning in the first column still shows a week of the one before.
  return First - (Column == 0 ? 7 : Column);
}

TDateTime TdxBarDateNavigator::LastDateOfMonth() const {
  int Y, M, D;
  DecodeDate(GetFirstShownDate(), Y, M, D);
  return EncodeDate(Y, M, DaysInMonthOf(Y, M));
}

void TdxBarDateNavigator::SetFirstDate(TDateTime Value) {
  int Y, M, D;
  DecodeDate(Value, Y, M, D);
  TdxBarCustomCalendar::SetFirstDate(EncodeDate(Y, M, 1));
}

void TdxBarDateNavigator::SetSelFinish(TDateTime Value) {
  // One day only: both ends move together.
  StoreRangeFirstDate(Value);
  TdxBarCustomCalendar::SetSelFinish(Value);
}

void TdxBarDateNavigator::EnsureSelectionVisible() {
  const TDateTime D = GetRangeFirstDate();
  // No date selected: the shown month stays.
  if (D == cxNullDate) return;
  if (FirstVisibleDate() > D) SetFirstDate(IncMonth(D, -1));
  if (LastVisibleDate() < D) SetFirstDate(D);
}

TDateTime TdxBarDateNavigator::DateAtPos(POINT P) {
  RECT Client = GetClientRect();
  if (!PtInRect(&Client, P)) return cxNullDate;
  const int Top = DaysAreaTop() + WeekdayRowHeight();
  if (P.x < FSideMargin || P.x >= FSideMargin + 7 * FDayColumnWidth || P.y < Top || P.y >= Top + 6 * FDayRowHeight)
    return cxNullDate;
  const int Column = (P.x - FSideMargin) / FDayColumnWidth, Row = (P.y - Top) / FDayRowHeight;
  return FirstVisibleDate() + Row * 7 + Column;
}

void TdxBarDateNavigator::Clear() {
  SetSelStart(cxNullDate);
  Invalidate();
}

void TdxBarDateNavigator::MoveMonth(int Delta) {
  SetFirstDate(IncMonth(GetFirstShownDate(), Delta));
  Invalidate();
}

void TdxBarDateNavigator::KeyDown(WORD& Key, TShiftState Shift) {
  TdxBarCustomCalendar::KeyDown(Key, Shift);
  if (!FIsPopup) return;
  if (Key == VK_RETURN) {
    if (!FMonthList) DoSelect();
    return;
  }
  // With no date selected the moves start from the shown month.
  TDateTime From = SelectionFrom();
  if (From == cxNullDate) From = GetFirstShownDate();
  const bool CtrlOnly = Shift.Contains(ssCtrl) && !Shift.Contains(ssShift) && !Shift.Contains(ssAlt);
  int Y, M, D;
  DecodeDate(From, Y, M, D);
  TDateTime To;
  switch (Key) {
    case VK_LEFT: To = From - 1; break;
    case VK_RIGHT: To = From + 1; break;
    case VK_UP: To = From - 7; break;
    case VK_DOWN: To = From + 7; break;
    case VK_PRIOR: To = IncMonth(From, -1); break;
    case VK_NEXT: To = IncMonth(From, 1); break;
    case VK_HOME: To = CtrlOnly ? EncodeDate(Y, M, 1) : From - ColumnOf(From, BarCalendarFirstWeekDay()); break;
    case VK_END:
      To = CtrlOnly ? EncodeDate(Y, M, DaysInMonthOf(Y, M)) : From + 6 - ColumnOf(From, BarCalendarFirstWeekDay());
      break;
    default: return;
  }
  SetSelStart(To);
}

bool TdxBarDateNavigator::PointerOnArrow(UINT Arrow) {
  POINT P;
  GetCursorPos(&P);
  // The window's own mapping: a popup has no parent to count from.
  ::ScreenToClient(GetHandle(), &P);
  RECT R = Arrow == 1 ? PrevArrowRect() : NextArrowRect();
  return PtInRect(&R, P) != 0;
}

void TdxBarDateNavigator::StopArrowTimer() {
  if (FArrowTimer && HandleAllocated()) KillTimer(GetHandle(), FArrowTimer);
  FArrowTimer = 0;
}

void TdxBarDateNavigator::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const POINT P{X, Y};
  if (Button == mbLeft && ShowsButtons() && Y >= GetClientHeight() - FButtonBandHeight) {
    // A press in the band starts a button's press; elsewhere there it does nothing.
    FActiveButton = ButtonAt(P);
    FButtonPressed = FActiveButton != 0;
    if (FActiveButton) {
      if (HandleAllocated()) SetCapture(GetHandle());
      Invalidate();
    }
    return;
  }
  RECT Prev = PrevArrowRect(), Next = NextArrowRect(), Title = MonthTitleRect();
  if (Button == mbLeft && !Shift.Contains(ssDouble) && PtInRect(&Title, P)) {
    OpenMonthList();
    return;
  }
  if (Button == mbLeft && (PtInRect(&Prev, P) || PtInRect(&Next, P))) {
    const UINT Arrow = PtInRect(&Prev, P) ? 1 : 2;
    MoveMonth(Arrow == 1 ? -1 : 1);
    StopArrowTimer();
    if (HandleAllocated() && SetTimer(GetHandle(), Arrow, ArrowRepeatInterval, nullptr)) FArrowTimer = Arrow;
    return;
  }
  TdxBarCustomCalendar::MouseDown(Button, Shift, X, Y);
  // In the date dialog a double click on a day confirms it.
  if (Button == mbLeft && Shift.Contains(ssDouble) && !FIsPopup && DateAtPos(P) != cxNullDate)
    if (TCustomForm* Form = ::GetParentForm(this)) Form->SetModalResult(mrOk);
}

void TdxBarDateNavigator::MouseMove(TShiftState Shift, int X, int Y) {
  if (FArrowTimer) return;
  if (FMonthList) {
    POINT P{X, Y};
    MapWindowPoints(GetHandle(), FMonthList->GetHandle(), &P, 1);
    FMonthList->PointerAt(P);
    return;
  }
  if (FActiveButton) {
    const bool Over = ButtonAt(POINT{X, Y}) == FActiveButton;
    if (Over != FButtonPressed) {
      FButtonPressed = Over;
      Invalidate();
    }
    return;
  }
  TdxBarCustomCalendar::MouseMove(Shift, X, Y);
}

void TdxBarDateNavigator::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FArrowTimer) {
    StopArrowTimer();
    return;
  }
  if (FMonthList) {
    const TDateTime Month = FMonthList->ChosenMonth();
    CloseMonthList();
    if (Month != cxNullDate) {
      SetFirstDate(Month);
      Invalidate();
    }
    return;
  }
  if (FActiveButton) {
    const int Pressed = FButtonPressed ? FActiveButton : 0;
    FActiveButton = 0;
    FButtonPressed = false;
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
    Invalidate();
    if (!Pressed) return;
    if (Pressed == 1)
      SetSelStart(Date());
    else
      Clear();
    DoSelect();
    return;
  }
  TdxBarCustomCalendar::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || Shift.Contains(ssDouble)) return;
  if (DateAtPos(POINT{X, Y}) != cxNullDate)
    DoSelect();
  else if (DraggedFromDate() != cxNullDate)
    SetSelStart(DraggedFromDate());
}

void TdxBarDateNavigator::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER && (Message.WParam == 1 || Message.WParam == 2)) {
    // The month moves on only while the pointer stays on the arrow pressed.
    if (Message.WParam == FArrowTimer && PointerOnArrow(FArrowTimer)) MoveMonth(FArrowTimer == 1 ? -1 : 1);
    return;
  }
  if (FStyle != 0) {
    // Styles 1 and 2 draw their own one-pixel frame around the client area.
    switch (Message.Msg) {
      case WM_NCCALCSIZE:
        InflateRect(reinterpret_cast<RECT*>(Message.LParam), -1, -1);
        Message.Result = 0;
        return;
      case WM_NCPAINT:
        PaintFrame();
        Message.Result = 0;
        return;
      case WM_NCACTIVATE:
        PaintFrame();
        Message.Result = TRUE;
        return;
    }
  }
  if (Message.Msg == WM_CANCELMODE) {
    StopArrowTimer();
    CloseMonthList();
    FActiveButton = 0;
    FButtonPressed = false;
  }
  TdxBarCustomCalendar::WndProc(Message);
}

void TdxBarDateNavigator::PaintFrame() {
  if (!HandleAllocated()) return;
  HWND Wnd = GetHandle();
  RECT R;
  ::GetWindowRect(Wnd, &R);
  OffsetRect(&R, -R.left, -R.top);
  HDC DC = GetWindowDC(Wnd);
  if (GetStyle() == 2)
    FrameRect(DC, &R, GetSysColorBrush(COLOR_BTNSHADOW));
  else
    DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
  ReleaseDC(Wnd, DC);
}

void TdxBarDateNavigator::Paint() {
  TCanvas* C = GetCanvas();
  const RECT Client = GetClientRect();
  C->GetBrush()->SetColor(clWindow);
  C->FillRect(Client);
  // Header: the month and year between the arrows.
  RECT Header{0, 0, Client.right, FMonthHeaderHeight};
  C->GetBrush()->SetColor(clBtnFace);
  C->FillRect(Header);
  if (GetStyle() == 2) {
    C->GetBrush()->SetColor(clBtnShadow);
    C->FillRect(RECT{Header.left, Header.bottom - 1, Header.right, Header.bottom});
  } else {
    DrawEdge(C->GetHandle(), &Header, BDR_RAISEDINNER, BF_RECT);
  }
  int Y, M, D;
  DecodeDate(GetFirstShownDate(), Y, M, D);
  std::string Title = MonthTitle(GetFirstShownDate());
  C->GetFont()->Assign(GetFont());
  C->GetFont()->SetColor(clBtnText);
  C->GetBrush()->SetColor(FPainter ? FPainter->CalendarHeaderColor() : clBtnFace);
  C->TextOut((Client.right - C->TextWidth(Title)) / 2, (FMonthHeaderHeight - C->TextHeight(Title)) / 2, Title);
  for (int Arrow = 1; Arrow <= 2; ++Arrow) {
    RECT A = Arrow == 1 ? PrevArrowRect() : NextArrowRect();
    const int H = (FMonthHeaderHeight / 2) | 1, Mid = (A.top + A.bottom) / 2;
    const int Cx = (A.left + A.right) / 2, Half = H / 2;
    POINT Pts[3] = {{Arrow == 1 ? Cx - Half / 2 : Cx + Half / 2, Mid},
                    {Arrow == 1 ? Cx + Half / 2 : Cx - Half / 2, Mid - Half},
                    {Arrow == 1 ? Cx + Half / 2 : Cx - Half / 2, Mid + Half}};
    C->GetBrush()->SetColor(clBtnText);
    C->GetPen()->SetColor(clBtnText);
    C->Polygon(Pts, 3);
  }
  // Weekday letters, then the six weeks.
  const int First = BarCalendarFirstWeekDay();
  C->GetBrush()->SetColor(clWindow);
  for (int Col = 0; Col < 7; ++Col) {
    RECT Cell = DayCellRect(Col, 0);
    OffsetRect(&Cell, 0, -WeekdayRowHeight());
    std::string Letter = ShortDayNames[(First + Col) % 7].substr(0, 1);
    C->GetFont()->SetColor(clWindowText);
    C->TextOut(Cell.right - 3 - C->TextWidth(Letter), Cell.top + 1, Letter);
  }
  const TDateTime Start = FirstVisibleDate(), Today = Date();
  for (int I = 0; I < 42; ++I) {
    const TDateTime Day = Start + I;
    RECT Cell = DayCellRect(I % 7, I / 7);
    const bool Selected = Day >= SelectionFrom() && Day <= SelectionTo();
    int DY, DM, DD;
    DecodeDate(Day, DY, DM, DD);
    const int Look = GetStyle();
    C->GetBrush()->SetColor(!Selected      ? clWindow
                            : Look == 2    ? TdxBarManager::FlatHotItemColor()
                            : Look == 0    ? clHighlight
                                           : clBtnFace);
    C->FillRect(Cell);
    if (Day == Today) {
      C->GetBrush()->SetColor(TColor(0x000080));
      C->FrameRect(Cell);
    }
    C->GetFont()->SetColor(Selected && Look != 2 ? clHighlightText
                           : Selected || DM == M ? clWindowText
                                                 : clGrayText);
    const std::string Number = IntToStr(DD);
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(Cell.right - 3 - C->TextWidth(Number), Cell.top + 1, Number);
    C->GetBrush()->SetStyle(bsSolid);
  }
  if (ShowsButtons()) PaintButtons(C, Client);
}

void TdxBarDateNavigator::PaintButtons(TCanvas* C, const RECT& Client) {
  const int Band = Client.bottom - FButtonBandHeight;
  C->GetBrush()->SetColor(clBtnShadow);
  C->FillRect(RECT{FSideMargin, Band - 1, Client.right - FSideMargin, Band});
  TdxBarPainter* P = FPainter ? FPainter : PainterInstanceOf(TdxBarStandardPainter::StaticClass());
  C->GetFont()->Assign(GetFont());
  HDC DC = C->GetHandle();
  if (FShowTodayButton)
    P->PaintCalendarButton(nullptr, DC, FActiveButton == 1 && FButtonPressed, BarString(dxSBAR_DATETODAY),
                           TodayButtonRect());
  if (FShowClearButton)
    P->PaintCalendarButton(nullptr, DC, FActiveButton == 2 && FButtonPressed, BarString(dxSBAR_DATECLEAR),
                           ClearButtonRect());
}

#include "suite/bars/BarControl.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "framework/Messages.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarToolbarLayout.h"
#include "suite/bars/Bars.h"
#include "suite/bars/BarDockControl.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

// ---- TCustomdxBarControlViewInfo

void TCustomdxBarControlViewInfo::Clear() {
  FItemControlViewInfos.clear();
  FSeparators.clear();
}

void TCustomdxBarControlViewInfo::Recalculate() {
  Clear();
  TdxBarItemLinks* Links = FBarControl ? FBarControl->GetItemLinks() : nullptr;
  for (int I = 0; Links && I < Links->ShownLinkCount(); ++I)
    if (TdxBarItemControl* C = Links->GetShownLink(I)->GetControl()) FItemControlViewInfos.push_back(C->GetViewInfo());
}

int TCustomdxBarControlViewInfo::IndexOfItemControl(TdxBarItemControl* Control) const {
  for (size_t I = 0; I < FItemControlViewInfos.size(); ++I)
    if (FItemControlViewInfos[I]->GetControl() == Control) return static_cast<int>(I);
  return -1;
}

void TCustomdxBarControlViewInfo::AddItemControlViewInfo(TdxBarItemControlViewInfo* ViewInfo) {
  FItemControlViewInfos.push_back(ViewInfo);
}

void TCustomdxBarControlViewInfo::RemoveItemControlViewInfo(TdxBarItemControlViewInfo* ViewInfo) {
  std::erase(FItemControlViewInfos, ViewInfo);
}

TdxBarItemControlViewInfo* TCustomdxBarControlViewInfo::ItemControlViewInfoByIndex(int Index) const {
  return Index >= 0 && Index < ItemControlViewInfoCount() ? FItemControlViewInfos[static_cast<size_t>(Index)]
                                                           : nullptr;
}

void TCustomdxBarControlViewInfo::AddSeparator(const RECT& R, int Kind, TdxBarItemControl* Control) {
  FSeparators.push_back(TSeparator{Control, R, Kind});
}

int TCustomdxBarControlViewInfo::GetSeparatorInfo(int Index, RECT& R) const {
  const TSeparator& S = FSeparators.at(static_cast<size_t>(Index));
  R = S.Bounds;
  return S.Kind;
}

bool TCustomdxBarControlViewInfo::FindSeparatorOfControl(TdxBarItemControl* Control, int& Index) const {
  for (size_t I = 0; I < FSeparators.size(); ++I)
    if (FSeparators[I].Control == Control) {
      Index = static_cast<int>(I);
      return true;
    }
  return false;
}

// ---- TCustomdxBarControl

TCustomdxBarControl::TCustomdxBarControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FViewInfo.reset(ViewInfoClass().Create(this));
  RegisterBarControl(this);
}

TCustomdxBarControl::~TCustomdxBarControl() { ClearLinksToObject(this); }

void TCustomdxBarControl::BeforeDestruction() {
  FBeingDestroyed = true;
  if (FActive) SetActive(false);
  if (FBarManager) {
    if (FBarManager->IsMouseLeaveTracked(this)) FBarManager->UntrackMouseLeave(this);
    if (FBarManager->GetFocusedBarControl() == this) FBarManager->SetFocusedBarControl(nullptr);
  }
  if (FHelper) FHelper->NoteOwnerDestroyed();
  DestroyItemControls();
  // Freed with its parent window (a dock site going with its form): the links forget it.
  if (FItemLinks && FItemLinks->GetBarControl() == this) FItemLinks->ForgetBarControl();
  UnregisterBarControl(this);
  TCustomControl::BeforeDestruction();
}

TdxBarPainter* TCustomdxBarControl::GetPainter() const { return FBarManager ? FBarManager->GetPainter() : nullptr; }

TdxBarAccessibilityHelper* TCustomdxBarControl::GetIAccessibilityHelper() {
  if (!FHelper) FHelper.reset(TdxBarAccessibilityHelperClass(AccessibilityHelperClass()).Create(this));
  return FHelper.get();
}

bool TCustomdxBarControl::IsCustomizing() const { return FBarManager && FBarManager->IsCustomizing(); }

void TCustomdxBarControl::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (Value) {
    FPreviousActive = TopActiveBarControl();
    SetTopActiveBarControl(this);
  } else {
    if (TopActiveBarControl() == this) {
      TCustomdxBarControl* Previous = FPreviousActive;
      SetTopActiveBarControl(IsBarControlAlive(Previous) ? Previous : nullptr);
      FPreviousActive = nullptr;
    }
    // A window that stops being active stops being the focused one.
    if (FBarManager && FBarManager->GetFocusedBarControl() == this)
      FBarManager->SetFocusedBarControl(IsBarControlAlive(FPreviousFocused) ? FPreviousFocused : nullptr);
    FPreviousFocused = nullptr;
  }
}

TdxBarItemControl* TCustomdxBarControl::SelectedItemControl() const {
  return FSelectedLink ? FSelectedLink->GetControl() : nullptr;
}

void TCustomdxBarControl::SelectAndActivate(TdxBarItemControl* Control) {
  SetSelectedLink(Control ? Control->GetItemLink() : nullptr);
  SetActive(true);
  if (FBarManager && FBarManager->GetFocusedBarControl() != this) {
    FPreviousFocused = FBarManager->GetFocusedBarControl();
    FBarManager->SetFocusedBarControl(this);
  }
}

void TCustomdxBarControl::OpenEntry(TdxBarItemControl* Control, bool ByMouse) {
  TcxObjectLinkGuard Alive(this);
  SelectItemControl(Control);
  if (!Alive.Alive()) return;
  if (Control->HasDropDown()) {
    if (ByMouse) {
      SetPressed(true);
      Control->ClickControl(true, 0);
    } else {
      MarkOpenedFromKeyboard();
      Control->Click(false);
    }
  }
  if (Alive.Alive()) Invalidate();
}

void TCustomdxBarControl::UnselectItemControl(TdxBarItemControl* Control) {
  if (Control && SelectedItemControl() == Control) SetSelectedLink(nullptr);
}

TdxBarItemControl* TCustomdxBarControl::ItemControlAtPos(POINT ClientPoint) {
  if (!FItemLinks) return nullptr;
  for (int I = 0; I < FItemLinks->ShownLinkCount(); ++I) {
    TdxBarItemLink* Link = FItemLinks->GetShownLink(I);
    RECT R = Link->GetItemRect();
    if (Link->GetControl() && PtInRect(&R, ClientPoint)) return Link->GetControl();
  }
  return nullptr;
}

void TCustomdxBarControl::CalcMeasures() {
  TdxBarPainter* P = GetPainter();
  if (!P) return;
  TcxCanvas* Screen = SharedScreenCanvas();
  Screen->AssignFontObject(GetFont());
  int Text = P->ItemHeightForCanvas(Screen);
  SetTextSize(Text);
  SetIconAreaWidth(std::max(Text + 4, P->MinIconAreaWidth()));
  int ArrowHeight = 0, ArrowWidth = 0;
  P->CalcMenuMetrics(Screen, Text, ArrowHeight, ArrowWidth);
  SetMenuArrowHeight(ArrowHeight);
  SetMenuArrowWidth(ArrowWidth);
  SetComboArrowWidth(P->ComboArrowWidth(this, 6));
  Screen->AssignFontObject(EditFont());
  SetEditTextHeight(P->EditTextHeight(this, Screen->HeightOfText("Qq")));
  SetMarkSize(P->MarkButtonExtent(this));
}

void TCustomdxBarControl::Rebuild() {
  CreateItemControls();
  FViewInfo->Recalculate();
  Invalidate();
}

void TCustomdxBarControl::RecreateItemControls() {
  DestroyItemControls();
  CreateItemControls();
}

void TCustomdxBarControl::CreateItemControls() {
  if (!FItemLinks || FBeingDestroyed) return;
  for (int I = 0; I < FItemLinks->ShownLinkCount(); ++I) FItemLinks->GetShownLink(I)->CreateControl();
}

void TCustomdxBarControl::DestroyItemControls() {
  if (!FItemLinks) return;
  for (int I = 0; I < FItemLinks->GetCount(); ++I) FItemLinks->GetLink(I)->DestroyControl();
}

void TCustomdxBarControl::RecalcFrame() {
  if (HandleAllocated())
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void TCustomdxBarControl::ShowNoActivate() {
  if (!HandleAllocated()) HandleNeeded();
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  SetVisible(true);
}

void TCustomdxBarControl::ShowItemHint(const std::string& Text) {
  if (!FBarManager) return;
  if (Text.empty())
    FBarManager->CancelHint();
  else
    FBarManager->RequestHint(true, Text, this);
}

void TCustomdxBarControl::CloseBar() {
  if (FClosing) return;
  TcxObjectLinkGuard Alive(this);
  FClosing = true;
  DoClose();
  if (Alive.Alive()) FClosing = false;
}

void TCustomdxBarControl::DoClose() {
  if (FActive) SetActive(false);
}

TdxBarItemLink* TCustomdxBarControl::HitTestForDrop(POINT ClientPoint, bool& BeginGroupSide, bool& FirstPart,
                                                    bool& Vertical) {
  BeginGroupSide = false;
  FirstPart = false;
  Vertical = StacksItemsVertically();
  TdxBarItemControl* Control = ItemControlAtPos(ClientPoint);
  if (!Control) return nullptr;
  RECT R = Control->GetItemLink()->GetItemRect();
  FirstPart = Vertical ? ClientPoint.y < (R.top + R.bottom) / 2 : ClientPoint.x < (R.left + R.right) / 2;
  return Control->GetItemLink();
}

RECT TCustomdxBarControl::EmptyBarRect() { return HandleAllocated() ? QueryClientRect(GetHandle()) : RECT{0, 0, 0, 0}; }

TcxCanvas* TCustomdxBarControl::GetPaintCanvas() {
  if (!FPaintCanvas) FPaintCanvas.reset(TcxCanvas::Create(GetCanvas()));
  return FPaintCanvas.get();
}

void TCustomdxBarControl::UpdateCanvasFont() {
  TFont* Canvas = GetCanvas()->GetFont();
  if (!IsRotated()) {
    Canvas->Assign(GetFont());
    return;
  }
  // Turned clockwise, so that captions read downwards; only outline fonts turn.
  LOGFONTW LF = GetFont()->GetLogFont();
  LF.lfEscapement = LF.lfOrientation = -900;
  LF.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  Canvas->SetHandle(CreateFontIndirectW(&LF));
  Canvas->SetColor(GetFont()->GetColor());
}

void TCustomdxBarControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (!GetParent()) PopupWindowParams(Params);
}

void TCustomdxBarControl::PopupWindowParams(TCreateParams& Params) {
  Params.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.ExStyle |= WS_EX_TOOLWINDOW;
  TWinControl* Owner = FBarManager ? FBarManager->OwnerControl() : nullptr;
  Params.WndParent = Owner && Owner->HandleAllocated() ? TopLevelWindowOf(Owner->GetHandle()) : nullptr;
}

void TCustomdxBarControl::Paint() {
  RECT R = GetClientRect();
  FillRect(GetCanvas()->GetHandle(), &R, GetSysColorBrush(COLOR_BTNFACE));
}

void TCustomdxBarControl::WndProc(TMessage& Message) {
  // A bar window never takes activation from its form.
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  // Tab, Enter, Esc and the arrows typed into an item's in-place editor (a child
  // window with the focus) are the editor's, not the form's dialog navigation.
  if (Message.Msg == CM_WANTSPECIALKEY && HandleAllocated()) {
    HWND Focus = GetFocus();
    if (Focus && IsChild(GetHandle(), Focus)) {
      Message.Result = 1;
      return;
    }
  }
  // While a chain of bar windows is active, only its windows see the mouse.
  if (((Message.Msg >= WM_NCMOUSEMOVE && Message.Msg <= WM_NCMBUTTONDBLCLK) ||
       (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSEWHEEL)) &&
      !IsInActiveChain())
    return;
  // Nor does it keep the focus, unless an edit or combo of it is taking it.
  if (Message.Msg == WM_SETFOCUS) {
    TdxBarItemControl* Selected = SelectedItemControl();
    if (!Selected || !Selected->IsWindowControl()) {
      RestoreFocus();
      return;
    }
  }
  TCustomControl::WndProc(Message);
}

bool TCustomdxBarControl::IsInActiveChain() const {
  TCustomdxBarControl* W = TopActiveBarControl();
  if (!W) return true;
  for (; W; W = W->GetParentBar())
    if (W == this) return true;
  return false;
}

void TCustomdxBarControl::RestoreFocus() {
  TCustomForm* Form = FBarManager ? FBarManager->OwnerChildOrTopForm() : nullptr;
  HWND Target = nullptr;
  if (Form && Form->HandleAllocated()) {
    Target = Form->GetHandle();
    // A hidden form passes the focus to the window after it.
    if (!IsWindowVisible(Target)) Target = GetWindow(Target, GW_HWNDNEXT);
  }
  if (Target && Target != GetHandle()) ::SetFocus(Target);
}

// ---- TdxBarControl

bool TdxBarControl::IsMainMenuWindow() const { return FBar && FBar->GetIsMainMenu(); }

bool TdxBarControl::IsRotated() const { return IsVertical() && FBar && FBar->GetRotateWhenVertical(); }

void TdxBarControl::ChangeDockingStyle(TdxBarDockingStyle Style) {
  bool WasRotated = IsRotated();
  TCustomdxBarControl::ChangeDockingStyle(Style);
  if (IsRotated() == WasRotated) return;
  if (HandleAllocated())
    Perform(CM_FONTCHANGED, 0, 0);
  else
    CreateItemControls();
}

void TdxBarControl::CreateItemControls() {
  if (FControlsRotated != IsRotated()) {
    DestroyItemControls();
    FControlsRotated = IsRotated();
  }
  TCustomdxBarControl::CreateItemControls();
}

void TdxBarControl::ApplyFont() {
  if (!FBar) return;
  // An equal font is left alone: assigning it would lay the window out again.
  LOGFONTW Now = GetFont()->GetLogFont(), Wanted = FBar->GetFont()->GetLogFont();
  if (std::memcmp(&Now, &Wanted, sizeof Now) != 0 || GetFont()->GetColor() != FBar->GetFont()->GetColor())
    GetFont()->Assign(FBar->GetFont());
}

// ---- what item controls and painters read and ask of their window

TFont* TCustomdxBarControl::EditFont() const { return FBarManager ? FBarManager->GetEditFont() : GetFont(); }

int TCustomdxBarControl::ItemTextHeight(TdxBarItemControl* Control) const {
  int H = Control && Control->GetTextHeight() ? Control->GetTextHeight() : FTextSize;
  if (Kind() == bwkSubMenu && LinksItemSizeOf(FItemLinks) == misLarge)
    H = LinksShowDescriptions(FItemLinks) ? static_cast<int>(std::lround(H * 2.5)) : 2 * H;
  return H;
}

HBRUSH TCustomdxBarControl::BackgroundBrush() const {
  TdxBarPainter* P = GetPainter();
  if (!P) return GetSysColorBrush(COLOR_BTNFACE);
  auto* Self = const_cast<TCustomdxBarControl*>(this);
  switch (Kind()) {
    case bwkToolbar: return P->ToolbarBrushFor(Self);
    case bwkQuickCustomizing: return P->QuickPopupBrush(Self);
    default: {
      HBRUSH Brush = P->ToolbarBrush(Self);
      P->MenuItemBrush(static_cast<TdxBarSubMenuControl*>(Self), Brush);
      return Brush;
    }
  }
}

HBRUSH TCustomdxBarControl::ToolbarBrush() const {
  TdxBarPainter* P = GetPainter();
  auto* Self = const_cast<TCustomdxBarControl*>(this);
  if (!P) return GetSysColorBrush(COLOR_BTNFACE);
  return Kind() == bwkToolbar ? P->ToolbarBrushFor(Self) : P->ToolbarBrush(Self);
}

HBRUSH TCustomdxBarControl::DownBrush() const {
  TdxBarPainter* P = GetPainter();
  return P ? P->DownBrush(const_cast<TCustomdxBarControl*>(this)) : CheckedPatternBrush();
}

HBRUSH TCustomdxBarControl::FaceBrush() const {
  TdxBarPainter* P = GetPainter();
  return P ? P->FaceBrush(const_cast<TCustomdxBarControl*>(this)) : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TCustomdxBarControl::SelectedBrush() const {
  TdxBarPainter* P = GetPainter();
  return P ? P->SelectedBrush(const_cast<TCustomdxBarControl*>(this)) : GetSysColorBrush(COLOR_HIGHLIGHT);
}

HBRUSH TCustomdxBarControl::ManagerBackgroundBrush() const {
  TdxBarPainter* P = GetPainter();
  return P ? P->ManagerBackgroundBrush(FBarManager) : GetSysColorBrush(COLOR_WINDOW);
}

void TCustomdxBarControl::FillItemBackground(HDC DC, const RECT& R, HBRUSH Brush, TColor Color, bool Force) {
  (void)Force;
  TdxBarPainter* P = GetPainter();
  if (!P) {
    FillRectByColorOrBitmap(DC, R, R, nullptr, Color, Brush);
    return;
  }
  if (Kind() != bwkSubMenu) {
    // The origin is the window rectangle in client coordinates, so that pictures
    // drawn under the client area line up with the frame's.
    RECT Origin{0, 0, GetWidth(), GetHeight()};
    if (HandleAllocated()) {
      RECT Window;
      GetWindowRect(GetHandle(), &Window);
      POINT Client{0, 0};
      ::ClientToScreen(GetHandle(), &Client);
      OffsetRect(&Window, -Client.x, -Client.y);
      Origin = Window;
    }
    P->DrawBarBackground(this, DC, Color, Brush, Origin, R);
    return;
  }
  // A menu's background (its band and brush) spans the whole client area; the
  // rectangle only clips it.
  (void)Brush;
  RECT Client = HandleAllocated() ? GetClientRect() : RECT{0, 0, GetWidth(), GetHeight()};
  TdxBarCanvas* Canvas = BarCanvasInstance();
  Canvas->PushDC(DC);
  try {
    Canvas->IntersectClip(R);
    P->FillMenuBackground(static_cast<TdxBarSubMenuControl*>(this), Canvas, Color, BackgroundBrush(), Client);
  } catch (...) {
    Canvas->PopState();
    throw;
  }
  Canvas->PopState();
}

bool TCustomdxBarControl::JoinsSubMenus() const {
  TdxBarPainter* P = GetPainter();
  return Kind() == bwkToolbar && P && P->JoinsSubMenuToItem(const_cast<TCustomdxBarControl*>(this));
}

int TCustomdxBarControl::SeparatorSize() const {
  TdxBarPainter* P = GetPainter();
  return P ? P->SeparatorSize() : 6;
}

void TCustomdxBarControl::EscapeFromItemControl(TdxBarItemControl* Control) {
  (void)Control;
  if (!(BehaviorFlags() & 2)) CloseBar();
}

void TCustomdxBarControl::DeactivateIfFocused() {
  if (!FBarManager || FBarManager->GetFocusedBarControl() != this) return;
  SetSelectedLink(nullptr);
  SetActive(false);
}

void TCustomdxBarControl::ChangeSelectedControl(TdxBarItemControl* Control) {
  SetSelectedLink(Control ? Control->GetItemLink() : nullptr);
}

RECT TCustomdxBarControl::ItemScreenRect(TdxBarItemControl* Control) {
  RECT R = Control ? Control->ItemBounds() : RECT{0, 0, 0, 0};
  if (HandleAllocated()) MapWindowPoints(GetHandle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
  return R;
}

POINT TCustomdxBarControl::ClientPointToScreen(POINT P) {
  if (!HandleAllocated()) return ClientToScreen(P);
  ::ClientToScreen(GetHandle(), &P);
  return P;
}

POINT TCustomdxBarControl::ScreenPointToClient(POINT P) {
  if (!HandleAllocated()) return ScreenToClient(P);
  ::ScreenToClient(GetHandle(), &P);
  return P;
}

bool TCustomdxBarControl::HasBackgroundPicture() const {
  TBitmap* Picture = BackgroundPicture();
  return Picture && !Picture->GetEmpty();
}

TBitmap* TCustomdxBarControl::BackgroundCache() {
  if (!FBackgroundCache) FBackgroundCache.reset(TBitmap::Create());
  return FBackgroundCache.get();
}

void TCustomdxBarControl::DropBackgroundCache() {
  if (FBackgroundCache) FBackgroundCache->SetSize(0, 0);
}

void TCustomdxBarControl::SetChildBar(TCustomdxBarControl* Value) {
  FChildBar = Value;
  if (Value) Value->SetParentBar(this);
}

bool TdxBarControl::HasBackgroundPicture() const {
  if (TCustomdxBarControl::HasBackgroundPicture()) return true;
  TdxBarManager* M = GetBarManager();
  return M && !M->GetBackgrounds()->GetBar()->GetEmpty();
}

TBitmap* TdxBarControl::BackgroundPicture() const { return BarBackgroundBitmapOf(FBar); }

// ---- TdxBarSubMenuControl

TBitmap* TdxBarSubMenuControl::BackgroundPicture() const {
  IdxBarSubMenuOwner* Owner = SubMenuOwner();
  if (TBitmap* Own = Owner ? Owner->SubMenuBackground() : nullptr; Own && !Own->GetEmpty()) return Own;
  TdxBarManager* M = GetBarManager();
  return M ? M->GetBackgrounds()->GetSubMenu() : nullptr;
}

namespace {
// The extent of the shown links' controls: along sums them (with the group
// separators), across takes the largest.
SIZE ControlsExtent(TCustomdxBarControl* W, bool Horizontal, bool FirstOnly) {
  TdxBarItemLinks* Links = W->GetItemLinks();
  int Along = 0, Across = 0;
  for (int I = 0; Links && I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    SIZE Size = ToolbarLinkSize(L);
    int Wd = Size.cx, Ht = Size.cy;
    int A = Horizontal ? Wd : Ht, X = Horizontal ? Ht : Wd;
    if (I > 0 && L->GetBeginGroup()) Along += 6;
    Along = FirstOnly ? std::max(Along, A) : Along + A;
    Across = std::max(Across, X);
    if (FirstOnly) break;
  }
  if (Along == 0) Along = 23;
  if (Across == 0) Across = 22;
  return Horizontal ? SIZE{Along, Across} : SIZE{Across, Along};
}

bool IsHorizontalStyle(TdxBarDockingStyle Style) { return Style == dsTop || Style == dsBottom || Style == dsNone; }
}  // namespace

// A docked window's lengths along its row count its mark.
int TdxBarControl::MinWidthForStyle(TdxBarDockingStyle Style) {
  int Mark = IsDockedHorizontally() ? MarkExtent() : 0;
  if (Style == dsNone)
    return FloatingToolbarMinWidth(ControlsExtent(this, false, false).cx, FBar && FBar->CanClose(), MarkExtent(),
                                   GetSystemMetrics(SM_CXSMSIZE)) + Mark;
  if (!IsHorizontalStyle(Style) || IsFloatingOrMultiLine()) return ControlsExtent(this, false, false).cx + Mark;
  return ControlsExtent(this, true, true).cx + Mark;
}

int TdxBarControl::MinHeightForStyle(TdxBarDockingStyle Style) {
  int Mark = IsDockedVertically() ? MarkExtent() : 0;
  if (IsHorizontalStyle(Style) || IsFloatingOrMultiLine()) return ControlsExtent(this, true, false).cy + Mark;
  return ControlsExtent(this, false, true).cy + Mark;
}

int TdxBarControl::ContentWidth(TdxBarDockingStyle Style) {
  int W = IsHorizontalStyle(Style) ? ControlsExtent(this, true, false).cx : ControlsExtent(this, false, false).cx;
  if ((IsHorizontalStyle(Style) || IsFloatingOrMultiLine()) && IsDockedHorizontally()) W += MarkExtent();
  return std::max(W, MinWidthForStyle(Style));
}

int TdxBarControl::ContentHeight(TdxBarDockingStyle Style) {
  int H = IsHorizontalStyle(Style) ? ControlsExtent(this, true, false).cy : ControlsExtent(this, false, false).cy;
  if ((!IsHorizontalStyle(Style) || IsFloatingOrMultiLine()) && IsDockedVertically()) H += MarkExtent();
  return std::max(H, MinHeightForStyle(Style));
}

SIZE TdxBarControl::CalcSizeForDockingStyle(TdxBarDockingStyle Style) {
  RECT B = FrameBorders(Style);
  int HB = B.left + B.right, VB = B.top + B.bottom;
  if (Style == dsNone) {
    int Width = FBar && FBar->GetFloatClientWidth() > 0 ? FBar->GetFloatClientWidth() : ContentWidth(dsNone);
    SIZE S = CalcSizeForWidth(dsNone, Width);
    return SIZE{S.cx + HB, S.cy + VB};
  }
  if (IsHorizontalStyle(Style)) {
    SIZE S = CalcSizeForWidth(Style, ContentWidth(Style));
    return SIZE{S.cx + HB, S.cy + VB};
  }
  SIZE S = CalcWrappedSize(Style, ContentHeight(Style));
  return SIZE{S.cx + HB, S.cy + VB};
}

RECT TdxBarControl::FrameBorders(TdxBarDockingStyle Style) {
  TdxBarPainter* P = GetPainter();
  RECT B{0, 0, 0, 0};
  if (P && FBar) P->CalcBarFrameSize(FBar, Style, B, Style == GetDockingStyle() && FBar->IsSizeGripVisible());
  return B;
}

POINT TdxBarControl::SizeForDocking(TdxBarDockingStyle Style) {
  TdxBars* Bars = FBar ? FBar->GetManagerBars() : nullptr;
  POINT Grab = Bars ? Bars->GetGrabPoint() : POINT{0, 0};
  // The grab point, kept inside the window's size for that style.
  SIZE S = CalcSizeForDockingStyle(Style);
  return POINT{std::clamp(Grab.x, 0L, std::max(S.cx - 1, 0L)), std::clamp(Grab.y, 0L, std::max(S.cy - 1, 0L))};
}

bool TdxBarControl::IsFloatingOrMultiLine() const { return IsFloating() || (FBar && FBar->GetMultiLine()); }

void TdxBarControl::ApplyNewBounds() {
  RECT Now = GetBoundsRect();
  if (EqualRect(&Now, &FNewBounds)) return;
  SetBounds(FNewBounds.left, FNewBounds.top, FNewBounds.right - FNewBounds.left, FNewBounds.bottom - FNewBounds.top);
}

POINT TdxBarControl::KeepFloatingInWorkArea(const RECT& R, const RECT& WorkArea) {
  POINT P{R.left, R.top};
  LONG W = R.right - R.left, H = R.bottom - R.top;
  if (R.right <= WorkArea.left) P.x = WorkArea.left;
  if (R.left >= WorkArea.right) P.x = WorkArea.right - W;
  if (R.bottom <= WorkArea.top) P.y = WorkArea.top;
  if (R.top >= WorkArea.bottom) P.y = WorkArea.bottom - H;
  return P;
}

bool TdxBarControl::CanDock() const { return FBar && FBar->IsDockingAllowed(); }

void TdxBarControl::StorePositionInBar() {
  if (!FBar || FStoringPosition) return;
  FStoringPosition = true;
  if (GetDockingStyle() != dsNone) {
    FBar->SetDockedLeft(GetLeft());
    FBar->SetDockedTop(GetTop());
  } else if (HandleAllocated()) {
    RECT W = QueryWindowRect(GetHandle());
    FBar->SetFloatLeft(W.left);
    FBar->SetFloatTop(W.top);
    FBar->SetFloatClientWidth(GetClientWidth());
    FBar->SetFloatClientHeight(GetClientHeight());
  }
  FStoringPosition = false;
}

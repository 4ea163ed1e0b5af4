#include "suite/bars/BarEditControls.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "framework/Unicode.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/UxTheme.h"
#include "suite/common/cxCanvas.h"

namespace {
const wchar_t* const ControlProperty = L"SonveltBarWinControl";
// Posted by a bar window on glass after it coloured the edit.
constexpr UINT WM_GLASSEDITPAINT = 0x8081;

int XOfParam(LPARAM Value) { return static_cast<short>(LOWORD(Value)); }
int YOfParam(LPARAM Value) { return static_cast<short>(HIWORD(Value)); }

bool EscapeDownAlone() {
  return GetKeyState(VK_ESCAPE) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
}

RECT WindowRectInParent(HWND Wnd, HWND Parent) {
  RECT R;
  GetWindowRect(Wnd, &R);
  MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&R), 2);
  return R;
}
}  // namespace

// ---- TdxBarWinControl

TdxBarWinControl::~TdxBarWinControl() {
  if (FHookedWindow && IsWindow(FHookedWindow)) {
    SetWindowLongPtrW(FHookedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPreviousWindowProc));
    RemovePropW(FHookedWindow, ControlProperty);
  }
}

TdxBarWindowItem* TdxBarWinControl::WindowItem() const { return dynamic_cast<TdxBarWindowItem*>(LinkedItem()); }

RECT TdxBarWinControl::InnerWindowBounds() const {
  if (!IsEnabled() || !ComboShowsEditor(LinkedItem())) return RECT{0, 0, 0, 0};
  return FWindowRect;
}

bool TdxBarWinControl::IsInnerWindowVisible() const {
  HWND Wnd = InnerWindowHandle();
  return Wnd && IsWindowVisible(Wnd);
}

void TdxBarWinControl::SetInnerWindowBounds(const RECT& R) {
  FWindowRect = R;
  HWND Wnd = InnerWindowHandle();
  if (!Wnd || !IsWindowVisible(Wnd) || !GetParent() || !GetParent()->HandleAllocated()) return;
  RECT Current = WindowRectInParent(Wnd, GetParent()->GetHandle());
  if (EqualRect(&Current, &R)) return;
  SetWindowPos(Wnd, nullptr, R.left, R.top, R.right - R.left, R.bottom - R.top, SWP_NOACTIVATE | SWP_NOZORDER);
  UpdateInnerLayout();
}

void TdxBarWinControl::HookInnerWindow() {
  HWND Wnd = InnerWindowHandle();
  if (!Wnd) return;
  SetPropW(Wnd, ControlProperty, this);
  FHookedWindow = Wnd;
  FPreviousWindowProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

void TdxBarWinControl::UnhookInnerWindow(bool DestroyHandle) {
  (void)DestroyHandle;
  SetFocused(false);
  if (FHookedWindow && IsWindow(FHookedWindow)) {
    SetWindowLongPtrW(FHookedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPreviousWindowProc));
    RemovePropW(FHookedWindow, ControlProperty);
  }
  FHookedWindow = nullptr;
  FPreviousWindowProc = nullptr;
}

LRESULT CALLBACK TdxBarWinControl::SubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* Control = static_cast<TdxBarWinControl*>(GetPropW(Wnd, ControlProperty));
  if (!Control) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  WNDPROC Previous = Control->FPreviousWindowProc;
  try {
    return Control->DispatchInner(Msg, WParam, LParam);
  } catch (...) {
    // The window keeps working; the error goes where the application shows errors.
    if (Application) Application->HandleException(nullptr);
    return Previous ? CallWindowProcW(Previous, Wnd, Msg, WParam, LParam) : 0;
  }
}

LRESULT TdxBarWinControl::DispatchInner(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TcxObjectLinkGuard Alive(this);
  HWND Wnd = FHookedWindow;
  WNDPROC Previous = FPreviousWindowProc;
  LRESULT Result = 0;
  bool Handled = false;
  InnerWindowProc(Msg, WParam, LParam, Result, Handled);
  if (Handled) return Result;
  if (Alive.Alive() && FPreviousWindowProc) return DefaultInnerProc(Msg, WParam, LParam);
  return Previous && IsWindow(Wnd) ? CallWindowProcW(Previous, Wnd, Msg, WParam, LParam) : 0;
}

LRESULT TdxBarWinControl::DefaultInnerProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return FPreviousWindowProc ? CallWindowProcW(FPreviousWindowProc, FHookedWindow, Msg, WParam, LParam) : 0;
}

void TdxBarWinControl::ForwardClickToInner(bool ByMouse) {
  HWND Wnd = InnerWindowHandle();
  if (!ByMouse || !Wnd || !GetParent() || !GetParent()->HandleAllocated()) return;
  POINT Cursor;
  GetCursorPos(&Cursor);
  POINT InParent = GetParent()->ScreenPointToClient(Cursor);
  RECT Bounds = InnerWindowBounds();
  if (PtInRect(&Bounds, InParent)) return;
  POINT Inner = Cursor;
  ScreenToClient(Wnd, &Inner);
  WPARAM Keys = (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) | (GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0);
  SendMessageW(Wnd, WM_LBUTTONDOWN, Keys, MAKELPARAM(Inner.x, Inner.y));
}

std::string TdxBarWinControl::GetInnerText() const {
  HWND Wnd = InnerWindowHandle();
  if (!Wnd) return std::string();
  // The whole text, however long (MaxLength 0 allows any length).
  int Length = GetWindowTextLengthW(Wnd);
  std::wstring Text(static_cast<size_t>(Length) + 1, L'\0');
  int Read = GetWindowTextW(Wnd, Text.data(), Length + 1);
  Text.resize(static_cast<size_t>(std::max(Read, 0)));
  return WideToUtf8(Text);
}

void TdxBarWinControl::LoadTextFromItem() { SetInnerText(EditTextOf(LinkedItem())); }

void TdxBarWinControl::SetFocused(bool Value) {
  if (FFocused == Value) return;
  TdxBarManager* M = LinkManager();
  if (Value) {
    if (M && !M->IsFocusChangeLocked()) M->SetPrevFocusedWindow(GetFocus());
    FFocused = true;
    FFocusing = true;
    try {
      if (!GetActive()) ControlActivate(true);
      if (GetParent()) GetParent()->ItemControlActivated(this);
      ActivateInnerWindow();
    } catch (...) {
      FFocusing = false;
      throw;
    }
    FFocusing = false;
    return;
  }
  FFocused = false;
  bool Accept = FLeaveAccept >= 0 ? FLeaveAccept != 0 : M && M->GetAlwaysSaveText() && !EscapeDownAlone();
  // The focus goes back only while it is still here: a focus that went elsewhere
  // (a click into another window) stays where the user put it. Asked before the
  // inner window hides, since hiding hands the focus on to the form.
  HWND Focus = GetFocus();
  bool FocusHere = !Focus || Focus == InnerWindowHandle();
  EndInnerEditing(Accept);
  if (!M || M->IsFocusChangeLocked() || M->IsDestroying()) return;
  if (FocusHere) {
    HWND Previous = M->GetPrevFocusedWindow();
    TCustomForm* Form = M->OwnerChildOrTopForm();
    if (Previous && IsWindow(Previous))
      SetFocus(Previous);
    else if (Form && Form->HandleAllocated() && IsWindowVisible(Form->GetHandle()))
      SetFocus(Form->GetHandle());
    else if (Form && Form->HandleAllocated())
      SetFocus(GetWindow(Form->GetHandle(), GW_HWNDNEXT));
  }
  M->SetPrevFocusedWindow(nullptr);
}

void TdxBarWinControl::LeaveEditing(bool Accept) {
  FLeaveAccept = Accept ? 1 : 0;
  try {
    SetFocused(false);
  } catch (...) {
    FLeaveAccept = -1;
    throw;
  }
  FLeaveAccept = -1;
}

void TdxBarWinControl::SetInnerText(const std::string& Text) {
  if (HWND Wnd = InnerWindowHandle()) SetWindowTextW(Wnd, Utf8ToWide(Text).c_str());
  if (!ComboShowsEditor(LinkedItem())) Repaint();
}

void TdxBarWinControl::ActivateInnerWindow() {}

void TdxBarWinControl::StoreTextToItem() { SetEditTextOf(LinkedItem(), GetInnerText()); }

void TdxBarWinControl::InnerKeyDown(WORD& Key, TShiftState Shift) {
  ++FKeysPressedInside;
  if (Key == VK_MENU) {
    Key = 0;
  } else if (Key == VK_F10) {
    FKeysPressedInside = 0;
    if (GetParent()) GetParent()->CloseBar();
    if (Shift.Contains(ssShift) || PassKeyToBarHook(VK_F10, 1)) Key = 0;
  }
}

void TdxBarWinControl::InnerKeyUp(WORD& Key, TShiftState Shift) {
  (void)Shift;
  if (!FKeysPressedInside) {
    Key = 0;
    return;
  }
  FKeysPressedInside = 0;
  if (Key != VK_MENU) return;
  if (GetParent()) GetParent()->CloseBar();
  SetAltPressedAlone(true);
  if (PassKeyToBarHook(VK_MENU, static_cast<LPARAM>(0x80000001u))) Key = 0;
}

bool TdxBarWinControl::PassKeyToBarHook(WORD Key, LPARAM KeyData) {
  SetHookDirectCall(true);
  LRESULT Taken;
  try {
    Taken = BarKeyboardHook(HC_ACTION, Key, KeyData);
  } catch (...) {
    SetHookDirectCall(false);
    throw;
  }
  SetHookDirectCall(false);
  return Taken != 0;
}

void TdxBarWinControl::AcceptEdit() {
  if (TdxBarItemLink* Link = GetItemLink()) Link->GetSourceLink()->RegisterUse(true);
  StoreTextToItem();
  if (!IsInnerWindowVisible()) return;
  TCustomdxBarControl* Parent = GetParent();
  if (Parent) Parent->SetSelectedLink(nullptr);
  RemovePendingCharMessages(InnerWindowHandle());
  if (Parent) Parent->CloseBar();
  // The text is stored: leaving must not store it again over a change of the handler.
  if (FFocused) LeaveEditing(false);
}

void TdxBarWinControl::CancelEdit() {
  TCustomdxBarControl* Parent = GetParent();
  TcxObjectLinkGuard Alive(this);
  if (Parent) Parent->SetSelectedLink(nullptr);
  RemovePendingCharMessages(InnerWindowHandle());
  if (Parent) Parent->EscapeFromItemControl(this);
  // Esc never stores the text.
  if (Alive.Alive() && FFocused) LeaveEditing(false);
}

void TdxBarWinControl::TabToNext() {
  StoreTextToItem();
  if (!IsInnerWindowVisible()) return;
  RemovePendingCharMessages(InnerWindowHandle());
  TcxObjectLinkGuard Alive(this);
  if (TdxBarNavigationController* Navigation = BarNavigationControllerInstance())
    Navigation->DispatchNavigationKey(VK_TAB, KeyboardStateToShiftState());
  if (Alive.Alive() && FFocused) LeaveEditing(false);
}

POINT TdxBarWinControl::InnerToParent(POINT P) const {
  HWND Wnd = InnerWindowHandle();
  if (Wnd && GetParent() && GetParent()->HandleAllocated()) MapWindowPoints(Wnd, GetParent()->GetHandle(), &P, 1);
  return P;
}

POINT TdxBarWinControl::ParentToInner(POINT P) const {
  HWND Wnd = InnerWindowHandle();
  if (Wnd && GetParent() && GetParent()->HandleAllocated()) MapWindowPoints(GetParent()->GetHandle(), Wnd, &P, 1);
  return P;
}

void TdxBarWinControl::ForwardMouseMessage(UINT Msg, WPARAM WParam, POINT ParentPoint) {
  HWND Wnd = InnerWindowHandle();
  if (!Wnd || Msg < WM_MOUSEFIRST || Msg > WM_MOUSELAST) return;
  POINT P = ParentToInner(ParentPoint);
  SendMessageW(Wnd, Msg, WParam, MAKELPARAM(P.x, P.y));
}

void TdxBarWinControl::InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) {
  TdxBarItem* Item = LinkedItem();
  switch (Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD Key = static_cast<WORD>(WParam);
      KeyDown(Key, KeyDataToShiftState(LParam));
      Handled = Key == 0;
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD Key = static_cast<WORD>(WParam);
      KeyUp(Key, KeyDataToShiftState(LParam));
      Handled = Key == 0;
      return;
    }
    case WM_CHAR: {
      char Key = static_cast<char>(WParam);
      if (WParam < 0x80) {
        KeyPress(Key);
        Handled = Key == 0;
      }
      return;
    }
    case WM_SETFOCUS: FireWindowItemEnter(Item); return;
    case WM_KILLFOCUS: {
      TcxObjectLinkGuard Alive(this);
      try {
        InnerFocusLost(reinterpret_cast<HWND>(WParam));
        if (Alive.Alive() && FFocused) {
          Result = DefaultInnerProc(Msg, WParam, LParam);
          Handled = true;
          TCustomdxBarControl* Parent = GetParent();
          if (Parent) Parent->CloseBar();
          if (Alive.Alive()) SetFocused(false);
        }
      } catch (...) {
        FireWindowItemExit(Item);
        throw;
      }
      FireWindowItemExit(Item);
      return;
    }
    case WM_COMMAND:
      if (HIWORD(WParam) == EN_CHANGE && !FFocusing) FireWindowItemCurChange(Item);
      return;
    case WM_RBUTTONDOWN: {
      POINT P = InnerToParent(POINT{XOfParam(LParam), YOfParam(LParam)});
      TcxObjectLinkGuard Alive(this);
      MouseDown(mbRight, KeysToShiftState(WParam), P.x, P.y);
      if (Alive.Alive() && GetParent() && GetParent()->HandleAllocated())
        SendMessageW(GetParent()->GetHandle(), WM_RBUTTONDOWN, WParam, MAKELPARAM(P.x, P.y));
      Handled = true;
      return;
    }
    default: break;
  }
  if (Msg >= WM_LBUTTONDOWN && Msg <= WM_MBUTTONDBLCLK && GetCapture() != InnerWindowHandle()) {
    POINT P = InnerToParent(POINT{XOfParam(LParam), YOfParam(LParam)});
    RECT Inner = InnerWindowBounds(), Bounds = ItemBounds();
    // A click on the caption part of an active edit does nothing.
    if (!PtInRect(&Inner, P) && PtInRect(&Bounds, P)) Handled = true;
  }
}

void TdxBarWinControl::EnabledChanged() {
  SetFocused(false);
  TdxBarItemControl::EnabledChanged();
}

bool TdxBarWinControl::IsClickable() const { return IsRotated(); }

bool TdxBarWinControl::CanDeactivateFor(TdxBarManager* Manager) const {
  if (!TdxBarItemControl::CanDeactivateFor(Manager)) return false;
  TdxBarManager* Own = LinkManager();
  if (Manager == Own) return true;
  TCustomForm* Other = Manager ? Manager->OwnerTopForm() : nullptr;
  TCustomForm* Mine = Own ? Own->NearestOwnerForm() : nullptr;
  return Other && Mine && Other->GetFormStyle() == fsMDIForm && Mine->GetFormStyle() == fsMDIChild && !FFocusing;
}

bool TdxBarWinControl::CanSelect() const { return TdxBarItemControl::CanSelect(); }

void TdxBarWinControl::ControlInactivate(bool Immediately, bool ByMouse) {
  TdxBarItemControl::ControlInactivate(Immediately, ByMouse);
  SetFocused(false);
}

void TdxBarWinControl::ClickControl(bool ByMouse, char Key) {
  SetFocused(true);
  TdxBarItemControl::ClickControl(ByMouse, Key);
  ForwardClickToInner(ByMouse);
}

void TdxBarWinControl::ActiveBarMouseDown(bool WasSelected, bool& Handled) {
  if (WasSelected && FFocused) {
    Handled = true;
    TCustomdxBarControl* Parent = GetParent();
    if (!Parent || !Parent->HandleAllocated()) return;
    DWORD Pos = GetMessagePos();
    POINT P = Parent->ScreenPointToClient(POINT{XOfParam(Pos), YOfParam(Pos)});
    RECT Inner = InnerWindowBounds();
    if (!PtInRect(&Inner, P)) ForwardMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, P);
    return;
  }
  TdxBarItemControl::ActiveBarMouseDown(WasSelected, Handled);
}

bool TdxBarWinControl::OwnsWindow(HWND Wnd) const {
  HWND Inner = InnerWindowHandle();
  if (Inner && Wnd && (Wnd == Inner || IsChild(Inner, Wnd))) return true;
  return TdxBarItemControl::OwnsWindow(Wnd);
}

void TdxBarWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_F10 || Key == VK_MENU || Shift.Contains(ssAlt)) {
    InnerKeyDown(Key, Shift);
    return;
  }
  TcxObjectLinkGuard Alive(this);
  FireWindowItemKeyDown(LinkedItem(), Key, Shift);
  // A handler that freed the control or its window takes the key with it.
  if (!Alive.Alive() || !InnerWindowHandle()) {
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_TAB:
      TabToNext();
      Key = 0;
      break;
    case VK_RETURN:
      AcceptEdit();
      Key = 0;
      break;
    case VK_ESCAPE:
      CancelEdit();
      Key = 0;
      break;
    default: break;
  }
}

void TdxBarWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_MENU || Shift.Contains(ssAlt)) {
    InnerKeyUp(Key, Shift);
    return;
  }
  FireWindowItemKeyUp(LinkedItem(), Key, Shift);
}

void TdxBarWinControl::KeyPress(char& Key) { FireWindowItemKeyPress(LinkedItem(), Key); }

// ---- TdxBarCustomEditControl

TdxBarCustomEditControl::~TdxBarCustomEditControl() = default;

TdxBarEdit* TdxBarCustomEditControl::EditItem() const { return dynamic_cast<TdxBarEdit*>(LinkedItem()); }

TFont* TdxBarCustomEditControl::EditFont() const {
  if (TFont* Style = EditStyleFont(LinkedItem())) return Style;
  return GetParent() ? GetParent()->EditFont() : nullptr;
}

int TdxBarCustomEditControl::EditTextHeight() const {
  if (EditStyleFont(LinkedItem())) return FEditTextHeight;
  return GetParent() ? GetParent()->GetEditTextHeight() : FEditTextHeight;
}

std::string TdxBarCustomEditControl::CurrentText() const {
  return IsFocused() ? GetInnerText() : EditTextOf(LinkedItem());
}

int TdxBarCustomEditControl::EditOffset() const { return GetEditRect().left - ItemBounds().left; }

void TdxBarCustomEditControl::CalcCachedValues() {
  TdxBarWinControl::CalcCachedValues();
  TdxBarPainter* P = GetPainter();
  TFont* Font = EditFont();
  if (!P || !Font) return;
  TcxCanvas* Canvas = PaintCanvas();
  Canvas->PushState();
  try {
    Canvas->AssignFontObject(Font);
    SIZE S = TextExtentOnDC(Canvas->DeviceContext(), "Qq");
    FEditTextHeight = P->EditTextHeight(GetParent(), S.cy);
  } catch (...) {
    Canvas->PopState();
    throw;
  }
  Canvas->PopState();
}

void TdxBarCustomEditControl::PaintControl(const RECT& R, int PaintTypeValue) {
  (void)PaintTypeValue;
  if (TdxBarPainter* P = GetPainter()) P->DrawEdit(EditDrawParams(), R);
}

void TdxBarCustomEditControl::UpdateDrawParams(bool Full) {
  TdxBarWinControl::UpdateDrawParams(Full);
  if (!Full) return;
  EditDrawParams()->FramesWholeControl = FramesWholeControl();
  EditDrawParams()->Focused = IsFocused();
}

void TdxBarCustomEditControl::CalcPartRects() {
  TdxBarWinControl::CalcPartRects();
  if (TdxBarPainter* P = GetPainter()) P->CalcEditParts(EditDrawParams(), MutablePartRects());
}

bool TdxBarCustomEditControl::IsDrawnSelected() const {
  TCustomdxBarControl* W = GetParent();
  return !(W && W->IsCustomizing()) && TdxBarWinControl::IsDrawnSelected();
}

bool TdxBarCustomEditControl::ShowsCaption() const { return PaintType() == 1 || ItemShowsCaption(LinkedItem()); }

int TdxBarCustomEditControl::GetPaintStyleParts() const {
  int Parts = ShowsCaption() ? vsCaption : 0;
  TdxBarPainter* P = GetPainter();
  if (P && HasImage(GetDrawParams()->GetViewSize()) && P->EditShowsGlyph(GetDrawParams())) Parts |= vsGlyph;
  return Parts;
}

TdxBarItemViewLevels TdxBarCustomEditControl::PossibleViewLevels() const {
  TdxBarItemViewLevels Levels = TdxBarWinControl::PossibleViewLevels();
  Levels.Include(ivlControlOnly);
  return Levels;
}

int TdxBarCustomEditControl::CaptionAreaWidth() {
  if (!GetDrawParams()->ShowsCaption()) return 0;
  int T = TextWidth(GetDrawParams()->Caption);
  RECT M = PartMargins(2);
  return T + (T ? M.right : 0) + M.left;
}

int TdxBarCustomEditControl::EditAreaWidth() const {
  return GetItemLink() ? GetItemLink()->GetEffectiveWidth() : 0;
}

int TdxBarCustomEditControl::GlyphAreaWidth() const {
  if (!GetDrawParams()->ShowsGlyph()) return 0;
  RECT M = PartMargins(1);
  return GlyphSize(GetDrawParams()->GetViewSize()).cx + M.left + M.right;
}

RECT TdxBarCustomEditControl::GetEditRect() const {
  RECT R = ItemBounds();
  TCustomdxBarControl* W = GetParent();
  bool Stretches = W && (W->BehaviorFlags() & 0x10);
  if (ActualAlign() == iaClient && !Stretches)
    R.left = R.right - EditAreaWidth();
  else
    R.left += const_cast<TdxBarCustomEditControl*>(this)->GlyphAreaWidth() +
              const_cast<TdxBarCustomEditControl*>(this)->CaptionAreaWidth();
  return R;
}

int TdxBarCustomEditControl::CalcHeight() {
  int H = EditTextHeight();
  if (GetDrawParams()->ShowsCaption() && GetParent()) H = std::max(H, GetParent()->ItemTextHeight(this));
  return H;
}

RECT TdxBarCustomEditControl::PartMargins(int Part) const {
  RECT R{0, 0, 0, 0};
  if (TdxBarPainter* P = GetPainter()) P->EditCaptionMargins(GetDrawParams(), Part == 2 ? 1 : 0, R);
  return R;
}

int TdxBarCustomEditControl::MinLength() { return CaptionAreaWidth() + MinEditWidth(); }

bool TdxBarCustomEditControl::WantsMouse() const {
  if (!TdxBarWinControl::WantsMouse()) return false;
  TCustomdxBarControl* W = GetParent();
  bool Customizing = W && W->IsCustomizing();
  int Part = GetHotPartIndex();
  return Customizing || PaintType() == 1 || (Part != 1 && Part != 2);
}

void TdxBarCustomEditControl::ActivateInnerWindow() {
  TdxBarWinControl::ActivateInnerWindow();
  InnerActivated();
}

HBRUSH TdxBarCustomEditControl::GetEditBrush() {
  if (!FEditBrush) FEditBrush.reset(TBrush::Create());
  if (TdxBarPainter* P = GetPainter()) FEditBrush->SetColor(P->EditBackgroundColorFor(GetDrawParams()));
  return FEditBrush->GetHandle();
}

void TdxBarCustomEditControl::ExcludeEditFrame() {
  TdxBarPainter* P = GetPainter();
  if (!P) return;
  RECT Frame = FramesWholeControl() && PaintType() != 1 ? ItemBounds() : GetEditRect();
  AdjustEditArea(Frame);
  RECT Content = Frame;
  P->DrawEditBorder(EditDrawParams(), Content);
  ExcludeFrameBandFromClip(PaintCanvas(), Frame, Content);
}

bool TdxBarCustomEditControl::IsSizingPoint(POINT P) {
  TdxBarManager* M = LinkManager();
  if (!M || !M->IsCustomizingOrDesigning()) return false;
  RECT R = ItemBounds();
  if (!PtInRect(&R, P)) return false;
  return P.x >= R.right - 7 || P.x < R.left + 7;
}

void TdxBarCustomEditControl::StartSizing(POINT P) {
  RECT R = ItemBounds();
  FRightBorderSizing = P.x >= R.right - 7;
  FSizingWidth = Width();
  Paint(PaintCanvas(), R, 0);
  DrawSizingFrame(FSizingWidth);
}

void TdxBarCustomEditControl::DoSizing(POINT P) {
  RECT R = ItemBounds();
  int W = FRightBorderSizing ? P.x - R.left : R.right - P.x;
  ClampToMinWidth(W, MinLength());
  if (W == FSizingWidth) return;
  DrawSizingFrame(FSizingWidth);
  FSizingWidth = W;
  DrawSizingFrame(FSizingWidth);
}

void TdxBarCustomEditControl::EndSizing(bool Apply) {
  DrawSizingFrame(FSizingWidth);
  int EditWidth = FSizingWidth - EditOffset();
  if (Apply && EditWidth != EditAreaWidth() && GetItemLink())
    GetItemLink()->SetUserWidth(EditWidth);
  else
    Repaint();
}

void TdxBarCustomEditControl::DrawSizingFrame(int Width) {
  TCustomdxBarControl* W = GetParent();
  if (!W || !W->HandleAllocated()) return;
  RECT R = ItemBounds();
  if (FRightBorderSizing)
    R.right = R.left + Width;
  else
    R.left = R.right - Width;
  MapWindowPoints(W->GetHandle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
  HDC DC = GetDC(nullptr);
  auto Invert = [DC](int L, int T, int Rt, int B) { PatBlt(DC, L, T, Rt - L, B - T, DSTINVERT); };
  Invert(R.left, R.top, R.right, R.top + 2);
  Invert(R.left, R.bottom - 2, R.right, R.bottom);
  Invert(R.left, R.top + 2, R.left + 2, R.bottom - 2);
  Invert(R.right - 2, R.top + 2, R.right, R.bottom - 2);
  ReleaseDC(nullptr, DC);
}

// ---- TdxBarEditControl

TdxBarEditControl::TdxBarEditControl(TdxBarItemLink* ALink) : TdxBarCustomEditControl(ALink) {}

TdxBarEditControl::~TdxBarEditControl() = default;

void TdxBarEditControl::AfterConstruction() {
  TdxBarCustomEditControl::AfterConstruction();
  if (!(GetParent() && GetParent()->IsMoving())) HookInnerWindow();
}

void TdxBarEditControl::BeforeDestruction() {
  // Also while its bar is dragged (the editor is unhooked then): the editor goes with the control.
  UnhookInnerWindow(true);
  TdxBarCustomEditControl::BeforeDestruction();
}

int TdxBarEditControl::MaxLength() const { return EditMaxLength(LinkedItem()); }

bool TdxBarEditControl::IsReadOnly() const { return EditReadOnly(LinkedItem()); }

bool TdxBarEditControl::PaintsEditText() const { return !IsFocused() || !IsEnabled(); }

void TdxBarEditControl::CreateInnerWindow() {
  TCustomdxBarControl* W = GetParent();
  if (!W || FInnerWindow) return;
  W->HandleNeeded();
  FInnerWindow = CreateWindowExW(0, L"EDIT", L"", InnerWindowStyle(), 0, 0, 100, 100, W->GetHandle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  LoadTextFromItem();
  SendMessageW(FInnerWindow, EM_LIMITTEXT, static_cast<WPARAM>(MaxLength()), 0);
}

void TdxBarEditControl::DestroyInnerWindow(bool DestroyHandle) {
  if (DestroyHandle && FInnerWindow && IsWindow(FInnerWindow)) DestroyWindow(FInnerWindow);
  FInnerWindow = nullptr;
}

void TdxBarEditControl::HookInnerWindow() {
  CreateInnerWindow();
  TdxBarCustomEditControl::HookInnerWindow();
}

void TdxBarEditControl::UnhookInnerWindow(bool DestroyHandle) {
  TdxBarCustomEditControl::UnhookInnerWindow(DestroyHandle);
  DestroyInnerWindow(DestroyHandle);
}

void TdxBarEditControl::EndInnerEditing(bool Accept) {
  if (FInnerWindow) ShowWindow(FInnerWindow, SW_HIDE);
  if (Accept) StoreTextToItem();
}

void TdxBarEditControl::UpdateInnerLayout() {
  TdxBarPainter* P = GetPainter();
  if (!FInnerWindow || !P) return;
  RECT R;
  GetClientRect(FInnerWindow, &R);
  P->EditTextRect(PaintType(), R);
  SendMessageW(FInnerWindow, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
}

void TdxBarEditControl::SetFocused(bool Value) {
  if (Value == IsFocused()) return;
  if (Value && FInnerWindow)
    SendMessageW(FInnerWindow, EM_SETREADONLY, IsReadOnly() || !ComboShowsEditor(LinkedItem()), 0);
  TdxBarCustomEditControl::SetFocused(Value);
  Repaint();
}

void TdxBarEditControl::SetInnerText(const std::string& Text) {
  bool Changed = GetInnerText() != Text;
  TdxBarCustomEditControl::SetInnerText(Text);
  if (TdxBarPainter* P = GetPainter(); P && FInnerWindow) P->SelectEditText(this, FInnerWindow, Changed);
}

void TdxBarEditControl::ActivateInnerWindow() {
  TCustomdxBarControl* W = GetParent();
  SetOnGlassFlag(W && W->IsOnGlass());
  InnerActivated();
  if (!FInnerWindow) return;
  if (TFont* Font = EditFont()) SendMessageW(FInnerWindow, WM_SETFONT, reinterpret_cast<WPARAM>(Font->GetHandle()), TRUE);
  RECT R = InnerWindowBounds();
  SetWindowPos(FInnerWindow, nullptr, R.left, R.top, R.right - R.left, R.bottom - R.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  UpdateInnerLayout();
  if (IsFocusing()) LoadTextFromItem();
  SetFocus(FInnerWindow);
}

void TdxBarEditControl::InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) {
  switch (Msg) {
    case WM_DESTROY:
      DropFocusedFlag();
      Result = DefaultInnerProc(Msg, WParam, LParam);
      Handled = true;
      TdxBarCustomEditControl::UnhookInnerWindow(false);
      FInnerWindow = nullptr;
      return;
    case WM_PAINT:
      if (IsOnGlassFlag()) {
        BufferedPaint();
        Result = 1;
        Handled = true;
        return;
      }
      break;
    case WM_GLASSEDITPAINT:
      if (IsOnGlassFlag() && GetBufferedPaintPending()) {
        BufferedPaint();
        SetBufferedPaintPending(false);
      }
      Handled = true;
      return;
    default: break;
  }
  TdxBarCustomEditControl::InnerWindowProc(Msg, WParam, LParam, Result, Handled);
}

void TdxBarEditControl::BufferedPaint() {
  if (!FInnerWindow) return;
  RECT R;
  GetClientRect(FInnerWindow, &R);
  HDC DC = GetDC(FInnerWindow);
  HDC PaintDC = nullptr;
  HPAINTBUFFER Buffer = UxBeginBufferedPaint(DC, R, BPBF_TOPDOWNDIB, nullptr, PaintDC);
  if (Buffer) {
    SendMessageW(FInnerWindow, WM_ERASEBKGND, reinterpret_cast<WPARAM>(PaintDC), 0);
    SendMessageW(FInnerWindow, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(PaintDC), PRF_CLIENT);
    UxBufferedPaintSetAlpha(Buffer, &R, 255);
    HideCaret(FInnerWindow);
    UxEndBufferedPaint(Buffer, true);
    ShowCaret(FInnerWindow);
  }
  ReleaseDC(FInnerWindow, DC);
  ValidateRect(FInnerWindow, nullptr);
}

void TdxBarEditControl::DrawInner() {
  TdxBarPainter* P = GetPainter();
  if (!P) return;
  RECT Edit = PartRect(0);
  if (IsEnabled()) SetInnerWindowBounds(Edit);
  if (!PaintsEditText()) return;
  TcxCanvas* Canvas = PaintCanvas();
  Canvas->PushState();
  try {
    if (TFont* Font = EditFont()) Canvas->AssignFontObject(Font);
    P->DrawEditContent(this, Canvas, Edit);
  } catch (...) {
    Canvas->PopState();
    throw;
  }
  Canvas->PopState();
}

void TdxBarEditControl::ClickControl(bool ByMouse, char Key) {
  TdxBarCustomEditControl::ClickControl(ByMouse, Key);
  if (IsFocused() && FInnerWindow) SendMessageW(FInnerWindow, EM_SETSEL, 0, -1);
}

RECT TdxBarEditControl::ExcludedPaintRect() const {
  return FInnerWindow && IsWindowVisible(FInnerWindow) ? PartRect(0) : RECT{0, 0, 0, 0};
}

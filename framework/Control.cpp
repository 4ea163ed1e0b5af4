#include "framework/Control.h"

#include <algorithm>

#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "framework/DragObject.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Published.h"
#include "framework/Reader.h"
#include "framework/WinControl.h"

namespace {
// Controls stream in a class group of their own; suite classes join it.
const bool ControlGroup = (StartClassGroup(TControl::StaticClass()), true);

bool IsMouseDown(UINT Msg) {
  return Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_MBUTTONDOWN || Msg == WM_LBUTTONDBLCLK ||
         Msg == WM_RBUTTONDBLCLK || Msg == WM_MBUTTONDBLCLK;
}
bool IsMouseUp(UINT Msg) { return Msg == WM_LBUTTONUP || Msg == WM_RBUTTONUP || Msg == WM_MBUTTONUP; }
}  // namespace

// --- TSizeConstraints ---

SONVELT_PUBLISHED(TSizeConstraints, P) {
  P.Integer("MaxHeight", &TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  P.Integer("MaxWidth", &TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  P.Integer("MinHeight", &TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  P.Integer("MinWidth", &TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

void TSizeConstraints::SetMinWidth(int Value) { if (Value != FMinWidth) { FMinWidth = Value; Changed(); } }
void TSizeConstraints::SetMinHeight(int Value) { if (Value != FMinHeight) { FMinHeight = Value; Changed(); } }
void TSizeConstraints::SetMaxWidth(int Value) { if (Value != FMaxWidth) { FMaxWidth = Value; Changed(); } }
void TSizeConstraints::SetMaxHeight(int Value) { if (Value != FMaxHeight) { FMaxHeight = Value; Changed(); } }

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinWidth = S->FMinWidth;
    FMinHeight = S->FMinHeight;
    FMaxWidth = S->FMaxWidth;
    FMaxHeight = S->FMaxHeight;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
  if (FMinWidth > 0 && Width < FMinWidth) Width = FMinWidth;
  if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
  if (FMinHeight > 0 && Height < FMinHeight) Height = FMinHeight;
  if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
}

void TSizeConstraints::Changed() { OnChange(this); }

// --- TControl ---

// The members every control stores; Left, Top, Width and Height always.
SONVELT_PUBLISHED(TControl, P) {
  P.Integer("Left", &TControl::GetLeft, &TControl::SetLeft);
  P.Integer("Top", &TControl::GetTop, &TControl::SetTop);
  P.Integer("Width", &TControl::GetWidth, &TControl::SetWidth);
  P.Integer("Height", &TControl::GetHeight, &TControl::SetHeight);
  P.Component("Action", &TControl::GetAction, &TControl::SetAction);
  P.Enum("Align", &TControl::GetAlign, &TControl::SetAlign,
         {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"})
      .Default(alNone);
  P.Set("Anchors", &TControl::GetAnchors, &TControl::SetAnchors, {"akLeft", "akTop", "akRight", "akBottom"})
      .Default(TAnchors{akLeft, akTop});
  P.Enum("BiDiMode", &TControl::GetBiDiMode, &TControl::SetBiDiMode,
         {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"})
      .Default(bdLeftToRight)
      .Stored(&TControl::IsBiDiModeStored);
  P.Integer("Color", &TControl::GetColor, &TControl::SetColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(clWindow)
      .Stored(&TControl::IsColorStored);
  P.Object("Constraints", &TControl::GetConstraints);
  P.Integer("Cursor", &TControl::GetCursor, &TControl::SetCursor).Idents(CursorToIdent, IdentToCursor).Default(crDefault);
  P.Integer("DragCursor", &TControl::GetDragCursor, &TControl::SetDragCursor)
      .Idents(CursorToIdent, IdentToCursor)
      .Default(crDrag);
  P.Enum("DragKind", &TControl::GetDragKind, &TControl::SetDragKind, {"dkDrag", "dkDock"}).Default(dkDrag);
  P.Enum("DragMode", &TControl::GetDragMode, &TControl::SetDragMode, {"dmManual", "dmAutomatic"}).Default(dmManual);
  P.Boolean("Enabled", &TControl::GetEnabled, &TControl::SetEnabled).Default(true);
  P.Object("Font", &TControl::GetFont).Stored(&TControl::IsFontStored);
  P.String("Hint", &TControl::GetHint, &TControl::SetHint);
  P.Boolean("ParentBiDiMode", &TControl::GetParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
  P.Boolean("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor).Default(false);
  P.Boolean("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont).Default(true);
  P.Boolean("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint).Default(true);
  P.Component("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
  P.Boolean("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored);
  P.Boolean("Visible", &TControl::GetVisible, &TControl::SetVisible).Default(true);
  P.Event("OnClick", &TControl::OnClick);
  P.Event("OnContextPopup", &TControl::OnContextPopup);
  P.Event("OnDblClick", &TControl::OnDblClick);
  P.Event("OnDragDrop", &TControl::OnDragDrop);
  P.Event("OnDragOver", &TControl::OnDragOver);
  P.Event("OnEndDrag", &TControl::OnEndDrag);
  P.Event("OnMouseDown", &TControl::OnMouseDown);
  P.Event("OnMouseEnter", &TControl::OnMouseEnter);
  P.Event("OnMouseLeave", &TControl::OnMouseLeave);
  P.Event("OnMouseMove", &TControl::OnMouseMove);
  P.Event("OnMouseUp", &TControl::OnMouseUp);
  P.Event("OnMouseWheel", &TControl::OnMouseWheel);
  P.Event("OnResize", &TControl::OnResize);
  P.Event("OnStartDrag", &TControl::OnStartDrag);
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FConstraints(Construct<TSizeConstraints>(this)),
      FFont(Construct<TFont>()) {
  WindowProc = TWndMethod(this, &TControl::WndProc);
  FFont->OnChange = Bind(this, &TControl::FontChange);
  FConstraints->OnChange = Bind(this, &TControl::ConstraintsChange);
}

TControl::~TControl() = default;

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  ForgetMouseControl(this);
  if (Dragging()) EndDrag(false);
  if (Application) Application->ControlDestroyed(this);
  FActionLink.reset();
  if (FParent) FParent->RemoveControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::ReadState(TReader* Reader) {
  FControlState.Include(csReadingState);
  try {
    if (auto* parent = dynamic_cast<TWinControl*>(Reader->GetParent())) SetParent(parent);
    TComponent::ReadState(Reader);
  } catch (...) {
    FControlState.Exclude(csReadingState);
    throw;
  }
  FControlState.Exclude(csReadingState);
  // What was read last decides: a parent's setting the control follows applies again.
  if (FParent) {
    Perform(CM_PARENTCOLORCHANGED);
    Perform(CM_PARENTFONTCHANGED);
    Perform(CM_PARENTSHOWHINTCHANGED);
    Perform(CM_PARENTBIDIMODECHANGED);
  }
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

void TControl::UpdateBoundsRaw(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FConstraints->Apply(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool Resized = AWidth != FWidth || AHeight != FHeight;
  InvalidateControl(FVisible, false);
  UpdateBoundsRaw(ALeft, ATop, AWidth, AHeight);
  InvalidateControl(FVisible, false);
  UpdateAnchorRules();
  RequestAlign();
  if (Resized) Resize();
}

RECT TControl::GetClientRect() { return RECT{0, 0, FWidth, FHeight}; }

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - GetClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(FHeight - GetClientHeight() + Value); }

POINT TControl::ClientOrigin() {
  // A window knows where its client area lies, past its caption and borders.
  if (auto* W = dynamic_cast<TWinControl*>(this); W && W->HandleAllocated()) {
    POINT P{0, 0};
    ::ClientToScreen(W->GetHandle(), &P);
    return P;
  }
  if (!FParent) return POINT{FLeft, FTop};
  POINT P = FParent->ClientOrigin();
  return POINT{P.x + FLeft, P.y + FTop};
}

POINT TControl::ClientToScreen(POINT P) {
  POINT O = ClientOrigin();
  return POINT{P.x + O.x, P.y + O.y};
}

POINT TControl::ScreenToClient(POINT P) {
  POINT O = ClientOrigin();
  return POINT{P.x - O.x, P.y - O.y};
}

POINT TControl::ClientToParent(POINT P, TWinControl* AParent) {
  if (!AParent) AParent = FParent;
  if (!AParent) throw EInvalidOperation("Control has no parent window");
  const TControl* C = this;
  while (C && C != AParent) {
    P.x += C->FLeft;
    P.y += C->FTop;
    C = C->FParent;
  }
  if (!C) throw EInvalidOperation("Control is not a child of the given parent");
  return P;
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  if (Value != alNone && Value != alCustom) FAnchors = TAnchors{akLeft, akTop};
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (!FParent || FParent->FAligning) return;
  RECT R = FParent->GetClientRect();
  FAnchorParentW = R.right - R.left;
  FAnchorParentH = R.bottom - R.top;
  FAnchorRight = FAnchorParentW - (FLeft + FWidth);
  FAnchorBottom = FAnchorParentH - (FTop + FHeight);
}

void TControl::AnchorTo(int ParentWidth, int ParentHeight, RECT& R) const {
  if (FAnchorParentW < 0) return;
  int L = FLeft, T = FTop, W = FWidth, H = FHeight;
  if (FAnchors.Contains(akRight)) {
    if (FAnchors.Contains(akLeft)) W = ParentWidth - FAnchorRight - L;
    else L = ParentWidth - FAnchorRight - W;
  } else if (!FAnchors.Contains(akLeft) && FAnchorParentW > 0) {
    // Neither side: the control keeps its centre at the same proportion.
    L = (L + W / 2) * ParentWidth / FAnchorParentW - W / 2;
  }
  if (FAnchors.Contains(akBottom)) {
    if (FAnchors.Contains(akTop)) H = ParentHeight - FAnchorBottom - T;
    else T = ParentHeight - FAnchorBottom - H;
  } else if (!FAnchors.Contains(akTop) && FAnchorParentH > 0) {
    T = (T + H / 2) * ParentHeight / FAnchorParentH - H / 2;
  }
  R = RECT{L, T, L + std::max(W, 0), T + std::max(H, 0)};
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

void TControl::Resize() { OnResize(this); }

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (!Value) InvalidateControl(true, false);
  Perform(CM_VISIBLECHANGED, Value);
  if (Value) InvalidateControl(true, false);
  RequestAlign();
}

void TControl::Show() {
  if (FParent) FParent->Show();
  SetVisible(true);
}

void TControl::Hide() { SetVisible(false); }

bool TControl::IsShowing() const { return FVisible && FParent && FParent->IsShowing(); }

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

std::string TControl::GetText() { return FText; }

void TControl::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value && FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChange(TObject*) {
  if (!FIgnoreFontChange) FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() { Perform(CM_FONTCHANGED); }

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (FColor == Value) return;
  FColor = Value;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value && FParent) Perform(CM_PARENTCOLORCHANGED);
}

bool TControl::GetShowHint() const {
  if (FParentShowHint && FParent) return FParent->GetShowHint();
  return FShowHint;
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  FShowHint = Value;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  if (Value && !FParentShowHint && FParent) FShowHint = FParent->GetShowHint();
  FParentShowHint = Value;
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (FActionLink && AComponent == FActionLink->GetAction()) SetAction(nullptr);
}

TBasicAction* TControl::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
  return std::make_unique<TControlActionLink>(this);
}

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = CreateActionLink();
  FActionLink->SetAction(Value);
  Value->FreeNotification(this);
  ActionChange(Value, false);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* A = dynamic_cast<TCustomAction*>(Sender);
  if (!A) return;
  if (!CheckDefaults || GetText().empty()) SetText(A->GetCaption());
  if (!CheckDefaults || FEnabled) SetEnabled(A->GetEnabled());
  if (!CheckDefaults || FHint.empty()) SetHint(A->GetHint());
  if (!CheckDefaults || FVisible) SetVisible(A->GetVisible());
  if (!CheckDefaults || !OnClick) OnClick = A->OnExecute;
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage M{Msg, WParam, LParam, 0};
  WindowProc(M);
  return M.Result;
}

void TControl::WndProc(TMessage& Message) {
  UINT Msg = Message.Msg;
  if (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL) {
    if (!FControlStyle.Contains(csDoubleClicks) &&
        (Msg == WM_LBUTTONDBLCLK || Msg == WM_RBUTTONDBLCLK || Msg == WM_MBUTTONDBLCLK))
      Message.Msg = Msg = Msg - (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
    if ((Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK) && FDragMode == dmAutomatic && !Dragging()) {
      BeginDrag(false);
      return;
    }
    if (Msg == WM_MOUSEMOVE && Application) Application->HintMouseMessage(this, Message);
    if (IsMouseDown(Msg) && FControlStyle.Contains(csCaptureMouse)) SetCaptureControl(this);
    if (IsMouseUp(Msg) && FControlStyle.Contains(csCaptureMouse) && GetCaptureControl() == this)
      SetCaptureControl(nullptr);
  } else if (Msg == WM_KEYFIRST || Msg == WM_KEYDOWN) {
    if (Application) Application->CancelHint();
  }
  Dispatch(Message);
}

void TControl::HandleMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra) {
  if (FControlStyle.Contains(csClickEvents) && Button == mbLeft) FControlState.Include(csClicked);
  POINT P = PointFromLParam(Message.LParam);
  MouseDown(Button, KeysToShiftState(Message.WParam) + Extra, P.x, P.y);
}

void TControl::HandleMouseUp(TMessage& Message, TMouseButton Button) {
  POINT P = PointFromLParam(Message.LParam);
  if (Button == mbLeft && FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    RECT R = GetClientRect();
    if (PtInRect(&R, P)) Click();
  }
  MouseUp(Button, KeysToShiftState(Message.WParam), P.x, P.y);
}

void TControl::Dispatch(TMessage& Message) {
  // The window's own handling of mouse input runs first (a button presses itself).
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
      Message.Msg != WM_MOUSEHWHEEL)
    DefaultHandler(Message);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: HandleMouseDown(Message, mbLeft, {}); break;
    case WM_RBUTTONDOWN: HandleMouseDown(Message, mbRight, {}); break;
    case WM_MBUTTONDOWN: HandleMouseDown(Message, mbMiddle, {}); break;
    case WM_LBUTTONDBLCLK:
      if (FControlStyle.Contains(csClickEvents)) DblClick();
      HandleMouseDown(Message, mbLeft, {ssDouble});
      break;
    case WM_RBUTTONDBLCLK: HandleMouseDown(Message, mbRight, {ssDouble}); break;
    case WM_MBUTTONDBLCLK: HandleMouseDown(Message, mbMiddle, {ssDouble}); break;
    case WM_LBUTTONUP: HandleMouseUp(Message, mbLeft); break;
    case WM_RBUTTONUP:
      HandleMouseUp(Message, mbRight);
      if (!HasOwnWindow()) {
        // A window-less control gets no WM_CONTEXTMENU of its own.
        POINT P = ClientToScreen(PointFromLParam(Message.LParam));
        Perform(WM_CONTEXTMENU, 0, PointToLParam(P));
      }
      break;
    case WM_MBUTTONUP: HandleMouseUp(Message, mbMiddle); break;
    case WM_MOUSEMOVE: {
      POINT P = PointFromLParam(Message.LParam);
      MouseMove(KeysToShiftState(Message.WParam), P.x, P.y);
      break;
    }
    case WM_MOUSEWHEEL: {
      POINT P = PointFromLParam(Message.LParam);
      if (DoMouseWheel(KeysToShiftState(LOWORD(Message.WParam)), static_cast<short>(HIWORD(Message.WParam)), P))
        Message.Result = 1;
      else
        DefaultHandler(Message);
      break;
    }
    case WM_CONTEXTMENU: {
      POINT Screen = PointFromLParam(Message.LParam);
      bool Keyboard = Screen.x == -1 && Screen.y == -1;
      POINT P = Keyboard ? POINT{-1, -1} : ScreenToClient(Screen);
      bool Handled = false;
      DoContextPopup(P, Handled);
      if (Handled) {
        Message.Result = 1;
        break;
      }
      TPopupMenu* Menu = GetPopupMenu();
      if (Menu && Menu->GetAutoPopup()) {
        if (Keyboard) Screen = ClientToScreen(POINT{0, 0});
        Menu->SetPopupComponent(this);
        Menu->Popup(Screen.x, Screen.y);
        Message.Result = 1;
        break;
      }
      DefaultHandler(Message);
      break;
    }
    case WM_CANCELMODE:
      if (GetCaptureControl() == this) SetCaptureControl(nullptr);
      DefaultHandler(Message);
      break;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      break;
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) {
        FIgnoreFontChange = true;
        FFont->Assign(FParent->GetFont());
        FIgnoreFontChange = false;
        FParentFont = true;
      }
      break;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor && FParent) {
        SetColor(FParent->GetColor());
        FParentColor = true;
      }
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      // The control itself and each parent hear it; LParam names the control entered.
      if (Message.LParam == 0) Message.LParam = reinterpret_cast<LPARAM>(this);
      if (Message.LParam == reinterpret_cast<LPARAM>(this)) {
        if (Message.Msg == CM_MOUSEENTER) OnMouseEnter(this);
        else OnMouseLeave(this);
      }
      if (FParent) FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
      break;
    }
    case CM_HITTEST: Message.Result = HTCLIENT; break;
    case CM_PARENTBIDIMODECHANGED:
      if (FParentBiDiMode && FParent) {
        SetBiDiMode(FParent->GetBiDiMode());
        FParentBiDiMode = true;
      }
      break;
    case CM_BIDIMODECHANGED: Invalidate(); break;
    case CM_DRAG: DragMessage(this, Message); break;
    case CM_CHANGED:
    case CM_VISIBLECHANGED:
    case CM_SHOWHINTCHANGED:
    case CM_CURSORCHANGED:
    case CM_HINTSHOW:
      break;
    default: DefaultHandler(Message); break;
  }
}

void TControl::DefaultHandler(TMessage& Message) { (void)Message; }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) { OnMouseMove(this, Shift, X, Y); }
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  bool Handled = false;
  OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
  return Handled;
}

void TControl::DoContextPopup(POINT MousePos, bool& Handled) { OnContextPopup(this, MousePos, Handled); }

void TControl::Click() {
  TBasicAction* A = GetAction();
  if (OnClick && A && !(OnClick == A->OnExecute)) OnClick(this);
  else if (A) FActionLink->Execute(this);
  else OnClick(this);
}

void TControl::DblClick() { OnDblClick(this); }

void TControl::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TControl::ChangeScale(int M, int D) {
  if (M == D) return;
  SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FWidth, M, D), MulDiv(FHeight, M, D));
  if (!FParentFont) FFont->SetSize(MulDiv(FFont->GetSize(), M, D));
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value && FParent) Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
  RECT R = GetBoundsRect();
  InvalidateRect(FParent->GetHandle(), &R, !IsOpaque);
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  Invalidate();
  FParent->Update();
}

void TControl::BringToFront() {
  if (FParent) FParent->UpdateZOrder(this);
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& L = FParent->FControls;
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
  L.insert(L.begin(), this);
  if (auto* W = dynamic_cast<TWinControl*>(this); W && W->HandleAllocated())
    SetWindowPos(W->GetHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::BeginDrag(bool Immediate, int Threshold) { DragInitControl(this, Immediate, Threshold); }

void TControl::EndDrag(bool Drop) {
  if (Dragging()) DragDone(Drop);
}

bool TControl::Dragging() const { return IsDragSource(this); }

void TControl::DragDrop(TObject* Source, int X, int Y) { OnDragDrop(this, Source, X, Y); }

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = bool(OnDragOver);
  if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DoStartDrag(TDragObject*& DragObject) { OnStartDrag(this, DragObject); }

void TControl::DoEndDrag(TObject* Target, int X, int Y) { OnEndDrag(this, Target, X, Y); }

TCustomForm* TControl::GetParentForm() const { return ::GetParentForm(this); }

TCustomForm* GetParentForm(const TControl* Control) {
  const TControl* C = Control;
  while (C && C->GetParent()) C = C->GetParent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(C));
}

std::string GetShortHint(const std::string& Hint) {
  auto P = Hint.find('|');
  return P == std::string::npos ? Hint : Hint.substr(0, P);
}

std::string GetLongHint(const std::string& Hint) {
  auto P = Hint.find('|');
  return P == std::string::npos ? Hint : Hint.substr(P + 1);
}

void TControl::ConstraintsChange(TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); }

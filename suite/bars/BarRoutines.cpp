#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarRoutines.h"

#include <mmsystem.h>
#include <vssym32.h>

#include <cmath>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarUnit.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/UxTheme.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxImageDrawing.h"

namespace {
int ScreenBitsPerPixel = 32;
HBRUSH PatternBrush = nullptr;

bool IsChildWindow(HWND Wnd) { return Wnd && (GetWindowLongPtrW(Wnd, GWL_STYLE) & WS_CHILD); }
}  // namespace

// ---- unit state refreshes

void RefreshScreenColorDepth() {
  HDC DC = GetDC(nullptr);
  ScreenBitsPerPixel = GetDeviceCaps(DC, BITSPIXEL) * GetDeviceCaps(DC, PLANES);
  ReleaseDC(nullptr, DC);
}

int ScreenColorDepth() { return ScreenBitsPerPixel; }

void RefreshPatternBrush() {
  if (PatternBrush) {
    DeleteObject(PatternBrush);
    PatternBrush = nullptr;
  }
  if (IsBarUnitFinalizing()) return;
  TOwned<TBitmap> Pattern(TBitmap::Create());
  Pattern->SetPixelFormat(pf24bit);
  Pattern->SetWidth(8);
  Pattern->SetHeight(8);
  TColor Face = ColorToRGB(clBtnFace), Highlight = ColorToRGB(clBtnHighlight);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X) Pattern->GetCanvas()->SetPixels(X, Y, (X % 2) == (Y % 2) ? Face : Highlight);
  PatternBrush = CreatePatternBrush(Pattern->GetHandle());
}

HBRUSH CheckedPatternBrush() {
  if (!PatternBrush) RefreshPatternBrush();
  return PatternBrush;
}

TdxBarManager* TopActiveBarManager() {
  TCustomdxBarControl* C = TopActiveBarControl();
  return C ? C->GetBarManager() : nullptr;
}

bool IsActiveBarControlEnabled() {
  TCustomdxBarControl* C = TopActiveBarControl();
  return C && C->HandleAllocated() && IsWindowChainEnabled(C->GetHandle());
}

// ---- windows, forms and managers

TdxBarManager* FindBarManagerByOwner(TComponent* Component) {
  if (auto* M = dynamic_cast<TdxBarManager*>(Component)) return M;
  TdxBarManagerList* List = BarManagerList();
  if (!Component || !List) return nullptr;
  for (int I = 0; I < List->GetCount(); ++I)
    if (List->GetManager(I)->GetOwner() == Component) return List->GetManager(I);
  return nullptr;
}

TdxBarManager* ManagerOfWindow(HWND Wnd) { return Wnd ? FindBarManagerByOwner(TWinControl::FindControl(Wnd)) : nullptr; }

TWinControl* WinControlOwnerOf(TComponent* Component) {
  while (Component && !dynamic_cast<TWinControl*>(Component)) Component = Component->GetOwner();
  return static_cast<TWinControl*>(Component);
}

TWinControl* NearestVCLParentOfChildWindow(HWND Wnd) {
  for (HWND W = Wnd; W; W = GetParent(W)) {
    if (TWinControl* C = TWinControl::FindControl(W)) return C;
    if (!IsChildWindow(W)) break;
  }
  return nullptr;
}

TdxBarManager* ManagerOfComponent(TComponent* Component) {
  TWinControl* Control = WinControlOwnerOf(Component);
  if (!Control || !Control->HandleAllocated()) return nullptr;
  for (HWND W = Control->GetHandle(); W;) {
    if (TdxBarManager* M = FindBarManagerByOwner(TWinControl::FindControl(W))) return M;
    if (!IsChildWindow(W)) break;
    TWinControl* Parent = NearestVCLParentOfChildWindow(GetParent(W));
    W = Parent ? Parent->GetHandle() : nullptr;
  }
  return nullptr;
}

TWinControl* FindVCLControlOfWindow(HWND Wnd) {
  for (HWND W = Wnd; W; W = GetParent(W))
    if (TWinControl* C = TWinControl::FindControl(W)) return C;
  return nullptr;
}

TCustomForm* FormOfControl(TControl* Control, int Kind) {
  while (Control && !dynamic_cast<TWinControl*>(Control)) Control = Control->GetParent();
  auto* Win = static_cast<TWinControl*>(Control);
  if (!Win || !Win->HandleAllocated()) return nullptr;
  TCustomForm* Result = nullptr;
  for (HWND W = Win->GetHandle(); W; W = GetParent(W)) {
    if (auto* Form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(W))) {
      Result = Form;
      if (Kind == 2 || (Kind == 1 && IsRunTimeMDIChild(Form))) break;
    }
    if (!IsChildWindow(W)) break;
  }
  return Result;
}

TCustomForm* FormOfComponent(TComponent* Component) { return FormOfControl(WinControlOwnerOf(Component), 2); }

TCustomForm* ManagerForm(const TdxBarManager* Manager, int Kind) {
  return Manager ? FormOfControl(dynamic_cast<TControl*>(Manager->GetOwner()), Kind) : nullptr;
}

bool ManagerOwnsWindow(const TdxBarManager* Manager, HWND Wnd) {
  TWinControl* Owner = Manager ? Manager->OwnerControl() : nullptr;
  if (!Owner || !Owner->HandleAllocated() || !Wnd) return false;
  for (HWND W = Wnd; W; W = GetParent(W)) {
    if (W == Owner->GetHandle()) return true;
    if (!IsChildWindow(W)) break;
  }
  return false;
}

bool IsControlInside(TControl* Container, TControl* Control) {
  if (!Container || !Control) return false;
  auto* WinContainer = dynamic_cast<TWinControl*>(Container);
  auto* WinControl = dynamic_cast<TWinControl*>(Control);
  if (!WinControl) {
    if (Control == Container) return true;
    WinControl = Control->GetParent();
    if (!WinControl) return false;
  }
  if (WinContainer && WinContainer->HandleAllocated() && WinControl->HandleAllocated())
    return WinContainer->GetHandle() == WinControl->GetHandle() || IsChild(WinContainer->GetHandle(), WinControl->GetHandle());
  for (TControl* C = WinControl; C; C = C->GetParent())
    if (C == Container) return true;
  return false;
}

bool IsControlOfManagerForm(const TdxBarManager* Manager, TControl* Control) {
  return Manager && IsControlInside(Manager->OwnerControl(), Control);
}

bool HasAncestorWindow(HWND Wnd, HWND Ancestor) {
  if (!Ancestor) return false;
  for (HWND W = Wnd ? GetParent(Wnd) : nullptr; W; W = GetParent(W))
    if (W == Ancestor) return true;
  return false;
}

bool IsOtherProcessWindow(HWND Wnd) {
  if (!Wnd) return true;
  DWORD Process = 0;
  GetWindowThreadProcessId(Wnd, &Process);
  return Process != GetCurrentProcessId();
}

TCustomForm* EnclosingFormOfWindow(HWND Wnd) {
  for (HWND W = Wnd; W; W = GetParent(W)) {
    if (auto* Form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(W))) return Form;
    if (!IsChildWindow(W)) break;
  }
  return nullptr;
}

TCustomForm* ActiveEnabledForm() {
  HWND Active = GetActiveWindow();
  if (!Active || !IsWindowEnabled(Active)) return nullptr;
  auto* Form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(Active));
  if (Form && IsRunTimeMDIForm(Form))
    if (TCustomForm* Child = Form->GetActiveMDIChild()) return Child;
  return Form;
}

bool IsActiveWindow(HWND Wnd) { return Wnd && Wnd == GetActiveWindow(); }

bool IsActiveMDIChildForm(TCustomForm* Form) {
  if (!IsRunTimeMDIChild(Form) || !Application) return false;
  TCustomForm* Main = Application->GetMainForm();
  return Main && Main->GetActiveMDIChild() == Form && Main->HandleAllocated() && IsActiveWindow(Main->GetHandle());
}

HWND TopLevelWindowOf(HWND Wnd) {
  while (IsChildWindow(Wnd) && GetParent(Wnd)) Wnd = GetParent(Wnd);
  return Wnd;
}

bool IsTopFormActive(TCustomForm* Form) {
  return Form && !IsRunTimeMDIChild(Form) && Form->HandleAllocated() &&
         IsActiveWindow(TopLevelWindowOf(Form->GetHandle()));
}

bool IsFormActive(TCustomForm* Form) {
  return Form && Form->HandleAllocated() &&
         (IsActiveWindow(Form->GetHandle()) || IsActiveMDIChildForm(Form) || IsTopFormActive(Form));
}

bool IsOwnAppActive() { return AppActivationActive() && !AppDeactivatedToOtherProcess() && GetActiveWindow(); }

bool WindowOrAncestorHasFocus(HWND Wnd) {
  HWND Focus = GetFocus();
  for (HWND W = Wnd; W; W = GetParent(W)) {
    if (W == Focus) return true;
    if (!IsChildWindow(W)) break;
  }
  return false;
}

bool IsControlShowing(TControl* Control) {
  auto* Win = dynamic_cast<TWinControl*>(Control);
  return Win && Win->HandleAllocated() && IsWindowVisible(Win->GetHandle());
}

void CancelModeOfActiveForm() {
  if (auto* Form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(GetActiveWindow())))
    Form->Perform(WM_CANCELMODE);
}

void ActivateTopLevelWindowOf(HWND Wnd) {
  if (Wnd) SetActiveWindow(TopLevelWindowOf(Wnd));
}

HWND DeepestChildAt(HWND Wnd, POINT ScreenPoint) {
  while (Wnd) {
    POINT P = ScreenPoint;
    ScreenToClient(Wnd, &P);
    HWND Child = ChildWindowFromPointEx(Wnd, P, CWP_SKIPINVISIBLE);
    if (!Child || Child == Wnd) break;
    Wnd = Child;
  }
  return Wnd;
}

HWND DeepestWindowAtPoint(POINT ScreenPoint) { return DeepestChildAt(WindowFromPoint(ScreenPoint), ScreenPoint); }

void SetWindowZOrder(HWND Wnd, HWND InsertAfter, bool Activate, UINT ExtraFlags) {
  SetWindowPos(Wnd, InsertAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | (Activate ? 0 : SWP_NOACTIVATE) | ExtraFlags);
}

void SetWindowAlphaBlend(HWND Wnd, BYTE Alpha) {
  TSetLayeredWindowAttributesProc SetAttributes = SetLayeredWindowAttributesEntry();
  if (!SetAttributes || !Wnd) return;
  LONG_PTR ExStyle = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
  if (Alpha < 255) {
    if (!(ExStyle & WS_EX_LAYERED)) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ExStyle | WS_EX_LAYERED);
    SetAttributes(Wnd, 0, Alpha, LWA_ALPHA);
  } else if (ExStyle & WS_EX_LAYERED) {
    SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ExStyle & ~WS_EX_LAYERED);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

HWND ActiveMDIChildWindow() {
  TCustomForm* Main = Application ? Application->GetMainForm() : nullptr;
  if (!Main || !Main->GetClientHandle()) return nullptr;
  return reinterpret_cast<HWND>(SendMessageW(Main->GetClientHandle(), WM_MDIGETACTIVE, 0, 0));
}

// ---- bars, links and item controls

TCustomdxBarControl* OutermostParentBar(TCustomdxBarControl* BarControl) {
  while (BarControl && !BarControl->IsBeingDestroyed() && BarControl->GetParentBar()) {
    TCustomdxBarControl* Parent = BarControl->GetParentBar();
    if (BarControl->IsCustomizingPopup() && !Parent->IsCustomizingPopup()) break;
    BarControl = Parent;
  }
  return BarControl;
}

TCustomdxBarControl* RootToolbarOfBar(TCustomdxBarControl* BarControl) {
  TCustomdxBarControl* Outer = OutermostParentBar(BarControl);
  return dynamic_cast<TdxBarSubMenuControl*>(Outer) ? nullptr : Outer;
}

TCustomdxBarControl* OutermostBarOfItemControl(TdxBarItemControl* Control) {
  return Control ? OutermostParentBar(Control->GetParent()) : nullptr;
}

TCustomdxBarControl* RootToolbarOfItemControl(TdxBarItemControl* Control) {
  return Control ? RootToolbarOfBar(Control->GetParent()) : nullptr;
}

TdxBarItemControl* ItemControlOfLink(TdxBarItemLink* Link) { return Link ? Link->GetControl() : nullptr; }
TdxBarItemLink* ItemLinkOfControl(TdxBarItemControl* Control) { return Control ? Control->GetItemLink() : nullptr; }
TdxBarItem* ItemOfItemControl(TdxBarItemControl* Control) { return ItemOfItemLink(ItemLinkOfControl(Control)); }
TdxBarItem* ItemOfItemLink(TdxBarItemLink* Link) { return Link ? Link->GetItem() : nullptr; }

void RepaintItemControl(TdxBarItemControl* Control) {
  if (Control) Control->Repaint();
}

IdxBarLinksOwner* ObtainLinksOwner(TObject* Object) { return dynamic_cast<IdxBarLinksOwner*>(Object); }

TdxBarItemLinks* LinksOfLinksOwner(TObject* Object) {
  IdxBarLinksOwner* Owner = ObtainLinksOwner(Object);
  return Owner ? Owner->GetItemLinks() : nullptr;
}

IdxBarSelectableItem* QuerySelectableItem(TObject* Object) { return dynamic_cast<IdxBarSelectableItem*>(Object); }

bool ImplementsSelectableItem(TObject* Object) { return QuerySelectableItem(Object) != nullptr; }

void DropNonSelectableObjects(TObjectList* List) {
  for (int I = List->GetCount() - 1; I >= 0; --I)
    if (!ImplementsSelectableItem(List->GetItem(I))) List->Delete(I);
}

TObject* InstanceOfSelectable(IdxBarSelectableItem* Intf) { return Intf ? Intf->SelectableInstance() : nullptr; }

TdxBarAccessibilityHelper* ObtainAccessibilityHelper(TObject* Object) {
  if (auto* Helper = dynamic_cast<TdxBarAccessibilityHelper*>(Object)) return Helper;
  if (auto* BarControl = dynamic_cast<TCustomdxBarControl*>(Object)) return BarControl->GetIAccessibilityHelper();
  return nullptr;
}

TdxBarAccessibilityHelper* FindRootAccessibilityHelper(HWND Wnd) {
  TdxBarManager* Manager = ManagerOfWindow(Wnd);
  TCustomdxBarControl* MainMenu = Manager ? Manager->MainMenuBarControl() : nullptr;
  return MainMenu ? MainMenu->GetIAccessibilityHelper() : nullptr;
}

TObject* ObjectOfLink(TcxObjectLink* Link) { return Link ? Link->Ref : nullptr; }

TdxBarItemVisible BooleanToItemVisible(bool Value) { return Value ? ivAlways : ivNever; }

int HighestViewLevel(TdxBarItemViewLevels Levels) {
  for (int L = ivlControlOnly; L >= ivlLargeIconWithText; --L)
    if (Levels.Contains(static_cast<TdxBarItemViewLevel>(L))) return L;
  return 255;
}

// ---- keys and text

bool IsCharacterKey(WORD Key) {
  UINT Char = MapVirtualKeyW(Key, MAPVK_VK_TO_CHAR);
  // A dead key answers with the top bit set.
  return (Char & 0x80000000u) == 0 && Char > 31 && Char != ' ';
}

TShortCut ShortCutFromKeyState(WORD Key, LPARAM KeyData) {
  if (Key == 0) return 0;
  TShortCut Result = Key;
  if (GetKeyState(VK_SHIFT) < 0) Result += scShift;
  if (GetKeyState(VK_CONTROL) < 0) Result += scCtrl;
  if (KeyData & (1 << 29)) Result += scAlt;
  return Result;
}

std::string ShortCutCaptionSuffix(TShortCut ShortCut) {
  std::string Text = ShortCutToText(ShortCut);
  return Text.empty() ? std::string() : " (" + Text + ")";
}

std::string StripAccelMarks(const std::string& Caption) { return RemoveAccelMarks(Caption, false); }

int AcceleratorCharIndex(std::string& Caption, bool Strip) {
  int Result = 0;
  // Positions count from 1 as the captions' accelerator positions always have.
  for (int I = 1; I < static_cast<int>(Caption.size()); ++I) {
    if (Caption[I - 1] != '&') continue;
    if (Strip)
      Caption.erase(static_cast<size_t>(I - 1), 1);
    else
      ++I;
    if (I - 1 < static_cast<int>(Caption.size()) && Caption[I - 1] != '&') Result = I;
  }
  return Result;
}

bool IsMouseButtonDownMessage(UINT Msg) {
  switch (Msg) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

bool IsMouseButtonDownSwapped(int Button, int SwappedButton) {
  return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? SwappedButton : Button) < 0;
}

bool IsLeftButtonDown() { return IsMouseButtonDownSwapped(VK_LBUTTON, VK_RBUTTON); }
bool IsRightButtonDown() { return IsMouseButtonDownSwapped(VK_RBUTTON, VK_LBUTTON); }

// ---- messages and sound

namespace {
// Gets and dispatches the queued messages of [First, Last]; a WM_QUIT met on the
// way is posted again and ends the loop.
void DispatchPending(UINT First, UINT Last) {
  MSG M;
  while (PeekMessageW(&M, nullptr, First, Last, PM_NOREMOVE)) {
    BOOL Got = GetMessageW(&M, nullptr, First, Last);
    if (Got == -1) break;
    if (!Got) {
      PostQuitMessage(static_cast<int>(M.wParam));
      break;
    }
    DispatchMessageW(&M);
  }
}
}  // namespace

void DispatchPendingMouseMessages() { DispatchPending(WM_MOUSEFIRST, WM_MOUSEWHEEL); }
void DispatchPendingPaintMessages() { DispatchPending(WM_PAINT, WM_PAINT); }

bool RemovePendingCharMessages(HWND Wnd) {
  bool Removed = false;
  MSG M;
  while (PeekMessageW(&M, Wnd, WM_CHAR, WM_CHAR, PM_REMOVE)) {
    if (M.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(M.wParam));
      break;
    }
    Removed = true;
  }
  return Removed;
}

int BarMessageBox(const std::string& Text, UINT Flags) {
  return Application ? Application->MessageBox(Text, Application->GetTitle(), Flags) : 0;
}

void PlayMenuSound(int Kind) {
  constexpr DWORD Flags = SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT;
  if (Kind == 0)
    PlaySoundW(L"MenuPopup", nullptr, Flags);
  else if (Kind == 1)
    PlaySoundW(L"MenuCommand", nullptr, Flags);
  else
    PlaySoundW(nullptr, nullptr, Flags);
}

void SilenceMenuSound() { PlayMenuSound(2); }

// ---- fonts

bool ReadNonClientMetrics(NONCLIENTMETRICSW& Metrics) {
  Metrics = NONCLIENTMETRICSW{};
  Metrics.cbSize = sizeof Metrics;
  return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof Metrics, &Metrics, 0) != 0;
}

HFONT CreateSmallCaptionFont(TFont* Font, bool UseSystemFont) {
  NONCLIENTMETRICSW Metrics;
  ReadNonClientMetrics(Metrics);
  LOGFONTW LF = Metrics.lfSmCaptionFont;
  if (!UseSystemFont && Font) {
    std::wstring Face = Utf8ToWide(Font->GetName());
    lstrcpynW(LF.lfFaceName, Face.c_str(), LF_FACESIZE);
    if (LF.lfHeight > -11) LF.lfHeight = -11;
  }
  return CreateFontIndirectW(&LF);
}

HFONT CopyFontHandle(TFont* Font) {
  LOGFONTW LF{};
  GetObjectW(Font->GetHandle(), sizeof LF, &LF);
  return CreateFontIndirectW(&LF);
}

void AssignBarFont(TFont* Source, TFont* Dest, bool Scaled) {
  if (!Source || !Dest) return;
  if (!Scaled) {
    Dest->SetHandle(CopyFontHandle(Source));
    return;
  }
  LOGFONTW LF{};
  GetObjectW(Source->GetHandle(), sizeof LF, &LF);
  LOGFONTW IconFont{};
  SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof IconFont, &IconFont, 0);
  LF.lfHeight = IconFont.lfHeight >= -10 ? -11 : IconFont.lfHeight;
  Dest->SetHandle(CreateFontIndirectW(&LF));
}

// ---- drawing

void FreeGDIHandle(HGDIOBJ& Handle) {
  if (!Handle) return;
  DeleteObject(Handle);
  Handle = nullptr;
}

void SelectBackAndDelete(HDC DC, HGDIOBJ PrevObject) { BarSelectBackAndDelete(DC, PrevObject); }

void FillPolygonWithColors(HDC DC, const POINT* Points, int HighIndex, TColor PenColor, TColor BrushColor) {
  HGDIOBJ OldPen = SelectObject(DC, BarCreatePen(PS_SOLID, 1, PenColor));
  HGDIOBJ OldBrush = SelectObject(DC, BarCreateSolidBrush(BrushColor));
  Polygon(DC, Points, HighIndex + 1);
  SelectBackAndDelete(DC, OldBrush);
  SelectBackAndDelete(DC, OldPen);
}

void ExcludeFrameBandFromClip(TcxCanvas* Canvas, const RECT& Outer, const RECT& Inner) {
  TcxRegion* Band = TcxRegion::Create(Outer);
  Band->CombineWith(TcxRegion::Create(Inner), coSubtract);
  Canvas->ApplyClipRegion(Band, coSubtract);
}

void DropWindowHandle(HWND& Wnd, bool DestroyIt) {
  if (DestroyIt && Wnd) DestroyWindow(Wnd);
  Wnd = nullptr;
}

bool StopWindowTimer(HWND Wnd, UINT_PTR& TimerId) {
  if (!TimerId || !KillTimer(Wnd, TimerId)) return false;
  TimerId = 0;
  return true;
}

void FrameRectHighlight(HDC DC, const RECT& R) { FrameRect(DC, &R, GetSysColorBrush(COLOR_HIGHLIGHT)); }

void DrawDoubleFrame(HDC DC, const RECT& R, int SysColorIndex) {
  HBRUSH Brush = GetSysColorBrush(SysColorIndex);
  RECT Inner = R;
  InflateRect(&Inner, -1, -1);
  FrameRect(DC, &R, Brush);
  FrameRect(DC, &Inner, Brush);
}

void DrawDoubleFocusRect(HDC DC, const RECT& R) {
  COLORREF Color = ColorToRGB(clBtnText);
  for (int Inset = 0; Inset < 2; ++Inset) {
    RECT F{R.left + Inset, R.top + Inset, R.right - Inset, R.bottom - Inset};
    if (F.right <= F.left || F.bottom <= F.top) break;
    for (int X = F.left; X < F.right; ++X)
      for (int Y : {F.top, F.bottom - 1})
        if ((X + Y) % 2 == 0) SetPixel(DC, X, Y, Color);
    for (int Y = F.top; Y < F.bottom; ++Y)
      for (int X : {F.left, F.right - 1})
        if ((X + Y) % 2 == 0) SetPixel(DC, X, Y, Color);
  }
}

void HatchInactiveBarRect(HDC DC, const RECT& R) { HatchRectOnDC(DC, R, clBlack, clBtnFace, 2, 170, 20); }

void SaveDCClipping(HDC DC, HRGN& Rgn, bool& HadRgn) {
  Rgn = BarCreateRectRgn(0, 0, 0, 0);
  HadRgn = GetClipRgn(DC, Rgn) == 1;
}

void RestoreDCClipping(HDC DC, HRGN& Rgn, bool HadRgn) {
  SelectClipRgn(DC, HadRgn ? Rgn : nullptr);
  BarDeleteObject(Rgn);
  Rgn = nullptr;
}

void AddRectToDCClip(HDC DC, const RECT& R) {
  HRGN Rgn = BarCreateRectRgn(R);
  ExtSelectClipRgn(DC, Rgn, RGN_OR);
  BarDeleteObject(Rgn);
}

void TileBitmapInRect(HDC DC, const RECT& R, const RECT& OriginRect, TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->GetEmpty() || IsRectEmpty(&OriginRect)) return;
  int W = Bitmap->GetWidth(), H = Bitmap->GetHeight();
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  HDC BitmapDC = Bitmap->GetCanvas()->GetHandle();
  for (int Col = OriginRect.left / W; Col <= (OriginRect.right - 1) / W; ++Col)
    for (int Row = OriginRect.top / H; Row <= (OriginRect.bottom - 1) / H; ++Row)
      BitBlt(DC, Col * W + R.left - OriginRect.left, Row * H + R.top - OriginRect.top, W, H, BitmapDC, 0, 0, SRCCOPY);
  RestoreDCClipping(DC, Saved, HadRgn);
}

void FillRectByColorOrBitmap(HDC DC, const RECT& R, const RECT& OriginRect, TBitmap* Bitmap, TColor Color,
                             HBRUSH Brush) {
  if (Bitmap && !Bitmap->GetEmpty()) {
    TileBitmapInRect(DC, R, OriginRect, Bitmap);
  } else if (Brush) {
    FillRect(DC, &R, Brush);
  } else {
    HBRUSH B = BarCreateSolidBrush(Color);
    FillRect(DC, &R, B);
    BarDeleteObject(B);
  }
}

void ShiftOriginToForm(TCustomForm* Form, TCustomdxBarControl* BarControl, HDC DC, RECT& R, POINT& OldOrigin,
                       POINT& Offset) {
  Offset = POINT{0, 0};
  if (Form && BarControl && Form->HandleAllocated() && BarControl->HandleAllocated())
    MapWindowPoints(Form->GetHandle(), BarControl->GetHandle(), &Offset, 1);
  OffsetWindowOrgEx(DC, Offset.x, Offset.y, &OldOrigin);
  OffsetRect(&R, Offset.x, Offset.y);
}

void RestoreWindowOrigin(HDC DC, POINT OldOrigin) { SetWindowOrgEx(DC, OldOrigin.x, OldOrigin.y, nullptr); }

void PaintArrowTriangle(HDC DC, const RECT& R, bool Down, int Size, bool Selected, bool Enabled, bool NoEmboss,
                        TColor Color) {
  if (Color == clDefault)
    Color = !Enabled ? clBtnShadow : !Selected ? clBtnText : BtnFaceIsWhite() ? clBtnFace : clHighlightText;
  POINT P[3];
  if (Down) {
    int X = (R.left + R.right - 2 * Size + 1) / 2, Y = (R.top + R.bottom - Size) / 2;
    P[0] = {X, Y};
    P[1] = {X + 2 * Size - 2, Y};
    P[2] = {X + Size - 1, Y + Size - 1};
  } else {
    int X = (R.left + R.right - Size) / 2, Y = (R.top + R.bottom - 2 * Size + 1) / 2;
    P[0] = {X, Y};
    P[1] = {X, Y + 2 * Size - 2};
    P[2] = {X + Size - 1, Y + Size - 1};
  }
  FillPolygonWithColors(DC, P, 2, Color, Color);
  if (Enabled || NoEmboss) return;
  // The emboss: two highlight lines along the lower-right edge, one pixel outside.
  HGDIOBJ OldPen = SelectObject(DC, BarCreatePen(PS_SOLID, 1, clBtnHighlight));
  if (Down) {
    MoveToEx(DC, P[2].x + 1, P[2].y, nullptr);
    LineTo(DC, P[1].x + 2, P[1].y - 1);
    MoveToEx(DC, P[2].x, P[2].y + 1, nullptr);
    LineTo(DC, P[1].x + 1, P[1].y);
  } else {
    MoveToEx(DC, P[1].x, P[1].y + 1, nullptr);
    LineTo(DC, P[2].x + 1, P[2].y);
    MoveToEx(DC, P[1].x + 1, P[1].y + 1, nullptr);
    LineTo(DC, P[2].x + 2, P[2].y);
  }
  SelectBackAndDelete(DC, OldPen);
}

void DrawArrowSized(HDC DC, const RECT& R, int Orientation, int Size, bool Selected, bool Enabled, bool NoEmboss,
                    TColor Color) {
  PaintArrowTriangle(DC, R, Orientation == 1, Size, Selected, Enabled, NoEmboss, Color);
}

void DrawArrowFitted(HDC DC, const RECT& R, int Orientation, bool Enabled, bool Selected, bool NoEmboss,
                     TColor Color) {
  bool Down = Orientation == 1;
  int E = Down ? (R.right - R.left) - 8 : (R.bottom - R.top) - 6;
  int Size = (E - 1) / 2 + (E % 2 != 0 ? 1 : 0);
  if (Size < 3) Size = 3;
  PaintArrowTriangle(DC, R, Down, Size, Selected, Enabled, NoEmboss, Color);
}

void DrawBitmapGlyph(HDC DC, const RECT& R, TBitmap* Bitmap, bool Enabled) {
  PaintImageWithState(DC, R, R, Bitmap, nullptr, -1, Enabled ? simNormal : simDisabled);
}

int GlyphDrawMode(bool Drawable, bool S4, bool H2, bool S3, bool S2, bool S1, bool H1, bool Faded) {
  // Glyphs fade only where the screen shows enough colours for it.
  constexpr bool GlyphFading = true;
  if (!Drawable) return Faded ? simFaded : simDisabled;
  if (S4) return simGrey;
  if (!H2) return simNormal;
  if (!S2 && !S3 && GlyphFading && ScreenColorDepth() > 8) return simLight;
  if (H1 && S3 && !S1) return simShadow;
  return simNormal;
}

void DrawItemControlGlyph(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, const RECT& GlyphRect, const RECT& R,
                          TBitmap* Glyph, TCustomImageList* ImageList, int ImageIndex, TColor ImageListBkColor,
                          bool Drawable, bool S4, bool H2, bool S3, bool S2, bool S1, bool H1, bool Faded,
                          bool SmoothGlyphs, bool UseLeftBottomPixelAsTransparent) {
  (void)SmoothGlyphs;
  if (Glyph && !Glyph->GetEmpty()) ImageListBkColor = clNone;
  auto Mode = static_cast<TcxStateImageMode>(GlyphDrawMode(Drawable, S4, H2, S3, S2, S1, H1, Faded));
  TdxBarManager* Manager = Control ? Control->LinkManager() : nullptr;
  if (Manager && Manager->GetImageOptions()->GetCacheGlyphs()) {
    // Hovering repaints a control often: its glyph is rendered once and then copied.
    // The shadowed glyph of a hot button is cached as well (with the margin its
    // shadow needs), since that is the look hovering repaints most.
    TBitmap* Source = Glyph && !Glyph->GetEmpty() ? Glyph : nullptr;
    TdxCachedImageOptions* Cache = Control->GetCachedImageOptions();
    if (!Cache->IsValidFor(Mode, Source, ImageList))
      Cache->Render(DC, GlyphRect, Source, ImageIndex, ImageList, Mode, Brush, ImageListBkColor,
                    UseLeftBottomPixelAsTransparent);
    if (Cache->IsValid()) {
      if (Brush) FillRect(DC, &R, Brush);
      Cache->Draw(DC, GlyphRect, R);
      return;
    }
  }
  PaintImageWithState(DC, GlyphRect, R, Glyph && !Glyph->GetEmpty() ? Glyph : nullptr, ImageList, ImageIndex, Mode,
                      false, Brush, ImageListBkColor, UseLeftBottomPixelAsTransparent);
}

void DrawBarGlyph(HDC DC, HBRUSH Brush, const RECT& GlyphRect, const RECT& R, TBitmap* Glyph,
                  TCustomImageList* ImageList, int ImageIndex, TColor ImageListBkColor, bool Drawable, bool S4,
                  bool H2, bool S3, bool S2, bool S1, bool H1, bool Faded, bool SmoothGlyphs,
                  bool UseLeftBottomPixelAsTransparent) {
  DrawItemControlGlyph(nullptr, DC, Brush, GlyphRect, R, Glyph, ImageList, ImageIndex, ImageListBkColor, Drawable, S4,
                       H2, S3, S2, S1, H1, Faded, SmoothGlyphs, UseLeftBottomPixelAsTransparent);
}

void DrawClassicSizeGrip(HDC DC, const RECT& R) {
  int W = R.right - R.left, H = R.bottom - R.top;
  if (W <= 0 || H <= 0) return;
  HDC ColorDC = BarCreateCompatibleDC(DC), MaskDC = BarCreateCompatibleDC(DC);
  HGDIOBJ OldColor = SelectObject(ColorDC, BarCreateCompatibleBitmap(DC, W, H));
  HGDIOBJ OldMask = SelectObject(MaskDC, BarCreateMonoBitmap(W, H));
  RECT Local{0, 0, W, H};
  FillRect(ColorDC, &Local, GetSysColorBrush(COLOR_BTNFACE));
  DrawFrameControl(ColorDC, &Local, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // Button-face pixels become white in the mask: those keep what the DC shows.
  SetBkColor(ColorDC, GetSysColor(COLOR_BTNFACE));
  BitBlt(MaskDC, 0, 0, W, H, ColorDC, 0, 0, SRCCOPY);
  SetBkColor(DC, RGB(255, 255, 255));
  SetTextColor(DC, RGB(0, 0, 0));
  BitBlt(DC, R.left, R.top, W, H, MaskDC, 0, 0, SRCAND);
  BitBlt(ColorDC, 0, 0, W, H, MaskDC, 0, 0, 0x00220326);  // colour and not mask
  BitBlt(DC, R.left, R.top, W, H, ColorDC, 0, 0, SRCPAINT);
  SelectBackAndDelete(MaskDC, OldMask);
  SelectBackAndDelete(ColorDC, OldColor);
  BarDeleteDC(MaskDC);
  BarDeleteDC(ColorDC);
}

int EditThemeStateOfControl(TdxBarItemControl* Control) { return Control && Control->IsEnabled() ? 1 : 4; }

TColor XPEditBackColor(HTHEME Theme, int State) {
  COLORREF Color;
  if (State == 4 && Theme && SUCCEEDED(UxGetThemeColor(Theme, EP_EDITTEXT, State, TMT_FILLCOLOR, Color)))
    return static_cast<TColor>(Color);
  return static_cast<TColor>(GetSysColor(COLOR_WINDOW));
}

TColor XPEditTextColor(HTHEME Theme, int State) {
  COLORREF Color;
  if (Theme && SUCCEEDED(UxGetThemeColor(Theme, EP_EDITTEXT, State, TMT_TEXTCOLOR, Color)))
    return static_cast<TColor>(Color);
  return static_cast<TColor>(GetSysColor(State == 4 ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
}

TColor XPToolbarColor() {
  COLORREF Color;
  HTHEME Theme = ThemeHandleFor(tokToolBar);
  if (Theme && SUCCEEDED(UxGetThemeColor(Theme, 0, 0, TMT_FILLCOLOR, Color))) return static_cast<TColor>(Color);
  return static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
}

void XPCloseButtonSize(SIZE& Size) {
  Size = SIZE{0, 0};
  if (HTHEME Theme = ThemeHandleFor(tokWindow)) UxGetThemePartSizeNoRect(Theme, nullptr, WP_SMALLCLOSEBUTTON, 1, TS_TRUE, Size);
}

void DrawXPCloseButton(HDC DC, RECT& R, bool Hot, bool Pressed, int Position) {
  SIZE Size;
  XPCloseButtonSize(Size);
  int Margin = (R.bottom - R.top - Size.cy) / 2;
  RECT B;
  B.top = R.top + Margin;
  B.bottom = B.top + Size.cy;
  if (Position == 1 || Position == 3) {
    B.left = R.left + Margin;
    B.right = B.left + Size.cx;
  } else {
    B.right = R.right - Margin;
    B.left = B.right - Size.cx;
  }
  R = B;
  FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
  UxDrawThemeBackground(ThemeHandleFor(tokWindow), DC, WP_SMALLCLOSEBUTTON, Pressed ? 3 : Hot ? 2 : 1, R);
}

void XPSizeGripSize(SIZE& Size) {
  Size = SIZE{0, 0};
  if (HTHEME Theme = ThemeHandleFor(tokScrollBar)) UxGetThemePartSizeNoRect(Theme, nullptr, SBP_SIZEBOX, 1, TS_TRUE, Size);
  Size.cx += 2;
  Size.cy += 2;
}

void DrawXPSizeGrip(HDC DC, RECT& R, int Corner) {
  SIZE Size;
  XPSizeGripSize(Size);
  RECT G;
  G.left = (Corner == 0 || Corner == 2) ? R.left : R.right - Size.cx;
  G.top = (Corner == 0 || Corner == 1) ? R.top : R.bottom - Size.cy;
  G.right = G.left + Size.cx;
  G.bottom = G.top + Size.cy;
  R = G;
  HDC MemDC = BarCreateCompatibleDC(DC);
  HGDIOBJ Old = SelectObject(MemDC, BarCreateCompatibleBitmap(DC, Size.cx, Size.cy));
  RECT Local{0, 0, Size.cx, Size.cy};
  FillRect(MemDC, &Local, GetSysColorBrush(COLOR_BTNFACE));
  UxDrawThemeBackground(ThemeHandleFor(tokScrollBar), MemDC, SBP_SIZEBOX, 1, Local);
  bool MirrorX = Corner == 0 || Corner == 2, MirrorY = Corner == 0 || Corner == 1;
  StretchBlt(DC, MirrorX ? G.right - 1 : G.left, MirrorY ? G.bottom - 1 : G.top, MirrorX ? -Size.cx : Size.cx,
             MirrorY ? -Size.cy : Size.cy, MemDC, 0, 0, Size.cx, Size.cy, SRCCOPY);
  SelectBackAndDelete(MemDC, Old);
  BarDeleteDC(MemDC);
}

int ScaleByScreenPPI(int Value, int BasePPI) {
  return static_cast<int>(std::lround(static_cast<double>(Value) * (Screen ? Screen->GetPixelsPerInch() : 96) / BasePPI));
}

RECT MonitorWorkAreaAt(POINT P) { return NearestWorkArea(P); }

void ClampToMinWidth(int& Width, int Min) {
  if (Width < Min) Width = Min;
}

std::string LayoutDelimiter(bool Registry) { return Registry ? "\\" : "."; }

// ---- keyboard navigation by direction

void* FindNextObjectInDirection(const RECT& Current, const std::vector<TdxBarNavigationCandidate>& Candidates,
                                int Direction, bool Cycle) {
  if (Direction < 0 || Direction > 3) return nullptr;
  auto Centre = [](const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; };
  void* Best = nullptr;
  int BestGap = 0;
  double BestDeviation = 0;
  POINT C = Centre(Current);
  for (const auto& Candidate : Candidates) {
    const RECT& B = Candidate.Bounds;
    int Gap = Direction == 0 ? Current.left - B.right
            : Direction == 1 ? Current.top - B.bottom
            : Direction == 2 ? B.left - Current.right
                             : B.top - Current.bottom;
    if (Gap < 0) continue;
    POINT P = Centre(B);
    double Angle = std::atan2(static_cast<double>(P.y - C.y), static_cast<double>(P.x - C.x)) * 180.0 / M_PI;
    if (Angle < 0) Angle += 360;
    static const double Base[] = {180, 270, 0, 90};
    double D = Angle - Base[Direction];
    double Moved = D > 0 ? D - 360 : D + 360;
    double Deviation = std::min(std::fabs(D), std::fabs(Moved));
    if (!Best || Gap < BestGap || (Gap == BestGap && Deviation < BestDeviation)) {
      Best = Candidate.Object;
      BestGap = Gap;
      BestDeviation = Deviation;
    }
  }
  if (!Best && Cycle && (Direction == 0 || Direction == 2)) {
    RECT Far = Current;
    int Width = Current.right - Current.left;
    if (Direction == 0) {
      Far.right = 0x3FFFFFFF;
      Far.left = Far.right - Width;
    } else {
      Far.left = -0x3FFFFFFF;
      Far.right = Far.left + Width;
    }
    return FindNextObjectInDirection(Far, Candidates, Direction, false);
  }
  return Best;
}

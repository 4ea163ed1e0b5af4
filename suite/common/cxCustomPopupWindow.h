// The drop-down window a control opens beside itself, which closes by itself when
// the user clicks elsewhere, switches applications, or closes or hides its owner.
//
// A focus-capturing popup (the default) is a real top-level popup that takes the
// keyboard focus; its ShowPopup runs a local message loop and returns only after
// the popup closed. A popup without CaptureFocus is a child window of the desktop
// that never takes the focus; ShowPopup returns at once.
//
// Three thread hooks (call-window, get-message, mouse) watch the user-interface
// thread while popups are open. Their decisions are plain functions below, so
// that they can be fed fabricated messages.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/OwnedObject.h"
#include "suite/common/PopupWindow.h"
#include "suite/common/cxContainerStyle.h"
#include "suite/common/cxContainerViewInfo.h"

// Private messages: close the popup (and give the owner the focus), show it again.
inline constexpr UINT DXM_POPUPCLOSE = 0x807D;
inline constexpr UINT DXM_POPUPRESHOW = 0x807E;

class TcxCustomPopupWindow : public TcxPopupWindow {
  SONVELT_CLASS(TcxCustomPopupWindow, TcxPopupWindow)
public:
  // AOwner is the owner control (a TControl) and owns the popup.
  explicit TcxCustomPopupWindow(TComponent* AOwner);
  static TcxCustomPopupWindow* CreateForControl(TControl* OwnerControl) { return Create(OwnerControl); }
  ~TcxCustomPopupWindow() override;

  virtual void ShowPopup(TWinControl* FocusedControl);
  void CloseUp() override;
  // Answers the just-closed flag and clears it: the owner ignores the click that closed the popup.
  bool TakeJustClosedFlag();
  bool GetCaptureFocus() const { return FCaptureFocus; }
  void SetCaptureFocus(bool Value);
  TControl* GetOwnerControl() const { return FOwnerControl; }
  TWinControl* GetFocusedControl() const { return FFocusedControl; }
  TcxContainerStyle* GetStyle() const { return FStyle.get(); }
  TcxContainerViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  bool IsListed() const;
  void LockClosing() { ++FClosingLock; }
  void UnlockClosing() { --FClosingLock; }
  bool ClosingLocked() const { return FClosingLock > 0; }

  virtual bool IsPopupKey(WORD Key) const;
  // Whether a click that closes the popup is to be eaten (see the mouse decision).
  virtual bool PassClickThrough(HWND Window, UINT Message, POINT Point, TShiftState Shift);

  bool Focused() override;
  bool CanFocus() override;
  bool IsShortCut(WORD Key, LPARAM KeyData) override;
  void OwnerScreenBounds(RECT& R) override;
  void WndProc(TMessage& Message) override;

  TNotifyEvent OnClosed;
  TNotifyEvent OnClosing;
  TNotifyEvent OnShowed;
  TNotifyEvent OnShowing;

protected:
  void AdjustClientRect(RECT& Rect) override;
  void CreateHandle() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void InheritOwnerFont() override {}
  void Deactivate() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Paint() override;
  void VisibleChanged() override;

  virtual bool AllowsWorkAreaFit() const { return false; }
  virtual void DoClosed() { OnClosed(this); }
  virtual void DoClosing() { OnClosing(this); }
  virtual void DoShowed() { OnShowed(this); }
  virtual void DoShowing() { OnShowing(this); }
  virtual bool ErasesBackground() const { return false; }
  virtual void ModalClose() { CloseUp(); }
  virtual void StyleChanged(TObject* Sender) { (void)Sender; }
  virtual void FitIntoWorkArea(POINT& Position);
  virtual TcxContainerStyleClass StyleClass() const { return TcxContainerStyle::StaticClass(); }
  virtual TcxContainerViewInfoClass ViewInfoClass() const { return TcxContainerViewInfo::StaticClass(); }
  virtual void MouseEnter(TControl* Control) { (void)Control; }
  virtual void MouseLeave(TControl* Control) { (void)Control; }

private:
  friend bool PopupMouseDecision(UINT, const MOUSEHOOKSTRUCT&);
  void RunLocalLoop();
  bool FCaptureFocus = true;
  int FClosingLock = 0;
  TWinControl* FFocusedControl = nullptr;
  bool FJustClosed = false;
  TControl* FOwnerControl;
  TOwned<TcxContainerStyle> FStyle;
  TOwned<TcxContainerViewInfo> FViewInfo;
};

// The open popups, in opening order.
const std::vector<TcxCustomPopupWindow*>& VisiblePopups();
// Whether Window is Control's window or, with Descendants, a window inside it or
// inside a popup it (or, for a popup, a control on it) opened.
bool WindowBelongsTo(HWND Window, TControl* Control, bool Descendants);

// The hooks' decisions. The call-window one answers true when the message is to
// be swallowed (the hook then makes its window answer 1 without handling it); the
// get-message one may turn the message into WM_NULL; the mouse one answers true
// when the click is to be eaten.
bool PopupCallWndProcDecision(const CWPSTRUCT& Message);
void PopupGetMessageDecision(MSG& Message, WPARAM RemoveFlag);
bool PopupMouseDecision(UINT Message, const MOUSEHOOKSTRUCT& Info);
// Makes Window answer 1 to its next Msg without handling it: our windows honour a
// mark, a foreign one gets a one-shot stub procedure of its own.
void SwallowMessage(HWND Window, UINT Msg);
// Installs the three hooks on the current thread (the unit does it on first use).
void EnsurePopupHooks();

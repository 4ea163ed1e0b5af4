// TWinControl: a control with a window of its own, made on demand. Children are
// kept in z-order (graphic ones painted by this window, windowed ones in their own)
// and in tab order. Notifications the system sends to the parent (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR..., WM_HSCROLL, WM_VSCROLL, WM_DRAWITEM...) come back to
// the child they concern as CN_BASE + message.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Brush.h"
#include "framework/Control.h"
#include "framework/OwnedObject.h"

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSW WindowClass{};
  std::string WinClassName;
};

class TWinControl : public TControl {
  SONVELT_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  // Child controls are freed with their parent.
  void BeforeDestruction() override;

  HWND GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  void RecreateWnd();
  // The window's parent handle for a control with no parent control (docked into a
  // foreign window); 0 when none.
  HWND GetParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);
  bool HasOwnWindow() const override { return true; }
  // For a control that keeps a second window and uses one at a time: DetachHandle
  // forgets the current window without destroying it and gives it back its default
  // procedure (it hears nothing more from here, so its caller may keep, hide or
  // destroy it quietly); AdoptHandle makes such a window the control's again.
  HWND DetachHandle();
  void AdoptHandle(HWND Wnd);
  // The control whose window is Wnd (null for windows not made by a control).
  static TWinControl* FindControl(HWND Wnd);
  // Makes the control's window answer 1 to the next Msg it receives, without
  // handling it (a thread hook's decision); false when Wnd is not a control's.
  static bool SwallowNextMessage(HWND Wnd, UINT Msg);

  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int Index) const { return FControls.at(Index); }
  bool ContainsControl(const TControl* Control) const;
  // The topmost visible child at P (client coordinates); windowed children count
  // only with AllowWinControls; AllLevels looks into windowed children too.
  TControl* ControlAtPos(POINT P, bool AllowDisabled, bool AllowWinControls = false, bool AllLevels = false);
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // Sends a message to every child control.
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);

  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int GetTabOrder() const;
  void SetTabOrder(int Value);
  void GetTabOrderList(std::vector<TWinControl*>& List);
  // The next (or previous) focusable control after CurControl among the descendants.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  virtual bool CanFocus();
  virtual void SetFocus();
  virtual bool Focused();
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  bool GetParentBackground() const { return FControlStyleParentBackground(); }
  void SetParentBackground(bool Value);
  TBrush* GetBrush() const { return FBrush.get(); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  RECT GetClientRect() override;
  std::string GetText() override;
  void SetText(const std::string& Value) override;
  bool IsShowing() const override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void ScaleBy(int M, int D) { ChangeScale(M, D); }
  void ChangeScale(int M, int D) override;
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool GetParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  // The idle update of this control and every control inside it.
  void InitiateAction() override;
  // Paints this window's graphic children into DC (from First on, or all).
  void PaintControls(HDC DC, TControl* First);
  void PaintTo(HDC DC, int X, int Y);

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // Streams hold the child controls this parent's Root owns, bottom of the z-order first.
  void ReadState(TReader* Reader) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  static void Publish(TPublisher<TWinControl>& P);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

protected:
  friend class TControl;
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  virtual void DestroyHandle();
  // Makes the window of a system class (BUTTON, EDIT...) ours: Params take that
  // class's settings and its window procedure becomes the default handler.
  void CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName);
  virtual void AlignControls(TControl* AControl, RECT& Rect);
  virtual void AdjustClientRect(RECT& Rect) { (void)Rect; }
  virtual void PaintWindow(HDC DC);
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual bool DoKeyDown(TMessage& Message);
  virtual bool DoKeyUp(TMessage& Message);
  virtual bool DoKeyPress(TMessage& Message);
  virtual void DoEnter();
  virtual void DoExit();
  // A form-level dialog key (Tab, arrows, Enter, Esc) the focused control did not want.
  virtual void CMDialogKey(TMessage& Message);
  virtual void CNKeyDown(TMessage& Message);
  bool IsMenuKey(TMessage& Message);
  // Sets the window's font from Font (WM_SETFONT).
  void UpdateWindowFont();
  void UpdateBounds();
  void UpdateControlState();
  // The original window procedure of a subclassed system control.
  WNDPROC GetDefWndProc() const { return FDefWndProc; }
  // Reflects a notification sent to this window back to the child window it is
  // about; false when that window is not a control.
  static bool DoControlMsg(HWND ControlHandle, TMessage& Message);
  void SetWindowHandle(HWND Wnd) { FHandle = Wnd; }
  bool FAligning = false;

private:
  friend LRESULT CALLBACK SonveltStdWndProc(HWND, UINT, WPARAM, LPARAM);
  bool FControlStyleParentBackground() const { return GetControlStyle().Contains(csParentBackground); }
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMCtlColor(TMessage& Message);
  void CNCtlColor(TMessage& Message);
  bool IsControlMouseMsg(TMessage& Message);
  void TrackMouse();
  void ColorChange(TObject* Sender);
  void UpdateZOrder(TControl* Control);
  // Puts the children read into the tab order their stored TabOrder values give.
  void FixupTabList();

  HWND FHandle = nullptr;
  HWND FParentWindow = nullptr;
  WNDPROC FDefWndProc = nullptr;
  std::vector<TControl*> FControls;     // z-order, bottom first
  std::vector<TWinControl*> FTabList;   // tab order
  bool FTabStop = false;
  int FReadTabOrder = -1;  // the TabOrder a stream gave, until the parent places it
  bool FDoubleBuffered = false;
  int FAlignLevel = 0;
  bool FTrackingMouse = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TOwned<TBrush> FBrush;
};

// The control the mouse button is held down on (graphic controls get their
// parent's capture); set by the mouse handling, cleared on button up.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// Called as a control goes, so no later mouse move tells a freed control it was left.
void ForgetMouseControl(const TControl* Control);

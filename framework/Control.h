// TControl: the visible component. Bounds, alignment, anchors, visibility, text,
// font and colour with their parent-following flags, hints, mouse and drag events.
// Messages reach a control through WindowProc (rebindable; WndProc by default),
// which preprocesses and hands them to Dispatch; Dispatch runs the handler for the
// message and ends in DefaultHandler. Perform sends a message straight to
// WindowProc, as a window message would arrive.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/ControlTypes.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;
class TDragObject;
class TDragImageList;
class TControl;

using TDragOverEvent =
    TDelegate<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TDelegate<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = TDelegate<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = TDelegate<void(TObject* Sender, TObject* Target, int X, int Y)>;

// Minimum and maximum sizes; 0 means no limit.
class TSizeConstraints : public TPersistent {
  SONVELT_CLASS(TSizeConstraints, TPersistent)
public:
  explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
  int GetMinWidth() const { return FMinWidth; }
  int GetMinHeight() const { return FMinHeight; }
  int GetMaxWidth() const { return FMaxWidth; }
  int GetMaxHeight() const { return FMaxHeight; }
  void SetMinWidth(int Value);
  void SetMinHeight(int Value);
  void SetMaxWidth(int Value);
  void SetMaxHeight(int Value);
  void Assign(TPersistent* Source) override;
  static void Publish(TPublisher<TSizeConstraints>& P);
  // Width and height brought within the limits.
  void Apply(int& Width, int& Height) const;
  TNotifyEvent OnChange;

private:
  void Changed();
  TControl* FControl;
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

class TControl : public TComponent {
  SONVELT_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;

  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  // Takes the reader's Parent before reading, then follows the parent's font and colours.
  void ReadState(TReader* Reader) override;
  static void Publish(TPublisher<TControl>& P);

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  RECT GetBoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetBoundsRect(const RECT& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }
  virtual RECT GetClientRect();
  int GetClientWidth() { RECT r = GetClientRect(); return r.right - r.left; }
  int GetClientHeight() { RECT r = GetClientRect(); return r.bottom - r.top; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  POINT ClientOrigin();
  POINT ClientToScreen(POINT P);
  POINT ScreenToClient(POINT P);
  POINT ClientToParent(POINT P, TWinControl* AParent = nullptr);

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* GetConstraints() const { return FConstraints.get(); }

  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  // Visible with every parent up to a shown window.
  virtual bool IsShowing() const;
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  virtual std::string GetText();
  virtual void SetText(const std::string& Value);
  std::string GetCaption() { return GetText(); }
  void SetCaption(const std::string& Value) { SetText(Value); }

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  // With ParentShowHint the parent's setting counts.
  bool GetShowHint() const;
  void SetShowHint(bool Value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  virtual TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool GetParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  TCursor GetDragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }

  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* Value);
  TControlActionLink* GetActionLink() const { return FActionLink.get(); }
  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState GetControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  TWndMethod WindowProc;

  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  // The window this control is drawn in (its own, or its parent's for a graphic control).
  virtual bool HasOwnWindow() const { return false; }

  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  // The image shown under the mouse while this control is dragged (none here).
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // Whether this control takes drops (OnDragOver assigned); forms ask their controls.
  bool HasDragOverHandler() const { return bool(OnDragOver); }

  // The form this control sits on (null when none).
  TCustomForm* GetParentForm() const;
  // Calls Click as a user click would (runs the action or OnClick).
  virtual void Click();
  virtual void DblClick();
  // Idle time: the control's action updates it (runs the action's update).
  virtual void InitiateAction();
  // An action nobody else executed, offered by the form (a THintAction to a
  // status bar); true when the control took it.
  virtual bool ExecuteAction(TBasicAction* Action) { (void)Action; return false; }
  // Scales position and size (and the font, when it is the control's own) by M/D.
  virtual void ChangeScale(int M, int D);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TContextPopupEvent OnContextPopup;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;
  TNotifyEvent OnResize;

protected:
  friend class TWinControl;
  friend class TControlActionLink;
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos);
  virtual void DoContextPopup(POINT MousePos, bool& Handled);
  virtual void Resize();
  virtual void Paint() {}
  virtual void FontChanged();
  virtual void RequestAlign();
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  virtual std::unique_ptr<TControlActionLink> CreateActionLink();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Sets the bounds as they are (no constraints, no realign): for alignment code.
  void UpdateBoundsRaw(int ALeft, int ATop, int AWidth, int AHeight);
  void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }
  // What a stream stores: colour and font only when not taken from the parent.
  bool IsColorStored() const { return !FParentColor; }
  bool IsFontStored() const { return !FParentFont; }
  bool IsShowHintStored() const { return !FParentShowHint; }
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  // The anchor distances are taken again from the current bounds.
  void UpdateAnchorRules();
  void AnchorTo(int ParentWidth, int ParentHeight, RECT& R) const;
  bool FIgnoreFontChange = false;
  std::string FText;

private:
  void FontChange(TObject* Sender);
  void ConstraintsChange(TObject* Sender);
  void DoMouseMessage(TMessage& Message);
  void HandleMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra);
  void HandleMouseUp(TMessage& Message, TMouseButton Button);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  int FAnchorRight = 0, FAnchorBottom = 0;   // distances kept for right/bottom anchors
  int FAnchorParentW = -1, FAnchorParentH = -1;
  TOwned<TSizeConstraints> FConstraints;
  TOwned<TFont> FFont;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  TColor FColor = clWindow;
  bool FParentColor = false;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  TCursor FDragCursor = crDrag;
  std::unique_ptr<TControlActionLink> FActionLink;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
};

// The control's or an ancestor's form, skipping forms that are parented inside others.
TCustomForm* GetParentForm(const TControl* Control);
// "Short hint|Long hint" halves.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

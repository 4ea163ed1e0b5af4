// The popup a toolbar's mark opens: a small bar window of its own (a hidden
// internal bar, freed with it) that shows copies of the links the toolbar has no
// room for, then "&Add or Remove Buttons". It is shown beside the mark without
// taking the activation; a press elsewhere, a command or a selection moving to
// another bar window closes it, and closing tells the toolbar, whose mark then
// returns to normal.
#pragma once

#include "framework/OwnedObject.h"
#include "suite/bars/BarControl.h"

class TcxObjectLink;
class TcxTimer;

class TdxBarQuickControl : public TdxBarControl {
  SONVELT_CLASS(TdxBarQuickControl, TdxBarControl)
public:
  explicit TdxBarQuickControl(TComponent* AOwner);
  ~TdxBarQuickControl() override;
  // The popup of ParentBarControl's mark for its bar. The internal items of the
  // popup built before go first.
  static TdxBarQuickControl* CreateAsPopup(TdxBarControl* ParentBarControl, TdxBar* SourceBar);

  TdxBarWindowKind Kind() const override { return bwkQuickCustomizing; }
  bool IsQuickPopup() const { return true; }
  bool IsQuickCustomizingWindow() const override { return true; }
  // The links wrap: the popup is as narrow as its widest link.
  bool IsFloatingOrMultiLine() const override { return true; }
  bool ShowsFloatingCaption() const override { return false; }
  bool HasMark() const override { return false; }
  TdxBarPainter* GetPainter() const override;
  void SetOwnPainter(TdxBarPainter* Value) { FOwnPainter = Value; }
  // The toolbar whose mark opened the popup and the bar it lists (weak: both may go first).
  TdxBarControl* GetToolbar() const;
  TdxBar* GetPopupBar() const;
  // The toolbar's window bounds when the popup was made.
  RECT GetOwnerBounds() const { return FOwnerBounds; }
  // The size the links need at the narrowest, frame included.
  SIZE PopupSize();
  // Below a horizontal toolbar's rectangle R (its right edges aligned; its left
  // edges under a floating bar whose painter asks for it), beside a vertical one,
  // kept inside the monitor's work area; shown without activation.
  void ShowAsPopup(const RECT& R);
  // The one-pixel strip where the popup meets the rectangle it was shown against,
  // in window coordinates (Screen: on the screen); empty when they do not meet.
  RECT OwnerLinkRect(bool Screen) const override;
  // The mark it was shown against moved to R (screen): the seam toward it follows.
  void FollowOwner(const RECT& R);
  // Hidden by anyone but its own closing, the popup closes and the mark returns to normal.
  void WindowPosChanged(const WINDOWPOS& Pos) override;
  // Closes the popup 200 ms later, unless by then the mouse is back on it.
  void StartCloseTimer();
  bool IsCloseTimerRunning() const;
  // Some WM_NCHITTEST reached the popup.
  bool GetHitTested() const { return FHitTested; }
  // The toolbar's mark no longer shows the popup open.
  void ShowParentHiddenItems();
  TNotifyEvent OnDestroyed;

  void WndProc(TMessage& Message) override;

protected:
  void DoClose() override;

private:
  void CloseTimerTick(TObject* Sender);
  void PaintPopupFrame(HDC DC);
  TcxObjectLink* FToolbar = nullptr;
  TcxObjectLink* FPopupBar = nullptr;
  TcxObjectLink* FOwnBar = nullptr;
  RECT FOwnerBounds{0, 0, 0, 0};
  RECT FShownAgainst{0, 0, 0, 0};
  TOwned<TcxTimer> FCloseTimer;
  TdxBarPainter* FOwnPainter = nullptr;
  bool FHitTested = false;
};

// A bar window's selection moved to Control: an open quick-customization popup of
// another window that the user never entered starts closing.
void NoteSelectionOutsideQuickControl(TCustomdxBarControl* Window, TdxBarItemControl* Control);

// Where a popup of Size goes against Anchor (screen): beside it, at its right
// edge, for a vertical owner (flipped to its left edge when the right runs off
// WorkArea, the top kept inside); else below it, aligned with its left edge
// (AlignLeft) or its right edge, the left kept inside WorkArea and flipped above
// Anchor when the bottom runs off.
POINT PlaceQuickPopup(const RECT& Anchor, SIZE Size, bool Vertical, bool AlignLeft, const RECT& WorkArea);

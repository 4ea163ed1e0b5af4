// The drag and drop of commands while customizing: an item dragged from the
// customization form's command list, or a link dragged out of a bar or menu, is
// moved, copied, regrouped, re-categorised or deleted, with drag cursors and an
// inverted insertion mark in the window under the mouse.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/ControlTypes.h"
#include "framework/Object.h"
#include "suite/bars/BarTypes.h"

class TcxObjectLink;

// 0 none; 1 no drop possible; 2 regroup in place; 3 over the customization
// form's category list; 4 copy; 5 move.
enum TdxBarDragState : std::uint8_t { bdsNone, bdsNoDrop, bdsRegroup, bdsCategory, bdsCopy, bdsMove };

class TdxBarDragInfo : public TObject {
  SONVELT_CLASS(TdxBarDragInfo, TObject)
public:
  explicit TdxBarDragInfo(TdxBarManager* ABarManager) : FBarManager(ABarManager) {}
  ~TdxBarDragInfo() override;

  TdxBarItem* GetItem() const { return FItem; }
  void SetItem(TdxBarItem* Value) { FItem = Value; }
  TdxBarItemLink* GetLink() const { return FLink; }
  void SetLink(TdxBarItemLink* Value) { FLink = Value; }
  TdxBarDragState GetState() const { return FState; }
  bool IsDragging() const { return FItem || FLink; }

  void BeginDrag(TdxBarItem* Item, TdxBarItemLink* Link);
  // The modal loop: until the button goes up, Esc, or the capture is lost.
  void RunDragLoop();
  void EndDrag();
  void SetState(TdxBarDragState Value);
  void Lock() { ++FLockCount; }
  void Unlock();
  void UpdateFeedback();

  // Where the mouse points now: the target window, its link there and the hit flags.
  void SetDropTarget(TCustomdxBarControl* Window, TdxBarItemLink* Link, bool BeginGroupSide, bool FirstPart,
                     bool Vertical);
  TCustomdxBarControl* DropWindow() const;
  TdxBarItemLink* DropLink() const { return FDropLink; }
  bool DropPossible() const;
  // A move to the drop target would change nothing.
  bool IsNoChange() const;
  // The insertion mark's rectangle in the target window, and whether the mark
  // stands on its near (left or top) edge.
  RECT InsertionMarkRect(bool& Before) const;
  // Draws the mark (twice removes it) on DC.
  static void DrawInsertionMark(HDC DC, const RECT& R, bool Vertical, bool Before);

private:
  // The manager's bar window that takes a drop at a screen point.
  TCustomdxBarControl* TargetAt(POINT Screen) const;
  void HandleMouseMove();
  void Finish();
  void Drop();
  void Regroup();
  void ShowMark(bool Show);
  // A sub-item the mouse rested on while dragging opens its menu for the drop.
  void OpenMenuOnRest();
  static void CloseMenusOfOtherEntries(TCustomdxBarControl* Window, TdxBarItemLink* Keep);
  TdxBarManager* FBarManager;
  TdxBarItem* FItem = nullptr;
  TdxBarItemLink* FLink = nullptr;
  TdxBarDragState FState = bdsNone;
  int FLockCount = 0;
  bool FUpdatePending = false;
  POINT FPressPoint{0, 0};
  TCursor FSavedCursor = 0;
  HWND FCaptureWindow = nullptr;
  TcxObjectLink* FDropWindowLink = nullptr;
  TdxBarItemLink* FDropLink = nullptr;
  bool FBeginGroupSide = false;
  bool FFirstPart = false;
  bool FVertical = false;
  bool FRestPending = false;
  DWORD FRestSince = 0;
  TcxObjectLink* FMarkWindowLink = nullptr;
  bool FMarkVisible = false;
  RECT FMarkRect{0, 0, 0, 0};
  bool FMarkFirstPart = false;
  bool FMarkVertical = false;
};

// A left press on a bar window while its manager customizes: selects the link
// there and, once the mouse leaves the drag rectangle, drags it. False when the
// manager does not customize (the press is the window's own).
bool BeginCustomizingDrag(TCustomdxBarControl* Window, POINT Client);

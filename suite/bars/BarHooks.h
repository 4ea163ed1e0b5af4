// The process-wide list of bar managers and the three thread hooks that exist
// exactly while it holds one: a keyboard hook that gives keys to the navigation
// controller, the open bar windows, item shortcuts and accelerators and turns Alt
// and F10 into menu mode; a mouse hook that closes open menus on a click
// elsewhere, blocks the wheel behind an open menu and routes mouse traffic while
// customizing; and a call-window hook through which every manager sees the
// messages of its form. A hook procedure catches whatever is raised inside it,
// reports it once it has returned and always calls the next hook (except in the
// in-place edit's direct-call mode).
#pragma once

#include <windows.h>

#include "framework/ControlTypes.h"
#include "framework/Menus.h"
#include "suite/bars/BarComponents.h"

class TdxBarHintWindow;
class TdxBarAccessibilityHelper;

class TdxBarManagerList : public TdxObjectList {
  SONVELT_CLASS(TdxBarManagerList, TdxObjectList)
public:
  TdxBarManagerList() = default;
  // Removes the hooks and the shared hint window.
  ~TdxBarManagerList() override;
  TdxBarManager* GetManager(int Index) const;
  // The first manager in customizing mode; null when none.
  TdxBarManager* CustomizingManager() const;
  // The next manager (wrapping) that may take the keyboard for Manager's form;
  // Manager itself when there is none.
  TdxBarManager* FindNextManager(TdxBarManager* Manager, bool Forward) const;
  // Whether Candidate may take the keyboard for Start's form.
  static bool MayTakeKeyboardFor(TdxBarManager* Start, TdxBarManager* Candidate);
};

// Null before the unit starts and after it ends.
TdxBarManagerList* BarManagerList();
void RegisterBarManager(TdxBarManager* Manager);
void UnregisterBarManager(TdxBarManager* Manager);
void RemoveBarHooks();
bool BarHooksInstalled();
TdxBarHintWindow* BarHintWindow();

LRESULT CALLBACK BarKeyboardHook(int Code, WPARAM Key, LPARAM KeyData);
LRESULT CALLBACK BarMouseHook(int Code, WPARAM Msg, LPARAM MouseHookStruct);
LRESULT CALLBACK BarCallWndProcHook(int Code, WPARAM WParam, LPARAM CWPStruct);

// Alt or F10 went down as a menu key with no other key since.
bool AltPressedAlone();
void SetAltPressedAlone(bool Value);
// Set by a floating toolbar while one of its caption buttons is held: every key is swallowed.
void SetCaptionButtonCapture(bool Value);
// Set by an in-place edit around its direct call of BarKeyboardHook: no next hook.
void SetHookDirectCall(bool Value);
// The application is active and its last deactivation did not go to another process.
bool AppActivationActive();
bool AppDeactivatedToOtherProcess();

TdxBarManager* FindKeyboardManager(bool MenuKey, TdxBarAccessibilityHelper*& Root);
bool HandleShortCutGlobally(TdxBarManager* Manager, TShortCut ShortCut);
TdxBarItemLink* FindAcceleratorLink(TdxBarManager* Manager, WORD Key, TShiftState Shift);

// Notified when a manager registers and unregisters (nothing sets them in this program).
using TdxBarManagerNotifyProc = void (*)(TdxBarManager* Manager);
extern TdxBarManagerNotifyProc dxBarManagerRegistered;
extern TdxBarManagerNotifyProc dxBarManagerUnregistered;

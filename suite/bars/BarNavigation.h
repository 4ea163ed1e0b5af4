// The keyboard-navigation controller: one per process, made by the bar unit's
// start; the keyboard hook gives it navigation keys, Alt and F10. Key tips and
// moving between objects are the keyboard work's; until then the controller only
// records what is selected and takes no key.
#pragma once

#include <windows.h>

#include "framework/ControlTypes.h"
#include "framework/Object.h"

class TCustomdxBarControl;
class TdxBarAccessibilityHelper;

class TdxBarNavigationController : public TObject {
  SONVELT_CLASS(TdxBarNavigationController, TObject)
public:
  TdxBarNavigationController() = default;

  // The controller takes the key (a navigation key the selection can follow).
  virtual bool WantsKey(WORD Key, TShiftState Shift) { (void)Key, (void)Shift; return false; }
  virtual void DispatchNavigationKey(WORD Key, TShiftState Shift) { (void)Key, (void)Shift; }
  bool AwaitingKeyTips() const { return FKeyTipsRoot != nullptr; }
  virtual bool IsKeyTipsActive() const { return false; }
  // EdxException for nil or another root while already waiting.
  virtual void BeginKeyTipsWaiting(TdxBarAccessibilityHelper* Root);
  // Stops waiting; also clears the keyboard hook's Alt-pending flag.
  virtual void EndKeyTipsWaiting(bool Show);
  // Enters navigation mode on the root's default object, when it has one.
  virtual void SelectRootDefault(TdxBarAccessibilityHelper* Root);
  virtual void ChangeSelectedObject(TdxBarAccessibilityHelper* NewObject) { FSelected = NewObject; }
  virtual TdxBarAccessibilityHelper* CurrentSelectedObject() const { return FSelected; }
  virtual bool IsNavigatedWindow(TCustomdxBarControl* BarControl) const { (void)BarControl; return false; }
  virtual void EndKeyboardMode();
  virtual void ClearNavigationMode() { FSelected = nullptr; }
  // Drops a helper whose owner went away.
  virtual void ForgetObject(TdxBarAccessibilityHelper* Helper);

private:
  TdxBarAccessibilityHelper* FKeyTipsRoot = nullptr;
  TdxBarAccessibilityHelper* FSelected = nullptr;
};

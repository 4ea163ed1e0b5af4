// The keyboard-navigation controller: one per process, made by the bar unit's
// start. The keyboard hook asks it whether it wants a key and hands keys to it;
// it keeps the selected object of the accessibility-helper tree (moved with the
// arrows and Tab after Alt or F10) and runs key tips: after Alt is held, the
// letters over the commands of a container, typed to run one. Key tips show only
// when the tree's root supplies a key-tip window manager.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/ControlTypes.h"
#include "framework/Object.h"
#include "framework/OwnedObject.h"

class TCustomdxBarControl;
class TcxTimer;
class TdxBarAccessibilityHelper;
class TdxBarKeyTipData;

class TdxBarNavigationController : public TObject {
  SONVELT_CLASS(TdxBarNavigationController, TObject)
public:
  TdxBarNavigationController() = default;
  ~TdxBarNavigationController() override;

  // Queries.
  bool AwaitingKeyTips() const { return FWaitingRoot != nullptr; }
  virtual bool IsKeyTipsActive() const { return FKeyTipsContainer != nullptr; }
  // The bar window navigation works in: the active one (when enabled and not
  // customizing), else the open quick-customization popup.
  TCustomdxBarControl* NavigatedBarControl() const;
  virtual TdxBarAccessibilityHelper* CurrentSelectedObject() const;
  TdxBarAccessibilityHelper* CurrentSelectionParent() const;
  virtual bool IsNavigatedWindow(TCustomdxBarControl* BarControl) const;
  bool IsKeyboardMode() const { return FKeyboardMode; }
  static bool IsArrowOrTabKey(WORD Key);
  bool IsContextNavigationKey(WORD Key) const;
  // The controller takes the key (a navigation key the selection can follow, or a key-tip key).
  virtual bool WantsKey(WORD Key, TShiftState Shift);
  bool IsKeyTipKey(WORD Key, TShiftState Shift);
  // The key tips shown now, and the letters typed (upper-cased).
  const std::vector<TdxBarKeyTipData*>& ShownKeyTips() const { return FShownKeyTips; }
  const std::string& TypedText() const { return FTypedText; }
  TdxBarAccessibilityHelper* KeyTipsContainer() const { return FKeyTipsContainer; }

  // Commands.
  // EdxException for nil or another root while already waiting.
  virtual void BeginKeyTipsWaiting(TdxBarAccessibilityHelper* Root);
  // Stops waiting (also clears the keyboard hook's Alt-pending flag); with Show the
  // root's key tips appear.
  virtual void EndKeyTipsWaiting(bool Show);
  // Enters navigation mode on the root's default object, when it has one.
  virtual void SelectRootDefault(TdxBarAccessibilityHelper* Root);
  virtual void DispatchNavigationKey(WORD Key, TShiftState Shift, TdxBarAccessibilityHelper* Parent = nullptr,
                                     TdxBarAccessibilityHelper* Selected = nullptr);
  void ChangeSelectedObject(bool ByTab, TdxBarAccessibilityHelper* NewObject, TdxBarAccessibilityHelper* OldObject);
  void ChangeSelectedObject(TdxBarAccessibilityHelper* NewObject) { ChangeSelectedObject(false, NewObject, nullptr); }
  void SetKeyTipsContainer(TdxBarAccessibilityHelper* Container, const std::string& Typed);
  void EndKeyTips();
  virtual void EndKeyboardMode();
  virtual void ClearNavigationMode() { FKeyboardMode = false; }
  // Drops a helper whose owner went away.
  virtual void ForgetObject(TdxBarAccessibilityHelper* Helper);
  void EscapeKeyTips();

  // The helpers' record of what they selected.
  void NoteSelection(TdxBarAccessibilityHelper* Object, TdxBarAccessibilityHelper* Parent) {
    FSelection = Object;
    FSelectionParent = Parent;
  }
  void ClearSelection() { FSelection = FSelectionParent = nullptr; }
  TdxBarAccessibilityHelper* StoredSelection() const { return FSelection; }

private:
  struct TMatch {
    bool Belongs = false;
    bool Found = false;
    std::function<void(bool)> Execute;
  };
  TMatch MatchKeyTip(WORD Key, TShiftState Shift);
  void TypeKeyTipKey(WORD Key, TShiftState Shift);
  void UpdateKeyTipWindows();
  void FreeShownKeyTips();
  void WaitingTimerFired(TObject* Sender);
  void DropWaitingTimer();
  void StopWaiting();

  bool FHandlingKey = false;
  TdxBarAccessibilityHelper* FKeyTipsContainer = nullptr;
  std::vector<TdxBarKeyTipData*> FShownKeyTips;
  std::string FTypedText;
  TdxBarAccessibilityHelper* FWaitingRoot = nullptr;
  TcxTimer* FWaitingTimer = nullptr;
  bool FTimerFiring = false;
  bool FKeyboardMode = false;
  TdxBarAccessibilityHelper* FSelection = nullptr;
  TdxBarAccessibilityHelper* FSelectionParent = nullptr;
};

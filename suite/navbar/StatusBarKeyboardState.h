// The keyboard-state panel style: CAPS, NUM, SCRL and INS/OVR captions that
// follow the keyboard. Each style watches the four keys with a 100 ms window
// timer of its own and asks the bar to lay out and repaint only when a key's
// toggle state changed. A key counts as on when its toggle bit is set, held down
// or not.
#pragma once

#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/Set.h"
#include "framework/Timer.h"
#include "suite/navbar/StatusBarPanelStyles.h"

enum TdxStatusBarKeyboardState { dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert };
using TdxStatusBarKeyboardStates = TSet<TdxStatusBarKeyboardState>;
inline constexpr TdxStatusBarKeyboardStates dxksAll{dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert};

// Reads a key's state as GetKeyState does; tests put a table in its place.
using TdxKeyStateReader = SHORT (*)(int VirtualKey);
// Puts Reader in place (null: GetKeyState) and gives back the one before.
TdxKeyStateReader SetStatusBarKeyStateReader(TdxKeyStateReader Reader);
// Whether the key's toggle bit is set, as the reader in place sees it.
bool StatusBarKeyToggled(int VirtualKey);

// The captions and colours of one key, on and off.
class TdxStatusBarKeyStateAppearance : public TPersistent {
  SONVELT_CLASS(TdxStatusBarKeyStateAppearance, TPersistent)
public:
  TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState State, int Code, TColor ActiveFontColor,
                                 const std::string& ActiveCaption, const std::string& InactiveCaption,
                                 TNotifyEvent OnChange);
  void Assign(TPersistent* Source) override;
  static void Publish(TPublisher<TdxStatusBarKeyStateAppearance>& P);

  TdxStatusBarKeyboardState GetKeyState() const { return FState; }
  int GetCode() const { return FCode; }
  // Every setter tells the change handler, an equal value included.
  TColor GetActiveFontColor() const { return FActiveFontColor; }
  void SetActiveFontColor(TColor Value);
  TColor GetInactiveFontColor() const { return FInactiveFontColor; }
  void SetInactiveFontColor(TColor Value);
  const std::string& GetActiveCaption() const { return FActiveCaption; }
  void SetActiveCaption(const std::string& Value);
  const std::string& GetInactiveCaption() const { return FInactiveCaption; }
  void SetInactiveCaption(const std::string& Value);
  // The wider caption in Font, plus 4.
  int RectWidth(TFont* Font) const;

private:
  TdxStatusBarKeyboardState FState;
  int FCode;
  TColor FActiveFontColor;
  TColor FInactiveFontColor = clBtnShadow;
  std::string FActiveCaption;
  std::string FInactiveCaption;
  TNotifyEvent FOnChange;
};

class TdxStatusBarKeyboardStateWatchedKey : public TObject {
  SONVELT_CLASS(TdxStatusBarKeyboardStateWatchedKey, TObject)
public:
  // Reads the key's state at once.
  explicit TdxStatusBarKeyboardStateWatchedKey(int Code);
  int GetCode() const { return FCode; }
  bool GetToggled() const { return FToggled; }
  // Reads the state again; true when the toggle state changed.
  bool Refresh();

private:
  int FCode;
  bool FToggled;
};

class TdxCustomStatusBar;

class TdxStatusBarKeyboardStateNotifier : public TObject {
  SONVELT_CLASS(TdxStatusBarKeyboardStateNotifier, TObject)
public:
  explicit TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* Bar);
  ~TdxStatusBarKeyboardStateNotifier() override;
  // Watches Code (an earlier entry for it is replaced).
  void WatchKey(int Code);
  // Drops the first entry for Code.
  void UnwatchKey(int Code);
  int WatchedCount() const { return static_cast<int>(FKeys.size()); }
  int WatchedCode(int Index) const { return FKeys.at(static_cast<size_t>(Index))->GetCode(); }
  // One timer tick: reads every key, and one change or more relayouts the bar.
  void CheckKeys();

private:
  void TimerTick(TObject* Sender) { CheckKeys(); }
  TdxCustomStatusBar* FBar;
  TOwned<TTimer> FTimer;
  std::vector<TOwned<TdxStatusBarKeyboardStateWatchedKey>> FKeys;
};

class TdxStatusBarKeyboardStatePanelStyle : public TdxStatusBarPanelStyle {
  SONVELT_CLASS(TdxStatusBarKeyboardStatePanelStyle, TdxStatusBarPanelStyle)
public:
  explicit TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarKeyboardStatePanelStyle() override;
  static void Publish(TPublisher<TdxStatusBarKeyboardStatePanelStyle>& P);

  TdxStatusBarKeyboardStates GetKeyboardStates() const { return FKeyboardStates; }
  void SetKeyboardStates(TdxStatusBarKeyboardStates Value);
  // True: one bevel around the panel; false: a bevel around every key.
  bool GetFullRect() const { return FFullRect; }
  void SetFullRect(bool Value);
  TdxStatusBarKeyStateAppearance* GetAppearance(TdxStatusBarKeyboardState State) const {
    return FAppearances[State].get();
  }
  TdxStatusBarKeyStateAppearance* GetCapsLockKeyAppearance() const { return GetAppearance(dxksCapsLock); }
  TdxStatusBarKeyStateAppearance* GetNumLockKeyAppearance() const { return GetAppearance(dxksNumLock); }
  TdxStatusBarKeyStateAppearance* GetScrollLockKeyAppearance() const { return GetAppearance(dxksScrollLock); }
  TdxStatusBarKeyStateAppearance* GetInsertKeyAppearance() const { return GetAppearance(dxksInsert); }
  void SetAppearance(TdxStatusBarKeyboardState State, TdxStatusBarKeyStateAppearance* Value) {
    FAppearances[State]->Assign(Value);
  }
  TdxStatusBarKeyboardStateNotifier* GetNotifier() const { return FNotifier.get(); }

  bool IsSizeable() const override { return false; }
  bool HasOwnBevels() const override { return !FFullRect; }
  void DoAssign(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) override;
  int ContentMinWidth() override;
  void ResetToDefaults() override;

private:
  void AppearanceChanged(TObject* Sender) { Changed(); }
  TdxStatusBarKeyboardStates FKeyboardStates = dxksAll;
  bool FFullRect = false;
  TOwned<TdxStatusBarKeyStateAppearance> FAppearances[4];
  TOwned<TdxStatusBarKeyboardStateNotifier> FNotifier;
};

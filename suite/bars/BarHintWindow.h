// The one hint window of every bar manager: shown for the manager whose item is
// hovered (TdxBarManager::RequestHint schedules it). Screen tips and the hint's own
// drawing come with the item work; this window shows a plain hint, the shortcut
// text after it.
#pragma once

#include <string>

#include "suite/bars/BarTypes.h"
#include "suite/common/BaseHintWindow.h"

class TdxBarHintWindow : public TcxBaseHintWindow {
  SONVELT_CLASS(TdxBarHintWindow, TcxBaseHintWindow)
public:
  explicit TdxBarHintWindow(TComponent* AOwner);

  // Shows Text (and the shortcut text) below the mouse for Manager; false when
  // there is nothing to show.
  virtual bool ActivateForManager(TdxBarManager* Manager, const std::string& Text, const std::string& ShortCutText);
  // The window is showing a screen tip rather than a plain hint.
  virtual bool IsScreenTip() const { return false; }
  // Milliseconds before a hint shows, and how long it stays.
  int GetShowPause() const { return IsScreenTip() ? 900 : 1000; }
  int GetHidePause() const { return IsScreenTip() ? 200000 : 10000; }
  bool IsShowing() { return IsHintVisible(); }
  void HideHint();
};

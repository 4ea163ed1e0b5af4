// The one hint window of every bar manager: shown for the manager whose item is
// hovered (TdxBarManager::RequestHint schedules it). A view info measures and
// paints what it shows: a plain hint, or a screen tip from the hint object's
// screen-tip provider. It stays topmost while it shows.
#pragma once

#include <string>

#include "framework/OwnedObject.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/BaseHintWindow.h"

class TdxBarCustomHintViewInfo;
class IdxBarScreenTipProvider;

class TdxBarHintWindow : public TcxBaseHintWindow {
  SONVELT_CLASS(TdxBarHintWindow, TcxBaseHintWindow)
public:
  explicit TdxBarHintWindow(TComponent* AOwner);
  ~TdxBarHintWindow() override;

  // Builds and shows the hint of the manager's hint object; false when there is
  // nothing to show.
  virtual bool ActivateForManager(TdxBarManager* Manager, const std::string& Text, const std::string& ShortCutText);
  // The window is showing a screen tip rather than a plain hint.
  bool IsScreenTip() const { return FScreenTip; }
  void SetHintKind(int Kind);
  // Milliseconds before a hint shows, and how long it stays.
  int GetShowPause() const { return IsScreenTip() ? 900 : 1000; }
  int GetHidePause() const { return IsScreenTip() ? 200000 : 10000; }
  bool IsShowing() { return IsHintVisible(); }
  void HideHint();
  TdxBarCustomHintViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  static IdxBarScreenTipProvider* GetScreenTipIntf(TdxBarManager* Manager);

protected:
  void Paint() override;
  void WndProc(TMessage& Message) override;

private:
  bool FScreenTip = false;
  TOwned<TdxBarCustomHintViewInfo> FViewInfo;
};

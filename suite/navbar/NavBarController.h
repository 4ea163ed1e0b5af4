// Turns the mouse and hint requests that reach the bar into its interaction
// state (hot, pressed, held), clicks, scrolling and hints. Views derive their
// own controllers and add parts of their own through the part hooks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/Application.h"
#include "framework/ControlTypes.h"
#include "suite/navbar/NavBarTypes.h"

class TdxNavBarController : public TObject {
  SONVELT_CLASS(TdxNavBarController, TObject)
public:
  using TCreateArg = TdxCustomNavBar*;
  explicit TdxNavBarController(TdxCustomNavBar* ANavBar) : FNavBar(ANavBar) {}
  ~TdxNavBarController() override;
  TdxCustomNavBar* GetNavBar() const { return FNavBar; }

  virtual bool CanFocusOnClick(POINT P);
  virtual HCURSOR GetCursor() { return nullptr; }
  virtual void GetPartAtPos(POINT P, TdxNavBarPartRef& Part) { Part = dxNavBarPartNone; }
  virtual void DoPartClick(const TdxNavBarPartRef& Part) {}
  virtual void CheckBounds(int& Left, int& Top, int& Width, int& Height) {}
  virtual void DoLinkClick(TdxCustomNavBar* NavBar, TdxNavBarItemLink* Link);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, POINT P);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, POINT P);
  virtual void MouseMove(TShiftState Shift, POINT P);
  virtual void MouseLeave() {}
  virtual void HotPartChanged(const TdxNavBarPartRef& Part) {}
  virtual void PressedPartChanged(const TdxNavBarPartRef& Part) {}
  virtual void ShowHint(THintInfo& HintInfo);
  virtual void ShowGroupHint(THintInfo& HintInfo, TdxNavBarGroupViewInfo* G);
  virtual void ShowLinkHint(THintInfo& HintInfo, TdxNavBarLinkViewInfo* L);
  virtual void CalcGroupHintRect(TdxNavBarGroup* Group, RECT& R);
  virtual void GetGroupHintText(TdxNavBarGroup* Group, std::string& Text);
  virtual void CalcLinkHintRect(TdxNavBarItemLink* Link, RECT& R);
  virtual void GetLinkHintText(TdxNavBarItemLink* Link, std::string& Text);

  void SetHotPart(const TdxNavBarPartRef& Part);
  void SetPressedPart(const TdxNavBarPartRef& Part);
  TdxNavBarPartRef GetHotPart() const { return FHotPart; }
  TdxNavBarPartRef GetPressedPart() const { return FPressedPart; }
  // Answers the bar's hint request; Show false suppresses the hint.
  void PrepareHintShow(THintInfo& HintInfo, bool& Show);
  // The hint text measured in the hint font, grown by 6 and 6 and moved 20 right;
  // Adjust runs before the move.
  void MeasureHintRect(TObject* Object, RECT& R, const std::function<void(RECT&)>& Adjust);
  void InvalidateAll(TdxNavBarChangeType Change);

private:
  TdxCustomNavBar* FNavBar;
  TdxNavBarPartRef FHotPart;
  TdxNavBarPartRef FPressedPart;
};

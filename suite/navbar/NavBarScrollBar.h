// The vertical scroll bar of the views that scroll their whole content, kept in
// a wrapper that holds the range itself, and the hint window whose size the
// bar's view info gives and whose face the bar's painter draws.
#pragma once

#include <windows.h>

#include "framework/ControlTypes.h"
#include "suite/common/BaseHintWindow.h"
#include "suite/common/ControlScrollBar.h"
#include "suite/navbar/NavBarTypes.h"

class TdxNavBarScrollBar : public TObject {
  SONVELT_CLASS(TdxNavBarScrollBar, TObject)
public:
  TdxNavBarScrollBar(TdxCustomNavBar* ANavBar, TScrollBarKind AKind);
  ~TdxNavBarScrollBar() override;
  void RecreateControl();
  void Reset();
  // EInvalidOperation "Scrollbar property out of range" when Max < Min or Max < Page.
  void UpdateScrollRange(int AMin, int AMax, bool Redraw, int APage, int APosition);
  void SetPosition(int Value) { UpdateScrollRange(FMin, FMax, true, FPage, Value); }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Page() const { return FPage; }
  int Position() const { return FPosition; }
  int Width() const;
  int Height() const;
  int GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value) { FSmallChange = Value; }
  int GetLargeChange() const { return FLargeChange; }
  TcxControlScrollBar* GetControl() const { return FControl; }
  void Scroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  TScrollEvent OnScroll;

private:
  TdxCustomNavBar* FNavBar;
  TScrollBarKind FKind;
  TcxControlScrollBar* FControl = nullptr;
  int FMin = 0, FMax = 100, FPage = 0, FPosition = 0;
  bool FVisible = false;
  int FSmallChange = 1;
  int FLargeChange = 0;
};

class TdxNavBarHintWindow : public TcxBaseHintWindow {
  SONVELT_CLASS(TdxNavBarHintWindow, TcxBaseHintWindow)
public:
  explicit TdxNavBarHintWindow(TComponent* AOwner) : TcxBaseHintWindow(AOwner) {}
  RECT CalcHintRect(int MaxWidth, const std::string& AHint) override;
  void ActivateHintData(RECT Rect, const std::string& AHint, void* AData) override;
  TdxCustomNavBar* GetNavBar() const { return FNavBar; }
  // The bar whose hint is being prepared: the framework measures the window
  // before it hands over the hint information.
  static TdxCustomNavBar* PendingNavBar;

protected:
  void Paint() override;

private:
  TdxCustomNavBar* FNavBar = nullptr;
};

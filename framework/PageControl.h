// TPageControl over the system tab control: each TTabSheet is a page whose tab
// shows its caption; only the active page is visible.
#pragma once

#include <vector>

#include "framework/WinControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
  SONVELT_CLASS(TTabSheet, TWinControl)
public:
  explicit TTabSheet(TComponent* AOwner);
  void BeforeDestruction() override;
  TPageControl* GetPageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  int GetPageIndex() const;
  void SetPageIndex(int Value);
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  // The position of its tab among the visible ones (-1 when hidden).
  int GetTabIndex() const;
  void Dispatch(TMessage& Message) override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

using TTabChangingEvent = TDelegate<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
  SONVELT_CLASS(TPageControl, TWinControl)
public:
  explicit TPageControl(TComponent* AOwner);
  void BeforeDestruction() override;
  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* GetPage(int Index) const { return FPages.at(static_cast<size_t>(Index)); }
  TTabSheet* GetActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Value);
  int GetActivePageIndex() const;
  void SetActivePageIndex(int Value);
  // The next (or previous) page with a visible tab after CurrentPage.
  TTabSheet* FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible);
  void SelectNextPage(bool GoForward);
  void Dispatch(TMessage& Message) override;
  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AdjustClientRect(RECT& Rect) override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void UpdateTabs();
  void ShowActivePage();
  TTabSheet* PageForTab(int TabIndex) const;
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

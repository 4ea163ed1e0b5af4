// The control container item puts an ordinary control of the form onto a bar: the
// control is re-parented into a borderless place form whose window is a child of
// the bar window, laid over the item's rectangle. The item watches the control's
// size and makes the bars relayout when it changes; without a control (or while
// designing) the bar shows a hatched placeholder.
#pragma once

#include "framework/Form.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItems.h"

class TdxBarControlContainerControl;

// The registered message the place form answers with 1, so that other code can
// tell a hosted control's carrier from an ordinary form.
UINT PlaceFormMessage();

class TPlaceForm : public TCustomForm {
  SONVELT_CLASS(TPlaceForm, TCustomForm)
public:
  explicit TPlaceForm(TComponent* AOwner);
  TdxBarControlContainerControl* GetHostItemControl() const { return FHostItemControl; }
  void SetHostItemControl(TdxBarControlContainerControl* Value) { FHostItemControl = Value; }
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  void EraseBackground(TMessage& Message);
  TdxBarControlContainerControl* FHostItemControl = nullptr;
};

class TdxBarControlContainerItem : public TdxBarItem {
  SONVELT_CLASS(TdxBarControlContainerItem, TdxBarItem)
public:
  explicit TdxBarControlContainerItem(TComponent* AOwner);
  ~TdxBarControlContainerItem() override;
  static void Publish(TPublisher<TdxBarControlContainerItem>& P);

  TControl* GetControl() const { return FControl; }
  // Another container of the manager hosting Value is refused with EdxException.
  void SetControl(TControl* Value);
  TPlaceForm* GetPlaceForm() const { return FPlaceForm.get(); }

  void SetName(const std::string& NewName) override;
  bool CanClick() const override { return false; }
  bool IsHiddenInCustomizing() const override { return true; }
  bool HostsControl() const { return true; }
  bool IsEnterable(TdxBarItemLink* Link) const override;
  // The place form leaves the bar window of Control, when Control placed it.
  void HideHostedControl(TdxBarControlContainerControl* Control);
  // Whether a control of the item is placing the hosted control just now.
  bool IsPlacing() const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void HookProc(TMessage& Message);
  TControl* FControl = nullptr;
  TOwned<TPlaceForm> FPlaceForm;
  TWndMethod FSavedWindowProc;
  int FLastWidth = 0;
  int FLastHeight = 0;
};

class TdxBarControlContainerControl : public TdxBarItemControl {
  SONVELT_CLASS(TdxBarControlContainerControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  ~TdxBarControlContainerControl() override;

  TControl* HostedControl() const;
  bool CanPlace() const;
  bool IsPlacingHostedControl() const { return FPlacingHostedControl; }
  bool HasPlacedHostedControl() const { return FHasPlacedHostedControl; }
  void PlaceControl();
  void ShowPlacedControl();

  void UpdateHostedControl(bool Value) override;
  void ReleaseHostedControl() override;
  void CalcPartRects() override;
  bool IsClickable() const override;
  bool CanSelect() const override;
  bool ClosesMenusOnClick() const override;
  bool CapturesMouse() const override;
  int CalcHeight() override;
  int CalcWidth() override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;

private:
  bool InQuickList() const;
  void PaintPlaceholder(const RECT& R);
  // "The place for the " and the name of the control, else of the item.
  std::string PlaceholderText() const;
  bool FPlacingHostedControl = false;
  bool FHasPlacedHostedControl = false;
};

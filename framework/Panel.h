// Containers drawn by the framework: TPanel (bevelled), TGroupBox (etched frame
// with a caption) and TRadioGroup (a group box of radio buttons for a list of items).
#pragma once

#include <memory>
#include <vector>

#include "framework/Button.h"
#include "framework/CustomControl.h"
#include "framework/Label.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  SONVELT_CLASS(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* AOwner);
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  void Dispatch(TMessage& Message) override;

protected:
  void AdjustClientRect(RECT& Rect) override;
  void Paint() override;

private:
  void Changed();
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
  SONVELT_CLASS(TPanel, TCustomPanel)
public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

class TGroupBox : public TCustomControl {
  SONVELT_CLASS(TGroupBox, TCustomControl)
public:
  explicit TGroupBox(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void AdjustClientRect(RECT& Rect) override;
  void Paint() override;
  int CaptionHeight();
};

class TRadioGroup : public TGroupBox {
  SONVELT_CLASS(TRadioGroup, TGroupBox)
public:
  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int GetItemIndex() const { return FItemIndex; }
  // Checks that item's button; OnClick runs when the choice changes.
  void SetItemIndex(int Value);
  int GetColumns() const { return FColumns; }
  void SetColumns(int Value);
  TRadioButton* GetButton(int Index) const { return FButtons.at(static_cast<size_t>(Index)); }
  void Dispatch(TMessage& Message) override;

protected:
  void Resize() override;

private:
  void ItemsChange(TObject* Sender);
  void ButtonClick(TObject* Sender);
  void UpdateButtons();
  void ArrangeButtons();
  TOwned<TStringList> FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

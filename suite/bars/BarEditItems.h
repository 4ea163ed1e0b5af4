// Items whose control hosts a small in-place window: the window item base, the
// edit and the combo boxes. The item keeps the accepted value (Text, ItemIndex);
// the edit control of the link being edited keeps what is typed until it is
// accepted. A combo opens a drop-down window that the application supplies
// (OnGetDropDownWindow) or its own list, placed inside the monitor's work area.
#pragma once

#include <windows.h>

#include <string>

#include "framework/ControlTypes.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"
#include "suite/bars/BarItems.h"

class TcxCanvas;
class TdxBarDropDownListBox;

// Owner-drawn combo entries: odSelected, odFocused and the rest of the platform's
// owner-draw state bits.
using TdxBarOwnerDrawState = unsigned;
using TdxBarDrawItemEvent =
    TDelegate<void(TObject* Sender, int Index, const RECT& Rect, TdxBarOwnerDrawState State)>;
using TdxBarMeasureItemEvent = TDelegate<void(TObject* Sender, int Index, int& Height)>;
using TdxBarCheckKeyForDropDownWindowEvent =
    TDelegate<void(TObject* Sender, WORD Key, TShiftState Shift, bool& PassToWindow)>;
using TdxBarGetDropDownWindowEvent = TDelegate<void(TObject* Sender, HWND& Window)>;

// What the edit controls of window items answer the items: the text being typed,
// and for combos the entry index of that text and whether the drop-down is open.
class IdxBarEditTextHolder {
public:
  virtual std::string GetEditText() const = 0;
  virtual void SetEditText(const std::string& Value) = 0;

protected:
  ~IdxBarEditTextHolder() = default;
};

class IdxBarComboControlState {
public:
  virtual int GetLocalItemIndex() const = 0;
  virtual bool IsDroppedDown() const = 0;

protected:
  ~IdxBarComboControlState() = default;
};

class TdxBarWindowItem : public TdxBarItem {
  SONVELT_CLASS(TdxBarWindowItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
  virtual std::string GetText() const { return FText; }
  virtual void SetText(const std::string& Value);
  bool CanClick() const override { return false; }
  // A vertical toolbar shows the item as a button.
  TdxBarItemControlClass ItemControlClass(bool Rotated) const override;
  // Selects the first link whose control is a window control and starts editing it.
  virtual void FocusEditor(bool ShownOnly = true);
  std::string GetCurrentText() const override;
  void SetCurrentText(const std::string& Value) override;

  virtual void DoChange();
  virtual void DoCurChange() { OnCurChange(this); }
  virtual void DoEnter() { OnEnter(this); }
  virtual void DoExit() { OnExit(this); }
  virtual void DoKeyDown(WORD& Key, TShiftState Shift) { OnKeyDown(this, Key, Shift); }
  virtual void DoKeyPress(char& Key) { OnKeyPress(this, Key); }
  virtual void DoKeyUp(WORD& Key, TShiftState Shift) { OnKeyUp(this, Key, Shift); }

  TNotifyEvent OnChange;
  TNotifyEvent OnCurChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

protected:
  bool GetEmptyWindow() const { return FEmptyWindow; }
  void SetEmptyWindow(bool Value) { FEmptyWindow = Value; }
  void StoreText(const std::string& Value) { FText = Value; }

private:
  bool FEmptyWindow = false;
  std::string FText;
};

class TdxCustomBarEdit : public TdxBarWindowItem {
  SONVELT_CLASS(TdxCustomBarEdit, TdxBarWindowItem)
public:
  explicit TdxCustomBarEdit(TComponent* AOwner);
  static void Publish(TPublisher<TdxCustomBarEdit>& P);
  int GetStyleCount() const override { return 2; }
  void SetWidth(int Value) override;
  // On a toolbar only with ShowCaption.
  bool IsEnterable(TdxBarItemLink* Link) const override;
  TcxCustomStyle* GetStyleEdit() const { return GetStyle(1); }
  void SetStyleEdit(TcxCustomStyle* Value) { SetStyle(1, Value); }
  TdxBarItemStyleViewParams GetStyleEditViewParams() const { return GetStyleViewParams(1); }
};

class TdxBarEdit : public TdxCustomBarEdit {
  SONVELT_CLASS(TdxBarEdit, TdxCustomBarEdit)
public:
  using TdxCustomBarEdit::TdxCustomBarEdit;
  static void Publish(TPublisher<TdxBarEdit>& P);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value) { FMaxLength = Value < 1 ? 0 : Value; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }

private:
  int FMaxLength = 0;
  bool FReadOnly = false;
};

class TCustomdxBarCombo : public TdxBarEdit {
  SONVELT_CLASS(TCustomdxBarCombo, TdxBarEdit)
public:
  using TdxBarEdit::TdxBarEdit;
  bool GetShowEditor() const { return !GetEmptyWindow(); }
  void SetShowEditor(bool Value) { SetEmptyWindow(!Value); }
  // Whether a key typed in the edit goes to the open drop-down window.
  virtual bool CheckKeyForDropDownWindow(WORD Key, TShiftState Shift);
  virtual HWND GetDropDownWindow();
  bool IsDroppedDown() const;
  // Opens the drop-down at a screen point for an item of the given extent;
  // InVerticalHolder says the item lies in a menu or a vertical toolbar.
  virtual void DoDropDown(POINT At, SIZE ItemSize, bool InVerticalHolder);
  virtual void DoCloseUp();
  // Where a window of WindowSize opens for an item of ItemSize at At inside WorkArea.
  static POINT PlaceDropDown(POINT At, SIZE ItemSize, SIZE WindowSize, bool InVerticalHolder, const RECT& WorkArea);

  TdxBarCheckKeyForDropDownWindowEvent OnCheckKeyForDropDownWindow;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDropDown;
  TdxBarGetDropDownWindowEvent OnGetDropDownWindow;

protected:
  virtual void InitDropDownWindow(HWND Window) { (void)Window; }
  virtual void AfterDropDown() {}
};

class TdxBarCustomCombo : public TCustomdxBarCombo {
  SONVELT_CLASS(TdxBarCustomCombo, TCustomdxBarCombo)
public:
  explicit TdxBarCustomCombo(TComponent* AOwner);
  ~TdxBarCustomCombo() override;

  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int GetDropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int Value) { FDropDownWidth = Value; }
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  int GetItemIndex() const { return FItemIndex; }
  // OnChange fires for every change of the index, also when the text stays.
  void SetItemIndex(int Value);
  TStringList* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  void SetText(const std::string& Value) override;
  int GetCurrentItemIndex() const;
  // The first entry with the longest common prefix (case ignored); -1 when none.
  int FindNearestItem(const std::string& Text) const;
  bool CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) override;

  virtual int MeasureItem(int Index);
  virtual int MeasureItemWidth(int Index);
  // The drop-down width for an edit part of EditWidth pixels.
  virtual int CalcDropDownWidth(int EditWidth);
  // Height of the list: 4 plus the first DropDownCount entries.
  int CalcDropDownHeight();
  void SetListCanvas(TcxCanvas* Canvas) { FListCanvas = Canvas; }
  // The combo's own list, dropped down when OnGetDropDownWindow gives no window.
  TdxBarDropDownListBox* GetListBox() const { return FListBox.get(); }
  HWND GetDropDownWindow() override;
  void DoDropDown(POINT At, SIZE ItemSize, bool InVerticalHolder) override;
  void DoCloseUp() override;

  TdxBarDrawItemEvent OnDrawItem;
  TdxBarMeasureItemEvent OnMeasureItem;

private:
  void ItemsChanged(TObject* Sender);
  int TextHeight(const std::string& S);
  int TextWidth(const std::string& S);
  int FDropDownCount = 8;
  int FDropDownWidth = 0;
  int FItemHeight = 0;
  int FItemIndex = -1;
  TOwned<TStringList> FItems;
  bool FSorted = false;
  TcxCanvas* FListCanvas = nullptr;
  TOwned<TdxBarDropDownListBox> FListBox;

protected:
  void InitDropDownWindow(HWND Window) override;
  void AfterDropDown() override;

private:
  // The typed text decides the entry the list shows selected.
  void SyncListBox();
};

class TdxBarCombo : public TdxBarCustomCombo {
  SONVELT_CLASS(TdxBarCombo, TdxBarCustomCombo)
public:
  using TdxBarCustomCombo::TdxBarCustomCombo;
  static void Publish(TPublisher<TdxBarCombo>& P);
};

// List controls over the system LISTBOX and COMBOBOX classes. Their Items are kept
// by the control (with an object beside each string) and mirrored into the window,
// so they survive a recreated window and work before there is one.
#pragma once

#include <memory>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/StringLists.h"
#include "framework/WinControl.h"

class TListControlItems;

// What a list control does with its window when its items change.
class TListItemsWindow {
public:
  virtual ~TListItemsWindow() = default;
  virtual void WindowInsert(int Index, const std::string& S) = 0;
  virtual void WindowDelete(int Index) = 0;
  virtual void WindowClear() = 0;
  virtual void ItemsChanged() {}
};

class TListControlItems : public TStrings {
  SONVELT_CLASS(TListControlItems, TStrings)
public:
  explicit TListControlItems(TListItemsWindow* Window) : FWindow(Window) {}
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  int Add(const std::string& S) override;
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  // Fills a new window with the items.
  void FillWindow();

protected:
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObj(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;

private:
  struct TItem {
    std::string S;
    TObject* Obj = nullptr;
  };
  void Check(int Index) const;
  TListItemsWindow* FWindow;
  std::vector<TItem> FItems;
  bool FSorted = false;
};

// A windowed control with a list of items (the list box and the combo box).
class TCustomListControl : public TWinControl, protected TListItemsWindow {
  SONVELT_CLASS(TCustomListControl, TWinControl)
public:
  explicit TCustomListControl(TComponent* AOwner);
  ~TCustomListControl() override;
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  bool GetSorted() const { return FItems->GetSorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }

protected:
  TOwned<TListControlItems> FItems;
};

class TListBox : public TCustomListControl {
  SONVELT_CLASS(TListBox, TCustomListControl)
public:
  explicit TListBox(TComponent* AOwner);
  int GetItemIndex();
  void SetItemIndex(int Value);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool GetSelected(int Index);
  void SetSelected(int Index, bool Value);
  int GetSelCount();
  void Clear() { FItems->Clear(); }
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void WindowInsert(int Index, const std::string& S) override;
  void WindowDelete(int Index) override;
  void WindowClear() override;
  bool FMultiSelect = false;
  int FSavedIndex = -1;
  std::vector<int> FSavedSelection;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TCustomListControl {
  SONVELT_CLASS(TComboBox, TCustomListControl)
public:
  explicit TComboBox(TComponent* AOwner);
  int GetItemIndex();
  // Selects the item (its text becomes the box's text); -1 empties the selection.
  void SetItemIndex(int Value);
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool GetDroppedDown();
  void SetDroppedDown(bool Value);
  std::string GetText() override;
  void SetText(const std::string& Value) override;
  void Clear();
  void Dispatch(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void WindowInsert(int Index, const std::string& S) override;
  void WindowDelete(int Index) override;
  void WindowClear() override;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  int FItemIndex = -1;
};

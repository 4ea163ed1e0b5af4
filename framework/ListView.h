// TListView over the system list view: columns, items with sub-items and a data
// pointer, report style with row selection, sorting by a caller's comparison.
// Items live in the control and are mirrored into the window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Label.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"
#include "framework/WinControl.h"

class TListView;
class TListItems;
class TCustomImageList;

class TListColumn : public TPersistent {
  SONVELT_CLASS(TListColumn, TPersistent)
public:
  explicit TListColumn(TListView* Owner) : FOwner(Owner) {}
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  int GetWidth();
  void SetWidth(int Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  int GetIndex() const;

private:
  friend class TListView;
  TListView* FOwner;
  std::string FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TListItem : public TPersistent {
  SONVELT_CLASS(TListItem, TPersistent)
public:
  explicit TListItem(TListView* Owner);
  ~TListItem() override;
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TStrings* GetSubItems() const { return FSubItems.get(); }
  void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
  void* GetData() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool GetSelected();
  void SetSelected(bool Value);
  bool GetFocused();
  void SetFocused(bool Value);
  int GetIndex() const;
  TListView* GetListView() const { return FOwner; }
  void MakeVisible();
  void Delete();

private:
  friend class TListView;
  void SubItemsChange(TObject*);
  TListView* FOwner;
  std::string FCaption;
  TOwned<TStringList> FSubItems;
  void* FData = nullptr;
  int FImageIndex = -1;
  bool FSelected = false;
};

class TListItems : public TPersistent {
  SONVELT_CLASS(TListItems, TPersistent)
public:
  explicit TListItems(TListView* Owner) : FOwner(Owner) {}
  ~TListItems() override;
  TListItem* Add() { return Insert(GetCount()); }
  TListItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TListItem* GetItem(int Index) const;
  int IndexOf(const TListItem* Item) const;
  void BeginUpdate();
  void EndUpdate();

private:
  friend class TListView;
  friend class TListItem;
  TListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdateCount = 0;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };
using TLVColumnClickEvent = TDelegate<void(TObject* Sender, TListColumn* Column)>;
using TLVSelectItemEvent = TDelegate<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVChangeEvent = TDelegate<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVCompareEvent = TDelegate<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
// The comparison CustomSort sorts by: negative, zero or positive as in strcmp.
using TLVCompare = std::function<int(TListItem* Item1, TListItem* Item2, std::intptr_t Data)>;

class TListView : public TWinControl {
  SONVELT_CLASS(TListView, TWinControl)
public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;
  int GetColumnCount() const { return static_cast<int>(FColumns.size()); }
  TListColumn* GetColumn(int Index) const { return FColumns.at(static_cast<size_t>(Index)); }
  TListColumn* AddColumn();
  void ClearColumns();
  TListItems* GetItems() const { return FItems.get(); }
  TViewStyle GetViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool GetGridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  TCustomImageList* GetSmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* Value);
  // The first selected item, or null; setting selects only that item.
  TListItem* GetSelected();
  void SetSelected(TListItem* Value);
  int GetItemIndex();
  void SetItemIndex(int Value);
  int GetSelCount();
  void ClearSelection();
  void SelectAll();
  // Sorts the items by Compare (stable) and shows them in the new order.
  bool CustomSort(const TLVCompare& Compare, std::intptr_t Data);
  // Sorts by OnCompare when assigned, else by caption.
  bool AlphaSort();
  void BeginUpdate() { FItems->BeginUpdate(); }
  void EndUpdate() { FItems->EndUpdate(); }
  TListItem* FindCaption(int StartIndex, const std::string& Value, bool Partial, bool Inclusive, bool Wrap);
  void Dispatch(TMessage& Message) override;

  TLVColumnClickEvent OnColumnClick;
  TLVSelectItemEvent OnSelectItem;
  TLVChangeEvent OnChange;
  TLVCompareEvent OnCompare;
  TDelegate<void(TObject* Sender, TListItem* Item, std::string& S)> OnEdited;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TListItem;
  friend class TListItems;
  friend class TListColumn;
  void WindowInsertItem(int Index, TListItem* Item);
  void WindowUpdateItem(TListItem* Item);
  void WindowInsertColumn(int Index, TListColumn* Column);
  void UpdateExtendedStyle();
  void FillWindow();
  void CNNotify(TMessage& Message);
  std::vector<TListColumn*> FColumns;
  TOwned<TListItems> FItems;
  TViewStyle FViewStyle = vsIcon;
  bool FMultiSelect = false;
  bool FRowSelect = false;
  bool FHideSelection = true;
  bool FReadOnly = false;
  bool FGridLines = false;
  bool FFilling = false;
  TCustomImageList* FSmallImages = nullptr;
};

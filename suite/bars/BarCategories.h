// The categories of a manager: the names under which items are sorted for the
// Customize dialog, each with whether it is shown and how visible its items are.
// Items record their category by index, and the list keeps those indexes right
// when categories are inserted, deleted, exchanged or moved.
#pragma once

#include "framework/StringLists.h"
#include "suite/bars/BarTypes.h"

// A category without data counts as items always visible and shown.
class TdxBarCategoryData : public TObject {
  SONVELT_CLASS(TdxBarCategoryData, TObject)
public:
  TdxBarCategoryData() = default;
  TdxBarItemVisible ItemsVisible = ivAlways;
  // ItemsVisible read from form data, applied when the manager's loading ends.
  TdxBarItemVisible LoadedItemsVisible = ivAlways;
  bool Visible = true;
};

class TdxBarManagerCategories : public TStringList {
  SONVELT_CLASS(TdxBarManagerCategories, TStringList)
public:
  using TCreateArg = TdxBarManager*;
  // Adds the "Default" category unless the manager is loading.
  explicit TdxBarManagerCategories(TdxBarManager* ABarManager);
  ~TdxBarManagerCategories() override;

  TdxBarManager* GetBarManager() const { return FBarManager; }
  bool InRange(int Index) const { return Index >= 0 && Index < GetCount(); }
  TdxBarCategoryData* Data(int Index) const;
  // The data of a category, made on first use.
  TdxBarCategoryData* EnsureData(int Index);
  // Every item of category From gets category To (written directly).
  void MoveItemsToCategory(int From, int To);
  void ReleaseObject(int Index);
  void ReleaseAllObjects();

  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;

protected:
  // "ItemsVisibles" and "Visibles" follow the names.
  void DefineProperties(TFiler* Filer) override;

private:
  void AddDefault();
  void ReadItemsVisibles(TReader* Reader);
  void WriteItemsVisibles(TWriter* Writer);
  void ReadVisibles(TReader* Reader);
  void WriteVisibles(TWriter* Writer);
  bool FMoving = false;
  TdxBarManager* FBarManager;
};

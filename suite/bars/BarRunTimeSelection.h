// The selection of the Customize dialog at run time, standing in for the form
// designer as its manager's designer: at most one bar and one item are selected.
// Selecting a bar replaces the selected bar, selecting anything else replaces the
// selected item; a selected component that is freed leaves the selection at once.
#pragma once

#include <string>

#include "framework/Delegate.h"
#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/ComponentCollection.h"

class TcxComponentList;
class TComponent;

class TdxBarRunTimeSelectionController : public TObject, public IdxBarDesigner {
  SONVELT_CLASS(TdxBarRunTimeSelectionController, TObject)
public:
  TdxBarRunTimeSelectionController();
  ~TdxBarRunTimeSelectionController() override;

  TcxComponentList* SelectedComponents() const { return FSelected.get(); }
  bool IsSelected(TObject* Object) const;
  void AddToSelection(TComponent* Object);
  // Called after every change of the selection.
  TNotifyEvent OnSelectionChanged;

  // IdxBarDesigner
  bool AllowsDelete(TComponent* Component) override { (void)Component; return true; }
  void GetSelection(TObjectList* List) override;
  int SelectionStatus(TObject* Object) override { return IsSelected(Object) ? 1 : 0; }
  void Select(TObject* Object, int Mode) override;
  void AssignSelection(TObjectList* List) override;
  void EditItem(TdxBarItem* Item) override { (void)Item; }
  std::string MakeUniqueName(const std::string& BaseName) override { (void)BaseName; return std::string(); }
  void Modified() override {}

private:
  void ListChanged(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind);
  TOwned<TcxComponentList> FSelected;
};

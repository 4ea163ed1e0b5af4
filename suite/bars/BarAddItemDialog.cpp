#include "suite/bars/BarAddItemDialog.h"

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Font.h"
#include "framework/ListControls.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarItemRegistry.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"

SONVELT_PUBLISHED(TdxBarItemAddEditor, P) {
  P.Handler("ComboBox1Change", &TdxBarItemAddEditor::ComboBox1Change);
  P.Handler("FormCloseQuery", &TdxBarItemAddEditor::FormCloseQuery);
}

TdxBarItemAddEditor::TdxBarItemAddEditor(TdxBarManager* Manager, int CategoryIndex)
    : TdxBarDialogForm(nullptr), FManager(Manager) {
  ReadLayout("BarAddItemDialog");
  FTypeBox = dynamic_cast<TComboBox*>(FindComponent("ComboBox1"));
  FCategoryBox = dynamic_cast<TComboBox*>(FindComponent("ComboBox2"));
  FNameEdit = dynamic_cast<TEdit*>(FindComponent("Edit1"));
  FCaptionEdit = dynamic_cast<TEdit*>(FindComponent("Edit2"));
  FOk = dynamic_cast<TButton*>(FindComponent("BOk"));
  FCancel = dynamic_cast<TButton*>(FindComponent("BCancel"));
  if (TdxBarCustomCustomizationForm* Customizing = ActiveCustomizationForm()) GetFont()->Assign(Customizing->GetFont());

  TdxBarManagerCategories* Categories = Manager ? Manager->GetCategories() : nullptr;
  if (Categories) FCategoryBox->GetItems()->Assign(Categories);
  FCategoryBox->SetItemIndex(Categories && Categories->InRange(CategoryIndex) ? CategoryIndex : 0);
  TdxBarItemList* Registry = BarItemClassRegistry();
  for (int I = 0; I < Registry->ListedClassCount(); ++I)
    FTypeBox->GetItems()->Add(Registry->GetListedClass(I)->ClassName());
  FTypeBox->SetItemIndex(0);
  ProposeName();
  SetActiveControl(FNameEdit);
}

void TdxBarItemAddEditor::ProposeName() {
  int Type = FTypeBox->GetItemIndex();
  if (!FManager || Type < 0) return;
  std::string Name;
  FManager->MakeUniqueItemName(BarItemClassRegistry()->GetListedClass(Type), Name);
  FNameEdit->SetText(Name);
}

void TdxBarItemAddEditor::ComboBox1Change(TObject* Sender) {
  (void)Sender;
  ProposeName();
}

void TdxBarItemAddEditor::FormCloseQuery(TObject* Sender, bool& CanClose) {
  (void)Sender;
  int Type = FTypeBox->GetItemIndex();
  if (GetModalResult() != mrOk || !FManager || Type < 0) return;
  TClassOf<TdxBarItem> Class(BarItemClassRegistry()->GetListedClass(Type));
  TdxBarItem* Item = nullptr;
  try {
    Item = Class.Create(FManager->OwnerComponent());
    Item->SetName(FNameEdit->GetText());
    Item->SetCategory(FCategoryBox->GetItemIndex());
    Item->SetCaption(FCaptionEdit->GetText());
  } catch (const std::exception&) {
    // Nothing is kept of a failed item; a fresh name is proposed instead.
    if (Item) Free(Item);
    ProposeName();
    CanClose = false;
    return;
  }
  FCreatedItem = Item;
}

TdxBarItem* ShowAddItemDialog(TdxBarManager* Manager, int CategoryIndex) {
  TOwned<TdxBarItemAddEditor> Dialog(Construct<TdxBarItemAddEditor>(Manager, CategoryIndex));
  return Dialog->ShowModal() == mrOk ? Dialog->GetCreatedItem() : nullptr;
}

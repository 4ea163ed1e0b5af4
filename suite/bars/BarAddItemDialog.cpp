#include "suite/bars/BarAddItemDialog.h"

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Font.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarItemRegistry.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarDialogLayout.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"

TdxBarItemAddEditor::TdxBarItemAddEditor(TdxBarManager* Manager, int CategoryIndex)
    : TForm(nullptr), FManager(Manager) {
  SetBorderStyle(bsDialog);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetCaption("Add New Bars Item");
  GetFont()->SetName("MS Sans Serif");
  GetFont()->SetHeight(-11);
  if (TdxBarCustomCustomizationForm* Customizing = ActiveCustomizationForm()) GetFont()->Assign(Customizing->GetFont());
  SetClientWidth(263);
  SetClientHeight(150);
  int Top = 12;
  for (const char* Label : {"Type:", "Category:", "Name:", "Caption:"}) {
    PlacedControl<TLabel>(this, 8, Top, 47, 13)->SetCaption(Label);
    Top += 28;
  }
  FTypeBox = PlacedControl<TComboBox>(this, 62, 8, 194, 21);
  FTypeBox->SetStyle(csDropDownList);
  FTypeBox->SetDropDownCount(100);
  FCategoryBox = PlacedControl<TComboBox>(this, 62, 36, 194, 21);
  FCategoryBox->SetStyle(csDropDownList);
  FNameEdit = PlacedControl<TEdit>(this, 62, 64, 194, 21);
  FCaptionEdit = PlacedControl<TEdit>(this, 62, 92, 194, 21);
  FCaptionEdit->SetText("New Item");
  FOk = PlacedControl<TButton>(this, 100, 122, 73, 23);
  FOk->SetCaption("OK");
  FOk->SetDefault(true);
  FOk->SetModalResult(mrOk);
  FCancel = PlacedControl<TButton>(this, 184, 122, 73, 23);
  FCancel->SetCaption("Cancel");
  FCancel->SetCancel(true);
  FCancel->SetModalResult(mrCancel);

  TdxBarManagerCategories* Categories = Manager ? Manager->GetCategories() : nullptr;
  if (Categories) FCategoryBox->GetItems()->Assign(Categories);
  FCategoryBox->SetItemIndex(Categories && Categories->InRange(CategoryIndex) ? CategoryIndex : 0);
  TdxBarItemList* Registry = BarItemClassRegistry();
  for (int I = 0; I < Registry->ListedClassCount(); ++I)
    FTypeBox->GetItems()->Add(Registry->GetListedClass(I)->ClassName());
  FTypeBox->SetItemIndex(0);
  ProposeName();
  FTypeBox->OnChange = Bind(this, &TdxBarItemAddEditor::TypeChange);
  OnCloseQuery = Bind(this, &TdxBarItemAddEditor::FormCloseQuery);
  SetActiveControl(FNameEdit);
}

void TdxBarItemAddEditor::ProposeName() {
  int Type = FTypeBox->GetItemIndex();
  if (!FManager || Type < 0) return;
  std::string Name;
  FManager->MakeUniqueItemName(BarItemClassRegistry()->GetListedClass(Type), Name);
  FNameEdit->SetText(Name);
}

void TdxBarItemAddEditor::TypeChange(TObject* Sender) {
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

#include "suite/bars/BarNameDialog.h"

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Font.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/Bars.h"

SONVELT_PUBLISHED(TdxBarNameEd, P) {
  P.Handler("ENameChange", &TdxBarNameEd::ENameChange);
  P.Handler("FormCloseQuery", &TdxBarNameEd::FormCloseQuery);
}

TdxBarNameEd::TdxBarNameEd(TdxBarNameDialogKind Kind, TdxBarNameDialogMode Mode, TdxBar* Bar,
                           TdxBarManager* Manager)
    : TdxBarDialogForm(nullptr), FKind(Kind), FBar(Bar), FManager(Manager) {
  ReadLayout("BarNameDialog");
  FLName = dynamic_cast<TLabel*>(FindComponent("LName"));
  FEName = dynamic_cast<TEdit*>(FindComponent("EName"));
  FBOK = dynamic_cast<TButton*>(FindComponent("BOK"));
  FBCancel = dynamic_cast<TButton*>(FindComponent("BCancel"));
  if (Manager) {
    // The manager's face and character set; the size stays the dialog's.
    GetFont()->SetName(Manager->GetFont()->GetName());
    GetFont()->SetCharset(Manager->GetFont()->GetCharset());
  }
  if (Kind == bndCategory) {
    const TResStringRec& Title = Mode == bndmNew      ? dxSBAR_CATEGORYADD
                                 : Mode == bndmInsert ? dxSBAR_CATEGORYINSERT
                                                      : dxSBAR_CATEGORYRENAME;
    SetCaption(BarString(Title));
    FLName->SetCaption(BarString(dxSBAR_CATEGORYNAME));
  } else {
    SetCaption(BarString(Mode == bndmRename ? dxSBAR_TOOLBARRENAME : dxSBAR_TOOLBARADD));
    FLName->SetCaption(BarString(dxSBAR_TOOLBARNAME));
  }
  FBOK->SetCaption(BarString(dxSBAR_OK));
  FBCancel->SetCaption(BarString(dxSBAR_CANCEL));
  SetActiveControl(FEName);
  ENameChange(nullptr);
}

void TdxBarNameEd::ENameChange(TObject* Sender) {
  (void)Sender;
  FBOK->SetEnabled(!FEName->GetText().empty());
}

void TdxBarNameEd::FormCloseQuery(TObject* Sender, bool& CanClose) {
  (void)Sender;
  if (GetModalResult() != mrOk || FKind != bndToolbar || !FManager) return;
  std::string Name = FEName->GetText();
  TdxBars* Bars = FManager->GetBars();
  for (int I = 0; Bars && I < Bars->NumberOfItems(); ++I) {
    TdxBar* Other = Bars->GetBar(I);
    if (Other == FBar || Other->GetCaption() != Name) continue;
    BarMessageBox(Format(BarString(dxSBAR_TOOLBAREXISTS), {Name}), MB_OK | MB_ICONERROR);
    CanClose = false;
    return;
  }
}

bool ExecuteBarNameDialog(std::string& Name, TdxBarNameDialogKind Kind, TdxBarNameDialogMode Mode, TdxBar* Bar,
                          TdxBarManager* Manager) {
  TOwned<TdxBarNameEd> Dialog(Construct<TdxBarNameEd>(Kind, Mode, Bar, Manager));
  Dialog->GetNameEdit()->SetText(Name);
  // The edit tells of changes only once it has a window: a proposed name must
  // leave OK usable, or Enter on the dialog would do nothing.
  Dialog->GetOkButton()->SetEnabled(!Name.empty());
  if (Dialog->ShowModal() != mrOk) return false;
  Name = Dialog->GetNameEdit()->GetText();
  return true;
}

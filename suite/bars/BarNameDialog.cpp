#include "suite/bars/BarNameDialog.h"

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Font.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarDialogLayout.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/Bars.h"

TdxBarNameEd::TdxBarNameEd(TdxBarNameDialogKind Kind, TdxBarNameDialogMode Mode, TdxBar* Bar,
                           TdxBarManager* Manager)
    : TForm(nullptr), FKind(Kind), FBar(Bar), FManager(Manager) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{});
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  GetFont()->SetName("MS Sans Serif");
  GetFont()->SetHeight(-11);
  if (Manager) {
    // The manager's face and character set; the size stays the dialog's.
    GetFont()->SetName(Manager->GetFont()->GetName());
    GetFont()->SetCharset(Manager->GetFont()->GetCharset());
  }
  SetClientWidth(266);
  SetClientHeight(87);
  FLName = PlacedControl<TLabel>(this, 8, 8, 251, 13);
  FEName = PlacedControl<TEdit>(this, 8, 27, 251, 21);
  FBOK = PlacedControl<TButton>(this, 106, 58, 73, 23);
  FBOK->SetDefault(true);
  FBOK->SetModalResult(mrOk);
  FBCancel = PlacedControl<TButton>(this, 186, 58, 73, 23);
  FBCancel->SetCancel(true);
  FBCancel->SetModalResult(mrCancel);
  FLName->SetFocusControl(FEName);
  if (Kind == bndCategory) {
    SetCaption(BarString(Mode == bndmNew ? dxSBAR_CATEGORYADD : dxSBAR_CATEGORYRENAME));
    FLName->SetCaption(BarString(dxSBAR_CATEGORYNAME));
  } else {
    SetCaption(BarString(Mode == bndmNew ? dxSBAR_TOOLBARADD : dxSBAR_TOOLBARRENAME));
    FLName->SetCaption(BarString(dxSBAR_TOOLBARNAME));
  }
  FBOK->SetCaption(BarString(dxSBAR_OK));
  FBCancel->SetCaption(BarString(dxSBAR_CANCEL));
  FEName->OnChange = Bind(this, &TdxBarNameEd::NameChange);
  OnCloseQuery = Bind(this, &TdxBarNameEd::FormCloseQuery);
  SetActiveControl(FEName);
  NameChange(nullptr);
}

void TdxBarNameEd::NameChange(TObject* Sender) {
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
  if (Dialog->ShowModal() != mrOk) return false;
  Name = Dialog->GetNameEdit()->GetText();
  return true;
}

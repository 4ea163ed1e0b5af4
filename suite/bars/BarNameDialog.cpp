// The name dialog for new and renamed toolbars and categories: a label, an edit
// and OK/Cancel. OK is enabled only while the name is not empty; a toolbar name
// another toolbar already has is refused with a message and the dialog stays.
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/Bars.h"

namespace {
class TdxBarNameEd : public TForm {
  SONVELT_CLASS(TdxBarNameEd, TForm)
public:
  TdxBarNameEd(TdxBarNameDialogKind AKind, TdxBar* ABar, TdxBarManager* AManager)
      : TForm(nullptr), FKind(AKind), FBar(ABar), FManager(AManager) {
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{});
    SetFormStyle(fsStayOnTop);
    SetPosition(poScreenCenter);
    SetClientWidth(266);
    SetClientHeight(87);
    if (AManager) {
      GetFont()->SetName(AManager->GetFont()->GetName());
      GetFont()->SetCharset(AManager->GetFont()->GetCharset());
    }
    LName = TLabel::Create(this);
    LName->SetBounds(8, 8, 250, 13);
    LName->SetParent(this);
    EName = TEdit::Create(this);
    EName->SetBounds(8, 27, 251, 21);
    EName->SetParent(this);
    EName->OnChange = Bind(this, &TdxBarNameEd::NameChange);
    LName->SetFocusControl(EName);
    BOK = TButton::Create(this);
    BOK->SetBounds(106, 58, 73, 23);
    BOK->SetParent(this);
    BOK->SetCaption(BarString(dxSBAR_OK));
    BOK->SetDefault(true);
    BOK->SetModalResult(mrOk);
    BCancel = TButton::Create(this);
    BCancel->SetBounds(186, 58, 73, 23);
    BCancel->SetParent(this);
    BCancel->SetCaption(BarString(dxSBAR_CANCEL));
    BCancel->SetCancel(true);
    BCancel->SetModalResult(mrCancel);
    OnCloseQuery = Bind(this, &TdxBarNameEd::CloseQueryName);
  }

  TLabel* LName;
  TEdit* EName;
  TButton* BOK;
  TButton* BCancel;

private:
  void NameChange(TObject*) { BOK->SetEnabled(!EName->GetText().empty()); }
  void CloseQueryName(TObject*, bool& CanClose) { CanClose = AcceptsName(); }
  bool AcceptsName() {
    if (GetModalResult() != mrOk || FKind != bndToolbar || !FManager) return true;
    std::string Name = EName->GetText();
    TdxBar* Other = FManager->BarByCaption(Name);
    if (!Other || Other == FBar) return true;
    BarMessageBox(Format(BarString(dxSBAR_TOOLBAREXISTS), {Name}), MB_OK | MB_ICONERROR);
    return false;
  }
  TdxBarNameDialogKind FKind;
  TdxBar* FBar;
  TdxBarManager* FManager;
};
}  // namespace

bool ExecuteBarNameDialog(std::string& Name, TdxBarNameDialogKind Kind, TdxBarNameDialogMode Mode, TdxBar* Bar,
                          TdxBarManager* Manager) {
  TOwned<TdxBarNameEd> Dialog(TdxBarNameEd::Create(Kind, Bar, Manager));
  if (Kind == bndCategory) {
    Dialog->SetCaption(BarString(Mode == bndmNew ? dxSBAR_CATEGORYADD : dxSBAR_CATEGORYRENAME));
    Dialog->LName->SetCaption(BarString(dxSBAR_CATEGORYNAME));
  } else {
    Dialog->SetCaption(BarString(Mode == bndmNew ? dxSBAR_TOOLBARADD : dxSBAR_TOOLBARRENAME));
    Dialog->LName->SetCaption(BarString(dxSBAR_TOOLBARNAME));
  }
  Dialog->EName->SetText(Name);
  Dialog->BOK->SetEnabled(!Name.empty());
  Dialog->SetActiveControl(Dialog->EName);
  if (Dialog->ShowModal() != mrOk) return false;
  Name = Dialog->EName->GetText();
  return true;
}

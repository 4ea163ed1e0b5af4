#include "app/dialogs/RecordingWithoutSilenceForm.h"

#include <string>

#include "app/ControlLayout.h"
#include "app/GlobalVars.h"
#include "app/HelpViewer.h"
#include "app/dialogs/LevelKeyFilter.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Conversions.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/Panel.h"

namespace {

TEdit* AddValue(TForm* Form, TGroupBox* Group, int Top, const char* Caption, const char* Unit) {
  TLabel* L = AddControl<TLabel>(Form, Group, 12, Top + 4, 40, 14, Caption);
  TEdit* E = AddControl<TEdit>(Form, Group, 56, Top, 48, 21);
  E->SetMaxLength(3);
  E->SetText("0");
  L->SetFocusControl(E);
  AddControl<TLabel>(Form, Group, 110, Top + 4, 24, 14, Unit);
  return E;
}

}  // namespace

TRecordingWithoutSilenceForm::TRecordingWithoutSilenceForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Recording without silence", 312, 150);
  GroupBoxAttack = AddControl<TGroupBox>(this, 8, 6, 144, 98, "Attack");
  EditAttackTime = AddValue(this, GroupBoxAttack, 22, "Time:", "ms");
  EditAttackLevel = AddValue(this, GroupBoxAttack, 56, "Level:", "db");
  GroupBoxRelease = AddControl<TGroupBox>(this, 160, 6, 144, 98, "Release");
  EditReleaseLevel = AddValue(this, GroupBoxRelease, 22, "Level:", "db");
  EditReleaseTime = AddValue(this, GroupBoxRelease, 56, "Time:", "ms");
  for (TEdit* E : {EditAttackLevel, EditReleaseLevel})
    E->OnKeyPress = TKeyPressEvent(this, &TRecordingWithoutSilenceForm::EditLevelKeyPress);
  ButtonOK = AddControl<TButton>(this, 70, 116, 75, 25, "&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->OnClick = TNotifyEvent(this, &TRecordingWithoutSilenceForm::ButtonOKClick);
  ButtonCancel = AddControl<TButton>(this, 150, 116, 75, 25, "&Cancel");
  ButtonCancel->SetCancel(true);
  ButtonCancel->SetModalResult(mrCancel);
  ButtonHelp = AddControl<TButton>(this, 230, 116, 75, 25, "&Help");
  ButtonHelp->OnClick = TNotifyEvent(this, &TRecordingWithoutSilenceForm::ButtonHelpClick);
  OnShow = TNotifyEvent(this, &TRecordingWithoutSilenceForm::FormShow);
}

void TRecordingWithoutSilenceForm::ReadSettings() {
  const TGlobalVars& G = *GlobalVarsRecord;
  EditAttackTime->SetText(std::to_string(G.AccuAttackTime));
  EditAttackLevel->SetText(std::to_string(G.AccuAttackLevel));
  EditReleaseLevel->SetText(std::to_string(G.AccuReleaseLevel));
  EditReleaseTime->SetText(std::to_string(G.AccuReleaseTime));
}

void TRecordingWithoutSilenceForm::WriteSettings() {
  // Every text is read before any field changes.
  const int AttackTime = StrToInt(EditAttackTime->GetText());
  const int AttackLevel = StrToInt(EditAttackLevel->GetText());
  const int ReleaseLevel = StrToInt(EditReleaseLevel->GetText());
  const int ReleaseTime = StrToInt(EditReleaseTime->GetText());
  TGlobalVars& G = *GlobalVarsRecord;
  G.AccuAttackTime = AttackTime;
  G.AccuAttackLevel = AttackLevel;
  G.AccuReleaseLevel = ReleaseLevel;
  G.AccuReleaseTime = ReleaseTime;
}

void TRecordingWithoutSilenceForm::FormShow(TObject*) {
  // The design font stays: this dialog does not take the hint font.
  EditAttackTime->SetNumbersOnly(true);
  EditReleaseTime->SetNumbersOnly(true);
}

void TRecordingWithoutSilenceForm::EditLevelKeyPress(TObject* Sender, char& Key) {
  FilterLevelKey(static_cast<TEdit*>(Sender), Key);
}

void TRecordingWithoutSilenceForm::ButtonOKClick(TObject*) {
  const struct {
    TEdit* Edit;
    const char* Message;
  } Levels[] = {{EditAttackLevel, "Attack Level must be less than 0 and more than -90. Please try again."},
                {EditReleaseLevel, "Release Level must be less than 0 and more than -90. Please try again."}};
  for (const auto& L : Levels) {
    const int Value = StrToInt(L.Edit->GetText());
    if (Value < -90 || Value > 0) {
      L.Edit->SetFocus();
      Application->MessageBox(L.Message, Application->GetTitle(), MB_OK | MB_ICONERROR);
      return;
    }
  }
  SetModalResult(mrOk);
}

void TRecordingWithoutSilenceForm::ButtonHelpClick(TObject*) { ShowHelpTopic(GetHandle(), "AdvancedRecordingOptions"); }

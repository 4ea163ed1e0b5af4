#include "app/SelectTimeForm.h"

#include <algorithm>
#include <vector>

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/MainForm.h"
#include "app/TimeText.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/Shape.h"

namespace {

bool IsDigit(char C) { return C >= '0' && C <= '9'; }
// The colon follows "9" in the character set: digits and colons are one range.
bool IsDigitOrColon(char C) { return C >= '0' && C <= ':'; }

bool AllOf(const std::string& S, bool (*Test)(char)) { return std::all_of(S.begin(), S.end(), Test); }

// A piece of digits; empty reads 0, a number past 64 bits fails.
bool ReadPiece(const std::string& Piece, int64_t& Value) {
  Value = 0;
  for (char C : Piece)
    if (__builtin_mul_overflow(Value, 10, &Value) || __builtin_add_overflow(Value, C - '0', &Value)) return false;
  return true;
}

}  // namespace

int64_t TSelectSpecifiedTimeForm::ParseTimeText(const std::string& Text) {
  if (Text.empty()) return -1;
  const auto Colons = std::count(Text.begin(), Text.end(), ':');
  const auto Dots = std::count(Text.begin(), Text.end(), '.');
  const bool DigitsColonsDots = AllOf(Text, [](char C) { return IsDigitOrColon(C) || C == '.'; });
  const bool DigitsDots = AllOf(Text, [](char C) { return IsDigit(C) || C == '.'; });
  const bool DigitsColons = AllOf(Text, IsDigitOrColon);
  const size_t LastColon = Text.rfind(':');
  const size_t FirstDot = Text.find('.');
  const bool DotAfterColon = FirstDot != std::string::npos && (LastColon == std::string::npos || FirstDot > LastColon);

  // Each shape: the multipliers of the fields before the dot, and whether a
  // millisecond count follows it.
  std::vector<int64_t> Scales;
  bool HasMs = false;
  if (DigitsColonsDots && Colons == 2 && Dots == 1 && DotAfterColon) Scales = {3600000, 60000, 1000}, HasMs = true;
  else if (DigitsColonsDots && Colons == 1 && Dots == 1 && DotAfterColon) Scales = {60000, 1000}, HasMs = true;
  else if (DigitsDots && Dots == 1) Scales = {1000}, HasMs = true;
  else if (AllOf(Text, IsDigit)) Scales = {1000};
  else if (DigitsColons && Colons == 1) Scales = {60000, 1000};
  else if (DigitsColons && Colons == 2) Scales = {3600000, 60000, 1000};
  else return -1;

  const std::string Whole = HasMs ? Text.substr(0, FirstDot) : Text;
  std::vector<std::string> Pieces = SplitString(Whole, ':');
  std::vector<int64_t> Factors = Scales;
  if (HasMs) {
    Pieces.push_back(Text.substr(FirstDot + 1));
    Factors.push_back(1);
  }
  int64_t Total = 0;
  for (size_t I = 0; I < Pieces.size(); ++I) {
    int64_t Value = 0, Part = 0;
    if (!ReadPiece(Pieces[I], Value) || __builtin_mul_overflow(Value, Factors[I], &Part) ||
        __builtin_add_overflow(Total, Part, &Total))
      return -1;
  }
  return Total;
}

TSelectSpecifiedTimeForm::TSelectSpecifiedTimeForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Set Selection", 300, 150);
  LabelStart = AddControl<TLabel>(this, 12, 16, 140, 14, "Specified &Time Start:");
  EditStart = AddControl<TEdit>(this, 160, 12, 128, 21);
  labEnd = AddControl<TLabel>(this, 12, 44, 140, 14, "&Specified Time End:");
  EditEnd = AddControl<TEdit>(this, 160, 40, 128, 21);
  labLength = AddControl<TLabel>(this, 12, 72, 140, 14, "Specified Time &Length:");
  EditLength = AddControl<TEdit>(this, 160, 68, 128, 21);
  LabelStart->SetFocusControl(EditStart);
  labEnd->SetFocusControl(EditEnd);
  labLength->SetFocusControl(EditLength);
  Bevel = AddControl<TBevel>(this, 8, 102, 284, 2);
  AddOkCancelButtons(this, 132, 114, ButtonOK, ButtonCancel);
  ButtonOK->OnClick = TNotifyEvent(this, &TSelectSpecifiedTimeForm::ButtonOKClick);
  EditStart->OnEnter = TNotifyEvent(this, &TSelectSpecifiedTimeForm::EditStartEnter);
  EditStart->OnExit = TNotifyEvent(this, &TSelectSpecifiedTimeForm::EditStartExit);
  EditEnd->OnEnter = TNotifyEvent(this, &TSelectSpecifiedTimeForm::EditEndEnter);
  EditEnd->OnExit = TNotifyEvent(this, &TSelectSpecifiedTimeForm::EditEndExit);
  EditLength->OnEnter = TNotifyEvent(this, &TSelectSpecifiedTimeForm::EditLengthEnter);
  EditLength->OnExit = TNotifyEvent(this, &TSelectSpecifiedTimeForm::EditLengthExit);
  OnShow = TNotifyEvent(this, &TSelectSpecifiedTimeForm::FormShow);
}

void TSelectSpecifiedTimeForm::UpdateLengthText() { EditLength->SetText(FormatMsTime(SelEndMs - SelStartMs)); }

void TSelectSpecifiedTimeForm::FormShow(TObject*) {
  ApplyHintFont(this);
  SelStartMs = InitialStartMs;
  SelEndMs = InitialEndMs;
  if (MainFormInstance) {
    MainFormInstance->SpecifiedSelStart = InitialStartMs;
    MainFormInstance->SpecifiedSelEnd = InitialEndMs;
  }
  EditStart->SetText(FormatMsTime(SelStartMs));
  EditEnd->SetText(FormatMsTime(SelEndMs));
  UpdateLengthText();
}

void TSelectSpecifiedTimeForm::EditStartEnter(TObject*) { SavedStartText = EditStart->GetText(); }
void TSelectSpecifiedTimeForm::EditEndEnter(TObject*) { SavedEndText = EditEnd->GetText(); }
void TSelectSpecifiedTimeForm::EditLengthEnter(TObject*) { SavedLengthText = EditLength->GetText(); }

void TSelectSpecifiedTimeForm::EditStartExit(TObject*) {
  const int64_t V = ParseTimeText(EditStart->GetText());
  if (V < 0) {
    EditStart->SetText(SavedStartText);
    return;
  }
  if (V <= SelEndMs) {
    SelStartMs = static_cast<int>(V);
  } else {
    // A start past the end takes the end along, both kept inside the document.
    SelStartMs = SelEndMs = static_cast<int>(std::min<int64_t>(V, FileLengthMs));
    EditEnd->SetText(FormatMsTime(SelEndMs));
  }
  EditStart->SetText(FormatMsTime(SelStartMs));
  UpdateLengthText();
}

void TSelectSpecifiedTimeForm::EditEndExit(TObject*) {
  const int64_t V = ParseTimeText(EditEnd->GetText());
  if (V < 0) {
    EditEnd->SetText(SavedEndText);
    return;
  }
  SelEndMs = static_cast<int>(std::clamp<int64_t>(V, SelStartMs, std::max(SelStartMs, FileLengthMs)));
  EditEnd->SetText(FormatMsTime(SelEndMs));
  UpdateLengthText();
}

void TSelectSpecifiedTimeForm::EditLengthExit(TObject*) {
  const int64_t V = ParseTimeText(EditLength->GetText());
  if (V < 0) {
    EditLength->SetText(SavedLengthText);
    return;
  }
  SelEndMs = static_cast<int>(std::min<int64_t>(int64_t{SelStartMs} + V, FileLengthMs));
  EditEnd->SetText(FormatMsTime(SelEndMs));
  UpdateLengthText();
}

void TSelectSpecifiedTimeForm::ButtonOKClick(TObject*) {
  // Leaving the edit being typed in runs its exit rule first.
  ButtonOK->SetFocus();
  if (!MainFormInstance) return;
  MainFormInstance->SpecifiedSelStart = SelStartMs;
  MainFormInstance->SpecifiedSelEnd = SelEndMs;
}

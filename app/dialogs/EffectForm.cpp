#include "app/dialogs/EffectForm.h"

#include <windows.h>

#include "app/BusyCursor.h"
#include "app/ControlLayout.h"
#include "app/EffectPreviewService.h"
#include "app/FontReplacement.h"
#include "app/HelpViewer.h"
#include "app/dialogs/LevelKeyFilter.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Colors.h"
#include "framework/Conversions.h"
#include "framework/Edit.h"
#include "framework/Font.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Shape.h"
#include "framework/Timer.h"
#include "skins/ImageSlider.h"

TEffectPreviewService* EffectPreviewService = nullptr;

namespace {

template <class T>
T* AddNamed(TComponent* Owner, TWinControl* Parent, const std::string& Name, int Left, int Top, int Width,
            int Height, const std::string& Caption = {}) {
  T* Control = AddControl<T>(Owner, Parent, Left, Top, Width, Height, Caption);
  Control->SetName(Name);
  return Control;
}

TLabel* AddScaleLabel(TComponent* Owner, TWinControl* Parent, const std::string& Name, int Left, int Top,
                      const char* Caption, TAlignment Alignment) {
  TLabel* Label = AddNamed<TLabel>(Owner, Parent, Name, Left, Top, 100, 14);
  Label->SetAutoSize(false);
  Label->SetAlignment(Alignment);
  Label->SetCaption(Caption);
  return Label;
}

}  // namespace

TEffectForm::TEffectForm(TComponent* AOwner) : TForm(AOwner) {
  OnShow = TNotifyEvent(this, &TEffectForm::FormShow);
}

void TEffectForm::BeginEffectForm(const std::string& Caption, int PreviewId, TEffectOk Ok) {
  InitDialogForm(this, Caption, 340, 100);
  FPreviewId = PreviewId;
  FOk = Ok;
}

namespace {

constexpr int kMargin = 12, kDialogWidth = 340;

}  // namespace

void TEffectForm::BuildEditDialog(const TEffectEditSpec& Spec, std::span<const TEffectPreset> Presets,
                                  const char* PresetLabelName) {
  int Top = 14;
  const int Width = kDialogWidth - 2 * kMargin;
  AddEditParameter(this, kMargin, Top, Width, Spec.LabelName, Spec.Caption, Spec.EditName, Spec.MaxLength,
                   Spec.Field);
  AddPresetRow(this, kMargin, Top, Width, Presets, PresetLabelName);
  AddButtons(Top + 34, kDialogWidth);
}

void TEffectForm::BuildPairDialog(std::span<const TEffectPairSpec> Pairs,
                                  std::span<int32_t TGlobalVars::* const> Fields,
                                  std::span<const TEffectPreset> Presets) {
  int Top = 10;
  const int Width = kDialogWidth - 2 * kMargin;
  for (size_t I = 0; I < Pairs.size(); ++I) AddPair(this, kMargin, Top, Width, Pairs[I], Fields[I]);
  AddPresetRow(this, kMargin, Top, Width, Presets);
  AddButtons(Top + 34, kDialogWidth);
}

const TEffectForm::TParameter& TEffectForm::AddPair(TWinControl* Parent, int Left, int& Top, int Width,
                                                    const TEffectPairSpec& Spec, int32_t TGlobalVars::*Field) {
  const std::string Name = Spec.Name;
  TParameter P;
  P.Field = Field;
  P.KeyFilter = Spec.KeyFilter;
  P.Label = AddNamed<TLabel>(this, Parent, Spec.LabelName ? Spec.LabelName : "Label" + Name, Left, Top + 3,
                             Width - 80, 14, Spec.Caption);
  P.Edit = AddNamed<TEdit>(this, Parent, "Edit" + Name, Left + Width - 64, Top, 64, 21);
  P.Edit->SetMaxLength(Spec.MaxLength);
  P.Edit->OnChange = TNotifyEvent(this, &TEffectForm::EditChange);
  P.Edit->OnExit = TNotifyEvent(this, &TEffectForm::EditExit);
  if (Spec.KeyFilter) P.Edit->OnKeyPress = TKeyPressEvent(this, &TEffectForm::EditThresholdKeyPress);
  P.Label->SetFocusControl(P.Edit);
  P.Slider = AddNamed<TImageSlider>(this, Parent, "ImageSlider" + Name, Left, Top + 24, Width, 24);
  P.Slider->SetMinValue(Spec.Min);
  P.Slider->SetMaxValue(Spec.Max);
  P.Slider->SetIncrement(1);
  P.Slider->SetOptions({soSmooth});
  P.Slider->OnChange = TNotifyEvent(this, &TEffectForm::ImageSliderChange);
  P.LabelMin = AddScaleLabel(this, Parent, Spec.MinName ? Spec.MinName : "Label" + Name + "Min", Left, Top + 50,
                             Spec.MinText, taLeftJustify);
  P.LabelMax = AddScaleLabel(this, Parent, Spec.MaxName ? Spec.MaxName : "Label" + Name + "Max",
                             Left + Width - 100, Top + 50, Spec.MaxText, taRightJustify);
  Top += 70;
  FParams.push_back(P);
  return FParams.back();
}

const TEffectForm::TParameter& TEffectForm::AddEditParameter(TWinControl* Parent, int Left, int& Top, int Width,
                                                             const char* LabelName, const char* Caption,
                                                             const char* EditName, int MaxLength,
                                                             int32_t TGlobalVars::*Field) {
  TParameter P;
  P.Field = Field;
  P.Label = AddNamed<TLabel>(this, Parent, LabelName, Left, Top + 3, Width - 80, 14, Caption);
  P.Edit = AddNamed<TEdit>(this, Parent, EditName, Left + Width - 64, Top, 64, 21);
  P.Edit->SetMaxLength(MaxLength);
  P.Label->SetFocusControl(P.Edit);
  Top += 32;
  FParams.push_back(P);
  return FParams.back();
}

const TEffectForm::TParameter& TEffectForm::AddSliderParameter(TImageSlider* Slider, TLabel* Label,
                                                               int32_t TGlobalVars::*Field) {
  TParameter P;
  P.Field = Field;
  P.Slider = Slider;
  P.Label = Label;
  FParams.push_back(P);
  return FParams.back();
}

void TEffectForm::AddPresetRow(TWinControl* Parent, int Left, int Top, int Width,
                               std::span<const TEffectPreset> Presets, const char* LabelName) {
  FPresets = Presets;
  LabelPreset = AddNamed<TLabel>(this, Parent, LabelName, Left, Top + 3, 60, 14, "&Presets:");
  ComboBoxPreset = AddNamed<TComboBox>(this, Parent, "ComboBoxPreset", Left + 64, Top, Width - 64, 21);
  ComboBoxPreset->SetStyle(csDropDownList);
  ComboBoxPreset->SetDropDownCount(16);
  ComboBoxPreset->GetItems()->Add("Select Preset");
  for (const TEffectPreset& Preset : Presets) ComboBoxPreset->GetItems()->Add(Preset.Name);
  ComboBoxPreset->SetItemIndex(0);
  ComboBoxPreset->OnChange = TNotifyEvent(this, &TEffectForm::ComboBoxPresetChange);
  LabelPreset->SetFocusControl(ComboBoxPreset);
}

void TEffectForm::AddButtons(int Top, int ClientWidth, bool WithBevel) {
  SetClientWidth(ClientWidth);
  if (WithBevel) {
    Bevel = AddNamed<TBevel>(this, this, "Bevel", 8, Top, ClientWidth - 16, 2);
    Bevel->SetShape(bsTopLine);
  }
  const int ButtonTop = Top + 10;
  int Left = ClientWidth - 8 - 4 * 75 - 3 * 6;
  if (FPreviewId != 0) {
    ButtonPreview = AddNamed<TButton>(this, this, "ButtonPreview", Left, ButtonTop, 75, 25, "&Preview");
    ButtonPreview->OnClick = TNotifyEvent(this, &TEffectForm::ButtonPreviewClick);
    TimerMonitor = TTimer::Create(this);
    TimerMonitor->SetName("TimerMonitor");
    TimerMonitor->SetInterval(50);
    TimerMonitor->SetEnabled(false);
    TimerMonitor->OnTimer = TNotifyEvent(this, &TEffectForm::TimerMonitorTimer);
  }
  Left += 81;
  AddOkCancelButtons(this, Left, ButtonTop, ButtonOK, ButtonCancel);
  ButtonOK->SetName("ButtonOK");
  ButtonCancel->SetName("ButtonCancel");
  // AddOkCancelButtons puts Cancel 82 to the right; the four keep one spacing.
  ButtonCancel->SetLeft(Left + 81);
  if (FOk != TEffectOk::Plain) ButtonOK->OnClick = TNotifyEvent(this, &TEffectForm::ButtonOKClick);
  if (FOk == TEffectOk::Validates) ButtonOK->SetModalResult(mrNone);
  ButtonHelp = AddNamed<TButton>(this, this, "ButtonHelp", Left + 162, ButtonTop, 75, 25, "&Help");
  ButtonHelp->OnClick = TNotifyEvent(this, &TEffectForm::ButtonHelpClick);
  SetClientHeight(ButtonTop + 25 + 8);
}

TEffectForm::TParameter* TEffectForm::ParameterOf(TObject* Control) {
  for (TParameter& P : FParams)
    if (P.Slider == Control || P.Edit == Control) return &P;
  return nullptr;
}

// --- Settings ---

void TEffectForm::ReadSettings() {
  const TGlobalVars& G = *GlobalVarsRecord;
  for (const TParameter& P : FParams) {
    if (P.Slider) P.Slider->SetValue(G.*P.Field);
    else P.Edit->SetText(IntToStr(G.*P.Field));
  }
}

void TEffectForm::WriteSettings() {
  std::vector<int> Values;
  for (const TParameter& P : FParams) Values.push_back(P.Slider ? P.Slider->GetValue() : StrToInt(P.Edit->GetText()));
  TGlobalVars& G = *GlobalVarsRecord;
  if (FPreviewId != 0) G.PreviewOperationTypes = FPreviewId;
  for (size_t I = 0; I < FParams.size(); ++I) G.*FParams[I].Field = Values[I];
}

void TEffectForm::ApplyValues(std::span<const int> Values) {
  for (size_t I = 0; I < FParams.size() && I < Values.size(); ++I) {
    const TParameter& P = FParams[I];
    if (P.Slider) P.Slider->SetValue(Values[I]);
    else P.Edit->SetText(IntToStr(Values[I]));
  }
}

// --- Showing, presets, locking, help ---

void TEffectForm::FormShow(TObject*) {
  ApplyHintFont(this);
  for (const TParameter& P : FParams)
    if (P.Edit && !P.KeyFilter) P.Edit->SetNumbersOnly(true);
  for (const TParameter& P : FParams)
    if (P.Slider && P.Edit) ImageSliderChange(P.Slider);
  if (FPreviewId != 0) {
    if (EffectPreviewService) EffectPreviewService->PreviewPlaying = false;
    TimerMonitor->SetEnabled(false);
  }
}

void TEffectForm::ComboBoxPresetChange(TObject*) {
  const int Index = ComboBoxPreset->GetItemIndex();
  if (Index < 1 || Index > static_cast<int>(FPresets.size())) return;
  ApplyValues(FPresets[static_cast<size_t>(Index - 1)].Values);
}

void TEffectForm::EnableControls(bool Enabled) {
  for (const TParameter& P : FParams) {
    for (TControl* C : {static_cast<TControl*>(P.Label), static_cast<TControl*>(P.Slider),
                        static_cast<TControl*>(P.LabelMin), static_cast<TControl*>(P.LabelMax)})
      if (C) C->SetEnabled(Enabled);
    if (P.Edit) P.Edit->SetReadOnly(!Enabled);
  }
  for (TControl* C : FLocked) C->SetEnabled(Enabled);
  for (TControl* C : {static_cast<TControl*>(LabelPreset), static_cast<TControl*>(ComboBoxPreset),
                      static_cast<TControl*>(ButtonOK), static_cast<TControl*>(ButtonCancel),
                      static_cast<TControl*>(ButtonHelp), static_cast<TControl*>(ButtonPreview)})
    if (C) C->SetEnabled(Enabled);
}

void TEffectForm::ButtonHelpClick(TObject*) { ShowHelpTopic(GetHandle(), "Effects"); }

// --- Preview ---

void TEffectForm::ButtonPreviewClick(TObject*) {
  TBusyScope Busy;
  TEffectPreviewService* Service = EffectPreviewService;
  if (!Service) return;
  if (Service->PreviewPlaying) {
    ButtonPreview->SetCaption("&Preview");
    Service->StopPreview();
    return;
  }
  EnableControls(false);
  ButtonPreview->SetCaption("&Stop");
  try {
    WriteSettings();
    Service->StartPreview();
  } catch (...) {
    // Nothing plays: the dialog is the user's again.
    EnableControls(true);
    ButtonPreview->SetCaption("&Preview");
    throw;
  }
  TimerMonitor->SetEnabled(true);
}

void TEffectForm::TimerMonitorTimer(TObject*) {
  TEffectPreviewService* Service = EffectPreviewService;
  if (!Service || !Service->TransformRunning) EnableControls(true);
  if (Service && Service->PreviewPlaying) return;
  ButtonPreview->SetCaption("&Preview");
  TimerMonitor->SetEnabled(false);
}

// --- OK ---

bool TEffectForm::CheckValue() {
  TEdit* Edit = FParams.front().Edit;
  const int Value = StrToInt(Edit->GetText());
  const char* Refusal = Value > FCheck.Max ? FCheck.TooHigh : Value < FCheck.Min ? FCheck.TooLow : nullptr;
  if (!Refusal) return true;
  Edit->SetFocus();
  Application->MessageBox(Refusal, Application->GetTitle(), MB_OK | MB_ICONERROR);
  return false;
}

void TEffectForm::EditCheckExit(TObject*) { CheckValue(); }

void TEffectForm::ButtonOKClick(TObject*) {
  if (FOk == TEffectOk::FocusesFirst) {
    // The edit being left settles its value before the dialog closes.
    ButtonOK->SetFocus();
    return;
  }
  if (FOk != TEffectOk::Validates) return;
  TEdit* Edit = FParams.front().Edit;
  if (FCheck.OnExit && Edit->Focused()) {
    // Leaving the edit checks it and tells the user; OK then only looks.
    ButtonOK->SetFocus();
    int Value = 0;
    if (TryStrToInt(Edit->GetText(), Value) && Value >= FCheck.Min && Value <= FCheck.Max) SetModalResult(mrOk);
    return;
  }
  if (CheckValue()) SetModalResult(mrOk);
}

// --- Slider and edit pairs ---

void TEffectForm::ImageSliderChange(TObject* Sender) {
  if (TParameter* P = ParameterOf(Sender); P && P->Edit) P->Edit->SetText(Format("%d", {P->Slider->GetValue()}));
}

void TEffectForm::EditChange(TObject* Sender) {
  TParameter* P = ParameterOf(Sender);
  if (!P || !P->Slider) return;
  int Value = 0;
  if (!TryStrToInt(P->Edit->GetText(), Value) || Value < P->Slider->GetMinValue() ||
      Value > P->Slider->GetMaxValue()) {
    P->Edit->GetFont()->SetColor(clRed);
    return;
  }
  P->Edit->GetFont()->SetColor(clWindowText);
  P->Slider->SetValue(Value);
}

void TEffectForm::EditExit(TObject* Sender) {
  TParameter* P = ParameterOf(Sender);
  if (!P || !P->Slider) return;
  int Value = 0;
  const bool Number = TryStrToInt(P->Edit->GetText(), Value);
  if (!Number || Value < P->Slider->GetMinValue()) P->Edit->SetText(IntToStr(P->Slider->GetMinValue()));
  else if (Value > P->Slider->GetMaxValue()) P->Edit->SetText(IntToStr(P->Slider->GetMaxValue()));
}

void TEffectForm::EditThresholdKeyPress(TObject* Sender, char& Key) {
  FilterLevelKey(static_cast<TEdit*>(Sender), Key);
}

#include "app/dialogs/RecordControlForm.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "app/BusyCursor.h"
#include "app/ControlLayout.h"
#include "app/DialogPlacement.h"
#include "app/Drives.h"
#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/HelpViewer.h"
#include "app/ShellFolders.h"
#include "app/dialogs/RecordingClock.h"
#include "app/dialogs/RecordingTimerForm.h"
#include "app/dialogs/RecordingWithoutSilenceForm.h"
#include "deAudio/Source/AudioControlSource.h"
#include "deAudio/Source/AudioIO.h"
#include "engine/TAudioFile2.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/DateTimePicker.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/OwnedObject.h"
#include "framework/Panel.h"
#include "framework/RangeControls.h"
#include "framework/StringLists.h"
#include "framework/Timer.h"
#include "framework/MemoryStreams.h"
#include "framework/Unicode.h"
#include "res/ResourceIds.h"
#include "skins/SkinButton.h"
#include "skins/SkinCheckRadioBox.h"
#include "skins/SkinData.h"
#include "skins/SkinGauge.h"
#include "skins/SkinPngImage.h"
#include "skins/SkinPngImageList.h"
#include "skins/SkinStore.h"
#include "skins/SkinTrackBar.h"

namespace {

constexpr TColor kOrange = 0x4080FF;  // red 255, green 128, blue 64
constexpr TColor kSkinBack = 0x342A26;  // the skin's own background
constexpr TColor kLink = 0xFFAA78;
constexpr int kGaugeTop = 32512;      // the gauges' end: louder is too loud
constexpr int kVolumeMax = 65535;

TTimer* AddTimer(TComponent* Owner, unsigned Interval, bool Enabled, TNotifyEvent OnTimer) {
  TTimer* T = TTimer::Create(Owner);
  T->SetEnabled(false);
  T->SetInterval(Interval);
  T->OnTimer = OnTimer;
  T->SetEnabled(Enabled);
  return T;
}

// A resource of the program's as a stream; null when the program has none.
TOwned<TResourceStream> ProgramResource(int Id) {
  if (!FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(Id), RT_RCDATA))
    return nullptr;
  return TOwned<TResourceStream>(TResourceStream::Create(GetModuleHandleW(nullptr), Id, RT_RCDATA));
}

}  // namespace

const char* const TRecordControlForm::AdjustSourceHelpAddress = "https://sonvelt.example/help/recording-source";

void TRecordControlForm::SystemLaunch(const std::string& CommandLine) {
  std::wstring Line = Utf8ToWide(CommandLine);
  STARTUPINFOW Start{};
  Start.cb = sizeof Start;
  Start.dwFlags = STARTF_USESHOWWINDOW;
  Start.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION Process{};
  if (CreateProcessW(nullptr, Line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Start, &Process)) {
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
  }
}

TAction* TRecordControlForm::AddAction(const std::string& Caption, void (TRecordControlForm::*Handler)(TObject*)) {
  TAction* A = TAction::Create(this);
  A->SetActionList(ActionList);
  A->SetCaption(Caption);
  A->OnExecute = TNotifyEvent(this, Handler);
  return A;
}

TRecordControlForm::TRecordControlForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Recording", 520, 382);
  SetColor(kSkinBack);
  GetFont()->SetColor(clWhite);
  spCompressedStoredSkin = TspCompressedStoredSkin::Create(this);
  spCompressedStoredSkin->SetFileName("cool.skn");
  if (TOwned<TResourceStream> Skin = ProgramResource(IDR_COOLSKIN))
    spCompressedStoredSkin->LoadFromCompressedStream(Skin.get());
  spSkinData = TspSkinData::Create(this);
  spSkinData->SetCompressedStoredSkin(spCompressedStoredSkin);
  spPngImageList = TspPngImageList::Create(this);
  spPngImageList->SetPngWidth(24);
  spPngImageList->SetPngHeight(24);
  for (int Id : {IDP_REC_RECORD, IDP_REC_PAUSE, IDP_REC_DELETE, IDP_REC_TIMER, IDP_REC_MIXER, IDP_REC_SILENCE}) {
    auto* Item = static_cast<TspPngImageItem*>(spPngImageList->GetPngImages()->Add());
    if (TOwned<TResourceStream> Png = ProgramResource(Id)) Item->GetPngImage()->LoadFromStream(Png.get());
  }
  ActionList = TActionList::Create(this);
  ActionList->OnUpdate = TActionEventHandler(this, &TRecordControlForm::ActionListUpdate);
  ActionRecord = AddAction("Record", &TRecordControlForm::ActionRecordExecute);
  ActionPause = AddAction("Pause", &TRecordControlForm::ActionPauseExecute);
  ActionDelete = AddAction("Delete", &TRecordControlForm::ActionDeleteExecute);
  ActionTimerRecord = AddAction("Timer Record", &TRecordControlForm::ActionTimerRecordExecute);
  ActionWindowsMixer = AddAction("Windows Mixer", &TRecordControlForm::ActionWindowsMixerExecute);
  ActionSettings = AddAction("Settings", &TRecordControlForm::ActionSettingsExecute);
  ActionKeep = AddAction("&Keep", &TRecordControlForm::ActionKeepExecute);
  ActionDiscard = AddAction("&Discard", &TRecordControlForm::ActionDiscardExecute);
  ActionHelp = AddAction("&Help", &TRecordControlForm::ActionHelpExecute);

  PanelTime = AddControl<TPanel>(this, 8, 8, 344, 56);
  PanelTime->SetColor(clBlack);
  PanelTime->SetBevelOuter(bvLowered);
  LabelTime = AddControl<TLabel>(this, PanelTime, 4, 8, 336, 40, "00:00:00:000");
  LabelTime->SetAutoSize(false);
  LabelTime->SetAlignment(taCenter);
  LabelTime->SetParentFont(false);
  LabelTime->GetFont()->SetName("Tahoma");
  LabelTime->GetFont()->SetHeight(-32);
  LabelTime->GetFont()->SetStyle({fsBold});
  LabelTime->GetFont()->SetColor(clWhite);
  LabelTime->SetBounds(4, 8, 336, 40);
  LabelLabelStatus = AddControl<TLabel>(this, 8, 70, 200, 14, "[ ]");

  const struct {
    TspSkinButton** Button;
    TAction* Action;
    int Left, Top;
  } Transport[] = {{&ButtonRecord, ActionRecord, 8, 90},          {&ButtonPause, ActionPause, 101, 90},
                   {&ButtonDelete, ActionDelete, 194, 90},        {&ButtonTimerRecord, ActionTimerRecord, 8, 126},
                   {&ButtonWindowsMixer, ActionWindowsMixer, 101, 126}, {&ButtonSettings, ActionSettings, 194, 126}};
  int Glyph = 0;
  for (const auto& T : Transport) {
    TspSkinButton* B = AddControl<TspSkinButton>(this, T.Left, T.Top, 87, 30);
    B->SetSkinDataName("button");
    B->SetImageList(spPngImageList);
    B->SetImageIndex(Glyph++);
    B->SetSkinData(spSkinData);
    B->SetAction(T.Action);
    *T.Button = B;
  }

  TLabel* LabelDevice = AddControl<TLabel>(this, 8, 172, 60, 14, "Device:");
  ComboBoxDevice = AddControl<TComboBox>(this, 70, 168, 282, 21);
  ComboBoxDevice->SetStyle(csDropDownList);
  ComboBoxDevice->GetFont()->SetColor(clWindowText);
  ComboBoxDevice->OnChange = TNotifyEvent(this, &TRecordControlForm::ComboBoxDeviceChange);
  LabelDevice->SetFocusControl(ComboBoxDevice);
  TLabel* LabelMixer = AddControl<TLabel>(this, 8, 200, 60, 14, "Line In:");
  ComboBoxMixer = AddControl<TComboBox>(this, 70, 196, 282, 21);
  ComboBoxMixer->SetStyle(csDropDownList);
  ComboBoxMixer->GetFont()->SetColor(clWindowText);
  ComboBoxMixer->OnChange = TNotifyEvent(this, &TRecordControlForm::ComboBoxMixerChange);
  LabelMixer->SetFocusControl(ComboBoxMixer);
  CheckRecordingWithoutSilence = AddControl<TspSkinCheckRadioBox>(this, 8, 226, 220, 21, "Recording without silence");
  CheckRecordingWithoutSilence->SetSkinDataName("checkradio");
  CheckRecordingWithoutSilence->SetFlat(true);
  CheckRecordingWithoutSilence->GetDefaultFont()->SetColor(clWhite);
  CheckRecordingWithoutSilence->SetSkinData(spSkinData);
  CheckRecordingWithoutSilence->OnClick = TNotifyEvent(this, &TRecordControlForm::CheckRecordingWithoutSilenceClick);
  LabelStopAfter = AddControl<TLabel>(this, 8, 254, 344, 14, "Recording stops after: 00:00:00");
  LabelStopAfter->SetVisible(false);
  LabelRecordingTimer = AddControl<TLabel>(this, 8, 272, 344, 14, "Recording Timer...");
  LabelRecordingTimer->SetVisible(false);
  LabelAdjustInVista = AddControl<TLabel>(this, 8, 296, 220, 14, "Adjust audio source in Vista");
  LabelAdjustInVista->SetParentFont(false);
  LabelAdjustInVista->GetFont()->SetColor(kLink);
  LabelAdjustInVista->GetFont()->SetStyle({fsUnderline});
  LabelAdjustInVista->SetCursor(crHandPoint);
  LabelAdjustInVista->OnClick = TNotifyEvent(this, &TRecordControlForm::LabelAdjustInVistaClick);

  AddControl<TLabel>(this, 364, 8, 40, 14, "100 %");
  ImageSliderVolume = AddControl<TspSkinTrackBar>(this, 375, 24, 18, 193);
  ImageSliderVolume->SetSkinDataName("trackbar");
  ImageSliderVolume->SetVertical(true);
  ImageSliderVolume->SetMaxValue(kVolumeMax);
  ImageSliderVolume->SetJumpWhenClick(true);
  ImageSliderVolume->SetCanFocused(false);
  ImageSliderVolume->SetSkinData(spSkinData);
  ImageSliderVolume->OnChange = TNotifyEvent(this, &TRecordControlForm::ImageSliderVolumeChange);
  AddControl<TLabel>(this, 372, 220, 40, 14, "0 %");
  LabelCurrent = AddControl<TLabel>(this, 400, 114, 40, 14, ".. %");
  const struct {
    TspSkinGauge** Gauge;
    int Left;
    const char *Caption, *Area;
  } Gauges[] = {{&spSkinGaugeLeft, 452, "L", "LeftGauge"}, {&spSkinGaugeRight, 480, "R", "RightGauge"}};
  for (const auto& G : Gauges) {
    TspSkinGauge* Gauge = AddControl<TspSkinGauge>(this, G.Left, 24, 19, 193);
    Gauge->SetSkinDataName("gauge");
    Gauge->SetAreaName(G.Area);
    Gauge->SetVertical(true);
    Gauge->SetMaxValue(kGaugeTop);
    Gauge->SetValue(0);
    Gauge->SetSkinData(spSkinData);
    AddControl<TLabel>(this, G.Left + 6, 220, 10, 14, G.Caption);
    *G.Gauge = Gauge;
  }
  LabelVolumeTooHigh = AddControl<TLabel>(this, 400, 244, 112, 14, "Volume is too high!");
  LabelVolumeTooHigh->SetParentFont(false);
  LabelVolumeTooHigh->GetFont()->SetColor(0x4040FF);
  LabelVolumeTooHigh->SetVisible(false);

  const struct {
    TButton** Button;
    TAction* Action;
    int Left;
  } Closing[] = {{&ButtonKeep, ActionKeep, 276}, {&ButtonDiscard, ActionDiscard, 356}, {&ButtonHelp, ActionHelp, 436}};
  for (const auto& C : Closing) {
    *C.Button = AddControl<TButton>(this, C.Left, 346, 75, 25);
    (*C.Button)->SetAction(C.Action);
  }
  ButtonDiscard->SetCancel(true);

  TimerTimeDisplay = AddTimer(this, 40, false, TNotifyEvent(this, &TRecordControlForm::TimerTimeDisplayTimer));
  TimerAutoStop = AddTimer(this, 50, false, TNotifyEvent(this, &TRecordControlForm::TimerAutoStopTimer));
  TimerAutoStart = AddTimer(this, 50, false, TNotifyEvent(this, &TRecordControlForm::TimerAutoStartTimer));
  TimerDeLevel = AddTimer(this, 5, true, TNotifyEvent(this, &TRecordControlForm::TimerDeLevelTimer));

  AudioRecord = RecorderClass.Create(this);
  AudioRecord->OnEndArrayRecord = TNotifyEvent(this, &TRecordControlForm::AudioRecordEndArrayRecord);
  AudioFile = TAudioFile2::Create(this);
  deAudioIn = TdeAudioIn::Create(this);
  deAudioIn->SetAutoOpen(false);
  deAudioIn->SetBufferSize(22050);
  TdeWaveFormat* F = deAudioIn->GetFormat();
  F->SetChannels(2);
  F->SetSamplesPerSec(44100);
  F->SetBitsPerSample(16);
  F->SetBlockAlign(4);
  F->SetAvgBytesPerSec(176400);
  deAudioControlSource = TdeAudioControlSource::Create(this);
  deAudioControlSource->SetAudioSource(deAudioIn);
  deAudioControlSource->OnDataChanged = TNotifyEvent(this, &TRecordControlForm::deAudioControlSourceDataChanged);

  OnShow = TNotifyEvent(this, &TRecordControlForm::FormShow);
  OnClose = TCloseEvent(this, &TRecordControlForm::FormClose);
}

TRecordControlForm::~TRecordControlForm() = default;

void TRecordControlForm::ShowBox(const std::string& Text, UINT Icon) {
  Application->MessageBox(Text, Application->GetTitle(), MB_OK | Icon);
}

void TRecordControlForm::FormShow(TObject*) {
  LabelAdjustInVista->SetVisible(IsVistaOrLater());
  AudioRecord->SetFormat(44100, 2);

  int Preselect = AudioRecord->GetDefaultDevice();
  const int Count = AudioRecord->GetDeviceCount();
  ComboBoxDevice->GetItems()->Clear();
  FDeviceNumbers.clear();
  for (int I = 1; I <= Count; ++I) {
    AudioRecord->SelectDevice(I);
    if (AudioRecord->IsDeviceUsable()) {
      ComboBoxDevice->GetItems()->Add(AudioRecord->GetDeviceName());
      FDeviceNumbers.push_back(I);
    } else if (I == Preselect) {
      ++Preselect;
    }
  }
  if (Preselect > Count) Preselect = 0;
  AudioRecord->SelectDevice(Preselect);
  const auto Item = std::find(FDeviceNumbers.begin(), FDeviceNumbers.end(), Preselect);
  ComboBoxDevice->SetItemIndex(Preselect && Item != FDeviceNumbers.end() ? int(Item - FDeviceNumbers.begin()) : -1);

  ListInputLines();
  ApplySelectedLine();

  Recording = Paused = false;
  StartTime = PauseTime = PausedTotal = StopTimerStart = 0;
  AutoStartEnabled = StopAfterEnabled = false;
  TimerAutoStart->SetEnabled(false);
  TimerAutoStop->SetEnabled(false);
  NothingToKeep = true;
  PanelTime->SetDoubleBuffered(true);
  CheckRecordingWithoutSilence->SetChecked(GlobalVarsRecord->AccuEnabled);
  OpenLevelCapture();
  UpdateState();
}

void TRecordControlForm::FormClose(TObject*, TCloseAction&) {
  // The file is complete before the opener takes it or deletes it.
  StopRecording();
  try {
    deAudioIn->SetActive(false);
  } catch (const Exception&) {
  }
}

void TRecordControlForm::OpenLevelCapture() {
  try {
    deAudioIn->SetActive(false);
    const int Device = AudioRecord->GetSelectedDevice();
    deAudioIn->SetDeviceID(Device > 0 ? Device - 1 : TdeCustomAudioIn::WaveMapper);
    deAudioIn->SetActive(true);
  } catch (const Exception& E) {
    FPeakLeft = FPeakRight = 0;
    spSkinGaugeLeft->SetValue(0);
    spSkinGaugeRight->SetValue(0);
    if (FLevelErrorTold) return;
    FLevelErrorTold = true;
    ShowBox(E.GetMessage(), MB_ICONERROR);
  }
}

void TRecordControlForm::ListInputLines() {
  ComboBoxMixer->GetItems()->Clear();
  const int Count = AudioRecord->GetLineCount();
  if (Count <= 0) {
    ShowBox("No Line In detected. Please check the audio device.", MB_ICONERROR);
    return;
  }
  int Selected = 0;
  for (int J = 1; J <= Count; ++J) {
    AudioRecord->SelectLine(J);
    ComboBoxMixer->GetItems()->Add(AudioRecord->GetLineName());
    if (AudioRecord->IsLineSelected()) Selected = J - 1;
  }
  ComboBoxMixer->SetItemIndex(Selected);
}

void TRecordControlForm::ApplySelectedLine() {
  const int Index = ComboBoxMixer->GetItemIndex();
  if (Index < 0) {
    ImageSliderVolume->SetEnabled(false);
    return;
  }
  AudioRecord->SelectLine(Index + 1);
  AudioRecord->SetLineSelected(true);
  ImageSliderVolume->SetEnabled(AudioRecord->HasLineVolume());
  // The bar shows the line's volume; it is not written back.
  FUpdatingVolume = true;
  ImageSliderVolume->SetValue(AudioRecord->GetLineVolume());
  ImageSliderVolumeChange(this);
  FUpdatingVolume = false;
}

void TRecordControlForm::ComboBoxDeviceChange(TObject*) {
  const int Index = ComboBoxDevice->GetItemIndex();
  if (Index < 0 || size_t(Index) >= FDeviceNumbers.size()) return;
  AudioRecord->SelectDevice(FDeviceNumbers[size_t(Index)]);
  ListInputLines();
  ApplySelectedLine();
  OpenLevelCapture();
}

void TRecordControlForm::ComboBoxMixerChange(TObject*) { ApplySelectedLine(); }

void TRecordControlForm::ImageSliderVolumeChange(TObject*) {
  const int Value = ImageSliderVolume->GetValue();
  const int Index = ComboBoxMixer->GetItemIndex();
  if (Index >= 0 && !FUpdatingVolume) {
    AudioRecord->SelectLine(Index + 1);
    AudioRecord->SetLineVolume(Value);
  }
  LabelCurrent->SetCaption(std::to_string(Value * 100 / kVolumeMax) + " %");
}

void TRecordControlForm::ApplyRecordFormat() {
  AudioRecord->SetFormat(RecordSampleRate, RecordChannels);
  AudioFile->SetWavFormat(RecordSampleRate, RecordChannels, 16);
}

void TRecordControlForm::ApplySilenceSkipping() {
  const TGlobalVars& G = *GlobalVarsRecord;
  AudioRecord->SetSkipSilence(G.AccuEnabled);
  AudioRecord->SetAttackLevel(G.AccuAttackLevel);
  AudioRecord->SetAttackTime(G.AccuAttackTime);
  AudioRecord->SetReleaseLevel(G.AccuReleaseLevel);
  AudioRecord->SetReleaseTime(G.AccuReleaseTime);
}

void TRecordControlForm::SetTimeColor(int Color) { LabelTime->GetFont()->SetColor(Color); }

void TRecordControlForm::ShowTime(std::int64_t Ms) {
  Ms = std::max<std::int64_t>(Ms, 0);
  LabelTime->SetCaption(Format("%.2d:%.2d:%.2d:%.3d", {int(Ms / 3600000), int(Ms / 60000 % 60), int(Ms / 1000 % 60),
                                                       int(Ms % 1000)}));
}

void TRecordControlForm::ShowStopAfter(std::int64_t Ms) {
  // Whole seconds still to go, counted up: the last second shows as 00:00:01.
  const std::int64_t S = (std::max<std::int64_t>(Ms, 0) + 999) / 1000;
  LabelStopAfter->SetCaption(
      Format("Recording stops after: %.2d:%.2d:%.2d", {int(S / 3600), int(S / 60 % 60), int(S % 60)}));
}

void TRecordControlForm::CancelTimedStop() {
  StopAfterEnabled = false;
  TimerAutoStop->SetEnabled(false);
}

bool TRecordControlForm::StartRecording(const std::string& FileName) {
  ApplyRecordFormat();
  AudioFile->CreateForWriting(FileName, 1);
  AudioRecord->SetFormat(AudioFile->GetPcmSampleRate(), AudioFile->GetPcmChannels());
  ApplySilenceSkipping();
  BlockSize = AudioRecord->GetBlockSize();
  AudioRecord->SetBlockSize(BlockSize);
  AudioRecord->StartCapture();
  if (AudioRecord->GetErrorState() != 0) {
    ShowBox("Error when start recording.", MB_ICONERROR);
    StopRecording();
    return false;
  }
  NothingToKeep = false;
  StartTime = TRecordingClock::Ticks();
  PausedTotal = 0;
  TimerTimeDisplay->SetEnabled(true);
  SetTimeColor(kOrange);
  if (StopAfterEnabled) {
    StopTimerStart = TRecordingClock::Ticks();
    TimerAutoStop->SetEnabled(true);
  }
  return true;
}

void TRecordControlForm::PauseRecording() {
  AudioRecord->StopCapture();
  PauseTime = TRecordingClock::Ticks();
  ShowTime(PauseTime - StartTime - PausedTotal);
  TimerTimeDisplay->SetEnabled(false);
  SetTimeColor(kOrange);
  CancelTimedStop();
}

bool TRecordControlForm::ContinueRecording() {
  AudioRecord->StartCapture();
  if (AudioRecord->GetErrorState() != 0) {
    ShowBox("Error when continue recording.", MB_ICONERROR);
    StopRecording();
    return false;
  }
  PausedTotal += TRecordingClock::Ticks() - PauseTime;
  TimerTimeDisplay->SetEnabled(true);
  SetTimeColor(clWhite);
  if (StopAfterEnabled) {
    StopTimerStart = TRecordingClock::Ticks();
    TimerAutoStop->SetEnabled(true);
  }
  return true;
}

void TRecordControlForm::StopRecording() {
  AudioRecord->StopCapture();
  AudioFile->CloseFile();
  StartTime = PauseTime = PausedTotal = 0;
  TimerTimeDisplay->SetEnabled(false);
  LabelTime->SetCaption("00:00:00:000");
  SetTimeColor(clWhite);
  CancelTimedStop();
}

void TRecordControlForm::UpdateState() {
  ActionRecord->SetEnabled(!Recording);
  ActionPause->SetEnabled(Recording);
  LabelLabelStatus->SetCaption(Recording ? "[ Recording ]" : Paused ? "[ Paused ]" : "[ Ready ]");
  LabelStopAfter->SetVisible(StopAfterEnabled);
  LabelRecordingTimer->SetVisible(AutoStartEnabled);
  for (TAction* A : {ActionRecord, ActionPause, ActionDelete}) A->SetVisible(!AutoStartEnabled);
  ActionKeep->SetEnabled(!NothingToKeep);
}

void TRecordControlForm::ActionListUpdate(TBasicAction*, bool& Handled) {
  UpdateState();
  Handled = true;
}

void TRecordControlForm::ActionRecordExecute(TObject*) {
  bool Ok = false;
  if (!Recording && !Paused) Ok = StartRecording(GlobalVarsRecord->RecordingFileName);
  else if (Paused) Ok = ContinueRecording();
  else return;
  Recording = Ok;
  Paused = false;
  UpdateState();
}

void TRecordControlForm::ActionPauseExecute(TObject*) {
  if (!Recording) return;
  PauseRecording();
  Paused = true;
  Recording = false;
  UpdateState();
}

void TRecordControlForm::ActionDeleteExecute(TObject*) {
  StopRecording();
  Recording = Paused = false;
  DeleteFile(GlobalVarsRecord->RecordingFileName);
  NothingToKeep = true;
  UpdateState();
}

void TRecordControlForm::ActionKeepExecute(TObject*) {
  StopRecording();
  Recording = Paused = false;
  NothingToKeep = true;
  SetModalResult(mrOk);
}

void TRecordControlForm::ActionDiscardExecute(TObject*) { SetModalResult(mrCancel); }

void TRecordControlForm::ActionTimerRecordExecute(TObject*) {
  TOwned<TRecordingTimerForm> Dialog(TRecordingTimerForm::Create(this));
  CentreOnOpener(Dialog.get(), this);
  TDateTime Start = TRecordingClock::Now();
  const bool Automatic = !Recording && AutoStartEnabled;
  if (Automatic) Start = AutoStartTime;
  (Automatic ? Dialog->RadioButtonAutomatically : Dialog->RadioButtonManually)->SetChecked(true);
  Dialog->DateTimePickerAutomaticallyData->SetDateTime(Start);
  Dialog->DateTimePickerAutomaticallyTime->SetDateTime(Start);
  if (Recording) {
    // Only the timed stop can change while recording.
    for (TControl* C : std::initializer_list<TControl*>{Dialog->RadioButtonManually, Dialog->RadioButtonAutomatically,
                                                        Dialog->DateTimePickerAutomaticallyData,
                                                        Dialog->DateTimePickerAutomaticallyTime})
      C->SetEnabled(false);
  }
  Dialog->CheckBoxStopAfter->SetChecked(StopAfterEnabled);
  Dialog->DateTimePickerWhenRecordingTime->SetDateTime(GlobalVarsRecord->RecordingTimerDuration);
  // Cancel leaves everything as it was, a running countdown included.
  if (Dialog->ShowModal() != mrOk) return;

  AutoStartEnabled = Dialog->RadioButtonAutomatically->GetChecked();
  AutoStartTime = Dialog->StartDateTime();
  StopAfterEnabled = Dialog->CheckBoxStopAfter->GetChecked();
  StopAfterDuration = Dialog->DateTimePickerWhenRecordingTime->GetTime();
  GlobalVarsRecord->RecordingTimerDuration = StopAfterDuration;
  const std::int64_t DurationMs = std::llround(StopAfterDuration * MSecsPerDay);
  TimerAutoStop->SetEnabled(false);
  if (StopAfterEnabled) {
    if (Recording) {
      StopTimerStart = TRecordingClock::Ticks();
      TimerAutoStop->SetEnabled(true);
    }
    ShowStopAfter(DurationMs);
  }
  TimerAutoStart->SetEnabled(false);
  if (AutoStartEnabled && !Recording) {
    LabelRecordingTimer->SetCaption("Recording Timer...  [ " + DateToStr(AutoStartTime) + " " +
                                    TimeToStr(AutoStartTime) + " ]");
    TimerAutoStart->SetEnabled(true);
  }
  UpdateState();
}

void TRecordControlForm::ActionWindowsMixerExecute(TObject*) {
  TBusyScope Busy;
  Launch(IncludeBackslash(SystemDir()) + (IsVistaOrLater() ? "control.exe mmsys.cpl,,1" : "sndvol32.exe /r"));
}

void TRecordControlForm::ActionSettingsExecute(TObject*) { RunSettingsDialog<TRecordingWithoutSilenceForm>(this); }

void TRecordControlForm::ActionHelpExecute(TObject*) { ShowHelpTopic(GetHandle(), "RecordControl"); }

void TRecordControlForm::AudioRecordEndArrayRecord(TObject*) {
  const TSampleArray Block = AudioRecord->GetRecordedBlock();
  if (!Block.empty()) AudioFile->WriteBlock(Block);
}

void TRecordControlForm::deAudioControlSourceDataChanged(TObject*) {
  FPeakLeft = deAudioControlSource->GetPeakLeft();
  FPeakRight = deAudioControlSource->GetPeakRight();
  spSkinGaugeLeft->SetValue(FPeakLeft);
  spSkinGaugeRight->SetValue(FPeakRight);
  LabelVolumeTooHigh->SetVisible(FPeakLeft > kGaugeTop || FPeakRight > kGaugeTop);
}

void TRecordControlForm::TimerTimeDisplayTimer(TObject*) {
  ShowTime(TRecordingClock::Ticks() - StartTime - PausedTotal);
}

void TRecordControlForm::TimerAutoStopTimer(TObject*) {
  if (!StopAfterEnabled) {
    TimerAutoStop->SetEnabled(false);
    return;
  }
  const std::int64_t Remaining =
      std::llround(StopAfterDuration * MSecsPerDay) - (TRecordingClock::Ticks() - StopTimerStart);
  // A stalled clock or a late tick overshoots: whatever is left, nothing or less, ends it.
  if (Remaining > 0) {
    ShowStopAfter(Remaining);
    return;
  }
  PauseRecording();
  Paused = true;
  Recording = false;
  LabelStopAfter->SetCaption("Recording stops after: 00:00:00");
  UpdateState();
  ShowBox("The timed recording is completed.\n\rClick on the Keep button to open the recording in the sound editor.",
          MB_ICONINFORMATION);
}

void TRecordControlForm::TimerAutoStartTimer(TObject*) {
  if (!AutoStartEnabled) {
    TimerAutoStart->SetEnabled(false);
    return;
  }
  if ((AutoStartTime - TRecordingClock::Now()) * SecsPerDay >= 1) return;
  // Off first: a box the start may show must not let the timer start again.
  TimerAutoStart->SetEnabled(false);
  AutoStartEnabled = false;
  ActionRecord->Execute();
  UpdateState();
}

void TRecordControlForm::TimerDeLevelTimer(TObject*) {
  for (TspSkinGauge* G : {spSkinGaugeLeft, spSkinGaugeRight}) G->SetValue(G->GetValue() - 500);
}

void TRecordControlForm::CheckRecordingWithoutSilenceClick(TObject*) {
  GlobalVarsRecord->AccuEnabled = CheckRecordingWithoutSilence->GetChecked();
}

void TRecordControlForm::LabelAdjustInVistaClick(TObject*) { ShellOpen(AdjustSourceHelpAddress); }

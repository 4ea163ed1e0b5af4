// "Recording": records from a sound-card input line into a wave file. The opener
// gives the rate and channels, names the file (TGlobalVars::RecordingFileName)
// and shows the window modally; "&Keep" ends it with OK, after which the opener
// takes the file. The recorder captures and the file writer writes; apart from
// them a level capture of the chosen device feeds the two level gauges.
//
// The transport buttons, the check box, the gauges and the volume bar are skinned
// controls drawn with the window's own stored skin ("cool.skn"); without that
// resource they draw plain.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/TAudioRecord2.h"
#include "framework/DateTime.h"
#include "framework/Form.h"

class TAction;
class TActionList;
class TAudioFile2;
class TBasicAction;
class TButton;
class TComboBox;
class TdeAudioControlSource;
class TdeAudioIn;
class TLabel;
class TPanel;
class TTimer;
class TspCompressedStoredSkin;
class TspPngImageList;
class TspSkinButton;
class TspSkinCheckRadioBox;
class TspSkinData;
class TspSkinGauge;
class TspSkinTrackBar;

class TRecordControlForm : public TForm {
  SONVELT_CLASS(TRecordControlForm, TForm)
public:
  explicit TRecordControlForm(TComponent* AOwner);
  ~TRecordControlForm() override;

  // Set by the opener before showing.
  int RecordSampleRate = 44100;
  int RecordChannels = 2;

  // Window state.
  bool Recording = false;
  bool Paused = false;
  bool NothingToKeep = true;
  // Milliseconds of TRecordingClock::Ticks.
  std::int64_t StartTime = 0, PauseTime = 0, PausedTotal = 0;
  bool AutoStartEnabled = false;
  TDateTime AutoStartTime = 0;
  bool StopAfterEnabled = false;
  TDateTime StopAfterDuration = 0;  // a span of days
  std::int64_t StopTimerStart = 0;  // ticks
  int BlockSize = 0;

  TActionList* ActionList = nullptr;
  TAction *ActionRecord = nullptr, *ActionPause = nullptr, *ActionDelete = nullptr, *ActionTimerRecord = nullptr,
          *ActionWindowsMixer = nullptr, *ActionSettings = nullptr, *ActionKeep = nullptr, *ActionDiscard = nullptr,
          *ActionHelp = nullptr;
  TspSkinButton *ButtonRecord = nullptr, *ButtonPause = nullptr, *ButtonDelete = nullptr,
                *ButtonTimerRecord = nullptr, *ButtonWindowsMixer = nullptr, *ButtonSettings = nullptr;
  TButton *ButtonKeep = nullptr, *ButtonDiscard = nullptr, *ButtonHelp = nullptr;
  TPanel* PanelTime = nullptr;
  TLabel* LabelTime = nullptr;
  TLabel* LabelLabelStatus = nullptr;
  TComboBox* ComboBoxDevice = nullptr;
  TComboBox* ComboBoxMixer = nullptr;
  TspSkinTrackBar* ImageSliderVolume = nullptr;  // 0 .. 65535
  TLabel* LabelCurrent = nullptr;
  TspSkinCheckRadioBox* CheckRecordingWithoutSilence = nullptr;
  TspSkinGauge* spSkinGaugeLeft = nullptr;  // 0 .. 32512
  TspSkinGauge* spSkinGaugeRight = nullptr;
  TLabel* LabelVolumeTooHigh = nullptr;
  TLabel* LabelStopAfter = nullptr;
  TLabel* LabelRecordingTimer = nullptr;
  TLabel* LabelAdjustInVista = nullptr;
  TTimer* TimerTimeDisplay = nullptr;  // 40 ms
  TTimer* TimerAutoStop = nullptr;     // 50 ms
  TTimer* TimerAutoStart = nullptr;    // 50 ms
  TTimer* TimerDeLevel = nullptr;      // 5 ms

  TAudioRecord2* AudioRecord = nullptr;
  TAudioFile2* AudioFile = nullptr;
  TdeAudioIn* deAudioIn = nullptr;
  TdeAudioControlSource* deAudioControlSource = nullptr;
  TspSkinData* spSkinData = nullptr;
  TspCompressedStoredSkin* spCompressedStoredSkin = nullptr;
  TspPngImageList* spPngImageList = nullptr;  // the six transport glyphs, 24 x 24

  // The recorder each window creates; tests put a stand-in here.
  static inline TClassOf<TAudioRecord2> RecorderClass = TAudioRecord2::StaticClass();
  // Runs the mixer's command line; tests look instead.
  static void SystemLaunch(const std::string& CommandLine);
  static inline void (*Launch)(const std::string& CommandLine) = &SystemLaunch;
  // Where "Adjust audio source in Vista" leads.
  static const char* const AdjustSourceHelpAddress;

  void ListInputLines();
  void ApplySelectedLine();
  void ApplyRecordFormat();
  void ApplySilenceSkipping();
  // Both tell the user of a failure, return to ready and answer false.
  bool StartRecording(const std::string& FileName);
  void PauseRecording();
  bool ContinueRecording();
  void StopRecording();
  // The idle-time state of the commands and labels.
  void UpdateState();

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ComboBoxDeviceChange(TObject* Sender);
  void ComboBoxMixerChange(TObject* Sender);
  void ImageSliderVolumeChange(TObject* Sender);
  void ActionListUpdate(TBasicAction* Action, bool& Handled);
  void ActionRecordExecute(TObject* Sender);
  void ActionPauseExecute(TObject* Sender);
  void ActionDeleteExecute(TObject* Sender);
  void ActionKeepExecute(TObject* Sender);
  void ActionDiscardExecute(TObject* Sender);
  void ActionTimerRecordExecute(TObject* Sender);
  void ActionWindowsMixerExecute(TObject* Sender);
  void ActionSettingsExecute(TObject* Sender);
  void ActionHelpExecute(TObject* Sender);
  void AudioRecordEndArrayRecord(TObject* Sender);
  void deAudioControlSourceDataChanged(TObject* Sender);
  void TimerTimeDisplayTimer(TObject* Sender);
  void TimerAutoStopTimer(TObject* Sender);
  void TimerAutoStartTimer(TObject* Sender);
  void TimerDeLevelTimer(TObject* Sender);
  void CheckRecordingWithoutSilenceClick(TObject* Sender);
  void LabelAdjustInVistaClick(TObject* Sender);

private:
  TAction* AddAction(const std::string& Caption, void (TRecordControlForm::*Handler)(TObject*));
  void SetTimeColor(int Color);
  void ShowTime(std::int64_t Ms);
  void ShowStopAfter(std::int64_t Ms);
  void CancelTimedStop();
  // The level capture on the chosen device (the wave mapper when none is); a
  // failure is told once per window and leaves the gauges idle.
  void OpenLevelCapture();
  static void ShowBox(const std::string& Text, UINT Icon);
  std::vector<int> FDeviceNumbers;  // of ComboBoxDevice's items
  bool FLevelErrorTold = false;
  bool FUpdatingVolume = false;
  int FPeakLeft = 0, FPeakRight = 0;
};

// Records from a wave-input device in blocks of GetBlockSize milliseconds: each
// filled block raises OnEndArrayRecord on this thread, and GetRecordedBlock gives
// it (16-bit samples as floats, interleaved when stereo). Devices are numbered
// from 1 (0: none), the input lines of the chosen device's mixer from 1. With
// silence skipping on, blocks hold only what TSilenceSkipper keeps. The
// operations are virtual so that a caller's tests can stand in for the device.
#pragma once
#include <deque>
#include <string>

#include "engine/MixerLines.h"
#include "engine/SampleArray.h"
#include "engine/SilenceSkipper.h"
#include "framework/Component.h"
#include "framework/ControlTypes.h"

class TdeAudioIn;

class TAudioRecord2 : public TComponent {
  SONVELT_CLASS(TAudioRecord2, TComponent)
 public:
  explicit TAudioRecord2(TComponent* AOwner);
  ~TAudioRecord2() override;

  virtual int GetDeviceCount();
  // The system's preferred input device, else 1.
  virtual int GetDefaultDevice();
  virtual void SelectDevice(int device);
  virtual int GetSelectedDevice() const { return Device; }
  virtual std::string GetDeviceName();
  // Whether the selected device takes the set format.
  virtual bool IsDeviceUsable();

  virtual int GetLineCount();
  virtual void SelectLine(int line);
  virtual std::string GetLineName();
  virtual bool IsLineSelected();
  virtual void SetLineSelected(bool selected);
  virtual bool HasLineVolume();
  virtual int GetLineVolume();  // 0 .. 65535
  virtual void SetLineVolume(int volume);

  virtual void SetSkipSilence(bool skip);
  virtual void SetAttackLevel(int db);
  virtual void SetAttackTime(int ms);
  virtual void SetReleaseLevel(int db);
  virtual void SetReleaseTime(int ms);

  virtual void SetFormat(int rate, int channels);
  virtual int GetBlockSize() { return BlockMs; }
  virtual void SetBlockSize(int ms);
  // Failures show in GetErrorState (non-zero) and GetErrorText, not as exceptions.
  virtual void StartCapture();
  virtual void StopCapture();
  virtual bool IsCapturing() const;
  virtual int GetErrorState() { return ErrorState; }
  virtual std::string GetErrorText() { return ErrorText; }
  // The oldest block not yet taken; empty when there is none.
  virtual TSampleArray GetRecordedBlock();

  TNotifyEvent OnEndArrayRecord;

 private:
  void Recorded(TObject* sender, const void* data, int size);

  TdeAudioIn* Input = nullptr;
  TMixerLines Lines;
  int Device = 0;
  int Line = 0;
  int Rate = 44100;
  int Channels = 2;
  int BlockMs = 200;
  bool SkipSilence = false;
  int AttackDb = -45, AttackMs = 100, ReleaseDb = -45, ReleaseMs = 300;
  TSilenceSkipper Skipper;
  std::deque<TSampleArray> Blocks;
  int ErrorState = 0;
  std::string ErrorText;
};

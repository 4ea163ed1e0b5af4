// Plays sample arrays (effect previews) on the output layer.
#pragma once
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Delegate.h"
#include "engine/Playback.h"
#include "engine/SampleArray.h"

class TAudioPlayer2 : public TComponent {
  SONVELT_CLASS(TAudioPlayer2, TComponent)
 public:
  explicit TAudioPlayer2(TComponent* AOwner);
  ~TAudioPlayer2() override;

  void SetFormat(int rate, int channels);
  // Opens the output; failures show in GetErrorState, never as a hang.
  void OpenOutput();
  // 0 when the output is usable; non-zero after a failed open.
  int GetErrorState() const { return ErrorState; }
  const std::string& GetErrorText() const { return ErrorText; }
  // Plays a copy of samples (interleaved in the set format) from its start.
  void PlayArray(const TSampleArray& samples);
  void StopOutput();
  bool IsPlaying() const { return Playback.IsActive(); }

  TNotifyEvent OnEndPlay;

 private:
  void Finished();

  int Rate = 44100;
  int Channels = 2;
  int ErrorState = 0;
  std::string ErrorText;
  std::unique_ptr<TAudioOutput> Output;
  TPlayback Playback;
  TSampleArray Samples;
  size_t Position = 0;
};

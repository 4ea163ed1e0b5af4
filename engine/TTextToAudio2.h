// Text to speech into a WAV file, on the system's speech voices. The voices are
// the installed voices whose engine can be created. A conversion runs while
// messages are pumped: progress (percent of the text spoken) and the end arrive
// as events on this thread, the end only once the file is complete under its
// name. The operations are virtual so that a caller's tests can stand in for
// the voices.
#pragma once
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Delegate.h"

struct TMessage;

using TTextToAudioProgressEvent = TDelegate<void(TObject* Sender, int Percent)>;
using TTextToAudioErrorEvent = TDelegate<void(TObject* Sender, const std::string& Message)>;

class TTextToAudio2 : public TComponent {
  SONVELT_CLASS(TTextToAudio2, TComponent)
 public:
  explicit TTextToAudio2(TComponent* AOwner);
  ~TTextToAudio2() override;

  // -10 (slowest) to 10 (fastest); 0 is the voice's normal speed.
  virtual void SetSpeakingRate(int rate);
  // 0 to 100.
  virtual void SetSpeakingVolume(int volume);
  // -1 speaks the text as plain text; 0 lets the voice read its own markup in it.
  virtual void SetSpeakingOption(int option);

  virtual int GetVoiceCount();
  // Makes voice index (0 .. count - 1) the current one.
  virtual void SelectVoice(int index);
  // The current voice's name; empty when there is no voice.
  virtual std::string GetVoiceName();
  // Makes the voice of this name the current one.
  virtual void SetVoiceName(const std::string& name);

  // The file's rate (up to 384000 Hz) and channels (1 or 2).
  virtual void SetOutputFormat(int rate, int channels);
  // Starts speaking text into a WAV file of bits per sample at path.
  virtual void ConvertToFile(const std::string& text, const std::string& path, int bits);
  // Stops a conversion: its file is removed and no end event follows.
  virtual void CancelConversion();
  virtual bool IsConverting() const;

  TTextToAudioProgressEvent OnConvertBlock;
  TNotifyEvent OnEndConvert;
  // A conversion that failed after it started; no end event follows.
  TTextToAudioErrorEvent OnConvertError;

 private:
  struct TSapi;
  TSapi& Sapi();
  void WndProc(TMessage& message);
  void Notified();
  void Finish();
  void Fail(const std::string& message);

  int Rate = 0, Volume = 100, Option = -1;
  int FileRate = 44100, FileChannels = 2;
  std::unique_ptr<TSapi> FSapi;
};

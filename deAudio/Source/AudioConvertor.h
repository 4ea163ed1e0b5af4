// Converts audio blocks from one wave format to another through a chain of at most
// three audio-compression-manager streams: straight across when one stream can do
// it, else through a PCM form of the input and, when still needed, a PCM form of
// the output. A step keeps the input it could not convert yet (the tail of a block
// that is not block-aligned) for the next block.
//
//   Convertor->GetFormatIn()->Assign(&Adpcm);  Convertor->GetFormatOut()->Assign(&Pcm48k);
//   Convertor->SetActive(true);                // builds and opens the chain
//   Convertor->Convert(Data, Size);            // GetOutput(), GetOutputSize()
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "deAudio/Source/AudioLink.h"
#include "deAudio/Source/WaveFormat.h"
#include "framework/Component.h"
#include "framework/ControlTypes.h"

// One stream of the chain.
class TMiniConvertor {
public:
  TMiniConvertor(const TdeWaveFormat& Source, const TdeWaveFormat& Destination);
  ~TMiniConvertor();
  TMiniConvertor(const TMiniConvertor&) = delete;
  TMiniConvertor& operator=(const TMiniConvertor&) = delete;

  // EACMError when open already; the stream's failure as EACMConversionError.
  void Open(bool RealTime);
  void Close();
  bool GetActive() const { return FActive; }
  // Takes Size more bytes; gives how many output bytes GetOutput now holds.
  int Convert(const void* Data, int Size, bool SetFPUFlag, DWORD ConvertFlags);
  const std::uint8_t* GetOutput() const { return FOutput.data(); }
  // Input held back for the next call.
  int GetPendingInput() const { return static_cast<int>(FFill); }
  const TdeWaveFormat& GetSource() const { return FSource; }
  const TdeWaveFormat& GetDestination() const { return FDestination; }

private:
  bool Prepared() const { return (FHeader.fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED) != 0; }
  void ResetBuffers();
  void Unprepare();
  void Append(const void* Data, int Size);
  bool Prepare();

  TdeWaveFormat FSource, FDestination;
  HACMSTREAM FStream = nullptr;
  bool FActive = false;
  std::vector<std::uint8_t> FInput;  // its size is the capacity
  size_t FFill = 0;
  std::vector<std::uint8_t> FOutput;
  ACMSTREAMHEADER FHeader{};
};

class TdeAudioConvertor : public TComponent, public IUnknown {
  SONVELT_CLASS(TdeAudioConvertor, TComponent)
public:
  explicit TdeAudioConvertor(TComponent* AOwner);
  ~TdeAudioConvertor() override;
  void BeforeDestruction() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }

  TComponent* GetAudioSource() const { return FObserver->GetSubject(); }
  void SetAudioSource(TComponent* Value) { FObserver->SetSubject(Value); }
  TdeWaveFormat* GetFormatIn() const { return FFormatIn.get(); }
  void SetFormatIn(TdeWaveFormat* Value) { FFormatIn->Assign(Value); }
  TdeWaveFormat* GetFormatOut() const { return FFormatOut.get(); }
  void SetFormatOut(TdeWaveFormat* Value) { FFormatOut->Assign(Value); }
  bool GetRequestRealTime() const { return FRequestRealTime; }
  // Only while inactive.
  void SetRequestRealTime(bool Value);
  bool GetSet8087FPUFlag() const { return FSet8087FPUFlag; }
  void SetSet8087FPUFlag(bool Value) { FSet8087FPUFlag = Value; }

  bool GetActive() const { return FActive; }
  // Builds and opens the chain, or closes and frees it; nothing when the state
  // already matches. "Conversion not possible." when no chain of at most three
  // steps leads from FormatIn to FormatOut.
  void SetActive(bool Value);
  void Convert(const void* Data, int Size);
  // The last block that came out of the chain (none when the chain held it back).
  const void* GetOutput() const { return FOutput; }
  int GetOutputSize() const { return FOutputSize; }
  int GetStepCount() const { return static_cast<int>(FSteps.size()); }
  TMiniConvertor* GetStep(int Index) const { return FSteps.at(static_cast<size_t>(Index)).get(); }

  TAbortableBufferEvent OnAudioConverted;
  TNotifyEvent OnAudioStreamConverted;
  TObserverErrorEvent OnObserverError;

  static void Publish(TPublisher<TdeAudioConvertor>& P);

protected:
  // A block from the observed source; a change of its format rebuilds the chain.
  virtual void AudioDataReady(IdeAudioSubject* Sender, const void* Data, int Size);
  virtual void ObserverError(IdeAudioSubject* Sender, IdeAudioObserver* Observer, const Exception& E,
                             bool& RaiseException);

private:
  void Open();
  void Close();
  void BuildChain();
  bool CanConvert(const TdeWaveFormat& From, const TdeWaveFormat& To) const;

  std::unique_ptr<TdeWaveFormat> FFormatIn, FFormatOut;
  TdeAudioObserver* FObserver = nullptr;
  TdeAudioSubject* FSubject = nullptr;
  std::vector<std::unique_ptr<TdeWaveFormat>> FFormats;
  std::vector<std::unique_ptr<TMiniConvertor>> FSteps;
  bool FActive = false;
  bool FRequestRealTime = false;
  bool FSet8087FPUFlag = true;
  const void* FOutput = nullptr;
  int FOutputSize = 0;
  bool FAbort = false;
};

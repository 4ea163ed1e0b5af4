#include "engine/TAudioRecord2.h"

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>

#include <algorithm>

#include "deAudio/Source/ACMErrors.h"
#include "deAudio/Source/AudioIO.h"
#include "engine/EngineError.h"
#include "framework/Unicode.h"

namespace {
// Asks the wave mapper for the preferred device (DRVM_MAPPER_PREFERRED_GET).
constexpr UINT kPreferredGet = 0x2015;
}  // namespace

TAudioRecord2::TAudioRecord2(TComponent* AOwner) : TComponent(AOwner) {
  Input = TdeAudioIn::Create(this);
  Input->SetAutoOpen(false);
  Input->OnAudioRecorded = TBufferEvent(this, &TAudioRecord2::Recorded);
}

TAudioRecord2::~TAudioRecord2() = default;

int TAudioRecord2::GetDeviceCount() { return int(waveInGetNumDevs()); }

int TAudioRecord2::GetDefaultDevice() {
  DWORD preferred = 0, status = 0;
  if (waveInMessage(reinterpret_cast<HWAVEIN>(static_cast<UINT_PTR>(WAVE_MAPPER)), kPreferredGet,
                    reinterpret_cast<DWORD_PTR>(&preferred), reinterpret_cast<DWORD_PTR>(&status)) == MMSYSERR_NOERROR &&
      preferred < DWORD(GetDeviceCount()))
    return int(preferred) + 1;
  return 1;
}

void TAudioRecord2::SelectDevice(int device) {
  Device = device >= 1 && device <= GetDeviceCount() ? device : 0;
  Line = 0;
  Lines = TMixerLines();
  if (Device) Lines.Load(UINT(Device - 1));
}

std::string TAudioRecord2::GetDeviceName() {
  WAVEINCAPSW caps{};
  if (!Device || waveInGetDevCapsW(UINT(Device - 1), &caps, sizeof caps) != MMSYSERR_NOERROR) return "";
  return WideToUtf8(caps.szPname);
}

bool TAudioRecord2::IsDeviceUsable() {
  if (!Device) return false;
  WAVEFORMATEX f{WAVE_FORMAT_PCM, WORD(Channels), DWORD(Rate), DWORD(Rate * Channels * 2), WORD(Channels * 2), 16, 0};
  return waveInOpen(nullptr, UINT(Device - 1), &f, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

int TAudioRecord2::GetLineCount() { return Lines.Count(); }
void TAudioRecord2::SelectLine(int line) { Line = line; }
std::string TAudioRecord2::GetLineName() { return Lines.Name(Line - 1); }
bool TAudioRecord2::IsLineSelected() { return Lines.IsSelected(Line - 1); }

void TAudioRecord2::SetLineSelected(bool selected) {
  // A line is chosen by selecting it; another choice undoes this one.
  if (selected) Lines.Select(Line - 1);
}

bool TAudioRecord2::HasLineVolume() { return Lines.HasVolume(Line - 1); }
int TAudioRecord2::GetLineVolume() { return Lines.Volume(Line - 1); }
void TAudioRecord2::SetLineVolume(int volume) { Lines.SetVolume(Line - 1, volume); }

void TAudioRecord2::SetSkipSilence(bool skip) { SkipSilence = skip; }
void TAudioRecord2::SetAttackLevel(int db) { AttackDb = db; }
void TAudioRecord2::SetAttackTime(int ms) { AttackMs = ms; }
void TAudioRecord2::SetReleaseLevel(int db) { ReleaseDb = db; }
void TAudioRecord2::SetReleaseTime(int ms) { ReleaseMs = ms; }

void TAudioRecord2::SetFormat(int rate, int channels) {
  if (rate < 1000 || rate > 384000 || channels < 1 || channels > 2)
    throw EAudioError("The recording format is not supported.");
  Rate = rate;
  Channels = channels;
}

void TAudioRecord2::SetBlockSize(int ms) { BlockMs = std::clamp(ms, 10, 5000); }

bool TAudioRecord2::IsCapturing() const { return Input->GetActive(); }

void TAudioRecord2::StartCapture() {
  if (IsCapturing()) return;
  ErrorState = 0;
  ErrorText.clear();
  if (!Device) {
    ErrorState = MMSYSERR_BADDEVICEID;
    ErrorText = ACMErrorText(MMSYSERR_BADDEVICEID, "");
    return;
  }
  TdeWaveFormat* f = Input->GetFormat();
  f->SetDefaults();
  f->SetChannels(WORD(Channels));
  f->SetSamplesPerSec(DWORD(Rate));
  f->SetBitsPerSample(16);
  f->SetBlockAlign(WORD(Channels * 2));
  f->SetAvgBytesPerSec(DWORD(Rate * Channels * 2));
  Input->SetDeviceID(Device - 1);
  Input->SetBufferSize(int(int64_t(Rate) * BlockMs / 1000) * Channels * 2);
  Skipper.Configure(Rate, Channels, AttackDb, AttackMs, ReleaseDb, ReleaseMs);
  try {
    Input->SetActive(true);
  } catch (const EACMError& e) {
    ErrorState = 1;
    ErrorText = e.GetMessage();
  }
}

void TAudioRecord2::StopCapture() {
  try {
    Input->SetActive(false);
  } catch (const EACMError& e) {
    ErrorState = 1;
    ErrorText = e.GetMessage();
  }
}

void TAudioRecord2::Recorded(TObject*, const void* data, int size) {
  const auto* s = static_cast<const int16_t*>(data);
  TSampleArray block(size_t(size / 2));
  for (size_t i = 0; i < block.size(); ++i) block[i] = s[i] / 32768.0f;
  Blocks.push_back(SkipSilence ? Skipper.Process(block.data(), block.size()) : std::move(block));
  OnEndArrayRecord(this);
}

TSampleArray TAudioRecord2::GetRecordedBlock() {
  if (Blocks.empty()) return {};
  TSampleArray b = std::move(Blocks.front());
  Blocks.pop_front();
  return b;
}

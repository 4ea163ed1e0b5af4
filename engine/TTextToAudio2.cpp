#include "engine/TTextToAudio2.h"

#include <windows.h>
#include <sapi.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "engine/EngineError.h"
#include "engine/SpeechFileWriter.h"
#include "engine/SpeechOutputStream.h"
#include "framework/AllocateHWnd.h"
#include "framework/Messages.h"
#include "framework/Unicode.h"

namespace {

// The interface of a voice's engine: a token whose engine cannot be created
// this way is a voice that cannot speak.
const IID TtsEngineId = {0xA74D7C8E, 0x4CC5, 0x4F2F, {0xA6, 0xEB, 0x80, 0x4D, 0xEE, 0x18, 0x50, 0x0E}};

constexpr UINT WM_SPEECHEVENT = WM_APP + 0x2E1;

constexpr ULONGLONG EventBit(int id) { return 1ULL << id; }
// The voice takes an interest mask only with its two check bits set.
constexpr ULONGLONG Interest =
    EventBit(SPEI_WORD_BOUNDARY) | EventBit(SPEI_END_INPUT_STREAM) | EventBit(SPEI_RESERVED1) | EventBit(SPEI_RESERVED2);

template <class T>
class TComRef {
 public:
  TComRef() = default;
  ~TComRef() { Reset(); }
  TComRef(const TComRef&) = delete;
  TComRef& operator=(const TComRef&) = delete;
  T* operator->() const { return Ptr; }
  T* Get() const { return Ptr; }
  T** Out() {
    Reset();
    return &Ptr;
  }
  T* Detach() { return std::exchange(Ptr, nullptr); }
  void Reset() {
    if (Ptr) Ptr->Release();
    Ptr = nullptr;
  }

 private:
  T* Ptr = nullptr;
};

std::string HResultText(HRESULT hr) {
  wchar_t* text = nullptr;
  std::string result;
  if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, DWORD(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr) && text) {
    result = WideToUtf8(text);
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
      result.pop_back();
  }
  char code[32];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  return result.empty() ? std::string("error ") + code : result + " (" + code + ")";
}

void Check(HRESULT hr, const std::string& what) {
  if (FAILED(hr)) throw EAudioError(what + ": " + HResultText(hr));
}

void ClearEvent(SPEVENT& e) {
  switch (e.elParamType) {
    case SPET_LPARAM_IS_POINTER:
    case SPET_LPARAM_IS_STRING: CoTaskMemFree(reinterpret_cast<void*>(e.lParam)); break;
    case SPET_LPARAM_IS_TOKEN:
    case SPET_LPARAM_IS_OBJECT:
      if (e.lParam) reinterpret_cast<IUnknown*>(e.lParam)->Release();
      break;
    default: break;
  }
  e.lParam = 0;
}

// The name a voice shows: its description, else the last part of its id.
std::string TokenName(ISpObjectToken* token) {
  std::string name;
  wchar_t* text = nullptr;
  if (SUCCEEDED(token->GetStringValue(nullptr, &text)) && text) {
    name = WideToUtf8(text);
    CoTaskMemFree(text);
  }
  if (!name.empty()) return name;
  text = nullptr;
  if (SUCCEEDED(token->GetId(&text)) && text) {
    name = WideToUtf8(text);
    CoTaskMemFree(text);
  }
  const size_t slash = name.find_last_of('\\');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

struct TTextToAudio2::TSapi {
  explicit TSapi(TTextToAudio2* owner) {
    ComStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    Window = AllocateHWnd(TWndMethod(owner, &TTextToAudio2::WndProc));
    ListVoices();
  }
  ~TSapi() {
    Stop(true);
    for (ISpObjectToken* t : Voices) t->Release();
    if (Window) DeallocateHWnd(Window);
    if (ComStarted) CoUninitialize();
  }

  void ListVoices() {
    TComRef<ISpObjectTokenCategory> category;
    TComRef<IEnumSpObjectTokens> tokens;
    ULONG count = 0;
    if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                                reinterpret_cast<void**>(category.Out()))) ||
        FAILED(category->SetId(SPCAT_VOICES, FALSE)) || FAILED(category->EnumTokens(nullptr, nullptr, tokens.Out())) ||
        FAILED(tokens->GetCount(&count)))
      return;
    for (ULONG i = 0; i < count; ++i) {
      TComRef<ISpObjectToken> token;
      if (FAILED(tokens->Item(i, token.Out()))) continue;
      TComRef<IUnknown> engine;
      if (FAILED(token->CreateInstance(nullptr, CLSCTX_ALL, TtsEngineId, reinterpret_cast<void**>(engine.Out()))))
        continue;
      Names.push_back(TokenName(token.Get()));
      Voices.push_back(token.Detach());
    }
  }

  // Ends the voice's work; abandon drops the file written so far.
  void Stop(bool abandon) {
    if (Voice) {
      if (abandon) Voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
      Voice->WaitUntilDone(10000);
      Voice->SetOutput(nullptr, FALSE);
      Voice->Release();
      Voice = nullptr;
    }
    if (abandon && Writer) Writer->Abandon();
    Writer.reset();
  }

  bool ComStarted = false;
  HWND Window = nullptr;
  std::vector<ISpObjectToken*> Voices;
  std::vector<std::string> Names;
  int Current = 0;
  ISpVoice* Voice = nullptr;  // while a conversion runs
  std::shared_ptr<TSpeechFileWriter> Writer;
  size_t TextLength = 0;
  int Percent = 0;
};

TTextToAudio2::TTextToAudio2(TComponent* AOwner) : TComponent(AOwner) {}

TTextToAudio2::~TTextToAudio2() = default;

TTextToAudio2::TSapi& TTextToAudio2::Sapi() {
  if (!FSapi) FSapi = std::make_unique<TSapi>(this);
  return *FSapi;
}

void TTextToAudio2::SetSpeakingRate(int rate) {
  if (rate < -10 || rate > 10) throw EAudioError("The speaking rate must be from -10 to 10.");
  Rate = rate;
}

void TTextToAudio2::SetSpeakingVolume(int volume) {
  if (volume < 0 || volume > 100) throw EAudioError("The speaking volume must be from 0 to 100.");
  Volume = volume;
}

void TTextToAudio2::SetSpeakingOption(int option) {
  if (option != -1 && option != 0) throw EAudioError("Unknown speaking option " + std::to_string(option) + ".");
  Option = option;
}

int TTextToAudio2::GetVoiceCount() { return int(Sapi().Voices.size()); }

void TTextToAudio2::SelectVoice(int index) {
  TSapi& s = Sapi();
  if (index < 0 || index >= int(s.Voices.size()))
    throw EAudioError("There is no voice number " + std::to_string(index) + ".");
  s.Current = index;
}

std::string TTextToAudio2::GetVoiceName() {
  TSapi& s = Sapi();
  return s.Names.empty() ? std::string() : s.Names[size_t(s.Current)];
}

void TTextToAudio2::SetVoiceName(const std::string& name) {
  TSapi& s = Sapi();
  const auto at = std::find(s.Names.begin(), s.Names.end(), name);
  if (at == s.Names.end()) throw EAudioError("There is no voice \"" + name + "\".");
  s.Current = int(at - s.Names.begin());
}

void TTextToAudio2::SetOutputFormat(int rate, int channels) {
  if (rate < 1000 || rate > 384000) throw EAudioError("Unsupported speech sample rate " + std::to_string(rate) + ".");
  if (channels != 1 && channels != 2) throw EAudioError("Speech is written in one or two channels.");
  FileRate = rate;
  FileChannels = channels;
}

bool TTextToAudio2::IsConverting() const { return FSapi && FSapi->Voice; }

void TTextToAudio2::ConvertToFile(const std::string& text, const std::string& path, int bits) {
  if (IsConverting()) throw EAudioError("A conversion is already running.");
  TSapi& s = Sapi();
  if (s.Voices.empty()) throw EAudioError("No speech voice is installed.");
  const WAVEFORMATEX stream = SpeechStreamFormat(FileRate, FileChannels);
  TWavFormat format;
  format.Rate = FileRate;
  format.Channels = FileChannels;
  format.Bits = bits;
  auto writer = std::make_shared<TSpeechFileWriter>(path, int(stream.nSamplesPerSec), int(stream.nChannels), format);

  TComRef<ISpVoice> voice;
  Check(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, reinterpret_cast<void**>(voice.Out())),
        "The speech interface is not available");
  Check(voice->SetVoice(s.Voices[size_t(s.Current)]), "The voice cannot be chosen");
  Check(voice->SetRate(Rate), "The speaking rate cannot be set");
  Check(voice->SetVolume(USHORT(Volume)), "The speaking volume cannot be set");
  auto* sink = new TSpeechOutputStream(writer, stream);
  const HRESULT output = voice->SetOutput(sink, FALSE);
  sink->Release();
  Check(output, "The voice cannot speak into a file");
  Check(voice->SetNotifyWindowMessage(s.Window, WM_SPEECHEVENT, 0, 0), "The voice cannot report its progress");
  Check(voice->SetInterest(Interest, Interest), "The voice cannot report its progress");

  const std::wstring wide = Utf8ToWide(text);
  s.TextLength = wide.size();
  s.Percent = 0;
  s.Writer = writer;
  s.Voice = voice.Detach();
  const HRESULT spoken =
      s.Voice->Speak(wide.c_str(), SPF_ASYNC | (Option == -1 ? SPF_IS_NOT_XML : SPF_DEFAULT), nullptr);
  if (FAILED(spoken)) {
    s.Stop(true);
    Check(spoken, "The voice cannot speak");
  }
}

void TTextToAudio2::CancelConversion() {
  if (IsConverting()) FSapi->Stop(true);
}

void TTextToAudio2::WndProc(TMessage& message) {
  if (message.Msg == WM_SPEECHEVENT) {
    Notified();
    return;
  }
  message.Result = DefWindowProcW(FSapi ? FSapi->Window : nullptr, message.Msg, message.WParam, message.LParam);
}

void TTextToAudio2::Notified() {
  if (!IsConverting()) return;  // a notice left from a cancelled conversion
  TSapi& s = *FSapi;
  bool ended = false;
  SPEVENT e{};
  ULONG got = 0;
  // A handler may cancel the conversion: the voice is looked at again each time.
  while (s.Voice && s.Voice->GetEvents(1, &e, &got) == S_OK && got == 1) {
    if (e.eEventId == SPEI_WORD_BOUNDARY && s.TextLength) {
      const size_t reached = size_t(e.lParam) + size_t(e.wParam);
      const int percent = int(std::min<size_t>(100, reached * 100 / s.TextLength));
      if (percent > s.Percent) {
        s.Percent = percent;
        ClearEvent(e);
        OnConvertBlock(this, percent);
        continue;
      }
    } else if (e.eEventId == SPEI_END_INPUT_STREAM) {
      ended = true;
    }
    ClearEvent(e);
  }
  if (!s.Voice) return;
  if (const std::string failure = s.Writer->GetFailure(); !failure.empty()) Fail(failure);
  else if (ended) Finish();
}

void TTextToAudio2::Finish() {
  TSapi& s = *FSapi;
  std::shared_ptr<TSpeechFileWriter> writer = s.Writer;
  s.Stop(false);
  try {
    writer->Commit();
  } catch (const std::exception& e) {
    OnConvertError(this, e.what());
    return;
  }
  if (s.Percent < 100) {
    s.Percent = 100;
    OnConvertBlock(this, 100);
  }
  OnEndConvert(this);
}

void TTextToAudio2::Fail(const std::string& message) {
  FSapi->Stop(true);
  OnConvertError(this, message);
}

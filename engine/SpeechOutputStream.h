// The stream a voice speaks into: it offers the voice one 16-bit PCM format and
// hands every byte to a speech file writer. The voice calls it from its own thread.
#pragma once
#include <windows.h>
#include <sapi.h>

#include <atomic>
#include <memory>

class TSpeechFileWriter;

// The stream format a voice is asked for: 16-bit PCM at the rate it offers that
// is nearest to the one asked (a whole divisor above 48000 Hz, so the later
// conversion only multiplies), with the channels asked.
WAVEFORMATEX SpeechStreamFormat(int rate, int channels);

class TSpeechOutputStream final : public ISpStreamFormat {
 public:
  TSpeechOutputStream(std::shared_ptr<TSpeechFileWriter> writer, const WAVEFORMATEX& format);
  TSpeechOutputStream(const TSpeechOutputStream&) = delete;
  TSpeechOutputStream& operator=(const TSpeechOutputStream&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // ISequentialStream
  HRESULT STDMETHODCALLTYPE Read(void* data, ULONG bytes, ULONG* read) override;
  HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG bytes, ULONG* written) override;
  // IStream: a stream that only grows; the voice asks where it stands.
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER bytes, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override;
  HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Revert() override;
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER bytes, DWORD type) override;
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER bytes, DWORD type) override;
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override;
  // ISpStreamFormat
  HRESULT STDMETHODCALLTYPE GetFormat(GUID* formatId, WAVEFORMATEX** format) override;

 private:
  ~TSpeechOutputStream() = default;
  std::atomic<ULONG> References{1};
  std::shared_ptr<TSpeechFileWriter> Writer;
  WAVEFORMATEX Format;
};

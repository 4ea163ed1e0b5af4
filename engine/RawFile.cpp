#include "engine/RawFile.h"

#include <windows.h>

#include "engine/AudioCodecBridge.h"
#include "engine/codecs/CodecFile.h"

std::string LastSystemErrorText() { return SystemErrorText(GetLastError()); }

TRawFile::TRawFile(const std::string& path, TMode mode) {
  File = AsAudioError([&] {
    return std::make_unique<TCodecFile>(path, mode == TMode::Read ? TCodecFile::TMode::Read : TCodecFile::TMode::Create);
  });
}

TRawFile::~TRawFile() = default;

void TRawFile::Close() { File->Close(); }

size_t TRawFile::ReadSome(void* data, size_t bytes) {
  return AsAudioError([&] { return File->Read(data, bytes); });
}

void TRawFile::ReadExact(void* data, size_t bytes) {
  if (ReadSome(data, bytes) != bytes) throw EAudioError("The file \"" + GetPath() + "\" ends unexpectedly.");
}

void TRawFile::Write(const void* data, size_t bytes) {
  AsAudioError([&] { File->Write(data, bytes); });
}

void TRawFile::Seek(uint64_t position) {
  AsAudioError([&] { File->Seek(int64_t(position)); });
}

uint64_t TRawFile::GetPosition() const { return uint64_t(File->GetPosition()); }

uint64_t TRawFile::GetSize() const {
  return AsAudioError([&] { return uint64_t(File->GetSize()); });
}

const std::string& TRawFile::GetPath() const { return File->GetPath(); }

void ReplaceFile(const std::string& source, const std::string& target) {
  AsAudioError([&] { ReplaceCodecFile(source, target); });
}

std::string TemporaryNameBeside(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "~" + name + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}

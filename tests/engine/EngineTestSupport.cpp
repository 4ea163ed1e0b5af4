#include "EngineTestSupport.h"

#include <windows.h>

#include <cstring>

#include "engine/WorkingFile.h"
#include "framework/Unicode.h"

namespace {

void Put16(TBytes& v, uint16_t x) { v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8)}); }
void Put32(TBytes& v, uint32_t x) { v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8), uint8_t(x >> 16), uint8_t(x >> 24)}); }
void PutId(TBytes& v, const char* id) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(id[i]));
}

}  // namespace

TTempFolder::TTempFolder() {
  wchar_t base[MAX_PATH + 1]{};
  GetTempPathW(MAX_PATH + 1, base);
  static int counter = 0;
  std::wstring dir = std::wstring(base) + L"sonvelt-engine-test-\u00e9" + std::to_wstring(GetCurrentProcessId()) +
                     L"-" + std::to_wstring(++counter);
  CreateDirectoryW(dir.c_str(), nullptr);
  Folder = WideToUtf8(dir);
}

TTempFolder::~TTempFolder() {
  WaitForReleasedWorkingFiles();  // working files of the test's blocks
  for (const std::string& f : List()) DeleteFileW(Utf8ToWide(File(f)).c_str());
  RemoveDirectoryW(Utf8ToWide(Folder).c_str());
}

std::vector<std::string> TTempFolder::List() const {
  std::vector<std::string> out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Utf8ToWide(Folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.push_back(WideToUtf8(fd.cFileName));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

void WriteBytes(const std::string& path, const TBytes& bytes) {
  HANDLE h = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &n, nullptr);
  CloseHandle(h);
}

TBytes ReadBytes(const std::string& path) {
  HANDLE h = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  TBytes out(GetFileSize(h, nullptr));
  DWORD n = 0;
  ReadFile(h, out.data(), DWORD(out.size()), &n, nullptr);
  CloseHandle(h);
  return out;
}

TBytes MakeWav(uint16_t tag, int bits, int channels, int rate, const TBytes& data, const TBytes& extra,
               bool floatSub) {
  TBytes fmt;
  Put16(fmt, tag);
  Put16(fmt, uint16_t(channels));
  Put32(fmt, uint32_t(rate));
  Put32(fmt, uint32_t(rate * channels * bits / 8));
  Put16(fmt, uint16_t(channels * bits / 8));
  Put16(fmt, uint16_t(bits));
  if (tag == 0xFFFE) {
    Put16(fmt, 22);
    Put16(fmt, uint16_t(bits));
    Put32(fmt, channels == 1 ? 4 : 3);
    Put16(fmt, floatSub ? 3 : 1);
    const uint8_t tail[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    fmt.insert(fmt.end(), tail, tail + 14);
  }
  TBytes body;
  PutId(body, "WAVE");
  PutId(body, "fmt ");
  Put32(body, uint32_t(fmt.size()));
  body.insert(body.end(), fmt.begin(), fmt.end());
  PutId(body, "data");
  Put32(body, uint32_t(data.size()));
  body.insert(body.end(), data.begin(), data.end());
  if (data.size() & 1) body.push_back(0);
  body.insert(body.end(), extra.begin(), extra.end());
  TBytes out;
  PutId(out, "RIFF");
  Put32(out, uint32_t(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

TBytes DataChunk(const TBytes& wav) {
  size_t p = 12;
  while (p + 8 <= wav.size()) {
    uint32_t n = uint32_t(wav[p + 4] | wav[p + 5] << 8 | wav[p + 6] << 16 | uint32_t(wav[p + 7]) << 24);
    if (!std::memcmp(&wav[p], "data", 4)) return TBytes(wav.begin() + p + 8, wav.begin() + p + 8 + n);
    p += 8 + n + (n & 1);
  }
  return {};
}

TBytes InfoChunk(const std::vector<std::pair<std::string, std::string>>& items) {
  TBytes body;
  PutId(body, "INFO");
  for (auto& [id, text] : items) {
    PutId(body, id.c_str());
    Put32(body, uint32_t(text.size() + 1));
    body.insert(body.end(), text.begin(), text.end());
    body.push_back(0);
    if ((text.size() + 1) & 1) body.push_back(0);
  }
  TBytes out;
  PutId(out, "LIST");
  Put32(out, uint32_t(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (int(GetTickCount() - start) > timeoutMs) return false;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    Sleep(1);
  }
  return true;
}

TOwned<TAudioEditor2> EditorWith(const std::vector<float>& samples, int channels, int rate) {
  auto e = Make<TAudioEditor2>();
  e->NewAudioFile(rate, channels);
  if (!samples.empty()) {
    e->InsertSamples(samples);
    e->ZoomFull();
  }
  return e;
}

std::vector<float> AllSamples(const TAudioEditor2& editor) {
  return editor.GetAudio().Read(0, editor.GetAudio().GetLength());
}

std::vector<float> Ramp(int count, float start, float step, float scale) {
  std::vector<float> v(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) v[size_t(i)] = (start + step * float(i)) * scale;
  return v;
}

void TEventLog::Attach(TAudioEditor2& e) {
  e.OnChangePosition = Bind(this, &TEventLog::Position);
  e.OnChangePlayPosition = Bind(this, &TEventLog::PlayPosition);
  e.OnBlockOperation = Bind(this, &TEventLog::Block);
  e.OnEndOperation = Bind(this, &TEventLog::EndOperation);
  e.OnMeter = Bind(this, &TEventLog::Meter);
  e.OnEndPlay = Bind(this, &TEventLog::EndPlay);
  e.OnChangeMarker = Bind(this, &TEventLog::Marker);
}

std::string OpenError(TAudioEditor2& editor, const std::string& path) {
  try {
    editor.OpenAudioFile(path, 0);
    return "opened";
  } catch (const EAudioError& e) {
    return e.what();
  }
}

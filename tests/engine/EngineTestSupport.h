// Shared helpers of the engine tests: temporary folders, hand-made WAV bytes,
// message pumping and small editors with known samples.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/EngineError.h"
#include "engine/RawFile.h"
#include "engine/TAudioEditor2.h"
#include "framework/OwnedObject.h"

class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  const std::string& Path() const { return Folder; }
  std::string File(const std::string& name) const { return Folder + "\\" + name; }
  std::vector<std::string> List() const;

 private:
  std::string Folder;
};

using TBytes = std::vector<uint8_t>;
void WriteBytes(const std::string& path, const TBytes& bytes);
TBytes ReadBytes(const std::string& path);

// A RIFF/WAVE file: tag 1 PCM, 3 float, 0xFFFE extensible (with the PCM or
// float sub-format by floatSub); extra chunks follow the data chunk.
TBytes MakeWav(uint16_t tag, int bits, int channels, int rate, const TBytes& data, const TBytes& extra = {},
               bool floatSub = false);
// The bytes of the data chunk of a WAV file.
TBytes DataChunk(const TBytes& wav);
// An INFO list with the given (id, text) pairs.
TBytes InfoChunk(const std::vector<std::pair<std::string, std::string>>& items);

// Pumps messages until done() or the timeout; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// A component of no owner, freed when the test is done with it.
template <class T>
TOwned<T> Make() {
  return MakeOwned<T>(nullptr);
}

// The message of the error that opening path in editor raises; "opened" when none.
std::string OpenError(TAudioEditor2& editor, const std::string& path);

// A new editor at rate/channels holding samples (interleaved).
TOwned<TAudioEditor2> EditorWith(const std::vector<float>& samples, int channels = 1, int rate = 8000);
std::vector<float> AllSamples(const TAudioEditor2& editor);
// Frames to samples of value v: for "k/8" style exact fixtures.
std::vector<float> Ramp(int count, float start = 1, float step = 1, float scale = 1.0f / 64);

// Records the editor's events for assertions.
struct TEventLog {
  void Attach(TAudioEditor2& e);
  void Position(TObject*) { ++Positions; }
  void PlayPosition(TObject*) { ++PlayPositions; }
  void Block(TObject*, int p) { Percents.push_back(p); }
  void EndOperation(TObject*) { ++Ends; }
  void Meter(TObject*, int l, int r) { Meters.push_back({l, r}); }
  void EndPlay(TObject*) { ++EndPlays; }
  void Marker(TObject*, int n) { Markers.push_back(n); }
  int Positions = 0, PlayPositions = 0, Ends = 0, EndPlays = 0;
  std::vector<int> Percents, Markers;
  std::vector<std::pair<int, int>> Meters;
};

#pragma once
// Streaming audio effects on interleaved float frames (nominal range -1..1).
//
// Every effect is configured once, in its constructor, with the units its
// callers use (percent, dB, ms, Hz); out-of-range values raise EDspError.
// Then:
//   effect.Process(input, frames, output);  // any block size, state kept
//   effect.Flush(output);                   // what is still owed at the end
//   effect.Reset();                         // forget the past, same settings
// Process appends to output; an in-place effect appends exactly as many
// frames as it got, and ProcessBlock(vector) then works without a copy.
// Effects that change length (speed) or delay their output (pitch) deliver
// the rest on Flush, so that Process + Flush yield the whole result.
//
// Whole-selection effects: when NeedsAnalysis() is true, feed every block to
// Analyze() first (a first pass), then process the blocks. When GetOrder()
// is TEffectOrder::Backward, feed the blocks from the last to the first; the
// effect reverses each block itself.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace dsp {

// A parameter the effect cannot use, or a format it cannot handle.
class EDspError : public std::invalid_argument {
public:
  using std::invalid_argument::invalid_argument;
};

struct TAudioFormat {
  int SampleRate = 44100;
  int Channels = 2;
};

enum class TEffectOrder { Forward, Backward };

class TAudioEffect {
public:
  explicit TAudioEffect(TAudioFormat format);
  virtual ~TAudioEffect() = default;
  TAudioEffect(const TAudioEffect &) = delete;
  TAudioEffect &operator=(const TAudioEffect &) = delete;

  TAudioFormat GetFormat() const { return FFormat; }
  int GetChannels() const { return FFormat.Channels; }
  int GetSampleRate() const { return FFormat.SampleRate; }

  void Process(const float *input, std::size_t frames, std::vector<float> &output);
  void Flush(std::vector<float> &output);
  // Replaces block (whole frames) by its processed frames.
  void ProcessBlock(std::vector<float> &block);
  // In-place effects only (IsInPlace()): processes the frames where they are.
  void Apply(float *data, std::size_t frames);
  virtual void Reset() = 0;

  virtual bool NeedsAnalysis() const { return false; }
  void Analyze(const float *input, std::size_t frames);
  virtual TEffectOrder GetOrder() const { return TEffectOrder::Forward; }
  // True when output frame i always belongs to input frame i.
  virtual bool IsInPlace() const { return false; }
  // True for in-place effects that make each frame from its own input frame
  // and its place in the selection alone (Backward ones: the block reversed),
  // once the analysis pass is done where there is one: any run of frames can
  // then be processed by itself with Seek and Apply, again and in any order.
  virtual bool IsFrameLocal() const { return false; }
  // Frame-local effects: the next frames processed sit at position of the
  // selection.
  virtual void Seek(std::uint64_t position) {}

protected:
  virtual void DoProcess(const float *input, std::size_t frames, std::vector<float> &output) = 0;
  virtual void DoFlush(std::vector<float> &) {}
  virtual void DoAnalyze(const float *, std::size_t) {}
  virtual void DoProcessBlock(std::vector<float> &block);
  virtual void DoApply(float *data, std::size_t frames);

private:
  TAudioFormat FFormat;
};

// Effects that change samples where they are.
class TInPlaceEffect : public TAudioEffect {
public:
  using TAudioEffect::TAudioEffect;
  bool IsInPlace() const override { return true; }

protected:
  virtual void ProcessInPlace(float *data, std::size_t frames) = 0;
  void DoProcess(const float *input, std::size_t frames, std::vector<float> &output) override;
  void DoProcessBlock(std::vector<float> &block) override;
  void DoApply(float *data, std::size_t frames) override { ProcessInPlace(data, frames); }
};

// Parameter checks shared by the effects; the message names the effect and
// the parameter as the user knows them.
double CheckRange(double value, double low, double high, const char *effect, const char *parameter);
double CheckAtLeast(double value, double low, const char *effect, const char *parameter);
// Frames for a duration in ms, at least minFrames.
std::size_t MsToFrames(double ms, int sampleRate, std::size_t minFrames = 0);
// Replaces NaN and infinities by silence, so that nothing downstream sees them.
void Sanitize(float *data, std::size_t count);
// Multiplies count samples by gain.
void Scale(float *data, std::size_t count, float gain);

} // namespace dsp

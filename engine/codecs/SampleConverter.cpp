#include "engine/codecs/SampleConverter.h"

#include <cstring>

#include "engine/codecs/CodecError.h"
#include "engine/codecs/FiniteSamples.h"

TSampleConverter::TSampleConverter(int inRate, int inChannels, int outRate, int outChannels, AVSampleFormat outFormat)
    : InChannels(inChannels), OutRate(outRate), OutChannels(outChannels), Planar(outFormat == AV_SAMPLE_FMT_FLTP) {
  if (inRate <= 0 || inChannels <= 0 || outRate <= 0 || outChannels <= 0)
    throw ECodecError("Invalid sample format: " + std::to_string(inRate) + " Hz, " + std::to_string(inChannels) +
                      " channels.");
  if (inRate == outRate && inChannels == outChannels && (!Planar || outChannels == 1)) return;
  AVChannelLayout in{}, out{};
  av_channel_layout_default(&in, inChannels);
  av_channel_layout_default(&out, outChannels);
  SwrContext* swr = nullptr;
  int r = swr_alloc_set_opts2(&swr, &out, outFormat, outRate, &in, AV_SAMPLE_FMT_FLT, inRate, 0, nullptr);
  // Mono goes to both sides at its own level, stereo into mono as the mean
  // (the library's own matrices lower both by 3 dB).
  static const double kMonoToStereo[2] = {1.0, 1.0}, kStereoToMono[2] = {0.5, 0.5};
  if (r >= 0 && inChannels == 1 && outChannels == 2) r = swr_set_matrix(swr, kMonoToStereo, 1);
  if (r >= 0 && inChannels == 2 && outChannels == 1) r = swr_set_matrix(swr, kStereoToMono, 2);
  if (r < 0 || swr_init(swr) < 0) {
    swr_free(&swr);
    throw ECodecError("Cannot convert " + std::to_string(inRate) + " Hz to " + std::to_string(outRate) + " Hz.");
  }
  Swr.reset(swr);
}

const std::vector<float>& TSampleConverter::Convert(const float* in, int64_t count) {
  // An encoder given NaN or infinity may abort the process; in a rate
  // converter's filter one would spread to its neighbours.
  if (in && !AllFinite(in, size_t(count) * InChannels)) {
    Finite.assign(in, in + count * InChannels);
    ZeroNonFinite(Finite.data(), Finite.size());
    in = Finite.data();
  }
  if (!Swr) {
    Out.assign(in, in + (in ? count * InChannels : 0));
    Converted += in ? count : 0;
    return Out;
  }
  int capacity = swr_get_out_samples(Swr.get(), in ? int(count) : 0) + 16;
  Out.resize(size_t(capacity) * OutChannels);
  uint8_t* planes[8] = {};
  for (int c = 0; c < OutChannels && c < 8; ++c)
    planes[c] = reinterpret_cast<uint8_t*>(Out.data() + (Planar ? size_t(c) * capacity : 0));
  const auto* src = reinterpret_cast<const uint8_t*>(in);
  int done = swr_convert(Swr.get(), planes, capacity, in ? &src : nullptr, in ? int(count) : 0);
  if (done < 0) throw ECodecError("The samples cannot be converted: " + AVErrorText(done) + ".");
  if (Planar && done < capacity)  // close the gaps between the planes
    for (int c = 1; c < OutChannels; ++c)
      std::memmove(Out.data() + size_t(c) * done, Out.data() + size_t(c) * capacity, size_t(done) * sizeof(float));
  Out.resize(size_t(done) * OutChannels);
  Converted += done;
  return Out;
}

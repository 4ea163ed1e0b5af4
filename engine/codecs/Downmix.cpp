#include "engine/codecs/Downmix.h"

namespace {

constexpr double kMinus3dB = 0.70710678118654752;

enum class TSide { Left, Right, Both, None, Unknown };

TSide SideOf(AVChannel c) {
  switch (c) {
    case AV_CHAN_FRONT_LEFT: case AV_CHAN_FRONT_LEFT_OF_CENTER: case AV_CHAN_BACK_LEFT: case AV_CHAN_SIDE_LEFT:
    case AV_CHAN_TOP_FRONT_LEFT: case AV_CHAN_TOP_BACK_LEFT: case AV_CHAN_STEREO_LEFT: case AV_CHAN_WIDE_LEFT:
    case AV_CHAN_SURROUND_DIRECT_LEFT: case AV_CHAN_TOP_SIDE_LEFT: case AV_CHAN_BOTTOM_FRONT_LEFT:
      return TSide::Left;
    case AV_CHAN_FRONT_RIGHT: case AV_CHAN_FRONT_RIGHT_OF_CENTER: case AV_CHAN_BACK_RIGHT: case AV_CHAN_SIDE_RIGHT:
    case AV_CHAN_TOP_FRONT_RIGHT: case AV_CHAN_TOP_BACK_RIGHT: case AV_CHAN_STEREO_RIGHT: case AV_CHAN_WIDE_RIGHT:
    case AV_CHAN_SURROUND_DIRECT_RIGHT: case AV_CHAN_TOP_SIDE_RIGHT: case AV_CHAN_BOTTOM_FRONT_RIGHT:
      return TSide::Right;
    case AV_CHAN_FRONT_CENTER: case AV_CHAN_BACK_CENTER: case AV_CHAN_TOP_CENTER: case AV_CHAN_TOP_FRONT_CENTER:
    case AV_CHAN_TOP_BACK_CENTER: case AV_CHAN_BOTTOM_FRONT_CENTER:
      return TSide::Both;
    case AV_CHAN_LOW_FREQUENCY: case AV_CHAN_LOW_FREQUENCY_2:
      return TSide::None;
    default:
      return TSide::Unknown;
  }
}

bool IsMainPair(AVChannel c) {
  return c == AV_CHAN_FRONT_LEFT || c == AV_CHAN_FRONT_RIGHT || c == AV_CHAN_STEREO_LEFT ||
         c == AV_CHAN_STEREO_RIGHT;
}

}  // namespace

std::vector<AVChannel> SpeakersOf(const AVChannelLayout& layout) {
  std::vector<AVChannel> speakers;
  for (int i = 0; i < layout.nb_channels; ++i) {
    // Unnamed channels take the speakers in their standard order, front left,
    // right, centre, LFE, back left, right and on, as WAV headers without a
    // channel mask mean them.
    if (layout.order == AV_CHANNEL_ORDER_UNSPEC)
      speakers.push_back(i <= AV_CHAN_TOP_BACK_RIGHT ? AVChannel(i) : AV_CHAN_UNKNOWN);
    else
      speakers.push_back(av_channel_layout_channel_from_index(&layout, unsigned(i)));
  }
  return speakers;
}

std::vector<double> DownmixMatrix(const std::vector<AVChannel>& speakers, int outChannels) {
  const size_t n = speakers.size();
  std::vector<double> m(size_t(outChannels) * n, 0.0);
  if (n == 1) {
    for (int o = 0; o < outChannels; ++o) m[size_t(o)] = 1.0;
    return m;
  }
  std::vector<double> left(n, 0.0), right(n, 0.0);
  if (n == 2) {  // a pair is left and right, whatever speakers it names
    left[0] = right[1] = 1.0;
  } else {
    for (size_t i = 0; i < n; ++i) {
      const double level = IsMainPair(speakers[i]) ? 1.0 : kMinus3dB;
      switch (SideOf(speakers[i])) {
        case TSide::Left: left[i] = level; break;
        case TSide::Right: right[i] = level; break;
        case TSide::Both: left[i] = right[i] = level; break;
        case TSide::None: break;
        case TSide::Unknown: (i % 2 ? right : left)[i] = kMinus3dB; break;
      }
    }
  }
  for (size_t i = 0; i < n; ++i) {
    if (outChannels == 1) {
      m[i] = (left[i] + right[i]) / 2;
    } else {
      m[i] = left[i];
      m[n + i] = right[i];
    }
  }
  return m;
}

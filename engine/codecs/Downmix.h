// How the channels of a file go into a document of one or two channels, the
// same whatever the file kind: front left and right at their own level, the
// centres at -3 dB into both sides, the other speakers at -3 dB into their
// own side, low-frequency effects dropped. A mono document takes the mean of
// the two sides; mono goes to both sides at its own level.
#pragma once
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
}

// The speaker of each channel; a layout that names none gets the first of
// the standard order.
std::vector<AVChannel> SpeakersOf(const AVChannelLayout& layout);
// Row after row, one per output channel, of one weight per input channel.
std::vector<double> DownmixMatrix(const std::vector<AVChannel>& speakers, int outChannels);

// The stream header of a Musepack (stream version 8) file, read for the exact
// number of samples it holds: the demuxer rounds that down to whole packets of
// up to 16 frames, and the decoder gives the last frame's padding as audio.
#pragma once
#include <cstdint>

class TCodecFile;

// What the synthesis filter of the decoder puts before the first sample.
inline constexpr int kMusepackDecoderDelay = 481;

struct TMusepackHeader {
  int64_t Samples = -1;  // -1: the file has no readable header
  int64_t Silence = 0;   // samples at the start that the encoder added
};
TMusepackHeader ReadMusepackHeader(TCodecFile& file);

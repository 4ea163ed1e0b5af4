// The stream header of a Musepack (stream version 8) file, read for the exact
// number of samples it holds: the demuxer rounds that down to whole packets of
// up to 16 frames, and the decoder gives the last frame's padding as audio.
#pragma once
#include <cstdint>

class TCodecFile;

// The samples the stream holds, or -1 when the file has no readable header.
int64_t MusepackSampleCount(TCodecFile& file);

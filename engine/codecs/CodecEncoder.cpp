#include "engine/codecs/CodecEncoder.h"

#include <algorithm>

#include "engine/codecs/CodecError.h"

void TConvertingEncoder::Write(const float* frames, int64_t count) {
  if (IsFinished()) throw ECodecError("The file \"" + Path + "\" is already finished.");
  for (int64_t done = 0; done < count;) {
    int64_t n = std::min<int64_t>(count - done, 65536);
    Encode(Converter->Convert(frames + done * InChannels, n), false);
    done += n;
  }
}

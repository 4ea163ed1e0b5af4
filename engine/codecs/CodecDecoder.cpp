#include "engine/codecs/CodecDecoder.h"

#include <set>

#include "engine/codecs/CdaDecoder.h"
#include "engine/codecs/CodecError.h"
#include "engine/codecs/FFmpegDecoder.h"
#include "engine/codecs/HeaderlessDecoder.h"
#include "engine/codecs/VorbisDecoder.h"

namespace {

const std::set<std::string> kHeaderless = {".raw", ".vox", ".g721", ".g723", ".g726"};
const std::set<std::string> kContainers = {".wav", ".mp3", ".mp2", ".mpga", ".wma", ".ogg",
                                           ".aif", ".aiff", ".aifc", ".mpc"};

}  // namespace

bool IsCodecExtension(const std::string& extension) {
  return kHeaderless.count(extension) || kContainers.count(extension);
}

std::unique_ptr<TCodecDecoder> OpenCodecDecoder(const std::string& path) {
  if (!CodecFileExists(path)) throw ECodecError("The file \"" + path + "\" does not exist.");
  if (CodecFileExtension(path) == ".cda") return std::make_unique<TCdaDecoder>(path);
  if (kHeaderless.count(CodecFileExtension(path))) return std::make_unique<THeaderlessDecoder>(path);
  if (IsOggVorbis(path)) return std::make_unique<TVorbisDecoder>(path);
  // Any other name is probed by its content, so a misnamed file still opens.
  return std::make_unique<TFFmpegDecoder>(path);
}

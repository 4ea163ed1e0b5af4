#include "engine/codecs/CodecTagWriter.h"

#include "engine/codecs/CodecError.h"
#include "engine/codecs/CodecFile.h"
#include "engine/codecs/Id3Tags.h"
#include "engine/codecs/OggEncoder.h"
#include "engine/codecs/WmaEncoder.h"

namespace {

bool IsMpegAudio(const std::string& ext) { return ext == ".mp3" || ext == ".mp2" || ext == ".mpga"; }

}  // namespace

bool CanWriteCodecTags(const std::string& path) {
  std::string ext = CodecFileExtension(path);
  return IsMpegAudio(ext) || ext == ".ogg" || ext == ".wma";
}

void WriteCodecTags(const std::string& path, const TCodecTags& tags) {
  std::string ext = CodecFileExtension(path);
  if (IsMpegAudio(ext)) WriteId3Tags(path, tags);
  else if (ext == ".ogg") WriteOggComments(path, tags);
  else if (ext == ".wma") WriteAsfTags(path, tags);
  else throw ECodecError("The file \"" + path + "\" is of a kind that cannot hold tags.");
}

// Files that scripts/test makes with Linux-side encoders and tools (twolame,
// mpcenc, lame, ffmpeg, sox) from WAV files of tones, in the folder it names in
// SONVELT_CODEC_FIXTURES; a test of a file that was not made is skipped.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "CodecTestSupport.h"

struct TMadeFile {
  const char* Name;
  const char* Source;  // the WAV it was made from
  int Rate, Channels;
  bool ExactLength;  // the file says how many samples it holds
};

// A frame of Layer II and of Musepack.
inline constexpr int kFrame = 1152;

inline const TMadeFile kMadeFiles[] = {
    {"stereo44.mp2", "stereo44.wav", 44100, 2, false},
    {"mono22.mp2", "mono22.wav", 22050, 1, false},  // the half-rate extension of Layer II
    {"mono32.mpga", "mono32.wav", 32000, 1, false},
    {"stereo44.mpc", "stereo44.wav", 44100, 2, true},
};

class LinuxMadeFile : public testing::TestWithParam<TMadeFile> {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("SONVELT_CODEC_FIXTURES");
    if (!folder || !FileExists(std::string(folder) + "\\" + GetParam().Name))
      GTEST_SKIP() << GetParam().Name << " was not made: run through scripts/test, which needs twolame and mpcenc"
                   << " (see fixtures/codecs/made.log in the build folder)";
    Folder = folder;
  }
  std::string Made(const char* name) const { return Folder + "\\" + name; }

 private:
  std::string Folder;
};

// The path of a made file, or empty when it was not made.
inline std::string MadeFile(const std::string& name) {
  const char* folder = std::getenv("SONVELT_CODEC_FIXTURES");
  std::string path = folder ? std::string(folder) + "\\" + name : "";
  return folder && FileExists(path) ? path : "";
}
#define SKIP_UNLESS_MADE(path, name)                                                                   \
  if ((path = MadeFile(name)).empty())                                                                  \
  GTEST_SKIP() << name << " was not made: run through scripts/test, which needs the Linux-side tools" \
               << " (see fixtures/codecs/made.log in the build folder)"

inline std::string MadeFileTestName(const testing::TestParamInfo<TMadeFile>& info) {
  std::string n = info.param.Name;
  for (char& ch : n)
    if (ch == '.') ch = '_';
  return n;
}

// Tags round-trip through each container, when encoding and when rewritten.
#include <gtest/gtest.h>

#include "CodecTestSupport.h"
#include "engine/codecs/CodecError.h"
#include "engine/codecs/CodecTagWriter.h"
#include "engine/codecs/Id3Tags.h"
#include "engine/codecs/Mp3Encoder.h"
#include "engine/codecs/OggEncoder.h"
#include "engine/codecs/WmaEncoder.h"

namespace {

TCodecTags FirstTags() {
  TCodecTags t;
  t.Title = "Sm\xC3\xB8rrebr\xC3\xB8\x64 \xE5\x90\x8D\xE5\x89\x8D";  // beyond Latin-1
  t.Artist = "The Artist";
  t.Album = "Caf\xC3\xA9 Album";  // Latin-1
  t.Comment = "Recorded live";
  t.Year = 1999;
  t.Genre = "Jazz";
  t.GenreIndex = 8;
  return t;
}

TCodecTags SecondTags() {
  TCodecTags t;
  t.Title = "Another title that is rather longer than the first one, to move the audio along";
  t.Artist = "\xD0\x90\xD1\x80\xD1\x82\xD0\xB8\xD1\x81\xD1\x82";
  t.Year = 2024;
  t.Genre = "Rock";
  t.GenreIndex = 17;
  return t;
}

// The reader gives no index back: only the names go through every container.
TCodecTags AsRead(TCodecTags t) {
  t.GenreIndex = -1;
  return t;
}

std::unique_ptr<TCodecEncoder> Make(const std::string& ext, const std::string& path, const TCodecTags& tags) {
  if (ext == ".mp3") {
    TLameSettings s;
    s.SetPreset(7);
    return std::make_unique<TMp3Encoder>(path, 44100, 2, s, tags);
  }
  if (ext == ".ogg") return std::make_unique<TOggEncoder>(path, 44100, 2, TOggSettings{}, tags);
  return std::make_unique<TWmaEncoder>(path, 44100, 2, 13, tags);
}

class Tags : public testing::TestWithParam<const char*> {};

TEST_P(Tags, RoundTripWhenEncodedAndWhenRewritten) {
  std::string ext = GetParam();
  TTestFolder dir;
  std::string path = dir.Path("tagged" + ext);
  std::vector<float> src = Tones(44100, 44100, {440, 660});
  {
    std::unique_ptr<TCodecEncoder> e = Make(ext, path, FirstTags());
    e->Write(src.data(), 44100);
    e->Finish();
  }
  TDecoded first = DecodeAll(path);
  EXPECT_EQ(first.Tags, AsRead(FirstTags()));

  ASSERT_TRUE(CanWriteCodecTags(path));
  WriteCodecTags(path, SecondTags());
  TDecoded second = DecodeAll(path);
  EXPECT_EQ(second.Tags, AsRead(SecondTags()));
  // The audio is untouched.
  EXPECT_EQ(second.Frames(), first.Frames());
  EXPECT_EQ(second.Samples, first.Samples);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"tagged" + ext});

  WriteCodecTags(path, TCodecTags{});
  EXPECT_EQ(DecodeAll(path).Tags, TCodecTags{});
}

INSTANTIATE_TEST_SUITE_P(Containers, Tags, testing::Values(".mp3", ".ogg", ".wma"),
                         [](const auto& info) { return std::string(info.param + 1); });

TEST(OggComments, AHeaderGrownByPagesKeepsEveryAudioPage) {
  // A comment larger than one page takes extra header pages: every audio page
  // after them is renumbered and gets a new checksum.
  TTestFolder dir;
  std::string path = dir.Path("long.ogg");
  std::vector<float> src = Tones(3 * 44100, 44100, {440, 660});
  {
    TOggEncoder e(path, 44100, 2, TOggSettings{}, FirstTags());
    e.Write(src.data(), 3 * 44100);
    e.Finish();
  }
  TDecoded before = DecodeAll(path);
  TCodecTags big = SecondTags();
  big.Comment.assign(150000, 'x');
  WriteCodecTags(path, big);
  TDecoded grown = DecodeAll(path);
  EXPECT_EQ(grown.Tags.Comment, big.Comment);
  EXPECT_EQ(grown.Samples, before.Samples);
  WriteCodecTags(path, FirstTags());
  TDecoded shrunk = DecodeAll(path);
  EXPECT_EQ(shrunk.Tags, AsRead(FirstTags()));
  EXPECT_EQ(shrunk.Samples, before.Samples);
}

TEST(Id3, VersionOneHoldsTheGenreIndexAndLatinText) {
  std::vector<unsigned char> v1 = BuildId3v1(FirstTags());
  ASSERT_EQ(v1.size(), 128u);
  EXPECT_EQ(std::string(v1.begin(), v1.begin() + 3), "TAG");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&v1[63])), "Caf\xE9 Album");
  EXPECT_EQ(std::string(v1.begin() + 93, v1.begin() + 97), "1999");
  EXPECT_EQ(v1[127], 8);
  EXPECT_EQ(BuildId3v1(SecondTags())[127], 17);
  EXPECT_EQ(BuildId3v1(TCodecTags{}).size(), 0u);
}

TEST(Id3, OnlyVersionOneIsReadWhenAlone) {
  // An MP3 without tags, then a version 1 tag alone appended by another program.
  TTestFolder dir;
  std::string path = dir.Path("v1.mp3");
  std::vector<float> src = Tones(11025, 44100, {440, 660});
  {
    TLameSettings s;
    s.SetPreset(9);
    TMp3Encoder e(path, 44100, 2, s, {});
    e.Write(src.data(), 11025);
    e.Finish();
  }
  std::vector<unsigned char> bytes = ReadBytes(path), v1 = BuildId3v1(SecondTags());
  bytes.insert(bytes.end(), v1.begin(), v1.end());
  WriteBytes(path, bytes);
  TCodecTags read = DecodeAll(path).Tags;
  EXPECT_EQ(read.Title, SecondTags().Title.substr(0, 30));
  EXPECT_EQ(read.Year, 2024);
  EXPECT_EQ(read.Genre, "Rock");
}

TEST(TagWriter, RefusesKindsWithoutTags) {
  TTestFolder dir;
  std::string path = dir.Path("a.vox");
  WriteBytes(path, std::vector<unsigned char>(100, 0x08));
  EXPECT_FALSE(CanWriteCodecTags(path));
  EXPECT_THROW(WriteCodecTags(path, FirstTags()), ECodecError);
  EXPECT_EQ(ReadBytes(path), std::vector<unsigned char>(100, 0x08));
}

}  // namespace

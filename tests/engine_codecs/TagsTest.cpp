// Tags round-trip through each container, when encoding and when rewritten.
#include <gtest/gtest.h>

#include <cstring>

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

namespace {

std::vector<unsigned char> Id3v23(const std::vector<std::vector<unsigned char>>& frames) {
  std::vector<unsigned char> body;
  for (const auto& f : frames) body.insert(body.end(), f.begin(), f.end());
  std::vector<unsigned char> tag = {'I', 'D', '3', 3, 0, 0};
  for (int shift : {21, 14, 7, 0}) tag.push_back((unsigned char)((body.size() >> shift) & 0x7F));
  tag.insert(tag.end(), body.begin(), body.end());
  return tag;
}

std::vector<unsigned char> Frame23(const char* id, const std::vector<unsigned char>& body) {
  std::vector<unsigned char> f(id, id + 4);
  for (int shift : {24, 16, 8, 0}) f.push_back((unsigned char)(body.size() >> shift));
  f.insert(f.end(), {0, 0});
  f.insert(f.end(), body.begin(), body.end());
  return f;
}

// A comment frame: the encoding, the language, an empty description, the text.
std::vector<unsigned char> Comm(unsigned char encoding, const std::vector<unsigned char>& description,
                                const std::vector<unsigned char>& text) {
  std::vector<unsigned char> b = {encoding, 'e', 'n', 'g'};
  b.insert(b.end(), description.begin(), description.end());
  b.insert(b.end(), text.begin(), text.end());
  return Frame23("COMM", b);
}

}  // namespace

// Comments as various encoders write them; one that cannot be read gives way
// to the ID3v1 comment.
TEST(Id3Comments, ReadAsOtherEncodersWriteThem) {
  TTestFolder dir;
  {
    TMp3Encoder e(dir.Path("bare.mp3"), 44100, 2, TLameSettings{}, TCodecTags{});
    std::vector<float> src = Tones(11025, 44100, {440, 660});
    e.Write(src.data(), 11025);
    e.Finish();
  }
  const std::vector<unsigned char> audio = ReadBytes(dir.Path("bare.mp3"));
  const std::vector<unsigned char> title = Frame23("TIT2", {0, 'S', 'o', 'n', 'g'});
  // "Grüße" in UTF-16 little-endian, then big-endian, each ending in a zero unit.
  const std::vector<unsigned char> le = {'G', 0, 'r', 0, 0xFC, 0, 0xDF, 0, 'e', 0, 0, 0};
  const std::vector<unsigned char> be = {0, 'G', 0, 'r', 0, 0xFC, 0, 0xDF, 0, 'e', 0, 0};
  auto with = [](std::vector<unsigned char> a, const std::vector<unsigned char>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const struct {
    const char* Name;
    std::vector<unsigned char> Frame;
    const char* Comment;
  } cases[] = {
      {"UTF-16 without a byte-order mark", Comm(1, {0, 0}, le), "Gr\xC3\xBC\xC3\x9F" "e"},
      {"UTF-16 with a byte-order mark", Comm(1, {0xFE, 0xFF, 0, 0}, with({0xFE, 0xFF}, be)), "Gr\xC3\xBC\xC3\x9F" "e"},
      {"UTF-16 big-endian", Comm(2, {0, 0}, be), "Gr\xC3\xBC\xC3\x9F" "e"},
      {"Latin-1", Comm(0, {0}, {'G', 'r', 0xFC, 0xDF, 'e'}), "Gr\xC3\xBC\xC3\x9F" "e"},
      {"an unknown encoding", Comm(9, {0}, {'x'}), "From version 1"},
      {"no comment frame", {}, "From version 1"},
  };
  std::vector<unsigned char> v1(128, 0);
  std::memcpy(v1.data(), "TAG", 3);
  std::memcpy(&v1[3], "Old title", 9);
  std::memcpy(&v1[97], "From version 1", 14);
  v1[127] = 255;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<unsigned char> file = Id3v23(c.Frame.empty() ? std::vector<std::vector<unsigned char>>{title}
                                                             : std::vector<std::vector<unsigned char>>{title, c.Frame});
    file.insert(file.end(), audio.begin(), audio.end());
    file.insert(file.end(), v1.begin(), v1.end());
    WriteBytes(dir.Path("tagged.mp3"), file);
    TDecoded d = DecodeAll(dir.Path("tagged.mp3"));
    EXPECT_EQ(d.Tags.Title, "Song");
    EXPECT_EQ(d.Tags.Comment, c.Comment);
    EXPECT_NEAR(double(d.Frames()), 11025, 1152);
  }
}

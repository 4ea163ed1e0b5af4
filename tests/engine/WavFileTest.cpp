#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "EngineTestSupport.h"
#include "framework/FileUtils.h"
#include "engine/TAudioFile2.h"
#include "engine/TAudioInformation2.h"
#include "engine/WavFile.h"
#include "framework/Unicode.h"

namespace {

// Every byte value appears, so any slip in conversion shows.
TBytes Pattern(size_t n, int bytesPerSample) {
  TBytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = uint8_t((i * 37 + 11) & 0xFF);
  if (bytesPerSample == 4) {
    // 32-bit integer samples keep 24 significant bits in a float document.
    for (size_t i = 0; i < n; i += 4) b[i] = 0;
  }
  return b;
}

TBytes FloatPattern(size_t frames, int channels) {
  std::vector<float> v(frames * channels);
  for (size_t i = 0; i < v.size(); ++i) v[i] = float(std::sin(double(i) * 0.37)) * 0.9f;
  v[0] = 1.0f;
  v[1] = -1.0f;
  TBytes b(v.size() * 4);
  std::memcpy(b.data(), v.data(), b.size());
  return b;
}

struct TFormatCase {
  const char* Name;
  uint16_t Tag;
  int Bits, Channels;
  bool FloatSub;
};

const TFormatCase kFormats[] = {
    {"pcm8 mono", 1, 8, 1, false},          {"pcm16 stereo", 1, 16, 2, false},
    {"pcm24 stereo", 1, 24, 2, false},      {"pcm32 mono", 1, 32, 1, false},
    {"float32 stereo", 3, 32, 2, false},    {"extensible16 mono", 0xFFFE, 16, 1, false},
    {"extensible24 stereo", 0xFFFE, 24, 2, false}, {"extensible float", 0xFFFE, 32, 2, true},
};

TBytes SourceData(const TFormatCase& c, size_t frames) {
  bool isFloat = c.Tag == 3 || c.FloatSub;
  return isFloat ? FloatPattern(frames, c.Channels) : Pattern(frames * c.Channels * c.Bits / 8, c.Bits / 8);
}

uint16_t FormatTag(const TBytes& wav) { return uint16_t(wav[20] | wav[21] << 8); }

}  // namespace

TEST(WavFile, BlockReaderAndWriterRoundTripEveryFormatExactly) {
  TTempFolder dir;
  for (const TFormatCase& c : kFormats) {
    SCOPED_TRACE(c.Name);
    TBytes data = SourceData(c, 5000);
    std::string in = dir.File(std::string("in ") + c.Name + ".wav"), out = dir.File("out.wav");
    WriteBytes(in, MakeWav(c.Tag, c.Bits, c.Channels, 22050, data, {}, c.FloatSub));

    auto readerObj = Make<TAudioFile2>(), writerObj = Make<TAudioFile2>();
    TAudioFile2 &reader = *readerObj, &writer = *writerObj;
    reader.OpenForReading(in, 0, 1);
    EXPECT_EQ(reader.GetLengthSamples(), 5000);
    EXPECT_EQ(reader.GetBitRate(), 22050 * c.Channels * c.Bits);
    writer.CopyWavFormatFrom(in);
    writer.SetPcmFormat(reader.GetPcmSampleRate(), reader.GetPcmChannels());
    writer.CreateForWriting(out, 0);
    while (true) {
      TSampleArray block = reader.ReadBlock(777 * c.Channels);
      if (block.empty()) break;
      writer.WriteBlock(block);
    }
    writer.CloseFile();
    reader.CloseFile();
    TBytes written = ReadBytes(out);
    EXPECT_EQ(DataChunk(written), data);
    EXPECT_EQ(FormatTag(written), c.Tag == 0xFFFE || (c.Tag == 1 && c.Bits > 16) ? 0xFFFE : c.Tag);
  }
}

TEST(WavFile, EditorOpensAndSavesEachOwnFormatBitExact) {
  TTempFolder dir;
  struct Case { const char* name; uint16_t tag; int bits; int channels; };
  for (Case c : {Case{"8", 1, 8, 2}, Case{"16", 1, 16, 1}, Case{"24", 1, 24, 2}, Case{"float", 3, 32, 2}}) {
    SCOPED_TRACE(c.name);
    TBytes data = c.tag == 3 ? FloatPattern(3000, c.channels) : Pattern(3000 * c.channels * c.bits / 8, 0);
    std::string in = dir.File("source.wav"), out = dir.File("saved \u00fc.wav");
    WriteBytes(in, MakeWav(c.tag, c.bits, c.channels, 11025, data));
    auto owned = Make<TAudioEditor2>();
    TAudioEditor2& e = *owned;
    e.OpenAudioFile(in, 0);
    EXPECT_EQ(e.GetSampleRate(), 11025);
    EXPECT_EQ(e.GetChannels(), c.channels);
    EXPECT_EQ(e.GetLength(), 3000);
    e.GetFileFormat()->SetWavFormat(11025, c.channels, c.bits);
    e.SaveAudioFile(out, false, 1);
    EXPECT_EQ(DataChunk(ReadBytes(out)), data);
  }
}

TEST(WavFile, SavingConvertsToTheChosenFormatAndCanSaveTheSelectionOnly) {
  TTempFolder dir;
  auto e = EditorWith({0.5f, -0.5f, 0.25f, 0.0f, 1.0f, -1.0f}, 1, 8000);
  e->SetSelectionActive(true);
  e->SetSelStart(1);
  e->SetSelEnd(4);
  e->GetFileFormat()->SetWavFormat(8000, 2, 16);
  e->SaveAudioFile(dir.File("sel.wav"), true, 1);
  TBytes d = DataChunk(ReadBytes(dir.File("sel.wav")));
  // Frames 1..3 duplicated onto two channels: -0.5, 0.25, 0.
  const TBytes expect = {0x00, 0xC0, 0x00, 0xC0, 0x00, 0x20, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(d, expect);
  EXPECT_THROW(e->SaveAudioFile(dir.File("x.wav"), false, 5), EAudioError);
  EXPECT_FALSE(FileExists(dir.File("x.wav")));
}

TEST(WavFile, BrokenFilesRaiseClearErrorsAndLeaveTheDocument) {
  TTempFolder dir;
  TBytes good = MakeWav(1, 16, 1, 8000, TBytes(100, 1));
  TBytes truncated = good;
  truncated.resize(truncated.size() - 30);
  TBytes noFormat = good;
  std::memcpy(&noFormat[12], "junk", 4);
  TBytes noData = MakeWav(1, 16, 1, 8000, {});
  std::memcpy(&noData[36], "dat_", 4);
  struct Case { const char* name; TBytes bytes; const char* says; };
  const Case cases[] = {
      {"empty", {}, "not supported"},
      {"text", TBytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}, "not supported"},
      {"truncated", truncated, "truncated"},
      {"no format", noFormat, "no format"},
      {"no data", noData, "no audio data"},
      {"compressed", MakeWav(0x55, 16, 1, 8000, TBytes(100, 1)), "compressed"},
      {"rate out of range", MakeWav(1, 16, 1, int(0xFFFFFFFFu), TBytes(96, 1)), "rate 4294967295 Hz"},
      {"12 bits", MakeWav(1, 12, 1, 8000, TBytes(96, 1)), "12-bit"},
  };
  auto e = EditorWith({0.125f, 0.25f, 0.5f});
  e->GetMarkers()->AddMarker(1, 0, "keep", "Bookmark");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir.File(std::string(c.name) + ".wav");
    WriteBytes(path, c.bytes);
    try {
      e->OpenAudioFile(path, 0);
      ADD_FAILURE() << "opened";
    } catch (const EAudioError& err) {
      EXPECT_NE(std::string(err.what()).find(c.says), std::string::npos) << err.what();
    }
    EXPECT_EQ(AllSamples(*e), (std::vector<float>{0.125f, 0.25f, 0.5f}));
    EXPECT_EQ(e->GetMarkers()->GetCount(), 1);
  }
  EXPECT_THROW(e->OpenAudioFile(dir.File("missing.wav"), 0), EAudioError);
}

TEST(WavFile, TagsAreReadWrittenAndCopied) {
  TTempFolder dir;
  TBytes info = InfoChunk({{"INAM", "Caf\xe9"}, {"IART", "Band"}, {"IPRD", "Album"}, {"IGNR", "jazz"},
                           {"ICRD", "1999-05-01"}, {"ICMT", "note"}});
  WriteBytes(dir.File("tagged.wav"), MakeWav(1, 16, 1, 8000, TBytes(20, 0), info));
  auto owned = Make<TAudioEditor2>();
  TAudioEditor2& e = *owned;
  e.OpenAudioFile(dir.File("tagged.wav"));
  EXPECT_EQ(e.GetTitle(), "Caf\u00e9");  // written in the old code page, read as text
  EXPECT_EQ(e.GetArtist(), "Band");
  EXPECT_EQ(e.GetAlbum(), "Album");
  EXPECT_EQ(e.GetGenre(), 8);
  EXPECT_EQ(e.GetGenreName(e.GetGenre()), "Jazz");
  EXPECT_EQ(e.GetYear(), 1999);
  EXPECT_EQ(e.GetComment(), "note");

  e.SetTitle("\u65b0\u3057\u3044");
  e.SetGenre(147);
  e.SaveAudioFile(dir.File("retagged.wav"), false, 1);
  auto info2Obj = Make<TAudioInformation2>();
  TAudioInformation2& info2 = *info2Obj;
  info2.ReadInfo(dir.File("retagged.wav"));
  EXPECT_EQ(info2.GetTags().Title, "\u65b0\u3057\u3044");
  EXPECT_EQ(info2.GetTags().Genre, 147);
  EXPECT_EQ(info2.GetLengthSamples(), 10);

  // Copying the tags into an untagged file keeps its audio.
  TBytes plain = MakeWav(1, 16, 2, 8000, Pattern(400, 2));
  WriteBytes(dir.File("plain.wav"), plain);
  info2.WriteInfo(dir.File("plain.wav"));
  auto check = Make<TAudioInformation2>();
  check->ReadInfo(dir.File("plain.wav"));
  EXPECT_EQ(check->GetTags(), info2.GetTags());
  EXPECT_EQ(DataChunk(ReadBytes(dir.File("plain.wav"))), DataChunk(plain));
}

TEST(WavFile, AFailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
  TTempFolder dir;
  std::string target = dir.File("old.wav");
  TBytes old = MakeWav(1, 16, 1, 8000, TBytes(10, 7));
  WriteBytes(target, old);
  auto e = EditorWith(std::vector<float>(100, 0.5f));
  // Another program holds the old file open without sharing: it cannot be replaced.
  HANDLE lock = CreateFileW(Utf8ToWide(target).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_THROW(e->SaveAudioFile(target, false, 1), EAudioError);
  CloseHandle(lock);
  EXPECT_EQ(ReadBytes(target), old);
  EXPECT_EQ(dir.List(), std::vector<std::string>{"old.wav"});
  EXPECT_THROW(e->SaveAudioFile(dir.File("no such folder\\x.wav"), false, 1), EAudioError);
}

TEST(WavFile, BlockFilesConvertBetweenTheFileAndThePcmFormat) {
  TTempFolder dir;
  TBytes data;
  for (int i = 0; i < 22050; ++i) data.insert(data.end(), {0x00, 0x10});  // 0.125, mono
  WriteBytes(dir.File("mono.wav"), MakeWav(1, 16, 1, 22050, data));
  auto reader = Make<TAudioFile2>();
  reader->OpenForReading(dir.File("mono.wav"), 0, 1);
  EXPECT_EQ(reader->GetPcmSampleRate(), 22050);
  reader->SetPcmFormat(44100, 2);
  size_t total = 0;
  TSampleArray first;
  while (true) {
    TSampleArray b = reader->ReadBlock(4410 * 2);
    if (b.empty()) break;
    if (first.empty()) first = b;
    total += b.size();
  }
  EXPECT_EQ(total, size_t(44100) * 2);
  EXPECT_NEAR(first[4000], 0.125f, 0.001f);
  EXPECT_EQ(first[4000], first[4001]);  // both sides alike

  // A writer told to take 8 kHz stereo blocks writes its own 16 kHz mono.
  auto writer = Make<TAudioFile2>();
  writer->SetWavFormat(16000, 1, 16);
  writer->CreateForWriting(dir.File("out.wav"), 0);
  writer->SetPcmFormat(8000, 2);
  writer->WriteBlock(TSampleArray(8000 * 2, 0.25f));
  EXPECT_FALSE(FileExists(dir.File("out.wav")));  // appears only when closed
  writer->CloseFile();
  auto info = Make<TAudioInformation2>();
  info->ReadInfo(dir.File("out.wav"));
  EXPECT_EQ(info->GetSampleRate(), 16000);
  EXPECT_EQ(info->GetChannels(), 1);
  EXPECT_EQ(info->GetLengthSamples(), 16000);
  EXPECT_THROW(writer->CreateForWriting(dir.File("no such folder\\x.wav"), 0), EAudioError);
}

namespace {

// The writer's integers as rounding in double precision gives them: the scaled
// value to the nearest, ties to even, saturating at full scale.
TBytes ReferencePcm(const std::vector<float>& s, int bits) {
  const double full = std::ldexp(1.0, bits - 1);
  TBytes out;
  for (float v : s) {
    double x = std::nearbyint(double(v) * full);
    int64_t i = int64_t(std::clamp(x, -full, full - 1));
    if (bits == 8) i += 128;
    for (int b = 0; b < bits / 8; ++b) out.push_back(uint8_t(uint64_t(i) >> (8 * b)));
  }
  return out;
}

std::vector<float> EdgeAndRandomSamples() {
  std::vector<float> s = {0.0f, -0.0f, 1.0f, -1.0f, 1.5f, -1.5f, 1e30f, -1e30f, HUGE_VALF, -HUGE_VALF,
                          1e-45f, -1e-45f, 1e-38f, std::nextafter(1.0f, 0.0f), std::nextafter(-1.0f, 0.0f)};
  // Halves and their neighbours at every depth, both signs.
  for (int bits : {8, 16, 24}) {
    const float full = std::ldexp(1.0f, bits - 1);
    for (int k : {0, 1, 2, 3, 100, int(full) - 2, int(full) - 1}) {
      for (float sign : {1.0f, -1.0f}) {
        float half = sign * (float(k) + 0.5f) / full;
        s.insert(s.end(), {half, std::nextafter(half, 0.0f), std::nextafter(half, 2 * half)});
      }
    }
  }
  std::mt19937 gen(41);
  std::uniform_real_distribution<float> wide(-1.25f, 1.25f);
  std::uniform_int_distribution<int> step(-40000, 40000);
  for (int i = 0; i < 600000; ++i) {
    s.push_back(wide(gen));
    s.push_back((float(step(gen)) + 0.5f) / 32768.0f);
  }
  s.push_back(0.25f);  // an odd count leaves a tail past the packed loop
  return s;
}

}  // namespace

TEST(WavFile, WriterRoundsHalvesToEvenAndSaturatesInEveryIntegerDepth) {
  TTempFolder dir;
  const std::vector<float> samples = EdgeAndRandomSamples();
  for (int bits : {8, 16, 24, 32}) {
    const std::string path = dir.File("depth" + std::to_string(bits) + ".wav");
    TWavWriter w(path, TWavFormat{8000, 1, bits, false, false}, TAudioTags{});
    // Uneven pieces, so that conversions start anywhere in the packed loop.
    for (size_t at = 0; at < samples.size();) {
      size_t n = std::min<size_t>(samples.size() - at, 1 + at % 9973);
      w.Write(samples.data() + at, int64_t(n));
      at += n;
    }
    w.Commit();
    const TBytes data = DataChunk(ReadBytes(path));
    const TBytes expected = ReferencePcm(samples, bits);
    ASSERT_EQ(data.size(), expected.size()) << bits;
    size_t first = std::mismatch(data.begin(), data.end(), expected.begin()).first - data.begin();
    EXPECT_EQ(first, data.size()) << bits << "-bit, sample " << first / (bits / 8) << " = "
                                  << samples[std::min(first / (bits / 8), samples.size() - 1)];
  }
}

TEST(WavFile, WriterTurnsNotANumberIntoSilence) {
  TTempFolder dir;
  const float nan = std::nanf("");
  const std::vector<float> samples = {0.5f, nan, -nan, 0.5f, nan, nan, nan, nan, nan, nan, nan, nan};
  for (int bits : {8, 16, 24, 32}) {
    const std::string path = dir.File("nan" + std::to_string(bits) + ".wav");
    TWavWriter w(path, TWavFormat{8000, 1, bits, false, false}, TAudioTags{});
    w.Write(samples.data(), int64_t(samples.size()));
    w.Commit();
    std::vector<float> silenced = samples;
    for (float& v : silenced) v = std::isnan(v) ? 0.0f : v;
    EXPECT_EQ(DataChunk(ReadBytes(path)), ReferencePcm(silenced, bits)) << bits;
  }
}

// Speech into files: the voice's stream converted to the format asked, the
// stream the voice speaks into, and the synthesiser over the installed voices
// (a real voice speaks only where one is installed).
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <numbers>

#include "EngineTestSupport.h"
#include "engine/SpeechFileWriter.h"
#include "engine/SpeechOutputStream.h"
#include "engine/TTextToAudio2.h"
#include "engine/WavFile.h"
#include "framework/FileUtils.h"

namespace {

// 16-bit PCM bytes of a sine of amplitude 0.5 in every channel.
std::vector<uint8_t> SinePcm(int rate, int channels, int frames, double hz) {
  std::vector<uint8_t> b;
  for (int f = 0; f < frames; ++f) {
    const auto v = int16_t(std::lround(16384 * std::sin(2 * std::numbers::pi * hz * f / rate)));
    for (int c = 0; c < channels; ++c) {
      b.push_back(uint8_t(v & 0xFF));
      b.push_back(uint8_t((v >> 8) & 0xFF));
    }
  }
  return b;
}

// Hands bytes over in pieces that cut frames and samples apart.
void WriteInPieces(TSpeechFileWriter& w, const std::vector<uint8_t>& bytes) {
  const size_t pieces[] = {1, 7, 333, 1000};
  for (size_t at = 0, i = 0; at < bytes.size(); ++i) {
    const size_t n = std::min(pieces[i % 4], bytes.size() - at);
    ASSERT_TRUE(w.Write(bytes.data() + at, n));
    at += n;
  }
}

struct TWav {
  TWavFormat Format;
  std::vector<float> Samples;
};

TWav ReadWav(const std::string& path) {
  TWavReader r(path);
  TWav w{r.GetFormat(), std::vector<float>(size_t(r.GetLengthFrames() * r.GetFormat().Channels))};
  r.Read(w.Samples.data(), r.GetLengthFrames());
  return w;
}

}  // namespace

TEST(SpeechFile, IsTheVoicesStreamInTheFormatAskedOnceCommitted) {
  const struct {
    int StreamRate, StreamChannels, Rate, Channels;
  } cases[] = {{22050, 1, 96000, 2}, {44100, 2, 88200, 1}, {16000, 1, 8000, 1}, {24000, 2, 24000, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.StreamRate) + " -> " + std::to_string(c.Rate) + "/" + std::to_string(c.Channels));
    TTempFolder dir;
    const std::string path = dir.File("speech.wav");
    const int frames = c.StreamRate / 4;
    {
      TSpeechFileWriter w(path, c.StreamRate, c.StreamChannels, TWavFormat{c.Rate, c.Channels, 16});
      WriteInPieces(w, SinePcm(c.StreamRate, c.StreamChannels, frames, 1000));
      EXPECT_FALSE(FileExists(path));
      w.Commit();
    }
    ASSERT_EQ(std::vector<std::string>{"speech.wav"}, dir.List());
    const TWav wav = ReadWav(path);
    EXPECT_EQ((TWavFormat{c.Rate, c.Channels, 16}), wav.Format);
    const size_t out = wav.Samples.size() / size_t(c.Channels);
    EXPECT_EQ(size_t(std::llround(double(frames) * c.Rate / c.StreamRate)), out);
    // Still a 1 kHz sine at half scale: count rising zero crossings in the middle half.
    int rising = 0;
    float peak = 0;
    for (size_t f = out / 4; f < out * 3 / 4; ++f) {
      const float a = wav.Samples[(f - 1) * size_t(c.Channels)], b = wav.Samples[f * size_t(c.Channels)];
      rising += a < 0 && b >= 0;
      peak = std::max(peak, std::abs(b));
      if (c.Channels == 2) { ASSERT_EQ(b, wav.Samples[f * 2 + 1]); }
    }
    EXPECT_NEAR(rising, 1000.0 * (out / 2) / c.Rate, 2);
    EXPECT_NEAR(peak, 0.5, 0.02);
  }
}

TEST(SpeechFile, AbandonedLeavesNoFileAndTakesNoMore) {
  TTempFolder dir;
  const std::string path = dir.File("speech.wav");
  TSpeechFileWriter w(path, 22050, 1, TWavFormat{44100, 1, 16});
  const std::vector<uint8_t> bytes = SinePcm(22050, 1, 1000, 440);
  EXPECT_TRUE(w.Write(bytes.data(), bytes.size()));
  w.Abandon();
  EXPECT_TRUE(dir.List().empty());
  EXPECT_FALSE(w.Write(bytes.data(), bytes.size()));
  EXPECT_THROW(w.Commit(), EAudioError);
  EXPECT_TRUE(dir.List().empty());
}

TEST(SpeechStream, OffersTheNearestVoiceFormatAndOnlyGrows) {
  const struct {
    int Rate, Channels, StreamRate;
  } formats[] = {{96000, 2, 48000}, {88200, 1, 44100}, {6000, 1, 8000}, {22050, 2, 22050}, {12000, 1, 12000}};
  for (const auto& f : formats) {
    const WAVEFORMATEX w = SpeechStreamFormat(f.Rate, f.Channels);
    EXPECT_EQ(DWORD(f.StreamRate), w.nSamplesPerSec) << f.Rate;
    EXPECT_EQ(f.Channels, w.nChannels);
    EXPECT_EQ(16, w.wBitsPerSample);
    EXPECT_EQ(DWORD(f.StreamRate * f.Channels * 2), w.nAvgBytesPerSec);
  }

  TTempFolder dir;
  auto writer = std::make_shared<TSpeechFileWriter>(dir.File("s.wav"), 22050, 1, TWavFormat{22050, 1, 16});
  auto* stream = new TSpeechOutputStream(writer, SpeechStreamFormat(22050, 1));
  ISpStreamFormat* format = nullptr;
  ASSERT_EQ(S_OK, stream->QueryInterface(IID_ISpStreamFormat, reinterpret_cast<void**>(&format)));
  GUID id{};
  WAVEFORMATEX* offered = nullptr;
  ASSERT_EQ(S_OK, format->GetFormat(&id, &offered));
  EXPECT_EQ(22050u, offered->nSamplesPerSec);
  CoTaskMemFree(offered);
  const uint8_t bytes[6] = {1, 0, 2, 0, 3, 0};
  ULONG written = 0;
  EXPECT_EQ(S_OK, format->Write(bytes, 6, &written));
  EXPECT_EQ(6u, written);
  LARGE_INTEGER zero{};
  ULARGE_INTEGER at{};
  EXPECT_EQ(S_OK, format->Seek(zero, STREAM_SEEK_CUR, &at));
  EXPECT_EQ(6u, at.QuadPart);
  EXPECT_NE(S_OK, format->Seek(zero, STREAM_SEEK_SET, &at));
  format->Release();
  stream->Release();
  writer->Commit();
  EXPECT_EQ(3u, ReadWav(dir.File("s.wav")).Samples.size());
}

TEST(TextToAudio, WithoutAVoiceThatCanSpeakNothingIsWritten) {
  auto speech = Make<TTextToAudio2>();
  if (speech->GetVoiceCount() > 0) GTEST_SKIP() << "a voice that can speak is installed here";
  TTempFolder dir;
  EXPECT_EQ("", speech->GetVoiceName());
  EXPECT_THROW(speech->SelectVoice(0), EAudioError);
  try {
    speech->ConvertToFile("Hello", dir.File("speech.wav"), 16);
    ADD_FAILURE() << "spoke without a voice";
  } catch (const EAudioError& e) {
    EXPECT_EQ("No speech voice is installed.", e.GetMessage());
  }
  EXPECT_FALSE(speech->IsConverting());
  speech->CancelConversion();
  EXPECT_TRUE(dir.List().empty());
}

namespace {

struct TSpeechEvents {
  void Block(TObject*, int p) { Percents.push_back(p); }
  void End(TObject*) { ++Ends; }
  void Error(TObject*, const std::string& m) { Errors.push_back(m); }
  std::vector<int> Percents;
  int Ends = 0;
  std::vector<std::string> Errors;
};

TOwned<TTextToAudio2> SpeakingVoice(TSpeechEvents& events) {
  auto speech = Make<TTextToAudio2>();
  speech->OnConvertBlock = Bind(&events, &TSpeechEvents::Block);
  speech->OnEndConvert = Bind(&events, &TSpeechEvents::End);
  speech->OnConvertError = Bind(&events, &TSpeechEvents::Error);
  return speech;
}

constexpr const char* NoVoiceReason =
    "no installed speech voice whose engine can be created (this Wine lists one it cannot create)";

}  // namespace

TEST(TextToAudio, ARealVoiceSpeaksIntoTheFileWithProgressAndOneEnd) {
  TSpeechEvents events;
  auto speech = SpeakingVoice(events);
  if (speech->GetVoiceCount() == 0) GTEST_SKIP() << NoVoiceReason;
  TTempFolder dir;
  const std::string path = dir.File("speech.wav");
  speech->SetOutputFormat(96000, 2);
  speech->SetSpeakingOption(-1);
  speech->ConvertToFile("Hello world. This is a test of speaking into a file.", path, 16);
  ASSERT_TRUE(PumpUntil([&] { return events.Ends > 0 || !events.Errors.empty(); }, 60000));
  EXPECT_TRUE(events.Errors.empty()) << events.Errors.front();
  EXPECT_EQ(1, events.Ends);
  ASSERT_FALSE(events.Percents.empty());
  EXPECT_TRUE(std::is_sorted(events.Percents.begin(), events.Percents.end()));
  EXPECT_EQ(100, events.Percents.back());
  const TWav wav = ReadWav(path);
  EXPECT_EQ((TWavFormat{96000, 2, 16}), wav.Format);
  EXPECT_GT(wav.Samples.size(), 96000u);
  EXPECT_FALSE(speech->IsConverting());
}

TEST(TextToAudio, ARealVoiceCancelledLeavesNoFileAndNoEnd) {
  TSpeechEvents events;
  auto speech = SpeakingVoice(events);
  if (speech->GetVoiceCount() == 0) GTEST_SKIP() << NoVoiceReason;
  TTempFolder dir;
  std::string text;
  for (int i = 0; i < 50; ++i) text += "This sentence is spoken again and again until it is stopped. ";
  speech->ConvertToFile(text, dir.File("speech.wav"), 16);
  PumpUntil([&] { return !events.Percents.empty(); }, 10000);
  speech->CancelConversion();
  EXPECT_FALSE(speech->IsConverting());
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(0, events.Ends);
  EXPECT_TRUE(dir.List().empty());
}

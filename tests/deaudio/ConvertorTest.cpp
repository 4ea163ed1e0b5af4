// Conversion chains through the system's audio compression manager, the codec
// registry, and the level source over a producer of the test's own.
#include <gtest/gtest.h>

#include <float.h>

#include <string>
#include <vector>

#include "deAudio/Source/ACMErrors.h"
#include "deAudio/Source/AudioControlSource.h"
#include "deAudio/Source/AudioConvertor.h"
#include "deAudio/Source/Codecs.h"
#include "framework/OwnedObject.h"
#include "tests/deaudio/AudioTestSupport.h"

using namespace audio_test;

namespace {

TOwned<TdeAudioConvertor> Chain(const TdeWaveFormat& In, const TdeWaveFormat& Out) {
  TOwned<TdeAudioConvertor> C(TdeAudioConvertor::Create(nullptr));
  C->SetFormatIn(const_cast<TdeWaveFormat*>(&In));
  C->SetFormatOut(const_cast<TdeWaveFormat*>(&Out));
  C->SetActive(true);
  return C;
}

// Pushes Data through in blocks of Block bytes and gathers what comes out.
std::vector<std::uint8_t> ConvertAll(TdeAudioConvertor* C, const void* Data, size_t Size, size_t Block) {
  std::vector<std::uint8_t> Out;
  for (size_t At = 0; At < Size; At += Block) {
    C->Convert(static_cast<const std::uint8_t*>(Data) + At, static_cast<int>(std::min(Block, Size - At)));
    const auto* O = static_cast<const std::uint8_t*>(C->GetOutput());
    Out.insert(Out.end(), O, O + C->GetOutputSize());
  }
  return Out;
}

// One second of a 1 kHz tone at half scale on the left, silence on the right,
// in IMA ADPCM as the system's driver encodes it.
std::vector<std::uint8_t> AdpcmTone(const TdeWaveFormat& Adpcm) {
  auto Source = Pcm(44100, 2);
  const std::vector<std::int16_t> Tone = StereoTone(44100, 44100, 1000, 16384);
  TOwned<TdeAudioConvertor> Encoder = Chain(*Source, Adpcm);
  return ConvertAll(Encoder.get(), Tone.data(), Tone.size() * 2, Tone.size() * 2);
}

}  // namespace

TEST(AudioConvertor, SameFormatIsOneStepThatChangesNothing) {
  auto F = Pcm(44100, 2);
  TOwned<TdeAudioConvertor> C = Chain(*F, *F);
  EXPECT_EQ(1, C->GetStepCount());
  const std::vector<std::int16_t> Tone = StereoTone(4410, 44100, 1000, 12000, -77);
  const std::vector<std::uint8_t> Out = ConvertAll(C.get(), Tone.data(), Tone.size() * 2, 4000);
  ASSERT_EQ(Tone.size() * 2, Out.size());
  EXPECT_EQ(0, std::memcmp(Out.data(), Tone.data(), Out.size()));
}

TEST(AudioConvertor, ResamplesAToneWithItsPitchAndLevel) {
  TOwned<TdeAudioConvertor> C = Chain(*Pcm(44100, 2), *Pcm(48000, 2));
  EXPECT_EQ(1, C->GetStepCount());
  const std::vector<std::int16_t> Tone = StereoTone(44100, 44100, 1000, 16384);
  // The driver converts with every floating-point exception masked; the caller's
  // own settings (here division by zero trapping) are back afterwards.
  unsigned int Saved = 0, During = 0, After = 0;
  _controlfp_s(&Saved, 0, 0);
  _controlfp_s(&During, Saved & ~unsigned(_EM_ZERODIVIDE), _MCW_EM);
  const std::vector<std::uint8_t> Out = ConvertAll(C.get(), Tone.data(), Tone.size() * 2, 17640);
  _controlfp_s(&After, 0, 0);
  _controlfp_s(&During, Saved, _MCW_EM);
  EXPECT_EQ(Saved & _MCW_EM & ~unsigned(_EM_ZERODIVIDE), After & _MCW_EM);
  EXPECT_NEAR(48000 * 4, static_cast<double>(Out.size()), 48 * 4);
  const std::vector<std::int16_t> Left = Channel(Out.data(), static_cast<int>(Out.size()), 2, 0);
  EXPECT_NEAR(1000, Frequency(Left, 48000), 2);
  EXPECT_NEAR(16384, Peak(Left), 400);
  EXPECT_EQ(0, Peak(Channel(Out.data(), static_cast<int>(Out.size()), 2, 1)));
}

TEST(AudioConvertor, AdpcmReachesPcmAt48kThroughAnIntermediatePcmFormat) {
  std::unique_ptr<TdeWaveFormat> Adpcm = Suggested(*Pcm(44100, 2), WAVE_FORMAT_IMA_ADPCM);
  ASSERT_TRUE(Adpcm) << "the system has no IMA ADPCM driver";
  const std::vector<std::uint8_t> Encoded = AdpcmTone(*Adpcm);
  TOwned<TdeAudioConvertor> C = Chain(*Adpcm, *Pcm(48000, 2));
  ASSERT_EQ(2, C->GetStepCount());
  const TdeWaveFormat& Middle = C->GetStep(0)->GetDestination();
  EXPECT_EQ(WAVE_FORMAT_PCM, Middle.GetFormatTag());
  EXPECT_EQ(44100u, Middle.GetSamplesPerSec());
  EXPECT_EQ(16, Middle.GetBitsPerSample());
  EXPECT_TRUE(C->GetStep(1)->GetSource().Equals(Middle));

  const std::vector<std::uint8_t> Out = ConvertAll(C.get(), Encoded.data(), Encoded.size(), Adpcm->GetBlockAlign());
  const std::vector<std::int16_t> Left = Channel(Out.data(), static_cast<int>(Out.size()), 2, 0);
  EXPECT_NEAR(1000, Frequency(Left, 48000), 2);
  EXPECT_NEAR(16384, Peak(Left), 1200);
  EXPECT_LT(Peak(Channel(Out.data(), static_cast<int>(Out.size()), 2, 1)), 64);
}

TEST(AudioConvertor, AnUnalignedTailWaitsForTheNextBlock) {
  std::unique_ptr<TdeWaveFormat> Adpcm = Suggested(*Pcm(44100, 2), WAVE_FORMAT_IMA_ADPCM);
  ASSERT_TRUE(Adpcm);
  const std::vector<std::uint8_t> Encoded = AdpcmTone(*Adpcm);
  const int Align = Adpcm->GetBlockAlign();
  ASSERT_GE(Encoded.size(), static_cast<size_t>(2 * Align));
  TOwned<TdeAudioConvertor> C = Chain(*Adpcm, *Pcm(44100, 2));
  ASSERT_EQ(1, C->GetStepCount());
  const int FramesPerBlock = Adpcm->GetBuffer()[18] | Adpcm->GetBuffer()[19] << 8;

  C->Convert(Encoded.data(), Align + Align / 2);
  EXPECT_EQ(FramesPerBlock * 4, C->GetOutputSize());
  EXPECT_EQ(Align / 2, C->GetStep(0)->GetPendingInput());
  C->Convert(Encoded.data() + Align + Align / 2, Align - Align / 2);
  EXPECT_EQ(FramesPerBlock * 4, C->GetOutputSize()) << "the second block, whole";
  EXPECT_EQ(0, C->GetStep(0)->GetPendingInput());

  // A block far larger than any before fits: the step prepares a larger buffer.
  const int Before = C->GetOutputSize();
  C->Convert(Encoded.data() + 2 * Align, static_cast<int>(Encoded.size()) - 2 * Align);
  EXPECT_GT(C->GetOutputSize(), 10 * Before);
}

TEST(AudioConvertor, AnImpossiblePairAndMisuseAreRefused) {
  // A block of two samples cannot hold the driver's four-sample groups: the
  // driver describes it, but no stream reaches it.
  std::unique_ptr<TdeWaveFormat> Odd = Suggested(*Pcm(44100, 2), WAVE_FORMAT_IMA_ADPCM);
  ASSERT_TRUE(Odd);
  const_cast<std::uint8_t*>(Odd->GetBuffer())[18] = 2;
  const_cast<std::uint8_t*>(Odd->GetBuffer())[19] = 0;
  TOwned<TdeAudioConvertor> C(TdeAudioConvertor::Create(nullptr));
  C->SetFormatIn(Pcm(44100, 2).get());
  C->SetFormatOut(Odd.get());
  try {
    C->SetActive(true);
    FAIL() << "a chain was built";
  } catch (const EACMConversionError& E) {
    EXPECT_EQ("Conversion not possible.", E.GetMessage());
  }
  EXPECT_FALSE(C->GetActive());
  EXPECT_EQ(0, C->GetStepCount());
  try {
    C->Convert("1234", 4);
    FAIL();
  } catch (const EACMConversionError& E) {
    EXPECT_EQ("Cannot perform this action while not active.", E.GetMessage());
  }
  C->SetFormatOut(Pcm(22050, 1).get());
  C->SetActive(true);
  EXPECT_THROW(C->SetRequestRealTime(true), EACMConversionError);
}

TEST(CodecRegistry, ListsTheDriversWithTheirFormats) {
  ASSERT_GT(CodecCount(), 0);
  bool FoundAdpcm = false;
  for (int I = 0; I < CodecCount(); ++I) {
    TdeCodec* C = CodecItem(I);
    EXPECT_FALSE(C->GetShortName().empty());
    EXPECT_GE(C->GetMaxFormatSize(), 18);
    for (int J = 0; J < C->GetFormatCount(); ++J) {
      if (C->GetFormat(J)->wFormatTag != WAVE_FORMAT_IMA_ADPCM) continue;
      FoundAdpcm = true;
      EXPECT_TRUE(C->GetSupport().Contains(csCodec)) << C->GetLongName();
      EXPECT_FALSE(C->GetFormatName(J).empty());
      EXPECT_GT(C->GetFormat(J)->nBlockAlign, 0);
    }
  }
  EXPECT_TRUE(FoundAdpcm);
}

TEST(LevelSource, PeaksOfEachChannelWithFullScaleNegativeCounted) {
  TOwned<TTestSubject> Source(TTestSubject::Create(nullptr));
  Source->Format.Assign(Pcm(48000, 2).get());
  TOwned<TdeAudioControlSource> Level(TdeAudioControlSource::Create(nullptr));
  Level->SetAudioSource(Source.get());
  int Changes = 0;
  struct TCount {
    int* N;
    void Hit(TObject*) { ++*N; }
  } Count{&Changes};
  Level->OnDataChanged = TNotifyEvent(&Count, &TCount::Hit);
  const struct {
    const char* Name;
    std::vector<std::int16_t> Block;
    int Left, Right;
  } Cases[] = {
      {"silence", std::vector<std::int16_t>(960, 0), 0, 0},
      {"loudest -32767", {100, 5, -32767, 7, 2000, -9}, 32767, 9},
      {"only -32768", {0, 0, -32768, 0, 0, -32768}, 32767, 32767},
      {"right only", {0, 1234, 0, -4321}, 0, 4321},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Source->Send(C.Block);
    EXPECT_EQ(C.Left, Level->GetPeakLeft());
    EXPECT_EQ(C.Right, Level->GetPeakRight());
    EXPECT_EQ(static_cast<int>(C.Block.size() / 2), Level->GetFrameCount());
  }
  EXPECT_EQ(4, Changes);
}

TEST(LevelSource, KeepsItsChainWhileTheFormatStaysAndRebuildsItForANewOne) {
  std::unique_ptr<TdeWaveFormat> Adpcm = Suggested(*Pcm(44100, 2), WAVE_FORMAT_IMA_ADPCM);
  ASSERT_TRUE(Adpcm);
  const std::vector<std::uint8_t> Encoded = AdpcmTone(*Adpcm);
  const int Align = Adpcm->GetBlockAlign();
  TOwned<TTestSubject> Source(TTestSubject::Create(nullptr));
  Source->Format.Assign(Adpcm.get());
  TOwned<TdeAudioControlSource> Level(TdeAudioControlSource::Create(nullptr));
  Level->SetAudioSource(Source.get());

  // Half a block, then the other half: the first half is carried, not lost.
  Source->Send(Encoded.data(), Align / 2);
  TMiniConvertor* First = Level->GetConvertor()->GetStep(0);
  EXPECT_EQ(0, Level->GetFrameCount());
  Source->Send(Encoded.data() + Align / 2, Align - Align / 2);
  EXPECT_EQ(First, Level->GetConvertor()->GetStep(0));
  EXPECT_GT(Level->GetFrameCount(), 0);
  EXPECT_NEAR(16384, Level->GetPeakLeft(), 1200);
  EXPECT_LT(Level->GetPeakRight(), 64);
  const TdeWaveFormat* Out = Level->GetConvertor()->GetFormatOut();
  EXPECT_EQ(48000u, Out->GetSamplesPerSec());
  EXPECT_EQ(2, Out->GetChannels());

  // Plain PCM from now on.
  Source->Format.Assign(Pcm(44100, 2).get());
  Source->Send(StereoTone(4410, 44100, 1000, 8000, 3000));
  EXPECT_EQ(1, Level->GetConvertor()->GetStepCount());
  EXPECT_TRUE(Level->GetConvertor()->GetFormatIn()->Equals(Source->Format));
  EXPECT_NEAR(8000, Level->GetPeakLeft(), 300);
  EXPECT_EQ(3000, Level->GetPeakRight());
}

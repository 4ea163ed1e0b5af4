#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "EngineTestSupport.h"
#include "engine/AudioLameEnc.h"
#include "engine/TAudioFile2.h"
#include "engine/TAudioInformation2.h"

namespace {

std::vector<float> StereoTone(int frames) {
  std::vector<float> s(size_t(frames) * 2);
  for (int i = 0; i < frames; ++i) s[size_t(i) * 2] = s[size_t(i) * 2 + 1] = float(0.5 * std::sin(i * 0.06));
  return s;
}

}  // namespace

TEST(CompressedFormats, EditorSavesAndReopensEachWithItsTags) {
  TTempFolder dir;
  auto settings = Make<TAudioEditor2LameEnc>();
  settings->SetPreset(9);
  struct Case {
    const char* Name;
    int Code;
    void (*Setup)(IAudioEditor2FileFormat&, TAudioEditor2LameEnc&);
  };
  const Case cases[] = {
      {"song.mp3", 2, [](IAudioEditor2FileFormat& f, TAudioEditor2LameEnc&) { f.SetMp3Cbr(44100, 128, 2); }},
      {"preset.mp3", 2,
       [](IAudioEditor2FileFormat& f, TAudioEditor2LameEnc& l) { f.SetMp3Encoder(l.GetEncoderInterface()); }},
      {"song.ogg", 6, [](IAudioEditor2FileFormat& f, TAudioEditor2LameEnc&) { f.SetOggFormat(44100, 2, 128, 0, 0, -1); }},
      {"song.wma", 11, [](IAudioEditor2FileFormat& f, TAudioEditor2LameEnc&) { f.SetWmaProfile(10); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto e = EditorWith(StereoTone(44100), 2, 44100);
    e->SetTitle("T\u00eftle");
    e->SetArtist("Band");
    e->SetGenre(8);
    c.Setup(*e->GetFileFormat(), *settings);
    e->SaveAudioFile(dir.File(c.Name), false, c.Code);

    auto back = Make<TAudioEditor2>();
    back->OpenAudioFile(dir.File(c.Name), 0);
    EXPECT_EQ(back->GetSampleRate(), 44100);
    EXPECT_EQ(back->GetChannels(), 2);
    EXPECT_NEAR(back->GetLength(), 44100, 44100 / 20);
    EXPECT_EQ(back->GetTitle(), "T\u00eftle");
    EXPECT_EQ(back->GetArtist(), "Band");
    EXPECT_EQ(back->GetGenre(), 8);
    // The tone survives the coding.
    TPeak p = back->GetAudio().Peak(11025, 22050, 0);
    EXPECT_NEAR(p.Max, 0.5f, 0.1f);
  }
}

TEST(CompressedFormats, BlockWriterAndTagCopyOnMp3) {
  TTempFolder dir;
  auto w = Make<TAudioFile2>();
  ASSERT_TRUE(w->CanWriteMp3(44100, 128, 2));
  w->SetMp3Cbr(44100, 128, 2);
  w->SetPcmFormat(22050, 1);  // converted by the writer
  w->CreateForWriting(dir.File("out.mp3"), 0);
  for (int i = 0; i < 4; ++i) w->WriteBlock(TSampleArray(22050 / 4, 0.25f));
  w->CloseFile();

  auto r = Make<TAudioFile2>();
  r->OpenForReading(dir.File("out.mp3"), 0, 1);
  EXPECT_EQ(r->GetFileSampleRate(), 44100);
  EXPECT_EQ(r->GetFileChannels(), 2);
  // The 22048 frames at 22050 Hz that went in last as long at 44100 Hz.
  EXPECT_NEAR(r->GetLengthSamples(), 44096, 1152);
  EXPECT_NEAR(r->GetBitRate(), 128000, 8000);
  r->CloseFile();

  WriteBytes(dir.File("tagged.wav"), MakeWav(1, 16, 1, 8000, TBytes(20, 0), InfoChunk({{"INAM", "From WAV"}})));
  auto info = Make<TAudioInformation2>();
  info->ReadInfo(dir.File("tagged.wav"));
  info->WriteInfo(dir.File("out.mp3"));
  auto check = Make<TAudioInformation2>();
  check->ReadInfo(dir.File("out.mp3"));
  EXPECT_EQ(check->GetTags().Title, "From WAV");
}

TEST(CompressedFormats, BrokenCompressedFileIsAClearErrorAndLeavesTheDocument) {
  TTempFolder dir;
  WriteBytes(dir.File("bad.mp3"), TBytes(3000, 0x55));
  auto e = EditorWith({0.25f, 0.5f});
  EXPECT_THROW(e->OpenAudioFile(dir.File("bad.mp3"), 0), EAudioError);
  EXPECT_EQ(AllSamples(*e), (std::vector<float>{0.25f, 0.5f}));
}

TEST(CompressedFormats, CdTrackFileSaysItIsReadFromTheDrive) {
  TTempFolder dir;
  // What a CD drive lists for a track: a small RIFF file that holds no audio.
  TBytes cda = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'C', 'D', 'D', 'A', 'f', 'm', 't', ' ', 24, 0, 0, 0};
  cda.resize(44, 0);
  WriteBytes(dir.File("Track01.cda"), cda);
  auto e = Make<TAudioEditor2>();
  EXPECT_THAT(OpenError(*e, dir.File("Track01.cda")), testing::HasSubstr("audio CD"));
}

// The editor opens Layer II and Musepack files made by other encoders with
// their format, length and waveform.
#include "MadeFiles.h"
#include "engine/TAudioEditor2.h"
#include "framework/OwnedObject.h"

namespace {

class EditorMadeFile : public LinuxMadeFile {};

TEST_P(EditorMadeFile, OpensWithFormatLengthAndWaveform) {
  const TMadeFile& t = GetParam();
  auto editor = MakeOwned<TAudioEditor2>(nullptr);
  editor->OpenAudioFile(Made(t.Name), 0);
  TDecoded src = DecodeAll(Made(t.Source));
  EXPECT_EQ(editor->GetSampleRate(), t.Rate);
  EXPECT_EQ(editor->GetChannels(), t.Channels);
  if (t.ExactLength)
    EXPECT_EQ(editor->GetLength(), src.Frames());
  else
    EXPECT_NEAR(editor->GetLength(), double(src.Frames()), kFrame);
  std::vector<float> got = editor->GetAudio().Read(0, editor->GetAudio().GetLength());
  for (int c = 0; c < t.Channels; ++c) {
    SCOPED_TRACE(c);
    EXPECT_GT(Correlation(src.Samples, src.Channels, got, t.Channels, c, 2 * kFrame), 0.9);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, EditorMadeFile, testing::ValuesIn(kMadeFiles), MadeFileTestName);

}  // namespace

// A ".cda" track file opened by the editor: the samples come from the drive's
// sectors, and a drive or disc that cannot be read says so.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/TAudioEditor2.h"
#include "framework/OwnedObject.h"
#include "framework/Unicode.h"
#include "tests/cd/CdTestSupport.h"

namespace {

class CdaTrack : public CdFixture {
 protected:
  void SetUp() override {
    CdFixture::SetUp();
    wchar_t Temp[MAX_PATH];
    GetTempPathW(MAX_PATH, Temp);
    Folder = WideToUtf8(Temp) + "sonvelt-cda-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryW(Utf8ToWide(Folder).c_str(), nullptr);
    // The drive the track file lies on plays the CD drive.
    Fake.FixedDrives.clear();
    Fake.AddDrive(Folder[0]).Sectors = 1200;
  }
  void TearDown() override {
    for (const std::string& F : Files) DeleteFileW(Utf8ToWide(F).c_str());
    RemoveDirectoryW(Utf8ToWide(Folder).c_str());
    CdFixture::TearDown();
  }
  // A track file as the system shows a disc's tracks: RIFF "CDDA" with the track's
  // first sector and its length in sectors.
  std::string TrackFile(const std::string& Name, uint32_t First, uint32_t Sectors, const char* Kind = "CDDA") {
    uint8_t B[44] = {'R', 'I', 'F', 'F', 36, 0, 0, 0};
    std::memcpy(B + 8, Kind, 4);
    std::memcpy(B + 12, "fmt ", 4);
    const uint32_t Words[] = {24, 1 | 2 << 16, 0x1234ABCD, First, Sectors};
    std::memcpy(B + 16, Words, sizeof Words);
    const std::string Path = Folder + Name;
    FILE* F = _wfopen(Utf8ToWide(Path).c_str(), L"wb");
    std::fwrite(B, 1, sizeof B, F);
    std::fclose(F);
    Files.push_back(Path);
    return Path;
  }
  static std::string OpenError(const std::string& Path) {
    try {
      MakeOwned<TAudioEditor2>(nullptr)->OpenAudioFile(Path, 0);
    } catch (const std::exception& E) {
      return E.what();
    }
    return "opened";
  }

  TFakeCDSystem Fake;
  std::string Folder;
  std::vector<std::string> Files;
};

}  // namespace

TEST_F(CdaTrack, TheEditorOpensTheTrackFromItsSectors) {
  const std::string Path = TrackFile("Track02.cda", 1000, 200);
  auto Editor = MakeOwned<TAudioEditor2>(nullptr);
  Editor->OpenAudioFile(Path, 0);
  EXPECT_EQ(Editor->GetSampleRate(), 44100);
  EXPECT_EQ(Editor->GetChannels(), 2);
  ASSERT_EQ(Editor->GetLength(), 200 * 588);
  const std::vector<float> Got = Editor->GetAudio().Read(0, Editor->GetAudio().GetLength());
  ASSERT_EQ(Got.size(), 2u * 200 * 588);
  for (uint32_t Sector : {0u, 1u, 74u, 75u, 199u})
    for (int Frame : {0, 1, 300, 587})
      for (int C = 0; C < 2; ++C)
        ASSERT_FLOAT_EQ(Got[(Sector * 588 + Frame) * 2 + C], FakeSample(1000 + Sector, Frame, C) / 32768.0f)
            << Sector << " " << Frame << " " << C;
  EXPECT_EQ(Fake.OpenHandles, 0);
}

TEST_F(CdaTrack, ATrackThatCannotBeReadGivesAClearError) {
  const std::string Drive(1, Folder[0]);
  EXPECT_EQ(OpenError(TrackFile("Track01.cda", 0, 0)), "The file \"" + Folder + "Track01.cda\" names no track an audio CD can hold.");
  EXPECT_EQ(OpenError(TrackFile("Track03.cda", 10, 10, "CDXA")),
            "The file \"" + Folder + "Track03.cda\" is not a track of an audio CD.");
  const std::string Beyond = TrackFile("Track04.cda", 1100, 200);
  EXPECT_EQ(OpenError(Beyond).rfind("The audio CD in drive " + Drive + ": cannot be read (track \"" + Beyond +
                                        "\", sector 1175): ",
                                    0),
            0u)
      << OpenError(Beyond);
  Fake.Drives[0].AudioError = ERROR_NOT_READY;
  const std::string Empty = OpenError(TrackFile("Track05.cda", 0, 100));
  EXPECT_EQ(Empty.rfind("The audio CD in drive " + Drive + ": cannot be read (track \"" + Folder + "Track05.cda\", sector 0): ", 0), 0u) << Empty;
  Fake.Drives[0].Opens = false;
  EXPECT_EQ(OpenError(TrackFile("Track06.cda", 0, 100)),
            "The CD drive " + Drive + ": cannot be opened to read \"" + Folder + "Track06.cda\".");
  EXPECT_EQ(Fake.OpenHandles, 0);
}

// The Load CD command: refused without a CD drive, and a chosen track becomes an
// untitled, modified document that leaves the recent files and the open folder alone.
#include <gtest/gtest.h>

#include "app/Drives.h"
#include "app/GlobalVars.h"
#include "tests/app_main/AppMainTestSupport.h"

TEST_F(MainFixture, LoadCDWithoutACdDriveSaysSoAndOpensNothing) {
  if (CDDriveCount() != 0) GTEST_SKIP() << "this machine has a CD drive";
  StartMain();
  Main->ActionLoadCDExecute(nullptr);
  ASSERT_EQ(Main->Questions.size(), 1u);
  EXPECT_EQ(Main->Questions[0].rfind("No CD-ROM drivres have been detected.", 0), 0u);
  EXPECT_EQ(Main->GetMDIChildCount(), 0);
}

TEST_F(MainFixture, ACdTrackOpensAsAnUntitledModifiedDocument) {
  StartMain();
  const std::string Track = Folder + "Track01.wav";
  WriteTestWav(Track, 44100, 2, 588);
  GlobalVarsRecord->LastOpenDir = "C:\\elsewhere\\";
  TChildForm* Doc = Main->OpenCDTrack(Track);
  Pump();
  EXPECT_EQ(Doc->FileName, "Untitled" + std::to_string(Main->GetDocumentCounter()));
  EXPECT_TRUE(Doc->Untitled);
  EXPECT_TRUE(Doc->IsModified());
  EXPECT_EQ(Doc->AudioEditor->GetLength(), 588);
  EXPECT_TRUE(Main->RecentFiles().empty());
  EXPECT_EQ(GlobalVarsRecord->LastOpenDir, "C:\\elsewhere\\");
}

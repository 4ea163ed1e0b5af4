// The Load CD dialog over a fake audio disc: its track list, a lookup against
// a loopback CD database, the match dialog, device changes and the animation.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include "app/dialogs/LoadCDForm.h"
#include "app/dialogs/MatchForm.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/Timer.h"
#include "skins/PngSpeedButton.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/cd/CdTestSupport.h"
#include "tests/cd/CddbServer.h"
#include "tests/support/Screenshot.h"

namespace {

// The file system's order of the disc's track files.
const std::vector<std::string> TrackFiles = {"Track03.cda", "Track01.cda", "Track12.cda", "Track02.cda",
                                             "Track04.cda", "Track05.cda", "Track06.cda", "Track07.cda",
                                             "Track08.cda", "Track10.cda", "Track09.cda", "Track11.cda"};

std::string TwelveTitleEntry() {
  std::string E = "210 rock a80c010c CD database entry follows (until terminating `.')\r\n# xmcd\r\n#\r\n"
                  "# Track frame offsets:\r\n#\t150\r\n#\r\n# Disc length: 3075 seconds\r\n#\r\n# Revision: 1\r\n#\r\n"
                  "DISCID=a80c010c\r\nDTITLE=Artist / Album\r\n";
  for (int I = 0; I < 12; ++I) E += "TTITLE" + std::to_string(I) + "=Title " + std::to_string(I + 1) + "\r\n";
  return E + "EXTD=\r\nEXTT0=\r\nPLAYORDER=\r\n.\r\n";
}

class LoadCDFormTest : public CdFixture {
 protected:
  void SetUp() override {
    CdFixture::SetUp();
    Fake.AddDrive('D').Toc = TwelveTrackToc();
    TLoadCDSystem& S = LoadCDSystem();
    S.DriveType = [this](const std::string& Root) { return Root == "D:\\" ? UINT(DRIVE_CDROM) : UINT(DRIVE_FIXED); };
    S.VolumeLabel = [this](const std::string& Root) { return Root == "D:\\" && DiscIn ? "Audio CD" : ""; };
    S.FindFiles = [this](const std::string& Pattern) {
      Patterns.push_back(Pattern);
      return DiscIn ? TrackFiles : std::vector<std::string>{};
    };
    S.MessageBox = [this](const std::string& Text, UINT) { Boxes.push_back(Text); };
    S.ServerHost = "127.0.0.1";
    Owner = TForm::Create(nullptr);
    Owner->SetBounds(100, 60, 600, 520);
    Form = TLoadCDForm::Create(Owner);
    Form->SetPosition(poDesigned);
    Form->SetBounds(200, 80, Form->GetWidth(), Form->GetHeight());
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Items() == 12; }));
  }
  void TearDown() override {
    TModalAnswers::Clear();
    Free(Owner);
    LoadCDSystem() = RealLoadCDSystem();
    CdFixture::TearDown();
  }
  int Items() { return Form->ListViewTracks->GetItems()->GetCount(); }
  std::vector<std::string> Captions() {
    std::vector<std::string> C;
    for (int I = 0; I < Items(); ++I) C.push_back(Form->ListViewTracks->GetItems()->GetItem(I)->GetCaption());
    return C;
  }
  std::string Caption() { return Form->ActionFreeCDDB->GetCaption(); }
  void Lookup(CddbServer& Server) {
    LoadCDSystem().ServerPort = Server.Port();
    Form->ActionFreeCDDB->Execute();
  }
  // The system sends these notices (their parameter points at the volume), and a
  // notice with a pointer cannot be posted.
  void Deviced(WPARAM Event) {
    DEV_BROADCAST_VOLUME Volume{sizeof Volume, DBT_DEVTYP_VOLUME, 0, 1u << ('D' - 'A'), DBTF_MEDIA};
    SendMessageW(Form->GetHandle(), WM_DEVICECHANGE, Event, reinterpret_cast<LPARAM>(&Volume));
    PumpFor(50);
  }
  TFakeCDSystem Fake;
  bool DiscIn = true;
  std::vector<std::string> Boxes, Patterns, MatchLines;
  TForm* Owner = nullptr;
  TLoadCDForm* Form = nullptr;
};

const std::string NoDisc =
    "No Audio Disc have been detected. If you do have an Audio-CD inserted but see this message please read the "
    "Help topic relating to Loading CD Tracks.";

}  // namespace

TEST_F(LoadCDFormTest, ListsTheDiscsTrackFilesAndLoadsTheChosenOne) {
  EXPECT_EQ(Form->GetCaption(), "Load Audio CD Track(s)");
  ASSERT_EQ(Form->ComboBoxCDROM->GetItems()->GetCount(), 1);
  EXPECT_EQ(Form->ComboBoxCDROM->GetItems()->GetStrings(0), "CD-ROM 1");
  EXPECT_EQ(Patterns, std::vector<std::string>{"D:\\*.cda"});
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Track - 03", "Track - 01", "Track - 12", "Track - 02", "Track - 04",
                                                  "Track - 05", "Track - 06", "Track - 07", "Track - 08", "Track - 10",
                                                  "Track - 09", "Track - 11"}));
  EXPECT_TRUE(Boxes.empty());
  EXPECT_FALSE(Form->ButtonLoad->GetEnabled());
  EXPECT_FALSE(Form->LabelConnect->GetVisible());
  TListItem* Item = Form->ListViewTracks->GetItems()->GetItem(2);
  Item->SetSelected(true);
  Item->SetFocused(true);
  PumpFor(50);
  EXPECT_TRUE(Form->ButtonLoad->GetEnabled());
  EXPECT_EQ(Form->ChosenTrackPath(), "D:\\Track12.cda");
  EXPECT_EQ(Form->ButtonLoad->GetModalResult(), mrOk);
  EXPECT_EQ(Form->ButtonCancel->GetModalResult(), mrCancel);
  Form->ListViewTracks->ClearSelection();
  PumpFor(50);
  EXPECT_FALSE(Form->ButtonLoad->GetEnabled());
}

TEST_F(LoadCDFormTest, ALookupRenamesEachTrackByItsNumber) {
  CddbServer Server({"211 inexact matches follow\r\nrock a80c010c Artist / Album\r\nblues a80c010d Other / Thing\r\n"
                   "jazz 12\r\n.\r\n",
                   TwelveTitleEntry()});
  TModalAnswers::Add("TMatchForm", [this](TCustomForm* F) {
    auto* Match = static_cast<TMatchForm*>(F);
    for (int I = 0; I < Match->ListMatches->GetItems()->GetCount(); ++I)
      MatchLines.push_back(Match->ListMatches->GetItems()->GetStrings(I));
    MatchLines.push_back(Match->GetCaption());
    Match->ListMatches->SetItemIndex(1);
    Match->SetLeft(Form->GetLeft() + Form->GetWidth() + 8);  // beside, so both show
    PumpFor(100);
    SaveScreenshot("load-cd-matches");
    ClickButton(Match->ButtonOK);
  });
  Lookup(Server);
  EXPECT_TRUE(Form->LabelConnect->GetVisible());
  ASSERT_TRUE(PumpUntil([&] { return Captions()[0] != "Track - 03"; }, 8000));
  EXPECT_EQ(MatchLines, (std::vector<std::string>{"Artist / Album - rock", "Other / Thing - blues", " - jazz",
                                                  "Multiple matches found"}));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Title 3", "Title 1", "Title 12", "Title 2", "Title 4", "Title 5",
                                                  "Title 6", "Title 7", "Title 8", "Title 10", "Title 9", "Title 11"}));
  EXPECT_EQ(Form->ListViewTracks->GetItems()->GetItem(2)->GetCaption(), "Title 12");
  EXPECT_FALSE(Form->LabelConnect->GetVisible());
  EXPECT_FALSE(Form->Timer->GetEnabled());
  EXPECT_EQ(Caption(), "freecddb");
  EXPECT_TRUE(Boxes.empty());
  const std::vector<std::string> Requests = Server.RequestLines();
  ASSERT_EQ(Requests.size(), 2u);
  EXPECT_EQ(Requests[0].rfind("GET /~cddb/cddb.cgi?cmd=cddb+query+a80c010c+12+150+", 0), 0u) << Requests[0];
  EXPECT_EQ(Requests[1].rfind("GET /~cddb/cddb.cgi?cmd=cddb+read+blues+a80c010d&hello=", 0), 0u) << Requests[1];
  // The renamed tracks keep their files.
  TListItem* Item = Form->ListViewTracks->GetItems()->GetItem(0);
  Item->SetSelected(true);
  Item->SetFocused(true);
  EXPECT_EQ(Form->ChosenTrackPath(), "D:\\Track03.cda");
  PumpFor(100);
  SaveScreenshot("load-cd-after-lookup");
}

TEST_F(LoadCDFormTest, RejectingTheMatchesStopsTheLookupAndKeepsTheNames) {
  CddbServer Server({"200 rock a80c010c Artist / Album\r\n"});
  TModalAnswers::Add("TMatchForm", [this](TCustomForm* F) {
    auto* Match = static_cast<TMatchForm*>(F);
    MatchLines.push_back(Match->ListMatches->GetItems()->GetStrings(0));
    ClickButton(Match->ButtonNone);
  });
  Lookup(Server);
  ASSERT_TRUE(PumpUntil([&] { return TModalAnswers::AllAnswered() && !Form->Timer->GetEnabled(); }, 8000));
  PumpFor(200);
  EXPECT_EQ(MatchLines, std::vector<std::string>{"Artist / Album - rock"});
  EXPECT_EQ(Captions()[0], "Track - 03");
  EXPECT_FALSE(Form->LabelConnect->GetVisible());
  EXPECT_EQ(Server.RequestLines().size(), 1u);
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(LoadCDFormTest, AFailedLookupShowsItsBoxOnce) {
  LoadCDSystem().ServerPort = std::to_string(UnusedPort());
  Form->ActionFreeCDDB->Execute();
  ASSERT_TRUE(PumpUntil([&] { return !Form->Timer->GetEnabled(); }, 8000));
  EXPECT_EQ(Boxes, std::vector<std::string>{
                       "The operation failed when trying to access the freeDB Internet server. Please try again later."});
  EXPECT_EQ(Captions()[0], "Track - 03");
  // Later statuses of the drive do not repeat it.
  DiscIn = false;
  Fake.Drives[0].Toc.clear();
  ClickButton(Form->ButtonRefresh);
  EXPECT_EQ(Boxes.size(), 2u);
  EXPECT_EQ(Boxes.back(), NoDisc);
  // Without a disc a lookup does not start.
  Form->ActionFreeCDDB->Execute();
  EXPECT_FALSE(Form->Timer->GetEnabled());
}

TEST_F(LoadCDFormTest, AnEntryThatCannotBeReadShowsItsBoxAndKeepsTheNames) {
  CddbServer Server({"200 rock a80c010c Artist / Album\r\n", "401 rock a80c010c No such CD entry in database.\r\n"});
  TModalAnswers::Add("TMatchForm", [](TCustomForm* F) { ClickButton(static_cast<TMatchForm*>(F)->ButtonOK); });
  Lookup(Server);
  ASSERT_TRUE(PumpUntil([&] { return Server.RequestLines().size() == 2 && !Form->Timer->GetEnabled(); }, 8000));
  PumpFor(200);
  EXPECT_EQ(Boxes, std::vector<std::string>{"Reading CDDB information failed."});
  EXPECT_EQ(Captions()[0], "Track - 03");
  EXPECT_FALSE(Form->LabelConnect->GetVisible());
  EXPECT_EQ(Caption(), "freecddb");
}

TEST_F(LoadCDFormTest, DeviceChangesRefreshTheList) {
  DiscIn = false;
  Fake.Drives[0].Toc.clear();
  Deviced(DBT_DEVICEREMOVECOMPLETE);
  EXPECT_EQ(Items(), 0);
  EXPECT_EQ(Boxes, std::vector<std::string>{NoDisc});
  Deviced(DBT_DEVNODES_CHANGED);  // not a disc coming or going
  EXPECT_EQ(Boxes.size(), 1u);
  DiscIn = true;
  Fake.Drives[0].Toc = TwelveTrackToc();
  Deviced(DBT_DEVICEARRIVAL);
  EXPECT_EQ(Items(), 12);
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Form->Cddb->GetCDInfo().DiscId, "a80c010c");
}

TEST_F(LoadCDFormTest, TheLookupCaptionTurnsEvery300Milliseconds) {
  Form->StartLookupAnimation();
  EXPECT_EQ(Form->Timer->GetInterval(), 300u);
  EXPECT_TRUE(Form->Timer->GetEnabled());
  EXPECT_TRUE(Form->LabelConnect->GetVisible());
  EXPECT_EQ(Caption(), "freecddb");
  std::vector<std::string> Seen;
  for (int Step = 0; Step < 5; ++Step) {
    const std::string Was = Caption();
    ASSERT_TRUE(PumpUntil([&] { return Caption() != Was; }, 2000));
    Seen.push_back(Caption());
    EXPECT_EQ(Form->ButtonFreeCDDB->GetCaption(), Caption());
  }
  EXPECT_EQ(Seen, (std::vector<std::string>{"- freecddb -", "\\ freecddb \\", "| freecddb |", "/ freecddb /",
                                            "- freecddb -"}));
  Form->StopLookupAnimation();
  EXPECT_FALSE(Form->Timer->GetEnabled());
  EXPECT_FALSE(Form->LabelConnect->GetVisible());
  EXPECT_EQ(Caption(), "freecddb");
}

// The pass-through road over fake drives: what is listed, asked and read, the
// notices the user sees, and the choice of interface.
#include <gtest/gtest.h>

#include "cd/AspiCD.h"
#include "cd/Cddb.h"
#include "cd/SptiCD.h"
#include "tests/cd/CdTestSupport.h"

namespace {

using DriveAccess = CdFixture;

const char* const AdminNotice =
    "You must have Administor privileges to use SPTI under Win2000/XP; falling back to IOCTL. This may cause "
    "erroneous results if a Mixed-Mode CD is in the drive.";

}  // namespace

TEST_F(DriveAccess, ListsEachCdDriveOnceWithItsInquiryAndAddress) {
  TFakeCDSystem Fake;
  Fake.FixedDrives = {'C', 'F'};
  Fake.AddDrive('D');
  Fake.AddDrive('E').Product = "Other Drive";
  Fake.Drives[1].Port = 3;
  ASSERT_TRUE(InitCDInterface());
  EXPECT_TRUE(UseSpti);
  TCDDriveList List;
  ASSERT_TRUE(GetCDDriveList(List, cdiAutoDetect));
  ASSERT_EQ(List.Count, 2);
  const TCDDriveInfo& D = List.Drives[0];
  EXPECT_EQ(D.DriveLetter, 'D');
  EXPECT_EQ(D.Vendor, "SONVELT ");
  EXPECT_EQ(D.ProductId, "Fake Drive 52x  ");
  EXPECT_EQ(D.Revision, "1.0A");
  EXPECT_EQ(D.Description, "SONVELT Fake Drive 52x  1.0A");
  EXPECT_EQ(D.HaId, 1);
  EXPECT_EQ(D.Target, 2);
  EXPECT_EQ(List.Drives[1].DriveLetter, 'E');
  EXPECT_EQ(List.Drives[1].Description, "SONVELT Other Drive     1.0A");
  EXPECT_EQ(List.Drives[1].HaId, 3);
  EXPECT_EQ(Fake.Opened, (std::vector<std::string>{"\\\\.\\D:", "\\\\.\\E:"}));
  EXPECT_EQ(Fake.Requests, (std::vector<std::string>{"D: INQUIRY", "D: ADDRESS", "E: INQUIRY", "E: ADDRESS"}));
  // The block's length is the 64-bit one, with its pointer.
  for (DWORD Length : Fake.SptdLengths) EXPECT_EQ(Length, sizeof(SCSI_PASS_THROUGH_DIRECT));
  EXPECT_EQ(Fake.OpenHandles, 0);
}

TEST_F(DriveAccess, OnlyTheDriveThatDoesNotAnswerIsDescribedByItsRoot) {
  TFakeCDSystem Fake;
  Fake.AddDrive('D');
  Fake.AddDrive('E').InquiryFails = true;
  Fake.AddDrive('G').Opens = false;
  TCDDriveList List;
  InitCDInterface();
  ASSERT_TRUE(GetCDDriveList(List, cdiAutoDetect));
  ASSERT_EQ(List.Count, 3);
  EXPECT_EQ(List.Drives[0].Description, "SONVELT Fake Drive 52x  1.0A");
  EXPECT_EQ(List.Drives[1].Description, "E:\\");
  EXPECT_EQ(List.Drives[2].Description, "G:\\");
  EXPECT_TRUE(CDDriveInquiry(1, List, cdiNTSCSI));
  EXPECT_EQ(List.Drives[1].Description, "E:\\");
  EXPECT_FALSE(CDDriveInquiry(3, List, cdiNTSCSI));
  EXPECT_EQ(Fake.OpenHandles, 0);
}

TEST_F(DriveAccess, TocReadFailuresShowTheirNoticeAndFallBackToTheSystemRequest) {
  const struct {
    DWORD Error;
    std::vector<std::string> Boxes;
  } Cases[] = {
      {0, {}},
      {ERROR_ACCESS_DENIED, {AdminNotice}},
      {ERROR_IO_DEVICE, {}},
      {ERROR_NO_SYSTEM_RESOURCES, {}},
      {ERROR_NOT_READY, {"IO Error: 21\n\r"}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Error);
    TFakeCDSystem Fake;
    TFakeDrive& D = Fake.AddDrive('D');
    D.Toc = TwelveTrackToc();
    D.TocError = C.Error;
    InitCDInterface();
    TCDDriveList List;
    GetCDDriveList(List, cdiAutoDetect);
    Fake.Requests.clear();
    TCDTrackTable Table;
    EXPECT_EQ(ReadCDToc(List, 0, Table, cdiAutoDetect), 0);
    EXPECT_EQ(Table.TrackCount, 12);
    EXPECT_EQ(Fake.Boxes, C.Boxes);
    EXPECT_EQ(Fake.Requests.front(), "D: READ TOC");
    EXPECT_EQ(Fake.Requests.size(), C.Error ? 2u : 1u);
    if (C.Error) {
      EXPECT_EQ(Fake.Requests.back(), "D: TOC IOCTL");
    }
    EXPECT_EQ(Fake.OpenHandles, 0);
  }
}

TEST_F(DriveAccess, AnEmptyDriveGivesNoTableNoDiscIdAndStillBecomesCurrent) {
  TFakeCDSystem Fake;
  Fake.AddDrive('D').Toc = TwelveTrackToc();
  Fake.AddDrive('E');  // no disc: the drive reports a check condition
  TOwned<TCddb> Cddb(TCddb::Create(nullptr));
  std::vector<std::string> Statuses;
  struct Sink {
    std::vector<std::string>* Out;
    void Status(TObject*, const std::string& S) { Out->push_back(S); }
  } S{&Statuses};
  Cddb->OnStatusMessage = Bind(&S, &Sink::Status);
  ASSERT_TRUE(Cddb->SelectDrive(0));
  EXPECT_EQ(Cddb->GetCDInfo().DiscId, "a80c010c");
  EXPECT_FALSE(Cddb->SelectDrive(1));
  EXPECT_EQ(Statuses, std::vector<std::string>{"No CD in CD/DVD drive!"});
  EXPECT_EQ(Cddb->GetCDInfo().Toc.TrackCount, 0);
  EXPECT_EQ(Cddb->GetCDInfo().DiscId, "");
  EXPECT_EQ(Cddb->GetDriveLetter(), 'E');
  EXPECT_TRUE(Fake.Boxes.empty());
  EXPECT_EQ(Cddb->HttpQuery(), -1);  // nothing to ask the database about
  EXPECT_EQ(Cddb->GetState(), TCddb::stIdle);
  EXPECT_FALSE(Cddb->SelectDrive(2));
  EXPECT_EQ(Fake.OpenHandles, 0);
}

TEST_F(DriveAccess, AnInterfaceThatCannotBeUsedIsRefusedWithItsText) {
  const char* const NoInterface = "No usable interface available or selected interface not available";
  auto Message = [](auto Call) {
    try {
      Call();
    } catch (const ECDInterfaceError& E) {
      return E.GetMessage();
    }
    return std::string("nothing raised");
  };
  TFakeCDSystem Fake;
  Fake.AddDrive('D').Toc = TwelveTrackToc();
  TCDDriveList List;
  TCDTrackTable Table;
  // Windows 98 without an ASPI library.
  Fake.Version = {VER_PLATFORM_WIN32_WINDOWS, 4, 10};
  EXPECT_FALSE(InitCDInterface());
  EXPECT_EQ(Message([&] { GetCDDriveList(List, cdiAutoDetect); }), NoInterface);
  EXPECT_EQ(Message([&] { GetCDDriveList(List, cdiNTSCSI); }), NoInterface);
  EXPECT_EQ(Message([&] { CDDriveInquiry(0, List, cdiAutoDetect); }), "No usable interface available");
  EXPECT_EQ(Message([&] { ReadCDToc(List, 0, Table, cdiAutoDetect); }), NoInterface);
  TOwned<TCddb> Cddb(TCddb::Create(nullptr));
  EXPECT_FALSE(Cddb->InternalTOCRetrieve);
  EXPECT_FALSE(Cddb->SelectDrive(0));
  // The NT family without ASPI: pass-through only.
  Fake.Version = {VER_PLATFORM_WIN32_NT, 6, 1};
  EXPECT_TRUE(InitCDInterface());
  EXPECT_EQ(Message([&] { GetCDDriveList(List, cdiASPI); }), NoInterface);
  EXPECT_EQ(Message([&] { GetCDDriveList(List, cdiNTSCSI); }), "nothing raised");
  EXPECT_EQ(List.Count, 1);
  EXPECT_EQ(AspiDriveLetter("D;drive", cdiNTSCSI), 'D');
}

TEST_F(DriveAccess, AudioSectorsAreReadInRequestsBelow64KiB) {
  TFakeCDSystem Fake;
  TFakeDrive& D = Fake.AddDrive('D');
  D.Sectors = 100;
  const HANDLE Device = SptiOpenDrive('D');
  ASSERT_NE(Device, INVALID_HANDLE_VALUE);
  std::vector<uint8_t> Data(50 * 2352);
  EXPECT_EQ(SptiReadAudioSectors(Device, 30, 50, Data.data()), 0u);
  EXPECT_EQ(std::count(Fake.Requests.begin(), Fake.Requests.end(), "D: READ CD"), 3);
  int16_t Sample;
  std::memcpy(&Sample, Data.data() + 49 * 2352 + 587 * 4 + 2, 2);
  EXPECT_EQ(Sample, FakeSample(79, 587, 1));
  EXPECT_EQ(SptiReadAudioSectors(Device, 90, 20, Data.data()), DWORD(ERROR_IO_DEVICE));  // beyond the disc
  D.AudioError = ERROR_NOT_READY;
  EXPECT_EQ(SptiReadAudioSectors(Device, 0, 1, Data.data()), DWORD(ERROR_NOT_READY));
  SptiCloseDrive(Device);
  EXPECT_EQ(SptiOpenDrive('Q'), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Fake.OpenHandles, 0);
}

// The ASPI road against the fake library built beside the test program.
#include <gtest/gtest.h>

#include "cd/AspiCD.h"
#include "cd/CDSystemCalls.h"
#include "cd/Wnaspi32.h"
#include "framework/OwnedObject.h"
#include "framework/Registry.h"
#include "tests/cd/CdTestSupport.h"
#include "tests/cd/FakeAspi.h"

namespace {

class Aspi : public CdFixture {
 protected:
  void SetUp() override {
    CdFixture::SetUp();
    Fake.Version = {VER_PLATFORM_WIN32_WINDOWS, 4, 10};
    CDSystem().LoadLibrary = [this](const std::string& Name) {
      Loaded.push_back(Name);
      return RealCDSystemCalls().LoadLibrary(Name);
    };
  }
  // Loads the library by its name, as the program does, and sets its answers.
  void Answer(const TFakeAspiConfig& Config) {
    ASSERT_TRUE(LoadAspiLibrary());
    HMODULE Module = GetModuleHandleW(L"wnaspi32.dll");
    auto Setup = reinterpret_cast<TFakeAspiSetup>(reinterpret_cast<void*>(GetProcAddress(Module, "FakeAspiSetup")));
    ASSERT_NE(Setup, nullptr) << "the system's own ASPI library was loaded, not the test's";
    Setup(&Config);
  }
  TFakeAspiLog Log() {
    TFakeAspiLog L{};
    auto Read = reinterpret_cast<TFakeAspiReadLog>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"wnaspi32.dll"), "FakeAspiLog")));
    Read(&L);
    return L;
  }
  static TFakeAspiConfig TwoDrives() {
    TFakeAspiConfig C;
    C.Adapters = 2;
    C.DeviceCount = 3;
    C.Devices[0] = {0, 1, 0, 5};
    C.Devices[1] = {0, 3, 0, 0};  // a disk
    C.Devices[2] = {1, 5, 2, 5};
    return C;
  }
  TFakeCDSystem Fake;
  std::vector<std::string> Loaded;
};

}  // namespace

TEST_F(Aspi, HostAdaptersAreCountedOnlyWhenTheLibraryAnswers) {
  TFakeAspiConfig C;
  C.Adapters = 3;
  Answer(C);
  EXPECT_EQ(Loaded, std::vector<std::string>{"wnaspi32.dll"});
  EXPECT_EQ(AspiHostAdapterCount(), 3);
  EXPECT_TRUE(InitCDInterface());
  EXPECT_FALSE(UseSpti);  // Windows 9x keeps ASPI
  C.SupportStatus = 4;
  Answer(C);
  EXPECT_EQ(AspiHostAdapterCount(), -1);
  EXPECT_FALSE(InitCDInterface());

  // A library without both entry points does not count.
  UnloadAspiLibrary();
  CDSystem().GetProcAddress = [](HMODULE Module, const char* Name) -> void* {
    return std::string(Name) == "GetASPI32SupportInfo" ? nullptr
                                                       : reinterpret_cast<void*>(GetProcAddress(Module, Name));
  };
  EXPECT_FALSE(LoadAspiLibrary());
  EXPECT_EQ(AspiHostAdapterCount(), -1);
}

TEST_F(Aspi, DrivesAreFoundByDeviceTypeAndNamedByTheRegistry) {
  Answer(TwoDrives());
  CDSystem().ScsiRegistryDevices = [] {
    return std::vector<TScsiRegistryDevice>{{true, "SONVELT", "Other", "G"},
                                            {true, " SONVELT ", "Aspi Drive 40x", "f"},
                                            {false, "SONVELT", "Aspi Drive 40x", ""}};
  };
  ASSERT_TRUE(InitCDInterface());
  TCDDriveList List;
  ASSERT_TRUE(GetCDDriveList(List, cdiAutoDetect));
  ASSERT_EQ(List.Count, 2);
  EXPECT_EQ(List.Drives[0].HaId, 0);
  EXPECT_EQ(List.Drives[0].Target, 1);
  EXPECT_EQ(List.Drives[1].HaId, 1);
  EXPECT_EQ(List.Drives[1].Target, 5);
  EXPECT_EQ(List.Drives[1].Lun, 2);
  EXPECT_EQ(List.Drives[0].Description, "SONVELT Aspi Drive 40x  2.01");
  EXPECT_EQ(List.Drives[0].DriveLetter, 'F');
  const TFakeAspiLog L = Log();
  EXPECT_EQ(L.AdapterInquiries, 2);
  EXPECT_EQ(L.DeviceTypeRequests, 2 * 7 * 65);  // seven targets when the adapter does not say
  EXPECT_EQ(L.Executed, 2);
  EXPECT_EQ(L.LastCdb[0], 0x12);
  EXPECT_EQ(L.LastCdb[4], 100);
  EXPECT_EQ(L.LastFlags, 0x48);
  EXPECT_EQ(L.LastSenseLength, 14);
  EXPECT_EQ(L.LastBufferLength, 100u);
}

TEST_F(Aspi, TheTableOfContentsIsReadAndCountedFromTheFirstTrack) {
  TFakeAspiConfig C = TwoDrives();
  C.MaxTargets = 6;
  const std::vector<uint8_t> Toc = MakeToc(2, 4, {{2, 0, 2, 0}, {3, 3, 0, 0}, {4, 7, 0, 0, 4}}, {0, 10, 0, 0});
  std::copy(Toc.begin(), Toc.end(), C.Toc);
  C.TocSize = int(Toc.size());
  C.CompleteLater = true;  // answered from another thread after the request came back pending
  Answer(C);
  InitCDInterface();
  TCDDriveList List;
  GetCDDriveList(List, cdiASPI);
  EXPECT_EQ(Log().DeviceTypeRequests, 2 * 6 * 65);
  TCDTrackTable Table;
  ASSERT_EQ(ReadCDToc(List, 1, Table, cdiASPI), 0);
  EXPECT_EQ(Table.TrackCount, 3);
  EXPECT_TRUE(Table.Tracks[0].IsAudio);
  EXPECT_FALSE(Table.Tracks[2].IsAudio);
  EXPECT_EQ(Table.Tracks[2].Minute, 7);
  EXPECT_EQ(Table.LeadOut.Minute, 10);
  EXPECT_EQ(Log().LastCdb[0], 0x43);
  EXPECT_EQ(Log().LastBufferLength, 804u);

  C.SenseKey = 2;  // not ready
  Answer(C);
  EXPECT_EQ(ReadCDToc(List, 1, Table, cdiASPI), 1);
  EXPECT_EQ(Table.TrackCount, 0);
}

TEST_F(Aspi, ARequestLeftPendingEndsAtTheTimeLimit) {
  TFakeAspiConfig C = TwoDrives();
  C.StayPendingCommand = 0x43;
  Answer(C);
  InitCDInterface();
  TCDDriveList List;
  ASSERT_TRUE(GetCDDriveList(List, cdiASPI));
  CDSystem().AspiTimeoutMs = 200;
  TCDTrackTable Table;
  EXPECT_EQ(ReadCDToc(List, 0, Table, cdiASPI), 1);
  EXPECT_EQ(Table.TrackCount, 0);
  EXPECT_EQ(Log().Aborts, 1);
}

TEST_F(Aspi, TheSystemsScsiEnumerationIsReadFromTheRegistry) {
  TOwned<TRegistry> R = MakeOwned<TRegistry>();
  R->SetRootKey(HKEY_LOCAL_MACHINE);
  auto Device = [&](const std::string& Key, uint8_t Type, bool Texts) {
    ASSERT_TRUE(R->OpenKey("\\Enum\\SCSI\\" + Key, true));
    R->WriteBinaryData("DeviceType", &Type, 1);
    if (Texts) {
      R->WriteString("Manufacturer", " SONVELT ");
      R->WriteString("ProductId", "Aspi Drive 40x");
      R->WriteString("CurrentDriveLetterAssignment", "F");
    } else {
      R->WriteInteger("Manufacturer", 7);  // not a text
    }
    R->CloseKey();
  };
  Device("SONVELT_ASPI\\ROOT&0", 5, true);
  Device("SONVELT_DISK\\ROOT&0", 0, true);
  Device("SONVELT_ODD\\ROOT&0", 5, false);
  const std::vector<TScsiRegistryDevice> Found = RealCDSystemCalls().ScsiRegistryDevices();
  R->DeleteKey("\\Enum\\SCSI");
  ASSERT_EQ(Found.size(), 2u);
  EXPECT_TRUE(Found[0].Readable);
  EXPECT_EQ(Found[0].Manufacturer, " SONVELT ");
  EXPECT_EQ(Found[0].DriveLetterAssignment, "F");
  EXPECT_FALSE(Found[1].Readable);
  // The whole walk, through the drive access.
  Answer(TwoDrives());
  CDSystem().ScsiRegistryDevices = [&Found] { return Found; };
  EXPECT_EQ(AspiDriveLetter("SONVELT ;Aspi Drive 40x  ", cdiASPI), 'F');
  EXPECT_EQ(AspiDriveLetter("OTHER;Drive", cdiASPI), 0);
}

#include "tests/cd/FakeDrive.h"

#include <algorithm>
#include <cstring>

#include "cd/CDROMIOCTL.h"

std::vector<uint8_t> MakeToc(uint8_t First, uint8_t Last, const std::vector<TTocTrack>& Tracks, TTocTrack LeadOut,
                             int LengthField) {
  std::vector<uint8_t> B(4);
  auto Descriptor = [&B](const TTocTrack& T) {
    B.insert(B.end(), {0, uint8_t(0x10 | T.Control), T.Number, 0, 0, T.Minute, T.Second, T.Frame});
  };
  for (const TTocTrack& T : Tracks) Descriptor(T);
  LeadOut.Number = 0xAA;
  Descriptor(LeadOut);
  const int Length = LengthField < 0 ? int(B.size()) - 2 : LengthField;
  B[0] = uint8_t(Length >> 8);
  B[1] = uint8_t(Length);
  B[2] = First;
  B[3] = Last;
  return B;
}

std::vector<uint8_t> TwelveTrackToc() {
  static const TTocTrack Tracks[] = {{1, 0, 2, 0},   {2, 4, 10, 30},  {3, 8, 47, 2},   {4, 12, 0, 74},
                                     {5, 16, 33, 15}, {6, 20, 5, 40},  {7, 24, 59, 1},  {8, 28, 12, 60},
                                     {9, 32, 44, 8},  {10, 37, 3, 33}, {11, 41, 20, 50}, {12, 46, 8, 12}};
  return MakeToc(1, 12, std::vector<TTocTrack>(std::begin(Tracks), std::end(Tracks)), {0, 51, 15, 0});
}

int16_t FakeSample(uint32_t Lba, int Frame, int Channel) {
  const int V = int((Lba * 613 + uint32_t(Frame) * 37) % 60000) - 30000;
  return int16_t(Channel == 0 ? V : -V / 2);
}

namespace {

HANDLE HandleOf(size_t Index) { return reinterpret_cast<HANDLE>(0x5000 + Index); }

std::string Padded(const std::string& S, size_t N) {
  std::string Out = S.substr(0, N);
  Out.resize(N, ' ');
  return Out;
}

}  // namespace

TFakeCDSystem::TFakeCDSystem() {
  TCDSystemCalls& S = CDSystem();
  S.WindowsVersion = [this] { return Version; };
  S.LogicalDriveStrings = [this] {
    std::vector<char> Letters = FixedDrives;
    for (const TFakeDrive& D : Drives) Letters.push_back(D.Letter);
    std::sort(Letters.begin(), Letters.end());
    std::string Roots;
    for (char L : Letters) Roots += std::string(1, L) + ":\\" + '\0';
    return Roots;
  };
  S.DriveType = [this](const std::string& Root) -> UINT {
    if (Root.size() < 3 || Root[1] != ':' || Root[2] != '\\') return DRIVE_NO_ROOT_DIR;
    if (Find(Root[0])) return DRIVE_CDROM;
    return std::count(FixedDrives.begin(), FixedDrives.end(), Root[0]) ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
  };
  S.OpenDevice = [this](const std::string& Path, DWORD, DWORD) {
    Opened.push_back(Path);
    if (Path.size() == 6 && Path.rfind("\\\\.\\", 0) == 0 && Path[5] == ':')
      if (TFakeDrive* D = Find(Path[4]); D && D->Opens) {
        ++OpenHandles;
        return HandleOf(size_t(D - Drives.data()));
      }
    return INVALID_HANDLE_VALUE;
  };
  S.CloseDevice = [this](HANDLE) { --OpenHandles; };
  S.DeviceIoControl = [this](HANDLE Device, DWORD Code, void* In, DWORD InSize, void* Out, DWORD OutSize) -> DWORD {
    const size_t Index = reinterpret_cast<size_t>(Device) - 0x5000;
    if (Index >= Drives.size()) return ERROR_INVALID_HANDLE;
    TFakeDrive& D = Drives[Index];
    const std::string Name = std::string(1, D.Letter) + ": ";
    if (Code == IOCTL_SCSI_GET_ADDRESS) {
      Requests.push_back(Name + "ADDRESS");
      if (OutSize < sizeof(SCSI_ADDRESS)) return ERROR_INSUFFICIENT_BUFFER;
      auto* A = static_cast<SCSI_ADDRESS*>(Out);
      A->PortNumber = D.Port;
      A->TargetId = D.TargetId;
      A->Lun = D.Lun;
      return 0;
    }
    if (Code == IOCTL_CDROM_READ_TOC) {
      Requests.push_back(Name + "TOC IOCTL");
      if (D.IoctlTocError) return D.IoctlTocError;
      if (D.Toc.empty()) return ERROR_NOT_READY;
      std::memcpy(Out, D.Toc.data(), std::min<size_t>(OutSize, D.Toc.size()));
      return 0;
    }
    if (Code != IOCTL_SCSI_PASS_THROUGH_DIRECT) return ERROR_INVALID_FUNCTION;
    // The block as a 64-bit driver reads it: its own length, the sense behind it.
    auto* R = static_cast<TSptdWithSense*>(In);
    SptdLengths.push_back(R->Sptd.Length);
    if (InSize < sizeof(SCSI_PASS_THROUGH_DIRECT) || R->Sptd.Length != sizeof(SCSI_PASS_THROUGH_DIRECT) ||
        Out != In || OutSize != InSize ||
        (R->Sptd.SenseInfoLength && R->Sptd.SenseInfoOffset + R->Sptd.SenseInfoLength > InSize))
      return ERROR_INVALID_PARAMETER;
    auto* Data = static_cast<uint8_t*>(R->Sptd.DataBuffer);
    const uint8_t* Cdb = R->Sptd.Cdb;
    switch (Cdb[0]) {
      case 0x12: {
        Requests.push_back(Name + "INQUIRY");
        if (D.InquiryFails) return ERROR_IO_DEVICE;
        uint8_t Answer[100] = {5, 0x80, 0, 0x32, 31};
        const std::string Strings = Padded(D.Vendor, 8) + Padded(D.Product, 16) + Padded(D.Revision, 4);
        std::memcpy(Answer + 8, Strings.data(), Strings.size());
        std::memcpy(Data, Answer, std::min<size_t>(R->Sptd.DataTransferLength, 100));
        return 0;
      }
      case 0x43:
        Requests.push_back(Name + "READ TOC");
        if (D.TocError) return D.TocError;
        if (D.Toc.empty()) {
          R->Sptd.ScsiStatus = 2;  // check condition: medium not present
          return 0;
        }
        std::memcpy(Data, D.Toc.data(), std::min<size_t>(R->Sptd.DataTransferLength, D.Toc.size()));
        return 0;
      case 0xBE: {
        Requests.push_back(Name + "READ CD");
        if (D.AudioError) return D.AudioError;
        const uint32_t Lba = uint32_t(Cdb[2]) << 24 | uint32_t(Cdb[3]) << 16 | uint32_t(Cdb[4]) << 8 | Cdb[5];
        const uint32_t Count = uint32_t(Cdb[6]) << 16 | uint32_t(Cdb[7]) << 8 | Cdb[8];
        if (Cdb[1] != 0x04 || Cdb[9] != 0x10 || R->Sptd.DataTransferLength != Count * 2352) return ERROR_INVALID_PARAMETER;
        if (Lba + Count > D.Sectors) {
          R->Sptd.ScsiStatus = 2;  // logical block address out of range
          return 0;
        }
        for (uint32_t S = 0; S < Count; ++S)
          for (int F = 0; F < 588; ++F)
            for (int C = 0; C < 2; ++C) {
              const int16_t V = FakeSample(Lba + S, F, C);
              std::memcpy(Data + S * 2352 + F * 4 + C * 2, &V, 2);
            }
        return 0;
      }
    }
    return ERROR_INVALID_FUNCTION;
  };
  S.ErrorBox = [this](const std::string& Text) { Boxes.push_back(Text); };
  // No ASPI library unless a test brings one.
  S.LoadLibrary = [](const std::string&) -> HMODULE { return nullptr; };
}

TFakeCDSystem::~TFakeCDSystem() { CDSystem() = RealCDSystemCalls(); }

TFakeDrive& TFakeCDSystem::AddDrive(char Letter) {
  Drives.emplace_back();
  Drives.back().Letter = Letter;
  return Drives.back();
}

TFakeDrive* TFakeCDSystem::Find(char Letter) {
  for (TFakeDrive& D : Drives)
    if (D.Letter == Letter) return &D;
  return nullptr;
}

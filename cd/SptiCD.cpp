#include "cd/SptiCD.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "cd/CDSystemCalls.h"

namespace {

std::string DevicePath(char Letter) { return std::string("\\\\.\\") + Letter + ":"; }

std::string FieldOf(const uint8_t* Data, int First, int Length) {
  const char* Start = reinterpret_cast<const char*>(Data) + First;
  return std::string(Start, strnlen(Start, Length));
}

// One pass-through request into Data; 0 or the error code, and a SCSI status
// other than good counts as a device error.
DWORD PassThrough(HANDLE Device, const uint8_t* Cdb, int CdbLength, uint8_t* Data, DWORD DataLength,
                  UCHAR SenseLength, ULONG TimeOut) {
  TSptdWithSense R{};
  R.Sptd.Length = sizeof R.Sptd;
  R.Sptd.CdbLength = UCHAR(CdbLength);
  R.Sptd.SenseInfoLength = SenseLength;
  R.Sptd.DataIn = SCSI_IOCTL_DATA_IN;
  R.Sptd.DataTransferLength = DataLength;
  R.Sptd.TimeOutValue = TimeOut;
  R.Sptd.DataBuffer = Data;
  R.Sptd.SenseInfoOffset = SptdSenseOffset;
  std::memcpy(R.Sptd.Cdb, Cdb, CdbLength);
  const DWORD Error = CDSystem().DeviceIoControl(Device, IOCTL_SCSI_PASS_THROUGH_DIRECT, &R, sizeof R, &R, sizeof R);
  if (Error) return Error;
  return R.Sptd.ScsiStatus == 0 ? 0 : ERROR_IO_DEVICE;
}

HANDLE OpenForPassThrough(char Letter) {
  const DWORD Access = GENERIC_READ | (WindowsClass() > 3 ? GENERIC_WRITE : 0);
  return CDSystem().OpenDevice(DevicePath(Letter), Access, FILE_SHARE_READ);
}

}  // namespace

int WindowsClass() {
  const TWindowsVersionInfo V = CDSystem().WindowsVersion();
  if (V.PlatformId == VER_PLATFORM_WIN32_WINDOWS) return V.Minor == 0 ? 0 : 1;
  if (V.PlatformId != VER_PLATFORM_WIN32_NT) return -1;
  if (V.Major == 3 && V.Minor >= 51) return 2;
  if (V.Major == 4) return 3;
  if (V.Major == 5 && V.Minor == 0) return 4;
  return 5;
}

int ListCDDrives(TCDDriveList& List) {
  List.Count = 0;
  std::string Roots = CDSystem().LogicalDriveStrings();
  Roots.resize(std::min<size_t>(Roots.size(), 105));
  for (size_t At = 0; At < Roots.size() && Roots[At] && List.Count < List.Drives.size();) {
    const size_t End = std::min(Roots.find('\0', At), Roots.size());
    const std::string Root = Roots.substr(At, End - At);
    if (CDSystem().DriveType(Root) == DRIVE_CDROM) {
      TCDDriveInfo& Drive = List.Drives[List.Count++];
      Drive = TCDDriveInfo{};
      Drive.DriveLetter = char(std::toupper(static_cast<unsigned char>(Root[0])));
    }
    At = End + 1;
  }
  return List.Count;
}

void InquiryToDrive(const uint8_t* Data, TCDDriveInfo& Drive) {
  Drive.Vendor = FieldOf(Data, 8, 8);
  Drive.ProductId = FieldOf(Data, 16, 16);
  Drive.Revision = FieldOf(Data, 32, 4);
  Drive.VendorSpecific = FieldOf(Data, 36, 20);
  Drive.Description = Drive.Vendor + Drive.ProductId + Drive.Revision;
}

bool SptiInquiry(int Index, TCDDriveList& List) {
  if (Index < 0 || Index >= List.Count) return false;
  TCDDriveInfo& Drive = List.Drives[Index];
  const HANDLE Device = OpenForPassThrough(Drive.DriveLetter);
  if (Device == INVALID_HANDLE_VALUE) return false;
  bool Ok = false;
  uint8_t Data[InquirySize] = {};
  if (PassThrough(Device, CdbInquiry, 6, Data, InquirySize, 24, 2) == 0) {
    InquiryToDrive(Data, Drive);
    SCSI_ADDRESS Address{};
    Address.Length = sizeof Address;
    if (CDSystem().DeviceIoControl(Device, IOCTL_SCSI_GET_ADDRESS, nullptr, 0, &Address, sizeof Address) == 0) {
      Drive.HaId = Address.PortNumber;
      Drive.Target = Address.TargetId;
      Drive.Lun = Address.Lun;
      Ok = true;
    }
  }
  CDSystem().CloseDevice(Device);
  return Ok;
}

int SptiReadToc(const TCDDriveList& List, int Index, TTocBuffer& Buffer) {
  Buffer.fill(0);
  if (Index < 0 || Index >= List.Count) return -1;
  const HANDLE Device = OpenForPassThrough(List.Drives[Index].DriveLetter);
  if (Device == INVALID_HANDLE_VALUE) return -1;
  const DWORD Error = PassThrough(Device, CdbReadToc, 10, Buffer.data(), TocBufferSize, 0, 5);
  CDSystem().CloseDevice(Device);
  switch (Error) {
    case 0: return 0;
    case ERROR_ACCESS_DENIED:
      CDSystem().ErrorBox(
          "You must have Administor privileges to use SPTI under Win2000/XP; falling back to IOCTL. This may cause "
          "erroneous results if a Mixed-Mode CD is in the drive.");
      return IoctlReadToc(List, Index, Buffer);
    case ERROR_IO_DEVICE: Buffer.fill(0); return -1;
    case ERROR_NO_SYSTEM_RESOURCES: return -1;
    default: CDSystem().ErrorBox("IO Error: " + std::to_string(Error) + "\n\r"); return -1;
  }
}

int IoctlReadToc(const TCDDriveList& List, int Index, TTocBuffer& Buffer) {
  Buffer.fill(0);
  if (Index < 0 || Index >= List.Count) return -1;
  const std::string Path = DevicePath(List.Drives[Index].DriveLetter);
  const HANDLE Device = CDSystem().OpenDevice(Path, GENERIC_READ, FILE_SHARE_READ);
  if (Device == INVALID_HANDLE_VALUE) return -1;
  const DWORD Error = CDSystem().DeviceIoControl(Device, IOCTL_CDROM_READ_TOC, nullptr, 0, Buffer.data(), TocBufferSize);
  CDSystem().CloseDevice(Device);
  return Error ? -1 : 0;
}

bool TocToTrackTable(const TTocBuffer& Buffer, TCDTrackTable& Table) {
  Table = TCDTrackTable{};
  const int Length = Buffer[0] << 8 | Buffer[1];  // bytes after the length field
  const int First = Buffer[2], Last = Buffer[3];
  if (First == 0 || Last < First || Last > MaxCDTracks) return false;
  const int Count = Last - First + 1;
  const int Described = std::min(Length > 2 ? (Length - 2) / 8 : 0, (TocBufferSize - 4) / 8);
  if (Described < Count + 1) return false;
  auto Entry = [&](int I) {
    const uint8_t* D = Buffer.data() + 4 + 8 * I;
    return TCDTrackEntry{D[5], D[6], D[7], (D[1] & 0x04) == 0};
  };
  Table.TrackCount = uint8_t(Count);
  for (int I = 0; I < Count; ++I) Table.Tracks[I] = Entry(I);
  Table.LeadOut = Entry(Count);
  Table.LeadOut.IsAudio = false;
  return true;
}

HANDLE SptiOpenDrive(char DriveLetter) { return OpenForPassThrough(DriveLetter); }

void SptiCloseDrive(HANDLE Device) { CDSystem().CloseDevice(Device); }

DWORD SptiReadAudioSectors(HANDLE Device, uint32_t Lba, uint32_t Count, uint8_t* Buffer) {
  // Requests stay below 64 KiB, which every adapter takes in one transfer.
  constexpr uint32_t SectorsPerRequest = 24;
  while (Count > 0) {
    const uint32_t N = std::min(Count, SectorsPerRequest);
    const uint8_t Cdb[12] = {ScsiReadCd, 0x04,  // CD-DA sectors only
                             uint8_t(Lba >> 24), uint8_t(Lba >> 16), uint8_t(Lba >> 8), uint8_t(Lba),
                             uint8_t(N >> 16), uint8_t(N >> 8), uint8_t(N),
                             0x10,  // user data: the whole 2352 bytes of an audio sector
                             0, 0};
    if (const DWORD Error = PassThrough(Device, Cdb, 12, Buffer, N * CDAudioSectorSize, 24, 20)) return Error;
    Lba += N;
    Count -= N;
    Buffer += size_t(N) * CDAudioSectorSize;
  }
  return 0;
}

#include "cd/AspiCD.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <vector>

#include "cd/CDSystemCalls.h"
#include "cd/SptiCD.h"
#include "cd/Wnaspi32.h"

bool UseSpti = false;

namespace {

enum class TRoad { Aspi, PassThrough };

const char* const NoInterface = "No usable interface available or selected interface not available";

TRoad ChooseRoad(TCDInterface Interface, const char* Failure = NoInterface) {
  if (AspiHostAdapterCount() > 0 && (Interface == cdiASPI || (Interface == cdiAutoDetect && !UseSpti)))
    return TRoad::Aspi;
  if (InitCDInterface() && UseSpti && (Interface == cdiAutoDetect || Interface == cdiNTSCSI)) return TRoad::PassThrough;
  throw ECDInterfaceError(Failure);
}

// An execute-SCSI request with its data, and the event the library signals.
struct TAspiRequest {
  SRB_ExecSCSICmd Srb{};
  std::vector<uint8_t> Data;
  HANDLE Event = nullptr;
  ~TAspiRequest() {
    if (Event) CloseHandle(Event);
  }
};

// Sends an execute-SCSI request (data in) to the drive and waits for it; false
// when it fails or stays pending beyond the time limit.
bool RunAspiRequest(const TCDDriveInfo& Drive, const uint8_t* Cdb, int CdbLength, int DataLength,
                    std::shared_ptr<TAspiRequest>& R) {
  R = std::make_shared<TAspiRequest>();
  R->Data.assign(DataLength, 0);
  R->Event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!R->Event) return false;
  SRB_ExecSCSICmd& S = R->Srb;
  S.SRB_Cmd = SC_EXEC_SCSI_CMD;
  S.SRB_HaId = Drive.HaId;
  S.SRB_Flags = SRB_DIR_IN | SRB_EVENT_NOTIFY;
  S.SRB_Target = Drive.Target;
  S.SRB_Lun = Drive.Lun;
  S.SRB_BufLen = DWORD(DataLength);
  S.SRB_BufPointer = R->Data.data();
  S.SRB_SenseLen = SENSE_LEN;
  S.SRB_CDBLen = BYTE(CdbLength);
  S.SRB_PostProc = R->Event;
  std::memcpy(S.CDBByte, Cdb, CdbLength);
  ResetEvent(R->Event);
  SendASPI32Command(&S);
  if (S.SRB_Status == SS_PENDING &&
      WaitForSingleObject(R->Event, CDSystem().AspiTimeoutMs) != WAIT_OBJECT_0) {
    SRB_Abort Abort{};
    Abort.SRB_Cmd = SC_ABORT_SRB;
    Abort.SRB_HaId = Drive.HaId;
    Abort.SRB_ToAbort = &S;
    SendASPI32Command(&Abort);
    // The library may still complete it and write into it.
    KeepUntilAspiUnload(R);
    return false;
  }
  return S.SRB_Status == SS_COMP;
}

bool AspiInquiry(TCDDriveInfo& Drive) {
  std::shared_ptr<TAspiRequest> R;
  const bool Done = RunAspiRequest(Drive, CdbInquiry, 6, InquirySize, R);
  if (!Done) return false;
  InquiryToDrive(R->Data.data(), Drive);
  return SenseAreaClear(R->Srb.SenseArea, SENSE_LEN);
}

char RegistryDriveLetter(const std::string& VendorAndProduct) {
  char Letter = 0;
  for (const TScsiRegistryDevice& D : CDSystem().ScsiRegistryDevices()) {
    if (!D.Readable) continue;  // one unreadable entry says nothing about the others
    auto Trimmed = [](std::string S) {
      S.erase(0, S.find_first_not_of(" \t"));
      S.erase(S.find_last_not_of(" \t") + 1);
      return S;
    };
    const std::string Maker = Trimmed(D.Manufacturer), Product = Trimmed(D.ProductId),
                      Assigned = Trimmed(D.DriveLetterAssignment);
    if (VendorAndProduct.find(Maker) != std::string::npos && VendorAndProduct.find(Product) != std::string::npos &&
        !Assigned.empty())
      Letter = Assigned[0];
  }
  return Letter;
}

bool AspiDriveList(TCDDriveList& List) {
  List.Count = 0;
  bool Result = true;
  const int Adapters = AspiHostAdapterCount();
  for (int Ha = 0; Ha < Adapters; ++Ha) {
    SRB_HAInquiry Q{};
    Q.SRB_Cmd = SC_HA_INQUIRY;
    Q.SRB_HaId = BYTE(Ha);
    SendASPI32Command(&Q);
    if (Q.SRB_Status != SS_COMP) continue;
    const int Targets = Q.HA_Unique[3] ? Q.HA_Unique[3] : 7;
    for (int Target = 0; Target < Targets; ++Target)
      for (int Lun = 0; Lun <= 64; ++Lun) {
        SRB_GDEVBlock G{};
        G.SRB_Cmd = SC_GET_DEV_TYPE;
        G.SRB_HaId = BYTE(Ha);
        G.SRB_Target = BYTE(Target);
        G.SRB_Lun = BYTE(Lun);
        SendASPI32Command(&G);
        if (G.SRB_Status != SS_COMP || G.SRB_DeviceType != DTYPE_CDROM || List.Count >= List.Drives.size()) continue;
        TCDDriveInfo& Drive = List.Drives[List.Count];
        Drive = TCDDriveInfo{};
        Drive.HaId = BYTE(Ha);
        Drive.Target = BYTE(Target);
        Drive.Lun = BYTE(Lun);
        if (Result) Result = AspiInquiry(Drive);
        Drive.DriveLetter = char(std::toupper(static_cast<unsigned char>(RegistryDriveLetter(Drive.Vendor + ";" + Drive.ProductId))));
        ++List.Count;
      }
  }
  return Result;
}

// The pass-through inquiry of one drive; a drive that does not answer is
// described by its root.
void PassThroughInquiry(int Index, TCDDriveList& List) {
  if (!SptiInquiry(Index, List)) List.Drives[Index].Description = std::string(1, List.Drives[Index].DriveLetter) + ":\\";
}

}  // namespace

int AspiHostAdapterCount() {
  if (!LoadAspiLibrary()) return -1;
  const DWORD Info = GetASPI32SupportInfo();
  if (((Info >> 8) & 0xFF) != SS_COMP) return -1;
  return int(Info & 0xFF);
}

bool InitCDInterface() {
  const int Class = WindowsClass();
  if (Class == 0 || Class == 1) return AspiHostAdapterCount() != -1;
  if (Class >= 2 && Class <= 5) {
    UseSpti = true;
    return true;
  }
  return false;
}

bool GetCDDriveList(TCDDriveList& List, TCDInterface Interface) {
  if (ChooseRoad(Interface) == TRoad::Aspi) return AspiDriveList(List);
  if (ListCDDrives(List) == 0) return false;
  for (int I = 0; I < List.Count; ++I) PassThroughInquiry(I, List);
  return true;
}

bool CDDriveInquiry(int Index, TCDDriveList& List, TCDInterface Interface) {
  const TRoad Road = ChooseRoad(Interface, "No usable interface available");
  if (Index < 0 || Index >= List.Count) return false;
  if (Road == TRoad::Aspi) return AspiInquiry(List.Drives[Index]);
  PassThroughInquiry(Index, List);
  return true;
}

int ReadCDToc(TCDDriveList List, int Index, TCDTrackTable& Table, TCDInterface Interface) {
  Table = TCDTrackTable{};
  const TRoad Road = ChooseRoad(Interface);
  if (Index < 0 || Index >= List.Count) return 1;
  TTocBuffer Buffer{};
  if (Road == TRoad::Aspi) {
    std::shared_ptr<TAspiRequest> R;
    if (!RunAspiRequest(List.Drives[Index], CdbReadToc, 10, TocBufferSize, R) ||
        !SenseAreaClear(R->Srb.SenseArea, SENSE_LEN))
      return 1;
    std::copy(R->Data.begin(), R->Data.end(), Buffer.begin());
  } else if (SptiReadToc(List, Index, Buffer) != 0) {
    IoctlReadToc(List, Index, Buffer);
  }
  return TocToTrackTable(Buffer, Table) ? 0 : 1;
}

char AspiDriveLetter(const std::string& VendorAndProduct, TCDInterface Interface) {
  if (ChooseRoad(Interface) == TRoad::Aspi) return RegistryDriveLetter(VendorAndProduct);
  return VendorAndProduct.empty() ? 0 : VendorAndProduct[0];
}

bool SenseAreaClear(const unsigned char* Sense, int Length) {
  return std::all_of(Sense, Sense + Length, [](unsigned char B) { return B == 0; });
}

// The fake ASPI library (see FakeAspi.h).
#include <windows.h>

#include <cstring>

#include "cd/ScsiDefs.h"
#include "tests/cd/FakeAspi.h"

namespace {

TFakeAspiConfig Config;
TFakeAspiLog Log;

const TFakeAspiDevice* FindDevice(BYTE Ha, BYTE Target, BYTE Lun) {
  for (int I = 0; I < Config.DeviceCount; ++I) {
    const TFakeAspiDevice& D = Config.Devices[I];
    if (D.HaId == Ha && D.Target == Target && D.Lun == Lun) return &D;
  }
  return nullptr;
}

void Complete(SRB_ExecSCSICmd* S) {
  if (S->CDBByte[0] == 0x12) {
    std::memset(S->SRB_BufPointer, 0, S->SRB_BufLen);
    std::memcpy(S->SRB_BufPointer + 8, Config.Inquiry, 28);
  } else if (S->CDBByte[0] == 0x43) {
    std::memset(S->SRB_BufPointer, 0, S->SRB_BufLen);
    std::memcpy(S->SRB_BufPointer, Config.Toc, Config.TocSize < int(S->SRB_BufLen) ? Config.TocSize : S->SRB_BufLen);
  }
  S->SenseArea[2] = Config.SenseKey;
  S->SRB_Status = SS_COMP;
  if (S->SRB_Flags & SRB_EVENT_NOTIFY) SetEvent(static_cast<HANDLE>(S->SRB_PostProc));
}

DWORD WINAPI CompleteLater(void* Srb) {
  Sleep(50);
  Complete(static_cast<SRB_ExecSCSICmd*>(Srb));
  HMODULE Self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&Complete), &Self);
  FreeLibraryAndExitThread(Self, 0);
}

}  // namespace

extern "C" __declspec(dllexport) DWORD __cdecl GetASPI32SupportInfo() {
  ++Log.SupportInfoCalls;
  return DWORD(Config.SupportStatus) << 8 | Config.Adapters;
}

extern "C" __declspec(dllexport) DWORD __cdecl SendASPI32Command(void* Srb) {
  const BYTE Command = static_cast<BYTE*>(Srb)[0];
  if (Command == SC_HA_INQUIRY) {
    auto* Q = static_cast<SRB_HAInquiry*>(Srb);
    ++Log.AdapterInquiries;
    Q->HA_Count = Config.Adapters;
    Q->HA_Unique[3] = Config.MaxTargets;
    Q->SRB_Status = Q->SRB_HaId < Config.Adapters ? SS_COMP : 0x81;
    return Q->SRB_Status;
  }
  if (Command == SC_GET_DEV_TYPE) {
    auto* G = static_cast<SRB_GDEVBlock*>(Srb);
    ++Log.DeviceTypeRequests;
    const TFakeAspiDevice* D = FindDevice(G->SRB_HaId, G->SRB_Target, G->SRB_Lun);
    G->SRB_DeviceType = D ? D->DeviceType : 0x1F;
    G->SRB_Status = D ? SS_COMP : 0x82;
    return G->SRB_Status;
  }
  if (Command == SC_ABORT_SRB) {
    ++Log.Aborts;
    static_cast<SRB_Abort*>(Srb)->SRB_Status = SS_COMP;
    return SS_COMP;
  }
  if (Command != SC_EXEC_SCSI_CMD) return 0x80;
  auto* S = static_cast<SRB_ExecSCSICmd*>(Srb);
  ++Log.Executed;
  std::memcpy(Log.LastCdb, S->CDBByte, 16);
  Log.LastFlags = S->SRB_Flags;
  Log.LastSenseLength = S->SRB_SenseLen;
  Log.LastBufferLength = S->SRB_BufLen;
  S->SRB_Status = SS_PENDING;
  if (S->CDBByte[0] == Config.StayPendingCommand) return SS_PENDING;
  if (Config.CompleteLater) {
    // The thread holds the library until it has left it, whenever the test frees it.
    HMODULE Self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&Complete), &Self);
    const HANDLE Thread = CreateThread(nullptr, 0, &CompleteLater, S, 0, nullptr);
    if (Thread) CloseHandle(Thread);
    return SS_PENDING;
  }
  Complete(S);
  return SS_COMP;
}

extern "C" __declspec(dllexport) void FakeAspiSetup(const TFakeAspiConfig* C) {
  Config = *C;
  Log = TFakeAspiLog{};
}

extern "C" __declspec(dllexport) void FakeAspiLog(TFakeAspiLog* Out) { *Out = Log; }

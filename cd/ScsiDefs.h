// The request blocks and codes of the ASPI for Win32 interface. The blocks are
// byte-packed as the interface publishes them; they carry pointers, so a
// library of the program's own kind (64-bit here) sees 64-bit pointers.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr BYTE SC_HA_INQUIRY = 0x00;
constexpr BYTE SC_GET_DEV_TYPE = 0x01;
constexpr BYTE SC_EXEC_SCSI_CMD = 0x02;
constexpr BYTE SC_ABORT_SRB = 0x03;

constexpr BYTE SS_PENDING = 0x00;
constexpr BYTE SS_COMP = 0x01;

constexpr BYTE SRB_DIR_IN = 0x08;
constexpr BYTE SRB_EVENT_NOTIFY = 0x40;

constexpr BYTE DTYPE_CDROM = 0x05;
constexpr int SENSE_LEN = 14;

#pragma pack(push, 1)
struct SRB_HAInquiry {
  BYTE SRB_Cmd;
  BYTE SRB_Status;
  BYTE SRB_HaId;
  BYTE SRB_Flags;
  DWORD SRB_Hdr_Rsvd;
  BYTE HA_Count;
  BYTE HA_SCSI_ID;
  BYTE HA_ManagerId[16];
  BYTE HA_Identifier[16];
  BYTE HA_Unique[16];  // byte 3: the adapter's maximum number of targets
  WORD HA_Rsvd1;
};

struct SRB_GDEVBlock {
  BYTE SRB_Cmd;
  BYTE SRB_Status;
  BYTE SRB_HaId;
  BYTE SRB_Flags;
  DWORD SRB_Hdr_Rsvd;
  BYTE SRB_Target;
  BYTE SRB_Lun;
  BYTE SRB_DeviceType;
  BYTE SRB_Rsvd1;
};

struct SRB_ExecSCSICmd {
  BYTE SRB_Cmd;
  BYTE SRB_Status;
  BYTE SRB_HaId;
  BYTE SRB_Flags;
  DWORD SRB_Hdr_Rsvd;
  BYTE SRB_Target;
  BYTE SRB_Lun;
  WORD SRB_Rsvd1;
  DWORD SRB_BufLen;
  BYTE* SRB_BufPointer;
  BYTE SRB_SenseLen;
  BYTE SRB_CDBLen;
  BYTE SRB_HaStat;
  BYTE SRB_TargStat;
  void* SRB_PostProc;  // the event to signal, with SRB_EVENT_NOTIFY
  BYTE SRB_Rsvd2[20];
  BYTE CDBByte[16];
  BYTE SenseArea[SENSE_LEN + 2];
};

struct SRB_Abort {
  BYTE SRB_Cmd;
  BYTE SRB_Status;
  BYTE SRB_HaId;
  BYTE SRB_Flags;
  DWORD SRB_Hdr_Rsvd;
  void* SRB_ToAbort;
};
#pragma pack(pop)

using TSendASPI32Command = DWORD(__cdecl*)(void* Srb);
using TGetASPI32SupportInfo = DWORD(__cdecl*)();

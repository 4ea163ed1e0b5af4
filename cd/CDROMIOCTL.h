// The device requests of the pass-through road and the SCSI commands sent
// through them.
#pragma once
#include <windows.h>
#include <winioctl.h>
#include <ntddcdrm.h>
#include <ntddscsi.h>

#include <cstddef>
#include <cstdint>

// READ TOC in MSF form, format 0, from the first track, 804 bytes.
constexpr uint8_t CdbReadToc[10] = {0x43, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x24, 0x00};
// INQUIRY of 100 bytes.
constexpr uint8_t CdbInquiry[6] = {0x12, 0x00, 0x00, 0x00, 0x64, 0x00};
constexpr uint8_t ScsiReadCd = 0xBE;

constexpr int TocBufferSize = 804;
constexpr int InquirySize = 100;
constexpr int CDAudioSectorSize = 2352;  // 588 stereo frames of 16 bits at 44.1 kHz

// A pass-through request with its sense area behind it. The block holds a
// pointer, so its length and the sense offset follow the program's own kind.
struct TSptdWithSense {
  SCSI_PASS_THROUGH_DIRECT Sptd;
  ULONG Filler;
  UCHAR Sense[32];
};
constexpr DWORD SptdSenseOffset = offsetof(TSptdWithSense, Sense);

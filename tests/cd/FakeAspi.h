// The fake ASPI library the tests build as "wnaspi32.dll" beside the test
// program: what it answers is set through FakeAspiSetup, what it was asked is
// read through FakeAspiLog.
#pragma once
#include <cstdint>

struct TFakeAspiDevice {
  uint8_t HaId, Target, Lun, DeviceType;
};

struct TFakeAspiConfig {
  uint8_t SupportStatus = 1;  // status byte of GetASPI32SupportInfo
  uint8_t Adapters = 1;
  uint8_t MaxTargets = 0;     // 0: the adapter does not say
  int DeviceCount = 0;
  TFakeAspiDevice Devices[8] = {};
  char Inquiry[29] = "SONVELT Aspi Drive 40x  2.01";  // vendor, product, revision
  uint8_t Toc[804] = {};
  int TocSize = 0;
  uint8_t SenseKey = 0;         // put into the sense area of executed commands
  bool CompleteLater = false;   // executed commands answer pending and complete from a thread
  int StayPendingCommand = -1;  // the CDB operation code that never completes
};

struct TFakeAspiLog {
  int SupportInfoCalls, AdapterInquiries, DeviceTypeRequests, Executed, Aborts;
  uint8_t LastCdb[16];
  uint8_t LastFlags, LastSenseLength;
  uint32_t LastBufferLength;
};

using TFakeAspiSetup = void (*)(const TFakeAspiConfig*);
using TFakeAspiReadLog = void (*)(TFakeAspiLog*);

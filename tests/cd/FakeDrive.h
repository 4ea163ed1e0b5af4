// Fake CD drives behind the drive access's call table: each drive answers the
// pass-through INQUIRY, READ TOC and READ CD requests, the SCSI address and the
// system's TOC request from what the test put in it, and the table records
// every device opened, every request and every "Error" box.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cd/CDSystemCalls.h"

struct TTocTrack {
  uint8_t Number, Minute, Second, Frame;
  uint8_t Control = 0;  // 4: a data track
};

// A READ TOC answer: header, the tracks' descriptors and the lead-out's.
// LengthField < 0 gives the length the descriptors fill.
std::vector<uint8_t> MakeToc(uint8_t First, uint8_t Last, const std::vector<TTocTrack>& Tracks,
                             TTocTrack LeadOut, int LengthField = -1);
// A twelve-track audio disc with its lead-out at 51:15:00.
std::vector<uint8_t> TwelveTrackToc();

// The sample of an audio sector: left and right of frame I of sector Lba.
int16_t FakeSample(uint32_t Lba, int Frame, int Channel);

struct TFakeDrive {
  char Letter = 'D';
  bool Opens = true;
  bool InquiryFails = false;
  std::string Vendor = "SONVELT", Product = "Fake Drive 52x", Revision = "1.0A";
  uint8_t Port = 1, TargetId = 2, Lun = 0;
  std::vector<uint8_t> Toc;  // empty: no disc
  DWORD TocError = 0;         // error code of the pass-through READ TOC
  DWORD IoctlTocError = 0;    // of the system's TOC request
  uint32_t Sectors = 0;       // audio sectors the disc holds from LBA 0
  DWORD AudioError = 0;
};

class TFakeCDSystem {
 public:
  // Installs itself in CDSystem(); the destructor puts the real calls back.
  TFakeCDSystem();
  ~TFakeCDSystem();
  TFakeCDSystem(const TFakeCDSystem&) = delete;
  TFakeCDSystem& operator=(const TFakeCDSystem&) = delete;

  TFakeDrive& AddDrive(char Letter);
  TFakeDrive* Find(char Letter);

  std::vector<TFakeDrive> Drives;
  std::vector<char> FixedDrives{'C'};
  TWindowsVersionInfo Version{VER_PLATFORM_WIN32_NT, 10, 0};

  std::vector<std::string> Boxes;
  std::vector<std::string> Opened;     // device paths, in order
  std::vector<std::string> Requests;   // "D: INQUIRY", "D: READ TOC", "D: TOC IOCTL", "D: ADDRESS", "D: READ CD"
  std::vector<DWORD> SptdLengths;      // the Length of each pass-through block
  int OpenHandles = 0;
};

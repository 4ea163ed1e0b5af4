// The records of the drive access: drives, their tables of contents and the
// interface a caller asks for. Plain data, free of the system's headers, so
// the entry parser builds anywhere.
#pragma once
#include <array>
#include <cstdint>
#include <string>

enum TCDInterface { cdiAutoDetect, cdiASPI, cdiNTSCSI };

// One address of the table of contents as the drive reports it: 75 frames a
// second, the 2-second lead-in included (frame address 150 is 0:02:00).
struct TCDTrackEntry {
  uint8_t Minute = 0;
  uint8_t Second = 0;
  uint8_t Frame = 0;
  bool IsAudio = false;  // false for a data track and for the lead-out
};

constexpr int MaxCDTracks = 99;

struct TCDTrackTable {
  uint8_t TrackCount = 0;
  TCDTrackEntry LeadOut;  // the start of the lead-out area after the last track
  // Tracks[0] is the first track of the disc, whatever its number.
  std::array<TCDTrackEntry, 100> Tracks{};
};

struct TCDDriveInfo {
  uint8_t HaId = 0;  // host adapter or port number
  uint8_t Target = 0;
  uint8_t Lun = 0;
  std::string Vendor, ProductId, Revision, VendorSpecific, Description;
  char DriveLetter = 0;  // upper case, 0 when not found
};

struct TCDDriveList {
  uint8_t Current = 0;  // set by the caller
  uint8_t Count = 0;
  std::array<TCDDriveInfo, 26> Drives{};
};

// The frame address of an entry, lead-in included.
inline uint32_t FrameAddress(const TCDTrackEntry& E) { return E.Minute * 4500u + E.Second * 75u + E.Frame; }

// The pass-through road: drive letters, SCSI requests passed through the drive
// device, the system's own TOC request, the table of contents turned into a
// track table, and the digital audio read of a track's sectors.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

#include "cd/CDROMIOCTL.h"
#include "cd/CDTypes.h"

using TTocBuffer = std::array<uint8_t, TocBufferSize>;

// -1 unknown platform; 0 Windows 95; 1 98 and Me; 2 NT 3.51; 3 NT 4; 4 Windows
// 2000; 5 every later NT version.
int WindowsClass();

// Fills the drive letters of every CD-ROM root; answers how many.
int ListCDDrives(TCDDriveList& List);
// The INQUIRY strings and the SCSI address of one listed drive.
bool SptiInquiry(int Index, TCDDriveList& List);
// READ TOC through pass-through; 0 on success, -1 on failure (see the notices).
int SptiReadToc(const TCDDriveList& List, int Index, TTocBuffer& Buffer);
// The system's TOC request; 0 on success, -1 on failure.
int IoctlReadToc(const TCDDriveList& List, int Index, TTocBuffer& Buffer);
// False, with an empty table, when the buffer holds no disc: no tracks, more than
// 99, the last below the first, or fewer descriptors than its length field
// promises the tracks and the lead-out.
bool TocToTrackTable(const TTocBuffer& Buffer, TCDTrackTable& Table);

// The strings of a 100-byte INQUIRY answer.
void InquiryToDrive(const uint8_t* Data, TCDDriveInfo& Drive);

// The drive device "\\.\X:" opened for pass-through requests;
// INVALID_HANDLE_VALUE when it cannot be opened. Closed by SptiCloseDrive.
HANDLE SptiOpenDrive(char DriveLetter);
void SptiCloseDrive(HANDLE Device);
// Reads Count 2352-byte audio sectors from logical block Lba (0 is 0:02:00);
// 0 on success, else the system's error code.
DWORD SptiReadAudioSectors(HANDLE Device, uint32_t Lba, uint32_t Count, uint8_t* Buffer);

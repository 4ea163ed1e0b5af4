// The drive access callers use: the choice between the ASPI road and the
// pass-through road, the drive list with its inquiry strings, and the table of
// contents of a drive's disc.
#pragma once
#include <string>

#include "cd/CDTypes.h"
#include "framework/Exceptions.h"

SONVELT_EXCEPTION(ECDInterfaceError, Exception)

extern bool UseSpti;  // set by InitCDInterface on the NT family

// Host adapters that ASPI reports, -1 when ASPI is not usable.
int AspiHostAdapterCount();
// Whether a CD interface can be used on this system.
bool InitCDInterface();

// The calls below raise ECDInterfaceError when the asked interface is not usable.
bool GetCDDriveList(TCDDriveList& List, TCDInterface Interface);
bool CDDriveInquiry(int Index, TCDDriveList& List, TCDInterface Interface);
// 0 with the disc's table; 1, with an empty table, when there is no readable disc.
int ReadCDToc(TCDDriveList List, int Index, TCDTrackTable& Table, TCDInterface Interface);
// The drive letter the system assigned to the drive named by vendor, ";" and
// product id; 0 when none.
char AspiDriveLetter(const std::string& VendorAndProduct, TCDInterface Interface);

bool SenseAreaClear(const unsigned char* Sense, int Length);

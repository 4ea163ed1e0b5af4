// Drive queries: free space, the best drive for temporary files, CD drive count.
#pragma once

#include <string>

// Free gigabytes for the calling user on Letter's root, -1 when the query fails.
double DriveFreeGB(char Letter);
// The upper-case letter of the fixed drive with the most free space (the earlier on
// a tie); 'C' when there is no fixed drive.
char DriveWithMostFreeSpace();
// Like DriveWithMostFreeSpace, but a drive whose root cannot be written to (the
// emulator's view of a read-only root) is taken only when no other is left.
char TempFolderDrive();
int CDDriveCount();
bool IsVistaOrLater();

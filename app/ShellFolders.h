// Per-user shell folders, the system folder, the folder picker and shell "open".
#pragma once

#include <windows.h>

#include <string>

// The value Name under the user's "Shell Folders" key, or "C:\" when missing or empty.
std::string ShellFolderPath(const std::string& Name);
std::string SystemDir();
// True when the user chose a folder; Folder is then the chosen path. Folder also
// gives the first selection.
bool BrowseForFolder(HWND Owner, std::string& Folder, const std::string& Title, UINT Flags,
                     const std::string& RootPath = "");
// Opens a file or web address with the shell's "open" verb, the busy cursor shown.
void ShellOpen(const std::string& Target);

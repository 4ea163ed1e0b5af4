#include "app/GlobalVars.h"

#include "app/Drives.h"
#include "app/FileNames.h"
#include "app/ShellFolders.h"
#include "framework/FileUtils.h"

namespace {
TGlobalVars TheGlobalVars;
}

TGlobalVars* GlobalVarsRecord = &TheGlobalVars;

void TGlobalVars::SetDefaults(const std::string& AUserDataFolder, const std::string& ATempFolder,
                              const std::string& AMusicFolder) {
  *this = TGlobalVars{};
  UserDataFolder = AUserDataFolder;
  TempFolder = ATempFolder;
  OP_WorkingFolder = AUserDataFolder;
  LastOpenDir = AMusicFolder;
  ExportFolder = AMusicFolder;
  BatchFileSaveFolderpath = AMusicFolder;
}

void InitGlobalVarsDefaults() {
  const std::string UserData = IncludeBackslash(IncludeBackslash(ShellFolderPath("AppData")) + "Sonvelt");
  ForceDirectories(UserData);
  const std::string Temp = std::string(1, TempFolderDrive()) + ":\\temp\\";
  GlobalVarsRecord->SetDefaults(UserData, Temp, ShellFolderPath("My Music"));
}

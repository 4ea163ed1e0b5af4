#include "cd/Wnaspi32.h"

#include <vector>

#include "cd/CDSystemCalls.h"

bool AspiAvailable = false;
TSendASPI32Command SendASPI32Command = nullptr;
TGetASPI32SupportInfo GetASPI32SupportInfo = nullptr;

namespace {

HMODULE Library = nullptr;
bool LoadTried = false;

std::vector<std::shared_ptr<void>>& Abandoned() {
  static std::vector<std::shared_ptr<void>> Requests;
  return Requests;
}

}  // namespace

bool LoadAspiLibrary() {
  if (LoadTried) return AspiAvailable;
  LoadTried = true;
  TCDSystemCalls& S = CDSystem();
  Library = S.LoadLibrary("wnaspi32.dll");
  if (!Library) return false;
  SendASPI32Command = reinterpret_cast<TSendASPI32Command>(S.GetProcAddress(Library, "SendASPI32Command"));
  GetASPI32SupportInfo = reinterpret_cast<TGetASPI32SupportInfo>(S.GetProcAddress(Library, "GetASPI32SupportInfo"));
  AspiAvailable = SendASPI32Command && GetASPI32SupportInfo;
  return AspiAvailable;
}

void UnloadAspiLibrary() {
  if (Library) CDSystem().FreeLibrary(Library);
  Library = nullptr;
  LoadTried = false;
  AspiAvailable = false;
  SendASPI32Command = nullptr;
  GetASPI32SupportInfo = nullptr;
  Abandoned().clear();
}

void KeepUntilAspiUnload(std::shared_ptr<void> Request) { Abandoned().push_back(std::move(Request)); }

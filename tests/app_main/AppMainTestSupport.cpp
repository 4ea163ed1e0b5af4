#include "tests/app_main/AppMainTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/BookmarkForm.h"
#include "app/GlobalVars.h"
#include "app/RegionForm.h"
#include "app/dialogs/FreAnalysisForm.h"
#include "app/SettingsStorage.h"
#include "framework/FileUtils.h"
#include "framework/Unicode.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"

#include <deque>

namespace {

void Put16(std::string& S, int V) {
  S.push_back(static_cast<char>(V & 0xFF));
  S.push_back(static_cast<char>((V >> 8) & 0xFF));
}
void Put32(std::string& S, uint32_t V) {
  for (int I = 0; I < 4; ++I) S.push_back(static_cast<char>((V >> (8 * I)) & 0xFF));
}
uint32_t Get32(const unsigned char* P) { return P[0] | P[1] << 8 | P[2] << 16 | static_cast<uint32_t>(P[3]) << 24; }
int Get16(const unsigned char* P) { return P[0] | P[1] << 8; }

}  // namespace

namespace {

TdxBarItem* ItemInLinks(TdxBarItemLinks* Links, TBasicAction* Action) {
  for (int I = 0; Links && I < Links->GetCount(); ++I) {
    TdxBarItem* Item = Links->GetLink(I)->GetItem();
    if (!Item) continue;
    if (Item->GetAction() == Action) return Item;
    if (TdxBarItem* Found = ItemInLinks(Item->GetItemLinks(), Action)) return Found;
  }
  return nullptr;
}

std::deque<TdxBarItem*> PendingClicks;

}  // namespace

TdxBarItem* MenuItemOf(TMainForm* Main, const char* SubItemName, TBasicAction* Action) {
  auto* Menu = dynamic_cast<TdxBarItem*>(Main->FindComponent(SubItemName));
  return Menu ? ItemInLinks(Menu->GetItemLinks(), Action) : nullptr;
}

void PostItemClick(TdxBarItem* Item) {
  PendingClicks.push_back(Item);
  SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR Id, DWORD) {
    KillTimer(nullptr, Id);
    if (PendingClicks.empty()) return;
    TdxBarItem* Next = PendingClicks.front();
    PendingClicks.pop_front();
    Next->Click();
  });
}

bool BarMenuShowing(TMainForm* Main, const char* SubItemName) {
  auto* Menu = dynamic_cast<TdxBarItem*>(Main->FindComponent(SubItemName));
  TCustomdxBarControl* W = Menu ? Menu->GetItemLinks()->GetBarControl() : nullptr;
  return W && W->HandleAllocated() && IsWindowVisible(W->GetHandle());
}

int FixtureSample(int Frame, int Channel) { return (Frame * 7 + Channel * 1000) % 20000 - 10000; }

namespace {

template <class TSample>
void WriteWav(const std::string& Path, int Rate, int Channels, int Frames, TSample&& Sample) {
  const uint32_t DataBytes = static_cast<uint32_t>(Frames * Channels * 2);
  std::string S = "RIFF";
  Put32(S, 36 + DataBytes);
  S += "WAVEfmt ";
  Put32(S, 16);
  Put16(S, 1);
  Put16(S, Channels);
  Put32(S, Rate);
  Put32(S, Rate * Channels * 2);
  Put16(S, Channels * 2);
  Put16(S, 16);
  S += "data";
  Put32(S, DataBytes);
  for (int F = 0; F < Frames; ++F)
    for (int C = 0; C < Channels; ++C) Put16(S, Sample(F, C));
  std::ofstream Out(Utf8ToWide(Path).c_str(), std::ios::binary);
  Out.write(S.data(), static_cast<std::streamsize>(S.size()));
}

}  // namespace

void WriteTestWav(const std::string& Path, int Rate, int Channels, int Frames) {
  WriteWav(Path, Rate, Channels, Frames, FixtureSample);
}

void WriteConstantWav(const std::string& Path, int Rate, int Channels, int Frames, int Value) {
  WriteWav(Path, Rate, Channels, Frames, [Value](int, int) { return Value; });
}

void WriteSampleWav(const std::string& Path, int Rate, int Channels, int Frames,
                    const std::function<int(int, int)>& Sample) {
  WriteWav(Path, Rate, Channels, Frames, Sample);
}

int DocSample(TAudioEditor2* Editor, int Frame, int Channel) {
  std::vector<float> Frames(static_cast<size_t>(Editor->GetChannels()));
  Editor->GetAudio().Read(Frame, 1, Frames.data());
  return static_cast<int>(std::lround(Frames[static_cast<size_t>(Channel)] * 32768.0f));
}

bool ReadWavHeader(const std::string& Path, TWavHeader& H) {
  std::ifstream In(Utf8ToWide(Path).c_str(), std::ios::binary);
  std::string S((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  if (S.size() < 12 || S.compare(0, 4, "RIFF") != 0 || S.compare(8, 4, "WAVE") != 0) return false;
  const auto* P = reinterpret_cast<const unsigned char*>(S.data());
  bool HaveFmt = false;
  for (size_t Pos = 12; Pos + 8 <= S.size();) {
    const uint32_t Size = Get32(P + Pos + 4);
    if (S.compare(Pos, 4, "fmt ") == 0 && Pos + 24 <= S.size()) {
      H.Format = Get16(P + Pos + 8);
      H.Channels = Get16(P + Pos + 10);
      H.Rate = static_cast<int>(Get32(P + Pos + 12));
      H.Bits = Get16(P + Pos + 22);
      HaveFmt = true;
    } else if (S.compare(Pos, 4, "data") == 0) {
      H.DataBytes = Size;
      return HaveFmt;
    }
    Pos += 8 + Size + (Size & 1);
  }
  return false;
}

std::string TestFolder() {
  wchar_t Temp[MAX_PATH];
  GetTempPathW(MAX_PATH, Temp);
  static int Counter = 0;
  std::string Folder = WideToUtf8(Temp) + "sonvelt-app-main-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(++Counter) + "\\";
  ForceDirectories(Folder);
  return Folder;
}

void DeleteSettingsKey() { RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Sonvelt\\2.0"); }

void WriteSettingDword(const char* Name, DWORD Value) {
  HKEY Key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Sonvelt\\2.0", 0, nullptr, 0,
                                           KEY_WRITE, nullptr, &Key, nullptr));
  RegSetValueExW(Key, Utf8ToWide(Name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Value), sizeof Value);
  RegCloseKey(Key);
}

void MainFixture::SetUp() {
  Folder = TestFolder();
  DeleteSettingsKey();
  InitGlobalVarsDefaults();
  DeleteFileW(Utf8ToWide(GlobalVarsRecord->UserDataFolder + "MRUList").c_str());
}

void MainFixture::StartMain(std::vector<std::string> Args) {
  Application->CreateForm(Main);
  Main->StartupArgs = std::move(Args);
  // Quiet defaults for tests: no prompts, no tiling, no playing.
  GlobalVarsRecord->OP_PromptNewFile = false;
  GlobalVarsRecord->OP_PlayAfterOpened = false;
  // The shared windows the program entry makes next to the main window.
  if (BookmarkFormInstance) Free(BookmarkFormInstance);
  if (RegionFormInstance) Free(RegionFormInstance);
  if (FreAnalysisFormInstance) Free(FreAnalysisFormInstance);
  Application->CreateForm(BookmarkFormInstance);
  Application->CreateForm(RegionFormInstance);
  Application->CreateForm(FreAnalysisFormInstance);
  PumpUntil([&] { return Main->GetVisible(); });
  Pump();
}

void MainFixture::TearDown() {
  if (!Main) {
    std::error_code Ignored;
    std::filesystem::remove_all(Utf8ToWide(Folder), Ignored);
    return;
  }
  for (int I = Main->GetMDIChildCount() - 1; I >= 0; --I) {
    auto* Doc = static_cast<TChildForm*>(Main->GetMDIChildren(I));
    Doc->AudioEditor->SetTag(DocumentSaved);
    Free(Doc);
  }
  if (BookmarkFormInstance) Free(BookmarkFormInstance);
  if (RegionFormInstance) Free(RegionFormInstance);
  if (FreAnalysisFormInstance) Free(FreAnalysisFormInstance);
  Free(Main);
  Main = nullptr;
  Pump();
  TearDown();
}

TChildForm* MainFixture::Open(const std::string& Path) {
  TChildForm* Doc = Main->OpenDocument(Path);
  Pump();
  return Doc;
}

TChildForm* MainFixture::NewDocument(int Rate, int Channels, int Frames) {
  if (Frames == 0) {
    Main->ActionNewFileExecute(nullptr);
    Pump();
    return Main->ActiveDocument();
  }
  const std::string Path = Folder + "fixture" + std::to_string(Main->GetDocumentCounter() + 1) + ".wav";
  WriteTestWav(Path, Rate, Channels, Frames);
  return Open(Path);
}

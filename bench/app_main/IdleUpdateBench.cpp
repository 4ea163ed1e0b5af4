// One idle update of the main window's actions with a document open and a
// selection made: the action list raises its update event once for every action,
// and each call recomputes every enabling rule and the side bar's groups. The
// goal is under 1 ms. Run by hand under a display: bench_app_main.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ChildForm.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "bench/BenchClock.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Unicode.h"

namespace {

// Ten seconds of a 16-bit mono ramp at 8000 Hz.
std::string WriteWav() {
  wchar_t Temp[MAX_PATH];
  GetTempPathW(MAX_PATH, Temp);
  const std::string Path = WideToUtf8(Temp) + "sonvelt-idle-bench.wav";
  const std::uint32_t Frames = 80000, Bytes = Frames * 2, Rate = 8000;
  auto U32 = [](std::ofstream& O, std::uint32_t V) { O.write(reinterpret_cast<const char*>(&V), 4); };
  auto U16 = [](std::ofstream& O, std::uint16_t V) { O.write(reinterpret_cast<const char*>(&V), 2); };
  std::ofstream O(std::filesystem::path(Utf8ToWide(Path)), std::ios::binary);
  O.write("RIFF", 4);
  U32(O, 36 + Bytes);
  O.write("WAVEfmt ", 8);
  U32(O, 16);
  U16(O, 1);
  U16(O, 1);
  U32(O, Rate);
  U32(O, Rate * 2);
  U16(O, 2);
  U16(O, 16);
  O.write("data", 4);
  U32(O, Bytes);
  for (std::uint32_t I = 0; I < Frames; ++I) U16(O, static_cast<std::uint16_t>(I * 7));
  return Path;
}

}  // namespace

int main() {
  Application->Initialize();
  TMainForm* Main = nullptr;
  Application->CreateForm(Main);
  GlobalVarsRecord->OP_PlayAfterOpened = false;
  for (int I = 0; I < 20; ++I) Application->ProcessMessages();
  TChildForm* Doc = Main->OpenDocument(WriteWav(), false);
  Application->ProcessMessages();
  Doc->AudioEditor->SetSelectionActive(true);
  Doc->AudioEditor->SetSelStart(1000);
  Doc->AudioEditor->SetSelEnd(2000);
  Main->ActionList->UpdateActions();
  const double Pass = BenchMedian(500, [&] { Main->ActionList->UpdateActions(); });
  std::printf("actions                  %8d\n", Main->ActionList->GetActionCount());
  std::printf("idle update pass         %8.4f ms  (goal < 1 ms) %s\n", Pass, Pass < 1.0 ? "ok" : "OVER");
  // A pass that saw no active document would be cheap and wrong.
  const bool Seen = Main->ActiveDocument() == Doc && Main->ActionCut->GetEnabled();
  std::printf("document seen as active  %8s\n", Seen ? "yes" : "NO");
  Doc->AudioEditor->SetTag(DocumentSaved);
  Free(Doc);
  Free(Main);
  return 0;
}

// The engine on an hour of stereo audio: open to a drawn waveform, the edits
// and undo, a full-view redraw and the process's peak memory, each printed
// beside its goal. Run by hand: bench_engine [folder for the test file].
#include <windows.h>
#include <psapi.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "framework/FileUtils.h"
#include "engine/TAudioEditor2.h"
#include "engine/WavFile.h"
#include "engine/WorkingFile.h"
#include "tests/support/MemoryDC.h"

namespace {

constexpr int kRate = 44100;
constexpr int64_t kFrames = int64_t(kRate) * 60 * 60;

void Report(const char* what, double ms, double goal) {
  std::printf("%-28s %9.1f ms   (goal < %.0f ms)  %s\n", what, ms, goal, ms < goal ? "ok" : "OVER");
}

// A slow sweep with some noise, so that blocks are not alike.
void MakeHour(const std::string& path) {
  std::printf("writing an hour of 16-bit stereo to %s ...\n", path.c_str());
  TWavWriter w(path, TWavFormat{kRate, 2, 16, false, false}, TAudioTags{});
  std::vector<float> buf(size_t(kRate) * 2);
  uint32_t noise = 1;
  double phase = 0;
  for (int64_t done = 0; done < kFrames; done += kRate) {
    for (int i = 0; i < kRate; ++i) {
      double hz = 100 + 900 * double(done + i) / double(kFrames);
      phase += 2 * M_PI * hz / kRate;
      noise = noise * 1664525u + 1013904223u;
      float n = float(int32_t(noise) >> 16) / 65536.0f * 0.05f;
      float v = float(0.6 * std::sin(phase)) + n;
      buf[size_t(i) * 2] = v;
      buf[size_t(i) * 2 + 1] = -v;
    }
    w.Write(buf.data(), kRate);
  }
  w.Commit();
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : DefaultWorkingFolder();
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  std::string path = folder + "sonvelt-bench-hour.wav";
  if (!FileExists(path)) MakeHour(path);

  const int width = 1000, height = 300;
  TMemoryDC dc(width, height);
  TAudioEditor2* e = TAudioEditor2::Create(nullptr);
  e->SetTempDirectory(folder);

  double t = BenchMillis();
  e->OpenAudioFile(path, 0);
  e->PaintTo(dc.DC(), width, height);
  Report("open to a drawn waveform", BenchMillis() - t, 3000);
  std::printf("  %d frames at %d Hz, %d channels\n", e->GetLength(), e->GetSampleRate(), e->GetChannels());

  auto at = [](int minutes) { return kRate * 60 * minutes; };
  e->SetSelectionActive(true);
  e->SetSelStart(at(10));
  e->SetSelEnd(at(20));
  t = BenchMillis();
  e->CutSelection();
  Report("cut 10 minutes", BenchMillis() - t, 20);

  e->SetSelectionActive(false);
  e->SetCursor(at(30));
  t = BenchMillis();
  e->PasteClipboard();
  Report("paste 10 minutes", BenchMillis() - t, 20);

  e->SetSelectionActive(true);
  e->SetSelStart(at(5) + 123);
  e->SetSelEnd(at(6) + 4567);
  t = BenchMillis();
  e->DeleteSelection();
  Report("delete a minute", BenchMillis() - t, 20);

  for (int i = 0; i < 3; ++i) {
    t = BenchMillis();
    e->Undo();
    Report("undo", BenchMillis() - t, 20);
  }

  e->ZoomFull();
  e->PaintTo(dc.DC(), width, height);
  const int rounds = 10;
  t = BenchMillis();
  for (int i = 0; i < rounds; ++i) e->PaintTo(dc.DC(), width, height);
  Report("full-view redraw", (BenchMillis() - t) / rounds, 30);

  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  double peak = double(std::max(pmc.PeakWorkingSetSize, pmc.PeakPagefileUsage)) / (1024.0 * 1024.0);
  std::printf("%-28s %9.1f MB   (goal < 400 MB)  %s\n", "peak memory", peak, peak < 400 ? "ok" : "OVER");
  Free(e);
  return 0;
}

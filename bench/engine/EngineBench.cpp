// The engine on an hour of stereo audio: open to a drawn waveform, the edits
// and undo, a full-view redraw and the process's peak memory, each the median
// of several rounds printed beside its goal. Each step's result is checked
// (lengths, pixels drawn); a step that went wrong ends the run with FAILED and
// exit status 1. Run by hand: bench_engine [folder for the test file] [rounds].
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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

// Several timings of one step: their median beside the goal.
void Report(const char* what, std::vector<double> ms, double goal) {
  std::sort(ms.begin(), ms.end());
  double m = ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
  std::printf("%-28s %9.1f ms   (median of %zu; goal < %.0f ms)  %s\n", what, m, ms.size(), goal,
              m < goal ? "ok" : "OVER");
}

// A step that did not do what it should ends the run: its time means nothing.
void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "FAILED: %s\n", what);
  std::exit(1);
}

// The waveform was drawn when the middle column holds more than one colour.
bool Drew(const TMemoryDC& dc, int width, int height) {
  COLORREF first = dc.Pixel(width / 2, 0);
  for (int y = 1; y < height; ++y)
    if (dc.Pixel(width / 2, y) != first) return true;
  return false;
}

// A few frames from at: what the document holds there, to compare across edits.
TSampleArray FramesAt(const TAudioEditor2& e, int64_t at) { return e.GetAudio().Read(at, 4); }

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
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  TMemoryDC dc(width, height);
  std::vector<double> open, cut, paste, del, undo, redraw;
  auto at = [](int minutes) { return kRate * 60 * minutes; };
  for (int round = 0; round < rounds; ++round) {
    TAudioEditor2* e = TAudioEditor2::Create(nullptr);
    e->SetTempDirectory(folder);
    double t = BenchMillis();
    e->OpenAudioFile(path, 0);
    e->PaintTo(dc.DC(), width, height);
    open.push_back(BenchMillis() - t);
    Check(e->GetLength() == kFrames && e->GetChannels() == 2 && e->GetSampleRate() == kRate, "open: wrong document");
    Check(Drew(dc, width, height), "open: no waveform drawn");
    const int64_t delFrom = at(5) + 123, delTo = at(6) + 4567;
    const TSampleArray at10 = FramesAt(*e, at(10)), at20 = FramesAt(*e, at(20)), at40 = FramesAt(*e, at(40)),
                       afterDel = FramesAt(*e, delTo);

    e->SetSelectionActive(true);
    e->SetSelStart(at(10));
    e->SetSelEnd(at(20));
    t = BenchMillis();
    e->CutSelection();
    cut.push_back(BenchMillis() - t);
    Check(e->GetLength() == kFrames - at(10), "cut: wrong length");
    Check(FramesAt(*e, at(10)) == at20, "cut: the rest did not close up");

    e->SetSelectionActive(false);
    e->SetCursor(at(30));
    t = BenchMillis();
    e->PasteClipboard();
    paste.push_back(BenchMillis() - t);
    Check(e->GetLength() == kFrames, "paste: wrong length");
    Check(FramesAt(*e, at(30)) == at10 && FramesAt(*e, at(40)) == at40, "paste: not the cut minutes at the cursor");

    e->SetSelectionActive(true);
    e->SetSelStart(delFrom);
    e->SetSelEnd(delTo);
    t = BenchMillis();
    e->DeleteSelection();
    del.push_back(BenchMillis() - t);
    Check(e->GetLength() == kFrames - (delTo - delFrom), "delete: wrong length");
    Check(FramesAt(*e, delFrom) == afterDel, "delete: the rest did not close up");

    // Back through the delete, the paste and the cut.
    const int64_t lengths[] = {kFrames, kFrames - at(10), kFrames};
    for (int64_t length : lengths) {
      t = BenchMillis();
      e->Undo();
      undo.push_back(BenchMillis() - t);
      Check(e->GetLength() == length, "undo: wrong length");
    }
    Check(FramesAt(*e, at(10)) == at10 && FramesAt(*e, at(20)) == at20 && FramesAt(*e, delTo) == afterDel,
          "undo: the document is not the file again");

    e->ZoomFull();
    e->PaintTo(dc.DC(), width, height);
    const int repaints = 10;
    t = BenchMillis();
    for (int i = 0; i < repaints; ++i) e->PaintTo(dc.DC(), width, height);
    redraw.push_back((BenchMillis() - t) / repaints);
    Check(Drew(dc, width, height), "redraw: no waveform drawn");
    Free(e);
  }
  Report("open to a drawn waveform", open, 3000);
  Report("cut 10 minutes", cut, 20);
  Report("paste 10 minutes", paste, 20);
  Report("delete a minute", del, 20);
  Report("undo", undo, 20);
  Report("full-view redraw", redraw, 30);

  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  double peak = double(std::max(pmc.PeakWorkingSetSize, pmc.PeakPagefileUsage)) / (1024.0 * 1024.0);
  std::printf("%-28s %9.1f MB   (goal < 400 MB)  %s\n", "peak memory", peak, peak < 400 ? "ok" : "OVER");
  return 0;
}

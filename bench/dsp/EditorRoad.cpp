// The editor's road for one effect: open a WAV file in the editor control,
// select all, the effect, save as WAV; with the settings of FileRoad.cpp.
//   bench_dsp_editor EFFECT IN.wav OUT.wav [phases]
//   bench_dsp_editor desktop     holds the desktop until its input ends
// "phases" prints the milliseconds of each step (the process's start up to
// main, open, effect, save, free). On a desktop the desktop is always there;
// where none is, the first user of a window starts one and it closes again
// after the last: compare.sh keeps one open with "desktop" so that the runs
// do not each start it.
// Every failure ends with a message and a non-zero exit status.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bench/BenchClock.h"
#include "engine/AudioEditorEffects.h"
#include "engine/TAudioEditor2.h"

namespace {

const std::vector<float> Frequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};
const std::vector<float> Gains = {0.3f, 0.55f, 0.3f, 0.15f, 0, 0, 0, 0, 0.3f, 0.4f, 0.5f, 0.6f};

using TEditorCall = std::function<void(IAudioEditor2Effects &)>;

const std::vector<std::pair<const char *, TEditorCall>> Effects = {
    {"amplify", [](auto &e) { e.Amplify(25); }},
    {"normalize", [](auto &e) { e.Normalize(100, -1); }},
    {"compressor", [](auto &e) { e.Compressor(-10, 50, 100); }},
    {"noisereduction", [](auto &e) { e.NoiseReduction(-54, 75, 100); }},
    {"highpass", [](auto &e) { e.HighPass(200, 100); }},
    {"equalizer", [](auto &e) { e.Equalizer(Gains, Frequencies); }},
    {"echo", [](auto &e) { e.Echo(200, 70, 0); }},
    {"reverb", [](auto &e) { e.Reverb(30, 60, 60, 30, 11025, 8); }},
    {"fade", [](auto &e) { e.Fade(0, 100); }},
    {"speed", [](auto &e) { e.SpeedChange(70); }},
    {"pitch", [](auto &e) { e.PitchChange(140); }},
    {"reverse", [](auto &e) { e.Reverse(); }},
    {"phaser", [](auto &e) { e.Phaser(300, 30, 45); }},
    {"flanger", [](auto &e) { e.Flanger(14, 50, 30, 99, 18, 40); }},
    {"chorus", [](auto &e) { e.Chorus(50, 45, 0, 10, 12, 90); }},
    {"mixstereo", [](auto &e) { e.MixStereo(80, 20, 20, 80); }},
};

// Milliseconds since the process was created.
double ProcessAge() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](FILETIME t) { return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime); };
  return (ticks(now) - ticks(created)) / 1e4;
}

} // namespace

int main(int argc, char **argv) {
  const double started = ProcessAge();
  if (argc == 2 && std::string(argv[1]) == "desktop") {
    GetDesktopWindow();
    char buf[256];
    DWORD got = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buf, sizeof buf, &got, nullptr) && got > 0) {
    }
    return 0;
  }
  if (argc != 4 && !(argc == 5 && std::string(argv[4]) == "phases")) {
    std::fprintf(stderr, "usage: bench_dsp_editor EFFECT IN.wav OUT.wav [phases]\n");
    return 2;
  }
  const std::string name = argv[1];
  for (const auto &[effect, call] : Effects) {
    if (name != effect)
      continue;
    try {
      double t[5];
      t[0] = BenchMillis();
      TAudioEditor2 *e = TAudioEditor2::Create(nullptr);
      e->OpenAudioFile(argv[2], 0);
      t[1] = BenchMillis();
      e->SetSelectionActive(true);
      e->SetSelStart(0);
      e->SetSelEnd(e->GetLength());
      call(*e->GetEffects());
      t[2] = BenchMillis();
      e->SaveAudioFile(argv[3], false, 1);
      t[3] = BenchMillis();
      Free(e);
      t[4] = BenchMillis();
      if (argc == 5)
        std::fprintf(stderr, "start %.0f ms, open %.0f ms, effect %.0f ms, save %.0f ms, free %.0f ms\n", started,
                     t[1] - t[0], t[2] - t[1], t[3] - t[2], t[4] - t[3]);
      return 0;
    } catch (const std::exception &x) {
      std::fprintf(stderr, "bench_dsp_editor %s: %s\n", name.c_str(), x.what());
      return 1;
    }
  }
  std::fprintf(stderr, "bench_dsp_editor: unknown effect %s\n", name.c_str());
  return 2;
}

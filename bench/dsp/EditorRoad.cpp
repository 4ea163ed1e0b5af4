// The editor's road for one effect: open a WAV file in the editor control,
// select all, the effect, save as WAV; with the settings of FileRoad.cpp.
//   bench_dsp_editor EFFECT IN.wav OUT.wav
// Every failure ends with a message and a non-zero exit status.
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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

} // namespace

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_dsp_editor EFFECT IN.wav OUT.wav\n");
    return 2;
  }
  const std::string name = argv[1];
  for (const auto &[effect, call] : Effects) {
    if (name != effect)
      continue;
    try {
      TAudioEditor2 *e = TAudioEditor2::Create(nullptr);
      e->OpenAudioFile(argv[2], 0);
      e->SetSelectionActive(true);
      e->SetSelStart(0);
      e->SetSelEnd(e->GetLength());
      call(*e->GetEffects());
      e->SaveAudioFile(argv[3], false, 1);
      Free(e);
      return 0;
    } catch (const std::exception &x) {
      std::fprintf(stderr, "bench_dsp_editor %s: %s\n", name.c_str(), x.what());
      return 1;
    }
  }
  std::fprintf(stderr, "bench_dsp_editor: unknown effect %s\n", name.c_str());
  return 2;
}

// The batch converter's whole road on one file, as a whole process, so that
// compare.sh can time it against another program doing the same work: a hidden
// batch window with one file and a one-command list converts it (the block
// reader, one-second blocks, left and right through the transformer, the
// writer of a 16-bit WAV file like the input, messages processed after every
// block) into a folder of its own.
//
//   bench_batch EFFECT IN.wav OUTFOLDER   writes OUTFOLDER\<name of IN>.wav,
//                                         replacing a file of that name
//   bench_batch list                      prints the effect names
//
// The command values are those of bench/dsp (FileRoad.cpp), which compare.sh
// maps onto the other program's effects. Every failure ends with a message and
// a non-zero exit status.
#include <cstdio>
#include <string>
#include <vector>

#include "app/BatchItems.h"
#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/dialogs/BatchConverterForm.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/ListView.h"
#include "framework/OwnedObject.h"
#include "framework/StringUtils.h"

namespace {

struct TBenchCommand {
  const char* Name;
  int Kind;
  std::vector<int> Values;
};

const std::vector<TBenchCommand>& Commands() {
  static const std::vector<TBenchCommand> commands = {
      {"amplify", bcAmplify, {25}},
      {"normalize", bcNormalize, {100}},
      {"compressor", bcCompressor, {-10, 50}},
      {"noisereduction", bcNoiseReduction, {-54, 75, 100}},
      {"highpass", bcHighPass, {200}},
      {"equalizer", bcEqualizer, {30, 55, 30, 15, 0, 0, 0, 0, 30, 40, 50, 60}},
      {"echo", bcEcho, {200, 70, 0}},
      {"reverb", bcReverb, {30, 60, 60, 30, 11025, 8}},
      {"speed", bcSpeedChange, {70}},
      {"pitch", bcPitchChange, {140}},
      {"mixstereo", bcMixStereoChannels, {80, 20, 20, 80}},
      {"phaser", bcPhaser, {300, 30, 45}},
      {"flanger", bcFlanger, {14, 50, 30, 99, 18, 40}},
      {"chorus", bcChorus, {50, 45, 0, 10, 12, 90}},
  };
  return commands;
}

// A window that tells its boxes on stderr instead of waiting for a user.
class TBenchBatchForm : public TBatchConverterForm {
  SONVELT_CLASS(TBenchBatchForm, TBatchConverterForm)
public:
  explicit TBenchBatchForm(TComponent* AOwner) : TBatchConverterForm(AOwner) {}
  int Boxes = 0;

protected:
  int AskUser(const std::string& Text, UINT) override {
    std::fprintf(stderr, "bench_batch: %s\n", Text.c_str());
    ++Boxes;
    return IDNO;
  }
};

int Convert(const TBenchCommand& Command, const std::string& In, const std::string& OutFolder) {
  InitGlobalVarsDefaults();
  TGlobalVars& G = *GlobalVarsRecord;
  G.BatchFileFormatUseTheSame = true;
  G.BatchFileSaveFolderUseTheSame = false;
  G.BatchFileSaveFolderpath = IncludeBackslash(OutFolder);
  if (AnsiSameText(IncludeBackslash(OutFolder), ExtractFilePath(In))) throw Exception("the output folder is the input's");
  const std::string Out = IncludeBackslash(OutFolder) + ChangeFileExt(ExtractFileName(In), ".wav");
  if (FileExists(Out) && !DeleteFile(Out)) throw Exception("cannot replace " + Out);
  TOwned<TBenchBatchForm> Form(TBenchBatchForm::Create(nullptr));
  Form->AddBatchFile(In);
  if (Form->ListViewFiles->GetItems()->GetCount() != 1) throw Exception("cannot add " + In);
  Form->AddCommand(Command.Kind);
  static_cast<TBatchCommand*>(Form->ListViewCommand->GetItems()->GetItem(0)->GetData())->SetValues(Command.Values);
  Form->ConvertAllFiles();
  if (Form->Boxes > 0 || Form->ListViewFiles->GetItems()->GetCount() != 0 || !FileExists(Out))
    throw Exception("the conversion failed");
  return 0;
}

int Usage() {
  std::fprintf(stderr, "usage: bench_batch EFFECT IN.wav OUTFOLDER | list\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && std::string(argv[1]) == "list") {
      for (const TBenchCommand& c : Commands()) std::printf("%s\n", c.Name);
      return 0;
    }
    if (argc != 4) return Usage();
    for (const TBenchCommand& c : Commands())
      if (c.Name == std::string(argv[1])) return Convert(c, ExpandFileName(argv[2]), ExpandFileName(argv[3]));
    std::fprintf(stderr, "bench_batch: unknown effect %s\n", argv[1]);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_batch: %s\n", e.what());
    return 1;
  }
}

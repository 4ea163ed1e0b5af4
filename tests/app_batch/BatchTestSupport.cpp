#include "tests/app_batch/BatchTestSupport.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/GlobalVars.h"
#include "engine/TAudioFile2.h"
#include "engine/TAudioInformation2.h"
#include "engine/WavFile.h"
#include "framework/FileUtils.h"
#include "framework/ListView.h"
#include "framework/OwnedObject.h"
#include "framework/Unicode.h"
#include "tests/app_main/AppMainTestSupport.h"

TAudioContents ReadAudio(const std::string& Path) {
  TAudioContents C;
  TOwned<TAudioFile2> Reader(TAudioFile2::Create(nullptr));
  Reader->OpenForReading(Path, 0, 1);
  C.Rate = Reader->GetFileSampleRate();
  C.Channels = Reader->GetFileChannels();
  C.BitRate = Reader->GetBitRate();
  for (;;) {
    const TSampleArray Block = Reader->ReadBlock(C.Channels * 65536);
    if (Block.empty()) break;
    C.Samples.insert(C.Samples.end(), Block.begin(), Block.end());
  }
  Reader->CloseFile();
  C.Frames = static_cast<int64_t>(C.Samples.size()) / C.Channels;
  TOwned<TAudioInformation2> Info(TAudioInformation2::Create(nullptr));
  Info->ReadInfo(Path);
  C.Tags = Info->GetTags();
  return C;
}

namespace {

std::vector<float> Samples(int Channels, int64_t Frames, const std::function<float(int64_t, int)>& Sample) {
  std::vector<float> S(static_cast<size_t>(Frames * Channels));
  for (int64_t F = 0; F < Frames; ++F)
    for (int C = 0; C < Channels; ++C) S[static_cast<size_t>(F * Channels + C)] = Sample(F, C);
  return S;
}

}  // namespace

void MakeWav(const std::string& Path, int Rate, int Channels, int64_t Frames,
             const std::function<float(int64_t, int)>& Sample, const TAudioTags& Tags) {
  const std::vector<float> S = Samples(Channels, Frames, Sample);
  TWavWriter Writer(Path, TWavFormat{Rate, Channels, 16, false, false}, Tags);
  Writer.Write(S.data(), Frames);
  Writer.Commit();
}

float Music(int64_t Frame, int Channel, int Rate) {
  const double T = static_cast<double>(Frame) / Rate;
  const double F = Channel == 0 ? 220.0 : 330.0;
  return static_cast<float>(0.2 * std::sin(2 * M_PI * F * T) + 0.08 * std::sin(2 * M_PI * 3.01 * F * T) +
                            0.04 * std::sin(2 * M_PI * 0.7 * T));
}

void MakeCoded(const std::string& Path, TCoded Kind, int Rate, int Channels, int64_t Frames, int KbpsOrProfile,
               const TAudioTags& Tags) {
  TOwned<TAudioFile2> Writer(TAudioFile2::Create(nullptr));
  switch (Kind) {
    case TCoded::Mp3: Writer->SetMp3Cbr(Rate, KbpsOrProfile, Channels); break;
    case TCoded::Ogg: Writer->SetOggFormat(Rate, Channels, KbpsOrProfile, 0, 0, -1); break;
    case TCoded::Wma: Writer->SetWmaProfile(KbpsOrProfile); break;
  }
  Writer->SetPcmFormat(Rate, Channels);
  Writer->CreateForWriting(Path, 0);
  Writer->WriteBlock(Samples(Channels, Frames, [&](int64_t F, int C) { return Music(F, C, Rate); }));
  Writer->CloseFile();
  // The writer takes no tags: they come over from a WAV file that has them.
  const std::string Tagged = Path + ".tags.wav";
  MakeWav(Tagged, 8000, 1, 10, [](int64_t, int) { return 0.0f; }, Tags);
  TOwned<TAudioInformation2> Info(TAudioInformation2::Create(nullptr));
  Info->ReadInfo(Tagged);
  Info->WriteInfo(Path);
  DeleteFile(Tagged);
}

void BatchFixture::SetUp() {
  Folder = TestFolder();
  InitGlobalVarsDefaults();
}

void BatchFixture::TearDown() {
  if (Form) Free(Form);
  Form = nullptr;
  Pump();
  std::error_code Ignored;
  std::filesystem::remove_all(Utf8ToWide(Folder), Ignored);
}

void BatchFixture::NewForm(bool Shown) {
  Form = TTestBatchForm::Create(nullptr);
  if (Shown) Form->Show();
  Pump();
}

std::vector<std::string> BatchFixture::ListedFiles() {
  std::vector<std::string> Files;
  TListItems* Items = Form->ListViewFiles->GetItems();
  for (int I = 0; I < Items->GetCount(); ++I)
    Files.push_back(Items->GetItem(I)->GetSubItems()->GetStrings(0) + Items->GetItem(I)->GetCaption());
  return Files;
}

std::vector<std::string> BatchFixture::FilesIn(const std::string& Dir) {
  std::vector<std::string> Names;
  TSearchRec Found;
  if (FindFirst(IncludeTrailingPathDelimiter(Dir) + "*.*", faAnyFile, Found) != 0) return Names;
  do {
    if (!(Found.Attr & faDirectory)) Names.push_back(Found.Name);
  } while (FindNext(Found) == 0);
  FindClose(Found);
  std::sort(Names.begin(), Names.end());
  return Names;
}

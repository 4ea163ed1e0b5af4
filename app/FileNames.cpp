#include "app/FileNames.h"

#include <windows.h>

#include <algorithm>

#include "framework/FileUtils.h"
#include "framework/Format.h"
#include "framework/StringUtils.h"

std::string IncludeBackslash(const std::string& Path) { return IncludeTrailingPathDelimiter(Path); }

std::string StripFileExt(const std::string& Path) { return ChangeFileExt(Path, ""); }

std::string MakeUniqueFileName(const std::string& FileName, const std::string& Folder) {
  const std::string Dir = IncludeBackslash(Folder);
  std::string Result = Dir + FileName;
  if (!FileExists(Result)) return Result;
  const std::string Base = StripFileExt(FileName);
  const std::string Ext = FileName.substr(Base.size());
  for (int N = 1; N < 32768; ++N) {
    Result = Dir + Format("%s(%d)%s", {Base, N, Ext});
    if (!FileExists(Result)) break;
  }
  return Result;
}

std::string ReplaceInvalidFileChars(const std::string& Name, const std::string& Replacement) {
  std::string Result = Name;
  for (const char* Bad : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|"})
    Result = StringReplace(Result, Bad, Replacement, {rfReplaceAll});
  return Result;
}

int FirstSpacePos(const std::string& Text) {
  const size_t P = Text.find(' ');
  return P == std::string::npos ? static_cast<int>(Text.size()) : static_cast<int>(P) + 1;
}

const std::vector<std::string>& SupportedAudioExts() {
  static const std::vector<std::string> Exts = {".wav",  ".mp3",  ".mp2",  ".mpga", ".wma", ".ogg",
                                                ".cda",  ".vox",  ".raw",  ".g721", ".g723", ".g726",
                                                ".aif",  ".aiff", ".aifc", ".mpc"};
  return Exts;
}

bool IsSupportedAudioExt(const std::string& Ext) {
  const std::string Lower = LowerCase(Ext);
  const auto& Exts = SupportedAudioExts();
  return std::find(Exts.begin(), Exts.end(), Lower) != Exts.end();
}

std::string ProgramPath() { return ParamStr(0); }

std::string ProgramFolder() { return ExtractFilePath(ProgramPath()); }

const char* AudioFilesFilter() {
  return
    "All Supported Formats|*.wav;*.mp3;*.mp2;*.mpga;*.wma;*.ogg;*.cda;*.vox;*.raw;*.g721;*.g723;*.g726;*.aif;"
    "*.aiff;*.aifc;*.mpc|Wave Files (*.wav)|*.wav|MPEG Layer 3 Files (*.mp3;*.mp2;*.mpga)|*.mp3;*.mp2;*.mpga|"
    "Windows Media Audio Files (*.wma)|*.wma|OGG Vorbis Audio Files (*.ogg)|*.ogg|CD Audio Tracks (*.cda)|*.cda|"
    "Dialogic VOX Files (*.vox)|*.vox|RAW Audio Files (*.raw)|*.raw|G.72x Audio Files (*.g721;*.g723;*.g726)|"
    "*.g721;*.g723;*.g726|AIFF Apple Audio Files (*.aif;*.aiff;*.aifc)|*.aif;*.aiff;*.aifc|MPC Audio Files "
    "(*.mpc)|*.mpc";
}

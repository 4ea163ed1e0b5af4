#include "app/HelpViewer.h"

#include "app/FileNames.h"
#include "app/ShellFolders.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/Format.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"

namespace {

using THtmlHelpA = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
THtmlHelpA HtmlHelpEntry = nullptr;
DWORD HelpCookie = 0;
constexpr UINT HH_INITIALIZE = 0x001C;

void LoadViewer() {
  // Kept until the program ends: the viewer's windows live in this library.
  const HMODULE Lib = LoadLibraryW(Utf8ToWide(SystemDir() + "\\HHCTRL.OCX").c_str());
  if (!Lib) throw Exception("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
  auto Entry = reinterpret_cast<THtmlHelpA>(reinterpret_cast<void*>(GetProcAddress(Lib, "HtmlHelpA")));
  if (!Entry) {
    FreeLibrary(Lib);
    throw Exception("Function HTMLHELP cannot loaded!");
  }
  HtmlHelpEntry = Entry;
  HtmlHelpEntry(nullptr, nullptr, HH_INITIALIZE, reinterpret_cast<DWORD_PTR>(&HelpCookie));
}

}  // namespace

HWND HtmlHelp(HWND Window, const std::string& FileAndTopic, UINT Command, uintptr_t Data) {
  if (!HtmlHelpEntry) LoadViewer();
  // The viewer's narrow entry takes the system code page, not UTF-8.
  const std::wstring W = Utf8ToWide(FileAndTopic);
  std::string Ansi(W.size() * 2 + 1, '\0');
  const int N = WideCharToMultiByte(CP_ACP, 0, W.c_str(), static_cast<int>(W.size()), Ansi.data(),
                                    static_cast<int>(Ansi.size()), nullptr, nullptr);
  Ansi.resize(N > 0 ? N : 0);
  return HtmlHelpEntry(Window, Ansi.c_str(), Command, Data);
}

std::string HelpTopicPath(const std::string& Topic) {
  return Format("%s::/%s.htm", {ChangeFileExt(ProgramPath(), ".chm"), LowerCase(Topic)});
}

void ShowHelpTopic(HWND Window, const std::string& Topic) { HtmlHelp(Window, HelpTopicPath(Topic), 0, 0); }

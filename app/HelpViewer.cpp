#include "app/HelpViewer.h"

#include "app/FileNames.h"
#include "app/ShellFolders.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/Format.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"

namespace {

using THtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
THtmlHelpW HtmlHelpEntry = nullptr;
DWORD HelpCookie = 0;
constexpr UINT HH_INITIALIZE = 0x001C;

void LoadViewer() {
  // Kept until the program ends: the viewer's windows live in this library.
  const HMODULE Lib = LoadLibraryW(Utf8ToWide(SystemDir() + "\\HHCTRL.OCX").c_str());
  if (!Lib) throw Exception("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
  auto Entry = reinterpret_cast<THtmlHelpW>(reinterpret_cast<void*>(GetProcAddress(Lib, "HtmlHelpW")));
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
  return HtmlHelpEntry(Window, Utf8ToWide(FileAndTopic).c_str(), Command, Data);
}

std::string HelpTopicPath(const std::string& Topic) {
  return Format("%s::/%s.htm", {ChangeFileExt(ProgramPath(), ".chm"), LowerCase(Topic)});
}

void ShowHelpTopic(HWND Window, const std::string& Topic) { HtmlHelp(Window, HelpTopicPath(Topic), 0, 0); }

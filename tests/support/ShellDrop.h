// Files dropped from the shell, for tests of WM_DROPFILES handlers: a real HDROP
// (a DROPFILES block of wide names) that the handler reads and releases.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/Unicode.h"

inline HDROP MakeDrop(const std::vector<std::string>& Files) {
  std::wstring Names;
  for (const std::string& F : Files) Names += Utf8ToWide(F) + L'\0';
  Names += L'\0';
  HGLOBAL Mem = GlobalAlloc(GHND, sizeof(DROPFILES) + Names.size() * sizeof(wchar_t));
  auto* D = static_cast<DROPFILES*>(GlobalLock(Mem));
  D->pFiles = sizeof(DROPFILES);
  D->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(D) + sizeof(DROPFILES), Names.data(), Names.size() * sizeof(wchar_t));
  GlobalUnlock(Mem);
  return static_cast<HDROP>(Mem);
}

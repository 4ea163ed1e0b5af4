// A stand-in for the visual-styles library that records what the suite asks of it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "suite/common/ThemeManager.h"

struct TFakeTheme {
  static inline std::vector<std::wstring> Opened;
  static inline std::vector<HTHEME> Closed;
  static inline bool Active = true;
  static inline std::wstring FileName = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles";
  static inline std::wstring ColorName = L"NormalColor";
  static inline int NextHandle = 100;

  static HTHEME WINAPI Open(HWND, LPCWSTR ClassList) {
    Opened.push_back(ClassList);
    // An unknown class opens nothing, as the library does.
    if (std::wstring(ClassList) == L"NoSuchClass") return nullptr;
    return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(NextHandle++));
  }
  static HRESULT WINAPI Close(HTHEME Theme) {
    Closed.push_back(Theme);
    return S_OK;
  }
  static BOOL WINAPI IsActive() { return Active; }
  static HRESULT WINAPI ThemeName(LPWSTR File, int FileLength, LPWSTR Color, int ColorLength, LPWSTR, int) {
    lstrcpynW(File, FileName.c_str(), FileLength);
    lstrcpynW(Color, ColorName.c_str(), ColorLength);
    return S_OK;
  }

  static TUxThemeEntries Entries() {
    TUxThemeEntries E;
    E.Loaded = true;
    E.OpenThemeData = &Open;
    E.CloseThemeData = &Close;
    E.IsThemeActive = &IsActive;
    E.GetCurrentThemeName = &ThemeName;
    return E;
  }
};

// Puts the stand-in in place for one scope and the real library back afterwards.
class TFakeThemeScope {
public:
  explicit TFakeThemeScope(bool Active = true) {
    TFakeTheme::Opened.clear();
    TFakeTheme::Closed.clear();
    TFakeTheme::Active = Active;
    FSaved = SubstituteUxTheme(TFakeTheme::Entries());
  }
  ~TFakeThemeScope() { SubstituteUxTheme(FSaved); }
  TFakeThemeScope(const TFakeThemeScope&) = delete;
  TFakeThemeScope& operator=(const TFakeThemeScope&) = delete;

private:
  TUxThemeEntries FSaved;
};

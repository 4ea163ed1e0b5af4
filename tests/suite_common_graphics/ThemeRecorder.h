// A stand-in for the visual-styles library: chosen classes open, every drawing
// is recorded (class, part, state, rectangle) and fills its rectangle with a
// colour made of part and state, so that pixels show what was drawn.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "suite/common/ThemeManager.h"

struct TThemeCall {
  std::wstring Class;
  int Part, State;
  RECT Rect;
};

struct TThemeRecorder {
  static inline std::set<std::wstring> Classes;
  static inline bool IsActive = true;
  static inline std::wstring ColorName = L"Plain";
  static inline std::vector<std::wstring> Handles;  // handle N + 1 is class N
  static inline std::vector<TThemeCall> Calls;
  static inline std::vector<std::wstring> Texts;
  // Colours by (class, part, state, property); a missing one fails.
  static inline std::map<std::tuple<std::wstring, int, int, int>, COLORREF> Colours;

  static std::wstring ClassOf(HTHEME Theme) {
    const size_t i = reinterpret_cast<size_t>(Theme) - 1;
    return i < Handles.size() ? Handles[i] : L"?";
  }
  // The colour a drawing of part and state fills with.
  static COLORREF ColourFor(int Part, int State) { return RGB(10 * Part, 10 * State, 77); }

  static HTHEME WINAPI Open(HWND, LPCWSTR ClassList) {
    if (!Classes.count(ClassList)) return nullptr;
    Handles.push_back(ClassList);
    return reinterpret_cast<HTHEME>(Handles.size());
  }
  static HRESULT WINAPI Close(HTHEME) { return S_OK; }
  static BOOL WINAPI Active() { return IsActive; }
  static HRESULT WINAPI Background(HTHEME Theme, HDC DC, int Part, int State, const RECT* R, const RECT*) {
    Calls.push_back({ClassOf(Theme), Part, State, *R});
    HBRUSH b = CreateSolidBrush(ColourFor(Part, State));
    FillRect(DC, R, b);
    DeleteObject(b);
    return S_OK;
  }
  static HRESULT WINAPI Text(HTHEME, HDC, int, int, LPCWSTR Text, int, DWORD, DWORD, const RECT*) {
    Texts.push_back(Text);
    return S_OK;
  }
  static HRESULT WINAPI Content(HTHEME, HDC, int, int, const RECT* Bounds, RECT* Content) {
    *Content = *Bounds;
    InflateRect(Content, -3, -3);
    return S_OK;
  }
  static HRESULT WINAPI PartSize(HTHEME, HDC, int, int, RECT*, THEMESIZE, SIZE* Size) {
    *Size = SIZE{13, 13};
    return S_OK;
  }
  static HRESULT WINAPI Colour(HTHEME Theme, int Part, int State, int Property, COLORREF* Color) {
    auto it = Colours.find({ClassOf(Theme), Part, State, Property});
    if (it == Colours.end()) return E_FAIL;
    *Color = it->second;
    return S_OK;
  }
  static BOOL WINAPI Transparent(HTHEME, int, int) { return FALSE; }
  static HRESULT WINAPI ThemeName(LPWSTR File, int FileLength, LPWSTR Color, int ColorLength, LPWSTR, int) {
    lstrcpynW(File, L"C:\\Themes\\Plain.msstyles", FileLength);
    lstrcpynW(Color, ColorName.c_str(), ColorLength);
    return S_OK;
  }

  static TUxThemeEntries Entries() {
    TUxThemeEntries E;
    E.Loaded = true;
    E.OpenThemeData = &Open;
    E.CloseThemeData = &Close;
    E.IsThemeActive = &Active;
    E.DrawThemeBackground = &Background;
    E.DrawThemeText = &Text;
    E.GetThemeBackgroundContentRect = &Content;
    E.GetThemePartSize = &PartSize;
    E.GetThemeColor = &Colour;
    E.IsThemeBackgroundPartiallyTransparent = &Transparent;
    E.GetCurrentThemeName = &ThemeName;
    return E;
  }
};

// The recorder in place of the library for one scope, with the classes given;
// Active false stands for visual styles switched off.
class TThemeScope {
public:
  explicit TThemeScope(std::set<std::wstring> Classes, bool Active = true) {
    FSaved = SubstituteUxTheme(TThemeRecorder::Entries());
    Reset(std::move(Classes), Active);
  }
  ~TThemeScope() { SubstituteUxTheme(FSaved); }
  // Other classes (the theme cache starts afresh).
  void Reset(std::set<std::wstring> Classes, bool Active = true) {
    TThemeRecorder::Classes = std::move(Classes);
    TThemeRecorder::IsActive = Active;
    TThemeRecorder::ColorName = L"Plain";
    TThemeRecorder::Handles.clear();
    TThemeRecorder::Calls.clear();
    TThemeRecorder::Texts.clear();
    TThemeRecorder::Colours.clear();
    SubstituteUxTheme(TThemeRecorder::Entries());
  }
  TThemeScope(const TThemeScope&) = delete;
  TThemeScope& operator=(const TThemeScope&) = delete;

private:
  TUxThemeEntries FSaved;
};

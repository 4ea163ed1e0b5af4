// The visual-styles library, bound by name at run time: absent on old systems and
// possibly switched off. Every entry goes through one table, which tests replace
// with recording stand-ins (SubstituteUxTheme in ThemeManager.h). A wrapper whose
// entry is missing does nothing and answers failure (E_NOTIMPL, 0 or false).
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <string>

struct TUxThemeEntries {
  // The library (or a stand-in) is present.
  bool Loaded = false;
  HTHEME(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* CloseThemeData)(HTHEME) = nullptr;
  HRESULT(WINAPI* DrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* DrawThemeText)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
  HRESULT(WINAPI* GetThemeBackgroundContentRect)(HTHEME, HDC, int, int, const RECT*, RECT*) = nullptr;
  HRESULT(WINAPI* GetThemePartSize)(HTHEME, HDC, int, int, RECT*, THEMESIZE, SIZE*) = nullptr;
  HRESULT(WINAPI* GetThemeBackgroundRegion)(HTHEME, HDC, int, int, const RECT*, HRGN*) = nullptr;
  HRESULT(WINAPI* DrawThemeEdge)(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*) = nullptr;
  BOOL(WINAPI* IsThemeBackgroundPartiallyTransparent)(HTHEME, int, int) = nullptr;
  HRESULT(WINAPI* GetThemeColor)(HTHEME, int, int, int, COLORREF*) = nullptr;
  BOOL(WINAPI* IsThemeActive)() = nullptr;
  HRESULT(WINAPI* GetCurrentThemeName)(LPWSTR, int, LPWSTR, int, LPWSTR, int) = nullptr;
  HPAINTBUFFER(WINAPI* BeginBufferedPaint)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*) = nullptr;
  HRESULT(WINAPI* EndBufferedPaint)(HPAINTBUFFER, BOOL) = nullptr;
  HRESULT(WINAPI* BufferedPaintSetAlpha)(HPAINTBUFFER, const RECT*, BYTE) = nullptr;
};

// The entries in use (the library's, once it is loaded, or the substitutes).
const TUxThemeEntries& UxThemeEntries();
// Puts Entries in place and gives back the previous table; see SubstituteUxTheme.
TUxThemeEntries ReplaceUxThemeEntries(const TUxThemeEntries& Entries);
bool UxThemeLoaded();

HTHEME UxOpenThemeData(HWND Window, const std::wstring& ClassList);
HRESULT UxCloseThemeData(HTHEME Theme);
HRESULT UxDrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT& Rect,
                              const RECT* ClipRect = nullptr);
HRESULT UxDrawThemeBackgroundNoClip(HTHEME Theme, HDC DC, int Part, int State, const RECT& Rect,
                                    const RECT* ClipRect = nullptr);
HRESULT UxDrawThemeText(HTHEME Theme, HDC DC, int Part, int State, const std::wstring& Text, int CharCount,
                        DWORD TextFlags, DWORD TextFlags2, const RECT& Rect);
// The same with UTF-8 text.
HRESULT UxDrawThemeTextAnsi(HTHEME Theme, HDC DC, int Part, int State, const std::string& Text, int CharCount,
                            DWORD TextFlags, DWORD TextFlags2, const RECT& Rect);
HRESULT UxGetThemeBackgroundContentRect(HTHEME Theme, HDC DC, int Part, int State, const RECT& BoundingRect,
                                        RECT& ContentRect);
HRESULT UxGetThemePartSize(HTHEME Theme, HDC DC, int Part, int State, RECT* Rect, THEMESIZE SizeKind, SIZE& Size);
HRESULT UxGetThemePartSizeNoRect(HTHEME Theme, HDC DC, int Part, int State, THEMESIZE SizeKind, SIZE& Size);
HRESULT UxGetThemeBackgroundRegion(HTHEME Theme, HDC DC, int Part, int State, const RECT& Rect, HRGN& Region);
HRESULT UxDrawThemeEdge(HTHEME Theme, HDC DC, int Part, int State, const RECT& DestRect, UINT Edge, UINT Flags,
                        RECT* ContentRect);
bool UxIsThemeBackgroundPartiallyTransparent(HTHEME Theme, int Part, int State);
HRESULT UxGetThemeColor(HTHEME Theme, int Part, int State, int Property, COLORREF& Color);
bool UxIsThemeActive();
HRESULT UxGetCurrentThemeName(LPWSTR FileName, int FileNameLength, LPWSTR ColorName, int ColorNameLength,
                              LPWSTR SizeName, int SizeNameLength);
HPAINTBUFFER UxBeginBufferedPaint(HDC TargetDC, const RECT& TargetRect, BP_BUFFERFORMAT Format,
                                  BP_PAINTPARAMS* PaintParams, HDC& PaintDC);
HRESULT UxEndBufferedPaint(HPAINTBUFFER BufferedPaint, bool UpdateTarget);
HRESULT UxBufferedPaintSetAlpha(HPAINTBUFFER BufferedPaint, const RECT* Rect, BYTE Alpha);

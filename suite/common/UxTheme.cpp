#include "suite/common/UxTheme.h"

#include <commctrl.h>

#include "framework/Unicode.h"
#include "suite/common/UnitLifetime.h"

namespace {
HMODULE Library = nullptr;
TUxThemeEntries Entries;

template <class F>
void Bind(F& Entry, const char* Name) {
  Entry = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Library, Name)));
}

void StartUnit() {
  InitCommonControls();
  Library = LoadLibraryW(L"UxTheme.dll");
  if (!Library) return;
  TUxThemeEntries& E = Entries;
  E.Loaded = true;
  Bind(E.OpenThemeData, "OpenThemeData");
  Bind(E.CloseThemeData, "CloseThemeData");
  Bind(E.DrawThemeBackground, "DrawThemeBackground");
  Bind(E.DrawThemeText, "DrawThemeText");
  Bind(E.GetThemeBackgroundContentRect, "GetThemeBackgroundContentRect");
  Bind(E.GetThemePartSize, "GetThemePartSize");
  Bind(E.GetThemeBackgroundRegion, "GetThemeBackgroundRegion");
  Bind(E.DrawThemeEdge, "DrawThemeEdge");
  Bind(E.IsThemeBackgroundPartiallyTransparent, "IsThemeBackgroundPartiallyTransparent");
  Bind(E.GetThemeColor, "GetThemeColor");
  Bind(E.IsThemeActive, "IsThemeActive");
  Bind(E.GetCurrentThemeName, "GetCurrentThemeName");
  Bind(E.BeginBufferedPaint, "BeginBufferedPaint");
  Bind(E.EndBufferedPaint, "EndBufferedPaint");
  Bind(E.BufferedPaintSetAlpha, "BufferedPaintSetAlpha");
}

void EndUnit() {
  Entries = TUxThemeEntries{};
  if (Library) FreeLibrary(Library);
  Library = nullptr;
}

TSuiteUnit Unit(&StartUnit, &EndUnit);

const TUxThemeEntries& E() {
  Unit.Ensure();
  return Entries;
}
}  // namespace

const TUxThemeEntries& UxThemeEntries() { return E(); }

TUxThemeEntries ReplaceUxThemeEntries(const TUxThemeEntries& New) {
  Unit.Ensure();
  TUxThemeEntries Old = Entries;
  Entries = New;
  return Old;
}

bool UxThemeLoaded() { return E().Loaded; }

HTHEME UxOpenThemeData(HWND Window, const std::wstring& ClassList) {
  return E().OpenThemeData ? E().OpenThemeData(Window, ClassList.c_str()) : nullptr;
}

HRESULT UxCloseThemeData(HTHEME Theme) { return E().CloseThemeData ? E().CloseThemeData(Theme) : E_NOTIMPL; }

HRESULT UxDrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT& Rect, const RECT* ClipRect) {
  return E().DrawThemeBackground ? E().DrawThemeBackground(Theme, DC, Part, State, &Rect, ClipRect) : E_NOTIMPL;
}

HRESULT UxDrawThemeBackgroundNoClip(HTHEME Theme, HDC DC, int Part, int State, const RECT& Rect,
                                    const RECT* ClipRect) {
  return UxDrawThemeBackground(Theme, DC, Part, State, Rect, ClipRect);
}

HRESULT UxDrawThemeText(HTHEME Theme, HDC DC, int Part, int State, const std::wstring& Text, int CharCount,
                        DWORD TextFlags, DWORD TextFlags2, const RECT& Rect) {
  if (!E().DrawThemeText) return E_NOTIMPL;
  return E().DrawThemeText(Theme, DC, Part, State, Text.c_str(), CharCount, TextFlags, TextFlags2, &Rect);
}

HRESULT UxDrawThemeTextAnsi(HTHEME Theme, HDC DC, int Part, int State, const std::string& Text, int CharCount,
                            DWORD TextFlags, DWORD TextFlags2, const RECT& Rect) {
  std::wstring Wide = Utf8ToWide(CharCount < 0 ? std::string_view(Text)
                                               : std::string_view(Text).substr(0, static_cast<size_t>(CharCount)));
  return UxDrawThemeText(Theme, DC, Part, State, Wide, CharCount < 0 ? -1 : static_cast<int>(Wide.size()),
                         TextFlags, TextFlags2, Rect);
}

HRESULT UxGetThemeBackgroundContentRect(HTHEME Theme, HDC DC, int Part, int State, const RECT& BoundingRect,
                                        RECT& ContentRect) {
  if (!E().GetThemeBackgroundContentRect) return E_NOTIMPL;
  return E().GetThemeBackgroundContentRect(Theme, DC, Part, State, &BoundingRect, &ContentRect);
}

HRESULT UxGetThemePartSize(HTHEME Theme, HDC DC, int Part, int State, RECT* Rect, THEMESIZE SizeKind, SIZE& Size) {
  return E().GetThemePartSize ? E().GetThemePartSize(Theme, DC, Part, State, Rect, SizeKind, &Size) : E_NOTIMPL;
}

HRESULT UxGetThemePartSizeNoRect(HTHEME Theme, HDC DC, int Part, int State, THEMESIZE SizeKind, SIZE& Size) {
  return UxGetThemePartSize(Theme, DC, Part, State, nullptr, SizeKind, Size);
}

HRESULT UxGetThemeBackgroundRegion(HTHEME Theme, HDC DC, int Part, int State, const RECT& Rect, HRGN& Region) {
  if (!E().GetThemeBackgroundRegion) return E_NOTIMPL;
  return E().GetThemeBackgroundRegion(Theme, DC, Part, State, &Rect, &Region);
}

HRESULT UxDrawThemeEdge(HTHEME Theme, HDC DC, int Part, int State, const RECT& DestRect, UINT Edge, UINT Flags,
                        RECT* ContentRect) {
  if (!E().DrawThemeEdge) return E_NOTIMPL;
  return E().DrawThemeEdge(Theme, DC, Part, State, &DestRect, Edge, Flags, ContentRect);
}

bool UxIsThemeBackgroundPartiallyTransparent(HTHEME Theme, int Part, int State) {
  return E().IsThemeBackgroundPartiallyTransparent && E().IsThemeBackgroundPartiallyTransparent(Theme, Part, State);
}

HRESULT UxGetThemeColor(HTHEME Theme, int Part, int State, int Property, COLORREF& Color) {
  return E().GetThemeColor ? E().GetThemeColor(Theme, Part, State, Property, &Color) : E_NOTIMPL;
}

bool UxIsThemeActive() { return E().IsThemeActive && E().IsThemeActive(); }

HRESULT UxGetCurrentThemeName(LPWSTR FileName, int FileNameLength, LPWSTR ColorName, int ColorNameLength,
                              LPWSTR SizeName, int SizeNameLength) {
  if (!E().GetCurrentThemeName) return E_NOTIMPL;
  return E().GetCurrentThemeName(FileName, FileNameLength, ColorName, ColorNameLength, SizeName, SizeNameLength);
}

HPAINTBUFFER UxBeginBufferedPaint(HDC TargetDC, const RECT& TargetRect, BP_BUFFERFORMAT Format,
                                  BP_PAINTPARAMS* PaintParams, HDC& PaintDC) {
  PaintDC = nullptr;
  if (!E().BeginBufferedPaint) return nullptr;
  return E().BeginBufferedPaint(TargetDC, &TargetRect, Format, PaintParams, &PaintDC);
}

HRESULT UxEndBufferedPaint(HPAINTBUFFER BufferedPaint, bool UpdateTarget) {
  return E().EndBufferedPaint ? E().EndBufferedPaint(BufferedPaint, UpdateTarget) : E_NOTIMPL;
}

HRESULT UxBufferedPaintSetAlpha(HPAINTBUFFER BufferedPaint, const RECT* Rect, BYTE Alpha) {
  return E().BufferedPaintSetAlpha ? E().BufferedPaintSetAlpha(BufferedPaint, Rect, Alpha) : E_NOTIMPL;
}

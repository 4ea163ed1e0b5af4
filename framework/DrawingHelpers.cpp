#include "framework/DrawingHelpers.h"

#include "framework/Canvas.h"
#include "framework/Unicode.h"

void Frame3D(TCanvas* Canvas, RECT& Rect, TColor TopColor, TColor BottomColor, int Width) {
  TPen* pen = Canvas->GetPen();
  pen->SetWidth(1);
  --Rect.bottom;
  --Rect.right;
  for (int i = 0; i < Width; ++i) {
    pen->SetColor(TopColor);
    POINT top[] = {{Rect.left, Rect.bottom}, {Rect.left, Rect.top}, {Rect.right, Rect.top}};
    Canvas->Polyline(top, 3);
    pen->SetColor(BottomColor);
    POINT bottom[] = {{Rect.right, Rect.top}, {Rect.right, Rect.bottom}, {Rect.left - 1, Rect.bottom}};
    Canvas->Polyline(bottom, 3);
    InflateRect(&Rect, -1, -1);
  }
  ++Rect.bottom;
  ++Rect.right;
}

bool DrawEdge(TCanvas* Canvas, RECT& Rect, UINT Edge, UINT Flags) {
  return ::DrawEdge(Canvas->GetHandle(), &Rect, Edge, Flags) != FALSE;
}

bool DrawFrameControl(TCanvas* Canvas, RECT& Rect, UINT Type, UINT State) {
  return ::DrawFrameControl(Canvas->GetHandle(), &Rect, Type, State) != FALSE;
}

int DrawTextUtf8(HDC DC, const std::string& Text, RECT& Rect, UINT Format) {
  std::wstring w = Utf8ToWide(Text);
  // DT_MODIFYSTRING would write past the string; the caller gets the rectangle only.
  return ::DrawTextW(DC, w.c_str(), static_cast<int>(w.size()), &Rect, Format & ~static_cast<UINT>(DT_MODIFYSTRING));
}

int DrawTextUtf8(TCanvas* Canvas, const std::string& Text, RECT& Rect, UINT Format) {
  return DrawTextUtf8(Canvas->GetHandle(), Text, Rect, Format);
}

std::string EllipsisText(HDC DC, const std::string& Text, int MaxWidth) {
  std::wstring w = Utf8ToWide(Text);
  auto width = [&](const std::wstring& s) {
    SIZE sz{0, 0};
    GetTextExtentPoint32W(DC, s.c_str(), static_cast<int>(s.size()), &sz);
    return static_cast<int>(sz.cx);
  };
  if (width(w) <= MaxWidth) return Text;
  // The longest prefix that fits with the dots, found by halving.
  std::size_t lo = 0, hi = w.size();
  while (lo < hi) {
    std::size_t mid = (lo + hi + 1) / 2;
    if (width(w.substr(0, mid) + L"...") <= MaxWidth) lo = mid;
    else hi = mid - 1;
  }
  // Never split a surrogate pair.
  if (lo > 0 && lo < w.size() && w[lo - 1] >= 0xD800 && w[lo - 1] <= 0xDBFF) --lo;
  return WideToUtf8(w.substr(0, lo) + L"...");
}

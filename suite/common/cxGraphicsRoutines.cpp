#include "suite/common/cxGraphicsRoutines.h"

#include <algorithm>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/Font.h"
#include "framework/StringLists.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "framework/WinControl.h"
#include "suite/common/Geometry.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/cxCanvas.h"

namespace {

struct TcxColorInfo {
  const char* Name;
  TColor Color;
};

// 0xRRGGBB as written in colour tables, red in the low byte as colours are kept.
constexpr TColor Web(unsigned Rgb) {
  return static_cast<TColor>(((Rgb & 0xFF) << 16) | (Rgb & 0xFF00) | ((Rgb >> 16) & 0xFF));
}

const TcxColorInfo NamedColors[] = {
    {"aliceblue", Web(0xF0F8FF)}, {"antiquewhite", Web(0xFAEBD7)}, {"aqua", Web(0x00FFFF)},
    {"aquamarine", Web(0x7FFFD4)}, {"azure", Web(0xF0FFFF)}, {"beige", Web(0xF5F5DC)},
    {"bisque", Web(0xFFE4C4)}, {"black", Web(0x000000)}, {"blanchedalmond", Web(0xFFEBCD)},
    {"blue", Web(0x0000FF)}, {"blueviolet", Web(0x8A2BE2)}, {"brown", Web(0xA52A2A)},
    {"burlywood", Web(0xDEB887)}, {"cadetblue", Web(0x5F9EA0)}, {"chartreuse", Web(0x7FFF00)},
    {"chocolate", Web(0xD2691E)}, {"coral", Web(0xFF7F50)}, {"cornflowerblue", Web(0x6495ED)},
    {"cornsilk", Web(0xFFF8DC)}, {"crimson", Web(0xDC143C)}, {"cyan", Web(0x00FFFF)},
    {"darkblue", Web(0x00008B)}, {"darkcyan", Web(0x008B8B)}, {"darkgoldenrod", Web(0xB8860B)},
    {"darkgray", Web(0xA9A9A9)}, {"darkgreen", Web(0x006400)}, {"darkkhaki", Web(0xBDB76B)},
    {"darkmagenta", Web(0x8B008B)}, {"darkolivegreen", Web(0x556B2F)}, {"darkorange", Web(0xFF8C00)},
    {"darkorchid", Web(0x9932CC)}, {"darkred", Web(0x8B0000)}, {"darksalmon", Web(0xE9967A)},
    {"darkseagreen", Web(0x8FBC8F)}, {"darkslateblue", Web(0x483D8B)}, {"darkslategray", Web(0x2F4F4F)},
    {"darkturquoise", Web(0x00CED1)}, {"darkviolet", Web(0x9400D3)}, {"deeppink", Web(0xFF1493)},
    {"deepskyblue", Web(0x00BFFF)}, {"dimgray", Web(0x696969)}, {"dodgerblue", Web(0x1E90FF)},
    {"firebrick", Web(0xB22222)}, {"floralwhite", Web(0xFFFAF0)}, {"forestgreen", Web(0x228B22)},
    {"fuchsia", Web(0xFF00FF)}, {"gainsboro", Web(0xDCDCDC)}, {"ghostwhite", Web(0xF8F8FF)},
    {"gold", Web(0xFFD700)}, {"goldenrod", Web(0xDAA520)}, {"gray", Web(0x808080)},
    {"green", Web(0x008000)}, {"greenyellow", Web(0xADFF2F)}, {"honeydew", Web(0xF0FFF0)},
    {"hotpink", Web(0xFF69B4)}, {"indianred", Web(0xCD5C5C)}, {"indigo", Web(0x4B0082)},
    {"ivory", Web(0xFFFFF0)}, {"khaki", Web(0xF0E68C)}, {"lavender", Web(0xE6E6FA)},
    {"lavenderblush", Web(0xFFF0F5)}, {"lawngreen", Web(0x7CFC00)}, {"lemonchiffon", Web(0xFFFACD)},
    {"lightblue", Web(0xADD8E6)}, {"lightcoral", Web(0xF08080)}, {"lightcyan", Web(0xE0FFFF)},
    {"lightgoldenrodyellow", Web(0xFAFAD2)}, {"lightgreen", Web(0x90EE90)}, {"lightgrey", Web(0xD3D3D3)},
    {"lightpink", Web(0xFFB6C1)}, {"lightsalmon", Web(0xFFA07A)}, {"lightseagreen", Web(0x20B2AA)},
    {"lightskyblue", Web(0x87CEFA)}, {"lightslategray", Web(0x778899)}, {"lightsteelblue", Web(0xB0C4DE)},
    {"lightyellow", Web(0xFFFFE0)}, {"lime", Web(0x00FF00)}, {"limegreen", Web(0x32CD32)},
    {"linen", Web(0xFAF0E6)}, {"magenta", Web(0xFF00FF)}, {"maroon", Web(0x800000)},
    {"mediumaquamarine", Web(0x66CDAA)}, {"mediumblue", Web(0x0000CD)}, {"mediumorchid", Web(0xBA55D3)},
    {"mediumpurple", Web(0x9370DB)}, {"mediumseagreen", Web(0x3CB371)}, {"mediumslateblue", Web(0x7B68EE)},
    {"mediumspringgreen", Web(0x00FA9A)}, {"mediumturquoise", Web(0x48D1CC)}, {"mediumvioletred", Web(0xC71585)},
    {"midnightblue", Web(0x191970)}, {"mintcream", Web(0xF5FFFA)}, {"mistyrose", Web(0xFFE4E1)},
    {"moccasin", Web(0xFFE4B5)}, {"navajowhite", Web(0xFFDEAD)}, {"navy", Web(0x000080)},
    {"oldlace", Web(0xFDF5E6)}, {"olive", Web(0x808000)}, {"olivedrab", Web(0x6B8E23)},
    {"orange", Web(0xFFA500)}, {"orangered", Web(0xFF4500)}, {"orchid", Web(0xDA70D6)},
    {"palegoldenrod", Web(0xEEE8AA)}, {"palegreen", Web(0x98FB98)}, {"paleturquoise", Web(0xAFEEEE)},
    {"palevioletred", Web(0xDB7093)}, {"papayawhip", Web(0xFFEFD5)}, {"peachpuff", Web(0xFFDAB9)},
    {"peru", Web(0xCD853F)}, {"pink", Web(0xFFC0CB)}, {"plum", Web(0xDDA0DD)},
    {"powderblue", Web(0xB0E0E6)}, {"purple", Web(0x800080)}, {"red", Web(0xFF0000)},
    {"rosybrown", Web(0xBC8F8F)}, {"royalblue", Web(0x4169E1)}, {"saddlebrown", Web(0x8B4513)},
    {"salmon", Web(0xFA8072)}, {"sandybrown", Web(0xF4A460)}, {"seagreen", Web(0x2E8B57)},
    {"seashell", Web(0xFFF5EE)}, {"sienna", Web(0xA0522D)}, {"silver", Web(0xC0C0C0)},
    {"skyblue", Web(0x87CEEB)}, {"slateblue", Web(0x6A5ACD)}, {"slategray", Web(0x708090)},
    {"snow", Web(0xFFFAFA)}, {"springgreen", Web(0x00FF7F)}, {"steelblue", Web(0x4682B4)},
    {"tan", Web(0xD2B48C)}, {"teal", Web(0x008080)}, {"thistle", Web(0xD8BFD8)},
    {"tomato", Web(0xFF6347)}, {"turquoise", Web(0x40E0D0)}, {"violet", Web(0xEE82EE)},
    {"wheat", Web(0xF5DEB3)}, {"white", Web(0xFFFFFF)}, {"whitesmoke", Web(0xF5F5F5)},
    {"yellow", Web(0xFFFF00)}, {"yellowgreen", Web(0x9ACD32)},
    {"activeborder", clActiveBorder}, {"activecaption", clActiveCaption}, {"appworkspace", clAppWorkSpace},
    {"background", clBackground}, {"buttonface", clBtnFace}, {"buttonhighlight", clBtnHighlight},
    {"buttonshadow", clBtnShadow}, {"buttontext", clBtnText}, {"captiontext", clCaptionText},
    {"graytext", clGrayText}, {"highlight", clHighlight}, {"highlighttext", clHighlightText},
    {"inactiveborder", clInactiveBorder}, {"inactivecaption", clInactiveCaption},
    {"inactivecaptiontext", clInactiveCaptionText}, {"infobackground", clInfoBk}, {"infotext", clInfoText},
    {"menu", clMenu}, {"menutext", clMenuText}, {"scrollbar", clScrollBar}, {"threeddarkshadow", cl3DDkShadow},
    {"threedface", clBtnFace}, {"threedhighlight", clBtnHighlight}, {"threedlightshadow", cl3DLight},
    {"threedshadow", clBtnShadow}, {"window", clWindow}, {"windowframe", clWindowFrame},
    {"windowtext", clWindowText},
};

bool IsWrapSpace(wchar_t C) { return C == L'\t' || C == L'\n' || C == L'\r' || C == L' '; }

}  // namespace

bool FindNamedColor(const std::string& Name, TColor& Color) {
  for (const TcxColorInfo& c : NamedColors)
    if (SameText(c.Name, Name)) {
      Color = c.Color;
      return true;
    }
  return false;
}

int ClampChannel(int V) { return V < 0 ? 0 : V < 256 ? V : 255; }

TColor BlendSystemColors(int FaceWeight, int HighlightWeight, int WindowWeight) {
  return LightFaceColor(FaceWeight, HighlightWeight, WindowWeight);
}

TColor HighlightBlendColor() { return NearestScreenColor(BlendSystemColors(14, 44, 40)); }
TColor LightHighlightBlendColor() { return NearestScreenColor(BlendSystemColors(-2, 30, 72)); }

// ---------------------------------------------------------------- text

int DrawTextOnDC(HDC DC, const std::string& Text, RECT& R, UINT Format, int Count) {
  std::wstring w = Utf8ToWide(Text);
  if (Count >= 0 && static_cast<size_t>(Count) < w.size()) w.resize(static_cast<size_t>(Count));
  return DrawTextW(DC, w.c_str(), static_cast<int>(w.size()), &R, Format & ~static_cast<UINT>(DT_MODIFYSTRING));
}

bool TextOutClipped(HDC DC, const std::string& Text, POINT P, int Count, UINT Options, const RECT* ClipRect) {
  std::wstring w = Utf8ToWide(Text);
  if (Count >= 0 && static_cast<size_t>(Count) < w.size()) w.resize(static_cast<size_t>(Count));
  return ExtTextOutW(DC, P.x, P.y, Options, ClipRect, w.c_str(), static_cast<UINT>(w.size()), nullptr) != FALSE;
}

bool TextExtentOfString(HDC DC, const std::string& Text, SIZE& Size, int Count) {
  std::wstring w = Utf8ToWide(Text);
  if (Count >= 0 && static_cast<size_t>(Count) < w.size()) w.resize(static_cast<size_t>(Count));
  return GetTextExtentPoint32W(DC, w.c_str(), static_cast<int>(w.size()), &Size) != FALSE;
}

SIZE TextSizeOnDC(HDC DC, const std::string& Text) {
  RECT r;
  FitTextRect(DC, Text, 1, r);
  return SIZE{r.right, r.bottom};
}

void MeasureTextInFont(TFont* Font, const std::string& Text, int PointSize, SIZE& Size) {
  TcxCanvas* c = SharedScreenCanvas();
  c->AssignFontObject(Font);
  if (PointSize != 0) c->FontObject()->SetSize(PointSize);
  Size = c->MeasureText(Text);
}

int TextWidthInFont(TFont* Font, const std::string& Text, int PointSize) {
  SIZE s;
  MeasureTextInFont(Font, Text, PointSize, s);
  return s.cx;
}

void FitTextRect(HDC DC, const std::string& Text, int Rows, RECT& R, bool UseRowsHeight) {
  R = RECT{0, 0, 0, 0};
  if (Rows <= 0) return;
  if (Rows == 1) {
    DrawTextOnDC(DC, Text, R, DT_CALCRECT | DT_SINGLELINE);
    return;
  }
  const int lineHeight = TextSizeOnDC(DC, "Wg").cy;
  const int maxHeight = Rows * lineHeight;
  constexpr UINT wrap = DT_WORDBREAK | DT_CALCRECT | DT_NOFULLWIDTHCHARBREAK;
  auto calc = [&](int Width) {
    RECT r{0, 0, Width, 1};
    DrawTextOnDC(DC, Text, r, wrap);
    return r;
  };
  int minWidth = calc(1).right;
  int maxWidth = TextSizeOnDC(DC, Text).cx;
  while (maxWidth - minWidth > 1) {
    const int mid = (minWidth + maxWidth) / 2;
    if (calc(mid).bottom > maxHeight) minWidth = mid;
    else maxWidth = mid;
  }
  R = calc(minWidth);
  if (R.bottom > maxHeight) R = calc(maxWidth);
  if (UseRowsHeight) R.bottom = maxHeight;
}

void FitTextRectInFont(TFont* Font, const std::string& Text, int Rows, RECT& R) {
  TcxCanvas* c = SharedScreenCanvas();
  c->AssignFontObject(Font);
  FitTextRect(c->DeviceContext(), Text, Rows, R);
}

void FitTextRectInFont(TFont* Font, const std::string& Text, unsigned Flags, RECT& R) {
  TcxCanvas* c = SharedScreenCanvas();
  c->AssignFontObject(Font);
  R.right = R.left + std::max<int>(R.right - R.left, 0);
  RECT m{R.left, R.top, R.right, R.top};
  c->TextExtentInRect(Text, m, Flags & ~(cxAlignHCenter | cxAlignRight | cxAlignBottom | cxAlignVCenter));
  R.right = m.right;
  R.bottom = m.bottom;
}

void WrapTextToLines(const std::string& Text, TcxCanvas* Canvas, const RECT& R, TStrings* Lines) {
  const std::wstring w = Utf8ToWide(Text);
  const int n = static_cast<int>(w.size());
  const int width = R.right - R.left;
  auto secondOfTwo = [&](int i) { return i > 0 && i < n && w[i] == L' ' && w[i - 1] == L' '; };
  auto part = [&](int From, int To) {  // [From, To)
    return WideToUtf8(std::wstring_view(w).substr(static_cast<size_t>(From), static_cast<size_t>(std::max(To - From, 0))));
  };
  // Words as [start, end): spaces before a word are skipped, but the second of
  // two spaces stands as a word of its own.
  int wordEnd = 0;
  auto nextWord = [&](int& Start, int& End) {
    int pos = wordEnd;
    while (pos < n && IsWrapSpace(w[pos]) && !secondOfTwo(pos)) ++pos;
    Start = pos;
    End = pos < n ? pos + 1 : n;
    while (End < n && !IsWrapSpace(w[End]) && !secondOfTwo(End - 1)) ++End;
    wordEnd = End;
  };
  int lineStart = 0, previousEnd = 0;
  HDC dc = Canvas->DeviceContext();
  while (true) {
    int start, end;
    nextWord(start, end);
    if (start >= n) break;  // only spaces are left: they end the last line
    if (TextSizeOnDC(dc, part(lineStart, end)).cx > width) {
      Lines->Add(part(lineStart, previousEnd));
      lineStart = start;
    }
    previousEnd = end;
    if (end >= n) break;
  }
  Lines->Add(part(lineStart, n));
}

void EllipsisText(HDC DC, HFONT Font, const std::string& Text, std::string& Result, int MaxWidth) {
  Result.clear();
  if (Text.empty() || MaxWidth <= 0) return;
  const bool ownDC = DC == nullptr;
  if (ownDC) DC = GetDC(nullptr);
  HGDIOBJ oldFont = Font ? SelectObject(DC, Font) : nullptr;
  const std::wstring w = Utf8ToWide(Text);
  SIZE s{0, 0};
  GetTextExtentPoint32W(DC, w.c_str(), static_cast<int>(w.size()), &s);
  if (s.cx <= MaxWidth) {
    Result = Text;
  } else {
    SIZE dots{0, 0};
    GetTextExtentPoint32W(DC, L"...", 3, &dots);
    const int room = MaxWidth - dots.cx;
    int fit = 0;
    if (room > 0) GetTextExtentExPointW(DC, w.c_str(), static_cast<int>(w.size()), room, &fit, nullptr, &s);
    fit = std::max(fit, 1);
    // A character is never cut in half.
    if (fit < static_cast<int>(w.size()) && w[fit - 1] >= 0xD800 && w[fit - 1] <= 0xDBFF) ++fit;
    Result = WideToUtf8(std::wstring_view(w).substr(0, static_cast<size_t>(fit))) + "...";
  }
  // The caller's DC (or the released screen DC) keeps the font it had.
  if (Font) SelectObject(DC, oldFont);
  if (ownDC) ReleaseDC(nullptr, DC);
}

void InvalidateRectOf(HWND Wnd, const RECT* R, bool Erase) { InvalidateRect(Wnd, R, Erase); }

int ScreenPixelsPerInch(int Index) {
  return GetDeviceCaps(SharedScreenCanvas()->DeviceContext(), Index == 0 ? LOGPIXELSY : LOGPIXELSX);
}

// ---------------------------------------------------------------- GDI objects

bool ReadBitmapInfo(HBITMAP Bitmap, BITMAP& Info) {
  return GetObjectW(Bitmap, sizeof Info, &Info) == static_cast<int>(sizeof Info);
}

bool ReadLogBrush(HBRUSH Brush, LOGBRUSH& Info) {
  return GetObjectW(Brush, sizeof Info, &Info) == static_cast<int>(sizeof Info);
}

bool ReadFontInfo(HFONT Font, LOGFONTW& Info) {
  return GetObjectW(Font, sizeof Info, &Info) == static_cast<int>(sizeof Info);
}

bool ReadPenInfo(HPEN Pen, LOGPEN& Info) { return GetObjectW(Pen, sizeof Info, &Info) == static_cast<int>(sizeof Info); }

// ---------------------------------------------------------------- fonts

bool IsFarEastOrArabicCharset(std::uint8_t Charset, const std::string& FontName) {
  if (Charset == DEFAULT_CHARSET) {
    CHARSETINFO info{};
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<DWORD_PTR>(GetACP())), &info, TCI_SRCCODEPAGE))
      Charset = static_cast<std::uint8_t>(info.ciCharset);
  }
  // A name beginning with a plain ASCII character is a western font name.
  if (!FontName.empty() && static_cast<unsigned char>(FontName[0]) < 0x80) return false;
  return Charset == GB2312_CHARSET || Charset == CHINESEBIG5_CHARSET || Charset == ARABIC_CHARSET;
}

void ResetFontToDefault(TFont* Font) {
  const TFontData& d = DefaultFontData();
  Font->SetCharset(d.Charset);
  Font->SetName(d.Name);
  Font->SetHeight(d.Height);
  Font->SetPitch(d.Pitch);
  Font->SetStyle(d.Style);
}

void ShrinkByBorders(RECT& R, const RECT& Borders) { R = RectDeflatedByBorders(R, Borders); }

// ---------------------------------------------------------------- parents

namespace {

void PaintWindowEdge(TWinControl* Control, TcxCanvas* Canvas) {
  RECT r{0, 0, Control->GetWidth(), Control->GetHeight()};
  const LONG_PTR exStyle = GetWindowLongPtrW(Control->GetHandle(), GWL_EXSTYLE);
  const LONG_PTR style = GetWindowLongPtrW(Control->GetHandle(), GWL_STYLE);
  HDC dc = Canvas->DeviceContext();
  if (exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  else if (style & WS_BORDER) DrawEdge(dc, &r, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
  else return;
  Canvas->IntersectClip(r);
  const POINT o = Canvas->WindowOrigin();
  Canvas->AssignWindowOrigin(POINT{o.x - r.left, o.y - r.top});
}

void PaintControlInto(TWinControl* Control, TControl* Over, TcxCanvas* Canvas, int DX, int DY, RECT R,
                      bool PaintSiblings) {
  Canvas->PushDC();
  const POINT o = Canvas->WindowOrigin();
  Canvas->AssignWindowOrigin(POINT{o.x - DX, o.y - DY});
  if (RectVisible(Canvas->DeviceContext(), &R)) {
    TControlState state = Control->GetControlState();
    Control->SetControlState(state + csPaintCopy);
    if (Over->GetParent() != Control) PaintWindowEdge(Control, Canvas);
    HDC dc = Canvas->DeviceContext();
    Canvas->GetCanvas()->Lock();
    Control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    Canvas->GetCanvas()->Unlock();
    Control->SetControlState(state);
  }
  if (PaintSiblings && Over->GetParent() == Control) {
    for (int i = 0; i < Control->GetControlCount(); ++i) {
      TControl* child = Control->GetControl(i);
      if (child == Over) break;
      auto* windowed = dynamic_cast<TWinControl*>(child);
      if (!windowed || !windowed->GetVisible()) continue;
      PaintControlInto(windowed, Over, Canvas, windowed->GetLeft(), windowed->GetTop(),
                       RECT{0, 0, windowed->GetWidth(), windowed->GetHeight()}, false);
    }
  }
  Canvas->PopDC();
}

}  // namespace

void PaintParentBackground(TControl* Control, TcxCanvas* Canvas, RECT R, bool PaintSiblings) {
  TWinControl* parent = Control ? Control->GetParent() : nullptr;
  if (!parent) return;
  OffsetRect(&R, Control->GetLeft(), Control->GetTop());
  PaintControlInto(parent, Control, Canvas, -R.left, -R.top, R, PaintSiblings);
}

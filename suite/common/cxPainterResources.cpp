#include "suite/common/cxPainterResources.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/StringUtils.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxLookAndFeel.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/cxOffice11Painter.h"

namespace {

TBitmap* ScrollPatterns[2] = {};
TCustomImageList* Indicators = nullptr;
SIZE CheckSize{13, 13};
TcxExtendedStylePainters* Registry = nullptr;
TcxRadioButtonImageList* RadioCache = nullptr;
TcxSystemPaletteChangedNotifier* PaletteNotifier = nullptr;

void StartPainters();
void EndPainters();
TSuiteUnit PaintersUnit(&StartPainters, &EndPainters);

void ColourPattern(TBitmap* Bitmap, TColor Odd, TColor Even) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) Bitmap->GetCanvas()->SetPixels(x, y, ((x + y) % 2) ? Odd : Even);
}

std::uint32_t SwappedRGB(TColor Color) {
  const std::uint32_t c = static_cast<std::uint32_t>(ColorToRGB(Color));
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

}  // namespace

void RefreshScrollPatternBitmaps() {
  for (TBitmap*& b : ScrollPatterns)
    if (!b) {
      b = TBitmap::Create();
      b->SetPixelFormat(pf24bit);
      b->SetSize(8, 8);
    }
  ColourPattern(ScrollPatterns[0], clBtnHighlight, clBtnFace);
  ColourPattern(ScrollPatterns[1], cl3DDkShadow, clBlack);
}

namespace {

// Up to the first missing one, each added with white as its transparent colour.
TCustomImageList* LoadIndicatorImages() {
  static const char* const names[] = {"CX_ARROWBITMAP",    "CX_EDITBITMAP",       "CX_INSERTBITMAP",
                                      "CX_MULTIDOTBITMAP", "CX_MULTIARROWBITMAP", "CX_FILTERBITMAP"};
  TCustomImageList* list = nullptr;
  for (const char* name : names) {
    const std::wstring wide(name, name + std::strlen(name));
    if (!FindResourceW(ModuleInstance(), wide.c_str(), MAKEINTRESOURCEW(2))) break;  // RT_BITMAP
    TOwned<TBitmap> b(TBitmap::Create());
    b->LoadFromResourceName(ModuleInstance(), name);
    if (!list) list = TImageList::Create(b->GetWidth(), b->GetHeight());
    list->AddMasked(b.get(), clWhite);
  }
  return list ? list : TImageList::Create(8, 9);
}

SIZE MeasureCheckBox() {
  SIZE s{13, 13};
  HBITMAP b = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32759));  // OBM_CHECKBOXES
  BITMAP bm{};
  if (b && GetObjectW(b, sizeof bm, &bm) == sizeof bm) s = SIZE{bm.bmWidth / 4, bm.bmHeight / 3};
  if (b) DeleteObject(b);
  return s;
}

void StartPainters() {
  Registry = TcxExtendedStylePainters::Create();
  Indicators = LoadIndicatorImages();
  RefreshScrollPatternBitmaps();
  // System colours change the radio glyphs: they are made again on next use.
  PaletteNotifier = TcxSystemPaletteChangedNotifier::Create(true);
  PaletteNotifier->OnPaletteChanged = TDelegate<void()>(+[] {
    if (RadioCache) RadioCache->Rebuild();
  });
  CheckSize = MeasureCheckBox();
}

void EndPainters() {
  FreeAndNil(PaletteNotifier);
  for (TBitmap*& b : ScrollPatterns) FreeAndNil(b);
  FreeAndNil(Indicators);
  FreeAndNil(RadioCache);
  FreeAndNil(Registry);
}

}  // namespace

TBitmap* ScrollPatternBitmap(int Index) {
  PaintersUnit.Ensure();
  if (!ScrollPatterns[0]) RefreshScrollPatternBitmaps();
  return ScrollPatterns[Index == 1 ? 1 : 0];
}

TCustomImageList* IndicatorImages() {
  PaintersUnit.Ensure();
  return Indicators;
}

SIZE CheckBoxGlyphSize() {
  PaintersUnit.Ensure();
  return CheckSize;
}

// ---------------------------------------------------------------- radio glyphs

namespace {

// A cell-sized 32-bit top-down DIB with its own DC, for measuring glyphs.
struct TScratchCell {
  TScratchCell(int W, int H, COLORREF Fill) : Width(W), Height(H) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DC = CreateCompatibleDC(nullptr);
    Bitmap = CreateDIBSection(DC, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0);
    Old = SelectObject(DC, Bitmap);
    RECT r{0, 0, W, H};
    HBRUSH brush = CreateSolidBrush(Fill);
    FillRect(DC, &r, brush);
    DeleteObject(brush);
  }
  ~TScratchCell() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  COLORREF At(int X, int Y) const {
    if (X < 0 || Y < 0 || X >= Width || Y >= Height) return CLR_INVALID;
    GdiFlush();
    const std::uint32_t v = Bits[static_cast<size_t>(Y) * Width + X];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  int Width, Height;
  HDC DC;
  HBITMAP Bitmap;
  HGDIOBJ Old;
  std::uint32_t* Bits = nullptr;
};

}  // namespace

TcxRadioButtonImageList::TcxRadioButtonImageList() {
  std::fill(std::begin(FIndexOf), std::end(FIndexOf), -1);
  Measure();
  BuildPattern();
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() {
  if (FMask) DeleteObject(FMask);
}

void TcxRadioButtonImageList::Measure() {
  const SIZE cell = CheckBoxGlyphSize();
  {
    TScratchCell c(cell.cx, cell.cy, RGB(0, 0, 0));
    RECT r{0, 0, cell.cx, cell.cy};
    DrawFrameControl(c.DC, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    FFirstColumn = FFirstRow = -1;
    FWidth = FHeight = 0;
    for (int x = 0; x < cell.cx; ++x)
      for (int y = 0; y < cell.cy; ++y)
        if (c.At(x, y) == RGB(0, 0, 0)) {
          if (FFirstColumn < 0) FFirstColumn = x;
          ++FWidth;
          break;
        }
    for (int y = 0; y < cell.cy; ++y)
      for (int x = 0; x < cell.cx; ++x)
        if (c.At(x, y) == RGB(0, 0, 0)) {
          if (FFirstRow < 0) FFirstRow = y;
          ++FHeight;
          break;
        }
    FFirstColumn = std::max(FFirstColumn, 0);
    FFirstRow = std::max(FFirstRow, 0);
  }
  TScratchCell c(cell.cx, cell.cy, RGB(0, 0, 0));
  RECT r{0, 0, cell.cx, cell.cy};
  DrawFrameControl(c.DC, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
  const COLORREF dot = static_cast<COLORREF>(ColorToRGB(clWindowText));
  // The walks start at the circle's centre pixel, which lies inside the dot for
  // glyphs of odd and even size alike.
  const int cx = FFirstColumn + FWidth / 2, cy = FFirstRow + FHeight / 2;
  int top = cy;
  for (int y = cy; c.At(cx, y) == dot; --y) top = y;
  int bottom = top;
  while (c.At(cx, bottom) == dot) ++bottom;
  int left = cx;
  for (int x = cx; c.At(x, cy) == dot; --x) left = x;
  int right = left;
  while (c.At(right, cy) == dot) ++right;
  FDot = RECT{left, top, right, bottom};
}

void TcxRadioButtonImageList::BuildPattern() {
  const int w = FWidth, h = FHeight;
  FClasses.assign(static_cast<size_t>(w) * h, 0);
  if (w <= 0 || h <= 0) return;
  auto at = [&](int i, int j) -> unsigned char& { return FClasses[static_cast<size_t>(i) * w + j]; };
  // Below the diagonal from lower-left to upper-right: the lower-right half.
  auto lowerRight = [&](int i, int j) { return (h - 1) * (w - j - 1) < i * (w - 1); };
  {
    TScratchCell c(w, h, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(c.DC, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(c.DC, GetStockObject(NULL_BRUSH));
    RoundRect(c.DC, 0, 0, w, h, w - 1, h - 1);
    SelectObject(c.DC, oldBrush);
    SelectObject(c.DC, oldPen);
    for (int i = 0; i < h; ++i)
      for (int j = 0; j < w; ++j)
        if (c.At(j, i) == RGB(0, 0, 0)) at(i, j) = lowerRight(i, j) ? 2 : 1;
  }
  const int mid = w / 2;
  for (int i = 1; i < h - 1; ++i) {
    for (int j = mid; j < w && at(i, j) == 0; ++j) at(i, j) = 5;
    for (int j = mid - 1; j >= 0 && at(i, j) == 0; --j) at(i, j) = 5;
  }
  auto ringClass = [&](int i, int j) -> unsigned char {
    const int d = (h - 1) * (w - j - 1) - i * (w - 1);
    if (d == 0) return j > mid ? 4 : 3;
    return d < 0 ? 4 : 3;
  };
  std::vector<unsigned char> body = FClasses;
  for (int i = 1; i < h - 1; ++i)
    for (int j = 0; j < w; ++j) {
      if (body[static_cast<size_t>(i) * w + j] != 5) continue;
      bool edge = i == 1 || i == h - 2 || j == 1 || j == w - 2;
      for (int di = -1; di <= 1 && !edge; ++di)
        for (int dj = -1; dj <= 1 && !edge; ++dj) {
          const int ii = i + di, jj = j + dj;
          if (ii < 0 || jj < 0 || ii >= h || jj >= w) continue;
          const unsigned char k = body[static_cast<size_t>(ii) * w + jj];
          edge = k == 1 || k == 2;
        }
      if (edge) at(i, j) = ringClass(i, j);
    }
  {
    TScratchCell c(w, h, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(c.DC, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(c.DC, GetStockObject(BLACK_BRUSH));
    RECT d = FDot;
    OffsetRect(&d, -FFirstColumn, -FFirstRow);
    RoundRect(c.DC, d.left, d.top, d.right, d.bottom, d.right - d.left, d.bottom - d.top);
    SelectObject(c.DC, oldBrush);
    SelectObject(c.DC, oldPen);
    for (int i = 0; i < h; ++i)
      for (int j = 0; j < w; ++j)
        if (c.At(j, i) == RGB(0, 0, 0) && at(i, j) >= 3) at(i, j) = 6;
  }
  // The mask: black (drawn) inside the circle, white (transparent) outside.
  FMask = CreateBitmap(w, h, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FMask);
  PatBlt(dc, 0, 0, w, h, WHITENESS);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  RoundRect(dc, 0, 0, w, h, w - 1, h - 1);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  SelectObject(dc, old);
  DeleteDC(dc);
}

int TcxRadioButtonImageList::KeyIndex(const TcxRadioGlyphKey& Key) {
  // The default state has no glyph of its own: it looks like the normal one.
  const int state = Key.State == pbsDefault ? pbsNormal : Key.State;
  return state + 8 * Key.Kind + 4 * (Key.Checked ? 1 : 0) + 32 * (Key.Marked ? 1 : 0) + 64 * (Key.Highlighted ? 1 : 0) -
         1;
}

TColor TcxRadioButtonImageList::ClassColor(int PixelClass, const TcxRadioGlyphKey& Key) {
  const TcxPaintButtonState s = Key.State == pbsDefault ? pbsNormal : Key.State;
  const bool disabled = s == pbsDisabled;
  auto body = [&]() -> TColor {
    switch (Key.Kind) {
      case lfFlat:
      case lfStandard: return (disabled || s == pbsPressed) ? clBtnFace : clWindow;
      case lfUltraFlat:
        return disabled ? clBtnFace : s == pbsHot ? LightHighlightBlendColor() : s == pbsPressed ? HighlightBlendColor() : clWindow;
      case lfOffice11: return s == pbsNormal ? clWindow : Office11RadioFaceColor(s);
    }
    return clWindow;
  };
  switch (PixelClass) {
    case 1:
    case 2:
      switch (Key.Kind) {
        case lfFlat:
        case lfStandard: return PixelClass == 1 ? clBtnShadow : clBtnHighlight;
        case lfUltraFlat:
          return ((Key.Highlighted || s == pbsHot || s == pbsPressed || Key.Marked) && !disabled) ? clHighlight : clBtnShadow;
        case lfOffice11:
          if (disabled) return Office11RadioDisabledColor();
          return (Key.Highlighted || s == pbsHot || s == pbsPressed || Key.Marked) ? Office11RadioHotFrameColor() : clBtnText;
      }
      break;
    case 3:
    case 4:
      if (Key.Kind == lfFlat) return cl3DLight;
      if (Key.Kind == lfStandard) return PixelClass == 3 ? cl3DDkShadow : cl3DLight;
      return body();
    case 5: return body();
    case 6:
      if (!Key.Checked) return body();
      if (disabled) return Key.Kind == lfOffice11 ? Office11RadioDisabledColor() : clBtnShadow;
      return clWindowText;
    default: break;
  }
  return clBlack;
}

void TcxRadioButtonImageList::PrepareImages() {
  FImages.reset(TImageList::Create(std::max(FWidth, 1), std::max(FHeight, 1)));
  FImages->SetColorDepth(cd32Bit);
  FImages->SetMasked(true);
  TOwned<TBitmap> mask(TBitmap::Create());
  mask->SetHandle(static_cast<HBITMAP>(CopyImage(FMask, IMAGE_BITMAP, 0, 0, 0)));
  for (int marked = 0; marked < 2; ++marked)
    for (int highlighted = 0; highlighted < 2; ++highlighted)
      for (int kind = lfFlat; kind <= lfOffice11; ++kind)
        for (int checked = 0; checked < 2; ++checked)
          for (int state = pbsNormal; state <= pbsDisabled; ++state) {
            const TcxRadioGlyphKey key{static_cast<TcxPaintButtonState>(state), checked != 0,
                                       static_cast<TcxLookAndFeelKind>(kind), highlighted != 0, marked != 0};
            std::uint32_t colours[7];
            for (int k = 0; k < 7; ++k) colours[k] = k == 0 ? 0 : SwappedRGB(ClassColor(k, key));
            TOwned<TBitmap> image(TBitmap::Create());
            image->SetPixelFormat(pf32bit);
            image->SetSize(FWidth, FHeight);
            for (int y = 0; y < FHeight; ++y) {
              auto* row = static_cast<std::uint32_t*>(image->ScanLine(y));
              for (int x = 0; x < FWidth; ++x) row[x] = colours[PixelClassAt(x, y)];
            }
            FIndexOf[KeyIndex(key)] = FImages->Add(image.get(), mask.get());
          }
}

void TcxRadioButtonImageList::Rebuild() { FImages.reset(); }

void TcxRadioButtonImageList::PaintGlyph(TcxCanvas* Canvas, int X, int Y, const TcxRadioGlyphKey& Key,
                                         TColor BrushColor) {
  if (FWidth <= 0 || FHeight <= 0) return;
  if (!FImages) PrepareImages();
  const int index = FIndexOf[KeyIndex(Key)];
  if (index < 0) return;
  if (BrushColor == clDefault) {
    FImages->Draw(Canvas->GetCanvas(), X, Y, index);
    return;
  }
  TOwned<TBitmap> square(TBitmap::Create());
  square->SetPixelFormat(pf24bit);
  square->SetSize(FWidth, FHeight);
  square->GetCanvas()->GetBrush()->SetColor(BrushColor);
  square->GetCanvas()->FillRect(RECT{0, 0, FWidth, FHeight});
  FImages->Draw(square->GetCanvas(), 0, 0, index);
  Canvas->DrawGraphic(X, Y, square.get());
}

TcxRadioButtonImageList* RadioGlyphCache() {
  PaintersUnit.Ensure();
  if (!RadioCache) RadioCache = TcxRadioButtonImageList::Create();
  return RadioCache;
}

// ---------------------------------------------------------------- skin painters

bool TcxExtendedStylePainters::FindPainter(const std::string& Name, TcxLookAndFeelPainterClass& Painter) const {
  const int i = IndexOfName(Name);
  Painter = i >= 0 ? FEntries[static_cast<size_t>(i)].Painter : nullptr;
  return i >= 0;
}

int TcxExtendedStylePainters::IndexOfName(const std::string& Name) const {
  for (size_t i = 0; i < FEntries.size(); ++i)
    if (SameText(FEntries[i].Name, Name)) return static_cast<int>(i);
  return -1;
}

void TcxExtendedStylePainters::RegisterListener(IcxSkinPainterListener* Listener) {
  if (Listener && !HasListener(Listener)) FListeners.push_back(Listener);
}

void TcxExtendedStylePainters::UnregisterListener(IcxSkinPainterListener* Listener) {
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), Listener), FListeners.end());
}

bool TcxExtendedStylePainters::HasListener(IcxSkinPainterListener* Listener) const {
  return std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end();
}

TcxExtendedStylePainters* StylePainterRegistry() {
  PaintersUnit.Ensure();
  return Registry;
}

TcxExtendedStylePainters* ExistingStylePainterRegistry() { return Registry; }

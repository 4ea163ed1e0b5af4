#include "framework/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "framework/DibFormat.h"
#include "framework/Unicode.h"

int PixelFormatBits(TPixelFormat Format) {
  static const int bits[] = {0, 1, 4, 8, 16, 16, 24, 32, 0};
  return bits[Format];
}

namespace {

// The layout of a new DIB of a format; the 16-bit 5-6-5 format needs masks.
TDibLayout LayoutForFormat(TPixelFormat Format, int Width, int Height) {
  TDibLayout l;
  l.Width = Width;
  l.Height = Height;
  l.BitCount = PixelFormatBits(Format);
  if (Format == pf16bit) {
    l.Compression = BI_BITFIELDS;
    l.Masks[0] = 0xF800;
    l.Masks[1] = 0x07E0;
    l.Masks[2] = 0x001F;
  }
  l.Colors = DefaultColorTable(l.BitCount);
  return l;
}

TPixelFormat FormatOfLayout(const TDibLayout& l) {
  switch (l.BitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    case 16:
      if (l.Compression == BI_RGB) return pf15bit;
      if (l.Masks[0] == 0x7C00 && l.Masks[1] == 0x03E0 && l.Masks[2] == 0x001F) return pf15bit;
      if (l.Masks[0] == 0xF800 && l.Masks[1] == 0x07E0 && l.Masks[2] == 0x001F) return pf16bit;
      return pfCustom;
    case 32:
      if (l.Compression == BI_RGB) return pf32bit;
      if (l.Masks[0] == 0xFF0000 && l.Masks[1] == 0xFF00 && l.Masks[2] == 0xFF) return pf32bit;
      return pfCustom;
    default: return pfCustom;
  }
}

HBITMAP CreateDib(const TDibLayout& l, void** bits) {
  std::vector<std::uint8_t> info = l.MakeInfo();
  HDC screen = GetDC(nullptr);
  HBITMAP h = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!h) throw EOutOfMemory("Out of system resources");
  return h;
}

HBITMAP CreateDevice(int Width, int Height, bool Mono) {
  HBITMAP h;
  if (Mono) {
    h = CreateBitmap(Width, Height, 1, 1, nullptr);
  } else {
    HDC screen = GetDC(nullptr);
    h = CreateCompatibleBitmap(screen, Width, Height);
    ReleaseDC(nullptr, screen);
  }
  if (!h) throw EOutOfMemory("Out of system resources");
  return h;
}

// The address of a DIB section's top row y.
// The direction is passed in: not every system keeps the sign of the height in
// the section's header.
std::uint8_t* DibRow(const DIBSECTION& ds, bool topDown, int y) {
  auto* bits = static_cast<std::uint8_t*>(ds.dsBm.bmBits);
  int h = ds.dsBm.bmHeight;
  return bits + static_cast<std::size_t>(topDown ? y : h - 1 - y) * ds.dsBm.bmWidthBytes;
}

bool GetDib(HBITMAP h, DIBSECTION& ds) {
  return h && GetObjectW(h, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits != nullptr;
}

// The layout of an existing DIB section; the colour table is read through a
// device context that has it selected.
TDibLayout LayoutOfDib(const DIBSECTION& ds, bool topDown, HDC SelectedIn) {
  TDibLayout l;
  l.Width = ds.dsBm.bmWidth;
  l.Height = ds.dsBm.bmHeight;
  l.TopDown = topDown;
  l.BitCount = ds.dsBm.bmBitsPixel;
  l.Compression = ds.dsBmih.biCompression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
  if (l.Compression == BI_BITFIELDS)
    for (int i = 0; i < 3; ++i) l.Masks[i] = ds.dsBitfields[i];
  if (l.BitCount <= 8) {
    l.Colors.assign(std::size_t(1) << l.BitCount, RGBQUAD{0, 0, 0, 0});
    UINT n = SelectedIn ? GetDIBColorTable(SelectedIn, 0, static_cast<UINT>(l.Colors.size()), l.Colors.data()) : 0;
    if (n == 0) l.Colors = DefaultColorTable(l.BitCount);
  }
  return l;
}

// Copies the top-left overlap of two DIB sections of one layout row by row, so
// every byte (alpha included) arrives unchanged.
void CopyDibRows(const DIBSECTION& from, bool fromTopDown, const DIBSECTION& to, bool toTopDown) {
  int rows = std::min(from.dsBm.bmHeight, to.dsBm.bmHeight);
  int bits = std::min(from.dsBm.bmWidth, to.dsBm.bmWidth) * from.dsBm.bmBitsPixel;
  int full = bits / 8, rest = bits % 8;
  auto keep = static_cast<std::uint8_t>(0xFF00 >> rest);  // the leading bits of the last byte
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* s = DibRow(from, fromTopDown, y);
    std::uint8_t* d = DibRow(to, toTopDown, y);
    std::memcpy(d, s, static_cast<std::size_t>(full));
    if (rest) d[full] = static_cast<std::uint8_t>((s[full] & keep) | (d[full] & ~keep));
  }
}

// Whether an adopted DIB section is top-down. The header's sign tells on most
// systems; where it was normalised away, the first byte of memory is flipped
// for a moment and row 0 is checked for the change.
bool IsTopDown(HBITMAP h, const DIBSECTION& ds) {
  if (ds.dsBmih.biHeight < 0) return true;
  if (ds.dsBm.bmHeight < 2) return false;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, h);
  GdiFlush();
  auto* first = static_cast<volatile std::uint8_t*>(ds.dsBm.bmBits);
  std::uint8_t saved = *first;
  COLORREF before = GetPixel(dc, 0, 0);
  *first = static_cast<std::uint8_t>(saved ^ 0xFF);
  COLORREF after = GetPixel(dc, 0, 0);
  *first = saved;
  SelectObject(dc, old);
  DeleteDC(dc);
  return before != after;
}

class TScratchDC {
public:
  explicit TScratchDC(HBITMAP bmp) : FDC(CreateCompatibleDC(nullptr)), FOld(SelectObject(FDC, bmp)) {}
  ~TScratchDC() {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
  }
  TScratchDC(const TScratchDC&) = delete;
  TScratchDC& operator=(const TScratchDC&) = delete;
  operator HDC() const { return FDC; }

private:
  HDC FDC;
  HGDIOBJ FOld;
};

}  // namespace

// ---------------------------------------------------------------- TBitmapCanvas

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  FBitmap->HandleNeeded();
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) throw EOutOfMemory("Out of system resources");
  if (FBitmap->FHandle) FOldBitmap = SelectObject(dc, FBitmap->FHandle);
  if (FBitmap->FPalette) {
    FOldPalette = SelectPalette(dc, FBitmap->FPalette, TRUE);
    RealizePalette(dc);
  }
  SetHandle(dc);
}

void TBitmapCanvas::FreeContext() {
  if (!HandleAllocated()) return;
  HDC dc = GetHandleQuiet();
  SetHandle(nullptr);
  if (FOldBitmap) SelectObject(dc, FOldBitmap);
  if (FOldPalette) SelectPalette(dc, FOldPalette, TRUE);
  FOldBitmap = nullptr;
  FOldPalette = nullptr;
  DeleteDC(dc);
}

HDC TBitmapCanvas::Context() {
  RequiredState({csHandleValid});
  return GetHandleQuiet();
}

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  FreeHandles();
}



bool TBitmap::GetEmpty() const { return FWidth == 0 || FHeight == 0; }

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) {
    FCanvas.reset(TBitmapCanvas::Create(this));
    FCanvas->OnChanging = Bind(this, &TBitmap::CanvasChanging);
    FCanvas->OnChange = Bind(this, &TBitmap::CanvasChanged);
  }
  return FCanvas.get();
}

HDC TBitmap::Context() {
  GetCanvas();
  return FCanvas->Context();
}

void TBitmap::CanvasChanging(TObject*) { Changing(this); }

void TBitmap::CanvasChanged(TObject*) { Changed(this); }

void TBitmap::Changing(TObject*) {
  // The mask and the automatic transparent colour follow the pixels.
  if (FMaskHandle && !FMaskGiven) {
    DeleteObject(FMaskHandle);
    FMaskHandle = nullptr;
  }
}

void TBitmap::Changed(TObject* Sender) { TGraphic::Changed(Sender); }

void TBitmap::FreeHandles() {
  if (FCanvas) FCanvas->FreeContext();
  if (FHandle) DeleteObject(FHandle);
  if (FMaskHandle) DeleteObject(FMaskHandle);
  if (FPalette) DeleteObject(FPalette);
  FHandle = nullptr;
  FMaskHandle = nullptr;
  FMaskGiven = false;
  FPalette = nullptr;
}

void TBitmap::HandleNeeded() {
  if (FHandle || FDormantData.empty()) return;
  std::vector<std::uint8_t> data;
  data.swap(FDormantData);
  bool device = FHandleType == bmDDB;
  bool mono = FMonochrome;
  TDibImage img = ParseBmpFile(data.data(), data.size());
  AdoptImage(img);
  if (device) Reshape(pfDevice, mono, FWidth, FHeight);
  FMonochrome = mono;
}

void TBitmap::AdoptImage(const TDibImage& img) {
  void* bits = nullptr;
  HBITMAP h = CreateDib(img.Layout, &bits);
  GdiFlush();
  std::memcpy(bits, img.Bits.data(), img.Layout.ImageSize());
  ReplaceHandle(h, img.Layout.TopDown);
}

void TBitmap::ReplaceHandle(HBITMAP Handle, bool TopDown) {
  if (FCanvas) FCanvas->FreeContext();
  if (FHandle) DeleteObject(FHandle);
  if (FMaskHandle && !FMaskGiven) {
    DeleteObject(FMaskHandle);
    FMaskHandle = nullptr;
  }
  FHandle = Handle;
  FTopDown = TopDown;
  FDormantData.clear();
  if (!Handle) return;
  DIBSECTION ds{};
  if (GetDib(Handle, ds)) {
    FHandleType = bmDIB;
    FWidth = ds.dsBm.bmWidth;
    FHeight = ds.dsBm.bmHeight;
    FPixelFormat = FormatOfLayout(LayoutOfDib(ds, TopDown, nullptr));
    FMonochrome = ds.dsBm.bmBitsPixel == 1;
  } else {
    BITMAP bm{};
    GetObjectW(Handle, sizeof bm, &bm);
    FHandleType = bmDDB;
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight;
    FPixelFormat = pfDevice;
    FMonochrome = bm.bmPlanes == 1 && bm.bmBitsPixel == 1;
  }
}

HBITMAP TBitmap::CopyToNew(TPixelFormat Format, bool Mono, int Width, int Height, bool& TopDown) {
  HBITMAP made;
  TDibLayout l;
  DIBSECTION old{};
  bool oldIsDib = GetDib(FHandle, old);
  if (Format == pfDevice) {
    made = CreateDevice(Width, Height, Mono);
  } else {
    if (oldIsDib && (Format == pfCustom || Format == FPixelFormat)) {
      l = LayoutOfDib(old, FTopDown, Context());  // same layout, same colours
      l.Width = Width;
      l.Height = Height;
    } else {
      l = LayoutForFormat(Format, Width, Height);
    }
    void* bits = nullptr;
    made = CreateDib(l, &bits);
  }
  TopDown = l.TopDown;
  {
    TScratchDC dst(made);
    PatBlt(dst, 0, 0, Width, Height, WHITENESS);
    if (FHandle) {
      DIBSECTION now{};
      if (oldIsDib && GetDib(made, now) && now.dsBm.bmBitsPixel == old.dsBm.bmBitsPixel &&
          now.dsBmih.biCompression == old.dsBmih.biCompression) {
        GdiFlush();
        CopyDibRows(old, FTopDown, now, l.TopDown);
      } else {
        HDC src = Context();
        // Colour to monochrome turns the source's background colour white, so
        // white stays white; monochrome to colour uses the target's colours.
        COLORREF srcBk = SetBkColor(src, RGB(255, 255, 255));
        SetTextColor(dst, RGB(0, 0, 0));
        SetBkColor(dst, RGB(255, 255, 255));
        BitBlt(dst, 0, 0, std::min(Width, FWidth), std::min(Height, FHeight), src, 0, 0, SRCCOPY);
        SetBkColor(src, srcBk);
      }
    }
  }
  return made;
}

void TBitmap::Reshape(TPixelFormat Format, bool Mono, int Width, int Height) {
  bool topDown = false;
  HBITMAP made = CopyToNew(Format, Mono, Width, Height, topDown);
  ReplaceHandle(made, topDown);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  HandleNeeded();
  Changing(this);
  TPixelFormat format = FPixelFormat;
  bool mono = FMonochrome;
  TBitmapHandleType type = FHandleType;
  if (AWidth && AHeight) Reshape(type == bmDDB ? pfDevice : format, mono, AWidth, AHeight);
  else ReplaceHandle(nullptr);
  // An empty bitmap keeps the other side and the format it is to have.
  FPixelFormat = format;
  FHandleType = type;
  FMonochrome = mono;
  FWidth = AWidth;
  FHeight = AHeight;
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pfCustom || Value == FPixelFormat) return;
  HandleNeeded();
  Changing(this);
  if (FHandle) Reshape(Value, false, FWidth, FHeight);
  FPixelFormat = Value;
  FHandleType = Value == pfDevice ? bmDDB : bmDIB;
  FMonochrome = Value == pf1bit;
  Changed(this);
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == FHandleType) return;
  if (Value == bmDDB) {
    SetPixelFormat(pfDevice);
    return;
  }
  // A device bitmap becomes a DIB of the screen's depth (1 bit when monochrome).
  TPixelFormat format = pf32bit;
  if (FMonochrome) {
    format = pf1bit;
  } else {
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    if (bits <= 1) format = pf1bit;
    else if (bits <= 4) format = pf4bit;
    else if (bits <= 8) format = pf8bit;
    else if (bits <= 16) format = pf16bit;
    else if (bits <= 24) format = pf24bit;
  }
  SetPixelFormat(format);
}

bool TBitmap::GetMonochrome() const { return FMonochrome; }

void TBitmap::SetMonochrome(bool Value) {
  if (Value == FMonochrome) return;
  HandleNeeded();
  Changing(this);
  if (FHandle) Reshape(pfDevice, Value, FWidth, FHeight);
  FPixelFormat = pfDevice;
  FHandleType = bmDDB;
  FMonochrome = Value;
  Changed(this);
}

HPALETTE TBitmap::GetPalette() {
  HandleNeeded();
  if (FPalette || !FHandle || FHandleType != bmDIB || PixelFormatBits(FPixelFormat) > 8 || FPixelFormat == pfCustom)
    return FPalette;
  DIBSECTION ds{};
  if (!GetDib(FHandle, ds)) return nullptr;
  TDibLayout l = LayoutOfDib(ds, FTopDown, Context());
  std::vector<std::uint8_t> buf(sizeof(LOGPALETTE) + l.Colors.size() * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(l.Colors.size());
  for (std::size_t i = 0; i < l.Colors.size(); ++i)
    lp->palPalEntry[i] = PALETTEENTRY{l.Colors[i].rgbRed, l.Colors[i].rgbGreen, l.Colors[i].rgbBlue, 0};
  FPalette = CreatePalette(lp);
  return FPalette;
}

void TBitmap::SetPalette(HPALETTE Value) {
  HandleNeeded();
  if (Value == FPalette) return;
  Changing(this);
  if (FCanvas) FCanvas->FreeContext();
  if (FPalette) DeleteObject(FPalette);
  FPalette = Value;  // owned from now on
  DIBSECTION ds{};
  if (Value && GetDib(FHandle, ds) && ds.dsBm.bmBitsPixel <= 8) {
    PALETTEENTRY entries[256];
    UINT n = GetPaletteEntries(Value, 0, 256, entries);
    RGBQUAD colors[256];
    for (UINT i = 0; i < n; ++i) colors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    TScratchDC dc(FHandle);
    SetDIBColorTable(dc, 0, std::min<UINT>(n, 1u << ds.dsBm.bmBitsPixel), colors);
  }
  Changed(this);
}

HPALETTE TBitmap::ReleasePalette() {
  HandleNeeded();
  if (FCanvas) FCanvas->FreeContext();
  HPALETTE p = FPalette;
  FPalette = nullptr;
  return p;
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

HBITMAP TBitmap::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value && Value == FHandle) return;
  Changing(this);
  DIBSECTION ds{};
  ReplaceHandle(Value, GetDib(Value, ds) && IsTopDown(Value, ds));
  if (!Value) {
    FWidth = FHeight = 0;
  }
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  HandleNeeded();
  if (FCanvas) FCanvas->FreeContext();
  HBITMAP h = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  if (FMaskHandle && !FMaskGiven) {
    DeleteObject(FMaskHandle);
    FMaskHandle = nullptr;
  }
  return h;
}

void* TBitmap::ScanLine(int Row) {
  HandleNeeded();
  if (Row < 0 || Row >= FHeight || !FHandle) throw EInvalidGraphicOperation("Scan line index out of range");
  if (FHandleType == bmDDB) SetHandleType(bmDIB);
  Changing(this);
  DIBSECTION ds{};
  if (!GetDib(FHandle, ds)) throw EInvalidGraphicOperation("Scan line index out of range");
  GdiFlush();
  return DibRow(ds, FTopDown, Row);
}

TColor TBitmap::GetTransparentColor() {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  HandleNeeded();
  if (!FHandle) return clDefault;
  return static_cast<TColor>(GetPixel(Context(), 0, FHeight - 1) & 0xFFFFFF);
}

void TBitmap::SetTransparentColor(TColor Value) {
  TTransparentMode mode = Value == clDefault ? tmAuto : tmFixed;
  if (Value == FTransparentColor && mode == FTransparentMode) return;
  Changing(this);
  FTransparentColor = Value;
  FTransparentMode = mode;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto) SetTransparentColor(clDefault);
  else SetTransparentColor(GetTransparentColor());
}

HBITMAP TBitmap::MakeMask(TColor Color) {
  HandleNeeded();
  if (!FHandle) return nullptr;
  HDC src = Context();
  HBITMAP mask = CreateDevice(FWidth, FHeight, true);
  TScratchDC dst(mask);
  COLORREF oldBk = SetBkColor(src, static_cast<COLORREF>(ColorToRGB(Color)));
  BitBlt(dst, 0, 0, FWidth, FHeight, src, 0, 0, SRCCOPY);
  SetBkColor(src, oldBk);
  return mask;
}

HBITMAP TBitmap::GetMaskHandle() {
  if (!FMaskHandle) {
    FMaskHandle = MakeMask(GetTransparentColor());
    FMaskGiven = false;
  }
  return FMaskHandle;
}

void TBitmap::SetMaskHandle(HBITMAP Value) {
  if (Value == FMaskHandle) return;
  if (FMaskHandle) DeleteObject(FMaskHandle);
  FMaskHandle = Value;
  FMaskGiven = Value != nullptr;
}

HBITMAP TBitmap::ReleaseMaskHandle() {
  HBITMAP h = GetMaskHandle();
  FMaskHandle = nullptr;
  FMaskGiven = false;
  return h;
}

void TBitmap::Mask(TColor Color) {
  HBITMAP mask = MakeMask(Color);
  if (!mask) return;
  Changing(this);
  ReplaceHandle(mask);
  Changed(this);
}

void TBitmap::Draw(TCanvas* ACanvas, const RECT& Rect) {
  HandleNeeded();
  if (!FHandle || !ACanvas) return;
  int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w == 0 || h == 0) return;
  HDC dst = ACanvas->GetHandle();
  HDC src = Context();
  bool stretched = w != FWidth || h != FHeight;
  int oldMode = stretched ? SetStretchBltMode(dst, COLORONCOLOR) : 0;
  if (GetTransparent()) {
    HBITMAP mask = GetMaskHandle();
    // Composed off-screen: the picture is xor-ed in, the mask clears what is
    // opaque, and the second xor leaves the picture there and the background
    // elsewhere. The scratch bitmap spares a visible surface the middle steps.
    int aw = w < 0 ? -w : w, ah = h < 0 ? -h : h;
    int left = std::min(Rect.left, Rect.right), top = std::min(Rect.top, Rect.bottom);
    HDC work = CreateCompatibleDC(dst);
    HBITMAP workBmp = CreateCompatibleBitmap(dst, aw, ah);
    HGDIOBJ oldWork = SelectObject(work, workBmp);
    BitBlt(work, 0, 0, aw, ah, dst, left, top, SRCCOPY);
    SetStretchBltMode(work, COLORONCOLOR);
    SetTextColor(work, RGB(0, 0, 0));
    SetBkColor(work, RGB(255, 255, 255));
    int dx = w < 0 ? aw - 1 : 0, dy = h < 0 ? ah - 1 : 0;
    StretchBlt(work, dx, dy, w, h, src, 0, 0, FWidth, FHeight, SRCINVERT);
    TScratchDC maskDC(mask);
    StretchBlt(work, dx, dy, w, h, maskDC, 0, 0, FWidth, FHeight, SRCAND);
    StretchBlt(work, dx, dy, w, h, src, 0, 0, FWidth, FHeight, SRCINVERT);
    BitBlt(dst, left, top, aw, ah, work, 0, 0, SRCCOPY);
    SelectObject(work, oldWork);
    DeleteObject(workBmp);
    DeleteDC(work);
  } else {
    StretchBlt(dst, Rect.left, Rect.top, w, h, src, 0, 0, FWidth, FHeight, ACanvas->GetCopyMode());
  }
  if (stretched) SetStretchBltMode(dst, oldMode);
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    Changing(this);
    ReplaceHandle(nullptr);
    FWidth = FHeight = 0;
    Changed(this);
    return;
  }
  auto* src = dynamic_cast<TBitmap*>(Source);
  if (!src) {
    TGraphic::Assign(Source);
    return;
  }
  if (src == this) return;
  src->HandleNeeded();
  Changing(this);
  HBITMAP copy = nullptr;
  DIBSECTION ds{};
  if (GetDib(src->FHandle, ds)) {
    TDibLayout l = LayoutOfDib(ds, src->FTopDown, src->Context());
    void* bits = nullptr;
    copy = CreateDib(l, &bits);
    DIBSECTION now{};
    GetDib(copy, now);
    GdiFlush();
    CopyDibRows(ds, src->FTopDown, now, l.TopDown);
  } else if (src->FHandle) {
    copy = CreateDevice(src->FWidth, src->FHeight, src->FMonochrome);
    TScratchDC dst(copy);
    BitBlt(dst, 0, 0, src->FWidth, src->FHeight, src->Context(), 0, 0, SRCCOPY);
  }
  ReplaceHandle(copy, src->FTopDown);
  FWidth = src->FWidth;
  FHeight = src->FHeight;
  FPixelFormat = src->FPixelFormat;
  FHandleType = src->FHandleType;
  FMonochrome = src->FMonochrome;
  FTransparentMode = src->FTransparentMode;
  FTransparentColor = src->FTransparentColor;
  TGraphic::SetTransparent(src->GetTransparent());
  Changed(this);
}

void TBitmap::Dormant() {
  if (!FHandle) return;
  bool device = FHandleType == bmDDB;
  bool mono = FMonochrome;
  TPixelFormat format = FPixelFormat;
  std::vector<std::uint8_t> data = SaveToBytes();
  FreeHandles();
  FDormantData.swap(data);
  FHandleType = device ? bmDDB : bmDIB;
  FMonochrome = mono;
  FPixelFormat = format;
}

void TBitmap::FreeImage() { HandleNeeded(); }

std::vector<std::uint8_t> TBitmap::SaveToBytes() {
  if (!FDormantData.empty()) return FDormantData;
  if (!FHandle) return {};
  DIBSECTION ds{};
  if (GetDib(FHandle, ds)) {
    TDibLayout l = LayoutOfDib(ds, FTopDown, Context());
    GdiFlush();
    return WriteBmpFile(l, static_cast<const std::uint8_t*>(ds.dsBm.bmBits));
  }
  // Device bitmaps are written as 24-bit pictures (1-bit when monochrome).
  TDibLayout l = LayoutForFormat(FMonochrome ? pf1bit : pf24bit, FWidth, FHeight);
  std::vector<std::uint8_t> info = l.MakeInfo();
  std::vector<std::uint8_t> bits(l.ImageSize());
  // GetDIBits wants the bitmap selected nowhere.
  if (FCanvas) FCanvas->FreeContext();
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, FHandle, 0, static_cast<UINT>(FHeight), bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()),
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return WriteBmpFile(l, bits.data());
}

void TBitmap::LoadFromBytes(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) {
    Assign(nullptr);
    return;
  }
  TDibImage img = ParseBmpFile(Data, Size);  // raises before anything changes
  Changing(this);
  AdoptImage(img);
  Changed(this);
}

namespace {
void LoadResourceBitmap(TBitmap* bmp, HINSTANCE inst, LPCWSTR name, const std::string& shownName) {
  HRSRC res = FindResourceW(inst, name, MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL mem = res ? LoadResource(inst, res) : nullptr;
  const void* p = mem ? LockResource(mem) : nullptr;
  if (!p) throw EResNotFound("Resource %s not found", {shownName});
  TDibImage img = ParseDib(static_cast<const std::uint8_t*>(p), SizeofResource(inst, res), -1);
  std::vector<std::uint8_t> file = WriteBmpFile(img.Layout, img.Bits.data());
  bmp->LoadFromBytes(file.data(), file.size());
}
}  // namespace

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName) {
  std::wstring name = Utf8ToWide(ResName);
  LoadResourceBitmap(this, Instance, name.c_str(), ResName);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  LoadResourceBitmap(this, Instance, MAKEINTRESOURCEW(ResID), std::to_string(ResID));
}

void TBitmap::LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette) {
  if (AFormat != CF_BITMAP || !AData) throw EInvalidGraphic("Unsupported clipboard format");
  auto copy = static_cast<HBITMAP>(CopyImage(AData, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!copy) throw EInvalidGraphic("Bitmap image is not valid");
  SetHandle(copy);
  (void)APalette;
}

void TBitmap::SaveToClipboardFormat(WORD& AFormat, HANDLE& AData, HPALETTE& APalette) {
  AFormat = CF_BITMAP;
  AData = nullptr;
  APalette = nullptr;
  HandleNeeded();
  if (!FHandle) return;
  if (FCanvas) FCanvas->FreeContext();
  AData = CopyImage(FHandle, IMAGE_BITMAP, 0, 0, 0);
}

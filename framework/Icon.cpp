#include "framework/Icon.h"

#include <cstring>

#include "framework/Canvas.h"
#include "framework/DibFormat.h"
#include "framework/LittleEndian.h"

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic("Icon image is not valid"); }

void IconSize(HICON icon, int& w, int& h) {
  ICONINFO ii{};
  w = h = 0;
  if (!GetIconInfo(icon, &ii)) return;
  BITMAP bm{};
  GetObjectW(ii.hbmMask, sizeof bm, &bm);
  w = bm.bmWidth;
  h = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome mask holds AND and XOR halves
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
}

// The rows of a bitmap as a bottom-up DIB of the given depth.
std::vector<std::uint8_t> ReadRows(HBITMAP bmp, const TDibLayout& l) {
  std::vector<std::uint8_t> info = l.MakeInfo();
  std::vector<std::uint8_t> rows(l.ImageSize());
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bmp, 0, static_cast<UINT>(l.Height), rows.data(), reinterpret_cast<BITMAPINFO*>(info.data()),
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return rows;
}

}  // namespace

TIcon::~TIcon() { Clear(); }

void TIcon::Clear() {
  if (FHandle) DestroyIcon(FHandle);
  FHandle = nullptr;
  FData.clear();
}

void TIcon::SetWidth(int Value) {
  if (Value == FWidth) return;
  if (!GetEmpty()) throw EInvalidGraphicOperation("Cannot change the size of an icon");
  FWidth = Value;
}

void TIcon::SetHeight(int Value) {
  if (Value == FHeight) return;
  if (!GetEmpty()) throw EInvalidGraphicOperation("Cannot change the size of an icon");
  FHeight = Value;
}

void TIcon::SetHandle(HICON Value) {
  if (Value == FHandle) return;
  Clear();
  FHandle = Value;
  if (Value) IconSize(Value, FWidth, FHeight);
  else FWidth = FHeight = 0;
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON h = FHandle;
  FHandle = nullptr;
  FData.clear();
  FWidth = FHeight = 0;
  return h;
}

void TIcon::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    FWidth = FHeight = 0;
    Changed(this);
    return;
  }
  if (auto* src = dynamic_cast<TIcon*>(Source)) {
    if (src == this) return;
    Clear();
    FHandle = src->FHandle ? CopyIcon(src->FHandle) : nullptr;
    FData = src->FData;
    FWidth = src->FWidth;
    FHeight = src->FHeight;
    Changed(this);
    return;
  }
  TGraphic::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const RECT& Rect) {
  if (!FHandle || !ACanvas) return;
  DrawIconEx(ACanvas->GetHandle(), Rect.left, Rect.top, FHandle, Rect.right - Rect.left, Rect.bottom - Rect.top, 0,
             nullptr, DI_NORMAL);
}

void TIcon::LoadFromBytes(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 6 || ReadLE16(Data) != 0 || ReadLE16(Data + 2) != 1) Invalid();
  std::size_t count = ReadLE16(Data + 4);
  if (count == 0 || 6 + count * 16 > Size) Invalid();
  // The image of the size asked for (deepest first), else the largest.
  std::size_t best = count;
  long bestScore = -1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = Data + 6 + i * 16;
    int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256, bits = ReadLE16(e + 6);
    std::uint32_t bytes = ReadLE32(e + 8), off = ReadLE32(e + 12);
    if (bytes == 0 || off > Size || bytes > Size - off) continue;
    bool asked = FWidth > 0 && FHeight > 0 && w == FWidth && h == FHeight;
    long score = (asked ? 1L << 30 : 0) + static_cast<long>(w) * h * 64 + bits;
    if (score > bestScore) {
      bestScore = score;
      best = i;
    }
  }
  if (best == count) Invalid();
  const std::uint8_t* e = Data + 6 + best * 16;
  int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
  std::uint32_t bytes = ReadLE32(e + 8), off = ReadLE32(e + 12);
  // Check the image's own header before the system reads it.
  const std::uint8_t* img = Data + off;
  bool png = bytes >= 8 && std::memcmp(img, "\x89PNG", 4) == 0;
  if (!png) {
    if (bytes < 40 || ReadLE32(img) < 40 || ReadLE32(img) > bytes) Invalid();
    std::int32_t iw = static_cast<std::int32_t>(ReadLE32(img + 4)), ih = static_cast<std::int32_t>(ReadLE32(img + 8));
    int bits = ReadLE16(img + 14);
    if (iw <= 0 || iw > 256 || ih <= 0 || ih > 512 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
      Invalid();
    std::size_t colors = bits <= 8 ? (std::size_t(1) << bits) : 0;
    std::size_t xorStride = ((iw * bits + 31) / 32) * 4, andStride = ((iw + 31) / 32) * 4;
    std::size_t need = ReadLE32(img) + colors * 4 + (xorStride + andStride) * static_cast<std::size_t>(ih / 2);
    if (need > bytes) Invalid();
  }
  HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(img), bytes, TRUE, 0x00030000, w, h, LR_DEFAULTCOLOR);
  if (!icon) Invalid();
  Clear();
  FHandle = icon;
  FData.assign(Data, Data + Size);
  IconSize(icon, FWidth, FHeight);
  Changed(this);
}

std::vector<std::uint8_t> TIcon::SaveToBytes() {
  if (!FData.empty()) return FData;
  if (!FHandle) return {};
  ICONINFO ii{};
  if (!GetIconInfo(FHandle, &ii)) return {};
  int w = FWidth, h = FHeight;
  // Colour as 32 bits (alpha kept), the AND mask as 1 bit.
  TDibLayout color;
  color.Width = w;
  color.Height = h;
  color.BitCount = 32;
  std::vector<std::uint8_t> colorRows;
  if (ii.hbmColor) {
    colorRows = ReadRows(ii.hbmColor, color);
  } else {
    // A monochrome icon: its XOR half drawn alone.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP tmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, tmp);
    PatBlt(dc, 0, 0, w, h, BLACKNESS);
    DrawIconEx(dc, 0, 0, FHandle, w, h, 0, nullptr, DI_IMAGE);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    colorRows = ReadRows(tmp, color);
    DeleteObject(tmp);
  }
  TDibLayout mask;
  mask.Width = w;
  mask.Height = ii.hbmColor ? h : h * 2;
  mask.BitCount = 1;
  mask.Colors = DefaultColorTable(1);
  std::vector<std::uint8_t> maskRows = ReadRows(ii.hbmMask, mask);
  // Bottom-up: for a monochrome icon the AND half (the top) is the later rows.
  std::size_t andBytes = static_cast<std::size_t>(mask.Stride()) * h;
  if (!ii.hbmColor) maskRows.erase(maskRows.begin(), maskRows.end() - static_cast<std::ptrdiff_t>(andBytes));
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);

  std::vector<std::uint8_t> header = color.MakeInfo();
  BITMAPINFOHEADER bih;
  std::memcpy(&bih, header.data(), sizeof bih);
  bih.biHeight = h * 2;  // icons count both planes
  bih.biSizeImage = static_cast<DWORD>(colorRows.size() + maskRows.size());
  std::memcpy(header.data(), &bih, sizeof bih);
  std::uint32_t imageSize = static_cast<std::uint32_t>(header.size() + colorRows.size() + maskRows.size());

  std::vector<std::uint8_t> out;
  AppendLE16(out, 0);
  AppendLE16(out, 1);
  AppendLE16(out, 1);
  out.push_back(static_cast<std::uint8_t>(w >= 256 ? 0 : w));
  out.push_back(static_cast<std::uint8_t>(h >= 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  AppendLE16(out, 1);
  AppendLE16(out, 32);
  AppendLE32(out, imageSize);
  AppendLE32(out, 22);
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), colorRows.begin(), colorRows.end());
  out.insert(out.end(), maskRows.begin(), maskRows.end());
  return out;
}

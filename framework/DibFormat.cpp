#include "framework/DibFormat.h"

#include <cstring>

#include "framework/Graphic.h"
#include "framework/LittleEndian.h"

namespace {

// The largest picture we agree to hold: 32767 pixels a side and 256 MiB of rows.
constexpr int MaxSide = 32767;
constexpr std::size_t MaxImageBytes = 256u * 1024 * 1024;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }


// Expands RLE4/RLE8 rows into plain rows of the layout (bottom-up); pixels the
// data never reaches stay 0. Stops at the data's end or the picture's edge.
void DecodeRle(const std::uint8_t* p, std::size_t n, const TDibLayout& l, int bits, std::vector<std::uint8_t>& out) {
  out.assign(l.ImageSize(), 0);
  int stride = l.Stride();
  int x = 0, y = 0;
  auto put = [&](int px, int value) {
    if (px < 0 || px >= l.Width || y < 0 || y >= l.Height) return;
    std::uint8_t* row = out.data() + static_cast<std::size_t>(y) * stride;
    if (bits == 8) {
      row[px] = static_cast<std::uint8_t>(value);
    } else if (px & 1) {
      row[px / 2] = static_cast<std::uint8_t>((row[px / 2] & 0xF0) | (value & 0x0F));
    } else {
      row[px / 2] = static_cast<std::uint8_t>((row[px / 2] & 0x0F) | ((value & 0x0F) << 4));
    }
  };
  std::size_t i = 0;
  while (i + 1 < n && y < l.Height) {
    int count = p[i], value = p[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count; ++k) put(x++, bits == 8 ? value : ((k & 1) ? value & 0x0F : value >> 4));
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (i + 1 >= n) break;
      x += p[i];
      y += p[i + 1];
      i += 2;
    } else {  // absolute run of value pixels, padded to a word
      std::size_t bytes = bits == 8 ? static_cast<std::size_t>(value) : (static_cast<std::size_t>(value) + 1) / 2;
      if (i + bytes > n) break;
      for (int k = 0; k < value; ++k) {
        int v = bits == 8 ? p[i + k] : ((k & 1) ? p[i + k / 2] & 0x0F : p[i + k / 2] >> 4);
        put(x++, v);
      }
      i += (bytes + 1) & ~static_cast<std::size_t>(1);
    }
  }
}

}  // namespace

std::vector<std::uint8_t> TDibLayout::MakeInfo() const {
  std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = Width;
  h.biHeight = TopDown ? -Height : Height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(BitCount);
  h.biCompression = Compression;
  h.biSizeImage = static_cast<DWORD>(ImageSize());
  h.biClrUsed = static_cast<DWORD>(Colors.size());
  std::memcpy(info.data(), &h, sizeof h);
  if (Compression == BI_BITFIELDS)
    for (DWORD m : Masks) AppendLE32(info, m);
  for (const RGBQUAD& c : Colors) {
    info.push_back(c.rgbBlue);
    info.push_back(c.rgbGreen);
    info.push_back(c.rgbRed);
    info.push_back(0);
  }
  return info;
}

TDibImage ParseDib(const std::uint8_t* Info, std::size_t Size, std::ptrdiff_t BitsOffset) {
  if (Size < 12) Invalid();
  std::uint32_t headerSize = ReadLE32(Info);
  TDibImage img;
  TDibLayout& l = img.Layout;
  std::size_t tableStart = headerSize;
  int entrySize = 4;
  std::uint32_t clrUsed = 0;
  long long height;
  if (headerSize == 12) {  // the old core header: 16-bit sizes, 3-byte colours
    l.Width = ReadLE16(Info + 4);
    height = ReadLE16(Info + 6);
    if (ReadLE16(Info + 8) != 1) Invalid();
    l.BitCount = ReadLE16(Info + 10);
    entrySize = 3;
  } else {
    if (headerSize < 40 || headerSize > 1024 || Size < headerSize) Invalid();
    l.Width = static_cast<std::int32_t>(ReadLE32(Info + 4));
    height = static_cast<std::int32_t>(ReadLE32(Info + 8));
    if (ReadLE16(Info + 12) != 1) Invalid();
    l.BitCount = ReadLE16(Info + 14);
    l.Compression = ReadLE32(Info + 16);
    clrUsed = ReadLE32(Info + 32);
    if (l.Compression == BI_BITFIELDS) {
      if (headerSize >= 52) {
        for (int i = 0; i < 3; ++i) l.Masks[i] = ReadLE32(Info + 40 + 4 * i);
      } else {
        if (Size < 52) Invalid();
        for (int i = 0; i < 3; ++i) l.Masks[i] = ReadLE32(Info + 40 + 4 * i);
        tableStart = 52;
      }
    }
  }
  if (l.Width <= 0 || l.Width > MaxSide || height == 0 || height > MaxSide || height < -MaxSide) Invalid();
  l.TopDown = height < 0;
  l.Height = static_cast<int>(height < 0 ? -height : height);

  int rleBits = 0;
  switch (l.Compression) {
    case BI_RGB:
      if (l.BitCount != 1 && l.BitCount != 4 && l.BitCount != 8 && l.BitCount != 16 && l.BitCount != 24 &&
          l.BitCount != 32)
        Invalid();
      break;
    case BI_BITFIELDS:
      if (l.BitCount != 16 && l.BitCount != 32) Invalid();
      if (!l.Masks[0] || !l.Masks[1] || !l.Masks[2]) Invalid();
      break;
    case BI_RLE8:
    case BI_RLE4:
      rleBits = l.Compression == BI_RLE8 ? 8 : 4;
      if (l.BitCount != rleBits || l.TopDown) Invalid();
      break;
    default:
      Invalid();
  }
  if (l.ImageSize() > MaxImageBytes) Invalid();

  // Colour table: every entry the format can index; a shorter table in the file
  // leaves the rest black.
  std::size_t stored = 0;
  if (l.BitCount <= 8) {
    std::size_t full = std::size_t(1) << l.BitCount;
    stored = clrUsed == 0 || clrUsed > full ? full : clrUsed;
    l.Colors.assign(full, RGBQUAD{0, 0, 0, 0});
  } else if (clrUsed <= 256) {
    stored = clrUsed;  // optimisation hints of true-colour files; skipped
  } else {
    Invalid();
  }
  std::size_t tableEnd = tableStart + stored * entrySize;
  if (tableEnd > Size) Invalid();
  if (l.BitCount <= 8) {
    for (std::size_t i = 0; i < stored; ++i) {
      const std::uint8_t* e = Info + tableStart + i * entrySize;
      l.Colors[i] = RGBQUAD{e[0], e[1], e[2], 0};
    }
  }

  std::size_t bitsAt = tableEnd;
  if (BitsOffset >= 0 && static_cast<std::size_t>(BitsOffset) >= tableEnd && static_cast<std::size_t>(BitsOffset) < Size)
    bitsAt = static_cast<std::size_t>(BitsOffset);
  if (bitsAt > Size) Invalid();
  std::size_t avail = Size - bitsAt;
  if (rleBits) {
    DecodeRle(Info + bitsAt, avail, l, rleBits, img.Bits);
    l.Compression = BI_RGB;
  } else {
    if (avail < l.ImageSize()) Invalid();
    img.Bits.assign(Info + bitsAt, Info + bitsAt + l.ImageSize());
  }
  return img;
}

TDibImage ParseBmpFile(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 14 + 12 || Data[0] != 'B' || Data[1] != 'M') Invalid();
  std::uint32_t offBits = ReadLE32(Data + 10);
  std::ptrdiff_t bits = offBits >= 14 ? static_cast<std::ptrdiff_t>(offBits) - 14 : -1;
  return ParseDib(Data + 14, Size - 14, bits);
}

std::vector<std::uint8_t> WriteBmpFile(const TDibLayout& Layout, const std::uint8_t* Bits) {
  std::vector<std::uint8_t> info = Layout.MakeInfo();
  std::uint32_t off = static_cast<std::uint32_t>(14 + info.size());
  std::vector<std::uint8_t> out;
  out.reserve(off + Layout.ImageSize());
  out.push_back('B');
  out.push_back('M');
  AppendLE32(out, static_cast<std::uint32_t>(off + Layout.ImageSize()));
  AppendLE16(out, 0);
  AppendLE16(out, 0);
  AppendLE32(out, off);
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), Bits, Bits + Layout.ImageSize());
  return out;
}

std::vector<RGBQUAD> DefaultColorTable(int BitCount) {
  static const std::uint8_t vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                          {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                          {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  std::vector<RGBQUAD> t;
  auto add = [&](int r, int g, int b) {
    t.push_back(RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
  };
  if (BitCount == 1) {
    add(0, 0, 0);
    add(255, 255, 255);
  } else if (BitCount == 4) {
    for (auto& c : vga) add(c[0], c[1], c[2]);
  } else if (BitCount == 8) {
    for (auto& c : vga) add(c[0], c[1], c[2]);
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) add(r * 51, g * 51, b * 51);
    for (int i = 0; i < 24; ++i) add(8 + i * 10, 8 + i * 10, 8 + i * 10);
  }
  return t;
}

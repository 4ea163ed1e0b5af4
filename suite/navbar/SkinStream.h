// The binary skin stream ("dxSkin"): little-endian fixed-width fields read into
// plain data and written back. Every length and count is checked against the
// bytes that remain, enumerations and state bits against their ranges, property
// classes against the six known ones and each PNG block's header against a size
// limit before anything decodes it; a bad stream raises TdxSkinStreamError and
// leaves no half-read result behind. PNG decoding sits behind TdxSkinPngDecoder,
// so this part builds anywhere (the fuzzer builds it natively).
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

inline constexpr std::int32_t dxSkinColorNone = 0x1FFFFFFF;
inline constexpr std::int32_t dxSkinColorDefault = 0x20000000;
// Pictures wider or taller than this are refused before decoding.
inline constexpr std::uint32_t dxSkinMaxPictureSide = 4096;
inline constexpr int dxSkinStateCount = 11;

class TdxSkinStreamError : public std::runtime_error {
public:
  enum TKind { InvalidFormat, VersionMismatch };
  TdxSkinStreamError(TKind AKind, const std::string& What) : std::runtime_error(What), Kind(AKind) {}
  TKind Kind;
};

struct TdxSkinStreamRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TdxSkinStreamRect&, const TdxSkinStreamRect&) = default;
};

enum TdxSkinStreamPropertyKind : std::uint8_t { spkInteger, spkBoolean, spkColor, spkRect, spkSize, spkString };
// The class name a kind is stored under, and back (false for any other name).
const char* SkinPropertyClassName(TdxSkinStreamPropertyKind Kind);
bool SkinPropertyKindOf(const std::string& ClassName, TdxSkinStreamPropertyKind& Kind);

struct TdxSkinStreamProperty {
  TdxSkinStreamPropertyKind Kind = spkInteger;
  std::string Name;
  std::int32_t Integer = 0;  // also the colour, and the boolean (0 or 1)
  TdxSkinStreamRect Rect;    // also the size (Left = cx, Top = cy)
  std::string Text;
  friend bool operator==(const TdxSkinStreamProperty&, const TdxSkinStreamProperty&) = default;
};

// A decoded picture, owned by the image that read it.
class TdxSkinStreamPicture {
public:
  virtual ~TdxSkinStreamPicture() = default;
};

struct TdxSkinStreamImage {
  TdxSkinStreamRect Margins;
  std::uint8_t Layout = 0;    // 0 horizontal, 1 vertical
  std::uint16_t States = 0;   // bit n: state n
  std::uint8_t Stretch = 0;   // 0 stretch, 1 tile, 2 no resize
  std::int32_t GradientBeginColor = dxSkinColorNone;
  std::int32_t GradientEndColor = dxSkinColorNone;
  std::uint8_t Gradient = 0;  // 0 horizontal, 1 vertical, 2 and 3 diagonal
  // The PNG file as stored (written as is; filled by readers that keep bytes).
  std::vector<std::uint8_t> Png;
  std::uint32_t PngWidth = 0, PngHeight = 0;
  std::shared_ptr<TdxSkinStreamPicture> Picture;
};

struct TdxSkinStreamBorder {
  std::string Name;
  std::int32_t Color = dxSkinColorNone;
  std::int32_t Thin = 1;
};

struct TdxSkinStreamElement {
  std::string Name;
  std::int32_t Color = dxSkinColorDefault;
  std::uint8_t Alpha = 255;
  std::int32_t ImageCount = 1;
  TdxSkinStreamRect ContentOffset;
  TdxSkinStreamImage Glyph, Image;
  TdxSkinStreamBorder Borders[4];
  std::int32_t TextColor = dxSkinColorDefault;
  std::int32_t MinWidth = 0, MinHeight = 0;
  std::vector<TdxSkinStreamProperty> Properties;
};

struct TdxSkinStreamGroup {
  std::string Name;
  std::vector<TdxSkinStreamElement> Elements;
  std::vector<TdxSkinStreamProperty> Properties;
};

struct TdxSkinStreamData {
  double Version = 1.02;
  std::string Name;
  std::vector<TdxSkinStreamProperty> Colors;  // of kind spkColor
  std::vector<TdxSkinStreamProperty> Properties;
  std::vector<TdxSkinStreamGroup> Groups;
};

// Where the reader takes its bytes from.
class TdxSkinByteSource {
public:
  virtual ~TdxSkinByteSource() = default;
  // Up to Count bytes; the number read.
  virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
  virtual std::int64_t Position() = 0;
  virtual std::int64_t Size() = 0;
  virtual void Seek(std::int64_t Position) = 0;
};

class TdxSkinMemorySource : public TdxSkinByteSource {
public:
  TdxSkinMemorySource(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}
  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::int64_t Position() override { return static_cast<std::int64_t>(FPos); }
  std::int64_t Size() override { return static_cast<std::int64_t>(FSize); }
  void Seek(std::int64_t Position) override;

private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

// Turns one PNG block [Offset, Offset + Size) of the source into Image's picture
// (its header already checked); raises TdxSkinStreamError when it cannot.
class TdxSkinPngDecoder {
public:
  virtual ~TdxSkinPngDecoder() = default;
  virtual void Decode(TdxSkinByteSource& Source, std::int64_t Offset, std::int64_t Size,
                      TdxSkinStreamImage& Image) = 0;
};

// Keeps the block's bytes as they are (no decoding).
class TdxSkinPngKeeper : public TdxSkinPngDecoder {
public:
  void Decode(TdxSkinByteSource& Source, std::int64_t Offset, std::int64_t Size, TdxSkinStreamImage& Image) override;
};

// Reads a whole stream; raises TdxSkinStreamError for anything it cannot read.
TdxSkinStreamData ReadSkinStream(TdxSkinByteSource& Source, TdxSkinPngDecoder& Decoder);
// Writes Data as version 1.02 (the PNG bytes of each image as they are).
std::vector<std::uint8_t> WriteSkinStream(const TdxSkinStreamData& Data);
// The width and height a PNG file's header gives; false when it is no PNG header.
bool PngHeaderSize(const std::uint8_t* Data, std::size_t Size, std::uint32_t& Width, std::uint32_t& Height);

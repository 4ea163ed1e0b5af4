#include "suite/navbar/SkinStream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
const char* const PropertyClasses[] = {"TdxSkinIntegerProperty", "TdxSkinBooleanProperty", "TdxSkinColor",
                                       "TdxSkinRectProperty",    "TdxSkinSizeProperty",    "TdxSkinStringProperty"};

[[noreturn]] void Invalid() { throw TdxSkinStreamError(TdxSkinStreamError::InvalidFormat, "Invalid stream format"); }

class TReader {
public:
  TReader(TdxSkinByteSource& S, TdxSkinPngDecoder& D) : FSource(S), FDecoder(D) {}

  std::int64_t Remaining() { return FSource.Size() - FSource.Position(); }
  void Bytes(void* To, std::size_t N) {
    if (static_cast<std::int64_t>(N) > Remaining() || FSource.Read(To, N) != N) Invalid();
  }
  std::uint8_t Byte() {
    std::uint8_t B;
    Bytes(&B, 1);
    return B;
  }
  std::uint16_t Word() {
    std::uint8_t B[2];
    Bytes(B, 2);
    return static_cast<std::uint16_t>(B[0] | (B[1] << 8));
  }
  std::int32_t Int() {
    std::uint8_t B[4];
    Bytes(B, 4);
    return static_cast<std::int32_t>(std::uint32_t(B[0]) | (std::uint32_t(B[1]) << 8) | (std::uint32_t(B[2]) << 16) |
                                     (std::uint32_t(B[3]) << 24));
  }
  double Float() {
    std::uint8_t B[8];
    Bytes(B, 8);
    std::uint64_t U = 0;
    for (int I = 7; I >= 0; --I) U = (U << 8) | B[I];
    double D;
    std::memcpy(&D, &U, 8);
    return D;
  }
  std::string Text() {
    std::int32_t N = Int();
    if (N <= 0) return {};
    if (N > Remaining()) Invalid();
    std::string S(static_cast<std::size_t>(N), '\0');
    Bytes(S.data(), S.size());
    return S;
  }
  // A count, each item taking at least MinItemBytes of what remains.
  std::int32_t Count(int MinItemBytes) {
    std::int32_t N = Int();
    if (N < 0 || static_cast<std::int64_t>(N) * MinItemBytes > Remaining()) Invalid();
    return N;
  }
  TdxSkinStreamRect Rect() {
    TdxSkinStreamRect R;
    R.Left = Int();
    R.Top = Int();
    R.Right = Int();
    R.Bottom = Int();
    return R;
  }
  std::uint8_t Enum(std::uint8_t Max) {
    std::uint8_t V = Byte();
    if (V > Max) Invalid();
    return V;
  }

  TdxSkinStreamProperty Property() {
    TdxSkinStreamProperty P;
    if (!SkinPropertyKindOf(Text(), P.Kind)) Invalid();
    P.Name = Text();
    Value(P);
    return P;
  }
  void Value(TdxSkinStreamProperty& P) {
    switch (P.Kind) {
      case spkInteger: case spkColor: P.Integer = Int(); break;
      case spkBoolean: P.Integer = Byte() != 0; break;
      case spkRect: P.Rect = Rect(); break;
      case spkSize: P.Rect.Left = Int(); P.Rect.Top = Int(); break;
      case spkString: P.Text = Text(); break;
    }
  }
  std::vector<TdxSkinStreamProperty> Properties() {
    std::vector<TdxSkinStreamProperty> L;
    for (std::int32_t I = Count(9); I > 0; --I) L.push_back(Property());
    return L;
  }

  void Image(TdxSkinStreamImage& I, bool Gradient) {
    I.Margins = Rect();
    I.Layout = Enum(1);
    I.States = Word();
    if (I.States >> dxSkinStateCount) Invalid();
    I.Stretch = Enum(2);
    if (Gradient) {
      I.GradientBeginColor = Int();
      I.GradientEndColor = Int();
      I.Gradient = Enum(3);
    }
    std::int32_t Size = Int();
    if (Size < 0 || Size > Remaining()) Invalid();
    if (Size == 0) return;
    std::int64_t Start = FSource.Position();
    std::uint8_t Head[24];
    if (Size < 24) Invalid();
    Bytes(Head, sizeof Head);
    if (!PngHeaderSize(Head, sizeof Head, I.PngWidth, I.PngHeight)) Invalid();
    if (I.PngWidth == 0 || I.PngHeight == 0 || I.PngWidth > dxSkinMaxPictureSide || I.PngHeight > dxSkinMaxPictureSide)
      Invalid();
    FSource.Seek(Start);
    FDecoder.Decode(FSource, Start, Size, I);
    // The next field follows the block whatever the picture read.
    FSource.Seek(Start + Size);
  }

  void Element(TdxSkinStreamElement& E, bool Gradient) {
    E.Color = Int();
    E.Alpha = Byte();
    E.ImageCount = Int();
    if (E.ImageCount < 1) E.ImageCount = 1;
    E.ContentOffset = Rect();
    Image(E.Glyph, Gradient);
    Image(E.Image, Gradient);
    for (TdxSkinStreamBorder& B : E.Borders) {
      Text();  // the border's class name
      B.Name = Text();
      B.Color = Int();
      B.Thin = Int();
    }
    E.TextColor = Int();
    E.MinWidth = Int();
    E.MinHeight = Int();
    E.Properties = Properties();
  }

  TdxSkinStreamData Skin() {
    TdxSkinStreamData D;
    if (Int() != 6) Invalid();
    char Signature[6];
    Bytes(Signature, 6);
    if (std::memcmp(Signature, "dxSkin", 6) != 0) Invalid();
    D.Version = Float();
    D.Name = Text();
    if (!std::isfinite(D.Version)) Invalid();
    if (D.Version < 1.0)
      throw TdxSkinStreamError(TdxSkinStreamError::VersionMismatch,
                               "The skin data version is older than the current version of the skins library.\n"
                               "Skins cannot be loaded due to a version mismatch.");
    bool Gradient = D.Version >= 1.02;
    for (std::int32_t I = Count(12); I > 0; --I) {
      if (Text() != "TdxSkinColor") Invalid();
      TdxSkinStreamProperty C;
      C.Kind = spkColor;
      C.Name = Text();
      C.Integer = Int();
      D.Colors.push_back(C);
    }
    D.Properties = Properties();
    for (std::int32_t I = Count(12); I > 0; --I) {
      TdxSkinStreamGroup G;
      G.Name = Text();
      for (std::int32_t K = Count(8); K > 0; --K) {
        TdxSkinStreamElement E;
        E.Name = Text();
        Element(E, Gradient);
        G.Elements.push_back(std::move(E));
      }
      G.Properties = Properties();
      D.Groups.push_back(std::move(G));
    }
    return D;
  }

private:
  TdxSkinByteSource& FSource;
  TdxSkinPngDecoder& FDecoder;
};

class TWriter {
public:
  std::vector<std::uint8_t> Out;
  void Byte(std::uint8_t B) { Out.push_back(B); }
  void Word(std::uint16_t W) {
    Byte(static_cast<std::uint8_t>(W));
    Byte(static_cast<std::uint8_t>(W >> 8));
  }
  void Int(std::int32_t V) {
    auto U = static_cast<std::uint32_t>(V);
    for (int I = 0; I < 4; ++I) Byte(static_cast<std::uint8_t>(U >> (8 * I)));
  }
  void Float(double D) {
    std::uint64_t U;
    std::memcpy(&U, &D, 8);
    for (int I = 0; I < 8; ++I) Byte(static_cast<std::uint8_t>(U >> (8 * I)));
  }
  void Text(const std::string& S) {
    Int(static_cast<std::int32_t>(S.size()));
    Out.insert(Out.end(), S.begin(), S.end());
  }
  void Rect(const TdxSkinStreamRect& R) {
    Int(R.Left);
    Int(R.Top);
    Int(R.Right);
    Int(R.Bottom);
  }
  void Property(const TdxSkinStreamProperty& P) {
    Text(SkinPropertyClassName(P.Kind));
    Text(P.Name);
    switch (P.Kind) {
      case spkInteger: case spkColor: Int(P.Integer); break;
      case spkBoolean: Byte(P.Integer ? 1 : 0); break;
      case spkRect: Rect(P.Rect); break;
      case spkSize: Int(P.Rect.Left); Int(P.Rect.Top); break;
      case spkString: Text(P.Text); break;
    }
  }
  void Properties(const std::vector<TdxSkinStreamProperty>& L) {
    Int(static_cast<std::int32_t>(L.size()));
    for (const auto& P : L) Property(P);
  }
  void Image(const TdxSkinStreamImage& I) {
    Rect(I.Margins);
    Byte(I.Layout);
    Word(I.States);
    Byte(I.Stretch);
    Int(I.GradientBeginColor);
    Int(I.GradientEndColor);
    Byte(I.Gradient);
    Int(static_cast<std::int32_t>(I.Png.size()));
    Out.insert(Out.end(), I.Png.begin(), I.Png.end());
  }
};
}  // namespace

const char* SkinPropertyClassName(TdxSkinStreamPropertyKind Kind) { return PropertyClasses[Kind]; }

bool SkinPropertyKindOf(const std::string& ClassName, TdxSkinStreamPropertyKind& Kind) {
  for (int I = 0; I < 6; ++I)
    if (ClassName == PropertyClasses[I]) {
      Kind = static_cast<TdxSkinStreamPropertyKind>(I);
      return true;
    }
  return false;
}

std::size_t TdxSkinMemorySource::Read(void* Buffer, std::size_t Count) {
  std::size_t N = std::min(Count, FSize - FPos);
  if (N) std::memcpy(Buffer, FData + FPos, N);
  FPos += N;
  return N;
}

void TdxSkinMemorySource::Seek(std::int64_t Position) {
  FPos = static_cast<std::size_t>(std::max<std::int64_t>(0, std::min<std::int64_t>(Position, Size())));
}

void TdxSkinPngKeeper::Decode(TdxSkinByteSource& Source, std::int64_t Offset, std::int64_t Size,
                              TdxSkinStreamImage& Image) {
  Source.Seek(Offset);
  Image.Png.resize(static_cast<std::size_t>(Size));
  if (Source.Read(Image.Png.data(), Image.Png.size()) != Image.Png.size()) Invalid();
}

bool PngHeaderSize(const std::uint8_t* D, std::size_t Size, std::uint32_t& Width, std::uint32_t& Height) {
  static const std::uint8_t Signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (Size < 24 || std::memcmp(D, Signature, 8) != 0 || std::memcmp(D + 12, "IHDR", 4) != 0) return false;
  auto BE = [](const std::uint8_t* P) {
    return (std::uint32_t(P[0]) << 24) | (std::uint32_t(P[1]) << 16) | (std::uint32_t(P[2]) << 8) | P[3];
  };
  Width = BE(D + 16);
  Height = BE(D + 20);
  return true;
}

TdxSkinStreamData ReadSkinStream(TdxSkinByteSource& Source, TdxSkinPngDecoder& Decoder) {
  return TReader(Source, Decoder).Skin();
}

std::vector<std::uint8_t> WriteSkinStream(const TdxSkinStreamData& D) {
  TWriter W;
  W.Int(6);
  W.Out.insert(W.Out.end(), {'d', 'x', 'S', 'k', 'i', 'n'});
  W.Float(1.02);
  W.Text(D.Name);
  W.Int(static_cast<std::int32_t>(D.Colors.size()));
  for (const auto& C : D.Colors) {
    TdxSkinStreamProperty P = C;
    P.Kind = spkColor;
    W.Property(P);
  }
  W.Properties(D.Properties);
  W.Int(static_cast<std::int32_t>(D.Groups.size()));
  for (const auto& G : D.Groups) {
    W.Text(G.Name);
    W.Int(static_cast<std::int32_t>(G.Elements.size()));
    for (const auto& E : G.Elements) {
      W.Text(E.Name);
      W.Int(E.Color);
      W.Byte(E.Alpha);
      W.Int(E.ImageCount);
      W.Rect(E.ContentOffset);
      W.Image(E.Glyph);
      W.Image(E.Image);
      static const char* const Sides[4] = {"Left", "Top", "Right", "Bottom"};
      for (int I = 0; I < 4; ++I) {
        W.Text("TdxSkinBorder");
        W.Text(E.Borders[I].Name.empty() ? Sides[I] : E.Borders[I].Name);
        W.Int(E.Borders[I].Color);
        W.Int(E.Borders[I].Thin);
      }
      W.Int(E.TextColor);
      W.Int(E.MinWidth);
      W.Int(E.MinHeight);
      W.Properties(E.Properties);
    }
    W.Properties(G.Properties);
  }
  return std::move(W.Out);
}

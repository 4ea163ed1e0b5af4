// The suite's bitmaps: pixel effects, blending, rotation, the run-length coded
// form data and the change notices of a bitmap being set up.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "framework/MemoryStreams.h"
#include "suite/common/cxBitmap.h"

namespace {

// A one-row 32-bit bitmap holding the given pixels.
TOwned<TcxBitmap> Row(const std::vector<std::uint32_t>& Pixels) {
  TOwned<TcxBitmap> b(TcxBitmap::Create(static_cast<int>(Pixels.size()), 1, pf32bit));
  b->WritePixels(Pixels);
  return b;
}

std::vector<std::uint8_t> Bytes(TMemoryStream* S) {
  const auto* p = static_cast<const std::uint8_t*>(S->GetMemory());
  return std::vector<std::uint8_t>(p, p + S->GetSize());
}

std::vector<std::uint8_t> Compressed(const std::vector<std::uint8_t>& Plain) {
  TOwned<TMemoryStream> in(TMemoryStream::Create()), out(TMemoryStream::Create());
  if (!Plain.empty()) in->WriteBuffer(Plain.data(), static_cast<int>(Plain.size()));
  in->SetPosition(0);
  TcxCustomBitmap::CompressStream(in.get(), out.get(), in->GetSize());
  return Bytes(out.get());
}

std::vector<std::uint8_t> Expanded(const std::vector<std::uint8_t>& Coded) {
  TOwned<TMemoryStream> in(TMemoryStream::Create()), out(TMemoryStream::Create());
  if (!Coded.empty()) in->WriteBuffer(Coded.data(), static_cast<int>(Coded.size()));
  in->SetPosition(0);
  TcxCustomBitmap::DecompressStream(in.get(), out.get(), in->GetSize());
  return Bytes(out.get());
}

std::uint8_t Channel(std::uint32_t P, int Shift) { return static_cast<std::uint8_t>(P >> Shift); }

}  // namespace

TEST(BitmapPixels, EffectsTable) {
  const struct {
    int effect;
    std::uint32_t in, out;
  } cases[] = {
      {bpeLighten, 0xFFC86400, 0xFFD9934D},  // (200, 100, 0) -> (217, 147, 77)
      {bpeLighten, 0x80804020, 0x64643219},  // not opaque: every byte times 200/255
      {bpeLighten, 0xFFFF00FF, 0xFFFF00FF},  // a transparent colour is left alone
      {bpeGrayAverage, 0xFF0A141E, 0xFF141414},
      {bpeGrayLuma, 0x80FF0000, 0x804C4C4C},
      {bpeGrayTinted, 0xFF00FF00, 0xFFB6B6B6},
      {bpeOpaque, 0x00123456, 0xFF123456},
      {bpeMask, 0x40FF00FF, 0xFFFFFFFF},
      {bpeMask, 0x40FF00FE, 0x00000000},
      {bpeRestoreAlpha, 0x00123456, 0xFF123456},
      {bpeRestoreAlpha, 0x00FF00FF, 0x00FF00FF},
      {bpeClearAlpha, 0xFF123456, 0x00123456},
      {bpeFillBackground, 0xFF123456, 0x11223344},
      {11, 0xFF123456, 0xFF123456},  // no such effect
  };
  for (const auto& k : cases) {
    TOwned<TcxBitmap> b = Row({k.in});
    b->AddTransparentColor(static_cast<TColor>(RGB(255, 0, 255)));
    b->SetTransparentBkColor(0x11223344);
    b->ApplyPixelEffect(k.effect);
    EXPECT_EQ(b->ReadPixels()[0], k.out) << "effect " << k.effect << std::hex << " on " << k.in;
  }
}

TEST(BitmapPixels, DisabledGreyBlendsThePremultipliedShadow) {
  TOwned<TcxBitmap> b = Row({0xFFFFFFFF, 0xFF000000});
  b->ApplyPixelEffect(bpeDisabled);
  const std::uint32_t shadow = ColorToARGB(clBtnShadow);
  const double c = 238 / 255.0, d = c * 0xC0, e = 1 - d / 255;
  for (int i = 0; i < 2; ++i) {
    const double grey = i == 0 ? 255 : 0;
    const std::uint32_t p = b->ReadPixels()[static_cast<size_t>(i)];
    EXPECT_EQ(Channel(p, 24), 255) << "opaque stays opaque";
    for (int shift : {0, 8, 16}) {
      const double tint = MulDiv(Channel(shadow, shift), 0xC0, 255);
      EXPECT_NEAR(Channel(p, shift), c * tint + e * grey, 0.51) << i << " " << shift;
    }
  }
  EXPECT_LT(Channel(b->ReadPixels()[0], 16), 250) << "white is darkened by the tint, not pushed past white";
}

TEST(BitmapPixels, HatchWithAZeroStepIsAPixelCheckerboard) {
  TOwned<TcxBitmap> b(TcxBitmap::Create(4, 2, pf32bit));
  b->Hatch(clRed, clBlue, 0, 255, 255);
  const TcxPixels p = b->ReadPixels();  // bottom row first
  EXPECT_EQ(p[0], 0xFFFF0000u);
  EXPECT_EQ(p[1], 0xFF0000FFu);
  EXPECT_EQ(p[4], 0xFF0000FFu);
  b->Hatch(clRed, clBlue, 2, 255, 128);
  const TcxPixels q = b->ReadPixels();
  EXPECT_EQ(q[0], 0xFFFF0000u);
  EXPECT_EQ(q[1], 0xFFFF0000u);
  EXPECT_EQ(q[2], 0xFF7F0080u) << "half the blue over red";
}

TEST(BitmapPixels, BlendPixelTable) {
  const struct {
    std::uint32_t colour, pixel;
    std::uint8_t alpha;
    std::uint32_t out;
  } cases[] = {
      {0x80800000, 0xFF0000FF, 255, 0xFF80007F},  // half-covering red over blue
      {0x80800000, 0xFF0000FF, 0, 0xFF0000FF},    // no alpha: unchanged
      {0xFF00FF00, 0xFF0000FF, 128, 0xFF00807F},  // constant alpha halves an opaque colour
      {0xFFFFFFFF, 0x00000000, 255, 0xFFFFFFFF},
      {0x00000000, 0x80402010, 255, 0x80402010},  // a transparent colour adds nothing
  };
  for (const auto& k : cases) {
    std::uint32_t p = k.pixel;
    BlendPixel(k.colour, p, k.alpha);
    EXPECT_EQ(p, k.out) << std::hex << k.colour << " over " << k.pixel;
  }
  EXPECT_EQ(ColorToARGB(static_cast<TColor>(RGB(1, 2, 3)), 4), 0x04010203u);
}

TEST(BitmapPixels, RotationsAndMirrors) {
  // 3 x 2, top row a b c, bottom row d e f.
  const std::uint32_t a = 1, b_ = 2, c = 3, d = 4, e = 5, f = 6;
  const struct {
    TcxBitmapRotation rotation;
    bool mirror;
    int width, height;
    std::vector<std::uint32_t> topDown;
  } cases[] = {
      {brCounterClockwise90, false, 2, 3, {c, f, b_, e, a, d}},
      {brClockwise90, false, 2, 3, {d, a, e, b_, f, c}},
      {br180, false, 3, 2, {f, e, d, c, b_, a}},
      {brNone, true, 3, 2, {d, e, f, a, b_, c}},
      {brCounterClockwise90, true, 2, 3, {a, d, b_, e, c, f}},
  };
  for (const auto& k : cases) {
    TOwned<TcxBitmap> bmp(TcxBitmap::Create(3, 2, pf32bit));
    WriteBitmapPixels(bmp.get(), {a, b_, c, d, e, f});
    bmp->RotateFlip(k.rotation, k.mirror);
    EXPECT_EQ(bmp->GetWidth(), k.width);
    EXPECT_EQ(bmp->GetHeight(), k.height);
    EXPECT_EQ(ReadBitmapPixels(bmp.get()), k.topDown) << k.rotation << " " << k.mirror;
  }
}

TEST(BitmapLife, ClearingSizingAndOneChangeNotice) {
  TOwned<TcxBitmap> empty(TcxBitmap::Create());
  empty->ChangeSize(3, 2);
  EXPECT_EQ(empty->DIBHeader().bmiHeader.biWidth, 3);
  EXPECT_EQ(empty->DIBHeader().bmiHeader.biHeight, 2);
  EXPECT_EQ(empty->ReadPixels(), TcxPixels(6, 0));
  const struct {
    std::uint32_t bk, clearedTo;
  } cases[] = {{0x00FFFFFF, 0x00000000}, {0xFF00FF00, 0xFF00FF00}};
  for (const auto& k : cases) {
    TOwned<TcxBitmap> b(TcxBitmap::CreateWithBkColor(2, 2, k.bk));
    EXPECT_EQ(b->ReadPixels(), TcxPixels(4, k.clearedTo)) << std::hex << k.bk;
    WriteBitmapPixels(b.get(), {1, 2, 3, 4});
    b->ChangeSize(3, 3);
    EXPECT_EQ(b->ReadPixels(), TcxPixels(9, k.clearedTo));
  }
  struct TCounter {
    void Changed(TObject*) { ++Count; }
    int Count = 0;
  } counter;
  TOwned<TcxCustomBitmap> b(TcxCustomBitmap::Create());
  b->OnChange = Bind(&counter, &TCounter::Changed);
  b->BeginUpdate();
  b->ChangeSize(5, 5);
  b->SetPixelFormat(pf32bit);
  EXPECT_EQ(counter.Count, 0) << "held back while updating";
  b->EndUpdate(false);
  EXPECT_EQ(counter.Count, 1) << "one notice for what was held back";
  b->EndUpdate(true);  // without a BeginUpdate: nothing
  EXPECT_EQ(counter.Count, 1);
}

TEST(BitmapStream, RunLengthBytes) {
  const struct {
    std::vector<std::uint8_t> plain, coded;
  } cases[] = {
      {std::vector<std::uint8_t>(200, 7), {0x7D, 7, 0x4B, 7}},
      {{1, 2, 3, 3, 3}, {0x82, 1, 2, 0x03, 3}},
      {{9}, {0x81, 9}},
      {{5, 5}, {0x02, 5}},
      {{1, 2, 2, 1}, {0x81, 1, 0x02, 2, 0x81, 1}},
      {{}, {}},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(Compressed(k.plain), k.coded) << k.plain.size();
    EXPECT_EQ(Expanded(k.coded), k.plain);
  }
  std::vector<std::uint8_t> mixed;
  for (int i = 0; i < 1000; ++i) mixed.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? 0 : (i * 37) >> (i % 5)));
  mixed.insert(mixed.end(), 300, 0xEE);
  EXPECT_EQ(Expanded(Compressed(mixed)), mixed);
  // A literal cut short by the end of the data gives what is there.
  EXPECT_EQ(Expanded({0x85, 1, 2}), (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(Expanded({0x05}), std::vector<std::uint8_t>{});
}

TEST(BitmapStream, CompressedAndPlainFormDataRoundTrip) {
  for (bool compress : {false, true}) {
    TOwned<TcxCustomBitmap> b(TcxCustomBitmap::CreateSized(16, 16, pf32bit));
    TcxPixels pixels(256);
    // Runs of equal bytes (clear and white areas) around a few half-transparent pixels.
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = i < 100 ? 0u : i % 17 == 0 ? 0x80402010u : 0xFFFFFFFFu;
    WriteBitmapPixels(b.get(), pixels);
    b->SetCompressData(compress);
    TOwned<TMemoryStream> s(TMemoryStream::Create());
    b->WriteData(s.get());
    const std::vector<std::uint8_t> data = Bytes(s.get());
    ASSERT_GT(data.size(), 10u);
    const bool marked = data[4] == 'X' && data[5] == 'D' && data[6] == 'B' && data[7] == 'M';
    EXPECT_EQ(marked, compress);
    if (compress) {
      EXPECT_LT(data.size(), 1024u) << "the repeating pixels shrink";
      const std::uint32_t length = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
      EXPECT_EQ(length, data.size() - 10);
    }
    // Either form is read by any bitmap, whatever its own setting.
    TOwned<TcxCustomBitmap> back(TcxCustomBitmap::Create());
    s->SetPosition(0);
    back->ReadData(s.get());
    EXPECT_EQ(s->GetPosition(), s->GetSize());
    EXPECT_EQ(back->GetPixelFormat(), pf32bit);
    EXPECT_EQ(ReadBitmapPixels(back.get()), pixels) << "alpha survives, compressed " << compress;
  }
}

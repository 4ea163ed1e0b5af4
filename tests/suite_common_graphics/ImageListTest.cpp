// The suite image list: native list and info collection kept together, stored
// images drawn through the state-image painter, copies and attachments.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "Surface.h"
#include "suite/common/cxImageDrawing.h"
#include "suite/common/cxImageList.h"

namespace {

// W x 16 of 16 x 16 tiles, tile i opaque with blue i * 40 and a half-transparent
// red pixel at (1, 1).
TOwned<TBitmap> Strip(int W) {
  TOwned<TBitmap> b(CreateSizedBitmap(W, 16, pf32bit));
  TcxPixels p(static_cast<size_t>(W) * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < W; ++x) p[static_cast<size_t>(y) * W + x] = 0xFF000000u | static_cast<std::uint32_t>((x / 16) * 40);
  for (int t = 0; t * 16 < W; ++t) p[static_cast<size_t>(1) * W + t * 16 + 1] = 0x80800000;
  WriteBitmapPixels(b.get(), p);
  return b;
}

TcxPixels StoredPixels(TcxImageList* L, int Index) {
  TOwned<TBitmap> image(TBitmap::Create());
  L->GetImage(Index, image.get(), nullptr);
  return ReadBitmapPixels(image.get());
}

}  // namespace

TEST(ImageList, AStripBecomesOneImageAndOneInfoPerTile) {
  TOwned<TcxImageList> list(TcxImageList::Create(16, 16));
  TOwned<TBitmap> strip = Strip(48);
  EXPECT_EQ(list->AddImage(strip.get(), nullptr), 0);
  ASSERT_EQ(list->GetCount(), 3);
  ASSERT_EQ(list->GetImageInfo()->GetCount(), 3);
  EXPECT_EQ(TcxImageList::ImagePixelFormat(list->GetHandle()), 32);
  for (int i = 0; i < 3; ++i) {
    const TcxPixels p = StoredPixels(list.get(), i);
    ASSERT_EQ(p.size(), 256u);
    EXPECT_EQ(p[0], 0xFF000000u | static_cast<std::uint32_t>(i * 40)) << i;
    EXPECT_EQ(p[17], 0x80800000u) << "alpha kept in tile " << i;
  }
  // Not a multiple of the width: one info with the whole bitmap.
  TOwned<TBitmap> odd = Strip(20);
  list->AddImage(odd.get(), nullptr);
  ASSERT_EQ(list->GetImageInfo()->GetCount(), 4);
  EXPECT_EQ(list->GetImageInfo()->At(3)->GetImage()->GetWidth(), 20);
  list->DeleteImage(1);
  EXPECT_EQ(list->GetCount(), list->GetImageInfo()->GetCount());
  EXPECT_EQ(StoredPixels(list.get(), 1)[0], 0xFF000050u) << "the third tile moved up";
  list->DeleteImage(-1);
  EXPECT_EQ(list->GetCount(), 0);
  EXPECT_EQ(list->GetImageInfo()->GetCount(), 0);
  TOwned<TBitmap> out(TBitmap::Create());
  list->GetImage(5, out.get(), nullptr);  // out of range: nothing
  EXPECT_TRUE(out->GetEmpty());
}

TEST(ImageList, MaskedImagesAndMaskColours) {
  TOwned<TcxImageList> list(TcxImageList::Create(16, 16));
  TOwned<TBitmap> keyed(CreateSizedBitmap(16, 16, pf24bit));
  keyed->GetCanvas()->GetBrush()->SetColor(clFuchsia);
  keyed->GetCanvas()->FillRect(RECT{0, 0, 16, 16});
  keyed->GetCanvas()->GetBrush()->SetColor(clLime);
  keyed->GetCanvas()->FillRect(RECT{4, 4, 12, 12});
  EXPECT_EQ(list->AddImageMasked(keyed.get(), clFuchsia), 0);
  EXPECT_EQ(list->AddImageMasked(keyed.get(), clNone), 1);
  EXPECT_EQ(list->GetImageInfo()->At(0)->GetMaskColor(), clFuchsia);
  EXPECT_EQ(list->GetImageInfo()->At(1)->GetMaskColor(), clNone);
  EXPECT_EQ(ReadBitmapPixels(keyed.get())[0] & 0xFFFFFF, 0xFF00FFu) << "the caller's bitmap is left as it was";
  TSurface s(16, 16, clWhite);
  list->Draw(s.Canvas->GetCanvas(), 0, 0, 0);
  EXPECT_EQ(s.Pixel(8, 8), RGB(0, 255, 0));
  EXPECT_EQ(s.Pixel(1, 1), RGB(255, 255, 255)) << "the mask colour is transparent";
}

TEST(ImageList, AlphaImagesAreDrawnThroughTheStatePainter) {
  TOwned<TcxImageList> list(TcxImageList::Create(16, 16));
  TOwned<TBitmap> strip = Strip(16);
  list->AddImage(strip.get(), nullptr);
  TSurface normal(16, 16, clWhite), disabled(16, 16, clWhite);
  list->Draw(normal.Canvas->GetCanvas(), 0, 0, 0, true);
  list->Draw(disabled.Canvas->GetCanvas(), 0, 0, 0, false);
  EXPECT_EQ(normal.Pixel(5, 5), RGB(0, 0, 0));
  EXPECT_EQ(normal.Pixel(1, 1), RGB(255, 127, 127));
  // Disabled alpha image: its green-weighted grey (here 0 for black) at alpha 151.
  std::uint32_t white = 0xFFFFFFFF;
  BlendPixel(0xFF000000, white, 151);
  EXPECT_EQ(disabled.Pixel(5, 5), RGB(white & 0xFF, white & 0xFF, white & 0xFF));
}

TEST(ImageList, CopiesKeepImagesAndMaskColours) {
  TOwned<TcxImageList> source(TcxImageList::Create(16, 16));
  TOwned<TBitmap> strip = Strip(32);
  source->AddImage(strip.get(), nullptr);
  TOwned<TBitmap> keyed(CreateSizedBitmap(16, 16, pf24bit));
  source->AddImageMasked(keyed.get(), clRed);
  TOwned<TcxImageList> copy(TcxImageList::Create(8, 8));
  copy->Assign(source.get());
  EXPECT_EQ(copy->GetWidth(), 16);
  ASSERT_EQ(copy->GetCount(), 3);
  EXPECT_EQ(copy->GetImageInfo()->At(2)->GetMaskColor(), clRed);
  EXPECT_EQ(StoredPixels(copy.get(), 1), StoredPixels(source.get(), 1));
  EXPECT_TRUE(ImageListsEqual(copy.get(), source.get()));
  // From a plain image list: images read from its native list.
  TOwned<TImageList> plain(TImageList::Create(16, 16));
  plain->Add(strip.get(), nullptr);
  TOwned<TcxImageList> fromPlain(TcxImageList::Create(16, 16));
  fromPlain->Assign(plain.get());
  EXPECT_EQ(fromPlain->GetCount(), 2);
  EXPECT_EQ(fromPlain->GetImageInfo()->GetCount(), 2);
}

TEST(ImageList, AttachingFollowsChangesAndFreeNotices) {
  struct TClient {
    void Changed(TObject* Sender) { Senders.push_back(Sender); }
    std::vector<TObject*> Senders;
  } client;
  TOwned<TChangeLink> link(TChangeLink::Create());
  link->OnChange = Bind(&client, &TClient::Changed);
  TOwned<TcxImageList> a(TcxImageList::Create(16, 16));
  TCustomImageList* field = nullptr;
  AttachImageList(a.get(), field, link.get(), nullptr);
  EXPECT_EQ(field, a.get());
  EXPECT_EQ(client.Senders, std::vector<TObject*>{a.get()});
  AttachImageList(a.get(), field, link.get(), nullptr);  // the same list: nothing
  EXPECT_EQ(client.Senders.size(), 1u);
  TOwned<TBitmap> strip = Strip(16);
  a->AddImage(strip.get(), nullptr);
  EXPECT_EQ(client.Senders.size(), 2u) << "changes reach the link";
  AttachImageList(nullptr, field, link.get(), nullptr);
  EXPECT_EQ(field, nullptr);
  EXPECT_EQ(client.Senders.size(), 3u) << "told also when the list goes";
  a->AddImage(strip.get(), nullptr);
  EXPECT_EQ(client.Senders.size(), 3u) << "no longer registered";
  EXPECT_TRUE(IsImageIndexValid(a.get(), 1));
  EXPECT_FALSE(IsImageIndexValid(a.get(), 2));
  EXPECT_FALSE(IsImageIndexValid(nullptr, 0));
}

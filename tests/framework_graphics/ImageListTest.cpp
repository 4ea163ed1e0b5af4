// Image lists: adding with masks, drawing normal and disabled, order changes,
// replacing, change links and re-initialisation on resize.
#include <gtest/gtest.h>
#include <windows.h>

#include "PixelProbe.h"
#include "framework/ImageList.h"
#include "framework/Icon.h"

namespace {

// A 16x16 glyph: fuchsia background, a solid square of colour c at 4..12.
TBitmap* Glyph(TColor c) {
  TBitmap* b = MakeBitmap(16, 16, clFuchsia);
  b->GetCanvas()->GetBrush()->SetColor(c);
  b->GetCanvas()->FillRect(RECT{4, 4, 12, 12});
  return b;
}

// The colour of the centre of image i drawn alone on white.
COLORREF CentreOf(TCustomImageList* list, int i) {
  TOwned<TBitmap> t(MakeBitmap(16, 16, clWhite));
  list->Draw(t->GetCanvas(), 0, 0, i);
  return ProbePixel(t.get(), 8, 8);
}

class TCountingImageList : public TImageList {
  SONVELT_CLASS(TCountingImageList, TImageList)
public:
  using TImageList::TImageList;
  int Initialized = 0;

protected:
  void Initialize() override {
    TImageList::Initialize();
    ++Initialized;
  }
};

struct Counter {
  int n = 0;
  void Hit(TObject*) { ++n; }
};

}  // namespace

TEST(ImageList, MaskedImagesDrawOverTheBackground) {
  TOwned<TImageList> list(TImageList::Create(nullptr));
  TOwned<TBitmap> red(Glyph(clRed));
  EXPECT_EQ(list->AddMasked(red.get(), clFuchsia), 0);
  // The source bitmap is left as it was (the native call would blacken it).
  EXPECT_EQ(ProbePixel(red.get(), 0, 0), RGB(255, 0, 255));
  // An explicit mask: white is transparent.
  TOwned<TBitmap> blue(Glyph(clBlue));
  TOwned<TBitmap> mask(MakeBitmap(16, 16, clWhite));
  mask->GetCanvas()->GetBrush()->SetColor(clBlack);
  mask->GetCanvas()->FillRect(RECT{4, 4, 12, 12});
  mask->SetMonochrome(true);
  EXPECT_EQ(list->Add(blue.get(), mask.get()), 1);
  EXPECT_EQ(list->GetCount(), 2);

  TOwned<TBitmap> target(MakeBitmap(40, 20, clLime));
  list->Draw(target->GetCanvas(), 0, 0, 0);
  list->Draw(target->GetCanvas(), 20, 0, 1);
  const struct { int x, y; COLORREF want; } probes[] = {
      {1, 1, RGB(0, 255, 0)}, {8, 8, RGB(255, 0, 0)}, {21, 1, RGB(0, 255, 0)}, {28, 8, RGB(0, 0, 255)},
  };
  for (auto& p : probes) EXPECT_EQ(ProbePixel(target.get(), p.x, p.y), p.want) << p.x;

  // A list without masks paints its whole square.
  TOwned<TImageList> plain(TImageList::Create(nullptr));
  plain->SetMasked(false);
  plain->Add(red.get(), nullptr);
  list->SetBkColor(clNone);
  plain->Draw(target->GetCanvas(), 0, 0, 0);
  EXPECT_EQ(ProbePixel(target.get(), 1, 1), RGB(255, 0, 255));
}

TEST(ImageList, DisabledDrawEmbossesTheShapeInShadowColours) {
  TOwned<TImageList> list(TImageList::Create(nullptr));
  TOwned<TBitmap> red(Glyph(clRed));
  list->AddMasked(red.get(), clFuchsia);
  TOwned<TBitmap> target(MakeBitmap(20, 20, clLime));
  list->Draw(target->GetCanvas(), 0, 0, 0, false);
  EXPECT_EQ(ProbePixel(target.get(), 8, 8), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ProbePixel(target.get(), 12, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ProbePixel(target.get(), 1, 1), RGB(0, 255, 0));
  EXPECT_EQ(ProbePixel(target.get(), 14, 14), RGB(0, 255, 0));
}

TEST(ImageList, StripsSplitAndOrderChangesKeepImagesApart) {
  TOwned<TImageList> list(TImageList::Create(nullptr));
  TOwned<TBitmap> strip(MakeBitmap(48, 16, clRed));
  strip->GetCanvas()->GetBrush()->SetColor(clLime);
  strip->GetCanvas()->FillRect(RECT{16, 0, 32, 16});
  strip->GetCanvas()->GetBrush()->SetColor(clBlue);
  strip->GetCanvas()->FillRect(RECT{32, 0, 48, 16});
  EXPECT_EQ(list->Add(strip.get(), nullptr), 0);
  ASSERT_EQ(list->GetCount(), 3);
  const COLORREF R = RGB(255, 0, 0), G = RGB(0, 255, 0), B = RGB(0, 0, 255), Y = RGB(255, 255, 0);
  auto order = [&] {
    std::vector<COLORREF> v;
    for (int i = 0; i < list->GetCount(); ++i) v.push_back(CentreOf(list.get(), i));
    return v;
  };
  EXPECT_EQ(order(), (std::vector<COLORREF>{R, G, B}));
  list->Move(0, 2);
  EXPECT_EQ(order(), (std::vector<COLORREF>{G, B, R}));
  list->Move(2, 0);
  EXPECT_EQ(order(), (std::vector<COLORREF>{R, G, B}));

  TOwned<TBitmap> yellow(MakeBitmap(16, 16, clYellow));
  list->Insert(1, yellow.get(), nullptr);
  EXPECT_EQ(order(), (std::vector<COLORREF>{R, Y, G, B}));
  list->Delete(0);
  EXPECT_EQ(order(), (std::vector<COLORREF>{Y, G, B}));
  TOwned<TBitmap> red(Glyph(clRed));
  list->ReplaceMasked(2, red.get(), clFuchsia);
  EXPECT_EQ(order(), (std::vector<COLORREF>{Y, G, R}));
  TOwned<TBitmap> back(TBitmap::Create());
  list->GetBitmap(2, back.get());
  EXPECT_EQ(ProbePixel(back.get(), 0, 0), RGB(255, 255, 255));  // transparent corner on white
  EXPECT_EQ(ProbePixel(back.get(), 8, 8), R);
  TOwned<TBitmap> blue(MakeBitmap(16, 16, clBlue));
  list->Replace(0, blue.get(), nullptr);
  EXPECT_EQ(order(), (std::vector<COLORREF>{B, G, R}));

  EXPECT_THROW(list->Delete(3), EInvalidOperation);
  EXPECT_THROW(list->Move(0, 5), EInvalidOperation);
  EXPECT_THROW(list->Insert(9, yellow.get(), nullptr), EInvalidOperation);
  list->Clear();
  EXPECT_EQ(list->GetCount(), 0);
}

TEST(ImageList, IconsGoInAndComeOut) {
  TOwned<TImageList> list(TImageList::Create(nullptr));
  TOwned<TBitmap> red(Glyph(clRed));
  list->AddMasked(red.get(), clFuchsia);
  TOwned<TIcon> icon(TIcon::Create());
  list->GetIcon(0, icon.get());
  ASSERT_NE(icon->GetHandle(), nullptr);
  EXPECT_EQ(list->AddIcon(icon.get()), 1);
  TOwned<TBitmap> target(MakeBitmap(16, 16, clLime));
  list->Draw(target->GetCanvas(), 0, 0, 1);
  EXPECT_EQ(ProbePixel(target.get(), 8, 8), RGB(255, 0, 0));
  EXPECT_EQ(ProbePixel(target.get(), 1, 1), RGB(0, 255, 0));
}

TEST(ImageList, ChangesReachLinksAndResizeInitializesAgain) {
  TOwned<TCountingImageList> list(TCountingImageList::Create(nullptr));
  EXPECT_EQ(list->Initialized, 1);
  Counter onChange, viaLink;
  list->OnChange = Bind(&onChange, &Counter::Hit);
  TChangeLink* link = TChangeLink::Create();
  link->OnChange = Bind(&viaLink, &Counter::Hit);
  list->RegisterChanges(link);
  EXPECT_EQ(link->GetSender(), list.get());

  TOwned<TBitmap> red(Glyph(clRed));
  list->AddMasked(red.get(), clFuchsia);
  EXPECT_EQ(onChange.n, 1);
  EXPECT_EQ(viaLink.n, 1);

  list->BeginUpdate();
  list->AddMasked(red.get(), clFuchsia);
  list->AddMasked(red.get(), clFuchsia);
  EXPECT_EQ(onChange.n, 1);
  list->EndUpdate();
  EXPECT_EQ(onChange.n, 2);

  list->SetWidth(24);
  EXPECT_EQ(list->Initialized, 2);
  EXPECT_EQ(list->GetCount(), 0);
  int w = 0, h = 0;
  ImageList_GetIconSize(list->GetHandle(), &w, &h);
  EXPECT_EQ(w, 24);
  EXPECT_EQ(h, 16);

  Free(link);  // unregisters itself
  list->SetHeight(20);
  EXPECT_EQ(viaLink.n, 3);
}

TEST(ImageList, AssignCopiesImagesAndSettings) {
  TOwned<TImageList> a(TImageList::Create(nullptr));
  a->SetWidth(8);
  a->SetHeight(8);
  TOwned<TBitmap> blue(MakeBitmap(8, 8, clBlue));
  a->Add(blue.get(), nullptr);
  a->SetBkColor(clYellow);
  TOwned<TImageList> b(TImageList::Create(nullptr));
  b->Assign(a.get());
  EXPECT_EQ(b->GetWidth(), 8);
  EXPECT_EQ(b->GetCount(), 1);
  EXPECT_NE(b->GetHandle(), a->GetHandle());
  EXPECT_EQ(b->GetBkColor(), clYellow);
  a->Clear();
  EXPECT_EQ(b->GetCount(), 1);
}

TEST(ImageList, NativeListDataRoundTrips) {
  TOwned<TImageList> a(TImageList::Create(nullptr));
  TOwned<TBitmap> red(Glyph(clRed)), blue(Glyph(clBlue));
  a->AddMasked(red.get(), clFuchsia);
  a->AddMasked(blue.get(), clFuchsia);
  std::vector<std::uint8_t> data = a->SaveToBytes();
  ASSERT_GT(data.size(), 16u);

  TOwned<TImageList> b(TImageList::Create(nullptr));
  b->LoadFromBytes(data.data(), data.size());
  ASSERT_EQ(b->GetCount(), 2);
  EXPECT_EQ(CentreOf(b.get(), 1), RGB(0, 0, 255));
  TOwned<TBitmap> target(MakeBitmap(16, 16, clLime));
  b->Draw(target->GetCanvas(), 0, 0, 0);
  EXPECT_EQ(ProbePixel(target.get(), 1, 1), RGB(0, 255, 0));

  std::vector<std::uint8_t> broken(data.begin(), data.begin() + 10);
  EXPECT_THROW(b->LoadFromBytes(broken.data(), broken.size()), EInvalidOperation);
  EXPECT_EQ(b->GetCount(), 2);
}

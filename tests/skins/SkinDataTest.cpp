// Loading packages into the live skin: the slots of each version, hostile
// packages, the messages forms receive, and the authored skin of the program.
#include <gtest/gtest.h>

#include "framework/Form.h"
#include "framework/IniFiles.h"
#include "framework/MemoryStreams.h"
#include "skins/SkinData.h"
#include "skins/SkinStore.h"
#include "skins/SkinZlib.h"
#include "tests/skins/SkinTestSupport.h"

namespace {

const std::string MinimalDescription =
    "[VERSION]\r\nskinname=t\r\n[SKINCONTROLS]\r\ncount=2\r\n0=g:gauge\r\n1=b:nosuchkind\r\n"
    "[g]\r\nskinrect=1,2,3,4\r\n[SKINCOLORS]\r\ncbtnface=255\r\n";

// A package of the given version: slot i (in the order the version has them)
// holds a bitmap i + 1 pixels wide; one numbered picture 9 wide.
Bytes Package(int32_t Version, const std::string& Text = MinimalDescription, int32_t Count = 1) {
  Bytes p;
  PutLE32(p, Version);
  const int slots = Version <= 0 ? 2 : Version == 1 ? 4 : Version == 2 ? 5 : 3;
  for (int i = 0; i < slots; ++i) {
    p.push_back(0);
    const Bytes bmp = SmallBmp(i + 1, 2, RGB(10, 20, 30));
    p.insert(p.end(), bmp.begin(), bmp.end());
  }
  PutLE32(p, Count);
  const Bytes bmp = SmallBmp(9, 3, RGB(40, 50, 60));
  p.insert(p.end(), bmp.begin(), bmp.end());
  p.insert(p.end(), Text.begin(), Text.end());
  return p;
}

TOwned<TspCompressedStoredSkin> Stored(const Bytes& Zlib) {
  auto s = MakeOwned<TspCompressedStoredSkin>(nullptr);
  if (!Zlib.empty()) s->GetCompressedStream()->WriteBuffer(Zlib.data(), int(Zlib.size()));
  return s;
}

TOwned<TspCompressedStoredSkin> AuthoredSkin() {
  auto s = MakeOwned<TspCompressedStoredSkin>(nullptr);
  s->LoadFromCompressedFile(SkinFile("cool.skn"));
  return s;
}

// A form that notes the skin messages it receives.
class TRecordingForm : public TForm {
  SONVELT_CLASS(TRecordingForm, TForm)
 public:
  using TForm::TForm;
  struct Note {
    UINT msg;
    WPARAM w;
    LPARAM l;
  };
  std::vector<Note> Notes;
  void WndProc(TMessage& M) override {
    if (M.Msg >= 0x4C9 && M.Msg <= 0x50E) Notes.push_back({M.Msg, M.WParam, M.LParam});
    TForm::WndProc(M);
  }
};

}  // namespace

TEST(SkinData, EachVersionFillsItsSlots) {
  struct Case {
    int32_t version;
    // Widths of picture, inactive picture, mask, roll-up picture, roll-up mask.
    int widths[5];
  };
  for (const Case& c : {Case{-1, {1, 0, 2, 0, 0}}, Case{0, {1, 0, 2, 0, 0}}, Case{1, {1, 0, 2, 3, 4}},
                        Case{2, {1, 2, 3, 4, 5}}, Case{3, {1, 2, 3, 0, 0}}}) {
    auto data = MakeOwned<TspSkinData>(nullptr);
    auto stored = Stored(Deflate(Package(c.version)));
    data->LoadCompressedSkin(stored.get());
    ASSERT_FALSE(data->GetEmpty()) << c.version;
    TBitmap* slots[5] = {data->GetPicture(), data->GetInactivePicture(), data->GetMask(), data->GetRollUpPicture(),
                         data->GetRollUpMask()};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(slots[i]->GetWidth(), c.widths[i]) << c.version << " slot " << i;
    ASSERT_EQ(data->GetActivePictureCount(), 1);
    EXPECT_EQ(data->GetActivePicture(0)->GetWidth(), 9);
    // The unknown kind word creates nothing; colours come from the description.
    ASSERT_EQ(data->GetControlDescriptorCount(), 1);
    EXPECT_EQ(data->GetControlDescriptor(0)->SkinRect.right, 3);
    EXPECT_EQ(data->GetSkinColors()->cBtnFace, 255);
    EXPECT_EQ(data->GetSkinColors()->cBtnText, 0);
  }
  // Version 4 and above: a cleared, empty skin with the system colours.
  auto data = MakeOwned<TspSkinData>(nullptr);
  EXPECT_EQ(data->GetSkinColors()->cBtnFace, 0);
  auto stored = Stored(Deflate(Package(4)));
  data->LoadCompressedSkin(stored.get());
  EXPECT_TRUE(data->GetEmpty());
  EXPECT_EQ(data->GetActivePictureCount(), 0);
  EXPECT_EQ(data->GetSkinColors()->cBtnFace, clBtnFace);
  EXPECT_EQ(data->GetSkinColors()->c3DDkShadow, cl3DDkShadow);
}

TEST(SkinData, HostilePackagesLeaveTheSkinEmpty) {
  auto cut = [](Bytes B, size_t N) {
    B.resize(N);
    return B;
  };
  Bytes lyingBmp = Package(0);
  lyingBmp[5 + 2] = 0xFF;  // the first BMP's size field points far beyond the package
  lyingBmp[5 + 3] = 0xFF;
  const Bytes bigCount = Package(0, MinimalDescription, 0x7FFFFFFF);
  Bytes badRect = Package(0, "[SKINCONTROLS]\r\ncount=1\r\n0=g:gauge\r\n[g]\r\nskinrect=1,2\r\n");
  Bytes tooLarge(MaxSkinPackageSize + 1, 0);
  struct Case {
    const char* name;
    Bytes zlib;
  };
  for (const Case& c : {Case{"lying BMP size", Deflate(lyingBmp)}, Case{"huge picture count", Deflate(bigCount)},
                        Case{"cut in a slot", Deflate(cut(Package(2), 30))}, Case{"no version", Deflate(Bytes{2, 0})},
                        Case{"unconvertible rectangle", Deflate(badRect)},
                        Case{"damaged zlib", Bytes{0x78, 0xDA, 0xFF, 0xFF, 0x00}},
                        Case{"beyond the size cap", Deflate(tooLarge)}}) {
    auto data = MakeOwned<TspSkinData>(nullptr);
    auto good = AuthoredSkin();
    data->LoadCompressedSkin(good.get());
    ASSERT_FALSE(data->GetEmpty());
    auto stored = Stored(c.zlib);
    EXPECT_THROW(data->LoadCompressedSkin(stored.get()), Exception) << c.name;
    EXPECT_TRUE(data->GetEmpty()) << c.name;
    EXPECT_EQ(data->GetControlDescriptorCount(), 0) << c.name;
    EXPECT_EQ(data->GetActivePictureCount(), 0) << c.name;
    // Through the property the failure stays inside: the skin is simply empty.
    data->LoadCompressedSkin(good.get());
    EXPECT_NO_THROW(data->SetCompressedStoredSkin(stored.get())) << c.name;
    EXPECT_TRUE(data->GetEmpty()) << c.name;
    data->SetCompressedStoredSkin(nullptr);
  }
}

TEST(SkinData, FormsHearOfEachLoad) {
  auto* form = TRecordingForm::Create(nullptr);
  auto* other = TRecordingForm::Create(nullptr);
  auto* windowless = TRecordingForm::Create(nullptr);
  form->HandleNeeded();
  other->HandleNeeded();
  auto* data = TspSkinData::Create(form);
  auto skin = AuthoredSkin();
  auto empty = Stored({});

  data->SetCompressedStoredSkin(empty.get());
  data->SetSkinnableForm(true);
  EXPECT_TRUE(form->Notes.empty());

  data->SetCompressedStoredSkin(skin.get());
  const WPARAM self = reinterpret_cast<WPARAM>(data);
  for (TRecordingForm* f : {form, other}) {
    ASSERT_EQ(f->Notes.size(), 3u);
    const UINT order[3] = {WM_SKINDATA_BEFORECHANGE, WM_SKINDATA_CHANGED, WM_SKINDATA_CHANGEDONE};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(f->Notes[size_t(i)].msg, order[i]);
      EXPECT_EQ(f->Notes[size_t(i)].w, self);
      EXPECT_EQ(f->Notes[size_t(i)].l, 1000);
    }
  }
  EXPECT_FALSE(windowless->HandleAllocated());  // a form without a window is not made one

  form->Notes.clear();
  data->SetSkinnableForm(false);
  ASSERT_EQ(form->Notes.size(), 1u);
  EXPECT_EQ(form->Notes[0].msg, WM_SKINDATA_FORMSKINNABLE);
  data->SetSkinnableForm(false);
  EXPECT_EQ(form->Notes.size(), 1u);

  // Removing the stored skin clears the reference.
  skin.reset();
  EXPECT_EQ(data->GetCompressedStoredSkin(), nullptr);
  Free(windowless);
  Free(other);
  Free(form);
}

TEST(SkinData, TheAuthoredSkinLoadsAsDescribed) {
  auto data = MakeOwned<TspSkinData>(nullptr);
  auto skin = AuthoredSkin();
  data->LoadCompressedSkin(skin.get());
  ASSERT_FALSE(data->GetEmpty());
  EXPECT_EQ(data->GetSkinInfo().Name, "cool");
  ASSERT_EQ(data->GetControlDescriptorCount(), 4);
  EXPECT_TRUE(Is<TspDataSkinGaugeControl>(data->GetControlDescriptor(0)));
  EXPECT_TRUE(Is<TspDataSkinButtonControl>(data->GetControlDescriptor(1)));
  EXPECT_TRUE(Is<TspDataSkinCheckRadioControl>(data->GetControlDescriptor(2)));
  EXPECT_TRUE(Is<TspDataSkinTrackBarControl>(data->GetControlDescriptor(3)));
  EXPECT_EQ(data->GetObjectDescriptorCount(), 0);
  EXPECT_TRUE(data->GetSkinAreas().empty());
  EXPECT_EQ(data->GetHintWindow()->FontHeight, 12);
  EXPECT_EQ(data->GetActivePictureNames()->GetText(), "control.bmp\r\n");
  struct Find {
    const char* name;
    int index;
  };
  for (const Find& f : {Find{"gauge", 0}, Find{"button", 1}, Find{"checkradio", 2}, Find{"trackbar", 3},
                        Find{"Gauge", -1}, Find{"", -1}})
    EXPECT_EQ(data->FindControlIndex(f.name), f.index) << f.name;

  // One picture, equal pixel for pixel to the authored BMP.
  ASSERT_EQ(data->GetActivePictureCount(), 1);
  TBitmap* picture = data->GetActivePicture(0);
  auto bmp = MakeOwned<TBitmap>();
  bmp->LoadFromFile(SkinFile("control.bmp"));
  ASSERT_EQ(picture->GetWidth(), 138);
  ASSERT_EQ(picture->GetHeight(), 193);
  for (int y = 0; y < 193; ++y)
    ASSERT_EQ(std::memcmp(picture->ScanLine(y), bmp->ScanLine(y), 138 * 3), 0) << "row " << y;

  // Every rectangle that names a place in the picture lies inside it.
  const RECT whole{0, 0, 138, 193};
  for (int i = 0; i < 4; ++i) {
    TspDataSkinControl* d = data->GetControlDescriptor(i);
    for (const TSkinKey* k : d->Keys()) {
      const std::string key = k->Name;
      if (k->Type != sktRect || key == "clientrect" || key.find("area") != std::string::npos) continue;
      const RECT r = *static_cast<RECT*>(k->Field.Address(d));
      if (IsNullRect(r)) continue;
      RECT inside;
      IntersectRect(&inside, &r, &whole);
      EXPECT_TRUE(EqualRect(&inside, &r)) << d->SkinSection << "." << key;
    }
  }

  // The transparent colours are where the description says.
  const COLORREF magenta = RGB(255, 0, 255);
  auto* gauge = static_cast<TspDataSkinGaugeControl*>(data->GetControlDescriptor(0));
  auto* button = static_cast<TspDataSkinButtonControl*>(data->GetControlDescriptor(1));
  auto* box = static_cast<TspDataSkinCheckRadioControl*>(data->GetControlDescriptor(2));
  auto* track = static_cast<TspDataSkinTrackBarControl*>(data->GetControlDescriptor(3));
  EXPECT_TRUE(gauge->ProgressTransparent);
  EXPECT_EQ(COLORREF(gauge->ProgressTransparentColor), magenta);
  EXPECT_TRUE(track->ButtonTransparent);
  auto count = [&](const RECT& r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += PixelOf(picture, x, y) == c;
    return n;
  };
  EXPECT_GT(count(gauge->ProgressRect, magenta), 193);  // the gaps between the segments
  EXPECT_EQ(count(gauge->SkinRect, magenta), 0);
  for (const RECT& face : {button->SkinRect, button->ActiveSkinRect, button->DownSkinRect, button->DisabledSkinRect})
    EXPECT_EQ(count(face, magenta), 0);
  for (const RECT& r : {box->CheckImageRect, box->UnCheckImageRect, box->ActiveCheckImageRect, box->ActiveUnCheckImageRect}) {
    EXPECT_EQ(RectWidth(r), 14);
    EXPECT_EQ(RectHeight(r), 13);
    EXPECT_EQ(PixelOf(picture, r.left, r.bottom - 1), magenta);
    EXPECT_NE(PixelOf(picture, r.left + 5, r.top + 5), magenta);
  }
  for (const RECT& r : {track->ButtonRect, track->ActiveButtonRect}) {
    EXPECT_EQ(PixelOf(picture, r.left, r.top), magenta);
    EXPECT_EQ(PixelOf(picture, r.right - 1, r.bottom - 1), magenta);
    EXPECT_NE(PixelOf(picture, r.left + 9, r.top + 5), magenta);
  }
  EXPECT_EQ(count(track->SkinRect, magenta), 0);
}

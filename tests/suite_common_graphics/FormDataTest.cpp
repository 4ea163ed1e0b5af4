// Form data of the image list and the look-and-feel through the component stream.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/ComponentStreams.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/Published.h"
#include "suite/common/cxImageList.h"
#include "suite/common/cxLookAndFeel.h"

namespace {

TOwned<TMemoryStream> Written(TComponent* C) {
  TOwned<TMemoryStream> s(TMemoryStream::Create());
  WriteComponent(s.get(), C);
  s->SetPosition(0);
  return s;
}

std::string TextOf(TMemoryStream* Binary) {
  Binary->SetPosition(0);
  TOwned<TMemoryStream> text(TMemoryStream::Create());
  ObjectBinaryToText(Binary, text.get());
  Binary->SetPosition(0);
  return std::string(static_cast<const char*>(text->GetMemory()), static_cast<size_t>(text->GetSize()));
}

TOwned<TMemoryStream> BinaryOf(const std::string& Text) {
  TOwned<TMemoryStream> in(TMemoryStream::Create()), out(TMemoryStream::Create());
  in->WriteBuffer(Text.data(), static_cast<int>(Text.size()));
  in->SetPosition(0);
  ObjectTextToBinary(in.get(), out.get());
  out->SetPosition(0);
  return out;
}

// Three 16 x 16 tiles with alpha: tile i has blue i * 60 and a half-clear corner.
TOwned<TBitmap> Strip() {
  TOwned<TBitmap> b(CreateSizedBitmap(48, 16, pf32bit));
  TcxPixels p(48 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x) p[static_cast<size_t>(y) * 48 + x] = 0xFF000000u | static_cast<std::uint32_t>((x / 16) * 60);
  for (int t = 0; t < 3; ++t) p[static_cast<size_t>(t) * 16] = 0x40200000;
  WriteBitmapPixels(b.get(), p);
  return b;
}

TcxPixels Stored(TcxImageList* L, int Index) {
  return ReadBitmapPixels(L->GetImageInfo()->At(Index)->GetImage());
}

}  // namespace

TEST(ImageListFormData, ImagesKeepTheirAlphaPlainAndCompressed) {
  for (bool compress : {false, true}) {
    TOwned<TcxImageList> list(TcxImageList::Create(nullptr));
    list->SetName("cxImageListSmall");
    list->SetDesignInfo(15729080);
    list->SetCompressData(compress);
    TOwned<TBitmap> strip = Strip();
    list->AddImage(strip.get(), nullptr);
    TOwned<TBitmap> keyed(CreateSizedBitmap(16, 16, pf24bit));
    list->AddImageMasked(keyed.get(), clRed);
    TOwned<TMemoryStream> data = Written(list.get());
    const std::string text = TextOf(data.get());
    EXPECT_NE(text.find("FormatVersion = 1"), std::string::npos) << text;
    EXPECT_NE(text.find("DesignInfo = 15729080"), std::string::npos) << text;
    EXPECT_NE(text.find("ImageInfo = <"), std::string::npos) << text;
    EXPECT_NE(text.find("Image.Data = {"), std::string::npos) << text;
    EXPECT_NE(text.find("MaskColor = clRed"), std::string::npos) << text;
    EXPECT_EQ(text.find("Left ="), std::string::npos) << "the design position goes as DesignInfo";

    TOwned<TcxImageList> back(TcxImageList::Create(nullptr));
    ReadComponent(data.get(), back.get());
    EXPECT_EQ(back->GetFormatVersion(), 1);
    EXPECT_EQ(back->GetDesignInfo(), 15729080);
    EXPECT_EQ(back->GetCompressData(), compress);
    ASSERT_EQ(back->GetCount(), 4) << "compressed " << compress;
    ASSERT_EQ(back->GetImageInfo()->GetCount(), 4);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Stored(back.get(), i), Stored(list.get(), i)) << i;
      EXPECT_EQ(Stored(back.get(), i)[0], 0x40200000u) << "alpha kept";
    }
    EXPECT_EQ(back->GetImageInfo()->At(3)->GetMaskColor(), clRed);
  }
}

TEST(ImageListFormData, NothingToStoreForAnEmptyList) {
  TOwned<TcxImageList> list(TcxImageList::Create(nullptr));
  list->SetName("Empty");
  TOwned<TMemoryStream> data = Written(list.get());
  const std::string text = TextOf(data.get());
  EXPECT_EQ(text.find("ImageInfo"), std::string::npos) << text;
  EXPECT_NE(text.find("FormatVersion = 1"), std::string::npos) << text;
}

TEST(ImageListFormData, APropertyAfterTheImagesLeavesThemAlone) {
  TOwned<TcxImageList> list(TcxImageList::Create(nullptr));
  list->SetName("Images");
  TOwned<TBitmap> keyed(CreateSizedBitmap(16, 16, pf24bit));
  list->AddImageMasked(keyed.get(), clLime);
  std::string text = TextOf(Written(list.get()).get());
  // The design position moved behind the images, as another writer may order it.
  const size_t at = text.find("  DesignInfo = ");
  ASSERT_NE(at, std::string::npos);
  const size_t end = text.find("\r\n", at) + 2;
  const std::string line = text.substr(at, end - at);
  text.erase(at, end - at);
  text.insert(text.rfind("end"), line);
  TOwned<TcxImageList> back(TcxImageList::Create(nullptr));
  ReadComponent(BinaryOf(text).get(), back.get());
  ASSERT_EQ(back->GetImageInfo()->GetCount(), 1);
  EXPECT_EQ(back->GetImageInfo()->At(0)->GetMaskColor(), clLime) << "the mask colour is not lost";
}

TEST(ImageListFormData, AnOldBitmapIsMirroredInTheCollection) {
  TOwned<TImageList> plain(TImageList::Create(16, 16));
  TOwned<TBitmap> strip = Strip();
  plain->Add(strip.get(), nullptr);
  TOwned<TMemoryStream> native(TMemoryStream::Create());
  plain->WriteData(native.get());
  std::string hex;
  const auto* bytes = static_cast<const unsigned char*>(native->GetMemory());
  for (std::int64_t i = 0; i < native->GetSize(); ++i) {
    char two[3];
    std::snprintf(two, sizeof two, "%02X", bytes[i]);
    hex += two;
  }
  const std::string text = "object Old: TcxImageList\r\n  Bitmap = {\r\n    " + hex + "}\r\nend\r\n";
  TOwned<TcxImageList> back(TcxImageList::Create(nullptr));
  ReadComponent(BinaryOf(text).get(), back.get());
  EXPECT_EQ(back->GetCount(), 3);
  EXPECT_EQ(back->GetImageInfo()->GetCount(), 3);
}

namespace {

// A component holding a look-and-feel, as the suite's controls do.
class TLookHolder : public TComponent {
  SONVELT_CLASS(TLookHolder, TComponent)
public:
  static void Publish(TPublisher<TLookHolder>& P);
  explicit TLookHolder(TComponent* AOwner) : TComponent(AOwner), FLook(TcxLookAndFeel::Create(this)) {}
  TcxLookAndFeel* GetLook() const { return FLook.get(); }

private:
  TOwned<TcxLookAndFeel> FLook;
};

SONVELT_PUBLISHED(TLookHolder, P) { P.Object("LookAndFeel", &TLookHolder::GetLook); }

}  // namespace

TEST(LookAndFeelFormData, AssignedValuesAreStoredAndAnEmptySkinNameToo) {
  TOwned<TLookHolder> holder(TLookHolder::Create(nullptr));
  holder->SetName("Holder");
  std::string text = TextOf(Written(holder.get()).get());
  EXPECT_EQ(text.find("LookAndFeel."), std::string::npos) << "nothing assigned, nothing stored: " << text;
  holder->GetLook()->SetKind(lfUltraFlat);  // the default, but assigned
  holder->GetLook()->SetSkinName("");
  TOwned<TMemoryStream> data = Written(holder.get());
  text = TextOf(data.get());
  EXPECT_NE(text.find("LookAndFeel.Kind = lfUltraFlat"), std::string::npos) << text;
  EXPECT_NE(text.find("LookAndFeel.SkinName = ''"), std::string::npos) << text;
  EXPECT_EQ(text.find("AssignedValues"), std::string::npos) << text;
  EXPECT_EQ(text.find("NativeStyle"), std::string::npos) << text;
  TOwned<TLookHolder> back(TLookHolder::Create(nullptr));
  ReadComponent(data.get(), back.get());
  EXPECT_EQ(back->GetLook()->GetAssignedValues(), (TcxLookAndFeelValues{lfvKind, lfvSkinName}));
}

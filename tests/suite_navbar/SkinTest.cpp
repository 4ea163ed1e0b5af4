// Skins: the model's lookups and change notices, the stream read back equal, the
// stored skins read to their end, and bad streams refused without touching the
// skin.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "framework/Bitmap.h"
#include "framework/MemoryStreams.h"
#include "suite/navbar/Skin.h"

namespace {
struct TBytes {
  std::vector<std::uint8_t> B;
  TBytes& Int(std::int32_t V) {
    for (int I = 0; I < 4; ++I) B.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(V) >> (8 * I)));
    return *this;
  }
  TBytes& Byte(std::uint8_t V) {
    B.push_back(V);
    return *this;
  }
  TBytes& Word(std::uint16_t V) { return Byte(static_cast<std::uint8_t>(V)).Byte(static_cast<std::uint8_t>(V >> 8)); }
  TBytes& Float(double D) {
    std::uint64_t U;
    std::memcpy(&U, &D, 8);
    for (int I = 0; I < 8; ++I) B.push_back(static_cast<std::uint8_t>(U >> (8 * I)));
    return *this;
  }
  TBytes& Text(const std::string& S) {
    Int(static_cast<std::int32_t>(S.size()));
    B.insert(B.end(), S.begin(), S.end());
    return *this;
  }
  TBytes& Raw(const std::vector<std::uint8_t>& R) {
    B.insert(B.end(), R.begin(), R.end());
    return *this;
  }
  TBytes& Rect() { return Int(0).Int(0).Int(0).Int(0); }
};

// A PNG file's first 24 bytes with the given size, then a little more.
std::vector<std::uint8_t> PngHead(std::uint32_t W, std::uint32_t H) {
  std::vector<std::uint8_t> P = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t V : {W, H})
    for (int S = 24; S >= 0; S -= 8) P.push_back(static_cast<std::uint8_t>(V >> S));
  P.resize(40, 0);
  return P;
}

struct TStreamParts {
  std::int32_t SignatureLength = 6;
  std::string Signature = "dxSkin";
  double Version = 1.01;
  std::string PropertyClass = "TdxSkinIntegerProperty";
  std::uint8_t Layout = 0;
  std::uint16_t States = 1;
  std::vector<std::uint8_t> Png;
  std::int32_t PngSize = -1;  // -1: the size of Png
  std::int32_t NameLength = -1;
};

// A small stream: one colour, one skin property, group "NavBar" with element "Item".
std::vector<std::uint8_t> MakeStream(const TStreamParts& P) {
  TBytes S;
  S.Int(P.SignatureLength);
  S.B.insert(S.B.end(), P.Signature.begin(), P.Signature.end());
  S.Float(P.Version);
  if (P.NameLength >= 0) S.Int(P.NameLength).Raw({'H', 'a', 'n', 'd'});
  else S.Text("Hand");
  S.Int(1).Text("TdxSkinColor").Text("ContentColor").Int(0x123456);
  S.Int(1).Text(P.PropertyClass).Text("Depth").Int(7);
  S.Int(1).Text("NavBar").Int(1).Text("Item");
  S.Int(0x00FF00).Byte(200).Int(2).Rect();
  for (int Image = 0; Image < 2; ++Image) {
    S.Rect().Byte(Image ? P.Layout : 0).Word(Image ? P.States : 0).Byte(0);
    if (P.Version >= 1.02) S.Int(0x1FFFFFFF).Int(0x1FFFFFFF).Byte(0);
    if (Image == 1) S.Int(P.PngSize >= 0 ? P.PngSize : static_cast<std::int32_t>(P.Png.size())).Raw(P.Png);
    else S.Int(0);
  }
  for (const char* Side : {"Left", "Top", "Right", "Bottom"}) S.Text("TdxSkinBorder").Text(Side).Int(0x1FFFFFFF).Int(1);
  S.Int(0x0000FF).Int(3).Int(4).Int(0);
  S.Int(0);
  return S.B;
}

void Load(TdxSkin* Skin, const std::vector<std::uint8_t>& Bytes, TMemoryStream* M = nullptr) {
  TOwned<TMemoryStream> Own;
  if (!M) {
    Own.reset(TMemoryStream::Create());
    M = Own.get();
  }
  M->Clear();
  M->WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
  M->SetPosition(0);
  Skin->LoadFromStream(M);
}

std::vector<std::uint8_t> Saved(TdxSkin* Skin) {
  TOwned<TMemoryStream> M(TMemoryStream::Create());
  Skin->SaveToStream(M.get());
  std::vector<std::uint8_t> B(static_cast<size_t>(M->GetSize()));
  M->SetPosition(0);
  M->ReadBuffer(B.data(), static_cast<int>(B.size()));
  return B;
}

// A 20 x 10 strip of two cells, red then blue.
TdxPNGImage* TwoCellPicture() {
  TBitmap* B = TBitmap::Create();
  B->SetPixelFormat(pf32bit);
  B->SetSize(20, 10);
  for (int Y = 0; Y < 10; ++Y) {
    auto* Row = static_cast<std::uint32_t*>(B->ScanLine(Y));
    for (int X = 0; X < 20; ++X) Row[X] = X < 10 ? 0xFFFF0000u : 0xFF0000FFu;
  }
  TdxPNGImage* P = TdxPNGImage::Create();
  P->TakeFrom(B);
  Free(B);
  return P;
}

struct TListener : TObject, IdxSkinChangeListener {
  std::vector<std::string>* Log;
  void SkinChanged(TdxSkin*) override { Log->push_back("listener"); }
  void Changed(TObject*) { Log->push_back("change"); }
};
}  // namespace

TEST(SkinModel, LookupsAreExactSortOnceAndChangesClimbToTheSkin) {
  TOwned<TdxSkin> S(TdxSkin::Create("Test"));
  std::vector<std::string> Log;
  TListener L;
  L.Log = &Log;
  S->AddListener(&L);
  S->OnChange = Bind(&L, &TListener::Changed);
  TdxSkinControlGroup* G = S->AddGroup("NavBar");
  S->AddGroup("Bars");
  EXPECT_EQ(Log, (std::vector<std::string>{"listener", "change", "listener", "change"}));
  Log.clear();
  EXPECT_EQ(S->GroupByName("NavBar"), G);
  EXPECT_EQ(S->GroupByName("navbar"), nullptr);
  int Sorts = S->SortCount();
  for (int K = 0; K < 50; ++K) S->GroupByName("Bars");
  EXPECT_EQ(S->SortCount(), Sorts);
  // A change deep down reaches the skin once, listeners first.
  TdxSkinElement* E = G->AddElement("Item");
  Log.clear();
  E->GetImage()->SetStretch(smTile);
  EXPECT_EQ(Log, (std::vector<std::string>{"listener", "change"}));
  E->SetImageCount(0);
  EXPECT_EQ(E->GetImageCount(), 1);
  S->BeginUpdate();
  E->SetColor(clRed);
  E->SetAlpha(10);
  Log.clear();
  S->EndUpdate();
  EXPECT_EQ(Log, (std::vector<std::string>{"listener", "change"}));
  S->RemoveListener(&L);
}

TEST(SkinStreamFormat, AWrittenSkinReadsBackEqual) {
  TOwned<TdxSkin> A(TdxSkin::Create("Round"));
  A->AddColor("ContentColor", static_cast<TColor>(0x336699));
  static_cast<TdxSkinStringProperty*>(A->AddProperty("Title", spkString))->SetValue("Rounded");
  static_cast<TdxSkinRectProperty*>(A->AddProperty("Pad", spkRect))->SetValue(RECT{1, 2, 3, 4});
  static_cast<TdxSkinSizeProperty*>(A->AddProperty("Cell", spkSize))->SetValue(SIZE{5, 6});
  static_cast<TdxSkinBooleanProperty*>(A->AddProperty("Flat", spkBoolean))->SetValue(true);
  TdxSkinControlGroup* G = A->AddGroup("NavPane");
  static_cast<TdxSkinColor*>(G->AddProperty("Shade", spkColor))->SetValue(clNavy);
  TdxSkinElement* E = G->AddElement("Caption");
  static_cast<TdxSkinIntegerProperty*>(E->AddProperty("Height", spkInteger))->SetValue(28);
  E->SetColor(static_cast<TColor>(0x00AA00));
  E->SetAlpha(128);
  E->SetImageCount(2);
  E->SetTextColor(clMaroon);
  E->SetContentOffset(RECT{1, 2, 3, 4});
  E->SetMinSize(SIZE{7, 8});
  E->GetBorder(2)->SetColor(clBlue);
  E->GetBorder(2)->SetThin(3);
  TOwned<TdxPNGImage> P(TwoCellPicture());
  E->GetImage()->GetPicture()->Assign(P.get());
  E->GetImage()->SetStates(0x0003);
  E->GetImage()->SetMargins(RECT{2, 2, 2, 2});
  E->GetImage()->SetGradient(gmVertical);
  E->GetImage()->SetGradientBeginColor(clYellow);
  std::vector<std::uint8_t> Bytes = Saved(A.get());
  TOwned<TdxSkin> B(TdxSkin::Create("Other"));
  Load(B.get(), Bytes);
  EXPECT_EQ(B->GetName(), "Round");
  EXPECT_DOUBLE_EQ(B->GetVersion(), 1.02);
  ASSERT_NE(B->ColorByName("ContentColor"), nullptr);
  EXPECT_EQ(B->ColorByName("ContentColor")->GetValue(), static_cast<TColor>(0x336699));
  for (const char* Name : {"Title", "Pad", "Cell", "Flat"})
    EXPECT_TRUE(A->PropertyByName(Name)->IsEqual(B->PropertyByName(Name))) << Name;
  TdxSkinControlGroup* BG = B->GroupByName("NavPane");
  ASSERT_NE(BG, nullptr);
  EXPECT_TRUE(G->PropertyByName("Shade")->IsEqual(BG->PropertyByName("Shade")));
  TdxSkinElement* BE = BG->ElementByName("Caption");
  ASSERT_NE(BE, nullptr);
  EXPECT_TRUE(E->IsEqual(BE));
  EXPECT_TRUE(BE->GetImage()->GetPicture()->SamePixels(P.get()));
  EXPECT_EQ(BE->GetImage()->GetGradientBeginColor(), clYellow);
  // A second generation is still equal (the PNG bytes may be encoded anew).
  TOwned<TdxSkin> C(TdxSkin::Create("Third"));
  Load(C.get(), Saved(B.get()));
  EXPECT_TRUE(E->IsEqual(C->GroupByName("NavPane")->ElementByName("Caption")));
}

TEST(SkinStreamFormat, AHandBuilt101StreamIsReadToItsEnd) {
  TStreamParts Parts;
  std::vector<std::uint8_t> Bytes = MakeStream(Parts);
  TOwned<TdxSkin> S(TdxSkin::Create("x"));
  TOwned<TMemoryStream> M(TMemoryStream::Create());
  Load(S.get(), Bytes, M.get());
  EXPECT_EQ(M->GetPosition(), M->GetSize());
  EXPECT_DOUBLE_EQ(S->GetVersion(), 1.01);
  TdxSkinElement* E = S->GroupByName("NavBar")->ElementByName("Item");
  ASSERT_NE(E, nullptr);
  EXPECT_EQ(E->GetAlpha(), 200);
  EXPECT_EQ(E->GetImageCount(), 2);
  EXPECT_EQ(E->GetTextColor(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(E->GetMinSize().cx, 3);
  EXPECT_EQ(E->GetImage()->GetStates(), 1);
  // No gradient triple in 1.01: the defaults stay.
  EXPECT_EQ(E->GetImage()->GetGradientBeginColor(), clNone);
  EXPECT_TRUE(E->GetImage()->GetPicture()->GetEmpty());
}

TEST(SkinStreamFormat, StoredSkinsAreReadToTheirEnd) {
  struct Row {
    const char* Resource;
    int Groups;
  } Rows[] = {{"OFFICE12_BLUE", 4}, {"OFFICE12_BLACK", 4}, {"OFFICE12_SILVER", 4}, {"VISTA", 4}};
  for (const Row& R : Rows) {
    TOwned<TResourceStream> Res(TResourceStream::Create(GetModuleHandleW(nullptr), R.Resource, L"DXNAVBARSKINS"));
    TOwned<TdxSkin> S(TdxSkin::Create(R.Resource));
    S->LoadFromStream(Res.get());
    EXPECT_EQ(Res->GetPosition(), Res->GetSize()) << R.Resource;
    EXPECT_DOUBLE_EQ(S->GetVersion(), 1.01) << R.Resource;
    EXPECT_EQ(S->GroupCount(), R.Groups) << R.Resource;
    TdxSkinElement* Item = S->GroupByName("NavPane") ? S->GroupByName("NavPane")->ElementByName("OverflowPanelItem")
                                                     : nullptr;
    ASSERT_NE(Item, nullptr) << R.Resource;
    EXPECT_FALSE(Item->GetImage()->GetPicture()->GetEmpty());
  }
}

TEST(SkinStreamFormat, BadStreamsRaiseAndLeaveTheSkinAsItWas) {
  double NaN = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* What;
    TStreamParts Parts;
    size_t Cut = 0;  // keep only this many bytes (0: all)
  } Rows[] = {
      {"short", {}, 5},
      {"cut in the body", {}, 120},
      {"wrong signature", {.Signature = "dxSkiN"}},
      {"signature length", {.SignatureLength = 7}},
      {"huge name length", {.NameLength = 0x7FFFFFFF}},
      {"png past the end", {.Png = PngHead(8, 8), .PngSize = 4000}},
      {"not a png", {.Png = std::vector<std::uint8_t>(40, 7)}},
      {"png too large", {.Png = PngHead(100000, 8)}},
      {"unknown property class", {.PropertyClass = "TdxSkinFancyProperty"}},
      {"foreign class", {.PropertyClass = "TComponent"}},
      {"layout out of range", {.Layout = 2}},
      {"state bits beyond the eleven", {.States = 0x0801}},
      {"version 0.5", {.Version = 0.5}},
      {"version not a number", {.Version = NaN}},
  };
  TOwned<TdxSkin> S(TdxSkin::Create("Kept"));
  S->AddGroup("NavBar")->AddElement("Item")->SetColor(clRed);
  std::vector<std::uint8_t> Before = Saved(S.get());
  for (const Row& R : Rows) {
    std::vector<std::uint8_t> Bytes = MakeStream(R.Parts);
    if (R.Cut) Bytes.resize(R.Cut);
    EXPECT_THROW(Load(S.get(), Bytes), EdxSkin) << R.What;
    EXPECT_EQ(S->GetName(), "Kept") << R.What;
    EXPECT_DOUBLE_EQ(S->GetVersion(), 1.02) << R.What;
    EXPECT_EQ(Saved(S.get()), Before) << R.What;
  }
}

TEST(SkinStreamFormat, PartStreamHoldsToItsWindow) {
  TOwned<TMemoryStream> M(TMemoryStream::Create());
  const char Data[] = "0123456789";
  M->WriteBuffer(Data, 10);
  TdxSkinPartStream P(M.get(), 3, 7);
  EXPECT_EQ(P.GetSize(), 4);
  char Buf[10] = {};
  EXPECT_EQ(P.Read(Buf, 10), 4);
  EXPECT_EQ(std::string(Buf, 4), "3456");
  EXPECT_EQ(P.Seek(-10, soCurrent), 0);
  EXPECT_EQ(P.Seek(2, soEnd), 4);
  EXPECT_EQ(P.Read(Buf, 1), 0);
}

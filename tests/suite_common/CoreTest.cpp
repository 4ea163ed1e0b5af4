// Named resource strings, the version flags and the text routines.
#include <gtest/gtest.h>

#include <string>

#include "suite/common/ResourceStrings.h"
#include "suite/common/SuiteCommonStrings.h"
#include "suite/common/SuiteException.h"
#include "suite/common/TextRoutines.h"
#include "suite/common/WindowsVersion.h"

TEST(WindowsVersion, FlagsFollowPlatformAndVersion) {
  struct Case {
    int Platform, Major, Minor;
    const char* Expected;  // 9x 95 98 ME NT 2000 2000+ XP XP+ 2000|XP Vista Vista+
  } Cases[] = {
      {1, 4, 0, "110000000000"},  {1, 4, 10, "101000000000"}, {1, 4, 90, "100100000000"},
      {2, 4, 0, "000010000000"},  {2, 5, 0, "000011100100"}, {2, 5, 1, "000010111100"},
      {2, 5, 2, "000010111100"},  {2, 6, 0, "000010101011"}, {2, 6, 1, "000010101011"},
      {2, 10, 0, "000010101001"},
  };
  for (const Case& C : Cases) {
    TWindowsVersionFlags F = ComputeWindowsVersionFlags(C.Platform, C.Major, C.Minor);
    bool Bits[] = {F.Win9xFamily, F.Win95,   F.Win98,        F.WinME,       F.WinNTFamily, F.Win2000,
                   F.Win2000OrLater, F.WinXP, F.WinXPOrLater, F.Win2000OrXP, F.WinVista,    F.WinVistaOrLater};
    std::string Got;
    for (bool B : Bits) Got += B ? '1' : '0';
    EXPECT_EQ(Got, C.Expected) << C.Platform << " " << C.Major << "." << C.Minor;
  }
}

TEST(WindowsVersion, InjectedVersionIsSeenAndTheRealOneComesBack) {
  const int RealMajor = WindowsVersion().Major;
  InjectWindowsVersion(2, 5, 1);
  EXPECT_TRUE(WindowsVersion().WinXP);
  RestoreWindowsVersion();
  EXPECT_EQ(WindowsVersion().Major, RealMajor);
  EXPECT_TRUE(WindowsVersion().WinNTFamily);
}

TEST(ResourceStrings, ResolveReadsTheStringTableAsUtf8) {
  EXPECT_EQ(ResolveResourceString(scxScrollBarPropertyOutOfRange), "Scrollbar property out of range");
  EXPECT_EQ(ResolveResourceString(TResStringRec{nullptr, 61999}), "");
  EdxException E(ResolveResourceString(scxScrollBarPropertyOutOfRange));
  EXPECT_EQ(std::string(E.what()), "Scrollbar property out of range");
}

namespace {
const TResStringRec First{nullptr, 1}, Second{nullptr, 2}, Third{nullptr, 3};

void FillSample(TdxProductResourceStrings* P) {
  P->RegisterString("zeta", &First);
  P->RegisterString("Alpha", &Second);
  P->RegisterString("ALPHA", &Third);
}

struct TListener : IdxResourceStringsListener {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  void STDMETHODCALLTYPE TranslationChanged() override {}
};
}  // namespace

TEST(ResourceStrings, ProductsKeepTheirFirstRegistrations) {
  TdxResourceStringsRepository* R = ResourceStringsRepository();
  const int Before = R->GetProductCount();
  R->RegisterProduct("Sample", &FillSample);
  R->RegisterProduct("Sample", nullptr);
  ASSERT_EQ(R->GetProductCount(), Before + 2);
  TdxProductResourceStrings* P = R->GetProduct(R->IndexOfProduct("Sample"));
  ASSERT_EQ(P->GetStringCount(), 2);
  EXPECT_EQ(P->GetStringName(0), "Alpha");
  EXPECT_EQ(P->GetStringName(1), "zeta");
  EXPECT_EQ(P->FindString("alpha"), &Second);

  // Only the first of the two products goes; a name of other letter case is not it.
  R->UnregisterProduct("sample");
  EXPECT_EQ(R->GetProductCount(), Before + 2);
  R->UnregisterProduct("Sample");
  ASSERT_EQ(R->GetProductCount(), Before + 1);
  EXPECT_EQ(R->GetProduct(R->IndexOfProduct("Sample"))->GetStringCount(), 0);
  R->UnregisterProduct("Sample");
  R->UnregisterProduct("Sample");
  EXPECT_EQ(R->IndexOfProduct("Sample"), -1);

  TListener A, B;
  R->AddListener(&A);
  R->AddListener(&A);
  R->RemoveListener(&B);
  EXPECT_EQ(R->GetListenerCount(), 1);
  R->RemoveListener(&A);
  EXPECT_EQ(R->GetListenerCount(), 0);
}

TEST(ResourceStrings, AfterShutDownTheRepositoryAnswersEmptyAndKeepsNothing) {
  EnsureSuiteCommonStrings();
  EXPECT_GE(ResourceStringsRepository()->IndexOfProduct("Suite Common"), 0);
  EndResourceStringsUnit();
  TdxResourceStringsRepository* Late = ResourceStringsRepository();
  EXPECT_EQ(Late->GetProductCount(), 0);
  Late->RegisterProduct("Late", &FillSample);
  TListener L;
  Late->AddListener(&L);
  EXPECT_EQ(Late->GetProductCount(), 0);
  EXPECT_EQ(Late->GetListenerCount(), 0);
  EXPECT_EQ(ResourceStringsRepository(), Late);
  RestartResourceStringsUnit();
  EXPECT_NE(ResourceStringsRepository(), Late);
  EXPECT_EQ(ResourceStringsRepository()->GetProductCount(), 0);
}

TEST(TextRoutines, CodePageConversions) {
  for (unsigned CodePage : {1252u, 65001u, 932u}) {
    EXPECT_EQ(CodePageTextToWide("", CodePage), L"");
    EXPECT_EQ(WideToCodePageText(L"", CodePage), "");
  }
  EXPECT_EQ(CodePageTextToWide("caf\xE9", 1252), L"caf\u00E9");
  EXPECT_EQ(CodePageTextToWide("caf\xC3\xA9", 65001), L"caf\u00E9");
  EXPECT_EQ(CodePageTextToWide("caf\xE9", 1252, 3), L"caf");
  EXPECT_EQ(WideToCodePageText(L"caf\u00E9", 1252), "caf\xE9");
  EXPECT_EQ(WideToCodePageText(L"caf\u00E9", 65001, 4), "caf\xC3\xA9");
  EXPECT_EQ(AnsiFromCodePageText("x\xE9", 1251), "x\xE9");
}

TEST(TextRoutines, ShortStringsAndBits) {
  std::string Long(254, 'a');
  Long += "\xC3\xA9\xC3\xA9";  // a two-byte character straddles byte 255
  TShortString S = AnsiToShort(Long);
  EXPECT_EQ(S[0], 254);
  EXPECT_EQ(ShortToAnsi(S), std::string(254, 'a'));
  EXPECT_EQ(ShortToAnsi(AnsiToShort("short")), "short");

  const std::uint32_t Set[8] = {0x1, 0, 0, 0, 0, 0, 0, 0x80000000u};
  EXPECT_TRUE(BitIsSet(0, Set));
  EXPECT_FALSE(BitIsSet(1, Set));
  EXPECT_TRUE(BitIsSet(255, Set));
  EXPECT_FALSE(BitIsSet(254, Set));

  char Buffer[8] = "abcdefg";
  CopyBytes(Buffer, Buffer + 2, 4);
  EXPECT_STREQ(Buffer, "ababcdg");
  ZeroBytes(Buffer + 3, 4);
  EXPECT_STREQ(Buffer, "aba");
}

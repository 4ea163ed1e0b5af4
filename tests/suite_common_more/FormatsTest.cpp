// The locale format controller: pictures parsed into descriptions, the masks and
// formats made from them, the library's texts, and the window that hears the
// locale change.
#include <gtest/gtest.h>

#include <string>

#include "framework/FormatSettings.h"
#include "suite/common/cxFormats.h"
#include "suite/common/cxLibraryStrs.h"
#include "tests/suite_common_more/LocaleSupport.h"

namespace {
std::string Describe(const TcxDateTimeFormatInfo& Info) {
  static const char* const Kinds[] = {"lit", "y", "m", "d", "h", "n", "s", "z", "ampm", "/", ":"};
  std::string R;
  for (const TcxDateTimeFormatItem& I : Info.Items) {
    if (!R.empty()) R += " ";
    R += Kinds[I.Kind];
    if (!I.Data.empty()) R += "=" + I.Data;
  }
  return R;
}
}  // namespace

TEST(FormatController, PicturesParseIntoItems) {
  TSavedFormats Saved;
  ShortDateFormat = "M/d/yyyy";
  LongTimeFormat = "h:mm:ss AMPM";
  ShortTimeFormat = "h:mm AMPM";
  struct Case {
    const char* Format;
    const char* Items;
  } Cases[] = {
      {"M/d/yyyy", "m=M / d=D / y=YYYY"},
      {"h:mm:ss AMPM", "h=12H : n=NN : s=SS lit=  ampm=AMPM"},
      {"hh:nn:ss", "h=24HH : n=NN : s=SS"},
      {"dd.MM.yy 'at' HH:mm", "d=DD lit=. m=MM lit=. y=YY lit= at  h=24HH : n=NN"},
      {"yyyy-mm-dd d m", "y=YYYY lit=- m=MM lit=- d=DD lit=  "},  // later repeats are skipped
      {"AM/PM", ""},                                                 // a marker without an hour
      {"ggg e/M/d", ""},                                             // eras cannot be parsed
      {"ddddd", "m=M / d=D / y=YYYY"},
      {"c", "m=M / d=D / y=YYYY lit=  h=12H : n=NN : s=SS lit=  ampm=AMPM"},
      {"aaaa, d. MMMM", "d=DDDD lit=, .  m=MMMM"},
      {"\xC3\xA5r yyyy", "lit=\xC3\xA5r  y=YYYY"},
  };
  for (const Case& C : Cases) {
    TcxDateTimeFormatInfo Info;
    ParseDateTimeFormat(C.Format, Info);
    EXPECT_EQ(Describe(Info), C.Items) << C.Format;
  }
  TcxDateTimeFormatInfo Info;
  EXPECT_FALSE(ParseDateTimeFormat("g yyyy", Info));
  EXPECT_TRUE(Info.Items.empty());
  ParseDateTimeFormat("AM/PM", Info);
  EXPECT_FALSE(Info.DefinedItems[dtikTimeSuffix]);
}

TEST(FormatController, MasksAndFormatsFollowTheRuntimeSettings) {
  TSavedFormats Saved;
  ShortDateFormat = "M/d/yyyy";
  LongTimeFormat = "h:mm:ss AMPM";
  DateSeparator = '/';
  TimeSeparator = ':';
  TimeAMString = "AM";
  TimePMString = "PM";
  TcxFormatController* C = FormatController();
  C->Recompute();
  EXPECT_EQ(C->GetDateEditMask(), "!99/99/9999;1; ");
  EXPECT_EQ(C->GetStandardDateTimeEditMask(), "!99/99/9999\\ 99:99:99\\ cc;1; ");
  EXPECT_EQ(C->GetMaskedDateEditFormat(), "mm/dd/yyyy");
  EXPECT_EQ(C->GetMaskedDateTimeEditFormat(), "mm/dd/yyyy' 'hh:nn:ss' 'ampm");
  EXPECT_EQ(C->GetDateEditFormat(), "MM/dd/yyyy");
  const std::string Month = "((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|'Sep'|'Oct'|'Nov'|'Dec'))";
  const std::string Date = Month + "\\/([012]?[1-9]|[123]0|31)\\/\\d\\d\\d\\d";
  const std::string Words = "'today'|'yesterday'|'tomorrow'|'Sunday'|'Monday'|'Tuesday'|'Wednesday'|'Thursday'|"
                            "'Friday'|'Saturday'|'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|'seventh'|'bom'|'eom'";
  const std::string Offset = ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
  EXPECT_EQ(C->GetRegExprDateEditMask(), "(" + Date + ")|(" + Words + Offset);
  EXPECT_EQ(C->GetRegExprDateTimeEditMask(),
            "(" + Date + "' '((0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '('AM'|'PM')?)?)|(" + Words + "|'now'" + Offset);

  LongTimeFormat = "hh:nn:ss";
  ShortDateFormat = "d MMMM yyyy";
  C->Recompute();
  EXPECT_EQ(C->GetDateEditMask(), "!99\\ lll\\ 9999;1; ");
  EXPECT_NE(C->GetRegExprDateTimeEditMask().find("' '(([01]?\\d|2[0-3])\\:[0-5]?\\d\\:[0-5]?\\d)?"), std::string::npos);
  EXPECT_NE(C->GetRegExprDateEditMask().find("'January'|'February'"), std::string::npos);

  ShortDateFormat = "gg yy/MM/dd";
  C->Recompute();
  EXPECT_EQ(C->GetDateEditMask(), "");
  EXPECT_EQ(C->GetRegExprDateEditMask(), "");
  EXPECT_EQ(C->GetMaskedDateEditFormat(), "");
}

TEST(FormatController, CurrencyFormats) {
  struct Case {
    const char* Symbol;
    int Decimals, Positive, Negative;
    const char* Expected;
  } Cases[] = {
      {"R$", 2, 2, 9, "R$ ,0.00;-R$ ,0.00"},
      {"$", 2, 0, 0, "$,0.00;($,0.00)"},
      {"kr.", 0, 3, 8, "\x2C""0. kr'.';-,0. kr'.'"},
      {"\xE2\x82\xAC", 2, 1, 15, ",0.00\xE2\x82\xAC;(,0.00 \xE2\x82\xAC)"},
      {"Fr", 1, 2, 12, "Fr ,0.0;Fr -,0.0"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(CurrencyFormatOf(C.Symbol, C.Decimals, C.Positive, C.Negative), C.Expected) << C.Symbol;

  TSavedFormats Saved;
  CurrencyString = "R$";
  CurrencyDecimals = 2;
  CurrencyFormat = 2;
  NegCurrFormat = 9;
  FormatController()->Recompute();
  EXPECT_EQ(FormatController()->GetCurrencyFormat(), "R$ ,0.00;-R$ ,0.00");
}

TEST(FormatController, TheLibraryTextsHaveTheirFixedIds) {
  struct Case {
    UINT Id;
    const char* Text;
  } Cases[] = {{65037, "Can't create the registry key: \\%s"}, {65008, "Can't create the Style Repository"},
               {65009, "today"}, {65012, "Sunday"}, {65023, "fifth"}, {64992, "sixth"}, {64994, "bom"},
               {64996, "now"}};
  for (const Case& C : Cases) EXPECT_EQ(ResolveResourceString({nullptr, C.Id}), C.Text) << C.Id;
  std::string Words[20];
  SmartDateWords(Words);
  EXPECT_EQ(Words[0], "today");
  EXPECT_EQ(Words[9], "Saturday");
  EXPECT_EQ(Words[19], "now");
  EnsureLibraryStrings();
  int Product = ResourceStringsRepository()->IndexOfProduct("Suite Library");
  ASSERT_GE(Product, 0);
  EXPECT_EQ(ResourceStringsRepository()->GetProduct(Product)->GetStringCount(), 24);
}

namespace {
class TListener : public IcxFormatListener, public IcxTimeListener {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IcxTimeListener) {
      *ppv = static_cast<IcxTimeListener*>(this);
      return S_OK;
    }
    if (riid == IID_IUnknown || riid == IID_IcxFormatListener) {
      *ppv = static_cast<IcxFormatListener*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  void STDMETHODCALLTYPE FormatsChanged() override { ++Formats; }
  void STDMETHODCALLTYPE SystemTimeChanged() override { ++Times; }
  int Formats = 0;
  int Times = 0;
};
}  // namespace

TEST(FormatController, ItsWindowHearsLocaleAndClockChanges) {
  TSavedFormats Saved;
  TcxFormatController* C = FormatController();
  TListener L;
  EXPECT_EQ(C->GetWindow(), nullptr);
  C->AttachFormatListener(&L);
  C->AttachFormatListener(&L);
  HWND W = C->GetWindow();
  ASSERT_NE(W, nullptr);

  ShortDateFormat = "yyyy|MM|dd";
  C->Recompute();
  ASSERT_EQ(C->GetDateEditFormat(), "yyyy|MM|dd");
  SendMessageW(W, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"windows"));
  SendMessageW(W, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"Intl"));
  EXPECT_EQ(L.Formats, 0);
  EXPECT_EQ(C->GetDateEditFormat(), "yyyy|MM|dd");
  SendMessageW(W, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  EXPECT_EQ(L.Formats, 1);
  EXPECT_NE(ShortDateFormat, "yyyy|MM|dd");  // read again from the system
  EXPECT_NE(C->GetDateEditFormat(), "yyyy|MM|dd");
  SendMessageW(W, WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(L.Times, 1);

  C->DetachFormatListener(&L);
  EXPECT_EQ(C->GetWindow(), nullptr);
  EXPECT_FALSE(IsWindow(W));
}

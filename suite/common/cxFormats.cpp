#include "suite/common/cxFormats.h"

#include <algorithm>
#include <cctype>

#include "framework/AllocateHWnd.h"
#include "framework/Application.h"
#include "framework/FormatSettings.h"
#include "framework/StringUtils.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/cxDateUtils.h"
#include "suite/common/cxLibraryStrs.h"

namespace {

TcxFormatController* Controller = nullptr;

TSuiteUnit Unit([] {}, [] { ResetFormatController(); });

size_t Utf8Length(unsigned char Lead) {
  if (Lead >= 0xF0) return 4;
  if (Lead >= 0xE0) return 3;
  if (Lead >= 0xC0) return 2;
  return 1;
}

char Upper(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C; }

bool StartsUpper(const std::string& S, size_t I, const char* What) {
  for (size_t K = 0; What[K]; ++K)
    if (I + K >= S.size() || Upper(S[I + K]) != What[K]) return false;
  return true;
}

class TFormatParser {
public:
  explicit TFormatParser(TcxDateTimeFormatInfo& Info) : FInfo(Info) {}
  bool FTwelveHour = false;

  bool Parse(const std::string& Format, int Depth) {
    if (Depth >= 2) return true;
    size_t I = 0;
    while (I < Format.size()) {
      unsigned char Byte = static_cast<unsigned char>(Format[I]);
      char C = Upper(Format[I]);
      if (Byte >= 0x80) {
        size_t N = std::min(Utf8Length(Byte), Format.size() - I);
        AddLiteral(Format.substr(I, N));
        I += N;
        continue;
      }
      size_t Run = 1;
      while (I + Run < Format.size() && Upper(Format[I + Run]) == C) ++Run;
      bool Letter = C >= 'A' && C <= 'Z';
      switch (C) {
        case '"':
        case '\'': {
          size_t End = Format.find(Format[I], I + 1);
          if (End == std::string::npos) End = Format.size();
          if (End > I + 1) AddLiteral(Format.substr(I + 1, End - I - 1));
          I = End + 1;
          continue;
        }
        case '/':
          Add(dtikDateSeparator, "");
          Run = 1;
          break;
        case ':':
          Add(dtikTimeSeparator, "");
          Run = 1;
          break;
        case 'A':
          if (StartsUpper(Format, I, "AM/PM")) {
            Add(dtikTimeSuffix, Format.substr(I, 5));
            Run = 5;
            FTwelveHour = true;
          } else if (StartsUpper(Format, I, "A/P")) {
            Add(dtikTimeSuffix, Format.substr(I, 3));
            Run = 3;
            FTwelveHour = true;
          } else if (StartsUpper(Format, I, "AMPM")) {
            Add(dtikTimeSuffix, "AMPM");
            Run = 4;
            FTwelveHour = true;
          } else if (Run >= 3) {
            Run = std::min<size_t>(Run, 4);
            Add(dtikDay, std::string(Run, 'D'));
          } else {
            AddLiteral(Format.substr(I, 1));
            Run = 1;
          }
          break;
        case 'C':
          if (!Parse(ShortDateFormat, Depth + 1)) return false;
          AddLiteral(" ");
          if (!Parse(LongTimeFormat, Depth + 1)) return false;
          break;
        case 'D':
          if (Run <= 4) Add(dtikDay, std::string(Run, 'D'));
          else if (!Parse(Run == 5 ? ShortDateFormat : LongDateFormat, Depth + 1)) return false;
          break;
        case 'E':
        case 'Y':
          Add(dtikYear, Run > 2 ? "YYYY" : "YY");
          break;
        case 'G':
          return false;
        case 'H':
          Add(dtikHour, Run >= 2 ? "HH" : "H");
          break;
        case 'M':
          if (FLastLetter == 'H') Add(dtikMin, Run >= 2 ? "NN" : "N");
          else Add(dtikMonth, std::string(std::min<size_t>(Run, 4), 'M'));
          break;
        case 'N':
          Add(dtikMin, Run >= 2 ? "NN" : "N");
          break;
        case 'S':
          Add(dtikSec, Run >= 2 ? "SS" : "S");
          break;
        case 'Z':
          Add(dtikMSec, std::string(std::min<size_t>(Run, 3), 'Z'));
          break;
        case 'T':
          if (!Parse(Run == 1 ? ShortTimeFormat : LongTimeFormat, Depth + 1)) return false;
          break;
        default:
          AddLiteral(Format.substr(I, Run));
          break;
      }
      if (Letter) FLastLetter = C;
      I += Run;
    }
    return true;
  }

private:
  void Add(TcxDateTimeFormatItemKind Kind, const std::string& Data) {
    if (Kind >= dtikYear && Kind <= dtikTimeSuffix && FInfo.DefinedItems[Kind]) return;
    FInfo.DefinedItems[Kind] = true;
    FInfo.Items.push_back({Kind, Data});
  }
  void AddLiteral(const std::string& Text) {
    if (!FInfo.Items.empty() && FInfo.Items.back().Kind == dtikString) FInfo.Items.back().Data += Text;
    else Add(dtikString, Text);
  }
  TcxDateTimeFormatInfo& FInfo;
  char FLastLetter = 0;
};

std::string QuoteWord(const std::string& Word) {
  std::string Result;
  size_t I = 0;
  while (I < Word.size()) {
    if (Word[I] == '\'') {
      Result += "\\'";
      ++I;
      continue;
    }
    size_t End = Word.find('\'', I);
    if (End == std::string::npos) End = Word.size();
    Result += "'" + Word.substr(I, End - I) + "'";
    I = End;
  }
  return Result;
}

std::string SeparatorExpression(char Separator) {
  if (Separator == 0) return {};
  if (Separator == ' ') return "' '";
  return std::string("\\") + Separator;
}

std::string DateExpressionOf(const TcxDateTimeFormatInfo& Info) {
  std::string R;
  for (const TcxDateTimeFormatItem& Item : Info.Items) {
    switch (Item.Kind) {
      case dtikString:
        R += "'" + Item.Data + "'";
        break;
      case dtikYear:
        R += Item.Data == "YY" ? "\\d\\d" : "\\d\\d\\d\\d";
        break;
      case dtikMonth: {
        const std::string* Names = Item.Data == "MMMM" ? LongMonthNames : ShortMonthNames;
        R += "((0?[1-9]|1[012])|(";
        for (int M = 0; M < 12; ++M) R += (M ? "|'" : "'") + Names[M] + "'";
        R += "))";
        break;
      }
      case dtikDay:
        R += "([012]?[1-9]|[123]0|31)";
        break;
      case dtikDateSeparator:
        R += SeparatorExpression(DateSeparator);
        break;
      default:
        break;
    }
  }
  return R;
}

std::string TimeExpressionOf(const TcxDateTimeFormatInfo& Info) {
  std::string R;
  for (const TcxDateTimeFormatItem& Item : Info.Items) {
    switch (Item.Kind) {
      case dtikString:
        R += "'" + Item.Data + "'";
        break;
      case dtikHour:
        R += Item.Data.starts_with("12") ? "(0?[1-9]|1[012])" : "([01]?\\d|2[0-3])";
        break;
      case dtikMin:
      case dtikSec:
        R += "[0-5]?\\d";
        break;
      case dtikTimeSuffix: {
        const std::string U = UpperCase(Item.Data);
        if (U == "A/P") R += "(A|P)?";
        else if (U == "AM/PM") R += "(AM|PM)?";
        else if (!TimeAMString.empty() && !TimePMString.empty())
          R += "('" + TimeAMString + "'|'" + TimePMString + "')?";
        else if (!TimeAMString.empty() || !TimePMString.empty())
          R += "('" + (TimeAMString.empty() ? TimePMString : TimeAMString) + "')?";
        break;
      }
      case dtikTimeSeparator:
        R += SeparatorExpression(TimeSeparator);
        break;
      default:
        break;
    }
  }
  return R;
}

std::string WithSmartWords(const std::string& Expression, bool WithNow) {
  std::string Words[20];
  SmartDateWords(Words);
  std::string R = "(" + Expression + ")|(";
  for (int I = 0; I < (WithNow ? 20 : 19); ++I) R += (I ? "|" : "") + QuoteWord(Words[I]);
  return R + ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

// Single d and M become dd and MM, so that the editor always shows two digits.
std::string DoubledDayAndMonth(const std::string& Format) {
  std::string R;
  for (size_t I = 0; I < Format.size(); ++I) {
    char C = Format[I];
    R += C;
    if ((C == 'd' || C == 'M') && (I == 0 || Format[I - 1] != C) && (I + 1 >= Format.size() || Format[I + 1] != C))
      R += C;
  }
  return R;
}

}  // namespace

bool ParseDateTimeFormat(const std::string& Format, TcxDateTimeFormatInfo& Info) {
  Info = TcxDateTimeFormatInfo();
  TFormatParser Parser(Info);
  if (!Parser.Parse(Format.empty() ? std::string("C") : Format, 0)) {
    Info = TcxDateTimeFormatInfo();
    return false;
  }
  auto Hour = std::find_if(Info.Items.begin(), Info.Items.end(),
                           [](const TcxDateTimeFormatItem& I) { return I.Kind == dtikHour; });
  if (Hour != Info.Items.end()) {
    Hour->Data = (Parser.FTwelveHour ? "12" : "24") + Hour->Data;
  } else {
    // A marker without an hour has nothing to mark.
    auto Suffix = std::find_if(Info.Items.begin(), Info.Items.end(),
                               [](const TcxDateTimeFormatItem& I) { return I.Kind == dtikTimeSuffix; });
    if (Suffix != Info.Items.end()) {
      Info.Items.erase(Suffix);
      Info.DefinedItems[dtikTimeSuffix] = false;
    }
  }
  return true;
}

std::string CurrencyFormatOf(const std::string& Symbol, int Decimals, int PositiveFormat, int NegativeFormat) {
  std::string N = ",0." + std::string(static_cast<size_t>(std::max(Decimals, 0)), '0');
  std::string S;
  for (char C : Symbol) {
    if (C == ',' || C == '.') S += std::string("'") + C + "'";
    else S += C;
  }
  std::string Positive;
  switch (PositiveFormat) {
    case 1: Positive = N + S; break;
    case 2: Positive = S + " " + N; break;
    case 3: Positive = N + " " + S; break;
    default: Positive = S + N; break;
  }
  std::string Negative;
  switch (NegativeFormat) {
    case 1: Negative = "-" + S + N; break;
    case 2: Negative = S + "-" + N; break;
    case 3: Negative = S + N + "-"; break;
    case 4: Negative = "(" + N + S + ")"; break;
    case 5: Negative = "-" + N + S; break;
    case 6: Negative = N + "-" + S; break;
    case 7: Negative = N + S + "-"; break;
    case 8: Negative = "-" + N + " " + S; break;
    case 9: Negative = "-" + S + " " + N; break;
    case 10: Negative = N + " " + S + "-"; break;
    case 11: Negative = S + " " + N + "-"; break;
    case 12: Negative = S + " -" + N; break;
    case 13: Negative = N + "- " + S; break;
    case 14: Negative = "(" + S + " " + N + ")"; break;
    case 15: Negative = "(" + N + " " + S + ")"; break;
    default: Negative = "(" + S + N + ")"; break;
  }
  return Positive + ";" + Negative;
}

std::string EditMaskOf(const TcxDateTimeFormatInfo& Info) {
  if (Info.Items.empty()) return {};
  std::string R = "!";
  for (const TcxDateTimeFormatItem& Item : Info.Items) {
    switch (Item.Kind) {
      case dtikString:
        for (size_t I = 0; I < Item.Data.size();) {
          size_t N = std::min(Utf8Length(static_cast<unsigned char>(Item.Data[I])), Item.Data.size() - I);
          R += "\\" + Item.Data.substr(I, N);
          I += N;
        }
        break;
      case dtikYear:
        R += Item.Data == "YY" ? "99" : "9999";
        break;
      case dtikMonth:
      case dtikDay:
        R += Item.Data.size() > 2 ? "lll" : "99";
        break;
      case dtikHour:
      case dtikMin:
      case dtikSec:
        R += "99";
        break;
      case dtikTimeSuffix: {
        const std::string U = UpperCase(Item.Data);
        if (U == "A/P") R += "c";
        else if (U == "AM/PM") R += "cc";
        else R += std::string(std::max(TimeAMString.size(), TimePMString.size()), 'c');
        break;
      }
      case dtikDateSeparator:
        R += "/";
        break;
      case dtikTimeSeparator:
        R += ":";
        break;
      default:
        break;
    }
  }
  return R + ";1; ";
}

std::string DisplayFormatOf(const TcxDateTimeFormatInfo& Info) {
  std::string R;
  for (const TcxDateTimeFormatItem& Item : Info.Items) {
    switch (Item.Kind) {
      case dtikString:
        R += "'" + Item.Data + "'";
        break;
      case dtikYear:
      case dtikTimeSuffix: {
        std::string L = Item.Data;
        for (char& C : L) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
        R += L;
        break;
      }
      case dtikMonth:
        R += Item.Data.size() > 2 ? "mmm" : "mm";
        break;
      case dtikDay:
        R += Item.Data.size() > 2 ? "ddd" : "dd";
        break;
      case dtikHour: R += "hh"; break;
      case dtikMin: R += "nn"; break;
      case dtikSec: R += "ss"; break;
      case dtikDateSeparator: R += "/"; break;
      case dtikTimeSeparator: R += ":"; break;
      default: break;
    }
  }
  return R;
}

TcxFormatController::TcxFormatController() {
  EnsureLibraryStrings();
  Recompute();
  ResourceStringsRepository()->AddListener(this);
}

TcxFormatController::~TcxFormatController() {
  ResourceStringsRepository()->RemoveListener(this);
  if (FWindow) DeallocateHWnd(FWindow);
  if (Controller == this) Controller = nullptr;
}

HRESULT TcxFormatController::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IdxResourceStringsListener) {
    *ppv = static_cast<IdxResourceStringsListener*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

void TcxFormatController::TranslationChanged() {
  if (FLockCount != 0) return;
  Recompute();
  NotifyListeners();
}

void TcxFormatController::NotifyListeners() {
  std::vector<IcxFormatListener*> Listeners = FListeners;
  for (IcxFormatListener* L : Listeners) L->FormatsChanged();
}

void TcxFormatController::Recompute() {
  if (!Controller) Controller = this;
  FCurrencyFormat = CurrencyFormatOf(CurrencyString, CurrencyDecimals, CurrencyFormat, NegCurrFormat);
  FStartOfWeek = LocaleFirstWeekDay();
  ParseDateTimeFormat(ShortDateFormat, FDateFormatInfo);
  ParseDateTimeFormat(LongTimeFormat, FTimeFormatInfo);
  ParseDateTimeFormat(ShortDateFormat + " " + LongTimeFormat, FDateTimeFormatInfo);
  FDateEditMask = FStandardDateEditMask = EditMaskOf(FDateFormatInfo);
  std::string DateExpression = DateExpressionOf(FDateFormatInfo);
  if (FDateFormatInfo.Items.empty()) {
    FRegExprDateEditMask.clear();
    FRegExprDateTimeEditMask.clear();
  } else {
    FRegExprDateEditMask = WithSmartWords(DateExpression, false);
    FRegExprDateTimeEditMask =
        WithSmartWords(DateExpression + "' '(" + TimeExpressionOf(FTimeFormatInfo) + ")?", true);
  }
  FStandardDateTimeEditMask = EditMaskOf(FDateTimeFormatInfo);
  FMaskedDateEditFormat = DisplayFormatOf(FDateFormatInfo);
  FMaskedDateTimeEditFormat = DisplayFormatOf(FDateTimeFormatInfo);
  FDateEditFormat = DoubledDayAndMonth(ShortDateFormat);
}

void TcxFormatController::AttachFormatListener(IcxFormatListener* Listener) {
  if (!Listener || std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end()) return;
  if (FListeners.empty() && !FWindow)
    FWindow = AllocateHWnd(TWndMethod(this, &TcxFormatController::HandleWindowMessage));
  FListeners.push_back(Listener);
}

void TcxFormatController::DetachFormatListener(IcxFormatListener* Listener) {
  std::erase(FListeners, Listener);
  if (FListeners.empty() && FWindow) {
    DeallocateHWnd(FWindow);
    FWindow = nullptr;
  }
}

void TcxFormatController::HandleWindowMessage(TMessage& Message) {
  try {
    if (Message.Msg == WM_WININICHANGE && Message.WParam == 0 && Message.LParam &&
        std::wstring_view(reinterpret_cast<const wchar_t*>(Message.LParam)) == L"intl" &&
        (!Application || Application->GetUpdateFormatSettings())) {
      GetFormatSettings();
      Recompute();
      NotifyListeners();
      Message.Result = 0;
      return;
    }
    if (Message.Msg == WM_TIMECHANGE) {
      std::vector<IcxFormatListener*> Listeners = FListeners;
      for (IcxFormatListener* L : Listeners) {
        void* Time = nullptr;
        if (SUCCEEDED(L->QueryInterface(IID_IcxTimeListener, &Time)) && Time) {
          static_cast<IcxTimeListener*>(Time)->SystemTimeChanged();
          static_cast<IcxTimeListener*>(Time)->Release();
        }
      }
      Message.Result = 0;
      return;
    }
  } catch (...) {
    if (Application) Application->HandleException(this);
    return;
  }
  Message.Result = DefWindowProcW(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

TcxFormatController* FormatController() {
  Unit.Ensure();
  if (!Controller) TcxFormatController::Create();
  return Controller;
}

void ResetFormatController() {
  TcxFormatController* C = Controller;
  Controller = nullptr;
  if (C) Free(C);
}

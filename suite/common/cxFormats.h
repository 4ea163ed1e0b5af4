// The locale's date, time and currency settings turned into what the suite's date
// and number editors need: parsed format descriptions, edit masks, regular
// expressions that also accept the smart date words, display formats, a currency
// format and the first day of the week. Listeners hear when the locale or the
// system time changes.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ControlTypes.h"
#include "framework/Object.h"
#include "suite/common/ResourceStrings.h"

enum TcxDateTimeFormatItemKind : std::uint8_t {
  dtikString,         // literal text
  dtikYear,           // YY or YYYY
  dtikMonth,          // M to MMMM
  dtikDay,            // D to DDDD
  dtikHour,           // 12H, 12HH, 24H or 24HH
  dtikMin,            // N or NN
  dtikSec,            // S or SS
  dtikMSec,           // Z to ZZZ
  dtikTimeSuffix,     // AM/PM, A/P or AMPM
  dtikDateSeparator,
  dtikTimeSeparator
};

struct TcxDateTimeFormatItem {
  TcxDateTimeFormatItemKind Kind = dtikString;
  std::string Data;
};

struct TcxDateTimeFormatInfo {
  bool DefinedItems[11] = {};
  std::vector<TcxDateTimeFormatItem> Items;
};

// Parses a runtime date/time picture; false (and an empty Info) for one that cannot
// be parsed (an era letter g). An empty picture means "C".
bool ParseDateTimeFormat(const std::string& Format, TcxDateTimeFormatInfo& Info);

inline constexpr GUID IID_IcxFormatListener = {
    0x5E33A2A6, 0x0C77, 0x415F, {0xA3, 0x59, 0x11, 0x21, 0x03, 0xE5, 0x49, 0x37}};
inline constexpr GUID IID_IcxTimeListener = {
    0x5E33A2A7, 0x0C77, 0x415F, {0xA3, 0x59, 0x11, 0x21, 0x03, 0xE5, 0x49, 0x37}};

struct IcxFormatListener : public IUnknown {
  virtual void STDMETHODCALLTYPE FormatsChanged() = 0;
};

struct IcxTimeListener : public IUnknown {
  virtual void STDMETHODCALLTYPE SystemTimeChanged() = 0;
};

// Not reference counted: the singleton lives until the suite shuts down.
class TcxFormatController : public TObject, public IdxResourceStringsListener {
  SONVELT_CLASS(TcxFormatController, TObject)
public:
  TcxFormatController();
  ~TcxFormatController() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
  void STDMETHODCALLTYPE TranslationChanged() override;

  virtual void HandleWindowMessage(TMessage& Message);
  // Listeners are not counted: they detach before they go.
  virtual void AttachFormatListener(IcxFormatListener* Listener);
  virtual void DetachFormatListener(IcxFormatListener* Listener);

  // Reads the runtime's settings again.
  void Recompute();
  void BeginUpdate() { ++FLockCount; }
  void EndUpdate() { --FLockCount; }

  const std::string& GetCurrencyFormat() const { return FCurrencyFormat; }
  const std::string& GetDateEditFormat() const { return FDateEditFormat; }
  const std::string& GetDateEditMask() const { return FDateEditMask; }
  const std::string& GetStandardDateEditMask() const { return FStandardDateEditMask; }
  const std::string& GetStandardDateTimeEditMask() const { return FStandardDateTimeEditMask; }
  const std::string& GetRegExprDateEditMask() const { return FRegExprDateEditMask; }
  const std::string& GetRegExprDateTimeEditMask() const { return FRegExprDateTimeEditMask; }
  const std::string& GetMaskedDateEditFormat() const { return FMaskedDateEditFormat; }
  const std::string& GetMaskedDateTimeEditFormat() const { return FMaskedDateTimeEditFormat; }
  const TcxDateTimeFormatInfo& GetDateFormatInfo() const { return FDateFormatInfo; }
  const TcxDateTimeFormatInfo& GetTimeFormatInfo() const { return FTimeFormatInfo; }
  const TcxDateTimeFormatInfo& GetDateTimeFormatInfo() const { return FDateTimeFormatInfo; }
  int GetFirstDayOfWeek() const { return FStartOfWeek; }  // 0 Sunday .. 6 Saturday
  int GetFirstWeekOfYear() const { return FFirstWeekOfYear; }
  bool GetUseRuntimeFormats() const { return FUseRuntimeFormats; }
  void SetUseRuntimeFormats(bool Value) { FUseRuntimeFormats = Value; }
  HWND GetWindow() const { return FWindow; }

private:
  void NotifyListeners();
  std::string FCurrencyFormat;
  std::string FDateEditFormat;
  std::string FDateEditMask;
  TcxDateTimeFormatInfo FDateFormatInfo;
  TcxDateTimeFormatInfo FDateTimeFormatInfo;
  int FFirstWeekOfYear = 0;
  std::vector<IcxFormatListener*> FListeners;
  int FLockCount = 0;
  std::string FMaskedDateEditFormat;
  std::string FMaskedDateTimeEditFormat;
  std::string FRegExprDateEditMask;
  std::string FRegExprDateTimeEditMask;
  std::string FStandardDateEditMask;
  std::string FStandardDateTimeEditMask;
  int FStartOfWeek = 0;
  TcxDateTimeFormatInfo FTimeFormatInfo;
  bool FUseRuntimeFormats = false;
  HWND FWindow = nullptr;
};

// The process-wide controller, made on first use and freed at shutdown.
TcxFormatController* FormatController();
// Frees the controller (tests start afresh); the next FormatController makes a new one.
void ResetFormatController();

// Pieces of the recomputation, for callers that build their own masks.
std::string CurrencyFormatOf(const std::string& Symbol, int Decimals, int PositiveFormat, int NegativeFormat);
std::string EditMaskOf(const TcxDateTimeFormatInfo& Info);
std::string DisplayFormatOf(const TcxDateTimeFormatInfo& Info);

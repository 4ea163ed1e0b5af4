#include "deAudio/Source/Codecs.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "deAudio/Source/ACMErrors.h"
#include "framework/Unicode.h"

namespace {

class TCodecList {
public:
  ~TCodecList() { Clear(); }
  void Clear() {
    // A codec takes itself off the list as it goes.
    while (!Items.empty()) Free(Items.back());
    Built = false;
  }
  void Build() {
    if (Built) return;
    Clear();
    Built = true;
    acmDriverEnum(&DriverFound, reinterpret_cast<DWORD_PTR>(this), 0);
  }
  static BOOL CALLBACK DriverFound(HACMDRIVERID DriverId, DWORD_PTR Instance, DWORD) {
    auto* List = reinterpret_cast<TCodecList*>(Instance);
    try {
      List->Items.push_back(Construct<TdeCodec>(DriverId));
    } catch (const EACMError&) {
      // That driver is left out; the others are still listed.
    }
    return TRUE;
  }
  std::vector<TdeCodec*> Items;
  bool Built = false;
};

TCodecList& Registry() {
  static TCodecList List;
  return List;
}

TdeCodecSupport SupportOf(DWORD Flags) {
  const struct {
    DWORD Flag;
    TdeCodecSupportFlag Member;
  } Map[] = {{ACMDRIVERDETAILS_SUPPORTF_CODEC, csCodec},       {ACMDRIVERDETAILS_SUPPORTF_CONVERTER, csConverter},
             {ACMDRIVERDETAILS_SUPPORTF_FILTER, csFilter},     {ACMDRIVERDETAILS_SUPPORTF_HARDWARE, csHardware},
             {ACMDRIVERDETAILS_SUPPORTF_ASYNC, csAsync},       {ACMDRIVERDETAILS_SUPPORTF_LOCAL, csLocal},
             {ACMDRIVERDETAILS_SUPPORTF_DISABLED, csDisabled}};
  TdeCodecSupport S;
  for (const auto& M : Map)
    if (Flags & M.Flag) S.Include(M.Member);
  return S;
}

}  // namespace

TdeCodec::TdeCodec(HACMDRIVERID DriverId) : FDriverId(DriverId) {
  FDetails.cbStruct = sizeof FDetails;
  ACMCheck<EACMCodecError>(acmDriverDetailsW(DriverId, &FDetails, 0), "Error retrieving driver details.");
  DWORD Priority = 0;
  ACMCheck<EACMCodecError>(
      acmMetrics(reinterpret_cast<HACMOBJ>(DriverId), ACM_METRIC_DRIVER_PRIORITY, &Priority),
      "Error retrieving driver priority.");
  FPriority = static_cast<int>(Priority);
  FSupport = SupportOf(FDetails.fdwSupport);
  FShortName = WideToUtf8(FDetails.szShortName);
  FLongName = WideToUtf8(FDetails.szLongName);
  FCopyright = WideToUtf8(FDetails.szCopyright);
  FLicensing = WideToUtf8(FDetails.szLicensing);
  FFeatures = WideToUtf8(FDetails.szFeatures);

  HACMDRIVER Driver = nullptr;
  ACMCheck<EACMCodecError>(acmDriverOpen(&Driver, DriverId, 0), "Error opening driver.");
  try {
    DWORD Size = 0;
    ACMCheck<EACMCodecError>(acmMetrics(reinterpret_cast<HACMOBJ>(Driver), ACM_METRIC_MAX_SIZE_FORMAT, &Size),
                             "Error while requesting size of Wave format.");
    FMaxFormatSize = std::max<int>(static_cast<int>(Size), 18);
    std::vector<std::uint8_t> Buffer(static_cast<size_t>(FMaxFormatSize), 0);
    auto* Format = reinterpret_cast<WAVEFORMATEX*>(Buffer.data());
    Format->wFormatTag = WAVE_FORMAT_UNKNOWN;
    Format->cbSize = static_cast<WORD>(FMaxFormatSize - 18);
    ACMFORMATDETAILSW Details{};
    Details.cbStruct = sizeof Details;
    Details.dwFormatTag = WAVE_FORMAT_UNKNOWN;
    Details.pwfx = Format;
    Details.cbwfx = static_cast<DWORD>(FMaxFormatSize);
    ACMCheck<EACMCodecError>(acmFormatEnumW(Driver, &Details, &TdeCodec::FormatFound,
                                            reinterpret_cast<DWORD_PTR>(this), 0),
                             "Error while enumerating formats.");
  } catch (...) {
    acmDriverClose(Driver, 0);
    throw;
  }
  ACMCheck<EACMCodecError>(acmDriverClose(Driver, 0), "Error while closing driver.");
}

TdeCodec::~TdeCodec() {
  auto& Items = Registry().Items;
  Items.erase(std::remove(Items.begin(), Items.end(), this), Items.end());
}

BOOL CALLBACK TdeCodec::FormatFound(HACMDRIVERID, LPACMFORMATDETAILSW Details, DWORD_PTR Instance, DWORD) {
  auto* Codec = reinterpret_cast<TdeCodec*>(Instance);
  TFormat F;
  F.Name = WideToUtf8(Details->szFormat);
  F.Bytes.assign(static_cast<size_t>(Codec->FMaxFormatSize), 0);
  const WAVEFORMATEX* W = Details->pwfx;
  const size_t Size = W->wFormatTag == WAVE_FORMAT_PCM ? 16 : 18 + static_cast<size_t>(W->cbSize);
  std::memcpy(F.Bytes.data(), W, std::min(Size, F.Bytes.size()));
  Codec->FFormats.push_back(std::move(F));
  return TRUE;
}

const WAVEFORMATEX* TdeCodec::GetFormat(int Index) const {
  return reinterpret_cast<const WAVEFORMATEX*>(FFormats.at(static_cast<size_t>(Index)).Bytes.data());
}

int CodecCount() {
  Registry().Build();
  return static_cast<int>(Registry().Items.size());
}

TdeCodec* CodecItem(int Index) {
  Registry().Build();
  return Registry().Items.at(static_cast<size_t>(Index));
}

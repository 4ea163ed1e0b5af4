// The installed audio-compression drivers, each with the formats it offers, listed
// once on first use (CodecCount, CodecItem) and kept until the program ends.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Object.h"
#include "framework/Set.h"

enum TdeCodecSupportFlag { csCodec, csConverter, csFilter, csHardware, csAsync, csLocal, csDisabled };
using TdeCodecSupport = TSet<TdeCodecSupportFlag>;

class TdeCodec : public TObject {
  SONVELT_CLASS(TdeCodec, TObject)
public:
  // Reads the driver's details and formats; EACMCodecError when a step fails (the
  // driver is closed again whatever happens).
  explicit TdeCodec(HACMDRIVERID DriverId);
  ~TdeCodec() override;

  HACMDRIVERID GetDriverId() const { return FDriverId; }
  int GetPriority() const { return FPriority; }
  TdeCodecSupport GetSupport() const { return FSupport; }
  const std::string& GetShortName() const { return FShortName; }
  const std::string& GetLongName() const { return FLongName; }
  const std::string& GetCopyright() const { return FCopyright; }
  const std::string& GetLicensing() const { return FLicensing; }
  const std::string& GetFeatures() const { return FFeatures; }
  // The largest format record of the driver (at least 18 bytes) and its extra part.
  int GetMaxFormatSize() const { return FMaxFormatSize; }
  int GetExtraSize() const { return FMaxFormatSize - 18; }

  int GetFormatCount() const { return static_cast<int>(FFormats.size()); }
  const std::string& GetFormatName(int Index) const { return FFormats.at(static_cast<size_t>(Index)).Name; }
  const WAVEFORMATEX* GetFormat(int Index) const;

private:
  static BOOL CALLBACK FormatFound(HACMDRIVERID DriverId, LPACMFORMATDETAILSW Details, DWORD_PTR Instance,
                                   DWORD Support);
  struct TFormat {
    std::string Name;
    std::vector<std::uint8_t> Bytes;  // GetMaxFormatSize bytes
  };
  HACMDRIVERID FDriverId;
  ACMDRIVERDETAILSW FDetails{};
  int FPriority = 0;
  TdeCodecSupport FSupport;
  std::string FShortName, FLongName, FCopyright, FLicensing, FFeatures;
  int FMaxFormatSize = 18;
  std::vector<TFormat> FFormats;
};

// The registry; drivers whose details cannot be read are left out.
int CodecCount();
TdeCodec* CodecItem(int Index);

// One chunk of a PNG file. A chunk keeps its payload exactly as read (one byte
// longer, so text payloads read as zero-terminated strings); kinds with fields
// parse them on reading and rebuild the payload on writing. A kind handles the
// type named by its class name after "TChunk" (TChunkIHDR handles "IHDR").
// ChunkForName creates the kind registered for a type; a type no kind claims
// stays a plain TChunk and is written back unchanged. Chunks belong to their
// picture's chunk list, which frees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Object.h"

class TPngPicture;
class TChunkIHDR;
class TStream;

class TChunk : public TObject {
  SONVELT_CLASS(TChunk, TObject)
 public:
  using TCreateArg = TPngPicture*;
  explicit TChunk(TPngPicture* owner);
  // Stamps the kind's type into ChunkName once the final class is known.
  void AfterConstruction() override;

  // The four-character type this kind handles ("" for the plain chunk): the
  // class name after "TChunk" (or "TspPngLayer" for the skin picture's kinds).
  static std::string KindNameOf(TClass cls);
  std::string KindName() const { return KindNameOf(ClassType()); }

  virtual void CopyFrom(const TChunk& source);
  // Reads payload and CRC; the stream stands at the payload.
  virtual bool ReadFrom(TStream& stream, const char type[4], uint32_t size);
  virtual bool WriteTo(TStream& stream);

  bool WritePayload(TStream& stream);
  void ResizePayload(uint32_t n);
  int IndexInList() const;
  TChunkIHDR* HeaderOf() const;

  std::string GetName() const { return std::string(ChunkName, 4); }
  uint8_t* GetData() { return Payload.data(); }
  const uint8_t* GetData() const { return Payload.data(); }
  uint32_t GetSize() const { return PayloadSize; }
  TPngPicture* GetOwner() const { return Owner; }

  char ChunkName[4]{};

 protected:
  std::vector<uint8_t> Payload;
  uint32_t PayloadSize = 0;
  TPngPicture* Owner;
};

using TChunkClass = TClassOf<TChunk>;

// A new chunk of the first of the owner's chunk classes whose type is `type`
// (the owner's plain class when none), with ChunkName set to `type`. The
// caller owns it (free with Free).
TChunk* ChunkForName(TPngPicture* owner, const char type[4]);

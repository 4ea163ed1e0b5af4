// The stream entry points of the pictures and image lists: files, the file
// formats and the form data.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Graphic.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "framework/JpegImage.h"
#include "framework/Persistent.h"
#include "framework/Picture.h"
#include "framework/MemoryStreams.h"
#include "framework/Streams.h"

namespace {

// What is left of a stream from its position.
std::vector<std::uint8_t> ReadRest(TStream* Stream) {
  std::int64_t n = Stream->GetSize() - Stream->GetPosition();
  if (n > 0x7FFFFFFF) throw EInvalidGraphic("Picture data too large");
  std::vector<std::uint8_t> data(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)));
  if (!data.empty()) Stream->ReadBuffer(data.data(), static_cast<int>(data.size()));
  return data;
}

void WriteAll(TStream* Stream, const std::vector<std::uint8_t>& Data) {
  if (!Data.empty()) Stream->WriteBuffer(Data.data(), static_cast<int>(Data.size()));
}

}  // namespace

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream* stream = TFileStream::Create(FileName, fmOpenRead | fmShareDenyWrite);
  try {
    LoadFromStream(stream);
  } catch (...) {
    Free(stream);
    throw;
  }
  Free(stream);
}

void TGraphic::SaveToFile(const std::string& FileName) {
  // Through a temporary file, so a failed save leaves the old file as it was.
  SaveToFileSafely(FileName, [&](TStream& Stream) { SaveToStream(&Stream); });
}

bool TGraphic::Equals(TGraphic* Graphic) {
  if (!Graphic || Graphic->ClassType() != ClassType()) return false;
  if (GetEmpty() || Graphic->GetEmpty()) return GetEmpty() && Graphic->GetEmpty();
  TMemoryStream* a = TMemoryStream::Create();
  TMemoryStream* b = TMemoryStream::Create();
  bool same = false;
  try {
    WriteData(a);
    Graphic->WriteData(b);
    same = a->GetSize() == b->GetSize() &&
           std::equal(static_cast<const std::uint8_t*>(a->GetMemory()),
                      static_cast<const std::uint8_t*>(a->GetMemory()) + a->GetSize(),
                      static_cast<const std::uint8_t*>(b->GetMemory()));
  } catch (...) {
    Free(a);
    Free(b);
    throw;
  }
  Free(a);
  Free(b);
  return same;
}

void TGraphic::DefineProperties(TFiler* Filer) {
  TInterfacedPersistent::DefineProperties(Filer);
  bool hasData = !GetEmpty();
  if (TPersistent* ancestor = Filer->GetAncestor()) {
    auto* other = dynamic_cast<TGraphic*>(ancestor);
    hasData = !other || !Equals(other);
  }
  Filer->DefineBinaryProperty("Data", Bind(this, &TGraphic::ReadData), Bind(this, &TGraphic::WriteData), hasData);
}

void TPicture::DefineProperties(TFiler* Filer) {
  TInterfacedPersistent::DefineProperties(Filer);
  bool hasData = FGraphic != nullptr;
  if (TPersistent* ancestor = Filer->GetAncestor()) {
    hasData = true;
    if (auto* other = dynamic_cast<TPicture*>(ancestor)) {
      TGraphic* theirs = other->GetGraphic();
      hasData = !(FGraphic == theirs || (FGraphic && theirs && FGraphic->Equals(theirs)));
    }
  }
  Filer->DefineBinaryProperty("Data", Bind(this, &TPicture::ReadData), Bind(this, &TPicture::WriteData), hasData);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  std::vector<std::uint8_t> data = ReadRest(Stream);
  LoadFromBytes(data.data(), data.size());
}

void TBitmap::SaveToStream(TStream* Stream) {
  WriteAll(Stream, SaveToBytes());
}

void TBitmap::ReadData(TStream* Stream) {
  std::int32_t size = 0;
  Stream->ReadBuffer(&size, sizeof size);
  if (size < 0 || size > Stream->GetSize() - Stream->GetPosition()) throw EInvalidGraphic("Bitmap image is not valid");
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  if (size) Stream->ReadBuffer(data.data(), size);
  LoadFromBytes(data.data(), data.size());
}

void TBitmap::WriteData(TStream* Stream) {
  std::vector<std::uint8_t> data = SaveToBytes();
  auto size = static_cast<std::int32_t>(data.size());
  Stream->WriteBuffer(&size, sizeof size);
  if (size) Stream->WriteBuffer(data.data(), size);
}


void TIcon::LoadFromStream(TStream* Stream) {
  std::vector<std::uint8_t> data = ReadRest(Stream);
  LoadFromBytes(data.data(), data.size());
}

void TIcon::SaveToStream(TStream* Stream) {
  WriteAll(Stream, SaveToBytes());
}

void TPicture::ReadData(TStream* Stream) {
  std::uint8_t len = 0;
  Stream->ReadBuffer(&len, 1);
  std::string name(len, '\0');
  if (len) Stream->ReadBuffer(name.data(), len);
  // No class: the picture was stored empty.
  if (name.empty()) {
    Adopt(nullptr);
    return;
  }
  TGraphicClass cls = nullptr;
  for (const TFileFormat& f : FileFormats())
    if (f.GraphicClass->ClassName() == name) cls = f.GraphicClass;
  if (!cls) throw EInvalidGraphic("Unknown picture class %s", {name});
  TGraphic* g = cls.Create();
  try {
    g->ReadData(Stream);
  } catch (...) {
    Free(g);
    throw;
  }
  Adopt(g);
}

void TPicture::WriteData(TStream* Stream) {
  std::string name = FGraphic ? FGraphic->ClassName() : std::string();
  auto len = static_cast<std::uint8_t>(std::min<std::size_t>(name.size(), 255));
  Stream->WriteBuffer(&len, 1);
  if (len) Stream->WriteBuffer(name.data(), len);
  if (FGraphic) FGraphic->WriteData(Stream);
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  std::vector<std::uint8_t> data = ReadRest(Stream);
  LoadFromBytes(data.data(), data.size());
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  WriteAll(Stream, SaveToBytes());
}

void TCustomImageList::ReadData(TStream* Stream) {
  std::vector<std::uint8_t> data = ReadRest(Stream);
  LoadFromBytes(data.data(), data.size());
}

void TCustomImageList::WriteData(TStream* Stream) {
  WriteAll(Stream, SaveToBytes());
}

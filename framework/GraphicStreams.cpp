// Stand-ins until the stream classes are in the framework.
#include "framework/Bitmap.h"
#include "framework/Graphic.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "framework/JpegImage.h"
#include "framework/Picture.h"

namespace {
[[noreturn]] void NoStreams() { throw EInvalidOperation("Streams are not available"); }
}  // namespace

void TGraphic::LoadFromFile(const std::string&) { NoStreams(); }
void TGraphic::SaveToFile(const std::string&) { NoStreams(); }
bool TGraphic::Equals(TGraphic*) { NoStreams(); }
void TBitmap::LoadFromStream(TStream*) { NoStreams(); }
void TBitmap::SaveToStream(TStream*) { NoStreams(); }
void TBitmap::ReadData(TStream*) { NoStreams(); }
void TBitmap::WriteData(TStream*) { NoStreams(); }
void TIcon::LoadFromStream(TStream*) { NoStreams(); }
void TIcon::SaveToStream(TStream*) { NoStreams(); }
void TPicture::ReadData(TStream*) { NoStreams(); }
void TPicture::WriteData(TStream*) { NoStreams(); }
void TJPEGImage::LoadFromStream(TStream*) { NoStreams(); }
void TJPEGImage::SaveToStream(TStream*) { NoStreams(); }
void TCustomImageList::ReadData(TStream*) { NoStreams(); }
void TCustomImageList::WriteData(TStream*) { NoStreams(); }

#include "app/ResourceImages.h"

#include <windows.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/MemoryStreams.h"
#include "skins/PngObject.h"

void LoadPngResource(TPNGObject* Png, int ResId) {
  std::unique_ptr<TResourceStream, void (*)(TObject*)> Stream(
      TResourceStream::Create(GetModuleHandleW(nullptr), ResId, RT_RCDATA), Free);
  Png->LoadFromStream(Stream.get());
}

void LoadBitmapResource(TBitmap* Bitmap, int ResId) { Bitmap->LoadFromResourceID(GetModuleHandleW(nullptr), ResId); }

#include "app/ResourceImages.h"

#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/MemoryStreams.h"
#include "skins/PngObject.h"

void LoadPngResource(TPNGObject* Png, int ResId) {
  TResourceStream* Stream = TResourceStream::Create(GetModuleHandleW(nullptr), ResId, RT_RCDATA);
  try {
    Png->LoadFromStream(Stream);
  } catch (...) {
    Free(Stream);
    throw;
  }
  Free(Stream);
}

void LoadBitmapResource(TBitmap* Bitmap, int ResId) { Bitmap->LoadFromResourceID(GetModuleHandleW(nullptr), ResId); }

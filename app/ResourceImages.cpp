#include "app/ResourceImages.h"

#include <windows.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"
#include "skins/PngObject.h"

void LoadPngResource(TPNGObject* Png, int ResId) {
  TOwned<TResourceStream> Stream = MakeOwned<TResourceStream>(GetModuleHandleW(nullptr), ResId, RT_RCDATA);
  Png->LoadFromStream(Stream.get());
}

void LoadBitmapResource(TBitmap* Bitmap, int ResId) { Bitmap->LoadFromResourceID(GetModuleHandleW(nullptr), ResId); }

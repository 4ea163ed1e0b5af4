// Pictures compiled into the program (ids in res/ResourceIds.h).
#pragma once

class TPNGObject;
class TBitmap;

// Reads the PNG glyph of an RCDATA resource; EResNotFound-style errors are raised
// by the resource stream when the id is missing.
void LoadPngResource(TPNGObject* Png, int ResId);
void LoadBitmapResource(TBitmap* Bitmap, int ResId);

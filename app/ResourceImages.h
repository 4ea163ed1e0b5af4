// Pictures compiled into the program (ids in res/ResourceIds.h).
#pragma once

class TPNGObject;
class TBitmap;
struct TCreateParams;

// Reads the PNG glyph of an RCDATA resource; EResNotFound-style errors are raised
// by the resource stream when the id is missing.
void LoadPngResource(TPNGObject* Png, int ResId);
void LoadBitmapResource(TBitmap* Bitmap, int ResId);

// Windows of ours register their class with the program's icon, so the caption,
// the taskbar and a maximized document's system-menu item show it rather than
// the system's default.
void UseProgramIcon(TCreateParams& Params);

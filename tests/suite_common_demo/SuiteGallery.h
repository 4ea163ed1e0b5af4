// The gallery: every look's scroll bars, buttons in every state, arrows, borders,
// marks, headers, expand buttons and size grips side by side, then state images
// and Office 2003 gradients.
#pragma once

class TcxCanvas;

inline constexpr int GalleryWidth = 1010;
inline constexpr int GalleryHeight = 760;

void PaintGallery(TcxCanvas* Canvas);

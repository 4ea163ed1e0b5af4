// Painting through a memory bitmap of the target's size, copied in one go, so
// that a control repainted often does not flicker.
#pragma once
#include <windows.h>

#include <functional>

void PaintOffscreen(HDC dc, int width, int height, const std::function<void(HDC)>& paint);

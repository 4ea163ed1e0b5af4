// Which corner of a resizable drop-down carries its size grip, and how the grip
// is drawn so that its lines point into that corner.
#pragma once

#include <windows.h>

#include <cstdint>

// Bit 0: right side; bit 1: bottom side.
enum TcxDropDownCorner : std::uint8_t { ddcTopLeft, ddcTopRight, ddcBottomLeft, ddcBottomRight };

// The height of the non-client band that holds the grip.
int DropDownNonClientHeight();
// The corner away from the edit: bottom when the drop-down ends below the edit,
// right when its right edge lies right of the edit's left edge.
TcxDropDownCorner DropDownCornerOf(const RECT& EditRect, const RECT& DropDownRect);
// HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT or HTBOTTOMRIGHT.
int CornerHitTestCode(TcxDropDownCorner Corner);
// Draws the grip into the corner of R; R comes back as the grip box.
void DrawCornerSizeGrip(HDC DC, RECT& R, TcxDropDownCorner Corner);

// The start of the suite's control unit: its cursors in the screen's cursor
// table, the private registered message and the system controller.
#pragma once

#include <windows.h>

#include "framework/ControlTypes.h"

inline constexpr TCursor crcxDragCopy = 2100;
inline constexpr TCursor crcxFullScroll = 2101;
inline constexpr TCursor crcxHorzScroll = 2102;
inline constexpr TCursor crcxVertScroll = 2103;
inline constexpr TCursor crcxUpScroll = 2104;
inline constexpr TCursor crcxRightScroll = 2105;
inline constexpr TCursor crcxDownScroll = 2106;
inline constexpr TCursor crcxLeftScroll = 2107;
inline constexpr TCursor crcxRemove = 2108;
inline constexpr TCursor crcxVertSize = 2109;
inline constexpr TCursor crcxHorzSize = 2110;
inline constexpr TCursor crcxMultiDrag = 2111;
inline constexpr TCursor crcxNoDrop = 2112;
inline constexpr TCursor crcxDrag = 2113;
inline constexpr TCursor crcxColorPicker = 2114;
inline constexpr TCursor crcxHandPoint = -2099;

// Starts the unit once (every entry of the control classes calls it).
void EnsureControlsUnit();
// The message registered under "{B2CE3777-44D8-4998-9701-47BBBC10B656}"; the
// bar library's place form answers it with 1.
UINT cxPlaceFormMessage();

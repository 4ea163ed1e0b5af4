// Types the navigation bar's parts share.
#pragma once

#include <cstdint>

#include "framework/Set.h"

class TdxCustomNavBar;
class TdxNavBarGroup;
class TdxNavBarItem;
class TdxNavBarItemLink;
class TdxNavBarPainter;
class TdxNavBarViewInfo;
class TdxNavBarGroupViewInfo;
class TdxNavBarLinkViewInfo;
class TdxNavBarController;

// What a change asks of the next paint: rebuild the view infos, recalculate
// them, or only redraw; each includes the ones after it.
enum TdxNavBarChangeType : std::uint8_t { ctRecreate, ctRecalc, ctRedraw };

// Element state bits of groups, links and scroll buttons.
using TdxNavBarObjectStates = std::uint8_t;
inline constexpr TdxNavBarObjectStates nsActive = 1;
inline constexpr TdxNavBarObjectStates nsDisabled = 2;
inline constexpr TdxNavBarObjectStates nsExpanded = 4;
inline constexpr TdxNavBarObjectStates nsHotTracked = 8;
inline constexpr TdxNavBarObjectStates nsPressed = 16;
inline constexpr TdxNavBarObjectStates nsSelected = 32;
inline constexpr TdxNavBarObjectStates nsSpecial = 64;
inline constexpr TdxNavBarObjectStates nsFocused = 128;

enum TdxNavBarDragDropFlag : std::uint8_t { fAllowDragLink, fAllowDropLink, fAllowDragGroup, fAllowDropGroup };
using TdxNavBarDragDropFlags = TSet<TdxNavBarDragDropFlag>;

// A view-specific hit part of a controller; (-1, -1) is none.
struct TdxNavBarPartRef {
  int Kind = -1;
  int Index = -1;
  friend bool operator==(const TdxNavBarPartRef&, const TdxNavBarPartRef&) = default;
};
inline constexpr TdxNavBarPartRef dxNavBarPartNone{-1, -1};

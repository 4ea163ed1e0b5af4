// The theme-handle cache: one open theme handle per kind of themed object, the
// visual-styles flag, and the fan-out of theme changes. The flag follows the
// system's WM_THEMECHANGED broadcast, heard by a hidden top-level window; every
// cached handle is closed before subscribers hear of the change, so nobody draws
// with a stale one. Painters fall back to plain drawing when a handle is 0.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/Delegate.h"
#include "framework/Object.h"
#include "suite/common/UxTheme.h"

enum TdxThemedObjectKind : std::uint8_t {
  tokButton, tokClock, tokComboBox, tokEdit, tokExplorerBar, tokHeader, tokListBox, tokListView, tokMenu,
  tokPage, tokProgress, tokRebar, tokScrollBar, tokSpin, tokStartPanel, tokStatus, tokTab, tokTaskBand,
  tokTaskBar, tokToolBar, tokToolTip, tokTrackBar, tokTrayNotify, tokTreeView, tokWindow
};
inline constexpr int ThemedObjectKindCount = 25;

// A set of kinds: bit N for kind N.
using TdxThemedObjectKinds = std::uint32_t;
constexpr TdxThemedObjectKinds ThemedKinds(std::initializer_list<TdxThemedObjectKind> Kinds) {
  TdxThemedObjectKinds Set = 0;
  for (TdxThemedObjectKind K : Kinds) Set |= 1u << K;
  return Set;
}

// The class name a kind is opened with by default ("Button", "ToolBar"...).
const char* DefaultThemeClassName(TdxThemedObjectKind Kind);

// The cached handle of Kind, opened on first use; 0 when visual styles are off or
// the class is unknown. A ClassList different from the one in use (letter case
// ignored) reopens the kind with it; without one the last list used is kept.
HTHEME ThemeHandleFor(TdxThemedObjectKind Kind, const char* ClassList = nullptr);
// Closes the kind's handle: 1 without visual styles, 0 with no handle open, else
// the close's result. The kind forgets its class list.
HRESULT CloseThemeKind(TdxThemedObjectKind Kind);
// Closes every handle; the class lists stay for the next opening.
void CloseAllThemeHandles();
// Visual styles are on and, for a non-empty set, every kind in it has a handle.
bool VisualStylesAvailableFor(TdxThemedObjectKinds Kinds);
bool VisualStylesAvailableForKind(TdxThemedObjectKind Kind);
// The visual-styles flag as the last theme change left it.
bool VisualStylesActive();

// A subscriber to theme changes; its handler runs after the handles were closed.
class TdxThemeChangedNotificator : public TObject {
  SONVELT_CLASS(TdxThemeChangedNotificator, TObject)
public:
  TdxThemeChangedNotificator();
  static TdxThemeChangedNotificator* CreateSubscribed() { return Create(); }
  ~TdxThemeChangedNotificator() override;

  TDelegate<void()> ThemeChangeHandler;
};

// Puts Entries in place of the visual-styles library (tests use recording
// stand-ins): the cached handles are closed through the old entries, and the
// theme cache starts afresh with the new ones. Gives back the previous entries.
TUxThemeEntries SubstituteUxTheme(const TUxThemeEntries& Entries);
// The hidden window that hears WM_THEMECHANGED (null while the library is absent).
HWND ThemeChangeReceiverWindow();

// The settings record in HKEY_CURRENT_USER "SOFTWARE\Sonvelt\2.0\": one value per
// stored field under the field's own name (text as REG_SZ, everything else as
// REG_DWORD), and the main window's placement in a subkey per section.
#pragma once

#include <string>

class TCustomForm;

extern const char* const SettingsKeyPath;  // "SOFTWARE\Sonvelt\2.0\"

// True when the key existed. A value that is missing or of another type leaves that
// field as it was (its default) and reading goes on. When the key is missing the
// record is written as it stands and the result is false.
bool LoadSettings();
// Writes every stored field, creating the key when needed.
void SaveSettings();

// Restores Left, Top, Width, Height (clamped to the screen) and the maximized state
// from the subkey Section; false (nothing changed) when the subkey is missing.
bool LoadFormPlacement(const std::string& Section, TCustomForm* Form);
void SaveFormPlacement(const std::string& Section, TCustomForm* Form);

struct TFormPlacement {
  int X = 0, Y = 0, Width = 0, Height = 0;
  bool Maximized = false;
};
// Keeps a stored placement on a screen of the given size: no wider or higher than
// the screen, moved back when it hangs over the right or bottom edge, never negative.
TFormPlacement ClampPlacementToScreen(TFormPlacement P, int ScreenWidth, int ScreenHeight);

// TScreen: the display and the application's forms. The cursor table maps TCursor
// values to cursor handles (replaceable, as crHandPoint by the system hand); Cursor
// overrides every control's cursor while it is not crDefault (crHourGlass while busy).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/ControlTypes.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
  SONVELT_CLASS(TScreen, TComponent)
public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
  int GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
  RECT GetWorkAreaRect() const;
  int GetPixelsPerInch() const { return ScreenPixelsPerInch(); }
  HCURSOR GetCursors(int Index);
  void SetCursors(int Index, HCURSOR Handle);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  const std::vector<std::string>& GetFonts();
  TFont* GetHintFont();
  TFont* GetMenuFont();
  TFont* GetIconFont();
  // Reads the system fonts again (after a settings change).
  void ResetFonts();

  int GetFormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* GetForms(int Index) const { return FForms.at(static_cast<size_t>(Index)); }
  TCustomForm* GetActiveForm() const { return FActiveForm; }
  TWinControl* GetActiveControl() const { return FActiveControl; }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

  // Kept up to date by the forms.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);
  void SetFocus(TCustomForm* Form, TWinControl* Control);
  void ControlRemoved(TWinControl* Control);

private:
  std::map<int, HCURSOR> FCursors;
  TCursor FCursor = crDefault;
  std::vector<std::string> FFonts;
  TOwned<TFont> FHintFont, FMenuFont, FIconFont;
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
};

extern TScreen* Screen;

// A cursor from the bytes of a cursor file kept as an RCDATA resource: its first
// image with its hot spot. Libraries keep their cursors so, as the cursor images
// of two resource scripts share numeric ids and break the link. Null when the
// resource is missing or damaged.
HCURSOR LoadCursorFileResource(HINSTANCE Module, const wchar_t* Name);

// The Mouse object: drag threshold and wheel settings of the system.
class TMouse {
public:
  int GetDragThreshold() const { return FDragThreshold; }
  void SetDragThreshold(int Value) { FDragThreshold = Value; }
  int GetWheelScrollLines() const;
  POINT GetCursorPos() const;
  bool GetWheelPresent() const { return GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0; }

private:
  int FDragThreshold = 5;
};

extern TMouse* Mouse;

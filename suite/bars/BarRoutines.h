// The stand-alone routines of the bar unit that the manager, bars, bar windows,
// item controls, painters and customizing code share: the unit's singletons and
// the list of live bar windows; lookups between windows, forms, managers, links
// and controls; keys and captions; message pumping and the menu sound; fonts; and
// small drawing primitives. Every accessor takes nil and answers nil or false.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/ControlTypes.h"
#include "framework/Menus.h"
#include "suite/bars/BarTypes.h"

class TBitmap;
class TCanvas;
class TControl;
class TCustomForm;
class TCustomImageList;
class TFont;
class TWinControl;
class TcxCanvas;
class TcxObjectLink;
class TdxBarCanvas;
class TdxBarDesignController;
class TdxBarItemList;
class TdxBarFlatPainter;
class TdxBarNavigationController;
class TdxBarItemControl;
class TdxBarAccessibilityHelper;

// ---- singletons and registries
// Each is made on first use (not once the unit is finalizing; null then).
TdxBarDesignController* BarDesignControllerInstance();
TdxBarCanvas* BarCanvasInstance();
TdxBarItemList* BarItemClassRegistry();
TdxBarFlatPainter* FlatPainterInstance();
TdxBarNavigationController* BarNavigationControllerInstance();
// Puts another controller in place (the caller owns both); answers the previous one.
TdxBarNavigationController* ReplaceBarNavigationController(TdxBarNavigationController* Controller);
void RegisterBarControl(TCustomdxBarControl* BarControl);
void UnregisterBarControl(TCustomdxBarControl* BarControl);
bool IsBarControlAlive(TCustomdxBarControl* BarControl);
// Every live bar window (a copy: windows may go while the caller walks them).
std::vector<TCustomdxBarControl*> LiveBarControls();
TCustomdxBarControl* TopActiveBarControl();
void SetTopActiveBarControl(TCustomdxBarControl* Value);
TdxBarManager* TopActiveBarManager();
bool IsActiveBarControlEnabled();

// ---- windows, forms and managers
TdxBarManager* FindBarManagerByOwner(TComponent* Component);
TdxBarManager* ManagerOfWindow(HWND Wnd);
TWinControl* WinControlOwnerOf(TComponent* Component);
TdxBarManager* ManagerOfComponent(TComponent* Component);
TWinControl* NearestVCLParentOfChildWindow(HWND Wnd);
TWinControl* FindVCLControlOfWindow(HWND Wnd);
// Kind 0 the outermost form, 1 a run-time MDI child or the outermost form, 2 the nearest form.
TCustomForm* FormOfControl(TControl* Control, int Kind);
TCustomForm* FormOfComponent(TComponent* Component);
TCustomForm* ManagerForm(const TdxBarManager* Manager, int Kind);
bool ManagerOwnsWindow(const TdxBarManager* Manager, HWND Wnd);
bool IsControlInside(TControl* Container, TControl* Control);
bool IsControlOfManagerForm(const TdxBarManager* Manager, TControl* Control);
bool HasAncestorWindow(HWND Wnd, HWND Ancestor);
bool IsOtherProcessWindow(HWND Wnd);
// The framework form whose window holds Wnd (through parents of child windows).
TCustomForm* EnclosingFormOfWindow(HWND Wnd);
TCustomForm* ActiveEnabledForm();
bool IsActiveWindow(HWND Wnd);
bool IsActiveMDIChildForm(TCustomForm* Form);
bool IsTopFormActive(TCustomForm* Form);
bool IsFormActive(TCustomForm* Form);
bool IsOwnAppActive();
bool WindowOrAncestorHasFocus(HWND Wnd);
bool IsControlShowing(TControl* Control);
void CancelModeOfActiveForm();
void ActivateTopLevelWindowOf(HWND Wnd);
HWND DeepestWindowAtPoint(POINT ScreenPoint);
HWND DeepestChildAt(HWND Wnd, POINT ScreenPoint);
void SetWindowZOrder(HWND Wnd, HWND InsertAfter, bool Activate, UINT ExtraFlags = 0);
void SetWindowAlphaBlend(HWND Wnd, BYTE Alpha);
// The active MDI child window of the application's main form; 0 without one.
HWND ActiveMDIChildWindow();
// The first non-child window above Wnd (Wnd itself when it is one).
HWND TopLevelWindowOf(HWND Wnd);

// ---- bars, links and item controls
TCustomdxBarControl* OutermostParentBar(TCustomdxBarControl* BarControl);
TCustomdxBarControl* RootToolbarOfBar(TCustomdxBarControl* BarControl);
TCustomdxBarControl* OutermostBarOfItemControl(TdxBarItemControl* Control);
TCustomdxBarControl* RootToolbarOfItemControl(TdxBarItemControl* Control);
TdxBarItemControl* ItemControlOfLink(TdxBarItemLink* Link);
TdxBarItemLink* ItemLinkOfControl(TdxBarItemControl* Control);
TdxBarItem* ItemOfItemControl(TdxBarItemControl* Control);
TdxBarItem* ItemOfItemLink(TdxBarItemLink* Link);
void RepaintItemControl(TdxBarItemControl* Control);
IdxBarLinksOwner* ObtainLinksOwner(TObject* Object);
TdxBarItemLinks* LinksOfLinksOwner(TObject* Object);
IdxBarSelectableItem* QuerySelectableItem(TObject* Object);
bool ImplementsSelectableItem(TObject* Object);
// Drops, from the end, the objects that are not selectable.
void DropNonSelectableObjects(TObjectList* List);
TObject* InstanceOfSelectable(IdxBarSelectableItem* Intf);
TdxBarAccessibilityHelper* ObtainAccessibilityHelper(TObject* Object);
// The main-menu bar window's helper of the manager of Wnd.
TdxBarAccessibilityHelper* FindRootAccessibilityHelper(HWND Wnd);
TObject* ObjectOfLink(TcxObjectLink* Link);
TdxBarItemVisible BooleanToItemVisible(bool Value);
// The highest level from ivlControlOnly down; 255 for an empty set.
int HighestViewLevel(TdxBarItemViewLevels Levels);

// ---- keys and text
bool IsCharacterKey(WORD Key);
TShortCut ShortCutFromKeyState(WORD Key, LPARAM KeyData);
std::string ShortCutCaptionSuffix(TShortCut ShortCut);
std::string StripAccelMarks(const std::string& Caption);
// The 1-based position of the accelerator character (the last found), 0 when none;
// with Strip the marks are removed from Caption.
int AcceleratorCharIndex(std::string& Caption, bool Strip);
bool IsMouseButtonDownMessage(UINT Msg);
bool IsLeftButtonDown();
bool IsRightButtonDown();
bool IsMouseButtonDownSwapped(int Button, int SwappedButton);

// ---- messages and sound
void DispatchPendingMouseMessages();
void DispatchPendingPaintMessages();
bool RemovePendingCharMessages(HWND Wnd);
int BarMessageBox(const std::string& Text, UINT Flags);
// 0 popup, 1 command, 2 stop any sound.
void PlayMenuSound(int Kind);
void SilenceMenuSound();

// ---- fonts
HFONT CreateSmallCaptionFont(TFont* Font, bool UseSystemFont);
void AssignBarFont(TFont* Source, TFont* Dest, bool Scaled);
HFONT CopyFontHandle(TFont* Font);
// The system's non-client metrics, with the size the call expects.
bool ReadNonClientMetrics(NONCLIENTMETRICSW& Metrics);

// ---- drawing
void FreeGDIHandle(HGDIOBJ& Handle);
void SelectBackAndDelete(HDC DC, HGDIOBJ PrevObject);
void FillPolygonWithColors(HDC DC, const POINT* Points, int HighIndex, TColor PenColor, TColor BrushColor);
void ExcludeFrameBandFromClip(TcxCanvas* Canvas, const RECT& Outer, const RECT& Inner);
void DropWindowHandle(HWND& Wnd, bool DestroyIt);
bool StopWindowTimer(HWND Wnd, UINT_PTR& TimerId);
void FrameRectHighlight(HDC DC, const RECT& R);
void DrawDoubleFrame(HDC DC, const RECT& R, int SysColorIndex);
void DrawDoubleFocusRect(HDC DC, const RECT& R);
void HatchInactiveBarRect(HDC DC, const RECT& R);
void SaveDCClipping(HDC DC, HRGN& Rgn, bool& HadRgn);
void RestoreDCClipping(HDC DC, HRGN& Rgn, bool HadRgn);
void AddRectToDCClip(HDC DC, const RECT& R);
void FillRectByColorOrBitmap(HDC DC, const RECT& R, const RECT& OriginRect, TBitmap* Bitmap, TColor Color,
                             HBRUSH Brush);
void TileBitmapInRect(HDC DC, const RECT& R, const RECT& OriginRect, TBitmap* Bitmap);
void ShiftOriginToForm(TCustomForm* Form, TCustomdxBarControl* BarControl, HDC DC, RECT& R, POINT& OldOrigin,
                       POINT& Offset);
void RestoreWindowOrigin(HDC DC, POINT OldOrigin);
// Orientation 1 down, else right; the size from the rectangle's extent.
void DrawArrowFitted(HDC DC, const RECT& R, int Orientation, bool Enabled, bool Selected, bool NoEmboss,
                     TColor Color = clDefault);
void DrawArrowSized(HDC DC, const RECT& R, int Orientation, int Size, bool Selected, bool Enabled, bool NoEmboss,
                    TColor Color = clDefault);
void PaintArrowTriangle(HDC DC, const RECT& R, bool Down, int Size, bool Selected, bool Enabled, bool NoEmboss,
                        TColor Color = clDefault);
void DrawBitmapGlyph(HDC DC, const RECT& R, TBitmap* Bitmap, bool Enabled);
// The draw mode of PaintImageWithState for the painter's flags.
int GlyphDrawMode(bool Drawable, bool S4, bool H2, bool S3, bool S2, bool S1, bool H1, bool Faded);
void DrawBarGlyph(HDC DC, HBRUSH Brush, const RECT& GlyphRect, const RECT& R, TBitmap* Glyph,
                  TCustomImageList* ImageList, int ImageIndex, TColor ImageListBkColor, bool Drawable, bool S4,
                  bool H2, bool S3, bool S2, bool S1, bool H1, bool Faded, bool SmoothGlyphs,
                  bool UseLeftBottomPixelAsTransparent);
void DrawItemControlGlyph(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, const RECT& GlyphRect, const RECT& R,
                          TBitmap* Glyph, TCustomImageList* ImageList, int ImageIndex, TColor ImageListBkColor,
                          bool Drawable, bool S4, bool H2, bool S3, bool S2, bool S1, bool H1, bool Faded,
                          bool SmoothGlyphs, bool UseLeftBottomPixelAsTransparent);
void DrawClassicSizeGrip(HDC DC, const RECT& R);
int EditThemeStateOfControl(TdxBarItemControl* Control);
TColor XPEditBackColor(HTHEME Theme, int State);
TColor XPEditTextColor(HTHEME Theme, int State);
TColor XPToolbarColor();
void XPCloseButtonSize(SIZE& Size);
void DrawXPCloseButton(HDC DC, RECT& R, bool Hot, bool Pressed, int Position);
void XPSizeGripSize(SIZE& Size);
void DrawXPSizeGrip(HDC DC, RECT& R, int Corner);
int ScaleByScreenPPI(int Value, int BasePPI = 96);
RECT MonitorWorkAreaAt(POINT P);
void ClampToMinWidth(int& Width, int Min);
void RefreshScreenColorDepth();
int ScreenColorDepth();
void RefreshPatternBrush();
// The 8 x 8 checkerboard of checked buttons (clBtnFace where row and column agree).
HBRUSH CheckedPatternBrush();
// "\" for the registry store, "." for the INI store.
std::string LayoutDelimiter(bool Registry);

// Keys of the direction search: 0 left, 1 up, 2 right, 3 down.
struct TdxBarNavigationCandidate {
  RECT Bounds;
  void* Object;
};
// The candidate nearest to Current in Direction, or null.
void* FindNextObjectInDirection(const RECT& Current, const std::vector<TdxBarNavigationCandidate>& Candidates,
                                int Direction, bool Cycle);

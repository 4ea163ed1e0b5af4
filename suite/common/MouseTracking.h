// Mouse-leave tracking: a 10 ms timer per caller notices when the mouse has left
// an area (or a control went unusable) and tells the caller once, then stops.
#pragma once

#include <windows.h>
#include <unknwn.h>

class TWinControl;

inline constexpr GUID IID_IcxMouseTrackingCaller = {
    0x84A4BCBE, 0xE001, 0x4D60, {0xB7, 0xA6, 0x75, 0xE2, 0xB0, 0xDC, 0xD3, 0xE9}};
inline constexpr GUID IID_IcxMouseTrackingHitTest = {
    0x3A5D973B, 0xF016, 0x4F22, {0x80, 0xB6, 0x1D, 0x35, 0x66, 0x8D, 0x77, 0x43}};

struct IcxMouseTrackingCaller : public IUnknown {
  virtual void STDMETHODCALLTYPE MouseLeave() = 0;
};

// A caller that answers this decides itself whether the mouse is still inside.
struct IcxMouseTrackingHitTest : public IUnknown {
  // Point in the control's client coordinates.
  virtual BOOL STDMETHODCALLTYPE PtInCaller(POINT Point) = 0;
};

// Starts tracking for Caller (once: a caller already tracked keeps its timer).
// Bounds are in Control's client coordinates, or on the screen without a control.
void StartMouseTracking(TWinControl* Control, const RECT& Bounds, IcxMouseTrackingCaller* Caller);
void StopMouseTracking(IcxMouseTrackingCaller* Caller);
bool IsMouseTracking(IcxMouseTrackingCaller* Caller);
int MouseTrackingCount();
// Ends the tracking service (at process exit): timers still running are freed;
// debug builds report them. Tests call it and restart.
void EndMouseTrackingUnit();
void RestartMouseTrackingUnit();

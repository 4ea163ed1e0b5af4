#include "framework/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "framework/WinControl.h"

namespace {
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> List;
  return List;
}
}  // namespace

TControlCanvas::TControlCanvas() = default;

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* Value) {
  if (FControl == Value) return;
  FreeHandle();
  FControl = Value;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  auto* W = dynamic_cast<TWinControl*>(FControl);
  TWinControl* Host = W ? W : FControl->GetParent();
  if (!Host) return;
  FWindowHandle = Host->GetHandle();
  FDeviceContext = GetDCEx(FWindowHandle, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!FDeviceContext) return;
  if (!W) {
    SetViewportOrgEx(FDeviceContext, FControl->GetLeft(), FControl->GetTop(), nullptr);
    IntersectClipRect(FDeviceContext, 0, 0, FControl->GetWidth(), FControl->GetHeight());
  }
  CanvasesWithDC().push_back(this);
  SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
  auto& L = CanvasesWithDC();
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
}

void FreeDeviceContexts() {
  auto L = CanvasesWithDC();
  for (TControlCanvas* C : L) C->FreeHandle();
}

void FreeDeviceContextsOf(HWND Window) {
  auto L = CanvasesWithDC();
  for (TControlCanvas* C : L)
    if (C->FWindowHandle == Window) C->FreeHandle();
}

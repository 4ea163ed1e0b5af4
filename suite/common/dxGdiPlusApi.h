// GDI+ bound at run time: all of its entry points or none, started without its
// background thread (the notification hook stands in for it). A registry of
// start-up and shut-down routines lets the units that use GDI+ start in order.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "framework/Object.h"

enum TdxGdiPlusEntry {
  gpeGdipAlloc,
  gpeGdipFree,
  gpeGdiplusStartup,
  gpeGdiplusShutdown,
  gpeGdipCloneBrush,
  gpeGdipDeleteBrush,
  gpeGdipGetBrushType,
  gpeGdipCreateSolidFill,
  gpeGdipSetSolidFillColor,
  gpeGdipGetSolidFillColor,
  gpeGdipCreateLineBrushFromRectI,
  gpeGdipGetLineRectI,
  gpeGdipSetLineColors,
  gpeGdipGetLineColors,
  gpeGdipSetLineWrapMode,
  gpeGdipGetLineWrapMode,
  gpeGdipCreateHatchBrush,
  gpeGdipGetHatchStyle,
  gpeGdipGetHatchForegroundColor,
  gpeGdipGetHatchBackgroundColor,
  gpeGdipCreatePen1,
  gpeGdipCreatePen2,
  gpeGdipClonePen,
  gpeGdipDeletePen,
  gpeGdipGetPenFillType,
  gpeGdipSetPenBrushFill,
  gpeGdipGetPenBrushFill,
  gpeGdipSetPenColor,
  gpeGdipGetPenColor,
  gpeGdipSetPenMode,
  gpeGdipGetPenMode,
  gpeGdipSetPenWidth,
  gpeGdipGetPenWidth,
  gpeGdipCreateFromHDC,
  gpeGdipDeleteGraphics,
  gpeGdipGetDC,
  gpeGdipReleaseDC,
  gpeGdipGraphicsClear,
  gpeGdipDrawLineI,
  gpeGdipFillRectangleI,
  gpeGdipDrawArcI,
  gpeGdipDrawBezierI,
  gpeGdipDrawRectangleI,
  gpeGdipDrawEllipseI,
  gpeGdipDrawPieI,
  gpeGdipDrawPolygonI,
  gpeGdipDrawCurve2I,
  gpeGdipDrawClosedCurve2I,
  gpeGdipFillPolygonI,
  gpeGdipFillEllipseI,
  gpeGdipFillPieI,
  gpeGdipFillClosedCurveI,
  gpeGdipLoadImageFromStream,
  gpeGdipCreateBitmapFromFile,
  gpeGdipCreateBitmapFromStream,
  gpeGdipCreateBitmapFromStreamICM,
  gpeGdipCreateHBITMAPFromBitmap,
  gpeGdipLoadImageFromFile,
  gpeGdipGetImageDimension,
  gpeGdipDrawImageRectI,
  gpeGdipDisposeImage,
  gpeGdipGetImageEncodersSize,
  gpeGdipGetImageEncoders,
  gpeGdipSaveImageToStream,
  gpeGdipCreateBitmapFromHBITMAP,
  gpeGdipGetEncoderParameterListSize,
  gpeGdipGetEncoderParameterList,
  gpeGdipCreateBitmapFromGdiDib,
  gpeGdipCreateBitmapFromScan0,
  gpeGdipBitmapLockBits,
  gpeGdipBitmapUnlockBits,
  gpeGdipDrawImageRectRectI,
  gpeGdipDrawImageRectRect,
  gpeGdipDrawImagePointRect,
  gpeGdipCloneImage,
  gpeGdipSetInterpolationMode,
  gpeGdipGetInterpolationMode,
  gpeGdipCreateCachedBitmap,
  gpeGdipDeleteCachedBitmap,
  gpeGdipDrawCachedBitmap,
  gpeGdipCreateBitmapFromGraphics,
  gpeGdipGetImageGraphicsContext,
  gpeGdipGetImageWidth,
  gpeGdipGetImageHeight,
  gpeGdipSetCompositingMode,
  gpeGdipGetCompositingMode,
  gpeGdipSetCompositingQuality,
  gpeGdipGetCompositingQuality,
  gpeGdipSetSmoothingMode,
  gpeGdipGetSmoothingMode,
  gpeGdipCloneBitmapAreaI,
  gpeCount
};

// True once GDI+ is bound and started; loads it on the first call.
bool EnsureGdiPlusLoaded();
bool GdiPlusAvailable();
void LoadGdiPlus();
void UnloadGdiPlus();
void* GdiPlusEntryAddress(TdxGdiPlusEntry Entry);
inline bool GpStatusOk(Gdiplus::GpStatus Status) { return Status == Gdiplus::Ok; }
// The GDI+ rectangle (left, top, width, height) of R.
Gdiplus::Rect RectToXYWH(const RECT& R);
// The class id of the PNG encoder (all zero when there is none).
const CLSID& EnsurePngEncoderId();

namespace sonvelt_gdiplus {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
}

// The bound entry Name, typed as the SDK declares it; callers test GdiPlusAvailable first.
#define GDIP(Name) \
  (reinterpret_cast<decltype(&::sonvelt_gdiplus::Name)>(GdiPlusEntryAddress(gpe##Name)))

using TdxUnitProc = void (*)();

// Start-up and shut-down routines of the units built on GDI+.
class TdxUnitsLoader : public TObject {
  SONVELT_CLASS(TdxUnitsLoader, TObject)
public:
  ~TdxUnitsLoader() override;
  void RegisterUnit(TdxUnitProc InitProc, TdxUnitProc FinalizeProc);
  void UnregisterUnit(TdxUnitProc FinalizeProc);
  // Runs the shut-down routines, last registered first.
  void FinalizeUnits();
  // Runs the start-up routines held back in a library host.
  void InitializeUnits();

private:
  std::vector<TdxUnitProc> FInitProcs, FFinalizeProcs;
};

TdxUnitsLoader* UnitsLoaderInstance();

#include "suite/common/dxGdiPlusApi.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/OwnedObject.h"

namespace {

const char* const EntryNames[gpeCount] = {
    "GdipAlloc",
    "GdipFree",
    "GdiplusStartup",
    "GdiplusShutdown",
    "GdipCloneBrush",
    "GdipDeleteBrush",
    "GdipGetBrushType",
    "GdipCreateSolidFill",
    "GdipSetSolidFillColor",
    "GdipGetSolidFillColor",
    "GdipCreateLineBrushFromRectI",
    "GdipGetLineRectI",
    "GdipSetLineColors",
    "GdipGetLineColors",
    "GdipSetLineWrapMode",
    "GdipGetLineWrapMode",
    "GdipCreateHatchBrush",
    "GdipGetHatchStyle",
    "GdipGetHatchForegroundColor",
    "GdipGetHatchBackgroundColor",
    "GdipCreatePen1",
    "GdipCreatePen2",
    "GdipClonePen",
    "GdipDeletePen",
    "GdipGetPenFillType",
    "GdipSetPenBrushFill",
    "GdipGetPenBrushFill",
    "GdipSetPenColor",
    "GdipGetPenColor",
    "GdipSetPenMode",
    "GdipGetPenMode",
    "GdipSetPenWidth",
    "GdipGetPenWidth",
    "GdipCreateFromHDC",
    "GdipDeleteGraphics",
    "GdipGetDC",
    "GdipReleaseDC",
    "GdipGraphicsClear",
    "GdipDrawLineI",
    "GdipFillRectangleI",
    "GdipDrawArcI",
    "GdipDrawBezierI",
    "GdipDrawRectangleI",
    "GdipDrawEllipseI",
    "GdipDrawPieI",
    "GdipDrawPolygonI",
    "GdipDrawCurve2I",
    "GdipDrawClosedCurve2I",
    "GdipFillPolygonI",
    "GdipFillEllipseI",
    "GdipFillPieI",
    "GdipFillClosedCurveI",
    "GdipLoadImageFromStream",
    "GdipCreateBitmapFromFile",
    "GdipCreateBitmapFromStream",
    "GdipCreateBitmapFromStreamICM",
    "GdipCreateHBITMAPFromBitmap",
    "GdipLoadImageFromFile",
    "GdipGetImageDimension",
    "GdipDrawImageRectI",
    "GdipDisposeImage",
    "GdipGetImageEncodersSize",
    "GdipGetImageEncoders",
    "GdipSaveImageToStream",
    "GdipCreateBitmapFromHBITMAP",
    "GdipGetEncoderParameterListSize",
    "GdipGetEncoderParameterList",
    "GdipCreateBitmapFromGdiDib",
    "GdipCreateBitmapFromScan0",
    "GdipBitmapLockBits",
    "GdipBitmapUnlockBits",
    "GdipDrawImageRectRectI",
    "GdipDrawImageRectRect",
    "GdipDrawImagePointRect",
    "GdipCloneImage",
    "GdipSetInterpolationMode",
    "GdipGetInterpolationMode",
    "GdipCreateCachedBitmap",
    "GdipDeleteCachedBitmap",
    "GdipDrawCachedBitmap",
    "GdipCreateBitmapFromGraphics",
    "GdipGetImageGraphicsContext",
    "GdipGetImageWidth",
    "GdipGetImageHeight",
    "GdipSetCompositingMode",
    "GdipGetCompositingMode",
    "GdipSetCompositingQuality",
    "GdipGetCompositingQuality",
    "GdipSetSmoothingMode",
    "GdipGetSmoothingMode",
    "GdipCloneBitmapAreaI"};

HMODULE Library = nullptr;
bool Available = false;
ULONG_PTR StartupToken = 0;
ULONG_PTR HookToken = 0;
Gdiplus::GdiplusStartupOutput StartupOutput;
void* Entries[gpeCount] = {};
CLSID PngEncoder = {};
bool InitializedUnits = false;

// A program runs start-up routines at once; only a library host defers them.
bool UnitsLoadDeferred() { return false; }

}  // namespace

void* GdiPlusEntryAddress(TdxGdiPlusEntry Entry) { return Entries[Entry]; }

bool GdiPlusAvailable() { return Available; }

bool EnsureGdiPlusLoaded() {
  UnitsLoaderInstance();  // so that the shut-down at exit is registered
  if (!Available) LoadGdiPlus();
  return Available;
}

void LoadGdiPlus() {
  if (Available) return;
  if (!Library) {
    const UINT oldMode = SetErrorMode(0x8000);
    Library = LoadLibraryW(L"gdiplus.dll");
    SetErrorMode(oldMode);
  }
  if (!Library) return;
  bool bound = true;
  for (int i = 0; i < gpeCount; ++i) {
    Entries[i] = bound ? reinterpret_cast<void*>(GetProcAddress(Library, EntryNames[i])) : nullptr;
    bound = Entries[i] != nullptr;
  }
  if (!bound) {
    std::fill(std::begin(Entries), std::end(Entries), nullptr);
    return;
  }
  Gdiplus::GdiplusStartupInput input(nullptr, TRUE, FALSE);
  StartupOutput = Gdiplus::GdiplusStartupOutput();
  if (GDIP(GdiplusStartup)(&StartupToken, &input, &StartupOutput) != Gdiplus::Ok) {
    StartupOutput = Gdiplus::GdiplusStartupOutput();
    return;
  }
  // Without the background thread, the hook runs its work on this thread.
  if (!StartupOutput.NotificationHook || StartupOutput.NotificationHook(&HookToken) != Gdiplus::Ok) {
    GDIP(GdiplusShutdown)(StartupToken);
    StartupOutput = Gdiplus::GdiplusStartupOutput();
    return;
  }
  Available = true;
}

void UnloadGdiPlus() {
  if (Available) {
    if (StartupOutput.NotificationUnhook) StartupOutput.NotificationUnhook(HookToken);
    GDIP(GdiplusShutdown)(StartupToken);
  }
  Available = false;
  std::fill(std::begin(Entries), std::end(Entries), nullptr);
  std::memset(&PngEncoder, 0, sizeof PngEncoder);
  if (Library) FreeLibrary(Library);
  Library = nullptr;
}

Gdiplus::Rect RectToXYWH(const RECT& R) {
  return Gdiplus::Rect(R.left, R.top, R.right - R.left, R.bottom - R.top);
}

const CLSID& EnsurePngEncoderId() {
  static const CLSID zero = {};
  if (!Available || std::memcmp(&PngEncoder, &zero, sizeof zero) != 0) return PngEncoder;
  UINT count = 0, size = 0;
  if (GDIP(GdipGetImageEncodersSize)(&count, &size) != Gdiplus::Ok || size == 0) return PngEncoder;
  std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size]);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
  if (GDIP(GdipGetImageEncoders)(count, size, codecs) != Gdiplus::Ok) return PngEncoder;
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].MimeType && _wcsicmp(codecs[i].MimeType, L"image/png") == 0) {
      PngEncoder = codecs[i].Clsid;
      break;
    }
  return PngEncoder;
}

// ---------------------------------------------------------------- units loader

TdxUnitsLoader::~TdxUnitsLoader() { FinalizeUnits(); }

void TdxUnitsLoader::RegisterUnit(TdxUnitProc InitProc, TdxUnitProc FinalizeProc) {
  if (InitProc) {
    if (UnitsLoadDeferred()) {
      FInitProcs.push_back(InitProc);
    } else {
      InitializedUnits = true;
      InitProc();
    }
  }
  if (FinalizeProc) FFinalizeProcs.push_back(FinalizeProc);
}

void TdxUnitsLoader::UnregisterUnit(TdxUnitProc FinalizeProc) {
  auto it = std::find(FFinalizeProcs.begin(), FFinalizeProcs.end(), FinalizeProc);
  if (it == FFinalizeProcs.end()) return;
  FFinalizeProcs.erase(it);
  FinalizeProc();
}

void TdxUnitsLoader::InitializeUnits() {
  InitializedUnits = true;
  std::vector<TdxUnitProc> procs;
  procs.swap(FInitProcs);
  for (TdxUnitProc p : procs) p();
}

void TdxUnitsLoader::FinalizeUnits() {
  if (InitializedUnits)
    for (auto it = FFinalizeProcs.rbegin(); it != FFinalizeProcs.rend(); ++it) (*it)();
  InitializedUnits = false;
  FFinalizeProcs.clear();
}

TdxUnitsLoader* UnitsLoaderInstance() {
  static const TOwned<TdxUnitsLoader> instance = [] {
    TOwned<TdxUnitsLoader> loader(TdxUnitsLoader::Create());
    // GDI+ itself starts unloaded (loaded on demand) and is shut down last at exit.
    loader->RegisterUnit([] {}, [] { UnloadGdiPlus(); });
    return loader;
  }();
  return instance.get();
}

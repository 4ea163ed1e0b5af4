// The suite's drawing surface: TcxCanvas wraps a framework canvas (a control's,
// a bitmap's or the screen's) and adds three save stacks, clip-region arithmetic
// that stays right when the DC's origins are moved, bands and 3-D edges, tiled
// bitmap fills and text with the suite's own alignment flags. TcxRegion owns one
// GDI region and is what every clip operation takes.
//
// Stacks: PushDC pairs with PopDC, PushState (a DC save plus copies of font,
// brush and pen) with PopState, PushClipRegion with PopClipRegion. State and DC
// pushes share the DC stack, so they must nest.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "framework/Set.h"

class TBitmap;
class TFont;
class TGraphic;

enum TcxClipOperation { coReplace, coUnion, coSubtract, coIntersect };

enum TcxBorder { bLeft, bTop, bRight, bBottom };
using TcxBorders = TSet<TcxBorder>;
inline constexpr TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

// The suite's text flags (DrawTextFlags, TextExtentInRect and the text routines).
using TcxTextFlags = unsigned;
inline constexpr TcxTextFlags cxAlignLeft = 0x0001;
inline constexpr TcxTextFlags cxAlignRight = 0x0002;
inline constexpr TcxTextFlags cxAlignHCenter = 0x0004;
inline constexpr TcxTextFlags cxAlignTop = 0x0008;
inline constexpr TcxTextFlags cxAlignBottom = 0x0010;
inline constexpr TcxTextFlags cxAlignVCenter = 0x0020;
inline constexpr TcxTextFlags cxSingleLine = 0x0040;
inline constexpr TcxTextFlags cxDontClip = 0x0080;
inline constexpr TcxTextFlags cxExpandTabs = 0x0100;
inline constexpr TcxTextFlags cxShowPrefix = 0x0200;
inline constexpr TcxTextFlags cxWordBreak = 0x0400;
inline constexpr TcxTextFlags cxShowEndEllipsis = 0x0800;
inline constexpr TcxTextFlags cxCalcRect = 0x1000;
inline constexpr TcxTextFlags cxShowPathEllipsis = 0x2000;
inline constexpr TcxTextFlags cxDontBreakChars = 0x4000;

// DrawText flags of the suite's text flags; DT_NOPREFIX unless the prefix is shown.
UINT TextFlagsToDTFlags(TcxTextFlags Flags);

// What a style gives a painter for one element: background bitmap, background
// colour, font and text colour.
struct TcxViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

class TcxRegion : public TObject {
  SONVELT_CLASS(TcxRegion, TObject)
public:
  // Takes over the handle.
  explicit TcxRegion(HRGN AHandle);
  TcxRegion(int Left, int Top, int Right, int Bottom);
  explicit TcxRegion(const RECT& R);
  TcxRegion();  // the empty region (0, 0, 0, 0)
  ~TcxRegion() override;

  static TcxRegion* CreateFromHandle(HRGN AHandle) { return Create(AHandle); }
  static TcxRegion* CreateFromRect(const RECT& R) { return Create(R); }
  static TcxRegion* CreateFromCoords(int Left, int Top, int Right, int Bottom) {
    return Create(Left, Top, Right, Bottom);
  }
  static TcxRegion* CreateEmptyRegion() { return Create(); }

  HRGN GetHandle() const { return FHandle; }
  void ReleaseHandle();
  bool IsEmpty() const;
  // coReplace copies Other; the rest combine into this region. DestroyOther
  // frees Other afterwards.
  void CombineWith(TcxRegion* Other, TcxClipOperation Operation, bool DestroyOther = true);
  bool SameAs(const TcxRegion* Other) const;
  bool IsEqualHandle(HRGN AHandle) const;
  void MoveBy(int DX, int DY);
  RECT BoundsRect() const;

private:
  HRGN FHandle = nullptr;
};

class TcxCanvas : public TObject {
  SONVELT_CLASS(TcxCanvas, TObject)
public:
  explicit TcxCanvas(TCanvas* ACanvas);
  ~TcxCanvas() override;
  static TcxCanvas* CreateOnCanvas(TCanvas* ACanvas) { return Create(ACanvas); }

  TCanvas* GetCanvas() const { return FCanvas; }
  // Re-points the wrapper (the bar canvas passes the DC's canvas in turn).
  void SetCanvas(TCanvas* Value) { FCanvas = Value; }

  HDC DeviceContext() const { return FCanvas->GetHandle(); }
  TFont* FontObject() const { return FCanvas->GetFont(); }
  TBrush* BrushObject() const { return FCanvas->GetBrush(); }
  TPen* PenObject() const { return FCanvas->GetPen(); }
  void AssignFontObject(TFont* Font) { FCanvas->SetFont(Font); }
  void SetBrushColor(TColor Color);

  POINT WindowOrigin() const;
  POINT ViewportOrigin() const;
  void AssignWindowOrigin(POINT P);
  void AssignViewportOrigin(POINT P);
  // The device offset of logical (0, 0).
  POINT DCOrigin() const;

  void MoveToPoint(int X, int Y) { FCanvas->MoveTo(X, Y); }
  void LineToPoint(int X, int Y) { FCanvas->LineTo(X, Y); }
  void PolygonOf(const POINT* Points, int Count) { FCanvas->Polygon(Points, Count); }
  void PolylineOf(const POINT* Points, int Count) { FCanvas->Polyline(Points, Count); }
  void SetPixelColor(int X, int Y, TColor Color) { FCanvas->SetPixels(X, Y, Color); }
  TColor PixelColor(int X, int Y) const { return FCanvas->GetPixels(X, Y); }
  void DrawGraphic(int X, int Y, TGraphic* Graphic) { FCanvas->Draw(X, Y, Graphic); }
  void CopyRectFrom(const RECT& DestRect, TcxCanvas* Source, const RECT& SourceRect);
  void InvertRect(const RECT& R);
  // The canvas's font, brush and pen become copies of what DC has selected.
  void AdoptDCObjects(HDC DC);

  void PushDC();
  void PopDC();
  void PushClipRegion();
  void PopClipRegion();
  void PushState();
  void PopState();

  // A new region (the caller's) with the DC's clip; (0, 0, 30000, 30000) when
  // it has none. ConsiderOrigin answers it in logical coordinates.
  TcxRegion* CurrentClipRegion(bool ConsiderOrigin = true) const;
  void ApplyClipRegion(TcxRegion* Region, TcxClipOperation Operation = coReplace, bool DestroyRegion = true,
                       bool ConsiderOrigin = true);
  void ExcludeRectFromClip(const RECT& R);
  void IntersectClip(const RECT& R);

  void FillRectColor(const RECT& R, TColor Color = clDefault);
  void FillWithBitmap(const RECT& R, TBitmap* Bitmap = nullptr, bool ExcludeRect = false);
  void FillBorders(const RECT& R, TColor Color, int Width, TcxBorders Borders, bool ExcludeRect = false);
  void FillWithViewParams(const RECT& R, const TcxViewParams& ViewParams, TcxBorders Borders = {},
                          TColor BorderColor = clDefault, int BorderWidth = 0, bool ExcludeRect = false);
  void DrawEdgeSides(const RECT& R, TColor LeftTopColor, TColor RightBottomColor, TcxBorders Borders = cxBordersAll,
                     int Width = 1);
  void DrawEdge3D(const RECT& R, bool Sunken, bool Outer, TcxBorders Borders = cxBordersAll);

  SIZE MeasureText(const std::string& Text);
  int WidthOfText(const std::string& Text) { return MeasureText(Text).cx; }
  int HeightOfText(const std::string& Text) { return MeasureText(Text).cy; }
  int FontLineHeight(TFont* Font);
  void DrawTextFlags(const std::string& Text, RECT R, TcxTextFlags Flags, bool Enabled = true);
  void TextExtentInRect(const std::string& Text, RECT& R, TcxTextFlags Flags);
  // Alignment 0 none, 1 bottom, 2 centre: moves R's Top for a multi-line text.
  void AlignTextRectVertically(RECT& R, const std::string& Text, int Alignment, bool WordBreak, bool ShowPrefix,
                               bool Enabled, bool DontBreakChars);

private:
  struct TcxCanvasState {
    TOwned<TFont> Font;
    TOwned<TBrush> Brush;
    TOwned<TPen> Pen;
  };

  TCanvas* FCanvas;
  std::vector<int> FSavedDCs;
  std::vector<TOwned<TcxRegion>> FSavedRegions;
  std::vector<TcxCanvasState> FSavedStates;
};

// A canvas on the desktop's DC, taken with GetDCEx when first drawn on.
class TScreenCanvas : public TCanvas {
  SONVELT_CLASS(TScreenCanvas, TCanvas)
public:
  TScreenCanvas() = default;
  ~TScreenCanvas() override;
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  HDC FDeviceContext = nullptr;
  HWND FWindow = nullptr;
};

class TcxScreenCanvas : public TcxCanvas {
  SONVELT_CLASS(TcxScreenCanvas, TcxCanvas)
public:
  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
  static TcxScreenCanvas* CreateForScreen() { return Create(); }
};

// The one screen canvas for measuring text and reading the screen's format.
TcxScreenCanvas* SharedScreenCanvas();

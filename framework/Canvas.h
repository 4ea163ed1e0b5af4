// TCanvas: a drawing surface over a device context, with its own font, pen and
// brush. Reading GetHandle creates the device context when the canvas makes its
// own (bitmap and control canvases) and selects the current tools into it; a tool
// changed while the handle is live is selected again at once, so raw GDI calls on
// the handle always draw with the canvas's tools. SetHandle(0) deselects the tools
// and gives the device context back untouched.
//
// Lock/Unlock guard a canvas drawn from a second thread (menu animation); every
// canvas of the user interface thread works without them.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "framework/Brush.h"
#include "framework/Colors.h"
#include "framework/Delegate.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "framework/Pen.h"
#include "framework/Persistent.h"
#include "framework/Set.h"

class TGraphic;

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;
enum TFillStyle { fsSurface, fsBorder };
enum TCanvasOrientation { coLeftToRight, coRightToLeft };

// Raster operations of CopyRect and of bitmaps drawn opaque.
using TCopyMode = DWORD;
inline constexpr TCopyMode cmBlackness = BLACKNESS;
inline constexpr TCopyMode cmDstInvert = DSTINVERT;
inline constexpr TCopyMode cmMergeCopy = MERGECOPY;
inline constexpr TCopyMode cmMergePaint = MERGEPAINT;
inline constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
inline constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
inline constexpr TCopyMode cmPatCopy = PATCOPY;
inline constexpr TCopyMode cmPatInvert = PATINVERT;
inline constexpr TCopyMode cmPatPaint = PATPAINT;
inline constexpr TCopyMode cmSrcAnd = SRCAND;
inline constexpr TCopyMode cmSrcCopy = SRCCOPY;
inline constexpr TCopyMode cmSrcErase = SRCERASE;
inline constexpr TCopyMode cmSrcInvert = SRCINVERT;
inline constexpr TCopyMode cmSrcPaint = SRCPAINT;
inline constexpr TCopyMode cmWhiteness = WHITENESS;

// How TextRect lays text out in its rectangle (the DT_ flags by name).
enum TTextFormats {
  tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
  tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading,
  tfSingleLine, tfTop, tfVerticalCenter, tfWordBreak, tfWordEllipsis, tfHidePrefix, tfPrefixOnly
};
using TTextFormat = TSet<TTextFormats>;
UINT TextFormatToDTFlags(TTextFormat Format);

class TCanvas : public TPersistent {
  SONVELT_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;

  HDC GetHandle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* GetPen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* GetBrush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

  TCopyMode GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  POINT GetPenPos();
  void SetPenPos(POINT Value) { MoveTo(Value.x, Value.y); }
  // The part of the surface drawing can reach, in logical coordinates.
  RECT GetClipRect();
  TColor GetPixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  TCanvasOrientation GetCanvasOrientation();
  int GetTextFlags() const { return FTextFlags; }
  void SetTextFlags(int Value) { FTextFlags = Value; }

  void Lock();
  bool TryLock();
  void Unlock();
  int GetLockCount() const { return FLockCount; }

  // Deselects the tools so they are selected afresh before the next drawing.
  void Refresh();

  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const RECT& Rect) { Ellipse(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const RECT& Rect) { Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polygon(const POINT* Points, int Count);
  void Polyline(const POINT* Points, int Count);
  void PolyBezier(const POINT* Points, int Count);
  void FillRect(const RECT& Rect);
  void FrameRect(const RECT& Rect);
  void DrawFocusRect(const RECT& Rect);
  void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

  // Copies a rectangle of another canvas, stretched to Dest, with CopyMode.
  void CopyRect(const RECT& Dest, TCanvas* Canvas, const RECT& Source);
  // Copies Source of Bitmap to Dest, with pixels of Color replaced by the brush.
  void BrushCopy(const RECT& Dest, TBitmap* Bitmap, const RECT& Source, TColor Color);
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const RECT& Rect, TGraphic* Graphic);

  // Text in the font's colour; the background is the brush's unless it is bsClear.
  void TextOut(int X, int Y, const std::string& Text);
  // Text at (X, Y), clipped to Rect (which is filled with the brush unless clear).
  void TextRect(const RECT& Rect, int X, int Y, const std::string& Text);
  // Text laid out in Rect by Format (alignment, word break, ellipsis); with
  // tfCalcRect only measures, leaving the needed size in Rect.
  void TextRect(RECT& Rect, std::string& Text, TTextFormat Format = {});
  SIZE TextExtent(const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  // Canvases that make their own device context (bitmaps, controls) create it here.
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();
  // Makes sure the handle exists and the named tools are selected.
  void RequiredState(TCanvasState ReqState);
  TCanvasState GetState() const { return FState; }
  // The device context as it is, neither created nor announced.
  HDC GetHandleQuiet() const { return FHandle; }

private:
  void DeselectHandles();
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);

  HDC FHandle = nullptr;
  TCanvasState FState;
  TOwned<TFont> FFont;
  TOwned<TPen> FPen;
  TOwned<TBrush> FBrush;
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  POINT FPenPos{0, 0};
  TCopyMode FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  std::recursive_mutex FLock;
  int FLockCount = 0;
};

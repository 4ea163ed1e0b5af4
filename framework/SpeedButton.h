// TSpeedButton: a window-less tool button with a glyph strip. Buttons of the same
// GroupIndex on one parent stay down one at a time (AllowAllUp lets the last one
// come up); Flat buttons show their frame only under the mouse.
#pragma once

#include <memory>

#include "framework/Bitmap.h"
#include "framework/GraphicControl.h"
#include "framework/OwnedObject.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Where a button puts a glyph of GlyphSize and its caption inside Client.
// Margin is the gap from the edge the glyph sits on, -1 centres glyph and
// caption together; Spacing is the gap between them, -1 spreads what room is
// left evenly. DT_RIGHT in TextFlags (right-to-left reading) mirrors the
// left and right layouts.
void CalcButtonLayout(TCanvas* Canvas, const RECT& Client, SIZE GlyphSize, const std::string& Caption,
                      TButtonLayout Layout, int Margin, int Spacing, UINT TextFlags, POINT& GlyphPos,
                      RECT& TextRect);

// Draws a glyph (image Index of a strip of NumGlyphs) and a caption laid out in
// Rect as a glyph button shows them.
void DrawButtonGlyphAndCaption(TCanvas* Canvas, RECT Rect, TBitmap* Glyph, int NumGlyphs, int Index,
                               const std::string& Caption, TButtonLayout Layout, int Spacing, bool Enabled,
                               int Margin = -1, UINT TextFlags = DT_SINGLELINE);

// How many images a glyph strip of square images holds (1 to 4), else Current.
int GlyphCount(TBitmap* Glyph, int Current);

class TSpeedButton : public TGraphicControl {
  SONVELT_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  int GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value);
  // Pixels between the edge and the glyph; -1 centres glyph and caption.
  int GetMargin() const { return FMargin; }
  void SetMargin(int Value);
  TButtonState GetState() const { return FState; }
  bool GetMouseInControl() const { return FMouseInControl; }
  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  // The caption's text flags for the control's reading order.
  UINT CaptionTextFlags() const;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void GlyphChanged(TObject*) { Invalidate(); }
  void UpdateExclusive();
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
  TOwned<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FSpacing = 4;
  int FMargin = -1;
  TButtonState FState = bsUp;
  bool FDragging = false;
  bool FMouseInControl = false;
};

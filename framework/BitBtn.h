// TBitBtn: a push button that shows a glyph beside its caption (drawn by the
// framework; the system button keeps its behaviour).
#pragma once

#include <memory>

#include "framework/Button.h"
#include "framework/ControlCanvas.h"
#include "framework/OwnedObject.h"
#include "framework/SpeedButton.h"

class TBitBtn : public TButton {
  SONVELT_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  int GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  void GlyphChanged(TObject*) { Invalidate(); }
  void DrawItem(const DRAWITEMSTRUCT& DIS);
  TOwned<TBitmap> FGlyph;
  TOwned<TControlCanvas> FCanvas;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FSpacing = 4;
};

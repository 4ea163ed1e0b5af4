// What the painters share process-wide: the scroll track patterns, the indicator
// images, the platform's check-box glyph size, the radio-button glyphs of every
// look and state, and the registry of named skin painters.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "suite/common/cxLookAndFeelPainters.h"

class TBitmap;
class TCustomImageList;
class TcxCanvas;

// Index 0 the normal track, 1 the pressed track (8 x 8 checkerboards).
TBitmap* ScrollPatternBitmap(int Index);
// Colours the patterns again from the system colours (the scroll bar calls it
// on colour and theme changes).
void RefreshScrollPatternBitmaps();

// The six 8 x 9 indicator images (arrow, I-beam, asterisk, dot, arrow with dot,
// funnel); empty when the program carries no such bitmaps.
TCustomImageList* IndicatorImages();

// The size of one glyph of the platform's check-box bitmap.
SIZE CheckBoxGlyphSize();

struct TcxRadioGlyphKey {
  TcxPaintButtonState State = pbsNormal;
  bool Checked = false;
  TcxLookAndFeelKind Kind = lfStandard;
  bool Highlighted = false;
  bool Marked = false;
};

// One image per look, state, check, highlight and mark, drawn from a pattern of
// pixel classes measured on the platform's own radio glyph.
class TcxRadioButtonImageList : public TObject {
  SONVELT_CLASS(TcxRadioButtonImageList, TObject)
public:
  TcxRadioButtonImageList();
  ~TcxRadioButtonImageList() override;

  // BrushColor clDefault draws masked; any other colour gives an opaque square.
  void PaintGlyph(TcxCanvas* Canvas, int X, int Y, const TcxRadioGlyphKey& Key, TColor BrushColor);
  SIZE GlyphSize() const { return SIZE{FWidth, FHeight}; }
  // Drops the images; the next glyph prepares them with the current colours.
  void Rebuild();
  // The colour a pixel class (1 to 6) takes for a key; 0 and others are black.
  static TColor ClassColor(int PixelClass, const TcxRadioGlyphKey& Key);
  int PixelClassAt(int X, int Y) const { return FClasses[static_cast<size_t>(Y) * FWidth + X]; }

private:
  void Measure();
  void BuildPattern();
  void PrepareImages();
  static int KeyIndex(const TcxRadioGlyphKey& Key);

  int FWidth = 0, FHeight = 0, FFirstColumn = 0, FFirstRow = 0;
  RECT FDot{0, 0, 0, 0};
  std::vector<unsigned char> FClasses;
  TOwned<TCustomImageList> FImages;
  HBITMAP FMask = nullptr;
  int FIndexOf[128];
};

TcxRadioButtonImageList* RadioGlyphCache();

// Told when the set of skin painters changes.
class IcxSkinPainterListener {
public:
  virtual void SkinPaintersChanged() = 0;

protected:
  ~IcxSkinPainterListener() = default;
};

// Named skin painters; nothing in this program adds one, so a skin name never
// resolves to a painter.
class TcxExtendedStylePainters : public TObject {
  SONVELT_CLASS(TcxExtendedStylePainters, TObject)
public:
  struct TEntry {
    std::string Name;
    TcxLookAndFeelPainterClass Painter;
  };

  bool FindPainter(const std::string& Name, TcxLookAndFeelPainterClass& Painter) const;
  int IndexOfName(const std::string& Name) const;
  void RegisterListener(IcxSkinPainterListener* Listener);
  void UnregisterListener(IcxSkinPainterListener* Listener);
  bool HasListener(IcxSkinPainterListener* Listener) const;
  int GetCount() const { return static_cast<int>(FEntries.size()); }

private:
  std::vector<TEntry> FEntries;
  std::vector<IcxSkinPainterListener*> FListeners;
};

// The registry, made when the painters' shared resources start.
TcxExtendedStylePainters* StylePainterRegistry();
// The registry as it is (null before the start and after the end).
TcxExtendedStylePainters* ExistingStylePainterRegistry();

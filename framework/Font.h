// TFont: the font a canvas or control draws its text with. Size (points) and
// Height (pixels; negative means character height without internal leading) are
// two views of one value, tied by the screen's pixels per inch. Color is not part
// of the GDI font; the canvas applies it as the text colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/Colors.h"
#include "framework/GdiResourceCache.h"
#include "framework/GraphicsObject.h"
#include "framework/Set.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;

struct TFontData {
  int Height = 0;
  int Orientation = 0;  // tenths of a degree
  TFontPitch Pitch = fpDefault;
  TFontStyles Style;
  TFontCharset Charset = DEFAULT_CHARSET;
  std::string Name;
  HGDIOBJ Adopted = nullptr;  // a handle given from outside, owned by the entry

  std::size_t Hash() const;
  friend bool operator==(const TFontData&, const TFontData&) = default;
};

// Character set names as form data stores them ("DEFAULT_CHARSET").
bool CharsetToIdent(int Charset, std::string& Ident);
bool IdentToCharset(std::string_view Ident, int& Charset);

// The screen's vertical pixels per inch, read once.
int ScreenPixelsPerInch();
// The system's default font description (the GUI font), computed once.
const TFontData& DefaultFontData();

class TFont : public TGraphicsObject {
  SONVELT_CLASS(TFont, TGraphicsObject)
public:
  TFont();
  ~TFont() override;

  void Assign(TPersistent* Source) override;

  // Creates the GDI font on first use.
  HFONT GetHandle();
  // Adopts an existing GDI font: its description is read back and the font owns
  // the handle from now on. 0 returns to the default font.
  void SetHandle(HFONT Value);
  bool HandleAllocated() const override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  std::string GetName() const { return FData.Data().Name; }
  void SetName(const std::string& Value);
  int GetHeight() const { return FData.Data().Height; }
  void SetHeight(int Value);
  int GetSize() const;
  void SetSize(int Value);
  TFontStyles GetStyle() const { return FData.Data().Style; }
  void SetStyle(TFontStyles Value);
  TFontCharset GetCharset() const { return FData.Data().Charset; }
  void SetCharset(TFontCharset Value);
  TFontPitch GetPitch() const { return FData.Data().Pitch; }
  void SetPitch(TFontPitch Value);
  int GetOrientation() const { return FData.Data().Orientation; }
  void SetOrientation(int Value);
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value > 0 ? Value : ScreenPixelsPerInch(); }

  // The font's description as GDI takes it.
  LOGFONTW GetLogFont() const;

  static void Publish(TPublisher<TFont>& P);

private:
  void SetData(const TFontData& Data);

  TGdiResourceRef<TFontData> FData;
  TColor FColor = clWindowText;
  int FPixelsPerInch;
};

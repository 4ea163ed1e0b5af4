#include "framework/Font.h"

#include <cwchar>
#include <functional>

#include "framework/IdentMaps.h"
#include "framework/Published.h"
#include "framework/Unicode.h"

namespace {
const TIdentMapEntry CharsetNames[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},         {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},     {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},       {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},   {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},     {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},     {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},         {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"}};
}  // namespace

bool CharsetToIdent(int Charset, std::string& Ident) { return IntToIdent(Charset, Ident, CharsetNames); }

bool IdentToCharset(std::string_view Ident, int& Charset) { return IdentToInt(Ident, Charset, CharsetNames); }

// Charset, Color, Height and Style have no default: every stored font names them.
SONVELT_PUBLISHED(TFont, P) {
  P.Integer("Charset", &TFont::GetCharset, &TFont::SetCharset).Idents(CharsetToIdent, IdentToCharset);
  P.Integer("Color", &TFont::GetColor, &TFont::SetColor).Idents(ColorToIdent, IdentToColor);
  P.Integer("Height", &TFont::GetHeight, &TFont::SetHeight);
  P.String("Name", &TFont::GetName, &TFont::SetName);
  P.Integer("Orientation", &TFont::GetOrientation, &TFont::SetOrientation).Default(0);
  P.Enum("Pitch", &TFont::GetPitch, &TFont::SetPitch, {"fpDefault", "fpVariable", "fpFixed"}).Default(fpDefault);
  P.Integer("Size", &TFont::GetSize, &TFont::SetSize).Stored(false);
  P.Set("Style", &TFont::GetStyle, &TFont::SetStyle, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
}

std::size_t TFontData::Hash() const {
  std::size_t h = std::hash<std::string>()(Name);
  h = HashCombine(h, static_cast<std::size_t>(Height));
  h = HashCombine(h, static_cast<std::size_t>(Orientation));
  h = HashCombine(h, static_cast<std::size_t>(Pitch));
  h = HashCombine(h, static_cast<std::size_t>(Style.Bits()));
  h = HashCombine(h, Charset);
  return HashCombine(h, reinterpret_cast<std::size_t>(Adopted));
}

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    HDC dc = GetDC(nullptr);
    int v = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return v > 0 ? v : 96;
  }();
  return ppi;
}

namespace {

TFontData DataFromLogFont(const LOGFONTW& lf) {
  TFontData d;
  d.Height = lf.lfHeight;
  d.Orientation = lf.lfEscapement;
  switch (lf.lfPitchAndFamily & 3) {
    case FIXED_PITCH: d.Pitch = fpFixed; break;
    case VARIABLE_PITCH: d.Pitch = fpVariable; break;
    default: d.Pitch = fpDefault; break;
  }
  if (lf.lfWeight >= FW_BOLD) d.Style.Include(fsBold);
  if (lf.lfItalic) d.Style.Include(fsItalic);
  if (lf.lfUnderline) d.Style.Include(fsUnderline);
  if (lf.lfStrikeOut) d.Style.Include(fsStrikeOut);
  d.Charset = lf.lfCharSet;
  d.Name = WideToUtf8(std::wstring(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
  return d;
}

LOGFONTW LogFontFromData(const TFontData& d) {
  LOGFONTW lf{};
  lf.lfHeight = d.Height;
  lf.lfEscapement = d.Orientation;
  lf.lfOrientation = d.Orientation;
  lf.lfWeight = d.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = d.Style.Contains(fsItalic);
  lf.lfUnderline = d.Style.Contains(fsUnderline);
  lf.lfStrikeOut = d.Style.Contains(fsStrikeOut);
  lf.lfCharSet = d.Charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = d.Pitch == fpFixed ? FIXED_PITCH : d.Pitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  std::wstring name = Utf8ToWide(d.Name);
  wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  return lf;
}

}  // namespace

const TFontData& DefaultFontData() {
  static const TFontData data = [] {
    LOGFONTW lf{};
    TFontData d;
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf) == sizeof lf) d = DataFromLogFont(lf);
    if (d.Name.empty()) d.Name = "Tahoma";
    if (d.Height == 0) d.Height = -MulDiv(8, ScreenPixelsPerInch(), 72);
    d.Charset = DEFAULT_CHARSET;
    d.Pitch = fpDefault;
    d.Style = {};
    d.Orientation = 0;
    return d;
  }();
  return data;
}

TFont::TFont() : FData(DefaultFontData()), FPixelsPerInch(ScreenPixelsPerInch()) {}

TFont::~TFont() = default;

void TFont::SetData(const TFontData& Data) {
  if (FData.Set(Data)) Changed();
  FData.ReleaseRetired();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TFont*>(Source)) {
    bool changed = FData.Set(src->FData);
    if (FColor != src->FColor) {
      FColor = src->FColor;
      changed = true;
    }
    // The pixel height is copied as it stands, so a font from a canvas of another
    // resolution draws the same size here.
    if (changed) Changed();
    FData.ReleaseRetired();
    return;
  }
  TGraphicsObject::Assign(Source);
}

HFONT TFont::GetHandle() {
  return static_cast<HFONT>(FData.Realize([](const TFontData& d) -> HGDIOBJ {
    if (d.Adopted) return d.Adopted;
    LOGFONTW lf = LogFontFromData(d);
    return CreateFontIndirectW(&lf);
  }));
}

bool TFont::HandleAllocated() const { return FData.Allocated(); }

void TFont::SetHandle(HFONT Value) {
  if (Value && Value == FData.Handle()) return;
  if (!Value) {
    SetData(DefaultFontData());
    return;
  }
  LOGFONTW lf{};
  if (GetObjectW(Value, sizeof lf, &lf) != sizeof lf) return;  // not a font: keep what we have
  TFontData d = DataFromLogFont(lf);
  d.Adopted = Value;
  if (FData.Adopt(Value, d)) Changed();
  FData.ReleaseRetired();
}

LOGFONTW TFont::GetLogFont() const { return LogFontFromData(FData.Data()); }

void TFont::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

namespace {
template <class F>
TFontData Edited(const TFontData& base, F edit) {
  TFontData d = base;
  d.Adopted = nullptr;  // an edited description is a new font, not the adopted one
  edit(d);
  return d;
}
}  // namespace

void TFont::SetName(const std::string& Value) {
  if (Value.empty() || Value == GetName()) return;
  SetData(Edited(FData.Data(), [&](TFontData& d) { d.Name = Value; }));
}

void TFont::SetHeight(int Value) {
  if (Value == GetHeight()) return;
  SetData(Edited(FData.Data(), [&](TFontData& d) { d.Height = Value; }));
}

int TFont::GetSize() const { return -MulDiv(GetHeight(), 72, FPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles Value) {
  if (Value == GetStyle()) return;
  SetData(Edited(FData.Data(), [&](TFontData& d) { d.Style = Value; }));
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == GetCharset()) return;
  SetData(Edited(FData.Data(), [&](TFontData& d) { d.Charset = Value; }));
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == GetPitch()) return;
  SetData(Edited(FData.Data(), [&](TFontData& d) { d.Pitch = Value; }));
}

void TFont::SetOrientation(int Value) {
  if (Value == GetOrientation()) return;
  SetData(Edited(FData.Data(), [&](TFontData& d) { d.Orientation = Value; }));
}

#include "suite/bars/BarFontNameCombo.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Unicode.h"
#include "suite/bars/BarDialogSeam.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/common/cxImageDrawing.h"

namespace {
TdxBarFontDialog* FontDialog = nullptr;

// Stands in the object slot of TrueType entries.
TObject* const TrueTypeMark = reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(1));

int CALLBACK AddFamily(const LOGFONTA* Font, const TEXTMETRICA*, DWORD FontType, LPARAM Data) {
  auto* Items = reinterpret_cast<TStringList*>(Data);
  // The face ends at its NUL, within its 32-byte field.
  const std::string Face(Font->lfFaceName, strnlen(Font->lfFaceName, LF_FACESIZE));
  Items->AddObject(Face, (FontType & TRUETYPE_FONTTYPE) ? TrueTypeMark : nullptr);
  return 1;
}

// The default printer's device context, or null when there is none.
HDC DefaultPrinterDC() {
  DWORD Size = 0;
  GetDefaultPrinterA(nullptr, &Size);
  if (Size == 0) return nullptr;
  std::vector<char> Name(Size);
  if (!GetDefaultPrinterA(Name.data(), &Size)) return nullptr;
  return CreateDCA("WINSPOOL", Name.data(), nullptr, nullptr);
}
}  // namespace

SONVELT_PUBLISHED(TdxBarFontNameCombo, P) {
  P.Integer("DropDownCount", &TdxBarFontNameCombo::GetDropDownCount, &TdxBarFontNameCombo::SetDropDownCount)
      .Default(12);
  P.Boolean("ShowEditor", &TdxBarFontNameCombo::GetShowEditor, &TdxBarFontNameCombo::SetShowEditor).Default(false);
  P.Boolean("Sorted", &TdxBarFontNameCombo::GetSorted, &TdxBarFontNameCombo::SetSorted).Default(true);
  P.Integer("Width", &TdxBarFontNameCombo::GetWidth, &TdxBarFontNameCombo::SetWidth).Default(160);
}

TdxBarFontNameCombo::TdxBarFontNameCombo(TComponent* AOwner) : TdxBarCustomCombo(AOwner) {
  EnsureBarExtItemsUnit();
  LoadBarItemGlyph(this, "DXBARFONTNAMECOMBO");
  SetDropDownCount(12);
  SetShowEditor(false);
  SetSorted(true);
  GetItems()->SetDuplicates(dupIgnore);
  FillFontList();
  SetWidth(160);
}

void TdxBarFontNameCombo::FillFontList() {
  // Any failure on the way to the printer leaves the screen to list the fonts of.
  HDC Printer = DefaultPrinterDC();
  HDC DC = Printer ? Printer : GetDC(nullptr);
  LOGFONTA Wanted{};
  Wanted.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(DC, &Wanted, &AddFamily, reinterpret_cast<LPARAM>(GetItems()), 0);
  if (Printer)
    DeleteDC(Printer);
  else
    ReleaseDC(nullptr, DC);
}

bool TdxBarFontNameCombo::IsTrueType(int Index) const {
  return Index >= 0 && Index < GetItems()->GetCount() && GetItems()->GetObjects(Index) != nullptr;
}

void TdxBarFontNameCombo::SetText(const std::string& Value) {
  std::string Text = Value;
  if (GetActiveLink()) {
    const int Nearest = FindNearestItem(Value);
    if (Nearest >= 0)
      Text = GetItems()->GetStrings(Nearest);
    else if (!Value.empty())
      return;
  }
  TdxBarCustomCombo::SetText(Text);
}

void TdxBarFontNameCombo::Click() {
  const bool OwnHandler = static_cast<bool>(OnClick);
  TdxBarCustomCombo::Click();
  if (OwnHandler || GetReadOnly()) return;
  TdxBarFontDialog* D = BarFontDialog();
  if (!D) return;
  D->SetFontName(GetText());
  if (D->Execute()) SetText(D->GetFontName());
}

// ---- the shared font dialog

TdxBarFontDialog* BarFontDialog() {
  EnsureBarExtItemsUnit();
  if (!FontDialog && BarExtItemsUnitRunning()) FontDialog = TdxBarFontDialog::Create();
  return FontDialog;
}

void FreeBarFontDialog() { FreeAndNil(FontDialog); }

bool TdxBarFontDialog::Execute() {
  bool Confirmed = false;
  if (BarDialogAnswered(this, Confirmed)) return Confirmed;
  LOGFONTW Font{};
  const std::wstring Face = Utf8ToWide(FFontName);
  lstrcpynW(Font.lfFaceName, Face.c_str(), LF_FACESIZE);
  Font.lfHeight = -12;
  Font.lfCharSet = DEFAULT_CHARSET;
  CHOOSEFONTW C{};
  C.lStructSize = sizeof(C);
  C.hwndOwner = BarDialogOwner();
  C.lpLogFont = &Font;
  C.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontW(&C)) return false;
  FFontName = WideToUtf8(Font.lfFaceName);
  return true;
}

bool TdxBarFontNameCombo::DrawEntry(HDC DC, int Index, const RECT& R, TdxBarOwnerDrawState State, TColor Back,
                                    TColor TextColor) {
  if (OnDrawItem || Index < 0 || Index >= GetItems()->GetCount()) return false;
  DrawComboEntryBackground(DC, R, Back);
  int X = R.left;
  if (TBitmap* Mark = BarFontMark(IsTrueType(Index))) {
    int W = Mark->GetWidth(), H = Mark->GetHeight();
    RECT MarkRect{X, (R.top + R.bottom - H) / 2, X + W, (R.top + R.bottom - H) / 2 + H};
    PaintImageWithState(DC, MarkRect, MarkRect, Mark, nullptr, -1, simNormal);
    X += W + 2;
  }
  DrawComboEntryText(DC, RECT{X, R.top, R.right, R.bottom}, GetItems()->GetStrings(Index), TextColor);
  if (State & ODS_FOCUS) DrawFocusRect(DC, &R);
  return true;
}

int TdxBarFontNameCombo::MeasureItemWidth(int Index) {
  TBitmap* Mark = BarFontMark(true);
  return TdxBarCustomCombo::MeasureItemWidth(Index) + (Mark ? Mark->GetWidth() + 1 : 0);
}

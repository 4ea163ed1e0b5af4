// The font-name combo: the installed font families, sorted, each once, TrueType
// ones carrying a non-null object; in the open editor a typed beginning completes
// to the first font of that name; a click opens the shared font dialog (unless
// the item has its own OnClick).
#pragma once

#include "suite/bars/BarComboEntries.h"
#include "suite/bars/BarEditItems.h"

class TdxBarFontNameCombo : public TdxBarCustomCombo, public IdxBarComboEntryPainter {
  SONVELT_CLASS(TdxBarFontNameCombo, TdxBarCustomCombo)
public:
  explicit TdxBarFontNameCombo(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarFontNameCombo>& P);

  // While the editor is open, the nearest font name; a text matching none is ignored.
  void SetText(const std::string& Value) override;
  void Click() override;
  // Whether entry Index is a TrueType font.
  bool IsTrueType(int Index) const;
  // The font's mark (scalable or not), then its name; the edit's text is plain.
  bool DrawEntry(HDC DC, int Index, const RECT& R, TdxBarOwnerDrawState State, TColor Back,
                 TColor TextColor) override;
  int MeasureItemWidth(int Index) override;

private:
  void FillFontList();
};

// The system font dialog the font-name combos share: made on first use, freed
// when the extra items' unit ends; answered through SetBarDialogAnswer in tests.
class TdxBarFontDialog : public TObject {
  SONVELT_CLASS(TdxBarFontDialog, TObject)
public:
  TdxBarFontDialog() = default;
  const std::string& GetFontName() const { return FFontName; }
  void SetFontName(const std::string& Value) { FFontName = Value; }
  // Shows the dialog; true when the user confirmed a font.
  bool Execute();

private:
  std::string FFontName;
};

TdxBarFontDialog* BarFontDialog();
void FreeBarFontDialog();

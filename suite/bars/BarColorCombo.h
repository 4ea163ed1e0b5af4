// The colour combo: one of the 16 standard colours, optionally after an automatic
// entry, chosen from its list, or any colour from the system colour dialog that a
// click opens (unless the item has its own OnClick). A colour outside the list
// selects no entry and shows CustomColorText.
#pragma once

#include "framework/Colors.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarComboEntries.h"
#include "suite/bars/BarEditItems.h"

class TdxBarColorCombo : public TdxBarCustomCombo, public IdxBarComboEntryPainter {
  SONVELT_CLASS(TdxBarColorCombo, TdxBarCustomCombo)
public:
  explicit TdxBarColorCombo(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarColorCombo>& P);

  static constexpr int TableColorCount = 16;
  // The table colour of position 0..15 (blue in the high byte).
  static TColor TableColor(int Index);

  TColor GetAutoColor() const { return FAutoColor; }
  void SetAutoColor(TColor Value);
  const std::string& GetAutoColorText() const { return FAutoColorText; }
  void SetAutoColorText(const std::string& Value);
  TColor GetColor() const { return FColor; }
  // Selects the entry of that colour, or none.
  void SetColor(TColor Value);
  const std::string& GetCustomColorText() const { return FCustomColorText; }
  void SetCustomColorText(const std::string& Value);
  bool GetShowAutoColor() const { return FShowAutoColor; }
  void SetShowAutoColor(bool Value);
  bool GetShowCustomColorButton() const { return FShowCustomColorButton; }
  void SetShowCustomColorButton(bool Value);

  // The colour an entry stands for; outside the list the current Color.
  TColor ColorOfIndex(int Index) const;
  // The automatic entry for exactly AutoColor, else the first table colour of the
  // same RGB value (system colours resolved); -1 when none.
  int IndexOfColor(TColor Value) const;
  // The custom-colour button was used while the open editor highlighted Index:
  // the dialog starts from that entry's colour.
  void TrackEntryColor(int Index);

  void DoChange() override;
  void Click() override;

  // A 30-pixel swatch (also for a colour outside the list, index -1), then the text.
  bool DrawEntry(HDC DC, int Index, const RECT& R, TdxBarOwnerDrawState State, TColor Back,
                 TColor TextColor) override;
  int MeasureItem(int Index) override;
  int MeasureItemWidth(int Index) override;
  static constexpr int SwatchWidth = 30;

private:
  int StandardDropDownCount(bool WithAuto) const { return TableColorCount + (WithAuto ? 1 : 0); }
  TColor FAutoColor = clWindowText;
  std::string FAutoColorText;
  TColor FColor = clBlack;
  std::string FCustomColorText;
  bool FShowAutoColor = false;
  bool FShowCustomColorButton = false;
  bool FApplyingColor = false;
  bool FHoldsTrackedEntryColor = false;
  TColor FTrackedEntryColor = clBlack;
};

// The colour combo on a bar: the edit shows the colour's swatch and name, and a
// custom-colour button (part 4, or Ctrl+Enter) opens the colour dialog starting
// from the entry the open editor shows.
class TdxBarColorComboControl : public TdxBarComboControl {
  SONVELT_CLASS(TdxBarColorComboControl, TdxBarComboControl)
public:
  using TdxBarComboControl::TdxBarComboControl;
  TdxBarColorCombo* ColorItem() const;

  void UpdateDrawParams(bool Full) override;
  void CalcPartRects() override;
  void AdjustEditArea(RECT& R) override;
  bool IsDrawnSelected() const override;
  int PartCount() const override { return TdxBarComboControl::PartCount() + 1; }
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override;
  void PressedChanged() override;
  void DrawInner() override;
  void InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) override;

private:
  void CustomButtonClick();
};

// The system colour dialog the colour combos share: made on first use, freed when
// the extra items' unit ends.
class TdxBarColorDialog : public TObject {
  SONVELT_CLASS(TdxBarColorDialog, TObject)
public:
  TdxBarColorDialog() = default;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // Shows the dialog; true when the user confirmed a colour.
  bool Execute();

private:
  TColor FColor = clBlack;
  COLORREF FCustomColors[16]{};
};

TdxBarColorDialog* BarColorDialog();
void FreeBarColorDialog();

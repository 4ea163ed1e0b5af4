#include "suite/bars/BarColorCombo.h"

#include <windows.h>
#include <commdlg.h>

#include "framework/Conversions.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDialogSeam.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/cxCanvas.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarFlagScope.h"
#include "suite/bars/BarStrings.h"

namespace {
constexpr TColor Table[TdxBarColorCombo::TableColorCount] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

const TResStringRec* const Names[TdxBarColorCombo::TableColorCount] = {
    &dxSBAR_COLOR_STR_0,  &dxSBAR_COLOR_STR_1,  &dxSBAR_COLOR_STR_2,  &dxSBAR_COLOR_STR_3,
    &dxSBAR_COLOR_STR_4,  &dxSBAR_COLOR_STR_5,  &dxSBAR_COLOR_STR_6,  &dxSBAR_COLOR_STR_7,
    &dxSBAR_COLOR_STR_8,  &dxSBAR_COLOR_STR_9,  &dxSBAR_COLOR_STR_10, &dxSBAR_COLOR_STR_11,
    &dxSBAR_COLOR_STR_12, &dxSBAR_COLOR_STR_13, &dxSBAR_COLOR_STR_14, &dxSBAR_COLOR_STR_15};

TdxBarColorDialog* ColorDialog = nullptr;
}  // namespace

SONVELT_PUBLISHED(TdxBarColorCombo, P) {
  P.Integer("AutoColor", &TdxBarColorCombo::GetAutoColor, &TdxBarColorCombo::SetAutoColor)
      .Default(clWindowText)
      .Idents(ColorToIdent, IdentToColor);
  P.String("AutoColorText", &TdxBarColorCombo::GetAutoColorText, &TdxBarColorCombo::SetAutoColorText)
      .Stored([](TdxBarColorCombo* C) { return C->GetAutoColorText() != BarString(dxSBAR_COLORAUTOTEXT); });
  P.Integer("Color", &TdxBarColorCombo::GetColor, &TdxBarColorCombo::SetColor)
      .NoDefault()
      .Idents(ColorToIdent, IdentToColor);
  P.String("CustomColorText", &TdxBarColorCombo::GetCustomColorText, &TdxBarColorCombo::SetCustomColorText)
      .Stored([](TdxBarColorCombo* C) { return C->GetCustomColorText() != BarString(dxSBAR_COLORCUSTOMTEXT); });
  P.Integer("DropDownCount", &TdxBarColorCombo::GetDropDownCount, &TdxBarColorCombo::SetDropDownCount)
      .Stored([](TdxBarColorCombo* C) {
        return C->GetDropDownCount() != TdxBarColorCombo::TableColorCount + (C->GetShowAutoColor() ? 1 : 0);
      });
  P.Boolean("ShowAutoColor", &TdxBarColorCombo::GetShowAutoColor, &TdxBarColorCombo::SetShowAutoColor)
      .Default(false);
  P.Boolean("ShowCustomColorButton", &TdxBarColorCombo::GetShowCustomColorButton,
            &TdxBarColorCombo::SetShowCustomColorButton)
      .Default(false);
  P.Boolean("ShowEditor", &TdxBarColorCombo::GetShowEditor, &TdxBarColorCombo::SetShowEditor).Default(false);
}

TdxBarColorCombo::TdxBarColorCombo(TComponent* AOwner)
    : TdxBarCustomCombo(AOwner),
      FAutoColorText(BarString(dxSBAR_COLORAUTOTEXT)),
      FCustomColorText(BarString(dxSBAR_COLORCUSTOMTEXT)) {
  EnsureBarExtItemsUnit();
  LoadBarItemGlyph(this, "DXBARCOLORCOMBO");
  SetDropDownCount(StandardDropDownCount(false));
  for (const TResStringRec* Name : Names) GetItems()->Add(BarString(*Name));
  SetItemIndex(0);
  SetShowEditor(false);
}

TColor TdxBarColorCombo::TableColor(int Index) {
  return Index >= 0 && Index < TableColorCount ? Table[Index] : clNone;
}

TColor TdxBarColorCombo::ColorOfIndex(int Index) const {
  const int Auto = FShowAutoColor ? 1 : 0;
  if (Index < 0 || Index >= TableColorCount + Auto) return FColor;
  if (Auto && Index == 0) return FAutoColor;
  return Table[Index - Auto];
}

int TdxBarColorCombo::IndexOfColor(TColor Value) const {
  const int Auto = FShowAutoColor ? 1 : 0;
  if (Auto && Value == FAutoColor) return 0;
  const TColor RGB = ColorToRGB(Value);
  for (int I = 0; I < TableColorCount; ++I)
    if (Table[I] == RGB) return I + Auto;
  return -1;
}

void TdxBarColorCombo::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  TdxBarFlagScope Scope(FApplyingColor);
  const int Index = IndexOfColor(Value);
  if (Index == GetItemIndex()) {
    Update();
    DoChange();
  } else {
    SetItemIndex(Index);
  }
}

void TdxBarColorCombo::SetAutoColor(TColor Value) {
  if (Value == FAutoColor) return;
  FAutoColor = Value;
  if (!FShowAutoColor) return;
  {
    TdxBarFlagScope Scope(FApplyingColor);
    SetItemIndex(IndexOfColor(FColor));
  }
  Update();
}

void TdxBarColorCombo::SetAutoColorText(const std::string& Value) {
  if (Value == FAutoColorText) return;
  FAutoColorText = Value;
  if (!FShowAutoColor) return;
  GetItems()->SetStrings(0, Value);
  Update();
}

void TdxBarColorCombo::SetCustomColorText(const std::string& Value) {
  if (Value == FCustomColorText) return;
  FCustomColorText = Value;
  Update();
}

void TdxBarColorCombo::SetShowAutoColor(bool Value) {
  if (Value == FShowAutoColor) return;
  FShowAutoColor = Value;
  {
    TdxBarFlagScope Scope(FApplyingColor);
    if (Value)
      GetItems()->Insert(0, FAutoColorText);
    else
      GetItems()->Delete(0);
    // Only the standard count follows the list's length; a count of the user's own stays.
    if (GetDropDownCount() == StandardDropDownCount(!Value)) SetDropDownCount(StandardDropDownCount(Value));
    SetItemIndex(IndexOfColor(FColor));
  }
  Update();
}

void TdxBarColorCombo::SetShowCustomColorButton(bool Value) {
  if (Value == FShowCustomColorButton) return;
  FShowCustomColorButton = Value;
  UpdateInKinds(AllKinds);
}

void TdxBarColorCombo::DoChange() {
  if (!FApplyingColor) FColor = ColorOfIndex(GetItemIndex());
  TdxBarCustomCombo::DoChange();
}

void TdxBarColorCombo::TrackEntryColor(int Index) {
  FTrackedEntryColor = ColorOfIndex(Index);
  FHoldsTrackedEntryColor = true;
}

void TdxBarColorCombo::Click() {
  // The tracked colour serves this one click, however it ends.
  const TColor Start = FHoldsTrackedEntryColor ? FTrackedEntryColor : FColor;
  struct TForget {
    bool& Flag;
    ~TForget() { Flag = false; }
  } Forget{FHoldsTrackedEntryColor};
  const bool OwnHandler = static_cast<bool>(OnClick);
  TdxBarCustomCombo::Click();
  if (OwnHandler || GetReadOnly()) return;
  TdxBarColorDialog* D = BarColorDialog();
  if (!D) return;
  D->SetColor(Start);
  if (D->Execute()) SetColor(D->GetColor());
}

// ---- the shared colour dialog

TdxBarColorDialog* BarColorDialog() {
  EnsureBarExtItemsUnit();
  if (!ColorDialog && BarExtItemsUnitRunning()) ColorDialog = TdxBarColorDialog::Create();
  return ColorDialog;
}

void FreeBarColorDialog() { FreeAndNil(ColorDialog); }

bool TdxBarColorDialog::Execute() {
  bool Confirmed = false;
  if (BarDialogAnswered(this, Confirmed)) return Confirmed;
  CHOOSECOLORW C{};
  C.lStructSize = sizeof(C);
  C.hwndOwner = BarDialogOwner();
  C.rgbResult = static_cast<COLORREF>(ColorToRGB(FColor));
  C.lpCustColors = FCustomColors;
  C.Flags = CC_RGBINIT | CC_ANYCOLOR;
  if (!ChooseColorW(&C)) return false;
  FColor = static_cast<TColor>(C.rgbResult);
  return true;
}

// ---- entries

namespace {
void FrameSolid(HDC DC, const RECT& R, TColor Color) {
  HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
  FrameWithBrush(DC, R, B);
  DeleteObject(B);
}
}  // namespace

bool TdxBarColorCombo::DrawEntry(HDC DC, int Index, const RECT& R, TdxBarOwnerDrawState State, TColor Back,
                                 TColor TextColor) {
  if (OnDrawItem) return false;
  std::string Text = Index == -1 ? FCustomColorText
                                 : (Index >= 0 && Index < GetItems()->GetCount() ? GetItems()->GetStrings(Index) : "");
  // Beyond the system colours there is nothing a swatch could show.
  auto Signed = static_cast<std::int32_t>(FColor);
  bool Swatch = !(Index == -1 && Signed < 0 && Signed > static_cast<std::int32_t>(0xFF000018u));
  RECT TextRect = R;
  if (Swatch) TextRect.left += SwatchWidth;
  DrawComboEntryBackground(DC, TextRect, Back);
  DrawComboEntryText(DC, RECT{TextRect.left + 1, TextRect.top, TextRect.right, TextRect.bottom}, Text, TextColor);
  if (Swatch) {
    RECT Box{R.left, R.top, R.left + SwatchWidth, R.bottom};
    FrameSolid(DC, Box, Back);
    InflateRect(&Box, -1, -1);
    FrameSolid(DC, Box, clBtnShadow);
    InflateRect(&Box, -1, -1);
    DrawComboEntryBackground(DC, Box, ColorOfIndex(Index));
  }
  if (State & ODS_FOCUS) DrawFocusRect(DC, &R);
  return true;
}

int TdxBarColorCombo::MeasureItem(int Index) {
  // The list font's line (the same for any text) and room for the swatch's rings.
  return TdxBarCustomCombo::MeasureItem(Index) + (OnMeasureItem || GetItemHeight() > 0 ? 0 : 4);
}

int TdxBarColorCombo::MeasureItemWidth(int Index) { return TdxBarCustomCombo::MeasureItemWidth(Index) + SwatchWidth; }

// ---- TdxBarColorComboControl

TdxBarColorCombo* TdxBarColorComboControl::ColorItem() const { return dynamic_cast<TdxBarColorCombo*>(LinkedItem()); }

void TdxBarColorComboControl::UpdateDrawParams(bool Full) {
  TdxBarComboControl::UpdateDrawParams(Full);
  auto* P = static_cast<TdxBarColorComboControlDrawParams*>(GetDrawParams());
  if (Full) P->CustomButtonPressed = GetPressed();
  TdxBarColorCombo* Item = ColorItem();
  P->ShowsCustomButton = Item && Item->GetShowCustomColorButton();
}

void TdxBarColorComboControl::CalcPartRects() {
  TdxBarComboControl::CalcPartRects();
  if (TdxBarPainter* P = GetPainter())
    P->CalcColorComboParts(static_cast<TdxBarColorComboControlDrawParams*>(GetDrawParams()), MutablePartRects(),
                           ItemBounds());
}

void TdxBarColorComboControl::AdjustEditArea(RECT& R) {
  TdxBarComboControl::AdjustEditArea(R);
  if (TdxBarPainter* P = GetPainter()) P->ColorComboAdjustEditArea(GetDrawParams(), R);
}

bool TdxBarColorComboControl::IsDrawnSelected() const { return TdxBarComboControl::IsDrawnSelected() || GetPressed(); }

TdxBarItemControlDrawParamsClass TdxBarColorComboControl::DrawParamsClass() const {
  return TdxBarColorComboControlDrawParams::StaticClass();
}

void TdxBarColorComboControl::PressedChanged() {
  Repaint();
  if (GetPressed()) SetDroppedDown(false);
}

void TdxBarColorComboControl::DrawInner() {
  TdxBarComboControl::DrawInner();
  DrawComboEditEntry(this);
  TdxBarPainter* P = GetPainter();
  if (!P || !P->ColorComboHasCustomButton(GetDrawParams())) return;
  TcxCanvas* Canvas = PaintCanvas();
  auto* Params = static_cast<TdxBarColorComboControlDrawParams*>(GetDrawParams());
  RECT Button = PartRect(4), M;
  P->CustomButtonMargins(PaintType(), M);
  RECT Band{Button.left - M.left, Button.top - M.top, Button.right + M.right, Button.bottom + M.bottom};
  Canvas->PushClipRegion();
  try {
    Canvas->IntersectClip(Band);
    P->DrawCustomButtonSurround(Params, Band);
  } catch (...) {
    Canvas->PopClipRegion();
    throw;
  }
  Canvas->PopClipRegion();
  P->DrawCustomColorButton(Params, Button);
}

void TdxBarColorComboControl::CustomButtonClick() {
  TdxBarColorCombo* Item = ColorItem();
  if (!Item) return;
  Item->TrackEntryColor(GetLocalItemIndex());
  bool StaysOpen = ParentStaysOpen();
  if (TdxBarItemLink* Link = GetItemLink()) Link->RegisterUse(true);
  TcxObjectLinkGuard Alive(this);
  if (StaysOpen)
    SetPressed(true);
  else if (GetParent())
    GetParent()->CloseBar();
  Item->DoClick();
  // The dialog may have taken this control's bar window with it.
  if (Alive.Alive() && StaysOpen) SetPressed(false);
}

void TdxBarColorComboControl::InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result,
                                              bool& Handled) {
  bool Press = Msg == WM_LBUTTONDOWN && GetHotPartIndex() == 4;
  bool CtrlEnter = Msg == WM_KEYDOWN && WParam == VK_RETURN && GetKeyState(VK_CONTROL) < 0;
  if (Press || CtrlEnter) {
    Handled = true;
    CustomButtonClick();
    return;
  }
  TdxBarComboControl::InnerWindowProc(Msg, WParam, LParam, Result, Handled);
}

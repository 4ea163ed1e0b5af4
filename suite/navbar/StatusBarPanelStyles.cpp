#include "suite/navbar/StatusBarPanelStyles.h"

#include "framework/Brush.h"
#include "framework/Colors.h"
#include "framework/ImageList.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/StatusBar.h"

// ---- base

TdxStatusBarPanelStyle::TdxStatusBarPanelStyle(TdxStatusBarPanel* AOwner)
    : FOwner(AOwner), FFont(TFont::Create()) {
  FFont->OnChange = Bind(this, &TdxStatusBarPanelStyle::FontChanged);
  ParentFontChanged();
}

TdxStatusBarPanelStyle::~TdxStatusBarPanelStyle() { FFont->OnChange = nullptr; }

TPersistent* TdxStatusBarPanelStyle::GetOwner() const { return FOwner; }

TdxCustomStatusBar* TdxStatusBarPanelStyle::GetStatusBar() const { return FOwner ? FOwner->GetStatusBar() : nullptr; }

void TdxStatusBarPanelStyle::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxStatusBarPanelStyle*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  TCollection* Panels = FOwner ? FOwner->GetCollection() : nullptr;
  if (Panels) Panels->BeginUpdate();
  try {
    DoAssign(S);
  } catch (...) {
    if (Panels) Panels->EndUpdate();
    throw;
  }
  if (Panels) Panels->EndUpdate();
}

void TdxStatusBarPanelStyle::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed();
}

TColor TdxStatusBarPanelStyle::GetColor() const { return FColorAssigned ? FColor : DefaultColor(); }

void TdxStatusBarPanelStyle::SetColor(TColor Value) {
  // The first colour assigned counts even when it equals the unassigned store.
  if (FColorAssigned && FColor == Value) return;
  FColor = Value;
  FColorAssigned = true;
  Changed();
}

void TdxStatusBarPanelStyle::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  ParentFontChanged();
  Changed();
}

void TdxStatusBarPanelStyle::FontChanged(TObject*) {
  if (FCopyingFont) return;
  FParentFont = false;
  Changed();
}

void TdxStatusBarPanelStyle::AdjustTextColor(TColor& AColor, bool Active) {
  if (AColor != clDefault) return;
  if (TdxCustomStatusBar* Bar = GetStatusBar()) Bar->AdjustTextColor(AColor, Active);
}

void TdxStatusBarPanelStyle::Changed() {
  if (FOwner) FOwner->StyleChanged();
}

void TdxStatusBarPanelStyle::ChangedAll() {
  if (FOwner) FOwner->StyleChanged(true);
}

void TdxStatusBarPanelStyle::ExcludeSizeGrip(RECT& R) {
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (!Bar || !Bar->GetPainter()) return;
  if (FOwner->GetIndex() == Bar->GetPanels()->GetCount() - 1 && Bar->SizeGripVisible())
    R.right -= Bar->GetPainter()->SizeGripExtent().cx;
}

TColor TdxStatusBarPanelStyle::DefaultColor() const {
  TdxCustomStatusBar* Bar = GetStatusBar();
  return Bar ? Bar->GetColor() : clBtnFace;
}

void TdxStatusBarPanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  ResetToDefaults();
  SetAlignment(Source->GetAlignment());
  if (Source->FColorAssigned) SetColor(Source->FColor);
  if (!Source->GetParentFont()) SetFont(Source->GetFont());
}

void TdxStatusBarPanelStyle::DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) {
  if (TdxCustomStatusBar* Bar = GetStatusBar()) Painter->FillBackground(Bar, FOwner, R, Canvas);
}

void TdxStatusBarPanelStyle::ParentFontChanged() {
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (!FParentFont || !Bar) return;
  FCopyingFont = true;
  try {
    FFont->Assign(Bar->GetFont());
  } catch (...) {
    FCopyingFont = false;
    throw;
  }
  FCopyingFont = false;
}

void TdxStatusBarPanelStyle::ResetToDefaults() {
  FAlignment = taLeftJustify;
  FColor = 0;
  FColorAssigned = false;
  FParentFont = true;
  ParentFontChanged();
  Changed();
}

// ---- text

TdxStatusBarTextPanelStyle::TdxStatusBarTextPanelStyle(TdxStatusBarPanel* AOwner) : TdxStatusBarPanelStyle(AOwner) {}

void TdxStatusBarTextPanelStyle::SetAutoHint(bool Value) {
  if (FAutoHint == Value) return;
  if (TdxCustomStatusBar* Bar = GetStatusBar())
    for (int I = 0; I < Bar->GetPanels()->GetCount(); ++I)
      if (auto* T = dynamic_cast<TdxStatusBarTextPanelStyle*>(Bar->GetPanels()->Items(I)->GetPanelStyle()))
        T->FAutoHint = false;
  FAutoHint = Value;
}

void TdxStatusBarTextPanelStyle::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

void TdxStatusBarTextPanelStyle::SetEllipsisType(TdxStatusBarEllipsisType Value) {
  if (FEllipsisType == Value) return;
  FEllipsisType = Value;
  Changed();
}

void TdxStatusBarTextPanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::DoAssign(Source);
  if (auto* S = dynamic_cast<TdxStatusBarTextPanelStyle*>(Source)) {
    SetAutoHint(S->GetAutoHint());
    SetImageIndex(S->GetImageIndex());
    SetEllipsisType(S->GetEllipsisType());
  }
}

void TdxStatusBarTextPanelStyle::ResetToDefaults() {
  FAutoHint = false;
  FImageIndex = -1;
  FEllipsisType = dxetNone;
  TdxStatusBarPanelStyle::ResetToDefaults();
}

void TdxStatusBarTextPanelStyle::DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) {
  TdxStatusBarPanelStyle::DrawContent(Canvas, R, Painter);
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (!Bar) return;
  TCustomImageList* Images = Bar->GetImages();
  if (Images && FImageIndex >= 0 && FImageIndex < Images->GetCount()) {
    const int Y = (R.top + R.bottom) / 2 - Images->GetHeight() / 2;
    Images->Draw(Canvas->GetCanvas(), R.left + 1, Y, FImageIndex, Bar->GetEnabled());
    R.left += Images->GetWidth() + 2;
  }
  Canvas->BrushObject()->SetStyle(bsClear);
  TColor TextColor = GetFont()->GetColor();
  Painter->AdjustTextColor(Bar, TextColor, true);
  AdjustTextColor(TextColor, true);
  Canvas->AssignFontObject(GetFont());
  Canvas->FontObject()->SetColor(TextColor);
  R.left += 2;
  R.right -= 2;
  std::string Text = GetStatusBarPanel()->GetText();
  const RECT TextR = Painter->TextRect(Bar, GetStatusBarPanel(), R);
  OnGetText(this, TextR, Text);
  TcxTextFlags Flags = cxAlignVCenter | cxSingleLine;
  Flags |= GetAlignment() == taRightJustify ? cxAlignRight : GetAlignment() == taCenter ? cxAlignHCenter : cxAlignLeft;
  if (FEllipsisType == dxetTruncate) Flags |= cxShowEndEllipsis;
  else if (FEllipsisType == dxetSmartPath) Flags |= cxShowPathEllipsis;
  Canvas->DrawTextFlags(Text, TextR, Flags, Bar->GetEnabled());
  Canvas->BrushObject()->SetStyle(bsSolid);
}

SONVELT_PUBLISHED(TdxStatusBarTextPanelStyle, P) {
  using S = TdxStatusBarTextPanelStyle;
  P.Enum("Alignment", &S::GetAlignment, &S::SetAlignment, {"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(taLeftJustify);
  P.Boolean("AutoHint", &S::GetAutoHint, &S::SetAutoHint).Default(false);
  P.Integer("Color", &S::GetColor, &S::SetColor).Idents(ColorToIdent, IdentToColor).Stored(&S::IsColorStored);
  P.Integer("ImageIndex", &S::GetImageIndex, &S::SetImageIndex).Default(-1);
  P.Enum("EllipsisType", &S::GetEllipsisType, &S::SetEllipsisType, {"dxetNone", "dxetTruncate", "dxetSmartPath"})
      .Default(dxetNone);
  P.Object("Font", &S::GetFont).Stored(&S::IsFontStored);
  P.Boolean("ParentFont", &S::GetParentFont, &S::SetParentFont).Default(true);
  P.Event("OnGetText", &S::OnGetText);
}

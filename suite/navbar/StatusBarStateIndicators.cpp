#include "suite/navbar/StatusBarStateIndicators.h"

#include "framework/Colors.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/StatusBar.h"

namespace {
const char* const LampResources[] = {"DXSTATUSBAR_GRAY", "DXSTATUSBAR_YELLOW", "DXSTATUSBAR_BLUE",
                                     "DXSTATUSBAR_GREEN", "DXSTATUSBAR_RED",    "DXSTATUSBAR_TEAL",
                                     "DXSTATUSBAR_PURPLE"};
}  // namespace

// ---- items

TdxStatusBarStateIndicatorItem::TdxStatusBarStateIndicatorItem(TCollection* Collection)
    : TCollectionItem(Collection) {
  LoadBitmap();
}

void TdxStatusBarStateIndicatorItem::LoadBitmap() {
  FBitmap.reset(TBitmap::Create());
  FBitmap->LoadFromResourceName(GetModuleHandleW(nullptr), LampResources[FIndicatorType]);
}

void TdxStatusBarStateIndicatorItem::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxStatusBarStateIndicatorItem*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetIndicatorType(S->GetIndicatorType());
  SetVisible(S->GetVisible());
}

void TdxStatusBarStateIndicatorItem::SetIndicatorType(TdxStatusBarStateIndicatorType Value) {
  if (FIndicatorType == Value) return;
  FIndicatorType = Value;
  LoadBitmap();
  Changed(false);
}

void TdxStatusBarStateIndicatorItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed(false);
}

SONVELT_PUBLISHED(TdxStatusBarStateIndicatorItem, P) {
  using I = TdxStatusBarStateIndicatorItem;
  P.Enum("IndicatorType", &I::GetIndicatorType, &I::SetIndicatorType,
         {"sitOff", "sitYellow", "sitBlue", "sitGreen", "sitRed", "sitTeal", "sitPurple"})
      .Default(sitOff);
  P.Boolean("Visible", &I::GetVisible, &I::SetVisible).Default(true);
}

TdxStatusBarStateIndicators::TdxStatusBarStateIndicators()
    : TCollection(TdxStatusBarStateIndicatorItem::StaticClass()) {}

// ---- style

TdxStatusBarStateIndicatorPanelStyle::TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner), FIndicators(TdxStatusBarStateIndicators::Create()) {
  FIndicators->OnChange = Bind(this, &TdxStatusBarStateIndicatorPanelStyle::IndicatorsChanged);
}

TdxStatusBarStateIndicatorPanelStyle::~TdxStatusBarStateIndicatorPanelStyle() {
  FIndicators->OnChange = nullptr;
  FIndicators.reset();
}

void TdxStatusBarStateIndicatorPanelStyle::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Changed();
}

void TdxStatusBarStateIndicatorPanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::DoAssign(Source);
  if (auto* S = dynamic_cast<TdxStatusBarStateIndicatorPanelStyle*>(Source)) {
    SetSpacing(S->GetSpacing());
    FIndicators->Assign(S->GetIndicators());
  }
}

void TdxStatusBarStateIndicatorPanelStyle::ResetToDefaults() {
  FSpacing = 4;
  TdxStatusBarPanelStyle::ResetToDefaults();
}

int TdxStatusBarStateIndicatorPanelStyle::ContentMinWidth() {
  if (FIndicators->GetCount() == 0) return 20;
  int Width = FSpacing;
  for (int I = 0; I < FIndicators->GetCount(); ++I) {
    TdxStatusBarStateIndicatorItem* Item = FIndicators->Items(I);
    if (Item->GetVisible() && !Item->GetIndicatorBitmap()->GetEmpty())
      Width += Item->GetIndicatorBitmap()->GetWidth() + FSpacing;
  }
  return Width;
}

void TdxStatusBarStateIndicatorPanelStyle::DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) {
  TdxStatusBarPanelStyle::DrawContent(Canvas, R, Painter);
  int X = R.left + FSpacing;
  for (int I = 0; I < FIndicators->GetCount(); ++I) {
    TdxStatusBarStateIndicatorItem* Item = FIndicators->Items(I);
    TBitmap* Lamp = Item->GetIndicatorBitmap();
    if (!Item->GetVisible() || Lamp->GetEmpty()) continue;
    Canvas->DrawGraphic(X, (R.top + R.bottom) / 2 - Lamp->GetHeight() / 2, Lamp);
    X += Lamp->GetWidth() + FSpacing;
  }
}

SONVELT_PUBLISHED(TdxStatusBarStateIndicatorPanelStyle, P) {
  using S = TdxStatusBarStateIndicatorPanelStyle;
  P.Integer("Color", &S::GetColor, &S::SetColor).Idents(ColorToIdent, IdentToColor).Stored(&S::IsColorStored);
  P.Collection("Indicators", &S::GetIndicators);
  P.Integer("Spacing", &S::GetSpacing, &S::SetSpacing).Default(4);
}

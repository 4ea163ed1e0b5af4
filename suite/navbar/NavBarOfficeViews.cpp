#include "suite/navbar/NavBarOfficeViews.h"

#include "suite/common/Office11Colors.h"
#include "suite/common/UnitLifetime.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarViewUnits.h"
#include "suite/navbar/NavBarViewsFactory.h"

namespace {
void FaceFill(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clBtnFace);
  S->SetBackColor2(clBtnFace);
}
}  // namespace

void TdxNavBarOffice1ViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) { FaceFill(S); }
void TdxNavBarOffice1ViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) { FaceFill(S); }
void TdxNavBarOffice1ViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  FaceFill(S);
  S->GetFont()->SetColor(clBtnText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarOffice1ViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clBtnText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarOffice1ViewInfo::AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
  S->GetFont()->SetColor(clBtnShadow);
}

void TdxNavBarOffice3ViewInfo::AssignDefaultItemHotTrackedStyle(TdxNavBarBaseStyle* S) {
  TdxNavBarOffice1ViewInfo::AssignDefaultItemHotTrackedStyle(S);
  if (BtnFaceIsWhite()) S->GetFont()->SetColor(clHighlightText);
}
void TdxNavBarOffice3ViewInfo::AssignDefaultItemPressedStyle(TdxNavBarBaseStyle* S) {
  TdxNavBarOffice1ViewInfo::AssignDefaultItemPressedStyle(S);
  if (BtnFaceIsWhite()) S->GetFont()->SetColor(clHighlightText);
}

void TdxNavBarOfficeButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                      TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                                      std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                                                      TColor BorderColor, TdxNavBarObjectStates State) const {
  TdxNavBarCustomButtonPainter::InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
  TColor C = Color1;
  if (State & nsPressed) DrawTwoLineFrame(Canvas, R, DarkenColor20(C), LightenColor20(C), DarkenColor70(C), clNone);
  else if (State & nsHotTracked)
    DrawTwoLineFrame(Canvas, R, LightenColor20(C), DarkenColor20(C), LightenColor70(C), DarkenColor70(C));
  else DrawTwoLineFrame(Canvas, R, LightenColor20(C), DarkenColor20(C), clNone, clNone);
  DrawActiveCaptionLine(Canvas, R, State);
}

TSuiteUnit& NavBarOfficeViewsUnit() {
  static TSuiteUnit Unit(
      [] {
        RegisterView(2, "Office1View", TdxNavBarOffice1Painter::StaticClass());
        RegisterView(3, "Office2View", TdxNavBarOffice2Painter::StaticClass());
        RegisterView(4, "Office3View", TdxNavBarOffice3Painter::StaticClass());
      },
      [] {
        UnregisterView(2);
        UnregisterView(3);
        UnregisterView(4);
      });
  return Unit;
}

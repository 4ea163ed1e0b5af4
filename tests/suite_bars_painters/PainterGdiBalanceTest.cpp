// Every drawing operation of every painter deletes what it creates: the GDI
// objects made through the painters' counted creators are as many after each
// operation as before it.
#include <gtest/gtest.h>

#include <functional>

#include "framework/Canvas.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarStaticControls.h"
#include "suite/bars/BarSubItemControls.h"
#include "tests/suite_bars_painters/PainterFixture.h"

namespace {
using TPainterOperation = std::function<void(TdxBarPainter*, HDC, TcxCanvas*)>;
}

TEST_F(PainterFixture, EveryOperationOfEveryPainterLeavesTheGdiObjectsBalanced) {
  TdxBarButton* Checked = AddButton(*ToolbarLinks, "Checked");
  Checked->SetButtonStyle(bsChecked);
  Checked->SetDown(true);
  AddButton(*ToolbarLinks, "Split")->SetButtonStyle(bsDropDown);
  AddButton(*ToolbarLinks, "Off", false);
  for (TFakeLinksOwner* Owner : {ToolbarLinks.get(), MenuLinks.get()}) {
    TdxBarSubItem* Sub = TdxBarSubItem::Create(Form);
    Sub->SetCaption("&Sub");
    Owner->Links()->AddItem(Sub);
    Owner->Links()->AddItem(TdxBarSeparator::Create(Form));
    TdxBarLabel* Label = TdxBarLabel::Create(Form);
    Label->SetCaption("Label");
    Owner->Links()->AddItem(Label);
    Owner->Links()->AddItem(TdxBarEdit::Create(Form));
    Owner->Links()->AddItem(TdxBarCombo::Create(Form));
  }
  AddButton(*MenuLinks, "Item");
  TdxDockControl* Site = TdxDockControl::CreateForManager(Form, dsTop, M);
  Toolbar->SetBounds(0, 0, 200, 26);
  Menu->SetBounds(0, 0, 120, 200);
  Menu->SetShowsTearOffBar(true);
  Menu->SetTearOffCaptionHeight(5);

  const RECT R{2, 2, 60, 24};
  TdxBarItemControl* Button = nullptr;
  const std::vector<std::pair<const char*, TPainterOperation>> Operations = {
      {"paint the toolbar",
       [&](TdxBarPainter*, HDC DC, TcxCanvas*) {
         for (int Selected = -1; Selected < 3; ++Selected) {
           Toolbar->SetSelectedLink(Selected < 0 ? nullptr : ToolbarLinks->Links()->GetShownLink(Selected));
           Toolbar->PaintTo(DC, RECT{0, 0, 200, 26});
         }
         Toolbar->SetSelectedLink(nullptr);
       }},
      {"paint the menu",
       [&](TdxBarPainter*, HDC DC, TcxCanvas*) {
         Menu->SetSelectedLink(MenuLinks->Links()->GetShownLink(0));
         Menu->PaintTo(DC, RECT{0, 0, 120, 200});
         Menu->SetSelectedLink(nullptr);
         Menu->PaintTo(DC, RECT{0, 0, 120, 200});
       }},
      {"grip and frames",
       [&](TdxBarPainter* P, HDC DC, TcxCanvas*) {
         for (bool Mark : {false, true}) {
           Toolbar->V.Mark = Mark;
           P->DrawGrip(Toolbar, DC, Toolbar->ToolbarBrush(), RECT{0, 0, 200, 26});
         }
         P->DrawFloatingBorder(Toolbar, DC, Toolbar->ToolbarBrush(), RECT{0, 0, 200, 60}, RECT{4, 20, 196, 56});
         Toolbar->V.CloseButton = true;
         P->DrawFloatingCaption(Toolbar, DC, Toolbar->ToolbarBrush(), RECT{4, 4, 196, 18});
         for (int State = 0; State < 3; ++State) {
           Toolbar->V.CloseState = State;
           P->DrawFloatingCloseButton(Toolbar, DC, RECT{180, 4, 194, 18});
           P->DrawCaptionButtonFace(Toolbar, DC, State, RECT{160, 4, 174, 18});
         }
       }},
      {"marks",
       [&](TdxBarPainter* P, HDC DC, TcxCanvas* Canvas) {
         Toolbar->V.HiddenItems = true;
         for (int State = 0; State < 3; ++State) {
           Toolbar->V.MarkState = State;
           P->DrawMark(Toolbar, Canvas, Toolbar->ToolbarBrush(), RECT{180, 0, 191, 26});
           P->DrawMarkArrow(Toolbar, DC, RECT{0, 0, 13, 13});
         }
       }},
      {"MDI buttons",
       [&](TdxBarPainter* P, HDC DC, TcxCanvas*) {
         for (int B = 0; B < 3; ++B)
           for (int State = 0; State < 5; ++State) P->DrawMDIButton(Toolbar, B, RECT{0, 0, 16, 14}, DC, State);
       }},
      {"separators and backgrounds",
       [&](TdxBarPainter* P, HDC DC, TcxCanvas*) {
         for (bool Across : {false, true}) P->DrawBarSeparator(Toolbar, DC, Across, Toolbar->ToolbarBrush(), R);
         P->DrawBarBackground(Toolbar, DC, clNone, Toolbar->ToolbarBrush(), RECT{0, 0, 200, 26}, R);
         P->FillStatusBarBackground(Toolbar, DC, clNone, Toolbar->ToolbarBrush(), R, RECT{0, 0, 200, 26}, R);
         P->FillBackground(Site, DC, clBtnFace, nullptr, RECT{0, 0, 200, 30}, R, R);
         P->PaintSizeGrip(Toolbar, DC, RECT{0, 0, 16, 16});
         P->DrawFloatingSizeGrip(Toolbar, DC, Toolbar->ToolbarBrush(), R);
         P->DrawListBoxBorder(DC, clWindow, R);
       }},
      {"item parts",
       [&](TdxBarPainter* P, HDC DC, TcxCanvas* Canvas) {
         for (TdxBarItemControl* C : {Button, Toolbar->ControlOf(2)}) {
           P->DrawCheckMark(C, DC, 4, 4, 2);
           P->DrawItemText(C, DC, "&File", R, 1, C->IsEnabled(), false, true, true, false, DT_SINGLELINE);
           P->DrawItemText(C, DC, "&File", R, 0, C->IsEnabled(), true, false, true, false, DT_SINGLELINE);
           for (bool Selected : {false, true}) P->DrawButtonFrame(C, DC, R, C->IsEnabled(), Selected, Selected);
           P->FillDisabledRect(C, DC, R);
         }
         RECT Edge = R;
         P->DrawSunkenEdge(DC, Edge);
         P->DrawComboListItem(nullptr, Canvas, -1, R);
       }},
      {"menus",
       [&](TdxBarPainter* P, HDC DC, TcxCanvas* Canvas) {
         TdxBarItemControl* Item = Menu->ControlOf(0);
         P->DrawMenuBorder(Menu, DC, RECT{0, 0, 120, 200});
         P->DrawMenuClientBorder(Menu, DC, Menu->BackgroundBrush(), RECT{1, 1, 119, 199});
         for (int State = 0; State < 2; ++State) {
           Menu->SetTearOffState(State);
           P->FillTearOffBar(Menu, DC, RECT{2, 2, 118, 8});
         }
         P->DrawMenuSeparator(Menu, Item, RECT{0, 40, 120, 50}, Canvas);
         P->FillMenuBackground(Menu, Canvas, clNone, Menu->BackgroundBrush(), RECT{0, 0, 120, 200});
         P->DrawExpandArrows(Menu, DC, true, RECT{0, 180, 120, 198});
         for (bool Hot : {false, true}) P->PaintExpandButton(Menu, Canvas, RECT{0, 180, 120, 198}, Hot);
         for (int Direction : {0, 1}) P->DrawScrollArrow(Menu, Canvas, Direction, clBtnText, RECT{0, 0, 120, 16});
       }},
      {"extra items",
       [&](TdxBarPainter* P, HDC DC, TcxCanvas* Canvas) {
         auto* Progress = TdxBarProgressControlDrawParams::Create(Button);
         Progress->Canvas = Canvas;
         for (bool Smooth : {false, true}) {
           Progress->Smooth = Smooth;
           Progress->Position = 40;
           P->DrawProgressBar(Progress, RECT{0, 0, 100, 12}, clHighlight);
         }
         Progress->BorderStyle = sbsBump;
         Progress->BorderSizes = RECT{2, 2, 2, 2};
         P->DrawStaticItemWithBorder(Progress, RECT{0, 0, 100, 20}, 2, 2);
         Free(Progress);
         auto* Spin = TdxBarSpinEditDrawParams::Create(Button);
         Spin->Canvas = Canvas;
         Spin->ArrowSize = SIZE{7, 4};
         for (int B : {3, 4}) {
           Spin->PressedButton = B;
           P->DrawSpinButton(Spin, RECT{80, 0, 97, 10}, B);
         }
         Free(Spin);
         auto* Colour = TdxBarColorComboControlDrawParams::Create(Button);
         Colour->Canvas = Canvas;
         P->DrawCustomColorButton(Colour, RECT{0, 0, 16, 18});
         P->DrawCustomButtonSurround(Colour, RECT{0, 0, 18, 20});
         P->DrawComboButton(Colour, RECT{40, 2, 51, 18});
         Free(Colour);
         auto* InPlace = TdxBarInPlaceSubItemControlDrawParams::Create(Button);
         InPlace->Canvas = Canvas;
         InPlace->ArrowSize = SIZE{11, 7};
         for (bool Selected : {false, true}) {
           InPlace->DrawSelected = Selected;
           P->DrawInPlaceSubItem(InPlace, RECT{0, 0, 120, 18});
         }
         Free(InPlace);
         for (bool Pressed : {false, true}) P->PaintCalendarButton(nullptr, DC, Pressed, "12", RECT{0, 0, 20, 16});
       }},
  };

  for (TdxBarPainterClass Class :
       {TdxBarPainterClass(TdxBarStandardPainter::StaticClass()), TdxBarPainterClass(TdxBarEnhancedPainter::StaticClass()),
        TdxBarPainterClass(TdxBarFlatPainter::StaticClass()), TdxBarPainterClass(TdxBarOffice11Painter::StaticClass()),
        TdxBarPainterClass(TdxBarXPPainter::StaticClass())}) {
    TdxBarPainter* P = Use(Class);
    Toolbar->Layout();
    Menu->Layout();
    Button = Toolbar->ControlOf(0);
    TMemoryDC Dc(200, 200);
    TCanvas* Canvas = TCanvas::Create();
    Canvas->SetHandle(Dc.DC());
    TcxCanvas* cx = TcxCanvas::Create(Canvas);
    for (const auto& [Name, Operation] : Operations) {
      long Before = BarGdiCounts().Alive();
      long Created = BarGdiCounts().Created;
      int Pushed = BarCanvasInstance()->StateCount();
      Operation(P, Dc.DC(), cx);
      EXPECT_EQ(Before, BarGdiCounts().Alive()) << Class->ClassName() << ": " << Name;
      EXPECT_EQ(Pushed, BarCanvasInstance()->StateCount()) << Class->ClassName() << ": " << Name << " leaves the shared canvas as it found it";
      if (std::string(Name) == "grip and frames" && Class.Get() == TdxBarOffice11Painter::StaticClass()) {
        EXPECT_GT(BarGdiCounts().Created, Created) << "the counting sees what the painters make";
      }
    }
    Free(cx);
    Canvas->SetHandle(nullptr);
    Free(Canvas);
  }
  Free(Site);
}

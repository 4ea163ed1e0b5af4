#include "tests/suite_common_demo/SuiteGallery.h"

#include <cmath>
#include <string>

#include "framework/Brush.h"
#include "framework/Font.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/cxBitmap.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxFlatPainters.h"
#include "suite/common/cxImageDrawing.h"
#include "suite/common/cxOffice11Painter.h"
#include "suite/common/cxStandardPainter.h"
#include "suite/common/cxWinXPPainter.h"

namespace {

constexpr int LabelWidth = 60, ColumnWidth = 190;
const TcxPaintButtonState States[] = {pbsNormal, pbsHot, pbsPressed, pbsDisabled};

void Label(TcxCanvas* C, int X, int Y, const std::string& Text, int Width = LabelWidth - 4) {
  C->BrushObject()->SetStyle(bsClear);
  C->FontObject()->SetColor(clWindowText);
  C->DrawTextFlags(Text, RECT{X, Y, X + Width, Y + 16}, cxAlignLeft | cxAlignVCenter | cxSingleLine);
  C->BrushObject()->SetStyle(bsSolid);
}

void ScrollBar(const TcxCustomLookAndFeelPainter* P, TcxCanvas* C, RECT R, bool Horizontal,
               TcxPaintButtonState State) {
  const int lengths[] = {17, Horizontal ? 14 : 20, Horizontal ? 20 : 30, Horizontal ? 24 : 36, 17};
  const TcxScrollBarPaintPart parts[] = {sppLineUp, sppPageUp, sppThumb, sppPageDown, sppLineDown};
  int at = Horizontal ? R.left : R.top;
  for (int i = 0; i < 5; ++i) {
    const RECT part = Horizontal ? RECT{at, R.top, at + lengths[i], R.bottom} : RECT{R.left, at, R.right, at + lengths[i]};
    // The track under a thumb shows when a disabled thumb is not drawn.
    if (parts[i] == sppThumb) P->PaintScrollBarPart(C, Horizontal, part, sppPageUp, State);
    P->PaintScrollBarPart(C, Horizontal, part, parts[i], State);
    at += lengths[i];
  }
}

void PainterColumn(const TcxCustomLookAndFeelPainter* P, const char* Name, TcxCanvas* C, int X0) {
  C->FillRectColor(RECT{X0, 0, X0 + ColumnWidth - 6, 444}, clBtnFace);
  Label(C, X0 + 4, 2, Name, ColumnWidth);
  // Scroll bars: normal, hot, pressed, disabled.
  for (int i = 0; i < 4; ++i) {
    ScrollBar(P, C, RECT{X0 + 4 + i * 22, 24, X0 + 21 + i * 22, 144}, false, States[i]);
    ScrollBar(P, C, RECT{X0 + 94, 24 + i * 22, X0 + 186, 41 + i * 22}, true, States[i]);
  }
  // Buttons in every state.
  const TcxPaintButtonState buttons[] = {pbsDefault, pbsNormal, pbsHot, pbsPressed, pbsDisabled};
  const char* names[] = {"&Default", "&Normal", "&Hot", "&Pressed", "&Disabled"};
  for (int i = 0; i < 5; ++i) {
    const int x = X0 + 4 + (i % 2) * 92, y = 154 + (i / 2) * 27;
    P->PaintButton(C, RECT{x, y, x + 88, y + 23}, names[i], buttons[i]);
  }
  // Arrows: arrow buttons of the four directions, then plain and embossed arrows.
  for (int d = 0; d < 4; ++d)
    P->PaintArrowButton(C, RECT{X0 + 4 + d * 20, 238, X0 + 22 + d * 20, 256}, pbsNormal,
                        static_cast<TcxPaintArrowDirection>(d), true);
  P->PaintArrow(C, RECT{X0 + 88, 238, X0 + 106, 256}, clBtnText, padDown);
  P->PaintStateArrow(C, RECT{X0 + 108, 238, X0 + 126, 256}, pbsDisabled, padRight);
  P->PaintArrowButton(C, RECT{X0 + 130, 238, X0 + 148, 256}, pbsPressed, padUp, true);
  P->PaintArrowButton(C, RECT{X0 + 150, 238, X0 + 168, 256}, pbsHot, padDown, true);
  // Borders, a size grip and expand buttons.
  C->FillRectColor(RECT{X0 + 4, 262, X0 + 60, 300}, clWindow);
  P->PaintControlBorder(C, RECT{X0 + 4, 262, X0 + 60, 300});
  P->PaintSecondaryBorder(C, RECT{X0 + 66, 262, X0 + 100, 300});
  P->PaintSizeGrip(C, RECT{X0 + 106, 280, X0 + 106 + P->SizeGripExtent().cx, 280 + P->SizeGripExtent().cy});
  const int e = std::max(P->ExpandButtonExtent(), 9);
  C->FillRectColor(RECT{X0 + 130, 262, X0 + 184, 300}, clWindow);
  P->PaintExpandButton(C, RECT{X0 + 134, 266, X0 + 134 + e, 266 + e}, false);
  P->PaintExpandButton(C, RECT{X0 + 152, 266, X0 + 152 + e, 266 + e}, true);
  P->PaintSmallExpandButton(C, RECT{X0 + 134, 284, X0 + 143, 293}, false, clBtnShadow, clWindow);
  P->PaintGroupExpandButton(C, RECT{X0 + 150, 280, X0 + 168, 298}, true, pbsNormal);
  // Check and radio marks.
  const SIZE check = P->CheckBoxExtent();
  const TcxCheckBoxState checks[] = {cbsUnchecked, cbsChecked, cbsGrayed, cbsChecked};
  const TcxPaintButtonState checkStates[] = {pbsNormal, pbsHot, pbsPressed, pbsDisabled};
  for (int i = 0; i < 4; ++i)
    P->PaintCheckButton(C, RECT{X0 + 4 + i * 20, 308, X0 + 4 + i * 20 + check.cx, 308 + check.cy}, checkStates[i],
                        checks[i]);
  for (int i = 0; i < 4; ++i) P->PaintRadioButton(C, X0 + 90 + i * 22, 308, States[i], i > 0, false);
  // Headers with sorting marks, a pressed one and a footer cell.
  const TcxBorders all = cxBordersAll;
  P->PaintHeader(C, RECT{X0 + 4, 332, X0 + 92, 352}, RECT{X0 + 8, 332, X0 + 76, 352}, {bRight}, all, pbsNormal,
                 taLeftJustify, vaCenter, false, false, "Name", nullptr, P->HeaderFontColor(), P->HeaderBackColor());
  P->PaintSortingMark(C, RECT{X0 + 76, 336, X0 + 90, 348}, true);
  P->PaintHeader(C, RECT{X0 + 92, 332, X0 + 182, 352}, RECT{X0 + 96, 332, X0 + 166, 352}, {bLeft}, all, pbsHot,
                 taLeftJustify, vaCenter, false, false, "Size", nullptr, P->HeaderFontColor(), P->HeaderBackColor());
  P->PaintSortingMark(C, RECT{X0 + 166, 336, X0 + 180, 348}, false);
  P->PaintHeaderSection(C, RECT{X0 + 4, 356, X0 + 92, 376}, RECT{X0 + 8, 356, X0 + 88, 376}, all, pbsPressed,
                        taCenter, vaCenter, false, false, "Pressed", nullptr, P->HeaderFontColor(),
                        P->HeaderBackColor());
  P->PaintFooterCell(C, RECT{X0 + 92, 356, X0 + 182, 376}, taRightJustify, vaCenter, false, "1,024", nullptr,
                     P->FooterAreaFontColor(), P->FooterAreaBackColor());
  // Filter buttons, an indicator and a label line.
  const SIZE dd = P->FilterDropDownButtonExtent();
  P->PaintFilterDropDownButton(C, RECT{X0 + 4, 384, X0 + 4 + dd.cx, 402}, pbsNormal, false);
  P->PaintFilterDropDownButton(C, RECT{X0 + 24, 384, X0 + 24 + dd.cx, 402}, pbsHot, true);
  const SIZE fc = P->FilterCloseButtonExtent();
  P->PaintFilterCloseButton(C, RECT{X0 + 44, 384, X0 + 44 + fc.cx, 384 + fc.cy}, pbsNormal);
  P->PaintIndicatorItem(C, RECT{X0 + 66, 384, X0 + 84, 402}, 1, clBtnFace);
  P->PaintIndicatorItem(C, RECT{X0 + 84, 384, X0 + 102, 402}, 2, clBtnFace);
  P->PaintLabelLine(C, RECT{X0 + 108, 392, X0 + 182, 394}, clDefault, clDefault, false);
  P->PaintPlainButton(C, RECT{X0 + 4, 408, X0 + 60, 432}, pbsHot, 3, 0, clBtnShadow);
  P->PaintPlainButton(C, RECT{X0 + 60, 408, X0 + 116, 432}, pbsNormal, 3, 1, clBtnShadow);
  P->PaintPlainButton(C, RECT{X0 + 116, 408, X0 + 172, 432}, pbsPressed, 3, 2, clBtnShadow);
}

// A 16 x 16 glyph with real alpha: a disc with soft edges.
TOwned<TBitmap> AlphaGlyph() {
  TOwned<TBitmap> b(CreateSizedBitmap(16, 16, pf32bit));
  TcxPixels p(256);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double d = std::hypot(x - 7.5, y - 7.5);
      const int a = d < 5.5 ? 255 : d < 7.5 ? static_cast<int>((7.5 - d) / 2 * 255) : 0;
      const int r = 40 + x * 12, g = 120, bl = 230 - y * 10;
      p[static_cast<size_t>(y) * 16 + x] = (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(r * a / 255) << 16) |
                                           (static_cast<std::uint32_t>(g * a / 255) << 8) | static_cast<std::uint32_t>(bl * a / 255);
    }
  WriteBitmapPixels(b.get(), p);
  return b;
}

// A 24-bit glyph on fuchsia: a blue square with a yellow bar.
TOwned<TBitmap> KeyedGlyph() {
  TOwned<TBitmap> b(CreateSizedBitmap(16, 16, pf24bit));
  TCanvas* c = b->GetCanvas();
  c->GetBrush()->SetColor(clFuchsia);
  c->FillRect(RECT{0, 0, 16, 16});
  c->GetBrush()->SetColor(clBlue);
  c->FillRect(RECT{2, 3, 14, 13});
  c->GetBrush()->SetColor(clYellow);
  c->FillRect(RECT{4, 7, 12, 9});
  b->SetTransparentColor(clFuchsia);
  return b;
}

void StateImages(TcxCanvas* C, int Y) {
  Label(C, 4, Y + 4, "States");
  const char* modes[] = {"Normal", "Disabled", "Faded", "Grey", "Light", "Shadow"};
  TOwned<TBitmap> glyphs[] = {AlphaGlyph(), KeyedGlyph()};
  const TColor backs[] = {clBtnFace, clWindow, static_cast<TColor>(RGB(255, 230, 180))};
  for (int m = 0; m < 6; ++m) {
    const int x = LabelWidth + m * 150;
    Label(C, x, Y, modes[m], 140);
    for (int b = 0; b < 3; ++b)
      for (int g = 0; g < 2; ++g) {
        const RECT cell{x + b * 48 + g * 24, Y + 18, x + b * 48 + g * 24 + 24, Y + 42};
        C->FillRectColor(cell, backs[b]);
        const RECT image{cell.left + 4, cell.top + 4, cell.left + 20, cell.top + 20};
        PaintImageWithState(C->DeviceContext(), image, cell, glyphs[g].get(), nullptr, 0,
                            static_cast<TcxStateImageMode>(m));
      }
  }
}

void Office11Gradients(TcxCanvas* C, int Y) {
  Label(C, 4, Y + 4, "Office");
  HDC dc = C->DeviceContext();
  PaintGradientRect(dc, RECT{LabelWidth, Y, LabelWidth + 180, Y + 30}, Office11Color1, Office11Color2, true);
  PaintGradientRect(dc, RECT{LabelWidth + 190, Y, LabelWidth + 370, Y + 30}, Office11Color1, Office11Color2, false);
  PaintTwoStageGradient(dc, RECT{LabelWidth + 380, Y, LabelWidth + 560, Y + 30}, Office11Color38, Office11Color39,
                        false);
  const auto* office = TcxOffice11LookAndFeelPainter::Instance();
  office->PaintCellContent(C, RECT{LabelWidth + 570, Y, LabelWidth + 700, Y + 30},
                           RECT{LabelWidth + 574, Y, LabelWidth + 696, Y + 30}, pbsNormal, taLeftJustify, vaCenter,
                           false, false, "Header cell", nullptr, clBtnText, clNone);
  office->PaintCellContent(C, RECT{LabelWidth + 710, Y, LabelWidth + 840, Y + 30},
                           RECT{LabelWidth + 714, Y, LabelWidth + 836, Y + 30}, pbsHot, taLeftJustify, vaCenter, false,
                           false, "Hot cell", nullptr, clBtnText, clNone);
  C->FillRectColor(RECT{LabelWidth + 850, Y, LabelWidth + 940, Y + 30}, Office11Color3);
  Office11DrawGripDots(dc, RECT{LabelWidth + 854, Y + 4, LabelWidth + 860, Y + 28}, true);
  Office11DrawGripCorner(dc, RECT{LabelWidth + 900, Y, LabelWidth + 940, Y + 30});
  HatchRectOnDC(dc, RECT{LabelWidth, Y + 40, LabelWidth + 180, Y + 60}, clHighlight, clWindow, 4, 120, 60);
  PaintHatchedSwatch(C, RECT{LabelWidth + 190, Y + 40, LabelWidth + 230, Y + 60}, 0);
  PaintHatchedSwatch(C, RECT{LabelWidth + 240, Y + 40, LabelWidth + 280, Y + 60}, 1);
}

}  // namespace

void PaintGallery(TcxCanvas* Canvas) {
  AcquireOffice11Colors();
  Canvas->FontObject()->SetName("Tahoma");
  Canvas->FontObject()->SetHeight(-11);
  Canvas->FillRectColor(RECT{0, 0, GalleryWidth, GalleryHeight}, clAppWorkSpace);
  const TcxCustomLookAndFeelPainter* painters[] = {
      TcxFlatLookAndFeelPainter::Instance(), TcxStandardLookAndFeelPainter::Instance(),
      TcxUltraFlatLookAndFeelPainter::Instance(), TcxOffice11LookAndFeelPainter::Instance(),
      TcxWinXPLookAndFeelPainter::Instance()};
  const char* names[] = {"Flat", "Standard", "Ultra-flat", "Office 2003", "Themed"};
  const char* rows[] = {"Scroll", "Buttons", "Arrows", "Borders", "Marks", "Headers", "Filters"};
  const int rowTops[] = {24, 154, 238, 262, 308, 332, 384};
  for (int i = 0; i < 7; ++i) Label(Canvas, 4, rowTops[i], rows[i]);
  for (int i = 0; i < 5; ++i) {
    Canvas->PushState();
    PainterColumn(painters[i], names[i], Canvas, LabelWidth + i * ColumnWidth);
    Canvas->PopState();
  }
  Canvas->FillRectColor(RECT{0, 448, GalleryWidth, GalleryHeight}, clBtnFace);
  StateImages(Canvas, 456);
  Office11Gradients(Canvas, 520);
  ReleaseOffice11ColorSet();
}

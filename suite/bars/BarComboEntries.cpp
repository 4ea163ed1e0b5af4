#include "suite/bars/BarComboEntries.h"

#include "framework/Font.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxGraphicsRoutines.h"

void DrawComboEditEntry(TdxBarComboControl* Control) {
  auto* Item = dynamic_cast<IdxBarComboEntryPainter*>(Control->LinkedItem());
  TdxBarPainter* P = Control->GetPainter();
  if (!Item || !P || !Control->PaintsEditText()) return;
  TColor Text, Back;
  P->GetEditColors(Control, Text, Back);
  int Index = Control->IsFocused() ? Control->GetLocalItemIndex() : Control->ItemIndexOfItem();
  TcxCanvas* Canvas = Control->PaintCanvas();
  Canvas->PushState();
  try {
    if (TFont* Font = Control->EditFont()) Canvas->AssignFontObject(Font);
    Item->DrawEntry(Canvas->DeviceContext(), Index, Inflated(Control->PartRect(0), -1, -1), 0, Back,
                    Control->IsEnabled() ? Text : clGrayText);
  } catch (...) {
    Canvas->PopState();
    throw;
  }
  Canvas->PopState();
}

void DrawComboEntryBackground(HDC DC, const RECT& R, TColor Back) {
  HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Back)));
  FillRect(DC, &R, B);
  DeleteObject(B);
}

void DrawComboEntryText(HDC DC, const RECT& R, const std::string& Text, TColor Color) {
  SIZE S = TextExtentOnDC(DC, Text);
  int OldMode = SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Color)));
  TextOutClipped(DC, Text, POINT{R.left, (R.top + R.bottom - S.cy) / 2}, -1, ETO_CLIPPED, &R);
  SetBkMode(DC, OldMode);
}

#include "suite/bars/BarDialogLayout.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"

TButton* DialogButton(TWinControl* Parent, const std::string& Caption, TModalResult Result) {
  TButton* B = Construct<TButton>(Parent);
  B->SetParent(Parent);
  B->SetCaption(Caption);
  B->SetModalResult(Result);
  B->SetDefault(Result == mrOk);
  B->SetCancel(Result == mrCancel);
  return B;
}

TSelectDialogMeasures SelectDialogMeasures(TFont* Font) {
  TOwned<TBitmap> Measure(TBitmap::Create());
  Measure->GetCanvas()->GetFont()->Assign(Font);
  const int H = MulDiv(Measure->GetCanvas()->TextHeight("0"), 5, 3);
  return TSelectDialogMeasures{12 * Measure->GetCanvas()->TextWidth("0"), H, H / 4};
}

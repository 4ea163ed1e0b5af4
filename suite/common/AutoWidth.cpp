#include "suite/common/AutoWidth.h"

#include <windows.h>

TcxAutoWidthObject::TcxAutoWidthObject(int Capacity) {
  if (Capacity > 0) FItems.reserve(static_cast<size_t>(Capacity));
}

TcxAutoWidthObject::~TcxAutoWidthObject() {
  for (TcxAutoWidthItem* Item : FItems) Free(Item);
}

TcxAutoWidthItem* TcxAutoWidthObject::NewItem() {
  FItems.push_back(TcxAutoWidthItem::Create());
  return FItems.back();
}

int TcxAutoWidthObject::TotalWidth() const {
  int Sum = 0;
  for (const TcxAutoWidthItem* Item : FItems) Sum += Item->Width;
  return Sum;
}

void TcxAutoWidthObject::SpreadWidths() {
  int Avail = AvailableWidth;
  int Total = TotalWidth();
  for (TcxAutoWidthItem* Item : FItems)
    if (Item->Fixed) {
      Item->AutoWidth = Item->Width;
      Avail -= Item->Width;
      Total -= Item->Width;
    }
  bool Final = false;
  for (;;) {
    // Shares are differences of cumulative values, so they add up to the pass's width.
    const int PassAvail = Avail, PassTotal = Total;
    int Acc = 0;
    bool Changed = false;
    for (TcxAutoWidthItem* Item : FItems) {
      if (Item->AutoWidth != -1) continue;
      int Share = MulDiv(Acc + Item->Width, PassAvail, PassTotal) - MulDiv(Acc, PassAvail, PassTotal);
      if (Final) {
        Item->AutoWidth = Share;
      } else if (Item->MinWidth >= Share) {
        Item->AutoWidth = Item->MinWidth;
        Avail -= Item->MinWidth;
        Total -= Item->Width;
        Changed = true;
      }
      Acc += Item->Width;
    }
    if (!Changed) Final = !Final;
    if (Total == 0 || (!Changed && !Final)) break;
  }
}

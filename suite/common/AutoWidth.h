// Spreads an available width over items in proportion to their widths, keeping
// each at or above its minimum; fixed items keep their width.
#pragma once

#include <vector>

#include "framework/Object.h"

class TcxAutoWidthItem : public TObject {
  SONVELT_CLASS(TcxAutoWidthItem, TObject)
public:
  TcxAutoWidthItem() = default;
  int MinWidth = 0;
  int Width = 0;
  bool Fixed = false;
  // The result; -1 until computed.
  int AutoWidth = -1;
};

class TcxAutoWidthObject : public TObject {
  SONVELT_CLASS(TcxAutoWidthObject, TObject)
public:
  explicit TcxAutoWidthObject(int Capacity = 0);
  static TcxAutoWidthObject* CreateWithCapacity(int Capacity) { return Create(Capacity); }
  ~TcxAutoWidthObject() override;

  TcxAutoWidthItem* NewItem();
  int NumberOfItems() const { return static_cast<int>(FItems.size()); }
  TcxAutoWidthItem* ItemAt(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  int TotalWidth() const;
  // Items that already have an automatic width keep it.
  void SpreadWidths();

  int AvailableWidth = 0;

private:
  std::vector<TcxAutoWidthItem*> FItems;
};

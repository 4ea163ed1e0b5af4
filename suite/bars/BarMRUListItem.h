// The recent-files list: a list item whose entries are kept newest first, at most
// MaxItemCount of them (0: no limit). Each entry is shown as one numbered command
// wherever the item is linked, its text cut to 300 pixels.
#pragma once

#include "suite/bars/BarSubItems.h"

class TdxBarMRUListItem : public TdxBarListItem {
  SONVELT_CLASS(TdxBarMRUListItem, TdxBarListItem)
public:
  explicit TdxBarMRUListItem(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarMRUListItem>& P);

  int GetMaxItemCount() const { return FMaxItemCount; }
  // Negative values are stored as 0; a smaller limit drops the oldest entries at once.
  void SetMaxItemCount(int Value);
  bool GetRemoveItemOnClick() const { return FRemoveItemOnClick; }
  void SetRemoveItemOnClick(bool Value) { FRemoveItemOnClick = Value; }

  // Makes the entry the newest: an entry of that text (letter case ignored), else
  // one carrying Object, moves to the top as it is; otherwise a new entry goes there.
  void AddToTop(const std::string& Text, TObject* Object = nullptr);
  // Deletes the entry of that text, or with an empty text the one carrying Object.
  void RemoveEntry(const std::string& Text, TObject* Object = nullptr);

  std::string GetDisplayText(int Index) const override;
  // The display text with each '&' doubled: a path's '&' is no accelerator.
  std::string GetEntryText(int Index) const override;
  // The click of an entry: OnClick reads Items[ItemIndex]; afterwards, with
  // RemoveItemOnClick, the clicked entry leaves the list.
  void DoClick() override;

private:
  void Trim();
  int FMaxItemCount = 5;
  bool FRemoveItemOnClick = false;
};

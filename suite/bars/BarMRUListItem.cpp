#include "suite/bars/BarMRUListItem.h"

#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarManager.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/cxGraphicsRoutines.h"

namespace {
// What an entry's command may show of a long path.
constexpr int MaxDisplayWidth = 300;
}  // namespace

SONVELT_PUBLISHED(TdxBarMRUListItem, P) {
  P.Integer("MaxItemCount", &TdxBarMRUListItem::GetMaxItemCount, &TdxBarMRUListItem::SetMaxItemCount).Default(5);
  P.Boolean("RemoveItemOnClick", &TdxBarMRUListItem::GetRemoveItemOnClick, &TdxBarMRUListItem::SetRemoveItemOnClick)
      .Default(false);
}

TdxBarMRUListItem::TdxBarMRUListItem(TComponent* AOwner) : TdxBarListItem(AOwner) { EnsureBarExtItemsUnit(); }

void TdxBarMRUListItem::SetMaxItemCount(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FMaxItemCount) return;
  FMaxItemCount = Value;
  Trim();
}

void TdxBarMRUListItem::Trim() {
  if (FMaxItemCount == 0) return;
  TStringList* Items = GetItems();
  while (Items->GetCount() > FMaxItemCount) Items->Delete(Items->GetCount() - 1);
}

void TdxBarMRUListItem::AddToTop(const std::string& Text, TObject* Object) {
  TStringList* Items = GetItems();
  int Index = Items->IndexOf(Text);
  if (Index < 0 && Object) Index = Items->IndexOfObject(Object);
  if (Index >= 0) {
    Items->Move(Index, 0);
    return;
  }
  Items->InsertObject(0, Text, Object);
  Trim();
}

void TdxBarMRUListItem::RemoveEntry(const std::string& Text, TObject* Object) {
  int Index = Text.empty() ? GetItems()->IndexOfObject(Object) : GetItems()->IndexOf(Text);
  if (Index >= 0) GetItems()->Delete(Index);
}

std::string TdxBarMRUListItem::GetDisplayText(int Index) const {
  std::string Shown;
  EllipsisText(nullptr, nullptr, TdxBarListItem::GetDisplayText(Index), Shown, MaxDisplayWidth);
  return Shown;
}

std::string TdxBarMRUListItem::GetEntryText(int Index) const {
  std::string Text;
  for (char C : GetDisplayText(Index)) {
    if (C == '&') Text += '&';
    Text += C;
  }
  return Text;
}

void TdxBarMRUListItem::DoClick() {
  int Index = GetItemIndex();
  bool HadEntry = Index >= 0 && Index < GetItems()->GetCount();
  // The handler may move or remove entries: the entry to take out is the one clicked.
  std::string Clicked = HadEntry ? GetItems()->GetStrings(Index) : std::string();
  TcxObjectLinkGuard Self(this);
  TdxBarListItem::DoClick();
  if (!Self.Alive() || GetActiveLink() || !FRemoveItemOnClick) return;
  TdxBarManager* M = GetBarManager();
  if (M && M->IsCustomizingOrDesigning()) return;
  if (HadEntry) RemoveEntry(Clicked);
  SetItemIndex(-1);
}

#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarEditItems.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/StringUtils.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDropDownListBox.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/common/cxCanvas.h"

// ---- TdxBarWindowItem

void TdxBarWindowItem::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  Update();
  DoChange();
  Update();
}

void TdxBarWindowItem::DoChange() {
  if (!IsLoading()) OnChange(this);
}

TdxBarItemControlClass TdxBarWindowItem::ItemControlClass(bool Rotated) const {
  if (Rotated) return TdxBarButtonControl::StaticClass();
  return TdxBarItem::ItemControlClass(Rotated);
}

void TdxBarWindowItem::FocusEditor(bool ShownOnly) {
  for (int I = 0; I < LinkCount(); ++I) {
    TdxBarItemLink* L = GetLink(I);
    TdxBarItemControl* C = L->GetControl();
    if (!C || !C->IsWindowControl()) continue;
    TCustomdxBarControl* W = C->GetParent();
    if (!W || (ShownOnly && !(W->HandleAllocated() && IsWindowVisible(W->GetHandle())))) continue;
    W->SelectAndActivate(C);
    C->Click(false);
    return;
  }
}

std::string TdxBarWindowItem::GetCurrentText() const {
  TdxBarItemLink* L = GetActiveLink();
  auto* C = L ? dynamic_cast<IdxBarEditTextHolder*>(L->GetControl()) : nullptr;
  return C ? C->GetEditText() : GetText();
}

void TdxBarWindowItem::SetCurrentText(const std::string& Value) {
  TdxBarItemLink* L = GetActiveLink();
  if (auto* C = L ? dynamic_cast<IdxBarEditTextHolder*>(L->GetControl()) : nullptr)
    C->SetEditText(Value);
  else
    SetText(Value);
}

// ---- TdxCustomBarEdit

SONVELT_PUBLISHED(TdxCustomBarEdit, P) {
  P.Object("Glyph", &TdxCustomBarEdit::GetGlyph);
  P.Integer("ImageIndex", &TdxCustomBarEdit::GetImageIndex, &TdxCustomBarEdit::SetImageIndex).Default(-1);
  P.Boolean("ShowCaption", &TdxCustomBarEdit::GetShowCaption, &TdxCustomBarEdit::SetShowCaption).Default(false);
  P.Integer("Width", &TdxCustomBarEdit::GetWidth, &TdxCustomBarEdit::SetWidth).Default(100);
  P.Event("OnClick", &TdxCustomBarEdit::OnClick);
}

TdxCustomBarEdit::TdxCustomBarEdit(TComponent* AOwner) : TdxBarWindowItem(AOwner) { SetWidth(100); }

void TdxCustomBarEdit::SetWidth(int Value) {
  if (Value <= 0 || Value == GetWidth()) return;
  if (IsLoading()) {
    TdxBarWindowItem::SetWidth(Value);
    return;
  }
  TdxBarWindowItem::SetWidth(Value);
}

bool TdxCustomBarEdit::IsEnterable(TdxBarItemLink* Link) const {
  if (!GetEnabled()) return false;
  bool OnToolbar = Link && Link->GetOwnerLinks() && dynamic_cast<TdxBar*>(Link->GetOwnerLinks()->GetOwnerComponent());
  return !OnToolbar || GetShowCaption();
}

SONVELT_PUBLISHED(TdxBarEdit, P) {
  P.Integer("MaxLength", &TdxBarEdit::GetMaxLength, &TdxBarEdit::SetMaxLength).Default(0);
  P.Boolean("ReadOnly", &TdxBarEdit::GetReadOnly, &TdxBarEdit::SetReadOnly).Default(false);
  P.Component("StyleEdit", &TdxBarEdit::GetStyleEdit, &TdxBarEdit::SetStyleEdit);
  P.String("Text", &TdxBarEdit::GetText, &TdxBarEdit::SetText);
}

// ---- TCustomdxBarCombo

bool TCustomdxBarCombo::CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) {
  bool Pass = Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE;
  OnCheckKeyForDropDownWindow(this, Key, Shift, Pass);
  return Pass;
}

HWND TCustomdxBarCombo::GetDropDownWindow() {
  HWND Window = nullptr;
  OnGetDropDownWindow(this, Window);
  return Window;
}

bool TCustomdxBarCombo::IsDroppedDown() const {
  TdxBarItemLink* L = GetActiveLink();
  auto* C = L ? dynamic_cast<IdxBarComboControlState*>(L->GetControl()) : nullptr;
  return C && C->IsDroppedDown();
}

POINT TCustomdxBarCombo::PlaceDropDown(POINT At, SIZE ItemSize, SIZE WindowSize, bool InVerticalHolder,
                                       const RECT& WorkArea) {
  int X = At.x, Y = At.y;
  if (InVerticalHolder) {
    // Beside the item: to its left when the right has too little room and the left more.
    if (X + WindowSize.cx > WorkArea.right && X - WorkArea.left - ItemSize.cx > WorkArea.right - X)
      X = X - WindowSize.cx - ItemSize.cx;
    if (Y + WindowSize.cy > WorkArea.bottom) Y = WorkArea.bottom - WindowSize.cy;
  } else {
    if (X + WindowSize.cx > WorkArea.right) X = WorkArea.right - WindowSize.cx;
    // Above the item when the bottom has too little room and the top more.
    if (Y + WindowSize.cy > WorkArea.bottom && Y - ItemSize.cy - WorkArea.top > WorkArea.bottom - Y)
      Y = Y - ItemSize.cy - WindowSize.cy;
  }
  return POINT{std::max(X, static_cast<int>(WorkArea.left)), std::max(Y, static_cast<int>(WorkArea.top))};
}

void TCustomdxBarCombo::DoDropDown(POINT At, SIZE ItemSize, bool InVerticalHolder) {
  OnDropDown(this);
  HWND Window = GetDropDownWindow();
  if (!Window) return;
  InitDropDownWindow(Window);
  RECT R;
  GetWindowRect(Window, &R);
  POINT P = PlaceDropDown(At, ItemSize, SIZE{R.right - R.left, R.bottom - R.top}, InVerticalHolder,
                          MonitorWorkAreaAt(At));
  SetWindowPos(Window, nullptr, P.x, P.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Window, SW_SHOWNOACTIVATE);
  AfterDropDown();
}

void TCustomdxBarCombo::DoCloseUp() {
  if (HWND Window = GetDropDownWindow()) ShowWindow(Window, SW_HIDE);
  OnCloseUp(this);
}

// ---- TdxBarCustomCombo

TdxBarCustomCombo::TdxBarCustomCombo(TComponent* AOwner)
    : TCustomdxBarCombo(AOwner), FItems(TStringList::Create()),
      FListBox(MakeOwned<TdxBarDropDownListBox>(static_cast<TComponent*>(nullptr))) {
  FItems->SetOnChange(Bind(this, &TdxBarCustomCombo::ItemsChanged));
  FListBox->SetCombo(this);
}

TdxBarCustomCombo::~TdxBarCustomCombo() { FListBox->SetCombo(nullptr); }

HWND TdxBarCustomCombo::GetDropDownWindow() {
  HWND Window = TCustomdxBarCombo::GetDropDownWindow();
  if (!Window && FListBox->HandleAllocated()) Window = FListBox->GetHandle();
  return Window;
}

void TdxBarCustomCombo::DoDropDown(POINT At, SIZE ItemSize, bool InVerticalHolder) {
  TdxBarItemLink* Link = GetActiveLink();
  TCustomdxBarControl* BarControl = Link ? Link->GetBarControl() : nullptr;
  if (!TCustomdxBarCombo::GetDropDownWindow() && BarControl) {
    // The list's window is owned by the bar window the combo drops from.
    FListBox->SetBarControl(BarControl);
    FListBox->HandleNeeded();
  }
  TCustomdxBarCombo::DoDropDown(At, ItemSize, InVerticalHolder);
  SyncListBox();
}

void TdxBarCustomCombo::InitDropDownWindow(HWND Window) {
  if (!FListBox->HandleAllocated() || Window != FListBox->GetHandle()) return;
  if (TCustomdxBarControl* BarControl = FListBox->GetBarControl()) FListBox->GetFont()->Assign(BarControl->EditFont());
  FListBox->GetItems()->Assign(FItems.get());
  FListBox->RemeasureItems();
  int EditWidth = 0;
  TdxBarItemLink* Link = GetActiveLink();
  if (auto* C = Link ? dynamic_cast<TdxBarEditControl*>(Link->GetControl()) : nullptr) {
    RECT R = C->ItemBounds();
    EditWidth = R.right - R.left - C->EditOffset();
  }
  SetWindowPos(Window, nullptr, 0, 0, CalcDropDownWidth(EditWidth), CalcDropDownHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxBarCustomCombo::AfterDropDown() {
  if (!FListBox->HandleAllocated() || !IsWindowVisible(FListBox->GetHandle())) return;
  // A press on the button that is still held may be dragged into the list.
  if (GetKeyState(VK_LBUTTON) < 0)
    FListBox->StartDragSelect();
  else
    FListBox->CancelDragSelect();
}

void TdxBarCustomCombo::DoCloseUp() {
  TCustomdxBarCombo::DoCloseUp();
  FListBox->CancelDragSelect();
  if (FListBox->HandleAllocated() && GetCapture() == FListBox->GetHandle()) ReleaseCapture();
}

void TdxBarCustomCombo::SyncListBox() {
  TdxBarItemLink* Link = GetActiveLink();
  auto* C = Link ? dynamic_cast<TdxBarComboControl*>(Link->GetControl()) : nullptr;
  if (!C) return;
  std::string Text = C->GetInnerText();
  int Index = C->GetLocalItemIndex();
  if (Index < 0 || Index >= FItems->GetCount() || FItems->GetStrings(Index) != Text) Index = FindNearestItem(Text);
  if (!FListBox->HandleAllocated() || !IsWindowVisible(FListBox->GetHandle())) return;
  if (Index >= 0 && AnsiUpperCase(FItems->GetStrings(Index)) == AnsiUpperCase(Text)) {
    FListBox->SetListIndex(Index);
  } else {
    FListBox->SetListIndex(-1);
    if (Index >= 0) SendMessageW(FListBox->GetHandle(), LB_SETTOPINDEX, Index, 0);
  }
}

void TdxBarCustomCombo::SetItems(TStrings* Value) { FItems->Assign(Value); }

void TdxBarCustomCombo::ItemsChanged(TObject* Sender) {
  if (FItemIndex >= FItems->GetCount())
    SetItemIndex(-1);
  else
    Update();
}

void TdxBarCustomCombo::SetItemIndex(int Value) {
  if (Value == FItemIndex) return;
  FItemIndex = Value < 0 || Value >= FItems->GetCount() ? -1 : Value;
  std::string Wanted = FItemIndex < 0 ? std::string() : FItems->GetStrings(FItemIndex);
  if (GetText() != Wanted) {
    SetText(Wanted);
    return;
  }
  // The same text from another entry is still a change of the selection.
  Update();
  DoChange();
  Update();
}

void TdxBarCustomCombo::SetText(const std::string& Value) {
  if (!(FItemIndex >= 0 && FItemIndex < FItems->GetCount() && FItems->GetStrings(FItemIndex) == Value))
    FItemIndex = FItems->IndexOf(Value);
  TCustomdxBarCombo::SetText(Value);
}

void TdxBarCustomCombo::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FItems->SetSorted(Value);
  FItemIndex = FItems->IndexOf(GetText());
}

int TdxBarCustomCombo::GetCurrentItemIndex() const {
  TdxBarItemLink* L = GetEditingLink();
  auto* C = L ? dynamic_cast<IdxBarComboControlState*>(L->GetControl()) : nullptr;
  return C ? C->GetLocalItemIndex() : FItemIndex;
}

int TdxBarCustomCombo::FindNearestItem(const std::string& Text) const {
  if (Text.empty()) return -1;
  std::string Wanted = AnsiUpperCase(Text);
  int Best = -1;
  size_t Matched = 0;
  for (int I = 0; I < FItems->GetCount(); ++I) {
    std::string Entry = AnsiUpperCase(FItems->GetStrings(I));
    // Only an entry that agrees on what matched so far can do better.
    if (Entry.compare(0, Matched, Wanted, 0, Matched) != 0) continue;
    size_t N = Matched;
    while (N < Wanted.size() && N < Entry.size() && Entry[N] == Wanted[N]) ++N;
    if (N > Matched) {
      Matched = N;
      Best = I;
    }
    if (Matched == Wanted.size()) return Best;
  }
  return Best;
}

bool TdxBarCustomCombo::CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) {
  return Shift.Empty() && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN);
}

int TdxBarCustomCombo::TextHeight(const std::string& S) {
  if (FListCanvas) return FListCanvas->GetCanvas()->TextExtent(S).cy;
  TcxScreenCanvas* Screen = SharedScreenCanvas();
  return Screen->GetCanvas()->TextExtent(S).cy;
}

int TdxBarCustomCombo::TextWidth(const std::string& S) {
  if (FListCanvas) return FListCanvas->GetCanvas()->TextExtent(S).cx;
  TcxScreenCanvas* Screen = SharedScreenCanvas();
  return Screen->GetCanvas()->TextExtent(S).cx;
}

int TdxBarCustomCombo::MeasureItem(int Index) {
  int Height = FItemHeight > 0 ? FItemHeight : TextHeight("Qq");
  OnMeasureItem(this, Index, Height);
  return Height;
}

int TdxBarCustomCombo::MeasureItemWidth(int Index) { return TextWidth(FItems->GetStrings(Index)) + 2; }

int TdxBarCustomCombo::CalcDropDownWidth(int EditWidth) {
  bool Scrolls = FItems->GetCount() > FDropDownCount;
  int ScrollWidth = Scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  int Width = FDropDownWidth;
  if (Width <= 0) {
    Width = EditWidth - 4 - ScrollWidth;
    for (int I = 0; I < FItems->GetCount(); ++I) Width = std::max(Width, MeasureItemWidth(I));
  }
  return Width + 4 + ScrollWidth;
}

int TdxBarCustomCombo::CalcDropDownHeight() {
  int Height = 4;
  for (int I = 0; I < std::min(FDropDownCount, FItems->GetCount()); ++I) Height += MeasureItem(I);
  return Height;
}

SONVELT_PUBLISHED(TdxBarCombo, P) {
  P.Integer("ItemHeight", &TdxBarCombo::GetItemHeight, &TdxBarCombo::SetItemHeight).Default(0);
  P.Object("Items", [](TdxBarCombo* C) { return static_cast<TPersistent*>(C->GetItems()); });
  P.Boolean("Sorted", &TdxBarCombo::GetSorted, &TdxBarCombo::SetSorted).Default(false);
  P.Integer("ItemIndex", &TdxBarCombo::GetItemIndex, &TdxBarCombo::SetItemIndex).Default(-1);
}

#include "framework/Panel.h"

#include <algorithm>

#include "framework/DrawingHelpers.h"

namespace {

void BevelColors(TBevelCut Cut, TColor& Top, TColor& Bottom) {
  Top = Cut == bvLowered ? clBtnShadow : clBtnHighlight;
  Bottom = Cut == bvLowered ? clBtnHighlight : clBtnShadow;
}
}  // namespace

// --- TCustomPanel ---

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable, csParentBackground});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) { FBevelOuter = Value; Changed(); }
void TCustomPanel::SetBevelInner(TBevelCut Value) { FBevelInner = Value; Changed(); }
void TCustomPanel::SetBevelWidth(int Value) { FBevelWidth = std::max(Value, 1); Changed(); }
void TCustomPanel::SetBorderWidth(int Value) { FBorderWidth = std::max(Value, 0); Changed(); }
void TCustomPanel::SetAlignment(TAlignment Value) { FAlignment = Value; Invalidate(); }

void TCustomPanel::AdjustClientRect(RECT& Rect) {
  int W = FBorderWidth;
  if (FBevelOuter != bvNone) W += FBevelWidth;
  if (FBevelInner != bvNone) W += FBevelWidth;
  InflateRect(&Rect, -W, -W);
}

void TCustomPanel::Paint() {
  TCanvas* C = GetCanvas();
  RECT R = GetClientRect();
  TColor Top, Bottom;
  if (FBevelOuter != bvNone) {
    BevelColors(FBevelOuter, Top, Bottom);
    Frame3D(C, R, Top, Bottom, FBevelWidth);
  }
  Frame3D(C, R, GetColor(), GetColor(), FBorderWidth);
  if (FBevelInner != bvNone) {
    BevelColors(FBevelInner, Top, Bottom);
    Frame3D(C, R, Top, Bottom, FBevelWidth);
  }
  C->GetBrush()->SetColor(GetColor());
  C->FillRect(R);
  std::string T = GetText();
  if (T.empty()) return;
  C->SetFont(GetFont());
  C->GetBrush()->SetStyle(bsClear);
  UINT F = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS |
           (FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT);
  DrawTextUtf8(C, T, R, F);
}

void TCustomPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED) Invalidate();
  TCustomControl::Dispatch(Message);
}

// --- TGroupBox ---

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable, csParentBackground});
  SetBounds(0, 0, 185, 105);
  SetParentColor(true);
}

int TGroupBox::CaptionHeight() {
  HDC DC = GetDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, GetFont()->GetHandle());
  TEXTMETRICW TM;
  GetTextMetricsW(DC, &TM);
  SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  return TM.tmHeight;
}

void TGroupBox::AdjustClientRect(RECT& Rect) {
  Rect.top += CaptionHeight();
  InflateRect(&Rect, -2, -2);
}

void TGroupBox::Paint() {
  TCanvas* C = GetCanvas();
  RECT R = GetClientRect();
  C->GetBrush()->SetColor(GetColor());
  C->FillRect(R);
  int H = CaptionHeight();
  RECT Frame{0, H / 2, R.right, R.bottom};
  DrawEdge(C, Frame, EDGE_ETCHED, BF_RECT);
  std::string T = GetText();
  if (T.empty()) return;
  C->SetFont(GetFont());
  RECT TR{8, 0, R.right - 8, H};
  DrawTextUtf8(C, T, TR, DT_SINGLELINE | DT_CALCRECT);
  C->GetBrush()->SetColor(GetColor());
  RECT Back{TR.left - 2, TR.top, TR.right + 2, TR.bottom};
  C->FillRect(Back);
  C->GetBrush()->SetStyle(bsClear);
  if (!GetEnabled()) C->GetFont()->SetColor(clGrayText);
  DrawTextUtf8(C, T, TR, DT_SINGLELINE);
}

void TGroupBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) Invalidate();
  if (Message.Msg == CM_FONTCHANGED) Realign();
  TCustomControl::Dispatch(Message);
}

// --- TRadioGroup ---

TRadioGroup::TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner), FItems(Construct<TStringList>()) {
  SetControlStyle(GetControlStyle() - csAcceptsControls);
  FItems->SetOnChange(Bind(this, &TRadioGroup::ItemsChange));
}

TRadioGroup::~TRadioGroup() { FItems->SetOnChange(nullptr); }

void TRadioGroup::ItemsChange(TObject*) {
  if (FItemIndex >= FItems->GetCount()) FItemIndex = FItems->GetCount() - 1;
  UpdateButtons();
}

void TRadioGroup::UpdateButtons() {
  while (static_cast<int>(FButtons.size()) > FItems->GetCount()) {
    TRadioButton* B = FButtons.back();
    FButtons.pop_back();
    Free(B);
  }
  while (static_cast<int>(FButtons.size()) < FItems->GetCount()) {
    auto* B = TRadioButton::Create(this);
    B->OnClick = Bind(this, &TRadioGroup::ButtonClick);
    B->SetParent(this);
    FButtons.push_back(B);
  }
  FUpdating = true;
  for (size_t I = 0; I < FButtons.size(); ++I) {
    FButtons[I]->SetCaption(FItems->GetStrings(static_cast<int>(I)));
    FButtons[I]->SetChecked(static_cast<int>(I) == FItemIndex);
    FButtons[I]->SetEnabled(GetEnabled());
  }
  FUpdating = false;
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  RECT R = GetClientRect();
  AdjustClientRect(R);
  int Cols = std::max(FColumns, 1);
  int Rows = (static_cast<int>(FButtons.size()) + Cols - 1) / Cols;
  int W = (R.right - R.left) / Cols, H = std::max<int>((R.bottom - R.top) / std::max(Rows, 1), 1);
  int BH = std::min(H, 20);
  for (size_t I = 0; I < FButtons.size(); ++I) {
    int Col = static_cast<int>(I) / Rows, Row = static_cast<int>(I) % Rows;
    FButtons[I]->SetBounds(R.left + 6 + Col * W, R.top + Row * H + (H - BH) / 2, W - 8, BH);
  }
}

void TRadioGroup::ButtonClick(TObject* Sender) {
  if (FUpdating) return;
  auto It = std::find(FButtons.begin(), FButtons.end(), Sender);
  if (It == FButtons.end() || !static_cast<TRadioButton*>(Sender)->GetChecked()) return;
  int Index = static_cast<int>(It - FButtons.begin());
  if (Index == FItemIndex) return;
  FItemIndex = Index;
  Click();
}

void TRadioGroup::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  FUpdating = true;
  for (size_t I = 0; I < FButtons.size(); ++I) FButtons[I]->SetChecked(static_cast<int>(I) == Value);
  FUpdating = false;
  Click();
}

void TRadioGroup::SetColumns(int Value) {
  FColumns = std::clamp(Value, 1, 16);
  ArrangeButtons();
}

void TRadioGroup::Dispatch(TMessage& Message) {
  TGroupBox::Dispatch(Message);
  if (Message.Msg == WM_SIZE || Message.Msg == CM_FONTCHANGED) ArrangeButtons();
  if (Message.Msg == CM_ENABLEDCHANGED)
    for (TRadioButton* B : FButtons) B->SetEnabled(GetEnabled());
}

void TRadioGroup::Resize() {
  TGroupBox::Resize();
  ArrangeButtons();
}

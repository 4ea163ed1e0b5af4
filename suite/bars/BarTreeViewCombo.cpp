#include "suite/bars/BarTreeViewCombo.h"

#include <algorithm>

#include "framework/Button.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/StringUtils.h"
#include "suite/bars/BarComboEntries.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDialogLayout.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarFlagScope.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/DropDownCorners.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxImageDrawing.h"

namespace {
constexpr int MinDropDownExtent = 100;

POINT CursorOf(LPARAM LParam) { return POINT{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))}; }

TTreeNode* FindIn(TTreeNode* Node, const std::string& Text) {
  for (; Node; Node = Node->GetNextSibling()) {
    if (AnsiSameText(Node->GetText(), Text)) return Node;
    if (TTreeNode* Found = FindIn(Node->GetFirstChild(), Text)) return Found;
  }
  return nullptr;
}

bool IsWithin(TTreeNode* Node, TTreeNode* Ancestor) {
  for (; Node; Node = Node->GetParent())
    if (Node == Ancestor) return true;
  return false;
}
}  // namespace

// ---- TdxBarTreeView

TdxBarTreeView::TdxBarTreeView(TComponent* AOwner) : TTreeView(AOwner) {
  SetVisible(false);
  SetReadOnly(true);
  // The chosen node shows while the focus stays in the combo's edit.
  SetHideSelection(false);
  SetBounds(0, 0, 150, 200);
}

TdxBarTreeView::~TdxBarTreeView() { GetItems()->Clear(); }

void TdxBarTreeView::SetIsPopup(bool Value) {
  if (Value == FIsPopup) return;
  FIsPopup = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxBarTreeView::SetOwnerWindow(HWND Value) {
  if (Value == FOwnerWindow) return;
  if (HandleAllocated()) DestroyHandle();
  FOwnerWindow = Value;
}

void TdxBarTreeView::SetImages(TCustomImageList* Value) {
  FImages = Value;
  if (HandleAllocated())
    SendMessageW(GetHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
  if (FOwningCombo) FOwningCombo->UpdateInKinds(TdxBarItem::AllKinds);
}

void TdxBarTreeView::CreateParams(TCreateParams& Params) {
  TTreeView::CreateParams(Params);
  if (!FIsPopup) return;
  Params.Style = (Params.Style & ~(WS_CHILD | WS_VISIBLE | WS_BORDER)) | WS_POPUP;
  Params.ExStyle = (Params.ExStyle & ~WS_EX_CLIENTEDGE) | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.WndParent = FOwnerWindow;
}

void TdxBarTreeView::CreateWnd() {
  TTreeView::CreateWnd();
  if (FImages)
    SendMessageW(GetHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  if (!FIsPopup) return;
  // Told it has the focus, the tree draws its selection as focused; the keyboard
  // focus itself stays in the combo's edit.
  TMessage Focus{WM_SETFOCUS, 0, 0, 0};
  DefaultHandler(Focus);
}

void TdxBarTreeView::Deleting(TTreeNode* Node) {
  if (FOwningCombo && IsWithin(FOwningCombo->FChosenNode, Node)) FOwningCombo->NodeDeleted(Node);
}

TTreeNode* TdxBarTreeView::FindNodeByText(const std::string& Text) const {
  return FindIn(GetItems()->GetFirstNode(), Text);
}

void TdxBarTreeView::ChooseSelected() {
  TTreeNode* Node = GetSelected();
  if (!Node || !FOwningCombo || !FOwningCombo->CanSelectNode(Node)) return;
  TdxBarTreeViewCombo* Combo = FOwningCombo;
  if (!FIsPopup) {
    // In the dialog the choice confirms it.
    if (TCustomForm* Form = ::GetParentForm(this)) Form->SetModalResult(mrOk);
    return;
  }
  if (TdxBarItemLink* Link = Combo->GetActiveLink()) {
    Link->GetSourceLink()->RegisterUse(true);
    // The tree closes with the choice, also where no bar window is active.
    if (auto* C = dynamic_cast<TCustomdxBarComboControl*>(Link->GetControl())) C->SetDroppedDown(false);
    CloseActiveBarControls();
  }
  Combo->SetSelectedNode(Node);
}

TdxBarItemControl* TdxBarTreeView::ComboControl() const {
  TdxBarItemLink* Link = FOwningCombo ? FOwningCombo->GetActiveLink() : nullptr;
  return Link ? Link->GetControl() : nullptr;
}

TdxBarPainter* TdxBarTreeView::Painter() const {
  TdxBarItemControl* C = ComboControl();
  return C ? C->GetPainter() : nullptr;
}

bool TdxBarTreeView::WithPanel() const { return FOwningCombo && FOwningCombo->GetAllowResizing(); }

void TdxBarTreeView::PaintSysPanel() {
  if (TdxBarPainter* P = Painter())
    P->DrawDropDownSysPanel(GetHandle(), WithPanel(), FGripCorner, FGripBounds, FCloseGlyphBounds,
                            FTrackingCloseGlyph, FPointerOnCloseGlyph);
}

void TdxBarTreeView::SetPointerOnCloseGlyph(bool Value) {
  if (Value == FPointerOnCloseGlyph) return;
  FPointerOnCloseGlyph = Value;
  PaintSysPanel();
}

LRESULT TdxBarTreeView::NonClientHitTest(POINT Screen) {
  if (WithPanel() && PtInRect(&FGripBounds, Screen))
    return CornerHitTestCode(static_cast<TcxDropDownCorner>(FGripCorner));
  HWND Capture = GetCapture();
  bool Topmost = WindowFromPoint(Screen) == GetHandle();
  SetPointerOnCloseGlyph(Topmost && (!Capture || FTrackingCloseGlyph) && PtInRect(&FCloseGlyphBounds, Screen));
  if (FPointerOnCloseGlyph) {
    TRACKMOUSEEVENT Track{sizeof(Track), TME_LEAVE | TME_NONCLIENT, GetHandle(), 0};
    TrackMouseEvent(&Track);
  }
  return HTBORDER;
}

void TdxBarTreeView::NodeClicked(bool Double) {
  if (!FOwningCombo || Double != FOwningCombo->GetChooseByDblClick()) return;
  POINT P;
  GetCursorPos(&P);
  ::ScreenToClient(GetHandle(), &P);
  // The press on a node's button only expands it.
  TVHITTESTINFO HT{};
  HT.pt = P;
  SendMessageW(GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&HT));
  if (!(HT.flags & TVHT_ONITEM)) return;
  if (TTreeNode* Node = GetNodeAt(P.x, P.y)) {
    SetSelected(Node);
    ChooseSelected();
  }
}

void TdxBarTreeView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE:
      if (FIsPopup) {
        if (auto* R = reinterpret_cast<RECT*>(Message.LParam)) {
          if (TdxBarPainter* P = Painter())
            P->TreeViewDropDownInnerRect(GetHandle(), *R, WithPanel(), ComboControl(), FGripCorner);
          else
            InflateRect(R, -1, -1);
        }
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT:
      if (FIsPopup) {
        PaintSysPanel();
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCHITTEST:
      if (FIsPopup) {
        TTreeView::Dispatch(Message);
        if (Message.Result == HTCLIENT) return;
        Message.Result = NonClientHitTest(CursorOf(Message.LParam));
        return;
      }
      break;
    case WM_NCMOUSELEAVE:
      SetPointerOnCloseGlyph(false);
      return;
    case WM_NCLBUTTONDOWN:
      if (FIsPopup && FPointerOnCloseGlyph) {
        FTrackingCloseGlyph = true;
        SetCapture(GetHandle());
        PaintSysPanel();
        return;
      }
      break;
    case WM_MOUSEMOVE:
      if (FTrackingCloseGlyph) {
        POINT P = CursorOf(Message.LParam);
        ::ClientToScreen(GetHandle(), &P);
        NonClientHitTest(P);
        return;
      }
      break;
    case WM_LBUTTONUP:
      if (FTrackingCloseGlyph) {
        POINT P = CursorOf(Message.LParam);
        ::ClientToScreen(GetHandle(), &P);
        bool Close = PtInRect(&FCloseGlyphBounds, P) != 0;
        FTrackingCloseGlyph = false;
        ReleaseCapture();
        if (Close) {
          FPointerOnCloseGlyph = false;
          if (TdxBarTreeViewCombo* Combo = FOwningCombo) {
            TdxBarItemLink* Link = Combo->GetActiveLink();
            if (auto* C = Link ? dynamic_cast<TCustomdxBarComboControl*>(Link->GetControl()) : nullptr)
              C->SetDroppedDown(false);
          }
          CloseActiveBarControls();
        } else {
          PaintSysPanel();
        }
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      if (FTrackingCloseGlyph) {
        FTrackingCloseGlyph = false;
        FPointerOnCloseGlyph = false;
        PaintSysPanel();
      }
      break;
    case WM_GETMINMAXINFO:
      TTreeView::Dispatch(Message);
      if (auto* Info = reinterpret_cast<MINMAXINFO*>(Message.LParam))
        Info->ptMinTrackSize = POINT{MinDropDownExtent, MinDropDownExtent};
      return;
    case WM_MOUSEACTIVATE:
      if (FIsPopup) {
        Message.Result = MA_NOACTIVATE;
        return;
      }
      break;
    case WM_SYSCOLORCHANGE:
      TTreeView::Dispatch(Message);
      if (HandleAllocated()) RecreateWnd();
      return;
    case CN_NOTIFY:
      if (FIsPopup && reinterpret_cast<NMHDR*>(Message.LParam)->code == NM_CUSTOMDRAW) {
        // The focus stays in the combo's edit, yet the selected node shows as focused.
        auto* Draw = reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam);
        if (Draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
          Message.Result = CDRF_NOTIFYITEMDRAW;
        } else {
          if (Draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
              reinterpret_cast<HTREEITEM>(Draw->nmcd.dwItemSpec) ==
                  reinterpret_cast<HTREEITEM>(SendMessageW(GetHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0))) {
            Draw->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
            Draw->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
          }
          Message.Result = CDRF_DODEFAULT;
        }
        return;
      }
      break;
    case WM_KEYDOWN:
      if (Message.WParam == VK_RETURN) {
        ChooseSelected();
        Message.Result = 0;
        return;
      }
      break;
    default: break;
  }
  TTreeView::Dispatch(Message);
  if (Message.Msg != CN_NOTIFY || !FOwningCombo) return;
  auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  if (Hdr->code == NM_CLICK || Hdr->code == NM_DBLCLK) {
    NodeClicked(Hdr->code == NM_DBLCLK);
  } else if (Hdr->code == TVN_SELCHANGEDW && FIsPopup) {
    // Walking the tree shows each node's text in the open editor, not yet chosen.
    auto* NV = reinterpret_cast<NMTREEVIEWW*>(Hdr);
    TdxBarItemLink* Link = FOwningCombo->GetEditingLink();
    auto* Edit = Link ? dynamic_cast<TdxBarEditControl*>(Link->GetControl()) : nullptr;
    if (auto* Node = reinterpret_cast<TTreeNode*>(NV->itemNew.lParam); Node && Edit) Edit->SetInnerText(Node->GetText());
  }
}

// ---- TdxBarTreeViewCombo

SONVELT_PUBLISHED(TdxBarTreeViewCombo, P) {
  P.Boolean("AllowResizing", &TdxBarTreeViewCombo::GetAllowResizing, &TdxBarTreeViewCombo::SetAllowResizing)
      .Default(true);
  P.Boolean("ChooseByDblClick", &TdxBarTreeViewCombo::GetChooseByDblClick,
            &TdxBarTreeViewCombo::SetChooseByDblClick)
      .Default(true);
  P.Integer("DropDownHeight", &TdxBarTreeViewCombo::GetDropDownHeight, &TdxBarTreeViewCombo::SetDropDownHeight)
      .Default(200);
  P.Integer("DropDownWidth", &TdxBarTreeViewCombo::GetDropDownWidth, &TdxBarTreeViewCombo::SetDropDownWidth)
      .Default(150);
  P.Boolean("FullExpand", &TdxBarTreeViewCombo::GetFullExpand, &TdxBarTreeViewCombo::SetFullExpand).Default(false);
  P.Component("Images", &TdxBarTreeViewCombo::GetImages, &TdxBarTreeViewCombo::SetImages);
  P.Boolean("ShowButtons", &TdxBarTreeViewCombo::GetShowButtons, &TdxBarTreeViewCombo::SetShowButtons)
      .Default(true);
  P.Boolean("ShowEditor", &TdxBarTreeViewCombo::GetShowEditor, &TdxBarTreeViewCombo::SetShowEditor).Default(false);
  P.Boolean("ShowImageInEdit", &TdxBarTreeViewCombo::GetShowImageInEdit, &TdxBarTreeViewCombo::SetShowImageInEdit)
      .Default(true);
  P.Boolean("ShowLines", &TdxBarTreeViewCombo::GetShowLines, &TdxBarTreeViewCombo::SetShowLines).Default(true);
  P.Boolean("ShowRoot", &TdxBarTreeViewCombo::GetShowRoot, &TdxBarTreeViewCombo::SetShowRoot).Default(true);
  P.String("Text", &TdxBarTreeViewCombo::GetText, &TdxBarTreeViewCombo::SetText);
}

TdxBarTreeViewCombo::TdxBarTreeViewCombo(TComponent* AOwner)
    : TCustomdxBarCombo(AOwner), FTreeView(MakeOwned<TdxBarTreeView>(static_cast<TComponent*>(nullptr))) {
  EnsureBarExtItemsUnit();
  LoadBarItemGlyph(this, "DXBARTREEVIEWCOMBO");
  SetShowEditor(false);
  FTreeView->SetIsPopup(true);
  FTreeView->SetOwningCombo(this);
}

TdxBarTreeViewCombo::~TdxBarTreeViewCombo() {
  FChosenNode = nullptr;
  FTreeView->SetOwningCombo(nullptr);
}

int TdxBarTreeViewCombo::GetDropDownWidth() const { return FTreeView->GetWidth(); }
void TdxBarTreeViewCombo::SetDropDownWidth(int Value) {
  FTreeView->SetWidth(std::max(Value, MinDropDownExtent));
}
int TdxBarTreeViewCombo::GetDropDownHeight() const { return FTreeView->GetHeight(); }
void TdxBarTreeViewCombo::SetDropDownHeight(int Value) {
  FTreeView->SetHeight(std::max(Value, MinDropDownExtent));
}

void TdxBarTreeViewCombo::SetShowImageInEdit(bool Value) {
  if (Value == FShowImageInEdit) return;
  FShowImageInEdit = Value;
  if (GetImages()) UpdateInKinds(TdxBarItem::AllKinds);
}

TCustomImageList* TdxBarTreeViewCombo::GetImages() const { return FTreeView->GetImages(); }
void TdxBarTreeViewCombo::SetImages(TCustomImageList* Value) { FTreeView->SetImages(Value); }
TTreeNodes* TdxBarTreeViewCombo::GetItems() const { return FTreeView->GetItems(); }
bool TdxBarTreeViewCombo::GetShowButtons() const { return FTreeView->GetShowButtons(); }
void TdxBarTreeViewCombo::SetShowButtons(bool Value) { FTreeView->SetShowButtons(Value); }
bool TdxBarTreeViewCombo::GetShowLines() const { return FTreeView->GetShowLines(); }
void TdxBarTreeViewCombo::SetShowLines(bool Value) { FTreeView->SetShowLines(Value); }
bool TdxBarTreeViewCombo::GetShowRoot() const { return FTreeView->GetShowRoot(); }
void TdxBarTreeViewCombo::SetShowRoot(bool Value) { FTreeView->SetShowRoot(Value); }

void TdxBarTreeViewCombo::SetSelectedNode(TTreeNode* Value) {
  if (Value == FChosenNode) return;
  FChosenNode = Value;
  SelectedNodeChanged();
}

void TdxBarTreeViewCombo::SelectedNodeChanged() {
  TdxBarFlagScope Reacting(FReactingToNodeChoice);
  std::string Text = FChosenNode ? FChosenNode->GetText() : std::string();
  if (Text != GetText())
    SetText(Text);
  else
    DoChange();
  Update();
}

void TdxBarTreeViewCombo::SetText(const std::string& Value) {
  if (Value == GetText()) return;
  if (IsLoading()) {
    FTextReadWhileLoading = Value;
    return;
  }
  if (!FReactingToNodeChoice) FChosenNode = FTreeView->FindNodeByText(Value);
  TCustomdxBarCombo::SetText(Value);
}

void TdxBarTreeViewCombo::Loaded() {
  TCustomdxBarCombo::Loaded();
  SetText(FTextReadWhileLoading);
}

void TdxBarTreeViewCombo::NodeDeleted(TTreeNode* Node) {
  (void)Node;
  // The text stays; only the choice goes.
  FChosenNode = nullptr;
}

bool TdxBarTreeViewCombo::CanSelectNode() { return CanSelectNode(FTreeView->GetSelected()); }

bool TdxBarTreeViewCombo::CanSelectNode(TTreeNode* Node) {
  bool Allow = true;
  OnCanSelectNode(this, Node, Allow);
  return Allow;
}

bool TdxBarTreeViewCombo::CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) {
  return Key == VK_RETURN || TCustomdxBarCombo::CheckKeyForDropDownWindow(Key, Shift);
}

HWND TdxBarTreeViewCombo::GetDropDownWindow() {
  HWND Window = TCustomdxBarCombo::GetDropDownWindow();
  if (!Window && FTreeView->HandleAllocated()) Window = FTreeView->GetHandle();
  return Window;
}

void TdxBarTreeViewCombo::DoDropDown(POINT At, SIZE ItemSize, bool InVerticalHolder) {
  TdxBarItemLink* Link = GetActiveLink();
  TCustomdxBarControl* Bar = Link ? Link->GetBarControl() : nullptr;
  if (Bar && Bar->HandleAllocated()) {
    FTreeView->SetOwnerWindow(Bar->GetHandle());
    FTreeView->GetFont()->Assign(Bar->EditFont());
    FTreeView->HandleNeeded();
  }
  if (FTreeView->HandleAllocated()) {
    if (FFullExpand) FTreeView->FullExpand();
    std::string Current = GetCurrentText();
    if (Current != GetText()) {
      if (TTreeNode* Node = FTreeView->FindNodeByText(Current)) FTreeView->SetSelected(Node);
    }
    TTreeNode* Selected = FTreeView->GetSelected();
    if (!Selected && FTreeView->GetItems()->GetFirstNode()) {
      Selected = FTreeView->GetItems()->GetFirstNode();
      SendMessageW(FTreeView->GetHandle(), TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(Selected->GetItemId()));
    }
    if (Selected) Selected->MakeVisible();
  }
  TCustomdxBarCombo::DoDropDown(At, ItemSize, InVerticalHolder);
  // The panel's corner follows where the window came to stand against the edit.
  if (FTreeView->HandleAllocated())
    SetWindowPos(FTreeView->GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TdxBarTreeViewCombo::DoCloseUp() {
  if (FTreeView->HandleAllocated() && GetCapture() == FTreeView->GetHandle()) ReleaseCapture();
  TCustomdxBarCombo::DoCloseUp();
}

// ---- TdxBarTreeViewComboControl

int TdxBarTreeViewComboControl::CalcHeight() {
  int H = TCustomdxBarComboControl::CalcHeight();
  auto* Item = dynamic_cast<TdxBarTreeViewCombo*>(LinkedItem());
  if (!IsRotated() && Item && Item->GetShowImageInEdit() && Item->GetImages())
    H = std::max(H, Item->GetImages()->GetHeight() + 6);
  return H;
}

void TdxBarTreeViewComboControl::SetFocused(bool Value) {
  TCustomdxBarComboControl::SetFocused(Value);
  auto* Item = dynamic_cast<TdxBarTreeViewCombo*>(LinkedItem());
  if (!Value || !Item) return;
  TTreeNode* Node = Item->GetSelectedNode();
  if (!Node) Node = Item->GetTreeView()->FindNodeByText(Item->GetText());
  Item->GetTreeView()->SetSelected(Node);
}

void TdxBarTreeViewComboControl::DrawInner() {
  TCustomdxBarComboControl::DrawInner();
  auto* Item = dynamic_cast<TdxBarTreeViewCombo*>(LinkedItem());
  TdxBarPainter* P = GetPainter();
  if (!Item || !P || !Item->GetShowImageInEdit() || !Item->GetImages() || !PaintsEditText()) return;
  TColor Text, Back;
  P->GetEditColors(this, Text, Back);
  TTreeNode* Node = Item->GetSelectedNode();
  if (IsFocused() && Item->GetTreeView()->HandleAllocated()) Node = Item->GetTreeView()->GetSelected();
  TCustomImageList* Images = Item->GetImages();
  RECT R = Inflated(PartRect(0), -1, -1);
  TcxCanvas* Canvas = PaintCanvas();
  HDC DC = Canvas->DeviceContext();
  DrawComboEntryBackground(DC, R, Back);
  ++R.left;
  int Index = Node ? Node->GetImageIndex() : -1;
  if (Index >= 0 && Index < Images->GetCount()) {
    int Top = (R.top + R.bottom - Images->GetHeight()) / 2;
    RECT Image{R.left, Top, R.left + Images->GetWidth(), Top + Images->GetHeight()};
    PaintImageWithState(DC, Image, Image, nullptr, Images, Index, simNormal);
  }
  R.left += Images->GetWidth() + 3;
  Canvas->PushState();
  try {
    if (TFont* Font = EditFont()) Canvas->AssignFontObject(Font);
    DrawComboEntryText(DC, RECT{R.left + 2, R.top, R.right - 2, R.bottom}, Item->GetText(),
                       IsEnabled() ? Text : clGrayText);
  } catch (...) {
    Canvas->PopState();
    throw;
  }
  Canvas->PopState();
}

// ---- The "Select item" dialog

namespace {
void CopyNodes(TTreeNodes* To, TTreeNode* Parent, TTreeNode* From) {
  for (; From; From = From->GetNextSibling()) {
    TTreeNode* Copy = To->AddChildObject(Parent, From->GetText(), From->GetData());
    Copy->SetImageIndex(From->GetImageIndex());
    CopyNodes(To, Copy, From->GetFirstChild());
  }
}

// Makes Control's client area Width x Height; the frame may first have to settle
// (a scroll bar coming or going), so a few tries, never endlessly.
void SetClientExtent(TControl* Control, int Width, int Height) {
  for (int Try = 0; Try < 3; ++Try) {
    if (Control->GetClientWidth() == Width && Control->GetClientHeight() == Height) return;
    Control->SetClientWidth(Width);
    Control->SetClientHeight(Height);
  }
}
}  // namespace

void TdxBarTreeViewCombo::Click() {
  TCustomdxBarCombo::Click();
  if (OnClick || GetReadOnly()) return;
  TOwned<TdxBarTreeViewComboDialog> Dialog(Construct<TdxBarTreeViewComboDialog>(this));
  const bool Ok = Dialog->ShowModal() == mrOk;
  TdxBarTreeView* Tree = Dialog->GetTreeView();
  if (Ok && Tree->GetSelected()) SetText(Tree->GetSelected()->GetText());
  // The user's resizing is kept for the drop-down.
  SetClientExtent(FTreeView.get(), Tree->GetClientWidth(), Tree->GetClientHeight());
}

TdxBarTreeViewComboDialog::TdxBarTreeViewComboDialog(TdxBarTreeViewCombo* Combo) : TForm(nullptr) {
  if (Combo->GetAllowResizing()) {
    SetBorderStyle(bsSizeable);
    SetBorderIcons(TBorderIcons{});
  } else {
    SetBorderStyle(bsDialog);
  }
  SetPosition(poScreenCenter);
  SetCaption(BarString(dxSBAR_TREEVIEWDIALOGCAPTION));
  if (TdxBarManager* Manager = Combo->GetBarManager()) GetFont()->Assign(Manager->GetFont());
  const TSelectDialogMeasures S = SelectDialogMeasures(GetFont());
  FW = S.W, FH = S.H, FM = S.M;
  TdxBarTreeView* DropDown = Combo->GetTreeView();
  FTree = Construct<TdxBarTreeView>(this);
  FTree->SetOwningCombo(Combo);
  FTree->SetParent(this);
  FTree->SetImages(DropDown->GetImages());
  FTree->SetShowButtons(DropDown->GetShowButtons());
  FTree->SetShowLines(DropDown->GetShowLines());
  FTree->SetShowRoot(DropDown->GetShowRoot());
  CopyNodes(FTree->GetItems(), nullptr, DropDown->GetItems()->GetFirstNode());
  FTree->SetLeft(FM);
  FTree->SetTop(FM);
  FTree->SetVisible(true);
  FTree->HandleNeeded();
  SetClientExtent(FTree, DropDown->GetClientWidth(), DropDown->GetClientHeight());
  FOk = DialogButton(this, BarString(dxSBAR_DIALOGOK), mrOk);
  FCancel = DialogButton(this, BarString(dxSBAR_DIALOGCANCEL), mrCancel);
  SetClientExtent(this, FTree->GetWidth() + FW + 3 * FM, FTree->GetHeight() + 2 * FM);
  FormResize(nullptr);
  OnResize = Bind(this, &TdxBarTreeViewComboDialog::FormResize);
  if (Combo->GetFullExpand()) FTree->FullExpand();
  if (TTreeNode* Node = FTree->FindNodeByText(Combo->GetText())) {
    FTree->SetSelected(Node);
  } else if (TTreeNode* First = FTree->GetItems()->GetFirstNode()) {
    SendMessageW(FTree->GetHandle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(First->GetItemId()));
    First->MakeVisible();
  }
  SetActiveControl(FTree);
}

void TdxBarTreeViewComboDialog::FormResize(TObject* Sender) {
  (void)Sender;
  const int W = GetClientWidth(), H = GetClientHeight();
  FTree->SetBounds(FM, FM, W - FW - 3 * FM, H - 2 * FM);
  FOk->SetBounds(W - FM - FW, FM, FW, FH);
  FCancel->SetBounds(W - FM - FW, 2 * FM + FH, FW, FH);
}

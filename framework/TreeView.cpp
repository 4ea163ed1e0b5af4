#include "framework/TreeView.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Unicode.h"

// --- TTreeNode ---

TTreeNode::~TTreeNode() {
  for (TTreeNode* C : FChildren) Free(C);
}

void TTreeNode::SetText(const std::string& Value) {
  FText = Value;
  if (FItem && FOwner->HandleAllocated()) {
    std::wstring W = Utf8ToWide(Value);
    TVITEMW I{};
    I.mask = TVIF_TEXT;
    I.hItem = FItem;
    I.pszText = W.data();
    SendMessageW(FOwner->GetHandle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&I));
  }
}

void TTreeNode::SetImageIndex(int Value) {
  FImageIndex = Value;
  if (FItem && FOwner->HandleAllocated()) {
    TVITEMW I{};
    I.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    I.hItem = FItem;
    I.iImage = I.iSelectedImage = Value;
    SendMessageW(FOwner->GetHandle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&I));
  }
}

int TTreeNode::GetIndex() const {
  auto& L = FOwner->FItems->SiblingsOf(FParent);
  auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

int TTreeNode::GetLevel() const {
  int L = 0;
  for (TTreeNode* P = FParent; P; P = P->FParent) ++L;
  return L;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  auto& L = FOwner->FItems->SiblingsOf(FParent);
  int I = GetIndex();
  return I + 1 < static_cast<int>(L.size()) ? L[static_cast<size_t>(I + 1)] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  auto& L = FOwner->FItems->SiblingsOf(FParent);
  int I = GetIndex();
  return I > 0 ? L[static_cast<size_t>(I - 1)] : nullptr;
}

bool TTreeNode::GetExpanded() {
  if (FItem && FOwner->HandleAllocated())
    FExpanded = (SendMessageW(FOwner->GetHandle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItem), TVIS_EXPANDED) &
                 TVIS_EXPANDED) != 0;
  return FExpanded;
}

void TTreeNode::SetExpanded(bool Value) {
  FExpanded = Value;
  if (FItem && FOwner->HandleAllocated())
    SendMessageW(FOwner->GetHandle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItem));
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (TTreeNode* C : FChildren) C->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse)
    for (TTreeNode* C : FChildren) C->Collapse(true);
}

bool TTreeNode::GetSelected() { return FOwner->GetSelected() == this; }

void TTreeNode::SetSelected(bool Value) {
  if (Value) FOwner->SetSelected(this);
  else if (GetSelected()) FOwner->SetSelected(nullptr);
}

void TTreeNode::Delete() { FOwner->FItems->Delete(this); }

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FOwner->FItems->Delete(FChildren.back());
}

void TTreeNode::MakeVisible() {
  if (FItem && FOwner->HandleAllocated())
    SendMessageW(FOwner->GetHandle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItem));
}

// --- TTreeNodes ---

TTreeNodes::~TTreeNodes() {
  for (TTreeNode* N : FRoots) Free(N);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, int Index, const std::string& S, void* Data) {
  auto* N = Construct<TTreeNode>(FOwner, Parent);
  N->FText = S;
  N->FData = Data;
  auto& L = SiblingsOf(Parent);
  L.insert(L.begin() + Index, N);
  FOwner->WindowInsert(N);
  return N;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Data) {
  TTreeNode* Parent = Sibling ? Sibling->FParent : nullptr;
  return InsertNode(Parent, static_cast<int>(SiblingsOf(Parent).size()), S, Data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S) { return AddChildObject(Parent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Data) {
  return InsertNode(Parent, static_cast<int>(SiblingsOf(Parent).size()), S, Data);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const std::string& S) {
  if (!Sibling) return Add(nullptr, S);
  return InsertNode(Sibling->FParent, Sibling->GetIndex(), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node) return;
  if (FOwner->FSavedSelected && (FOwner->FSavedSelected == Node)) FOwner->FSavedSelected = nullptr;
  FOwner->Deleting(Node);
  auto& L = SiblingsOf(Node->FParent);
  L.erase(std::remove(L.begin(), L.end(), Node), L.end());
  if (Node->FItem && FOwner->HandleAllocated()) {
    HTREEITEM Item = Node->FItem;
    FOwner->ForgetItems(Node);
    SendMessageW(FOwner->GetHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Item));
  }
  Free(Node);
}

void TTreeNodes::Clear() {
  BeginUpdate();
  while (!FRoots.empty()) Delete(FRoots.back());
  EndUpdate();
}

void TTreeNodes::Flatten(std::vector<TTreeNode*>& L) const {
  std::vector<TTreeNode*> Stack(FRoots.rbegin(), FRoots.rend());
  while (!Stack.empty()) {
    TTreeNode* N = Stack.back();
    Stack.pop_back();
    L.push_back(N);
    for (auto It = N->FChildren.rbegin(); It != N->FChildren.rend(); ++It) Stack.push_back(*It);
  }
}

int TTreeNodes::GetCount() const {
  std::vector<TTreeNode*> L;
  Flatten(L);
  return static_cast<int>(L.size());
}

TTreeNode* TTreeNodes::GetItem(int Index) const {
  std::vector<TTreeNode*> L;
  Flatten(L);
  if (Index < 0 || Index >= static_cast<int>(L.size())) throw EListError("List index out of bounds (%d)", {Index});
  return L[static_cast<size_t>(Index)];
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) SendMessageW(FOwner->GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FOwner->HandleAllocated()) {
    SendMessageW(FOwner->GetHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FOwner->GetHandle(), nullptr, TRUE);
  }
}

// --- TTreeView ---

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(Construct<TTreeNodes>(this)) {
  SetControlStyle(TControlStyle{csDoubleClicks});
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TTreeView::~TTreeView() = default;

void TTreeView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TREEVIEWW);
  if (FShowLines) Params.Style |= TVS_HASLINES;
  if (FShowRoot) Params.Style |= TVS_LINESATROOT;
  if (FShowButtons) Params.Style |= TVS_HASBUTTONS;
  if (!FHideSelection) Params.Style |= TVS_SHOWSELALWAYS;
  if (!FReadOnly) Params.Style |= TVS_EDITLABELS;
  if (FRowSelect) Params.Style |= TVS_FULLROWSELECT;
  if (GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
  else Params.Style |= WS_BORDER;
}

void TTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  FFilling = true;
  std::vector<TTreeNode*> L;
  FItems->Flatten(L);
  for (TTreeNode* N : L) WindowInsert(N);
  for (TTreeNode* N : L)
    if (N->FExpanded) N->SetExpanded(true);
  if (FSavedSelected) SetSelected(FSavedSelected);
  FFilling = false;
}

void TTreeView::DestroyWnd() {
  FSavedSelected = GetSelected();
  std::vector<TTreeNode*> L;
  FItems->Flatten(L);
  for (TTreeNode* N : L) {
    N->GetExpanded();
    N->FItem = nullptr;
  }
  TWinControl::DestroyWnd();
}

void TTreeView::ForgetItems(TTreeNode* Node) {
  Node->FItem = nullptr;
  for (TTreeNode* C : Node->FChildren) ForgetItems(C);
}

void TTreeView::WindowInsert(TTreeNode* Node) {
  if (!HandleAllocated()) return;
  std::wstring W = Utf8ToWide(Node->FText);
  TVINSERTSTRUCTW IS{};
  IS.hParent = Node->FParent ? Node->FParent->FItem : TVI_ROOT;
  TTreeNode* Prev = Node->GetPrevSibling();
  IS.hInsertAfter = Prev && Prev->FItem ? Prev->FItem : TVI_FIRST;
  IS.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  IS.item.pszText = W.data();
  IS.item.lParam = reinterpret_cast<LPARAM>(Node);
  IS.item.iImage = IS.item.iSelectedImage = Node->FImageIndex;
  Node->FItem = reinterpret_cast<HTREEITEM>(SendMessageW(GetHandle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&IS)));
}

TTreeNode* TTreeView::NodeOf(HTREEITEM Item) {
  if (!Item) return nullptr;
  TVITEMW I{};
  I.mask = TVIF_PARAM;
  I.hItem = Item;
  if (!SendMessageW(GetHandle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&I))) return nullptr;
  return reinterpret_cast<TTreeNode*>(I.lParam);
}

TTreeNode* TTreeView::GetSelected() {
  if (!HandleAllocated()) return FSavedSelected;
  return NodeOf(reinterpret_cast<HTREEITEM>(SendMessageW(GetHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TTreeView::SetSelected(TTreeNode* Value) {
  if (!HandleAllocated()) {
    FSavedSelected = Value;
    return;
  }
  SendMessageW(GetHandle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Value ? Value->FItem : nullptr));
}

void TTreeView::SetReadOnly(bool Value) { if (FReadOnly != Value) { FReadOnly = Value; RecreateWnd(); } }
void TTreeView::SetShowLines(bool Value) { if (FShowLines != Value) { FShowLines = Value; RecreateWnd(); } }
void TTreeView::SetShowRoot(bool Value) { if (FShowRoot != Value) { FShowRoot = Value; RecreateWnd(); } }
void TTreeView::SetShowButtons(bool Value) { if (FShowButtons != Value) { FShowButtons = Value; RecreateWnd(); } }
void TTreeView::SetHideSelection(bool Value) { if (FHideSelection != Value) { FHideSelection = Value; RecreateWnd(); } }
void TTreeView::SetRowSelect(bool Value) { if (FRowSelect != Value) { FRowSelect = Value; RecreateWnd(); } }

void TTreeView::FullExpand() {
  for (TTreeNode* N : FItems->FRoots) N->Expand(true);
}

void TTreeView::FullCollapse() {
  for (TTreeNode* N : FItems->FRoots) N->Collapse(true);
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) {
  TVHITTESTINFO HT{};
  HT.pt = POINT{X, Y};
  HTREEITEM Item = reinterpret_cast<HTREEITEM>(SendMessageW(GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&HT)));
  return (HT.flags & TVHT_ONITEM) ? NodeOf(Item) : nullptr;
}

void TTreeView::Dispatch(TMessage& Message) {
  if (Message.Msg != CN_NOTIFY) {
    TWinControl::Dispatch(Message);
    return;
  }
  auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  Message.Result = 0;
  switch (Hdr->code) {
    case TVN_SELCHANGINGW: {
      if (FFilling) break;
      auto* NV = reinterpret_cast<NMTREEVIEWW*>(Hdr);
      bool Allow = true;
      OnChanging(this, reinterpret_cast<TTreeNode*>(NV->itemNew.lParam), Allow);
      Message.Result = Allow ? 0 : 1;
      break;
    }
    case TVN_SELCHANGEDW: {
      if (FFilling) break;
      auto* NV = reinterpret_cast<NMTREEVIEWW*>(Hdr);
      OnChange(this, reinterpret_cast<TTreeNode*>(NV->itemNew.lParam));
      break;
    }
    case TVN_ITEMEXPANDEDW: {
      auto* NV = reinterpret_cast<NMTREEVIEWW*>(Hdr);
      auto* N = reinterpret_cast<TTreeNode*>(NV->itemNew.lParam);
      if (!N) break;
      N->FExpanded = NV->action == TVE_EXPAND;
      if (N->FExpanded) OnExpanded(this, N);
      else OnCollapsed(this, N);
      break;
    }
    case TVN_DELETEITEMW: break;
    case TVN_ENDLABELEDITW: {
      auto* DI = reinterpret_cast<NMTVDISPINFOW*>(Hdr);
      if (DI->item.pszText) {
        if (auto* N = reinterpret_cast<TTreeNode*>(DI->item.lParam)) N->FText = WideToUtf8(DI->item.pszText);
        Message.Result = 1;
      }
      break;
    }
    case NM_DBLCLK: DblClick(); break;
    case NM_CLICK: Click(); break;
    default: break;
  }
}

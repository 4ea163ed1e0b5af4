// TTreeView over the system tree view: nodes with text, a data pointer and child
// nodes, kept by the control and mirrored into the window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/WinControl.h"

class TTreeView;
class TTreeNodes;

class TTreeNode : public TPersistent {
  SONVELT_CLASS(TTreeNode, TPersistent)
public:
  TTreeNode(TTreeView* Owner, TTreeNode* Parent) : FOwner(Owner), FParent(Parent) {}
  ~TTreeNode() override;
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& Value);
  void* GetData() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TTreeNode* GetParent() const { return FParent; }
  int GetCount() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* GetItem(int Index) const { return FChildren.at(static_cast<size_t>(Index)); }
  bool GetHasChildren() const { return !FChildren.empty(); }
  int GetIndex() const;
  int GetLevel() const;
  bool GetExpanded();
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool GetSelected();
  void SetSelected(bool Value);
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  HTREEITEM GetItemId() const { return FItem; }
  void Delete();
  void DeleteChildren();
  void MakeVisible();

private:
  friend class TTreeView;
  friend class TTreeNodes;
  TTreeView* FOwner;
  TTreeNode* FParent;
  std::vector<TTreeNode*> FChildren;
  std::string FText;
  void* FData = nullptr;
  int FImageIndex = -1;
  bool FExpanded = false;
  HTREEITEM FItem = nullptr;
};

class TTreeNodes : public TPersistent {
  SONVELT_CLASS(TTreeNodes, TPersistent)
public:
  explicit TTreeNodes(TTreeView* Owner) : FOwner(Owner) {}
  ~TTreeNodes() override;
  // A node after the last sibling of Sibling (at the top level when null).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Data);
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Data);
  // A node before Sibling, among its siblings.
  TTreeNode* Insert(TTreeNode* Sibling, const std::string& S);
  void Delete(TTreeNode* Node);
  void Clear();
  // Every node, in the order they show when all are expanded.
  int GetCount() const;
  TTreeNode* GetItem(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  void BeginUpdate();
  void EndUpdate();

private:
  friend class TTreeView;
  friend class TTreeNode;
  TTreeNode* InsertNode(TTreeNode* Parent, int Index, const std::string& S, void* Data);
  std::vector<TTreeNode*>& SiblingsOf(TTreeNode* Parent) { return Parent ? Parent->FChildren : FRoots; }
  void Flatten(std::vector<TTreeNode*>& L) const;
  TTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount = 0;
};

using TTVChangedEvent = TDelegate<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = TDelegate<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;

class TTreeView : public TWinControl {
  SONVELT_CLASS(TTreeView, TWinControl)
public:
  explicit TTreeView(TComponent* AOwner);
  ~TTreeView() override;
  TTreeNodes* GetItems() const { return FItems.get(); }
  TTreeNode* GetSelected();
  void SetSelected(TTreeNode* Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool GetShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool GetShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  bool GetShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  void FullExpand();
  void FullCollapse();
  TTreeNode* GetNodeAt(int X, int Y);
  void Dispatch(TMessage& Message) override;
  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVChangedEvent OnExpanded;
  TTVChangedEvent OnCollapsed;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Node and its children are about to go.
  virtual void Deleting(TTreeNode* Node) { (void)Node; }

private:
  friend class TTreeNode;
  friend class TTreeNodes;
  void WindowInsert(TTreeNode* Node);
  void ForgetItems(TTreeNode* Node);
  TTreeNode* NodeOf(HTREEITEM Item);
  TOwned<TTreeNodes> FItems;
  bool FReadOnly = false;
  bool FShowLines = true;
  bool FShowRoot = true;
  bool FShowButtons = true;
  bool FHideSelection = true;
  bool FRowSelect = false;
  bool FFilling = false;
  TTreeNode* FSavedSelected = nullptr;
};

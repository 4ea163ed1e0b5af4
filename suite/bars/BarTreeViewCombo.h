// The tree-view combo: a combo whose drop-down is a tree of nodes; choosing a node
// puts its text into the item. The drop-down is a top-level tree window whose
// non-client band, drawn by the bar painter, holds a size grip and a close button.
#pragma once

#include "framework/Form.h"
#include "framework/TreeView.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarEditItems.h"

class TButton;
class TCustomImageList;
class TdxBarTreeViewCombo;

using TdxBarTreeViewComboCanSelectNodeEvent = TDelegate<void(TObject* Sender, TTreeNode* Node, bool& Allow)>;

class TdxBarTreeView : public TTreeView {
  SONVELT_CLASS(TdxBarTreeView, TTreeView)
public:
  explicit TdxBarTreeView(TComponent* AOwner);
  ~TdxBarTreeView() override;

  TdxBarTreeViewCombo* GetOwningCombo() const { return FOwningCombo; }
  void SetOwningCombo(TdxBarTreeViewCombo* Value) { FOwningCombo = Value; }
  bool GetIsPopup() const { return FIsPopup; }
  void SetIsPopup(bool Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  // The popup belongs to the bar window it drops from; another one makes it anew.
  void SetOwnerWindow(HWND Value);

  // Depth first, parent before children, letter case ignored; null when none.
  TTreeNode* FindNodeByText(const std::string& Text) const;
  // The selected node becomes the combo's choice (in a dialog: its text).
  void ChooseSelected();
  // The drop-down never takes the focus from the combo's edit; the dialog's tree does.
  void SetFocus() override {
    if (!FIsPopup) TTreeView::SetFocus();
  }
  void Dispatch(TMessage& Message) override;

  // The system band, in screen coordinates, as the painter last drew it.
  RECT GetGripBounds() const { return FGripBounds; }
  RECT GetCloseGlyphBounds() const { return FCloseGlyphBounds; }
  bool GetPointerOnCloseGlyph() const { return FPointerOnCloseGlyph; }
  int GetGripCorner() const { return FGripCorner; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Deleting(TTreeNode* Node) override;

private:
  class TdxBarPainter* Painter() const;
  class TdxBarItemControl* ComboControl() const;
  bool WithPanel() const;
  LRESULT NonClientHitTest(POINT Screen);
  void SetPointerOnCloseGlyph(bool Value);
  void PaintSysPanel();
  // A press on a node, a double click, or Enter: chooses when the combo's rule says so.
  void NodeClicked(bool Double);
  TdxBarTreeViewCombo* FOwningCombo = nullptr;
  TCustomImageList* FImages = nullptr;
  HWND FOwnerWindow = nullptr;
  bool FIsPopup = false;
  int FGripCorner = 3;
  RECT FGripBounds{};
  RECT FCloseGlyphBounds{};
  bool FPointerOnCloseGlyph = false;
  bool FTrackingCloseGlyph = false;
};

class TdxBarTreeViewCombo : public TCustomdxBarCombo {
  SONVELT_CLASS(TdxBarTreeViewCombo, TCustomdxBarCombo)
public:
  explicit TdxBarTreeViewCombo(TComponent* AOwner);
  ~TdxBarTreeViewCombo() override;
  static void Publish(TPublisher<TdxBarTreeViewCombo>& P);

  bool GetAllowResizing() const { return FAllowResizing; }
  void SetAllowResizing(bool Value) { FAllowResizing = Value; }
  bool GetChooseByDblClick() const { return FChooseByDblClick; }
  void SetChooseByDblClick(bool Value) { FChooseByDblClick = Value; }
  int GetDropDownWidth() const;
  void SetDropDownWidth(int Value);
  int GetDropDownHeight() const;
  void SetDropDownHeight(int Value);
  bool GetFullExpand() const { return FFullExpand; }
  void SetFullExpand(bool Value) { FFullExpand = Value; }
  bool GetShowImageInEdit() const { return FShowImageInEdit; }
  void SetShowImageInEdit(bool Value);
  TCustomImageList* GetImages() const;
  void SetImages(TCustomImageList* Value);
  TTreeNodes* GetItems() const;
  bool GetShowButtons() const;
  void SetShowButtons(bool Value);
  bool GetShowLines() const;
  void SetShowLines(bool Value);
  bool GetShowRoot() const;
  void SetShowRoot(bool Value);

  TdxBarTreeView* GetTreeView() const { return FTreeView.get(); }
  TTreeNode* GetSelectedNode() const { return FChosenNode; }
  void SetSelectedNode(TTreeNode* Value);
  // The chosen node's text becomes Text (an unchanged text fires only the change).
  virtual void SelectedNodeChanged();
  // Outside loading, the node of that text (letter case ignored) becomes the choice.
  void SetText(const std::string& Value) override;
  // OnCanSelectNode's answer for Node (the drop-down's selected node without one).
  bool CanSelectNode();
  bool CanSelectNode(TTreeNode* Node);
  // Without an OnClick handler and unless read-only, a click opens the "Select
  // item" dialog with a copy of the tree; OK takes the selected node's text, and
  // the next drop-down is as large as the dialog's tree was.
  void Click() override;

  bool CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) override;
  HWND GetDropDownWindow() override;
  void DoDropDown(POINT At, SIZE ItemSize, bool InVerticalHolder) override;
  void DoCloseUp() override;

  TdxBarTreeViewComboCanSelectNodeEvent OnCanSelectNode;

protected:
  void Loaded() override;

private:
  friend class TdxBarTreeView;
  void NodeDeleted(TTreeNode* Node);
  TOwned<TdxBarTreeView> FTreeView;
  TTreeNode* FChosenNode = nullptr;
  std::string FTextReadWhileLoading;
  bool FReactingToNodeChoice = false;
  bool FAllowResizing = true;
  bool FChooseByDblClick = true;
  bool FFullExpand = false;
  bool FShowImageInEdit = true;
};

// The tree-view combo on a bar: as high as its images, the drop-down selecting the
// chosen node when the edit takes the focus.
class TdxBarTreeViewComboControl : public TCustomdxBarComboControl {
  SONVELT_CLASS(TdxBarTreeViewComboControl, TCustomdxBarComboControl)
public:
  using TCustomdxBarComboControl::TCustomdxBarComboControl;
  int CalcHeight() override;
  void SetFocused(bool Value) override;
  void DrawInner() override;
};

// The "Select item" dialog of a tree-view combo: a copy of the drop-down's tree,
// OK and Cancel; with AllowResizing the user may resize it.
class TdxBarTreeViewComboDialog : public TForm {
  SONVELT_CLASS(TdxBarTreeViewComboDialog, TForm)
public:
  explicit TdxBarTreeViewComboDialog(TdxBarTreeViewCombo* Combo);
  TdxBarTreeView* GetTreeView() const { return FTree; }
  TButton* GetOkButton() const { return FOk; }
  TButton* GetCancelButton() const { return FCancel; }

private:
  void FormResize(TObject* Sender);
  TdxBarTreeView* FTree = nullptr;
  TButton* FOk = nullptr;
  TButton* FCancel = nullptr;
  int FW = 0, FH = 0, FM = 0;
};

// The sub-menu editor of the customization tools: a caption bar that carries the
// menu of a sub-item (or another links owner) right below it, so that the menu's
// links can be edited by dragging while the manager customizes. There is at most
// one; its layout is form text of our own.
#pragma once

#include "suite/bars/BarDialogControls.h"

class TCustomdxBarControl;
class TdxBarItemLinks;

class TdxBarSubMenuEditor : public TdxBarDialogForm {
  SONVELT_CLASS(TdxBarSubMenuEditor, TdxBarDialogForm)
public:
  explicit TdxBarSubMenuEditor(TComponent* AOwner);
  ~TdxBarSubMenuEditor() override;
  TdxBarItemLinks* GetItemLinks() const { return FItemLinks; }
  // Takes the links to edit (the menu of the previous ones closes).
  void SetItemLinks(TdxBarItemLinks* Value);
  // The window that shows the links; null when they have none.
  TCustomdxBarControl* GetBarControl() const;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  // Opens the links' menu below the editor, also when a drag passes over the
  // editor's caption, unless the dragged item may not go into the links.
  void Activate() override;
  void DoShow() override;
  void DoClose(TCloseAction& Action) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ShowBarControl();
  void CloseBarControl();
  void KeepBarControlBelow();
  TdxBarItemLinks* FItemLinks = nullptr;
  TComponent* FLinksOwner = nullptr;
  int FBarControlWidth = 0;
};

// Makes the links' manager customize and opens the editor for Links.
void ShowSubMenuEditor(TdxBarItemLinks* Links);
// The open editor; null while it is closed.
TdxBarSubMenuEditor* ActiveSubMenuEditorForm();
// Frees the open editor, if any.
void FreeSubMenuEditor();

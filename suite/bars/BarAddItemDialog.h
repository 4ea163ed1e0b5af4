// The new-item dialog of the customization tools: a new item of one of the kinds
// offered in the customizing lists, with its category, name and caption.
#pragma once

#include "suite/bars/BarDialogControls.h"

class TButton;
class TComboBox;
class TEdit;
class TdxBarItem;
class TdxBarManager;

// Its layout is form text of our own.
class TdxBarItemAddEditor : public TdxBarDialogForm {
  SONVELT_CLASS(TdxBarItemAddEditor, TdxBarDialogForm)
public:
  static void Publish(TPublisher<TdxBarItemAddEditor>& P);
  TdxBarItemAddEditor(TdxBarManager* Manager, int CategoryIndex);
  TComboBox* GetTypeBox() const { return FTypeBox; }
  TComboBox* GetCategoryBox() const { return FCategoryBox; }
  TEdit* GetNameEdit() const { return FNameEdit; }
  TEdit* GetCaptionEdit() const { return FCaptionEdit; }
  TButton* GetOkButton() const { return FOk; }
  TButton* GetCancelButton() const { return FCancel; }
  // The item made by OK; null before.
  TdxBarItem* GetCreatedItem() const { return FCreatedItem; }

private:
  void ComboBox1Change(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void ProposeName();
  TdxBarManager* FManager;
  TComboBox* FTypeBox = nullptr;
  TComboBox* FCategoryBox = nullptr;
  TEdit* FNameEdit = nullptr;
  TEdit* FCaptionEdit = nullptr;
  TButton* FOk = nullptr;
  TButton* FCancel = nullptr;
  TdxBarItem* FCreatedItem = nullptr;
};

// Runs the dialog; the new item, or null when cancelled.
TdxBarItem* ShowAddItemDialog(TdxBarManager* Manager, int CategoryIndex);

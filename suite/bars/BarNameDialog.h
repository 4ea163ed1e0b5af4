// The name dialog of the customization tools: the name of a new or renamed
// toolbar or category. A toolbar may not take the caption of another toolbar of
// its manager.
#pragma once

#include "framework/Form.h"
#include "suite/bars/BarCustomization.h"

class TButton;
class TEdit;
class TLabel;
class TdxBar;
class TdxBarManager;

class TdxBarNameEd : public TForm {
  SONVELT_CLASS(TdxBarNameEd, TForm)
public:
  TdxBarNameEd(TdxBarNameDialogKind Kind, TdxBarNameDialogMode Mode, TdxBar* Bar, TdxBarManager* Manager);
  TEdit* GetNameEdit() const { return FEName; }
  TButton* GetOkButton() const { return FBOK; }
  TButton* GetCancelButton() const { return FBCancel; }

private:
  void NameChange(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  TdxBarNameDialogKind FKind;
  TdxBar* FBar;
  TdxBarManager* FManager;
  TLabel* FLName = nullptr;
  TEdit* FEName = nullptr;
  TButton* FBOK = nullptr;
  TButton* FBCancel = nullptr;
};

// The name dialog of the customization tools: the name of a new or renamed
// toolbar or category. A toolbar may not take the caption of another toolbar of
// its manager.
#pragma once

#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarDialogControls.h"

class TButton;
class TEdit;
class TLabel;
class TdxBar;
class TdxBarManager;

// Its layout is form text of our own; the texts come from the library's strings.
class TdxBarNameEd : public TdxBarDialogForm {
  SONVELT_CLASS(TdxBarNameEd, TdxBarDialogForm)
public:
  static void Publish(TPublisher<TdxBarNameEd>& P);
  TdxBarNameEd(TdxBarNameDialogKind Kind, TdxBarNameDialogMode Mode, TdxBar* Bar, TdxBarManager* Manager);
  TEdit* GetNameEdit() const { return FEName; }
  TButton* GetOkButton() const { return FBOK; }
  TButton* GetCancelButton() const { return FBCancel; }

private:
  void ENameChange(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  TdxBarNameDialogKind FKind;
  TdxBar* FBar;
  TdxBarManager* FManager;
  TLabel* FLName = nullptr;
  TEdit* FEName = nullptr;
  TButton* FBOK = nullptr;
  TButton* FBCancel = nullptr;
};

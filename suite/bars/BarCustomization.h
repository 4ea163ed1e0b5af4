// The run-time customization form, the toolbar-name dialog and the design-time
// sub-menu editor, as the bars use them. Their forms come with the customization
// work; until then no form is ever open and every dialog answers "cancelled".
#pragma once

#include <windows.h>

#include <string>

#include "framework/Form.h"
#include "suite/bars/BarTypes.h"

class TdxBarCustomCustomizationForm : public TForm {
  SONVELT_CLASS(TdxBarCustomCustomizationForm, TForm)
public:
  explicit TdxBarCustomCustomizationForm(TComponent* AOwner) : TForm(AOwner) {}
  TdxBarManager* GetBarManager() const { return FBarManager; }
  void SetBarManager(TdxBarManager* Value) { FBarManager = Value; }
  // Shows or hides itself as the owner form's window is shown or hidden.
  virtual void FollowOwnerVisibility(const WINDOWPOS& WindowPos);
  // The list box of categories (a drop target of customizing drags); null here.
  virtual HWND CategoryListWindow() const { return nullptr; }

private:
  TdxBarManager* FBarManager = nullptr;
};

// The open customization form; null while it is closed.
TdxBarCustomCustomizationForm* ActiveCustomizationForm();
// Opens (unless open) or closes the customization form of Manager.
void ShowCustomizationForm(TdxBarManager* Manager, bool Show);
void RefreshCustomizationFormLook();
void RefreshCustomizationFormOptions();
void RefreshCustomizationFormHelpButton();
// The open design-time sub-menu editor's window; null while it is closed.
HWND ActiveSubMenuEditor();

enum TdxBarNameDialogKind : std::uint8_t { bndToolbar, bndCategory };
enum TdxBarNameDialogMode : std::uint8_t { bndmNew, bndmRename };
// The modal name dialog; true with the confirmed name.
bool ExecuteBarNameDialog(std::string& Name, TdxBarNameDialogKind Kind, TdxBarNameDialogMode Mode, TdxBar* Bar,
                          TdxBarManager* Manager);

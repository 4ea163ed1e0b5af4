#include "suite/bars/BarCustomization.h"

void TdxBarCustomCustomizationForm::FollowOwnerVisibility(const WINDOWPOS& WindowPos) {
  if (!HandleAllocated()) return;
  if (WindowPos.flags & SWP_SHOWWINDOW) ShowWindow(GetHandle(), SW_SHOWNA);
  if (WindowPos.flags & SWP_HIDEWINDOW) ShowWindow(GetHandle(), SW_HIDE);
}

TdxBarCustomCustomizationForm* ActiveCustomizationForm() { return nullptr; }

void ShowCustomizationForm(TdxBarManager* Manager, bool Show) { (void)Manager, (void)Show; }

void RefreshCustomizationFormLook() {}
void RefreshCustomizationFormOptions() {}
void RefreshCustomizationFormHelpButton() {}

HWND ActiveSubMenuEditor() { return nullptr; }

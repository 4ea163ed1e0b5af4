// How a frame's manager follows the MDI children of the application's main form.
#include "framework/Application.h"
#include "framework/Form.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/WindowUtils.h"

bool TdxBarManager::IsInMDIChildForm(bool Recursive) const {
  TCustomForm* Form = Recursive ? OwnerChildOrTopForm() : NearestOwnerForm();
  return Form && IsRunTimeMDIChild(Form);
}

void TdxBarManager::CheckMDIState() {
  HWND Child = ActiveMDIChildWindow();
  bool Maximized = Child && IsZoomed(Child);
  if (Child != FPrevActiveMDIChild) {
    HWND Previous = FPrevActiveMDIChild;
    FPrevActiveMDIChild = Child;
    if (Previous) MDIStateChanged(mdiscDeactivated, Previous);
    if (Child) MDIStateChanged(mdiscActivated, Child);
  }
  if (Maximized != FMDIChildMaximized) {
    FMDIChildMaximized = Maximized;
    MDIStateChanged(mdiscMaximizedChanged, Child);
  }
}

void TdxBarManager::MDIStateChanged(TdxBarMDIStateChange Kind, HWND ChildWnd) {
  TdxBarMDIStateChangeData Data{Kind, ChildWnd};
  FMDIStateChangedHandlers->FireAll(this, &Data);
}

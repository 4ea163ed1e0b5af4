#include "suite/bars/BarUnit.h"

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "framework/Screen.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemRegistry.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarMDI.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarPainters.h"
#include "suite/bars/BarQuickCustControls.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStaticControls.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/Bars.h"
#include "suite/common/UnitLifetime.h"

namespace {
// The unit's state; see BarUnit.h and BarRoutines.h.
struct TBarUnitState {
  bool Finalizing = false;
  HMODULE User32 = nullptr;
  TUpdateLayeredWindowProc UpdateLayeredWindow = nullptr;
  TAnimateWindowProc AnimateWindow = nullptr;
  TSetLayeredWindowAttributesProc SetLayeredWindowAttributes = nullptr;
  TdxBarManagerList* Managers = nullptr;
  std::vector<TCustomdxBarControl*>* BarControls = nullptr;
  TdxBarNavigationController* Navigation = nullptr;
  TdxBarDesignController* DesignController = nullptr;
  TdxBarCanvas* Canvas = nullptr;
  TdxBarItemList* Registry = nullptr;
  TCustomdxBarControl* TopActive = nullptr;
};
TBarUnitState State;
bool StartupHookAdded = false;

void StartBarUnit();
void EndBarUnit();
TSuiteUnit Unit(&StartBarUnit, &EndBarUnit);

const struct {
  TCursor Id;
  const wchar_t* Name;
} BarCursors[] = {{crdxBarDrag, L"DXBAR_DRAGCURSOR"},
                  {crdxBarDragCopy, L"DXBAR_DRAGCOPYCURSOR"},
                  {crdxBarDragNoDrop, L"DXBAR_NODROPCURSOR"},
                  {crdxBarEditSizing, L"DXBAR_EDITSIZINGCURSOR"}};

void StartBarUnit() {
  State.Finalizing = false;
  EnsureBarStrings();
  RegisterClasses({TdxBar::StaticClass(), TdxBarGroup::StaticClass()});
  State.User32 = LoadLibraryW(L"USER32");
  if (State.User32) {
    State.UpdateLayeredWindow =
        reinterpret_cast<TUpdateLayeredWindowProc>(reinterpret_cast<void (*)()>(GetProcAddress(State.User32, "UpdateLayeredWindow")));
    State.AnimateWindow = reinterpret_cast<TAnimateWindowProc>(reinterpret_cast<void (*)()>(GetProcAddress(State.User32, "AnimateWindow")));
    State.SetLayeredWindowAttributes = reinterpret_cast<TSetLayeredWindowAttributesProc>(reinterpret_cast<void (*)()>(GetProcAddress(State.User32, "SetLayeredWindowAttributes")));
  }
  State.Managers = TdxBarManagerList::Create();
  RefreshScreenColorDepth();
  RefreshPatternBrush();
  State.BarControls = new std::vector<TCustomdxBarControl*>();
  State.Navigation = TdxBarNavigationController::Create();

  RegisterBarItemClass(TdxBarButton::StaticClass(), TdxBarButtonControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarEdit::StaticClass(), TdxBarEditControl::StaticClass(), true);
  RegisterBarItemClass(TCustomdxBarCombo::StaticClass(), TCustomdxBarComboControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarCombo::StaticClass(), TdxBarComboControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarSubItem::StaticClass(), TdxBarSubItemControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarListItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarContainerItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarExtraPaneListItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), false);
  RegisterBarItemClass(TdxBarLabel::StaticClass(), TdxBarCustomStaticControl::StaticClass(), false);
  RegisterBarItemClass(TdxBarSeparator::StaticClass(), TdxBarSeparatorControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarApplicationMenuButtonItem::StaticClass(),
                       TdxBarApplicationMenuButtonControl::StaticClass(), false);
  RegisterBarItemClass(TdxBarQuickCustExtButton::StaticClass(), TdxBarQuickCustExtButtonControl::StaticClass(),
                       false);
  RegisterBarItemClass(TdxBarQuickCustItem::StaticClass(), TdxBarQuickCustItemControl::StaticClass(), false);
  RegisterBarItemClass(TdxBarQuickAccessItem::StaticClass(), TdxBarSubItemControl::StaticClass(), false);
  RegisterBarItemClass(TSystemMenuSubItem::StaticClass(), TSystemMenuSubItemControl::StaticClass(), false);

  TdxBarDesignController* Design = BarDesignControllerInstance();
  Design->RegisterEditor(TdxAddSubItemEditor::StaticClass());
  Design->RegisterEditor(TdxAddButtonEditor::StaticClass());
  Design->RegisterEditor(TdxItemsEditorEx::StaticClass());
  Design->RegisterDesignHelper(TdxBarControl::StaticClass(), TdxBarControlDesignHelper::StaticClass());
  Design->RegisterDesignHelper(TdxBarSubMenuControl::StaticClass(), TdxBarSubMenuControlDesignHelper::StaticClass());
  Design->RegisterDesignHelper(TdxBarApplicationMenuControl::StaticClass(),
                               TdxBarApplicationMenuControlDesignHelper::StaticClass());

  if (Screen)
    for (const auto& C : BarCursors) Screen->SetCursors(C.Id, LoadCursorFileResource(GetModuleHandleW(nullptr), C.Name));
  if (!StartupHookAdded) {
    StartupHookAdded = true;
    TApplication::RegisterStartupHook(&BarUnitInitProc);
  }
}

void EndBarUnit() {
  State.Finalizing = true;
  FreeAndNil(State.Navigation);
  delete State.BarControls;
  State.BarControls = nullptr;
  FreeAndNil(State.Registry);
  FreeAndNil(State.DesignController);
  FreeAndNil(State.Canvas);
  FreePainterInstances();
  RefreshPatternBrush();
  FreeAndNil(State.Managers);
  if (State.User32) FreeLibrary(State.User32);
  State.User32 = nullptr;
  State.UpdateLayeredWindow = nullptr;
  State.AnimateWindow = nullptr;
  State.SetLayeredWindowAttributes = nullptr;
  State.TopActive = nullptr;
}
}  // namespace

void EnsureBarUnit() { Unit.Ensure(); }

void RestartBarUnit() { Unit.Restart(); }

bool IsBarUnitFinalizing() { return State.Finalizing; }

TUpdateLayeredWindowProc UpdateLayeredWindowEntry() {
  Unit.Ensure();
  return State.UpdateLayeredWindow;
}
TAnimateWindowProc AnimateWindowEntry() {
  Unit.Ensure();
  return State.AnimateWindow;
}
TSetLayeredWindowAttributesProc SetLayeredWindowAttributesEntry() {
  Unit.Ensure();
  return State.SetLayeredWindowAttributes;
}

void BarUnitInitProc() { SilenceMenuSound(); }

TdxBarManagerList* BarManagerList() {
  Unit.Ensure();
  return State.Managers;
}

TdxBarDesignController* BarDesignControllerInstance() {
  Unit.Ensure();
  if (!State.DesignController && !State.Finalizing) State.DesignController = TdxBarDesignController::Create();
  return State.DesignController;
}

TdxBarCanvas* BarCanvasInstance() {
  Unit.Ensure();
  if (!State.Canvas && !State.Finalizing) State.Canvas = TdxBarCanvas::Create();
  return State.Canvas;
}

TdxBarItemList* BarItemClassRegistry() {
  if (!State.Registry && !State.Finalizing) State.Registry = TdxBarItemList::Create();
  return State.Registry;
}

TdxBarFlatPainter* FlatPainterInstance() {
  return static_cast<TdxBarFlatPainter*>(PainterInstanceOf(TdxBarFlatPainter::StaticClass()));
}

TdxBarNavigationController* BarNavigationControllerInstance() {
  Unit.Ensure();
  return State.Navigation;
}

TdxBarNavigationController* ReplaceBarNavigationController(TdxBarNavigationController* Controller) {
  Unit.Ensure();
  TdxBarNavigationController* Previous = State.Navigation;
  State.Navigation = Controller;
  return Previous;
}

void RegisterBarControl(TCustomdxBarControl* BarControl) {
  Unit.Ensure();
  if (State.BarControls && BarControl) State.BarControls->push_back(BarControl);
}

void UnregisterBarControl(TCustomdxBarControl* BarControl) {
  if (State.TopActive == BarControl) State.TopActive = nullptr;
  if (State.BarControls) std::erase(*State.BarControls, BarControl);
}

bool IsBarControlAlive(TCustomdxBarControl* BarControl) {
  return BarControl && State.BarControls &&
         std::find(State.BarControls->begin(), State.BarControls->end(), BarControl) != State.BarControls->end();
}

std::vector<TCustomdxBarControl*> LiveBarControls() {
  return State.BarControls ? *State.BarControls : std::vector<TCustomdxBarControl*>{};
}

TCustomdxBarControl* TopActiveBarControl() { return State.TopActive; }

void SetTopActiveBarControl(TCustomdxBarControl* Value) { State.TopActive = Value; }

#include "suite/bars/BarExtItemsUnit.h"

#include <vector>

#include "framework/Bitmap.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarColorCombo.h"
#include "suite/bars/BarControlContainer.h"
#include "suite/bars/BarDateCombo.h"
#include "suite/bars/BarFontNameCombo.h"
#include "suite/bars/BarImageCombo.h"
#include "suite/bars/BarInPlaceSubItem.h"
#include "suite/bars/BarItemRegistry.h"
#include "suite/bars/BarLargeButton.h"
#include "suite/bars/BarMRUListItem.h"
#include "suite/bars/BarSpinEdit.h"
#include "suite/bars/BarStaticItemControls.h"
#include "suite/bars/BarStaticItems.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarToolbarsListItem.h"
#include "suite/bars/BarTreeViewCombo.h"
#include "suite/bars/BarUnit.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/cxDateUtils.h"

namespace {
int FirstWeekDay = 0;
TOwned<TBitmap> FontMarks[2];

// A picture the program carries, or null.
TOwned<TBitmap> LoadPicture(const char* ResourceName) {
  if (!FindResourceA(GetModuleHandleW(nullptr), ResourceName, MAKEINTRESOURCEA(2))) return nullptr;
  TOwned<TBitmap> B(TBitmap::Create());
  B->LoadFromResourceName(GetModuleHandleW(nullptr), ResourceName);
  return B;
}

struct TRegistration {
  TClass ItemClass;
  TdxBarItemControlClass ControlClass;
};

// The order the customizing lists show the kinds in.
std::vector<TRegistration> Registrations() {
  return {
      {TdxBarStatic::StaticClass(), TdxBarStaticControl::StaticClass()},
      {TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass()},
      {TdxBarColorCombo::StaticClass(), TdxBarColorComboControl::StaticClass()},
      {TdxBarFontNameCombo::StaticClass(), TdxBarComboControl::StaticClass()},
      {TdxBarDateCombo::StaticClass(), TdxBarDateComboControl::StaticClass()},
      {TdxBarTreeViewCombo::StaticClass(), TdxBarTreeViewComboControl::StaticClass()},
      {TdxBarImageCombo::StaticClass(), TdxBarImageComboControl::StaticClass()},
      {TdxBarToolbarsListItem::StaticClass(), TdxBarToolbarsListItemControl::StaticClass()},
      {TdxBarSpinEdit::StaticClass(), TdxBarSpinEditControl::StaticClass()},
      {TdxBarControlContainerItem::StaticClass(), TdxBarControlContainerControl::StaticClass()},
      {TdxBarProgressItem::StaticClass(), TdxBarProgressControl::StaticClass()},
      {TdxBarMRUListItem::StaticClass(), TdxBarContainerItemControl::StaticClass()},
      {TdxBarInPlaceSubItem::StaticClass(), TdxBarInPlaceSubItemControl::StaticClass()},
  };
}

void StartUnit() {
  EnsureBarUnit();
  FirstWeekDay = LocaleFirstWeekDay();
  for (const TRegistration& R : Registrations()) RegisterBarItemClass(R.ItemClass, R.ControlClass, true);
}

void EndUnit() {
  for (const TRegistration& R : Registrations()) UnregisterBarItemClass(R.ItemClass);
  FreeBarFontDialog();
  FreeBarColorDialog();
  for (TOwned<TBitmap>& Mark : FontMarks) Mark.reset();
}

TSuiteUnit Unit(&StartUnit, &EndUnit);
}  // namespace

void EnsureBarExtItemsUnit() { Unit.Ensure(); }
void RestartBarExtItemsUnit() { Unit.Restart(); }
void FinishBarExtItemsUnit() { Unit.Finish(); }
bool BarExtItemsUnitRunning() { return Unit.Running(); }

int BarCalendarFirstWeekDay() {
  Unit.Ensure();
  return FirstWeekDay;
}

void LoadBarItemGlyph(TdxBarItem* Item, const char* ResourceName) {
  if (TOwned<TBitmap> B = LoadPicture(ResourceName)) Item->SetGlyph(B.get());
}

TBitmap* BarFontMark(bool TrueType) {
  Unit.Ensure();
  TOwned<TBitmap>& Mark = FontMarks[TrueType ? 0 : 1];
  if (!Mark) Mark = LoadPicture(TrueType ? "DXBARTRUETYPEFONT" : "DXBARNONTRUETYPEFONT");
  return Mark.get();
}

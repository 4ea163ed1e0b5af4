// The main window's suite part: the command pictures, the bar manager with its menus
// and toolbars, the side bar and the status bar come from form text (resources
// "MainImages", "MainBars" and "MainSuite") read into the window the code has built,
// bound by name to the actions it created.
#include "app/MainForm.h"

#include "app/GlobalVars.h"

#include "framework/Action.h"
#include "framework/ClassRegistry.h"
#include "framework/ComponentStreams.h"
#include "framework/Exceptions.h"
#include "framework/Menus.h"
#include "framework/Published.h"
#include "suite/bars/BarLargeButton.h"
#include "suite/bars/BarMRUListItem.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarStaticItems.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"
#include "suite/common/cxImageList.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarCollections.h"
#include "suite/navbar/NavBarStyles.h"
#include "suite/navbar/StatusBar.h"

namespace {

template <class T>
T* Named(TComponent* Root, const char* Name) {
  auto* C = dynamic_cast<T*>(Root->FindComponent(Name));
  if (!C) throw EComponentError("The main window's form text has no %s", {Name});
  return C;
}

}  // namespace

SONVELT_PUBLISHED(TMainForm, P) {
  P.Handler("dxBarListWindowsGetData", &TMainForm::dxBarListWindowsGetData);
  P.Handler("dxBarListWindowsClick", &TMainForm::dxBarListWindowsClick);
  P.Handler("dxBarMRUFilesClick", &TMainForm::dxBarMRUFilesClick);
}

void TMainForm::AfterConstruction() {
  ReadSuiteForms();
  TForm::AfterConstruction();
}

void TMainForm::ReadSuiteForms() {
  // Named here, so that the linker keeps the classes the form text names and
  // their registration runs before the reading needs it.
  RegisterClasses({TcxImageList::StaticClass(), TdxNavBar::StaticClass(), TdxNavBarGroup::StaticClass(),
                   TdxNavBarItem::StaticClass(), TdxStatusBar::StaticClass(), TdxBarManager::StaticClass(),
                   TdxBar::StaticClass(), TdxBarLargeButton::StaticClass(), TdxBarSubItem::StaticClass(),
                   TdxBarListItem::StaticClass(), TdxBarMRUListItem::StaticClass(), TdxBarStatic::StaticClass()});
  ReadComponentRes("MainImages", this);
  ReadComponentRes("MainBars", this);
  ReadComponentRes("MainSuite", this);
  cxImageListSmall = Named<TcxImageList>(this, "cxImageListSmall");
  cxImageListBig = Named<TcxImageList>(this, "cxImageListBig");
  dxNavBar = Named<TdxNavBar>(this, "dxNavBar");
  dxStatusBar = Named<TdxStatusBar>(this, "dxStatusBar");
  BarManager = Named<TdxBarManager>(this, "BarManager");
  dxBarMRUFiles = Named<TdxBarMRUListItem>(this, "dxBarMRUFiles");
  dxBarListWindows = Named<TdxBarListItem>(this, "dxBarListWindows");
  dxBarLargeButtonShowCommandBar = Named<TdxBarButton>(this, "dxBarLargeButtonShowCommandBar");
  dxBarLargeButtonBarOntheLeft = Named<TdxBarButton>(this, "dxBarLargeButtonBarOntheLeft");
  dxBarLargeButtonBarOntheRight = Named<TdxBarButton>(this, "dxBarLargeButtonBarOntheRight");
  // The popup menu's links are not kept in form data: made here from the items.
  dxBarPopupMenuSelection = TdxBarPopupMenu::Create(this);
  dxBarPopupMenuSelection->SetName("dxBarPopupMenuSelection");
  const std::pair<const char*, bool> SelectionLinks[] = {{"dxBarLargeButtonSelectSpecifiedTime", false},
                                                         {"dxBarLargeButtonSelectToStart", true},
                                                         {"dxBarLargeButtonSelectToEnd", false},
                                                         {"dxBarLargeButtonSelectAll", true}};
  for (const auto& [Name, BeginGroup] : SelectionLinks) {
    TdxBarItemLink* Link = dxBarPopupMenuSelection->GetItemLinks()->Add();
    Link->SetItem(Named<TdxBarItem>(this, Name));
    Link->SetBeginGroup(BeginGroup);
  }
  ActionList->SetImages(cxImageListSmall);
  PopupMenu->SetImages(cxImageListSmall);
}

void TMainForm::ApplyHintFont(const std::string& FontName) {
  TdxNavBarDefaultStyles* Styles = dxNavBar->GetDefaultStyles();
  for (int I = 0; I < Styles->Count(); ++I) Styles->GetIndexedStyle(I)->GetFont()->SetName(FontName);
}

void TMainForm::SetCommandBarButtons(bool Show, bool OnTheLeft) {
  // The actions first: their links then put the buttons down only where they still
  // agreed, so the buttons are set as well. In a group the button going down comes
  // first, as the last down button of a group refuses to go up.
  ActionShowCommandBar->SetChecked(Show);
  ActionBarOntheLeft->SetChecked(OnTheLeft);
  ActionBarOntheRight->SetChecked(!OnTheLeft);
  dxBarLargeButtonShowCommandBar->SetDown(Show);
  (OnTheLeft ? dxBarLargeButtonBarOntheLeft : dxBarLargeButtonBarOntheRight)->SetDown(true);
  (OnTheLeft ? dxBarLargeButtonBarOntheRight : dxBarLargeButtonBarOntheLeft)->SetDown(false);
  GlobalVarsRecord->ShowCommandBar = dxBarLargeButtonShowCommandBar->GetDown();
  GlobalVarsRecord->CommandBarOnTheLeft = dxBarLargeButtonBarOntheLeft->GetDown();
  dxNavBar->SetAlign(GlobalVarsRecord->CommandBarOnTheLeft ? alLeft : alRight);
  dxNavBar->SetVisible(GlobalVarsRecord->ShowCommandBar);
}

void TMainForm::UpdateNavBarGroups() {
  TdxNavBarGroups* Groups = dxNavBar->GetGroups();
  for (int G = 0; G < Groups->Count(); ++G) {
    TdxNavBarGroup* Group = Groups->Items(G);
    bool Offers = false;
    for (int L = 0; L < Group->LinkCount() && !Offers; ++L)
      if (TdxNavBarItem* Item = Group->Links(L)->GetItem()) Offers = Item->GetEnabled();
    if (Group->GetVisible() != Offers) Group->SetVisible(Offers);
  }
}

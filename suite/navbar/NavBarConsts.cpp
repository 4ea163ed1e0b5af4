#include "suite/navbar/NavBarConsts.h"

#include <windows.h>

#include "framework/Screen.h"
#include "framework/StringUtils.h"
#include "res/navbar/NavBarIds.h"
#include "suite/common/UnitLifetime.h"

const TResStringRec sdxNavigationPaneOverflowPanelCustomizeHint{nullptr, IDS_NB_NAVPANE_CUSTOMIZE_HINT};
const TResStringRec sdxNavigationPaneMinimizeNavPaneSignHint{nullptr, IDS_NB_NAVPANE_MINIMIZE_HINT};
const TResStringRec sdxNavigationPaneExpandNavPaneSignHint{nullptr, IDS_NB_NAVPANE_EXPAND_HINT};
const TResStringRec sdxNavigationPaneCollapseBarHint{nullptr, IDS_NB_NAVPANE_COLLAPSEBAR_HINT};
const TResStringRec sdxNavigationPaneCollapseBar{nullptr, IDS_NB_NAVPANE_COLLAPSEBAR};
const TResStringRec sdxInvalideGroupControl{nullptr, IDS_NB_INVALID_GROUP_CONTROL};
const TResStringRec sdxCannotFindView{nullptr, IDS_NB_CANNOT_FIND_VIEW};
const TResStringRec sdxViewAlreadyExists{nullptr, IDS_NB_VIEW_ALREADY_EXISTS};
const TResStringRec sdxNavBarOffice11ShowMoreButtons{nullptr, IDS_NB_SHOW_MORE_BUTTONS};
const TResStringRec sdxNavBarOffice11ShowFewerButtons{nullptr, IDS_NB_SHOW_FEWER_BUTTONS};
const TResStringRec sdxNavBarOffice11AddRemoveButtons{nullptr, IDS_NB_ADD_REMOVE_BUTTONS};
const TResStringRec sdxLinkToItemOfOtherBar{nullptr, IDS_NB_LINK_OTHER_BAR};

namespace {
void Fill(TdxProductResourceStrings* Product) {
  Product->RegisterString("sdxNavigationPaneOverflowPanelCustomizeHint", &sdxNavigationPaneOverflowPanelCustomizeHint);
  Product->RegisterString("sdxNavigationPaneMinimizeNavPaneSignHint", &sdxNavigationPaneMinimizeNavPaneSignHint);
  Product->RegisterString("sdxNavigationPaneExpandNavPaneSignHint", &sdxNavigationPaneExpandNavPaneSignHint);
  Product->RegisterString("sdxNavigationPaneCollapseBarHint", &sdxNavigationPaneCollapseBarHint);
  Product->RegisterString("sdxNavigationPaneCollapseBar", &sdxNavigationPaneCollapseBar);
  Product->RegisterString("sdxInvalideGroupControl", &sdxInvalideGroupControl);
  Product->RegisterString("sdxCannotFindView", &sdxCannotFindView);
  Product->RegisterString("sdxViewAlreadyExists", &sdxViewAlreadyExists);
  Product->RegisterString("sdxNavBarOffice11ShowMoreButtons", &sdxNavBarOffice11ShowMoreButtons);
  Product->RegisterString("sdxNavBarOffice11ShowFewerButtons", &sdxNavBarOffice11ShowFewerButtons);
  Product->RegisterString("sdxNavBarOffice11AddRemoveButtons", &sdxNavBarOffice11AddRemoveButtons);
  Product->RegisterString("sdxLinkToItemOfOtherBar", &sdxLinkToItemOfOtherBar);
}

TSuiteUnit StringsUnit([] { ResourceStringsRepository()->RegisterProduct(NavBarProductName, &Fill); },
                       [] { ResourceStringsRepository()->UnregisterProduct(NavBarProductName); });

struct TCursorIdent {
  int Value;
  const char* Name;
};
const TCursorIdent CursorIdents[] = {{dxcrDrag, "dxcrDrag"}, {dxcrDragCopy, "dxcrDragCopy"}, {dxcrLinks, "dxcrLinks"}};

struct TCursorEntry {
  int Slot;
  const wchar_t* Resource;
};
const TCursorEntry CursorEntries[] = {{dxcrDrag, L"DXNAVBARDRAGCURSOR"},
                                      {dxcrDragCopy, L"DXNAVBARDRAGCOPYCURSOR"},
                                      {dxcrLinks, L"DXNAVBARLINKSCURSOR"}};
HCURSOR LoadedCursors[3] = {};

// The cursors are stored as plain data (hot spot, then the image) because the
// linker cannot merge cursor resources of two resource scripts.
HCURSOR LoadCursorData(const wchar_t* Name) {
  HMODULE Module = GetModuleHandleW(nullptr);
  HRSRC Res = FindResourceW(Module, Name, MAKEINTRESOURCEW(10));
  if (!Res) return nullptr;
  HGLOBAL Data = LoadResource(Module, Res);
  if (!Data) return nullptr;
  return reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(static_cast<PBYTE>(LockResource(Data)),
                                                            SizeofResource(Module, Res), FALSE, 0x00030000, 32, 32,
                                                            LR_DEFAULTCOLOR));
}

TSuiteUnit CursorsUnit(
    [] {
      for (int I = 0; I < 3; ++I) {
        LoadedCursors[I] = LoadCursorData(CursorEntries[I].Resource);
        if (Screen && LoadedCursors[I]) Screen->SetCursors(CursorEntries[I].Slot, LoadedCursors[I]);
      }
    },
    [] {
      for (HCURSOR& C : LoadedCursors) {
        if (C) DestroyCursor(C);
        C = nullptr;
      }
    });
}  // namespace

void EnsureNavBarStrings() { StringsUnit.Ensure(); }
void EnsureNavBarCursors() { CursorsUnit.Ensure(); }

bool NavBarCursorToIdent(int Cursor, std::string& Ident) {
  for (const TCursorIdent& C : CursorIdents)
    if (C.Value == Cursor) {
      Ident = C.Name;
      return true;
    }
  return false;
}

bool IdentToNavBarCursor(const std::string& Ident, int& Cursor) {
  for (const TCursorIdent& C : CursorIdents)
    if (SameText(Ident, C.Name)) {
      Cursor = C.Value;
      return true;
    }
  return false;
}

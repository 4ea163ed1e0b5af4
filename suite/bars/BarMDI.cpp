#include "suite/bars/BarMDI.h"

#include <string>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Menus.h"
#include "framework/Unicode.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/cxCanvas.h"

namespace {
// The bitmap of a system-menu entry as the bars draw it: the unit's own pictures
// for the four window commands, else the entry's check mark or its bitmap.
void TakeEntryGlyph(TdxBarItem* Item, const MENUITEMINFOW& Info) {
  HBITMAP Source = nullptr;
  bool Own = false;
  UINT_PTR Kind = reinterpret_cast<UINT_PTR>(Info.hbmpItem);
  if (Kind >= reinterpret_cast<UINT_PTR>(HBMMENU_POPUP_CLOSE) &&
      Kind <= reinterpret_cast<UINT_PTR>(HBMMENU_POPUP_MINIMIZE)) {
    Source = LoadSystemMenuBitmap(Kind);
    Own = true;
  } else if (HBITMAP Check = (Info.fState & MFS_CHECKED) ? Info.hbmpChecked : Info.hbmpUnchecked) {
    Source = Check;
  } else if (Info.hbmpItem && Kind > 11) {
    Source = Info.hbmpItem;
  }
  if (!Source) return;
  TOwned<TBitmap> Glyph(TBitmap::Create());
  Glyph->SetHandle(static_cast<HBITMAP>(CopyImage(Source, IMAGE_BITMAP, 0, 0, 0)));
  if (!Glyph->GetEmpty()) Item->SetGlyph(Glyph.get());
  if (Own) DeleteObject(Source);
}
}  // namespace

HBITMAP LoadSystemMenuBitmap(UINT_PTR MenuBitmap) {
  const wchar_t* Name = nullptr;
  switch (MenuBitmap) {
    case 8:  // HBMMENU_POPUP_CLOSE
      Name = L"DXBARMENUCLOSE";
      break;
    case 9:  // HBMMENU_POPUP_RESTORE
      Name = L"DXBARMENURESTORE";
      break;
    case 10:  // HBMMENU_POPUP_MAXIMIZE
      Name = L"DXBARMENUMAXIMIZE";
      break;
    case 11:  // HBMMENU_POPUP_MINIMIZE
      Name = L"DXBARMENUMINIMIZE";
      break;
    default:
      return nullptr;
  }
  return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), Name, IMAGE_BITMAP, 0, 0, 0));
}

void TSystemMenuSubItem::RebuildFromSystemMenu() {
  BarDesignControllerInstance()->ClearInternalItems();
  GetItemLinks()->Clear();
  if (HMENU Menu = FChildWnd ? GetSystemMenu(FChildWnd, FALSE) : nullptr) AddMenuEntries(Menu, GetItemLinks());
}

void TSystemMenuSubItem::AddMenuEntries(HMENU Menu, TdxBarItemLinks* Links) {
  bool BeginGroup = false;
  for (int Pos = 0, Count = GetMenuItemCount(Menu); Pos < Count; ++Pos) {
    wchar_t Text[1024] = {};
    MENUITEMINFOW Info{};
    Info.cbSize = sizeof Info;
    // The bitmap too, where the window commands name their pictures; the type and
    // text then come by their own flags, as the system refuses the older combined one.
    Info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP;
    Info.dwTypeData = Text;
    Info.cch = 1024;
    if (!GetMenuItemInfoW(Menu, static_cast<UINT>(Pos), TRUE, &Info)) continue;
    if (Info.fType & MFT_SEPARATOR) {
      BeginGroup = true;
      continue;
    }
    if (Info.fType & MFT_BITMAP) {
      Text[0] = 0;
      GetMenuStringW(Menu, static_cast<UINT>(Pos), Text, 1024, MF_BYPOSITION);
    }
    if (!Info.dwTypeData) Text[0] = 0;
    std::string Entry = WideToUtf8(Text);
    std::string ShortCutText;
    if (auto Tab = Entry.find('\t'); Tab != std::string::npos) {
      ShortCutText = Entry.substr(Tab + 1);
      Entry.resize(Tab);
    }
    TdxBarItem* Item;
    if (Info.hSubMenu) {
      auto* Sub = TdxBarSubItem::Create(GetOwner());
      BarDesignControllerInstance()->AddInternalItem(Sub, nullptr);
      AddMenuEntries(Info.hSubMenu, Sub->GetItemLinks());
      Item = Sub;
    } else {
      auto* Button = TdxBarButton::Create(GetOwner());
      BarDesignControllerInstance()->AddInternalItem(Button, nullptr);
      Button->SetTag(static_cast<std::intptr_t>(Info.wID));
      Button->OnClick = Bind(this, &TSystemMenuSubItem::SysCommandClick);
      if (Info.fState & MFS_CHECKED) {
        Button->SetButtonStyle(bsChecked);
        Button->SetDown(true);
      }
      Item = Button;
    }
    Item->SetCaption(Entry);
    Item->SetEnabled(!(Info.fState & (MFS_GRAYED | MFS_DISABLED)));
    TakeEntryGlyph(Item, Info);
    if (!ShortCutText.empty()) Item->SetShortCut(TextToShortCut(ShortCutText));
    TdxBarItemLink* Link = Links->AddItem(Item);
    Link->SetBeginGroup(BeginGroup);
    BeginGroup = false;
  }
}

void TSystemMenuSubItem::DoClick() {
  RebuildFromSystemMenu();
  TCustomdxBarSubItem::DoClick();
}

void TSystemMenuSubItem::SysCommandClick(TObject* Sender) {
  auto* Item = dynamic_cast<TComponent*>(Sender);
  if (Item && FChildWnd) SendMessageW(FChildWnd, WM_SYSCOMMAND, static_cast<WPARAM>(Item->GetTag()), 0);
}

bool TSystemMenuSubItemControl::CanSelect() const {
  TdxBarManager* M = LinkManager();
  return !(M && M->IsCustomizingOrDesigning()) && TdxBarSubItemControl::CanSelect();
}

void TSystemMenuSubItemControl::PaintControl(const RECT& R, int PaintTypeValue) {
  (void)PaintTypeValue;
  auto* Item = dynamic_cast<TSystemMenuSubItem*>(LinkedItem());
  if (!Item || !Item->GetChildWnd()) return;
  HDC DC = PaintCanvas()->DeviceContext();
  FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
  auto Icon = reinterpret_cast<HICON>(SendMessageW(Item->GetChildWnd(), WM_GETICON, ICON_SMALL, 0));
  if (!Icon) Icon = reinterpret_cast<HICON>(SendMessageW(Item->GetChildWnd(), WM_GETICON, ICON_BIG, 0));
  // A child given no icon of its own shows its class's, as its caption would.
  if (!Icon) Icon = reinterpret_cast<HICON>(GetClassLongPtrW(Item->GetChildWnd(), GCLP_HICONSM));
  if (!Icon) Icon = reinterpret_cast<HICON>(GetClassLongPtrW(Item->GetChildWnd(), GCLP_HICON));
  if (!Icon) return;
  auto Small = static_cast<HICON>(CopyImage(Icon, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
  if (!Small) return;
  DrawIconEx(DC, R.left + (R.right - R.left - 16) / 2, R.top + (R.bottom - R.top - 16) / 2, Small, 16, 16, 0,
             nullptr, DI_NORMAL);
  DestroyIcon(Small);
}

void TSystemMenuSubItemControl::DblClick() {
  auto* Item = dynamic_cast<TSystemMenuSubItem*>(LinkedItem());
  HWND Child = Item ? Item->GetChildWnd() : nullptr;
  TdxBarSubItemControl::DblClick();
  if (TCustomdxBarControl* W = GetParent()) W->CloseBar();
  if (!Child) return;
  // No default entry answers -1: then there is nothing to send.
  UINT Default = GetMenuDefaultItem(GetSystemMenu(Child, FALSE), FALSE, 0);
  if (Default != static_cast<UINT>(-1)) SendMessageW(Child, WM_SYSCOMMAND, Default, 0);
}

// The manager's companions: the item-class registry, groups, the shared canvas,
// image options and popup-menu links.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Screen.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemRegistry.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarPopupMenuLinks.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarUnit.h"
#include "suite/common/SuiteException.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
class TMyButton : public TdxBarButton {
  SONVELT_CLASS(TMyButton, TdxBarButton)
public:
  using TdxBarButton::TdxBarButton;
};

TEST(BarItemRegistry, MatchesExactClassesOnly) {
  TdxBarItemList* Registry = BarItemClassRegistry();
  EXPECT_EQ(TClass(TdxBarButtonControl::StaticClass()), TClass(Registry->ControlClassOf(TdxBarButton::StaticClass())));
  EXPECT_FALSE(Registry->ControlClassOf(TMyButton::StaticClass()));
  RegisterBarItemClass(TMyButton::StaticClass(), TdxBarButtonControl::StaticClass(), false);
  EXPECT_EQ(TClass(TdxBarButtonControl::StaticClass()), TClass(Registry->ControlClassOf(TMyButton::StaticClass())));
  int Listed = Registry->ListedClassCount();
  UnregisterBarItemClass(TMyButton::StaticClass());
  EXPECT_FALSE(Registry->ControlClassOf(TMyButton::StaticClass()));
  EXPECT_EQ(Listed, Registry->ListedClassCount());
}

// The unit makes its cursors from the cursor files' bytes: each comes out a
// cursor of its own with the hot spot its drawing gives it.
TEST(BarUnitStart, TheBarCursorsAreMadeFromTheirFilesWithTheirHotSpots) {
  EnsureBarUnit();
  const struct {
    TCursor Id;
    DWORD HotX, HotY;
  } Cases[] = {{crdxBarDrag, 1, 1}, {crdxBarDragCopy, 1, 1}, {crdxBarDragNoDrop, 1, 1}, {crdxBarEditSizing, 16, 16}};
  std::vector<HCURSOR> Seen{Screen->GetCursors(crDefault)};
  for (const auto& C : Cases) {
    HCURSOR Cursor = Screen->GetCursors(C.Id);
    EXPECT_EQ(0, std::count(Seen.begin(), Seen.end(), Cursor)) << C.Id;
    Seen.push_back(Cursor);
    ICONINFO Info{};
    ASSERT_TRUE(GetIconInfo(Cursor, &Info)) << C.Id;
    EXPECT_FALSE(Info.fIcon) << C.Id;
    EXPECT_EQ(C.HotX, Info.xHotspot) << C.Id;
    EXPECT_EQ(C.HotY, Info.yHotspot) << C.Id;
    DeleteObject(Info.hbmMask);
    if (Info.hbmColor) DeleteObject(Info.hbmColor);
  }
}

TEST_F(BarFormFixture, GroupsRefuseToContainThemselves) {
  TdxBarManager* M = NewManager();
  TdxBarGroup* Outer = M->CreateGroup();
  TdxBarGroup* Inner = M->CreateGroup();
  Outer->AddMember(Inner);
  EXPECT_THROW(Inner->AddMember(Outer), EdxException);
  EXPECT_THROW(Outer->AddMember(Outer), EdxException);
  EXPECT_EQ(1, Outer->MemberCount());
  EXPECT_EQ(0, Inner->MemberCount());
  try {
    Inner->AddMember(Outer);
  } catch (const EdxException& E) {
    EXPECT_STREQ("You cannot create recursive groups", E.what());
  }
  Free(M);
}

// Pushes nest: each pop gives back the DC, its GDI state and the canvas's
// drawing objects that were current.
TEST(BarCanvasStack, PushesAndPopsNestOnMemoryDCs) {
  HDC First = CreateCompatibleDC(nullptr);
  HDC Second = CreateCompatibleDC(nullptr);
  SetTextColor(Second, RGB(9, 9, 9));
  auto Canvas = std::unique_ptr<TdxBarCanvas>(TdxBarCanvas::Create());
  EXPECT_FALSE(Canvas->GetCanvas()->HandleAllocated());
  Canvas->PopState();  // an empty stack is left alone
  Canvas->PushDC(First);
  EXPECT_EQ(First, Canvas->DeviceContext());
  Canvas->GetCanvas()->GetFont()->SetColor(clRed);
  Canvas->PushDC(Second);
  EXPECT_EQ(Second, Canvas->DeviceContext());
  Canvas->GetCanvas()->GetFont()->SetColor(clBlue);
  Canvas->GetCanvas()->TextOut(0, 0, "x");
  EXPECT_EQ(COLORREF(clBlue), GetTextColor(Second));
  Canvas->PopState();
  EXPECT_EQ(First, Canvas->DeviceContext());
  EXPECT_EQ(clRed, Canvas->GetCanvas()->GetFont()->GetColor());
  EXPECT_EQ(RGB(9, 9, 9), GetTextColor(Second));
  Canvas->PopState();
  EXPECT_EQ(0, Canvas->StateCount());
  EXPECT_FALSE(Canvas->GetCanvas()->HandleAllocated());
  DeleteDC(Second);
  DeleteDC(First);
}

TEST_F(BarFormFixture, AFreedImageListLeavesTheImageOptions) {
  TdxBarManager* M = NewManager();
  TImageList* Large = TImageList::Create(Form);
  Large->SetWidth(48);
  Large->SetHeight(48);
  M->SetLargeImages(Large);
  M->SetImages(Large);
  M->SetLargeIcons(true);
  M->SetUseLargeImagesForLargeIcons(true);
  EXPECT_EQ(48, M->GlyphSize());
  Free(Large);
  EXPECT_EQ(nullptr, M->GetLargeImages());
  EXPECT_EQ(nullptr, M->GetImages());
  EXPECT_EQ(32, M->GlyphSize());
  Free(M);
}

TEST_F(BarFormFixture, PopupMenuLinksTakeAnyControlOfTheFormWhenAssigned) {
  TdxBarManager* M = NewManager();
  TLabel* Caption = Add<TLabel>({10, 10, 100, 30});
  Caption->SetName("Caption");
  TPanel* Panel = Add<TPanel>({10, 40, 200, 140});
  Panel->SetName("Panel");
  TdxBarPopupMenu* Menu = TdxBarPopupMenu::Create(Form);
  Menu->SetName("Menu");
  TdxBarPopupMenuLink* Source = M->GetPopupMenuLinks()->Add();
  Source->SetControl(Caption);
  Source->SetPopupMenu(Menu);
  Source->SetProcessChildren(false);
  TdxBarPopupMenuLink* Copy = M->GetPopupMenuLinks()->Add();
  Copy->Assign(Source);
  EXPECT_EQ(Caption, Copy->GetControl());
  EXPECT_EQ(Menu, Copy->GetPopupMenu());
  EXPECT_FALSE(Copy->GetProcessChildren());
  // A control going away leaves every link.
  Free(Caption);
  EXPECT_EQ(nullptr, Source->GetControl());
  EXPECT_EQ(nullptr, Copy->GetControl());
  Free(M);
}
}  // namespace

// The main window under the real mouse: every large button of the two toolbars,
// and the menu bar's buttons of a maximized document; the program's icon on the
// windows and on that document's system-menu item.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/AboutForm.h"
#include "app/BookmarkForm.h"
#include "app/RegionForm.h"
#include "app/dialogs/FreAnalysisForm.h"
#include "app/dialogs/TextToSpeechForm.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarLargeButton.h"
#include "suite/bars/BarMDI.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "res/ResourceIds.h"
#include "tests/support/MemoryDC.h"
#include "tests/support/Screenshot.h"

namespace {

POINT ScreenCentre(HWND Wnd, const RECT& R) {
  POINT P{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  ClientToScreen(Wnd, &P);
  return P;
}

// The number of distinct colours on screen in a window's client rectangle.
int ColoursOnScreen(HWND Wnd, RECT R) {
  MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&R), 2);
  HDC DC = GetDC(nullptr);
  std::set<COLORREF> Seen;
  for (int Y = R.top; Y < R.bottom; ++Y)
    for (int X = R.left; X < R.right; ++X) Seen.insert(GetPixel(DC, X, Y));
  ReleaseDC(nullptr, DC);
  return static_cast<int>(Seen.size());
}

// The press is handled before the release is sent.
void ClickPumpingBetween(POINT P) {
  MoveTo(P);
  SendMouse(P, MOUSEEVENTF_LEFTDOWN);
  Pump();
  SendMouse(P, MOUSEEVENTF_LEFTUP);
  Pump();
}

// Icon drawn 16 x 16 on the face colour, as a caption or the menu bar shows it.
void DrawSmallIcon(HDC DC, HICON Icon) {
  const RECT Square{0, 0, 16, 16};
  FillRect(DC, &Square, GetSysColorBrush(COLOR_BTNFACE));
  if (Icon) DrawIconEx(DC, 0, 0, Icon, 16, 16, 0, nullptr, DI_NORMAL);
}

// The program icon's own 16 x 16 image, drawn so.
void DrawProgramIcon(HDC DC) {
  auto Small = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINICON), IMAGE_ICON, 16, 16, 0));
  DrawSmallIcon(DC, Small);
  if (Small) DestroyIcon(Small);
}

// The picture a caption shows for Wnd, drawn so: the window's own small icon,
// else its class's small and then large one.
void DrawCaptionIcon(HWND Wnd, HDC DC) {
  auto Icon = reinterpret_cast<HICON>(SendMessageW(Wnd, WM_GETICON, ICON_SMALL, 0));
  if (!Icon) Icon = reinterpret_cast<HICON>(GetClassLongPtrW(Wnd, GCLP_HICONSM));
  if (!Icon) Icon = reinterpret_cast<HICON>(GetClassLongPtrW(Wnd, GCLP_HICON));
  DrawSmallIcon(DC, Icon);
}

}  // namespace

// Each large button of the Toolbar and Quick bars, clicked at the centre of its
// bounds, runs its command exactly once and no other. The Quick bar's captions are
// long: on a 1280 wide screen its last buttons lie beyond the window's edge, and
// only those may be missing.
TEST_F(MainFixture, AClickOnEachToolbarButtonRunsItsCommandOnce) {
  StartMain();
  NewDocument(8000, 1, 8000);
  ShowWindow(Main->GetHandle(), SW_MAXIMIZE);
  TActionRunCounter Counter;
  SetForegroundWindow(Main->GetHandle());
  Pump();
  for (const char* Caption : {"Toolbar", "Quick"}) {
    TdxBar* Bar = Main->BarManager->BarByCaption(Caption);
    ASSERT_TRUE(Bar && Bar->GetBarControl() && Bar->GetBarControl()->HandleAllocated()) << Caption;
    const HWND BarWnd = Bar->GetBarControl()->GetHandle();
    TdxBarItemLinks* Links = Bar->GetItemLinks();
    std::vector<std::string> Beyond;
    for (int I = 0; I < Links->GetCount(); ++I) {
      TdxBarItem* Item = Links->GetLink(I)->GetItem();
      SCOPED_TRACE(std::string(Caption) + " " + Item->GetName());
      ASSERT_TRUE(dynamic_cast<TdxBarLargeButton*>(Item));
      auto* A = dynamic_cast<TCustomAction*>(Item->GetAction());
      ASSERT_TRUE(A);
      const RECT R = Links->GetLink(I)->GetItemRect();
      if (R.left >= R.right) {
        Beyond.push_back(Item->GetName());
        continue;
      }
      EXPECT_TRUE(Beyond.empty()) << "a button shown after a missing one";
      EXPECT_LE(R.right, QueryClientRect(BarWnd).right);
      Counter.Offer(A);
      Pump();
      ASSERT_TRUE(Item->GetEnabled());
      ClickPumpingBetween(ScreenCentre(BarWnd, R));
      PumpUntil([&] { return !Counter.Runs.empty(); }, 2000);
      PumpUntil([] { return false; }, 30);  // a second run would come now
      EXPECT_EQ((std::map<TBasicAction*, int>{{A, 1}}), Counter.Runs);
    }
    if (std::string(Caption) == "Toolbar") {
      EXPECT_TRUE(Beyond.empty());
    }
  }
}

namespace {

// The main window with two documents, the second one maximized the way its caption
// button does it, and the menu bar's buttons of that document.
struct MaximizedDocumentFixture : MainFixture {
  TChildForm* Other = nullptr;
  TChildForm* Doc = nullptr;
  void SetUp() override {
    MainFixture::SetUp();
    StartMain();
    Other = NewDocument(8000, 1, 8000);
    Doc = NewDocument(8000, 1, 8000);
    SetForegroundWindow(Main->GetHandle());
    Pump();
  }
  TdxBarControl* MenuBar() { return dynamic_cast<TdxBarControl*>(Main->BarManager->MainMenuBarControl()); }
  void Maximize() {
    SendMessageW(Doc->GetHandle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Pump();
  }
  void ClickButton(int Index) {
    ClickPumpingBetween(ScreenCentre(MenuBar()->GetHandle(), MenuBar()->CaptionButtonRect(Index)));
    Pump();
  }
  bool SystemMenuLeads() {
    TdxBarItemLinks* Links = Main->BarManager->GetMainMenuBar()->GetItemLinks();
    return Links->GetCount() > 0 && dynamic_cast<TSystemMenuSubItem*>(Links->GetLink(0)->GetItem());
  }
};

}  // namespace

// The document maximizes; the menu bar then leads with its system menu and ends
// with its buttons, which minimize, restore and close it; the close asks about
// unsaved changes as the document's own close does. The buttons go with the
// maximized state.
TEST_F(MaximizedDocumentFixture, TheMenuBarsButtonsMinimizeRestoreAndCloseAMaximizedDocument) {
  const HWND Wnd = Doc->GetHandle();
  ASSERT_TRUE(MenuBar());
  EXPECT_FALSE(MenuBar()->ShowsMDIButtons());
  EXPECT_FALSE(SystemMenuLeads());
  EXPECT_TRUE(GetWindowLongPtrW(Wnd, GWL_STYLE) & WS_MAXIMIZEBOX) << "its caption offers to maximize";

  Maximize();
  ASSERT_TRUE(IsZoomed(Wnd));
  ASSERT_TRUE(MenuBar()->ShowsMDIButtons());
  EXPECT_TRUE(SystemMenuLeads());
  EXPECT_GT(ColoursOnScreen(MenuBar()->GetHandle(),
                            Main->BarManager->GetMainMenuBar()->GetItemLinks()->GetLink(0)->GetItemRect()),
            2)
      << "the system menu shows the document's icon";
  SaveScreenshot("main-document-maximized");

  ClickButton(0);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(Wnd) != FALSE; }, 3000)) << "minimize";
  EXPECT_FALSE(MenuBar()->ShowsMDIButtons());
  EXPECT_FALSE(SystemMenuLeads());

  Maximize();
  ASSERT_TRUE(IsZoomed(Wnd) && MenuBar()->ShowsMDIButtons());
  ClickButton(1);
  EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(Wnd) && !IsIconic(Wnd); }, 3000)) << "restore";
  EXPECT_FALSE(MenuBar()->ShowsMDIButtons());
  EXPECT_FALSE(SystemMenuLeads());
  EXPECT_EQ(2, Main->GetMDIChildCount());

  // Changed and not saved: the close asks first; Cancel keeps it, No closes it.
  Maximize();
  Doc->AudioEditor->SetTag(DocumentModified);
  ASSERT_TRUE(MenuBar()->ShowsMDIButtons());
  ClickButton(2);
  ASSERT_TRUE(PumpUntil([&] { return !Main->Questions.empty(); }, 3000));
  EXPECT_EQ(1u, Main->Questions.size());
  EXPECT_NE(std::string::npos, Main->Questions[0].find(Doc->GetCaption()));
  EXPECT_EQ(2, Main->GetMDIChildCount());
  EXPECT_TRUE(IsZoomed(Wnd));
  Main->Answers.push_back(IDNO);
  ClickButton(2);
  EXPECT_TRUE(PumpUntil([&] { return Main->GetMDIChildCount() == 1; }, 3000));
  EXPECT_EQ(2u, Main->Questions.size());
  EXPECT_EQ(Other, Main->ActiveDocument());
}

// The main window and the documents register with the program's own icon, which
// the caption and the taskbar show; a maximized document's system-menu item on
// the menu bar draws it, pixel for pixel as the icon's small image.
TEST_F(MaximizedDocumentFixture, TheWindowsAndTheMaximizedDocumentsSystemMenuShowTheProgramsIcon) {
  const HINSTANCE Inst = GetModuleHandleW(nullptr);
  const HICON Program = LoadIconW(Inst, MAKEINTRESOURCEW(IDI_MAINICON));
  ASSERT_TRUE(Program);
  for (HWND Wnd : {Main->GetHandle(), Doc->GetHandle()}) {
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(Program), GetClassLongPtrW(Wnd, GCLP_HICON));
    EXPECT_NE(0u, GetClassLongPtrW(Wnd, GCLP_HICONSM)) << "a small image for the caption";
  }

  Maximize();
  ASSERT_TRUE(SystemMenuLeads());
  const HWND BarWnd = MenuBar()->GetHandle();
  const RECT R = Main->BarManager->GetMainMenuBar()->GetItemLinks()->GetLink(0)->GetItemRect();
  const POINT At{R.left + (R.right - R.left - 16) / 2, R.top + (R.bottom - R.top - 16) / 2};
  TMemoryDC Want(16, 16);
  DrawProgramIcon(Want.DC());
  int Differing = 0;
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 16; ++X)
      if (ScreenPixel(BarWnd, At.x + X, At.y + Y) != Want.Pixel(X, Y)) ++Differing;
  EXPECT_EQ(0, Differing) << "pixels of the system-menu item that differ from the program's icon";
}

// The other windows of the program show its icon in their captions as well: the
// bookmark and region lists, the frequency analysis, the speech window and the
// about box.
TEST_F(MainFixture, TheProgramsOtherWindowsShowItsIconInTheirCaptions) {
  StartMain();
  TOwned<TAboutForm> About(TAboutForm::Create(Main));
  TSystemDialogAnswers::AnswerBox(IDOK);  // where no voice is installed, the window says so
  TOwned<TTextToSpeechForm> Speech(TTextToSpeechForm::Create(Main));
  TSystemDialogAnswers::Clear();
  const std::vector<std::pair<const char*, TForm*>> Windows = {{"Bookmark List", BookmarkFormInstance},
                                                               {"Region List", RegionFormInstance},
                                                               {"Frequency Analysis", FreAnalysisFormInstance},
                                                               {"Synthesize Speech", Speech.get()},
                                                               {"About", About.get()}};
  TMemoryDC Want(16, 16);
  DrawProgramIcon(Want.DC());
  for (const auto& [Name, Window] : Windows) {
    ASSERT_TRUE(Window) << Name;
    const HWND Wnd = Window->GetHandle();
    ASSERT_NE(0, GetWindowLongW(Wnd, GWL_STYLE) & WS_SYSMENU) << Name << " has a caption icon";
    TMemoryDC Seen(16, 16);
    DrawCaptionIcon(Wnd, Seen.DC());
    int Differing = 0;
    for (int Y = 0; Y < 16; ++Y)
      for (int X = 0; X < 16; ++X)
        if (Seen.Pixel(X, Y) != Want.Pixel(X, Y)) ++Differing;
    EXPECT_EQ(0, Differing) << Name << ": pixels of the caption's icon that differ from the program's";
  }
}

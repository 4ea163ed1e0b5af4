// One navigation bar per registered view, all with the same groups and links
// (a disabled link, a selected one, small and large images), then the bar as
// the main window configures it, the navigation panes collapsed and the other
// colour schemes of the Office 12 views. The views come from the registry,
// so views added later appear by themselves. "--screenshot FILE.bmp" saves a
// picture and quits; "--no-theme" draws as with visual styles off.
#include <windows.h>

#include <shellapi.h>

#include <iterator>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "suite/common/ThemeManager.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarSkinViews.h"
#include "suite/navbar/NavBarViewsFactory.h"
#include "tests/support/DemoPictures.h"
#include "tests/support/WindowShot.h"

namespace {
// Size-pixel discs in five colours.
TImageList* Images(TComponent* Owner, int Size) {
  return DiscImages(Owner, Size,
                    {TColor(0x3070D0), TColor(0x30A050), TColor(0xC06020), TColor(0x2050C0), TColor(0x9030A0)},
                    clDefault, true);
}

void AddContent(TdxNavBar* Bar, TForm* Form) {
  const char* Rows[][5] = {{"Files", "Open", "Save", "Close", nullptr},
                           {"Edit", "Cut", "Copy (off)", "Paste", nullptr},
                           {"Help", "Contents", "About", nullptr, nullptr}};
  int Image = 0;
  for (auto& Row : Rows) {
    TdxNavBarGroup* G = Bar->GetGroups()->Add();
    G->SetCaption(Row[0]);
    G->SetSmallImageIndex(Image % 5);
    G->SetLargeImageIndex(Image % 5);
    for (int K = 1; K < 5 && Row[K]; ++K) {
      TdxNavBarItem* I = Bar->GetItems()->Add();
      I->SetCaption(Row[K]);
      I->SetSmallImageIndex(++Image % 5);
      I->SetLargeImageIndex(Image % 5);
      I->SetHint(std::string(Row[K]) + "|Runs " + Row[K]);
      if (K == 2 && G->GetCaption() == "Edit") I->SetEnabled(false);
      G->CreateLink(I);
    }
  }
  // The first group shows large images, the others small ones.
  Bar->GetGroups()->Items(0)->SetLinksUseSmallImages(false);
  Bar->SetAllowSelectLinks(true);
  Bar->SetEachGroupHasSelectedLink(true);
  Bar->GetGroups()->Items(1)->SetSelectedLinkIndex(2);
  (void)Form;
}

// The main window's bar: view 10, six groups, its stored default styles.
void ConfigureMainWindowBar(TdxNavBar* Bar) {
  Bar->SetView(10);
  Bar->SetShowLinksHint(true);
  TdxNavBarDefaultStyles* D = Bar->GetDefaultStyles();
  for (int K = 0; K < D->Count(); ++K) {
    TFont* F = D->GetIndexedStyle(K)->GetFont();
    F->SetName("Tahoma");
    F->SetHeight(-11);
    F->SetColor(clWindowText);
  }
  for (int K : {dsBackground, dsGroupBackground, dsGroupHeader, dsGroupHeaderActive, dsGroupHeaderActiveHotTracked,
                dsGroupHeaderActivePressed, dsGroupHeaderHotTracked, dsGroupHeaderPressed}) {
    D->GetIndexedStyle(K)->SetBackColor(clNone);
    D->GetIndexedStyle(K)->SetBackColor2(clNone);
  }
  for (int K : {dsGroupHeader, dsGroupHeaderActive, dsGroupHeaderActiveHotTracked, dsGroupHeaderActivePressed,
                dsGroupHeaderHotTracked, dsGroupHeaderPressed})
    D->GetIndexedStyle(K)->GetFont()->SetStyle(TFontStyles{fsBold});
  for (int K : {dsItem, dsItemDisabled, dsItemHotTracked, dsItemPressed}) {
    D->GetIndexedStyle(K)->SetBackColor(clWhite);
    D->GetIndexedStyle(K)->SetBackColor2(clWhite);
  }
  D->GetIndexedStyle(dsItemHotTracked)->GetFont()->SetStyle(TFontStyles{fsUnderline});
  const char* Rows[][5] = {{"Files", "New", "Open...", "Save", "Save As..."},
                           {"Edit", "Undo", "Cut", "Copy", "Paste"},
                           {"Effects", "Amplify", "Fade In", "Fade Out", nullptr},
                           {"Tools", "Play", "Record", nullptr, nullptr},
                           {"Bookmark", "Add Bookmark", "Clear Bookmarks", nullptr, nullptr},
                           {"Region", "Select All", "Trim", nullptr, nullptr}};
  int Image = 0;
  for (auto& Row : Rows) {
    TdxNavBarGroup* G = Bar->GetGroups()->Add();
    G->SetCaption(Row[0]);
    for (int K = 1; K < 5 && Row[K]; ++K) {
      TdxNavBarItem* I = Bar->GetItems()->Add();
      I->SetCaption(Row[K]);
      I->SetSmallImageIndex(Image++ % 5);
      G->CreateLink(I);
    }
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int Argc = 0;
  LPWSTR* Argv = CommandLineToArgvW(GetCommandLineW(), &Argc);
  for (int K = 1; K < Argc; ++K)
    if (std::wstring(Argv[K]) == L"--no-theme") SubstituteUxTheme(TUxThemeEntries{});
  LocalFree(Argv);

  Application->SetTitle("Navigation bar views");
  Application->Initialize();
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetCaption("Navigation bar views");
  TImageList* Small = Images(Form, 16);
  TImageList* Large = Images(Form, 32);
  TdxNavBarViewsFactory* F = ViewsFactory();
  // Besides one bar per view: the pane collapsed, and the other schemes of the
  // Office 12 views.
  struct TExtra {
    int View;
    const char* Scheme;
    bool Collapsed;
    const char* Title;
  } Extras[] = {{13, nullptr, true, "13 collapsed"},   {17, nullptr, true, "17 collapsed"},
                {17, "Black", false, "17 Black"},       {17, "Silver", false, "17 Silver"},
                {18, "Black", false, "18 Black"},       {18, "Silver", false, "18 Silver"}};
  const int W = 130, H = 270, PerRow = 9;
  int Extra = static_cast<int>(std::size(Extras));
  int Count = F->Count() + 1 + Extra;
  int Rows = (Count + PerRow - 1) / PerRow;
  Form->SetBounds(4, 4, PerRow * (W + 8) + 24, Rows * (H + 26) + 50);
  for (int K = 0; K < Count; ++K) {
    int X = 8 + (K % PerRow) * (W + 8), Y = 8 + (K / PerRow) * (H + 26);
    TLabel* Title = TLabel::Create(Form);
    Title->SetParent(Form);
    Title->SetBounds(X, Y, W, 16);
    TdxNavBar* Bar = TdxNavBar::Create(Form);
    Bar->SetBounds(X, Y + 18, W, H);
    Bar->SetSmallImages(Small);
    Bar->SetLargeImages(Large);
    if (K < F->Count()) {
      Title->SetCaption(std::to_string(F->IDs(K)) + " " + F->Names(K));
      Bar->SetView(F->IDs(K));
      AddContent(Bar, Form);
    } else if (K == F->Count()) {
      Title->SetCaption("Main window");
      ConfigureMainWindowBar(Bar);
    } else {
      const TExtra& E = Extras[K - F->Count() - 1];
      Title->SetCaption(E.Title);
      Bar->SetView(E.View);
      AddContent(Bar, Form);
      if (E.Scheme) {
        if (auto* P = dynamic_cast<TdxNavBarSkinBasedNavPanePainter*>(Bar->GetPainter())) P->SetColorSchemeName(E.Scheme);
        if (auto* P = dynamic_cast<TdxNavBarSkinBasedExplorerBarPainter*>(Bar->GetPainter()))
          P->SetColorSchemeName(E.Scheme);
      }
      if (E.Collapsed) {
        Bar->GetOptionsBehavior()->GetNavigationPane()->SetCollapsible(true);
        Bar->GetOptionsBehavior()->GetNavigationPane()->SetCollapsed(true);
      }
    }
    Bar->SetParent(Form);
  }
  TWindowShot Shot;
  // Two dozen bars take a few seconds to paint under Wine.
  Shot.ArmFromCommandLine(8000);
  Application->Run();
  return 0;
}

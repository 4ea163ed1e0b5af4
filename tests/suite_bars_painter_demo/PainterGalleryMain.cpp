// The bar looks side by side: one window per manager style with real bars of its
// manager, each showing every item kind on a toolbar docked at the top, the same
// kinds disabled on one docked at the bottom, a toolbar at the right, a floating
// toolbar, a toolbar too long for its row (its mark), and the main-menu bar's
// File menu open with every kind in it. The mouse hot-tracks and presses the
// items, menus open, checked buttons toggle.
// "--screenshots DIR" saves DIR/<look>.bmp for every window, each with its File
// menu open, and quits; "--no-theme" draws as with visual styles off (the themed
// style then falls back to the enhanced look, as in the program).
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStaticItems.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"
#include "tests/support/DemoPictures.h"
#include "tests/support/BarDemo.h"
#include "tests/support/LookDemo.h"

namespace {
struct TLook {
  const char* File;
  TdxBarManagerStyle Style;
};

// One window: a manager of the look's style and its bars.
class TGallery {
public:
  TGallery(TForm* Form, const TLook& Look, TImageList* Images, POINT At) : FForm(Form), FFile(Look.File) {
    Form->SetBounds(At.x, At.y, 820, 470);
    Form->SetColor(clAppWorkSpace);
    FManager = TdxBarManager::Create(Form);
    FManager->SetImages(Images);
    FManager->SetStyle(Look.Style);
    FManager->SetMenuAnimations(maNone);
    FManager->SetHideFloatingBarsWhenInactive(false);
    Form->SetCaption(std::string(Look.File) + " (" + FManager->GetPainter()->ClassName() + ")");

    FMenuBar = NewBar("Menu", dsTop, 0, 0);
    FMenuBar->SetIsMainMenu(true);
    FFileMenu = Item<TdxBarSubItem>(Links(FMenuBar), "&File");
    FillMenu(FFileMenu->GetItemLinks());
    for (const char* Caption : {"&Edit", "&View", "&Help"}) SubItem(Links(FMenuBar), Caption);

    TdxBar* Every = NewBar("Every kind", dsTop, 1, 0);
    AddEveryKind(Links(Every), false);
    // Too long for the rest of its row, it shows its mark.
    TdxBar* Long = NewBar("Format", dsTop, 2, 420);
    for (int I = 0; I < 16; ++I) {
      Button(Links(Long), "F" + std::to_string(I), I % 6, I == 2 ? bsChecked : bsDefault);
      if (I % 5 == 0 && I) Group(Long);
    }
    TdxBar* Plain = NewBar("Plain", dsTop, 2, 0);
    Button(Links(Plain), "New", 0);
    Button(Links(Plain), "Open", 1);
    Button(Links(Plain), "Save", 2)->SetPaintStyle(psCaptionGlyph);

    TdxBar* Off = NewBar("Disabled", dsBottom, 0, 0);
    AddEveryKind(Links(Off), true);

    TdxBar* Side = NewBar("Side", dsRight, 0, 0);
    Button(Links(Side), "New", 0);
    Button(Links(Side), "Open", 1);
    Button(Links(Side), "Bold", 3, bsChecked)->SetDown(true);
    Group(Side);
    Button(Links(Side), "Undo", 4, bsDropDown);
    SubItem(Links(Side), "Effects")->SetPaintStyle(psCaption);

    TdxBar* Floating = NewBar("Transport", dsNone, 0, 0);
    TdxBarItemLinks* F = Links(Floating);
    Button(F, "Play", 1);
    Button(F, "Stop", 2)->SetEnabled(false);
    Button(F, "Record", 4);
    Button(F, "Loop", 5, bsChecked)->SetDown(true);
    Button(F, "Undo", 4, bsDropDown);
    Group(Floating);
    Button(F, "Caption", 0)->SetPaintStyle(psCaptionGlyph);
    Floating->SetFloatLeft(At.x + 470);
    Floating->SetFloatTop(At.y + 200);
    Floating->SetFloatClientWidth(130);
    for (TdxBar* B : {FMenuBar, Every, Long, Plain, Off, Side, Floating}) B->SetVisible(true);
    FFloating = Floating;
    for (TdxBar* B : {Every, Off}) AddEdits(Links(B), B == Off);
  }

  TForm* Form() const { return FForm; }
  const char* File() const { return FFile; }

  // Shows the floating toolbar's window above the form, or hides it.
  void ShowFloating(bool Show) {
    TCustomdxBarControl* W = FFloating->GetBarControl();
    if (!W || !W->HandleAllocated()) return;
    HWND Root = GetAncestor(W->GetHandle(), GA_ROOT);
    SetWindowPos(Root, Show ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (Show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }

  // Opens the File menu as a press on it does, with its second entry selected;
  // or closes it.
  void ShowFileMenu(bool Show) {
    if (!Show) {
      if (TCustomdxBarControl* Top = TopActiveBarControl()) Top->CloseBar();
      return;
    }
    TCustomdxBarControl* Bar = FMenuBar->GetBarControl();
    TdxBarItemControl* C = Bar ? Bar->GetItemLinks()->GetShownLink(0)->GetControl() : nullptr;
    if (!C) return;
    Bar->SelectAndActivate(C);
    Bar->SetPressed(true);
    C->Click(true);
    if (TCustomdxBarControl* Menu = FFileMenu->GetItemLinks()->GetBarControl())
      Menu->SetSelectedLink(Menu->GetItemLinks()->GetShownLink(1));
  }

private:
  TdxBar* NewBar(const std::string& Caption, TdxBarDockingStyle Style, int Row, int Left) {
    return NewDemoBar(FManager, Caption, Style, Row, Left);
  }
  static TdxBarItemLinks* Links(TdxBar* Bar) { return Bar->GetItemLinks(); }
  // The last link added begins a group.
  static void Group(TdxBar* Bar) { LastLink(Links(Bar))->SetBeginGroup(true); }
  static TdxBarItemLink* LastLink(TdxBarItemLinks* L) { return L->GetLink(L->GetCount() - 1); }

  template <class T>
  T* Item(TdxBarItemLinks* Links, const std::string& Caption) {
    T* I = T::Create(FForm);
    I->SetCaption(Caption);
    Links->AddItem(I);
    return I;
  }
  TdxBarButton* Button(TdxBarItemLinks* Links, const std::string& Caption, int Image,
                       TdxBarButtonStyle Style = bsDefault) {
    TdxBarButton* B = Item<TdxBarButton>(Links, Caption);
    B->SetImageIndex(Image);
    B->SetButtonStyle(Style);
    return B;
  }
  TdxBarSubItem* SubItem(TdxBarItemLinks* Links, const std::string& Caption) {
    TdxBarSubItem* S = Item<TdxBarSubItem>(Links, Caption);
    Item<TdxBarButton>(S->GetItemLinks(), "Entry");
    return S;
  }

  void FillMenu(TdxBarItemLinks* M) {
    Button(M, "&New", 0)->SetShortCut(TextToShortCut("Ctrl+N"));
    Button(M, "&Open...", 1)->SetShortCut(TextToShortCut("Ctrl+O"));
    Button(M, "&Save", 2)->SetEnabled(false);
    Button(M, "Auto save", -1, bsChecked)->SetDown(true);
    LastLink(M)->SetBeginGroup(true);
    Button(M, "Bold", 3, bsChecked)->SetDown(true);
    SubItem(M, "&Recent files");
    Button(M, "Undo", 4, bsDropDown);
    Item<TdxBarLabel>(M, "Label");
    Item<TdxBarEdit>(M, "Name");
    Item<TdxBarCombo>(M, "Zoom");
    // A container shows its entries in its place.
    Item<TdxBarButton>(Item<TdxBarContainerItem>(M, "Recent")->GetItemLinks(), "a.wav");
    LastLink(M)->SetBeginGroup(true);
    Button(M, "E&xit", -1);
    LastLink(M)->SetBeginGroup(true);
  }

  void AddEveryKind(TdxBarItemLinks* L, bool Disabled) {
    std::vector<TdxBarItem*> Items;
    Items.push_back(Button(L, "New", 0));
    Items.push_back(Button(L, "Open", 1));
    Items.push_back(Button(L, "Bold", 3, bsChecked));
    static_cast<TdxBarButton*>(Items.back())->SetDown(true);
    LastLink(L)->SetBeginGroup(true);
    Items.push_back(Button(L, "Italic", 4, bsChecked));
    Items.push_back(Button(L, "Undo", 5, bsDropDown));
    Items.push_back(Button(L, "Fade", 2));
    static_cast<TdxBarButton*>(Items.back())->SetPaintStyle(psCaptionGlyph);
    Items.push_back(Item<TdxBarStatic>(L, "Zoom:"));
    LastLink(L)->SetBeginGroup(true);
    Items.push_back(SubItem(L, "Effects"));
    TdxBarContainerItem* Recent = Item<TdxBarContainerItem>(L, "Recent");
    Item<TdxBarButton>(Recent->GetItemLinks(), "a.wav");
    Items.push_back(Recent);
    if (Disabled)
      for (TdxBarItem* I : Items) I->SetEnabled(false);
  }

  // The edit and combo go after the group's label.
  void AddEdits(TdxBarItemLinks* L, bool Disabled) {
    TdxBarEdit* Edit = TdxBarEdit::Create(FForm);
    Edit->SetText("take 1");
    TdxBarCombo* Combo = TdxBarCombo::Create(FForm);
    Combo->SetText("100%");
    int At = 7;
    for (TdxBarItem* I : {static_cast<TdxBarItem*>(Edit), static_cast<TdxBarItem*>(Combo)}) {
      I->SetEnabled(!Disabled);
      TdxBarItemLink* Link = L->Insert(At++);
      Link->SetItem(I);
      Link->SetUserWidth(I == Edit ? 60 : 70);
    }
  }

  TForm* FForm;
  const char* FFile;
  TdxBarManager* FManager = nullptr;
  TdxBar* FMenuBar = nullptr;
  TdxBarSubItem* FFileMenu = nullptr;
  TdxBar* FFloating = nullptr;
};

std::vector<TGallery*> Galleries;

// Before a window's picture: its floating bars show and its File menu opens;
// the other windows' bars hide and their menus close.
void ShowGallery(HWND Wnd, bool Show) {
  for (TGallery* G : Galleries) {
    if (G->Form()->GetHandle() != Wnd) continue;
    if (!Show) {
      G->ShowFileMenu(false);
      G->ShowFloating(false);
      continue;
    }
    // The window pictured is the active one, as a window whose menu is open is.
    for (TGallery* Other : Galleries)
      if (Other != G) ShowWindow(Other->Form()->GetHandle(), SW_HIDE);
    SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Wnd);
    Application->ProcessMessages();
    Sleep(200);
    Application->ProcessMessages();
    G->ShowFileMenu(true);
    G->ShowFloating(true);
    Application->ProcessMessages();
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string ShotFolder = ReadLookDemoArguments();

  Application->SetTitle("Bar looks");
  Application->Initialize();
  const TLook Looks[] = {{"standard", bmsStandard}, {"enhanced", bmsEnhanced}, {"flat", bmsFlat},
                         {"gradient", bmsOffice11}, {"themed", bmsXP}};
  TForm* Main = nullptr;
  Application->CreateForm(Main);
  TImageList* Shared = DiscImages(Main, 16,
                                  {TColor(0x3070D0), TColor(0x30A050), TColor(0xC06020), TColor(0x2050C0),
                                   TColor(0x9030A0), TColor(0x208080)},
                                  clDefault, true);
  int Offset = 0;
  for (const TLook& Look : Looks) {
    TForm* F = Main;
    if (!Galleries.empty()) F = TForm::Create(Application);
    F->Show();
    Galleries.push_back(new TGallery(F, Look, Shared, POINT{10 + Offset, 10 + Offset}));
    Offset += ShotFolder.empty() ? 40 : 0;
  }
  std::vector<TLookShot> Shots;
  for (auto* G : Galleries) Shots.push_back({G->Form(), G->File()});
  TOwned<TLookShooter> Shooter(ShotFolder.empty() ? nullptr : new TLookShooter(ShotFolder, Shots, ShowGallery));
  Application->Run();
  for (TGallery* G : Galleries) delete G;
  return 0;
}

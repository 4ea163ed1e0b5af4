// The bar looks side by side: one window per manager style, each showing every
// item kind on a toolbar docked at the top, on one docked at the left, on a
// floating toolbar and in an open menu under a main-menu bar. The mouse hot-tracks
// and presses the items; checked buttons toggle. The windows here are stand-ins
// that draw their frames through the painter the way the bar windows do.
// "--screenshots DIR" saves DIR/<look>.bmp for every window and quits;
// "--no-theme" draws as with visual styles off (the themed style then falls back
// to the enhanced look, as in the program).
#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarPainters.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/common/ThemeManager.h"
#include "tests/suite_bars_painters/BarWindowFakes.h"
#include "tests/support/DemoPictures.h"
#include "tests/support/LookDemo.h"

namespace {
enum TFrameKind { fkDocked, fkFloating, fkMenu };

// A stand-in bar window with a non-client frame drawn by the painter and the mouse
// routed to the control under it.
template <class TBase>
class TGalleryWindow : public TBase {
public:
  using TBase::TBase;
  TFrameKind Frame = fkDocked;

  RECT Borders() {
    TdxBarPainter* P = this->GetPainter();
    RECT B{0, 0, 0, 0};
    switch (Frame) {
      case fkDocked: {
        P->DockedBarBorderSizes(nullptr, this->GetDockingStyle(), B);
        int Grip = P->GripExtent(this);
        if (this->IsDockedHorizontally())
          B.left += Grip;
        else
          B.top += Grip;
        break;
      }
      case fkFloating: P->CalcBarFrameSize(nullptr, dsNone, B, false); break;
      case fkMenu: {
        int W = P->MenuBorderTotal();
        B = RECT{W, W, W, W};
        break;
      }
    }
    return B;
  }

  // Lays the controls out and sizes the window around them (and the mark).
  void Place(int X, int Y) {
    SIZE S = this->Layout();
    RECT B = Borders();
    // A menu leaves a gap between captions and shortcuts (the real menus lay
    // the shortcut column out across their items).
    if (Frame == fkMenu) {
      S.cx += this->GetTextSize();
      TdxBarItemLinks* Links = this->GetItemLinks();
      for (int I = 0; I < Links->ShownLinkCount(); ++I) {
        TdxBarItemLink* L = Links->GetShownLink(I);
        RECT R = L->GetItemRect();
        R.right = S.cx;
        L->SetDisplayRect(R);
        L->GetControl()->CalcPartRects();
      }
    }
    if (this->V.Mark) {
      if (this->IsDockedHorizontally())
        S.cx += this->GetMarkSize();
      else
        S.cy += this->GetMarkSize();
    }
    this->SetBounds(X, Y, S.cx + B.left + B.right, S.cy + B.top + B.bottom);
  }

  void Press(int Index) {
    TdxBarItemControl* C = this->ControlOf(Index);
    this->SetSelectedLink(C->GetItemLink());
    C->SetPressed(true);
  }

protected:
  void Paint() override {
    RECT Client = this->GetClientRect();
    HDC DC = this->GetCanvas()->GetHandle();
    if (Frame == fkMenu) {
      TcxCanvas* cx = TcxCanvas::Create(this->GetCanvas());
      this->GetPainter()->FillMenuBackground(static_cast<TdxBarSubMenuControl*>(static_cast<TCustomdxBarControl*>(this)),
                                             cx, clNone, this->BackgroundBrush(), Client);
      Free(cx);
    }
    this->PaintTo(DC, Client);
    if (this->V.Mark) {
      RECT Mark;
      this->GetPainter()->MarkRect(this, Mark);
      TcxCanvas* cx = TcxCanvas::Create(this->GetCanvas());
      this->GetPainter()->DrawMark(this, cx, this->ToolbarBrush(), Mark);
      Free(cx);
    }
  }

  void WndProc(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_NCCALCSIZE: {
        auto* R = reinterpret_cast<RECT*>(Message.LParam);
        RECT B = Borders();
        R->left += B.left;
        R->top += B.top;
        R->right -= B.right;
        R->bottom -= B.bottom;
        Message.Result = 0;
        return;
      }
      case WM_NCPAINT:
        PaintFrame();
        Message.Result = 0;
        return;
      case WM_MOUSEMOVE: Track(POINT{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))}); break;
      case WM_MOUSELEAVE: Leave(); break;
      case WM_LBUTTONDOWN: Down(); break;
      case WM_LBUTTONUP: Up(POINT{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))}); break;
    }
    TBase::WndProc(Message);
  }

private:
  void PaintFrame() {
    HWND Wnd = this->GetHandle();
    HDC DC = GetWindowDC(Wnd);
    RECT W;
    GetWindowRect(Wnd, &W);
    OffsetRect(&W, -W.left, -W.top);
    RECT B = Borders();
    RECT Inner{W.left + B.left, W.top + B.top, W.right - B.right, W.bottom - B.bottom};
    ExcludeClipRect(DC, Inner.left, Inner.top, Inner.right, Inner.bottom);
    TdxBarPainter* P = this->GetPainter();
    HBRUSH Brush = this->ToolbarBrush();
    switch (Frame) {
      case fkDocked:
        P->DrawBarBackground(this, DC, clNone, Brush, W, W);
        P->DrawGrip(this, DC, Brush, W);
        break;
      case fkFloating: {
        FillRect(DC, &W, Brush);
        P->DrawFloatingBorder(this, DC, Brush, W, Inner);
        RECT Caption;
        P->FloatingCaptionRect(W, Caption);
        P->DrawFloatingCaption(this, DC, Brush, Caption);
        break;
      }
      case fkMenu: {
        auto* Menu = static_cast<TdxBarSubMenuControl*>(static_cast<TCustomdxBarControl*>(this));
        P->DrawMenuBorder(Menu, DC, W);
        int Outer = P->MenuOuterBorderWidth();
        P->DrawMenuClientBorder(Menu, DC, this->BackgroundBrush(), RECT{W.left + Outer, W.top + Outer,
                                                                         W.right - Outer, W.bottom - Outer});
        break;
      }
    }
    ReleaseDC(Wnd, DC);
  }

  TdxBarItemLink* LinkAt(POINT P) {
    TdxBarItemLinks* Links = this->GetItemLinks();
    for (int I = 0; Links && I < Links->ShownLinkCount(); ++I) {
      RECT R = Links->GetShownLink(I)->GetItemRect();
      if (PtInRect(&R, P)) return Links->GetShownLink(I);
    }
    return nullptr;
  }

  void Track(POINT P) {
    TRACKMOUSEEVENT T{sizeof(T), TME_LEAVE, this->GetHandle(), 0};
    TrackMouseEvent(&T);
    TdxBarItemLink* Link = LinkAt(P);
    TdxBarItemLink* Old = this->GetSelectedLink();
    if (Link != Old && GetCapture() != this->GetHandle()) {
      if (Old && Old->GetControl()) {
        Old->GetControl()->SetPressed(false);
        Old->GetControl()->MouseLeave();
      }
      this->SetSelectedLink(Link && Link->GetControl() && Link->GetControl()->CanSelect() ? Link : nullptr);
    }
    if (Link && Link->GetControl()) Link->GetControl()->MouseMove({}, P.x, P.y);
    this->Invalidate();
  }

  void Leave() {
    if (GetCapture() == this->GetHandle()) return;
    if (TdxBarItemLink* Old = this->GetSelectedLink(); Old && Old->GetControl()) {
      Old->GetControl()->SetPressed(false);
      Old->GetControl()->MouseLeave();
    }
    this->SetSelectedLink(nullptr);
    this->Invalidate();
  }

  void Down() {
    TdxBarItemLink* Link = this->GetSelectedLink();
    if (!Link || !Link->GetControl()) return;
    SetCapture(this->GetHandle());
    Link->GetControl()->SetPressed(true);
    this->Invalidate();
  }

  void Up(POINT P) {
    if (GetCapture() == this->GetHandle()) ReleaseCapture();
    TdxBarItemLink* Link = this->GetSelectedLink();
    if (!Link || !Link->GetControl()) return;
    TdxBarItemControl* C = Link->GetControl();
    bool Was = C->GetPressed();
    C->SetPressed(false);
    // Buttons click; the sub-menus of the gallery stay closed (the real bar
    // windows open them).
    if (Was && LinkAt(P) == Link && dynamic_cast<TdxBarButtonControl*>(C) && C->GetHotPartIndex() != 1)
      C->Click(true);
    this->Invalidate();
  }
};

using TGalleryToolbar = TGalleryWindow<TFakeToolbar>;
using TGalleryMenu = TGalleryWindow<TFakeMenu>;

struct TLook {
  const char* File;
  TdxBarManagerStyle Style;
};

// A dock site that keeps the size the gallery gives it: the gallery's toolbars
// are no bars of the manager, so the site holds no rows of its own.
class TGalleryDock : public TdxBarDockControl {
public:
  using TdxBarDockControl::TdxBarDockControl;
  int CalcRowsExtent() override { return IsHorizontal() ? GetHeight() : GetWidth(); }

protected:
  // A site without rows would shrink to nothing on every resize.
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SIZE)
      TdxDockControl::WndProc(Message);
    else
      TdxBarDockControl::WndProc(Message);
  }
};

// One window: a manager of the look's style and its bars.
class TGallery {
public:
  TGallery(TForm* Form, const TLook& Look, TImageList* Images) : FForm(Form), FFile(Look.File) {
    FManager = TdxBarManager::Create(Form);
    FManager->SetImages(Images);
    FManager->SetStyle(Look.Style);
    Form->SetColor(clBtnFace);
    std::string Painter = FManager->GetPainter()->ClassName();
    Form->SetCaption(std::string(Look.File) + " (" + Painter + ")");

    // The dock along the top holds the main-menu bar and a toolbar with every kind.
    TdxBarDockControl* Dock = Construct<TGalleryDock>(Form);
    Dock->SetBarManager(FManager);
    Dock->SetBounds(0, 0, 900, 56);
    Dock->SetParent(Form);
    TdxBarDockControl* Side = Construct<TGalleryDock>(Form);
    Side->SetBarManager(FManager);
    Side->SetDockAlign(dalLeft);
    Side->SetBounds(0, 56, 34, 300);
    Side->SetParent(Form);

    TGalleryToolbar* MainMenu = Toolbar(Dock, dsTop);
    MainMenu->V.MainMenu = true;
    MainMenu->V.Dockable = false;
    TdxBarItemLinks* Menus = Links(MainMenu);
    for (const char* Caption : {"&File", "&Edit", "&View"}) SubItem(*Menus, Caption);
    MainMenu->Place(0, 0);
    MainMenu->Press(0);

    TGalleryToolbar* Top = Toolbar(Dock, dsTop);
    Top->V.Mark = true;
    Top->SetMarkSize(Top->GetPainter()->MarkButtonExtent(Top));
    AddEveryKind(*Links(Top), false);
    Top->Place(MainMenu->GetWidth() + 2, 0);
    Top->SetTop(MainMenu->GetHeight() + 2 > 28 ? 28 : MainMenu->GetHeight() + 2);
    Top->SetSelectedLink(Top->ControlOf(1)->GetItemLink());
    Dock->SetHeight(Top->GetTop() + Top->GetHeight());

    TGalleryToolbar* Left = Toolbar(Side, dsLeft);
    Left->V.Rotated = true;
    Left->GetFont()->SetOrientation(2700);
    TdxBarItemLinks* L = Links(Left);
    Button(*L, "New", 0);
    Button(*L, "Open", 1);
    Button(*L, "Bold", 3, bsChecked)->SetDown(true);
    L->GetLink(2)->SetBeginGroup(true);
    TdxBarSubItem* Effects = SubItem(*L, "Effects");
    Effects->SetPaintStyle(psCaption);
    Left->Place(0, 0);
    Side->SetTop(Dock->GetHeight());
    Side->SetHeight(Left->GetHeight() + 4);
    Side->SetWidth(Left->GetWidth());

    // The open menu under "File".
    FMenu = Construct<TGalleryMenu>(Form);
    FMenu->Frame = fkMenu;
    FMenu->SetBarManager(FManager);
    FMenu->SetParent(Form);
    TdxBarItemLinks* M = Links(FMenu);
    Button(*M, "&New", 0)->SetShortCut(TextToShortCut("Ctrl+N"));
    Button(*M, "&Open...", 1)->SetShortCut(TextToShortCut("Ctrl+O"));
    Button(*M, "&Save", 2)->SetEnabled(false);
    Button(*M, "Auto save", -1, bsChecked)->SetDown(true);
    M->GetLink(3)->SetBeginGroup(true);
    Button(*M, "Bold", 3, bsChecked)->SetDown(true);
    SubItem(*M, "&Recent files");
    Button(*M, "Undo", 4, bsDropDown);
    Label(*M, "Label");
    Item<TdxBarEdit>(*M, "Name");
    Item<TdxBarCombo>(*M, "Zoom");
    // A container shows only while it holds something.
    Item<TdxBarButton>(*Item<TdxBarContainerItem>(*M, "Recent")->GetItemLinks(), "a.wav");
    M->GetLink(M->GetCount() - 1)->SetBeginGroup(true);
    Button(*M, "E&xit", -1);
    FMenu->Place(Side->GetWidth() + MainMenu->ControlOf(0)->ItemBounds().left, Dock->GetHeight());
    FMenu->Press(1);
    FMenu->ControlOf(1)->SetPressed(false);

    // A floating toolbar beside the menu.
    TGalleryToolbar* Floating = Toolbar(Form, dsNone);
    Floating->Frame = fkFloating;
    Floating->SetText("Transport");
    Floating->V.CloseButton = true;
    Floating->V.FloatingCaption = true;
    TdxBarItemLinks* F = Links(Floating);
    Button(*F, "Play", 1);
    Button(*F, "Stop", 2)->SetEnabled(false);
    Button(*F, "Record", 4);
    Button(*F, "Loop", 5, bsChecked)->SetDown(true);
    Button(*F, "Undo", 4, bsDropDown);
    F->GetLink(4)->SetBeginGroup(true);
    Button(*F, "Caption", 0)->SetPaintStyle(psCaptionGlyph);
    Floating->Place(FMenu->GetLeft() + FMenu->GetWidth() + 24, Dock->GetHeight() + 16);
    Floating->Press(2);

    // A second toolbar of every kind whose items are disabled, to show the
    // disabled looks (embossed or grey text, faded glyphs).
    TGalleryToolbar* Off = Toolbar(Form, dsTop);
    AddEveryKind(*Links(Off), true);
    Off->Place(FMenu->GetLeft() + FMenu->GetWidth() + 24, Floating->GetTop() + Floating->GetHeight() + 16);

    int Right = std::max({Top->GetLeft() + Top->GetWidth(), Off->GetLeft() + Off->GetWidth(),
                          Floating->GetLeft() + Floating->GetWidth()});
    Dock->SetWidth(Right + 8);
    MainMenu->SetWidth(Right + 8);
    int Bottom = std::max({FMenu->GetTop() + FMenu->GetHeight(), Off->GetTop() + Off->GetHeight(),
                           Side->GetTop() + Side->GetHeight()});
    Form->SetClientWidth(Right + 8);
    Form->SetClientHeight(Bottom + 8);
  }

  ~TGallery() = default;

  TForm* Form() const { return FForm; }
  const char* File() const { return FFile; }

private:
  TGalleryToolbar* Toolbar(TWinControl* Parent, TdxBarDockingStyle Style) {
    TGalleryToolbar* T = Construct<TGalleryToolbar>(FForm);
    T->SetBarManager(FManager);
    T->ChangeDockingStyle(Style);
    if (auto* Site = dynamic_cast<TdxDockControl*>(Parent)) T->AssignDockSite(Site);
    T->SetParent(Parent);
    return T;
  }
  TdxBarItemLinks* Links(TCustomdxBarControl* Window) {
    FOwners.push_back(std::make_unique<TFakeLinksOwner>(FManager, Window));
    return FOwners.back()->Links();
  }
  template <class T>
  T* Item(TdxBarItemLinks& Links, const std::string& Caption) {
    T* I = T::Create(FForm);
    I->SetCaption(Caption);
    Links.AddItem(I);
    return I;
  }
  TdxBarButton* Button(TdxBarItemLinks& Links, const std::string& Caption, int Image,
                       TdxBarButtonStyle Style = bsDefault) {
    TdxBarButton* B = Item<TdxBarButton>(Links, Caption);
    B->SetImageIndex(Image);
    B->SetButtonStyle(Style);
    return B;
  }
  TdxBarSubItem* SubItem(TdxBarItemLinks& Links, const std::string& Caption) {
    TdxBarSubItem* S = Item<TdxBarSubItem>(Links, Caption);
    Item<TdxBarButton>(*S->GetItemLinks(), "Entry");
    return S;
  }
  TdxBarLabel* Label(TdxBarItemLinks& Links, const std::string& Caption) { return Item<TdxBarLabel>(Links, Caption); }

  void AddEveryKind(TdxBarItemLinks& L, bool Disabled) {
    std::vector<TdxBarItem*> Items;
    Items.push_back(Button(L, "New", 0));
    Items.push_back(Button(L, "Open", 1));
    Items.push_back(Button(L, "Bold", 3, bsChecked));
    static_cast<TdxBarButton*>(Items.back())->SetDown(true);
    L.GetLink(2)->SetBeginGroup(true);
    Items.push_back(Button(L, "Italic", 4, bsChecked));
    Items.push_back(Button(L, "Undo", 5, bsDropDown));
    Items.push_back(Button(L, "Fade", 2));
    static_cast<TdxBarButton*>(Items.back())->SetPaintStyle(psCaptionGlyph);
    Items.push_back(Label(L, "Zoom:"));
    L.GetLink(L.GetCount() - 1)->SetBeginGroup(true);
    Items.push_back(Item<TdxBarEdit>(L, "Edit"));
    L.GetLink(L.GetCount() - 1)->SetUserWidth(60);
    Items.push_back(Item<TdxBarCombo>(L, "Combo"));
    L.GetLink(L.GetCount() - 1)->SetUserWidth(70);
    Items.push_back(SubItem(L, "Effects"));
    Items.push_back(Item<TdxBarContainerItem>(L, "Recent"));
    if (Disabled)
      for (TdxBarItem* I : Items) I->SetEnabled(false);
  }

  TForm* FForm;
  const char* FFile;
  TdxBarManager* FManager = nullptr;
  TGalleryMenu* FMenu = nullptr;
  std::vector<std::unique_ptr<TFakeLinksOwner>> FOwners;
};

std::vector<TGallery*> Galleries;
std::string ShotFolder;


}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ShotFolder = ReadLookDemoArguments();

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
    Galleries.push_back(new TGallery(F, Look, Shared));
    F->SetLeft(10 + Offset);
    F->SetTop(10 + Offset);
    Offset += 40;
    F->Show();
  }
  std::vector<TLookShot> Shots;
  for (auto* W : Galleries) Shots.push_back({W->Form(), W->File()});
  TOwned<TLookShooter> Shooter(ShotFolder.empty() ? nullptr : new TLookShooter(ShotFolder, Shots));
  Application->Run();
  for (TGallery* G : Galleries) delete G;
  return 0;
}

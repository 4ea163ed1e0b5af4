// Real toolbars of a bar manager, one window per manager style: a main-menu bar
// and two toolbars docked at the top (the second too long for its row, so it
// shows its mark), one docked at the left, one at the bottom and one floating
// with its caption and close button. The grips drag the bars between the edges
// and out to float, a double click on a grip or caption docks and floats, the
// floating edges size, Alt with a letter and the arrows walk the bars.
// "--screenshots DIR" saves DIR/<look>.bmp for every window and quits;
// "--no-theme" draws as with visual styles off.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"
#include "suite/common/ThemeManager.h"
#include "tests/support/BarDemo.h"
#include "tests/support/LookDemo.h"

namespace {
// A picture of 16 pixels: a coloured disc with a white square on a magenta key.
TBitmap* Glyph(TColor Colour) {
  TBitmap* B = TBitmap::Create();
  B->SetSize(16, 16);
  TCanvas* C = B->GetCanvas();
  C->GetBrush()->SetColor(clFuchsia);
  C->FillRect(RECT{0, 0, 16, 16});
  C->GetBrush()->SetColor(Colour);
  C->GetPen()->SetColor(TColor(ColorToRGB(Colour) / 2 & 0x7F7F7F));
  C->Ellipse(1, 1, 15, 15);
  C->GetBrush()->SetColor(clWhite);
  C->Rectangle(5, 5, 11, 11);
  return B;
}

TImageList* Images(TComponent* Owner) {
  TImageList* L = TImageList::Create(Owner);
  L->SetWidth(16);
  L->SetHeight(16);
  for (TColor C : {TColor(0x3070D0), TColor(0x30A050), TColor(0xC06020), TColor(0x2050C0), TColor(0x9030A0),
                   TColor(0x208080)}) {
    TBitmap* B = Glyph(C);
    L->AddMasked(B, clFuchsia);
    Free(B);
  }
  return L;
}

struct TLook {
  const char* File;
  TdxBarManagerStyle Style;
};

class TDemo {
public:
  TDemo(TForm* Form, const TLook& Look, TImageList* Images, POINT At) : FForm(Form), FFile(Look.File) {
    Form->SetBounds(At.x, At.y, 640, 380);
    Form->SetColor(clAppWorkSpace);
    FManager = TdxBarManager::Create(Form);
    FManager->SetImages(Images);
    FManager->SetStyle(Look.Style);
    FManager->SetHideFloatingBarsWhenInactive(false);
    Form->SetCaption(std::string("Toolbars: ") + Look.File);

    TdxBar* Menu = NewBar("Menu", dsTop, 0, 0);
    Menu->SetIsMainMenu(true);
    for (const char* Caption : {"&File", "&Edit", "&View", "&Help"}) {
      TdxBarSubItem* S = Item<TdxBarSubItem>(Menu, Caption);
      Item<TdxBarButton>(S->GetItemLinks(), "Entry");
    }
    TdxBar* Standard = NewBar("Standard", dsTop, 1, 0);
    Button(Standard, "&New", 0);
    Button(Standard, "&Open", 1);
    Button(Standard, "&Save", 2);
    Button(Standard, "Cu&t", 3)->SetEnabled(false);
    Group(Standard);
    Button(Standard, "Undo", 4, bsDropDown);
    Button(Standard, "&Play", 1)->SetPaintStyle(psCaptionGlyph);
    Group(Standard);
    TdxBar* Format = NewBar("Format", dsTop, 1, 300);
    for (int I = 0; I < 14; ++I) {
      Button(Format, "F" + std::to_string(I), I % 6, I == 3 ? bsChecked : bsDefault);
      if (I % 4 == 0 && I) Group(Format);
    }
    TdxBar* Side = NewBar("Side", dsLeft, 0, 0);
    for (int I = 0; I < 5; ++I) {
      Button(Side, "S" + std::to_string(I), (I + 2) % 6);
      if (I == 3) Group(Side);
    }
    TdxBar* Bottom = NewBar("Status", dsBottom, 0, 0);
    Button(Bottom, "Mark", 5);
    Button(Bottom, "Region", 3);
    TdxBar* Floating = NewBar("Transport", dsNone, 0, 0);
    for (int I = 0; I < 7; ++I) {
      Button(Floating, "T" + std::to_string(I), I % 6, I == 4 ? bsChecked : bsDefault);
      if (I == 3) Group(Floating);
    }
    Floating->SetFloatLeft(At.x + 260);
    Floating->SetFloatTop(At.y + 170);
    Floating->SetFloatClientWidth(110);
    for (TdxBar* B : {Menu, Standard, Format, Side, Bottom, Floating}) B->SetVisible(true);
  }

  TForm* Form() const { return FForm; }
  const char* File() const { return FFile; }

private:
  TdxBar* NewBar(const std::string& Caption, TdxBarDockingStyle Style, int Row, int Left) {
    return NewDemoBar(FManager, Caption, Style, Row, Left);
  }
  template <class T>
  T* Item(TdxBarItemLinks* Links, const std::string& Caption) {
    T* I = T::Create(FForm);
    I->SetCaption(Caption);
    Links->AddItem(I);
    return I;
  }
  template <class T>
  T* Item(TdxBar* Bar, const std::string& Caption) {
    return Item<T>(Bar->GetItemLinks(), Caption);
  }
  TdxBarButton* Button(TdxBar* Bar, const std::string& Caption, int Image, TdxBarButtonStyle Style = bsDefault) {
    TdxBarButton* B = Item<TdxBarButton>(Bar, Caption);
    B->SetImageIndex(Image);
    B->SetButtonStyle(Style);
    if (Style == bsChecked) B->SetDown(true);
    return B;
  }
  // The last link added begins a group.
  void Group(TdxBar* Bar) {
    TdxBarItemLinks* L = Bar->GetItemLinks();
    L->GetLink(L->GetCount() - 1)->SetBeginGroup(true);
  }

  TForm* FForm;
  const char* FFile;
  TdxBarManager* FManager = nullptr;
};

std::vector<TDemo*> Demos;

std::string ShotFolder;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ShotFolder = ReadLookDemoArguments();

  Application->SetTitle("Toolbars");
  Application->Initialize();
  const TLook Looks[] = {{"standard", bmsStandard}, {"enhanced", bmsEnhanced}, {"flat", bmsFlat},
                         {"gradient", bmsOffice11}, {"themed", bmsXP}};
  TForm* Main = nullptr;
  Application->CreateForm(Main);
  TImageList* Shared = Images(Main);
  int Offset = 0;
  for (const TLook& Look : Looks) {
    TForm* F = Main;
    if (!Demos.empty()) F = TForm::Create(Application);
    F->Show();
    Demos.push_back(new TDemo(F, Look, Shared, POINT{10 + Offset, 10 + Offset}));
    Offset += ShotFolder.empty() ? 40 : 0;
  }
  std::vector<TLookShot> Shots;
  for (auto* W : Demos) Shots.push_back({W->Form(), W->File()});
  TOwned<TLookShooter> Shooter(ShotFolder.empty() ? nullptr : new TLookShooter(ShotFolder, Shots, ShowOwned));
  Application->Run();
  for (TDemo* D : Demos) delete D;
  return 0;
}

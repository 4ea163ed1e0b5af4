// The bar library's extra items on a toolbar and in a menu: a hot large button
// (its hot image), a static text, a progress bar, the colour, font-name, date and
// image combos, a spin edit, and a menu holding a recent-files list and an
// expanded in-place group. The toolbar and the menu are stand-ins that draw their
// controls through the painter the way the bar windows do. A second window shows
// the month calendar in its dialog and framed looks.
// "--screenshots DIR" saves DIR/toolbar.bmp (toolbar and menu, the large button
// hot), DIR/date-dropped.bmp (the date combo's calendar open),
// DIR/colour-dropped.bmp (the colour list open), DIR/calendars.bmp and the
// "Select" dialogs DIR/date-dialog.bmp, DIR/image-dialog.bmp and
// DIR/tree-dialog.bmp, and the add-group-items dialog DIR/group-items-dialog.bmp,
// then quits.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Screen.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "suite/bars/BarAddGroupItemsDialog.h"
#include "suite/bars/BarAddItemDialog.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarCalendar.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarColorCombo.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarControlContainer.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarDateCombo.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarFontNameCombo.h"
#include "suite/bars/BarImageCombo.h"
#include "suite/bars/BarInPlaceSubItem.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarLargeButton.h"
#include "suite/bars/BarMRUListItem.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarSpinEdit.h"
#include "suite/bars/BarToolbarsListItem.h"
#include "suite/bars/BarTreeViewCombo.h"
#include "suite/bars/BarStaticItems.h"
#include "suite/bars/BarSubMenuEditor.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars_painters/BarWindowFakes.h"
#include "tests/support/DemoPictures.h"
#include "tests/support/WindowShot.h"

namespace {
std::string ShotFolder;

void AddCalendar(TForm* Form, int X, const char* Title, int Style, TDateTime Selected) {
  TLabel* L = TLabel::Create(Form);
  L->SetParent(Form);
  L->SetBounds(X, 8, 200, 16);
  L->SetCaption(Title);
  TdxBarDateNavigator* N = TdxBarDateNavigator::Create(Form);
  N->SetStyle(Style);
  N->SetLeft(X);
  N->SetTop(28);
  N->SetParent(Form);
  N->SetSelStart(Selected);
}

// A stand-in bar window that paints its controls on the bar's background.
template <class TBase>
class TShownBar : public TBase {
public:
  using TBase::TBase;

protected:
  void Paint() override {
    RECT Client = this->GetClientRect();
    HDC DC = this->GetCanvas()->GetHandle();
    FillRect(DC, &Client, this->BackgroundBrush());
    this->PaintTo(DC, Client);
  }
};
using TShownToolbar = TShownBar<TFakeToolbar>;
using TShownMenu = TShownBar<TFakeMenu>;

class TDemo {
public:
  explicit TDemo(TForm* Form) : FForm(Form) {
    Form->SetCaption("Bar items");
    Form->SetColor(clBtnFace);
    FManager = TdxBarManager::Create(Form);
    FManager->SetImages(DiscImages(Form, 16, {TColor(0x3070D0), TColor(0x30A050), TColor(0xC06020)}, clBlack, true));
    FManager->SetLargeImages(DiscImages(Form, 32, {TColor(0x3070D0), TColor(0x30A050)}, clBlack, true));
    FManager->SetHotImages(DiscImages(Form, 32, {TColor(0x2020E0), TColor(0x20C020)}, clBlack, true));

    // The menu: a command, the recent files, an expanded group, a command.
    FMenu = Construct<TShownMenu>(Form);
    FMenu->SetParent(Form);
    FMenuLinks = std::make_unique<TFakeLinksOwner>(FManager, FMenu);
    TdxBarItemLinks* M = FMenuLinks->Links();
    TdxBarButton* Open = Item<TdxBarButton>("&Open...");
    Open->SetImageIndex(0);
    M->AddItem(Open);
    TdxBarMRUListItem* Recent = Item<TdxBarMRUListItem>("Recent files");
    for (const char* F : {"C:\\Music\\take 3.wav", "C:\\Music\\intro.wav", "D:\\Field\\birds at dawn.wav"})
      Recent->AddToTop(F);
    M->AddItem(Recent);
    M->GetLink(1)->SetBeginGroup(true);
    TdxBarInPlaceSubItem* Group = Item<TdxBarInPlaceSubItem>("Effects");
    for (const char* C : {"Echo", "Fade in", "Normalize"}) Group->GetItemLinks()->AddItem(Item<TdxBarButton>(C));
    M->AddItem(Group);
    M->GetLink(2)->SetBeginGroup(true);
    M->AddItem(Item<TdxBarButton>("E&xit"));
    M->GetLink(3)->SetBeginGroup(true);
    Group->SetExpanded(true);
    FExpansion.Expand(M);

    // The toolbar with every kind that sits on bars.
    FBar = Construct<TShownToolbar>(Form);
    FBar->ChangeDockingStyle(dsTop);
    FBar->SetParent(Form);
    FBarLinks = std::make_unique<TFakeLinksOwner>(FManager, FBar);
    TdxBarItemLinks* L = FBarLinks->Links();
    FLarge = Item<TdxBarLargeButton>("Record");
    FLarge->SetLargeImageIndex(0);
    FLarge->SetHotImageIndex(0);
    L->AddItem(FLarge);
    TdxBarLargeButton* Play = Item<TdxBarLargeButton>("Play");
    Play->SetLargeImageIndex(1);
    L->AddItem(Play);
    TdxBarStatic* Ready = Item<TdxBarStatic>("Ready");
    Ready->SetBorderStyle(sbsLowered);
    L->AddItem(Ready);
    TdxBarProgressItem* Progress = Item<TdxBarProgressItem>("Saving");
    Progress->SetPosition(40);
    L->AddItem(Progress);
    FColour = Item<TdxBarColorCombo>("Colour");
    FColour->SetShowCustomColorButton(true);
    FColour->SetColor(clRed);
    FColour->SetWidth(130);
    L->AddItem(FColour);
    L->GetLink(L->GetCount() - 1)->SetBeginGroup(true);
    TdxBarFontNameCombo* Font = Item<TdxBarFontNameCombo>("Font");
    Font->SetText("Tahoma");
    Font->SetWidth(120);
    L->AddItem(Font);
    FDate = Item<TdxBarDateCombo>("Date");
    FDate->SetDate(EncodeDate(2024, 2, 29));
    FDate->SetShowEditor(true);
    FDate->SetWidth(150);
    L->AddItem(FDate);
    TdxBarImageCombo* Shape = FShape = Item<TdxBarImageCombo>("Shape");
    Shape->SetImages(FManager->GetImages());
    for (const char* S : {"Blue", "Green", "Orange"}) Shape->GetItems()->Add(S);
    for (int I = 0; I < 3; ++I) Shape->SetImageIndex(I, I);
    Shape->SetItemIndex(1);
    Shape->SetWidth(110);
    L->AddItem(Shape);
    TdxBarSpinEdit* Gain = Item<TdxBarSpinEdit>("Gain");
    Gain->SetPrefix(" dB");
    Gain->SetMinValue(-24);
    Gain->SetMaxValue(24);
    Gain->SetValue(-6);
    Gain->SetWidth(90);
    L->AddItem(Gain);

    // A second row: the tree combo, a hosted edit and the toolbars list.
    FBar2 = Construct<TShownToolbar>(Form);
    FBar2->ChangeDockingStyle(dsTop);
    FBar2->SetParent(Form);
    FBar2Links = std::make_unique<TFakeLinksOwner>(FManager, FBar2);
    TdxBarItemLinks* L2 = FBar2Links->Links();
    FTree = Item<TdxBarTreeViewCombo>("Preset");
    FTree->SetShowEditor(true);
    FTree->SetWidth(150);
    FTree->SetFullExpand(true);
    TTreeNodes* N = FTree->GetItems();
    TTreeNode* Voice = N->Add(nullptr, "Voice");
    for (const char* C : {"Podcast", "Radio", "Telephone"}) N->AddChild(Voice, C);
    TTreeNode* Music = N->Add(nullptr, "Music");
    for (const char* C : {"Loud", "Soft"}) N->AddChild(Music, C);
    FTree->SetText("Radio");
    L2->AddItem(FTree);
    TEdit* Title = Construct<TEdit>(Form);
    Title->SetName("TitleEdit");
    Title->SetParent(Form);
    Title->SetBounds(0, 0, 140, 21);
    Title->SetText("Hosted edit");
    TdxBarControlContainerItem* Host = Item<TdxBarControlContainerItem>("Title");
    Host->SetControl(Title);
    L2->AddItem(Host);
    L2->GetLink(1)->SetBeginGroup(true);
    TdxBarControlContainerItem* Empty = Item<TdxBarControlContainerItem>("Spare");
    Empty->SetName("SpareHolder");
    L2->AddItem(Empty);
    L2->AddItem(Item<TdxBarToolbarsListItem>("Toolbars"));
    L2->GetLink(3)->SetBeginGroup(true);

    SIZE S = FBar->Layout();
    FBar->SetBounds(0, 0, S.cx, S.cy);
    SIZE S2 = FBar2->Layout();
    FBar2->SetBounds(0, S.cy + 2, S2.cx, S2.cy);
    S.cy += S2.cy + 2;
    SIZE MS = FMenu->Layout();
    FMenu->SetBounds(8, S.cy + 8, MS.cx + FMenu->GetTextSize(), MS.cy);
    FBar->SetSelectedLink(FBar->ControlOf(0)->GetItemLink());
    Form->SetClientWidth(std::max<int>(S.cx, 400));
    Form->SetClientHeight(S.cy + MS.cy + 24);
  }
  ~TDemo() {
    FExpansion.Collapse(FMenuLinks->Links());
  }

  // Each step shows one state and takes its picture.
  void Step(TObject* Sender) {
    auto* T = static_cast<TTimer*>(Sender);
    switch (FStep++) {
      case 0:
      {
        // Expanding rebuilt the stand-in menu as the popup a menu is: it is shown
        // under the toolbar here, in screen coordinates.
        POINT P = FBar2->ClientToScreen(POINT{8, FBar2->GetHeight() + 8});
        SetWindowPos(FMenu->GetHandle(), nullptr, P.x, P.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        break;
      }
      case 1: Shot("toolbar", FForm->GetHandle(), nullptr); break;
      case 2: Drop(FDate); break;
      case 3: {
        Shot("date-dropped", FForm->GetHandle(), FDate->GetDropDownWindow());
        // A press on the month title opens the month list over it.
        TdxBarDateNavigator* Nav = FDate->DropDownCalendar();
        RECT T = Nav->MonthTitleRect();
        SendMessageW(Nav->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM((T.left + T.right) / 2, (T.top + T.bottom) / 2));
        if (TAMonthListBox* List = Nav->MonthList()) {
          POINT P{List->GetClientWidth() / 2, 4 * List->GetItemHeight() + 2};
          MapWindowPoints(List->GetHandle(), Nav->GetHandle(), &P, 1);
          SendMessageW(Nav->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(P.x, P.y));
          UpdateWindow(List->GetHandle());
          Shot("month-list", FForm->GetHandle(), List->GetHandle());
          SendMessageW(Nav->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
        }
        break;
      }
      case 4:
        if (auto* C = dynamic_cast<TCustomdxBarComboControl*>(ControlOf(FDate))) C->SetDroppedDown(false);
        Drop(FColour);
        break;
      case 5: Shot("colour-dropped", FForm->GetHandle(), FColour->GetDropDownWindow()); break;
      case 6:
        if (auto* C = dynamic_cast<TCustomdxBarComboControl*>(ControlOf(FColour))) C->SetDroppedDown(false);
        Drop(FTree);
        break;
      case 7: Shot("tree-dropped", FForm->GetHandle(), FTree->GetDropDownWindow()); break;
      case 8:
        if (auto* C = dynamic_cast<TCustomdxBarComboControl*>(ControlOf(FTree))) C->SetDroppedDown(false);
        break;
      case 9: {
        TCustomForm* Calendars = FCalendars;
        Shot("calendars", Calendars->GetHandle(), nullptr);
        break;
      }
      // Each "Select" dialog is modal: the next tick, inside its loop, takes the
      // picture and closes it.
      case 10: FDate->Click(); break;
      case 11: ShotDialog("date-dialog"); break;
      case 12: FShape->Click(); break;
      case 13: ShotDialog("image-dialog"); break;
      case 14: FTree->Click(); break;
      case 15: ShotDialog("tree-dialog"); break;
      case 16: {
        TdxBarGroup* Transport = FManager->CreateGroup();
        Transport->SetName("Transport");
        FManager->CreateGroup()->SetName("Editing");
        if (FManager->GetCategories()->GetCount() == 0) FManager->GetCategories()->Add("Commands");
        for (TdxBarItem* I : std::initializer_list<TdxBarItem*>{FLarge, FDate, FColour, FShape, FTree})
          I->SetCategory(0);
        Transport->AddMember(FLarge);
        std::vector<TdxBarComponent*> Chosen;
        ShowAddGroupItemsDialog(Transport, Chosen);
        break;
      }
      case 17: ShotDialog("group-items-dialog"); break;
      case 18: {
        std::string Name = "Transport";
        ExecuteBarNameDialog(Name, bndToolbar, bndmRename, nullptr, FManager);
        break;
      }
      case 19: ShotDialog("name-dialog"); break;
      case 20: ShowAddItemDialog(FManager, 0); break;
      case 21: ShotDialog("new-item-dialog"); break;
      case 22: {
        // The editor customizes the manager: its menu of effects hangs below it.
        TdxBarSubItem* Effects = Item<TdxBarSubItem>("Effects");
        for (const char* C : {"Echo", "Fade in", "Normalize", "Reverse"})
          Effects->GetItemLinks()->AddItem(Item<TdxBarButton>(C));
        Effects->GetItemLinks()->GetLink(2)->SetBeginGroup(true);
        ShowSubMenuEditor(Effects->GetItemLinks());
        if (TdxBarSubMenuEditor* E = ActiveSubMenuEditorForm()) E->SetBounds(470, 40, E->GetWidth(), E->GetHeight());
        break;
      }
      case 23:
        if (TdxBarSubMenuEditor* E = ActiveSubMenuEditorForm()) {
          TCustomdxBarControl* Menu = E->GetBarControl();
          Shot("submenu-editor", E->GetHandle(), Menu ? Menu->GetHandle() : nullptr);
        }
        FManager->SetCustomizing(false);
        break;
      default:
        T->SetEnabled(false);
        Application->GetMainForm()->Close();
        return;
    }
  }

  TForm* FCalendars = nullptr;

private:
  template <class T>
  T* Item(const std::string& Caption) {
    T* I = T::Create(FForm);
    I->SetCaption(Caption);
    return I;
  }
  static TdxBarItemControl* ControlOf(TdxBarItem* Item) {
    for (int I = 0; I < Item->LinkCount(); ++I)
      if (TdxBarItemControl* C = Item->GetLink(I)->GetControl()) return C;
    return nullptr;
  }
  static void Drop(TdxBarItem* Item) {
    auto* C = dynamic_cast<TCustomdxBarComboControl*>(ControlOf(Item));
    if (!C) return;
    C->Click(false);
    C->SetDroppedDown(true);
  }
  void ShotDialog(const char* Name) {
    TCustomForm* Dialog = Screen->GetActiveForm();
    if (!Dialog || !Dialog->GetFormState().Contains(fsModal)) return;
    Shot(Name, Dialog->GetHandle(), nullptr);
    Dialog->SetModalResult(mrCancel);
  }
  // The form and, when given, a popup beside it, in one picture.
  void Shot(const char* Name, HWND Main, HWND Popup) {
    if (ShotFolder.empty()) return;
    RECT R;
    GetWindowRect(Main, &R);
    if (Popup && IsWindowVisible(Popup)) {
      RECT P;
      GetWindowRect(Popup, &P);
      UnionRect(&R, &R, &P);
    }
    SaveScreenPicture(R, ShotFolder + "\\" + Name + ".bmp");
  }

  TForm* FForm;
  TdxBarManager* FManager = nullptr;
  TShownToolbar* FBar = nullptr;
  TShownMenu* FMenu = nullptr;
  std::unique_ptr<TFakeLinksOwner> FBarLinks, FMenuLinks;
  TdxBarContainerExpansion FExpansion;
  TdxBarLargeButton* FLarge = nullptr;
  TdxBarDateCombo* FDate = nullptr;
  TdxBarColorCombo* FColour = nullptr;
  TShownToolbar* FBar2 = nullptr;
  std::unique_ptr<TFakeLinksOwner> FBar2Links;
  TdxBarTreeViewCombo* FTree = nullptr;
  TdxBarImageCombo* FShape = nullptr;
  int FStep = 0;
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int Argc = 0;
  LPWSTR* Argv = CommandLineToArgvW(GetCommandLineW(), &Argc);
  for (int K = 1; K + 1 < Argc; ++K)
    if (std::wstring(Argv[K]) == L"--screenshots") ShotFolder = WideToUtf8(Argv[K + 1]);
  LocalFree(Argv);

  Application->SetTitle("Bar items");
  Application->Initialize();
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetBounds(10, 10, 100, 100);
  // The bars come to a form that is shown, as a form's own bars do when it loads.
  Form->Show();
  TDemo Demo(Form);
  TForm* Calendars = TForm::Create(Application);
  Calendars->SetCaption("Calendars");
  Calendars->SetBounds(10, 380, 100, 100);
  Calendars->SetClientWidth(650);
  Calendars->SetClientHeight(230);
  AddCalendar(Calendars, 8, "Dialog: 29 February 2024", 0, EncodeDate(2024, 2, 29));
  AddCalendar(Calendars, 220, "Framed: 1 September 2024", 1, EncodeDate(2024, 9, 1));
  AddCalendar(Calendars, 432, "Flat: 15 May 2024", 2, EncodeDate(2024, 5, 15));
  Demo.FCalendars = Calendars;
  Calendars->Show();
  if (!ShotFolder.empty()) {
    TTimer* T = TTimer::Create(Application);
    T->SetInterval(700);
    T->OnTimer = Bind(&Demo, &TDemo::Step);
  }
  Application->Run();
  return 0;
}

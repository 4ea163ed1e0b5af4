// The standard controls as a user meets them: clicks, typing, selection and the
// events and values that follow.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/DateTimePicker.h"
#include "framework/Dialogs.h"
#include "framework/DropFiles.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/RangeControls.h"
#include "framework/Screen.h"
#include "framework/Shape.h"
#include "framework/SpeedButton.h"
#include "framework/Timer.h"
#include "framework/TreeView.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "tests/framework_controls/UiTestSupport.h"

namespace {

std::string TextOf(HWND Wnd) {
  wchar_t Text[256] = {};
  GetWindowTextW(Wnd, Text, 256);
  return WideToUtf8(Text);
}

struct Controls : ::testing::Test {
  TForm* Form = nullptr;
  std::vector<std::string> Log;
  void SetUp() override {
    Form = TForm::Create(nullptr);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(30, 30, 480, 360);
    Form->SetColor(clWhite);
  }
  void TearDown() override { Free(Form); }
  template <class T>
  T* Add(RECT R, const char* Name, TWinControl* Parent = nullptr) {
    T* C = T::Create(Form);
    C->SetName(Name);
    C->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    C->SetParent(Parent ? Parent : Form);
    return C;
  }
  void Note(TObject* S) { Log.push_back(static_cast<TComponent*>(S)->GetName()); }
  void ShowForm() {
    Form->Show();
    Pump();
  }
  // Clicks a windowed control in its middle, as the mouse would.
  void ClickOn(TWinControl* C) {
    int X = C->GetWidth() / 2, Y = C->GetHeight() / 2;
    PostMouse(C->GetHandle(), WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
    PostMouse(C->GetHandle(), WM_LBUTTONUP, X, Y);
    Pump();
  }
};

TEST_F(Controls, ButtonClickRunsOnClickAndSetsTheFormsModalResult) {
  auto* B = Add<TButton>({10, 10, 90, 35}, "Ok");
  B->SetCaption("OK");
  B->SetModalResult(mrOk);
  B->OnClick = Bind(this, &Controls::Note);
  ShowForm();
  ClickOn(B);
  EXPECT_EQ(std::vector<std::string>{"Ok"}, Log);
  EXPECT_EQ(mrOk, Form->GetModalResult());
  EXPECT_EQ("OK", WideToUtf8([&] {
              wchar_t Buf[16] = {};
              GetWindowTextW(B->GetHandle(), Buf, 16);
              return std::wstring(Buf);
            }()));
}

TEST_F(Controls, GlyphButtonShowsItsGlyphAndStillClicks) {
  auto* B = Add<TBitBtn>({10, 10, 110, 40}, "Help");
  TBitmap* G = TBitmap::Create();
  G->SetSize(16, 16);
  RECT All{0, 0, 16, 16}, Mark{4, 4, 12, 12};
  G->GetCanvas()->GetBrush()->SetColor(clFuchsia);  // the bottom-left pixel: transparent
  G->GetCanvas()->FillRect(All);
  G->GetCanvas()->GetBrush()->SetColor(clRed);
  G->GetCanvas()->FillRect(Mark);
  B->SetGlyph(G);
  Free(G);
  B->SetCaption("Help");
  B->SetModalResult(mrRetry);
  B->OnClick = Bind(this, &Controls::Note);
  ShowForm();
  // Find the glyph: the only red pixels of the button.
  int Red = 0, Fuchsia = 0;
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 100; ++X) {
      COLORREF C = ScreenPixel(B->GetHandle(), X, Y);
      Red += C == RGB(255, 0, 0);
      Fuchsia += C == RGB(255, 0, 255);
    }
  EXPECT_EQ(64, Red);
  EXPECT_EQ(0, Fuchsia);
  ClickOn(B);
  EXPECT_EQ(std::vector<std::string>{"Help"}, Log);
  EXPECT_EQ(mrRetry, Form->GetModalResult());
}

TEST_F(Controls, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  auto* Edit = Add<TEdit>({10, 10, 110, 31}, "Edit");
  auto* Ok = Add<TButton>({10, 40, 90, 65}, "Ok");
  auto* Cancel = Add<TButton>({100, 40, 180, 65}, "Cancel");
  Ok->SetDefault(true);
  Cancel->SetCancel(true);
  Ok->OnClick = Bind(this, &Controls::Note);
  Cancel->OnClick = Bind(this, &Controls::Note);
  ShowForm();
  Edit->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return Edit->Focused(); }));
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);
  EXPECT_EQ((std::vector<std::string>{"Ok", "Cancel"}), Log);
}

TEST_F(Controls, KeysTheFocusedControlWantsDoNotPressButtons) {
  auto* Memo = Add<TMemo>({10, 10, 200, 100}, "Memo");
  auto* Ok = Add<TButton>({10, 110, 90, 135}, "Ok");
  Ok->SetDefault(true);
  Ok->OnClick = Bind(this, &Controls::Note);
  ShowForm();
  Memo->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return Memo->Focused(); }));
  PressKey(VK_RETURN);  // reaches the memo as a line break
  PostMessageW(Memo->GetHandle(), WM_CHAR, 'x', 1);
  Pump();
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(2, Memo->GetLines()->GetCount());
  // Without WantReturns the memo lets Enter through to the default button.
  Memo->SetWantReturns(false);
  PressKey(VK_RETURN);
  EXPECT_EQ(std::vector<std::string>{"Ok"}, Log);
}

TEST_F(Controls, KeyPreviewLetsTheFormSeeKeysFirst) {
  auto* Edit = Add<TEdit>({10, 10, 110, 31}, "Edit");
  struct TKeys : TObject {
    std::vector<std::string> Log;
    void FormKey(TObject*, WORD& Key, TShiftState) {
      Log.push_back("form " + std::to_string(Key));
      if (Key == VK_F2) Key = 0;
    }
    void EditKey(TObject*, WORD& Key, TShiftState) { Log.push_back("edit " + std::to_string(Key)); }
  } K;
  Form->OnKeyDown = TKeyEvent(&K, &TKeys::FormKey);
  Edit->OnKeyDown = TKeyEvent(&K, &TKeys::EditKey);
  ShowForm();
  Edit->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return Edit->Focused(); }));
  PressKey(VK_F3);
  Form->SetKeyPreview(true);
  PressKey(VK_F2);
  PressKey(VK_F3);
  EXPECT_EQ((std::vector<std::string>{"edit 114", "form 113", "form 114", "edit 114"}), K.Log);
}

TEST_F(Controls, CursorIsTheControlsUnlessTheScreenOverridesIt) {
  auto* Edit = Add<TEdit>({10, 10, 110, 31}, "Edit");
  auto* Panel = Add<TPanel>({10, 50, 110, 100}, "Panel");
  auto* Spot = Add<TShape>({10, 10, 40, 40}, "Spot", Panel);
  Panel->SetCursor(crHandPoint);
  Spot->SetCursor(crCross);
  HCURSOR Hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
  Screen->SetCursors(crHandPoint, Hand);
  ShowForm();
  (void)Edit;
  auto CursorOver = [&](TWinControl* W, POINT P) {
    POINT S = W->ClientToScreen(P);
    SetCursorPos(S.x, S.y);
    SendMessageW(W->GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(W->GetHandle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(Hand, CursorOver(Panel, POINT{80, 30}));
  EXPECT_EQ(Screen->GetCursors(crCross), CursorOver(Panel, POINT{20, 20}));
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->GetCursors(crHourGlass), CursorOver(Panel, POINT{80, 30}));
  Screen->SetCursor(crDefault);
}

TEST_F(Controls, CheckBoxAndRadioButtonsFollowClicks) {
  auto* Check = Add<TCheckBox>({10, 10, 120, 27}, "Check");
  auto* R1 = Add<TRadioButton>({10, 40, 120, 57}, "R1");
  auto* R2 = Add<TRadioButton>({10, 60, 120, 77}, "R2");
  Check->OnClick = Bind(this, &Controls::Note);
  R1->SetChecked(true);
  ShowForm();
  ClickOn(Check);
  EXPECT_TRUE(Check->GetChecked());
  EXPECT_EQ(BST_CHECKED, SendMessageW(Check->GetHandle(), BM_GETCHECK, 0, 0));
  ClickOn(Check);
  EXPECT_FALSE(Check->GetChecked());
  EXPECT_EQ(2u, Log.size());
  ClickOn(R2);
  EXPECT_TRUE(R2->GetChecked());
  EXPECT_FALSE(R1->GetChecked());
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(R1->GetHandle(), BM_GETCHECK, 0, 0));
  // Grayed is reached only when allowed.
  Check->SetAllowGrayed(true);
  ClickOn(Check);
  EXPECT_EQ(cbGrayed, Check->GetState());
}

TEST_F(Controls, EditTypingChangesTextAndRespectsItsLimits) {
  auto* Edit = Add<TEdit>({10, 10, 200, 31}, "Edit");
  struct TTexts : TObject {
    std::vector<std::string> Seen;
    void Change(TObject* S) { Seen.push_back(static_cast<TEdit*>(S)->GetText()); }
  } Texts;
  Edit->OnChange = Bind(&Texts, &TTexts::Change);
  Edit->SetMaxLength(4);
  Edit->SetNumbersOnly(true);
  ShowForm();
  Edit->SetFocus();
  for (wchar_t C : std::wstring(L"12a345")) PostMessageW(Edit->GetHandle(), WM_CHAR, C, 1);
  Pump();
  EXPECT_EQ("1234", Edit->GetText());
  ASSERT_GE(Texts.Seen.size(), 4u);
  EXPECT_EQ((std::vector<std::string>{"1", "12", "123", "1234"}),
            std::vector<std::string>(Texts.Seen.begin(), Texts.Seen.begin() + 4));
  Edit->SetReadOnly(true);
  PostMessageW(Edit->GetHandle(), WM_CHAR, VK_BACK, 1);
  Pump();
  EXPECT_EQ("1234", Edit->GetText());
  // A programmatic change is reported too, and non-ASCII text survives the window.
  Edit->SetMaxLength(0);
  Edit->SetText("\xC3\xA9t\xC3\xA9");
  EXPECT_EQ("\xC3\xA9t\xC3\xA9", Edit->GetText());
  EXPECT_EQ("\xC3\xA9t\xC3\xA9", Texts.Seen.back());
}

TEST_F(Controls, MemoLinesAreTheLinesOfItsText) {
  auto* Memo = Add<TMemo>({10, 10, 200, 100}, "Memo");
  Memo->GetLines()->Add("one");
  Memo->GetLines()->Add("two");
  ShowForm();
  Memo->GetLines()->Insert(1, "between");
  EXPECT_EQ("one\r\nbetween\r\ntwo", Memo->GetText());
  EXPECT_EQ(3, static_cast<int>(SendMessageW(Memo->GetHandle(), EM_GETLINECOUNT, 0, 0)));
  Memo->GetLines()->Delete(0);
  EXPECT_EQ("between", Memo->GetLines()->GetStrings(0));
  EXPECT_EQ(2, Memo->GetLines()->GetCount());
  EXPECT_THROW(Memo->GetLines()->GetStrings(5), EStringListError);
}

TEST_F(Controls, ComboBoxItemsWithObjectsAndSelection) {
  auto* Combo = Add<TComboBox>({10, 10, 150, 31}, "Combo");
  Combo->SetStyle(csDropDownList);
  TObject Tag1, Tag2;
  Combo->GetItems()->AddObject("44100", &Tag1);
  Combo->GetItems()->AddObject("48000", &Tag2);
  Combo->SetItemIndex(1);  // before the window exists
  Combo->OnChange = Bind(this, &Controls::Note);
  ShowForm();
  EXPECT_EQ(1, Combo->GetItemIndex());
  EXPECT_EQ("48000", Combo->GetText());
  EXPECT_EQ(&Tag2, Combo->GetItems()->GetObjects(Combo->GetItemIndex()));
  // The user picks with the keyboard: the selection and OnChange follow.
  Combo->SetFocus();
  PressKey(VK_UP);
  EXPECT_EQ(0, Combo->GetItemIndex());
  EXPECT_EQ("44100", Combo->GetText());
  EXPECT_EQ(std::vector<std::string>{"Combo"}, Log);
  // Items survive a new window.
  Combo->SetStyle(csDropDown);
  EXPECT_EQ(2, static_cast<int>(SendMessageW(Combo->GetHandle(), CB_GETCOUNT, 0, 0)));
  EXPECT_EQ(0, Combo->GetItemIndex());
}

TEST_F(Controls, ListBoxSortedItemsAndMultiSelection) {
  auto* List = Add<TListBox>({10, 10, 150, 150}, "List");
  List->SetSorted(true);
  for (const char* S : {"pear", "apple", "fig"}) List->GetItems()->Add(S);
  List->OnClick = Bind(this, &Controls::Note);
  ShowForm();
  EXPECT_EQ("apple", List->GetItems()->GetStrings(0));
  wchar_t Buf[32] = {};
  SendMessageW(List->GetHandle(), LB_GETTEXT, 2, reinterpret_cast<LPARAM>(Buf));
  EXPECT_EQ(L"pear", std::wstring(Buf));
  // A click on the second row selects it.
  int H = static_cast<int>(SendMessageW(List->GetHandle(), LB_GETITEMHEIGHT, 0, 0));
  PostMouse(List->GetHandle(), WM_LBUTTONDOWN, 10, H + H / 2, MK_LBUTTON);
  PostMouse(List->GetHandle(), WM_LBUTTONUP, 10, H + H / 2);
  Pump();
  EXPECT_EQ(1, List->GetItemIndex());
  EXPECT_EQ(std::vector<std::string>{"List"}, Log);
  List->SetMultiSelect(true);
  EXPECT_TRUE(List->GetSelected(1));  // the selection survived the new window
  List->SetSelected(1, false);
  List->SetSelected(0, true);
  List->SetSelected(2, true);
  EXPECT_EQ(2, List->GetSelCount());
  EXPECT_FALSE(List->GetSelected(1));
}

TEST_F(Controls, ListViewReportColumnsItemsSortingAndEvents) {
  auto* LV = Add<TListView>({10, 10, 400, 200}, "LV");
  LV->SetViewStyle(vsReport);
  LV->SetRowSelect(true);
  LV->SetReadOnly(true);
  for (const char* C : {"Name", "Size"}) LV->AddColumn()->SetCaption(C);
  int Data[3] = {30, 10, 20};
  const char* Names[3] = {"c.wav", "a.wav", "b.wav"};
  LV->BeginUpdate();
  for (int I = 0; I < 3; ++I) {
    TListItem* It = LV->GetItems()->Add();
    It->SetCaption(Names[I]);
    It->GetSubItems()->Add(std::to_string(Data[I]));
    It->SetData(&Data[I]);
  }
  LV->EndUpdate();
  struct TRec : TObject {
    std::vector<std::string> Log;
    void Column(TObject*, TListColumn* C) { Log.push_back("column " + C->GetCaption()); }
    void Dbl(TObject*) { Log.push_back("double"); }
  } Rec;
  LV->OnColumnClick = TLVColumnClickEvent(&Rec, &TRec::Column);
  LV->OnDblClick = Bind(&Rec, &TRec::Dbl);
  ShowForm();
  LV->CustomSort([](TListItem* A, TListItem* B, std::intptr_t) { return *static_cast<int*>(A->GetData()) - *static_cast<int*>(B->GetData()); }, 0);
  wchar_t Buf[32] = {};
  auto TextAt = [&](int Row, int Sub) {
    LVITEMW I{};
    I.iSubItem = Sub;
    I.pszText = Buf;
    I.cchTextMax = 32;
    SendMessageW(LV->GetHandle(), LVM_GETITEMTEXTW, Row, reinterpret_cast<LPARAM>(&I));
    return WideToUtf8(Buf);
  };
  EXPECT_EQ("a.wav", TextAt(0, 0));
  EXPECT_EQ("20", TextAt(1, 1));
  EXPECT_EQ("c.wav", LV->GetItems()->GetItem(2)->GetCaption());
  LV->SetSelected(LV->GetItems()->GetItem(1));
  EXPECT_EQ(1, LV->GetItemIndex());
  EXPECT_EQ(&Data[2], LV->GetSelected()->GetData());
  // The header reports a click on the second column to the list view, which
  // tells its parent.
  HWND Header = reinterpret_cast<HWND>(SendMessageW(LV->GetHandle(), LVM_GETHEADER, 0, 0));
  NMHEADERW NH{};
  NH.hdr.hwndFrom = Header;
  NH.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(Header));
  NH.hdr.code = HDN_ITEMCLICKW;
  NH.iItem = 1;
  SendMessageW(LV->GetHandle(), WM_NOTIFY, NH.hdr.idFrom, reinterpret_cast<LPARAM>(&NH));
  RECT IR{LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(LV->GetHandle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&IR));
  PostMouse(LV->GetHandle(), WM_LBUTTONDBLCLK, IR.left + 5, IR.top + 3, MK_LBUTTON);
  PostMouse(LV->GetHandle(), WM_LBUTTONUP, IR.left + 5, IR.top + 3);
  Pump();
  EXPECT_EQ((std::vector<std::string>{"column Size", "double"}), Rec.Log);
  // Items, selection and columns survive a new window.
  LV->SetMultiSelect(true);
  EXPECT_EQ(3, static_cast<int>(SendMessageW(LV->GetHandle(), LVM_GETITEMCOUNT, 0, 0)));
  EXPECT_EQ("a.wav", TextAt(0, 0));
  LV->GetItems()->Delete(0);
  EXPECT_EQ("b.wav", TextAt(0, 0));
  EXPECT_EQ(2, LV->GetItems()->GetCount());
}

TEST_F(Controls, TreeViewNodesAndSelection) {
  auto* TV = Add<TTreeView>({10, 10, 200, 200}, "TV");
  TTreeNode* Root = TV->GetItems()->Add(nullptr, "Effects");
  TTreeNode* Echo = TV->GetItems()->AddChild(Root, "Echo");
  TV->GetItems()->AddChild(Root, "Reverb");
  TV->GetItems()->Add(Root, "Tools");
  struct TRec : TObject {
    std::vector<std::string> Log;
    void Changed(TObject*, TTreeNode* N) { Log.push_back(N ? N->GetText() : "-"); }
  } Rec;
  TV->OnChange = TTVChangedEvent(&Rec, &TRec::Changed);
  ShowForm();
  EXPECT_EQ(4, TV->GetItems()->GetCount());
  EXPECT_EQ("Reverb", TV->GetItems()->GetItem(2)->GetText());
  EXPECT_EQ(1, Echo->GetLevel());
  Root->Expand(false);
  Rec.Log.clear();
  TV->SetSelected(Echo);
  EXPECT_EQ(Echo, TV->GetSelected());
  EXPECT_EQ(std::vector<std::string>{"Echo"}, Rec.Log);
  EXPECT_TRUE(Root->GetExpanded());
  Root->Delete();
  EXPECT_EQ(1, TV->GetItems()->GetCount());
  EXPECT_EQ(1, static_cast<int>(SendMessageW(TV->GetHandle(), TVM_GETCOUNT, 0, 0)));
}

TEST_F(Controls, ScrollBarReportsEveryPositionChange) {
  auto* SB = Add<TScrollBar>({10, 10, 210, 27}, "SB");
  SB->SetParams(0, 0, 100);
  SB->SetLargeChange(10);
  SB->OnChange = Bind(this, &Controls::Note);
  ShowForm();
  SB->SetPosition(40);
  EXPECT_EQ(40, GetScrollPos(SB->GetHandle(), SB_CTL));
  SB->SetPosition(40);  // no change, no report
  SendMessageW(Form->GetHandle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(SB->GetHandle()));
  EXPECT_EQ(50, SB->GetPosition());
  SB->SetPosition(500);  // clamped
  EXPECT_EQ(100, SB->GetPosition());
  EXPECT_EQ(3u, Log.size());
  EXPECT_THROW(SB->SetParams(0, 10, 5), EInvalidOperation);
}

TEST_F(Controls, TrackBarUpDownAndProgressBarHoldTheirValues) {
  auto* TB = Add<TTrackBar>({10, 10, 210, 50}, "TB");
  TB->SetRange(0, 20);
  TB->SetPosition(5);
  auto* Edit = Add<TEdit>({10, 60, 80, 81}, "Edit");
  auto* UD = Add<TUpDown>({80, 60, 97, 81}, "UD");
  UD->SetMin(0);
  UD->SetMax(10);
  UD->SetPosition(3);
  auto* PB = Add<TProgressBar>({10, 100, 210, 116}, "PB");
  PB->SetMax(50);
  PB->SetStep(20);
  TB->OnChange = Bind(this, &Controls::Note);
  ShowForm();
  UD->SetAssociate(Edit);
  EXPECT_EQ(5, static_cast<int>(SendMessageW(TB->GetHandle(), TBM_GETPOS, 0, 0)));
  TB->SetFocus();
  PressKey(VK_RIGHT);
  EXPECT_EQ(6, TB->GetPosition());
  EXPECT_EQ(std::vector<std::string>{"TB"}, Log);
  EXPECT_EQ("3", Edit->GetText());
  EXPECT_EQ(Edit->GetLeft() + Edit->GetWidth(), UD->GetLeft());
  PB->StepIt();
  PB->StepIt();
  EXPECT_EQ(40, PB->GetPosition());
  PB->StepIt();  // past the end: round again
  EXPECT_EQ(10, PB->GetPosition());
  EXPECT_EQ(10, static_cast<int>(SendMessageW(PB->GetHandle(), PBM_GETPOS, 0, 0)));
}

TEST_F(Controls, PageControlShowsOnlyTheActivePage) {
  auto* PC = Add<TPageControl>({10, 10, 300, 200}, "PC");
  TTabSheet* Pages[3];
  for (int I = 0; I < 3; ++I) {
    Pages[I] = TTabSheet::Create(Form);
    Pages[I]->SetCaption("Page " + std::to_string(I + 1));
    Pages[I]->SetPageControl(PC);
  }
  PC->OnChange = Bind(this, &Controls::Note);
  ShowForm();
  EXPECT_EQ(Pages[0], PC->GetActivePage());
  EXPECT_TRUE(IsWindowVisible(Pages[0]->GetHandle()));
  EXPECT_FALSE(IsWindowVisible(Pages[1]->GetHandle()));
  // The page fills the tab control's display area.
  RECT Display;
  GetClientRect(PC->GetHandle(), &Display);
  SendMessageW(PC->GetHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Display));
  RECT Got = Pages[0]->GetBoundsRect();
  EXPECT_TRUE(EqualRect(&Display, &Got));
  // Clicking the third tab switches to it.
  RECT Tab;
  SendMessageW(PC->GetHandle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&Tab));
  PostMouse(PC->GetHandle(), WM_LBUTTONDOWN, Tab.left + 5, Tab.top + 5, MK_LBUTTON);
  PostMouse(PC->GetHandle(), WM_LBUTTONUP, Tab.left + 5, Tab.top + 5);
  Pump();
  EXPECT_EQ(Pages[2], PC->GetActivePage());
  EXPECT_TRUE(IsWindowVisible(Pages[2]->GetHandle()));
  EXPECT_FALSE(IsWindowVisible(Pages[0]->GetHandle()));
  EXPECT_EQ(std::vector<std::string>{"PC"}, Log);
  // Hiding a tab keeps the mapping of tabs to pages right.
  Pages[1]->SetTabVisible(false);
  EXPECT_EQ(2, static_cast<int>(SendMessageW(PC->GetHandle(), TCM_GETITEMCOUNT, 0, 0)));
  EXPECT_EQ(1, Pages[2]->GetTabIndex());
  Free(Pages[2]);
  EXPECT_EQ(2, PC->GetPageCount());
  // Freeing the shown page shows the next one that has a tab, on its tab.
  EXPECT_EQ(Pages[0], PC->GetActivePage());
  EXPECT_TRUE(IsWindowVisible(Pages[0]->GetHandle()));
  EXPECT_EQ(0, static_cast<int>(SendMessageW(PC->GetHandle(), TCM_GETCURSEL, 0, 0)));
}

TEST_F(Controls, SpeedButtonsOfAGroupStayDownOneAtATime) {
  TSpeedButton* B[3];
  for (int I = 0; I < 3; ++I) {
    B[I] = Add<TSpeedButton>({10 + I * 30, 10, 35 + I * 30, 35}, ("B" + std::to_string(I)).c_str());
    B[I]->SetGroupIndex(1);
    B[I]->OnClick = Bind(this, &Controls::Note);
  }
  ShowForm();
  Click(Form->GetHandle(), 20, 20);
  EXPECT_TRUE(B[0]->GetDown());
  Click(Form->GetHandle(), 50, 20);
  EXPECT_TRUE(B[1]->GetDown());
  EXPECT_FALSE(B[0]->GetDown());
  Click(Form->GetHandle(), 50, 20);  // the last one down stays down
  EXPECT_TRUE(B[1]->GetDown());
  B[1]->SetAllowAllUp(true);
  Click(Form->GetHandle(), 50, 20);
  EXPECT_FALSE(B[1]->GetDown());
  EXPECT_EQ((std::vector<std::string>{"B0", "B1", "B1", "B1"}), Log);
}

TEST_F(Controls, RadioGroupChoosesOneItem) {
  auto* G = Add<TRadioGroup>({10, 10, 200, 120}, "Group");
  G->SetCaption("Channels");
  for (const char* S : {"Mono", "Stereo"}) G->GetItems()->Add(S);
  G->SetItemIndex(0);
  G->OnClick = Bind(this, &Controls::Note);
  ShowForm();
  ClickOn(G->GetButton(1));
  EXPECT_EQ(1, G->GetItemIndex());
  EXPECT_FALSE(G->GetButton(0)->GetChecked());
  EXPECT_EQ(std::vector<std::string>{"Group"}, Log);
  G->GetItems()->Delete(1);
  EXPECT_EQ(0, G->GetItemIndex());
}

TEST_F(Controls, DrawnControlsShowOnTheirParent) {
  auto* Panel = Add<TPanel>({10, 10, 210, 110}, "Panel");
  Panel->SetColor(clYellow);
  auto* Shape = Add<TShape>({20, 20, 60, 60}, "Shape", Panel);
  Shape->GetBrush()->SetColor(clRed);
  auto* Label = Add<TLabel>({250, 10, 300, 30}, "Label");
  Label->SetCaption("Wide label text");
  auto* Box = Add<TPaintBox>({250, 100, 290, 140}, "Box");
  struct TPainter : TObject {
    void Paint(TObject* S) {
      auto* B = static_cast<TPaintBox*>(S);
      B->GetCanvas()->GetBrush()->SetColor(clBlue);
      RECT R = B->GetClientRect();
      B->GetCanvas()->FillRect(R);
    }
  } Painter;
  Box->OnPaint = Bind(&Painter, &TPainter::Paint);
  auto* Image = Add<TImage>({320, 100, 360, 140}, "Image");
  TBitmap* Bmp = TBitmap::Create();
  Bmp->SetSize(10, 10);
  Bmp->GetCanvas()->GetBrush()->SetColor(clLime);
  RECT BR{0, 0, 10, 10};
  Bmp->GetCanvas()->FillRect(BR);
  Image->GetPicture()->SetGraphic(Bmp);
  Image->SetStretch(true);
  Free(Bmp);
  ShowForm();
  EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(Panel->GetHandle(), 40, 40));
  EXPECT_EQ(RGB(255, 255, 0), ScreenPixel(Panel->GetHandle(), 150, 80));
  EXPECT_EQ(RGB(0, 0, 255), ScreenPixel(Form->GetHandle(), 270, 120));
  EXPECT_EQ(RGB(0, 255, 0), ScreenPixel(Form->GetHandle(), 355, 135));
  // The label sized itself to its text.
  EXPECT_GT(Label->GetWidth(), 50);
}

TEST_F(Controls, ActionKeepsLinkedControlsInStep) {
  auto* List = TActionList::Create(Form);
  auto* Act = TAction::Create(Form);
  Act->SetActionList(List);
  Act->SetName("Act");
  Act->SetCaption("&Play");
  Act->OnExecute = Bind(this, &Controls::Note);
  auto* B = Add<TButton>({10, 10, 90, 35}, "B");
  B->SetAction(Act);
  auto* C = Add<TCheckBox>({10, 50, 120, 67}, "C");
  C->SetAction(Act);
  ShowForm();
  EXPECT_EQ("&Play", B->GetCaption());
  Act->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(B->GetHandle()));
  Act->SetEnabled(true);
  Act->SetCaption("&Stop");
  Act->SetChecked(true);
  EXPECT_EQ("&Stop", C->GetCaption());
  EXPECT_TRUE(C->GetChecked());
  ClickOn(B);
  EXPECT_EQ(std::vector<std::string>{"Act"}, Log);
  Free(Act);
  EXPECT_EQ(nullptr, B->GetAction());
}

TEST(DroppedFiles, NamesAndPointAreReadFromTheDrop) {
  std::wstring Names = L"C:\\Music\\\x00E9t\x00E9.wav";
  Names.push_back(L'\0');
  Names += L"C:\\Music\\b.mp3";
  Names.push_back(L'\0');
  Names.push_back(L'\0');
  HGLOBAL Mem = GlobalAlloc(GHND, sizeof(DROPFILES) + Names.size() * sizeof(wchar_t));
  auto* DF = static_cast<DROPFILES*>(GlobalLock(Mem));
  DF->pFiles = sizeof(DROPFILES);
  DF->pt = POINT{12, 34};
  DF->fNC = FALSE;
  DF->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(DF) + sizeof(DROPFILES), Names.data(), Names.size() * sizeof(wchar_t));
  GlobalUnlock(Mem);
  TDroppedFiles D = ReadDroppedFiles(static_cast<HDROP>(Mem));
  ASSERT_EQ(2u, D.Files.size());
  EXPECT_EQ("C:\\Music\\\xC3\xA9t\xC3\xA9.wav", D.Files[0]);
  EXPECT_EQ("C:\\Music\\b.mp3", D.Files[1]);
  EXPECT_EQ(12, D.Point.x);
  EXPECT_EQ(34, D.Point.y);
  EXPECT_TRUE(D.InClient);
}

struct TAnswer : TObject {
  int Button = IDNO;
  int Seen = 0;
  std::wstring Caption;
  void Tick(TObject*) {
    HWND W = FindWindowW(L"#32770", nullptr);
    if (!W) return;
    wchar_t Buf[64] = {};
    GetWindowTextW(W, Buf, 64);
    Caption = Buf;
    ++Seen;
    PostMessageW(W, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(W, Button)));
  }
};

TEST(MessageDialogs, GiveTheAnsweredButtonsResult) {
  TAnswer A;
  TTimer* T = TTimer::Create(nullptr);
  T->SetInterval(50);
  T->OnTimer = Bind(&A, &TAnswer::Tick);
  EXPECT_EQ(mrNo, MessageDlg("Save the changes?", mtConfirmation, mbYesNoCancel));
  EXPECT_EQ(L"Confirm", A.Caption);
  A.Button = IDCANCEL;
  EXPECT_EQ(mrCancel, MessageDlg("Really?", mtWarning, mbOKCancel));
  EXPECT_EQ(L"Warning", A.Caption);
  Free(T);
}

struct TFileAnswer : TObject {
  std::wstring Name;
  bool Cancel = false;
  int Seen = 0;
  void Tick(TObject*) {
    HWND W = FindWindowW(L"#32770", nullptr);
    if (!W) return;
    ++Seen;
    if (Cancel) {
      PostMessageW(W, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    // The file name box is an edit (or a combo box holding one).
    for (int Id : {0x480, 0x47C}) {
      if (HWND C = GetDlgItem(W, Id)) SetWindowTextW(C, Name.c_str());
    }
    PostMessageW(W, WM_COMMAND, IDOK, 0);
  }
};

TEST(FileDialogs, OpenAndSaveGiveTheChosenFile) {
  wchar_t Temp[MAX_PATH];
  GetTempPathW(MAX_PATH, Temp);
  std::wstring Dir = std::wstring(Temp) + L"sonvelt-dlg";
  CreateDirectoryW(Dir.c_str(), nullptr);
  std::wstring Existing = Dir + L"\\take1.wav";
  HANDLE F = CreateFileW(Existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(F);
  TFileAnswer A;
  TTimer* T = TTimer::Create(nullptr);
  T->SetInterval(100);
  T->OnTimer = Bind(&A, &TFileAnswer::Tick);
  TOpenDialog* Open = TOpenDialog::Create(nullptr);
  Open->SetFilter("Wave (*.wav)|*.wav|All files|*.*");
  Open->SetInitialDir(WideToUtf8(Dir));
  Open->SetOptions({ofFileMustExist, ofHideReadOnly});
  A.Name = Existing;
  EXPECT_TRUE(Open->Execute());
  EXPECT_TRUE(SameText(WideToUtf8(Existing), Open->GetFileName())) << Open->GetFileName();
  EXPECT_EQ(1, Open->GetFiles()->GetCount());
  TSaveDialog* Save = TSaveDialog::Create(nullptr);
  Save->SetFilter("Wave (*.wav)|*.wav");
  Save->SetDefaultExt("wav");
  A.Name = Dir + L"\\take2";
  EXPECT_TRUE(Save->Execute());
  EXPECT_TRUE(SameText(WideToUtf8(Dir + L"\\take2.wav"), Save->GetFileName())) << Save->GetFileName();
  A.Cancel = true;
  EXPECT_FALSE(Save->Execute());
  Free(Save);
  Free(Open);
  Free(T);
  DeleteFileW(Existing.c_str());
  RemoveDirectoryW(Dir.c_str());
}

}  // namespace

TEST_F(Controls, DateTimePickersShowTheirPartInTheirFormatAndReportAUsersChange) {
  auto* Day = Add<TDateTimePicker>({10, 10, 200, 31}, "Day");
  auto* Clock = Add<TDateTimePicker>({10, 40, 200, 61}, "Clock");
  Day->SetFormat("yyyy'-'MM'-'dd");
  Clock->SetKind(dtkTime);
  Clock->SetFormat("HH:mm:ss");
  const TDateTime When = EncodeDate(2031, 7, 4) + EncodeTime(13, 5, 9, 0);
  Day->SetDateTime(When);
  Clock->SetDateTime(When);
  Clock->OnChange = TNotifyEvent(static_cast<Controls*>(this), &Controls::Note);
  ShowForm();
  EXPECT_EQ("2031-07-04", TextOf((Day->GetHandle())));
  EXPECT_EQ("13:05:09", TextOf((Clock->GetHandle())));
  EXPECT_DOUBLE_EQ(EncodeDate(2031, 7, 4), Day->GetDate());
  EXPECT_NEAR(EncodeTime(13, 5, 9, 0), Clock->GetTime(), 1e-9);

  // Setting one part keeps the other.
  Clock->SetTime(EncodeTime(23, 59, 58, 0));
  EXPECT_EQ("23:59:58", TextOf((Clock->GetHandle())));
  EXPECT_DOUBLE_EQ(EncodeDate(2031, 7, 4), Clock->GetDate());
  EXPECT_TRUE(Log.empty()) << "the program's changes are not the user's";

  // The user picks the hour field and steps it up.
  Click(Clock->GetHandle(), 8, 10);
  PressKey(VK_UP);
  ASSERT_EQ(std::vector<std::string>{"Clock"}, Log);
  EXPECT_EQ("00:59:58", TextOf((Clock->GetHandle())));
  EXPECT_NEAR(EncodeTime(0, 59, 58, 0), Clock->GetTime(), 1e-9);

  // The value outlives the window.
  Clock->SetKind(dtkDate);
  EXPECT_NEAR(EncodeTime(0, 59, 58, 0), Clock->GetTime(), 1e-9);
}

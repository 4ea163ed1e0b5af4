// The bar's layout in an INI store: round trip, the sections it may erase,
// and damaged or foreign values.
#include "tests/suite_navbar/NavBarFixture.h"

#include <algorithm>

#include "framework/Form.h"
#include "framework/IniFiles.h"
#include "framework/StringLists.h"

namespace {
struct StorageFixture : NavBarFixture {
  TOwned<TMemIniFile> Ini{TMemIniFile::Create(std::string())};
  void AddControls() override {
    NavBarFixture::AddControls();
    const char* GroupNames[] = {"gFiles", "gEdit", "gHelp"};
    const char* ItemNames[] = {"iOpen", "iSave", "iClose", "iCut", "iCopy", "iAbout"};
    for (size_t K = 0; K < G.size(); ++K) G[K]->SetName(GroupNames[K]);
    for (size_t K = 0; K < I.size(); ++K) I[K]->SetName(ItemNames[K]);
  }
  std::vector<std::string> Sections() {
    TOwned<TStringList> L(TStringList::Create());
    Ini->ReadSections(L.get());
    std::vector<std::string> R;
    for (int K = 0; K < L->GetCount(); ++K) R.push_back(L->GetStrings(K));
    std::sort(R.begin(), R.end());
    return R;
  }
  std::vector<std::string> LinkCaptions(TdxNavBarGroup* Group) {
    std::vector<std::string> R;
    for (int K = 0; K < Group->LinkCount(); ++K) R.push_back(Group->Links(K)->GetItem()->GetCaption());
    return R;
  }
};
}  // namespace

TEST_F(StorageFixture, SavingKeepsForeignSectionsAndLoadingRestoresTheArrangement) {
  Ini->WriteString("MyItems", "Recent", "a.wav");
  Ini->WriteString("Styles", "Theme", "dark");
  Ini->WriteString("Group7", "Caption", "stale");
  Ini->WriteString("Layout", "Stale", "1");
  Bar->SetAllowSelectLinks(true);
  G[0]->GetLinks()->Items(2)->SetIndex(0);  // Close, Open, Save
  G[1]->CreateLink(I[5]);                   // Cut, Copy, About
  G[0]->SetSelectedLinkIndex(1);
  G[1]->SetExpanded(false);
  G[2]->SetCaption("Help and tips");
  I[3]->SetVisible(false);
  Bar->SetActiveGroup(G[2]);
  Bar->SaveLayoutToIniFile(Ini.get(), true);

  EXPECT_EQ(Sections(), (std::vector<std::string>{"Group0", "Group1", "Group2", "Item0", "Item1", "Item2", "Item3",
                                                  "Item4", "Item5", "Layout", "MyItems", "Styles"}));
  EXPECT_EQ(Ini->ReadString("MyItems", "Recent", ""), "a.wav");
  EXPECT_FALSE(Ini->ValueExists("Layout", "Stale"));
  EXPECT_EQ(Ini->ReadInteger("Layout", "View", -1), 10);
  EXPECT_EQ(Ini->ReadInteger("Group0", "Link0ItemIndex", -1), 2);
  EXPECT_EQ(Ini->ReadInteger("Layout", "ActiveGroup", -1), 2);

  // A second bar with the same names in their first state takes the arrangement.
  TForm* Other = TForm::Create(nullptr);
  TdxNavBar* B = TdxNavBar::Create(Other);
  B->SetAllowSelectLinks(true);
  std::vector<TdxNavBarGroup*> BG;
  std::vector<TdxNavBarItem*> BI;
  for (const char* N : {"gFiles", "gEdit", "gHelp"}) {
    BG.push_back(B->GetGroups()->Add());
    BG.back()->SetName(N);
  }
  for (const char* N : {"iOpen", "iSave", "iClose", "iCut", "iCopy", "iAbout"}) {
    BI.push_back(B->GetItems()->Add());
    BI.back()->SetName(N);
  }
  B->LoadLayoutFromIniFile(Ini.get(), true);
  EXPECT_EQ(B->GetView(), 10);
  EXPECT_EQ(LinkCaptions(BG[0]), (std::vector<std::string>{"Close", "Open", "Save"}));
  EXPECT_EQ(LinkCaptions(BG[1]), (std::vector<std::string>{"Cut", "Copy", "About"}));
  EXPECT_EQ(BG[0]->GetSelectedLinkIndex(), 1);
  EXPECT_FALSE(BG[1]->GetExpanded());
  EXPECT_EQ(BG[2]->GetCaption(), "Help and tips");
  EXPECT_FALSE(BI[3]->GetVisible());
  EXPECT_EQ(B->GetActiveGroup(), BG[2]);
  Free(Other);
}

TEST_F(StorageFixture, LoadingIntoAnEmptyBarCreatesGroupsAndItems) {
  Bar->SaveLayoutToIniFile(Ini.get(), false);
  EXPECT_FALSE(Ini->ValueExists("Layout", "StyleCount"));
  TdxNavBar* B = TdxNavBar::Create(Form);
  B->LoadLayoutFromIniFile(Ini.get(), false);
  ASSERT_EQ(B->GetGroups()->Count(), 3);
  ASSERT_EQ(B->GetItems()->Count(), 6);
  EXPECT_EQ(B->GetGroups()->Items(1)->GetCaption(), "Edit");
  EXPECT_EQ(LinkCaptions(B->GetGroups()->Items(0)), (std::vector<std::string>{"Open", "Save", "Close"}));
}

TEST_F(StorageFixture, StylesRoundTripOnlyTheirAssignedValues) {
  TdxNavBarStyleRepository* R = Bar->GetOptionsStyle()->GetCustomStyleRepository();
  TdxNavBarStyleItem* S = R->Add();
  S->GetStyle()->SetBackColor(clRed);
  I[0]->SetStyle(0, S);
  Bar->SaveLayoutToIniFile(Ini.get(), true);
  TOwned<TStringList> Keys(TStringList::Create());
  Ini->ReadSection("Style0", Keys.get());
  ASSERT_EQ(Keys->GetCount(), 2);
  EXPECT_EQ(Keys->GetStrings(0), "BackColor");
  EXPECT_EQ(Keys->GetStrings(1), "Tag");
  EXPECT_EQ(Ini->ReadInteger("Item0", "StyleStyleIndex", -1), 0);
  // Loading rebuilds the repository and points the item at the new style.
  I[0]->SetStyle(0, nullptr);
  Bar->LoadLayoutFromIniFile(Ini.get(), true);
  ASSERT_EQ(R->Count(), 1);
  EXPECT_EQ(R->Items(0)->GetStyle()->GetBackColor(), clRed);
  EXPECT_EQ(I[0]->GetStyle(0), R->Items(0));
}

TEST_F(StorageFixture, DamagedValuesAreSkippedWithoutLosingTheRest) {
  TdxNavBarStyleRepository* R = Bar->GetOptionsStyle()->GetCustomStyleRepository();
  Ini->WriteInteger("Layout", "StyleCount", 1);
  Ini->WriteString("Style0", "FontName", "Tahoma");
  Ini->WriteBool("Style0", "FontStyleBold", false);
  Ini->WriteBool("Style0", "FontStyleItalic", true);
  Ini->WriteInteger("Layout", "ItemCount", 1);
  Ini->WriteString("Item0", "Name", "iOpen");
  Ini->WriteInteger("Item0", "StyleStyleIndex", 5);  // no such style
  Ini->WriteString("Item0", "Caption", "Open now");
  Ini->WriteInteger("Layout", "GroupCount", 1);
  Ini->WriteString("Group0", "Name", "gFiles");
  Ini->WriteInteger("Group0", "LinkCount", 2);
  Ini->WriteInteger("Group0", "Link0ItemIndex", 40);  // no such item
  Ini->WriteInteger("Group0", "Link1ItemIndex", 2);
  Ini->WriteInteger("Layout", "ActiveGroup", 12);
  Bar->SetActiveGroup(G[1]);
  Bar->LoadLayoutFromIniFile(Ini.get(), true);
  ASSERT_EQ(R->Count(), 1);
  TFont* F = R->Items(0)->GetStyle()->GetFont();
  EXPECT_FALSE(F->GetStyle().Contains(fsBold));
  EXPECT_TRUE(F->GetStyle().Contains(fsItalic));
  EXPECT_EQ(I[0]->GetCaption(), "Open now");
  EXPECT_EQ(I[0]->GetStyle(0), nullptr);
  EXPECT_EQ(LinkCaptions(G[0]), (std::vector<std::string>{"Close"}));
  EXPECT_EQ(Bar->GetActiveGroup(), G[1]);
  // A stored false clears a style the font already had.
  F->SetStyle(TFontStyles{fsBold});
  Ini->WriteBool("Style0", "FontStyleItalic", false);
  Bar->LoadLayoutFromIniFile(Ini.get(), true);
  EXPECT_FALSE(R->Items(0)->GetStyle()->GetFont()->GetStyle().Contains(fsBold));
}

TEST_F(StorageFixture, OnlyWellFormedPicturesReplaceAStyleImage) {
  TdxNavBarStyleRepository* R = Bar->GetOptionsStyle()->GetCustomStyleRepository();
  struct Case {
    const char* Class;
    const char* Hex;
  } Cases[] = {{"TdxNavBar", "424D"}, {"TBitmap", "4Z4D00"}, {"TNoSuchClass", "424D"}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Class);
    Ini->WriteInteger("Layout", "StyleCount", 1);
    Ini->WriteString("Style0", "ImageClass", C.Class);
    Ini->WriteString("Style0", "Image", C.Hex);
    Bar->LoadLayoutFromIniFile(Ini.get(), true);
    ASSERT_EQ(R->Count(), 1);
    TPicture* P = R->Items(0)->GetStyle()->GetImage();
    EXPECT_TRUE(P->GetGraphic() == nullptr || P->GetGraphic()->GetEmpty());
  }
  // A real picture survives the trip.
  TOwned<TBitmap> Bmp(TBitmap::Create());
  Bmp->SetSize(3, 2);
  R->Items(0)->GetStyle()->GetImage()->SetGraphic(Bmp.get());
  Bar->SaveLayoutToIniFile(Ini.get(), true);
  EXPECT_EQ(Ini->ReadString("Style0", "ImageClass", ""), "TBitmap");
  Bar->LoadLayoutFromIniFile(Ini.get(), true);
  TGraphic* Loaded = R->Items(0)->GetStyle()->GetImage()->GetGraphic();
  ASSERT_NE(Loaded, nullptr);
  EXPECT_EQ(Loaded->GetWidth(), 3);
  EXPECT_EQ(Loaded->GetHeight(), 2);
}

// The layout store: what an INI store holds and what reading it back restores.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Bitmap.h"
#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"
#include "framework/Registry.h"
#include "framework/StringLists.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
struct BarLayoutFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TMemoryStream* Stream = nullptr;
  TdxBarButton* Open = nullptr;
  TdxBarButton* Save = nullptr;
  TdxBar* Tools = nullptr;

  void SetUp() override {
    BarFormFixture::SetUp();
    Form->SetName("MainForm");
    M = NewManager();
    M->SetName("Bars");
    Stream = TMemoryStream::Create();
    M->SetIniStream(Stream);
    Open = TdxBarButton::Create(Form);
    Open->SetName("OpenButton");
    Save = TdxBarButton::Create(Form);
    Save->SetName("SaveButton");
    Tools = M->GetBars()->Add();
    Tools->SetCaption("Tools");
    Tools->SetDockingStyle(dsBottom);
    // A bar's row is a row of its site: two bars hold the rows before it.
    for (const char* Caption : {"Upper", "Lower"}) {
      TdxBar* Other = M->GetBars()->Add();
      Other->SetCaption(Caption);
      Other->SetDockingStyle(dsBottom);
      Other->SetRow(2);
    }
    Tools->SetRow(2);
    Tools->GetItemLinks()->AddItem(Open);
    Tools->GetItemLinks()->AddItem(Save);
  }
  void TearDown() override {
    Free(M);
    Free(Stream);
    BarFormFixture::TearDown();
  }
  std::string StoredText() {
    auto Lines = std::unique_ptr<TStringList>(TStringList::Create());
    Stream->SetPosition(0);
    Lines->LoadFromStream(Stream);
    return Lines->GetText();
  }
  void SetStoredText(const std::string& Text) {
    auto Lines = std::unique_ptr<TStringList>(TStringList::Create());
    Lines->SetText(Text);
    Stream->SetSize(0);
    Lines->SaveToStream(Stream);
  }
  std::string LinkNames(TdxBar* Bar) {
    std::string Names;
    for (int I = 0; I < Bar->GetItemLinks()->GetCount(); ++I) {
      TdxBarItem* Item = Bar->GetItemLinks()->GetLink(I)->GetItem();
      Names += (Item ? Item->GetName() : std::string("?")) + " ";
    }
    return Names;
  }
};

TEST_F(BarLayoutFixture, IniStoreHoldsTheManagerBarsAndLinksUnderTheComponentPath) {
  M->SaveLayoutToIniFile("");
  std::string Text = StoredText();
  for (const char* Expected :
       {"[MainForm.Bars.Main]\r\nVersion=42\r\n", "BarCount=3\r\n", "[MainForm.Bars.Bar0]\r\nCaption=Tools\r\n",
        "DockingStyle=4\r\n", "Row=2\r\n", "ItemLinkCount=2\r\n", "[MainForm.Bars.Bar0.ItemLink0]\r\nItemName=OpenButton\r\n",
        "[MainForm.Bars.Bar0.ItemLink1]\r\nItemName=SaveButton\r\n",
        "[MainForm.Bars.Items]\r\nItemCount=2\r\nOpenButton=1\r\nSaveButton=1\r\n"})
    EXPECT_NE(std::string::npos, Text.find(Expected)) << Expected << "\nin\n" << Text;
}

TEST_F(BarLayoutFixture, ReadingBackRestoresCaptionDockingRowAndLinkOrder) {
  M->SaveLayoutToIniFile("");
  Tools->SetCaption("Changed");
  Tools->SetDockingStyle(dsLeft);
  Tools->SetRow(0);
  Tools->GetItemLinks()->GetLink(1)->SetIndex(0);
  ASSERT_EQ("SaveButton OpenButton ", LinkNames(Tools));

  M->ReadLayoutFromIniFile("");
  EXPECT_EQ("Tools", Tools->GetCaption());
  EXPECT_EQ(dsBottom, Tools->GetDockingStyle());
  EXPECT_EQ(2, Tools->GetRow());
  EXPECT_EQ("OpenButton SaveButton ", LinkNames(Tools));
}

TEST_F(BarLayoutFixture, MissingItemsAreSkippedAndNewItemsKeepTheirPlace) {
  M->SaveLayoutToIniFile("");
  std::string Text = StoredText();
  // A stored link of an item the program no longer has.
  auto At = Text.find("ItemName=SaveButton");
  ASSERT_NE(std::string::npos, At);
  Text.replace(At, 19, "ItemName=GoneButton");
  SetStoredText(Text);
  // An item added to the program after the layout was saved, placed after Open.
  TdxBarButton* Mix = TdxBarButton::Create(Form);
  Mix->SetName("MixButton");
  Tools->GetItemLinks()->AddItem(Mix)->SetIndex(1);
  ASSERT_EQ("OpenButton MixButton SaveButton ", LinkNames(Tools));

  M->ReadLayoutFromIniFile("");
  EXPECT_EQ("OpenButton MixButton ", LinkNames(Tools));
}
TEST_F(BarLayoutFixture, NewItemsFollowTheirFormerPredecessorAlsoWhenItIsNowFirst) {
  // Stored order: Save, Open. The program then has New first and Mix after Save.
  Tools->GetItemLinks()->GetLink(1)->SetIndex(0);
  M->SaveLayoutToIniFile("");
  Tools->GetItemLinks()->GetLink(1)->SetIndex(0);
  TdxBarButton* New = TdxBarButton::Create(Form);
  New->SetName("NewButton");
  TdxBarButton* Mix = TdxBarButton::Create(Form);
  Mix->SetName("MixButton");
  Tools->GetItemLinks()->AddItem(New)->SetIndex(0);
  Tools->GetItemLinks()->AddItem(Mix);
  ASSERT_EQ("NewButton OpenButton SaveButton MixButton ", LinkNames(Tools));

  M->ReadLayoutFromIniFile("");
  EXPECT_EQ("NewButton SaveButton MixButton OpenButton ", LinkNames(Tools));
}

TEST_F(BarLayoutFixture, AOneCharacterUserDefineIsTheOlderDecimalForm) {
  Tools->GetItemLinks()->GetLink(0)->SetUserCaption("&Open...");
  M->SaveLayoutToIniFile("");
  std::string Text = StoredText();
  auto At = Text.find("UserDefine=01");
  ASSERT_NE(std::string::npos, At) << Text;
  Text.replace(At, 13, "UserDefine=1");
  SetStoredText(Text);
  Tools->GetItemLinks()->GetLink(0)->SetUserCaption("");
  M->ReadLayoutFromIniFile("");
  TdxBarItemLink* Link = Tools->GetItemLinks()->GetLink(0);
  EXPECT_TRUE(Link->GetUserDefine().Contains(udCaption));
  EXPECT_EQ("&Open...", Link->GetUserCaption());
}

TEST_F(BarLayoutFixture, TheStandardStyleKeepsNoRecentUseKeys) {
  const struct {
    TdxBarManagerStyle Style;
    bool Recent;
  } Cases[] = {{bmsStandard, false}, {bmsEnhanced, true}};
  for (const auto& C : Cases) {
    M->SetStyle(C.Style);
    M->SaveLayoutToIniFile("");
    std::string Text = StoredText();
    EXPECT_EQ(C.Recent, Text.find("MenusShowRecentItemsFirst=") != std::string::npos) << C.Style;
    EXPECT_EQ(C.Recent, Text.find("ShowFullMenusAfterDelay=") != std::string::npos) << C.Style;
  }
}

TEST_F(BarLayoutFixture, RegistryRoundTripUnderTheCurrentUser) {
  const std::string Key = "\\Software\\SonveltTests\\BarLayout";
  M->SetRegistryPath(Key);
  M->SaveLayoutToRegistry(M->GetRegistryPath());
  Tools->SetCaption("Changed");
  Tools->SetRow(0);
  Tools->GetItemLinks()->GetLink(1)->SetIndex(0);
  M->ReadLayoutFromRegistry(M->GetRegistryPath());
  EXPECT_EQ("Tools", Tools->GetCaption());
  EXPECT_EQ(2, Tools->GetRow());
  EXPECT_EQ("OpenButton SaveButton ", LinkNames(Tools));
  auto Registry = std::unique_ptr<TRegistry>(TRegistry::Create());
  Registry->SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(Registry->OpenKeyReadOnly(Key));
  EXPECT_EQ(42, Registry->ReadInteger("Version"));
  Registry->CloseKey();
  EXPECT_TRUE(Registry->DeleteKey("\\Software\\SonveltTests"));
  EXPECT_FALSE(Registry->KeyExists(Key));
}

// Only the registry keeps a link's own picture. A link read back from an INI store
// therefore gives up its glyph mark and shows its item's glyph, not an empty one.
TEST_F(BarLayoutFixture, ALinksOwnGlyphComesBackFromTheRegistryOnly) {
  const std::string Key = "\\Software\\SonveltTests\\BarLayout";
  TOwned<TBitmap> Red(TBitmap::Create());
  Red->SetSize(16, 16);
  Red->GetCanvas()->GetBrush()->SetColor(clRed);
  Red->GetCanvas()->FillRect(RECT{0, 0, 16, 16});
  for (bool Registry : {false, true}) {
    TdxBarItemLink* Link = Tools->GetItemLinks()->GetLink(0);
    Link->SetUserGlyph(Red.get());
    Link->SetUserDefine(Link->GetUserDefine() + udGlyph);
    if (Registry) M->SaveLayoutToRegistry(Key);
    else M->SaveLayoutToIniFile("");
    Link->SetUserDefine(Link->GetUserDefine() - udGlyph);
    ASSERT_TRUE(Link->GetUserGlyph()->GetEmpty());
    if (Registry) M->ReadLayoutFromRegistry(Key);
    else M->ReadLayoutFromIniFile("");
    Link = Tools->GetItemLinks()->GetLink(0);
    EXPECT_EQ(Registry, Link->GetUserDefine().Contains(udGlyph)) << Registry;
    EXPECT_EQ(Registry, !Link->GetUserGlyph()->GetEmpty()) << Registry;
    if (Registry) {
      EXPECT_EQ(16, Link->GetUserGlyph()->GetWidth());
      EXPECT_EQ(ColorToRGB(clRed), ColorToRGB(Link->GetUserGlyph()->GetCanvas()->GetPixels(8, 8)));
    }
  }
  auto Store = std::unique_ptr<TRegistry>(TRegistry::Create());
  Store->SetRootKey(HKEY_CURRENT_USER);
  EXPECT_TRUE(Store->DeleteKey("\\Software\\SonveltTests"));
}

TEST_F(BarLayoutFixture, AnEmptyRegistryPathStoresNothing) {
  M->SaveLayoutToRegistry("");
  auto Registry = std::unique_ptr<TRegistry>(TRegistry::Create());
  Registry->SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(Registry->OpenKeyReadOnly("\\"));
  EXPECT_FALSE(Registry->ValueExists("BarCount"));
  EXPECT_FALSE(Registry->KeyExists("Bar0"));
}
}  // namespace

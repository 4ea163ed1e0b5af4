// The recent-files list: newest first within its limit, the text shown for a long
// path, the numbered commands it expands into and the entry a click takes out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarMRUListItem.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {

std::vector<std::string> Entries(TdxBarMRUListItem* L) {
  std::vector<std::string> R;
  for (int I = 0; I < L->GetItems()->GetCount(); ++I) R.push_back(L->GetItems()->GetStrings(I));
  return R;
}

struct MRUFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBarMRUListItem* L = nullptr;
  void AddControls() override {
    M = NewManager();
    L = TdxBarMRUListItem::Create(Form);
  }
  void TearDown() override {
    Free(L);
    Free(M);
    BarFormFixture::TearDown();
  }
  void Fill(std::initializer_list<const char*> Texts) {
    L->GetItems()->Clear();
    for (const char* T : Texts) L->GetItems()->Add(T);
  }
};

using Strings = std::vector<std::string>;

TEST_F(MRUFixture, EntriesStayNewestFirstWithinTheLimit) {
  TObject* Tag = reinterpret_cast<TObject*>(Form);
  const struct {
    const char* Name;
    void (*Step)(TdxBarMRUListItem*, TObject*);
    Strings Expected;
    int Limit;
  } Cases[] = {
      {"a new text drops the oldest", [](TdxBarMRUListItem* L, TObject*) { L->AddToTop("f"); },
       {"f", "a", "b", "c", "d"}, 5},
      {"a known text in other case moves as it was spelt",
       [](TdxBarMRUListItem* L, TObject*) { L->AddToTop("C"); }, {"c", "a", "b", "d", "e"}, 5},
      {"an object finds its entry when the text does not",
       [](TdxBarMRUListItem* L, TObject* T) { L->AddToTop("renamed", T); }, {"d", "a", "b", "c", "e"}, 5},
      {"a smaller limit drops the oldest at once", [](TdxBarMRUListItem* L, TObject*) { L->SetMaxItemCount(2); },
       {"a", "b"}, 2},
      {"no limit keeps every insertion",
       [](TdxBarMRUListItem* L, TObject*) {
         L->SetMaxItemCount(0);
         for (const char* T : {"x", "y"}) L->AddToTop(T);
       },
       {"y", "x", "a", "b", "c", "d", "e"}, 0},
      {"a negative limit is no limit", [](TdxBarMRUListItem* L, TObject*) { L->SetMaxItemCount(-3); },
       {"a", "b", "c", "d", "e"}, 0},
      {"removing an unknown text changes nothing", [](TdxBarMRUListItem* L, TObject*) { L->RemoveEntry("zz"); },
       {"a", "b", "c", "d", "e"}, 5},
      {"removing by text ignores case", [](TdxBarMRUListItem* L, TObject*) { L->RemoveEntry("B"); },
       {"a", "c", "d", "e"}, 5},
      {"an empty text removes by object", [](TdxBarMRUListItem* L, TObject* T) { L->RemoveEntry("", T); },
       {"a", "b", "c", "e"}, 5},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    L->SetMaxItemCount(5);
    Fill({"a", "b", "c", "d", "e"});
    L->GetItems()->SetObjects(3, Tag);
    C.Step(L, Tag);
    EXPECT_EQ(C.Expected, Entries(L));
    EXPECT_EQ(C.Limit, L->GetMaxItemCount());
  }
}

TEST_F(MRUFixture, LongPathsAreCutTo300PixelsAndKeptWhole) {
  const std::string Long = "C:\\Recordings\\" + std::string(200, 'w') + "\\take.wav";
  Fill({"C:\\a.wav", Long.c_str(), ""});
  EXPECT_EQ("C:\\a.wav", L->GetDisplayText(0));
  const std::string Shown = L->GetDisplayText(1);
  ASSERT_GT(Shown.size(), 3u);
  EXPECT_EQ("...", Shown.substr(Shown.size() - 3));
  EXPECT_EQ(0u, Long.rfind(Shown.substr(0, Shown.size() - 3), 0)) << "a leading part of the path";
  HDC DC = GetDC(nullptr);
  SIZE S{};
  std::wstring W(Shown.begin(), Shown.end());
  GetTextExtentPoint32W(DC, W.c_str(), static_cast<int>(W.size()), &S);
  ReleaseDC(nullptr, DC);
  EXPECT_LE(S.cx, 300);
  EXPECT_GT(S.cx, 250) << "as much as fits";
  EXPECT_EQ(Long, L->GetItems()->GetStrings(1));
  EXPECT_EQ("", L->GetDisplayText(2));
}

struct MRUMenuFixture : MRUFixture {
  TdxBar* Bar = nullptr;
  TdxBarSubItem* Menu = nullptr;
  TdxBarContainerExpansion Expansion;
  std::vector<std::string> Clicked;
  void (*Handler)(MRUMenuFixture*) = nullptr;
  void Click(TObject*) {
    Clicked.push_back(L->GetItems()->GetStrings(L->GetItemIndex()));
    if (Handler) Handler(this);
  }
  void Open() {
    Bar = M->GetBars()->Add();
    Menu = TdxBarSubItem::Create(Form);
    Bar->GetItemLinks()->AddItem(Menu);
    Menu->GetItemLinks()->AddItem(L);
    L->OnClick = Bind(this, &MRUMenuFixture::Click);
    Expansion.Expand(Menu->GetItemLinks());
  }
  void Close() {
    Expansion.Collapse(Menu->GetItemLinks());
    Free(Bar);
    Free(Menu);
  }
  std::string Caption(int Index) { return Menu->GetItemLinks()->GetLink(Index)->GetItem()->GetCaption(); }
};

TEST_F(MRUMenuFixture, TenEntriesAreNumberedOneToNineThenA) {
  L->SetMaxItemCount(10);
  for (char C = '0'; C <= '9'; ++C) L->GetItems()->Add(std::string("file") + C);
  Open();
  ASSERT_EQ(10, Menu->GetItemLinks()->GetCount());
  EXPECT_EQ("&1 file0", Caption(0));
  EXPECT_EQ("&9 file8", Caption(8));
  EXPECT_EQ("&A file9", Caption(9));
  Close();
}

TEST_F(MRUMenuFixture, ClickTakesOutTheClickedEntryWhateverTheHandlerDid) {
  const struct {
    const char* Name;
    bool Remove;
    void (*Handler)(MRUMenuFixture*);
    Strings Expected;
  } Cases[] = {
      {"kept without RemoveItemOnClick", false, nullptr, {"a", "b", "c"}},
      {"the clicked entry goes", true, nullptr, {"a", "c"}},
      // The handler opens the file, which makes it the newest entry.
      {"moved to the top by the handler", true, [](MRUMenuFixture* F) { F->L->AddToTop("b"); }, {"a", "c"}},
      {"the handler removed entries before it", true,
       [](MRUMenuFixture* F) { F->L->RemoveEntry("a"); }, {"c"}},
      {"the handler removed the entry itself", true,
       [](MRUMenuFixture* F) { F->L->GetItems()->Clear(); }, {}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Fill({"a", "b", "c"});
    L->SetRemoveItemOnClick(C.Remove);
    Handler = C.Handler;
    Clicked.clear();
    Open();
    Menu->GetItemLinks()->GetLink(1)->GetItem()->DoClick();
    Close();
    EXPECT_EQ(Strings{"b"}, Clicked);
    EXPECT_EQ(C.Expected, Entries(L));
    EXPECT_EQ(C.Remove ? -1 : 1, L->GetItemIndex());
  }
}

}  // namespace

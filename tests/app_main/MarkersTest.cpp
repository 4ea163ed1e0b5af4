// Bookmarks and regions: naming them, their entries in the two list windows, moving,
// deleting, sorting and exporting them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/BookmarkForm.h"
#include "app/GlobalVars.h"
#include "app/MarkerItems.h"
#include "app/RegionForm.h"
#include "app/dialogs/AddRegionOrBookmarkForm.h"
#include "app/dialogs/ExportRegionForm.h"
#include "app/dialogs/SelectToBookmarkForm.h"
#include "engine/AudioEditorPainter.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/Menus.h"
#include "framework/StringLists.h"
#include "framework/Unicode.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {

class Markers : public MainFixture {
protected:
  void TearDown() override {
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    MainFixture::TearDown();
  }
  // A marker added to the document as the commands add them, with its list entry.
  void AddBookmark(TChildForm* Doc, int Position, const std::string& Name) {
    Doc->Show();
    IAudioEditor2Markers* M = Doc->AudioEditor->GetMarkers();
    M->AddMarker(Position, 0, Name, "Bookmark");
    M->SetCurrentIndex(M->GetCount());
    Main->AddBookmarkListItem(M);
  }
  void AddRegion(TChildForm* Doc, int Start, int End, const std::string& Name) {
    Doc->Show();
    IAudioEditor2Markers* M = Doc->AudioEditor->GetMarkers();
    M->AddMarker(Start, End - Start, Name, "Region");
    M->SetCurrentIndex(M->GetCount());
    Main->AddRegionListItem(M);
  }
  // Answers the name dialog: checks the proposal, then types Name (or cancels).
  static void AnswerName(const std::string& Prompt, const std::string& Proposal, const std::string& Name) {
    TModalAnswers::Add("TAddRegionOrBookmarkForm", [=](TCustomForm* F) {
      auto* D = static_cast<TAddRegionOrBookmarkForm*>(F);
      EXPECT_EQ(Prompt, D->GetCaption());
      EXPECT_EQ(Prompt, D->LabelEnterName->GetCaption());
      EXPECT_EQ(Proposal, D->EditName->GetText());
      if (Name.empty()) {
        ClickButton(D->ButtonCancel);
        return;
      }
      D->EditName->SetText(Name);
      ClickButton(D->ButtonOK);
    });
  }
  TChildForm* OpenNamed(const std::string& Name, int Frames) {
    const std::string Path = Folder + Name;
    WriteTestWav(Path, 8000, 1, Frames);
    return Open(Path);
  }
};

std::vector<std::string> EntryTexts(TListItem* Entry) {
  std::vector<std::string> T{Entry->GetCaption()};
  for (int I = 0; I < Entry->GetSubItems()->GetCount(); ++I) T.push_back(Entry->GetSubItems()->GetStrings(I));
  return T;
}

TListItem* Entry(TMarkerListForm* List, int Index) { return List->GetList()->GetItems()->GetItem(Index); }
int EntryCount(TMarkerListForm* List) { return List->GetList()->GetItems()->GetCount(); }

std::vector<std::string> Names(TMarkerListForm* List) {
  std::vector<std::string> N;
  for (int I = 0; I < EntryCount(List); ++I) N.push_back(Entry(List, I)->GetCaption());
  return N;
}

// Clicks a column header of the list as the mouse does.
void ClickHeader(TListView* List, int Column) {
  HWND Header = reinterpret_cast<HWND>(SendMessageW(List->GetHandle(), LVM_GETHEADER, 0, 0));
  RECT R{};
  SendMessageW(Header, HDM_GETITEMRECT, Column, reinterpret_cast<LPARAM>(&R));
  Click(Header, (R.left + R.right) / 2, (R.top + R.bottom) / 2);
}

void Select(TMarkerListForm* List, std::initializer_list<int> Indexes) {
  List->GetList()->ClearSelection();
  for (int I : Indexes) Entry(List, I)->SetSelected(true);
}

}  // namespace

TEST_F(Markers, NewMarkersAreProposedByFileAndTimeAndListed) {
  StartMain();
  GlobalVarsRecord->BookmarkFormLeft = 30;
  GlobalVarsRecord->BookmarkFormTop = 40;
  GlobalVarsRecord->RegionFormWidth = 420;
  TChildForm* Song = OpenNamed("song.wav", 528000);
  TAudioEditor2* E = Song->AudioEditor;
  E->SetCursor(522000);  // 0:01:05.250
  AnswerName("Enter Bookmark Name", "song.wav@0:01:05.250", "Chorus");
  ASSERT_FALSE(BookmarkFormInstance->GetVisible());
  Main->ActionSetBookmarkExecute(nullptr);
  ASSERT_EQ(1, E->GetMarkers()->GetCount());
  E->GetMarkers()->SetCurrentIndex(0);
  EXPECT_EQ("Chorus", E->GetMarkers()->GetName());
  EXPECT_EQ(522000, E->GetMarkers()->GetPosition());
  EXPECT_EQ(0, E->GetMarkers()->GetLength());
  ASSERT_EQ(1, EntryCount(BookmarkFormInstance));
  EXPECT_EQ((std::vector<std::string>{"Chorus", "0:01:05.250", "0"}), EntryTexts(Entry(BookmarkFormInstance, 0)));
  auto* B = static_cast<TBookmark*>(TMarkerListForm::EntryData(Entry(BookmarkFormInstance, 0)));
  EXPECT_EQ(522000, B->PositionSample);
  EXPECT_EQ(Song->GetTag(), B->DocumentId);
  EXPECT_TRUE(BookmarkFormInstance->GetVisible());
  EXPECT_EQ(30, BookmarkFormInstance->GetLeft());
  EXPECT_EQ(40, BookmarkFormInstance->GetTop());
  EXPECT_EQ(2, BookmarkFormInstance->GetList()->GetColumnCount());

  // With a selection the bookmark goes to its start; a region spans it.
  TChildForm* Take = OpenNamed("take.wav", 40000);
  E = Take->AudioEditor;
  E->SetSelectionActive(true);
  E->SetSelStart(8000);
  E->SetSelEnd(20000);
  AnswerName("Enter Bookmark Name", "take.wav@0:00:01.000", "Start");
  Main->ActionSetBookmarkExecute(nullptr);
  AnswerName("Enter Region Name", "take.wav@0:00:01.000-0:00:02.500", "Verse");
  Main->ActionAddRegionExecute(nullptr);
  EXPECT_EQ(2, E->GetMarkers()->GetCount());
  ASSERT_EQ(1, EntryCount(RegionFormInstance));
  EXPECT_EQ((std::vector<std::string>{"Verse", "0:00:01.000-0:00:02.500", "take.wav", "1"}),
            EntryTexts(Entry(RegionFormInstance, 0)));
  auto* R = static_cast<TRegion*>(TMarkerListForm::EntryData(Entry(RegionFormInstance, 0)));
  EXPECT_EQ(8000, R->StartSample);
  EXPECT_EQ(20000, R->EndSample);
  EXPECT_EQ(420, RegionFormInstance->GetWidth());
  EXPECT_EQ(3, RegionFormInstance->GetList()->GetColumnCount());

  // Cancelled: nothing is added, but the list still shows.
  RegionFormInstance->Close();
  EXPECT_FALSE(RegionFormInstance->GetVisible());
  AnswerName("Enter Region Name", "take.wav@0:00:01.000-0:00:02.500", "");
  Main->ActionAddRegionExecute(nullptr);
  EXPECT_EQ(2, E->GetMarkers()->GetCount());
  EXPECT_EQ(1, EntryCount(RegionFormInstance));
  EXPECT_TRUE(RegionFormInstance->GetVisible());
  EXPECT_TRUE(TModalAnswers::AllAnswered());
}

TEST_F(Markers, TheLastMarkerBecomesCurrentThroughAnIndexPastTheEnd) {
  StartMain();
  IAudioEditor2Markers* M = NewDocument(8000, 1, 8000)->AudioEditor->GetMarkers();
  for (int I = 0; I < 3; ++I) {
    M->AddMarker(1000 * I, 0, "m" + std::to_string(I), "Bookmark");
    M->SetCurrentIndex(0);
    M->SetCurrentIndex(M->GetCount());
    EXPECT_EQ(I, M->GetCurrentIndex());
    EXPECT_EQ("m" + std::to_string(I), M->GetName());
  }
}

TEST_F(Markers, DraggingAMarkerUpdatesOnlyItsDocumentsEntry) {
  StartMain();
  TChildForm* A = NewDocument(8000, 1, 8000);
  TChildForm* B = NewDocument(8000, 1, 8000);
  for (TChildForm* Doc : {A, B}) {
    AddBookmark(Doc, 2000, "mark");
    AddRegion(Doc, 5000, 6000, "part");
  }
  A->Show();
  Pump();
  TAudioEditor2* E = A->AudioEditor;
  const TAudioEditorLayout L = LayoutAudioEditor(*E, E->GetClientWidth(), E->GetClientHeight());
  const int Y = (L.Wave.top + L.Wave.bottom) / 2;
  auto Drag = [&](int From, int To) {
    PostMouse(E->GetHandle(), WM_LBUTTONDOWN, L.XOf(From), Y, MK_LBUTTON);
    PostMouse(E->GetHandle(), WM_MOUSEMOVE, L.XOf(To), Y, MK_LBUTTON);
    PostMouse(E->GetHandle(), WM_LBUTTONUP, L.XOf(To), Y);
    Pump();
  };
  Drag(2000, 3000);
  Drag(5000, 4000);
  E->GetMarkers()->SetCurrentIndex(0);
  const int Moved = E->GetMarkers()->GetPosition();
  E->GetMarkers()->SetCurrentIndex(1);
  const int RegionMoved = E->GetMarkers()->GetPosition();
  ASSERT_NEAR(3000, Moved, 100);
  ASSERT_NEAR(4000, RegionMoved, 100);
  for (int I = 0; I < 2; ++I) {
    auto* Bm = static_cast<TBookmark*>(TMarkerListForm::EntryData(Entry(BookmarkFormInstance, I)));
    auto* Rg = static_cast<TRegion*>(TMarkerListForm::EntryData(Entry(RegionFormInstance, I)));
    const bool InA = Bm->DocumentId == A->GetTag();
    EXPECT_EQ(InA ? Moved : 2000, Bm->PositionSample);
    EXPECT_EQ(SampleTimeText(E, Bm->PositionSample), Entry(BookmarkFormInstance, I)->GetSubItems()->GetStrings(0));
    EXPECT_EQ(InA ? RegionMoved : 5000, Rg->StartSample);
    EXPECT_EQ(Rg->StartSample + 1000, Rg->EndSample);
    EXPECT_EQ(SampleTimeText(E, Rg->StartSample) + "-" + SampleTimeText(E, Rg->EndSample),
              Entry(RegionFormInstance, I)->GetSubItems()->GetStrings(0));
  }
}

TEST_F(Markers, DeletingAMarkerRenumbersBothListsOfItsDocument) {
  StartMain();
  TChildForm* X = NewDocument(8000, 1, 8000);
  TChildForm* Y = NewDocument(8000, 1, 8000);
  for (TChildForm* Doc : {X, Y}) {
    AddBookmark(Doc, 100, "b0");
    AddRegion(Doc, 1000, 1500, "r1");
    AddBookmark(Doc, 2000, "b2");
    AddRegion(Doc, 3000, 3500, "r3");
    AddBookmark(Doc, 4000, "b4");
  }
  // X's "b2" is the second bookmark entry.
  BookmarkFormInstance->Show();
  Select(BookmarkFormInstance, {1});
  BookmarkFormInstance->GetList()->SetFocus();
  TSystemDialogAnswers::AnswerBox(IDYES);
  PressKey(VK_DELETE);
  ASSERT_TRUE(TSystemDialogAnswers::AllAnswered());
  EXPECT_EQ("Delete the selected bookmark(s)?", TSystemDialogAnswers::Boxes().at(0).Text);

  IAudioEditor2Markers* M = X->AudioEditor->GetMarkers();
  ASSERT_EQ(4, M->GetCount());
  const char* Left[] = {"b0", "r1", "r3", "b4"};
  for (int I = 0; I < 4; ++I) {
    M->SetCurrentIndex(I);
    EXPECT_EQ(Left[I], M->GetName());
  }
  EXPECT_EQ(5, Y->AudioEditor->GetMarkers()->GetCount());
  struct TWant {
    TMarkerListForm* List;
    intptr_t DocumentId;
    std::string Name;
    int Index;
  };
  const TWant Wants[] = {
      {BookmarkFormInstance, X->GetTag(), "b0", 0}, {BookmarkFormInstance, X->GetTag(), "b4", 3},
      {RegionFormInstance, X->GetTag(), "r1", 1},   {RegionFormInstance, X->GetTag(), "r3", 2},
      {BookmarkFormInstance, Y->GetTag(), "b2", 2}, {BookmarkFormInstance, Y->GetTag(), "b4", 4},
      {RegionFormInstance, Y->GetTag(), "r3", 3},
  };
  EXPECT_EQ(5, EntryCount(BookmarkFormInstance));
  for (const TWant& W : Wants) {
    SCOPED_TRACE(W.Name);
    int Found = 0;
    for (int I = 0; I < EntryCount(W.List); ++I) {
      TMarkerItem* D = TMarkerListForm::EntryData(Entry(W.List, I));
      if (D->DocumentId != W.DocumentId || D->Name != W.Name) continue;
      ++Found;
      EXPECT_EQ(W.Index, D->MarkerIndex);
    }
    EXPECT_EQ(1, Found);
  }
  // The entries still act on the right markers: going to X's "b4" finds 4000.
  Select(BookmarkFormInstance, {1});
  ASSERT_EQ("b4", Entry(BookmarkFormInstance, 1)->GetCaption());
  BookmarkFormInstance->ActionGotoBookmarkExecute(nullptr);
  EXPECT_EQ(X, Main->ActiveDocument());
  EXPECT_EQ(4000, X->AudioEditor->GetCursor());
}

TEST_F(Markers, EntriesOfClosedDocumentsDoNothingAndCanBeDeleted) {
  StartMain();
  TChildForm* Gone = NewDocument(8000, 1, 8000);
  AddBookmark(Gone, 1000, "left behind");
  AddRegion(Gone, 1000, 2000, "region behind");
  Gone->Close();
  Pump();
  ASSERT_EQ(0, Main->GetMDIChildCount());
  // With no document open at all.
  Select(RegionFormInstance, {0});
  RegionFormInstance->ActionSelectExecute(nullptr);
  TSystemDialogAnswers::AnswerBox(IDYES);
  RegionFormInstance->ActionDeleteExecute(nullptr);
  EXPECT_EQ(0, EntryCount(RegionFormInstance));
  // With another document open: its markers stay.
  TChildForm* Other = NewDocument(8000, 1, 8000);
  AddBookmark(Other, 500, "kept");
  Select(BookmarkFormInstance, {0});
  BookmarkFormInstance->ActionGotoBookmarkExecute(nullptr);
  EXPECT_EQ(0, Other->AudioEditor->GetCursor());
  TSystemDialogAnswers::AnswerBox(IDYES);
  BookmarkFormInstance->ActionDeleteExecute(nullptr);
  EXPECT_EQ(std::vector<std::string>{"kept"}, Names(BookmarkFormInstance));
  EXPECT_EQ(1, Other->AudioEditor->GetMarkers()->GetCount());
  // Answering No deletes nothing.
  Select(BookmarkFormInstance, {0});
  TSystemDialogAnswers::AnswerBox(IDNO);
  BookmarkFormInstance->ActionDeleteExecute(nullptr);
  EXPECT_EQ(1, EntryCount(BookmarkFormInstance));
}

TEST_F(Markers, ListCommandsGoSelectRenameAndSelectToAnotherBookmark) {
  StartMain();
  TChildForm* A = NewDocument(8000, 1, 8000);
  TChildForm* B = NewDocument(8000, 1, 8000);
  AddBookmark(A, 1000, "one");
  AddBookmark(B, 3000, "elsewhere");
  AddBookmark(A, 5000, "five");
  AddRegion(A, 2000, 2600, "bar");
  B->Show();

  BookmarkFormInstance->Show();
  RegionFormInstance->Show();
  // Only entries' commands need a selection; the popup lists them in order.
  bool Handled = false;
  BookmarkFormInstance->ActionListBookList->OnUpdate(nullptr, Handled);
  EXPECT_FALSE(BookmarkFormInstance->ActionDelete->GetEnabled());
  EXPECT_TRUE(BookmarkFormInstance->ActionSelectAll->GetEnabled());
  std::vector<std::string> Popup;
  for (int I = 0; I < RegionFormInstance->PopupMenuRegion->GetItems()->GetCount(); ++I)
    Popup.push_back(RegionFormInstance->PopupMenuRegion->GetItems()->GetItem(I)->GetCaption());
  EXPECT_EQ((std::vector<std::string>{"Select", "-", "&Rename", "&Save", "Copy To &New", "Delete", "Select All", "-",
                                      "&Export Region(s) to Folder...", "-", "Help"}),
            Popup);

  // Del with nothing selected in the list stays there: the document keeps its
  // selection.
  A->AudioEditor->SetSelectionActive(true);
  A->AudioEditor->SetSelStart(0);
  A->AudioEditor->SetSelEnd(100);
  A->Show();
  BookmarkFormInstance->GetList()->ClearSelection();
  BookmarkFormInstance->GetList()->SetFocus();
  PressKey(VK_DELETE);
  EXPECT_EQ(8000, A->AudioEditor->GetLength());
  EXPECT_EQ(3, EntryCount(BookmarkFormInstance));
  // Ctrl+A in the list selects every entry.
  {
    THeldKeys Ctrl({VK_CONTROL});
    PressKey('A');
  }
  EXPECT_EQ(3, BookmarkFormInstance->GetList()->GetSelCount());

  Select(RegionFormInstance, {0});
  RegionFormInstance->ActionSelectExecute(nullptr);
  EXPECT_EQ(A, Main->ActiveDocument());
  EXPECT_EQ(2000, A->AudioEditor->GetSelStart());
  EXPECT_EQ(2600, A->AudioEditor->GetSelEnd());

  // Select To Bookmark offers the other bookmarks of the same document only.
  Select(BookmarkFormInstance, {2});
  ASSERT_EQ("five", Entry(BookmarkFormInstance, 2)->GetCaption());
  TModalAnswers::Add("TSelectToBookmarkForm", [](TCustomForm* F) {
    auto* D = static_cast<TSelectToBookmarkForm*>(F);
    EXPECT_EQ("Select to Boolmark", D->GetCaption());
    ASSERT_EQ(1, D->ComboBoxBookmark->GetItems()->GetCount());
    EXPECT_EQ("one", D->ComboBoxBookmark->GetText());
    ClickButton(D->ButtonOK);
  });
  B->Show();
  BookmarkFormInstance->ActionSelectToBookmarkExecute(nullptr);
  EXPECT_EQ(A, Main->ActiveDocument());
  EXPECT_EQ(1000, A->AudioEditor->GetSelStart());
  EXPECT_EQ(5000, A->AudioEditor->GetSelEnd());
  EXPECT_EQ(5000, A->AudioEditor->GetCursor());
  // Alone in its document: an empty box, and OK changes nothing.
  Select(BookmarkFormInstance, {1});
  TModalAnswers::Add("TSelectToBookmarkForm", [](TCustomForm* F) {
    auto* D = static_cast<TSelectToBookmarkForm*>(F);
    EXPECT_EQ(0, D->ComboBoxBookmark->GetItems()->GetCount());
    ClickButton(D->ButtonOK);
  });
  BookmarkFormInstance->ActionSelectToBookmarkExecute(nullptr);
  EXPECT_EQ(1000, A->AudioEditor->GetSelStart());

  // F2 renames the entry; the marker keeps its name.
  Select(BookmarkFormInstance, {0});
  BookmarkFormInstance->GetList()->SetFocus();
  AnswerName("Enter Bookmark Name", "one", "intro");
  PressKey(VK_F2);
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  EXPECT_EQ("intro", Entry(BookmarkFormInstance, 0)->GetCaption());
  A->AudioEditor->GetMarkers()->SetCurrentIndex(0);
  EXPECT_EQ("one", A->AudioEditor->GetMarkers()->GetName());

  // Closing keeps the bounds for the next showing.
  BookmarkFormInstance->SetBounds(11, 22, 333, 144);
  BookmarkFormInstance->Close();
  EXPECT_FALSE(BookmarkFormInstance->GetVisible());
  EXPECT_EQ(11, GlobalVarsRecord->BookmarkFormLeft);
  EXPECT_EQ(144, GlobalVarsRecord->BookmarkFormHeight);
}

TEST_F(Markers, HeaderClicksSortTheListAndTheSameColumnAgainReverses) {
  StartMain();
  TChildForm* Doc = NewDocument(8000, 1, 80000);
  AddRegion(Doc, 24000, 25000, "beta");
  AddRegion(Doc, 8000, 9000, "Alpha");
  AddRegion(Doc, 16000, 17000, "gamma");
  AddRegion(Doc, 0, 1000, "");
  RegionFormInstance->ShowAtStoredBounds();
  TListView* List = RegionFormInstance->GetList();
  const struct {
    int Column;
    std::vector<std::string> Order;
  } Clicks[] = {
      // The sort column starts at "Name": the first click there sorts descending.
      {0, {"", "gamma", "beta", "Alpha"}},
      {0, {"Alpha", "beta", "gamma", ""}},
      {1, {"", "Alpha", "gamma", "beta"}},
      {1, {"beta", "gamma", "Alpha", ""}},
      {1, {"", "Alpha", "gamma", "beta"}},
  };
  for (const auto& C : Clicks) {
    ClickHeader(List, C.Column);
    EXPECT_EQ(C.Order, Names(RegionFormInstance));
  }
  SaveScreenshot("region-list-sorted");
  // Empty texts after all others, ASCII letters without regard to case.
  Select(RegionFormInstance, {0});
  auto* A = Entry(RegionFormInstance, 1);
  auto* Empty = Entry(RegionFormInstance, 0);
  EXPECT_EQ(1, TRegionForm::RegionListCompare(Empty, A, 0));
  EXPECT_EQ(-1, TRegionForm::RegionListCompare(A, Empty, 0));
  EXPECT_EQ(-1, TRegionForm::RegionListCompareDesc(Empty, A, 0));
  EXPECT_EQ(0, TRegionForm::RegionListCompare(A, Empty, -1));
  EXPECT_EQ(0, TRegionForm::RegionListCompare(A, A, 5));
}

TEST_F(Markers, ExportWritesEachChosenRegionUnderASafeAndUniqueName) {
  StartMain();
  TGlobalVars& G = *GlobalVarsRecord;
  G.OutputWAVType = 1;
  G.OutputWAVSampleType = 0;  // 8000 Hz
  G.OutputWAVMode = 1;        // mono
  G.OutputWAVBitesPerSample = 1;
  const std::string Out = Folder + "export\\";
  ForceDirectories(Out);
  G.ExportFolder = Out;
  G.ExportFormat = 0;
  // Left by an earlier export: replaced.
  WriteTestWav(Out + "take.wav", 8000, 1, 10);
  TChildForm* Doc = NewDocument(8000, 1, 8000);
  AddRegion(Doc, 0, 1000, "a\\b/c:d*e?f\"g<h>i|j");
  AddRegion(Doc, 1000, 3000, "take");
  AddRegion(Doc, 3000, 3500, "take");
  AddRegion(Doc, 0, 100, "not chosen");
  Select(RegionFormInstance, {0, 1, 2});
  TModalAnswers::Add("TExportRegionForm", [&](TCustomForm* F) {
    auto* D = static_cast<TExportRegionForm*>(F);
    EXPECT_EQ(Out, D->EditFolder->GetText());
    EXPECT_EQ(".wav", D->ComboBoxFormat->GetText());
    SaveScreenshot("export-regions");
    ClickButton(D->ButtonOK);
  });
  RegionFormInstance->ActionExportExecute(nullptr);
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  const struct {
    std::string File;
    uint32_t Frames;
  } Files[] = {{"a_b_c_d_e_f_g_h_i_j.wav", 1000}, {"take.wav", 500}, {"take(1).wav", 2000}};
  for (const auto& F : Files) {
    SCOPED_TRACE(F.File);
    TWavHeader H;
    ASSERT_TRUE(ReadWavHeader(Out + F.File, H));
    EXPECT_EQ(8000, H.Rate);
    EXPECT_EQ(1, H.Channels);
    EXPECT_EQ(F.Frames * 2, H.DataBytes);
  }
  EXPECT_FALSE(FileExists(Out + "not chosen.wav"));
  EXPECT_TRUE(RegionFormInstance->GetList()->GetEnabled());
}

TEST_F(Markers, ExportFormatIndexesChooseTheContainerAndAnyOtherWritesNothing) {
  StartMain();
  const std::string Out = Folder + "formats\\";
  ForceDirectories(Out);
  TChildForm* Doc = NewDocument(44100, 2, 44100);
  AddRegion(Doc, 0, 22050, "part");
  Select(RegionFormInstance, {0});
  const struct {
    int Format;
    const char* Ext;
    std::string Magic;  // the first bytes of the written file
  } Cases[] = {
      {0, ".wav", "RIFF"},
      {1, ".mp3", ""},  // a frame sync or an ID3 tag, checked below
      {2, ".ogg", "OggS"},
      {3, ".wma", std::string("\x30\x26\xB2\x75\x8E\x66\xCF\x11", 8)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Ext);
    RegionFormInstance->ExportRegionItem(Entry(RegionFormInstance, 0), C.Format, Out);
    std::string Head(8, '\0');
    std::FILE* F = _wfopen(Utf8ToWide(Out + "part" + C.Ext).c_str(), L"rb");
    ASSERT_NE(nullptr, F);
    Head.resize(std::fread(Head.data(), 1, Head.size(), F));
    std::fclose(F);
    ASSERT_EQ(8u, Head.size());
    if (C.Format == 1) {
      const bool Sync = uint8_t(Head[0]) == 0xFF && (uint8_t(Head[1]) & 0xE0) == 0xE0;
      EXPECT_TRUE(Sync || Head.rfind("ID3", 0) == 0);
    } else {
      EXPECT_EQ(C.Magic, Head.substr(0, C.Magic.size()));
    }
  }
  // An index outside the four writes no file.
  RegionFormInstance->ExportRegionItem(Entry(RegionFormInstance, 0), 4, Out);
  int Files = 0;
  WIN32_FIND_DATAW Found;
  HANDLE H = FindFirstFileW(Utf8ToWide(Out + "*").c_str(), &Found);
  for (BOOL More = H != INVALID_HANDLE_VALUE; More; More = FindNextFileW(H, &Found))
    if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++Files;
  if (H != INVALID_HANDLE_VALUE) FindClose(H);
  EXPECT_EQ(4, Files);
}

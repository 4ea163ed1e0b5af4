// The owner-drawn scroll bar: its parts, auto-repeat and thumb tracking, driven
// by real messages under Xvfb.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "suite/common/ScrollBar.h"
#include "tests/suite_common/FormFixture.h"

namespace {
struct TScrollLog {
  struct TEntry {
    TScrollCode Code;
    int Pos;
    DWORD At;
  };
  std::vector<TEntry> Entries;
  int Changes = 0;
  void Scroll(TObject*, TScrollCode Code, int& Pos) { Entries.push_back({Code, Pos, GetTickCount()}); }
  void Change(TObject*) { ++Changes; }
  int Count(TScrollCode Code) const {
    int N = 0;
    for (const TEntry& E : Entries) N += E.Code == Code;
    return N;
  }
};

struct ScrollBarFixture : ShownFormFixture {
  TcxScrollBar* Bar = nullptr;
  TScrollLog Log;
  const int Arrow = GetSystemMetrics(SM_CYHSCROLL);
  void AddControls() override {
    Bar = Add<TcxScrollBar>(RECT{10, 50, 10 + 200 + 2 * Arrow, 50 + Arrow});
    Bar->OnScroll = TScrollEvent(&Log, &TScrollLog::Scroll);
    Bar->OnChange = TNotifyEvent(&Log, &TScrollLog::Change);
  }
  HWND Wnd() { return Bar->GetHandle(); }
  // The bar's client point on the screen, for the cursor.
  void PutCursor(int X, int Y) {
    POINT P = Bar->ClientToScreen(POINT{X, Y});
    SetCursorPos(P.x, P.y);
  }
  // The real cursor goes along: the system's own mouse moves then agree.
  void MoveTo(int X, int Y, WPARAM Keys = MK_LBUTTON) {
    PutCursor(X, Y);
    PostMessageW(Wnd(), WM_MOUSEMOVE, Keys, MAKELPARAM(X, Y));
    Pump();
  }
};
}  // namespace

TEST_F(ScrollBarFixture, ThumbSizeAndPlaceFollowThePage) {
  Bar->AssignScrollRange(0, 100, 91, 10, true);
  const TcxScrollBarViewInfo* V = Bar->GetViewInfo();
  EXPECT_EQ(V->TrackLength(), 200);
  // MulDiv(10, 200, 101) rounds 19.8 up; position 91 is the last one a page of 10 allows.
  EXPECT_EQ(V->ThumbLength(), 20);
  EXPECT_EQ(V->ThumbRect.right, V->BottomRightArrowRect.left);
  EXPECT_EQ(V->PageUpRect.left, Arrow);
  EXPECT_EQ(V->PageUpRect.right, V->ThumbRect.left);
  EXPECT_TRUE(IsRectEmpty(&V->PageDownRect));

  struct Case {
    POINT P;
    TcxScrollBarPaintPart Part;
  } Cases[] = {{{1, 2}, sppLineUp},       {{Arrow + 200, 2}, sppLineDown}, {{Arrow + 190, 2}, sppThumb},
               {{Arrow + 5, 2}, sppPageUp}, {{-1, 2}, sppNone},              {{Arrow + 5, Arrow}, sppNone}};
  for (const Case& C : Cases) EXPECT_EQ(Bar->HitTest(C.P), C.Part) << C.P.x << "," << C.P.y;

  // A page covering the whole range leaves the thumb at the start of the track.
  Bar->AssignScrollRange(50, 100, 80, 51, true);
  EXPECT_EQ(V->ThumbRect.left, Arrow);
  EXPECT_EQ(V->ThumbLength(), 200);
}

TEST_F(ScrollBarFixture, ShortBarsHaveNoThumb) {
  Bar->SetBounds(10, 50, 30, Arrow);
  const TcxScrollBarViewInfo* V = Bar->GetViewInfo();
  EXPECT_EQ(V->TopLeftArrowRect.right, 15);
  EXPECT_EQ(V->BottomRightArrowRect.left, 15);
  EXPECT_FALSE(V->HasThumb());
  EXPECT_EQ(Bar->HitTest(POINT{20, 2}), sppLineDown);
  Bar->SetKind(sbVertical);
  Bar->SetBounds(10, 50, Arrow, 100);
  EXPECT_EQ(V->TopLeftArrowRect.bottom, std::min(50, GetSystemMetrics(SM_CXVSCROLL)));
}

TEST_F(ScrollBarFixture, AnOutOfRangeSettingIsRefusedAndChangesNothing) {
  Bar->AssignScrollRange(0, 100, 40, 10, true);
  try {
    Bar->SetMax(5);
    FAIL() << "no exception";
  } catch (const EInvalidOperation& E) {
    EXPECT_EQ(E.GetMessage(), "Scrollbar property out of range");
  }
  EXPECT_THROW(Bar->AssignScrollRange(10, 5, 7, 0, true), EInvalidOperation);
  EXPECT_EQ(Bar->GetMax(), 100);
  EXPECT_EQ(Bar->GetMin(), 0);
  EXPECT_EQ(Bar->GetPosition(), 40);
  // A position outside the range is held in it.
  Bar->SetPosition(500);
  EXPECT_EQ(Bar->GetPosition(), 100);
  EXPECT_EQ(Log.Changes, 2);
}

TEST_F(ScrollBarFixture, HoldingAnArrowRepeatsAfter400ThenEvery60WhileOverIt) {
  Bar->AssignScrollRange(0, 1000, 0, 10, true);
  PutCursor(Arrow + 205, 3);
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Arrow + 205, 3));
  ASSERT_TRUE(PumpUntil([&] { return Log.Count(scLineDown) >= 6; }, 3000));
  std::vector<DWORD> At;
  for (const auto& E : Log.Entries)
    if (E.Code == scLineDown) At.push_back(E.At);
  // The first repeat waits for 400 ms; the later ones come about every 60 ms.
  EXPECT_GE(At[1] - At[0], 380u);
  EXPECT_LE(At[1] - At[0], 700u);
  const DWORD Later = (At[5] - At[1]) / 4;
  EXPECT_GE(Later, 45u);
  EXPECT_LE(Later, 150u);
  EXPECT_EQ(Bar->PartState(sppLineDown), pbsPressed);

  // Off the arrow the repeat pauses; back on it, it goes on.
  MoveTo(Arrow + 100, 3);
  const int Paused = Log.Count(scLineDown);
  PumpUntil([] { return false; }, 250);
  EXPECT_EQ(Log.Count(scLineDown), Paused);
  EXPECT_EQ(Bar->PartState(sppLineDown), pbsNormal);
  MoveTo(Arrow + 205, 3);
  EXPECT_TRUE(PumpUntil([&] { return Log.Count(scLineDown) > Paused; }, 1000));

  PostMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(Arrow + 205, 3));
  Pump();
  EXPECT_EQ(Log.Entries.back().Code, scEndScroll);
  EXPECT_EQ(Bar->GetPressedPart(), sppNone);
  const int Ended = Log.Count(scLineDown);
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(Log.Count(scLineDown), Ended);
  EXPECT_EQ(Bar->GetPosition(), Ended);
}

TEST_F(ScrollBarFixture, DraggingTheThumbTooFarAcrossSnapsBackAndComingBackResumes) {
  Bar->AssignScrollRange(0, 100, 0, 10, true);
  const int ThumbX = Bar->GetViewInfo()->ThumbRect.left + 5;
  PutCursor(ThumbX, 3);
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ThumbX, 3));
  Pump();
  MoveTo(ThumbX + 90, 3);
  // 90 of the 180 pixels the thumb can travel: half of the 91 positions.
  EXPECT_EQ(Bar->GetPosition(), 46);
  EXPECT_EQ(Log.Entries.back().Code, scTrack);
  EXPECT_EQ(Log.Changes, 0);

  MoveTo(ThumbX + 90, 3 + 200);
  EXPECT_EQ(Bar->GetPosition(), 0);
  EXPECT_EQ(Bar->GetViewInfo()->ThumbRect.left, Arrow);
  // Within the tolerance (136 pixels across) the thumb follows again.
  MoveTo(ThumbX + 90, 3 + 120);
  EXPECT_EQ(Bar->GetPosition(), 46);

  PostMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(ThumbX + 90, 3 + 120));
  Pump();
  ASSERT_GE(Log.Entries.size(), 2u);
  EXPECT_EQ(Log.Entries[Log.Entries.size() - 2].Code, scPosition);
  EXPECT_EQ(Log.Entries.back().Code, scEndScroll);
  EXPECT_EQ(Bar->GetPosition(), 46);
}

TEST_F(ScrollBarFixture, AThumbThatFillsTheTrackStaysAtTheStartWhenDragged) {
  Bar->AssignScrollRange(50, 100, 50, 51, true);
  const int X = Arrow + 100;
  PutCursor(X, 3);
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, 3));
  Pump();
  MoveTo(X + 30, 3);
  PostMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(X + 30, 3));
  Pump();
  EXPECT_EQ(Bar->GetPosition(), 50);
  for (const auto& E : Log.Entries) EXPECT_GE(E.Pos, 50);
}

TEST_F(ScrollBarFixture, DisabledBarsDrawEveryPartDisabled) {
  Bar->AssignScrollRange(0, 100, 0, 10, true);
  EXPECT_EQ(Bar->PartState(sppThumb), pbsNormal);
  Bar->SetEnabled(false);
  EXPECT_EQ(Bar->PartState(sppLineUp), pbsDisabled);
  EXPECT_FALSE(Bar->GetViewInfo()->HasThumb());
}

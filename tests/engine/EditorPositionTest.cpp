#include <gtest/gtest.h>

#include "EngineTestSupport.h"

TEST(EditorPosition, EveryChangeFiresOnceAndNoChangeFiresNothing) {
  auto e = EditorWith(Ramp(1000));
  TEventLog log;
  log.Attach(*e);
  struct Step {
    const char* Name;
    void (*Run)(TAudioEditor2&);
    int Fires;
  };
  const Step steps[] = {
      {"cursor", [](TAudioEditor2& e) { e.SetCursor(100); }, 1},
      {"same cursor", [](TAudioEditor2& e) { e.SetCursor(100); }, 0},
      {"show selection", [](TAudioEditor2& e) { e.SetSelectionActive(true); }, 1},
      {"selection start", [](TAudioEditor2& e) { e.SetSelStart(200); }, 1},
      {"selection end", [](TAudioEditor2& e) { e.SetSelEnd(300); }, 1},
      {"view start", [](TAudioEditor2& e) { e.SetViewStart(10); }, 1},
      {"view end", [](TAudioEditor2& e) { e.SetViewEnd(500); }, 1},
      {"zoom full", [](TAudioEditor2& e) { e.ZoomFull(); }, 1},
      {"zoom full again", [](TAudioEditor2& e) { e.ZoomFull(); }, 0},
      {"delete", [](TAudioEditor2& e) { e.DeleteSelection(); }, 1},
      {"undo", [](TAudioEditor2& e) { e.Undo(); }, 1},
  };
  for (const Step& s : steps) {
    int before = log.Positions;
    s.Run(*e);
    EXPECT_EQ(log.Positions - before, s.Fires) << s.Name;
  }
}

TEST(EditorPosition, SelectionCursorAndTimeFollowTheirRules) {
  auto e = EditorWith(Ramp(1000), 1, 8000);
  e->SetCursor(400);
  // A hidden selection is none: both ends report the cursor.
  EXPECT_EQ(e->GetSelStart(), 400);
  EXPECT_EQ(e->GetSelEnd(), 400);
  e->SetSelectionActive(true);
  e->SetSelStart(600);  // past the old end: the end follows
  EXPECT_EQ(e->GetSelEnd(), 600);
  e->SetSelEnd(5000);  // clamped to the length
  EXPECT_EQ(e->GetSelEnd(), 1000);
  e->SetSelEnd(100);  // before the start: the start follows
  EXPECT_EQ(e->GetSelStart(), 100);
  e->SetSelectionActive(false);
  EXPECT_EQ(e->GetSelStart(), e->GetCursor());
  e->SetCursor(-5);
  EXPECT_EQ(e->GetCursor(), 0);

  EXPECT_DOUBLE_EQ(e->SamplesToMs(8000), 1000.0);
  EXPECT_DOUBLE_EQ(e->SamplesToMs(1), 0.125);
  for (int n : {0, 1, 7, 999, 123457}) EXPECT_EQ(e->MsToSamples(e->SamplesToMs(n)), n);
}

TEST(EditorPosition, ZoomOperationsAndAFullViewThatStaysFull) {
  auto e = EditorWith(Ramp(1000));
  EXPECT_EQ(e->GetViewStart(), 0);
  EXPECT_EQ(e->GetViewEnd(), 1000);
  e->ZoomToRange(400, 200);
  EXPECT_EQ(e->GetViewStart(), 200);
  EXPECT_EQ(e->GetViewEnd(), 400);
  e->ZoomOut();  // twice as wide around the middle
  EXPECT_EQ(e->GetViewStart(), 100);
  EXPECT_EQ(e->GetViewEnd(), 500);
  e->ZoomToRange(0, 100);
  e->ZoomOut();  // cannot pass the start: widens to the right
  EXPECT_EQ(e->GetViewStart(), 0);
  EXPECT_EQ(e->GetViewEnd(), 200);
  e->SetSelectionActive(true);
  e->SetSelStart(700);
  e->SetSelEnd(900);
  e->ZoomToSelection();
  EXPECT_EQ(e->GetViewStart(), 700);
  EXPECT_EQ(e->GetViewEnd(), 900);
  e->ZoomFull();
  e->SetSelStart(0);
  e->SetSelEnd(500);
  e->DeleteSelection();
  EXPECT_EQ(e->GetViewEnd(), 500);  // still the whole document
  e->Undo();
  EXPECT_EQ(e->GetViewEnd(), 1000);
  e->ZoomToRange(800, 1000);
  e->SetSelStart(0);
  e->SetSelEnd(900);
  e->DeleteSelection();
  EXPECT_LE(e->GetViewEnd(), e->GetLength());  // a partial view is kept inside
}

#include <gtest/gtest.h>

#include <windows.h>

#include "EngineTestSupport.h"
#include "engine/TAmpBar2.h"
#include "framework/Form.h"
#include "tests/support/MemoryDC.h"

namespace {

constexpr COLORREF kBack = 0x101010, kCursor = 0xFFFFFF, kMarker = 0x0000FF, kSel = 0xA75F05, kScale = 0x202020,
                   kWave = 0x00FF00, kZero = 0x404040, kSelWave = 0xFF00FF;

void Look(TAudioEditor2& e) {
  IAudioEditor2Colors& c = *e.GetColors();
  c.SetColorA(kBack);
  c.SetColorB(kCursor);
  c.SetColorC(kMarker);
  c.SetColorD(kSel);
  c.SetColorE(0x00FFFF);
  c.SetColorF(kScale);
  c.SetColorG(kWave);
  c.SetColorH(kZero);
  c.SetColorI(0x505050);
  c.SetColorJ(kSelWave);
}

// 8000 frames: the first half alternates +-0.5, the second half is silent.
// In a 440 x 140 control the wave area is x 40..440 (20 frames a pixel) and
// y 15..140 with its zero line at 77; +-0.5 reach y 46 and 108.
TOwned<TAudioEditor2> Fixture() {
  std::vector<float> s(8000, 0.0f);
  for (int i = 0; i < 4000; ++i) s[size_t(i)] = i % 2 ? -0.5f : 0.5f;
  auto e = EditorWith(s);
  Look(*e);
  return e;
}

}  // namespace

TEST(EditorPaint, WaveSelectionCursorAndMarkersLandOnTheirPixels) {
  auto e = Fixture();
  e->SetCursor(1000);                                   // x 90
  e->GetMarkers()->AddMarker(2000, 0, "b", "Bookmark");  // x 140
  e->SetSelectionActive(true);
  e->SetSelStart(3000);  // x 190 .. 290
  e->SetSelEnd(5000);
  TMemoryDC shot(440, 140);
  e->PaintTo(shot.DC(), 440, 140);
  struct Probe { const char* What; int X, Y; COLORREF Want; };
  const Probe probes[] = {
      {"wave", 60, 77, kWave},           {"wave top", 60, 46, kWave},
      {"above the wave", 60, 30, kBack}, {"wave in selection", 200, 60, kSelWave},
      {"selection above the wave", 200, 30, kSel}, {"selected silence", 280, 30, kSel},
      {"silence is a flat line", 380, 77, kWave}, {"around silence", 380, 100, kBack},
      {"cursor", 90, 30, kCursor},       {"bookmark", 140, 30, kMarker},
      {"time scale", 300, 3, kScale},    {"level scale", 10, 120, kScale},
  };
  for (const Probe& p : probes) EXPECT_EQ(shot.Pixel(p.X, p.Y), p.Want) << p.What;
}

TEST(EditorPaint, ZoomedOutViewDrawsFromSummaries) {
  // Ten blocks of silence with one spike: at 1638 frames a pixel only the
  // summaries are read, and the spike must still show in its column.
  std::vector<float> s(size_t(TAudioBlock::kFrames) * 10, 0.0f);
  s[300000] = 0.9f;
  auto e = EditorWith(s);
  Look(*e);
  TMemoryDC shot(440, 140);
  e->PaintTo(shot.DC(), 440, 140);
  const int spikeX = 40 + int(300000LL * 400 / (TAudioBlock::kFrames * 10));
  const int y = 77 - 50;  // 0.8 of the half height of 62
  EXPECT_EQ(shot.Pixel(spikeX, y), kWave);
  EXPECT_EQ(shot.Pixel(spikeX - 3, y), kBack);
  EXPECT_EQ(shot.Pixel(spikeX + 3, y), kBack);
}

TEST(EditorPaint, ChannelsGetLanesAndTheBorderTakesTheEdge) {
  std::vector<float> s(2000);
  for (size_t i = 0; i < s.size(); i += 2) s[i] = i % 4 ? -0.9f : 0.9f;  // left loud, right silent
  auto e = EditorWith(s, 2);
  Look(*e);
  e->SetTypeBorder(4);
  TMemoryDC shot(440, 142);
  e->PaintTo(shot.DC(), 440, 142);
  // Border of two pixels (a sunken edge), scale 15 high: lanes of 61 from y 17 and 79.
  EXPECT_EQ(shot.Pixel(0, 70), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(shot.Pixel(439, 70), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(shot.Pixel(100, 17 + 10), kWave);  // left lane, between its peaks
  EXPECT_EQ(shot.Pixel(100, 79 + 15), kBack);  // right lane: a flat line only
  EXPECT_EQ(shot.Pixel(100, 79 + 30), kWave);

  // Without audio only the zero lines show.
  auto empty = EditorWith({}, 2);
  Look(*empty);
  empty->SetTypeBorder(4);
  empty->PaintTo(shot.DC(), 440, 142);
  EXPECT_EQ(shot.Pixel(100, 17 + 30), kZero);
  EXPECT_EQ(shot.Pixel(100, 79 + 30), kZero);
  EXPECT_EQ(shot.Pixel(100, 79 + 10), kBack);
}

namespace {

struct TMouseLog {
  int Dbl = 0, ScaleX = 0, Downs = 0;
  std::vector<int> Markers;
  void DblClick(TObject*) { ++Dbl; }
  void ScaleClick(TObject*) { ++ScaleX; }
  void Down(TObject*, TMouseButton, TShiftState, int, int) { ++Downs; }
  void Marker(TObject*, int n) { Markers.push_back(n); }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

TEST(EditorWindow, MouseSetsCursorSelectsExtendsAndDragsMarkers) {
  TForm* form = TForm::Create(nullptr);
  form->SetBounds(0, 0, 500, 200);
  auto* e = TAudioEditor2::Create(form);
  e->SetParent(form);
  e->SetBounds(0, 0, 440, 140);
  std::vector<float> s(8000, 0.0f);
  e->NewAudioFile(8000, 1);
  e->InsertSamples(s);
  e->ZoomFull();
  HWND w = e->GetHandle();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(GetParent(w), form->GetHandle());
  RECT rc;
  GetClientRect(w, &rc);
  EXPECT_EQ(rc.right, 440);
  TMouseLog log;
  e->OnDblClick = Bind(&log, &TMouseLog::DblClick);
  e->OnScaleXClick = Bind(&log, &TMouseLog::ScaleClick);
  e->OnMouseDown = Bind(&log, &TMouseLog::Down);
  e->OnChangeMarker = Bind(&log, &TMouseLog::Marker);

  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(90, 60));
  SendMessageW(w, WM_LBUTTONUP, 0, At(90, 60));
  EXPECT_EQ(e->GetCursor(), 1000);
  EXPECT_FALSE(e->GetSelectionActive());

  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(190, 60));
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(110, 60));
  SendMessageW(w, WM_LBUTTONUP, 0, At(110, 60));
  EXPECT_TRUE(e->GetSelectionActive());
  EXPECT_EQ(e->GetSelStart(), 1400);
  EXPECT_EQ(e->GetSelEnd(), 3000);

  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(290, 60));
  SendMessageW(w, WM_LBUTTONUP, MK_SHIFT, At(290, 60));
  EXPECT_EQ(e->GetSelStart(), 1400);
  EXPECT_EQ(e->GetSelEnd(), 5000);

  e->GetMarkers()->AddMarker(2000, 0, "b", "Bookmark");  // x 140
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(141, 60));
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(241, 60));
  SendMessageW(w, WM_LBUTTONUP, 0, At(241, 60));
  EXPECT_EQ(e->GetMarkers()->GetPosition(), 4000);
  ASSERT_FALSE(log.Markers.empty());
  EXPECT_EQ(log.Markers.back(), 0);
  EXPECT_EQ(e->GetSelEnd(), 5000);  // dragging a marker leaves the selection

  SendMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, At(100, 60));
  SendMessageW(w, WM_LBUTTONUP, 0, At(100, 60));
  EXPECT_EQ(e->GetSelEnd(), 5000);  // a double click is not a new click
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(300, 5));
  SendMessageW(w, WM_LBUTTONUP, 0, At(300, 5));
  EXPECT_EQ(log.Dbl, 1);
  EXPECT_EQ(log.ScaleX, 1);
  EXPECT_EQ(log.Downs, 6);

  e->ZoomToRange(0, 800);
  SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), At(100, 60));
  EXPECT_EQ(e->GetViewStart(), 100);
  EXPECT_EQ(e->GetViewEnd(), 900);
  Free(form);
  EXPECT_FALSE(IsWindow(w));
}

TEST(AmpBar, LightsItsShareOfTicks) {
  auto bar = Make<TAmpBar2>();
  bar->SetBorderStyle(0);
  bar->SetBackColor(0x000000);
  bar->SetTickBackColor(0x303030);
  TMemoryDC shot(100, 7);
  struct Case { int Value, X; COLORREF Want; };
  // 25 ticks of 3 pixels and a gap.
  for (Case c : {Case{50, 1, 0x00FF00}, Case{50, 53, 0x303030}, Case{50, 3, 0x000000}, Case{100, 97, 0x0000FF},
                 Case{100, 77, 0x00FFFF}, Case{0, 1, 0x303030}, Case{250, 97, 0x0000FF}}) {
    bar->SetValue(c.Value);
    bar->PaintTo(shot.DC(), 100, 7);
    EXPECT_EQ(shot.Pixel(c.X, 3), c.Want) << c.Value << " at " << c.X;
  }
  EXPECT_EQ(bar->GetValue(), 100);  // clamped
}

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "EngineTestSupport.h"
#include "engine/AudioClipboard.h"
#include "engine/AudioEffects.h"
#include "engine/WavFile.h"

namespace {

// Samples k/64 for k = 1..10: every value distinct and exact in float.
std::vector<float> Ten() { return Ramp(10); }
std::vector<float> V(std::initializer_list<int> k) {
  std::vector<float> v;
  for (int x : k) v.push_back(x / 64.0f);
  return v;
}

void Select(TAudioEditor2& e, int a, int b) {
  e.SetSelectionActive(true);
  e.SetSelStart(a);
  e.SetSelEnd(b);
}

}  // namespace

TEST(EditorEdits, EachEditGivesExactSamplesAndUndoesAndRedoes) {
  struct Case {
    const char* Name;
    int SelA, SelB, Cursor;  // SelA < 0: no selection
    void (*Run)(TAudioEditor2&);
    std::vector<float> Expect;
  };
  const Case cases[] = {
      {"delete", 2, 5, 2, [](TAudioEditor2& e) { e.DeleteSelection(); }, V({1, 2, 6, 7, 8, 9, 10})},
      {"cut", 0, 3, 0, [](TAudioEditor2& e) { e.CutSelection(); }, V({4, 5, 6, 7, 8, 9, 10})},
      {"copy then paste at the cursor", 1, 3, 1,
       [](TAudioEditor2& e) {
         e.CopySelection();
         e.SetSelectionActive(false);
         e.SetCursor(10);
         e.PasteClipboard();
       },
       V({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2, 3})},
      {"insert samples", -1, -1, 4, [](TAudioEditor2& e) { e.InsertSamples(V({40, 41})); },
       V({1, 2, 3, 4, 40, 41, 5, 6, 7, 8, 9, 10})},
      {"reverse", 6, 10, 6, [](TAudioEditor2& e) { e.GetEffects()->Reverse(); }, V({1, 2, 3, 4, 5, 6, 10, 9, 8, 7})},
      {"silence", 1, 4, 1, [](TAudioEditor2& e) { e.GetEffects()->SilenceSelection(); },
       V({1, 0, 0, 0, 5, 6, 7, 8, 9, 10})},
      // Gains 0, 1/4, 1/2, 3/4, 1 over five frames.
      {"fade in", 5, 10, 5, [](TAudioEditor2& e) { e.GetEffects()->Fade(0, 100); },
       {1 / 64.f, 2 / 64.f, 3 / 64.f, 4 / 64.f, 5 / 64.f, 0, 7 / 256.f, 8 / 128.f, 27 / 256.f, 10 / 64.f}},
      // 0.5 ms at 8000 Hz is 4 frames.
      {"insert silence", -1, -1, 2, [](TAudioEditor2& e) { e.GetEffects()->InsertSilence(0.5); },
       V({1, 2, 0, 0, 0, 0, 3, 4, 5, 6, 7, 8, 9, 10})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto e = EditorWith(Ten());
    e->SetCursor(c.Cursor);
    if (c.SelA >= 0) Select(*e, c.SelA, c.SelB);
    c.Run(*e);
    EXPECT_EQ(AllSamples(*e), c.Expect);
    ASSERT_TRUE(e->CanUndo());
    e->Undo();
    EXPECT_EQ(AllSamples(*e), Ten());
    ASSERT_TRUE(e->CanRedo());
    e->Redo();
    EXPECT_EQ(AllSamples(*e), c.Expect);
    EXPECT_FALSE(e->CanRedo());
  }
}

TEST(EditorEdits, CutLeavesTheCursorAtTheCutAndANewEditDropsRedo) {
  auto e = EditorWith(Ten());
  Select(*e, 3, 6);
  e->CutSelection();
  EXPECT_EQ(e->GetCursor(), 3);
  EXPECT_EQ(e->GetSelStart(), e->GetSelEnd());
  e->Undo();
  // Undo brings back the selection of the time too.
  EXPECT_EQ(e->GetSelStart(), 3);
  EXPECT_EQ(e->GetSelEnd(), 6);
  e->SetCursor(0);
  e->SetSelectionActive(false);
  e->InsertSamples(V({99}));
  EXPECT_FALSE(e->CanRedo());
}

TEST(EditorEdits, CompoundEditIsOneUndoStep) {
  // Repeat the selection three times after itself, as the repeat command does.
  auto e = EditorWith(Ten());
  Select(*e, 0, 2);
  e->SetCursor(0);
  Select(*e, 0, 2);
  TSampleArray loop = e->GetSamples(2);
  EXPECT_EQ(loop, V({1, 2}));
  e->BeginCompoundEdit();
  for (int i = 0; i < 3; ++i) {
    e->SetCursor(e->GetCursor() + 2);
    e->InsertSamples(loop);
  }
  e->EndCompoundEdit();
  EXPECT_EQ(AllSamples(*e), V({1, 2, 1, 2, 1, 2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  e->Undo();
  EXPECT_EQ(AllSamples(*e), Ten());
  e->Undo();  // the step before is the fixture's own insertion
  EXPECT_EQ(e->GetLength(), 0);
  e->Redo();

  // An empty compound edit records nothing; the earlier step stays on top.
  e->Redo();
  e->BeginCompoundEdit();
  e->EndCompoundEdit();
  e->Undo();
  EXPECT_EQ(AllSamples(*e), Ten());
}

TEST(EditorEdits, OneClipboardServesEveryEditorAndConvertsOnPaste) {
  auto a = EditorWith(V({8, 16, 24, 32}), 1, 8000);
  auto b = EditorWith({}, 2, 8000);
  Select(*a, 1, 3);
  a->CopySelection();
  EXPECT_TRUE(AudioClipboard().HasData);
  b->PasteClipboard();
  EXPECT_EQ(AllSamples(*b), V({16, 16, 24, 24}));
  EXPECT_EQ(b->GetSelStart(), 0);  // the pasted audio is selected
  EXPECT_EQ(b->GetSelEnd(), 2);
  a.reset();  // the clipboard outlives its source
  auto c = EditorWith({}, 1, 16000);
  c->PasteClipboard();
  EXPECT_EQ(c->GetLength(), 4);  // two frames at 8 kHz are four at 16 kHz
}

TEST(EditorEdits, PasteMixWeighsBothSidesAndLengthensWhenNeeded) {
  auto e = EditorWith(V({8, 8, 8, 8}));
  Select(*e, 0, 2);
  e->CopySelection();
  Select(*e, 1, 3);
  e->PasteMix(50, 100);  // 8/2 + 8
  EXPECT_EQ(AllSamples(*e), V({8, 12, 12, 8}));
  e->SetSelectionActive(false);
  e->SetCursor(3);
  e->PasteMix(100, 50);  // from the cursor over the clipboard's length, past the end
  EXPECT_EQ(AllSamples(*e), V({8, 12, 12, 12, 4}));
  e->Undo();
  e->Undo();
  EXPECT_EQ(AllSamples(*e), V({8, 8, 8, 8}));
}

TEST(EditorEdits, InsertFileAndMixFileConvertRateAndChannels) {
  TTempFolder dir;
  // One second of a 16-bit stereo constant at 22050 Hz.
  TBytes data;
  for (int i = 0; i < 22050 * 2; ++i) data.insert(data.end(), {0x00, 0x20});  // 0.25
  WriteBytes(dir.File("in.wav"), MakeWav(1, 16, 2, 22050, data));

  auto e = EditorWith(std::vector<float>(100, 0.0f), 1, 44100);
  e->SetCursor(40);
  e->InsertFile(dir.File("in.wav"));
  EXPECT_EQ(e->GetLength(), 100 + 44100);
  EXPECT_EQ(e->GetSelStart(), 40);
  EXPECT_EQ(e->GetSelEnd(), 40 + 44100);
  TSampleArray middle = e->GetAudio().Read(40 + 20000, 3);
  for (float v : middle) EXPECT_NEAR(v, 0.25f, 0.002f);
  EXPECT_EQ(e->GetAudio().Read(39, 1)[0], 0.0f);

  e->SetSelStart(0);
  e->SetSelEnd(100);
  e->MixFile(100, dir.File("in.wav"), 100);
  EXPECT_NEAR(e->GetAudio().Read(20, 1)[0], 0.25f, 0.002f);
  EXPECT_NEAR(e->GetAudio().Read(60, 1)[0], 0.5f, 0.004f);
  EXPECT_EQ(e->GetLength(), 100 + 44100);
  EXPECT_THROW(e->InsertFile(dir.File("missing.wav")), EAudioError);
}

TEST(EditorEdits, ConvertFormatScalesEverythingAndUndoes) {
  auto e = EditorWith(std::vector<float>(8000, 0.5f), 1, 8000);
  e->GetMarkers()->AddMarker(4000, 0, "mid", "Bookmark");
  e->SetCursor(2000);
  e->ConvertFormat(16000, 2);
  EXPECT_EQ(e->GetSampleRate(), 16000);
  EXPECT_EQ(e->GetChannels(), 2);
  EXPECT_EQ(e->GetLength(), 16000);
  EXPECT_EQ(e->GetCursor(), 4000);
  EXPECT_EQ(e->GetMarkers()->GetPosition(), 8000);
  EXPECT_NEAR(e->GetAudio().Read(8000, 1)[1], 0.5f, 0.01f);
  e->Undo();
  EXPECT_EQ(e->GetSampleRate(), 8000);
  EXPECT_EQ(e->GetChannels(), 1);
  EXPECT_EQ(AllSamples(*e), std::vector<float>(8000, 0.5f));
  EXPECT_THROW(e->ConvertFormat(8000, 3), EAudioError);
}

TEST(EditorEdits, MarkersFollowTheirAudioThroughEditsAndUndo) {
  auto e = EditorWith(Ramp(20));
  IAudioEditor2Markers& m = *e->GetMarkers();
  m.AddMarker(12, 0, "b", "Bookmark");
  m.AddMarker(4, 6, "r", "Region");
  m.AddMarker(6, 0, "inside", "Bookmark");
  EXPECT_EQ(m.GetCount(), 3);
  EXPECT_EQ(m.GetCurrentIndex(), 2);

  Select(*e, 5, 8);  // cuts into the region and over the inner bookmark
  e->DeleteSelection();
  struct Want { int Index, Position, Length; };
  for (Want w : {Want{0, 9, 0}, Want{1, 4, 3}, Want{2, 5, 0}}) {
    m.SetCurrentIndex(w.Index);
    EXPECT_EQ(m.GetPosition(), w.Position) << w.Index;
    EXPECT_EQ(m.GetLength(), w.Length) << w.Index;
  }
  e->SetSelectionActive(false);
  e->SetCursor(0);
  e->InsertSamples(V({1, 1}));
  m.SetCurrentIndex(1);
  EXPECT_EQ(m.GetPosition(), 6);
  e->Undo();
  e->Undo();
  m.SetCurrentIndex(0);
  EXPECT_EQ(m.GetPosition(), 12);
  m.SetCurrentIndex(1);
  EXPECT_EQ(m.GetLength(), 6);
}

TEST(EditorEdits, MarkerListBookkeeping) {
  auto e = EditorWith(Ramp(100));
  IAudioEditor2Markers& m = *e->GetMarkers();
  EXPECT_THROW(m.GetName(), EAudioError);
  EXPECT_THROW(m.SetCurrentIndex(0), EAudioError);
  for (int i = 0; i < 5; ++i) m.AddMarker(i * 10, 0, "m" + std::to_string(i), "Bookmark");
  // The index one past the end, as callers pass the count, means the last.
  m.SetCurrentIndex(m.GetCount());
  EXPECT_EQ(m.GetName(), "m4");
  m.SetCurrentIndex(2);
  m.DeleteCurrent();
  EXPECT_EQ(m.GetCount(), 4);
  EXPECT_EQ(m.GetName(), "m3");  // the gap closed
  m.AddMarker(500, 500, "clipped", "Region");
  EXPECT_EQ(m.GetPosition(), 100);
  EXPECT_EQ(m.GetLength(), 0);
  EXPECT_THROW(m.AddMarker(1, 1, "x", "Chapter"), EAudioError);
}

namespace {

int DispatchedMessages = 0;
LRESULT CALLBACK CountingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_USER + 7) {
    ++DispatchedMessages;
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

struct TReentry {
  TAudioEditor2* Editor = nullptr;
  HWND Window = nullptr;
  bool Raised = false;
  void Block(TObject*, int) {
    PostMessageW(Window, WM_USER + 7, 0, 0);
    try {
      Editor->DeleteSelection();
    } catch (const EAudioError&) {
      Raised = true;
    }
  }
};

}  // namespace

TEST(EditorEdits, LongOperationsReportProgressAndPumpMessages) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SonveltEngineTestCounter";
  RegisterClassW(&wc);
  HWND w = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);

  auto e = EditorWith(std::vector<float>(size_t(TAudioBlock::kFrames) * 4, 0.5f));
  TEventLog log;
  log.Attach(*e);
  TReentry re{e.get(), w};
  e->OnBlockOperation = Bind(&re, &TReentry::Block);
  e->OnEndOperation = Bind(&log, &TEventLog::EndOperation);
  Select(*e, 0, e->GetLength());
  DispatchedMessages = 0;
  e->GetEffects()->Fade(100, 0);
  EXPECT_GT(DispatchedMessages, 2);
  EXPECT_TRUE(re.Raised);  // no second operation while one runs
  EXPECT_EQ(log.Ends, 1);
  EXPECT_EQ(e->GetLength(), TAudioBlock::kFrames * 4);

  e->OnBlockOperation = Bind(&log, &TEventLog::Block);
  e->GetEffects()->Reverse();
  ASSERT_FALSE(log.Percents.empty());
  EXPECT_TRUE(std::is_sorted(log.Percents.begin(), log.Percents.end()));
  EXPECT_EQ(log.Percents.back(), 100);
  EXPECT_EQ(log.Ends, 2);
  DestroyWindow(w);
}

TEST(EditorEdits, EffectsRunOnTheSelectionAndRefuseBadValues) {
  auto e = EditorWith(Ten());
  Select(*e, 2, 4);
  e->GetEffects()->Amplify(200);
  EXPECT_EQ(AllSamples(*e), V({1, 2, 6, 8, 5, 6, 7, 8, 9, 10}));
  EXPECT_THROW(e->GetEffects()->Amplify(-50), EAudioError);
  EXPECT_EQ(AllSamples(*e), V({1, 2, 6, 8, 5, 6, 7, 8, 9, 10}));
  e->Undo();
  EXPECT_EQ(AllSamples(*e), Ten());

  // A speed change alters the length: what follows moves with it.
  auto s = EditorWith(std::vector<float>(16000, 0.25f), 1, 8000);
  s->GetMarkers()->AddMarker(12000, 0, "after", "Bookmark");
  Select(*s, 0, 8000);
  s->GetEffects()->SpeedChange(200);
  int shortened = 8000 - s->GetSelEnd();
  EXPECT_NEAR(s->GetSelEnd(), 4000, 100);
  EXPECT_EQ(s->GetLength(), 16000 - shortened);
  EXPECT_EQ(s->GetMarkers()->GetPosition(), 12000 - shortened);
}

namespace {

// Stereo frames of distinct values, not all of them 16-bit ones.
std::vector<float> Noise(int64_t frames, uint32_t seed) {
  std::vector<float> v(size_t(frames) * 2);
  for (float& x : v) {
    seed = seed * 1664525u + 1013904223u;
    x = float(int32_t(seed) >> 8) / 8388608.0f * 0.7f;
  }
  return v;
}

// One of the editor's effect commands beside the same effect as its factory
// makes it, to run over a copy of the samples.
struct TEffectStep {
  const char* Name;
  std::function<void(IAudioEditor2Effects&)> Command;
  std::function<TAudioEffects::TEffect(const TAudioEffects&)> Effect;
};

// frames [a, b) of stereo samples through the effect, block by block as the
// effect loop reads them.
void RunOn(std::vector<float>& samples, int64_t a, int64_t b, const TEffectStep& step, int rate) {
  TAudioEffects::TEffect effect = step.Effect(TAudioEffects({rate, 2}, b - a));
  std::vector<float> out;
  TAudioEffectIo io;
  io.Read = [&](int64_t at, int64_t n, float* dest) {
    std::copy_n(samples.begin() + (a + at) * 2, n * 2, dest);
  };
  io.Write = [&](const float* data, int64_t n) { out.insert(out.end(), data, data + n * 2); };
  ASSERT_EQ(RunAudioEffect(*effect, b - a, io), b - a);
  std::copy(out.begin(), out.end(), samples.begin() + a * 2);
}

}  // namespace

TEST(EditorEdits, WholeSelectionEffectsGiveTheStreamedSamplesOverAnyPieces) {
  const int rate = 44100;
  const TEffectStep amplify{"amplify 37", [](auto& fx) { fx.Amplify(37); }, [](auto& fx) { return fx.Amplify(37); }};
  const TEffectStep louder{"amplify 150", [](auto& fx) { fx.Amplify(150); }, [](auto& fx) { return fx.Amplify(150); }};
  const TEffectStep reverse{"reverse", [](auto& fx) { fx.Reverse(); }, [](auto& fx) { return fx.Reverse(); }};
  const TEffectStep mix{"mix stereo", [](auto& fx) { fx.MixStereo(70, 30, 10, 90); },
                        [](auto& fx) { return fx.MixStereo(70, 30, 10, 90); }};
  const TEffectStep normalize{"normalize", [](auto& fx) { fx.Normalize(90, -1); },
                              [](auto& fx) { return fx.Normalize(90, -1); }};
  const TEffectStep fade{"fade", [](auto& fx) { fx.Fade(20, 150); }, [](auto& fx) { return fx.Fade(20, 150); }};
  const TEffectStep envelope{"envelope", [](auto& fx) { fx.Envelope({1.0f, 0.2f, 1.5f, 0.7f}); },
                             [](auto& fx) { return fx.Envelope({1.0f, 0.2f, 1.5f, 0.7f}); }};

  // Whole blocks and a short last one: the waveform summaries of each result
  // are those of its samples.
  {
    auto e = EditorWith(Noise(TAudioBlock::kFrames * 3 + 123, 7), 2, rate);
    for (const TEffectStep* step : {&amplify, &reverse, &fade, &mix}) {
      SCOPED_TRACE(step->Name);
      Select(*e, 0, e->GetLength());
      step->Command(*e->GetEffects());
      const std::vector<float> all = AllSamples(*e);
      for (int c = 0; c < 2; ++c) {
        float lo = all[size_t(c)], hi = lo;
        for (size_t i = size_t(c); i < all.size(); i += 2) lo = std::min(lo, all[i]), hi = std::max(hi, all[i]);
        TPeak p = e->GetAudio().Peak(0, e->GetLength(), c);
        EXPECT_EQ(p.Min, lo);
        EXPECT_EQ(p.Max, hi);
      }
    }
  }

  // A document of 16-bit and other values, cut up and pasted so that the
  // selection starts and ends inside blocks and crosses pieces of all sizes.
  auto e = EditorWith(Noise(TAudioBlock::kFrames * 2 + 5000, 11), 2, rate);
  std::vector<float> exact(size_t(TAudioBlock::kFrames) * 2);
  for (size_t i = 0; i < exact.size(); ++i) exact[i] = float(int(i % 60001) - 30000) / 32768.0f;
  e->SetCursor(e->GetLength());
  e->InsertSamples(exact);
  Select(*e, 70000, 90000);
  e->CutSelection();
  e->SetSelectionActive(false);
  e->SetCursor(1234);
  e->PasteClipboard();
  std::vector<float> expect = AllSamples(*e);
  const std::vector<float> original = expect;
  const int64_t a = 777, b = e->GetLength() - 4321;

  // Enough steps on the same audio to go past the depth the editor computes
  // through when read, so some steps store their results.
  const TEffectStep* steps[] = {&amplify, &fade, &reverse, &mix, &normalize, &envelope, &reverse, &amplify, &louder, &mix};
  int done = 0;
  for (const TEffectStep* step : steps) {
    SCOPED_TRACE(step->Name);
    Select(*e, int(a), int(b));
    step->Command(*e->GetEffects());
    RunOn(expect, a, b, *step, rate);
    ++done;
    ASSERT_EQ(AllSamples(*e), expect);
    // Short reads inside pieces and across their ends.
    for (int64_t at : {a - 3, a + 1, int64_t(TAudioBlock::kFrames) - 2, (a + b) / 2, b - 5}) {
      std::vector<float> part(expect.begin() + at * 2, expect.begin() + (at + 9) * 2);
      EXPECT_EQ(e->GetSamplesAt(at, 9), part) << at;
    }
  }

  TTempFolder dir;
  e->GetFileFormat()->SetWavFormat(rate, 2, 32);
  e->SaveAudioFile(dir.File("out.wav"), false, 1);
  TWavReader saved(dir.File("out.wav"));
  std::vector<float> back(expect.size());
  ASSERT_EQ(saved.Read(back.data(), saved.GetLengthFrames()), e->GetLength());
  EXPECT_EQ(back, expect);

  for (int i = 0; i < done; ++i) e->Undo();
  EXPECT_EQ(AllSamples(*e), original);
  for (int i = 0; i < done; ++i) e->Redo();
  EXPECT_EQ(AllSamples(*e), expect);
}

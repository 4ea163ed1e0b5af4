// The frequency-analysis window: what the main window feeds it and when, its
// read-outs under the mouse, its bounds kept on close, and its six looks
// (saved as pictures for a person to judge when SONVELT_SCREENSHOTS names a folder).
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <set>

#include "app/GlobalVars.h"
#include "app/dialogs/FreAnalysisForm.h"
#include "engine/AudioOutput.h"
#include "engine/TAudioVisualization2.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/MemoryDC.h"
#include "tests/support/Screenshot.h"

namespace {

float RampSample(int Frame, int Channel) { return static_cast<float>(FixtureSample(Frame, Channel)) / 32768.0f; }

class AnalysisFixture : public MainFixture {
protected:
  void SetUp() override {
    MainFixture::SetUp();
    StartMain();
    Window = FreAnalysisFormInstance;
    View = Window->AudioVisualization;
  }
  void ShowWindow() {
    Main->ActionFrequencyAnalysis->Execute();
    Pump();
  }
  // A document of 44100 Hz stereo holding Frames of these partials (Hz, amplitude).
  TAudioEditor2* DocumentOf(int Frames, std::vector<std::pair<double, double>> Partials, double Noise = 0) {
    TAudioEditor2* E = NewDocument()->AudioEditor;
    TSampleArray S;
    srand(7);
    for (int F = 0; F < Frames; ++F) {
      double V = Noise * (rand() / double(RAND_MAX) - 0.5);
      for (auto [Hz, A] : Partials) V += A * std::sin(2 * std::numbers::pi * Hz * F / 44100);
      S.push_back(static_cast<float>(V));
      S.push_back(static_cast<float>(V));
    }
    E->InsertSamples(S);
    E->SetCursor(0);
    Pump();
    return E;
  }
  // Moves the mouse over the view as a user would.
  void MouseAt(int X, int Y) {
    PostMouse(View->GetHandle(), WM_MOUSEMOVE, X, Y);
    Pump();
  }
  static int Number(const std::string& Text) { return std::atoi(Text.c_str()); }

  TFreAnalysisForm* Window = nullptr;
  TAudioVisualization2* View = nullptr;
};

}  // namespace

TEST_F(AnalysisFixture, FeedsTheFramesAtTheCursorOnlyWhileTheWindowShows) {
  TAudioEditor2* E = NewDocument(44100, 2, 20000)->AudioEditor;
  E->SetCursor(1000);
  EXPECT_TRUE(View->GetShownSamples().empty());

  auto ExpectFramesFrom = [&](int At, int Frames, int Channels) {
    const TSampleArray& S = View->GetShownSamples();
    ASSERT_EQ(static_cast<size_t>(Frames * Channels), S.size());
    for (int F : {0, Frames / 2, Frames - 1})
      for (int C = 0; C < Channels; ++C)
        EXPECT_EQ(RampSample(At + F, C), S[static_cast<size_t>(F * Channels + C)]) << "frame " << F;
  };
  ShowWindow();
  ASSERT_TRUE(Window->GetVisible());
  ExpectFramesFrom(1000, 1024, 2);
  EXPECT_EQ(44100, View->GetSampleRate());
  EXPECT_EQ(2, View->GetChannels());

  ChooseItem(Window->ComboBoxFFTSize, 2);
  EXPECT_EQ(4096, View->GetWindowArraySize());
  ExpectFramesFrom(1000, 4096, 2);
  E->SetCursor(5000);
  ExpectFramesFrom(5000, 4096, 2);
  // Near the end there are fewer frames to show.
  E->SetCursor(19900);
  ExpectFramesFrom(19900, 100, 2);

  // Another document: its own format.
  TAudioEditor2* Mono = NewDocument(22050, 1, 10000)->AudioEditor;
  Mono->SetCursor(300);
  ExpectFramesFrom(300, 4096, 1);
  EXPECT_EQ(22050, View->GetSampleRate());
  EXPECT_EQ(1, View->GetChannels());

  Window->Close();
  EXPECT_FALSE(Window->GetVisible());
  Mono->SetCursor(7000);
  ExpectFramesFrom(300, 4096, 1);
}

TEST_F(AnalysisFixture, WhilePlayingShowsWhatIsHeard) {
  SetAudioOutputFactory([] { return CreateNullOutput(TNullOutputPace::RealTime); });
  TAudioEditor2* E = NewDocument(44100, 2, 88200)->AudioEditor;
  ShowWindow();
  Main->ActionPlayExecute(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return E->GetPlayPosition() > 4410; }));
  // Between two ticks of the player the view holds the frames from where it is.
  const int At = static_cast<int>(E->GetPlayPosition());
  const TSampleArray& S = View->GetShownSamples();
  ASSERT_EQ(2048u, S.size());
  EXPECT_EQ(RampSample(At, 0), S[0]);
  EXPECT_EQ(RampSample(At + 1023, 1), S[2047]);
  Main->ActionStopExecute(nullptr);
  SetAudioOutputFactory(nullptr);
}

TEST_F(AnalysisFixture, ReadsFrequencyAndLevelUnderTheMouse) {
  DocumentOf(8192, {{1000, 0.5}});
  GlobalVarsRecord->FreAnalysisFormWidth = 560;
  GlobalVarsRecord->FreAnalysisFormHeight = 320;
  ShowWindow();
  ChooseItem(Window->ComboBoxViewType, 1);  // "Linear"
  // The column the drawn peak rises highest in.
  const int W = View->GetWidth(), H = View->GetHeight();
  TMemoryDC Shot(W, H);
  View->PaintTo(Shot.DC(), W, H);
  int PeakX = -1, PeakY = H;
  for (int X = 0; X < W; ++X)
    for (int Y = 0; Y < PeakY; ++Y)
      if (Shot.Pixel(X, Y) == RGB(200, 255, 80)) {
        PeakX = X;
        PeakY = Y;
        break;
      }
  ASSERT_GE(PeakX, 0);
  MouseAt(PeakX, H / 2);
  const std::string Freq = Window->LabelFreq->GetCaption();
  EXPECT_EQ(" hz", Freq.substr(Freq.find(' ')));
  // One bin of 1024 at 44100 Hz is 43 Hz; a column spans about as much.
  EXPECT_NEAR(1000, Number(Freq), 50);
  const std::string Value = Window->LabelValue->GetCaption();
  EXPECT_EQ(" dB", Value.substr(Value.find(' ')));
  EXPECT_NEAR(-6, Number(Value), 1);

  // "Analog" counts samples along its axis: the plot's first and last columns.
  ChooseItem(Window->ComboBoxViewType, 0);
  MouseAt(32, H / 2);
  EXPECT_EQ("0 smpl", Window->LabelFreq->GetCaption());
  EXPECT_EQ("-120 dB", Window->LabelValue->GetCaption());  // the sine starts at 0
  MouseAt(W - 9, H / 2);
  EXPECT_EQ("1023 smpl", Window->LabelFreq->GetCaption());
}

TEST_F(AnalysisFixture, ClosingStoresTheBoundsAndResetsTheReadOuts) {
  GlobalVarsRecord->FreAnalysisFormLeft = 40;
  GlobalVarsRecord->FreAnalysisFormTop = 50;
  GlobalVarsRecord->FreAnalysisFormWidth = 500;
  GlobalVarsRecord->FreAnalysisFormHeight = 280;
  NewDocument(44100, 2, 5000);  // the command needs a document
  ShowWindow();
  ASSERT_TRUE(Window->GetVisible());
  EXPECT_EQ(40, Window->GetLeft());
  EXPECT_EQ(50, Window->GetTop());
  EXPECT_EQ(500, Window->GetWidth());
  EXPECT_EQ(280, Window->GetHeight());
  EXPECT_EQ(fsStayOnTop, Window->GetFormStyle());
  Window->SetBounds(120, 80, 640, 360);
  ChooseItem(Window->ComboBoxViewType, 3);
  MouseAt(100, 40);
  EXPECT_NE("0 hz", Window->LabelFreq->GetCaption());
  PostMessageW(Window->GetHandle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(Window->GetVisible());
  const TGlobalVars& G = *GlobalVarsRecord;
  EXPECT_EQ(120, G.FreAnalysisFormLeft);
  EXPECT_EQ(80, G.FreAnalysisFormTop);
  EXPECT_EQ(640, G.FreAnalysisFormWidth);
  EXPECT_EQ(360, G.FreAnalysisFormHeight);
  EXPECT_EQ("0 hz", Window->LabelFreq->GetCaption());
  EXPECT_EQ("0 dB", Window->LabelValue->GetCaption());
  // Shown again where it was left, in the look chosen before.
  ShowWindow();
  EXPECT_EQ(120, Window->GetLeft());
  EXPECT_EQ(640, Window->GetWidth());
  EXPECT_EQ(3, View->GetVisType());
}

TEST_F(AnalysisFixture, SixLooksDrawSixDifferentPictures) {
  // Something like a voice: a fundamental with falling harmonics over some noise.
  std::vector<std::pair<double, double>> Partials;
  for (int H = 1; H <= 24; ++H) Partials.push_back({220.0 * H, 0.4 / (H * H * 0.6 + 0.4)});
  DocumentOf(8192, Partials, 0.004);
  GlobalVarsRecord->FreAnalysisFormLeft = 20;
  GlobalVarsRecord->FreAnalysisFormTop = 20;
  GlobalVarsRecord->FreAnalysisFormWidth = 560;
  GlobalVarsRecord->FreAnalysisFormHeight = 320;
  ShowWindow();
  std::set<std::vector<COLORREF>> Pictures;
  for (int Look = 0; Look < 6; ++Look) {
    ChooseItem(Window->ComboBoxViewType, Look);
    MouseAt(150, 60);
    const int W = View->GetWidth(), H = View->GetHeight();
    TMemoryDC Shot(W, H);
    View->PaintTo(Shot.DC(), W, H);
    std::vector<COLORREF> Pixels;
    for (int Y = 0; Y < H; Y += 3)
      for (int X = 0; X < W; X += 3) Pixels.push_back(Shot.Pixel(X, Y));
    Pictures.insert(Pixels);
    if (const char* Folder = std::getenv("SONVELT_SCREENSHOTS"); Folder && *Folder) {
      // The display takes its time to show what was drawn.
      PumpUntil([] { return false; }, 300);
      SaveScreenshot("analysis-" + Window->ComboBoxViewType->GetItems()->GetStrings(Look));
    }
  }
  EXPECT_EQ(6u, Pictures.size());
}

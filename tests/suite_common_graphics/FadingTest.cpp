// Fades under Wine: frames of each stage, reversing, the limit of simultaneous
// fades and the conditions that keep an object from fading.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "suite/common/cxBitmap.h"
#include "suite/common/dxFading.h"

namespace {

// Turns the system's menu animation on or off for one test and back afterwards.
class TMenuAnimation {
 public:
  explicit TMenuAnimation(bool On) {
    SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &FOld, 0);
    SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(On)), 0);
  }
  ~TMenuAnimation() {
    SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(FOld)), 0);
  }

 private:
  BOOL FOld = FALSE;
};

// An object fading from opaque black to opaque white, recording what it is shown.
class TFadingThing : public TObject, public IdxFadingObject {
  SONVELT_CLASS(TFadingThing, TObject)
 public:
  TFadingThing() = default;
  explicit TFadingThing(int HotWidth) : FHotWidth(HotWidth) {}

  bool CanFadeNow() override { return Allowed; }
  void RepaintFadeFrame() override {
    if (!FData) {
      ++RepaintsWhileDetached;
      return;
    }
    TdxGPImage* image = nullptr;
    if (FData->CurrentFrame(image) && image->GetBits()) Frames.push_back(image->GetBits()->front() & 0xFF);
    if (OnRepaint) OnRepaint();
  }
  void AttachFadingData(IdxFadingElementData* Data) override { FData = Data; }
  void DetachFadingData() override { FData = nullptr; }
  void BuildFadeImages(TBitmap*& FadeOut, TBitmap*& FadeIn, int& InFrames, int& InDelay, int& OutFrames,
                       int& OutDelay) override {
    FadeOut = Picture(4, 0xFF000000);
    FadeIn = Picture(FHotWidth, 0xFFFFFFFF);
    if (Frames_ >= 0) InFrames = OutFrames = Frames_;
    if (Delay >= 0) InDelay = OutDelay = Delay;
  }
  bool Attached() const { return FData != nullptr; }

  bool Allowed = true;
  int Frames_ = -1, Delay = -1;
  std::vector<int> Frames;  // the red channel of each frame shown: the hot picture's weight
  int RepaintsWhileDetached = 0;
  std::function<void()> OnRepaint;

 private:
  static TBitmap* Picture(int W, std::uint32_t Pixel) {
    TBitmap* b = TBitmap::Create();
    b->SetPixelFormat(pf32bit);
    b->SetSize(W, 2);
    WriteBitmapPixels(b, TcxPixels(static_cast<size_t>(W) * 2, Pixel));
    return b;
  }
  int FHotWidth = 4;
  IdxFadingElementData* FData = nullptr;
};

// Ticks until the object's fade is over.
void RunOut(TdxFader* F, TObject* O) {
  for (int i = 0; i < 1000 && F->FindElement(O); ++i) F->TimerTick();
}

}  // namespace

TEST(Fading, FadeInAndOutShowEveryStage) {
  TMenuAnimation on(true);
  TdxFader* fader = FaderInstance();
  ASSERT_TRUE(fader->CanFade());
  TFadingThing thing;
  fader->FadeIn(&thing);
  EXPECT_TRUE(thing.Attached());
  EXPECT_TRUE(fader->TimerEnabled());
  RunOut(fader, &thing);
  // The start picture, one frame a tick, the end picture when it finishes.
  EXPECT_EQ(thing.Frames, (std::vector<int>{0, 64, 128, 192, 255, 255}));
  EXPECT_FALSE(thing.Attached());
  EXPECT_FALSE(fader->TimerEnabled());

  thing.Frames.clear();
  fader->FadeOut(&thing);
  ASSERT_NE(fader->FindElement(&thing), nullptr);
  EXPECT_EQ(fader->FindElement(&thing)->TicksPerFrame(), 2);
  RunOut(fader, &thing);
  ASSERT_EQ(thing.Frames.size(), 14u);
  EXPECT_EQ(thing.Frames[0], 255);
  EXPECT_EQ(thing.Frames[1], 234);
  EXPECT_EQ(thing.Frames[12], 3);
  EXPECT_EQ(thing.Frames[13], 0);
}

TEST(Fading, ReversingContinuesFromTheCurrentPicture) {
  TMenuAnimation on(true);
  TdxFader* fader = FaderInstance();
  TFadingThing thing;
  fader->FadeIn(&thing);
  fader->TimerTick();
  fader->TimerTick();
  TdxFadingElement* e = fader->FindElement(&thing);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->GetStage(), 2);
  fader->FadeOut(&thing);
  EXPECT_EQ(fader->FindElement(&thing), e) << "the same fade turns round";
  EXPECT_EQ(e->GetDirection(), fdOut);
  EXPECT_EQ(e->GetStage(), 7);  // (1 - 2/5) x 12
  fader->StopFading(&thing, true);
  EXPECT_EQ(thing.Frames.back(), 0) << "stopped on the normal picture";
  fader->StopFading(&thing, true);  // nothing running: nothing happens
}

TEST(Fading, FrameCountsAndDelaysAreBroughtIntoRange) {
  TMenuAnimation on(true);
  TdxFader* fader = FaderInstance();
  const struct {
    int frames, delay;
    int inFrames, outFrames, inDelay, ticks;
  } cases[] = {
      {100, 1000, 32, 32, 300, 30},
      {0, 5, 4, 12, 15, 1},
      {-3, 10, 4, 12, 10, 1},
      {7, 45, 7, 7, 45, 4},
  };
  for (const auto& k : cases) {
    TFadingThing thing;
    thing.Frames_ = k.frames;
    thing.Delay = k.delay;
    fader->FadeIn(&thing);
    TdxFadingElement* e = fader->FindElement(&thing);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->FrameCount(fdIn), k.inFrames) << k.frames;
    EXPECT_EQ(e->FrameCount(fdOut), k.outFrames) << k.frames;
    EXPECT_EQ(e->FrameDelay(fdIn), k.inDelay) << k.delay;
    EXPECT_EQ(e->TicksPerFrame(), k.ticks) << k.delay;
    fader->StopFading(&thing);
  }
}

TEST(Fading, NoFadeWithoutAnimationPermissionOrMatchingPictures) {
  TdxFader* fader = FaderInstance();
  {
    TMenuAnimation off(false);
    TFadingThing thing;
    fader->FadeIn(&thing);
    EXPECT_FALSE(thing.Attached());
    EXPECT_FALSE(fader->CanFade());
  }
  TMenuAnimation on(true);
  TFadingThing refusing, wider(7);
  refusing.Allowed = false;
  fader->FadeIn(&refusing);
  fader->FadeIn(&wider);  // pictures of different sizes
  EXPECT_FALSE(refusing.Attached());
  EXPECT_FALSE(wider.Attached());
  EXPECT_EQ(fader->ElementCount(), 0);
  TObject plain;
  fader->FadeIn(&plain);
  EXPECT_EQ(fader->ElementCount(), 0);
}

TEST(Fading, AnEleventhFadeEndsTheOldest) {
  TMenuAnimation on(true);
  TdxFader* fader = FaderInstance();
  std::vector<TOwned<TFadingThing>> things;
  for (int i = 0; i < 11; ++i) {
    things.emplace_back(TFadingThing::Create());
    fader->FadeIn(things.back().get());
  }
  EXPECT_EQ(fader->ElementCount(), TdxFader::Limit);
  EXPECT_FALSE(things[0]->Attached());
  EXPECT_EQ(things[0]->Frames.back(), 255) << "finished on its end picture";
  EXPECT_TRUE(things[1]->Attached());
  for (auto& t : things) fader->StopFading(t.get());
}

TEST(Fading, FadesStartedDuringATickDoNotDisturbIt) {
  TMenuAnimation on(true);
  TdxFader* fader = FaderInstance();
  std::vector<TOwned<TFadingThing>> running, late;
  for (int i = 0; i < TdxFader::Limit; ++i) {
    running.emplace_back(TFadingThing::Create());
    fader->FadeIn(running.back().get());
  }
  for (int i = 0; i < 3; ++i) late.emplace_back(TFadingThing::Create());
  // The newest fade's first frame starts three more, which push out the oldest
  // three while the tick still has them to come.
  bool started = false;
  running.back()->OnRepaint = [&] {
    if (started) return;
    started = true;
    for (auto& t : late) fader->FadeIn(t.get());
  };
  running.back()->Frames.clear();
  fader->TimerTick();
  EXPECT_EQ(fader->ElementCount(), TdxFader::Limit);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(running[static_cast<size_t>(i)]->Attached());
    EXPECT_EQ(running[static_cast<size_t>(i)]->RepaintsWhileDetached, 0) << i;
    EXPECT_EQ(late[static_cast<size_t>(i)]->Frames, std::vector<int>{0}) << "not ticked in the tick that made it";
  }
  EXPECT_EQ(running[5]->Frames.back(), 64) << "the others went on";
  for (auto* list : {&running, &late})
    for (auto& t : *list) fader->StopFading(t.get());
}

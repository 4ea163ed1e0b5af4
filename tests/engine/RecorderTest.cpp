// Silence skipping slice by slice, and the recorder on a machine without a sound
// device.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/SilenceSkipper.h"
#include "engine/TAudioRecord2.h"
#include "framework/OwnedObject.h"

namespace {

// Segments of (10 ms slices, level) at 1000 Hz mono: 10 samples a slice.
// Levels: 0.1 is -20 dB, 0.001 is -60 dB.
TSampleArray Signal(const std::vector<std::pair<int, float>>& segments) {
  TSampleArray s;
  for (auto [slices, level] : segments)
    for (int i = 0; i < slices * 10; ++i) s.push_back(i % 2 ? level : -level);
  return s;
}

}  // namespace

TEST(SilenceSkipper, KeepsSoundFromItsAttackUntilTheReleaseHasPassed) {
  const float L = 0.1f, Q = 0.001f;
  const struct {
    const char* Name;
    int AttackMs;
    std::vector<std::pair<int, float>> In, Kept;
  } Cases[] = {
      {"silence, sound, silence", 30, {{5, Q}, {10, L}, {10, Q}}, {{10, L}, {5, Q}}},
      {"a blip shorter than the attack", 30, {{5, Q}, {2, L}, {10, Q}}, {}},
      {"a dip shorter than the release", 30, {{8, L}, {4, Q}, {8, L}, {10, 0}}, {{8, L}, {4, Q}, {8, L}, {5, 0}}},
      {"no attack time", 0, {{3, Q}, {1, L}, {2, Q}}, {{1, L}, {2, Q}}},
      {"sound again after a release", 20, {{3, L}, {6, Q}, {1, L}, {2, L}}, {{3, L}, {5, Q}, {1, L}, {2, L}}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TSilenceSkipper S;
    S.Configure(1000, 1, -45, C.AttackMs, -45, 50);
    const TSampleArray In = Signal(C.In);
    TSampleArray Kept;
    // Blocks that do not fall on slice boundaries.
    for (size_t At = 0; At < In.size(); At += 7) {
      TSampleArray Part = S.Process(In.data() + At, std::min<size_t>(7, In.size() - At));
      Kept.insert(Kept.end(), Part.begin(), Part.end());
    }
    EXPECT_EQ(Signal(C.Kept), Kept);
  }
}

TEST(Recorder, WithoutADeviceReportsWhatAUserWouldBeTold) {
  TOwned<TAudioRecord2> R(TAudioRecord2::Create(nullptr));
  EXPECT_EQ(0, R->GetDeviceCount());
  const int D = R->GetDefaultDevice();
  R->SelectDevice(D);
  EXPECT_EQ(0, R->GetSelectedDevice());
  EXPECT_FALSE(R->IsDeviceUsable());
  EXPECT_EQ("", R->GetDeviceName());
  EXPECT_EQ(0, R->GetLineCount());
  R->SelectLine(1);
  EXPECT_FALSE(R->HasLineVolume());
  R->SetFormat(44100, 2);
  R->StartCapture();
  EXPECT_NE(0, R->GetErrorState());
  EXPECT_FALSE(R->IsCapturing());
  EXPECT_TRUE(R->GetRecordedBlock().empty());
  R->StopCapture();
}

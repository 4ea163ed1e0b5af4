// A recorder whose devices, lines and blocks the test decides, and clocks the test
// moves; for the recording window's tests.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/dialogs/RecordingClock.h"
#include "engine/TAudioRecord2.h"

class TFakeRecord : public TAudioRecord2 {
  SONVELT_CLASS(TFakeRecord, TAudioRecord2)
public:
  struct TDevice {
    std::string Name;
    bool Usable = true;
    std::vector<std::string> Lines;
    int SelectedLine = 0;  // 1 .. ; 0 none (a device without a selector)
  };
  static inline std::vector<TDevice> Devices;
  static inline int Default = 1;
  static inline bool FailStart = false;
  static inline std::vector<std::string> Calls;
  static inline TFakeRecord* Last = nullptr;
  static inline std::map<std::string, int> Volumes;  // by line name

  explicit TFakeRecord(TComponent* AOwner) : TAudioRecord2(AOwner) { Last = this; }
  ~TFakeRecord() override {
    if (Last == this) Last = nullptr;
  }
  static void Reset() {
    Devices = {{"Microphone", true, {"Mic", "Line"}, 2}};
    Default = 1;
    FailStart = false;
    Calls.clear();
    Volumes = {{"Mic", 32768}, {"Line", 13107}};
  }

  int GetDeviceCount() override { return static_cast<int>(Devices.size()); }
  int GetDefaultDevice() override { return Default; }
  void SelectDevice(int D) override {
    Device = D >= 1 && D <= GetDeviceCount() ? D : 0;
    Log("SelectDevice " + std::to_string(D));
  }
  int GetSelectedDevice() const override { return Device; }
  std::string GetDeviceName() override { return Device ? At().Name : ""; }
  bool IsDeviceUsable() override { return Device && At().Usable; }
  int GetLineCount() override { return Device ? static_cast<int>(At().Lines.size()) : 0; }
  void SelectLine(int L) override { Line = L; }
  std::string GetLineName() override { return LineName(); }
  bool IsLineSelected() override { return Device && At().SelectedLine == Line; }
  void SetLineSelected(bool S) override {
    Log("SetLineSelected " + LineName() + " " + std::to_string(S));
    if (S && Device) Devices[static_cast<size_t>(Device - 1)].SelectedLine = Line;
  }
  bool HasLineVolume() override { return Volumes.count(LineName()) > 0; }
  int GetLineVolume() override { return HasLineVolume() ? Volumes[LineName()] : 0; }
  void SetLineVolume(int V) override {
    Log("SetLineVolume " + LineName() + " " + std::to_string(V));
    Volumes[LineName()] = V;
  }
  void SetSkipSilence(bool S) override { Log("SetSkipSilence " + std::to_string(S)); }
  void SetAttackLevel(int V) override { Log("SetAttackLevel " + std::to_string(V)); }
  void SetAttackTime(int V) override { Log("SetAttackTime " + std::to_string(V)); }
  void SetReleaseLevel(int V) override { Log("SetReleaseLevel " + std::to_string(V)); }
  void SetReleaseTime(int V) override { Log("SetReleaseTime " + std::to_string(V)); }
  void SetFormat(int Rate, int Channels) override {
    Log("SetFormat " + std::to_string(Rate) + " " + std::to_string(Channels));
  }
  void SetBlockSize(int Ms) override { Log("SetBlockSize " + std::to_string(Ms)); }
  void StartCapture() override {
    Log("StartCapture");
    Capturing = !FailStart;
  }
  void StopCapture() override {
    if (Capturing) Log("StopCapture");
    Capturing = false;
  }
  bool IsCapturing() const override { return Capturing; }
  int GetErrorState() override { return FailStart ? 2 : 0; }
  TSampleArray GetRecordedBlock() override {
    if (Pending.empty()) return {};
    TSampleArray B = Pending.front();
    Pending.pop_front();
    return B;
  }

  // The device filled a block.
  void Deliver(const TSampleArray& Block) {
    Pending.push_back(Block);
    OnEndArrayRecord(this);
  }
  bool Capturing = false;

private:
  const TDevice& At() const { return Devices.at(static_cast<size_t>(Device - 1)); }
  std::string LineName() const {
    return Device && Line >= 1 && Line <= static_cast<int>(At().Lines.size()) ? At().Lines[static_cast<size_t>(Line - 1)]
                                                                              : "";
  }
  static void Log(const std::string& S) { Calls.push_back(S); }
  int Device = 0, Line = 0;
  std::deque<TSampleArray> Pending;
};

// Clocks the test moves by hand.
struct TFakeClocks {
  static inline std::int64_t Ticks = 1000000;
  static inline TDateTime Now = 0;
  static std::int64_t GetTicks() { return Ticks; }
  static TDateTime GetNow() { return Now; }
  static void Install() {
    TRecordingClock::Ticks = &GetTicks;
    TRecordingClock::Now = &GetNow;
  }
  static void Remove() {
    TRecordingClock::Ticks = &TRecordingClock::SystemTicks;
    TRecordingClock::Now = &TRecordingClock::SystemNow;
  }
  // Both clocks go on by Ms.
  static void Advance(std::int64_t Ms) {
    Ticks += Ms;
    Now += static_cast<double>(Ms) / MSecsPerDay;
  }
};

// The spectrum view: shows the block of samples it is given as a waveform
// ("Analog") or as its magnitude spectrum in one of five looks. The samples are
// analysed in WindowArraySize frames, channels averaged, Hann-windowed.
#pragma once
#include <memory>
#include <vector>

#include "engine/SampleArray.h"
#include "framework/CustomControl.h"
#include "framework/Delegate.h"

class TFrequencyAnalyser;

// X and Y in client pixels; XValue in Hz (a sample index for "Analog"), YValue in dB.
using TVisualizationMouseEvent = TDelegate<void(TObject* Sender, int X, int Y, int XValue, int YValue)>;

class TAudioVisualization2 : public TCustomControl {
  SONVELT_CLASS(TAudioVisualization2, TCustomControl)
 public:
  // The looks of VisType.
  enum TVisType { vtAnalog = 0, vtLinear, vtNormal, vtFire, vtGlass, vtKryptonite };
  // The range of the level scale, in dB.
  static constexpr int TopLevel = 0;
  static constexpr int BottomLevel = -120;

  explicit TAudioVisualization2(TComponent* AOwner);
  ~TAudioVisualization2() override;

  // Interleaved samples of the rate and channels set below; the view keeps a copy.
  void ShowSamples(const TSampleArray& samples);
  const TSampleArray& GetShownSamples() const { return Samples; }

  int GetVisType() const { return VisType; }
  void SetVisType(int value);
  // Frames analysed: a power of two from 16 to 65536.
  int GetWindowArraySize() const { return WindowArraySize; }
  void SetWindowArraySize(int value);
  // The window function: 0, Hann, is the one there is.
  int GetWindowFFTType() const { return WindowFFTType; }
  void SetWindowFFTType(int value);
  int GetSampleRate() const { return SampleRate; }
  void SetSampleRate(int value);
  int GetChannels() const { return Channels; }
  void SetChannels(int value);

  // The analysis of the samples shown: the channel average of each frame, and the
  // level of bins 0 .. WindowArraySize/2 in dB (a full-scale sine reads 0 dB).
  const std::vector<float>& GetWave() const;
  const std::vector<float>& GetLevels() const;
  // What the pointer at client X reads on the frequency (or sample) axis, and the
  // level of the curve there.
  int XValueAt(int x) const;
  int YValueAt(int x) const;

  // Draws the whole control into a device context of the given size.
  void PaintTo(HDC dc, int width, int height) const;

  TVisualizationMouseEvent OnMouseMove;

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  struct TPlot {
    int Left, Top, Right, Bottom;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
  };
  static TPlot PlotOf(int width, int height);
  void Changed();
  void Analyse() const;
  // The x axis value at a plot column, in Hz or samples.
  double AxisValueAt(const TPlot& plot, int column) const;
  // The level drawn at a column, the loudest bin the column spans.
  float ColumnLevel(const TPlot& plot, int column) const;
  void DrawWave(std::vector<uint32_t>& pixels, int width, const TPlot& plot) const;
  void DrawSpectrum(std::vector<uint32_t>& pixels, int width, const TPlot& plot) const;
  void DrawScales(HDC dc, const TPlot& plot) const;

  int VisType = vtAnalog;
  int WindowArraySize = 1024;
  int WindowFFTType = 0;
  int SampleRate = 44100;
  int Channels = 2;
  TSampleArray Samples;
  std::unique_ptr<TFrequencyAnalyser> Analyser;
  mutable bool Dirty = true;
  mutable std::vector<float> Wave, Levels;
};

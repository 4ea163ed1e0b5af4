#include "engine/TAudioVisualization2.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/EngineError.h"
#include "engine/OffscreenPaint.h"
#include "engine/FrequencyAnalyser.h"
#include "framework/Font.h"
#include "framework/Unicode.h"

namespace {

constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

uint32_t Blend(uint32_t a, uint32_t b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto part = [&](int shift) {
    const double x = double((a >> shift) & 0xFF), y = double((b >> shift) & 0xFF);
    return uint32_t(std::lround(x + (y - x) * t)) << shift;
  };
  return part(16) | part(8) | part(0);
}

// A colour ramp through evenly spaced stops, t from 0 to 1.
uint32_t Ramp(std::initializer_list<uint32_t> stops, double t) {
  const std::vector<uint32_t> s(stops);
  t = std::clamp(t, 0.0, 1.0) * double(s.size() - 1);
  const size_t i = std::min(s.size() - 2, size_t(t));
  return Blend(s[i], s[i + 1], t - double(i));
}

struct TLook {
  uint32_t BackTop, BackBottom, Grid;
};

TLook LookOf(int visType) {
  switch (visType) {
    case TAudioVisualization2::vtFire: return {Rgb(0, 0, 0), Rgb(24, 6, 0), Rgb(58, 30, 24)};
    case TAudioVisualization2::vtGlass: return {Rgb(8, 14, 44), Rgb(26, 42, 86), Rgb(52, 80, 122)};
    case TAudioVisualization2::vtKryptonite: return {Rgb(0, 0, 0), Rgb(0, 10, 0), Rgb(24, 48, 24)};
    default: return {Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(40, 48, 40)};
  }
}

// Steps of 1, 2 and 5 times a power of ten: the first at least min wide.
double NiceStep(double min) {
  double p = 1;
  while (p * 10 <= min) p *= 10;
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (p * m >= min) return p * m;
  return p * 10;
}

std::string AxisText(double v, bool hertz) {
  if (!hertz || v < 1000) return std::to_string(std::lround(v));
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v / 1000);
  std::string s = text;
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  return s + "k";
}

void DrawText(HDC dc, int x, int y, const std::string& text, UINT align) {
  const std::wstring w = Utf8ToWide(text);
  SetTextAlign(dc, align);
  TextOutW(dc, x, y, w.c_str(), int(w.size()));
}

}  // namespace

TAudioVisualization2::TAudioVisualization2(TComponent* AOwner)
    : TCustomControl(AOwner), Analyser(std::make_unique<TFrequencyAnalyser>(WindowArraySize)) {
  TControlStyle style = GetControlStyle();
  style += csOpaque;
  SetControlStyle(style);
  SetBounds(0, 0, 300, 150);
}

TAudioVisualization2::~TAudioVisualization2() = default;

void TAudioVisualization2::Changed() {
  Dirty = true;
  Invalidate();
}

void TAudioVisualization2::ShowSamples(const TSampleArray& samples) {
  Samples = samples;
  Changed();
}

void TAudioVisualization2::SetVisType(int value) {
  if (value < vtAnalog || value > vtKryptonite) throw EAudioError("Unknown view type " + std::to_string(value) + ".");
  VisType = value;
  Invalidate();
}

void TAudioVisualization2::SetWindowArraySize(int value) {
  if (value < 16 || value > 65536 || (value & (value - 1)) != 0)
    throw EAudioError("The analysis size " + std::to_string(value) + " is not a power of two from 16 to 65536.");
  if (value == WindowArraySize) return;
  Analyser = std::make_unique<TFrequencyAnalyser>(value);
  WindowArraySize = value;
  Changed();
}

void TAudioVisualization2::SetWindowFFTType(int value) {
  if (value != 0) throw EAudioError("Unknown window function " + std::to_string(value) + ".");
  WindowFFTType = value;
}

void TAudioVisualization2::SetSampleRate(int value) {
  if (value <= 0) throw EAudioError("The sample rate must be positive.");
  if (value == SampleRate) return;
  SampleRate = value;
  Invalidate();
}

void TAudioVisualization2::SetChannels(int value) {
  if (value <= 0) throw EAudioError("The channel count must be positive.");
  if (value == Channels) return;
  Channels = value;
  Changed();
}

void TAudioVisualization2::Analyse() const {
  if (!Dirty) return;
  Analyser->Analyse(Samples.data(), Samples.size(), Channels, Wave, Levels);
  Dirty = false;
}

const std::vector<float>& TAudioVisualization2::GetWave() const {
  Analyse();
  return Wave;
}

const std::vector<float>& TAudioVisualization2::GetLevels() const {
  Analyse();
  return Levels;
}

TAudioVisualization2::TPlot TAudioVisualization2::PlotOf(int width, int height) {
  TPlot p{32, 6, 0, 0};
  p.Right = std::max(p.Left + 2, width - 8);
  p.Bottom = std::max(p.Top + 2, height - 16);
  return p;
}

double TAudioVisualization2::AxisValueAt(const TPlot& plot, int column) const {
  const double span = VisType == vtAnalog ? double(WindowArraySize - 1) : SampleRate / 2.0;
  return column * span / std::max(1, plot.Width() - 1);
}

float TAudioVisualization2::ColumnLevel(const TPlot& plot, int column) const {
  const std::vector<float>& levels = GetLevels();
  const double bin = double(SampleRate) / WindowArraySize;
  const int last = int(levels.size()) - 1;
  const int k0 = std::clamp(int(std::lround(AxisValueAt(plot, column) / bin)), 0, last);
  const int k1 = std::clamp(int(std::lround(AxisValueAt(plot, column + 1) / bin)) - 1, k0, last);
  return *std::max_element(levels.begin() + k0, levels.begin() + k1 + 1);
}

int TAudioVisualization2::XValueAt(int x) const {
  const TPlot plot = PlotOf(GetWidth(), GetHeight());
  return int(std::lround(AxisValueAt(plot, std::clamp(x - plot.Left, 0, plot.Width() - 1))));
}

int TAudioVisualization2::YValueAt(int x) const {
  const TPlot plot = PlotOf(GetWidth(), GetHeight());
  const int column = std::clamp(x - plot.Left, 0, plot.Width() - 1);
  double level;
  if (VisType == vtAnalog) {
    const float v = std::abs(GetWave()[size_t(std::lround(AxisValueAt(plot, column)))]);
    level = v > 0 ? 20 * std::log10(v) : BottomLevel;
  } else {
    level = ColumnLevel(plot, column);
  }
  return int(std::lround(std::max<double>(level, BottomLevel)));
}

void TAudioVisualization2::MouseMove(TShiftState, int X, int Y) { OnMouseMove(this, X, Y, XValueAt(X), YValueAt(X)); }

void TAudioVisualization2::Paint() {
  const RECT rc = GetClientRect();
  PaintOffscreen(GetCanvas()->GetHandle(), rc.right, rc.bottom, [&](HDC mem) { PaintTo(mem, rc.right, rc.bottom); });
}

void TAudioVisualization2::PaintTo(HDC dc, int width, int height) const {
  if (width <= 0 || height <= 0) return;
  const TPlot plot = PlotOf(width, height);
  const TLook look = LookOf(VisType);
  // Drawn pixel by pixel into a buffer of our own, then copied in one go.
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), Rgb(0, 0, 0));
  for (int y = plot.Top; y < std::min(height, plot.Bottom); ++y) {
    const uint32_t back = Blend(look.BackTop, look.BackBottom, double(y - plot.Top) / plot.Height());
    for (int x = plot.Left; x < std::min(width, plot.Right); ++x) pixels[size_t(y) * width + x] = back;
  }
  auto gridRow = [&](int y) {
    if (y >= 0 && y < height)
      for (int x = plot.Left; x < std::min(width, plot.Right); ++x) pixels[size_t(y) * width + x] = look.Grid;
  };
  auto gridColumn = [&](int x) {
    if (x >= 0 && x < width)
      for (int y = plot.Top; y < std::min(height, plot.Bottom); ++y) pixels[size_t(y) * width + x] = look.Grid;
  };
  // Grid lines where the scales carry their labels.
  if (VisType == vtAnalog) {
    for (int q = 1; q < 4; ++q) gridRow(plot.Top + q * (plot.Height() - 1) / 4);
  } else {
    for (int level = TopLevel - 20; level > BottomLevel; level -= 20)
      gridRow(plot.Top + (TopLevel - level) * (plot.Height() - 1) / (TopLevel - BottomLevel));
  }
  const double span = AxisValueAt(plot, plot.Width() - 1);
  const double step = NiceStep(span * 48 / std::max(1, plot.Width()));
  for (double v = step; v < span; v += step) gridColumn(plot.Left + int(std::lround(v / span * (plot.Width() - 1))));

  if (VisType == vtAnalog) DrawWave(pixels, width, plot);
  else DrawSpectrum(pixels, width, plot);

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBitsToDevice(dc, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height), pixels.data(), &info,
                    DIB_RGB_COLORS);
  DrawScales(dc, plot);
}

void TAudioVisualization2::DrawWave(std::vector<uint32_t>& pixels, int width, const TPlot& plot) const {
  const std::vector<float>& wave = GetWave();
  const int height = int(pixels.size() / size_t(width));
  auto yOf = [&](float v) {
    const double half = (plot.Height() - 1) / 2.0;
    return plot.Top + int(std::lround(half - std::clamp(v, -1.0f, 1.0f) * half));
  };
  const uint32_t line = Rgb(80, 255, 144);
  int previous = yOf(wave[0]);
  for (int c = 0; c < plot.Width(); ++c) {
    // Every sample the column spans, joined to the column before.
    const int i0 = int(std::lround(AxisValueAt(plot, c)));
    const int i1 = std::max(i0, int(std::lround(AxisValueAt(plot, c + 1))) - 1);
    int lo = previous, hi = previous;
    for (int i = i0; i <= std::min(i1, int(wave.size()) - 1); ++i) {
      const int y = yOf(wave[size_t(i)]);
      lo = std::min(lo, y);
      hi = std::max(hi, y);
      previous = y;
    }
    const int x = plot.Left + c;
    if (x >= width) break;
    for (int y = std::max(0, lo); y <= std::min(height - 1, hi); ++y) pixels[size_t(y) * width + x] = line;
  }
}

void TAudioVisualization2::DrawSpectrum(std::vector<uint32_t>& pixels, int width, const TPlot& plot) const {
  const int height = int(pixels.size() / size_t(width));
  const int bottom = std::min(height, plot.Bottom) - 1;
  auto yOf = [&](float level) {
    const double t = (TopLevel - double(level)) / (TopLevel - BottomLevel);
    return plot.Top + int(std::lround(std::clamp(t, 0.0, 1.0) * (plot.Height() - 1)));
  };
  // Height share of a row: 0 at the bottom of the scale, 1 at its top.
  auto share = [&](int y) { return 1.0 - double(y - plot.Top) / std::max(1, plot.Height() - 1); };
  auto put = [&](int x, int y, uint32_t colour) {
    if (x >= 0 && x < width && y >= 0 && y < height) pixels[size_t(y) * width + x] = colour;
  };
  auto at = [&](int x, int y) { return pixels[size_t(y) * width + x]; };
  const int columns = std::min(plot.Width(), width - plot.Left);
  // The row each column reaches; filled looks leave columns below the scale empty.
  std::vector<int> tops(size_t(std::max(0, columns)));
  for (int c = 0; c < columns; ++c) {
    const float level = ColumnLevel(plot, c);
    tops[size_t(c)] = VisType != vtLinear && level <= BottomLevel ? bottom + 1 : yOf(level);
  }

  switch (VisType) {
    case vtLinear: {
      const uint32_t line = Rgb(200, 255, 80);
      for (int c = 0; c < columns; ++c) {
        const int a = tops[size_t(c)], b = c > 0 ? tops[size_t(c - 1)] : a;
        for (int y = std::min(a, b); y <= std::max(a, b); ++y) put(plot.Left + c, y, line);
      }
      break;
    }
    case vtNormal:
      for (int c = 0; c < columns; ++c) {
        for (int y = tops[size_t(c)]; y <= bottom; ++y)
          put(plot.Left + c, y, y < tops[size_t(c)] + 2 ? Rgb(168, 208, 255) : Rgb(40, 120, 240));
      }
      break;
    case vtFire:
      for (int c = 0; c < columns; ++c) {
        for (int y = tops[size_t(c)]; y <= bottom; ++y)
          put(plot.Left + c, y,
              Ramp({Rgb(96, 0, 0), Rgb(255, 32, 0), Rgb(255, 160, 0), Rgb(255, 255, 64), Rgb(255, 255, 255)},
                   share(y)));
      }
      break;
    case vtGlass:
    case vtKryptonite: {
      // Bars of a few columns, each as loud as the loudest column of it and the
      // gap after it.
      const bool glass = VisType == vtGlass;
      const int bar = glass ? 5 : 4, gap = glass ? 2 : 1;
      for (int c0 = 0; c0 < columns; c0 += bar + gap) {
        const int c1 = std::min(columns, c0 + bar);
        const int top = *std::min_element(tops.begin() + c0, tops.begin() + std::min(columns, c0 + bar + gap));
        for (int c = c0; c < c1; ++c) {
          const int x = plot.Left + c;
          for (int y = plot.Top; y <= bottom; ++y) {
            if (glass) {
              if (y < top) continue;
              uint32_t body = Blend(at(x, y), Ramp({Rgb(32, 96, 192), Rgb(128, 224, 255)}, share(y)), 0.7);
              if (c == c0) body = Blend(body, Rgb(255, 255, 255), 0.45);
              else if (c == c1 - 1) body = Blend(body, Rgb(0, 0, 0), 0.35);
              if (y < top + 2) body = Rgb(224, 248, 255);
              put(x, y, body);
            } else {
              // LED segments: two rows lit, one dark; those above the level glow faintly.
              if ((bottom - y) % 3 == 2) continue;
              const uint32_t lit = Ramp({Rgb(16, 96, 16), Rgb(64, 255, 64), Rgb(208, 255, 144)}, share(y));
              put(x, y, y >= top ? lit : Blend(Rgb(0, 0, 0), lit, 0.12));
            }
          }
        }
      }
      break;
    }
    default: break;
  }
}

void TAudioVisualization2::DrawScales(HDC dc, const TPlot& plot) const {
  HGDIOBJ oldFont = SelectObject(dc, GetFont()->GetHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(192, 192, 192));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  const int half = int(tm.tmHeight) / 2;

  HPEN pen = CreatePen(PS_SOLID, 1, RGB(112, 112, 112));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, plot.Left - 1, plot.Top - 1, plot.Right + 1, plot.Bottom + 1);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);

  if (VisType == vtAnalog) {
    const char* const labels[] = {"1", "0.5", "0", "-0.5", "-1"};
    for (int q = 0; q <= 4; ++q)
      DrawText(dc, plot.Left - 4, plot.Top + q * (plot.Height() - 1) / 4 - half, labels[q], TA_RIGHT | TA_TOP);
  } else {
    for (int level = TopLevel; level >= BottomLevel; level -= 20)
      DrawText(dc, plot.Left - 4, plot.Top + (TopLevel - level) * (plot.Height() - 1) / (TopLevel - BottomLevel) - half,
               std::to_string(level), TA_RIGHT | TA_TOP);
  }
  const double span = AxisValueAt(plot, plot.Width() - 1);
  const double step = NiceStep(span * 48 / std::max(1, plot.Width()));
  for (double v = 0; v <= span + 1e-9; v += step) {
    const int x = plot.Left + int(std::lround(v / span * (plot.Width() - 1)));
    DrawText(dc, x, plot.Bottom + 2, AxisText(v, VisType != vtAnalog), v == 0 ? TA_LEFT | TA_TOP : TA_CENTER | TA_TOP);
  }
  SelectObject(dc, oldFont);
}

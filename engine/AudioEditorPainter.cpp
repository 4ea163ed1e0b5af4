#include "engine/AudioEditorPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/TAudioEditor2.h"
#include "framework/Unicode.h"

namespace {

constexpr int kScaleYWidth = 40;

int BorderWidth(int type) { return type <= 0 ? 0 : type <= 2 ? 1 : 2; }

HFONT MakeFont(HDC dc, const TAudioEditor2Font& f) {
  int px = -MulDiv(f.Size, GetDeviceCaps(dc, LOGPIXELSY), 72);
  return CreateFontW(px, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH, Utf8ToWide(f.Name).c_str());
}

void Fill(HDC dc, const RECT& r, TColor color) {
  SetBkColor(dc, COLORREF(ColorToRGB(color)));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void VLine(HDC dc, int x, int top, int bottom, TColor color) {
  RECT r{x, top, x + 1, bottom};
  Fill(dc, r, color);
}

void HLine(HDC dc, int left, int right, int y, TColor color) {
  RECT r{left, y, right, y + 1};
  Fill(dc, r, color);
}

void Text(HDC dc, int x, int y, const std::string& s, UINT align) {
  std::wstring w = Utf8ToWide(s);
  SetTextAlign(dc, align);
  TextOutW(dc, x, y, w.c_str(), int(w.size()));
}

std::string TimeLabel(int64_t frame, int rate, int64_t step) {
  char buf[48];
  double secs = double(frame) / rate;
  int m = int(secs / 60);
  double s = secs - m * 60.0;
  if (step >= rate) std::snprintf(buf, sizeof buf, "%d:%02d", m, int(s + 0.5));
  else std::snprintf(buf, sizeof buf, "%d:%06.3f", m, s);
  return buf;
}

// A tick step of 1, 2 or 5 times a power of ten that leaves minGap pixels.
int64_t NiceStep(double framesPerPixel, int minGap, int64_t unit) {
  double want = framesPerPixel * minGap / double(unit);
  double p = 1;
  while (p * 10 <= want) p *= 10;
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (p * m >= want) return std::max<int64_t>(1, int64_t(p * m * unit));
  return std::max<int64_t>(1, int64_t(p * 10 * unit));
}

void PaintScaleX(const TAudioEditor2& e, HDC dc, const TAudioEditorLayout& l) {
  const IAudioEditor2Scale& scale = *e.GetScaleX();
  int span = int(l.Wave.right - l.Wave.left);
  int64_t frames = l.ViewEnd - l.ViewStart;
  if (frames <= 0 || span <= 0) return;
  double fpp = double(frames) / span;
  bool samples = scale.GetMode() == 1;
  // Milliseconds are the unit of time labels, single frames of sample labels.
  int64_t unit = samples ? 1 : std::max<int64_t>(1, e.GetSampleRate() / 1000);
  int64_t step = NiceStep(fpp, 90, unit);
  SetTextColor(dc, COLORREF(ColorToRGB(scale.GetFont().Color)));
  TColor colour = e.GetColors()->Get(IAudioEditor2Colors::I);
  for (int64_t f = (l.ViewStart + step - 1) / step * step; f <= l.ViewEnd; f += step) {
    int x = l.XOf(f);
    VLine(dc, x, l.ScaleX.bottom - 4, l.ScaleX.bottom, scale.GetFont().Color);
    Text(dc, x + 2, l.ScaleX.top + 1, samples ? std::to_string(f) : TimeLabel(f, e.GetSampleRate(), step),
         TA_LEFT | TA_TOP);
  }
  HLine(dc, l.Inner.left, l.Inner.right, l.ScaleX.bottom - 1, colour);
}

void PaintScaleY(const TAudioEditor2& e, HDC dc, const TAudioEditorLayout& l) {
  const IAudioEditor2Scale& scale = *e.GetScaleY();
  const int ch = e.GetChannels();
  SetTextColor(dc, COLORREF(ColorToRGB(scale.GetFont().Color)));
  int lane = l.LaneHeight(ch);
  for (int c = 0; c < ch; ++c) {
    int top = l.LaneTop(c, ch), mid = top + lane / 2;
    struct { double level; int y; } ticks[] = {{1.0, top}, {0.5, top + lane / 4}, {0.0, mid}};
    for (auto& t : ticks) {
      std::string label;
      if (scale.GetMode() == 1) label = t.level > 0 ? std::to_string(int(std::lround(20 * std::log10(t.level)))) : "-inf";
      else label = std::to_string(int(t.level * 100));
      Text(dc, l.ScaleY.right - 4, std::max<int>(t.y - 5, int(l.ScaleY.top)), label, TA_RIGHT | TA_TOP);
      HLine(dc, l.ScaleY.right - 3, l.ScaleY.right, t.y, scale.GetFont().Color);
    }
  }
}

void PaintWave(const TAudioEditor2& e, HDC dc, const TAudioEditorLayout& l, int64_t selA, int64_t selB) {
  const IAudioEditor2Colors& colors = *e.GetColors();
  const TSampleSequence& audio = e.GetAudio();
  const int ch = audio.GetChannels();
  const int width = int(l.Wave.right - l.Wave.left);
  const int64_t frames = l.ViewEnd - l.ViewStart;
  const int lane = l.LaneHeight(ch);
  for (int c = 0; c < ch; ++c) {
    int top = l.LaneTop(c, ch);
    HLine(dc, l.Wave.left, l.Wave.right, top + lane / 2, colors.Get(IAudioEditor2Colors::H));
    if (c > 0) HLine(dc, l.Wave.left, l.Wave.right, top - 1, colors.Get(IAudioEditor2Colors::I));
  }
  if (frames <= 0 || width <= 0 || audio.GetLength() == 0) return;
  const bool summaries = frames > int64_t(width) * TAudioBlock::kGranule;
  std::vector<float> raw;
  int64_t rawEnd = std::min(l.ViewEnd + 1, audio.GetLength());
  if (!summaries) raw = audio.Read(l.ViewStart, rawEnd - l.ViewStart);
  std::vector<float> lastValue(size_t(ch), 0.0f);
  for (int x = 0; x < width; ++x) {
    int64_t f0 = l.ViewStart + frames * x / width;
    int64_t f1 = l.ViewStart + frames * (x + 1) / width;
    if (f0 >= audio.GetLength()) break;
    bool selected = f1 > selA && f0 < selB;
    TColor colour = colors.Get(selected ? IAudioEditor2Colors::J : IAudioEditor2Colors::G);
    for (int c = 0; c < ch; ++c) {
      float lo, hi;
      if (summaries) {
        TPeak p = audio.Peak(f0, std::max<int64_t>(1, f1 - f0), c);
        lo = p.Min;
        hi = p.Max;
      } else {
        int64_t a = f0 - l.ViewStart, b = std::max(f1, f0 + 1) - l.ViewStart;
        b = std::min<int64_t>(b, int64_t(raw.size() / ch));
        lo = hi = raw[size_t(a) * ch + c];
        for (int64_t f = a + 1; f < b; ++f) {
          float v = raw[size_t(f) * ch + c];
          lo = std::min(lo, v);
          hi = std::max(hi, v);
        }
        // Join neighbouring columns so that a zoomed-in wave stays one line.
        if (x > 0) lo = std::min(lo, lastValue[c]), hi = std::max(hi, lastValue[c]);
        lastValue[c] = raw[size_t(b - 1) * ch + c];
      }
      int top = l.LaneTop(c, ch), mid = top + lane / 2, half = lane / 2;
      int y0 = mid - int(std::lround(std::clamp(hi, -1.0f, 1.0f) * half));
      int y1 = mid - int(std::lround(std::clamp(lo, -1.0f, 1.0f) * half));
      VLine(dc, l.Wave.left + x, std::max(y0, top), std::min(y1 + 1, top + lane), colour);
    }
  }
}

}  // namespace

int64_t TAudioEditorLayout::FrameAt(int x) const {
  int width = int(Wave.right - Wave.left);
  if (width <= 0) return ViewStart;
  int64_t dx = std::clamp<int64_t>(x - Wave.left, 0, width);
  return ViewStart + (ViewEnd - ViewStart) * dx / width;
}

int TAudioEditorLayout::XOf(int64_t frame) const {
  int64_t frames = ViewEnd - ViewStart;
  int width = int(Wave.right - Wave.left);
  if (frames <= 0) return int(Wave.left);
  return int(Wave.left + (frame - ViewStart) * width / frames);
}

int TAudioEditorLayout::LaneHeight(int channels) const {
  int h = int(Wave.bottom - Wave.top) - (channels - 1);
  return std::max(0, h / std::max(1, channels));
}

int TAudioEditorLayout::LaneTop(int ch, int channels) const {
  return int(Wave.top) + ch * (LaneHeight(channels) + 1);
}

TAudioEditorLayout LayoutAudioEditor(const TAudioEditor2& e, int width, int height) {
  TAudioEditorLayout l;
  int b = BorderWidth(e.GetTypeBorder());
  l.Inner = RECT{b, b, std::max(b, width - b), std::max(b, height - b)};
  const TAudioEditor2Font& font = e.GetScaleX()->GetFont();
  int scaleH = std::max(12, font.Size * 96 / 72 + 6);
  l.ScaleX = RECT{l.Inner.left + kScaleYWidth, l.Inner.top, l.Inner.right, std::min(l.Inner.bottom, l.Inner.top + scaleH)};
  l.ScaleY = RECT{l.Inner.left, l.ScaleX.bottom, std::min(l.Inner.right, l.Inner.left + kScaleYWidth), l.Inner.bottom};
  l.Wave = RECT{l.ScaleY.right, l.ScaleX.bottom, l.Inner.right, l.Inner.bottom};
  l.ViewStart = e.GetViewStart();
  l.ViewEnd = e.GetViewEnd();
  return l;
}

void PaintAudioEditor(const TAudioEditor2& e, HDC dc, int width, int height) {
  const IAudioEditor2Colors& colors = *e.GetColors();
  TAudioEditorLayout l = LayoutAudioEditor(e, width, height);
  RECT all{0, 0, width, height};
  Fill(dc, all, colors.Get(IAudioEditor2Colors::F));
  static const UINT edges[] = {0, BDR_SUNKENOUTER, BDR_RAISEDINNER, EDGE_RAISED, EDGE_SUNKEN};
  if (e.GetTypeBorder() > 0) DrawEdge(dc, &all, edges[std::min(e.GetTypeBorder(), 4)], BF_RECT);
  Fill(dc, l.Wave, colors.Get(IAudioEditor2Colors::A));

  int64_t selA = e.GetSelStart(), selB = e.GetSelEnd();
  if (selB > selA && selB > l.ViewStart && selA < l.ViewEnd) {
    RECT r{std::max<int>(l.XOf(selA), int(l.Wave.left)), l.Wave.top,
           std::min<int>(std::max(l.XOf(selB), l.XOf(selA) + 1), int(l.Wave.right)), l.Wave.bottom};
    Fill(dc, r, colors.Get(IAudioEditor2Colors::D));
  }
  PaintWave(e, dc, l, selA, selB);

  for (const TAudioMarker& m : e.GetMarkerList()) {
    for (int64_t f : {m.Position, m.Position + m.Length}) {
      if (f < l.ViewStart || f > l.ViewEnd) continue;
      VLine(dc, l.XOf(f), l.Wave.top, l.Wave.bottom, colors.Get(IAudioEditor2Colors::C));
      if (m.Length == 0) break;
    }
  }
  auto line = [&](int64_t f, TColor colour) {
    if (f >= l.ViewStart && f <= l.ViewEnd) VLine(dc, std::min(l.XOf(f), int(l.Wave.right) - 1), l.Wave.top, l.Wave.bottom, colour);
  };
  if (e.GetPlayState() != TAudioEditor2::psIdle) line(e.GetPlayPosition(), colors.Get(IAudioEditor2Colors::E));
  else line(e.GetCursor(), colors.Get(IAudioEditor2Colors::B));

  HFONT font = MakeFont(dc, e.GetScaleX()->GetFont());
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  PaintScaleX(e, dc, l);
  SelectObject(dc, old);
  DeleteObject(font);
  font = MakeFont(dc, e.GetScaleY()->GetFont());
  old = SelectObject(dc, font);
  PaintScaleY(e, dc, l);
  SelectObject(dc, old);
  DeleteObject(font);
  SetBkMode(dc, OPAQUE);
}

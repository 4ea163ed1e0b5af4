#include "skins/SkinEffectBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "skins/FastBitmap.h"

namespace {

// Rounded half to even, then clamped to a channel.
inline uint8_t Channel(double V) {
  const double r = std::nearbyint(V);
  return r <= 0 ? 0 : r >= 255 ? 255 : uint8_t(r);
}

// The progress factor limited to 0..1; not a number counts as 0.
inline double Limit(double X) { return std::isnan(X) ? 0.0 : std::clamp(X, 0.0, 1.0); }

inline int RoundEven(double V) { return int(std::nearbyint(V)); }

// Pixel `col` of a row: own = round(h * own + (1 - h) * other).
inline void Weigh(uint8_t* Own, const uint8_t* Other, int Col, double H) {
  for (int c = 0; c < 3; ++c) Own[Col * 3 + c] = Channel(H * Own[Col * 3 + c] + (1 - H) * Other[Col * 3 + c]);
}

}  // namespace

TspEffectBmp::TspEffectBmp(HBITMAP Source) {
  BITMAP info{};
  if (!Source || !GetObjectW(Source, sizeof info, &info)) return;
  const int w = info.bmWidth, h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  FHandle = CreateTopDown24Section(Source, w, h, FBits);
  if (FHandle) {
    FWidth = w;
    FHeight = h;
  }
}

TspEffectBmp::~TspEffectBmp() {
  if (FHandle) DeleteObject(FHandle);
}

void TspEffectBmp::DrawTo(HDC DC, int X, int Y) {
  if (!FHandle) return;
  HDC mem = CreateCompatibleDC(DC);
  HGDIOBJ old = SelectObject(mem, FHandle);
  BitBlt(DC, X, Y, FWidth, FHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void TspEffectBmp::ReadRow(int Row, uint8_t* Dest) const { std::memcpy(Dest, RowPtr(Row), size_t(FWidth) * 3); }

void TspEffectBmp::WriteRow(int Row, const uint8_t* Source) { std::memcpy(RowPtr(Row), Source, size_t(FWidth) * 3); }

bool TspEffectBmp::Matches(const TspEffectBmp* Other) const {
  return Other && FBits && Other->FBits && Other->FWidth == FWidth && Other->FHeight == FHeight;
}

void TspEffectBmp::BlendWith(TspEffectBmp* Other, double X) {
  if (!Matches(Other)) return;
  X = Limit(X);
  std::vector<uint8_t> row(size_t(FWidth) * 3);
  for (int y = 0; y < FHeight; ++y) {
    ReadRow(y, row.data());
    const uint8_t* other = Other->RowPtr(y);
    for (size_t i = 0; i < row.size(); ++i) row[i] = Channel((1 - X) * row[i] + X * other[i]);
    WriteRow(y, row.data());
  }
}

void TspEffectBmp::GradientFromCentre(TspEffectBmp* Other, double X) {
  if (FWidth < FHeight) GradientFromCentreVert(Other, X);
  else GradientFromCentreHorz(Other, X);
}

void TspEffectBmp::GradientFromCentreHorz(TspEffectBmp* Other, double X) {
  if (!Matches(Other)) return;
  X = Limit(X);
  const int w = FWidth;
  const int a = RoundEven(w * X), b = (w - a) / 2, c = a / 2;
  const double step = b != 0 ? 1.0 / b : 1.0;
  const int g = std::max(0, w / 2 - c), f = std::min(w - 1, w / 2 + c);
  std::vector<uint8_t> row(size_t(w) * 3);
  for (int y = 0; y < FHeight; ++y) {
    ReadRow(y, row.data());
    const uint8_t* other = Other->RowPtr(y);
    std::memcpy(row.data() + g * 3, other + g * 3, size_t(f - g + 1) * 3);
    double h = 0;
    for (int x = g; x >= 0; --x, h = std::min(1.0, h + step)) Weigh(row.data(), other, x, h);
    h = 0;
    for (int x = f; x < w; ++x, h = std::min(1.0, h + step)) Weigh(row.data(), other, x, h);
    WriteRow(y, row.data());
  }
}

void TspEffectBmp::GradientFromCentreVert(TspEffectBmp* Other, double X) {
  if (!Matches(Other)) return;
  X = Limit(X);
  const int hgt = FHeight;
  const int a = RoundEven(hgt * X), b = (hgt - 1 - a) / 2, c = a / 2;
  // A band of the whole height leaves no edge: every row takes the other picture.
  const double step = b != 0 ? 1.0 / b : 0.0;
  const int g = std::max(0, hgt / 2 - c), f = std::min(hgt - 1, hgt / 2 + c);
  std::vector<uint8_t> row(size_t(FWidth) * 3);
  for (int y = g; y <= f; ++y) WriteRow(y, Other->RowPtr(y));
  auto weighRow = [&](int y, double h) {
    ReadRow(y, row.data());
    const uint8_t* other = Other->RowPtr(y);
    for (int x = 0; x < FWidth; ++x) Weigh(row.data(), other, x, h);
    WriteRow(y, row.data());
  };
  double h = 0;
  for (int y = g; y >= 0; --y, h = std::min(1.0, h + step)) weighRow(y, h);
  h = 0;
  for (int y = f; y < hgt; ++y, h = std::min(1.0, h + step)) weighRow(y, h);
}

void TspEffectBmp::GradientFromLeft(TspEffectBmp* Other, double X) {
  if (!Matches(Other)) return;
  X = Limit(X);
  const int w = FWidth;
  const int a = std::min(std::max(RoundEven(w * X), 1), w - 1);
  const double step = a != 0 ? 1.0 / a : 1.0;
  std::vector<uint8_t> row(size_t(w) * 3);
  for (int y = 0; y < FHeight; ++y) {
    ReadRow(y, row.data());
    const uint8_t* other = Other->RowPtr(y);
    double h = 0;
    for (int x = 0; x <= a; ++x, h = std::min(1.0, h + step)) Weigh(row.data(), other, x, h);
    WriteRow(y, row.data());
  }
}

void TspEffectBmp::GradientFromRight(TspEffectBmp* Other, double X) {
  if (!Matches(Other)) return;
  X = Limit(X);
  const int w = FWidth;
  const int a = std::clamp(w - RoundEven(w * X), 0, w - 1);
  const double step = w - a > 0 ? 1.0 / (w - a) : 1.0;
  std::vector<uint8_t> row(size_t(w) * 3);
  for (int y = 0; y < FHeight; ++y) {
    ReadRow(y, row.data());
    const uint8_t* other = Other->RowPtr(y);
    double h = 0;
    for (int x = w - 1; x >= a; --x, h = std::min(1.0, h + step)) Weigh(row.data(), other, x, h);
    WriteRow(y, row.data());
  }
}

void TspEffectBmp::Slide(TspEffectBmp* Other, double X, bool FromLeft) {
  if (!Matches(Other)) return;
  X = Limit(X);
  const int w = FWidth;
  const int n = std::min(std::max(RoundEven(w * X), 1), w - 1);
  if (n <= 0) return;
  // From the left the other picture's right end comes in; from the right its left end.
  const int ownAt = FromLeft ? 0 : w - n, otherAt = FromLeft ? w - n : 0;
  std::vector<uint8_t> row(size_t(w) * 3);
  for (int y = 0; y < FHeight; ++y) {
    ReadRow(y, row.data());
    std::memcpy(row.data() + ownAt * 3, Other->RowPtr(y) + otherAt * 3, size_t(n) * 3);
    WriteRow(y, row.data());
  }
}

void TspEffectBmp::SlideFromLeft(TspEffectBmp* Other, double X) { Slide(Other, X, true); }

void TspEffectBmp::SlideFromRight(TspEffectBmp* Other, double X) { Slide(Other, X, false); }

void TspEffectBmp::PushFromLeft(TspEffectBmp* Other, double X) {
  if (!Matches(Other)) return;
  X = Limit(X);
  const int w = FWidth;
  const int a = std::clamp(RoundEven(w * X), 0, w - 1);
  std::vector<uint8_t> row(size_t(w) * 3), former(size_t(w) * 3);
  for (int y = 0; y < FHeight; ++y) {
    ReadRow(y, former.data());
    row = former;
    // The own picture moves right by a + 1 columns ...
    for (int j = w - 1; j >= a + 1; --j) std::memcpy(&row[size_t(j) * 3], &former[size_t(j - a - 1) * 3], 3);
    std::memcpy(&row[size_t(a) * 3], &former[0], 3);
    // ... and the right end of the other picture comes in at the left.
    std::memcpy(row.data(), Other->RowPtr(y) + (w - a - 1) * 3, size_t(a + 1) * 3);
    WriteRow(y, row.data());
  }
}

void TspEffectBmp::Lighten(double X) {
  if (!FBits) return;
  X = Limit(X);
  std::vector<uint8_t> row(size_t(FWidth) * 3);
  for (int y = 0; y < FHeight; ++y) {
    ReadRow(y, row.data());
    for (uint8_t& v : row) v = Channel((1 - X) * v + 255 * X);
    WriteRow(y, row.data());
  }
}

void TspEffectBmp::Morph(TspMorphKind Kind, TspEffectBmp* Other, double X) {
  switch (Kind) {
    case mkGradient: GradientFromCentre(Other, X); break;
    case mkLeftGradient: GradientFromLeft(Other, X); break;
    case mkRightGradient: GradientFromRight(Other, X); break;
    case mkLeftSlide: SlideFromLeft(Other, X); break;
    case mkRightSlide: SlideFromRight(Other, X); break;
    case mkPush: PushFromLeft(Other, X); break;
    default: BlendWith(Other, X); break;
  }
}

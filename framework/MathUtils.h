// Rounding and random numbers as the program's arithmetic expects them.
// Round rounds halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); Trunc,
// integer '/' and '%' go toward zero. MulDiv is the Win32 function (rounds; -1 when
// dividing by zero).
#pragma once

#include <cstdint>

std::int64_t Round(long double X);
std::int64_t Trunc(long double X);
long double Frac(long double X);
int Ceil(long double X);
int Floor(long double X);
template <class T>
T EnsureRange(T Value, T Min, T Max) {
  return Value < Min ? Min : (Value > Max ? Max : Value);
}
// -1, 0 or 1.
template <class T>
int Sign(T Value) {
  return (Value > T(0)) - (Value < T(0));
}
template <class T>
bool InRange(T Value, T Min, T Max) {
  return Value >= Min && Value <= Max;
}

// The program's random generator: seeded by Randomize (or RandSeed), same sequence for
// the same seed.
extern std::uint32_t RandSeed;
void Randomize();
int Random(int Range);  // 0 <= r < Range; 0 when Range <= 0
double Random();        // 0 <= r < 1

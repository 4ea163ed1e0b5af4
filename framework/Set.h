// TSet<E>: a set of enumeration values (up to 64), as in "Style: TFontStyles".
//
//   enum TComponentStateFlag { csLoading, csReading, ... };
//   using TComponentState = TSet<TComponentStateFlag>;
//   TComponentState s{csLoading, csDesigning};
//   s.Contains(csLoading); s.Include(csReading); s -= csLoading; s.Empty();
#pragma once

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) FBits |= Bit(e);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }
  constexpr std::uint64_t Bits() const { return FBits; }

  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr void Include(E e) { FBits |= Bit(e); }
  constexpr void Exclude(E e) { FBits &= ~Bit(e); }

  constexpr TSet& operator+=(TSet o) { FBits |= o.FBits; return *this; }
  constexpr TSet& operator-=(TSet o) { FBits &= ~o.FBits; return *this; }
  constexpr TSet& operator*=(TSet o) { FBits &= o.FBits; return *this; }
  constexpr TSet& operator+=(E e) { Include(e); return *this; }
  constexpr TSet& operator-=(E e) { Exclude(e); return *this; }
  friend constexpr TSet operator+(TSet a, TSet b) { return a += b; }
  friend constexpr TSet operator-(TSet a, TSet b) { return a -= b; }
  friend constexpr TSet operator*(TSet a, TSet b) { return a *= b; }
  friend constexpr TSet operator+(TSet a, E e) { return a += e; }
  friend constexpr TSet operator-(TSet a, E e) { return a -= e; }
  friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }
  // a <= b: every member of a is in b.
  friend constexpr bool operator<=(TSet a, TSet b) { return (a.FBits & ~b.FBits) == 0; }

private:
  static constexpr std::uint64_t Bit(E e) { return std::uint64_t(1) << static_cast<unsigned>(e); }
  std::uint64_t FBits = 0;
};

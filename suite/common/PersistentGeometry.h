// A rectangle and a size that a component publishes as sub-properties, with a
// change event that fires only when a value really changes.
#pragma once

#include <windows.h>

#include "framework/Persistent.h"

class TcxRect : public TPersistent {
  SONVELT_CLASS(TcxRect, TPersistent)
public:
  using TCreateArg = TPersistent*;
  // The owner is not owned; the object streams as a sub-property of it.
  explicit TcxRect(TPersistent* AOwner);
  static TcxRect* CreateWithOwner(TPersistent* AOwner) { return Create(AOwner); }

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  // Stores R and fires OnChange, unless R equals the stored rectangle.
  void AssignRect(const RECT& R);
  // Sides by index: 0 Left, 1 Top, 2 Right, 3 Bottom.
  int GetSide(int Index) const;
  void SetSide(int Index, int Value);
  int GetLeft() const { return FRect.left; }
  int GetTop() const { return FRect.top; }
  int GetRight() const { return FRect.right; }
  int GetBottom() const { return FRect.bottom; }
  void SetLeft(int Value) { SetSide(0, Value); }
  void SetTop(int Value) { SetSide(1, Value); }
  void SetRight(int Value) { SetSide(2, Value); }
  void SetBottom(int Value) { SetSide(3, Value); }
  bool EqualsRect(const RECT& R) const;
  bool EqualsCxRect(const TcxRect* Other) const { return Other && EqualsRect(Other->FRect); }
  const RECT* RectAddress() const { return &FRect; }
  RECT GetRect() const { return FRect; }

  TNotifyEvent OnChange;
  static void Publish(TPublisher<TcxRect>& P);

private:
  TPersistent* FOwner;
  RECT FRect{0, 0, 0, 0};
};

class TcxSize : public TPersistent {
  SONVELT_CLASS(TcxSize, TPersistent)
public:
  using TCreateArg = TPersistent*;
  explicit TcxSize(TPersistent* AOwner) : FOwner(AOwner) {}
  static TcxSize* CreateWithOwner(TPersistent* AOwner) { return Create(AOwner); }

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  // Parts below 0 become 0; a different result is stored and signalled.
  virtual void AssignSize(SIZE Size);
  // Parts by index: 0 height, 1 width.
  virtual int SizePart(int Index) const { return Index == 1 ? FSize.cx : FSize.cy; }
  // Whether the part is written to a stream: only when it is not 0.
  virtual bool PartNonZero(int Index) const { return SizePart(Index) != 0; }
  int GetHeight() const { return SizePart(0); }
  int GetWidth() const { return SizePart(1); }
  void SetHeight(int Value) { AssignSize(SIZE{FSize.cx, Value}); }
  void SetWidth(int Value) { AssignSize(SIZE{Value, FSize.cy}); }
  bool EqualsPersistent(const TcxSize* Other) const;
  const SIZE* SizeAddress() const { return &FSize; }

  TNotifyEvent OnChange;
  static void Publish(TPublisher<TcxSize>& P);

protected:
  virtual void SignalChange() { OnChange(this); }

private:
  TPersistent* FOwner;
  SIZE FSize{0, 0};
};

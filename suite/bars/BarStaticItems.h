// Static items: a caption and an optional image inside an optional border, never
// reached with the keyboard and clicked only when AllowClick says so; and the
// progress item, a static with a progress bar after its caption.
#pragma once

#include "framework/Colors.h"
#include "framework/Label.h"
#include "suite/bars/BarItems.h"

enum TdxBarStaticBorderStyle : std::uint8_t { sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump };

class TdxBarStatic : public TdxBarItem {
  SONVELT_CLASS(TdxBarStatic, TdxBarItem)
public:
  explicit TdxBarStatic(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarStatic>& P);

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool GetAllowClick() const { return FAllowClick; }
  void SetAllowClick(bool Value) { FAllowClick = Value; }
  TdxBarStaticBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TdxBarStaticBorderStyle Value);
  // The sizes: negative values become 0; 0 means computed.
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value) { SetSize(FHeight, Value); }
  void SetWidth(int Value) override { TdxBarItem::SetWidth(Value < 0 ? 0 : Value); }
  void WidthChanged() override { SizeChanged(); }
  int GetLeftIndent() const { return FLeftIndent; }
  void SetLeftIndent(int Value) { SetSize(FLeftIndent, Value); }
  int GetRightIndent() const { return FRightIndent; }
  void SetRightIndent(int Value) { SetSize(FRightIndent, Value); }

  bool CanClick() const override { return FAllowClick; }
  bool IsEnterable(TdxBarItemLink* Link) const override { (void)Link; return false; }
  // The control paints its background in the item's style colour.
  virtual bool UsesStyleColor() const { return true; }

protected:
  // Repaints when both sizes are fixed, else rebuilds the windows showing the item.
  void SizeChanged();

private:
  void SetSize(int& Field, int Value);
  TAlignment FAlignment = taCenter;
  bool FAllowClick = false;
  TdxBarStaticBorderStyle FBorderStyle = sbsNone;
  int FHeight = 0;
  int FLeftIndent = 0;
  int FRightIndent = 0;
};

class TdxBarProgressItem : public TdxBarStatic {
  SONVELT_CLASS(TdxBarProgressItem, TdxBarStatic)
public:
  explicit TdxBarProgressItem(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarProgressItem>& P);

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetPosition() const { return FPosition; }
  // Clamped to Min..Max; a change moves the bar of every live control.
  void SetPosition(int Value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  int GetStep() const { return FStep; }
  void SetStep(int Value) { FStep = Value; }
  // Both limits at once (Min follows a smaller Max); Position is clamped to them.
  void SetRange(int AMin, int AMax);

  // The filled part of a bar of BarLength pixels; 0 for an empty range.
  static int FilledLength(int BarLength, int Position, int Min, int Max);

protected:
  // Loading stores the values as read; the range applies once loading ends.
  void Loaded() override;

private:
  void InvalidateBars();
  void MoveBars();
  TColor FColor = clDefault;
  int FMax = 100;
  int FMin = 0;
  int FPosition = 0;
  bool FSmooth = false;
  int FStep = 10;
};

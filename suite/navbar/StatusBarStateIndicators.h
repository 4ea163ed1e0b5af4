// The state-indicator panel style: a row of small coloured lamps, one per
// visible indicator, as wide as its lamps and their spacing.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Collections.h"
#include "framework/OwnedObject.h"
#include "suite/navbar/StatusBarPanelStyles.h"

enum TdxStatusBarStateIndicatorType { sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple };

class TdxStatusBarStateIndicatorItem : public TCollectionItem {
  SONVELT_CLASS(TdxStatusBarStateIndicatorItem, TCollectionItem)
public:
  explicit TdxStatusBarStateIndicatorItem(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  static void Publish(TPublisher<TdxStatusBarStateIndicatorItem>& P);

  TdxStatusBarStateIndicatorType GetIndicatorType() const { return FIndicatorType; }
  void SetIndicatorType(TdxStatusBarStateIndicatorType Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  // The lamp of the type, from the program's bitmap resources.
  TBitmap* GetIndicatorBitmap() const { return FBitmap.get(); }

private:
  void LoadBitmap();
  TdxStatusBarStateIndicatorType FIndicatorType = sitOff;
  bool FVisible = true;
  TOwned<TBitmap> FBitmap;
};

class TdxStatusBarStateIndicators : public TCollection {
  SONVELT_CLASS(TdxStatusBarStateIndicators, TCollection)
public:
  TdxStatusBarStateIndicators();
  TdxStatusBarStateIndicatorItem* Add() { return static_cast<TdxStatusBarStateIndicatorItem*>(TCollection::Add()); }
  TdxStatusBarStateIndicatorItem* Items(int Index) const {
    return static_cast<TdxStatusBarStateIndicatorItem*>(GetItem(Index));
  }
  // Told of every change.
  TNotifyEvent OnChange;

protected:
  void Update(TCollectionItem* Item) override { OnChange(this); }
};

class TdxStatusBarStateIndicatorPanelStyle : public TdxStatusBarPanelStyle {
  SONVELT_CLASS(TdxStatusBarStateIndicatorPanelStyle, TdxStatusBarPanelStyle)
public:
  explicit TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarStateIndicatorPanelStyle() override;
  static void Publish(TPublisher<TdxStatusBarStateIndicatorPanelStyle>& P);

  TdxStatusBarStateIndicators* GetIndicators() const { return FIndicators.get(); }
  void SetIndicators(TdxStatusBarStateIndicators* Value) { FIndicators->Assign(Value); }
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value);

  bool IsSizeable() const override { return false; }
  void DoAssign(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) override;
  int ContentMinWidth() override;
  void ResetToDefaults() override;

private:
  void IndicatorsChanged(TObject* Sender) { Changed(); }
  TOwned<TdxStatusBarStateIndicators> FIndicators;
  int FSpacing = 4;
};

// Buttons a bar may carry in its caption: a glyph, a hint, a key tip and a click.
// The toolbar window lays them out (each button's rectangle, empty when not shown)
// and draws them; the model keeps their state (0 normal, 1 disabled, 2 hot,
// 4 pressed).
#pragma once

#include <windows.h>

#include <string>

#include "framework/OwnedObject.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/FreeNotificator.h"

class TBitmap;
class TdxBarCaptionButtons;
class TdxBarScreenTip;

enum : int { cbsNormal = 0, cbsDisabled = 1, cbsHot = 2, cbsPressed = 4 };

class TdxBarCaptionButton : public TcxInterfacedCollectionItem {
  SONVELT_CLASS(TdxBarCaptionButton, TcxInterfacedCollectionItem)
public:
  explicit TdxBarCaptionButton(TCollection* Collection);
  ~TdxBarCaptionButton() override;
  static void Publish(TPublisher<TdxBarCaptionButton>& P);
  void Assign(TPersistent* Source) override;

  TdxBarCaptionButtons* GetCaptionButtons() const;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  const std::string& GetKeyTip() const { return FKeyTip; }
  void SetKeyTip(const std::string& Value) { FKeyTip = Value; }
  TdxBarScreenTip* GetScreenTip() const { return FScreenTip; }
  void SetScreenTip(TdxBarScreenTip* Value);
  RECT GetRect() const { return FRect; }
  void SetRect(const RECT& Value) { FRect = Value; }
  int GetState() const { return FState; }
  // A hot button shows its hint through the bar window; others hide it.
  void SetState(int Value);
  // The hint offered to the manager's hint logic: only while hot.
  std::string HintText() const { return FState == cbsHot ? FHint : std::string(); }
  void DoClick() { OnClick(this); }
  TNotifyEvent GetOnClick() const { return OnClick; }
  void SetOnClick(TNotifyEvent Value);
  // Set by the accessibility helper while the button is selected from the keyboard.
  bool GetKeyboardSelected() const { return FKeyboardSelected; }
  void SetKeyboardSelected(bool Value) { FKeyboardSelected = Value; }
  TdxBarAccessibilityHelper* GetIAccessibilityHelper();

  TNotifyEvent OnClick;

private:
  void GlyphChanged(TObject* Sender);
  void ScreenTipFreed(TObject* Sender, TComponent* Component);
  bool FEnabled = true;
  TOwned<TBitmap> FGlyph;
  std::string FHint;
  std::string FKeyTip;
  bool FKeyboardSelected = false;
  RECT FRect{0, 0, 0, 0};
  TdxBarScreenTip* FScreenTip = nullptr;
  TOwned<TcxFreeNotificator> FScreenTipWatcher;
  int FState = cbsNormal;
  TdxBarAccessibilityRef FHelper;
};

class TdxBarCaptionButtons : public TcxOwnedInterfacedCollection {
  SONVELT_CLASS(TdxBarCaptionButtons, TcxOwnedInterfacedCollection)
public:
  explicit TdxBarCaptionButtons(TdxBar* ABar);
  TdxBar* GetOwnerBar() const { return FBar; }
  TdxBarCaptionButton* GetButton(int Index) const { return static_cast<TdxBarCaptionButton*>(GetItem(Index)); }
  TdxBarCaptionButton* AddButton() { return static_cast<TdxBarCaptionButton*>(Add()); }
  // The first enabled button whose rectangle holds the point; -1 when none.
  int IndexOfButtonAt(POINT P) const;
  void UpdateButtonStates(POINT P, bool Pressed);
  // The union of the shown buttons' rectangles.
  RECT CalcButtonsBounds() const;
  TdxBarAccessibilityHelper* GetIAccessibilityHelper();

private:
  TdxBar* FBar;
  TdxBarAccessibilityRef FHelper;
};

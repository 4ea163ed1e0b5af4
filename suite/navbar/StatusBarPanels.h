// The panels of a status bar: each owns one panel style, named by its class in
// the panel-style registry, that decides what the panel shows. A panel's width
// is resolved from its style (a style that is not sizeable always has its
// content width) and from what was assigned; Width and MinWidth are stored only
// once assigned. Every change of a panel reaches the bar as a layout change.
#pragma once

#include <string>

#include "framework/Collections.h"
#include "framework/ControlTypes.h"
#include "framework/Published.h"
#include "suite/common/RegisteredClasses.h"
#include "suite/navbar/StatusBarPainters.h"

class TcxCanvas;
class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxStatusBarPanelStyle;

using TdxStatusBarDrawPanelEvent =
    TDelegate<void(TdxStatusBarPanel* Sender, TcxCanvas* ACanvas, const RECT& ARect, bool& ADone)>;

class TdxStatusBarPanel : public TCollectionItem {
  SONVELT_CLASS(TdxStatusBarPanel, TCollectionItem)
public:
  explicit TdxStatusBarPanel(TCollection* Collection);
  ~TdxStatusBarPanel() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;
  std::string GetDisplayName() const override;
  static void Publish(TPublisher<TdxStatusBarPanel>& P);

  // The bar of the collection; null outside one.
  TdxCustomStatusBar* GetStatusBar() const;

  std::string GetPanelStyleClassName() const;
  // An unknown name leaves the panel without a style.
  void SetPanelStyleClassName(const std::string& Value);
  TClass GetPanelStyleClass() const { return FPanelStyleClass; }
  // Null replaces the style by none; a class the bar refuses changes nothing.
  void SetPanelStyleClass(TClass Value);
  TdxStatusBarPanelStyle* GetPanelStyle() const { return FPanelStyle; }
  // Copies Value into the current style.
  void SetPanelStyle(TdxStatusBarPanelStyle* Value);

  TdxStatusBarPanelBevel GetBevel() const { return FBevel; }
  void SetBevel(TdxStatusBarPanelBevel Value);
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool GetParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  // Always true for a style that is not sizeable.
  bool GetFixed() const;
  void SetFixed(bool Value);
  int GetMinWidth() const;
  void SetMinWidth(int Value);
  int GetWidth() const;
  void SetWidth(int Value);
  bool IsMinWidthStored() const { return FMinWidthAssigned; }
  bool IsWidthStored() const { return FWidthAssigned; }
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);

  // The widths the layout gives the panel: resolved, plus the bevel and, for the
  // last panel of the collection, the size grip while it shows.
  int LayoutMinWidth();
  int LayoutWidth();
  // Takes the bar's BiDiMode while following it.
  void TakeParentBiDiMode();

  // ---- virtual operations
  virtual void Click() { OnClick(this); }
  virtual void CreatePanelStyle();
  virtual void DblClick() { OnDblClick(this); }
  virtual int DefaultMinWidth() const;
  virtual int DefaultWidth() const;
  virtual void DestroyPanelStyle();
  virtual void AdjustLayoutWidth(int& Width);
  // A property of the style changed; AllItems when the whole layout may move.
  virtual void StyleChanged(bool AllItems = false) { Changed(AllItems); }
  virtual void ResetToDefaults();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TdxStatusBarDrawPanelEvent OnDrawPanel;
  // A stored slot with no behaviour of its own.
  TNotifyEvent PanelStyleEvents;

private:
  bool HasSizeableStyle() const;

  TClass FPanelStyleClass = nullptr;
  TdxStatusBarPanelStyle* FPanelStyle = nullptr;
  TdxStatusBarPanelBevel FBevel = dxpbLowered;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  bool FFixed = true;
  int FMinWidth = 20;
  bool FMinWidthAssigned = false;
  int FWidth = 50;
  bool FWidthAssigned = false;
  std::string FText;
  bool FVisible = true;
};

class TdxStatusBarPanels : public TOwnedCollection {
  SONVELT_CLASS(TdxStatusBarPanels, TOwnedCollection)
public:
  explicit TdxStatusBarPanels(TdxCustomStatusBar* Owner);
  TdxStatusBarPanel* Add() { return static_cast<TdxStatusBarPanel*>(TCollection::Add()); }
  TdxStatusBarPanel* Insert(int Index) { return static_cast<TdxStatusBarPanel*>(TCollection::Insert(Index)); }
  TdxStatusBarPanel* Items(int Index) const { return static_cast<TdxStatusBarPanel*>(GetItem(Index)); }
  TdxCustomStatusBar* GetStatusBar() const { return FStatusBar; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TdxCustomStatusBar* FStatusBar;
};

// The registry of panel style classes with their descriptions, made on first use
// with the four styles in it.
TcxRegisteredClasses* StatusBarPanelStyles();

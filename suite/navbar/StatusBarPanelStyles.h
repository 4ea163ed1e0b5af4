// Panel styles: the object each status bar panel owns that decides what the
// panel shows, how wide its content must be and which properties it has. The
// base keeps a colour (the bar's until one is assigned) and a font (the bar's
// while ParentFont holds); the text style shows the panel's text with an
// optional image. The other three styles have files of their own.
#pragma once

#include <string>

#include "framework/Font.h"
#include "framework/Label.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "suite/navbar/StatusBarPainters.h"

class TcxCanvas;
class TdxCustomStatusBar;
class TdxStatusBarPanel;

class TdxStatusBarPanelStyle : public TPersistent {
  SONVELT_CLASS(TdxStatusBarPanelStyle, TPersistent)
public:
  // The virtual constructor takes the owning panel.
  using TCreateArg = TdxStatusBarPanel*;
  explicit TdxStatusBarPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarPanelStyle() override;
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;

  TdxStatusBarPanel* GetStatusBarPanel() const { return FOwner; }
  // Null while the panel is outside a bar.
  TdxCustomStatusBar* GetStatusBar() const;

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The bar's colour until one is assigned (black included).
  TColor GetColor() const;
  void SetColor(TColor Value);
  bool IsColorStored() const { return FColorAssigned; }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool IsFontStored() const { return !FParentFont; }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  // ---- virtual operations
  virtual void AdjustTextColor(TColor& AColor, bool Active);
  virtual bool CanDelete() { return true; }
  // False: the panel's width is always the content width and the panel is fixed.
  virtual bool IsSizeable() const { return true; }
  virtual void Changed();
  // Takes the size grip off R's right when the panel is the collection's last.
  virtual void ExcludeSizeGrip(RECT& R);
  virtual TColor DefaultColor() const;
  virtual void DoAssign(TdxStatusBarPanelStyle* Source);
  virtual void DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter);
  virtual int ContentMinWidth() { return 20; }
  virtual bool HasOwnBevels() const { return false; }
  virtual void Loaded() {}
  virtual void PanelVisibleChanged() {}
  virtual void ParentFontChanged();
  virtual void ResetToDefaults();

protected:
  // The panel's Changed with AllItems.
  void ChangedAll();

private:
  void FontChanged(TObject* Sender);

  TdxStatusBarPanel* FOwner;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = 0;
  bool FColorAssigned = false;
  TOwned<TFont> FFont;
  bool FParentFont = true;
  bool FCopyingFont = false;
};

using TdxStatusBarPanelStyleClass = TClassOf<TdxStatusBarPanelStyle>;

enum TdxStatusBarEllipsisType { dxetNone, dxetTruncate, dxetSmartPath };

// Sender is the style; AText may be replaced for this paint.
using TdxStatusBarTextEvent = TDelegate<void(TObject* Sender, const RECT& R, std::string& AText)>;

class TdxStatusBarTextPanelStyle : public TdxStatusBarPanelStyle {
  SONVELT_CLASS(TdxStatusBarTextPanelStyle, TdxStatusBarPanelStyle)
public:
  explicit TdxStatusBarTextPanelStyle(TdxStatusBarPanel* AOwner);
  static void Publish(TPublisher<TdxStatusBarTextPanelStyle>& P);

  // At most one text panel of a bar has AutoHint: setting it clears the others.
  bool GetAutoHint() const { return FAutoHint; }
  void SetAutoHint(bool Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TdxStatusBarEllipsisType GetEllipsisType() const { return FEllipsisType; }
  void SetEllipsisType(TdxStatusBarEllipsisType Value);

  void DoAssign(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) override;
  void ResetToDefaults() override;

  TdxStatusBarTextEvent OnGetText;

private:
  bool FAutoHint = false;
  int FImageIndex = -1;
  TdxStatusBarEllipsisType FEllipsisType = dxetNone;
};

// TsuiImagePanel: a panel whose face is a picture, drawn at its natural size,
// stretched or tiled, optionally over a copy of the parent's background, with
// the caption on top. It paints every pixel itself, double-buffered.
#pragma once
#include <memory>

#include "framework/Panel.h"

class TPicture;

enum TsuiDrawStyle { suiNormal, suiStretch, suiTile };

class TsuiCustomPanel : public TCustomPanel {
  SONVELT_CLASS(TsuiCustomPanel, TCustomPanel)
 public:
  explicit TsuiCustomPanel(TComponent* AOwner);
  ~TsuiCustomPanel() override;
  void BeforeDestruction() override;

  TPicture* GetPicture() const { return FPicture; }
  void SetPicture(TPicture* Value);
  TsuiDrawStyle GetDrawStyle() const { return FDrawStyle; }
  void SetDrawStyle(TsuiDrawStyle Value);
  bool GetTransparent() const { return FTransparent; }
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  void Dispatch(TMessage& Message) override;

  // The setter of Transparent.
  virtual void SetTransparent(bool Value);

 protected:
  // Fills the client area with Color when the panel lives in a foreign window.
  virtual void ClearBackground();
  // Called with the caption rectangle after the caption text changes.
  virtual void CaptionMoved(const RECT& Rect) { (void)Rect; }
  virtual void PictureChanged(TObject* Sender);
  void Paint() override;

 private:
  void ApplyAutoSize();
  void PaintParentBackground(HDC DC);

  TPicture* FPicture = nullptr;
  TsuiDrawStyle FDrawStyle = suiNormal;
  bool FTransparent = false;
  bool FAutoSize = false;
};

class TsuiImagePanel : public TsuiCustomPanel {
  SONVELT_CLASS(TsuiImagePanel, TsuiCustomPanel)
 public:
  using TsuiCustomPanel::TsuiCustomPanel;
};

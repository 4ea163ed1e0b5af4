// A speed button whose glyph is a PNG picture drawn with its alpha, faded
// and/or greyed while the button is disabled. The inherited glyph only holds
// a blank placeholder of the picture's size, so the inherited layout and
// caption keep the picture's room free.
#pragma once
#include <memory>

#include "framework/SpeedButton.h"
#include "skins/PngFunctions.h"

class TPNGObject;

class TPngSpeedButton : public TSpeedButton {
  SONVELT_CLASS(TPngSpeedButton, TSpeedButton)
 public:
  explicit TPngSpeedButton(TComponent* AOwner);
  ~TPngSpeedButton() override;

  TPNGObject* GetPngImage() const { return FPngImage; }
  // Copies the picture (null: an empty one) and drops the gamma chunk of
  // colour pictures, whose colours were corrected when read.
  void SetPngImage(TPNGObject* Value);
  TPngOptions GetPngOptions() const { return FPngOptions; }
  void SetPngOptions(TPngOptions Value);
  // The picture came from the linked action's image list (and is replaced
  // again when the action changes).
  bool GetImageFromAction() const { return FImageFromAction; }
  void ActionChange(TObject* Sender, bool CheckDefaults) override;

 protected:
  void Loaded() override;
  void Paint() override;

 private:
  void RebuildPlaceholderGlyph();

  TPNGObject* FPngImage = nullptr;
  TPngOptions FPngOptions{pngBlendOnDisabled};
  bool FImageFromAction = false;
};

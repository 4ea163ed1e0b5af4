// Drop shadows of popup bar windows: up to five small top-level windows placed to
// the right of and below the popup (and around the owner control it opened from,
// so popup and owner look like one shape). With per-pixel alpha the shadow fades
// out over 4 pixels; without layered windows, or on an 8-bit screen, it is a solid
// 2-pixel band in the button-shadow colour. The parts let the mouse pass through.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CustomControl.h"
#include "framework/OwnedObject.h"

class TBitmap;
class TCustomdxBarControl;
class TdxBarShadow;

// End flags of a part: the left or right end of a band below, the top end of a band at the right.
enum : unsigned { sfLeftEnd = 1, sfRightEnd = 2, sfTopEnd = 4 };
// A band below a rectangle (alpha varies with y), or at its right (varies with x).
enum TdxBarShadowPartKind { skBelow = 0, skRight = 1 };

class TdxBarShadowPart : public TCustomControl {
  SONVELT_CLASS(TdxBarShadowPart, TCustomControl)
public:
  TdxBarShadowPart(TdxBarShadow* AShadow, unsigned ACorners, TdxBarShadowPartKind AKind);
  ~TdxBarShadowPart() override;

  TdxBarShadowPartKind GetKind() const { return FKind; }
  unsigned GetCorners() const { return FCorners; }
  TBitmap* GetImage() const { return FImage.get(); }
  // Places the part, builds its picture and shows it when the shadow is shown.
  void PlaceAt(const RECT& R);
  bool CanShow() const;
  void ShowPart();
  void HidePart();
  // The alpha of one pixel of a part of the given size (the picture's rule).
  static BYTE AlphaAt(TdxBarShadowPartKind Kind, unsigned Corners, int Extent, int Width, int Height, int X, int Y);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;

private:
  void BuildImage();
  TdxBarShadow* FShadow;
  unsigned FCorners;
  TdxBarShadowPartKind FKind;
  TOwned<TBitmap> FImage;
};

class TdxBarShadow : public TObject {
  SONVELT_CLASS(TdxBarShadow, TObject)
public:
  explicit TdxBarShadow(TCustomdxBarControl* AOwner) : FOwner(AOwner) {}
  ~TdxBarShadow() override;

  TCustomdxBarControl* GetOwner() const { return FOwner; }
  // Both in screen coordinates; OwnerRect empty for a popup without owner.
  void SetRects(const RECT& OwnerRect, const RECT& WindowRect);
  // The popup's rectangles as the popup knows them: its owner control joins the
  // shape only where it touches the popup and the popup's painter asks for that,
  // else the shadow falls across the owner's neighbours.
  void PlaceAround(const RECT& OwnerRect, const RECT& WindowRect);
  // The rectangles share a stretch of edge.
  static bool Touch(const RECT& Owner, const RECT& Window);
  RECT GetOwnerRect() const { return FOwnerRect; }
  RECT GetWindowRect() const { return FWindowRect; }
  // The popup touches its owner at a top or bottom edge (or has none).
  bool IsHorizontal() const { return FHorizontal; }
  bool GetShown() const { return FShown; }
  void SetShown(bool Value);
  void Rebuild();
  int PartCount() const { return static_cast<int>(FParts.size()); }
  TdxBarShadowPart* Part(int Index) const { return FParts.at(static_cast<size_t>(Index)); }

  // Layered shadows need UpdateLayeredWindow and more than 8 bits per pixel.
  static bool IsLayered();
  // 4 pixels with layered shadows, else 2.
  static int Extent() { return IsLayered() ? 4 : 2; }
  // For tests: -1 follows the system, 0 forbids layered shadows, 1 asks for them.
  static void SetLayeredOverride(int Value);

private:
  void FreeParts();
  void BuildParts();
  void AddPart(TdxBarShadowPartKind Kind, unsigned Corners, const RECT& R);
  TCustomdxBarControl* FOwner;
  std::vector<TdxBarShadowPart*> FParts;
  RECT FOwnerRect{0, 0, 0, 0};
  RECT FWindowRect{0, 0, 0, 0};
  bool FHorizontal = true;
  bool FShown = false;
};

// The bases of the skinned controls. TspSkinControl binds a control to a skin
// data component and the section of the description that describes it
// (SkinDataName), looks that descriptor up again at every paint, and paints
// through a work bitmap, optionally alpha-blended over what lies beneath.
// TspSkinCustomControl adds the skin geometry: how the control may be resized
// (the resize mode), its composed image and its window region at any size, and
// the plain font and size used without a skin.
#pragma once
#include <windows.h>

#include <string>

#include "framework/CustomControl.h"
#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "skins/SkinDrawing.h"

class TBitmap;
class TCustomImageList;
class TspSkinData;
class TspDataSkinControl;

// Tells skinned controls that what lies under them changed.
inline constexpr UINT WM_SKINPARENTBACKGROUND = WM_USER + 0x104;

class TspSkinControl : public TCustomControl {
  SONVELT_CLASS(TspSkinControl, TCustomControl)
 public:
  explicit TspSkinControl(TComponent* AOwner);
  ~TspSkinControl() override;
  static void Publish(TPublisher<TspSkinControl>& P);

  TspSkinData* GetSkinData() const { return FSD; }
  virtual void SetSkinData(TspSkinData* Value);
  const std::string& GetSkinDataName() const { return FSkinDataName; }
  virtual void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
  bool GetDrawDefault() const { return FDrawDefault; }
  void SetDrawDefault(bool Value);
  bool GetAlphaBlend() const { return FAlphaBlend; }
  virtual void SetAlphaBlend(bool Value);
  uint8_t GetAlphaBlendValue() const { return FAlphaBlendValue; }
  virtual void SetAlphaBlendValue(uint8_t Value);
  bool GetUseSkinCursor() const { return FUseSkinCursor; }
  void SetUseSkinCursor(bool Value) { FUseSkinCursor = Value; }
  const std::string& GetAreaName() const { return FAreaName; }
  void SetAreaName(const std::string& Value) { FAreaName = Value; }
  const std::string& GetHintTitle() const { return FHintTitle; }
  void SetHintTitle(const std::string& Value) { FHintTitle = Value; }
  int GetHintImageIndex() const { return FHintImageIndex; }
  void SetHintImageIndex(int Value) { FHintImageIndex = Value; }
  TCustomImageList* GetHintImageList() const { return FHintImageList; }
  void SetHintImageList(TCustomImageList* Value);

  // The descriptor's position in the skin data (-1 without one).
  int GetSkinIndex() const { return FIndex; }
  // The descriptor itself (null without one).
  TspDataSkinControl* Descriptor() const;
  // Whether the skin data is there, loaded, and has its effects enabled.
  bool SkinEffectsEnabled() const;

  virtual void RefreshSkinDescriptor();
  virtual void ApplySkin();
  virtual void DetachSkin() { FIndex = -1; }

 protected:
  virtual void DrawDefaultImage(TCanvas* Canvas);
  virtual void DrawSkinImage(TBitmap* Bitmap) { (void)Bitmap; }
  virtual void ParentBackgroundChanged();
  // Paints the control's image into Bitmap (the control's size) and blends it
  // over the parent's background when AlphaBlend is set.
  void PaintImage(TBitmap* Bitmap);
  // Paints the control (through a work bitmap) into DC at (0, 0).
  void PaintIntoDC(HDC DC);
  // Alpha-blends Image (the control's size) over what lies beneath the control.
  void BlendOverBackground(TBitmap* Image, uint8_t Alpha);
  // Sends WM_SKINPARENTBACKGROUND to the skinned controls among the children.
  void NotifySkinnedChildren();

  void Paint() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TspSkinData* FSD = nullptr;
  std::string FSkinDataName;
  int FIndex = -1;
  int FSkinCursorIndex = -1;
  HRGN FRgn = nullptr;
  bool FPainting = false;
  // The work bitmap, kept between paints (a gauge repaints many times a second).
  TOwned<TBitmap> FWork;

 private:
  bool FDrawDefault = true;
  bool FAlphaBlend = false;
  uint8_t FAlphaBlendValue = 200;
  bool FUseSkinCursor = false;
  std::string FAreaName, FHintTitle;
  int FHintImageIndex = 0;
  TCustomImageList* FHintImageList = nullptr;
};

class TspSkinCustomControl : public TspSkinControl {
  SONVELT_CLASS(TspSkinCustomControl, TspSkinControl)
 public:
  explicit TspSkinCustomControl(TComponent* AOwner);
  ~TspSkinCustomControl() override;
  static void Publish(TPublisher<TspSkinCustomControl>& P);

  TFont* GetDefaultFont() const { return FDefaultFont.get(); }
  void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
  bool GetUseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value);
  int GetDefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value);
  int GetDefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);

  // -1 no skin rectangle; 0 fixed size; 1 both directions; 2 width only; 3 height only.
  int GetResizeMode() const { return ResizeMode; }
  const TSkinGeometry& Geometry() const { return FGeometry; }
  const TSkinLayout& Layout() const { return FLayout; }

  void RefreshSkinDescriptor() override;
  void ApplySkin() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  // A region made before the window is handed to it with the window.
  void CreateWnd() override;
  virtual void DefaultFontChanged() {}
  // Adjusts a requested size to the skin and lays the frame out for it; false
  // refuses the size.
  virtual bool CalcSkinSize(int& W, int& H);
  virtual void UpdateSkinRegion();
  void DrawDefaultImage(TCanvas* Canvas) override;
  void DrawSkinImage(TBitmap* Bitmap) override;
  // Composes rectangle R of the picture (S or a state image of its size) with
  // the control's geometry into Bitmap.
  void CreateSkinImage(TBitmap* Bitmap, const RECT& R);
  // Sets the window region, deleting only the region set before it.
  void SetSkinRegion(HRGN Region);

  TBitmap* Picture = nullptr;
  TBitmap* MaskPicture = nullptr;
  TSkinGeometry FGeometry;
  TSkinLayout FLayout;
  TSkinStretch FStretch;
  int ResizeMode = -1;

 private:
  void FontChange(TObject* Sender);
  TOwned<TFont> FDefaultFont;
  bool FUseSkinFont = true;
  int FDefaultWidth = 0, FDefaultHeight = 0;
};

// Whether Key is the accelerator ("&x") of Caption.
bool IsSkinAccel(WPARAM Key, const std::string& Caption);
// Sets Canvas's font: the control's DefaultFont, with the skin's name, height
// and style when it has a descriptor and UseSkinFont, and the character set of
// the skin's resource strings when there are any.
void SelectSkinFont(TCanvas* Canvas, TspSkinCustomControl* Control, const std::string& Name, int Height,
                    TFontStyles Style);

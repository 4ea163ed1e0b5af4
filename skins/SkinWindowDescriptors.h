// The descriptors of a skin's popup-menu window (section POPUPWINDOW) and hint
// window (section HINTWINDOW). They are kept with the skin; no window of the
// program draws from them.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Colors.h"
#include "skins/SkinSection.h"

class TspDataSkinPopupWindow : public TspSkinSection {
  SONVELT_CLASS(TspDataSkinPopupWindow, TspSkinSection)
 public:
  using TspSkinSection::TspSkinSection;
  int WindowPictureIndex{};
  int MaskPictureIndex{};
  POINT LTPoint{};
  POINT RTPoint{};
  POINT LBPoint{};
  POINT RBPoint{};
  int CursorIndex{};
  RECT ItemsRect{};
  TColor ScrollMarkerColor{};
  TColor ScrollMarkerActiveColor{};
  bool LeftStretch{};
  bool RightStretch{};
  bool TopStretch{};
  bool BottomStretch{};
  bool StretchEffect{};
  TspStretchType StretchType{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinHintWindow : public TspSkinSection {
  SONVELT_CLASS(TspDataSkinHintWindow, TspSkinSection)
 public:
  using TspSkinSection::TspSkinSection;
  int WindowPictureIndex{};
  int MaskPictureIndex{};
  POINT LTPoint{};
  POINT RTPoint{};
  POINT LBPoint{};
  POINT RBPoint{};
  RECT ClientRect{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  bool LeftStretch{};
  bool RightStretch{};
  bool TopStretch{};
  bool BottomStretch{};
  bool StretchEffect{};
  TspStretchType StretchType{};
  SONVELT_SKIN_KEYS_DECL
};

// The form skin of section FORMINFO. No window of the program is skinned as a
// whole form, so it is only kept.
class TspDataSkinFormInfo : public TspSkinSection {
  SONVELT_CLASS(TspDataSkinFormInfo, TspSkinSection)
 public:
  TspDataSkinFormInfo() : TspSkinSection("FORMINFO") {}
  POINT LTPoint{}, RTPoint{}, LBPoint{}, RBPoint{};
  RECT ClientRect{}, ButtonsRect{}, CaptionRect{}, MaskRectArea{}, MainMenuRect{}, IconRect{}, SizeGripArea{};
  int BGPictureIndex{}, MDIBGPictureIndex{};
  bool LeftStretch{}, RightStretch{}, TopStretch{}, BottomStretch{}, StretchEffect{}, MDIBGStretchEffect{},
      ButtonsInLeft{}, MainMenuPopupUp{}, MDITabsTransparent{}, MainMenuBarTransparent{},
      AutoRenderingInActiveImage{};
  TspStretchType StretchType{}, MDIBGStretchType{};
  int ButtonsOffset{}, BorderWidth{}, FormMinWidth{};
  POINT HitTestLTPoint{}, HitTestRTPoint{}, HitTestLBPoint{}, HitTestRBPoint{}, RollUpLeftPoint{}, RollUpRightPoint{};
  int CursorIndex{};
  TspInactiveEffect InActiveEffect{};
  std::string StatusBarName;
  SONVELT_SKIN_KEYS_DECL
};

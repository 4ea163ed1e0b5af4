// The object descriptors of a skin description: one class per kind word of the
// SKINOBJECTS section (the elements drawn on a skinned form's own frame). They
// are read and kept with the skin; fields are named after their keys.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Colors.h"
#include "skins/SkinControlDescriptors.h"

class TspDataSkinObject : public TspSkinSection {
  SONVELT_CLASS(TspDataSkinObject, TspSkinSection)
 public:
  using TspSkinSection::TspSkinSection;
  std::string Hint{};
  bool RollUp{};
  bool SkinRectInAPicture{};
  int ActivePictureIndex{};
  int CursorIndex{};
  RECT SkinRect{};
  RECT ActiveSkinRect{};
  RECT InActiveSkinRect{};
  bool Morphing{};
  TspMorphKind MorphKind{};
  SONVELT_SKIN_KEYS_DECL
};

// Only "rollup", "skinrect" and "cursorindex", not the other keys of its parent.
class TspDataUserObject : public TspDataSkinObject {
  SONVELT_CLASS(TspDataUserObject, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinSwitch : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinSwitch, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
};

class TspDataSkinButton : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinButton, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  RECT DownRect{};
  RECT DisableSkinRect{};
  int GroupIndex{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinStdButton : public TspDataSkinButton {
  SONVELT_CLASS(TspDataSkinStdButton, TspDataSkinButton)
 public:
  using TspDataSkinButton::TspDataSkinButton;
  int Command{};
  RECT RestoreRect{};
  RECT RestoreActiveRect{};
  RECT RestoreDownRect{};
  RECT RestoreInActiveRect{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinMainMenuBarButton : public TspDataSkinStdButton {
  SONVELT_CLASS(TspDataSkinMainMenuBarButton, TspDataSkinStdButton)
 public:
  using TspDataSkinStdButton::TspDataSkinStdButton;
};

class TspDataSkinGauge : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinGauge, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  int MinValue{};
  int MaxValue{};
  int Kind{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinTrackBar : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinTrackBar, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  void ReadFromIni(TCustomIniFile* Ini) override;
  RECT ButtonRect{};
  RECT ActiveButtonRect{};
  POINT BeginPoint{};
  POINT EndPoint{};
  int MinValue{};
  int MaxValue{};
  bool MouseDownChangeValue{};
  bool ButtonTransparent{};
  TColor ButtonTransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinFrameGaugeObject : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinFrameGaugeObject, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  int MinValue{};
  int MaxValue{};
  int CountFrames{};
  int FramesPlacement{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinFrameRegulatorObject : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinFrameRegulatorObject, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  int MinValue{};
  int MaxValue{};
  int CountFrames{};
  int FramesPlacement{};
  int Kind{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinAnimate : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinAnimate, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  void ReadFromIni(TCustomIniFile* Ini) override;
  int CountFrames{};
  bool Cycle{};
  bool ButtonStyle{};
  int TimerInterval{};
  int Command{};
  RECT DownSkinRect{};
  RECT RestoreRect{};
  RECT RestoreActiveRect{};
  RECT RestoreDownRect{};
  RECT RestoreInActiveRect{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinLabel : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinLabel, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TAlignment Alignment{};
  std::string TextValue{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinBitLabel : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinBitLabel, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  void ReadFromIni(TCustomIniFile* Ini) override;
  std::string TextValue{};
  int SymbolWidth{};
  int SymbolHeight{};
  TOwned<TStringList> Symbols{};
  bool Transparent{};
  TColor TransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinMenuItem : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinMenuItem, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  void ReadFromIni(TCustomIniFile* Ini) override;
  int ItemLeftOffset{};
  int ItemRightOffset{};
  int DividerLeftOffset{};
  int DividerRightOffset{};
  RECT DividerRect{};
  RECT TextRect{};
  RECT ImageRect{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TColor UnEnabledFontColor{};
  bool StretchEffect{};
  bool InActiveStretchEffect{};
  bool DividerStretchEffect{};
  RECT AnimateSkinRect{};
  int FrameCount{};
  int AnimateInterval{};
  bool InactiveAnimation{};
  bool UseImageColor{};
  TColor ImageColor{};
  TColor ActiveImageColor{};
  bool InActiveTransparent{};
  RECT CheckImageRect{};
  RECT ActiveCheckImageRect{};
  RECT RadioImageRect{};
  RECT ActiveRadioImageRect{};
  RECT ArrowImageRect{};
  RECT ActiveArrowImageRect{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinMainMenuItem : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinMainMenuItem, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  int ItemLeftOffset{};
  int ItemRightOffset{};
  RECT DownRect{};
  RECT TextRect{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TColor DownFontColor{};
  TColor UnEnabledFontColor{};
  bool StretchEffect{};
  RECT AnimateSkinRect{};
  int FrameCount{};
  int AnimateInterval{};
  bool InactiveAnimation{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
  SONVELT_CLASS(TspDataSkinMainMenuBarItem, TspDataSkinMainMenuItem)
 public:
  using TspDataSkinMainMenuItem::TspDataSkinMainMenuItem;
};

class TspDataSkinCaption : public TspDataSkinObject {
  SONVELT_CLASS(TspDataSkinCaption, TspDataSkinObject)
 public:
  using TspDataSkinObject::TspDataSkinObject;
  bool DefaultCaption{};
  RECT TextRect{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TAlignment Alignment{};
  bool Shadow{};
  bool Light{};
  TColor ShadowColor{};
  TColor ActiveShadowColor{};
  TColor LightColor{};
  TColor ActiveLightColor{};
  RECT FrameRect{};
  RECT ActiveFrameRect{};
  RECT FrameTextRect{};
  int FrameLeftOffset{};
  int FrameRightOffset{};
  bool StretchEffect{};
  RECT AnimateSkinRect{};
  int FrameCount{};
  int AnimateInterval{};
  bool InactiveAnimation{};
  bool FullFrame{};
  SONVELT_SKIN_KEYS_DECL
};

// The descriptor class of a SKINOBJECTS kind word (case-sensitive), made for
// the section; null for a word not in the table.
TspDataSkinObject* CreateObjectDescriptor(const std::string& Kind, const std::string& Section);
const std::vector<TSkinKind>& ObjectDescriptorKinds();

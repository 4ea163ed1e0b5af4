// The control descriptors of a skin description: one class per kind word of
// the SKINCONTROLS section, each holding the rectangles, points, fonts, colours
// and flags of its own section. Fields are named after their keys; the key
// tables in the .cpp give each key's form and default.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Colors.h"
#include "skins/SkinSection.h"

class TspDataSkinControl : public TspSkinSection {
  SONVELT_CLASS(TspDataSkinControl, TspSkinSection)
 public:
  using TspSkinSection::TspSkinSection;
  int PictureIndex{};
  int MaskPictureIndex{};
  int CursorIndex{};
  RECT SkinRect{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinCustomControl : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinCustomControl, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  POINT LTPoint{};
  POINT RTPoint{};
  POINT LBPoint{};
  POINT RBPoint{};
  RECT ClientRect{};
  bool LeftStretch{};
  bool TopStretch{};
  bool RightStretch{};
  bool BottomStretch{};
  bool StretchEffect{};
  TspStretchType StretchType{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinGaugeControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinGaugeControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT ProgressArea{};
  RECT ProgressRect{};
  int BeginOffset{};
  int EndOffset{};
  bool Vertical{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  bool ProgressTransparent{};
  TColor ProgressTransparentColor{};
  bool ProgressStretch{};
  RECT AnimationSkinRect{};
  int AnimationCountFrames{};
  int AnimationTimerInterval{};
  RECT ProgressAnimationSkinRect{};
  int ProgressAnimationCountFrames{};
  int ProgressAnimationTimerInterval{};
  int AnimationBeginOffset{};
  int AnimationEndOffset{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinButtonControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinButtonControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TColor DisabledFontColor{};
  TColor DownFontColor{};
  bool Morphing{};
  TspMorphKind MorphKind{};
  RECT ActiveSkinRect{};
  RECT DownSkinRect{};
  RECT FocusedSkinRect{};
  RECT DisabledSkinRect{};
  RECT AnimateSkinRect{};
  int FrameCount{};
  int AnimateInterval{};
  bool ShowFocus{};
  RECT MenuMarkerFlatRect{};
  RECT MenuMarkerRect{};
  RECT MenuMarkerActiveRect{};
  RECT MenuMarkerDownRect{};
  TColor MenuMarkerTransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinCheckRadioControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinCheckRadioControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TColor UnEnabledFontColor{};
  TColor FrameFontColor{};
  bool Morphing{};
  TspMorphKind MorphKind{};
  RECT ActiveSkinRect{};
  RECT CheckImageArea{};
  RECT TextArea{};
  RECT CheckImageRect{};
  RECT UnCheckImageRect{};
  RECT ActiveCheckImageRect{};
  RECT ActiveUnCheckImageRect{};
  RECT UnEnabledCheckImageRect{};
  RECT UnEnabledUnCheckImageRect{};
  RECT GrayedCheckImageRect{};
  RECT ActiveGrayedCheckImageRect{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinTrackBarControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinTrackBarControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT ActiveSkinRect{};
  RECT TrackArea{};
  RECT ButtonRect{};
  RECT ActiveButtonRect{};
  bool Vertical{};
  bool ButtonTransparent{};
  TColor ButtonTransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinBevel : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinBevel, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  TColor LightColor{};
  TColor DarkColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinSlider : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinSlider, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  TColor BGColor{};
  TColor PointsColor{};
  RECT HRulerRect{};
  RECT HThumbRect{};
  RECT VRulerRect{};
  RECT VThumbRect{};
  int EdgeSize{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinTreeView : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinTreeView, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor BGColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinListView : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinListView, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor BGColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinRichEdit : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinRichEdit, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor BGColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinMainMenuBar : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinMainMenuBar, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  RECT ItemsRect{};
  std::string MenuBarItem{};
  std::string CloseButton{};
  std::string MinButton{};
  std::string MaxButton{};
  std::string SysMenuButton{};
  TColor TrackMarkColor{};
  TColor TrackMarkActiveColor{};
  bool StretchEffect{};
  bool ItemTransparent{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinTabControl : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinTabControl, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  RECT TabRect{};
  RECT ActiveTabRect{};
  RECT FocusTabRect{};
  RECT MouseInTabRect{};
  RECT ClientRect{};
  RECT TabsBGRect{};
  RECT CloseButtonRect{};
  RECT CloseButtonActiveRect{};
  RECT CloseButtonDownRect{};
  int BGPictureIndex{};
  POINT LTPoint{};
  POINT RTPoint{};
  POINT LBPoint{};
  POINT RBPoint{};
  int TabLeftOffset{};
  int TabRightOffset{};
  int FocusOffsetX{};
  int FocusOffsetY{};
  bool TabStretchEffect{};
  bool LeftStretch{};
  bool TopStretch{};
  bool RightStretch{};
  bool BottomStretch{};
  bool StretchEffect{};
  bool ShowFocus{};
  bool ButtonTransparent{};
  TspStretchType StretchType{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TColor FocusFontColor{};
  TColor MouseInFontColor{};
  TColor ButtonTransparentColor{};
  std::string UpDown{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinGridControl : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinGridControl, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  RECT FixedCellRect{};
  RECT SelectCellRect{};
  RECT FocusCellRect{};
  RECT FixedCellTextRect{};
  RECT CellTextRect{};
  int FixedCellLeftOffset{};
  int FixedCellRightOffset{};
  int CellLeftOffset{};
  int CellRightOffset{};
  TColor LinesColor{};
  TColor BGColor{};
  TColor FontColor{};
  TColor SelectFontColor{};
  TColor FocusFontColor{};
  TColor FixedFontColor{};
  int BGPictureIndex{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  std::string FixedFontName{};
  int FixedFontHeight{};
  TFontStyles FixedFontStyle{};
  bool CellStretchEffect{};
  bool FixedCellStretchEffect{};
  bool ShowFocus{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinStdLabelControl : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinStdLabelControl, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinFrameControl : public TspDataSkinControl {
  SONVELT_CLASS(TspDataSkinFrameControl, TspDataSkinControl)
 public:
  using TspDataSkinControl::TspDataSkinControl;
  void ReadFromIni(TCustomIniFile* Ini) override;
  int FramesCount{};
  int FramesPlacement{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinAnimateControl : public TspDataSkinFrameControl {
  SONVELT_CLASS(TspDataSkinAnimateControl, TspDataSkinFrameControl)
 public:
  using TspDataSkinFrameControl::TspDataSkinFrameControl;
};

class TspDataSkinSwitchControl : public TspDataSkinFrameControl {
  SONVELT_CLASS(TspDataSkinSwitchControl, TspDataSkinFrameControl)
 public:
  using TspDataSkinFrameControl::TspDataSkinFrameControl;
};

class TspDataSkinFrameGauge : public TspDataSkinFrameControl {
  SONVELT_CLASS(TspDataSkinFrameGauge, TspDataSkinFrameControl)
 public:
  using TspDataSkinFrameControl::TspDataSkinFrameControl;
};

class TspDataSkinFrameRegulator : public TspDataSkinFrameControl {
  SONVELT_CLASS(TspDataSkinFrameRegulator, TspDataSkinFrameControl)
 public:
  using TspDataSkinFrameControl::TspDataSkinFrameControl;
  int Kind{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinUpDownControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinUpDownControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT UpButtonRect{};
  RECT ActiveUpButtonRect{};
  RECT DownUpButtonRect{};
  RECT DownButtonRect{};
  RECT ActiveDownButtonRect{};
  RECT DownDownButtonRect{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinListBox : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinListBox, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT ItemRect{};
  RECT ActiveItemRect{};
  RECT FocusItemRect{};
  RECT ItemTextRect{};
  RECT CaptionRect{};
  RECT UpButtonRect{};
  RECT ActiveUpButtonRect{};
  RECT DownUpButtonRect{};
  RECT DownButtonRect{};
  RECT ActiveDownButtonRect{};
  RECT DownDownButtonRect{};
  RECT CheckButtonRect{};
  RECT ActiveCheckButtonRect{};
  RECT DownCheckButtonRect{};
  int ItemLeftOffset{};
  int ItemRightOffset{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TColor FocusFontColor{};
  std::string CaptionFontName{};
  int CaptionFontHeight{};
  TFontStyles CaptionFontStyle{};
  TColor CaptionFontColor{};
  std::string VScrollBarName{};
  std::string HScrollBarName{};
  std::string BothHScrollBarName{};
  bool ShowFocus{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinCheckListBox : public TspDataSkinListBox {
  SONVELT_CLASS(TspDataSkinCheckListBox, TspDataSkinListBox)
 public:
  using TspDataSkinListBox::TspDataSkinListBox;
  RECT CheckImageRect{};
  RECT ItemCheckRect{};
  RECT UnCheckImageRect{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinComboBox : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinComboBox, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT ActiveSkinRect{};
  RECT ItemRect{};
  RECT ActiveItemRect{};
  RECT FocusItemRect{};
  RECT ItemTextRect{};
  RECT ButtonRect{};
  RECT ActiveButtonRect{};
  RECT DownButtonRect{};
  RECT UnEnabledButtonRect{};
  int ItemLeftOffset{};
  int ItemRightOffset{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor FocusFontColor{};
  TColor ActiveFontColor{};
  std::string ListBoxName{};
  bool ItemStretchEffect{};
  bool FocusItemStretchEffect{};
  bool ShowFocus{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinControlBar : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinControlBar, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT ItemRect{};
  RECT HGripRect{};
  RECT VGripRect{};
  int BGPictureIndex{};
  int GripOffset1{};
  int GripOffset2{};
  int ItemOffset1{};
  int ItemOffset2{};
  bool ItemStretchEffect{};
  bool ItemTransparent{};
  bool GripTransparent{};
  TColor ItemTransparentColor{};
  TColor GripTransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinScrollBarControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinScrollBarControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT TrackArea{};
  RECT UpButtonRect{};
  RECT ActiveUpButtonRect{};
  RECT DownUpButtonRect{};
  RECT DownButtonRect{};
  RECT ActiveDownButtonRect{};
  RECT DownDownButtonRect{};
  RECT ThumbRect{};
  RECT ActiveThumbRect{};
  RECT DownThumbRect{};
  RECT GlyphRect{};
  RECT ActiveGlyphRect{};
  RECT DownGlyphRect{};
  int ThumbOffset1{};
  int ThumbOffset2{};
  int ThumbMinSize{};
  int ThumbMinPageSize{};
  bool ThumbTransparent{};
  bool ThumbStretchEffect{};
  bool GlyphTransparent{};
  TColor ThumbTransparentColor{};
  TColor GlyphTransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinSpinEditControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinSpinEditControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT ActiveSkinRect{};
  RECT UpButtonRect{};
  RECT ActiveUpButtonRect{};
  RECT DownUpButtonRect{};
  RECT DownButtonRect{};
  RECT ActiveDownButtonRect{};
  RECT DownDownButtonRect{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor ActiveFontColor{};
  TColor DisabledFontColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinEditControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinEditControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT ActiveSkinRect{};
  RECT ButtonRect{};
  RECT ActiveButtonRect{};
  RECT DownButtonRect{};
  RECT UnEnabledButtonRect{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  TColor DisabledFontColor{};
  TColor ActiveFontColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinMemoControl : public TspDataSkinEditControl {
  SONVELT_CLASS(TspDataSkinMemoControl, TspDataSkinEditControl)
 public:
  using TspDataSkinEditControl::TspDataSkinEditControl;
  TColor BGColor{};
  TColor ActiveBGColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinLabelControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinLabelControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinBitLabelControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinBitLabelControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT SkinTextRect{};
  int SymbolWidth{};
  int SymbolHeight{};
  TOwned<TStringList> Symbols{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinSplitterControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinSplitterControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT GripperRect{};
  bool GripperTransparent{};
  TColor GripperTransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinScrollBoxControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinScrollBoxControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  int BGPictureIndex{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinPanelControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinPanelControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  int BGPictureIndex{};
  RECT CaptionRect{};
  RECT CheckImageRect{};
  RECT UnCheckImageRect{};
  RECT MarkFrameRect{};
  RECT FrameRect{};
  RECT FrameTextRect{};
  RECT GripperRect{};
  TAlignment Alignment{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  int FrameLeftOffset{};
  int FrameRightOffset{};
  bool GripperTransparent{};
  TColor GripperTransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinExPanelControl : public TspDataSkinCustomControl {
  SONVELT_CLASS(TspDataSkinExPanelControl, TspDataSkinCustomControl)
 public:
  using TspDataSkinCustomControl::TspDataSkinCustomControl;
  RECT RollHSkinRect{};
  RECT RollVSkinRect{};
  RECT RollVCaptionRect{};
  RECT RollHCaptionRect{};
  RECT CloseButtonRect{};
  RECT CloseButtonActiveRect{};
  RECT CloseButtonDownRect{};
  RECT HRollButtonRect{};
  RECT HRollButtonActiveRect{};
  RECT HRollButtonDownRect{};
  RECT HRestoreButtonRect{};
  RECT HRestoreButtonActiveRect{};
  RECT HRestoreButtonDownRect{};
  RECT VRollButtonRect{};
  RECT VRollButtonActiveRect{};
  RECT VRollButtonDownRect{};
  RECT VRestoreButtonRect{};
  RECT VRestoreButtonActiveRect{};
  RECT VRestoreButtonDownRect{};
  RECT CaptionRect{};
  int RollLeftOffset{};
  int RollRightOffset{};
  int RollTopOffset{};
  int RollBottomOffset{};
  std::string FontName{};
  int FontHeight{};
  TFontStyles FontStyle{};
  TColor FontColor{};
  bool ButtonsTransparent{};
  TColor ButtonsTransparentColor{};
  SONVELT_SKIN_KEYS_DECL
};

class TspDataSkinMenuButtonControl : public TspDataSkinButtonControl {
  SONVELT_CLASS(TspDataSkinMenuButtonControl, TspDataSkinButtonControl)
 public:
  using TspDataSkinButtonControl::TspDataSkinButtonControl;
  RECT TrackButtonRect{};
  SONVELT_SKIN_KEYS_DECL
};

// The descriptor class of a SKINCONTROLS kind word (case-sensitive), made for
// the section; null for a word not in the table.
TspDataSkinControl* CreateControlDescriptor(const std::string& Kind, const std::string& Section);

struct TSkinKind {
  const char* Word;
  TspSkinSection* (*Make)(const std::string& Section);
};
// Every kind word with its class, in table order.
const std::vector<TSkinKind>& ControlDescriptorKinds();

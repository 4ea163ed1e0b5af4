#include "skins/SkinObjectDescriptors.h"

#include "framework/IniFiles.h"

SONVELT_SKIN_KEYS(TspDataSkinObject, TspSkinSection,
                  SkinText<&TspDataSkinObject::Hint>("hint"),
                  SkinKey<&TspDataSkinObject::RollUp>("rollup", sktBoolean),
                  SkinKey<&TspDataSkinObject::SkinRectInAPicture>("skinrectinapicture", sktBoolean),
                  SkinKey<&TspDataSkinObject::ActivePictureIndex>("activepictureindex", sktPicture),
                  SkinKey<&TspDataSkinObject::CursorIndex>("cursorindex", sktInteger, -1),
                  SkinKey<&TspDataSkinObject::SkinRect>("skinrect", sktRect),
                  SkinKey<&TspDataSkinObject::ActiveSkinRect>("activeskinrect", sktRect),
                  SkinKey<&TspDataSkinObject::InActiveSkinRect>("inactiveskinrect", sktRect),
                  SkinKey<&TspDataSkinObject::Morphing>("morphing", sktBoolean),
                  SkinWord<&TspDataSkinObject::MorphKind>("morphkind", MorphKindWords))

SONVELT_SKIN_KEYS(TspDataSkinButton, TspDataSkinObject,
                  SkinKey<&TspDataSkinButton::DownRect>("downrect", sktRect),
                  SkinKey<&TspDataSkinButton::DisableSkinRect>("disableskinrsect", sktRect),
                  SkinKey<&TspDataSkinButton::GroupIndex>("groupindex", sktInteger, -1))

SONVELT_SKIN_KEYS(TspDataSkinStdButton, TspDataSkinButton,
                  SkinWord<&TspDataSkinStdButton::Command>("command", CommandWords),
                  SkinKey<&TspDataSkinStdButton::RestoreRect>("restorerect", sktRect),
                  SkinKey<&TspDataSkinStdButton::RestoreActiveRect>("restoreactiverect", sktRect),
                  SkinKey<&TspDataSkinStdButton::RestoreDownRect>("restoredownrect", sktRect),
                  SkinKey<&TspDataSkinStdButton::RestoreInActiveRect>("restoreinactiverect", sktRect))

SONVELT_SKIN_KEYS(TspDataSkinGauge, TspDataSkinObject,
                  SkinKey<&TspDataSkinGauge::MinValue>("minvalue", sktInteger),
                  SkinKey<&TspDataSkinGauge::MaxValue>("maxvalue", sktInteger),
                  SkinWord<&TspDataSkinGauge::Kind>("kind", GaugeKindWords))

SONVELT_SKIN_KEYS(TspDataSkinTrackBar, TspDataSkinObject,
                  SkinKey<&TspDataSkinTrackBar::ButtonRect>("buttonrect", sktRect),
                  SkinKey<&TspDataSkinTrackBar::ActiveButtonRect>("activebuttonrect", sktRect),
                  SkinKey<&TspDataSkinTrackBar::BeginPoint>("beginpoint", sktPoint),
                  SkinKey<&TspDataSkinTrackBar::EndPoint>("endpoint", sktPoint),
                  SkinKey<&TspDataSkinTrackBar::MinValue>("minvalue", sktInteger),
                  SkinKey<&TspDataSkinTrackBar::MaxValue>("maxvalue", sktInteger),
                  SkinKey<&TspDataSkinTrackBar::MouseDownChangeValue>("mousedownchangevalue", sktBoolean),
                  SkinKey<&TspDataSkinTrackBar::ButtonTransparent>("buttontransparent", sktBoolean),
                  SkinKey<&TspDataSkinTrackBar::ButtonTransparentColor>("buttontransparentcolor", sktColor))

SONVELT_SKIN_KEYS(TspDataSkinFrameGaugeObject, TspDataSkinObject,
                  SkinKey<&TspDataSkinFrameGaugeObject::MinValue>("minvalue", sktInteger),
                  SkinKey<&TspDataSkinFrameGaugeObject::MaxValue>("maxvalue", sktInteger),
                  SkinKey<&TspDataSkinFrameGaugeObject::CountFrames>("countframes", sktInteger),
                  SkinWord<&TspDataSkinFrameGaugeObject::FramesPlacement>("framesplacement", FramesPlacementWords))

SONVELT_SKIN_KEYS(TspDataSkinFrameRegulatorObject, TspDataSkinObject,
                  SkinKey<&TspDataSkinFrameRegulatorObject::MinValue>("minvalue", sktInteger),
                  SkinKey<&TspDataSkinFrameRegulatorObject::MaxValue>("maxvalue", sktInteger),
                  SkinKey<&TspDataSkinFrameRegulatorObject::CountFrames>("countframes", sktInteger),
                  SkinWord<&TspDataSkinFrameRegulatorObject::FramesPlacement>("framesplacement", FramesPlacementWords),
                  SkinWord<&TspDataSkinFrameRegulatorObject::Kind>("kind", RegulatorKindWords))

SONVELT_SKIN_KEYS(TspDataSkinAnimate, TspDataSkinObject,
                  SkinKey<&TspDataSkinAnimate::CountFrames>("countframes", sktInteger, 1),
                  SkinKey<&TspDataSkinAnimate::Cycle>("cycle", sktBoolean),
                  SkinKey<&TspDataSkinAnimate::ButtonStyle>("buttonstyle", sktBoolean),
                  SkinKey<&TspDataSkinAnimate::TimerInterval>("timerinterval", sktInteger, 50),
                  SkinWord<&TspDataSkinAnimate::Command>("command", CommandWords),
                  SkinKey<&TspDataSkinAnimate::DownSkinRect>("downskinrect", sktRect),
                  SkinKey<&TspDataSkinAnimate::RestoreRect>("restorerect", sktRect),
                  SkinKey<&TspDataSkinAnimate::RestoreActiveRect>("restoreactiverect", sktRect),
                  SkinKey<&TspDataSkinAnimate::RestoreDownRect>("restoredownrect", sktRect),
                  SkinKey<&TspDataSkinAnimate::RestoreInActiveRect>("restoreinactiverect", sktRect))

SONVELT_SKIN_KEYS(TspDataSkinLabel, TspDataSkinObject,
                  SkinText<&TspDataSkinLabel::FontName>("fontname", "Arial"),
                  SkinKey<&TspDataSkinLabel::FontHeight>("fontheight", sktInteger, 14),
                  SkinKey<&TspDataSkinLabel::FontStyle>("fontstyle", sktFontStyle),
                  SkinKey<&TspDataSkinLabel::FontColor>("fontcolor", sktColor),
                  SkinKey<&TspDataSkinLabel::ActiveFontColor>("activefontcolor", sktColor),
                  SkinKey<&TspDataSkinLabel::Alignment>("alignment", sktAlignment),
                  SkinText<&TspDataSkinLabel::TextValue>("textvalue"))

SONVELT_SKIN_KEYS(TspDataSkinBitLabel, TspDataSkinObject,
                  SkinText<&TspDataSkinBitLabel::TextValue>("textvalue"),
                  SkinKey<&TspDataSkinBitLabel::SymbolWidth>("symbolwidth", sktInteger),
                  SkinKey<&TspDataSkinBitLabel::SymbolHeight>("symbolheight", sktInteger),
                  SkinKey<&TspDataSkinBitLabel::Symbols>("symbols", sktLines),
                  SkinKey<&TspDataSkinBitLabel::Transparent>("transparent", sktBoolean),
                  SkinKey<&TspDataSkinBitLabel::TransparentColor>("transparentcolor", sktColor, 16711935))

SONVELT_SKIN_KEYS(TspDataSkinMenuItem, TspDataSkinObject,
                  SkinKey<&TspDataSkinMenuItem::ItemLeftOffset>("itemleftoffset", sktInteger),
                  SkinKey<&TspDataSkinMenuItem::ItemRightOffset>("itemrightoffset", sktInteger),
                  SkinKey<&TspDataSkinMenuItem::DividerLeftOffset>("dividerleftoffset", sktInteger),
                  SkinKey<&TspDataSkinMenuItem::DividerRightOffset>("dividerrightoffset", sktInteger),
                  SkinKey<&TspDataSkinMenuItem::DividerRect>("dividerrect", sktRect),
                  SkinKey<&TspDataSkinMenuItem::TextRect>("textrect", sktRect),
                  SkinKey<&TspDataSkinMenuItem::ImageRect>("imagerect", sktRect),
                  SkinText<&TspDataSkinMenuItem::FontName>("fontname", "Arial"),
                  SkinKey<&TspDataSkinMenuItem::FontHeight>("fontheight", sktInteger, 14),
                  SkinKey<&TspDataSkinMenuItem::FontStyle>("fontstyle", sktFontStyle),
                  SkinKey<&TspDataSkinMenuItem::FontColor>("fontcolor", sktColor),
                  SkinKey<&TspDataSkinMenuItem::ActiveFontColor>("activefontcolor", sktColor),
                  SkinKey<&TspDataSkinMenuItem::UnEnabledFontColor>("unenabledfontcolor", sktColor),
                  SkinKey<&TspDataSkinMenuItem::StretchEffect>("stretcheffect", sktBoolean),
                  SkinKey<&TspDataSkinMenuItem::InActiveStretchEffect>("inactivestretcheffect", sktBoolean),
                  SkinKey<&TspDataSkinMenuItem::DividerStretchEffect>("dividerstretcheffect", sktBoolean),
                  SkinKey<&TspDataSkinMenuItem::AnimateSkinRect>("animateskinrect", sktRect),
                  SkinKey<&TspDataSkinMenuItem::FrameCount>("framecount", sktInteger),
                  SkinKey<&TspDataSkinMenuItem::AnimateInterval>("animateinterval", sktInteger, 25),
                  SkinKey<&TspDataSkinMenuItem::InactiveAnimation>("inactiveanimation", sktBoolean),
                  SkinKey<&TspDataSkinMenuItem::UseImageColor>("useimagecolor", sktBoolean),
                  SkinKey<&TspDataSkinMenuItem::ImageColor>("imagecolor", sktColor),
                  SkinKey<&TspDataSkinMenuItem::ActiveImageColor>("activeimagecolor", sktColor),
                  SkinKey<&TspDataSkinMenuItem::InActiveTransparent>("inactivetransparent", sktBoolean),
                  SkinKey<&TspDataSkinMenuItem::CheckImageRect>("checkimagerect", sktRect),
                  SkinKey<&TspDataSkinMenuItem::ActiveCheckImageRect>("activecheckimagerect", sktRect),
                  SkinKey<&TspDataSkinMenuItem::RadioImageRect>("radioimagerect", sktRect),
                  SkinKey<&TspDataSkinMenuItem::ActiveRadioImageRect>("activeradioimagerect", sktRect),
                  SkinKey<&TspDataSkinMenuItem::ArrowImageRect>("arrowimagerect", sktRect),
                  SkinKey<&TspDataSkinMenuItem::ActiveArrowImageRect>("activearrowimagerect", sktRect))

SONVELT_SKIN_KEYS(TspDataSkinMainMenuItem, TspDataSkinObject,
                  SkinKey<&TspDataSkinMainMenuItem::ItemLeftOffset>("itemleftoffset", sktInteger),
                  SkinKey<&TspDataSkinMainMenuItem::ItemRightOffset>("itemrightoffset", sktInteger),
                  SkinKey<&TspDataSkinMainMenuItem::DownRect>("downrect", sktRect),
                  SkinKey<&TspDataSkinMainMenuItem::TextRect>("textrect", sktRect),
                  SkinText<&TspDataSkinMainMenuItem::FontName>("fontname", "Arial"),
                  SkinKey<&TspDataSkinMainMenuItem::FontHeight>("fontheight", sktInteger, 14),
                  SkinKey<&TspDataSkinMainMenuItem::FontStyle>("fontstyle", sktFontStyle),
                  SkinKey<&TspDataSkinMainMenuItem::FontColor>("fontcolor", sktColor),
                  SkinKey<&TspDataSkinMainMenuItem::ActiveFontColor>("activefontcolor", sktColor),
                  SkinKey<&TspDataSkinMainMenuItem::DownFontColor>("downfontcolor", sktColor),
                  SkinKey<&TspDataSkinMainMenuItem::UnEnabledFontColor>("unenabledfontColor", sktColor),
                  SkinKey<&TspDataSkinMainMenuItem::StretchEffect>("stretcheffect", sktBoolean),
                  SkinKey<&TspDataSkinMainMenuItem::AnimateSkinRect>("animateskinrect", sktRect),
                  SkinKey<&TspDataSkinMainMenuItem::FrameCount>("framecount", sktInteger),
                  SkinKey<&TspDataSkinMainMenuItem::AnimateInterval>("animateinterval", sktInteger, 25),
                  SkinKey<&TspDataSkinMainMenuItem::InactiveAnimation>("inactiveanimation", sktBoolean))

SONVELT_SKIN_KEYS(TspDataSkinCaption, TspDataSkinObject,
                  SkinKey<&TspDataSkinCaption::DefaultCaption>("defaultcaption", sktBoolean),
                  SkinKey<&TspDataSkinCaption::TextRect>("textrect", sktRect),
                  SkinText<&TspDataSkinCaption::FontName>("fontname", "Arial"),
                  SkinKey<&TspDataSkinCaption::FontHeight>("fontheight", sktInteger, 14),
                  SkinKey<&TspDataSkinCaption::FontStyle>("fontstyle", sktFontStyle),
                  SkinKey<&TspDataSkinCaption::FontColor>("fontcolor", sktColor),
                  SkinKey<&TspDataSkinCaption::ActiveFontColor>("activefontcolor", sktColor),
                  SkinKey<&TspDataSkinCaption::Alignment>("alignment", sktAlignment),
                  SkinKey<&TspDataSkinCaption::Shadow>("shadow", sktBoolean),
                  SkinKey<&TspDataSkinCaption::Light>("light", sktBoolean),
                  SkinKey<&TspDataSkinCaption::ShadowColor>("shadowcolor", sktColor),
                  SkinKey<&TspDataSkinCaption::ActiveShadowColor>("activeshadowcolor", sktColor),
                  SkinKey<&TspDataSkinCaption::LightColor>("lightcolor", sktColor),
                  SkinKey<&TspDataSkinCaption::ActiveLightColor>("activelightcolor", sktColor),
                  SkinKey<&TspDataSkinCaption::FrameRect>("framerect", sktRect),
                  SkinKey<&TspDataSkinCaption::ActiveFrameRect>("activeframerect", sktRect),
                  SkinKey<&TspDataSkinCaption::FrameTextRect>("frametextrect", sktRect),
                  SkinKey<&TspDataSkinCaption::FrameLeftOffset>("frameleftoffset", sktInteger),
                  SkinKey<&TspDataSkinCaption::FrameRightOffset>("framerightoffset", sktInteger),
                  SkinKey<&TspDataSkinCaption::StretchEffect>("stretcheffect", sktBoolean),
                  SkinKey<&TspDataSkinCaption::AnimateSkinRect>("animateskinrect", sktRect),
                  SkinKey<&TspDataSkinCaption::FrameCount>("framecount", sktInteger),
                  SkinKey<&TspDataSkinCaption::AnimateInterval>("animateinterval", sktInteger, 25),
                  SkinKey<&TspDataSkinCaption::InactiveAnimation>("inactiveanimation", sktBoolean),
                  SkinKey<&TspDataSkinCaption::FullFrame>("fullframe", sktBoolean))

void TspDataUserObject::CollectKeys(std::vector<const TSkinKey*>& Keys) const {
  static const TSkinKey Own[] = {SkinKey<&TspDataSkinObject::RollUp>("rollup", sktBoolean),
                                 SkinKey<&TspDataSkinObject::SkinRect>("skinrect", sktRect),
                                 SkinKey<&TspDataSkinObject::CursorIndex>("cursorindex", sktInteger, -1)};
  AddKeys(Keys, Own, 3);
}

// These objects never morph, whatever their section says.
void TspDataSkinTrackBar::ReadFromIni(TCustomIniFile* Ini) {
  TspDataSkinObject::ReadFromIni(Ini);
  Morphing = false;
}

void TspDataSkinAnimate::ReadFromIni(TCustomIniFile* Ini) {
  TspDataSkinObject::ReadFromIni(Ini);
  Morphing = false;
}

void TspDataSkinBitLabel::ReadFromIni(TCustomIniFile* Ini) {
  TspDataSkinObject::ReadFromIni(Ini);
  Morphing = false;
}

// An active image that the section leaves empty is the normal one.
void TspDataSkinMenuItem::ReadFromIni(TCustomIniFile* Ini) {
  TspDataSkinObject::ReadFromIni(Ini);
  if (IsNullRect(ActiveCheckImageRect)) ActiveCheckImageRect = CheckImageRect;
  if (IsNullRect(ActiveRadioImageRect)) ActiveRadioImageRect = RadioImageRect;
  if (IsNullRect(ActiveArrowImageRect)) ActiveArrowImageRect = ArrowImageRect;
}

namespace {
template <class T>
TspSkinSection* Make(const std::string& Section) {
  return T::Create(Section);
}
}  // namespace

const std::vector<TSkinKind>& ObjectDescriptorKinds() {
  static const std::vector<TSkinKind> kinds{
    {"userobject", &Make<TspDataUserObject>},
    {"switch", &Make<TspDataSkinSwitch>},
    {"button", &Make<TspDataSkinButton>},
    {"stdbutton", &Make<TspDataSkinStdButton>},
    {"mainmenubarbutton", &Make<TspDataSkinMainMenuBarButton>},
    {"gauge", &Make<TspDataSkinGauge>},
    {"trackbar", &Make<TspDataSkinTrackBar>},
    {"framegauge", &Make<TspDataSkinFrameGaugeObject>},
    {"frameregulator", &Make<TspDataSkinFrameRegulatorObject>},
    {"animate", &Make<TspDataSkinAnimate>},
    {"label", &Make<TspDataSkinLabel>},
    {"bitlabel", &Make<TspDataSkinBitLabel>},
    {"menuitem", &Make<TspDataSkinMenuItem>},
    {"mainmenuitem", &Make<TspDataSkinMainMenuItem>},
    {"mainmenubaritem", &Make<TspDataSkinMainMenuBarItem>},
    {"caption", &Make<TspDataSkinCaption>},
  };
  return kinds;
}

TspDataSkinObject* CreateObjectDescriptor(const std::string& Kind, const std::string& Section) {
  for (const TSkinKind& k : ObjectDescriptorKinds())
    if (Kind == k.Word) return static_cast<TspDataSkinObject*>(k.Make(Section));
  return nullptr;
}

// Every descriptor class written to a store and read back with values that are
// not its defaults, and the rules some classes add to the generic reading.
#include <gtest/gtest.h>

#include "framework/IniFiles.h"
#include "skins/SkinControlDescriptors.h"
#include "skins/SkinObjectDescriptors.h"
#include "skins/SkinWindowDescriptors.h"

namespace {

// A value for row i that differs from the row's default.
void SetOtherValue(TspSkinSection* S, const TSkinKey& K, int i) {
  void* field = K.Field.Address(S);
  switch (K.Type) {
    case sktInteger: K.Field.SetInt(S, K.Default + 17 + i); break;
    case sktColor: K.Field.SetInt(S, 0x123456 + i); break;
    case sktPicture: K.Field.SetInt(S, 3 + i); break;
    case sktBoolean: K.Field.SetInt(S, 1); break;
    case sktWord: K.Field.SetInt(S, (K.Words->Missing + 1) % int(K.Words->Words.size())); break;
    case sktAlignment: K.Field.SetInt(S, taLeftJustify); break;
    case sktRect: *static_cast<RECT*>(field) = RECT{1 + i, 2 + i, 30 + i, 40 + i}; break;
    case sktPoint: *static_cast<POINT*>(field) = POINT{5 + i, 6 + i}; break;
    case sktString: *static_cast<std::string*>(field) = "text " + std::string(K.Name); break;
    case sktFontStyle: *static_cast<TFontStyles*>(field) = TFontStyles{fsBold, fsUnderline}; break;
    case sktLines: {
      auto* lines = static_cast<TOwned<TStringList>*>(field)->get();
      lines->Add("first");
      lines->Add("second");
      break;
    }
  }
}

std::vector<TOwned<TspSkinSection>> EveryDescriptor() {
  std::vector<TOwned<TspSkinSection>> all;
  for (const auto* kinds : {&ControlDescriptorKinds(), &ObjectDescriptorKinds()})
    for (const TSkinKind& k : *kinds) all.emplace_back(k.Make(std::string("sec_") + k.Word));
  all.emplace_back(TspDataSkinPopupWindow::Create("POPUPWINDOW"));
  all.emplace_back(TspDataSkinHintWindow::Create("HINTWINDOW"));
  all.emplace_back(TspDataSkinFormInfo::Create());
  return all;
}

// Classes that force a value whatever their section says.
bool Forced(TspSkinSection* S, const TSkinKey& K) {
  return std::string(K.Name) == "morphing" &&
         (Is<TspDataSkinTrackBar>(S) || Is<TspDataSkinAnimate>(S) || Is<TspDataSkinBitLabel>(S));
}

}  // namespace

TEST(SkinDescriptors, EveryClassRoundTripsItsKeys) {
  for (auto& original : EveryDescriptor()) {
    const auto keys = original->Keys();
    ASSERT_FALSE(keys.empty()) << original->ClassName();
    for (size_t i = 0; i < keys.size(); ++i) SetOtherValue(original.get(), *keys[i], int(i));
    auto ini = MakeOwned<TMemIniFile>("");
    ini->WriteString(original->SkinSection, "stale", "gone");
    original->WriteToIni(ini.get());
    EXPECT_FALSE(ini->ValueExists(original->SkinSection, "stale")) << "the section is erased first";

    TOwned<TspSkinSection> copy;
    for (auto& fresh : EveryDescriptor())
      if (fresh->ClassType() == original->ClassType()) copy = std::move(fresh);
    ASSERT_TRUE(copy);
    copy->SkinSection = original->SkinSection;
    copy->ReadFromIni(ini.get());
    for (const TSkinKey* k : keys) {
      const std::string expected = Forced(original.get(), *k) ? "0" : original->ValueText(*k);
      EXPECT_EQ(copy->ValueText(*k), expected) << original->ClassName() << "." << k->Name;
    }
  }
}

TEST(SkinDescriptors, DefaultsAndSpecialRules) {
  auto ini = MakeOwned<TMemIniFile>("");
  ini->WriteString("f", "framescount", "-4");
  ini->WriteString("f", "framesplacement", "sideways");
  ini->WriteString("r", "kind", "rkdial");
  ini->WriteString("a", "morphing", "1");
  ini->WriteString("m", "radioimagerect", "1,2,3,4");
  ini->WriteString("m", "checkimagerect", "5,6,7,8");
  ini->WriteString("m", "activecheckimagerect", "9,9,19,19");
  ini->WriteString("c", "command", "cmzoom");
  ini->WriteString("u", "hint", "not read");
  ini->WriteString("u", "rollup", "1");

  auto gauge = MakeOwned<TspDataSkinFrameGauge>("f");
  gauge->ReadFromIni(ini.get());
  EXPECT_EQ(gauge->FramesCount, 1);
  EXPECT_EQ(gauge->FramesPlacement, 1);
  auto regulator = MakeOwned<TspDataSkinFrameRegulator>("r");
  regulator->ReadFromIni(ini.get());
  EXPECT_EQ(regulator->Kind, 2);
  EXPECT_EQ(regulator->FramesPlacement, 0);  // missing: horizontal
  auto animate = MakeOwned<TspDataSkinAnimate>("a");
  animate->ReadFromIni(ini.get());
  EXPECT_FALSE(animate->Morphing);
  EXPECT_EQ(animate->TimerInterval, 50);
  EXPECT_EQ(animate->CountFrames, 1);
  auto item = MakeOwned<TspDataSkinMenuItem>("m");
  item->ReadFromIni(ini.get());
  EXPECT_EQ(item->ActiveRadioImageRect.right, 3);
  EXPECT_EQ(item->ActiveCheckImageRect.right, 19);
  EXPECT_EQ(item->ActiveArrowImageRect.right, 0);
  auto command = MakeOwned<TspDataSkinStdButton>("c");
  command->ReadFromIni(ini.get());
  EXPECT_EQ(command->Command, 6);
  EXPECT_EQ(command->GroupIndex, -1);
  auto user = MakeOwned<TspDataUserObject>("u");
  user->ReadFromIni(ini.get());
  EXPECT_TRUE(user->RollUp);
  EXPECT_EQ(user->Hint, "");
  EXPECT_EQ(user->Keys().size(), 3u);
  auto list = MakeOwned<TspDataSkinListBox>("none");
  list->ReadFromIni(ini.get());
  EXPECT_EQ(list->VScrollBarName, "vscrollbar");
  EXPECT_EQ(list->CaptionFontHeight, 14);
  EXPECT_EQ(list->PictureIndex, -1);
  EXPECT_EQ(list->CursorIndex, -1);
  auto label = MakeOwned<TspDataSkinStdLabelControl>("none");
  EXPECT_EQ(label->ActiveFontColor, 16711680);
  EXPECT_EQ(label->FontName, "Arial");

  // A tab writes each edge flag once and reads the same four back.
  auto tab = MakeOwned<TspDataSkinTabControl>("t");
  tab->LeftStretch = tab->BottomStretch = true;
  tab->WriteToIni(ini.get());
  auto tab2 = MakeOwned<TspDataSkinTabControl>("t");
  tab2->ReadFromIni(ini.get());
  EXPECT_TRUE(tab2->LeftStretch && tab2->BottomStretch);
  EXPECT_FALSE(tab2->TopStretch || tab2->RightStretch);

  EXPECT_EQ(CreateControlDescriptor("Gauge", "g"), nullptr);
  TOwned<TspDataSkinControl> made(CreateControlDescriptor("trackbar", "t"));
  EXPECT_TRUE(Is<TspDataSkinTrackBarControl>(made.get()));
}

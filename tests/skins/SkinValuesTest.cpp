// The value forms of a skin description, read from and written to a store.
#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/IniFiles.h"
#include "framework/StringLists.h"
#include "skins/SkinValues.h"

namespace {

TOwned<TMemIniFile> Store(const std::string& Text) {
  auto lines = MakeOwned<TStringList>();
  lines->SetText(Text);
  auto ini = MakeOwned<TMemIniFile>("");
  ini->SetStrings(lines.get());
  return ini;
}

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(SkinValues, RectanglesAndPointsKeepOnlyTheirDigits) {
  struct Case {
    const char* text;
    RECT rect;
  };
  for (const Case& c : {Case{"12, 34, -5,60", {12, 34, 5, 60}}, Case{"-5, 3, 10, 20", {5, 3, 10, 20}},
                        Case{"1,2,3,4,5,6", {1, 2, 3, 4}}, Case{" 7 ,x8, 9 ,10 ", {7, 8, 9, 10}}})
    EXPECT_TRUE(Same(StrToSkinRect(c.text), c.rect)) << c.text;
  const POINT p = StrToSkinPoint("-3, 45");
  EXPECT_EQ(p.x, 3);
  EXPECT_EQ(p.y, 45);
  // Too few pieces, an empty piece and a number beyond 32 bits cannot be converted.
  for (const char* bad : {"1,2,3", "", "1,,3,4", "1,2,3,4294967296", "a,b,c,d"})
    EXPECT_THROW(StrToSkinRect(bad), EConvertError) << bad;
  EXPECT_THROW(StrToSkinPoint("5"), EConvertError);
}

TEST(SkinValues, FlagsStylesAlignmentsAndWords) {
  auto ini = Store(
      "[s]\r\nb1=1\r\nb2=2\r\nbword=yes\r\n"
      "f1=fsbold,fsitalic\r\nf2=fsBold\r\nf3=fsbold fsitalic\r\nf4=FSBOLD\r\nf5=fsunderline,fsstrikeout\r\n"
      "a1=center\r\na2=taleftjustify\r\na3=tacenter\r\n"
      "m1=mkpush\r\nm2=mkPush\r\nst=stwhatever\r\nie=iefog\r\nfp=fpvertical\r\nrk=rkfoo\r\ncm=cmnothing\r\n");
  TCustomIniFile* s = ini.get();
  EXPECT_TRUE(ReadSkinBoolean(s, "s", "b1"));
  EXPECT_FALSE(ReadSkinBoolean(s, "s", "b2"));
  EXPECT_FALSE(ReadSkinBoolean(s, "s", "bword"));
  EXPECT_FALSE(ReadSkinBoolean(s, "s", "missing"));

  EXPECT_EQ(ReadSkinFontStyles(s, "s", "f1"), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(ReadSkinFontStyles(s, "s", "f2"), TFontStyles{});
  EXPECT_EQ(ReadSkinFontStyles(s, "s", "f3"), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(ReadSkinFontStyles(s, "s", "f4"), TFontStyles{});
  EXPECT_EQ(ReadSkinFontStyles(s, "s", "f5"), (TFontStyles{fsUnderline, fsStrikeOut}));

  EXPECT_EQ(ReadSkinAlignment(s, "s", "a1"), taRightJustify);
  EXPECT_EQ(ReadSkinAlignment(s, "s", "a2"), taLeftJustify);
  EXPECT_EQ(ReadSkinAlignment(s, "s", "a3"), taCenter);
  EXPECT_EQ(ReadSkinAlignment(s, "s", "missing"), taCenter);

  EXPECT_EQ(ReadMorphKind(s, "s", "m1"), mkPush);
  EXPECT_EQ(ReadMorphKind(s, "s", "m2"), mkDefault);  // words are case-sensitive
  EXPECT_EQ(ReadMorphKind(s, "s", "missing"), mkDefault);
  EXPECT_EQ(ReadStretchType(s, "s", "st"), spstHorz);
  EXPECT_EQ(ReadStretchType(s, "s", "missing"), spstFull);
  EXPECT_EQ(ReadInactiveEffect(s, "s", "ie"), ieGrayScale);
  EXPECT_EQ(ReadSkinWord(s, "s", "fp", FramesPlacementWords), 1);
  EXPECT_EQ(ReadSkinWord(s, "s", "missing", FramesPlacementWords), 0);
  EXPECT_EQ(ReadSkinWord(s, "s", "rk", RegulatorKindWords), 2);
  EXPECT_EQ(ReadSkinWord(s, "s", "cm", CommandWords), 6);
  EXPECT_EQ(ReadSkinWord(s, "s", "missing", CommandWords), 4);

  WriteSkinWord(s, "out", "cm", CommandWords, 6);
  EXPECT_EQ(s->ReadString("out", "cm", ""), "cmminimizetotray");
  WriteSkinFontStyles(s, "out", "f", TFontStyles{fsStrikeOut, fsBold});
  EXPECT_EQ(s->ReadString("out", "f", ""), "fsbold,fsstrikeout");
  WriteSkinAlignment(s, "out", "a", taRightJustify);
  EXPECT_EQ(s->ReadString("out", "a", ""), "tarightjustify");
  WriteSkinRect(s, "out", "r", RECT{-1, 2, 3, 4});
  EXPECT_EQ(s->ReadString("out", "r", ""), "-1,2,3,4");
  EXPECT_TRUE(Same(ReadSkinRect(s, "out", "r"), RECT{1, 2, 3, 4}));  // the sign does not survive
}

TEST(SkinValues, CountedListsVisitOnlyTheKeysThatExist) {
  // A count of two billion must not walk two billion missing keys.
  auto ini = Store(
      "[PICTURES]\r\nactivepicturescount=2000000000\r\n7=seven\r\n0=zero\r\n2147483647=far\r\n"
      "007=padded\r\nx=other\r\n"
      "[h]\r\nsymbolslinecount=3\r\nsymbolsline2=c\r\nsymbolsline0=a\r\nsymbolsline3=beyond\r\n");
  auto list = MakeOwned<TStringList>();
  ReadSkinList(ini.get(), "PICTURES", "activepictures", list.get());
  EXPECT_EQ(list->GetText(), "zero\r\nseven\r\n");
  auto lines = MakeOwned<TStringList>();
  ReadSkinStrings(ini.get(), "h", "symbols", lines.get());
  EXPECT_EQ(lines->GetText(), "a\r\nc\r\n");
  EXPECT_TRUE(NumberedKeys(ini.get(), "PICTURES", "", -5).empty());
}

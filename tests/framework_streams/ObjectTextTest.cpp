// The text form: what text gives which bytes, binary to text and back unchanged,
// and errors that name the line.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "framework/ObjectText.h"
#include "tests/framework_streams/StreamFixtures.h"

namespace {

Bytes Int32(std::uint32_t v) { return Bytes{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}; }

template <class T>
Bytes Raw(T v) {
  Bytes b(sizeof v);
  std::memcpy(b.data(), &v, sizeof v);
  return b;
}

TEST(ObjectText, TextGivesTheseBytes) {
  const std::string text =
      "\xEF\xBB\xBF"
      "inherited Main: TForm1\r\n"
      "  Caption = 'It''s'#13#10'ok' +\n"
      "    ' more'\n"
      "  Font.Style = [fsBold, fsItalic]\n"
      "  Tag = $7F\n"
      "  Left = -300\n"
      "  Ratio = 1.5\n"
      "  Small = 0.5s\n"
      "  Exact = 2.0f\n"
      "  When = 3.0d\n"
      "  Money = -1.25c\n"
      "  Lines = ('a' 12 Ident nil True)\n"
      "  Data = {0A0b\n"
      "    FF}\n"
      "  Items = <\n"
      "    item [2]\n"
      "      Value = 1\n"
      "    end\n"
      "    item\n"
      "    end>\n"
      "  Euro = '\xE2\x82\xAC'#8364#$20AC\n"
      "  object Button: TButton [3]\n"
      "  end\n"
      "  inline Frame: TFrame\n"
      "  end\n"
      "  object TUnnamed\n"
      "  end\n"
      "end\n";
  const Bytes expected =
      Bytes{'T', 'P', 'F', '0', 0xF1} + Str("TForm1") + Str("Main") +
      Str("Caption") + Bytes{vaString, 13} + Bytes{'I', 't', '\'', 's', 13, 10, 'o', 'k', ' ', 'm', 'o', 'r', 'e'} +
      Str("Font.Style") + Bytes{vaSet} + Str("fsBold") + Str("fsItalic") + Bytes{0} +
      Str("Tag") + Bytes{vaInt8, 0x7F} +
      Str("Left") + Bytes{vaInt16} + Raw<std::int16_t>(-300) +
      Str("Ratio") + Bytes{vaExtended, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F} +
      Str("Small") + Bytes{vaSingle} + Raw(0.5f) +
      Str("Exact") + Bytes{vaDouble} + Raw(2.0) +
      Str("When") + Bytes{vaDate} + Raw(3.0) +
      Str("Money") + Bytes{vaCurrency} + Raw<std::int64_t>(-12500) +
      Str("Lines") + Bytes{vaList, vaString, 1, 'a', vaInt8, 12, vaIdent} + Str("Ident") + Bytes{vaNil, vaTrue, 0} +
      Str("Data") + Bytes{vaBinary} + Int32(3) + Bytes{0x0A, 0x0B, 0xFF} +
      Str("Items") + Bytes{vaCollection, vaInt8, 2, vaList} + Str("Value") + Bytes{vaInt8, 1, 0, vaList, 0, 0} +
      Str("Euro") + Bytes{vaUTF8String} + Int32(9) + Bytes{0xE2, 0x82, 0xAC, 0xE2, 0x82, 0xAC, 0xE2, 0x82, 0xAC} +
      Bytes{0} +
      Bytes{0xF2, vaInt8, 3} + Str("TButton") + Str("Button") + Bytes{0, 0} +
      Bytes{0xF4} + Str("TFrame") + Str("Frame") + Bytes{0, 0} +
      Str("TUnnamed") + Str("") + Bytes{0, 0} +
      Bytes{0};
  EXPECT_EQ(BinaryOf(text), expected);
}

// A stream written for a tree using every kind of value goes to text and back.
TEST(ObjectText, WrittenStreamsSurviveText) {
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  root->SetName("Root");
  TThing* a = MakeThing(root.get(), "A");
  TThing* inner = MakeThing(root.get(), "Inner", a);
  a->SetCaption(std::string(200, 'x') + "\xC3\xA9\xF0\x9F\x8E\xB5" + std::string("\t'\x7F\x01", 4) +
                std::string(100, 'y'));
  a->SetLevel(-2000000000);
  a->SetBig(-(std::int64_t(1) << 60));
  a->SetRatio(1.0 / 3);
  a->SetSmall(1e-40f);
  a->SetOptions({});
  a->SetColour(clAqua);
  a->SetOwnFont(true);
  a->GetLines()->SetText("a\r\n'b'\r\n");
  a->Blob = Bytes(100, 0xC3);
  a->Pairs = {-1, 70000};
  inner->SetPeer(a);
  static_cast<TThingItem*>(a->GetItems()->Add())->SetCaption("i");
  a->GetItems()->Add();
  a->OnChange = Bind(root.get(), &TThingRoot::ThingChange);
  const Bytes binary = Written(root.get());
  const std::string text = TextOf(binary);
  EXPECT_EQ(BinaryOf(text), binary);
  EXPECT_EQ(TextOf(BinaryOf(text)), text);
  EXPECT_NE(text.find("    Items = <\r\n      item\r\n        Caption = 'i'\r\n      end\r\n      item\r\n      end>\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("x\xC3\xA9\xF0\x9F\x8E\xB5'#9''''#127#1'yyy"), std::string::npos) << text;
}

// Floats that no decimal gives exactly are written as their bit fields.
TEST(ObjectText, EveryFloatComesBackExactly) {
  const Bytes values[] = {
      Bytes{vaExtended, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F},                // infinity
      Bytes{vaExtended, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF},                // minus infinity
      Bytes{vaExtended, 1, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F},                // a NaN with a payload
      Bytes{vaExtended, 0x35, 0xC2, 0x68, 0x21, 0xA2, 0xDA, 0x0F, 0xC9, 0x00, 0x40},  // pi to 64 bits
      Bytes{vaExtended, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},                         // the smallest denormal
      Bytes{vaSingle} + Raw(std::numeric_limits<float>::infinity()),
      Bytes{vaSingle} + Raw(1.17549435e-38f),
      Bytes{vaDouble} + Raw(-std::numeric_limits<double>::quiet_NaN()),
      Bytes{vaDate} + Raw(45000.25),
      Bytes{vaCurrency} + Raw<std::int64_t>(INT64_MIN),
      Bytes{vaCurrency} + Raw<std::int64_t>(1),
  };
  for (const Bytes& v : values) {
    const Bytes binary = Header("TThingRoot", "R") + Str("X") + v + Bytes{0, 0};
    const std::string text = TextOf(binary);
    SCOPED_TRACE(text);
    EXPECT_EQ(BinaryOf(text), binary);
  }
  EXPECT_EQ(TextOf(Header("T", "") + Str("Pi") + values[3] + Bytes{0, 0}),
            "object T\r\n  Pi = 0x1.921fb54442d1846ap+1\r\nend\r\n");
  EXPECT_EQ(TextOf(Header("T", "") + Str("C") + values[9] + Bytes{0, 0}),
            "object T\r\n  C = -922337203685477.5808c\r\nend\r\n");
}

TEST(ObjectText, BadTextNamesTheLine) {
  struct Case {
    const char* Text;
    const char* Error;
  };
  const Case cases[] = {
      {"", "'object' expected on line 1"},
      {"object A: TA\n  X = )\nend", "Value expected on line 2"},
      {"object A: TA\n  X = 'open\nend", "Unterminated string on line 2"},
      {"object A: TA\n  X = {0A0}\nend", "Invalid binary value on line 2"},
      {"object A: TA\n  X = [a b]\nend", "']' expected on line 2"},
      {"object A: TA\n  X = 99999999999999999999\nend", "Number too large on line 2"},
      {"object A: TA\n  X = 1.5x\nend", "Invalid number on line 2"},
      {"object A: TA\n  X = 1.12345c\nend", "Invalid currency on line 2"},
      {"object A: TA\n  X = 1\n", "'end' expected on line 3"},
      {"object A: TA\nend\nobject", "End of text expected on line 3"},
      {"object A: TA\n  X = <item X = 1>\nend", "Identifier expected on line 2"},
      {"object A: TA\n  X = #1114112\nend", "Invalid character code on line 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    try {
      BinaryOf(c.Text);
      ADD_FAILURE() << "converted";
    } catch (const EParserError& E) {
      EXPECT_EQ(E.GetMessage(), c.Error);
    }
  }
}

}  // namespace

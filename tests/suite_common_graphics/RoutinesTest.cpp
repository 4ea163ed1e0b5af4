// Colour names and blends, text fitting, wrapping and shortening, font helpers.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Surface.h"
#include "framework/Font.h"
#include "framework/StringLists.h"
#include "suite/common/cxGraphicsRoutines.h"

namespace {

struct TCssColour {
  const char* name;
  unsigned rgb;
};

// The CSS colour keywords (made by make-css-colours.sh).
const TCssColour CssColours[] = {
#include "CssColours.inc"
};

// Sets system colours for one test and puts them back afterwards.
class TSysColours {
 public:
  TSysColours(std::initializer_list<std::pair<int, COLORREF>> Colours) {
    for (auto [index, value] : Colours) {
      FIndex.push_back(index);
      FOld.push_back(GetSysColor(index));
      FNew.push_back(value);
    }
    SetSysColors(static_cast<int>(FIndex.size()), FIndex.data(), FNew.data());
  }
  ~TSysColours() { SetSysColors(static_cast<int>(FIndex.size()), FIndex.data(), FOld.data()); }

 private:
  std::vector<int> FIndex;
  std::vector<COLORREF> FOld, FNew;
};

}  // namespace

TEST(Colours, NamedColoursMatchTheCssKeywords) {
  int found = 0;
  for (const TCssColour& c : CssColours) {
    TColor colour = 0;
    if (!FindNamedColor(c.name, colour)) continue;
    ++found;
    EXPECT_EQ(colour, static_cast<TColor>(RGB(c.rgb >> 16, (c.rgb >> 8) & 0xFF, c.rgb & 0xFF))) << c.name;
  }
  EXPECT_GT(found, 100);
  const struct {
    const char* name;
    bool found;
    TColor colour;
  } cases[] = {{"WindowText", true, clWindowText}, {"threedface", true, clBtnFace}, {"LIGHTGREY", true, 0xD3D3D3},
               {"lightgray", false, 0}, {"grey", false, 0}, {"", false, 0}};
  for (const auto& k : cases) {
    TColor colour = 12345;
    EXPECT_EQ(FindNamedColor(k.name, colour), k.found) << k.name;
    if (k.found) {
      EXPECT_EQ(colour, k.colour) << k.name;
    }
  }
}

TEST(Colours, BlendsOfTheSystemColours) {
  {
    TSysColours set{{COLOR_BTNFACE, RGB(100, 100, 100)}, {COLOR_HIGHLIGHT, RGB(0, 0, 200)}, {COLOR_WINDOW, RGB(255, 255, 255)}};
    // 14 % face + 44 % highlight + 40 % window, channel by channel.
    EXPECT_EQ(BlendSystemColors(14, 44, 40), static_cast<TColor>(RGB(116, 116, 204)));
    EXPECT_EQ(BlendSystemColors(-2, 30, 72), static_cast<TColor>(RGB(182, 182, 242)));
    EXPECT_EQ(BlendSystemColors(200, 0, 0), static_cast<TColor>(RGB(200, 200, 200)));
    EXPECT_EQ(BlendSystemColors(-100, 0, 0), 0) << "channels are clamped";
  }
  {
    TSysColours set{{COLOR_BTNFACE, RGB(0, 0, 0)}, {COLOR_HIGHLIGHT, RGB(10, 20, 30)}};
    EXPECT_EQ(BlendSystemColors(14, 44, 40), static_cast<TColor>(RGB(10, 20, 30))) << "a black face keeps the highlight";
  }
  EXPECT_EQ(ClampChannel(-3), 0);
  EXPECT_EQ(ClampChannel(300), 255);
}

namespace {

struct TTextDC {
  TTextDC() : Surface(10, 10) {
    Surface.Canvas->FontObject()->SetName("Tahoma");
    Surface.Canvas->FontObject()->SetHeight(-13);
  }
  HDC DC() { return Surface.DC(); }
  int Width(const std::string& Text) { return TextSizeOnDC(DC(), Text).cx; }
  TSurface Surface;
};

}  // namespace

TEST(Text, FittingIntoRows) {
  TTextDC t;
  RECT r;
  FitTextRect(t.DC(), "Unbreakable", 2, r);
  EXPECT_EQ(r.right, t.Width("Unbreakable"));
  FitTextRect(t.DC(), "one two three four", 2, r, true);
  const int line = TextSizeOnDC(t.DC(), "Wg").cy;
  EXPECT_EQ(r.bottom, 2 * line);
  // The narrowest two lines: "one two" over "three four".
  EXPECT_EQ(r.right, std::max(t.Width("one two"), t.Width("three four")));
  FitTextRect(t.DC(), "x", 0, r);
  EXPECT_EQ(r, (RECT{0, 0, 0, 0}));
}

TEST(Text, WrappingAtWordBreaks) {
  TTextDC t;
  const int w = t.Width("alpha beta");
  const struct {
    std::string text;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      {"alpha beta gamma", w, {"alpha beta", "gamma"}},
      {"alpha beta", w, {"alpha beta"}},
      // A first word wider than the rectangle: an empty line, then the word.
      {"alphabetagamma delta", t.Width("alpha"), {"", "alphabetagamma", "delta"}},
      {"a  b", t.Width("a"), {"a", " ", "b"}},  // the second of two spaces is a word
      {"", w, {""}},
  };
  for (const auto& k : cases) {
    TOwned<TStringList> lines(TStringList::Create());
    WrapTextToLines(k.text, t.Surface.Canvas.get(), RECT{0, 0, k.width, 100}, lines.get());
    ASSERT_EQ(lines->GetCount(), static_cast<int>(k.lines.size())) << k.text;
    for (size_t i = 0; i < k.lines.size(); ++i) EXPECT_EQ(lines->GetStrings(static_cast<int>(i)), k.lines[i]) << k.text;
  }
}

TEST(Text, ShorteningLeavesTheCallersFontSelected) {
  TTextDC t;
  HDC dc = t.DC();
  HFONT before = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  TOwned<TFont> big(TFont::Create());
  big->SetName("Tahoma");
  big->SetHeight(-30);
  std::string result;
  const struct {
    std::string text;
    int width;
    std::string want;
  } cases[] = {
      {"Short", 1000, "Short"},
      {"", 100, ""},
      {"Anything", 0, ""},
      {"Wide text", 3, "W..."},  // narrower than the dots: one character is kept
  };
  for (const auto& k : cases) {
    EllipsisText(dc, big->GetHandle(), k.text, result, k.width);
    EXPECT_EQ(result, k.want) << k.text;
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before) << "the font went back";
  }
  EllipsisText(dc, big->GetHandle(), "Shortened caption", result, 120);
  EXPECT_EQ(result.substr(result.size() - 3), "...");
  SIZE s;
  HGDIOBJ old = SelectObject(dc, big->GetHandle());
  TextExtentOfString(dc, result, s);
  SelectObject(dc, old);
  EXPECT_LE(s.cx, 120);
  EllipsisText(nullptr, nullptr, "Screen", result, 1000);
  EXPECT_EQ(result, "Screen");
}

TEST(Fonts, FarEastOrArabicCharsets) {
  EXPECT_FALSE(IsFarEastOrArabicCharset(GB2312_CHARSET, "Tahoma"));
  EXPECT_TRUE(IsFarEastOrArabicCharset(GB2312_CHARSET, "\xE5\xAE\x8B\xE4\xBD\x93"));
  EXPECT_TRUE(IsFarEastOrArabicCharset(ARABIC_CHARSET, ""));
  EXPECT_FALSE(IsFarEastOrArabicCharset(ANSI_CHARSET, "\xE5\xAE\x8B\xE4\xBD\x93"));
  TOwned<TFont> f(TFont::Create());
  f->SetName("Courier New");
  f->SetHeight(-40);
  ResetFontToDefault(f.get());
  EXPECT_EQ(f->GetName(), DefaultFontData().Name);
  EXPECT_EQ(f->GetHeight(), DefaultFontData().Height);
}

TEST(Text, FittingInAFontWithFlags) {
  TOwned<TFont> font(TFont::Create());
  font->SetName("Tahoma");
  font->SetHeight(-13);
  TTextDC t;
  RECT single{10, 20, 10, 20};
  FitTextRectInFont(font.get(), "Some caption", cxSingleLine, single);
  EXPECT_EQ(single.left, 10);
  EXPECT_EQ(single.right - single.left, t.Width("Some caption"));
  RECT wrapped{0, 0, t.Width("caption"), 0};
  FitTextRectInFont(font.get(), "Some caption", cxWordBreak, wrapped);
  EXPECT_EQ(wrapped.bottom, 2 * TextSizeOnDC(t.DC(), "Wg").cy);
  RECT part{0, 0, 100, 20};
  EXPECT_GT(DrawTextOnDC(t.DC(), "Cut here", part, DT_CALCRECT | DT_SINGLELINE, 3), 0);
  EXPECT_EQ(part.right, t.Width("Cut"));
}

// Components written and read back: the bytes of each value type, and every
// property kind surviving a round trip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "framework/Bitmap.h"
#include "framework/ComponentStreams.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "tests/framework_streams/StreamTest.h"

namespace {

Bytes Int32(std::uint32_t v) { return Bytes{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}; }

bool Contains(const Bytes& Haystack, const Bytes& Needle) {
  return std::search(Haystack.begin(), Haystack.end(), Needle.begin(), Needle.end()) != Haystack.end();
}

using RoundTrip = StreamTest;

TEST_F(RoundTrip, SmallTreeMatchesHandAssembledBytes) {
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  root->SetName("R");
  TThing* a = MakeThing(root.get(), "A");
  a->SetCount(5);
  a->SetCaption("x");
  a->Blob = {1, 2, 3};
  const Bytes expected = Header("TThingRoot", "R") + Bytes{0} + Str("TThing") + Str("A") + Str("Count") +
                         Bytes{vaInt8, 5} + Str("Level") + Bytes{vaInt8, 0} + Str("Caption") +
                         Bytes{vaString, 1, 'x'} + Str("Blob") + Bytes{vaBinary} + Int32(3) + Bytes{1, 2, 3} +
                         Bytes{0, 0, 0};
  EXPECT_EQ(Written(root.get()), expected);
}

// One property set on a thing, and the bytes it is written as.
TEST_F(RoundTrip, EachValueIsWrittenInItsStoredForm) {
  struct Case {
    const char* Name;
    std::function<void(TThing*)> Set;
    Bytes Expected;
    bool Alone = true;  // the expected bytes are all the case adds
  };
  const std::string longText(300, 'q');
  const Case cases[] = {
      {"int8", [](TThing* t) { t->SetLevel(-128); }, Str("Level") + Bytes{vaInt8, 0x80}},
      {"int16", [](TThing* t) { t->SetLevel(200); }, Str("Level") + Bytes{vaInt16, 200, 0}},
      {"int32", [](TThing* t) { t->SetLevel(-70000); }, Str("Level") + Bytes{vaInt32} + Int32(std::uint32_t(-70000))},
      {"int64 small", [](TThing* t) { t->SetBig(7); }, Str("Big") + Bytes{vaInt8, 7}},
      {"int64", [](TThing* t) { t->SetBig(5000000000LL); },
       Str("Big") + Bytes{vaInt64} + Int32(705032704) + Int32(1)},
      {"colour name", [](TThing* t) { t->SetColour(clRed); }, Str("Colour") + Bytes{vaIdent} + Str("clRed")},
      {"colour number", [](TThing* t) { t->SetColour(0x123456); },
       Str("Colour") + Bytes{vaInt32} + Int32(0x123456)},
      {"boolean", [](TThing* t) { t->SetFlag(true); }, Str("Flag") + Bytes{vaTrue}},
      {"enumeration", [](TThing* t) { t->SetMode(mdFast); }, Str("Mode") + Bytes{vaIdent} + Str("mdFast")},
      {"set", [](TThing* t) { t->SetOptions({opB, opC}); },
       Str("Options") + Bytes{vaSet} + Str("opB") + Str("opC") + Bytes{0}},
      {"empty set", [](TThing* t) { t->SetOptions({}); }, Str("Options") + Bytes{vaSet, 0}},
      {"long ASCII", [&](TThing* t) { t->SetCaption(longText); },
       Str("Caption") + Bytes{vaLString} + Int32(300) + Bytes(longText.begin(), longText.end())},
      {"UTF-8", [](TThing* t) { t->SetCaption("\xC3\xA9"); },
       Str("Caption") + Bytes{vaUTF8String} + Int32(2) + Bytes{0xC3, 0xA9}},
      {"extended", [](TThing* t) { t->SetRatio(1.5); },
       Str("Ratio") + Bytes{vaExtended, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}},
      {"single", [](TThing* t) { t->SetSmall(0.5f); }, Str("Small") + Bytes{vaSingle, 0, 0, 0, 0x3F}},
      {"font", [](TThing* t) { t->SetOwnFont(true); t->GetFont()->SetStyle({fsBold}); },
       Str("Font.Style") + Bytes{vaSet} + Str("fsBold") + Bytes{0}, false},
      {"strings", [](TThing* t) { t->GetLines()->Add("a"); },
       Str("Lines.Strings") + Bytes{vaList, vaString, 1, 'a', 0}},
      {"design position", [](TThing* t) { t->SetDesignInfo((20 << 16) | 16); },
       Str("Left") + Bytes{vaInt8, 16} + Str("Top") + Bytes{vaInt8, 20}},
      {"defined list", [](TThing* t) { t->Pairs = {1, 300}; },
       Str("Pairs") + Bytes{vaList, vaInt8, 1, vaInt16, 0x2C, 1, 0}},
      {"event", [](TThing* t) { t->OnChange = Bind(static_cast<TThingRoot*>(t->GetOwner()), &TThingRoot::ThingChange); },
       Str("OnChange") + Bytes{vaIdent} + Str("ThingChange")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
    TThing* t = MakeThing(root.get(), "T");
    c.Set(t);
    const Bytes written = Written(root.get());
    EXPECT_TRUE(Contains(written, c.Expected));
    // Defaults stay out: only what the case set, and Level, which has none.
    TOwned<TThingRoot> plain(TThingRoot::Create(nullptr));
    MakeThing(plain.get(), "T");
    if (!c.Alone) continue;
    const std::size_t extra = written.size() - Written(plain.get()).size();
    const Bytes levelZero = Str("Level") + Bytes{vaInt8, 0};
    const bool replacesLevel = c.Expected.size() >= 6 && std::equal(levelZero.begin(), levelZero.begin() + 6, c.Expected.begin());
    EXPECT_EQ(extra, c.Expected.size() - (replacesLevel ? levelZero.size() : 0));
  }
}

// Every kind of property, the hierarchy and the references come back as written.
TEST_F(RoundTrip, EveryPropertyKindComesBack) {
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  root->SetName("Root");
  root->SetTag(-3);
  TThing* a = MakeThing(root.get(), "A");
  TThing* inner = MakeThing(root.get(), "Inner", a);
  TThing* b = MakeThing(root.get(), "B");
  a->SetCount(12);
  a->SetLevel(-40000);
  a->SetColour(clBtnFace);
  a->SetFlag(true);
  a->SetMode(mdSlow);
  a->SetOptions({opB, opC});
  a->SetCaption(std::string(1000, 'w') + "\xE2\x82\xAC" + std::string("\x01'\"\r\n", 5));
  a->SetRatio(0.1);
  a->SetSmall(-2.25f);
  a->SetBig(-(std::int64_t(1) << 40));
  a->SetByte(255);
  a->SetOwnFont(true);
  a->GetFont()->SetName("Tahoma");
  a->GetFont()->SetHeight(-13);
  a->GetFont()->SetStyle({fsItalic, fsUnderline});
  a->GetFont()->SetColor(clNavy);
  a->GetLines()->SetText("one\r\n\r\nthree\r\n");
  a->SetPeer(b);      // forward: B is read after A
  inner->SetPeer(a);  // backward
  b->SetPeer(b);
  b->SetDesignInfo(static_cast<std::int32_t>((std::uint32_t(0xFFF6) << 16) | 300));  // Left 300, Top -10
  auto* item = static_cast<TThingItem*>(a->GetItems()->Add());
  item->SetCaption("first");
  item->SetValue(7);
  item->SetTarget(b);
  static_cast<TThingItem*>(a->GetItems()->Add())->SetTarget(root.get());
  a->Blob = Bytes(70000, 0x5A);
  a->Pairs = {3, -1, 1 << 20};
  a->OnChange = Bind(root.get(), &TThingRoot::ThingChange);
  a->OnCount = Bind(root.get(), &TThingRoot::ThingCount);
  b->OnChange = Bind(root.get(), &TThingRoot::OtherChange);
  const Bytes written = Written(root.get());

  TOwned<TComponent> copy(ReadBack(written));
  ASSERT_TRUE(Is<TThingRoot>(copy.get()));
  EXPECT_EQ(copy->GetName(), "Root");
  EXPECT_EQ(copy->GetTag(), -3);
  ASSERT_EQ(copy->GetComponentCount(), 3);
  auto* a2 = As<TThing>(copy->FindComponent("A"));
  auto* b2 = As<TThing>(copy->FindComponent("B"));
  auto* inner2 = As<TThing>(copy->FindComponent("Inner"));
  EXPECT_EQ(a2->GetCount(), 12);
  EXPECT_EQ(a2->GetLevel(), -40000);
  EXPECT_EQ(a2->GetColour(), clBtnFace);
  EXPECT_TRUE(a2->GetFlag());
  EXPECT_EQ(a2->GetMode(), mdSlow);
  EXPECT_EQ(a2->GetOptions(), (TOptions{opB, opC}));
  EXPECT_EQ(a2->GetCaption(), a->GetCaption());
  EXPECT_EQ(a2->GetRatio(), 0.1);
  EXPECT_EQ(a2->GetSmall(), -2.25f);
  EXPECT_EQ(a2->GetBig(), -(std::int64_t(1) << 40));
  EXPECT_EQ(a2->GetByte(), 255);
  EXPECT_EQ(a2->GetFont()->GetName(), "Tahoma");
  EXPECT_EQ(a2->GetFont()->GetHeight(), -13);
  EXPECT_EQ(a2->GetFont()->GetStyle(), (TFontStyles{fsItalic, fsUnderline}));
  EXPECT_EQ(a2->GetFont()->GetColor(), clNavy);
  EXPECT_EQ(a2->GetLines()->GetText(), "one\r\n\r\nthree\r\n");
  EXPECT_EQ(a2->GetPeer(), b2);
  EXPECT_EQ(inner2->GetPeer(), a2);
  EXPECT_EQ(b2->GetPeer(), b2);
  EXPECT_EQ(b2->GetDesignInfo(), b->GetDesignInfo());
  EXPECT_EQ(inner2->GetParentThing(), a2);
  ASSERT_EQ(a2->GetItems()->GetCount(), 2);
  auto* item2 = static_cast<TThingItem*>(a2->GetItems()->GetItem(0));
  EXPECT_EQ(item2->GetCaption(), "first");
  EXPECT_EQ(item2->GetValue(), 7);
  EXPECT_EQ(item2->GetTarget(), b2);
  EXPECT_EQ(static_cast<TThingItem*>(a2->GetItems()->GetItem(1))->GetTarget(), copy.get());
  EXPECT_EQ(a2->Blob, a->Blob);
  EXPECT_EQ(a2->Pairs, a->Pairs);
  EXPECT_EQ(a2->OnChange, Bind(static_cast<TThingRoot*>(copy.get()), &TThingRoot::ThingChange));
  EXPECT_EQ(a2->OnCount, Bind(static_cast<TThingRoot*>(copy.get()), &TThingRoot::ThingCount));
  EXPECT_EQ(b2->OnChange, Bind(static_cast<TThingRoot*>(copy.get()), &TThingRoot::OtherChange));
  // Nothing was lost on the way: the copy writes the same bytes.
  EXPECT_EQ(Written(copy.get()), written);
}

TEST_F(RoundTrip, ExtendedKeepsEveryDouble) {
  const double values[] = {0.0, -0.0, 1.0, -1.5, 0.1, 1e308, 1.7976931348623157e308, 2.2250738585072014e-308,
                           4.9406564584124654e-324, 1e-310, HUGE_VAL, -HUGE_VAL, 123456789.123456789};
  for (double v : values) {
    SCOPED_TRACE(v);
    TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
    MakeThing(root.get(), "T")->SetRatio(v);
    TOwned<TComponent> copy(ReadBack(Written(root.get())));
    const double back = As<TThing>(copy->FindComponent("T"))->GetRatio();
    EXPECT_EQ(std::signbit(back), std::signbit(v));
    EXPECT_EQ(back, v);
  }
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  MakeThing(root.get(), "T")->SetRatio(std::nan(""));
  TOwned<TComponent> copy(ReadBack(Written(root.get())));
  EXPECT_TRUE(std::isnan(As<TThing>(copy->FindComponent("T"))->GetRatio()));
}

TEST_F(RoundTrip, GraphicDataComesBack) {
  TOwned<TBitmap> source(TBitmap::Create());
  source->SetPixelFormat(pf24bit);
  source->SetSize(3, 2);
  source->GetCanvas()->SetPixels(1, 1, clLime);
  TOwned<TBitmap> copy(TBitmap::Create());
  TOwned<TMemoryStream> stream(TMemoryStream::Create());
  {
    TOwned<TWriter> w(TWriter::Create(stream.get()));
    w->WriteProperties(source.get());
    w->WriteListEnd();
  }
  const Bytes written(static_cast<const std::uint8_t*>(stream->GetMemory()),
                      static_cast<const std::uint8_t*>(stream->GetMemory()) + stream->GetSize());
  ASSERT_GT(written.size(), 10u);
  EXPECT_EQ(Bytes(written.begin(), written.begin() + 6), Str("Data") + Bytes{vaBinary});
  stream->SetPosition(0);
  {
    TOwned<TReader> r(TReader::Create(stream.get()));
    while (!r->EndOfList()) r->ReadProperty(copy.get());
  }
  EXPECT_EQ(copy->GetWidth(), 3);
  EXPECT_EQ(copy->GetCanvas()->GetPixels(1, 1), clLime);
  EXPECT_TRUE(copy->Equals(source.get()));
}

}  // namespace

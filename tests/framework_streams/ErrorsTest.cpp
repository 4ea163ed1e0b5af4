// Broken and hostile streams: clear errors, OnError skipping values, and a failed
// read that leaves nothing behind.
#include <gtest/gtest.h>

#include "framework/ClassRegistry.h"
#include "framework/ComponentStreams.h"
#include "framework/Reader.h"
#include "tests/framework_streams/StreamTest.h"

namespace {

class Errors : public StreamTest {
protected:
  // The message of the error reading Data raises ("" when it reads).
  static std::string ReadError(const Bytes& Data) {
    try {
      TOwned<TComponent> root(ReadBack(Data));
    } catch (const Exception& E) {
      return E.ClassName() + ": " + E.GetMessage();
    }
    return "";
  }

  // Reads Data with an OnError that skips everything, collecting the messages.
  struct TSkipper {
    std::vector<std::string> Messages;
    void Skip(TReader*, const std::string& Message, bool& Handled) {
      Messages.push_back(Message);
      Handled = true;
    }
  };
};

Bytes Thing(const std::string& Props) {
  return BinaryOf("object R: TThingRoot\n object A: TThing\n" + Props + "\n end\nend\n");
}

TEST_F(Errors, BadDataRaisesClearErrors) {
  struct Case {
    Bytes Data;
    const char* Error;
  };
  const Bytes bad = Bytes{'T', 'P', 'F', '1'} + Str("TThingRoot") + Str("R") + Bytes{0, 0};
  const Case cases[] = {
      {bad, "EReadError: Invalid stream format"},
      {Bytes{}, "EReadError: Invalid stream format"},
      {BinaryOf("object R: TThingRoot\n object A: TNope\n end\nend"), "EClassNotFound: Class TNope not found"},
      {BinaryOf("object R: TThingItem\nend"), "EReadError: TThingItem is not a component class"},
      {Thing("Nope = 1"), "EReadError: Property Nope does not exist"},
      {Thing("Count.Nope = 1"), "EReadError: Property Count.Nope does not exist"},
      {Thing("Count = 'text'"), "EReadError: Invalid property value"},
      {Thing("Byte = 256"), "EReadError: Invalid property value"},
      {Thing("Mode = mdNope"), "EReadError: Invalid property value"},
      {Thing("Options = [opA, opNope]"), "EReadError: Invalid property value"},
      {Thing("Colour = clNope"), "EReadError: Invalid property value"},
      {Thing("Count = 5000000000"), "EReadError: Invalid property value"},
      {Thing("Peer = Ghost"), "EReadError: Component Ghost named by property Peer does not exist"},
      {Thing("Peer = Owner"), "EReadError: Invalid property value"},
      {Thing("OnChange = Nope"), "EReadError: Method Nope does not exist"},
      {Thing("OnCount = ThingChange"), "EReadError: Method ThingChange does not fit event OnCount"},
      {BinaryOf("object R: TThingRoot\n object A: TThing\n end\n object A: TThing\n end\nend"),
       "EComponentError: A component named A already exists"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Error);
    EXPECT_EQ(ReadError(c.Data), c.Error);
  }
}

TEST_F(Errors, OnErrorSkipsValuesAndComponents) {
  const Bytes data = BinaryOf(
      "object R: TThingRoot\n"
      "  object A: TThing\n"
      "    Nope = (1 (2 3) 'x' <item Caption = 'y' end>)\n"
      "    Count = 'text'\n"
      "    Items = <item Caption = 'kept' Value = 'bad' end>\n"
      "    Peer = Ghost\n"
      "    Level = 3\n"
      "  end\n"
      "  object Gone: TNope\n"
      "    Level = 1\n"
      "    object Inside: TThing\n"
      "    end\n"
      "  end\n"
      "  object B: TThing\n"
      "    OnChange = Nope\n"
      "    Caption = 'after'\n"
      "  end\n"
      "end\n");
  TOwned<TMemoryStream> stream(StreamOf(data));
  TOwned<TReader> reader(TReader::Create(stream.get()));
  TSkipper skipper;
  reader->OnError = Bind(&skipper, &TSkipper::Skip);
  TOwned<TComponent> root(reader->ReadRootComponent(nullptr));
  EXPECT_EQ(skipper.Messages, (std::vector<std::string>{"Property Nope does not exist", "Invalid property value",
                                                        "Invalid property value", "Class TNope not found",
                                                        "Method Nope does not exist",
                                                        "Component Ghost named by property Peer does not exist"}));
  auto* a = As<TThing>(root->FindComponent("A"));
  EXPECT_EQ(a->GetCount(), 0);
  EXPECT_EQ(a->GetLevel(), 3);
  EXPECT_EQ(a->GetPeer(), nullptr);
  ASSERT_EQ(a->GetItems()->GetCount(), 1);
  EXPECT_EQ(static_cast<TThingItem*>(a->GetItems()->GetItem(0))->GetCaption(), "kept");
  EXPECT_EQ(root->GetComponentCount(), 2);
  EXPECT_EQ(As<TThing>(root->FindComponent("B"))->GetCaption(), "after");
  EXPECT_EQ(stream->GetPosition(), stream->GetSize());
}

// Every cut of a stream that uses every feature raises, frees what it made and
// calls no Loaded; read into an existing root, the root keeps what it had.
TEST_F(Errors, StreamCutAnywhereLeavesNothingBehind) {
  Bytes full;
  {
    TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
    root->SetName("R");
    TThing* a = MakeThing(root.get(), "A");
    TThing* inner = MakeThing(root.get(), "Inner", a);
    TThing* b = MakeThing(root.get(), "B");
    a->SetPeer(b);
    inner->SetPeer(a);
    a->SetCaption(std::string(300, 'c'));
    a->SetRatio(2.5);
    a->SetOwnFont(true);
    a->GetLines()->Add("line");
    static_cast<TThingItem*>(a->GetItems()->Add())->SetTarget(b);
    a->Blob = {1, 2, 3, 4};
    a->Pairs = {1, 2};
    a->OnChange = Bind(root.get(), &TThingRoot::ThingChange);
    full = Written(root.get());
  }
  TOwned<TComponent> owner(TComponent::Create(nullptr));
  TThingRoot* existing = TThingRoot::Create(owner.get());
  existing->SetName("Existing");
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    SCOPED_TRACE(cut);
    const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
    Log.clear();
    EXPECT_THROW(ReadBack(part), Exception);
    EXPECT_EQ(TThing::Live, 0);
    EXPECT_EQ(TThingItem::Live, 0);
    EXPECT_EQ(TThingRoot::Live, 1);
    EXPECT_THROW(ReadBack(part, existing), Exception);
    EXPECT_EQ(existing->GetComponentCount(), 0);
    EXPECT_TRUE(existing->GetComponentState().Empty());
    EXPECT_EQ(existing->GetName(), "Existing");
    for (const std::string& line : Log) EXPECT_EQ(line.find("Loaded"), std::string::npos) << line;
  }
  TOwned<TComponent> whole(ReadBack(full));
  EXPECT_EQ(whole->GetComponentCount(), 3);
}

TEST_F(Errors, LengthsAndNestingAreBounded) {
  const Bytes head = Header("TThingRoot", "R") + Bytes{0} + Str("TThing") + Str("A");
  auto prop = [&](const std::string& Name, const Bytes& Value) { return head + Str(Name) + Value + Bytes{0, 0, 0}; };
  Bytes deepList;
  for (int i = 0; i < 150; ++i) deepList.push_back(vaList);
  deepList.insert(deepList.end(), 150, 0);
  Bytes deepComponents = Header("TThingRoot", "R") + Bytes{0};
  for (int i = 0; i < 150; ++i) deepComponents = deepComponents + Str("TThing") + Str("") + Bytes{0};
  for (int i = 0; i < 151; ++i) deepComponents.push_back(0);
  struct Case {
    const char* Name;
    Bytes Data;
    const char* Error;
  };
  const Case cases[] = {
      {"huge string", prop("Caption", Bytes{vaLString, 0xFF, 0xFF, 0xFF, 0x7F, 'x'}), "Stream read error"},
      {"negative length", prop("Caption", Bytes{vaUTF8String, 0xFF, 0xFF, 0xFF, 0xFF}), "Stream read error"},
      {"huge wide string", prop("Caption", Bytes{vaWString, 0, 0, 0, 0x40, 'x', 0}), "Stream read error"},
      {"huge binary", prop("Blob", Bytes{vaBinary, 0, 0, 0, 0x10, 1}), "Stream read error"},
      {"unknown value type", prop("Nope", Bytes{0xE7}), "Invalid property value"},
      {"deep lists", prop("Nope", deepList), "Stream data nested too deeply"},
      {"deep components", deepComponents, "Stream data nested too deeply"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TOwned<TMemoryStream> stream(StreamOf(c.Data));
    TOwned<TReader> reader(TReader::Create(stream.get()));
    // Even a skipped value has its length checked.
    TSkipper skipper;
    reader->OnError = Bind(&skipper, &TSkipper::Skip);
    try {
      reader->ReadRootComponent(nullptr);
      ADD_FAILURE() << "read";
    } catch (const EReadError& E) {
      EXPECT_EQ(E.GetMessage(), c.Error);
    }
  }
}

TEST_F(Errors, EmptyBinaryValueReadsNothing) {
  // A zero length is no data at all, not "the whole rest of the stream".
  const Bytes data = Header("TThingRoot", "R") + Bytes{0} + Str("TThing") + Str("A") + Str("Blob") +
                     Bytes{vaBinary, 0, 0, 0, 0} + Str("Level") + Bytes{vaInt8, 6} + Bytes{0, 0, 0};
  TOwned<TComponent> root(ReadBack(data));
  auto* a = As<TThing>(root->FindComponent("A"));
  EXPECT_TRUE(a->Blob.empty());
  EXPECT_EQ(a->GetLevel(), 6);
}

TEST_F(Errors, ReaderLeavesTheStreamRightAfterItsData) {
  TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
  MakeThing(root.get(), "A")->SetCaption(std::string(5000, 'z'));
  const Bytes one = Written(root.get());
  TOwned<TMemoryStream> stream(StreamOf(one + one));
  TOwned<TComponent> first(ReadComponent(stream.get(), nullptr));
  EXPECT_EQ(stream->GetPosition(), static_cast<std::int64_t>(one.size()));
  TOwned<TComponent> second(ReadComponent(stream.get(), nullptr));
  EXPECT_EQ(stream->GetPosition(), stream->GetSize());
}

}  // namespace

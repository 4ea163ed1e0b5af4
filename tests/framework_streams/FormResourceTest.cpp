// A form text converted at build time and linked as a resource reads back as the
// same component tree its text describes.
#include <gtest/gtest.h>

#include "framework/ComponentStreams.h"
#include "framework/MemoryStreams.h"
#include "tests/framework_streams/StreamFixtures.h"

namespace {

std::string SourcePath(std::string Path) {
  // The build's host path, on the drive where the emulator keeps the host's root.
  if (!Path.empty() && Path[0] == '/') Path = "Z:" + Path;
  return Path;
}

TEST(FormResource, BuildConvertedFormReadsBack) {
  Log.clear();
  TOwned<TComponent> root(ReadComponentRes("StreamSample", nullptr));
  ASSERT_TRUE(Is<TThingRoot>(root.get()));
  EXPECT_EQ(root->GetName(), "Sample");
  EXPECT_EQ(root->GetTag(), 7);
  auto* left = As<TThing>(root->FindComponent("Left"));
  auto* right = As<TThing>(root->FindComponent("Right"));
  auto* nested = As<TThing>(root->FindComponent("Nested"));
  EXPECT_EQ(left->GetCaption(), "Left \xE2\x86\x92 right");
  EXPECT_EQ(left->GetFont()->GetName(), "Tahoma");
  EXPECT_EQ(left->GetFont()->GetColor(), clMaroon);
  EXPECT_EQ(left->GetLines()->GetCount(), 2);
  EXPECT_EQ(left->GetPeer(), right);
  EXPECT_EQ(static_cast<TThingItem*>(left->GetItems()->GetItem(0))->GetTarget(), right);
  EXPECT_EQ(left->Blob, (Bytes{1, 2, 3, 4, 5}));
  EXPECT_EQ(left->OnChange, Bind(static_cast<TThingRoot*>(root.get()), &TThingRoot::ThingChange));
  EXPECT_EQ(nested->GetParentThing(), left);
  EXPECT_EQ(nested->GetPeer(), left);

  // The build made the same bytes the converter makes here, and they give the text back.
  TOwned<TResourceStream> resource(TResourceStream::Create(GetModuleHandleW(nullptr), "StreamSample", RT_RCDATA));
  const auto* p = static_cast<const std::uint8_t*>(resource->GetMemory());
  const Bytes linked(p, p + resource->GetSize());
  TOwned<TMemoryStream> source(TMemoryStream::Create());
  source->LoadFromFile(SourcePath(SONVELT_STREAM_SAMPLE));
  const std::string text(static_cast<const char*>(source->GetMemory()), static_cast<std::size_t>(source->GetSize()));
  EXPECT_EQ(linked, BinaryOf(text));
  EXPECT_EQ(BinaryOf(TextOf(linked)), linked);
  // Written again by the writer, the tree gives the resource's bytes.
  EXPECT_EQ(TextOf(Written(root.get())), TextOf(linked));
  EXPECT_EQ(Written(root.get()), linked);
}

TEST(FormResource, MissingResourceIsAnError) {
  EXPECT_THROW(ReadComponentRes("NoSuchForm", nullptr), EResNotFound);
}

}  // namespace

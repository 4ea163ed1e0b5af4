// The zlib streams, the stored skin's file and form forms, and packing a
// description with its pictures.
#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>

#include "framework/ComponentStreams.h"
#include "framework/FileUtils.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "res/ResourceIds.h"
#include "skins/SkinStore.h"
#include "skins/SkinZlib.h"
#include "tests/skins/SkinTestSupport.h"

namespace {

TOwned<TMemoryStream> StreamOf(const Bytes& B) {
  auto s = MakeOwned<TMemoryStream>();
  if (!B.empty()) s->WriteBuffer(B.data(), int(B.size()));
  s->SetPosition(0);
  return s;
}

Bytes BytesOf(TMemoryStream* S) {
  const auto* p = static_cast<const uint8_t*>(S->GetMemory());
  return Bytes(p, p + S->GetSize());
}

Bytes Payload(size_t n) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = uint8_t(i * 7 + i / 251);
  return b;
}

std::string TempFolder() {
  const std::string dir = GetTempDirectory() + "sonvelt_skin_test\\";
  ForceDirectories(dir);
  return dir;
}

void WriteFileBytes(const std::string& Path, const Bytes& B) {
  auto s = StreamOf(B);
  s->SaveToFile(Path);
}

}  // namespace

TEST(SkinZlib, CompressionMakesZlibStreamsAndRefusesReading) {
  auto empty = MakeOwned<TMemoryStream>();
  auto packed = MakeOwned<TMemoryStream>();
  CompressStream(empty.get(), packed.get());
  // Header (maximum level), a final empty block and the checksum of nothing.
  EXPECT_EQ(BytesOf(packed.get()), (Bytes{0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));

  const Bytes data = Payload(100000);
  auto out = MakeOwned<TMemoryStream>();
  int progress = 0;
  {
    auto z = MakeOwned<TCompressionStream>(TCompressionLevel::clNone, out.get());
    struct Counter {
      int* n;
      void Tick(TObject*) { ++*n; }
    } counter{&progress};
    z->OnProgress = Bind(&counter, &Counter::Tick);
    z->WriteBuffer(data.data(), int(data.size()));
    EXPECT_EQ(z->Seek(0, soCurrent), 100000);
    EXPECT_THROW(z->Seek(0, soBeginning), ECompressionError);
    uint8_t b;
    try {
      z->Read(&b, 1);
      ADD_FAILURE();
    } catch (const ECompressionError& e) {
      EXPECT_EQ(e.GetMessage(), "Invalid stream operation");
    }
    z->Flush();
  }
  EXPECT_GE(progress, 16);  // uncompressed, the bytes pass 4096 at a time
  EXPECT_EQ(Inflate(BytesOf(out.get())), data);
}

TEST(SkinZlib, DecompressionReadsAndSeeks) {
  const Bytes data = Payload(10000);
  Bytes withTail = Deflate(data);
  for (char c : std::string("bytes after the end")) withTail.push_back(uint8_t(c));

  struct Case {
    const char* name;
    Bytes source;
    int64_t seek;
    TSeekOrigin origin;
    int64_t expectAt;  // -1: the seek raises EDecompressionError, -2: EReadError
  };
  const Bytes z = Deflate(data);
  for (const Case& c : {Case{"skip forward", z, 9000, soCurrent, 9100}, Case{"beyond produced", z, 150, soBeginning, 150},
                        Case{"at produced", z, 100, soBeginning, -1}, Case{"back", z, -1, soCurrent, -1},
                        Case{"from the end", z, 0, soEnd, -1}, Case{"restart", z, 0, soBeginning, 0},
                        Case{"past the data", z, 20000, soCurrent, -2},
                        Case{"trailing bytes", withTail, 0, soCurrent, 100}}) {
    auto source = StreamOf(c.source);
    auto d = MakeOwned<TDecompressionStream>(source.get());
    uint8_t first[100];
    ASSERT_EQ(d->Read(first, 100), 100) << c.name;
    if (c.expectAt == -1) {
      EXPECT_THROW(d->Seek(c.seek, c.origin), EDecompressionError) << c.name;
      continue;
    }
    if (c.expectAt == -2) {
      EXPECT_THROW(d->Seek(c.seek, c.origin), EReadError) << c.name;
      continue;
    }
    EXPECT_EQ(d->Seek(c.seek, c.origin), c.expectAt) << c.name;
    Bytes rest(20000);
    const int got = d->Read(rest.data(), int(rest.size()));
    EXPECT_EQ(got, int(10000 - c.expectAt)) << c.name;
    rest.resize(size_t(got));
    EXPECT_EQ(rest, Bytes(data.begin() + c.expectAt, data.end())) << c.name;
    EXPECT_EQ(d->Read(rest.data(), 10), 0) << c.name;  // and nothing after the end
  }

  // An empty source gives nothing; writing is refused.
  auto none = MakeOwned<TMemoryStream>();
  auto d = MakeOwned<TDecompressionStream>(none.get());
  uint8_t b[4];
  EXPECT_EQ(d->Read(b, 4), 0);
  EXPECT_THROW(d->Write(b, 4), EDecompressionError);

  // Others may move the source between reads: the stream goes back to its place.
  auto source = StreamOf(z);
  auto moved = MakeOwned<TDecompressionStream>(source.get());
  Bytes part(5000);
  moved->ReadBuffer(part.data(), 5000);
  source->SetPosition(0);
  moved->ReadBuffer(part.data(), 5000);
  EXPECT_EQ(part, Bytes(data.begin() + 5000, data.end()));

  // Damaged data raises.
  Bytes damaged = z;
  damaged[10] ^= 0xFF;
  damaged[11] ^= 0xFF;
  auto bad = StreamOf(damaged);
  auto target = MakeOwned<TMemoryStream>();
  try {
    DecompressStream(target.get(), bad.get());
    ADD_FAILURE();
  } catch (const EDecompressionError& e) {
    EXPECT_EQ(e.GetMessage(), "compression error");
  }
}

TEST(SkinStore, CompressedSkinFileSizeAndVersionAreChecked) {
  const Bytes zlib = Deflate(Payload(300));
  auto file = [&](int32_t version, int32_t size, size_t bytes) {
    Bytes f;
    PutLE32(f, version);
    PutLE32(f, size);
    f.insert(f.end(), zlib.begin(), zlib.begin() + ptrdiff_t(std::min(bytes, zlib.size())));
    return f;
  };
  const int32_t n = int32_t(zlib.size());
  struct Case {
    const char* name;
    Bytes file;
    bool loads;
  };
  for (const Case& c : {Case{"exact", file(2, n, zlib.size()), true}, Case{"version -1", file(-1, n, zlib.size()), true},
                        Case{"version 3", file(3, n, zlib.size()), true}, Case{"version 4", file(4, n, zlib.size()), false},
                        Case{"size beyond the data", file(2, n + 1, zlib.size()), false},
                        Case{"negative size", file(2, -1, zlib.size()), false},
                        Case{"size 0", file(2, 0, zlib.size()), false}, Case{"no size", Bytes{2, 0, 0, 0}, false}}) {
    auto skin = MakeOwned<TspCompressedStoredSkin>(nullptr);
    auto s = StreamOf(c.file);
    s->SetPosition(3);  // read from the start whatever the position
    skin->LoadFromCompressedStream(s.get());
    EXPECT_EQ(!skin->IsEmpty(), c.loads) << c.name;
    if (c.loads) {
      EXPECT_EQ(BytesOf(skin->GetCompressedStream()), zlib) << c.name;
    }
  }
  // Saving gives the file form back, version 2.
  auto skin = MakeOwned<TspCompressedStoredSkin>(nullptr);
  auto in = StreamOf(file(-1, n, zlib.size()));
  skin->LoadFromCompressedStream(in.get());
  auto out = MakeOwned<TMemoryStream>();
  skin->SaveToCompressedStream(out.get());
  EXPECT_EQ(BytesOf(out.get()), file(2, n, zlib.size()));
}

TEST(SkinStore, PackingADescriptionMatchesTheAuthoredSkin) {
  // Two writers agree: the script's cool.skn and LoadFromSkinFile on its sources.
  auto skin = MakeOwned<TspCompressedStoredSkin>(nullptr);
  skin->LoadFromSkinFile(SkinFile("cool.ini"));
  const Bytes packed = BytesOf(skin->GetCompressedStream());
  ASSERT_GT(packed.size(), 2u);
  EXPECT_EQ(packed[0], 0x78);
  EXPECT_EQ(packed[1], 0xDA);
  const Bytes skn = ReadFileBytes(SkinFile("cool.skn"));
  ASSERT_GT(skn.size(), 8u);
  EXPECT_EQ(Inflate(packed), Inflate(Bytes(skn.begin() + 8, skn.end())));

  auto fromFile = MakeOwned<TspCompressedStoredSkin>(nullptr);
  fromFile->LoadFromCompressedFile(SkinFile("cool.skn"));
  EXPECT_EQ(BytesOf(fromFile->GetCompressedStream()), Bytes(skn.begin() + 8, skn.end()));
  // The program carries the same file as a resource.
  auto resource = MakeOwned<TResourceStream>(GetModuleHandleW(nullptr), IDR_COOLSKIN, RT_RCDATA);
  auto fromResource = MakeOwned<TspCompressedStoredSkin>(nullptr);
  fromResource->LoadFromCompressedStream(resource.get());
  EXPECT_EQ(BytesOf(fromResource->GetCompressedStream()), Bytes(skn.begin() + 8, skn.end()));
}

TEST(SkinStore, PackingKeepsTheOldSkinWhenAPictureIsMissing) {
  const std::string dir = TempFolder();
  WriteFileBytes(dir + "tiny.bmp", SmallBmp(3, 2, RGB(1, 2, 3)));
  const std::string sections = "[VERSION]\r\nskinname=t\r\n[FORMINFO]\r\ncursorindex=-1\r\n[SKINOBJECTS]\r\ncount=0\r\n"
                               "[SKINCONTROLS]\r\ncount=0\r\n";
  auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
  WriteFileBytes(dir + "good.ini", text(sections + "[PICTURES]\r\nactivepicturescount=1\r\n0=tiny.bmp\r\n"));
  WriteFileBytes(dir + "missing.ini", text(sections + "[PICTURES]\r\nmask=nothere.bmp\r\n"));
  WriteFileBytes(dir + "partial.ini", text("[VERSION]\r\nskinname=t\r\n[PICTURES]\r\npicture=tiny.bmp\r\n"));

  auto skin = MakeOwned<TspCompressedStoredSkin>(nullptr);
  skin->LoadFromSkinFile(dir + "good.ini");
  const Bytes good = BytesOf(skin->GetCompressedStream());
  const Bytes package = Inflate(good);
  // Version 2, five empty slots although the description names none, one picture.
  ASSERT_GT(package.size(), 13u);
  EXPECT_EQ(Bytes(package.begin(), package.begin() + 13), (Bytes{2, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}));
  const Bytes bmp = SmallBmp(3, 2, RGB(1, 2, 3));
  EXPECT_EQ(Bytes(package.begin() + 13, package.begin() + 13 + ptrdiff_t(bmp.size())), bmp);

  EXPECT_THROW(skin->LoadFromSkinFile(dir + "missing.ini"), Exception);
  EXPECT_EQ(BytesOf(skin->GetCompressedStream()), good);
  skin->LoadFromSkinFile(dir + "partial.ini");  // not a skin description: ignored
  EXPECT_EQ(BytesOf(skin->GetCompressedStream()), good);
}

TEST(SkinStore, FormDataCarriesThePackages) {
  auto owner = MakeOwned<TComponent>(nullptr);
  auto* stored = TspCompressedStoredSkin::Create(owner.get());
  stored->SetName("spCompressedStoredSkin");
  stored->SetCompressedFileName("cool.skn");
  stored->LoadFromCompressedFile(SkinFile("cool.skn"));
  auto stream = MakeOwned<TMemoryStream>();
  WriteComponent(stream.get(), stored);
  // The package is a binary value: the property's name, 0x0A, its length in
  // four bytes, then the compressed bytes as they are.
  const Bytes package = BytesOf(stored->GetCompressedStream());
  Bytes value = {14, 'C', 'o', 'm', 'p', 'r', 'e', 's', 's', 'e', 'd', 'D', 'a', 't', 'a', 0x0A};
  for (int shift = 0; shift < 32; shift += 8) value.push_back(uint8_t(package.size() >> shift));
  value.insert(value.end(), package.begin(), package.end());
  const Bytes written = BytesOf(stream.get());
  EXPECT_NE(std::search(written.begin(), written.end(), value.begin(), value.end()), written.end());
  stream->SetPosition(0);
  auto text = MakeOwned<TStringStream>();
  ObjectBinaryToText(stream.get(), text.get());
  EXPECT_NE(text->GetDataString().find("CompressedData = {\r\n    78DA"), std::string::npos);
  EXPECT_NE(text->GetDataString().find("CompressedFileName = 'cool.skn'"), std::string::npos);

  stream->SetPosition(0);
  TOwned<TComponent> read(ReadComponent(stream.get(), nullptr));
  auto* copy = dynamic_cast<TspCompressedStoredSkin*>(read.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(BytesOf(copy->GetCompressedStream()), BytesOf(stored->GetCompressedStream()));
  EXPECT_EQ(copy->GetCompressedFileName(), "cool.skn");

  // A list keeps each package in the compressed skin file form, under "Skin".
  auto* list = TspCompressedSkinList::Create(owner.get());
  list->SetName("List");
  auto* first = static_cast<TspSkinListItem*>(list->GetSkins()->Add());
  auto* second = static_cast<TspSkinListItem*>(list->GetSkins()->Add());
  EXPECT_EQ(first->GetName(), "spSkin0");
  EXPECT_EQ(second->GetDisplayName(), "spSkin1");
  second->GetStoredSkin()->LoadFromCompressedFile(SkinFile("cool.skn"));
  auto listStream = MakeOwned<TMemoryStream>();
  WriteComponent(listStream.get(), list);
  listStream->SetPosition(0);
  TOwned<TComponent> readList(ReadComponent(listStream.get(), nullptr));
  auto* list2 = dynamic_cast<TspCompressedSkinList*>(readList.get());
  ASSERT_NE(list2, nullptr);
  ASSERT_EQ(list2->GetSkins()->GetCount(), 2);
  EXPECT_TRUE(list2->GetSkins()->Items(0)->GetStoredSkin()->IsEmpty());
  EXPECT_EQ(BytesOf(list2->GetSkins()->Items(1)->GetStoredSkin()->GetCompressedStream()),
            BytesOf(second->GetStoredSkin()->GetCompressedStream()));
}

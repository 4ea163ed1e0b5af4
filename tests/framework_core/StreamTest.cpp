// Streams: seek, size and copy on each kind, file modes and their errors, resources
// and the IStream adapter.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/MemoryStreams.h"
#include "framework/StreamAdapter.h"

namespace {

std::string Content(TStream* s) {
  std::int64_t pos = s->GetPosition();
  s->SetPosition(0);
  std::string r(static_cast<size_t>(s->GetSize()), '\0');
  if (!r.empty()) s->ReadBuffer(r.data(), static_cast<int>(r.size()));
  s->SetPosition(pos);
  return r;
}

std::string TempName(const char* name) { return GetTempDirectory() + name; }

}  // namespace

// The same behaviour from every writable stream kind.
TEST(Streams, SeekSizeReadWriteAlike) {
  std::string fileName = TempName("sonvelt-fw1-stream.bin");
  std::vector<std::pair<const char*, std::function<TStream*()>>> kinds = {
      {"memory", [] { return TMemoryStream::Create(); }},
      {"string", [] { return TStringStream::Create(); }},
      {"file", [&] { return TFileStream::Create(fileName, fmCreate); }},
  };
  for (auto& [kind, make] : kinds) {
    SCOPED_TRACE(kind);
    TStream* s = make();
    s->WriteBuffer("abcdef", 6);
    EXPECT_EQ(s->GetPosition(), 6);
    EXPECT_EQ(s->GetSize(), 6);
    EXPECT_EQ(s->Seek(-2, soEnd), 4);
    char buf[8] = {};
    EXPECT_EQ(s->Read(buf, 8), 2);  // short read at the end
    EXPECT_EQ(std::string(buf, 2), "ef");
    EXPECT_EQ(s->Read(buf, 8), 0);
    EXPECT_EQ(s->Seek(-3, soCurrent), 3);
    s->WriteBuffer("XY", 2);
    EXPECT_EQ(Content(s), "abcXYf");
    s->SetPosition(1);
    EXPECT_THROW(s->ReadBuffer(buf, 6), EReadError);
    s->SetSize(2);
    EXPECT_EQ(s->GetSize(), 2);
    EXPECT_EQ(Content(s), "ab");
    Free(s);
  }
  DeleteFile(fileName);
}

TEST(Streams, CopyFromWholeOrPart) {
  TMemoryStream* src = TMemoryStream::Create();
  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  src->WriteBuffer(big.data(), static_cast<int>(big.size()));
  TStringStream* dst = TStringStream::Create();
  EXPECT_EQ(dst->CopyFrom(src, 0), 200000);  // 0: all of it from the start
  EXPECT_EQ(dst->GetDataString(), big);
  src->SetPosition(10);
  TMemoryStream* part = TMemoryStream::Create();
  EXPECT_EQ(part->CopyFrom(src, 5), 5);
  EXPECT_EQ(Content(part), big.substr(10, 5));
  src->SetPosition(199999);
  EXPECT_THROW(part->CopyFrom(src, 5), EReadError);
  Free(part);
  Free(dst);
  Free(src);
}

TEST(FileStream, ModesSharingAndErrors) {
  std::string name = TempName("sonvelt-fw1-\xC3\xA9.dat");
  DeleteFile(name);
  try {
    TFileStream::Create(name, fmOpenRead);
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.GetMessage().rfind("Cannot open file \"" + name + "\". ", 0), 0u) << e.GetMessage();
    EXPECT_GT(e.GetMessage().size(), name.size() + 22);  // the system's reason follows
  }
  try {
    TFileStream::Create(TempName("no-such-dir-fw1\\x.dat"), fmCreate);
    ADD_FAILURE();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.GetMessage().rfind("Cannot create file \"", 0), 0u);
  }
  TFileStream* w = TFileStream::Create(name, fmCreate | fmShareDenyWrite);
  w->WriteBuffer("1234", 4);
  // Reading alongside is allowed, a second writer is not.
  TFileStream* r = TFileStream::Create(name, fmOpenRead | fmShareDenyNone);
  EXPECT_EQ(r->GetSize(), 4);
  EXPECT_THROW(TFileStream::Create(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
  Free(r);
  Free(w);
  TFileStream* exclusive = TFileStream::Create(name, fmOpenReadWrite | fmShareExclusive);
  EXPECT_THROW(TFileStream::Create(name, fmOpenRead | fmShareDenyNone), EFOpenError);
  exclusive->Seek(0, soEnd);
  exclusive->WriteBuffer("5", 1);
  Free(exclusive);
  TFileStream* ro = TFileStream::Create(name, fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(Content(ro), "12345");
  EXPECT_THROW(ro->WriteBuffer("x", 1), EWriteError);
  Free(ro);
  EXPECT_TRUE(DeleteFile(name));
}

TEST(FileStream, SafeSaveReplacesOnlyOnSuccess) {
  std::string name = TempName("sonvelt-fw1-safe.txt");
  SaveToFileSafely(name, [](TStream& s) { s.WriteBuffer("old", 3); });
  EXPECT_THROW(SaveToFileSafely(name,
                                [](TStream& s) {
                                  s.WriteBuffer("new", 3);
                                  throw EWriteError("disk full");
                                }),
               EWriteError);
  TMemoryStream* m = TMemoryStream::Create();
  m->LoadFromFile(name);
  EXPECT_EQ(Content(m), "old");
  EXPECT_FALSE(FileExists(name + ".~tmp"));
  SaveToFileSafely(name, [](TStream& s) { s.WriteBuffer("newer", 5); });
  m->LoadFromFile(name);
  EXPECT_EQ(Content(m), "newer");
  Free(m);
  DeleteFile(name);
}

TEST(MemoryStream, GrowsOnWriteBeyondTheEndAndKeepsBytes) {
  TMemoryStream* m = TMemoryStream::Create();
  m->SetPosition(4);
  m->WriteBuffer("x", 1);
  EXPECT_EQ(m->GetSize(), 5);
  EXPECT_EQ(Content(m), std::string("\0\0\0\0x", 5));
  EXPECT_EQ(m->Seek(-100, soCurrent), 0);
  m->Clear();
  EXPECT_EQ(m->GetSize(), 0);
  EXPECT_EQ(m->GetPosition(), 0);
  Free(m);

  TStringStream* s = TStringStream::Create("hello world");
  s->SetPosition(6);
  EXPECT_EQ(s->ReadString(100), "world");
  s->SetPosition(5);
  s->WriteString("!");  // overwrites, the rest stays
  EXPECT_EQ(s->GetDataString(), "hello!world");
  Free(s);
}

TEST(ResourceStream, ReadsAModuleResourceAndRefusesWrites) {
  TResourceStream* r = TResourceStream::Create(GetModuleHandleW(nullptr), std::string("GREETING"), RT_RCDATA);
  std::string text = Content(r);
  EXPECT_EQ(text.substr(0, 15), "Hello, resource");
  EXPECT_THROW(r->WriteBuffer("x", 1), EStreamError);
  Free(r);
  try {
    TResourceStream::Create(GetModuleHandleW(nullptr), std::string("MISSING"), RT_RCDATA);
    ADD_FAILURE();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.GetMessage(), "Resource MISSING not found");
  }
}

TEST(StreamAdapter, ServesIStreamCallsAndOwnsWhenAsked) {
  TStringStream* s = TStringStream::Create("0123456789");
  IStream* is = new TStreamAdapter(s, soOwned);
  is->AddRef();
  IUnknown* unk = nullptr;
  EXPECT_EQ(is->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)), S_OK);
  unk->Release();
  LARGE_INTEGER off;
  off.QuadPart = 3;
  ULARGE_INTEGER pos;
  EXPECT_EQ(is->Seek(off, STREAM_SEEK_SET, &pos), S_OK);
  EXPECT_EQ(pos.QuadPart, 3u);
  char buf[4];
  ULONG n = 0;
  EXPECT_EQ(is->Read(buf, 4, &n), S_OK);
  EXPECT_EQ(std::string(buf, n), "3456");
  EXPECT_EQ(is->Read(buf, 4, &n), S_FALSE);  // only three left
  EXPECT_EQ(n, 3u);
  STATSTG st;
  EXPECT_EQ(is->Stat(&st, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(st.cbSize.QuadPart, 10u);

  // Copy into a system stream and compare bytes.
  IStream* mem = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &mem), S_OK);
  off.QuadPart = 0;
  is->Seek(off, STREAM_SEEK_SET, nullptr);
  ULARGE_INTEGER all, read, written;
  all.QuadPart = 100;
  EXPECT_EQ(is->CopyTo(mem, all, &read, &written), S_OK);
  EXPECT_EQ(written.QuadPart, 10u);
  mem->Seek(off, STREAM_SEEK_SET, nullptr);
  char back[10];
  mem->Read(back, 10, &n);
  EXPECT_EQ(std::string(back, 10), "0123456789");
  mem->Release();
  EXPECT_EQ(is->Release(), 0u);  // frees the adapter and, owned, the stream
}

namespace {
// A stream whose medium fails: every read throws, as a broken file or socket would.
class TFailingStream : public TStream {
  SONVELT_CLASS(TFailingStream, TStream)
public:
  TFailingStream() = default;
  int Read(void*, int) override { throw EReadError("Stream read error"); }
  int Write(const void*, int Count) override { return Count; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
};
}  // namespace

TEST(StreamAdapter, AFailingStreamIsReportedAsAFaultNotAsTheEnd) {
  IStream* is = new TStreamAdapter(TFailingStream::Create(), soOwned);
  is->AddRef();
  char buf[4];
  ULONG n = 99;
  HRESULT hr = is->Read(buf, 4, &n);
  EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
  EXPECT_EQ(n, 0u);
  // Copying from it fails without letting the error cross the COM call.
  IStream* mem = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &mem), S_OK);
  ULARGE_INTEGER all, read, written;
  all.QuadPart = 100;
  EXPECT_TRUE(FAILED(is->CopyTo(mem, all, &read, &written)));
  EXPECT_EQ(read.QuadPart, 0u);
  EXPECT_EQ(written.QuadPart, 0u);
  mem->Release();
  is->Release();
}

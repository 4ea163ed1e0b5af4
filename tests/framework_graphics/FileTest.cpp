// Pictures through streams and files: BMP and JPEG files, the picture loading
// by extension, form data, and saves that fail without harm.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "JpegFixtures.h"
#include "PixelProbe.h"
#include "framework/Icon.h"
#include "framework/JpegImage.h"
#include "framework/Picture.h"
#include "framework/MemoryStreams.h"
#include "framework/Streams.h"

namespace {

std::string TempPath(const char* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  std::wstring w = std::wstring(dir) + L"sonvelt-fw2-" + std::wstring(name, name + strlen(name));
  std::string s;
  for (wchar_t c : w) s += static_cast<char>(c);
  return s;
}

// What else lies beside path under a name that begins with its own: a
// temporary file a save left behind, whatever it is called.
std::vector<std::string> LeftBeside(const std::string& path) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((path + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return found;
  std::string own = path.substr(path.find_last_of('\\') + 1);
  do {
    if (fd.cFileName != own) found.push_back(fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return found;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

TEST(GraphicFiles, BmpAndJpegFilesRoundTripThroughThePicture) {
  std::string bmpPath = TempPath("round.bmp"), jpgPath = TempPath("round.jpg");
  TOwned<TBitmap> b(MakeBitmap(6, 4, clRed));
  b->GetCanvas()->SetPixels(5, 3, clBlue);
  b->SaveToFile(bmpPath);
  EXPECT_EQ(ReadFile(bmpPath), b->SaveToBytes());

  TOwned<TPicture> p(TPicture::Create());
  p->LoadFromFile(bmpPath);
  ASSERT_EQ(p->GetGraphic()->ClassType(), TBitmap::StaticClass());
  EXPECT_EQ(ProbePixel(p->GetBitmap(), 5, 3), RGB(0, 0, 255));

  TOwned<TJPEGImage> j(TJPEGImage::Create());
  j->LoadFromBytes(kRedBlueJpeg, sizeof kRedBlueJpeg);
  j->SaveToFile(jpgPath);
  EXPECT_EQ(ReadFile(jpgPath), std::vector<std::uint8_t>(kRedBlueJpeg, kRedBlueJpeg + sizeof kRedBlueJpeg));
  p->LoadFromFile(jpgPath);
  ASSERT_EQ(p->GetGraphic()->ClassType(), TJPEGImage::StaticClass());
  EXPECT_EQ(p->GetWidth(), 16);

  // A broken file leaves the picture as it was.
  std::ofstream(TempPath("broken.jpg"), std::ios::binary) << "not a jpeg";
  EXPECT_THROW(p->LoadFromFile(TempPath("broken.jpg")), EInvalidGraphic);
  EXPECT_EQ(p->GetGraphic()->ClassType(), TJPEGImage::StaticClass());
  EXPECT_THROW(p->LoadFromFile(TempPath("missing.bmp")), EFOpenError);
  DeleteFileA(bmpPath.c_str());
  DeleteFileA(jpgPath.c_str());
  DeleteFileA(TempPath("broken.jpg").c_str());
}

namespace {
// Writes half its data and then fails, like an encoder running out of room.
class TFailingGraphic : public TBitmap {
  SONVELT_CLASS(TFailingGraphic, TBitmap)
public:
  void SaveToStream(TStream* Stream) override {
    Stream->WriteBuffer("partial", 7);
    throw EWriteError("disk full");
  }
};
}  // namespace

TEST(GraphicFiles, FailedSaveKeepsTheOldFile) {
  std::string path = TempPath("keep.bmp");
  std::ofstream(path, std::ios::binary) << "old contents";
  TOwned<TFailingGraphic> g(TFailingGraphic::Create());
  EXPECT_THROW(g->SaveToFile(path), EWriteError);
  EXPECT_EQ(ReadFile(path), std::vector<std::uint8_t>(std::begin("old contents"), std::end("old contents") - 1));
  EXPECT_EQ(LeftBeside(path), std::vector<std::string>{});
  DeleteFileA(path.c_str());

  // A directory of that name cannot be replaced: an error, and no temp file left.
  std::string dir = TempPath("adir.bmp");
  CreateDirectoryA(dir.c_str(), nullptr);
  TOwned<TBitmap> b(MakeBitmap(2, 2, clRed));
  EXPECT_THROW(b->SaveToFile(dir), Exception);
  EXPECT_EQ(LeftBeside(dir), std::vector<std::string>{});
  RemoveDirectoryA(dir.c_str());
}

TEST(GraphicFiles, FormDataCarriesClassAndBytes) {
  TOwned<TMemoryStream> s(TMemoryStream::Create());
  TOwned<TBitmap> b(MakeBitmap(3, 3, clGreen, pf32bit));
  b->WriteData(s.get());
  std::vector<std::uint8_t> file = b->SaveToBytes();
  ASSERT_EQ(s->GetSize(), static_cast<std::int64_t>(4 + file.size()));
  EXPECT_EQ(*static_cast<const std::int32_t*>(s->GetMemory()), static_cast<std::int32_t>(file.size()));
  s->SetPosition(0);
  TOwned<TBitmap> r(TBitmap::Create());
  r->ReadData(s.get());
  EXPECT_EQ(r->GetPixelFormat(), pf32bit);
  EXPECT_TRUE(r->Equals(b.get()));

  TOwned<TPicture> p(TPicture::Create());
  TOwned<TJPEGImage> j(TJPEGImage::Create());
  j->LoadFromBytes(kGreyJpeg, sizeof kGreyJpeg);
  p->SetGraphic(j.get());
  TOwned<TMemoryStream> ps(TMemoryStream::Create());
  p->WriteData(ps.get());
  ps->SetPosition(0);
  TOwned<TPicture> q(TPicture::Create());
  q->ReadData(ps.get());
  ASSERT_NE(q->GetGraphic(), nullptr);
  EXPECT_EQ(q->GetGraphic()->ClassType(), TJPEGImage::StaticClass());
  EXPECT_TRUE(q->GetGraphic()->Equals(j.get()));

  // A size beyond the stream is refused, not read past.
  TOwned<TMemoryStream> bad(TMemoryStream::Create());
  std::int32_t lie = 1 << 30;
  bad->WriteBuffer(&lie, 4);
  bad->SetPosition(0);
  EXPECT_THROW(r->ReadData(bad.get()), EInvalidGraphic);
}

// Paths and the real file system under Wine, with non-ASCII names.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "framework/FileUtils.h"
#include "framework/Unicode.h"

TEST(Paths, SplitAndJoin) {
  struct Case {
    const char* name;
    const char* path;
    const char* file;
    const char* ext;
    const char* dir;
  } cases[] = {
      {"C:\\a\\b.wav", "C:\\a\\", "b.wav", ".wav", "C:\\a"},
      {"C:\\b.tar.gz", "C:\\", "b.tar.gz", ".gz", "C:\\"},
      {"C:\\dir.x\\file", "C:\\dir.x\\", "file", "", "C:\\dir.x"},
      {"name.mp3", "", "name.mp3", ".mp3", ""},
      {"D:x.ogg", "D:", "x.ogg", ".ogg", "D:"},
      {"a/b/c.txt", "a/b/", "c.txt", ".txt", "a/b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
  }
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\song.wav", ".mp3"), "C:\\a.b\\song.mp3");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\song", ".chm"), "C:\\a.b\\song.chm");
  EXPECT_EQ(ChangeFileExt("song.wav", ""), "song");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x"), "C:\\x\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\x\\"), "C:\\x");
  EXPECT_EQ(ExtractFileDrive("C:\\x"), "C:");
  EXPECT_EQ(ExtractFileDrive("\\\\srv\\share\\x"), "\\\\srv\\share");
}

TEST(Files, CreateFindRenameAndDeleteWithUnicodeNames) {
  std::string root = GetTempDirectory() + "sonvelt fw1 \xC3\xA9t\xC3\xA9\\";
  std::string deep = root + "a\\b\\c";
  ASSERT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_FALSE(FileExists(deep));
  std::string f1 = deep + "\\Mus\xC3\xAFk.wav";
  {
    HANDLE h = CreateFileW(Utf8ToWide(f1).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD w;
    WriteFile(h, "12345", 5, &w, nullptr);
    CloseHandle(h);
  }
  EXPECT_TRUE(FileExists(f1));
  EXPECT_EQ(FileSizeOf(f1), 5);
  EXPECT_NEAR(FileDateTime(f1), Now(), 60.0 / SecsPerDay);
  std::string f2 = deep + "\\renamed.wav";
  EXPECT_TRUE(RenameFile(f1, f2));
  EXPECT_FALSE(FileExists(f1));
  CreateDir(deep + "\\sub");

  std::vector<std::string> names;
  TSearchRec r;
  if (FindFirst(deep + "\\*", faAnyFile, r) == 0) {
    do names.push_back(r.Name + (r.Attr & faDirectory ? "/" : ""));
    while (FindNext(r) == 0);
    FindClose(r);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"../", "./", "renamed.wav", "sub/"}));
  names.clear();
  ASSERT_EQ(FindFirst(deep + "\\*", faArchive | faReadOnly, r), 0);  // folders not asked for
  do names.push_back(r.Name);
  while (FindNext(r) == 0);
  FindClose(r);
  EXPECT_EQ(names, (std::vector<std::string>{"renamed.wav"}));
  EXPECT_NE(FindFirst(deep + "\\*.none", faAnyFile, r), 0);

  EXPECT_TRUE(DeleteFile(f2));
  EXPECT_FALSE(DeleteFile(f2));
  EXPECT_EQ(FileSizeOf(f2), -1);
  for (const std::string& d : {deep + "\\sub", deep, root + "a\\b", root + "a", root}) EXPECT_TRUE(RemoveDir(d)) << d;
}

TEST(Program, ParamStrZeroIsTheExecutable) {
  EXPECT_EQ(ExtractFileName(ParamStr(0)), "test_framework_core.exe");
  // The same words the C runtime parsed from the command line.
  ASSERT_EQ(ParamCount(), __argc - 1);
  for (int i = 1; i < __argc; ++i) EXPECT_EQ(ParamStr(i), __argv[i]) << i;
  EXPECT_EQ(ParamStr(ParamCount() + 1), "");
  EXPECT_EQ(SafeLoadLibrary("no-such-library-here.dll"), nullptr);
  HMODULE k = SafeLoadLibrary("kernel32.dll");
  EXPECT_NE(k, nullptr);
  if (k) FreeLibrary(k);
}

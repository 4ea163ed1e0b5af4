// The registry and the INI stores, against Wine's real registry and files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/IniFiles.h"
#include "framework/MemoryStreams.h"
#include "framework/Registry.h"
#include "framework/RegistryIniFile.h"
#include "framework/StringLists.h"

namespace {

const std::string kBase = "\\Software\\SonveltTest-fw1";

std::vector<std::string> Sorted(TStrings* l) {
  std::vector<std::string> r;
  for (int i = 0; i < l->GetCount(); ++i) r.push_back(l->GetStrings(i));
  std::sort(r.begin(), r.end());
  return r;
}

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    TRegistry* r = TRegistry::Create();
    r->DeleteKey(kBase);
    Free(r);
  }
};

}  // namespace

TEST_F(RegistryTest, ValuesRoundTripByType) {
  TRegistry* r = TRegistry::Create();
  EXPECT_FALSE(r->OpenKey(kBase + "\\Settings", false));
  ASSERT_TRUE(r->OpenKey(kBase + "\\Settings", true));
  EXPECT_EQ(r->GetCurrentPath(), "Software\\SonveltTest-fw1\\Settings");
  const unsigned char blob[] = {0, 1, 2, 250, 255};
  r->WriteString("Folder", "C:\\Musik\\K\xC3\xBCnstler");
  r->WriteString("Empty", "");
  r->WriteInteger("Rate", -44100);
  r->WriteBool("Flag", true);
  r->WriteBinaryData("Blob", blob, sizeof blob);
  r->WriteFloat("Gain", 0.75);
  r->CloseKey();

  ASSERT_TRUE(r->OpenKeyReadOnly(kBase + "\\Settings"));
  EXPECT_EQ(r->ReadString("Folder"), "C:\\Musik\\K\xC3\xBCnstler");
  EXPECT_EQ(r->ReadString("Empty"), "");
  EXPECT_EQ(r->ReadInteger("Rate"), -44100);
  EXPECT_TRUE(r->ReadBool("Flag"));
  EXPECT_DOUBLE_EQ(r->ReadFloat("Gain"), 0.75);
  unsigned char back[8] = {};
  EXPECT_EQ(r->ReadBinaryData("Blob", back, sizeof back), 5);
  EXPECT_EQ(std::vector<unsigned char>(back, back + 5), std::vector<unsigned char>(blob, blob + 5));
  EXPECT_EQ(r->GetDataType("Rate"), rdInteger);
  EXPECT_EQ(r->GetDataSize("Missing"), -1);
  EXPECT_TRUE(r->ValueExists("Flag"));
  EXPECT_FALSE(r->ValueExists("Missing"));
  TStringList* names = TStringList::Create();
  r->GetValueNames(names);
  EXPECT_EQ(Sorted(names), (std::vector<std::string>{"Blob", "Empty", "Flag", "Folder", "Gain", "Rate"}));
  // Read-only: writing fails with the set-data text.
  try {
    r->WriteInteger("Rate", 1);
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.GetMessage(), "Failed to set data for 'Rate'");
  }
  // A read-only open does not leave later opens read-only.
  ASSERT_TRUE(r->OpenKey(kBase + "\\Settings", false));
  r->WriteInteger("Rate", 2);
  EXPECT_EQ(r->ReadInteger("Rate"), 2);
  Free(names);
  Free(r);
}

TEST_F(RegistryTest, MissingAndWrongTypedValuesRaiseTheirTexts) {
  TRegistry* r = TRegistry::Create();
  ASSERT_TRUE(r->OpenKey(kBase, true));
  r->WriteString("Text", "12");
  r->WriteInteger("Number", 12);
  unsigned char small[2];
  struct Case {
    const char* what;
    std::function<void()> call;
    std::string message;
  } cases[] = {
      {"missing integer", [&] { r->ReadInteger("Nope"); }, "Failed to get data for 'Nope'"},
      {"missing bool", [&] { r->ReadBool("Nope"); }, "Failed to get data for 'Nope'"},
      {"missing float", [&] { r->ReadFloat("Nope"); }, "Failed to get data for 'Nope'"},
      {"string as integer", [&] { r->ReadInteger("Text"); }, "Invalid data type for 'Text'"},
      {"integer as string", [&] { r->ReadString("Number"); }, "Invalid data type for 'Number'"},
      {"integer as binary", [&] { r->ReadBinaryData("Number", small, 2); }, "Invalid data type for 'Number'"},
      {"integer as float", [&] { r->ReadFloat("Number"); }, "Invalid data type for 'Number'"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.what;
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.GetMessage(), c.message) << c.what;
    }
  }
  EXPECT_EQ(r->ReadString("Nope"), "");  // a missing string reads as empty
  EXPECT_EQ(r->ReadBinaryData("Nope", small, 2), 0);
  EXPECT_TRUE(r->DeleteValue("Text"));
  EXPECT_FALSE(r->DeleteValue("Text"));
  Free(r);
}

TEST_F(RegistryTest, KeysNestRelativeToTheOpenKeyAndDeleteWithSubKeys) {
  TRegistry* r = TRegistry::Create();
  ASSERT_TRUE(r->OpenKey(kBase, true));
  ASSERT_TRUE(r->OpenKey("FormPos", true));  // relative to the open key
  EXPECT_EQ(r->GetCurrentPath(), "Software\\SonveltTest-fw1\\FormPos");
  r->WriteInteger("x", 10);
  EXPECT_TRUE(r->CreateKey("Deep\\Deeper"));
  EXPECT_TRUE(r->HasSubKeys());
  r->CloseKey();
  EXPECT_TRUE(r->KeyExists(kBase + "\\FormPos\\Deep\\Deeper"));
  ASSERT_TRUE(r->OpenKey(kBase, false));
  TStringList* keys = TStringList::Create();
  r->GetKeyNames(keys);
  EXPECT_EQ(Sorted(keys), (std::vector<std::string>{"FormPos"}));
  EXPECT_TRUE(r->DeleteKey("FormPos"));
  EXPECT_FALSE(r->KeyExists("FormPos"));
  EXPECT_FALSE(r->KeyExists(kBase + "\\FormPos\\Deep"));
  r->SetRootKey(HKEY_LOCAL_MACHINE);  // closes the key
  EXPECT_EQ(r->GetCurrentKey(), nullptr);
  Free(keys);
  Free(r);
}

// The same INI behaviour from each store.
TEST_F(RegistryTest, IniStoresAlike) {
  std::string iniName = GetTempDirectory() + "sonvelt-fw1.ini";
  std::string memName = GetTempDirectory() + "sonvelt-fw1-mem.ini";
  DeleteFile(iniName);
  DeleteFile(memName);
  std::vector<std::pair<std::string, std::function<TCustomIniFile*()>>> stores = {
      {"ini", [&] { return TIniFile::Create(iniName); }},
      {"mem", [&] { return TMemIniFile::Create(memName); }},
      {"registry", [&] { return TRegistryIniFile::Create(kBase + "\\Layout"); }},
  };
  for (auto& [kind, open] : stores) {
    SCOPED_TRACE(kind);
    TCustomIniFile* ini = open();
    ini->WriteString("Bar1", "Caption", "Datei \xC3\xB6""ffnen");
    ini->WriteInteger("Bar1", "Left", -12);
    ini->WriteBool("Bar1", "Visible", false);
    ini->WriteString("Bar2", "Caption", "Edit");
    ini->WriteString("Bar2", "Hex", "0x1F");
    TMemoryStream* glyph = TMemoryStream::Create();
    glyph->WriteBuffer("\x00\x01\xFEglyph", 8);
    ini->WriteBinaryStream("Bar3", "Glyph", glyph);
    Free(glyph);
    ini->UpdateFile();
    Free(ini);

    ini = open();
    EXPECT_EQ(ini->ReadString("Bar1", "Caption", "?"), "Datei \xC3\xB6""ffnen");
    EXPECT_EQ(ini->ReadString("bar1", "caption", "?"), "Datei \xC3\xB6""ffnen");  // case ignored
    EXPECT_EQ(ini->ReadInteger("Bar1", "Left", 0), -12);
    EXPECT_FALSE(ini->ReadBool("Bar1", "Visible", true));
    EXPECT_EQ(ini->ReadInteger("Bar2", "Hex", 0), 31);
    EXPECT_EQ(ini->ReadInteger("Bar2", "Caption", 7), 7);  // not a number: the default
    EXPECT_EQ(ini->ReadString("Bar3", "Caption", "dflt"), "dflt");
    TStringStream* back = TStringStream::Create();
    EXPECT_EQ(ini->ReadBinaryStream("Bar3", "Glyph", back), 8);
    EXPECT_EQ(back->GetDataString(), std::string("\x00\x01\xFEglyph", 8));
    EXPECT_EQ(ini->ReadBinaryStream("Bar2", "Caption", back), 0);  // not binary
    Free(back);
    ini->EraseSection("Bar3");
    EXPECT_TRUE(ini->SectionExists("Bar2"));
    EXPECT_FALSE(ini->SectionExists("Bar3"));
    EXPECT_TRUE(ini->ValueExists("Bar1", "Left"));
    EXPECT_FALSE(ini->ValueExists("Bar1", "Top"));
    TStringList* l = TStringList::Create();
    ini->ReadSections(l);
    EXPECT_EQ(Sorted(l), (std::vector<std::string>{"Bar1", "Bar2"}));
    ini->ReadSectionValues("Bar2", l);
    EXPECT_EQ(Sorted(l), (std::vector<std::string>{"Caption=Edit", "Hex=0x1F"}));
    ini->DeleteKey("Bar2", "Hex");
    ini->EraseSection("Bar1");
    ini->UpdateFile();
    Free(ini);
    ini = open();
    ini->ReadSections(l);
    EXPECT_EQ(Sorted(l), (std::vector<std::string>{"Bar2"}));
    ini->ReadSection("Bar2", l);
    EXPECT_EQ(Sorted(l), (std::vector<std::string>{"Caption"}));
    Free(l);
    Free(ini);
  }
  DeleteFile(iniName);
  DeleteFile(memName);
}

TEST(MemIniFile, ReadsFileTextAndWritesItBackWithCrLf) {
  std::string name = GetTempDirectory() + "sonvelt-fw1-text.ini";
  TStringList* text = TStringList::Create();
  text->SetText("; comment\n[SYSTEM]\n Version = 3.99 \n\n[Empty]\n[SYSTEM]\nExtra=1\n");
  text->SaveToFile(name);
  TMemIniFile* ini = TMemIniFile::Create(name);
  EXPECT_EQ(ini->ReadString("System", "Version", ""), "3.99");
  EXPECT_EQ(ini->ReadString("SYSTEM", "Extra", ""), "1");
  ini->WriteString("New", "A", "b");
  ini->UpdateFile();
  TMemoryStream* m = TMemoryStream::Create();
  m->LoadFromFile(name);
  EXPECT_EQ(std::string(static_cast<char*>(m->GetMemory()), m->GetSize()),
            "[SYSTEM]\r\nVersion=3.99\r\nExtra=1\r\n\r\n[Empty]\r\n\r\n[New]\r\nA=b\r\n\r\n");
  // A store on a folder that does not exist cannot be written, and says so.
  TMemIniFile* bad = TMemIniFile::Create(GetTempDirectory() + "no-such-fw1\\x.ini");
  bad->WriteString("a", "b", "c");
  EXPECT_THROW(bad->UpdateFile(), EFCreateError);
  Free(bad);
  Free(m);
  Free(ini);
  Free(text);
  DeleteFile(name);
}

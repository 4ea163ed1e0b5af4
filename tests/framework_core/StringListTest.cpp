// String lists: sorting with duplicates, objects, text forms, name=value pairs,
// change events and files with CR LF.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/MemoryStreams.h"
#include "framework/StringLists.h"

namespace {

std::vector<std::string> Items(TStrings* l) {
  std::vector<std::string> r;
  for (int i = 0; i < l->GetCount(); ++i) r.push_back(l->GetStrings(i));
  return r;
}

class TChangeCounter : public TObject {
  SONVELT_CLASS(TChangeCounter, TObject)
public:
  int Changes = 0, Changings = 0;
  void Change(TObject*) { ++Changes; }
  void Changing(TObject*) { ++Changings; }
};

}  // namespace

TEST(StringList, SortedWithEachDuplicatesRule) {
  struct Case {
    TDuplicates dup;
    std::vector<std::string> want;
    bool raises;
  } cases[] = {
      {dupIgnore, {"apple", "Banana", "cherry"}, false},
      {dupAccept, {"apple", "banana", "Banana", "cherry"}, false},  // a duplicate goes before its equals
      {dupError, {"apple", "Banana", "cherry"}, true},
  };
  for (const Case& c : cases) {
    TStringList* l = TStringList::Create();
    l->SetSorted(true);
    l->SetDuplicates(c.dup);
    for (const char* s : {"cherry", "Banana", "apple"}) l->Add(s);
    if (c.raises) {
      try {
        l->Add("banana");
        ADD_FAILURE();
      } catch (const EStringListError& e) {
        EXPECT_EQ(e.GetMessage(), "String list does not allow duplicates");
      }
    } else {
      int at = l->Add("banana");
      EXPECT_EQ(at, 1);
    }
    EXPECT_EQ(Items(l), c.want);
    int idx;
    EXPECT_TRUE(l->Find("BANANA", idx));
    EXPECT_EQ(idx, 1);
    EXPECT_FALSE(l->Find("blueberry", idx));
    EXPECT_EQ(idx, c.dup == dupAccept ? 3 : 2);
    EXPECT_EQ(l->IndexOf("CHERRY"), static_cast<int>(c.want.size()) - 1);
    try {
      l->Insert(0, "x");
      ADD_FAILURE();
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.GetMessage(), "Operation not allowed on sorted list");
    }
    Free(l);
  }
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
  TObject a, b, c;
  TStringList* l = TStringList::Create();
  l->AddObject("zeta", &a);
  l->AddObject("alpha", &b);
  l->AddObject("mid", &c);
  l->SetSorted(true);
  EXPECT_EQ(Items(l), (std::vector<std::string>{"alpha", "mid", "zeta"}));
  EXPECT_EQ(l->GetObjects(0), &b);
  EXPECT_EQ(l->IndexOfObject(&a), 2);
  EXPECT_EQ(l->IndexOfObject(nullptr), -1);
  l->SetSorted(false);
  l->Move(2, 0);
  EXPECT_EQ(l->GetObjects(0), &a);
  l->Exchange(0, 2);
  EXPECT_EQ(Items(l), (std::vector<std::string>{"mid", "alpha", "zeta"}));
  EXPECT_EQ(l->GetObjects(2), &a);
  try {
    l->GetObjects(3);
    ADD_FAILURE();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.GetMessage(), "List index out of bounds (3)");
  }
  Free(l);
}

TEST(StringList, TextCommaTextAndValues) {
  TStringList* l = TStringList::Create();
  struct TextCase {
    std::string in;
    std::vector<std::string> lines;
  } texts[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"one\r\n", {"one"}},
      {"\r\n\r\nx", {"", "", "x"}},
      {"", {}},
  };
  for (const TextCase& t : texts) {
    l->SetText(t.in);
    EXPECT_EQ(Items(l), t.lines) << t.in;
  }
  l->SetText("a\nb");
  EXPECT_EQ(l->GetText(), "a\r\nb\r\n");

  struct CommaCase {
    std::string in;
    std::vector<std::string> items;
    std::string out;
  } commas[] = {
      {"a,b,c", {"a", "b", "c"}, "a,b,c"},
      {"a b, \"c d\"", {"a", "b", "c d"}, "a,b,\"c d\""},
      {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}, "\"say \"\"hi\"\"\",x"},
      {"a,", {"a", ""}, "a,"},
      {"\"\"", {""}, "\"\""},
  };
  for (const CommaCase& c : commas) {
    l->SetCommaText(c.in);
    EXPECT_EQ(Items(l), c.items) << c.in;
    EXPECT_EQ(l->GetCommaText(), c.out) << c.in;
  }
  l->SetDelimiter(';');
  l->SetDelimitedText("x;y z");
  EXPECT_EQ(Items(l), (std::vector<std::string>{"x", "y", "z"}));

  l->SetText("Rate=44100\nName=Song = One\nEmpty=");
  EXPECT_EQ(l->GetValues("rate"), "44100");
  EXPECT_EQ(l->GetValues("Name"), "Song = One");
  EXPECT_EQ(l->GetValues("missing"), "");
  EXPECT_EQ(l->GetNames(1), "Name");
  EXPECT_EQ(l->IndexOfName("EMPTY"), 2);
  l->SetValues("Rate", "48000");
  l->SetValues("Bits", "16");
  l->SetValues("Name", "");
  EXPECT_EQ(Items(l), (std::vector<std::string>{"Rate=48000", "Empty=", "Bits=16"}));
  EXPECT_EQ(l->GetValueFromIndex(2), "16");
  Free(l);
}

TEST(StringList, ChangeEventsHonourUpdates) {
  TChangeCounter counter;
  TStringList* l = TStringList::Create();
  l->SetOnChange(Bind(&counter, &TChangeCounter::Change));
  l->SetOnChanging(Bind(&counter, &TChangeCounter::Changing));
  l->Add("a");
  l->Add("b");
  EXPECT_EQ(counter.Changes, 2);
  l->BeginUpdate();
  l->Add("c");
  l->Delete(0);
  l->BeginUpdate();
  l->Clear();
  l->EndUpdate();
  EXPECT_EQ(counter.Changes, 2);
  l->EndUpdate();
  EXPECT_EQ(counter.Changes, 3);
  EXPECT_EQ(counter.Changings, 3);
  l->SetText("x\ny\nz");  // one change for the whole text
  EXPECT_EQ(counter.Changes, 4);
  Free(l);
}

TEST(StringList, OwnedObjectsAreFreedWithTheirEntries) {
  struct TCounted : TObject {
    int* Alive;
    explicit TCounted(int* A) : Alive(A) { ++*Alive; }
    ~TCounted() override { --*Alive; }
  };
  int alive = 0;
  TStringList* l = TStringList::Create();
  l->SetOwnsObjects(true);
  l->AddObject("a", new TCounted(&alive));
  l->AddObject("b", new TCounted(&alive));
  l->AddObject("c", new TCounted(&alive));
  l->Delete(0);
  EXPECT_EQ(alive, 2);
  l->Move(1, 0);  // moving does not free
  EXPECT_EQ(alive, 2);
  Free(l);
  EXPECT_EQ(alive, 0);
}

TEST(StringList, FilesKeepCrLfAndUtf8AndSavingIsSafe) {
  std::string name = GetTempDirectory() + "sonvelt-fw1-list-\xC3\xBC.txt";
  TStringList* l = TStringList::Create();
  l->Add("C:\\Music\\Caf\xC3\xA9.wav");
  l->Add("");
  l->Add("last");
  l->SaveToFile(name);
  TMemoryStream* m = TMemoryStream::Create();
  m->LoadFromFile(name);
  EXPECT_EQ(std::string(static_cast<char*>(m->GetMemory()), m->GetSize()),
            "C:\\Music\\Caf\xC3\xA9.wav\r\n\r\nlast\r\n");

  TStringList* r = TStringList::Create();
  r->LoadFromFile(name);
  EXPECT_TRUE(r->Equals(l));

  // A byte-order mark is skipped; text that is not UTF-8 is read as ANSI (Latin-1 here).
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {{"\xEF\xBB\xBFone\ntwo", {"one", "two"}}, {"caf\xE9\r\n", {"caf\xC3\xA9"}}};
  for (const Case& c : cases) {
    TStringStream* s = TStringStream::Create(c.bytes);
    r->LoadFromStream(s);
    EXPECT_EQ(Items(r), c.lines);
    Free(s);
  }
  // A failed save leaves the old file alone.
  EXPECT_THROW(l->SaveToFile(GetTempDirectory() + "no-such-folder-fw1\\x.txt"), EFCreateError);
  EXPECT_THROW(r->LoadFromFile(name + ".missing"), EFOpenError);
  Free(m);
  Free(r);
  Free(l);
  DeleteFile(name);
}

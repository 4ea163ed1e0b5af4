#include "framework/StringLists.h"

#include <algorithm>

#include <windows.h>

#include "framework/Exceptions.h"
#include "framework/MemoryStreams.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "framework/StringUtils.h"
#include "framework/WithUpdate.h"

// ---- TStrings ----

void TStrings::Error(const char* Msg, int Data) { throw EStringListError(Msg, {Data}); }
void TStrings::Error(const char* Msg) { throw EStringListError(std::string(Msg)); }

int TStrings::Add(const std::string& S) {
  int i = GetCount();
  Insert(i, S);
  return i;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TStrings::AddStrings(TStrings* Strings) {
  WithUpdate(this, [&] {
    for (int i = 0; i < Strings->GetCount(); ++i) AddObject(Strings->Get(i), Strings->GetObj(i));
  });
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    WithUpdate(this, [&] {
      Clear();
      FDelimiter = src->FDelimiter;
      FQuoteChar = src->FQuoteChar;
      FNameValueSeparator = src->FNameValueSeparator;
      AddStrings(src);
    });
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
  WithUpdate(this, [&] {
    std::string s = Get(Index1);
    TObject* o = GetObj(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObj(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
  });
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  WithUpdate(this, [&] {
    std::string s = Get(CurIndex);
    TObject* o = GetObj(CurIndex);
    PutObject(CurIndex, nullptr);  // not freed by an owning list while it moves
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  });
}

bool TStrings::Equals(TStrings* Strings) const {
  if (GetCount() != Strings->GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    std::string s = Get(i);
    size_t p = s.find(FNameValueSeparator);
    if (p != std::string::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObj(i) == AObject) return i;
  return -1;
}

void TStrings::Put(int Index, const std::string& S) {
  TObject* o = GetObj(Index);
  Delete(Index);
  InsertObject(Index, S, o);
}

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const { return AnsiCompareText(S1, S2); }

std::string TStrings::GetText() const {
  std::string r;
  for (int i = 0; i < GetCount(); ++i) {
    r += Get(i);
    r += "\r\n";
  }
  return r;
}

void TStrings::SetText(std::string_view Text) {
  WithUpdate(this, [&] {
    Clear();
    size_t i = 0;
    while (i < Text.size()) {
      size_t start = i;
      while (i < Text.size() && Text[i] != '\r' && Text[i] != '\n') ++i;
      Add(std::string(Text.substr(start, i - start)));
      if (i < Text.size() && Text[i] == '\r') ++i;
      if (i < Text.size() && Text[i] == '\n') ++i;
    }
  });
}

std::string TStrings::GetDelimitedText() const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return std::string(2, FQuoteChar);
  std::string r;
  for (int i = 0; i < n; ++i) {
    std::string s = Get(i);
    bool quote = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == FQuoteChar || c == FDelimiter) quote = true;
    if (quote) {
      std::string q(1, FQuoteChar);
      for (char c : s) {
        if (c == FQuoteChar) q += c;
        q += c;
      }
      s = q + FQuoteChar;
    }
    if (i) r += FDelimiter;
    r += s;
  }
  return r;
}

void TStrings::SetDelimitedText(std::string_view Text) {
  auto blank = [](char c) { return c != 0 && static_cast<unsigned char>(c) <= ' '; };
  WithUpdate(this, [&] {
    Clear();
    size_t p = 0, n = Text.size();
    while (p < n && blank(Text[p])) ++p;
    while (p < n) {
      std::string s;
      if (Text[p] == FQuoteChar) {
        ++p;
        while (p < n) {
          if (Text[p] == FQuoteChar) {
            if (p + 1 < n && Text[p + 1] == FQuoteChar) {
              s += FQuoteChar;
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s += Text[p++];
        }
      } else {
        size_t start = p;
        while (p < n && !blank(Text[p]) && Text[p] != FDelimiter) ++p;
        s = std::string(Text.substr(start, p - start));
      }
      Add(s);
      while (p < n && blank(Text[p])) ++p;
      if (p < n && Text[p] == FDelimiter) {
        if (p + 1 == n) Add("");
        ++p;
        while (p < n && blank(Text[p])) ++p;
      }
    }
  });
}

std::string TStrings::GetCommaText() const {
  TStrings* self = const_cast<TStrings*>(this);
  char d = FDelimiter, q = FQuoteChar;
  self->FDelimiter = ',';
  self->FQuoteChar = '"';
  std::string r = GetDelimitedText();
  self->FDelimiter = d;
  self->FQuoteChar = q;
  return r;
}

void TStrings::SetCommaText(std::string_view Text) {
  char d = FDelimiter, q = FQuoteChar;
  FDelimiter = ',';
  FQuoteChar = '"';
  try {
    SetDelimitedText(Text);
  } catch (...) {
    FDelimiter = d;
    FQuoteChar = q;
    throw;
  }
  FDelimiter = d;
  FQuoteChar = q;
}

std::string TStrings::GetNames(int Index) const {
  std::string s = Get(Index);
  size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::GetValues(const std::string& Name) const {
  int i = IndexOfName(Name);
  return i < 0 ? std::string() : GetValueFromIndex(i);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    std::string line = Name + FNameValueSeparator + Value;
    if (i < 0) Add(line);
    else Put(i, line);
  } else if (i >= 0) {
    Delete(i);
  }
}

std::string TStrings::GetValueFromIndex(int Index) const {
  std::string s = Get(Index);
  size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const std::string& Value) {
  if (Value.empty()) {
    Delete(Index);
    return;
  }
  std::string name = GetNames(Index);
  Put(Index, name + FNameValueSeparator + Value);
}

namespace {
// Valid UTF-8 stays; anything else is read in the system's ANSI code page.
std::string DecodeText(std::string bytes) {
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  if (bytes.empty()) return bytes;
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0) > 0)
    return bytes;
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), n);
  int m = WideCharToMultiByte(CP_UTF8, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
  std::string r(m, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), n, r.data(), m, nullptr, nullptr);
  return r;
}
}  // namespace

void TStrings::LoadFromStream(TStream* Stream) {
  std::int64_t n = Stream->GetSize() - Stream->GetPosition();
  std::string bytes(static_cast<size_t>(std::max<std::int64_t>(n, 0)), '\0');
  if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  SetText(DecodeText(std::move(bytes)));
}

void TStrings::LoadFromFile(const std::string& FileName) {
  ReadFromFile(FileName, [this](TStream& s) { LoadFromStream(&s); });
}

void TStrings::SaveToStream(TStream* Stream) const {
  std::string t = GetText();
  Stream->WriteBuffer(t.data(), static_cast<int>(t.size()));
}

void TStrings::SaveToFile(const std::string& FileName) const {
  SaveToFileSafely(FileName, [this](TStream& s) { SaveToStream(&s); });
}

// ---- TStringList ----

TStringList::~TStringList() {
  FOnChange = nullptr;
  FOnChanging = nullptr;
  if (FOwnsObjects)
    for (TItem& it : FList) FreeAndNil(it.Obj);
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0) FOnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0) FOnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) Changing();
  else Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  int i;
  if (!FSorted) {
    i = GetCount();
  } else if (Find(S, i)) {
    if (FDuplicates == dupIgnore) return i;
    if (FDuplicates == dupError) Error("String list does not allow duplicates");
  }
  InsertItem(i, S, AObject);
  return i;
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TItem{S, AObject});
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted) Error("Operation not allowed on sorted list");
  if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, nullptr);
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TItem> old;
  old.swap(FList);
  if (FOwnsObjects)
    for (TItem& it : old) Free(it.Obj);
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* o = FList[Index].Obj;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) Free(o);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[Index1], FList[Index2]);
  Changed();
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int lo = 0, hi = GetCount() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareStrings(FList[mid].Str, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) lo = mid;
      }
    }
  }
  Index = lo;
  return found;
}

int TStringList::IndexOf(const std::string& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int i;
  return Find(S, i) ? i : -1;
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[Index].Str;
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted) Error("Operation not allowed on sorted list");
  CheckIndex(Index);
  Changing();
  FList[Index].Str = S;
  Changed();
}

TObject* TStringList::GetObj(int Index) const {
  CheckIndex(Index);
  return FList[Index].Obj;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[Index].Obj = AObject;
  Changed();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}

void TStringList::Sort() {
  CustomSort([](TStringList* L, int a, int b) { return L->CompareStrings(L->FList[a].Str, L->FList[b].Str); });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (GetCount() < 2) return;
  Changing();
  // Sort indexes so that Compare sees the list as it stands.
  std::vector<int> order(FList.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
  std::vector<TItem> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(std::move(FList[i]));
  FList.swap(sorted);
  Changed();
}

void TStrings::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  bool hasData = GetCount() > 0;
  if (auto* ancestor = dynamic_cast<TStrings*>(Filer->GetAncestor())) hasData = !Equals(ancestor);
  Filer->DefineProperty("Strings", Bind(this, &TStrings::ReadStringsData), Bind(this, &TStrings::WriteStringsData),
                        hasData);
}

void TStrings::ReadStringsData(TReader* Reader) {
  Reader->ReadListBegin();
  WithUpdate(this, [&] {
    Clear();
    while (!Reader->EndOfList()) Add(Reader->ReadString());
  });
  Reader->ReadListEnd();
}

void TStrings::WriteStringsData(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int i = 0; i < GetCount(); ++i) Writer->WriteString(Get(i));
  Writer->WriteListEnd();
}

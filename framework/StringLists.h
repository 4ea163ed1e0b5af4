// String lists. TStrings is the abstract list of strings with an object beside each
// one (text, comma text, name=value pairs, files and streams built on a few virtual
// primitives); TStringList stores them, optionally sorted.
//
//   TStringList* L = TStringList::Create();
//   L->SetSorted(true); L->SetDuplicates(dupIgnore);
//   L->AddObject("Big", obj);  L->GetObjects(i);  L->IndexOf("big");   // case ignored
//   L->SetValues("Rate", "44100");  L->GetValues("rate") == "44100";
//   L->SetText("a\r\nb");  L->GetText() == "a\r\nb\r\n";  L->LoadFromFile(Name);
//   L->SetOnChange(Bind(this, &TForm1::ListChange));
// Errors are EStringListError: "List index out of bounds (%d)", "Operation not
// allowed on sorted list", "String list does not allow duplicates".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Delegate.h"
#include "framework/Persistent.h"

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  SONVELT_CLASS(TStrings, TPersistent)
public:
  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* AObject);
  void Append(const std::string& S) { Add(S); }
  virtual void AddStrings(TStrings* Strings);
  void Assign(TPersistent* Source) override;
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Insert(int Index, const std::string& S) = 0;
  void InsertObject(int Index, const std::string& S, TObject* AObject);
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  bool Equals(TStrings* Strings) const;
  virtual int IndexOf(const std::string& S) const;
  int IndexOfName(const std::string& Name) const;
  int IndexOfObject(TObject* AObject) const;

  virtual int GetCount() const = 0;
  std::string GetStrings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  TObject* GetObjects(int Index) const { return GetObj(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
  // Every line followed by CR LF; setting splits at CR, LF or CR LF.
  std::string GetText() const;
  virtual void SetText(std::string_view Text);
  std::string GetCommaText() const;
  void SetCommaText(std::string_view Text);
  std::string GetDelimitedText() const;
  void SetDelimitedText(std::string_view Text);
  char GetDelimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }
  char GetQuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char Value) { FQuoteChar = Value; }
  char GetNameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char Value) { FNameValueSeparator = Value; }
  std::string GetNames(int Index) const;
  std::string GetValues(const std::string& Name) const;
  // An empty value removes the pair.
  void SetValues(const std::string& Name, const std::string& Value);
  std::string GetValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const std::string& Value);

  // Text files: UTF-8 (a byte-order mark is skipped) or, when not valid UTF-8, the
  // system's ANSI code page. Saving writes UTF-8 through a temporary file.
  virtual void LoadFromFile(const std::string& FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(const std::string& FileName) const;
  virtual void SaveToStream(TStream* Stream) const;

protected:
  // "Strings": the lines as a list, stored when there are any (or they differ from
  // the ancestor's).
  void DefineProperties(TFiler* Filer) override;
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  virtual TObject* GetObj(int Index) const { (void)Index; return nullptr; }
  virtual void PutObject(int Index, TObject* AObject) { (void)Index; (void)AObject; }
  virtual void SetUpdateState(bool Updating) { (void)Updating; }
  // Compares two strings as the list does (case ignored here).
  virtual int CompareStrings(const std::string& S1, const std::string& S2) const;
  [[noreturn]] static void Error(const char* Msg, int Data);
  [[noreturn]] static void Error(const char* Msg);

private:
  void ReadStringsData(TReader* Reader);
  void WriteStringsData(TWriter* Writer);
  int FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
  char FNameValueSeparator = '=';
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
  SONVELT_CLASS(TStringList, TStrings)
public:
  ~TStringList() override;
  int Add(const std::string& S) override;
  int AddObject(const std::string& S, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  // Where S is or would go in a sorted list; true when found.
  virtual bool Find(const std::string& S, int& Index) const;
  int IndexOf(const std::string& S) const override;
  void Insert(int Index, const std::string& S) override;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);

  int GetCount() const override { return static_cast<int>(FList.size()); }
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  // When set, the list frees its objects as their entries go.
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TNotifyEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = Value; }

protected:
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObj(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(int Index, const std::string& S, TObject* AObject);

private:
  struct TItem {
    std::string Str;
    TObject* Obj = nullptr;
  };
  void CheckIndex(int Index) const;
  std::vector<TItem> FList;
  TDuplicates FDuplicates = dupIgnore;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};

// Named resource strings: every user-visible text of the suite is a string-table
// entry of a module, read through ResolveResourceString. Each library registers its
// strings under stable names, grouped as one product, in the process-wide
// repository, and removes the product when it ends.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Object.h"

// One string of a module's string table; a null Module means the program itself.
struct TResStringRec {
  HINSTANCE Module;
  UINT Identifier;
};

// The text of the string as UTF-8: the replacement registered for it when there
// is one (TdxResourceStringsRepository::SetReplacement), else the module's own
// string-table text; empty when the module has no such string.
std::string ResolveResourceString(const TResStringRec& Rec);

inline constexpr GUID IID_IdxResourceStringsListener = {
    0x2E98333B, 0x1A56, 0x4599, {0x8A, 0x85, 0xC2, 0x54, 0x0E, 0x18, 0x20, 0x31}};

// Told when the registered strings change.
struct IdxResourceStringsListener : public IUnknown {
  virtual void STDMETHODCALLTYPE TranslationChanged() = 0;
};

class TdxProductResourceStrings : public TObject {
  SONVELT_CLASS(TdxProductResourceStrings, TObject)
public:
  using TFillProc = void (*)(TdxProductResourceStrings* Product);
  // Calls FillProc once with the new product; it registers the library's strings.
  TdxProductResourceStrings(const std::string& Name, TFillProc FillProc);
  static TdxProductResourceStrings* CreateProduct(const std::string& Name, TFillProc FillProc) {
    return Create(Name, FillProc);
  }
  ~TdxProductResourceStrings() override { FFillProc = nullptr; }

  // A name already present keeps its first record.
  void RegisterString(const std::string& Name, const TResStringRec* Rec);
  const std::string& GetName() const { return FName; }
  int GetStringCount() const { return static_cast<int>(FNames.size()); }
  // Names in ascending order, letter case ignored.
  const std::string& GetStringName(int Index) const { return FNames.at(static_cast<size_t>(Index)).first; }
  const TResStringRec* GetStringRecord(int Index) const { return FNames.at(static_cast<size_t>(Index)).second; }
  // The record registered under Name; null when none.
  const TResStringRec* FindString(const std::string& Name) const;

private:
  std::string FName;
  std::vector<std::pair<std::string, const TResStringRec*>> FNames;
  TFillProc FFillProc;
};

class TdxResourceStringsRepository : public TObject {
  SONVELT_CLASS(TdxResourceStringsRepository, TObject)
public:
  TdxResourceStringsRepository() = default;
  ~TdxResourceStringsRepository() override;

  // Appends a product; a name registered twice gives two products.
  void RegisterProduct(const std::string& Name, TdxProductResourceStrings::TFillProc FillProc);
  // Frees the first product of that name (exact letter case); an unknown name does nothing.
  void UnregisterProduct(const std::string& Name);
  // Replaces the text of the string registered under Name (the first product that
  // has it) for every later ResolveResourceString; false for an unknown name.
  // The listeners are told.
  bool SetReplacement(const std::string& Name, const std::string& Text);
  // Takes the replacement back; nothing when there is none.
  void RemoveReplacement(const std::string& Name);
  // The replacement of a record, when one is registered.
  bool FindReplacement(const TResStringRec& Rec, std::string& Text) const;
  void AddListener(IdxResourceStringsListener* Listener);
  void RemoveListener(IdxResourceStringsListener* Listener);

  int GetProductCount() const { return static_cast<int>(FProducts.size()); }
  TdxProductResourceStrings* GetProduct(int Index) const { return FProducts.at(static_cast<size_t>(Index)); }
  // Index of the first product of that name, or -1.
  int IndexOfProduct(const std::string& Name) const;
  int GetListenerCount() const { return static_cast<int>(FListeners.size()); }

private:
  friend TdxResourceStringsRepository* ResourceStringsRepository();
  void NotifyListeners();
  const TResStringRec* FindRecord(const std::string& Name) const;
  std::vector<TdxProductResourceStrings*> FProducts;
  // By module and identifier, so that records of equal value share a replacement.
  std::vector<std::pair<TResStringRec, std::string>> FReplacements;
  // Not counted: listeners remove themselves before they go.
  std::vector<IdxResourceStringsListener*> FListeners;
  bool FClosed = false;
};

// The single repository, made on first use. After the suite has shut down it is
// an empty one that keeps nothing, so late callers neither crash nor leak.
TdxResourceStringsRepository* ResourceStringsRepository();
// Shut-down of the strings service (at process exit); tests call it and restart.
void EndResourceStringsUnit();
void RestartResourceStringsUnit();

#include "suite/common/ResourceStrings.h"

#include <algorithm>

#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "suite/common/UnitLifetime.h"

namespace {
TdxResourceStringsRepository* Repository = nullptr;

void StartUnit() {}

TSuiteUnit Unit(&StartUnit, [] {
  TdxResourceStringsRepository* R = Repository;
  Repository = nullptr;
  Free(R);
});

TdxResourceStringsRepository& ClosedRepository() {
  // Never freed: late callers at process exit may still reach it.
  static TdxResourceStringsRepository* Closed = TdxResourceStringsRepository::Create();
  return *Closed;
}
}  // namespace

std::string ResolveResourceString(const TResStringRec& Rec) {
  std::string Replacement;
  if (Repository && Repository->FindReplacement(Rec, Replacement)) return Replacement;
  HINSTANCE Module = Rec.Module ? Rec.Module : GetModuleHandleW(nullptr);
  const wchar_t* Text = nullptr;
  // With no buffer size the call answers a pointer into the loaded table.
  int Length = LoadStringW(Module, Rec.Identifier, reinterpret_cast<LPWSTR>(&Text), 0);
  if (Length <= 0 || !Text) return {};
  return WideToUtf8(std::wstring_view(Text, static_cast<size_t>(Length)));
}

TdxProductResourceStrings::TdxProductResourceStrings(const std::string& Name, TFillProc FillProc)
    : FName(Name), FFillProc(FillProc) {
  if (FFillProc) FFillProc(this);
}

void TdxProductResourceStrings::RegisterString(const std::string& Name, const TResStringRec* Rec) {
  auto It = std::lower_bound(FNames.begin(), FNames.end(), Name,
                             [](const auto& Entry, const std::string& N) { return CompareText(Entry.first, N) < 0; });
  if (It != FNames.end() && SameText(It->first, Name)) return;
  FNames.insert(It, {Name, Rec});
}

const TResStringRec* TdxProductResourceStrings::FindString(const std::string& Name) const {
  for (const auto& Entry : FNames)
    if (SameText(Entry.first, Name)) return Entry.second;
  return nullptr;
}

TdxResourceStringsRepository::~TdxResourceStringsRepository() {
  for (TdxProductResourceStrings* P : FProducts) Free(P);
}

void TdxResourceStringsRepository::RegisterProduct(const std::string& Name,
                                                   TdxProductResourceStrings::TFillProc FillProc) {
  if (FClosed) return;
  FProducts.push_back(TdxProductResourceStrings::CreateProduct(Name, FillProc));
}

int TdxResourceStringsRepository::IndexOfProduct(const std::string& Name) const {
  for (size_t I = 0; I < FProducts.size(); ++I)
    if (FProducts[I]->GetName() == Name) return static_cast<int>(I);
  return -1;
}

void TdxResourceStringsRepository::UnregisterProduct(const std::string& Name) {
  int Index = IndexOfProduct(Name);
  if (Index < 0) return;
  TdxProductResourceStrings* P = FProducts[static_cast<size_t>(Index)];
  FProducts.erase(FProducts.begin() + Index);
  Free(P);
}

namespace {
bool SameRecord(const TResStringRec& A, const TResStringRec& B) {
  HINSTANCE Self = GetModuleHandleW(nullptr);
  return (A.Module ? A.Module : Self) == (B.Module ? B.Module : Self) && A.Identifier == B.Identifier;
}
}  // namespace

const TResStringRec* TdxResourceStringsRepository::FindRecord(const std::string& Name) const {
  for (TdxProductResourceStrings* P : FProducts)
    if (const TResStringRec* Rec = P->FindString(Name)) return Rec;
  return nullptr;
}

bool TdxResourceStringsRepository::SetReplacement(const std::string& Name, const std::string& Text) {
  const TResStringRec* Rec = FClosed ? nullptr : FindRecord(Name);
  if (!Rec) return false;
  auto It = std::find_if(FReplacements.begin(), FReplacements.end(),
                         [Rec](const auto& Entry) { return SameRecord(Entry.first, *Rec); });
  if (It != FReplacements.end())
    It->second = Text;
  else
    FReplacements.emplace_back(*Rec, Text);
  NotifyListeners();
  return true;
}

void TdxResourceStringsRepository::RemoveReplacement(const std::string& Name) {
  const TResStringRec* Rec = FindRecord(Name);
  if (!Rec) return;
  auto Count = std::erase_if(FReplacements, [Rec](const auto& Entry) { return SameRecord(Entry.first, *Rec); });
  if (Count) NotifyListeners();
}

bool TdxResourceStringsRepository::FindReplacement(const TResStringRec& Rec, std::string& Text) const {
  for (const auto& Entry : FReplacements)
    if (SameRecord(Entry.first, Rec)) {
      Text = Entry.second;
      return true;
    }
  return false;
}

void TdxResourceStringsRepository::NotifyListeners() {
  // A listener may remove itself while it is told.
  const std::vector<IdxResourceStringsListener*> Listeners = FListeners;
  for (IdxResourceStringsListener* L : Listeners)
    if (std::find(FListeners.begin(), FListeners.end(), L) != FListeners.end()) L->TranslationChanged();
}

void TdxResourceStringsRepository::AddListener(IdxResourceStringsListener* Listener) {
  if (FClosed || !Listener) return;
  if (std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end()) FListeners.push_back(Listener);
}

void TdxResourceStringsRepository::RemoveListener(IdxResourceStringsListener* Listener) {
  std::erase(FListeners, Listener);
}

TdxResourceStringsRepository* ResourceStringsRepository() {
  Unit.Ensure();
  if (Unit.Ended()) {
    TdxResourceStringsRepository& Closed = ClosedRepository();
    Closed.FClosed = true;
    return &Closed;
  }
  if (!Repository) Repository = TdxResourceStringsRepository::Create();
  return Repository;
}

void EndResourceStringsUnit() { Unit.Finish(); }

void RestartResourceStringsUnit() { Unit.Restart(); }

#include "framework/Published.h"

#include <algorithm>
#include <map>

#include "framework/StringUtils.h"

namespace {

std::string Lower(std::string_view S) {
  std::string r(S);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

}  // namespace

std::string TPropInfo::EnumName(std::int64_t Value) const {
  if (Value < 0 || Value >= static_cast<std::int64_t>(Names.size())) return {};
  return Names[static_cast<std::size_t>(Value)];
}

int TPropInfo::EnumValue(std::string_view Name) const {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], Name)) return static_cast<int>(i);
  return -1;
}

TPropInfo& TPublishedClass::Add(std::string Name, TPropKind Kind) {
  auto p = std::make_unique<TPropInfo>();
  p->Name = std::move(Name);
  p->Kind = Kind;
  FProps.push_back(std::move(p));
  return *FProps.back();
}

const TPropInfo* TPropList::Find(std::string_view Name) const {
  const std::string key = Lower(Name);
  auto it = std::lower_bound(FIndex.begin(), FIndex.end(), key,
                             [](const std::pair<std::string, int>& e, const std::string& k) { return e.first < k; });
  if (it == FIndex.end() || it->first != key) return nullptr;
  return FItems[it->second];
}

// The lists, built on first use so that every declaration runs after start-up.
class TPropRegistry {
public:
  static TPropRegistry& Get() {
    static TPropRegistry r;
    return r;
  }
  std::map<TClass, sonvelt_detail::TPublishProc> Procs;
  std::map<TClass, std::unique_ptr<TPublishedClass>> Own;
  std::map<TClass, std::unique_ptr<TPropList>> Lists;

  const TPublishedClass* OwnOf(TClass AClass) {
    if (auto it = Own.find(AClass); it != Own.end()) return it->second.get();
    auto proc = Procs.find(AClass);
    if (proc == Procs.end()) return nullptr;
    auto own = std::make_unique<TPublishedClass>(AClass);
    proc->second(*own);
    return (Own[AClass] = std::move(own)).get();
  }

  const TPropList& ListOf(TClass AClass) {
    if (auto it = Lists.find(AClass); it != Lists.end()) return *it->second;
    auto list = std::make_unique<TPropList>();
    if (AClass && AClass->ClassParent()) list->FItems = ListOf(AClass->ClassParent()).FItems;
    if (const TPublishedClass* own = AClass ? OwnOf(AClass) : nullptr)
      for (const auto& p : own->GetProps()) {
        auto same = std::find_if(list->FItems.begin(), list->FItems.end(),
                                 [&](const TPropInfo* q) { return SameText(q->Name, p->Name); });
        if (same != list->FItems.end()) *same = p.get();
        else list->FItems.push_back(p.get());
      }
    for (int i = 0; i < list->Count(); ++i) list->FIndex.emplace_back(Lower(list->FItems[i]->Name), i);
    std::sort(list->FIndex.begin(), list->FIndex.end());
    return *(Lists[AClass] = std::move(list));
  }
};

bool sonvelt_detail::RegisterPublisher(TClass AClass, TPublishProc Proc) {
  TPropRegistry::Get().Procs[AClass] = Proc;
  return true;
}

const TPropList& GetPropList(TClass AClass) { return TPropRegistry::Get().ListOf(AClass); }

const TPropInfo* GetPropInfo(TClass AClass, std::string_view Name) { return GetPropList(AClass).Find(Name); }

const THandlerInfo* FindHandler(TClass AClass, std::string_view Name) {
  for (TClass c = AClass; c; c = c->ClassParent())
    if (const TPublishedClass* own = TPropRegistry::Get().OwnOf(c))
      for (const THandlerInfo& h : own->GetHandlers())
        if (SameText(h.Name, Name)) return &h;
  return nullptr;
}

std::vector<const THandlerInfo*> GetHandlers(TClass AClass) {
  std::vector<const THandlerInfo*> all;
  for (TClass c = AClass; c; c = c->ClassParent())
    if (const TPublishedClass* own = TPropRegistry::Get().OwnOf(c))
      for (const THandlerInfo& h : own->GetHandlers()) all.push_back(&h);
  return all;
}

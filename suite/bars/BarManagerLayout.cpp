// The layout store: the user's arrangement of bars, their links and the usage
// counts, in an INI store (a file or the application's stream), under a registry
// key, and in the in-memory copy taken after loading that resets bars and usage.
#include <memory>

#include "framework/Form.h"
#include "framework/Screen.h"
#include "framework/IniFiles.h"
#include "framework/RegistryIniFile.h"
#include "framework/StringLists.h"
#include "framework/StringUtils.h"
#include "framework/Streams.h"
#include "framework/Writer.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"

namespace {
constexpr int LayoutVersion = 42;

std::string ManagerSection(const std::string& Base, bool Registry) { return Registry ? Base : Base + "Main"; }

// The owner path of a component, each name followed by ".", up to and including
// the first form or an owner without a name.
std::string OwnerPath(const TComponent* Component) {
  std::string Path;
  for (TComponent* Owner = Component->GetOwner(); Owner && !Owner->GetName().empty(); Owner = Owner->GetOwner()) {
    Path = Owner->GetName() + "." + Path;
    if (dynamic_cast<TCustomForm*>(Owner)) break;
  }
  return Path;
}

void FireIniHandlers(TcxEventHandlerCollection* Handlers, TdxBarManager* Manager, TCustomIniFile* Store,
                     const std::string& Base, bool Registry) {
  TdxBarIniFileEventData Data{Store, Base, LayoutDelimiter(Registry), Registry};
  Handlers->FireAll(Manager, &Data);
}
}  // namespace

std::string TdxBarManager::IniLayoutBase() const {
  if (GetName().empty()) return OwnerPath(this);
  return OwnerPath(this) + GetName() + ".";
}

std::string TdxBarManager::DockControlPath(TdxDockControl* Site) const {
  if (!Site || Site->GetName().empty()) return std::string();
  return OwnerPath(Site) + Site->GetName();
}

TdxBarDockControl* TdxBarManager::ResolveDockControlPath(const std::string& Path) const {
  if (Path.empty()) return nullptr;
  auto Dot = Path.find('.');
  std::string First = Dot == std::string::npos ? std::string() : Path.substr(0, Dot);
  std::string Rest = Dot == std::string::npos ? Path : Path.substr(Dot + 1);
  TComponent* Root = GetOwner();
  if (!First.empty()) {
    // A stored path names its form first; the manager's own form or one of the screen's.
    TCustomForm* Form = OwnerTopForm();
    if (!(Form && SameText(Form->GetName(), First))) {
      Root = nullptr;
      for (int I = 0; Screen && I < Screen->GetFormCount() && !Root; ++I)
        if (SameText(Screen->GetForms(I)->GetName(), First)) Root = Screen->GetForms(I);
    } else {
      Root = Form;
    }
  }
  return Root ? dynamic_cast<TdxBarDockControl*>(FindNestedComponent(Root, Rest)) : nullptr;
}

void TdxBarManager::EraseLayout(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  auto Sections = std::unique_ptr<TStringList>(TStringList::Create());
  Store->ReadSections(Sections.get());
  for (int I = 0; I < Sections->GetCount(); ++I) {
    const std::string& S = Sections->GetStrings(I);
    if (S.compare(0, Base.size(), Base) == 0) Store->EraseSection(S);
  }
  if (Registry) {
    auto Names = std::unique_ptr<TStringList>(TStringList::Create());
    Store->ReadSection(Base, Names.get());
    for (int I = 0; I < Names->GetCount(); ++I) Store->DeleteKey(Base, Names->GetStrings(I));
  }
}

void TdxBarManager::WriteLayout(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  EraseLayout(Store, Base, Registry);
  std::string Main = ManagerSection(Base, Registry);
  Store->WriteInteger(Main, "Version", LayoutVersion);
  if (GetEffectiveStyle() != bmsStandard) {
    Store->WriteBool(Main, "MenusShowRecentItemsFirst", FMenusShowRecentItemsFirst);
    Store->WriteBool(Main, "ShowFullMenusAfterDelay", FShowFullMenusAfterDelay);
  }
  Store->WriteBool(Main, "LargeIcons", GetLargeIcons());
  Store->WriteInteger(Main, "MenuAnimations", FMenuAnimations);
  Store->WriteBool(Main, "ShowHint", FShowHint);
  Store->WriteBool(Main, "ShowShortCutInHint", FShowShortCutInHint);
  Store->WriteInteger(Main, "BarCount", FBars->NumberOfItems());
  for (int I = 0; I < FBars->NumberOfItems(); ++I) FBars->GetBar(I)->SaveLayout(Store, Base, Registry, I);
  std::string Items = Base + "Items";
  Store->WriteInteger(Items, "ItemCount", ItemCount());
  for (int I = 0; I < ItemCount(); ++I) Store->WriteBool(Items, ItemByIndex(I)->GetName(), true);
  for (int I = 0; I < ItemCount(); ++I) ItemByIndex(I)->SaveLinks(Store, Base, Registry);
  FireIniHandlers(FWriteIniHandlers.get(), this, Store, Base, Registry);
}

void TdxBarManager::ReadLayout(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  LockBarsUpdate();
  try {
    std::string Main = ManagerSection(Base, Registry);
    if (GetEffectiveStyle() != bmsStandard) {
      SetMenusShowRecentItemsFirst(Store->ReadBool(Main, "MenusShowRecentItemsFirst", FMenusShowRecentItemsFirst));
      SetShowFullMenusAfterDelay(Store->ReadBool(Main, "ShowFullMenusAfterDelay", FShowFullMenusAfterDelay));
    }
    SetLargeIcons(Store->ReadBool(Main, "LargeIcons", GetLargeIcons()));
    int Animation = Store->ReadInteger(Main, "MenuAnimations", FMenuAnimations);
    if (Animation >= maNone && Animation <= maFade) SetMenuAnimations(static_cast<TdxBarMenuAnimations>(Animation));
    SetShowHint(Store->ReadBool(Main, "ShowHint", FShowHint));
    SetShowShortCutInHint(Store->ReadBool(Main, "ShowShortCutInHint", FShowShortCutInHint));
    int BarCount = Store->ReadInteger(Main, "BarCount", 0);
    std::string Items = Base + "Items";
    int StoredItems = Store->ReadInteger(Items, "ItemCount", -1);
    if (StoredItems >= 0) {
      FNewItems.reset(TStringList::Create());
      for (int I = 0; I < ItemCount(); ++I)
        if (!Store->ReadBool(Items, ItemByIndex(I)->GetName(), false)) FNewItems->Add(ItemByIndex(I)->GetName());
    }
    if (BarCount > 0) {
      for (int I = 0; I < FBars->NumberOfItems(); ++I) {
        TdxBar* Bar = FBars->GetBar(I);
        Bar->SetVisible(false);
      }
      for (int N = 0; N < BarCount; ++N) {
        TdxBar* Bar = N < FBars->NumberOfItems() ? FBars->GetBar(N) : FBars->Add();
        Bar->LoadLayout(Store, Base, true, Registry, N);
      }
    }
    for (int I = 0; I < ItemCount(); ++I) ItemByIndex(I)->LoadLinks(Store, Base, Registry);
  } catch (...) {
    FNewItems.reset();
    UnlockBarsUpdate();
    throw;
  }
  FNewItems.reset();
  UnlockBarsUpdate();
  FireIniHandlers(FReadIniHandlers.get(), this, Store, Base, Registry);
}

namespace {
std::string NormalisedRegistryPath(std::string Path) {
  if (Path.empty()) return Path;
  if (Path.front() != '\\') Path = "\\" + Path;
  if (Path.back() != '\\') Path += "\\";
  return Path;
}
}  // namespace

// The registry store opens its key at the path, so its sections are named
// relative to it: the manager's values sit in the key itself.
void TdxBarManager::ReadLayoutFromRegistry(std::string Path) {
  Path = NormalisedRegistryPath(Path);
  if (Path.empty()) return;
  auto Store = std::unique_ptr<TRegistryIniFile>(TRegistryIniFile::Create(Path));
  ReadLayout(Store.get(), std::string(), true);
}

void TdxBarManager::SaveLayoutToRegistry(std::string Path) {
  Path = NormalisedRegistryPath(Path);
  if (Path.empty()) return;
  auto Store = std::unique_ptr<TRegistryIniFile>(TRegistryIniFile::Create(Path));
  WriteLayout(Store.get(), std::string(), true);
}

void TdxBarManager::ReadLayoutFromIniFile(const std::string& FileName) {
  if (FileName.empty() && !FIniStream) return;
  auto Store = std::unique_ptr<TMemIniFile>(TMemIniFile::Create(FIniStream ? std::string() : FileName));
  if (FIniStream) {
    auto Lines = std::unique_ptr<TStringList>(TStringList::Create());
    FIniStream->SetPosition(0);
    Lines->LoadFromStream(FIniStream);
    Store->SetStrings(Lines.get());
  }
  ReadLayout(Store.get(), IniLayoutBase(), false);
}

void TdxBarManager::SaveLayoutToIniFile(const std::string& FileName) {
  if (FileName.empty() && !FIniStream) return;
  auto Store = std::unique_ptr<TMemIniFile>(TMemIniFile::Create(FIniStream ? std::string() : FileName));
  WriteLayout(Store.get(), IniLayoutBase(), false);
  if (FIniStream) {
    auto Lines = std::unique_ptr<TStringList>(TStringList::Create());
    Store->GetStrings(Lines.get());
    FIniStream->SetSize(0);
    Lines->SaveToStream(FIniStream);
  } else {
    Store->UpdateFile();
  }
}

void TdxBarManager::SaveInitialState() {
  if (!FSavedState) return;
  FInternalState |= bmsfSavingInitialState;
  try {
    FSavedState->Clear();
    WriteLayout(FSavedState.get(), IniLayoutBase(), false);
  } catch (...) {
    FInternalState &= ~bmsfSavingInitialState;
    throw;
  }
  FInternalState &= ~bmsfSavingInitialState;
}

int TdxBarManager::SavedBarIndexByCaption(const std::string& Caption) const {
  if (!FSavedState) return -1;
  std::string Base = IniLayoutBase();
  int Count = FSavedState->ReadInteger(ManagerSection(Base, false), "BarCount", 0);
  for (int N = 0; N < Count; ++N)
    if (FSavedState->ReadString(TdxBar::LayoutSectionName(Base, N), "Caption", "") == Caption) return N;
  return -1;
}

void TdxBarManager::ResetUsageData() {
  if (!FSavedState) return;
  std::string Base = IniLayoutBase();
  LockBarsUpdate();
  try {
    for (int I = 0; I < ItemCount(); ++I) ItemByIndex(I)->LoadUsage(FSavedState.get(), Base);
    for (int I = 0; I < FBars->NumberOfItems(); ++I) {
      TdxBar* Bar = FBars->GetBar(I);
      int N = SavedBarIndexByCaption(Bar->GetCaption());
      if (N >= 0) Bar->LoadUsage(FSavedState.get(), Base, N);
    }
  } catch (...) {
    UnlockBarsUpdate();
    throw;
  }
  UnlockBarsUpdate();
}

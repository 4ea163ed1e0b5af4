#include "suite/bars/BarCategories.h"

#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarStrings.h"

TdxBarManagerCategories::TdxBarManagerCategories(TdxBarManager* ABarManager) : FBarManager(ABarManager) {
  if (!FBarManager || !FBarManager->IsLoading()) AddDefault();
  if (FBarManager) SetOnChange(Bind(FBarManager, &TdxBarManager::CategoriesChanged));
}

TdxBarManagerCategories::~TdxBarManagerCategories() {
  SetOnChange(nullptr);
  ReleaseAllObjects();
}

void TdxBarManagerCategories::AddDefault() { Add(BarString(dxSBAR_DEFAULTCATEGORYNAME)); }

TdxBarCategoryData* TdxBarManagerCategories::Data(int Index) const {
  return InRange(Index) ? static_cast<TdxBarCategoryData*>(GetObjects(Index)) : nullptr;
}

TdxBarCategoryData* TdxBarManagerCategories::EnsureData(int Index) {
  if (!InRange(Index)) return nullptr;
  TdxBarCategoryData* D = Data(Index);
  if (!D) {
    D = TdxBarCategoryData::Create();
    PutObject(Index, D);
  }
  return D;
}

void TdxBarManagerCategories::MoveItemsToCategory(int From, int To) {
  if (!FBarManager || !InRange(From) || To < 0) return;
  for (int I = 0; I < FBarManager->ItemCount(); ++I) {
    TdxBarItem* Item = FBarManager->ItemByIndex(I);
    if (Item->GetCategory() == From) Item->WriteCategoryIndex(To);
  }
}

void TdxBarManagerCategories::ReleaseObject(int Index) {
  if (!InRange(Index)) return;
  TObject* D = GetObjects(Index);
  PutObject(Index, nullptr);
  Free(D);
}

void TdxBarManagerCategories::ReleaseAllObjects() {
  for (int I = 0; I < GetCount(); ++I) ReleaseObject(I);
}

void TdxBarManagerCategories::Clear() {
  ReleaseAllObjects();
  TStringList::Clear();
}

void TdxBarManagerCategories::Delete(int Index) {
  if (FMoving) {
    TStringList::Delete(Index);
    return;
  }
  if (!InRange(Index)) return;
  if (FBarManager) {
    TOwned<TComponentList> Items(TComponentList::Create(true));
    std::vector<TdxBarItem*> Own;
    FBarManager->GetItemsOfCategory(Index, Own);
    for (TdxBarItem* Item : Own) Items->Add(Item);
    Items.reset();
    for (int I = Index + 1; I < GetCount(); ++I) MoveItemsToCategory(I, I - 1);
  }
  ReleaseObject(Index);
  TStringList::Delete(Index);
  if (GetCount() == 0) AddDefault();
}

void TdxBarManagerCategories::Insert(int Index, const std::string& S) {
  if (!FMoving && InRange(Index))
    for (int I = GetCount() - 1; I >= Index; --I) MoveItemsToCategory(I, I + 1);
  TStringList::Insert(Index, S);
}

void TdxBarManagerCategories::Exchange(int Index1, int Index2) {
  if (!InRange(Index1) || !InRange(Index2)) return;
  if (FBarManager && Index1 != Index2) {
    // A category index no list can hold keeps the first set apart meanwhile.
    constexpr int Aside = -1000;
    std::vector<TdxBarItem*> First;
    FBarManager->GetItemsOfCategory(Index1, First);
    for (TdxBarItem* Item : First) Item->WriteCategoryIndex(Aside);
    MoveItemsToCategory(Index2, Index1);
    for (TdxBarItem* Item : First) Item->WriteCategoryIndex(Index2);
  }
  TStringList::Exchange(Index1, Index2);
}

void TdxBarManagerCategories::Move(int CurIndex, int NewIndex) {
  if (!InRange(CurIndex) || !InRange(NewIndex) || CurIndex == NewIndex) return;
  if (FBarManager) {
    std::vector<TdxBarItem*> Moved;
    FBarManager->GetItemsOfCategory(CurIndex, Moved);
    for (TdxBarItem* Item : Moved) Item->WriteCategoryIndex(-1000);
    if (CurIndex < NewIndex)
      for (int I = CurIndex + 1; I <= NewIndex; ++I) MoveItemsToCategory(I, I - 1);
    else
      for (int I = CurIndex - 1; I >= NewIndex; --I) MoveItemsToCategory(I, I + 1);
    for (TdxBarItem* Item : Moved) Item->WriteCategoryIndex(NewIndex);
  }
  FMoving = true;
  try {
    TStringList::Move(CurIndex, NewIndex);
  } catch (...) {
    FMoving = false;
    throw;
  }
  FMoving = false;
}

void TdxBarManagerCategories::DefineProperties(TFiler* Filer) {
  TStringList::DefineProperties(Filer);
  Filer->DefineProperty("ItemsVisibles", Bind(this, &TdxBarManagerCategories::ReadItemsVisibles),
                        Bind(this, &TdxBarManagerCategories::WriteItemsVisibles), true);
  Filer->DefineProperty("Visibles", Bind(this, &TdxBarManagerCategories::ReadVisibles),
                        Bind(this, &TdxBarManagerCategories::WriteVisibles), true);
}

void TdxBarManagerCategories::ReadItemsVisibles(TReader* Reader) {
  Reader->ReadListBegin();
  for (int I = 0; !Reader->EndOfList(); ++I) {
    int V = Reader->ReadInteger();
    if (InRange(I) && V >= ivNever && V <= ivAlways)
      FBarManager ? FBarManager->SetCategoryItemsVisible(I, static_cast<TdxBarItemVisible>(V))
                  : void(EnsureData(I)->ItemsVisible = static_cast<TdxBarItemVisible>(V));
  }
  Reader->ReadListEnd();
}

void TdxBarManagerCategories::WriteItemsVisibles(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int I = 0; I < GetCount(); ++I) Writer->WriteInteger(Data(I) ? Data(I)->ItemsVisible : ivAlways);
  Writer->WriteListEnd();
}

void TdxBarManagerCategories::ReadVisibles(TReader* Reader) {
  Reader->ReadListBegin();
  for (int I = 0; !Reader->EndOfList(); ++I) {
    bool V = Reader->ReadBoolean();
    if (InRange(I)) FBarManager ? FBarManager->SetCategoryVisible(I, V) : void(EnsureData(I)->Visible = V);
  }
  Reader->ReadListEnd();
}

void TdxBarManagerCategories::WriteVisibles(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int I = 0; I < GetCount(); ++I) Writer->WriteBoolean(Data(I) ? Data(I)->Visible : true);
  Writer->WriteListEnd();
}

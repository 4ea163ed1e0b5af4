#include "skins/SkinStore.h"

#include <vector>

#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Conversions.h"
#include "framework/FileUtils.h"
#include "framework/IniFiles.h"
#include "framework/Published.h"
#include "framework/StringLists.h"
#include "skins/SkinValues.h"
#include "skins/SkinZlib.h"

namespace {

const bool Registered = (RegisterClass(TspCompressedStoredSkin::StaticClass()),
                         RegisterClass(TspCompressedSkinList::StaticClass()), true);

constexpr int32_t PackageVersion = 2;

void WriteInt32(TStream* S, int32_t V) {
  const uint8_t b[4] = {uint8_t(V), uint8_t(V >> 8), uint8_t(V >> 16), uint8_t(V >> 24)};
  S->WriteBuffer(b, 4);
}

bool ReadInt32(TStream* S, int32_t& V) {
  uint8_t b[4];
  if (S->Read(b, 4) != 4) return false;
  V = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
  return true;
}

// One slot or numbered picture: a BMP file, as the framework writes it.
void WriteBitmap(TStream* S, const std::string& Path) {
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->LoadFromFile(Path);
  bitmap->SaveToStream(S);
}

}  // namespace

SONVELT_PUBLISHED(TspCompressedStoredSkin, P) {
  P.String("Description", &TspCompressedStoredSkin::GetDescription, &TspCompressedStoredSkin::SetDescription);
  P.String("FileName", &TspCompressedStoredSkin::GetFileName, &TspCompressedStoredSkin::SetFileName);
  P.String("CompressedFileName", &TspCompressedStoredSkin::GetCompressedFileName,
           &TspCompressedStoredSkin::SetCompressedFileName);
}

TspCompressedStoredSkin::TspCompressedStoredSkin(TComponent* AOwner)
    : TComponent(AOwner), FCompressedStream(MakeOwned<TMemoryStream>()) {}

TspCompressedStoredSkin::~TspCompressedStoredSkin() = default;

bool TspCompressedStoredSkin::IsEmpty() const { return FCompressedStream->GetSize() == 0; }

void TspCompressedStoredSkin::DecompressToStream(TStream* Dest) {
  DecompressStream(Dest, FCompressedStream.get(), MaxSkinPackageSize);
}

void TspCompressedStoredSkin::LoadFromSkinFile(const std::string& FileName) {
  auto lines = MakeOwned<TStringList>();
  lines->LoadFromFile(FileName);
  auto ini = MakeOwned<TMemIniFile>(FileName);
  if (!IsSkinIni(ini.get())) return;
  const std::string folder = ExtractFilePath(FileName);

  // The new package is built whole first: a missing picture leaves the old one.
  auto package = MakeOwned<TMemoryStream>();
  WriteInt32(package.get(), PackageVersion);
  for (const char* key : {"picture", "inactivepicture", "mask", "rolluppicture", "rollupmask"}) {
    const std::string name = ini->ReadString("PICTURES", key, "");
    const uint8_t flag = name.empty() ? 1 : 0;
    package->WriteBuffer(&flag, 1);
    if (!name.empty()) WriteBitmap(package.get(), folder + name);
  }
  auto names = MakeOwned<TStringList>();
  ReadSkinList(ini.get(), "PICTURES", "activepictures", names.get());
  WriteInt32(package.get(), names->GetCount());
  for (int i = 0; i < names->GetCount(); ++i) WriteBitmap(package.get(), folder + names->GetStrings(i));
  const std::string text = lines->GetText();
  package->WriteBuffer(text.data(), int(text.size()));

  auto packed = MakeOwned<TMemoryStream>();
  CompressStream(package.get(), packed.get());
  FCompressedStream = std::move(packed);
}

void TspCompressedStoredSkin::LoadFromCompressedFile(const std::string& FileName) {
  ReadFromFile(FileName, [this](TStream& S) { LoadFromCompressedStream(&S); });
}

void TspCompressedStoredSkin::LoadFromCompressedStream(TStream* Stream) {
  FCompressedStream->Clear();
  Stream->SetPosition(0);
  int32_t version = 0, size = 0;
  if (!ReadInt32(Stream, version) || version > 3) return;
  if (!ReadInt32(Stream, size)) return;
  // The size field is checked against what the stream holds; a bad one is
  // refused like a bad version.
  const int64_t remaining = Stream->GetSize() - Stream->GetPosition();
  if (size < 0 || size > remaining) return;
  if (size > 0) FCompressedStream->CopyFrom(Stream, size);
  FCompressedStream->SetPosition(0);
}

void TspCompressedStoredSkin::SaveToCompressedStream(TStream* Stream) {
  WriteInt32(Stream, PackageVersion);
  WriteInt32(Stream, int32_t(FCompressedStream->GetSize()));
  if (FCompressedStream->GetSize() > 0)
    Stream->WriteBuffer(FCompressedStream->GetMemory(), int(FCompressedStream->GetSize()));
}

void TspCompressedStoredSkin::SetFileName(const std::string& Value) {
  const TComponentState state = GetComponentState();
  if (state.Contains(csDesigning) && !state.Contains(csLoading)) {
    FFileName = ExtractFileName(Value);
    LoadFromSkinFile(Value);
  } else {
    FFileName = Value;
  }
}

void TspCompressedStoredSkin::SetCompressedFileName(const std::string& Value) {
  const TComponentState state = GetComponentState();
  if (state.Contains(csDesigning) && !state.Contains(csLoading)) {
    FCompressedFileName = ExtractFileName(Value);
    LoadFromCompressedFile(Value);
  } else {
    FCompressedFileName = Value;
  }
}

void TspCompressedStoredSkin::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineBinaryProperty("CompressedData", Bind(this, &TspCompressedStoredSkin::ReadData),
                              Bind(this, &TspCompressedStoredSkin::WriteData), true);
}

void TspCompressedStoredSkin::ReadData(TStream* Stream) {
  FCompressedStream->Clear();
  FCompressedStream->CopyFrom(Stream, 0);
  FCompressedStream->SetPosition(0);
}

void TspCompressedStoredSkin::WriteData(TStream* Stream) {
  if (FCompressedStream->GetSize() > 0)
    Stream->WriteBuffer(FCompressedStream->GetMemory(), int(FCompressedStream->GetSize()));
}

// --- skin list ---------------------------------------------------------------

SONVELT_PUBLISHED(TspSkinListItem, P) {
  P.String("Description", &TspSkinListItem::GetDescription, &TspSkinListItem::SetDescription);
  P.String("FileName", &TspSkinListItem::GetFileName, &TspSkinListItem::SetFileName);
  P.String("CompressedFileName", &TspSkinListItem::GetCompressedFileName, &TspSkinListItem::SetCompressedFileName);
  P.String("Name", &TspSkinListItem::GetName, &TspSkinListItem::SetName);
}

TspSkinListItem::TspSkinListItem(TCollection* Collection)
    : TCollectionItem(Collection), FStoredSkin(MakeOwned<TspCompressedStoredSkin>(nullptr)) {}

TspSkinListItem::~TspSkinListItem() = default;

void TspSkinListItem::AfterConstruction() {
  TCollectionItem::AfterConstruction();
  FName = "spSkin" + IntToStr(GetIndex());
}

void TspSkinListItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TspSkinListItem*>(Source)) {
    FName = item->FName;
    FDescription = item->FDescription;
    FFileName = item->FFileName;
    FCompressedFileName = item->FCompressedFileName;
    FStoredSkin->GetCompressedStream()->Clear();
    FStoredSkin->GetCompressedStream()->CopyFrom(item->FStoredSkin->GetCompressedStream(), 0);
    return;
  }
  TCollectionItem::Assign(Source);
}

std::string TspSkinListItem::GetDisplayName() const { return FName.empty() ? TCollectionItem::GetDisplayName() : FName; }

bool TspSkinListItem::Designing() const {
  auto* owner = GetCollection() ? dynamic_cast<TComponent*>(GetCollection()->GetOwner()) : nullptr;
  return owner && owner->GetComponentState().Contains(csDesigning);
}

void TspSkinListItem::SetFileName(const std::string& Value) {
  if (Designing()) {
    FStoredSkin->LoadFromSkinFile(Value);
    FFileName = ExtractFileName(Value);
  } else {
    FFileName = Value;
  }
}

void TspSkinListItem::SetCompressedFileName(const std::string& Value) {
  if (Designing()) {
    FStoredSkin->LoadFromCompressedFile(Value);
    FCompressedFileName = ExtractFileName(Value);
  } else {
    FCompressedFileName = Value;
  }
}

void TspSkinListItem::DefineProperties(TFiler* Filer) {
  TCollectionItem::DefineProperties(Filer);
  Filer->DefineBinaryProperty("Skin", Bind(this, &TspSkinListItem::ReadSkin), Bind(this, &TspSkinListItem::WriteSkin),
                              true);
}

SONVELT_PUBLISHED(TspCompressedSkinList, P) { P.Collection("Skins", &TspCompressedSkinList::GetSkins); }

TspCompressedSkinList::TspCompressedSkinList(TComponent* AOwner)
    : TComponent(AOwner), FSkins(MakeOwned<TspSkinListItems>(this)) {}

TspCompressedSkinList::~TspCompressedSkinList() = default;

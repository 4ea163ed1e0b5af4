#include "skins/SkinData.h"

#include <algorithm>
#include <cstring>

#include "framework/ClassRegistry.h"
#include "framework/Conversions.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Graphic.h"
#include "framework/IniFiles.h"
#include "framework/MemoryStreams.h"
#include "framework/Published.h"
#include "framework/Screen.h"
#include "skins/SkinResourceStrings.h"
#include "skins/SkinStore.h"
#include "skins/SkinValues.h"

namespace {

const bool Registered = (RegisterClass(TspSkinData::StaticClass()), true);

// The decompressed package, read with every length checked against what is left.
class TPackageReader {
 public:
  TPackageReader(const uint8_t* Data, size_t Size) : FData(Data), FSize(Size) {}
  size_t Remaining() const { return FSize - FPos; }
  uint8_t Byte() {
    Need(1);
    return FData[FPos++];
  }
  int32_t Int32() {
    Need(4);
    const uint8_t* p = FData + FPos;
    FPos += 4;
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
  }
  // One BMP file, cut out by its own size field and parsed alone.
  void Bitmap(TBitmap* Into) {
    Need(14);
    const uint8_t* p = FData + FPos;
    if (p[0] != 'B' || p[1] != 'M') throw EInvalidGraphic("Bitmap image is not valid");
    const uint32_t size = uint32_t(p[2]) | uint32_t(p[3]) << 8 | uint32_t(p[4]) << 16 | uint32_t(p[5]) << 24;
    if (size < 14) throw EInvalidGraphic("Bitmap image is not valid");
    Need(size);
    Into->LoadFromBytes(p, size);
    FPos += size;
  }
  std::string Rest() {
    std::string s(reinterpret_cast<const char*>(FData + FPos), Remaining());
    FPos = FSize;
    return s;
  }

 private:
  void Need(size_t n) const {
    if (n > Remaining()) throw EReadError("Stream read error");
  }
  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
};

}  // namespace

// --- colours -------------------------------------------------------------------

void TspSkinColors::SetDefaults() {
  cBtnFace = clBtnFace;
  cBtnText = clBtnText;
  cWindow = clWindow;
  cWindowText = clWindowText;
  cHighLight = clHighlight;
  cHighLightText = clHighlightText;
  cBtnHighLight = clBtnHighlight;
  cBtnShadow = clBtnShadow;
  c3DLight = cl3DLight;
  c3DDkShadow = cl3DDkShadow;
}

void TspSkinColors::ReadFromIni(TCustomIniFile* Ini) {
  const char* const s = "SKINCOLORS";
  cBtnFace = Ini->ReadInteger(s, "cbtnface", 0);
  cBtnText = Ini->ReadInteger(s, "cbtntext", 0);
  cWindow = Ini->ReadInteger(s, "cwindow", 0);
  cWindowText = Ini->ReadInteger(s, "cwindowtext", 0);
  cHighLight = Ini->ReadInteger(s, "chighlight", 0);
  cHighLightText = Ini->ReadInteger(s, "chighlighttext", 0);
  cBtnHighLight = Ini->ReadInteger(s, "cbtnhighlight", 0);
  cBtnShadow = Ini->ReadInteger(s, "cbtnshadow", 0);
  c3DLight = Ini->ReadInteger(s, "c3dlight", 0);
  c3DDkShadow = Ini->ReadInteger(s, "c3ddkshadow", 0);
}

void TspSkinColors::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TspSkinColors*>(Source)) {
    cBtnFace = c->cBtnFace;
    cBtnText = c->cBtnText;
    cWindow = c->cWindow;
    cWindowText = c->cWindowText;
    cHighLight = c->cHighLight;
    cHighLightText = c->cHighLightText;
    cBtnHighLight = c->cBtnHighLight;
    cBtnShadow = c->cBtnShadow;
    c3DLight = c->c3DLight;
    c3DDkShadow = c->c3DDkShadow;
    return;
  }
  TPersistent::Assign(Source);
}

// --- skin data -----------------------------------------------------------------

SONVELT_PUBLISHED(TspSkinData, P) {
  P.Boolean("SkinnableForm", &TspSkinData::GetSkinnableForm, &TspSkinData::SetSkinnableForm).Default(true);
  P.Boolean("EnableSkinEffects", &TspSkinData::GetEnableSkinEffects, &TspSkinData::SetEnableSkinEffects)
      .Default(true);
  P.Component("CompressedStoredSkin", &TspSkinData::GetCompressedStoredSkin, &TspSkinData::SetCompressedStoredSkin);
  P.Component("ResourceStrData", &TspSkinData::GetResourceStrData, &TspSkinData::SetResourceStrData);
  P.Component("SkinList", &TspSkinData::GetSkinList, &TspSkinData::SetSkinList);
  P.Integer("SkinIndex", &TspSkinData::GetSkinIndex, &TspSkinData::SetSkinIndex).Default(0);
}

TspSkinData::TspSkinData(TComponent* AOwner)
    : TComponent(AOwner),
      FPicture(MakeOwned<TBitmap>()),
      FInactivePicture(MakeOwned<TBitmap>()),
      FMask(MakeOwned<TBitmap>()),
      FRollUpPicture(MakeOwned<TBitmap>()),
      FRollUpMask(MakeOwned<TBitmap>()),
      FActivePictureNames(MakeOwned<TStringList>()),
      FSkinColors(MakeOwned<TspSkinColors>()),
      FPopupWindow(MakeOwned<TspDataSkinPopupWindow>("POPUPWINDOW")),
      FHintWindow(MakeOwned<TspDataSkinHintWindow>("HINTWINDOW")),
      FFormInfo(MakeOwned<TspDataSkinFormInfo>()) {}

TspSkinData::~TspSkinData() {
  FEmpty = true;
  ClearDescriptors();
}

TBitmap* TspSkinData::GetActivePicture(int Index) const {
  return Index >= 0 && Index < int(FActivePictures.size()) ? FActivePictures[size_t(Index)].get() : nullptr;
}

TspDataSkinControl* TspSkinData::GetControlDescriptor(int Index) const {
  return Index >= 0 && Index < int(FControls.size()) ? FControls[size_t(Index)].get() : nullptr;
}

TspDataSkinObject* TspSkinData::GetObjectDescriptor(int Index) const {
  return Index >= 0 && Index < int(FObjects.size()) ? FObjects[size_t(Index)].get() : nullptr;
}

int TspSkinData::FindControlIndex(const std::string& Name) const {
  for (size_t i = 0; i < FControls.size(); ++i)
    if (FControls[i]->SkinSection == Name) return int(i);
  return -1;
}

void TspSkinData::SplitEntry(const std::string& Entry, std::string& Name, std::string& Kind) {
  const size_t colon = Entry.find(':');
  if (colon == std::string::npos) {
    Name.clear();
    Kind.clear();
    return;
  }
  Name = Entry.substr(0, colon);
  Kind = Entry.substr(colon + 1);
}

void TspSkinData::ClearDescriptors() {
  FSkinAreas.clear();
  FObjects.clear();
  FControls.clear();
  FActivePictures.clear();
  FPopupWindow->WindowPictureIndex = -1;
  FHintWindow->WindowPictureIndex = -1;
  FActivePictureNames->Clear();
  FSkinColors->SetDefaults();
}

void TspSkinData::ClearSkin() {
  ClearDescriptors();
  for (TBitmap* b : {FPicture.get(), FInactivePicture.get(), FMask.get(), FRollUpPicture.get(), FRollUpMask.get()})
    b->Assign(nullptr);
  FPictureName.clear();
  FMaskName.clear();
  FRollUpPictureName.clear();
  FRollUpMaskName.clear();
  FEmpty = true;
}

void TspSkinData::BroadcastSkinMessage(UINT Msg) {
  // Forms still without a window (one being read from its stream, say) are
  // skipped: sending to them would create their window too early.
  auto send = [&](TCustomForm* Form) {
    if (Form->HandleAllocated())
      SendMessageW(Form->GetHandle(), Msg, reinterpret_cast<WPARAM>(this), SkinMessageParam);
  };
  auto* ownerForm = dynamic_cast<TCustomForm*>(GetOwner());
  if (ownerForm) send(ownerForm);
  if (!Screen) return;
  for (int i = 0; i < Screen->GetFormCount(); ++i)
    if (TCustomForm* form = Screen->GetForms(i); form != ownerForm) send(form);
}

void TspSkinData::LoadCompressedSkin(TspCompressedStoredSkin* AStoredSkin) {
  if (!AStoredSkin || AStoredSkin->IsEmpty()) return;
  FEmpty = true;
  BroadcastSkinMessage(WM_SKINDATA_BEFORECHANGE);
  ClearSkin();
  try {
    auto package = MakeOwned<TMemoryStream>();
    AStoredSkin->DecompressToStream(package.get());
    ReadPackage(package.get());
  } catch (...) {
    ClearSkin();
    throw;
  }
}

void TspSkinData::ReadPackage(TStream* Package) {
  auto* memory = static_cast<TMemoryStream*>(Package);
  TPackageReader in(static_cast<const uint8_t*>(memory->GetMemory()), size_t(memory->GetSize()));
  const int32_t version = in.Int32();
  if (version > 3) return;
  auto slot = [&](TBitmap* Into) {
    if (in.Byte() == 0) in.Bitmap(Into);
  };
  slot(FPicture.get());
  if (version == 2 || version == 3) slot(FInactivePicture.get());
  slot(FMask.get());
  if (version == 1 || version == 2) {
    slot(FRollUpPicture.get());
    slot(FRollUpMask.get());
  }
  // The count only bounds the loop: each picture must be there in full.
  const int32_t count = in.Int32();
  for (int32_t i = 0; i < count; ++i) {
    auto bitmap = MakeOwned<TBitmap>();
    in.Bitmap(bitmap.get());
    FActivePictures.push_back(std::move(bitmap));
  }

  auto lines = MakeOwned<TStringList>();
  lines->SetText(in.Rest());
  auto ini = MakeOwned<TMemIniFile>("");
  ini->SetStrings(lines.get());
  TCustomIniFile* store = ini.get();

  FSkinInfo.Name = store->ReadString("VERSION", "skinname", "");
  FSkinInfo.Author = store->ReadString("VERSION", "skinauthor", "");
  FSkinInfo.AuthorEmail = store->ReadString("VERSION", "authoremail", "");
  FSkinInfo.AuthorURL = store->ReadString("VERSION", "authorurl", "");
  FSkinInfo.Comments = store->ReadString("VERSION", "skincomments", "");
  FPictureName = store->ReadString("PICTURES", "picture", "");
  FMaskName = store->ReadString("PICTURES", "mask", "");
  FRollUpPictureName = store->ReadString("PICTURES", "rolluppicture", "");
  FRollUpMaskName = store->ReadString("PICTURES", "rollupmask", "");
  ReadSkinList(store, "PICTURES", "activepictures", FActivePictureNames.get());

  ReadFormInfo(store);
  FPopupWindow->ReadFromIni(store);
  FHintWindow->ReadFromIni(store);
  FSkinColors->ReadFromIni(store);
  ReadSkinAreas(store);
  ReadSkinObjects(store);
  ReadSkinControls(store);

  FEmpty = false;
  BroadcastSkinMessage(WM_SKINDATA_CHANGED);
  BroadcastSkinMessage(WM_SKINDATA_CHANGEDONE);
}

void TspSkinData::ReadSkinAreas(TCustomIniFile* Ini) {
  const int count = Ini->ReadInteger("SKINAREAS", "count", 0);
  for (int k : NumberedKeys(Ini, "SKINAREAS", "", count)) {
    const std::string entry = Ini->ReadString("SKINAREAS", IntToStr(k), "");
    // An entry without a colon is all rectangle, with an empty name.
    const size_t colon = entry.find(':');
    TspDataSkinArea area;
    area.IDName = colon == std::string::npos ? std::string() : entry.substr(0, colon);
    area.AreaRect = StrToSkinRect(colon == std::string::npos ? entry : entry.substr(colon + 1));
    FSkinAreas.push_back(std::move(area));
  }
}

void TspSkinData::ReadSkinObjects(TCustomIniFile* Ini) {
  const int count = Ini->ReadInteger("SKINOBJECTS", "count", 0);
  for (int k : NumberedKeys(Ini, "SKINOBJECTS", "", count)) {
    std::string name, kind;
    SplitEntry(Ini->ReadString("SKINOBJECTS", IntToStr(k), ""), name, kind);
    TOwned<TspDataSkinObject> object(CreateObjectDescriptor(kind, name));
    if (!object) continue;
    FObjects.push_back(std::move(object));
    FObjects.back()->ReadFromIni(Ini);
  }
}

void TspSkinData::ReadSkinControls(TCustomIniFile* Ini) {
  const int count = Ini->ReadInteger("SKINCONTROLS", "count", 0);
  for (int k : NumberedKeys(Ini, "SKINCONTROLS", "", count)) {
    std::string name, kind;
    SplitEntry(Ini->ReadString("SKINCONTROLS", IntToStr(k), ""), name, kind);
    TOwned<TspDataSkinControl> control(CreateControlDescriptor(kind, name));
    if (!control) continue;
    FControls.push_back(std::move(control));
    FControls.back()->ReadFromIni(Ini);
  }
}

void TspSkinData::ReadFormInfo(TCustomIniFile* Ini) {
  TspDataSkinFormInfo& f = *FFormInfo;
  f.ReadFromIni(Ini);
  if (!FMaskName.empty()) {
    if (IsNullRect(f.MaskRectArea)) {
      f.MaskRectArea = f.ClientRect;
    } else {
      RECT& m = f.MaskRectArea;
      const RECT& c = f.ClientRect;
      m = RECT{std::min(m.left, c.left), std::min(m.top, c.top), std::max(m.right, c.right),
               std::max(m.bottom, c.bottom)};
    }
    if (IsNullPoint(f.HitTestLTPoint)) f.HitTestLTPoint = f.LTPoint;
    if (IsNullPoint(f.HitTestRTPoint)) f.HitTestRTPoint = f.RTPoint;
    if (IsNullPoint(f.HitTestLBPoint)) f.HitTestLBPoint = f.LBPoint;
    if (IsNullPoint(f.HitTestRBPoint)) f.HitTestRBPoint = f.RBPoint;
  }
  if (f.RBPoint.x != f.LTPoint.x && f.RBPoint.y != f.LTPoint.y) {
    const RECT& c = f.ClientRect;
    f.LTPoint = POINT{std::max(f.LTPoint.x, c.left), std::max(f.LTPoint.y, c.top)};
    f.RTPoint = POINT{std::min(f.RTPoint.x, c.right), std::max(f.RTPoint.y, c.top)};
    f.LBPoint = POINT{std::max(f.LBPoint.x, c.left), std::min(f.LBPoint.y, c.bottom)};
    f.RBPoint = POINT{std::min(f.RBPoint.x, c.right), std::min(f.RBPoint.y, c.bottom)};
  }
}

void TspSkinData::LoadFromSetter(TspCompressedStoredSkin* AStoredSkin) {
  // A damaged skin must not stop the form that names it from opening.
  try {
    LoadCompressedSkin(AStoredSkin);
  } catch (const Exception&) {
  }
}

void TspSkinData::SetSkinnableForm(bool Value) {
  if (FSkinnableForm == Value) return;
  FSkinnableForm = Value;
  const TComponentState state = GetComponentState();
  if (!state.Contains(csDesigning) && !state.Contains(csLoading)) BroadcastSkinMessage(WM_SKINDATA_FORMSKINNABLE);
}

void TspSkinData::SetCompressedStoredSkin(TspCompressedStoredSkin* Value) {
  FCompressedStoredSkin = Value;
  if (Value) Value->FreeNotification(this);
  if (!Designing() && Value) LoadFromSetter(Value);
}

void TspSkinData::SetResourceStrData(TspResourceStrData* Value) {
  FResourceStrData = Value;
  if (Value) Value->FreeNotification(this);
  if (!Designing()) BroadcastSkinMessage(WM_SKINDATA_RESSTRINGS);
}

void TspSkinData::SetSkinList(TspCompressedSkinList* Value) {
  FSkinList = Value;
  if (Value) Value->FreeNotification(this);
  if (!Designing() && Value && FSkinIndex >= 0 && FSkinIndex < Value->GetSkins()->GetCount())
    LoadFromSetter(Value->GetSkins()->Items(FSkinIndex)->GetStoredSkin());
}

void TspSkinData::SetSkinIndex(int Value) {
  if (Value == FSkinIndex) return;
  if (!FSkinList) {
    FSkinIndex = Value;
    return;
  }
  if (Value < 0 || Value >= FSkinList->GetSkins()->GetCount()) return;
  FSkinIndex = Value;
  if (!Designing()) LoadFromSetter(FSkinList->GetSkins()->Items(Value)->GetStoredSkin());
}

void TspSkinData::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FCompressedStoredSkin) FCompressedStoredSkin = nullptr;
  if (AComponent == FResourceStrData) FResourceStrData = nullptr;
  if (AComponent == FSkinList) FSkinList = nullptr;
}

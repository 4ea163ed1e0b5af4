#include "suite/common/cxImageList.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/Canvas.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/common/cxImageDrawing.h"

namespace {

HBITMAP FreeHandleOf(TBitmap* B) {
  if (!B) return nullptr;
  HBITMAP h = B->GetHandle();
  B->FreeContext();
  return h;
}

// Copies Source's rectangle R into Dest, sized to R.
void CopyPart(HBITMAP Source, const RECT& R, TBitmap* Dest) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  if (Dest->GetWidth() != w || Dest->GetHeight() != h) Dest->SetSize(w, h);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, Source);
  BitBlt(Dest->GetCanvas()->GetHandle(), 0, 0, w, h, src, R.left, R.top, SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
  Dest->FreeContext();
}

}  // namespace

SONVELT_PUBLISHED(TcxImageInfoItem, P) {
  P.Object("Image", &TcxImageInfoItem::GetImage);
  P.Object("Mask", &TcxImageInfoItem::GetMask);
  P.Integer("MaskColor", &TcxImageInfoItem::GetMaskColor, &TcxImageInfoItem::SetMaskColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(clNone);
}

SONVELT_PUBLISHED(TcxImageList, P) {
  static const std::vector<std::string> drawingStyles{"dsFocus", "dsSelected", "dsNormal", "dsTransparent"};
  static const std::vector<std::string> imageTypes{"itImage", "itMask"};
  P.Integer("BlendColor", &TcxImageList::GetBlendColor, &TcxImageList::SetBlendColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(clNone);
  P.Integer("BkColor", &TcxImageList::GetBkColor, &TcxImageList::SetBkColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(clNone);
  P.Boolean("CompressData", &TcxImageList::GetCompressData, &TcxImageList::SetCompressData).Default(false);
  P.Enum("DrawingStyle", &TcxImageList::GetDrawingStyle, &TcxImageList::SetDrawingStyle, drawingStyles)
      .Default(dsNormal);
  P.Integer("Height", &TcxImageList::GetHeight, &TcxImageList::SetHeight).Default(16);
  P.Enum("ImageType", &TcxImageList::GetImageType, &TcxImageList::SetImageType, imageTypes).Default(itImage);
  P.Boolean("ShareImages", &TcxImageList::GetShareImages, &TcxImageList::SetShareImages).Default(false);
  P.Integer("Width", &TcxImageList::GetWidth, &TcxImageList::SetWidth).Default(16);
  P.Event("OnChange", &TcxImageList::OnChange);
}

namespace {

const bool Registered = [] {
  RegisterClass(TcxImageList::StaticClass());
  return true;
}();

}  // namespace

// ---------------------------------------------------------------- TcxImageInfo

TcxImageInfo::TcxImageInfo() : FImage(TcxCustomBitmap::Create()), FMask(TcxCustomBitmap::Create()) {}

TcxImageInfo::~TcxImageInfo() = default;

void TcxImageInfo::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TcxImageInfo*>(Source)) {
    AssignImage(other->FImage.get());
    AssignMask(other->FMask.get());
    FMaskColor = other->FMaskColor;
    return;
  }
  TPersistent::Assign(Source);
}

void TcxImageInfo::AssignImage(TBitmap* Bitmap) {
  FImage->Assign(Bitmap);
  FImage->GetHandle();
}

void TcxImageInfo::AssignMask(TBitmap* Bitmap) {
  FMask->Assign(Bitmap);
  FMask->GetHandle();
}

// ---------------------------------------------------------------- items and collection

TcxImageInfoItem::TcxImageInfoItem(TCollection* Collection)
    : TCollectionItem(Collection), FImageInfo(TcxImageInfo::Create()) {
  if (auto* c = dynamic_cast<TcxImageInfoCollection*>(Collection)) {
    FImageInfo->GetImage()->SetCompressData(c->GetCompressData());
    FImageInfo->GetMask()->SetCompressData(c->GetCompressData());
  }
}

TcxImageInfoItem::~TcxImageInfoItem() = default;

void TcxImageInfoItem::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TcxImageInfoItem*>(Source)) {
    FImageInfo->Assign(other->FImageInfo.get());
    return;
  }
  TCollectionItem::Assign(Source);
}

TcxImageInfoCollection::TcxImageInfoCollection(TcxImageList* AOwner)
    : TOwnedCollection(AOwner, TcxImageInfoItem::StaticClass()) {}

TcxImageInfoItem* TcxImageInfoCollection::AddInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor) {
  auto* item = static_cast<TcxImageInfoItem*>(Add());
  item->SetImage(Image);
  item->SetMask(Mask);
  item->SetMaskColor(MaskColor);
  return item;
}

void TcxImageInfoCollection::DeleteAt(int Index) {
  if (Index >= 0 && Index < GetCount()) Delete(Index);
}

void TcxImageInfoCollection::SetCompressDataFlag(bool Value) {
  FCompressData = Value;
  for (int i = 0; i < GetCount(); ++i) {
    At(i)->GetImageInfo()->GetImage()->SetCompressData(Value);
    At(i)->GetImageInfo()->GetMask()->SetCompressData(Value);
  }
}

// ---------------------------------------------------------------- TcxImageList

TcxImageList::TcxImageList(TComponent* AOwner) : TDragImageList(AOwner) {}

TcxImageList::TcxImageList(int AWidth, int AHeight) : TDragImageList(AWidth, AHeight) {}

TcxImageList::~TcxImageList() = default;

void TcxImageList::Initialize() {
  TDragImageList::Initialize();
  // A new native list (first or after a size change) holds no images yet.
  if (!FImageInfo) FImageInfo.reset(TcxImageInfoCollection::Create(this));
  else FImageInfo->Clear();
  SetHandle(ImageList_Create(GetWidth(), GetHeight(), ILC_COLOR32 | ILC_MASK, GetAllocBy(), GetAllocBy()));
}

void TcxImageList::Change() {
  if (FLockCount == 0) TDragImageList::Change();
}

void TcxImageList::EndUpdate(bool ForceChange) {
  if (FLockCount == 0) return;
  --FLockCount;
  if (FLockCount == 0 && ForceChange) Change();
}

int TcxImageList::AddImage(TBitmap* Image, TBitmap* Mask) {
  HBITMAP ownMask = nullptr;
  if (!Mask) ownMask = CreateBitmap(GetWidth(), GetHeight(), 1, 1, nullptr);
  const int result = ImageList_Add(GetHandle(), Image ? FreeHandleOf(Image) : nullptr, Mask ? FreeHandleOf(Mask) : ownMask);
  if (ownMask) DeleteObject(ownMask);
  if (result != -1 && !FRebuilding && Image) AddImageInfoItems(Image, Mask, clNone);
  Change();
  return result;
}

int TcxImageList::AddImageMasked(TBitmap* Image, TColor MaskColor) {
  BeginUpdate();
  int result = -1;
  try {
    if (MaskColor == clNone) {
      result = AddImage(Image, nullptr);
    } else if (Image) {
      // The native call turns the masked pixels of the bitmap it gets black.
      TOwned<TBitmap> copy(TBitmap::Create());
      copy->Assign(Image);
      result = ImageList_AddMasked(GetHandle(), FreeHandleOf(copy.get()), static_cast<COLORREF>(ColorToRGB(MaskColor)));
      if (result != -1 && !FRebuilding) AddImageInfoItems(Image, nullptr, MaskColor);
    }
  } catch (...) {
    EndUpdate(false);
    throw;
  }
  EndUpdate(true);
  return result;
}

void TcxImageList::AddImageInfoItems(TBitmap* Image, TBitmap* Mask, TColor MaskColor) {
  const int w = GetWidth(), h = GetHeight();
  const int iw = Image->GetWidth(), ih = Image->GetHeight();
  const bool strip = iw % w == 0 && ih % h == 0 && (iw > w || ih > h);
  if (!strip) {
    FImageInfo->AddInfo(Image, Mask, MaskColor)->GetImage()->Dormant();
    return;
  }
  // Tiles row by row, as the native list splits a strip.
  for (int y = 0; y < ih; y += h)
    for (int x = 0; x < iw; x += w) {
      TOwned<TcxCustomBitmap> tile(TcxCustomBitmap::Create(w, h, Image->GetPixelFormat()));
      tile->CopyBitmapRect(Image, RECT{0, 0, w, h}, SRCCOPY, POINT{x, y});
      TOwned<TcxCustomBitmap> maskTile;
      if (Mask) {
        maskTile.reset(TcxCustomBitmap::Create(w, h, Mask->GetPixelFormat()));
        maskTile->ClearPixels();
        maskTile->CopyBitmapRect(Mask, RECT{0, 0, w, h}, SRCCOPY, POINT{x, y});
      }
      FImageInfo->AddInfo(tile.get(), maskTile.get(), MaskColor)->GetImage()->Dormant();
    }
}

void TcxImageList::DeleteImage(int Index) {
  BeginUpdate();
  try {
    Delete(Index);
    if (!FRebuilding) {
      if (Index == -1) FImageInfo->Clear();
      else FImageInfo->DeleteAt(Index);
    }
  } catch (...) {
    EndUpdate(false);
    throw;
  }
  EndUpdate(true);
}

void TcxImageList::GetImage(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index >= GetCount() || Index >= FImageInfo->GetCount()) return;
  TcxImageInfo* info = FImageInfo->At(Index)->GetImageInfo();
  if (info->GetImage()->GetPixelFormat() == pf32bit) {
    if (Image) Image->Assign(info->GetImage());
    if (Mask) Mask->Assign(info->GetMask());
  } else {
    ImageInfoAt(GetHandle(), Index, Image, Mask);
  }
}

void TcxImageList::GetImageInfoAt(int Index, TcxImageInfo* ImageInfo) {
  if (Index >= 0 && Index < FImageInfo->GetCount()) {
    ImageInfo->Assign(FImageInfo->At(Index)->GetImageInfo());
    return;
  }
  ImageInfo->AssignImage(nullptr);
  ImageInfo->AssignMask(nullptr);
  ImageInfo->SetMaskColor(clNone);
}

void TcxImageList::ImageInfoAt(HIMAGELIST Handle, int Index, TBitmap* Image, TBitmap* Mask) {
  IMAGEINFO info{};
  if (!Handle || !ImageList_GetImageInfo(Handle, Index == -1 ? 0 : Index, &info)) return;
  auto copyOut = [&](HBITMAP Source, TBitmap* Dest) {
    if (!Dest || !Source) return;
    HBITMAP copy = CopyBitmapHandle(Source);
    if (!copy) return;
    if (Index == -1) {
      Dest->SetHandle(copy);
      return;
    }
    CopyPart(copy, info.rcImage, Dest);
    DeleteObject(copy);
  };
  copyOut(info.hbmImage, Image);
  copyOut(info.hbmMask, Mask);
}

int TcxImageList::ImagePixelFormat(HIMAGELIST Handle) {
  IMAGEINFO info{};
  BITMAP bm{};
  if (!Handle || !ImageList_GetImageInfo(Handle, 0, &info) ||
      GetObjectW(info.hbmImage, sizeof bm, &bm) != static_cast<int>(sizeof bm))
    return 0;
  return bm.bmBitsPixel;
}

void TcxImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  DrawImageInRect(Index, Canvas, RECT{X, Y, X + GetWidth(), Y + GetHeight()}, Style, false, false, Enabled);
}

void TcxImageList::DrawImageInRect(int Index, TCanvas* Canvas, const RECT& Rect, UINT, bool WholeRect, bool Stretch,
                                   bool Enabled) {
  RECT image = Rect;
  if (!WholeRect) {
    const int l = (Rect.left + Rect.right - GetWidth()) / 2, t = (Rect.top + Rect.bottom - GetHeight()) / 2;
    image = RECT{l, t, l + GetWidth(), t + GetHeight()};
  }
  PaintImageWithState(Canvas->GetHandle(), image, Rect, nullptr, this, Index, Enabled ? simNormal : simDisabled,
                      Stretch, nullptr, clNone, true);
}

void TcxImageList::AppendImageInfo(TcxImageInfo* ImageInfo) {
  if (!ImageInfo->GetMask()->GetEmpty()) AddImage(ImageInfo->GetImage(), ImageInfo->GetMask());
  else AddImageMasked(ImageInfo->GetImage(), ImageInfo->GetMaskColor());
}

void TcxImageList::Assign(TPersistent* Source) {
  auto* list = dynamic_cast<TCustomImageList*>(Source);
  if (!list || list == this) return;
  BeginUpdate();
  try {
    TDragImageList::Assign(Source);
    // The platform copy takes the source's native list; this list keeps its own
    // kind (32 bits with a mask), made anew and filled below.
    Initialize();
    if (auto* cx = dynamic_cast<TcxImageList*>(list)) CopyImagesFrom(cx);
    else CopyNativeImagesFrom(list);
  } catch (...) {
    EndUpdate(false);
    throw;
  }
  EndUpdate(true);
}

void TcxImageList::CopyImagesFrom(TcxImageList* Source) {
  TOwned<TcxImageInfo> info(TcxImageInfo::Create());
  for (int i = 0; i < Source->GetCount(); ++i) {
    Source->GetImageInfoAt(i, info.get());
    AppendImageInfo(info.get());
  }
}

void TcxImageList::CopyNativeImagesFrom(TCustomImageList* Source) {
  for (int i = 0; i < Source->GetCount(); ++i) {
    TOwned<TBitmap> image(CreateSizedBitmap(GetWidth(), GetHeight(), pf32bit));
    TOwned<TBitmap> mask(CreateSizedBitmap(GetWidth(), GetHeight(), pf1bit));
    ImageInfoAt(Source->GetHandle(), i, image.get(), mask.get());
    AddImage(image.get(), mask.get());
  }
}

void TcxImageList::RebuildNativeList() {
  BeginUpdate();
  FRebuilding = true;
  try {
    Delete(-1);
    for (int i = 0; i < FImageInfo->GetCount(); ++i) {
      AppendImageInfo(FImageInfo->At(i)->GetImageInfo());
      FImageInfo->At(i)->GetImageInfo()->GetImage()->Dormant();
    }
  } catch (...) {
    FRebuilding = false;
    EndUpdate(false);
    throw;
  }
  FRebuilding = false;
  EndUpdate(true);
}

void TcxImageList::RebuildImageInfo() {
  FImageInfo->BeginUpdate();
  FImageInfo->Clear();
  for (int i = 0; i < GetCount(); ++i) {
    TOwned<TBitmap> image(CreateSizedBitmap(GetWidth(), GetHeight(), pf32bit));
    TOwned<TBitmap> mask(CreateSizedBitmap(GetWidth(), GetHeight(), pf1bit));
    ImageInfoAt(GetHandle(), i, image.get(), mask.get());
    FImageInfo->AddInfo(image.get(), mask.get(), clNone);
  }
  FImageInfo->EndUpdate();
}

// Not the component's Left and Top: the design position goes as "DesignInfo".
void TcxImageList::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty("FormatVersion", Bind(this, &TcxImageList::ReadFormatVersion),
                        Bind(this, &TcxImageList::WriteFormatVersion), true);
  if (GetComponentState().Contains(csReading))
    Filer->DefineBinaryProperty("Bitmap", Bind(this, &TcxImageList::ReadOldBitmap), nullptr, false);
  auto* ancestor = dynamic_cast<TcxImageList*>(Filer->GetAncestor());
  Filer->DefineProperty("DesignInfo", Bind(this, &TcxImageList::ReadDesignInfo),
                        Bind(this, &TcxImageList::WriteDesignInfo),
                        !ancestor || ancestor->GetDesignInfo() != GetDesignInfo());
  const bool imagesDiffer = ancestor ? !ImageListsEqual(ancestor, this) : GetCount() > 0;
  Filer->DefineProperty("ImageInfo", Bind(this, &TcxImageList::ReadImageInfo),
                        Bind(this, &TcxImageList::WriteImageInfo), imagesDiffer);
}

void TcxImageList::ReadFormatVersion(TReader* Reader) { FFormatVersion = Reader->ReadInteger(); }

void TcxImageList::WriteFormatVersion(TWriter* Writer) { Writer->WriteInteger(1); }

void TcxImageList::ReadDesignInfo(TReader* Reader) { SetDesignInfo(Reader->ReadInteger()); }

void TcxImageList::WriteDesignInfo(TWriter* Writer) { Writer->WriteInteger(GetDesignInfo()); }

void TcxImageList::ReadImageInfo(TReader* Reader) {
  Reader->CheckValue(vaCollection);
  Reader->ReadCollection(FImageInfo.get());
  RebuildNativeList();
}

void TcxImageList::WriteImageInfo(TWriter* Writer) { Writer->WriteCollection(FImageInfo.get()); }

// A whole native list from an older stream: the collection mirrors it. Only then:
// a collection read from "ImageInfo" keeps its own images and mask colours.
void TcxImageList::ReadOldBitmap(TStream* Stream) {
  ReadData(Stream);
  RebuildImageInfo();
}

// ---------------------------------------------------------------- free routines

void AttachImageList(TCustomImageList* Value, TCustomImageList*& Field, TChangeLink* ChangeLink,
                     TComponent* Notifier) {
  if (Value == Field) return;
  if (Field) {
    if (Notifier) Field->RemoveFreeNotification(Notifier);
    if (ChangeLink) Field->UnRegisterChanges(ChangeLink);
  }
  Field = Value;
  if (Value) {
    if (ChangeLink) Value->RegisterChanges(ChangeLink);
    if (Notifier) Value->FreeNotification(Notifier);
  }
  // Told also when the list goes (the link then has no sender to pass).
  if (ChangeLink) {
    if (ChangeLink->GetSender()) ChangeLink->Change();
    else ChangeLink->OnChange(nullptr);
  }
}

bool IsImageIndexValid(TCustomImageList* Images, int Index) {
  return Images && Index >= 0 && Index < Images->GetCount();
}

bool ImageListsEqual(TCustomImageList* A, TCustomImageList* B) {
  if (!A || !B) return A == B;
  if (A->GetCount() != B->GetCount()) return false;
  if (A->GetCount() == 0) return true;
  return A->SaveToBytes() == B->SaveToBytes();
}

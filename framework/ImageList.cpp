#include "framework/ImageList.h"

#include <algorithm>
#include <cstring>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Icon.h"

namespace {

COLORREF ListColor(TColor c) {
  if (c == clNone) return CLR_NONE;
  if (c == clDefault) return CLR_DEFAULT;
  return static_cast<COLORREF>(ColorToRGB(c));
}

// The bitmap's handle free of its canvas, as the native list reads it with its
// own device context.
HBITMAP FreeHandleOf(TBitmap* b) {
  if (!b) return nullptr;
  HBITMAP h = b->GetHandle();
  b->FreeContext();
  return h;
}

}  // namespace

// ---------------------------------------------------------------- TChangeLink

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (FSender) OnChange(FSender);
}

// ---------------------------------------------------------------- TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int AWidth, int AHeight) : TComponent(nullptr) {
  FWidth = std::max(AWidth, 1);
  FHeight = std::max(AHeight, 1);
}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FClients) link->SetSender(nullptr);
  FClients.clear();
  FreeHandle();
}

void TCustomImageList::AfterConstruction() {
  TComponent::AfterConstruction();
  Initialize();
}

void TCustomImageList::Initialize() {}

UINT TCustomImageList::CreateFlags() const {
  static const UINT depth[] = {ILC_COLORDDB, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24, ILC_COLOR32};
  return depth[FColorDepth] | (FMasked ? ILC_MASK : 0);
}

HIMAGELIST TCustomImageList::GetHandle() {
  if (!FHandle) {
    FHandle = ImageList_Create(FWidth, FHeight, CreateFlags(), FAllocBy, FAllocBy);
    if (!FHandle) throw EOutOfMemory("Out of system resources");
    ImageList_SetBkColor(FHandle, ListColor(FBkColor));
  }
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
  if (Value == FHandle) return;
  FreeHandle();
  FHandle = Value;
  if (Value) {
    int w = 0, h = 0;
    ImageList_GetIconSize(Value, &w, &h);
    FWidth = w;
    FHeight = h;
    COLORREF bk = ImageList_GetBkColor(Value);
    FBkColor = bk == CLR_NONE ? clNone : static_cast<TColor>(bk);
  }
  Change();
}

void TCustomImageList::FreeHandle() {
  if (FHandle && !FShareImages) ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

void TCustomImageList::Recreate() {
  FreeHandle();
  Initialize();
  Change();
}

void TCustomImageList::SetWidth(int Value) {
  if (Value < 1 || Value == FWidth) return;
  FWidth = Value;
  Recreate();
}

void TCustomImageList::SetHeight(int Value) {
  if (Value < 1 || Value == FHeight) return;
  FHeight = Value;
  Recreate();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  Recreate();
}

void TCustomImageList::SetColorDepth(TColorDepth Value) {
  if (Value == FColorDepth) return;
  FColorDepth = Value;
  Recreate();
}

int TCustomImageList::GetCount() { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == FBkColor) return;
  FBkColor = Value;
  if (FHandle) ImageList_SetBkColor(FHandle, ListColor(Value));
  Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
  if (Value == FBlendColor) return;
  FBlendColor = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == FDrawingStyle) return;
  FDrawingStyle = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == FImageType) return;
  FImageType = Value;
  Change();
}

void TCustomImageList::CheckIndex(int Index, int Count) {
  if (Index < 0 || Index >= Count) throw EInvalidOperation("Invalid image list index (%d)", {Index});
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image || Image->GetEmpty()) return -1;
  int r = ImageList_Add(GetHandle(), FreeHandleOf(Image), Mask ? FreeHandleOf(Mask) : nullptr);
  if (r >= 0) Change();
  return r;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->GetEmpty()) return -1;
  if (MaskColor == clNone) return Add(Image, nullptr);
  // The native call turns the masked pixels of the bitmap it gets black.
  TBitmap* copy = TBitmap::Create();
  int r = -1;
  try {
    copy->Assign(Image);
    r = ImageList_AddMasked(GetHandle(), FreeHandleOf(copy), static_cast<COLORREF>(ColorToRGB(MaskColor)));
  } catch (...) {
    Free(copy);
    throw;
  }
  Free(copy);
  if (r >= 0) Change();
  return r;
}

int TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image || !Image->GetHandle()) return -1;
  int r = ImageList_ReplaceIcon(GetHandle(), -1, Image->GetHandle());
  if (r >= 0) Change();
  return r;
}

void TCustomImageList::AddImages(TCustomImageList* Value) {
  if (!Value || Value == this) return;
  BeginUpdate();
  int n = Value->GetCount();
  for (int i = 0; i < n; ++i) {
    HICON icon = ImageList_GetIcon(Value->GetHandle(), i, ILD_NORMAL);
    if (!icon) continue;
    if (ImageList_ReplaceIcon(GetHandle(), -1, icon) >= 0) Change();
    DestroyIcon(icon);
  }
  EndUpdate();
}

void TCustomImageList::InsertWith(int Index, const std::function<int()>& AddImage) {
  int count = GetCount();
  if (Index < 0 || Index > count) CheckIndex(Index, count);
  BeginUpdate();
  if (AddImage() >= 0)
    for (int i = GetCount() - 1; i > Index; --i) Move(i, i - 1);
  EndUpdate();
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
  InsertWith(Index, [&] { return Add(Image, Mask); });
}

void TCustomImageList::InsertMasked(int Index, TBitmap* Image, TColor MaskColor) {
  InsertWith(Index, [&] { return AddMasked(Image, MaskColor); });
}

void TCustomImageList::InsertIcon(int Index, TIcon* Image) {
  InsertWith(Index, [&] { return AddIcon(Image); });
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index, GetCount());
  if (!Image) return;
  if (ImageList_Replace(GetHandle(), Index, FreeHandleOf(Image), Mask ? FreeHandleOf(Mask) : nullptr)) Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor) {
  CheckIndex(Index, GetCount());
  BeginUpdate();
  // The native list has no masked replace: add, move over, drop the extra.
  int temp = AddMasked(NewImage, MaskColor);
  if (temp >= 0) {
    ImageList_Copy(GetHandle(), Index, GetHandle(), temp, ILCF_MOVE);
    ImageList_Remove(GetHandle(), temp);
    Change();
  }
  EndUpdate();
}

void TCustomImageList::ReplaceIcon(int Index, TIcon* Image) {
  CheckIndex(Index, GetCount());
  if (!Image || !Image->GetHandle()) return;
  if (ImageList_ReplaceIcon(GetHandle(), Index, Image->GetHandle()) >= 0) Change();
}

void TCustomImageList::Delete(int Index) {
  if (Index == -1) {
    if (FHandle && GetCount() > 0) {
      ImageList_Remove(FHandle, -1);
      Change();
    }
    return;
  }
  CheckIndex(Index, GetCount());
  if (ImageList_Remove(FHandle, Index)) Change();
}

void TCustomImageList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  int count = GetCount();
  CheckIndex(CurIndex, count);
  CheckIndex(NewIndex, count);
  // The moving image waits in a spare slot at the end while the ones between
  // shift by one; plain copies only, as swapping in place is not reliable on
  // every system.
  if (!ImageList_SetImageCount(FHandle, static_cast<UINT>(count + 1))) return;
  ImageList_Copy(FHandle, count, FHandle, CurIndex, ILCF_MOVE);
  int step = NewIndex > CurIndex ? 1 : -1;
  for (int i = CurIndex; i != NewIndex; i += step) ImageList_Copy(FHandle, i, FHandle, i + step, ILCF_MOVE);
  ImageList_Copy(FHandle, NewIndex, FHandle, count, ILCF_MOVE);
  ImageList_Remove(FHandle, count);
  Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  if (!FHandle || !Canvas || Index < 0 || Index >= GetCount()) return;
  static const UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  UINT style = styles[ADrawingStyle];
  if (AImageType == itMask) style |= ILD_MASK;
  DoDraw(Index, Canvas, X, Y, style, Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  HDC dc = Canvas->GetHandle();
  if (Enabled) {
    ImageList_DrawEx(FHandle, Index, dc, X, Y, 0, 0, ListColor(FBkColor), ListColor(FBlendColor), Style);
    return;
  }
  // Disabled: the image's shape embossed, in the highlight colour one pixel
  // down and right, then in the shadow colour on top.
  HDC maskDC = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  PatBlt(maskDC, 0, 0, FWidth, FHeight, WHITENESS);
  ImageList_DrawEx(FHandle, Index, maskDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
  const struct { int dx; int index; } passes[] = {{1, COLOR_BTNHIGHLIGHT}, {0, COLOR_BTNSHADOW}};
  for (auto& p : passes) {
    HBRUSH brush = CreateSolidBrush(GetSysColor(p.index));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    // Where the mask is white the destination stays, elsewhere the brush.
    BitBlt(dc, X + p.dx, Y + p.dx, FWidth, FHeight, maskDC, 0, 0, 0x00B8074A);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  }
  SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
  SelectObject(maskDC, oldMask);
  DeleteObject(mask);
  DeleteDC(maskDC);
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || !FHandle || Index < 0 || Index >= GetCount()) return;
  Image->SetSize(FWidth, FHeight);
  TCanvas* c = Image->GetCanvas();
  c->GetBrush()->SetColor(clWhite);
  c->GetBrush()->SetStyle(bsSolid);
  c->FillRect(RECT{0, 0, FWidth, FHeight});
  ImageList_DrawEx(FHandle, Index, c->GetHandle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
}

void TCustomImageList::GetIcon(int Index, TIcon* Image) {
  if (!Image || !FHandle || Index < 0 || Index >= GetCount()) return;
  Image->SetHandle(ImageList_GetIcon(FHandle, Index, ILD_NORMAL));
}

HBITMAP TCustomImageList::GetImageBitmap() {
  IMAGEINFO info{};
  if (!FHandle || GetCount() == 0 || !ImageList_GetImageInfo(FHandle, 0, &info)) return nullptr;
  return info.hbmImage;
}

HBITMAP TCustomImageList::GetMaskBitmap() {
  IMAGEINFO info{};
  if (!FHandle || GetCount() == 0 || !ImageList_GetImageInfo(FHandle, 0, &info)) return nullptr;
  return info.hbmMask;
}

void TCustomImageList::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCustomImageList*>(Source);
  if (!src) {
    TComponent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  FreeHandle();
  FWidth = src->FWidth;
  FHeight = src->FHeight;
  FAllocBy = src->FAllocBy;
  FBkColor = src->FBkColor;
  FBlendColor = src->FBlendColor;
  FDrawingStyle = src->FDrawingStyle;
  FImageType = src->FImageType;
  FMasked = src->FMasked;
  FColorDepth = src->FColorDepth;
  FShareImages = false;
  Initialize();
  if (src->FHandle) SetHandle(ImageList_Duplicate(src->FHandle));
  FBkColor = src->FBkColor;
  if (FHandle) ImageList_SetBkColor(FHandle, ListColor(FBkColor));
  Change();
  EndUpdate();
}

std::vector<std::uint8_t> TCustomImageList::SaveToBytes() {
  std::vector<std::uint8_t> out;
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) throw EOutOfMemory("Out of system resources");
  if (ImageList_Write(GetHandle(), stream)) {
    HGLOBAL mem = nullptr;
    STATSTG stat{};
    if (SUCCEEDED(GetHGlobalFromStream(stream, &mem)) && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
      const void* p = GlobalLock(mem);
      if (p) out.assign(static_cast<const std::uint8_t*>(p), static_cast<const std::uint8_t*>(p) + stat.cbSize.QuadPart);
      GlobalUnlock(mem);
    }
  }
  stream->Release();
  if (out.empty()) throw EInvalidOperation("Failed to write image list data");
  return out;
}

void TCustomImageList::LoadFromBytes(const std::uint8_t* Data, std::size_t Size) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, Size ? Size : 1);
  if (!mem) throw EOutOfMemory("Out of system resources");
  if (void* p = GlobalLock(mem)) {
    if (Size) std::memcpy(p, Data, Size);
    GlobalUnlock(mem);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
    GlobalFree(mem);
    throw EOutOfMemory("Out of system resources");
  }
  HIMAGELIST list = ImageList_Read(stream);
  stream->Release();
  if (!list) throw EInvalidOperation("Image list data is not valid");
  bool share = FShareImages;
  FShareImages = false;
  SetHandle(list);
  FShareImages = share;
}

void TCustomImageList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) {
    FChanged = false;
    Change();
  }
}

void TCustomImageList::Change() {
  if (FUpdateCount > 0) {
    FChanged = true;
    return;
  }
  // A link may unregister itself in its handler: walk a copy.
  std::vector<TChangeLink*> links = FClients;
  for (TChangeLink* link : links)
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
  OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value || std::find(FClients.begin(), FClients.end(), Value) != FClients.end()) return;
  Value->SetSender(this);
  FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it == FClients.end()) return;
  (*it)->SetSender(nullptr);
  FClients.erase(it);
}

// ---------------------------------------------------------------- TDragImageList

bool TDragImageList::SetDragImage(int Index, int HotSpotX, int HotSpotY) {
  if (Index < 0 || Index >= GetCount()) return false;
  FDragIndex = Index;
  FDragHotspot = POINT{HotSpotX, HotSpotY};
  if (FDragging) return ImageList_SetDragCursorImage(GetHandle(), Index, HotSpotX, HotSpotY) != FALSE;
  return true;
}

bool TDragImageList::BeginDrag(HWND Window, int X, int Y) {
  if (FDragging || GetCount() == 0) return false;
  if (!ImageList_BeginDrag(GetHandle(), FDragIndex, FDragHotspot.x, FDragHotspot.y)) return false;
  FDragging = true;
  return DragLock(Window, X, Y);
}

bool TDragImageList::DragLock(HWND Window, int XPos, int YPos) {
  if (!FDragging) return false;
  if (FDragWindow && FDragWindow != Window) DragUnlock();
  FDragWindow = Window;
  return ImageList_DragEnter(Window, XPos, YPos) != FALSE;
}

void TDragImageList::DragUnlock() {
  if (!FDragWindow) return;
  ImageList_DragLeave(FDragWindow);
  FDragWindow = nullptr;
}

bool TDragImageList::DragMove(int X, int Y) { return FDragging && ImageList_DragMove(X, Y) != FALSE; }

void TDragImageList::EndDrag() {
  if (!FDragging) return;
  DragUnlock();
  ImageList_EndDrag();
  FDragging = false;
}

void TDragImageList::HideDragImage() {
  if (FDragging) ImageList_DragShowNolock(FALSE);
}

void TDragImageList::ShowDragImage() {
  if (FDragging) ImageList_DragShowNolock(TRUE);
}

#include "skins/PngSpeedButton.h"

#include "framework/Action.h"
#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "framework/ClassRegistry.h"
#include "skins/PngChunks.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngObject.h"

namespace {
// Forms name the button by class.
const bool Registered = (RegisterClass(TPngSpeedButton::StaticClass()), true);
}  // namespace

TPngSpeedButton::TPngSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner), FPngImage(TPNGObject::Create()) {}

TPngSpeedButton::~TPngSpeedButton() { FreeAndNil(FPngImage); }

void TPngSpeedButton::Loaded() {
  TSpeedButton::Loaded();
  RebuildPlaceholderGlyph();
}

void TPngSpeedButton::SetPngImage(TPNGObject* Value) {
  if (Value) {
    FPngImage->Assign(Value);
  } else {
    FreeAndNil(FPngImage);
    FPngImage = TPNGObject::Create();
  }
  if (FPngImage->HasHeader()) {
    const uint8_t type = FPngImage->HeaderChunk()->ColourType;
    if (type == COLOR_RGB || type == COLOR_PALETTE || type == COLOR_RGBALPHA)
      if (auto* gamma = FPngImage->ChunkList->Find<TChunkgAMA>()) FPngImage->ChunkList->RemoveChunk(gamma);
  }
  FImageFromAction = false;
  RebuildPlaceholderGlyph();
  Invalidate();
}

void TPngSpeedButton::SetPngOptions(TPngOptions Value) {
  if (Value == FPngOptions) return;
  FPngOptions = Value;
  RebuildPlaceholderGlyph();
  Invalidate();
}

void TPngSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TSpeedButton::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action || !(FPngImage->GetEmpty() || FImageFromAction)) return;
  TCustomActionList* list = action->GetActionList();
  TCustomImageList* images = list ? list->GetImages() : nullptr;
  if (!images || action->GetImageIndex() < 0 || action->GetImageIndex() >= images->GetCount()) return;
  PngFromImageListIcon(FPngImage, images, action->GetImageIndex());
  RebuildPlaceholderGlyph();
  FImageFromAction = true;
  Invalidate();
}

void TPngSpeedButton::RebuildPlaceholderGlyph() {
  auto placeholder = MakeOwned<TBitmap>();
  placeholder->SetSize(FPngImage->GetWidth(), FPngImage->GetHeight());
  placeholder->GetCanvas()->GetBrush()->SetColor(clBtnFace);
  placeholder->GetCanvas()->FillRect(RECT{0, 0, FPngImage->GetWidth(), FPngImage->GetHeight()});
  SetGlyph(placeholder.get());
  SetNumGlyphs(1);
}

void TPngSpeedButton::Paint() {
  TSpeedButton::Paint();
  if (FPngImage->GetEmpty()) return;
  POINT at{};
  RECT text{};
  const bool pressed = GetState() == bsDown;
  LayOutPngButton(GetCanvas(), FPngImage, GetClientRect(), pressed, GetDown(), GetCaption(), GetLayout(), GetMargin(),
                  GetSpacing(), CaptionTextFlags(), at, text);
  const RECT target{at.x, at.y, at.x + FPngImage->GetWidth(), at.y + FPngImage->GetHeight()};
  DrawPngWithOptions(FPngImage, GetCanvas(), target, GetEnabled() ? TPngOptions{} : FPngOptions);
}

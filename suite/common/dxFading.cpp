#include "suite/common/dxFading.h"

#include <algorithm>
#include <cmath>

#include "framework/Bitmap.h"
#include "framework/Timer.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/cxCanvas.h"

namespace {

constexpr int DefaultFadeInFrames = 4, DefaultFadeInDelay = 15, DefaultFadeOutFrames = 12, DefaultFadeOutDelay = 20;

TdxFader* Fader = nullptr;
TSuiteUnit FaderUnit([] { Fader = TdxFader::Create(); }, [] { FreeAndNil(Fader); });

// A picture's pixels with its visible but fully clear pixels made opaque, as GDI
// drawing leaves them.
TdxGPImage* MakeFrameImage(TBitmap* Bitmap) {
  auto bits = std::make_shared<std::vector<std::uint32_t>>(ReadBitmapBitsTopDown(Bitmap));
  for (std::uint32_t& p : *bits)
    if ((p & 0xFFFFFF) != 0 && (p >> 24) == 0) p |= 0xFF000000u;
  return TdxGPImage::CreateFromBits(Bitmap->GetWidth(), Bitmap->GetHeight(), std::move(bits),
                                    Bitmap->GetPixelFormat() == pf32bit);
}

}  // namespace

TdxFader* FaderInstance() {
  FaderUnit.Ensure();
  return Fader;
}

// ---------------------------------------------------------------- TdxFadingElement

TdxFadingElement::TdxFadingElement(TdxFader* AFader, TObject* AObject, TdxFadingDirection ADirection,
                                   TBitmap* FadeOutBitmap, TBitmap* FadeInBitmap, int FadeInFrames, int FadeInDelay,
                                   int FadeOutFrames, int FadeOutDelay)
    : FObject(AObject),
      FFadeInFrames(FadeInFrames),
      FFadeInDelay(FadeInDelay),
      FFadeInImage(MakeFrameImage(FadeInBitmap)),
      FFadeOutFrames(FadeOutFrames),
      FFadeOutDelay(FadeOutDelay),
      FFadeOutImage(MakeFrameImage(FadeOutBitmap)),
      FFadingObject(dynamic_cast<IdxFadingObject*>(AObject)),
      FFader(AFader),
      FDirection(ADirection) {
  static unsigned serials = 0;
  FSerial = ++serials;
  ValidateParams();
  FFadingObject->AttachFadingData(this);
  SetCurrentFrame((FDirection == fdIn ? FFadeOutImage : FFadeInImage)->Clone());
}

TdxFadingElement::~TdxFadingElement() {
  SetCurrentFrame((FDirection == fdIn ? FFadeInImage : FFadeOutImage)->Clone());
  FFader->RemoveElement(this);
  FFadingObject->DetachFadingData();
  FCurrentFrame.reset();
}

void TdxFadingElement::ValidateParams() {
  auto frames = [](int Count, int Default) { return Count >= 1 ? std::min(Count, 32) : Default; };
  auto delay = [](int Delay, int Default) { return Delay >= 10 ? std::min(Delay, 300) : Default; };
  FFadeInFrames = frames(FFadeInFrames, DefaultFadeInFrames);
  FFadeOutFrames = frames(FFadeOutFrames, DefaultFadeOutFrames);
  FFadeInDelay = delay(FFadeInDelay, DefaultFadeInDelay);
  FFadeOutDelay = delay(FFadeOutDelay, DefaultFadeOutDelay);
  ResetDelay();
}

void TdxFadingElement::ResetDelay() {
  FTicksPerFrame = std::max(FrameDelay(FDirection) / 10, 1);
  FTickCount = 0;
}

void TdxFadingElement::SetCurrentFrame(TdxGPImage* Image) {
  FCurrentFrame.reset(Image);
  FFadingObject->RepaintFadeFrame();
}

std::uint8_t TdxFadingElement::CurrentAlpha() const {
  if (FDirection == fdIn) return static_cast<std::uint8_t>(std::min(255, (256 / FFadeInFrames) * FStage));
  return static_cast<std::uint8_t>(std::max(0, 255 - (256 / FFadeOutFrames) * FStage));
}

void TdxFadingElement::Tick() {
  FTickCount = (FTickCount + 1) % FTicksPerFrame;
  if (FTickCount != 0) return;
  if (FStage >= FrameCount(FDirection)) {
    Free(this);
    return;
  }
  ++FStage;
  SetCurrentFrame(FFadeOutImage->BlendWith(FFadeInImage.get(), CurrentAlpha()));
}

void TdxFadingElement::SetDirection(TdxFadingDirection Value) {
  if (Value == FDirection) return;
  // The picture goes on from where it is, in the other direction's frames.
  if (FDirection == fdIn)
    FStage = static_cast<int>(std::lround((1.0 - double(FStage) / (FFadeInFrames + 1)) * FFadeOutFrames));
  else
    FStage = static_cast<int>(std::lround((1.0 - double(FStage) / (FFadeOutFrames + 1)) * FFadeInFrames));
  FDirection = Value;
  ResetDelay();
}

bool TdxFadingElement::DrawFrame(HDC DC, const RECT& R) {
  if (!FCurrentFrame) return false;
  FCurrentFrame->DrawTo(DC, R);
  return true;
}

bool TdxFadingElement::CurrentFrame(TdxGPImage*& Image) {
  Image = FCurrentFrame.get();
  return Image != nullptr;
}

// ---------------------------------------------------------------- TdxFader

TdxFader::TdxFader() {
  FTimer = TTimer::Create(nullptr);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(10);
  FTimer->OnTimer = Bind(this, &TdxFader::TimerEvent);
}

TdxFader::~TdxFader() {
  while (!FElements.empty()) Free(FElements.front());
  FreeAndNil(FTimer);
}

bool TdxFader::IsEnabled() const {
  BOOL on = FALSE;
  return SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &on, 0) && on;
}

bool TdxFader::CanFade() const {
  return IsEnabled() && EnsureGdiPlusLoaded() && GetDeviceCaps(SharedScreenCanvas()->DeviceContext(), BITSPIXEL) > 16;
}

TdxFadingElement* TdxFader::FindElement(TObject* Object) const {
  for (TdxFadingElement* e : FElements)
    if (e->GetObject() == Object) return e;
  return nullptr;
}

bool TdxFader::TimerEnabled() const { return FTimer && FTimer->GetEnabled(); }

void TdxFader::UpdateTimer() {
  if (FTimer) FTimer->SetEnabled(!FElements.empty());
}

void TdxFader::Fade(TObject* Object, TdxFadingDirection Direction) {
  auto* fading = dynamic_cast<IdxFadingObject*>(Object);
  if (!fading || !CanFade() || !fading->CanFadeNow()) return;
  if (TdxFadingElement* e = FindElement(Object)) e->SetDirection(Direction);
  else AddElement(Object, fading, Direction);
}

void TdxFader::AddElement(TObject* Object, IdxFadingObject* Fading, TdxFadingDirection Direction) {
  int inFrames = DefaultFadeInFrames, inDelay = DefaultFadeInDelay;
  int outFrames = DefaultFadeOutFrames, outDelay = DefaultFadeOutDelay;
  TBitmap* normal = nullptr;
  TBitmap* hot = nullptr;
  Fading->BuildFadeImages(normal, hot, inFrames, inDelay, outFrames, outDelay);
  TOwned<TBitmap> normalOwned(normal), hotOwned(hot);
  // Pictures of different sizes cannot be blended into each other.
  if (!normal || !hot || normal->GetEmpty() || hot->GetEmpty() || normal->GetWidth() != hot->GetWidth() ||
      normal->GetHeight() != hot->GetHeight())
    return;
  FElements.push_back(
      TdxFadingElement::Create(this, Object, Direction, normal, hot, inFrames, inDelay, outFrames, outDelay));
  UpdateTimer();
  EnforceLimit();
}

void TdxFader::RemoveElement(TdxFadingElement* Element) {
  std::erase(FElements, Element);
  EnforceLimit();
  UpdateTimer();
}

void TdxFader::EnforceLimit() {
  while (static_cast<int>(FElements.size()) > Limit) Free(FElements.front());
}

void TdxFader::StopFading(TObject* Object, bool) {
  if (TdxFadingElement* e = FindElement(Object)) Free(e);
}

void TdxFader::TimerTick() {
  // A repaint may start fades that push out others: the walk goes over the
  // elements there were at its start, skipping those that went meanwhile.
  std::vector<std::pair<TdxFadingElement*, unsigned>> snapshot;
  for (TdxFadingElement* e : FElements) snapshot.emplace_back(e, e->GetSerial());
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    const auto alive = std::find_if(FElements.begin(), FElements.end(), [&](TdxFadingElement* e) {
      return e == it->first && e->GetSerial() == it->second;
    });
    if (alive != FElements.end()) (*alive)->Tick();
  }
}

#include "skins/SkinGauge.h"

#include <cmath>

#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Conversions.h"
#include "framework/Published.h"
#include "skins/SkinData.h"
#include "skins/SkinEffectBitmap.h"
#include "skins/SkinResourceStrings.h"

namespace {
const bool Registered = (RegisterClass(TspSkinGauge::StaticClass()), true);

// (Value - Min) / (Max - Min) in 64 bits: extreme bounds must not overflow.
double Fraction(int Value, int Min, int Max) {
  const int64_t range = int64_t(Max) - Min;
  return range == 0 ? 0.0 : double(int64_t(Value) - Min) / double(range);
}
}  // namespace

SONVELT_PUBLISHED(TspSkinGauge, P) {
  P.Integer("MinValue", &TspSkinGauge::GetMinValue, &TspSkinGauge::SetMinValue).Default(0);
  P.Integer("MaxValue", &TspSkinGauge::GetMaxValue, &TspSkinGauge::SetMaxValue).Default(100);
  P.Integer("Value", &TspSkinGauge::GetValue, &TspSkinGauge::SetValue).Default(50);
  P.Boolean("Vertical", &TspSkinGauge::GetVertical, &TspSkinGauge::SetVertical).Default(false);
  P.Boolean("UseSkinSize", &TspSkinGauge::GetUseSkinSize, &TspSkinGauge::SetUseSkinSize).Default(true);
  P.Boolean("ShowProgressText", &TspSkinGauge::GetShowProgressText, &TspSkinGauge::SetShowProgressText)
      .Default(false);
  P.String("ProgressText", &TspSkinGauge::GetProgressText, &TspSkinGauge::SetProgressText);
  P.Boolean("ShowPercent", &TspSkinGauge::GetShowPercent, &TspSkinGauge::SetShowPercent).Default(false);
  P.Boolean("TextAlphaBlend", &TspSkinGauge::GetTextAlphaBlend, &TspSkinGauge::SetTextAlphaBlend).Default(false);
  P.Integer("TextAlphaBlendValue", &TspSkinGauge::GetTextAlphaBlendValue, &TspSkinGauge::SetTextAlphaBlendValue)
      .Default(200);
  P.Integer("ProgressAnimationPause", &TspSkinGauge::GetProgressAnimationPause,
            &TspSkinGauge::SetProgressAnimationPause)
      .Default(1000);
  P.Event("OnGaugePaint", &TspSkinGauge::OnGaugePaint);
  P.Event("OnMouseDown", &TControl::OnMouseDown);
  P.Event("OnMouseMove", &TControl::OnMouseMove);
  P.Event("OnMouseUp", &TControl::OnMouseUp);
  P.Event("OnResize", &TControl::OnResize);
}

TspSkinGauge::TspSkinGauge(TComponent* AOwner) : TspSkinCustomControl(AOwner) {
  SetBounds(0, 0, 100, 20);
  FSkinDataName = "gauge";
}

void TspSkinGauge::SetValue(int AValue) {
  AValue = std::max(std::min(AValue, FMaxValue), FMinValue);
  if (AValue == FValue) return;
  FValue = AValue;
  Invalidate();
}

void TspSkinGauge::SetMinValue(int AValue) {
  FMinValue = AValue;
  if (FValue < FMinValue) FValue = FMinValue;
  Invalidate();
}

void TspSkinGauge::SetMaxValue(int AValue) {
  FMaxValue = AValue;
  if (FValue > FMaxValue) FValue = FMaxValue;
  Invalidate();
}

void TspSkinGauge::SetVertical(bool AValue) {
  FVertical = AValue;
  const TComponentState state = GetComponentState();
  if (state.Contains(csDesigning) && !state.Contains(csLoading)) FSkinDataName = AValue ? "vgauge" : "gauge";
  Invalidate();
}

void TspSkinGauge::SetUseSkinSize(bool AValue) {
  FUseSkinSize = AValue;
  if (FIndex != -1) ApplySkin();
  Invalidate();
}

void TspSkinGauge::SetShowProgressText(bool AValue) {
  FShowProgressText = AValue;
  Invalidate();
}

void TspSkinGauge::SetProgressText(const std::string& AValue) {
  FProgressText = AValue;
  Invalidate();
}

void TspSkinGauge::SetShowPercent(bool AValue) {
  FShowPercent = AValue;
  Invalidate();
}

void TspSkinGauge::SetTextAlphaBlend(bool AValue) {
  FTextAlphaBlend = AValue;
  Invalidate();
}

void TspSkinGauge::SetTextAlphaBlendValue(uint8_t AValue) {
  FTextAlphaBlendValue = AValue;
  Invalidate();
}

bool TspSkinGauge::IsVertical() const { return FIndex != -1 ? SkinVertical : FVertical; }

std::string TspSkinGauge::GetText() {
  std::string text = FShowProgressText ? FProgressText : std::string();
  if (FShowPercent) text += IntToStr(int64_t(std::trunc(Fraction(FValue, FMinValue, FMaxValue) * 100))) + "%";
  return text;
}

RECT TspSkinGauge::CalcProgressRect(const RECT& R, bool AVertical) const {
  const double f = Fraction(FValue, FMinValue, FMaxValue);
  RECT q = R;
  if (AVertical) q.top = R.bottom - int(std::trunc(f * RectHeight(R)));
  else q.right = R.left + int(std::trunc(f * RectWidth(R)));
  return q;
}

void TspSkinGauge::RefreshSkinDescriptor() {
  TspSkinCustomControl::RefreshSkinDescriptor();
  auto* d = dynamic_cast<TspDataSkinGaugeControl*>(Descriptor());
  if (!d) return;
  ProgressRect = d->ProgressRect;
  ProgressArea = d->ProgressArea;
  BeginOffset = d->BeginOffset;
  EndOffset = d->EndOffset;
  FontName = d->FontName;
  FontHeight = d->FontHeight;
  FontStyle = d->FontStyle;
  FontColor = d->FontColor;
  ProgressTransparent = d->ProgressTransparent;
  ProgressTransparentColor = d->ProgressTransparentColor;
  ProgressStretch = d->ProgressStretch;
  SkinVertical = d->Vertical;
  if (!FUseSkinSize) MaskPicture = nullptr;
  NewProgressArea = ProgressArea;
  if (ResizeMode >= 1) {
    if (SkinVertical) NewProgressArea.bottom += RectHeight(FLayout.NC) - RectHeight(FGeometry.C);
    else NewProgressArea.right += RectWidth(FLayout.NC) - RectWidth(FGeometry.C);
  }
}

bool TspSkinGauge::CalcSkinSize(int& W, int& H) {
  if (FUseSkinSize) return TspSkinCustomControl::CalcSkinSize(W, H);
  int w = W, h = H;
  return TspSkinCustomControl::CalcSkinSize(w, h);
}

void TspSkinGauge::UpdateSkinRegion() {
  if (!FUseSkinSize) MaskPicture = nullptr;
  TspSkinCustomControl::UpdateSkinRegion();
}

void TspSkinGauge::DrawDefaultImage(TCanvas* Canvas) {
  const int w = GetWidth(), h = GetHeight();
  Canvas->GetBrush()->SetColor(clWindow);
  Canvas->FillRect(RECT{0, 0, w, h});
  Canvas->GetBrush()->SetColor(clBtnShadow);
  Canvas->FrameRect(RECT{0, 0, w, h});
  const RECT area{1, 1, w - 1, h - 1};
  const RECT q = CalcProgressRect(area, FVertical);
  if (OnGaugePaint) {
    OnGaugePaint(Canvas, area, q);
    return;
  }
  if (!IsNullRect(q)) {
    Canvas->GetBrush()->SetColor(TColor(0x00D2BDB6));
    Canvas->FillRect(q);
  }
  DrawGaugeText(Canvas, w, h);
}

void TspSkinGauge::DrawProgress(TBitmap* Bitmap, const RECT& Q) {
  if (!Picture || IsNullRect(ProgressRect)) return;
  const int w = RectWidth(Q), h = RectHeight(Q);
  const RECT& p = ProgressRect;
  const int b = BeginOffset, e = EndOffset;
  HDC target = Bitmap->GetCanvas()->GetHandle(), picture = Picture->GetCanvas()->GetHandle();
  // One piece of the filled part (in Q's coordinates), straight from the picture:
  // with progress transparency its colour is left out.
  auto put = [&](const RECT& Dest, const RECT& Src) {
    if (IsNullRect(Dest) || IsNullRect(Src)) return;
    if (!SkinImageSizeOk(RectWidth(Dest), RectHeight(Dest)) || !SkinImageSizeOk(RectWidth(Src), RectHeight(Src)))
      return;
    if (!ProgressTransparent) {
      CopySkinPiece(Bitmap, RECT{Dest.left + Q.left, Dest.top + Q.top, Dest.right + Q.left, Dest.bottom + Q.top},
                    Picture, Src);
      return;
    }
    SetStretchBltMode(target, COLORONCOLOR);
    GdiTransparentBlt(target, Q.left + Dest.left, Q.top + Dest.top, RectWidth(Dest), RectHeight(Dest), picture,
                      Src.left, Src.top, RectWidth(Src), RectHeight(Src),
                      UINT(ColorToRGB(ProgressTransparentColor)));
  };
  if (IsVertical()) {
    if (h - b - e > 0 && RectHeight(p) - b - e > 0) {
      const RECT dest{0, b, w, h - e};
      const RECT src{p.left, p.top + b, p.right, p.bottom - e};
      if (ProgressStretch) {
        put(dest, src);
      } else {
        // Tiled upwards from the bottom; the copy that passes the top keeps its lower part.
        const int sh = RectHeight(src);
        for (int bottom = dest.bottom; bottom > dest.top; bottom -= sh) {
          const int top = std::max<int>(bottom - sh, dest.top);
          put(RECT{0, top, w, bottom}, RECT{src.left, src.bottom - (bottom - top), src.right, src.bottom});
        }
      }
    }
    put(RECT{0, 0, w, std::min(b, h)}, RECT{p.left, p.top, p.right, p.top + std::min(b, h)});
    put(RECT{0, h - std::min(e, h), w, h}, RECT{p.left, p.bottom - std::min(e, h), p.right, p.bottom});
  } else {
    if (w - b - e > 0 && RectWidth(p) - b - e > 0) {
      const RECT dest{b, 0, w - e, h};
      const RECT src{p.left + b, p.top, p.right - e, p.bottom};
      if (ProgressStretch) {
        put(dest, src);
      } else {
        // Tiled from the left; the copy that passes the right end is cut there.
        const int sw = RectWidth(src);
        for (int left = dest.left; left < dest.right; left += sw) {
          const int right = std::min<int>(left + sw, dest.right);
          put(RECT{left, 0, right, h}, RECT{src.left, src.top, src.left + (right - left), src.bottom});
        }
      }
    }
    put(RECT{0, 0, std::min(b, w), h}, RECT{p.left, p.top, p.left + std::min(b, w), p.bottom});
    put(RECT{w - std::min(e, w), 0, w, h}, RECT{p.right - std::min(e, w), p.top, p.right, p.bottom});
  }
}

void TspSkinGauge::DrawSkinImage(TBitmap* Bitmap) {
  CreateSkinImage(Bitmap, FGeometry.S);
  const RECT q = CalcProgressRect(NewProgressArea, IsVertical());
  if (OnGaugePaint) {
    OnGaugePaint(Bitmap->GetCanvas(), NewProgressArea, q);
    return;
  }
  if (!IsNullRect(q)) DrawProgress(Bitmap, q);
  if (!FUseSkinSize) return;
  if (FTextAlphaBlend && !GetText().empty()) {
    auto copy = MakeOwned<TBitmap>();
    copy->Assign(Bitmap);
    DrawGaugeText(Bitmap->GetCanvas(), Bitmap->GetWidth(), Bitmap->GetHeight());
    Bitmap->FreeContext();
    copy->FreeContext();
    TspEffectBmp withText(Bitmap->GetHandle()), without(copy->GetHandle());
    withText.BlendWith(&without, 1.0 - FTextAlphaBlendValue / 255.0);
    withText.DrawTo(Bitmap->GetCanvas()->GetHandle(), 0, 0);
  } else {
    DrawGaugeText(Bitmap->GetCanvas(), Bitmap->GetWidth(), Bitmap->GetHeight());
  }
}

void TspSkinGauge::DrawGaugeText(TCanvas* Canvas, int W, int H) {
  const std::string text = GetText();
  if (text.empty()) return;
  TFont* font = Canvas->GetFont();
  font->Assign(GetDefaultFont());
  if (FIndex != -1) {
    if (GetUseSkinFont()) {
      font->SetName(FontName);
      font->SetHeight(FontHeight);
      font->SetStyle(FontStyle);
    }
    font->SetColor(FontColor);
  }
  if (FSD && FSD->GetResourceStrData()) font->SetCharset(FSD->GetResourceStrData()->GetCharSet());
  Canvas->GetBrush()->SetStyle(bsClear);
  const SIZE size = Canvas->TextExtent(text);
  if (IsVertical()) {
    // Turned a quarter to read upwards, centred.
    font->SetOrientation(900);
    Canvas->TextOut(W / 2 - size.cy / 2, size.cx / 2 + H / 2, text);
    font->SetOrientation(0);
  } else {
    Canvas->TextOut(W / 2 - size.cx / 2, H / 2 - size.cy / 2, text);
  }
}

void TspSkinGauge::Paint() {
  if (FUseSkinSize) {
    TspSkinCustomControl::Paint();
    return;
  }
  RefreshSkinDescriptor();
  if (FIndex == -1) {
    TspSkinCustomControl::Paint();
    return;
  }
  const int w = GetWidth(), h = GetHeight();
  if (w < 1 || h < 1) return;
  FPainting = true;
  try {
    // The skin image at the size its geometry allows, stretched over the control.
    int sw = w, sh = h;
    TspSkinCustomControl::CalcSkinSize(sw, sh);
    auto image = MakeOwned<TBitmap>();
    if (!SizeSkinBitmap(image.get(), sw, sh)) throw Exception("");
    DrawSkinImage(image.get());
    auto work = MakeOwned<TBitmap>();
    if (!SizeSkinBitmap(work.get(), w, h)) throw Exception("");
    CopySkinPiece(work.get(), RECT{0, 0, w, h}, image.get(), RECT{0, 0, image->GetWidth(), image->GetHeight()});
    DrawGaugeText(work->GetCanvas(), w, h);
    if (GetAlphaBlend()) BlendOverBackground(work.get(), GetAlphaBlendValue());
    BitBlt(GetCanvas()->GetHandle(), 0, 0, w, h, work->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  } catch (const Exception&) {
  }
  FPainting = false;
}

void TspSkinGauge::WndProc(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND && Message.WParam && !FPainting) {
    // Asked from outside (a copy of the screen, say): paint into the given context.
    PaintIntoDC(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
    return;
  }
  TspSkinCustomControl::WndProc(Message);
}

// Paints (one WM_PAINT each, as the window's own painting) of the recording window's skinned controls, with the program's skin:
// a 19 x 193 level gauge (its level timer repaints every 5 ms, so a paint must
// stay well under 1 ms) and one step of an 87 x 29 button's morph.
//   scripts/build --target bench_skins
//   wine $SONVELT_BUILD_DIR/bench/skins/bench_skins.exe
#include <windows.h>

#include <cstdio>

#include "bench/BenchClock.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/MemoryStreams.h"
#include "res/ResourceIds.h"
#include "skins/SkinButton.h"
#include "skins/SkinData.h"
#include "skins/SkinGauge.h"
#include "skins/SkinStore.h"

int main() {
  TForm* form = TForm::Create(nullptr);
  form->SetBounds(0, 0, 300, 300);
  auto* stored = TspCompressedStoredSkin::Create(form);
  TOwned<TResourceStream> skin(TResourceStream::Create(GetModuleHandleW(nullptr), IDR_COOLSKIN, RT_RCDATA));
  stored->LoadFromCompressedStream(skin.get());
  auto* data = TspSkinData::Create(form);
  data->SetCompressedStoredSkin(stored);

  auto* gauge = TspSkinGauge::Create(form);
  gauge->SetMaxValue(32512);
  gauge->SetBounds(10, 10, 19, 193);
  gauge->SetParent(form);
  gauge->SetSkinData(data);
  auto* button = TspSkinButton::Create(form);
  button->SetCaption("Record");
  button->SetBounds(40, 10, 87, 30);
  button->SetParent(form);
  button->SetSkinData(data);
  form->Show();

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 200, 200);
  ReleaseDC(nullptr, screen);
  SelectObject(dc, target);

  int value = 0;
  const double gaugeMs = BenchMedian(21, [&] {
    for (int i = 0; i < 100; ++i) {
      value = (value + 3251) % 32512;
      gauge->SetValue(value);
      gauge->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
  }) / 100;
  // Half-way through the morph from the normal to the hot face.
  SendMessageW(button->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(button->GetHandle(), WM_TIMER, TspSkinButton::MorphTimerID, 0);
  SendMessageW(button->GetHandle(), WM_TIMER, TspSkinButton::MorphTimerID, 0);
  const double morphMs = BenchMedian(21, [&] {
    for (int i = 0; i < 100; ++i) button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }) / 100;
  // The paints did their work: a full gauge shows the fill, the morph a mix of the two faces.
  TBitmap* picture = data->GetActivePicture(0);
  HDC pictureDC = picture->GetCanvas()->GetHandle();
  gauge->SetValue(32512);
  gauge->PaintTo(dc, 0, 0);
  const bool filled = GetPixel(dc, 5, 101) == GetPixel(pictureDC, 26, 101) && GetPixel(dc, 5, 101) != GetPixel(pictureDC, 5, 101);
  button->PaintTo(dc, 0, 0);
  const COLORREF mixed = GetPixel(dc, 40, 12);
  const bool morphed = mixed != GetPixel(pictureDC, 60, 90) && mixed != GetPixel(pictureDC, 60, 12);
  if (!filled || !morphed) {
    std::printf("the paints did not draw what they should (gauge %d, morph %d)\n", filled, morphed);
    return 1;
  }
  std::printf("gauge paint 19 x 193: %.3f ms (5 ms timer: %.1f%% of a core)\n", gaugeMs, gaugeMs / 5 * 100);
  std::printf("button morph step 87 x 29 (factor %.1f): %.3f ms\n", button->MorphFactor(), morphMs);
  DeleteDC(dc);
  DeleteObject(target);
  Free(form);
  return 0;
}

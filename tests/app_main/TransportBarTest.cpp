// The transport bar's picture buttons: glyphs drawn from the program's
// resources, faded when disabled, and the held seek buttons.
#include <gtest/gtest.h>

#include "app/ResourceImages.h"
#include "framework/OwnedObject.h"
#include "framework/Timer.h"
#include "res/ResourceIds.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngObject.h"
#include "skins/PngRows.h"
#include "skins/PngSpeedButton.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/MemoryDC.h"

namespace {

std::unique_ptr<TMemoryDC> Paint(TPngSpeedButton* Button) {
  auto Target = std::make_unique<TMemoryDC>(Button->GetWidth(), Button->GetHeight());
  Button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Target->DC()), 0);
  return Target;
}

int Blend(int Source, int Old, int Alpha) { return (Source * Alpha + (255 - Alpha) * Old + 255) >> 8; }

// The first fully opaque pixel of the picture that differs from the face.
POINT OpaquePixel(TPNGObject* Png, COLORREF Face) {
  for (int Y = 0; Y < Png->GetHeight(); ++Y)
    for (int X = 0; X < Png->GetWidth(); ++X)
      if (Png->AlphaRow(Y)[X] == 255 && Png->GetPixel(X, Y) != Face) return POINT{X, Y};
  return POINT{-1, -1};
}

}  // namespace

TEST_F(MainFixture, TransportButtonsShowTheirOwnGlyphsAndFadeWhenDisabled) {
  StartMain();
  const struct {
    const char* Name;
    TPngSpeedButton* Button;
    int ResId;
  } Cases[] = {{"play", Main->ButtonPlay, IDP_PLAY},         {"record", Main->ButtonRecord, IDP_RECORD},
               {"pause", Main->ButtonPause, IDP_PAUSE},      {"stop", Main->ButtonStop, IDP_STOP},
               {"start", Main->ButtonStart, IDP_START},      {"rewind", Main->ButtonRewind, IDP_REWIND},
               {"forward", Main->ButtonForword, IDP_FORWARD}, {"end", Main->ButtonEnd, IDP_END}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TOwned<TPNGObject> Png = MakeOwned<TPNGObject>();
    LoadPngResource(Png.get(), C.ResId);
    ASSERT_EQ(COLOR_RGBALPHA, Png->HeaderChunk()->ColourType);
    EXPECT_EQ(32, C.Button->GetPngImage()->GetWidth());
    const COLORREF Face = Paint(C.Button)->Pixel(0, 0);
    const POINT At = OpaquePixel(Png.get(), Face);
    ASSERT_GE(At.x, 0);
    const COLORREF Glyph = Png->GetPixel(At.x, At.y);
    // A flat 35 x 35 button with its glyph on top and no caption: 2 in, 1 down.
    EXPECT_EQ(Glyph, Paint(C.Button)->Pixel(2 + At.x, 1 + At.y));
    C.Button->SetEnabled(false);
    EXPECT_EQ(RGB(Blend(GetRValue(Glyph), GetRValue(Face), 128), Blend(GetGValue(Glyph), GetGValue(Face), 128),
                  Blend(GetBValue(Glyph), GetBValue(Face), 128)),
              Paint(C.Button)->Pixel(2 + At.x, 1 + At.y));
    C.Button->SetEnabled(true);
  }
}

TEST_F(MainFixture, HoldingASeekButtonRunsItsTimerUntilReleased) {
  StartMain();
  const struct {
    TPngSpeedButton* Button;
    TTimer* Timer;
  } Cases[] = {{Main->ButtonRewind, Main->TimerRewind}, {Main->ButtonForword, Main->TimerForword}};
  for (const auto& C : Cases) {
    EXPECT_FALSE(C.Timer->GetEnabled());
    C.Button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(C.Timer->GetEnabled());
    C.Button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(C.Timer->GetEnabled());
  }
}

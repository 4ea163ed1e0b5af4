// The image slider, driven through real window messages: value arithmetic,
// dragging, ruler presses with their repeat timer, keys, and its painting.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/ComponentStreams.h"
#include "framework/Form.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "skins/ImageSlider.h"
#include "tests/skins_png/PngTestSupport.h"

namespace {

class SliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SonveltSliderHost";
    RegisterClassW(&wc);
    host = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 400, nullptr,
                           nullptr, wc.hInstance, nullptr);
    slider.reset(TImageSlider::Create(nullptr));
    slider->SetParentWindow(host);
    slider->OnChange = Bind(this, &SliderTest::Changed);
    slider->OnChanged = Bind(this, &SliderTest::Finished);
  }
  void TearDown() override {
    slider.reset();
    DestroyWindow(host);
  }
  void Changed(TObject*) { ++changes; }
  void Finished(TObject*) { ++finished; }

  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(slider->GetHandle(), msg, w, l); }
  void Press(int x, int y) { Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Move(int x, int y) { Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Release(int x, int y) { Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
  void Key(WORD key) { Send(WM_KEYDOWN, key, 1); }
  POINT ThumbCentre() {
    const RECT r = slider->GetThumbRect();
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  HWND host = nullptr;
  TOwned<TImageSlider> slider;
  int changes = 0, finished = 0;
};

}  // namespace

TEST_F(SliderTest, ValueIsClampedAndChangesAreReportedOnce) {
  slider->SetValue(150);
  EXPECT_EQ(slider->GetValue(), 100);
  EXPECT_EQ(changes, 1);
  slider->SetValue(100);
  EXPECT_EQ(changes, 1);
  slider->SetValue(-5);
  EXPECT_EQ(slider->GetValue(), 0);
  EXPECT_EQ(changes, 2);
  // The thumb follows: value 0 at the start of the ruler, 100 at its end.
  const int length = slider->GetComposedRuler()->GetWidth() - slider->GetImageHThumb()->GetWidth() / 2;
  EXPECT_EQ(slider->GetThumbRect().left, 6);
  slider->SetValue(100);
  EXPECT_EQ(slider->GetThumbRect().left, 6 + length);
}

TEST_F(SliderTest, RangeAndIncrement) {
  slider->SetMaxValue(5);
  EXPECT_EQ(slider->GetIncrement(), 5);
  slider->SetMaxValue(-3);  // not above the minimum: ignored
  EXPECT_EQ(slider->GetMaxValue(), 5);
  try {
    slider->SetIncrement(6);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetMessage(), "Value must be between 1 and 5");
  }
  slider->SetValue(5);
  slider->SetMaxValue(3);
  EXPECT_EQ(slider->GetValue(), 3);
}

TEST_F(SliderTest, DraggingSnapsToTheIncrementWithTiesToEven) {
  slider->SetOptions({soShowPoints});
  // Ruler 138 - thumb 20 = 118 pixels for 100 values: offset 55 is worth 46.6,
  // offset 53 is 44.9, which round to 47 and 45 and snap to 50 and 40.
  struct Case {
    int offset, value;
  };
  for (const Case c : {Case{55, 50}, Case{53, 40}}) {
    slider->SetValue(0);
    changes = finished = 0;
    const POINT grab = ThumbCentre();
    Press(grab.x, grab.y);
    Move(grab.x + c.offset, grab.y);
    EXPECT_EQ(slider->GetValue(), c.value) << c.offset;
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(finished, 0);
    Release(grab.x + c.offset, grab.y);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(slider->GetThumbRect().left, slider->OffsetFromValue(c.value));
  }
}

TEST_F(SliderTest, PressOnTheRulerStepsUntilTheThumbReachesTheMouse) {
  slider->SetIncrement(10);
  slider->SetValue(100);
  changes = 0;
  const POINT thumb = ThumbCentre();
  const int target = slider->OffsetFromValue(65);  // left of the thumb
  Press(target, thumb.y);
  EXPECT_EQ(slider->GetValue(), 90);  // one step at once
  for (int tick = 0; tick < 10; ++tick) Send(WM_TIMER, 1);
  // Steps stop once the thumb covers the mouse point.
  EXPECT_LE(slider->GetThumbRect().left, target);
  EXPECT_GE(slider->GetThumbRect().right, target);
  const int reached = slider->GetValue();
  Send(WM_TIMER, 1);
  EXPECT_EQ(slider->GetValue(), reached);
  EXPECT_EQ(finished, 0);
  Release(target, thumb.y);
  EXPECT_EQ(finished, 1);
  Send(WM_TIMER, 1);  // the repeat ended with the release
  EXPECT_EQ(slider->GetValue(), reached);
}

TEST_F(SliderTest, KeysStepHorizontalAndVerticalSliders) {
  slider->SetIncrement(10);
  slider->SetValue(33);
  Key(VK_RIGHT);
  EXPECT_EQ(slider->GetValue(), 40);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(slider->GetValue(), 20);
  Key(VK_UP);  // not an arrow of a horizontal slider
  EXPECT_EQ(slider->GetValue(), 20);
  Key(VK_END);
  EXPECT_EQ(slider->GetValue(), 100);
  EXPECT_EQ(finished, 4);
  EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTARROWS);

  slider->SetOrientation(soVertical);
  EXPECT_EQ(slider->GetWidth(), 40);
  EXPECT_EQ(slider->GetHeight(), 150);
  Key(VK_HOME);
  EXPECT_EQ(slider->GetValue(), 0);
  // The minimum lies at the bottom.
  EXPECT_EQ(slider->GetThumbRect().bottom, 150 - 6);
  Key(VK_UP);
  EXPECT_EQ(slider->GetValue(), 10);
  Key(VK_DOWN);
  EXPECT_EQ(slider->GetValue(), 0);
}

TEST_F(SliderTest, PaintsRulerAndTheThumbStateItIsIn) {
  slider->SetValue(0);
  auto paint = [&](MemoryBitmap& target) { slider->PaintTo(target.DC(), 0, 0); };
  MemoryBitmap normal(150, 40, RGB(1, 2, 3));
  paint(normal);
  TBitmap* image = slider->GetImageHThumb();
  const RECT r = slider->GetThumbRect();
  // Normal: the left half of the image; pressed (or disabled): the right half.
  EXPECT_EQ(normal.Pixel(r.left + 3, r.top + 4), COLORREF(image->GetCanvas()->GetPixels(3, 4)));
  slider->SetEnabled(false);
  MemoryBitmap disabled(150, 40, RGB(1, 2, 3));
  paint(disabled);
  EXPECT_EQ(disabled.Pixel(r.left + 3, r.top + 4), COLORREF(image->GetCanvas()->GetPixels(23, 4)));
  // The magenta corners are left out.
  EXPECT_NE(normal.Pixel(r.left, r.top), RGB(255, 0, 255));
  // With one thumb state the whole image is the thumb, in every state.
  slider->SetNumThumbStates(1);
  EXPECT_EQ(slider->GetThumbRect().right - slider->GetThumbRect().left, 40);
  MemoryBitmap single(150, 40, RGB(1, 2, 3));
  paint(single);
  const RECT s = slider->GetThumbRect();
  EXPECT_EQ(single.Pixel(s.left + 23, s.top + 4), COLORREF(image->GetCanvas()->GetPixels(23, 4)));
}

TEST_F(SliderTest, TickMarksThinOutUntilTheyAreFourPixelsApart) {
  slider->SetOptions({soShowPoints});
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  auto ticksAt = [&](int y) {
    MemoryBitmap target(150, 40, RGB(1, 2, 3));
    slider->PaintTo(target.DC(), 0, 0);
    std::vector<int> xs;
    for (int x = 0; x < 150; ++x)
      if (target.Pixel(x, y) == text) xs.push_back(x);
    return xs;
  };
  // Tick area: below the taller of thumb (13) and ruler (8), from y = 6 + 1 + 13.
  const int top = 20;
  const int half = slider->GetImageHThumb()->GetWidth() / 4;
  // Increment 10: eleven marks; the end marks are longer (5) than the others (3).
  std::vector<int> expected;
  for (int v = 0; v <= 100; v += 10) expected.push_back(slider->OffsetFromValue(v) + half);
  EXPECT_EQ(ticksAt(top), expected);
  EXPECT_EQ(ticksAt(top + 3), (std::vector<int>{expected.front(), expected.back()}));
  // Increment 1 would put marks about a pixel apart: every fourth value is marked.
  slider->SetIncrement(1);
  EXPECT_EQ(ticksAt(top).size(), 26u);
}

TEST_F(SliderTest, NarrowSliderHasNoRulerToDraw) {
  slider->SetBounds(0, 0, 12, 40);
  EXPECT_EQ(slider->GetComposedRuler()->GetWidth(), 0);
  MemoryBitmap target(12, 40, RGB(1, 2, 3));
  slider->PaintTo(target.DC(), 0, 0);
  slider->SetValue(50);
  EXPECT_EQ(slider->GetValue(), 50);
}

TEST_F(SliderTest, ComposedRulerKeepsTheEndsAndRepeatsTheMiddle) {
  TBitmap* ruler = slider->GetComposedRuler();
  TBitmap* image = slider->GetImageHRuler();
  ASSERT_EQ(ruler->GetWidth(), 138);
  for (int y = 0; y < image->GetHeight(); ++y) {
    EXPECT_EQ(ruler->GetCanvas()->GetPixels(0, y), image->GetCanvas()->GetPixels(0, y));
    EXPECT_EQ(ruler->GetCanvas()->GetPixels(137, y), image->GetCanvas()->GetPixels(9, y));
    EXPECT_EQ(ruler->GetCanvas()->GetPixels(70, y), image->GetCanvas()->GetPixels(2 + (70 - 2) % 6, y));
  }
}

namespace {

// A form holding one slider, as the dialogs stream theirs.
TForm* SliderForm(TImageSlider*& Slider) {
  TForm* form = TForm::Create(nullptr);
  form->SetName("Dialog");
  Slider = TImageSlider::Create(form);
  Slider->SetName("Volume");
  Slider->SetParent(form);
  return form;
}

std::string Stored(TComponent* Root, TComponent* Ancestor = nullptr) {
  TOwned<TMemoryStream> binary(TMemoryStream::Create());
  WriteDescendent(binary.get(), Root, Ancestor);
  binary->SetPosition(0);
  TOwned<TMemoryStream> text(TMemoryStream::Create());
  ObjectBinaryToText(binary.get(), text.get());
  return std::string(static_cast<const char*>(text->GetMemory()), static_cast<std::size_t>(text->GetSize()));
}

}  // namespace

TEST_F(SliderTest, UserImagesComeBackFromTheForm) {
  TImageSlider* source = nullptr;
  TOwned<TForm> form(SliderForm(source));
  TOwned<TBitmap> ruler(TBitmap::Create());
  ruler->SetPixelFormat(pf24bit);
  ruler->SetSize(20, 6);
  ruler->GetCanvas()->SetPixels(3, 2, RGB(10, 200, 30));
  source->SetImageHRuler(ruler.get());
  source->SetOptions({soSmooth, soRulerOpaque});
  source->SetMinValue(-50);
  source->SetMaxValue(300);
  source->SetIncrement(1);
  source->SetValue(250);
  TOwned<TMemoryStream> stream(TMemoryStream::Create());
  WriteComponent(stream.get(), form.get());
  const std::string text = Stored(form.get());
  EXPECT_NE(text.find("    ImageHRuler.Data = {"), std::string::npos) << text;
  EXPECT_EQ(text.find("ImageHThumb"), std::string::npos) << text;
  EXPECT_NE(text.find("    UserImages = {\r\n      02}"), std::string::npos) << text;

  TOwned<TForm> copy(TForm::Create(nullptr));
  stream->SetPosition(0);
  ReadComponent(stream.get(), copy.get());
  auto* loaded = As<TImageSlider>(copy->FindComponent("Volume"));
  EXPECT_EQ(loaded->GetParent(), copy.get());
  EXPECT_EQ(loaded->GetUserImages(), 2);
  EXPECT_EQ(loaded->GetImageHRuler()->GetCanvas()->GetPixels(3, 2), RGB(10, 200, 30));
  // The layout follows the loaded image, not the built-in one.
  EXPECT_EQ(loaded->GetComposedRuler()->GetHeight(), 6);
  EXPECT_EQ(loaded->GetMinValue(), -50);
  EXPECT_EQ(loaded->GetMaxValue(), 300);
  EXPECT_EQ(loaded->GetValue(), 250);
  EXPECT_EQ(loaded->GetOptions(), (TSliderOptions{soSmooth, soRulerOpaque}));
  EXPECT_EQ(Stored(copy.get()), text);

  // Against an ancestor with the same images, neither the images nor the marks are written.
  TImageSlider* same = nullptr;
  TOwned<TForm> ancestor(SliderForm(same));
  same->SetImageHRuler(ruler.get());
  const std::string derived = Stored(form.get(), ancestor.get());
  EXPECT_EQ(derived.find("ImageHRuler"), std::string::npos) << derived;
  EXPECT_EQ(derived.find("UserImages"), std::string::npos) << derived;

  // Assigning nothing restores the built-in image and its transparency.
  source->SetImageHRuler(nullptr);
  EXPECT_EQ(source->GetUserImages(), 0);
  EXPECT_EQ(source->GetComposedRuler()->GetHeight(), 8);
  EXPECT_FALSE(source->GetOptions().Contains(soRulerOpaque));
}

// The skinned controls on a form bound to the program's own skin, driven
// through real window messages and timer ticks, their pixels read from a
// memory bitmap they paint into.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/Action.h"
#include "framework/Form.h"
#include "skins/SkinButton.h"
#include "skins/SkinCheckRadioBox.h"
#include "skins/SkinData.h"
#include "skins/SkinGauge.h"
#include "skins/SkinStore.h"
#include "skins/SkinTrackBar.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/skins/SkinTestSupport.h"

namespace {

struct SkinnedForm : ::testing::Test {
  TForm* Form = nullptr;
  TspSkinData* Data = nullptr;
  TspCompressedStoredSkin* Stored = nullptr;
  int Clicks = 0, Changes = 0, LastChanges = 0, Drags = 0;

  void SetUp() override {
    Form = TForm::Create(nullptr);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(40, 40, 420, 300);
    Form->SetColor(clRed);
    Stored = TspCompressedStoredSkin::Create(Form);
    Stored->LoadFromCompressedFile(SkinFile("cool.skn"));
    Data = TspSkinData::Create(Form);
    Data->SetCompressedStoredSkin(Stored);
    ASSERT_FALSE(Data->GetEmpty());
    Form->Show();
    Pump();
  }
  void TearDown() override { Free(Form); }

  template <class T>
  T* Add(const char* Section, RECT R, bool Skinned = true) {
    T* c = T::Create(Form);
    c->SetSkinDataName(Section);
    c->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    c->SetParent(Form);
    if (Skinned) c->SetSkinData(Data);
    c->OnClick = Bind(this, &SkinnedForm::Clicked);
    return c;
  }
  void Clicked(TObject*) { ++Clicks; }
  void Changed(TObject*) { ++Changes; }
  void LastChanged(TObject*) { ++LastChanges; }
  void DragStarted(TObject*) { ++Drags; }

  // The control painted into a memory bitmap of its size.
  TOwned<TBitmap> Shot(TWinControl* C) {
    auto b = MakeBitmap(C->GetWidth(), C->GetHeight(), [](int, int) { return RGB(0, 255, 0); });
    C->PaintTo(b->GetCanvas()->GetHandle(), 0, 0);
    return b;
  }
  TBitmap* Picture() { return Data->GetActivePicture(0); }
  static LRESULT Send(TWinControl* C, UINT Msg, WPARAM W = 0, LPARAM L = 0) {
    return SendMessageW(C->GetHandle(), Msg, W, L);
  }
};

}  // namespace

TEST_F(SkinnedForm, SizesFollowTheResizeModesAndImagesAreTheSkinsPixels) {
  auto* gauge = Add<TspSkinGauge>("gauge", {10, 10, 110, 30});
  auto* button = Add<TspSkinButton>("button", {40, 10, 127, 40});
  auto* track = Add<TspSkinTrackBar>("trackbar", {140, 10, 170, 203});
  auto* box = Add<TspSkinCheckRadioBox>("checkradio", {180, 10, 330, 35});
  EXPECT_EQ(gauge->GetResizeMode(), 0);
  EXPECT_EQ(gauge->GetWidth(), 19);
  EXPECT_EQ(gauge->GetHeight(), 193);
  EXPECT_EQ(button->GetResizeMode(), 2);
  EXPECT_EQ(button->GetWidth(), 87);  // only the height follows the skin
  EXPECT_EQ(button->GetHeight(), 29);
  EXPECT_EQ(track->GetResizeMode(), 3);
  EXPECT_EQ(track->GetWidth(), 18);   // only the width follows the skin
  EXPECT_EQ(track->GetHeight(), 193);
  EXPECT_EQ(box->GetResizeMode(), -1);
  EXPECT_EQ(box->GetWidth(), 150);
  button->SetBounds(40, 10, 200, 60);
  EXPECT_EQ(button->GetWidth(), 200);
  EXPECT_EQ(button->GetHeight(), 29);

  gauge->SetMaxValue(100);
  gauge->SetValue(0);
  auto g = Shot(gauge);
  for (int y = 0; y < 193; y += 7)
    for (int x = 0; x < 19; ++x) ASSERT_EQ(PixelOf(g.get(), x, y), PixelOf(Picture(), x, y)) << x << "," << y;

  // The button's ends are copied, its middle stretched from the face's middle.
  button->SetBounds(40, 10, 87, 29);
  auto b = Shot(button);
  for (int y = 0; y < 29; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelOf(b.get(), x, y), PixelOf(Picture(), 44 + x, 78 + y));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelOf(b.get(), 83 + x, y), PixelOf(Picture(), 89 + x, 78 + y));
    EXPECT_EQ(PixelOf(b.get(), 40, y), PixelOf(Picture(), 60, 78 + y));
  }

  // The track's ends are copied; value 0 puts the thumb at the bottom.
  track->SetValue(0);
  auto t = Shot(track);
  const RECT thumb = track->GetThumbRect();
  EXPECT_EQ(thumb.top, 170);
  EXPECT_EQ(thumb.bottom, 193);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 18; ++x) EXPECT_EQ(PixelOf(t.get(), x, y), PixelOf(Picture(), 99 + x, y));
  EXPECT_EQ(PixelOf(t.get(), 9, 180), PixelOf(Picture(), 129, 10));  // the thumb
  EXPECT_EQ(PixelOf(t.get(), 0, 170), PixelOf(Picture(), 99, 40));   // its magenta corner shows the groove
}

TEST_F(SkinnedForm, GaugeFillsFromTheBottomAndShowsPercentages) {
  auto* gauge = Add<TspSkinGauge>("gauge", {10, 10, 29, 203});
  gauge->SetMaxValue(32512);
  gauge->SetValue(16256);
  auto g = Shot(gauge);
  const COLORREF magenta = RGB(255, 0, 255);
  for (int y = 0; y < 193; ++y) {
    const COLORREF fill = PixelOf(Picture(), 21 + 5, y);
    const COLORREF expected = y >= 97 && fill != magenta ? fill : PixelOf(Picture(), 5, y);
    ASSERT_EQ(PixelOf(g.get(), 5, y), expected) << "row " << y;
  }
  EXPECT_EQ(gauge->CalcProgressRect(RECT{0, 0, 19, 193}, true).top, 97);  // trunc(96.5) rows

  gauge->SetShowPercent(true);
  struct Case {
    int min, max, value;
    const char* text;
  };
  for (const Case& c : {Case{0, 3, 2, "66%"}, Case{5, 5, 5, "0%"}, Case{0, 32512, 32512, "100%"},
                        Case{INT32_MIN, INT32_MAX, 0, "50%"}}) {
    gauge->SetMinValue(INT32_MIN);
    gauge->SetMaxValue(c.max);
    gauge->SetMinValue(c.min);
    gauge->SetValue(c.value);
    EXPECT_EQ(gauge->GetText(), c.text) << c.min << ".." << c.max;
  }
  gauge->SetMaxValue(5);
  gauge->SetValue(6);  // above the maximum: clamped
  EXPECT_EQ(gauge->GetValue(), 5);
}

TEST_F(SkinnedForm, TrackBarDragsToItsEnd) {
  auto* track = Add<TspSkinTrackBar>("trackbar", {140, 10, 158, 203});
  track->SetMaxValue(65535);
  track->SetValue(0);
  track->OnChange = Bind(this, &SkinnedForm::Changed);
  track->OnLastChange = Bind(this, &SkinnedForm::LastChanged);
  track->OnStartDragButton = Bind(this, &SkinnedForm::DragStarted);
  Shot(track);
  const RECT thumb = track->GetThumbRect();
  const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
  Send(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  EXPECT_EQ(Drags, 1);
  EXPECT_TRUE(track->Dragging());
  Send(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y - 85));  // half of the 170-pixel travel
  EXPECT_EQ(track->GetValue(), 32768);                         // round(65535 * 0.5) to even
  Send(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, static_cast<WORD>(short(y - 500))));
  EXPECT_EQ(track->GetValue(), 65535);
  Send(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, static_cast<WORD>(short(y - 600))));
  EXPECT_EQ(Changes, 2);  // the third move changed nothing
  EXPECT_EQ(LastChanges, 0);
  Send(track, WM_LBUTTONUP, 0, MAKELPARAM(x, 0));
  EXPECT_EQ(LastChanges, 1);
  EXPECT_FALSE(track->Dragging());
  EXPECT_EQ(track->GetThumbRect().top, 0);

  // A click on the track with JumpWhenClick moves there without a last-change event.
  track->SetJumpWhenClick(true);
  Send(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 150));
  Send(track, WM_LBUTTONUP, 0, MAKELPARAM(9, 150));
  EXPECT_EQ(track->GetValue(), int(std::nearbyint(65535.0 * (193 - 150 - 11) / 170)));
  EXPECT_EQ(LastChanges, 1);
}

TEST_F(SkinnedForm, ButtonClicksMorphsAndRepeats) {
  auto* button = Add<TspSkinButton>("button", {40, 10, 127, 39});
  // The morph from the normal to the hot face: 0.2 a tick, ending at exactly 1.
  // (Before any press: a focused button would stay hot.)
  ASSERT_EQ(button->MorphFactor(), 0.0);
  Send(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(button->MorphTimerActive());
  for (int tick = 1; tick <= 4; ++tick) {
    Send(button, WM_TIMER, TspSkinButton::MorphTimerID);
    EXPECT_NEAR(button->MorphFactor(), 0.2 * tick, 1e-9);
    EXPECT_TRUE(button->MorphTimerActive());
  }
  Send(button, WM_TIMER, TspSkinButton::MorphTimerID);
  EXPECT_EQ(button->MorphFactor(), 1.0);
  EXPECT_FALSE(button->MorphTimerActive());
  EXPECT_FALSE(KillTimer(button->GetHandle(), TspSkinButton::MorphTimerID));  // the window has no such timer
  // Halfway the face is a blend of the two faces.
  Send(button, WM_MOUSELEAVE);
  Send(button, WM_TIMER, TspSkinButton::MorphTimerID);
  Send(button, WM_TIMER, TspSkinButton::MorphTimerID);
  auto mid = Shot(button);
  const COLORREF normal = PixelOf(Picture(), 44, 90), hot = PixelOf(Picture(), 44, 12);
  const COLORREF got = PixelOf(mid.get(), 0, 12);
  EXPECT_EQ(GetRValue(got), int(std::nearbyint(0.6 * GetRValue(hot) + 0.4 * GetRValue(normal))));
  Send(button, WM_MOUSELEAVE);
  while (button->MorphTimerActive()) Send(button, WM_TIMER, TspSkinButton::MorphTimerID);
  EXPECT_EQ(button->MorphFactor(), 0.0);


  // Enter, press, leave, release: no click.
  Send(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(button->IsHot());
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(button->GetDown());
  Send(button, WM_MOUSELEAVE);
  Send(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(button->GetDown());
  // Enter, press, release: one click.
  Send(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  Send(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Clicks, 1);

  // Auto-repeat: first after 500 ms, then every RepeatInterval, each tick a click.
  button->SetRepeatMode(true);
  button->SetRepeatInterval(70);
  Clicks = 0;
  Send(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(button->RepeatTimerInterval(), 500u);
  EXPECT_EQ(Clicks, 0);
  Send(button, WM_TIMER, TspSkinButton::RepeatTimerID);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(button->RepeatTimerInterval(), 70u);
  Send(button, WM_TIMER, TspSkinButton::RepeatTimerID);
  EXPECT_EQ(Clicks, 2);
  Send(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Clicks, 3);
  EXPECT_EQ(button->RepeatTimerInterval(), 0u);
  Send(button, WM_TIMER, TspSkinButton::RepeatTimerID);
  EXPECT_EQ(Clicks, 3);
}

TEST_F(SkinnedForm, ButtonGroups) {
  struct Case {
    bool allowAllUp;
    bool upAgain;  // a press and release on the down button lifts it
  };
  for (const Case& c : {Case{false, false}, Case{true, true}}) {
    TspSkinButton* b[3];
    for (int i = 0; i < 3; ++i) {
      b[i] = Add<TspSkinButton>("button", {10 + 90 * i, 100, 97 + 90 * i, 129});
      b[i]->SetGroupIndex(1);
      b[i]->SetAllowAllUp(c.allowAllUp);
      EXPECT_FALSE(b[i]->GetCanFocused());
    }
    Clicks = 0;
    b[0]->SetDown(true);
    Send(b[1], WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Send(b[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Clicks, 1);  // a grouped button runs at the press
    Send(b[1], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(b[0]->GetDown(), c.allowAllUp);
    EXPECT_TRUE(b[1]->GetDown());
    Send(b[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Send(b[1], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(b[1]->GetDown(), !c.upAgain) << c.allowAllUp;
    EXPECT_EQ(Clicks, c.upAgain ? 2 : 1) << c.allowAllUp;
    // Setting one down in code releases the others unless all may be up.
    b[2]->SetDown(true);
    b[1]->SetDown(true);
    EXPECT_EQ(b[2]->GetDown(), c.allowAllUp);
    for (TspSkinButton* x : b) Free(x);
  }
}

TEST_F(SkinnedForm, ButtonGlyphStates) {
  Data->SetEnableSkinEffects(false);  // no morph: the faces switch at once
  const COLORREF colours[4] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
  struct Case {
    int numGlyphs;
    bool enabled, hot, pressed;
    int state;
  };
  for (const Case& c : {Case{4, true, true, false, 4}, Case{4, true, true, true, 3}, Case{2, false, false, false, 2},
                        Case{2, true, true, false, 1}, Case{1, false, false, false, 1}, Case{3, true, true, false, 1},
                        Case{4, true, false, false, 1}}) {
    // States of 10 x 10; each state's bottom-left pixel is its transparent colour.
    auto strip = MakeBitmap(10 * c.numGlyphs, 10,
                            [&](int x, int y) { return x % 10 == 0 && y == 9 ? RGB(1, 2, 3) : colours[x / 10]; });
    auto* button = Add<TspSkinButton>("button", {40, 10, 127, 39});
    button->SetGlyph(strip.get());
    button->SetNumGlyphs(c.numGlyphs);
    button->SetEnabled(c.enabled);
    if (c.hot) Send(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    if (c.pressed) Send(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    auto shot = Shot(button);
    // The glyph is centred in the face's layout rectangle (3, 5, 86, 25); pressed moves it by one.
    const int shift = c.pressed ? 1 : 0;
    EXPECT_EQ(PixelOf(shot.get(), 44 + shift, 15 + shift), colours[c.state - 1])
        << c.numGlyphs << c.enabled << c.hot << c.pressed;
    if (c.pressed) Send(button, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    Free(button);
  }
}

TEST_F(SkinnedForm, CheckBoxClicksAndBoxImages) {
  auto* box = Add<TspSkinCheckRadioBox>("checkradio", {10, 250, 160, 275});
  box->SetCaption("Recording without silence");
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(Clicks, 2);  // also when nothing changed
  box->SetChecked(false);
  EXPECT_EQ(Clicks, 3);

  // Unchecked, grayed, checked, unchecked again.
  box->SetAllowGrayed(true);
  const TCheckBoxState cycle[3] = {cbGrayed, cbChecked, cbUnchecked};
  for (TCheckBoxState expected : cycle) {
    Send(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Send(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(box->GetState(), expected);
  }
  EXPECT_EQ(Clicks, 6);

  // The flat box draws the skin's box image over the form, caption beside it.
  struct Case {
    TCheckBoxState state;
    bool hot, enabled;
    RECT image;
    bool lightened;
  };
  const RECT check{60, 62, 74, 75}, uncheck{44, 62, 58, 75}, hotCheck{92, 62, 106, 75}, hotUncheck{76, 62, 90, 75};
  for (const Case& c : {Case{cbChecked, false, true, check, false}, Case{cbUnchecked, false, true, uncheck, false},
                        Case{cbChecked, true, true, hotCheck, false}, Case{cbUnchecked, true, true, hotUncheck, false},
                        Case{cbChecked, false, false, check, false}, Case{cbGrayed, false, true, check, true},
                        Case{cbGrayed, true, true, hotCheck, true}}) {
    box->SetEnabled(true);
    Send(box, WM_MOUSELEAVE);
    box->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(box));
    box->SetState(c.state);
    box->SetEnabled(c.enabled);
    if (c.hot) box->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(box));
    auto shot = Shot(box);
    const int top = 25 / 2 - 13 / 2;
    for (POINT p : {POINT{5, 5}, POINT{1, 1}, POINT{12, 6}}) {
      COLORREF expected = PixelOf(Picture(), c.image.left + p.x, c.image.top + p.y);
      if (c.lightened)
        expected = RGB(int(std::nearbyint(GetRValue(expected) / 2.0 + 127.5)),
                       int(std::nearbyint(GetGValue(expected) / 2.0 + 127.5)),
                       int(std::nearbyint(GetBValue(expected) / 2.0 + 127.5)));
      EXPECT_EQ(PixelOf(shot.get(), 3 + p.x, top + p.y), expected) << c.state << c.hot << c.enabled;
    }
    // The magenta corner is transparent: the form shows through.
    EXPECT_EQ(PixelOf(shot.get(), 3, top + 12), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(shot.get(), 148, 2), RGB(255, 0, 0));
  }
}

TEST_F(SkinnedForm, AlphaBlendingAndThePlainImage) {
  auto* gauge = Add<TspSkinGauge>("gauge", {10, 10, 29, 203});
  gauge->SetValue(0);
  gauge->SetAlphaBlend(true);
  gauge->SetAlphaBlendValue(255);
  auto opaque = Shot(gauge);
  for (int y = 0; y < 193; y += 11) EXPECT_EQ(PixelOf(opaque.get(), 4, y), PixelOf(Picture(), 4, y));
  gauge->SetAlphaBlendValue(0);
  auto clear = Shot(gauge);
  for (int y = 0; y < 193; y += 11) EXPECT_EQ(PixelOf(clear.get(), 4, y), RGB(255, 0, 0));

  // Without a skin (or when it is emptied) the plain images are drawn.
  auto* plain = Add<TspSkinGauge>("gauge", {100, 10, 200, 30}, false);
  plain->SetValue(50);
  auto p = Shot(plain);
  EXPECT_EQ(plain->GetWidth(), 100);
  EXPECT_EQ(PixelOf(p.get(), 0, 0), COLORREF(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(PixelOf(p.get(), 20, 10), RGB(0xB6, 0xBD, 0xD2));  // the filled half
  EXPECT_EQ(PixelOf(p.get(), 80, 10), COLORREF(ColorToRGB(clWindow)));
  auto* named = Add<TspSkinButton>("nosuchsection", {100, 50, 175, 75});
  auto n = Shot(named);
  EXPECT_EQ(named->GetWidth(), 75);
  EXPECT_EQ(PixelOf(n.get(), 0, 0), COLORREF(ColorToRGB(clBtnShadow)));
  named->SetDrawDefault(false);
  EXPECT_NE(PixelOf(Shot(named).get(), 0, 0), COLORREF(ColorToRGB(clBtnShadow)));

  Data->ClearSkin();
  auto emptied = Shot(gauge);
  gauge->SetAlphaBlend(false);
  auto after = Shot(gauge);
  EXPECT_EQ(PixelOf(after.get(), 0, 0), COLORREF(ColorToRGB(clBtnShadow)));
}

namespace {

// A skinned control that notes the background notices it receives, and a
// plain one that would read the same message number as something else.
class TListeningControl : public TspSkinControl {
  SONVELT_CLASS(TListeningControl, TspSkinControl)
 public:
  using TspSkinControl::TspSkinControl;
  int Notices = 0;

 protected:
  void ParentBackgroundChanged() override { ++Notices; }
};

class TPlainControl : public TCustomControl {
  SONVELT_CLASS(TPlainControl, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  int Notices = 0;
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_USER + 0x104) ++Notices;
    TCustomControl::WndProc(M);
  }
};

}  // namespace

TEST_F(SkinnedForm, BackgroundNoticesReachOnlySkinnedChildrenAndTimersDieWithTheirButton) {
  auto* button = Add<TspSkinButton>("button", {40, 10, 127, 39});
  auto* skinned = TListeningControl::Create(Form);
  skinned->SetParent(button);
  auto* plain = TPlainControl::Create(Form);
  plain->SetParent(button);
  button->SetBounds(40, 10, 150, 29);  // the button's face stretches: its children hear of it
  EXPECT_EQ(skinned->Notices, 1);
  EXPECT_EQ(plain->Notices, 0);

  Send(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(button->MorphTimerActive());
  Free(button);
  Pump();  // a late tick finds no button
  auto* other = Add<TspSkinButton>("button", {40, 50, 127, 79});
  Send(other, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(other->MorphTimerActive());
  Free(Data);  // the skin goes: the morph stops with it
  EXPECT_FALSE(other->MorphTimerActive());
  EXPECT_EQ(other->GetSkinIndex(), -1);
  Shot(other);
}

namespace {

struct ActionCounter : TObject {
  int Executed = 0;
  void Execute(TObject*) { ++Executed; }
};

}  // namespace

TEST_F(SkinnedForm, ButtonDialogKeysActionsAndAnimationStrips) {
  auto* ok = Add<TspSkinButton>("button", {10, 100, 97, 129});
  auto* cancel = Add<TspSkinButton>("button", {110, 100, 197, 129});
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  Form->SetActiveControl(nullptr);
  // Enter runs the default button, Escape the cancel button, each setting the form's result.
  EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Form->GetModalResult(), mrOk);
  EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(Form->GetModalResult(), mrCancel);
  ok->SetEnabled(false);
  Form->Perform(CM_DIALOGKEY, VK_RETURN, 0);
  EXPECT_EQ(Clicks, 2);
  Form->SetModalResult(mrNone);

  // The action runs unless OnClick is another handler than the action's.
  ActionCounter counter;
  auto* action = TAction::Create(Form);
  action->OnExecute = Bind(&counter, &ActionCounter::Execute);
  auto* button = Add<TspSkinButton>("button", {10, 140, 97, 169});
  button->SetAction(action);
  EXPECT_TRUE(button->OnClick == action->OnExecute);
  button->ExecuteClick();
  EXPECT_EQ(counter.Executed, 1);
  button->OnClick = Bind(this, &SkinnedForm::Clicked);
  Clicks = 0;
  button->ExecuteClick();
  EXPECT_EQ(counter.Executed, 1);
  EXPECT_EQ(Clicks, 1);

  // A strip of frames animates on entering; a count it cannot hold does not.
  auto* d = static_cast<TspDataSkinButtonControl*>(Data->GetControlDescriptor(1));
  d->AnimateSkinRect = RECT{44, 0, 142, 29};  // two faces side by side
  struct Case {
    int frames;
    bool animates;
  };
  for (const Case& c : {Case{2, true}, Case{0, false}, Case{-3, false}, Case{1000, false}}) {
    d->FrameCount = c.frames;
    auto* b = Add<TspSkinButton>("button", {10, 180, 97, 209});
    Send(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(b->AnimationActive(), c.animates) << c.frames;
    if (c.animates) {
      EXPECT_EQ(b->AnimationFrame(), 1);
      Shot(b);
      Send(b, WM_TIMER, TspSkinButton::AnimateTimerID);
      EXPECT_EQ(b->AnimationFrame(), 2);
      Send(b, WM_TIMER, TspSkinButton::AnimateTimerID);
      EXPECT_FALSE(b->AnimationActive());
    }
    Shot(b);
    Free(b);
  }
}

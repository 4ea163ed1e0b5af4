// The mouse reaches only the windows of the active chain of bar windows; a
// window closes once even when its closing re-enters.
#include <gtest/gtest.h>

#include "suite/bars/BarControl.h"
#include "suite/common/ObjectLinks.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
struct BarWindowInputFixture : BarFormFixture {
  int Presses[3] = {0, 0, 0};
  TCustomdxBarControl* Windows[3] = {};
  void Pressed(TObject* Sender, TMouseButton, TShiftState, int, int) {
    for (int I = 0; I < 3; ++I)
      if (Sender == Windows[I]) ++Presses[I];
  }
};

TEST_F(BarWindowInputFixture, WindowsOutsideTheActiveChainDropTheMouse) {
  // A toolbar, a menu opened from it, and another toolbar.
  Windows[0] = Construct<TdxBarControl>(Form);
  Windows[1] = Construct<TdxBarSubMenuControl>(Form);
  Windows[2] = Construct<TdxBarControl>(Form);
  Windows[1]->SetParentBar(Windows[0]);
  for (TCustomdxBarControl* W : Windows) {
    W->SetBounds(0, 0, 40, 20);
    W->HandleNeeded();
    W->OnMouseDown = TMouseEvent(this, &BarWindowInputFixture::Pressed);
  }
  auto PressAll = [&] {
    for (TCustomdxBarControl* W : Windows) SendMessageW(W->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    for (TCustomdxBarControl* W : Windows) SendMessageW(W->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };
  Windows[1]->SetActive(true);
  PressAll();
  EXPECT_EQ(1, Presses[0]);
  EXPECT_EQ(1, Presses[1]);
  EXPECT_EQ(0, Presses[2]) << "a window outside the chain took the press";
  // With no chain active every window takes it.
  Windows[1]->SetActive(false);
  PressAll();
  EXPECT_EQ(2, Presses[0]);
  EXPECT_EQ(1, Presses[2]);
  for (TCustomdxBarControl* W : Windows) Free(W);
}
}  // namespace

namespace {
// A menu whose closing re-enters: it closes its parent, which closes its child
// chain again; or it frees itself.
class TReenteringMenu : public TdxBarSubMenuControl {
public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  int* Closes = nullptr;
  TCustomdxBarControl* AlsoClose = nullptr;
  bool FreeSelf = false;

protected:
  void DoClose() override {
    ++*Closes;
    CloseBar();
    if (AlsoClose) AlsoClose->CloseBar();
    if (FreeSelf) {
      Free(this);
      return;
    }
    TdxBarSubMenuControl::DoClose();
  }
};

TEST_F(BarWindowInputFixture, ClosingRunsOnceWhenItReEntersAndAgainLater) {
  int ParentCloses = 0, ChildCloses = 0;
  auto* Parent = Construct<TReenteringMenu>(Form);
  auto* Child = Construct<TReenteringMenu>(Form);
  Parent->Closes = &ParentCloses;
  Child->Closes = &ChildCloses;
  Child->SetParentBar(Parent);
  Child->AlsoClose = Parent;
  Parent->AlsoClose = Child;
  Child->CloseBar();
  EXPECT_EQ(1, ChildCloses);
  EXPECT_EQ(1, ParentCloses);
  EXPECT_FALSE(Child->IsClosing());
  EXPECT_FALSE(Parent->IsClosing());
  // Closed once, the window closes again the next time.
  Child->AlsoClose = nullptr;
  Child->CloseBar();
  EXPECT_EQ(2, ChildCloses);

  // A window freed by its own closing is left alone afterwards.
  int FreedCloses = 0;
  auto* Freed = Construct<TReenteringMenu>(Form);
  Freed->Closes = &FreedCloses;
  Freed->FreeSelf = true;
  TcxObjectLinkGuard Link(Freed);
  Freed->CloseBar();
  EXPECT_EQ(1, FreedCloses);
  EXPECT_FALSE(Link.Alive());
}
}  // namespace

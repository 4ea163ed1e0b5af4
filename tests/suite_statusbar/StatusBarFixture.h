// A sizeable form shown with a 400-pixel-wide client area and a status bar along
// its bottom, 21 high, without panels; and a stand-in painter with round metrics
// for the tables where drawing does not matter.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "suite/common/Geometry.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/StatusBar.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/support/MemoryDC.h"

// Separators 3 wide, a 10 x 10 grip, margins (1, 2, 1, 1); draws nothing.
class TStubStatusPainter : public TdxStatusBarPainter {
  SONVELT_CLASS(TStubStatusPainter, TdxStatusBarPainter)
public:
  static const TStubStatusPainter* Instance() {
    static const TOwned<TStubStatusPainter> P(TStubStatusPainter::Create());
    return P.get();
  }
  RECT ContentMargins(TdxCustomStatusBar*) const override { return RECT{1, 2, 1, 1}; }
  void DrawBorder(TdxCustomStatusBar* Bar, TcxCanvas*, RECT& R) const override {
    R = RectDeflatedByBorders(R, ContentMargins(Bar));
  }
  SIZE SizeGripExtent() const override { return SIZE{10, 10}; }
  int SeparatorBaseWidth() const override { return 3; }
};

// A bar that draws with the stand-in while Stub is set.
class TStubStatusBar : public TdxStatusBar {
  SONVELT_CLASS(TStubStatusBar, TdxStatusBar)
public:
  explicit TStubStatusBar(TComponent* AOwner) : TdxStatusBar(AOwner) {}
  bool Stub = true;
  TdxStatusBarPainterClass GetPainterClass() override {
    return Stub ? TStubStatusPainter::Instance() : TdxStatusBar::GetPainterClass();
  }
  void UseStub(bool Value) {
    Stub = Value;
    PainterChanged();
  }
};

inline bool operator==(const RECT& A, const RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

struct StatusBarFixture : ::testing::Test {
  TForm* Form = nullptr;
  TStubStatusBar* Bar = nullptr;

  void SetUp() override {
    SetCursorPos(0, 0);
    Form = TForm::Create(nullptr);
    Form->SetBounds(100, 100, 420, 200);
    Form->SetClientWidth(400);
    Form->SetClientHeight(150);
    Bar = TStubStatusBar::Create(Form);
    Bar->SetHeight(21);
    Bar->SetParent(Form);
    Form->Show();
    Pump();
  }
  void TearDown() override { Free(Form); }

  TdxStatusBarPanel* AddPanel(int Width, const char* StyleClass = "TdxStatusBarTextPanelStyle") {
    TdxStatusBarPanel* P = Bar->GetPanels()->Add();
    P->SetPanelStyleClassName(StyleClass);
    if (Width >= 0) P->SetWidth(Width);
    return P;
  }
  std::vector<int> Widths() {
    std::vector<int> W;
    for (int I = 0; I < Bar->GetViewInfo()->WidthCount(); ++I) W.push_back(Bar->GetViewInfo()->Width(I));
    return W;
  }
  // The index of the panel at a client point, -1 for none.
  int PanelIndexAt(int X, int Y) {
    TdxStatusBarPanel* P = Bar->PanelAtPoint(X, Y);
    return P ? P->GetIndex() : -1;
  }
  // The bar's point on screen, as the window system maps it.
  POINT ScreenPoint(int X, int Y) {
    POINT P{X, Y};
    ::ClientToScreen(Bar->GetHandle(), &P);
    return P;
  }
  LRESULT HitTest(int X, int Y) {
    const POINT S = ScreenPoint(X, Y);
    return SendMessageW(Bar->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(S.x, S.y));
  }
  // The bar painted into a memory bitmap of its size.
  std::unique_ptr<TMemoryDC> Paint() {
    auto M = std::make_unique<TMemoryDC>(Bar->GetWidth(), Bar->GetHeight());
    Bar->PaintTo(M->DC(), 0, 0);
    return M;
  }
};

inline COLORREF RGBOf(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }

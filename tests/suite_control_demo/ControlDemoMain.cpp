// Five suite controls, one per look, each with more content than room, so that
// both scroll bars and the size grip show. With "--screenshot FILE.bmp" it saves
// a picture of the window once it has painted and quits.
#include <windows.h>

#include <algorithm>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "suite/common/SuiteControl.h"
#include "suite/common/cxCanvas.h"
#include "tests/support/WindowShot.h"

namespace {
// A grid of numbered cells, 600 x 400 pixels, seen through the bars.
class TGridView : public TcxControl {
  SONVELT_CLASS(TGridView, TcxControl)
public:
  explicit TGridView(TComponent* AOwner) : TcxControl(AOwner) {}
  std::string Title;

protected:
  void InitScrollBarsParameters() override {
    RECT R;
    InnerClientBounds(R);
    SetScrollBarInfo(sbHorizontal, 0, 599, 8, R.right - R.left, FLeft, true, true);
    SetScrollBarInfo(sbVertical, 0, 399, 8, R.bottom - R.top, FTop, true, true);
  }
  bool AllowHideScrollBar(TScrollBarKind) override { return true; }
  void ScrollContent(TScrollBarKind Kind, TScrollCode Code, int& Position) override {
    int& Offset = Kind == sbHorizontal ? FLeft : FTop;
    if (Code == scLineUp) Offset -= 8;
    else if (Code == scLineDown) Offset += 8;
    else Offset = Position;
    Offset = std::max(0, std::min(Offset, Kind == sbHorizontal ? 400 : 300));
    RecalcScrollBars();
    Invalidate();
  }
  void Paint() override {
    TcxControl::Paint();
    TcxCanvas* C = GetCxCanvas();
    RECT R;
    InnerClientBounds(R);
    C->FillRectColor(R, clWindow);
    for (int Y = 0; Y < 400; Y += 40)
      for (int X = 0; X < 600; X += 60) {
        RECT Cell{R.left + X - FLeft, R.top + Y - FTop, R.left + X - FLeft + 59, R.top + Y - FTop + 39};
        C->FillRectColor(Cell, ((X / 60 + Y / 40) % 2) ? TColor(0xF0E8E0) : TColor(0xE0F0F8));
        C->DrawTextFlags(std::to_string(Y / 40 * 10 + X / 60), Cell, cxAlignHCenter | cxAlignVCenter | cxSingleLine);
      }
    RECT TitleR{R.left + 4, R.top + 4, R.left + 150, R.top + 22};
    C->FillRectColor(TitleR, clInfoBk);
    C->DrawTextFlags(Title, TitleR, cxAlignLeft | cxAlignVCenter | cxSingleLine);
  }

private:
  int FLeft = 30, FTop = 20;
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->SetTitle("Suite control looks");
  Application->Initialize();
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetCaption("Suite control looks");
  Form->SetBounds(40, 40, 5 * 190 + 30, 300);
  struct TLook {
    const char* Title;
    TcxLookAndFeelKind Kind;
    bool Native;
  } Looks[] = {{"Flat", lfFlat, false},
               {"Standard", lfStandard, false},
               {"Ultra flat", lfUltraFlat, false},
               {"Office 2003", lfOffice11, false},
               {"Native", lfStandard, true}};
  int X = 10;
  for (const TLook& L : Looks) {
    auto* View = TGridView::Create(Form);
    View->Title = L.Title;
    View->SetBounds(X, 10, 180, 240);
    View->SetBorderStyle(1);
    View->GetLookAndFeel()->SetKind(L.Kind);
    View->GetLookAndFeel()->SetNativeStyle(L.Native);
    View->SetParent(Form);
    View->RecalcScrollBars();
    X += 190;
  }
  TWindowShot Shot;
  Shot.ArmFromCommandLine();
  Application->Run();
  return 0;
}

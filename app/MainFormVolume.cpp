// The volume slider and the two level bars on the right of the bottom panel.
#include <algorithm>

#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "engine/TAmpBar2.h"
#include "engine/TAudioEditor2.h"
#include "skins/ImageSlider.h"

void TMainForm::CreateVolumeControls(TWinControl* Parent) {
  ScrollBarValue = TImageSlider::Create(this);
  ScrollBarValue->SetParent(Parent);
  ScrollBarValue->SetBounds(634, 28, 200, 24);
  ScrollBarValue->SetMaxValue(65535);
  ScrollBarValue->OnChange = Bind(this, &TMainForm::ScrollBarValueChange);
  LeftBar = TAmpBar2::Create(this);
  LeftBar->SetParent(Parent);
  RightBar = TAmpBar2::Create(this);
  RightBar->SetParent(Parent);
}

void TMainForm::SetVolumeSliderValue(int Value) {
  ScrollBarValue->SetMaxValue(65535);
  ScrollBarValue->SetValue(Value);
}

void TMainForm::LayoutVolumeControls() {
  const int W = GetClientWidth();
  ScrollBarValue->SetBounds(634, 28, std::max(40, W - 634 - 12), ScrollBarValue->GetHeight());
  for (TAmpBar2* Bar : {LeftBar, RightBar}) {
    Bar->SetBounds(ScrollBarValue->GetLeft() + 6, Bar == LeftBar ? 10 : 17, ScrollBarValue->GetWidth() - 12, 7);
    Bar->SetBackColor(0);
    Bar->SetBorderStyle(0);
    Bar->SetTickBackColor(0);
  }
}

void TMainForm::PanelBottomResize(TObject*) { LayoutVolumeControls(); }

void TMainForm::ShowLevels(TObject*, int Left, int Right) {
  LeftBar->SetValue(std::max(0, Left - 67) * 4);
  RightBar->SetValue(std::max(0, Right - 67) * 4);
}

void TMainForm::ScrollBarValueChange(TObject*) {
  GlobalVarsRecord->DeviceOutputVolume = ScrollBarValue->GetValue();
  if (TAudioEditor2* E = ActiveEditor()) E->GetOutput()->SetVolume(ScrollBarValue->GetValue());
}

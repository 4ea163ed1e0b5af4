// The demonstration window: one of every standard control, a menu, a popup menu,
// actions with shortcuts and a timer that moves the progress bar.
#pragma once

#include "framework/Action.h"
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/Menus.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/RangeControls.h"
#include "framework/Shape.h"
#include "framework/SpeedButton.h"
#include "framework/Timer.h"
#include "framework/TreeView.h"

class TDemoForm : public TForm {
  SONVELT_CLASS(TDemoForm, TForm)
public:
  explicit TDemoForm(TComponent* AOwner);

private:
  void BuildMenus();
  void BuildLeftColumn();
  void BuildRightColumn();
  void ActionPlayExecute(TObject* Sender);
  void ActionClearExecute(TObject* Sender);
  void ActionListUpdate(TBasicAction* Action, bool& Handled);
  void TimerProgressTimer(TObject* Sender);
  void ScrollBarValueChange(TObject* Sender);
  void PaintBoxWavePaint(TObject* Sender);
  void ListViewFilesColumnClick(TObject* Sender, TListColumn* Column);
  void Say(const std::string& Text);

  TActionList* ActionList;
  TAction* ActionPlay;
  TAction* ActionClear;
  TPanel* PanelStatus;
  TEdit* EditName;
  TMemo* MemoNotes;
  TComboBox* ComboRate;
  TListBox* ListBoxFormats;
  TListView* ListViewFiles;
  TTreeView* TreeViewEffects;
  TTrackBar* TrackBarVolume;
  TProgressBar* ProgressBarWork;
  TScrollBar* ScrollBarValue;
  TLabel* LabelValue;
  TPaintBox* PaintBoxWave;
  TTimer* TimerProgress;
  int SortColumn = -1;
};

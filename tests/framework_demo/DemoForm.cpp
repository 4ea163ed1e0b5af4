#include "tests/framework_demo/DemoForm.h"

#include <cmath>

#include "framework/Application.h"
#include "framework/StringUtils.h"

namespace {
template <class T>
T* Place(TComponent* Owner, TWinControl* Parent, const char* Name, int L, int T_, int W, int H) {
  T* C = T::Create(Owner);
  C->SetName(Name);
  C->SetBounds(L, T_, W, H);
  C->SetParent(Parent);
  return C;
}
}  // namespace

TDemoForm::TDemoForm(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Sonvelt controls");
  SetBounds(20, 20, 820, 600);
  SetPosition(poScreenCenter);
  ActionList = TActionList::Create(this);
  ActionList->OnUpdate = TActionEventHandler(this, &TDemoForm::ActionListUpdate);
  ActionPlay = TAction::Create(this);
  ActionPlay->SetCaption("&Play");
  ActionPlay->SetShortCut(VK_F9);
  ActionPlay->SetHint("Play|Starts the progress bar");
  ActionPlay->OnExecute = Bind(this, &TDemoForm::ActionPlayExecute);
  ActionPlay->SetActionList(ActionList);
  ActionClear = TAction::Create(this);
  ActionClear->SetCaption("&Clear notes");
  ActionClear->SetShortCut(ShortCut('L', {ssCtrl}));
  ActionClear->OnExecute = Bind(this, &TDemoForm::ActionClearExecute);
  ActionClear->SetActionList(ActionList);

  PanelStatus = Place<TPanel>(this, this, "PanelStatus", 0, 0, 100, 24);
  PanelStatus->SetAlign(alBottom);
  PanelStatus->SetBevelOuter(bvLowered);
  PanelStatus->SetAlignment(taLeftJustify);
  PanelStatus->SetCaption("  Ready");

  BuildMenus();
  BuildLeftColumn();
  BuildRightColumn();

  TimerProgress = TTimer::Create(this);
  TimerProgress->SetEnabled(false);
  TimerProgress->SetInterval(100);
  TimerProgress->OnTimer = Bind(this, &TDemoForm::TimerProgressTimer);
  Application->SetShowHint(true);
  SetShowHint(true);
}

void TDemoForm::BuildMenus() {
  auto* Menu = TMainMenu::Create(this);
  auto Item = [this](TMenuItem* Parent, const char* Caption, TAction* Action = nullptr) {
    auto* I = TMenuItem::Create(this);
    if (Action) I->SetAction(Action);
    else I->SetCaption(Caption);
    Parent->Add(I);
    return I;
  };
  TMenuItem* File = Item(Menu->GetItems(), "&File");
  Item(File, nullptr, ActionPlay);
  Item(File, "-");
  TMenuItem* Exit = Item(File, "E&xit");
  Exit->OnClick = [] {
    struct TClose : TObject {
      static void Run(TObject* Sender) { (void)Sender; Application->GetMainForm()->Close(); }
    };
    return TNotifyEvent(&TClose::Run);
  }();
  TMenuItem* Edit = Item(Menu->GetItems(), "&Edit");
  Item(Edit, nullptr, ActionClear);
  TMenuItem* View = Item(Menu->GetItems(), "&View");
  TMenuItem* Big = Item(View, "&Large icons");
  Big->SetRadioItem(true);
  Big->SetChecked(true);
  Item(View, "&Details")->SetRadioItem(true);
  SetMenu(Menu);

  auto* Popup = TPopupMenu::Create(this);
  Item(Popup->GetItems(), nullptr, ActionPlay);
  Item(Popup->GetItems(), nullptr, ActionClear);
  SetPopupMenu(Popup);
}

void TDemoForm::BuildLeftColumn() {
  auto* Group = Place<TGroupBox>(this, this, "GroupBoxFile", 8, 8, 380, 150);
  Group->SetCaption("File");
  auto* LabelName = Place<TLabel>(this, Group, "LabelName", 10, 24, 60, 17);
  LabelName->SetCaption("&Name:");
  EditName = Place<TEdit>(this, Group, "EditName", 80, 20, 200, 22);
  EditName->SetText("Untitled1.wav");
  LabelName->SetFocusControl(EditName);
  auto* Save = Place<TButton>(this, Group, "ButtonSave", 290, 19, 80, 25);
  Save->SetCaption("&Save");
  Save->SetDefault(true);
  auto* Check = Place<TCheckBox>(this, Group, "CheckBoxPlay", 10, 56, 180, 19);
  Check->SetCaption("Play after opening");
  Check->SetChecked(true);
  auto* Mono = Place<TRadioButton>(this, Group, "RadioMono", 200, 56, 80, 19);
  Mono->SetCaption("Mono");
  auto* Stereo = Place<TRadioButton>(this, Group, "RadioStereo", 290, 56, 80, 19);
  Stereo->SetCaption("Stereo");
  Stereo->SetChecked(true);
  auto* LabelRate = Place<TLabel>(this, Group, "LabelRate", 10, 92, 60, 17);
  LabelRate->SetCaption("Rate:");
  ComboRate = Place<TComboBox>(this, Group, "ComboRate", 80, 88, 120, 22);
  ComboRate->SetStyle(csDropDownList);
  for (const char* R : {"8000", "22050", "44100", "48000", "96000"}) ComboRate->GetItems()->Add(R);
  ComboRate->SetItemIndex(2);
  auto* Count = Place<TEdit>(this, Group, "EditCount", 210, 88, 50, 22);
  Count->SetNumbersOnly(true);
  auto* UpDown = Place<TUpDown>(this, Group, "UpDownCount", 260, 88, 17, 22);
  UpDown->SetMax(16);
  UpDown->SetPosition(2);
  UpDown->SetAssociate(Count);
  auto* Bevel = Place<TBevel>(this, Group, "BevelLine", 10, 120, 360, 4);
  Bevel->SetShape(bsTopLine);
  auto* Rates = Place<TRadioGroup>(this, this, "RadioGroupBits", 8, 164, 180, 110);
  Rates->SetCaption("Bits");
  for (const char* B : {"8 bits", "16 bits", "24 bits", "32 bits"}) Rates->GetItems()->Add(B);
  Rates->SetItemIndex(1);
  ListBoxFormats = Place<TListBox>(this, this, "ListBoxFormats", 196, 170, 192, 104);
  for (const char* F : {"WAV", "MP3", "OGG", "WMA"}) ListBoxFormats->GetItems()->Add(F);
  ListBoxFormats->SetItemIndex(0);
  MemoNotes = Place<TMemo>(this, this, "MemoNotes", 8, 282, 380, 90);
  MemoNotes->SetScrollBars(ssVertical);
  MemoNotes->GetLines()->Add("Notes on this recording.");
  MemoNotes->GetLines()->Add("Ctrl+L clears them; F9 plays.");
  auto* Pages = Place<TPageControl>(this, this, "PageControlView", 8, 380, 380, 140);
  Pages->SetAnchors({akLeft, akTop, akBottom});
  const char* Names[] = {"Wave", "Spectrum", "Levels"};
  TTabSheet* Sheets[3];
  for (int I = 0; I < 3; ++I) {
    Sheets[I] = TTabSheet::Create(this);
    Sheets[I]->SetCaption(Names[I]);
    Sheets[I]->SetPageControl(Pages);
  }
  PaintBoxWave = Place<TPaintBox>(this, Sheets[0], "PaintBoxWave", 0, 0, 10, 10);
  PaintBoxWave->SetAlign(alClient);
  PaintBoxWave->OnPaint = Bind(this, &TDemoForm::PaintBoxWavePaint);
  auto* Circle = Place<TShape>(this, this, "ShapeCircle", 406, 384, 60, 60);
  Circle->SetShape(stCircle);
  Circle->GetBrush()->SetColor(clTeal);
  auto* Round = Place<TShape>(this, this, "ShapeRound", 486, 384, 100, 60);
  Round->SetShape(stRoundRect);
  Round->GetBrush()->SetColor(clYellow);
  auto* Image = Place<TImage>(this, this, "ImageSwatch", 606, 384, 60, 60);
  TBitmap* Bmp = TBitmap::Create();
  Bmp->SetSize(6, 6);
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 0; X < 6; ++X) Bmp->GetCanvas()->SetPixels(X, Y, ((X + Y) % 2) ? clNavy : clSilver);
  Image->GetPicture()->SetGraphic(Bmp);
  Free(Bmp);
  Image->SetStretch(true);
  for (int I = 0; I < 3; ++I) {
    auto* B = Place<TSpeedButton>(this, this, ("SpeedButton" + std::to_string(I)).c_str(), 406 + I * 70, 460, 64, 26);
    B->SetCaption(std::string("Tool ") + std::to_string(I + 1));
    B->SetGroupIndex(1);
    B->SetFlat(I == 2);
    if (I == 0) B->SetDown(true);
  }
  auto* Help = Place<TBitBtn>(this, this, "ButtonHelp", 616, 459, 90, 28);
  TBitmap* Glyph = TBitmap::Create();
  Glyph->SetSize(16, 16);
  RECT All{0, 0, 16, 16};
  Glyph->GetCanvas()->GetBrush()->SetColor(clFuchsia);
  Glyph->GetCanvas()->FillRect(All);
  Glyph->GetCanvas()->GetBrush()->SetColor(clBlue);
  Glyph->GetCanvas()->Ellipse(2, 2, 14, 14);
  Help->SetGlyph(Glyph);
  Free(Glyph);
  Help->SetCaption("Help");
  for (int I = 1; I < 3; ++I) {
    auto* Note = Place<TLabel>(this, Sheets[I], (std::string("LabelPage") + std::to_string(I)).c_str(), 10, 10, 200, 17);
    Note->SetCaption(std::string(Names[I]) + " view");
  }
  auto* Bevel2 = Place<TBevel>(this, this, "BevelTools", 396, 452, 400, 4);
  Bevel2->SetShape(bsTopLine);
  Pages->SetActivePageIndex(0);
}

void TDemoForm::BuildRightColumn() {
  ListViewFiles = Place<TListView>(this, this, "ListViewFiles", 396, 8, 400, 150);
  ListViewFiles->SetAnchors({akLeft, akTop, akRight});
  ListViewFiles->SetViewStyle(vsReport);
  ListViewFiles->SetRowSelect(true);
  ListViewFiles->SetReadOnly(true);
  const char* Cols[] = {"File", "Length", "Format"};
  int Widths[] = {180, 90, 90};
  for (int I = 0; I < 3; ++I) {
    TListColumn* C = ListViewFiles->AddColumn();
    C->SetCaption(Cols[I]);
    C->SetWidth(Widths[I]);
  }
  const char* Rows[][3] = {{"intro.wav", "0:00:12.500", "WAV"}, {"song.mp3", "0:03:41.020", "MP3"},
                           {"voice.ogg", "0:01:05.250", "OGG"}};
  for (auto& R : Rows) {
    TListItem* It = ListViewFiles->GetItems()->Add();
    It->SetCaption(R[0]);
    It->GetSubItems()->Add(R[1]);
    It->GetSubItems()->Add(R[2]);
  }
  ListViewFiles->OnColumnClick = TLVColumnClickEvent(this, &TDemoForm::ListViewFilesColumnClick);
  TreeViewEffects = Place<TTreeView>(this, this, "TreeViewEffects", 396, 166, 200, 180);
  TTreeNode* Level = TreeViewEffects->GetItems()->Add(nullptr, "Level");
  for (const char* E : {"Amplify", "Normalize", "Fade In", "Fade Out"}) TreeViewEffects->GetItems()->AddChild(Level, E);
  TTreeNode* Delay = TreeViewEffects->GetItems()->Add(nullptr, "Delay");
  for (const char* E : {"Echo", "Reverb", "Chorus"}) TreeViewEffects->GetItems()->AddChild(Delay, E);
  Level->Expand(false);
  auto* Controls = Place<TPanel>(this, this, "PanelControls", 604, 166, 192, 180);
  Controls->SetAnchors({akLeft, akTop, akRight});
  Controls->SetCaption("");
  auto* LabelVolume = Place<TLabel>(this, Controls, "LabelVolume", 8, 8, 100, 17);
  LabelVolume->SetCaption("Volume");
  LabelVolume->SetTransparent(true);
  TrackBarVolume = Place<TTrackBar>(this, Controls, "TrackBarVolume", 4, 26, 184, 36);
  TrackBarVolume->SetRange(0, 10);
  TrackBarVolume->SetPosition(7);
  ProgressBarWork = Place<TProgressBar>(this, Controls, "ProgressBarWork", 8, 70, 176, 18);
  ProgressBarWork->SetPosition(35);
  ScrollBarValue = Place<TScrollBar>(this, Controls, "ScrollBarValue", 8, 100, 176, 17);
  ScrollBarValue->SetParams(25, 0, 100);
  ScrollBarValue->SetLargeChange(10);
  ScrollBarValue->OnChange = Bind(this, &TDemoForm::ScrollBarValueChange);
  LabelValue = Place<TLabel>(this, Controls, "LabelValue", 8, 124, 100, 17);
  LabelValue->SetTransparent(true);
  ScrollBarValueChange(ScrollBarValue);
  auto* Play = Place<TButton>(this, Controls, "ButtonPlay", 8, 146, 80, 25);
  Play->SetAction(ActionPlay);
  auto* Clear = Place<TButton>(this, Controls, "ButtonClear", 96, 146, 88, 25);
  Clear->SetAction(ActionClear);
  auto* Swatch = Place<TShape>(this, this, "ShapeLevel", 396, 354, 400, 20);
  Swatch->SetAnchors({akLeft, akTop, akRight});
  Swatch->GetBrush()->SetColor(clGreen);
  Swatch->SetHint("The level of the last block");
  Swatch->SetShowHint(true);
}

void TDemoForm::ActionListUpdate(TBasicAction* Action, bool& Handled) {
  if (Action == ActionClear) ActionClear->SetEnabled(MemoNotes->GetLines()->GetCount() > 0);
  (void)Handled;
}

void TDemoForm::ActionPlayExecute(TObject*) {
  TimerProgress->SetEnabled(!TimerProgress->GetEnabled());
  Say(TimerProgress->GetEnabled() ? "Playing" : "Stopped");
}

void TDemoForm::ActionClearExecute(TObject*) {
  MemoNotes->Clear();
  Say("Notes cleared");
}

void TDemoForm::TimerProgressTimer(TObject*) {
  int P = ProgressBarWork->GetPosition() + 5;
  ProgressBarWork->SetPosition(P > 100 ? 0 : P);
}

void TDemoForm::ScrollBarValueChange(TObject*) {
  LabelValue->SetCaption("Value: " + std::to_string(ScrollBarValue->GetPosition()));
}

void TDemoForm::ListViewFilesColumnClick(TObject*, TListColumn* Column) {
  int Col = Column->GetIndex();
  ListViewFiles->CustomSort(
      [Col](TListItem* A, TListItem* B, std::intptr_t) {
        auto Key = [Col](TListItem* I) { return Col == 0 ? I->GetCaption() : I->GetSubItems()->GetStrings(Col - 1); };
        return AnsiCompareText(Key(A), Key(B));
      },
      0);
  Say("Sorted by " + Column->GetCaption());
}

void TDemoForm::PaintBoxWavePaint(TObject*) {
  TCanvas* C = PaintBoxWave->GetCanvas();
  RECT R = PaintBoxWave->GetClientRect();
  C->GetBrush()->SetColor(clBlack);
  C->FillRect(R);
  C->GetPen()->SetColor(RGB(102, 255, 102));
  int Mid = R.bottom / 2;
  C->MoveTo(0, Mid);
  for (int X = 0; X < R.right; ++X) {
    double T = X / 12.0;
    C->LineTo(X, Mid - static_cast<int>(std::sin(T) * std::sin(T / 7.0) * (Mid - 4)));
  }
}

void TDemoForm::Say(const std::string& Text) { PanelStatus->SetCaption("  " + Text); }

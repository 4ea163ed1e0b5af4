#include "app/dialogs/LoadCDForm.h"

#include <dbt.h>

#include <cctype>

#include "app/ChildForm.h"
#include "app/ControlLayout.h"
#include "app/DialogPlacement.h"
#include "app/FontReplacement.h"
#include "app/dialogs/MatchForm.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "res/ResourceIds.h"
#include "skins/PngSpeedButton.h"

namespace {

const char* const LookupCaption = "freecddb";

std::vector<std::string> FindFilesOf(const std::string& Pattern) {
  std::vector<std::string> Names;
  WIN32_FIND_DATAW Found;
  const HANDLE Find = FindFirstFileW(Utf8ToWide(Pattern).c_str(), &Found);
  if (Find == INVALID_HANDLE_VALUE) return Names;
  do {
    // The attribute mask takes every kind of file but folders.
    if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) Names.push_back(WideToUtf8(Found.cFileName));
  } while (FindNextFileW(Find, &Found));
  FindClose(Find);
  return Names;
}

std::string BaseName(const std::string& FileName) {
  const size_t Dot = FileName.rfind('.');
  return Dot == std::string::npos ? FileName : FileName.substr(0, Dot);
}

// The track number a file name ends in ("Track05.cda" is 5), -1 without one.
int TrackNumberOf(const std::string& FileName) {
  const std::string Base = BaseName(FileName);
  size_t Digits = Base.size();
  while (Digits > 0 && std::isdigit(static_cast<unsigned char>(Base[Digits - 1]))) --Digits;
  if (Digits == Base.size() || Base.size() - Digits > 2) return -1;
  return std::stoi(Base.substr(Digits));
}

TCDItem* ItemOf(TListItem* Item) { return static_cast<TCDItem*>(Item->GetData()); }

}  // namespace

TLoadCDSystem RealLoadCDSystem() {
  TLoadCDSystem S;
  S.DriveType = [](const std::string& Root) { return GetDriveTypeW(Utf8ToWide(Root).c_str()); };
  S.VolumeLabel = [](const std::string& Root) {
    wchar_t Label[64] = {};
    if (!GetVolumeInformationW(Utf8ToWide(Root).c_str(), Label, 64, nullptr, nullptr, nullptr, nullptr, 0))
      return std::string();
    return WideToUtf8(Label);
  };
  S.FindFiles = FindFilesOf;
  S.MessageBox = [](const std::string& Text, UINT Flags) {
    Application->MessageBox(Text, Application->GetTitle(), Flags);
  };
  return S;
}

TLoadCDSystem& LoadCDSystem() {
  static TLoadCDSystem System = RealLoadCDSystem();
  return System;
}

TLoadCDForm::TLoadCDForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Load Audio CD Track(s)", 330, 398);

  Cddb = TCddb::Create(this);
  Cddb->ServerAdditionalAddr = "/~cddb/cddb.cgi";
  Cddb->ServerType = HTTP;
  Cddb->ProxyPort = "80";
  Cddb->ClientVersion = "2.0";
  Cddb->OnStatusMessage = Bind(this, &TLoadCDForm::CddbStatusMessage);
  Cddb->OnMatch = Bind(this, &TLoadCDForm::CddbMatch);
  Cddb->OnDataExchange = Bind(this, &TLoadCDForm::CddbDataExchange);

  GroupDrive = AddControl<TGroupBox>(this, 8, 6, 314, 56, "CD-ROM &Drive");
  ComboBoxCDROM = AddControl<TComboBox>(this, GroupDrive, 12, 22, 200, 21);
  ComboBoxCDROM->SetStyle(csDropDownList);
  ComboBoxCDROM->OnChange = Bind(this, &TLoadCDForm::ComboBoxCDROMChange);
  ButtonRefresh = AddControl<TButton>(this, GroupDrive, 222, 20, 80, 25, "&Refresh");
  ButtonRefresh->OnClick = Bind(this, &TLoadCDForm::ButtonRefreshClick);

  GroupTracks = AddControl<TGroupBox>(this, 8, 68, 314, 290, "Select &Track(s)");
  ActionList = TActionList::Create(this);
  ActionFreeCDDB = TAction::Create(this);
  ActionFreeCDDB->SetActionList(ActionList);
  ActionFreeCDDB->SetCaption(LookupCaption);
  ActionFreeCDDB->SetDisableIfNoHandler(false);
  ActionFreeCDDB->OnExecute = Bind(this, &TLoadCDForm::ActionFreeCDDBExecute);
  ButtonFreeCDDB = NewGlyphButton(this, GroupTracks, IDP_CDDB, 12, 20, 97, 33, "");
  ButtonFreeCDDB->SetAction(ActionFreeCDDB);
  LabelConnect = AddControl<TLabel>(this, GroupTracks, 116, 18, 188, 38, "Connected to freedb server...");
  LabelConnect->SetAutoSize(false);
  LabelConnect->SetWordWrap(true);
  LabelConnect->SetBounds(116, 14, 190, 44);  // the design text sized it to one line
  ListViewTracks = AddControl<TListView>(this, GroupTracks, 12, 60, 290, 218);
  ListViewTracks->SetViewStyle(vsReport);
  ListViewTracks->SetReadOnly(true);
  ListViewTracks->SetRowSelect(true);
  ListViewTracks->SetHideSelection(false);
  TListColumn* Column = ListViewTracks->AddColumn();
  Column->SetCaption("Track");
  Column->SetWidth(280);
  ListViewTracks->OnSelectItem = Bind(this, &TLoadCDForm::ListViewTracksSelectItem);
  ListViewTracks->OnDblClick = Bind(this, &TLoadCDForm::ListViewTracksDblClick);

  ButtonLoad = AddControl<TButton>(this, 166, 366, 75, 25, "&Load");
  ButtonLoad->SetDefault(true);
  ButtonLoad->SetModalResult(mrOk);
  ButtonLoad->SetEnabled(false);
  ButtonCancel = AddControl<TButton>(this, 247, 366, 75, 25, "&Cancel");
  ButtonCancel->SetCancel(true);
  ButtonCancel->SetModalResult(mrCancel);

  Timer = TTimer::Create(this);
  Timer->SetEnabled(false);
  Timer->SetInterval(300);
  Timer->OnTimer = Bind(this, &TLoadCDForm::TimerTimer);
  OnShow = Bind(this, &TLoadCDForm::FormShow);

  for (int N = 1; N <= Cddb->GetDriveList().Count; ++N) ComboBoxCDROM->GetItems()->Add("CD-ROM " + std::to_string(N));
  if (ComboBoxCDROM->GetItems()->GetCount() > 0) {
    ComboBoxCDROM->SetItemIndex(0);
    PostMessageW(GetHandle(), WM_CD_SHOW, 0, 0);
  }
  StopLookupAnimation();
}

void TLoadCDForm::BeforeDestruction() {
  // A running request reports into this form: it is abandoned first. The tracks'
  // objects go while their list still stands.
  Cddb->AbortHttp();
  ClearTracks();
  TForm::BeforeDestruction();
}

void TLoadCDForm::FormShow(TObject*) { ApplyHintFont(this); }

void TLoadCDForm::ErrorBox(const std::string& Text) { LoadCDSystem().MessageBox(Text, MB_OK | MB_ICONERROR); }

bool TLoadCDForm::IsAudioDisc(char DriveLetter) {
  const std::string Root = std::string(1, DriveLetter) + ":\\";
  return DriveLetter && LoadCDSystem().DriveType(Root) == DRIVE_CDROM && LoadCDSystem().VolumeLabel(Root) == "Audio CD";
}

void TLoadCDForm::ClearTracks() {
  TListItems* Items = ListViewTracks->GetItems();
  for (int I = 0; I < Items->GetCount(); ++I) {
    delete ItemOf(Items->GetItem(I));
    Items->GetItem(I)->SetData(nullptr);
  }
  Items->Clear();
  ButtonLoad->SetEnabled(false);
}

void TLoadCDForm::ListTracks() {
  ClearTracks();
  const char Letter = Cddb->GetDriveLetter();
  if (!IsAudioDisc(Letter)) {
    ErrorBox(
        "No Audio Disc have been detected. If you do have an Audio-CD inserted but see this message please read the "
        "Help topic relating to Loading CD Tracks.");
    return;
  }
  for (const std::string& Name : LoadCDSystem().FindFiles(std::string(1, Letter) + ":\\*.cda"))
    AddTrackItem(Letter, Name);
}

void TLoadCDForm::AddTrackItem(char DriveLetter, const std::string& FileName) {
  const std::string Base = BaseName(FileName);
  auto* Track = new TCDItem(std::string(1, DriveLetter) + ":\\" + FileName,
                            "Track - " + Base.substr(Base.size() < 2 ? 0 : Base.size() - 2));
  TListItem* Item = ListViewTracks->GetItems()->Add();
  Item->SetCaption(Track->Caption);
  Item->SetData(Track);
}

std::string TLoadCDForm::ChosenTrackPath() {
  TListItem* Item = nullptr;
  for (int I = 0; I < ListViewTracks->GetItems()->GetCount() && !Item; ++I)
    if (ListViewTracks->GetItems()->GetItem(I)->GetFocused()) Item = ListViewTracks->GetItems()->GetItem(I);
  if (!Item) Item = ListViewTracks->GetSelected();
  return Item && ItemOf(Item) ? ItemOf(Item)->Path : std::string();
}

void TLoadCDForm::ShowCurrentDrive() {
  Cddb->SelectDrive(ComboBoxCDROM->GetItemIndex());
  ListTracks();
}

void TLoadCDForm::ComboBoxCDROMChange(TObject*) { ShowCurrentDrive(); }

void TLoadCDForm::ButtonRefreshClick(TObject*) { ShowCurrentDrive(); }

void TLoadCDForm::StartCddbQuery() {
  Cddb->AbortHttp();
  Cddb->ServerAddr = LoadCDSystem().ServerHost;
  Cddb->ServerAdditionalAddr = "/~cddb/cddb.cgi";
  Cddb->ServerType = HTTP;
  Cddb->ServerPort = LoadCDSystem().ServerPort;
  // A query refused at once has reported why; the lookup is over.
  if (Cddb->HttpQuery() != 0) StopLookupAnimation();
}

void TLoadCDForm::ActionFreeCDDBExecute(TObject*) {
  // Without a table of contents there is no disc id to look up.
  if (!IsAudioDisc(Cddb->GetDriveLetter()) || Cddb->GetCDInfo().DiscId.empty()) return;
  StartLookupAnimation();
  StartCddbQuery();
}

void TLoadCDForm::StartLookupAnimation() {
  ActionFreeCDDB->SetCaption(LookupCaption);
  Timer->SetEnabled(true);
  LabelConnect->SetVisible(true);
}

void TLoadCDForm::StopLookupAnimation() {
  Timer->SetEnabled(false);
  ActionFreeCDDB->SetCaption(LookupCaption);
  LabelConnect->SetVisible(false);
}

bool TLoadCDForm::LookupRunning() const { return Timer->GetEnabled(); }

void TLoadCDForm::TimerTimer(TObject*) {
  static const std::pair<const char*, const char*> Steps[] = {{"freecddb", "- freecddb -"},
                                                              {"- freecddb -", "\\ freecddb \\"},
                                                              {"\\ freecddb \\", "| freecddb |"},
                                                              {"| freecddb |", "/ freecddb /"},
                                                              {"/ freecddb /", "- freecddb -"}};
  for (const auto& [From, To] : Steps)
    if (ActionFreeCDDB->GetCaption() == From) {
      ActionFreeCDDB->SetCaption(To);
      return;
    }
}

void TLoadCDForm::ListViewTracksSelectItem(TObject*, TListItem*, bool) {
  ButtonLoad->SetEnabled(ListViewTracks->GetSelected() != nullptr);
}

void TLoadCDForm::ListViewTracksDblClick(TObject*) {
  if (ListViewTracks->GetSelected()) SetModalResult(mrOk);
}

void TLoadCDForm::CddbStatusMessage(TObject* Sender, const std::string& Status) {
  // The boxes belong to a running lookup: a later status (a drive change after a
  // failed lookup) does not repeat them.
  const bool Running = LookupRunning();
  switch (Cddb->GetState()) {
    case TCddb::stReadFailed:
      StopLookupAnimation();
      if (Running) ErrorBox("Reading CDDB information failed.");
      break;
    case TCddb::stHttpFailed:
      if (Running)
        ErrorBox("The operation failed when trying to access the freeDB Internet server. Please try again later.");
      StopLookupAnimation();
      break;
    case TCddb::stNoMatch: StopLookupAnimation(); break;  // the lookup found nothing: it is over
  }
  if (Status == "Entry read") {
    StopLookupAnimation();
    PostMessageW(GetHandle(), WM_CDDB_FILL, reinterpret_cast<WPARAM>(Sender), 0);
  }
  std::string Lower = Status;
  for (char& C : Lower) C = char(std::tolower(static_cast<unsigned char>(C)));
  LabelConnect->SetCaption("Connected to freedb server, please wait ... \n\rStatus: " + Lower + " ...");
}

void TLoadCDForm::CddbMatch(TObject* Sender, const TMatchArray& Matches, int& RightOne) {
  int Chosen = -1;
  TMatchForm* Form = TMatchForm::Create(this);
  try {
    CentreOnOpener(Form, this);
    Form->ListMatches->Clear();
    for (const std::string& Line : Matches) {
      if (Line.empty()) break;
      const size_t Blank = Line.find(' ');
      const std::string Category = Line.substr(0, Blank);
      const std::string Rest = Blank == std::string::npos ? std::string() : Line.substr(Blank + 1);
      const std::string DiscId = Rest.substr(0, 8);
      // What follows the category, a blank, the disc id and a blank; a short line
      // has less, or nothing.
      const size_t TitleAt = Category.size() + DiscId.size() + 2;
      const std::string Title = TitleAt < Line.size() ? Line.substr(TitleAt) : std::string();
      Form->ListMatches->GetItems()->Add(Title + " - " + Category);
    }
    Form->ListMatches->SetItemIndex(0);
    if (Form->ShowModal() == mrOk) Chosen = Form->ListMatches->GetItemIndex();
  } catch (...) {
    Free(Form);
    throw;
  }
  Free(Form);
  if (Chosen == -1) StopLookupAnimation();
  else PostMessageW(GetHandle(), WM_CDDB_READ, reinterpret_cast<WPARAM>(Sender), 0);
  RightOne = Chosen;
}

void TLoadCDForm::CddbDataExchange(TObject*, const std::string&) {}

void TLoadCDForm::WMShowFirstDrive() {
  SetVisible(true);
  ShowCurrentDrive();
}

void TLoadCDForm::WMRead(WPARAM Sender) {
  if (reinterpret_cast<TCddb*>(Sender) != Cddb) return;
  if (Cddb->GetState() == TCddb::stMatchChosen || Cddb->GetState() == TCddb::stMatchesReceived) Cddb->HttpRead();
}

void TLoadCDForm::WMFillCDDB(WPARAM Sender) {
  if (reinterpret_cast<TCddb*>(Sender) != Cddb) return;
  const TCDInfo& Info = Cddb->GetCDInfo();
  TListItems* Items = ListViewTracks->GetItems();
  for (int I = 0; I < Items->GetCount(); ++I) {
    TListItem* Item = Items->GetItem(I);
    TCDItem* Old = ItemOf(Item);
    // Each track takes the title of the number its file is named by.
    const int Number = Old ? TrackNumberOf(Old->Path.substr(3)) : -1;
    if (Number < 1) continue;
    auto* Track = new TCDItem(Old->Path, Info.TrackTitles[Number - 1]);
    delete Old;
    Item->SetData(Track);
    Item->SetCaption(Track->Caption);
  }
}

void TLoadCDForm::WMDeviceChange(TMessage& Message) {
  TForm::Dispatch(Message);
  if (Message.WParam == DBT_DEVICEARRIVAL || Message.WParam == DBT_DEVICEREMOVECOMPLETE) ShowCurrentDrive();
}

void TLoadCDForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CD_SHOW: WMShowFirstDrive(); return;
    case WM_CDDB_READ: WMRead(Message.WParam); return;
    case WM_CDDB_FILL: WMFillCDDB(Message.WParam); return;
    case WM_DEVICECHANGE: WMDeviceChange(Message); return;
    default: TForm::Dispatch(Message);
  }
}

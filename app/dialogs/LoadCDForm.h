// "Load Audio CD Track(s)": picks a CD drive, lists the audio disc's tracks as
// ".cda" files, fills in their titles from the CD database on request and hands
// the chosen track's path to its opener.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "cd/Cddb.h"
#include "framework/Form.h"

class TAction;
class TActionList;
class TButton;
class TComboBox;
class TGroupBox;
class TLabel;
class TListItem;
class TListView;
class TPngSpeedButton;
class TTimer;

inline constexpr UINT WM_CD_SHOW = 0xC00;
inline constexpr UINT WM_CDDB_READ = 0x800;
inline constexpr UINT WM_CDDB_FILL = 0x1000;

// One track of the list, owned by its list item.
class TCDItem {
public:
  TCDItem(std::string APath, std::string ACaption) : Path(std::move(APath)), Caption(std::move(ACaption)) {}
  std::string Path;     // "X:\Track05.cda"
  std::string Caption;  // "Track - 05", or the track's title
};

// What the dialog asks of the machine, and where the CD database is.
struct TLoadCDSystem {
  std::function<UINT(const std::string& Root)> DriveType;
  std::function<std::string(const std::string& Root)> VolumeLabel;
  // The names of the files that match, in the file system's order.
  std::function<std::vector<std::string>(const std::string& Pattern)> FindFiles;
  // A box captioned with the application's title.
  std::function<void(const std::string& Text, UINT Flags)> MessageBox;
  std::string ServerHost = "gnudb.gnudb.org";
  std::string ServerPort = "80";
};
TLoadCDSystem RealLoadCDSystem();
// The one in use; tests replace its entries.
TLoadCDSystem& LoadCDSystem();

class TLoadCDForm : public TForm {
  SONVELT_CLASS(TLoadCDForm, TForm)
public:
  explicit TLoadCDForm(TComponent* AOwner);
  void BeforeDestruction() override;

  TGroupBox* GroupDrive = nullptr;
  TComboBox* ComboBoxCDROM = nullptr;
  TButton* ButtonRefresh = nullptr;
  TGroupBox* GroupTracks = nullptr;
  TActionList* ActionList = nullptr;
  TAction* ActionFreeCDDB = nullptr;
  TPngSpeedButton* ButtonFreeCDDB = nullptr;
  TLabel* LabelConnect = nullptr;
  TListView* ListViewTracks = nullptr;
  TButton* ButtonLoad = nullptr;
  TButton* ButtonCancel = nullptr;
  TTimer* Timer = nullptr;
  TCddb* Cddb = nullptr;

  bool IsAudioDisc(char DriveLetter);
  void ListTracks();
  void AddTrackItem(char DriveLetter, const std::string& FileName);
  void StartCddbQuery();
  void StartLookupAnimation();
  void StopLookupAnimation();
  // The focused track's path, empty when none is chosen.
  std::string ChosenTrackPath();

  void Dispatch(TMessage& Message) override;

  void FormShow(TObject* Sender);
  void ComboBoxCDROMChange(TObject* Sender);
  void ButtonRefreshClick(TObject* Sender);
  void ActionFreeCDDBExecute(TObject* Sender);
  void TimerTimer(TObject* Sender);
  void ListViewTracksSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void ListViewTracksDblClick(TObject* Sender);
  void CddbStatusMessage(TObject* Sender, const std::string& Status);
  void CddbMatch(TObject* Sender, const TMatchArray& Matches, int& RightOne);
  void CddbDataExchange(TObject* Sender, const std::string& Data);

private:
  void WMShowFirstDrive();
  void WMRead(WPARAM Sender);
  void WMFillCDDB(WPARAM Sender);
  void WMDeviceChange(TMessage& Message);
  void ShowCurrentDrive();
  void ClearTracks();
  void ErrorBox(const std::string& Text);
  bool LookupRunning() const;
};

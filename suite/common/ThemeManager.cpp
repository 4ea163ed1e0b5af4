#include "suite/common/ThemeManager.h"

#include <algorithm>
#include <vector>

#include "framework/AllocateHWnd.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "suite/common/UnitLifetime.h"

namespace {
const char* const ClassNames[ThemedObjectKindCount] = {
    "Button", "Clock",    "ComboBox", "Edit",     "ExplorerBar", "Header",  "ListBox",  "ListView", "Menu",
    "Page",   "Progress", "Rebar",    "ScrollBar", "Spin",       "StartPanel", "Status", "Tab",      "TaskBand",
    "TaskBar", "ToolBar", "ToolTip",  "TrackBar", "TrayNotify",  "TreeView", "Window"};

struct TdxThemeData {
  HTHEME Handle = nullptr;
  std::string ClassList;
};

TdxThemeData ThemeData[ThemedObjectKindCount];
bool VisualStyles = false;
std::vector<TdxThemeChangedNotificator*>* Subscribers = nullptr;
HWND Receiver = nullptr;

void ReceiverProc(TMessage& Message);

void StartUnit() {
  if (!UxThemeLoaded()) return;
  VisualStyles = UxIsThemeActive();
  Subscribers = new std::vector<TdxThemeChangedNotificator*>();
  Receiver = AllocateHWnd(TWndMethod(&ReceiverProc));
}

void EndUnit() {
  if (Receiver) {
    DeallocateHWnd(Receiver);
    Receiver = nullptr;
  }
  CloseAllThemeHandles();
  VisualStyles = false;
  delete Subscribers;
  Subscribers = nullptr;
}

TSuiteUnit Unit(&StartUnit, &EndUnit);

bool Available() {
  Unit.Ensure();
  return VisualStyles && UxThemeLoaded();
}

void ReceiverProc(TMessage& Message) {
  if (Message.Msg != WM_THEMECHANGED) {
    Message.Result = DefWindowProcW(Receiver, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  CloseAllThemeHandles();
  DefWindowProcW(Receiver, Message.Msg, Message.WParam, Message.LParam);
  VisualStyles = UxIsThemeActive();
  Message.Result = 0;
  if (!Subscribers) return;
  // A subscriber may go away while another one handles the change.
  const std::vector<TdxThemeChangedNotificator*> Snapshot = *Subscribers;
  for (TdxThemeChangedNotificator* N : Snapshot)
    if (Subscribers && std::find(Subscribers->begin(), Subscribers->end(), N) != Subscribers->end())
      N->ThemeChangeHandler();
}
}  // namespace

const char* DefaultThemeClassName(TdxThemedObjectKind Kind) { return ClassNames[Kind % ThemedObjectKindCount]; }

HTHEME ThemeHandleFor(TdxThemedObjectKind Kind, const char* ClassList) {
  if (!Available() || Kind >= ThemedObjectKindCount) return nullptr;
  TdxThemeData& Data = ThemeData[Kind];
  if (Data.Handle) {
    if (!ClassList || AnsiSameText(ClassList, Data.ClassList)) return Data.Handle;
    CloseThemeKind(Kind);
  }
  std::string List = ClassList ? ClassList : !Data.ClassList.empty() ? Data.ClassList : ClassNames[Kind];
  Data.Handle = UxOpenThemeData(nullptr, Utf8ToWide(List));
  if (Data.Handle) Data.ClassList = List;
  else Data.ClassList.clear();
  return Data.Handle;
}

HRESULT CloseThemeKind(TdxThemedObjectKind Kind) {
  if (!Available() || Kind >= ThemedObjectKindCount) return 1;
  TdxThemeData& Data = ThemeData[Kind];
  if (!Data.Handle) return 0;
  HRESULT Result = UxCloseThemeData(Data.Handle);
  Data.Handle = nullptr;
  Data.ClassList.clear();
  return Result;
}

void CloseAllThemeHandles() {
  for (TdxThemeData& Data : ThemeData)
    if (Data.Handle) {
      UxCloseThemeData(Data.Handle);
      Data.Handle = nullptr;
    }
}

bool VisualStylesAvailableFor(TdxThemedObjectKinds Kinds) {
  if (!Available()) return false;
  for (int K = 0; K < ThemedObjectKindCount; ++K)
    if ((Kinds & (1u << K)) && !ThemeHandleFor(static_cast<TdxThemedObjectKind>(K))) return false;
  return true;
}

bool VisualStylesAvailableForKind(TdxThemedObjectKind Kind) { return Available() && ThemeHandleFor(Kind); }

bool VisualStylesActive() { return Available(); }

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  Unit.Ensure();
  if (Subscribers) Subscribers->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  if (Subscribers) std::erase(*Subscribers, this);
}

TUxThemeEntries SubstituteUxTheme(const TUxThemeEntries& Entries) {
  // Subscribers stay subscribed across the restart.
  std::vector<TdxThemeChangedNotificator*> Kept;
  if (Subscribers) Kept = *Subscribers;
  Unit.Finish();
  TUxThemeEntries Old = ReplaceUxThemeEntries(Entries);
  for (TdxThemeData& Data : ThemeData) Data = TdxThemeData{};
  Unit.Restart();
  if (Subscribers) *Subscribers = Kept;
  return Old;
}

HWND ThemeChangeReceiverWindow() {
  Unit.Ensure();
  return Receiver;
}

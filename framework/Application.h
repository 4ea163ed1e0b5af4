// TApplication: the message loop and what runs around it. Every queued message is
// first offered to OnMessage, then to the hint, MDI and key handling (shortcuts of
// the active form's menus and actions), and only then dispatched. When the queue is
// empty the application is idle: actions are updated, OnIdle runs and the loop
// waits. An exception escaping an event handler ends up in HandleException, which
// shows it in a message box captioned with the title (or passes it to OnException)
// and the loop goes on.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/ControlTypes.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/HintWindow.h"

class TBasicAction;

struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass;
  POINT HintPos{0, 0};  // screen coordinates
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  RECT CursorRect{0, 0, 0, 0};
  POINT CursorPos{0, 0};
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
};

using TMessageEvent = TDelegate<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = TDelegate<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = TDelegate<void(TObject* Sender, const Exception& E)>;
using TShowHintEvent = TDelegate<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TActionEvent = TDelegate<void(TBasicAction* Action, bool& Handled)>;
using TAppShortCutEvent = TDelegate<void(WORD Key, LPARAM KeyData, bool& Handled)>;
using THelpEvent = TDelegate<bool(WORD Command, std::intptr_t Data, bool& CallHelp)>;

class TApplication : public TComponent {
  SONVELT_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;
  // The forms go while the application is still whole: they ask it about itself.
  void BeforeDestruction() override;

  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value);
  HWND GetHandle();
  TCustomForm* GetMainForm() const { return FMainForm; }
  bool GetShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }
  bool GetTerminated() const { return FTerminated; }

  // Runs the start-up hooks that units registered (once).
  void Initialize();
  using TStartupHook = void (*)();
  static void RegisterStartupHook(TStartupHook Hook);

  // Creates a form owned by the application; the first one becomes the main form.
  // Reference is set before the form's OnCreate runs.
  template <class T>
  void CreateForm(T*& Reference) {
    T* Form = new T(this);
    Reference = Form;
    bool First = !FMainForm;
    if (First) FMainForm = Form;
    try {
      sonvelt_detail::RunAfterConstruction(Form);
    } catch (...) {
      Reference = nullptr;
      if (First) FMainForm = nullptr;
      throw;
    }
  }
  void Run();
  void Terminate();
  void HandleMessage();
  void ProcessMessages();
  // Handles an exception being caught now (call from a catch block).
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags = MB_OK);

  bool IsShortCut(WORD Key, LPARAM KeyData, TCustomForm* From);
  // Help requests go to OnHelp; there is no help system of the framework's own.
  bool HelpContext(int Context) { return HelpCommand(HELP_CONTEXT, Context); }
  bool HelpCommand(WORD Command, std::intptr_t Data);
  // Whether locale changes should refresh the format settings (WM_WININICHANGE "intl").
  bool GetUpdateFormatSettings() const { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool Value) { FUpdateFormatSettings = Value; }
  bool UpdateAction(TBasicAction* Action);
  bool ExecuteAction(TBasicAction* Action);
  // Offers an action nobody else executed to the controls of the active form,
  // then of the main form; true when one of them took it.
  bool DispatchActionExecute(TBasicAction* Action);
  // Updates every action of every form (what idle time does).
  void UpdateActions();

  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int GetHintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  const std::string& GetHint() const { return FHint; }
  // A changed hint goes to OnHint, or without one to the active form's controls
  // as a THintAction.
  void SetHint(const std::string& Value);
  THintWindow* GetHintWindow() const { return FHintWindow; }
  void HintMouseMessage(TControl* Control, TMessage& Message);
  void CancelHint();
  void HideHint();
  // Shows the hint of the control under the point at once.
  void ActivateHint(POINT CursorPos);

  TMessageEvent OnMessage;
  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnHint;
  TActionEvent OnActionExecute;
  TActionEvent OnActionUpdate;
  TAppShortCutEvent OnShortCut;
  THelpEvent OnHelp;

  // Bookkeeping the controls and forms report.
  void ControlDestroyed(TControl* Control);
  void MainFormDestroyed() { FMainForm = nullptr; }

private:
  bool ProcessMessage(MSG& Msg);
  void Idle(const MSG& Msg);
  bool IsKeyMsg(MSG& Msg);
  bool IsMDIMsg(MSG& Msg);
  bool IsHintMsg(MSG& Msg);
  void WndProc(TMessage& Message);
  void StartHintTimer(int Value, int Kind);
  void StopHintTimer();
  TControl* FindHintControl(POINT ScreenPos);

  std::string FTitle;
  HWND FHandle = nullptr;
  TCustomForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  bool FInitialized = false;
  bool FUpdateFormatSettings = true;
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;
  std::string FHint;
  THintWindow* FHintWindow = nullptr;
  TControl* FHintControl = nullptr;
  TControl* FMouseControl = nullptr;
  bool FHintActive = false;
  int FHintTimerKind = 0;
  RECT FHintCursorRect{0, 0, 0, 0};
};

extern TApplication* Application;

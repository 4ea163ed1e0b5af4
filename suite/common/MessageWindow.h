// Hidden top-level windows whose messages go to a virtual method (top-level, so
// that they also hear broadcasts), and the two controllers built on them.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Messages.h"
#include "framework/Object.h"

class TWinControl;

class TcxMessageWindow : public TObject {
  SONVELT_CLASS(TcxMessageWindow, TObject)
public:
  TcxMessageWindow();
  ~TcxMessageWindow() override;
  HWND GetHandle() const { return FHandle; }

protected:
  // The default window procedure unless overridden.
  virtual void WndProc(TMessage& Message);

private:
  HWND FHandle = nullptr;
};

// The shared message window of the container popups, made on first use; null
// once the suite has shut down.
TcxMessageWindow* SuiteMessageWindow();

// Turns a change of the system's non-client metrics into DXM_SETTINGSNOTICE to
// every registered control. Its window exists while a control is registered.
class TcxSettingsController : public TObject {
  SONVELT_CLASS(TcxSettingsController, TObject)
public:
  TcxSettingsController() = default;
  ~TcxSettingsController() override;
  // Registering twice keeps one entry.
  void RegisterControl(TWinControl* Control);
  void UnregisterControl(TWinControl* Control);
  HWND GetHandle() const { return FHandle; }
  bool IsRegistered(TWinControl* Control) const;

private:
  void WndProc(TMessage& Message);
  std::vector<TWinControl*> FControls;
  HWND FHandle = nullptr;
};

// The single settings controller, made on first use; null after shut-down.
TcxSettingsController* SettingsController();

// Runs the main thread's pending synchronisations when woken by
// DXM_SYSTEMCONTROLLERWAKEUP. A program that links the suite directly has
// nothing to hook: the framework wakes its main thread through its own window.
class TcxSystemController : public TcxMessageWindow {
  SONVELT_CLASS(TcxSystemController, TcxMessageWindow)
public:
  TcxSystemController() = default;

protected:
  void WndProc(TMessage& Message) override;
};

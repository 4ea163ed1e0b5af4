// TCustomForm and TForm: top-level windows, MDI frames and children, dialogs.
//
// Close runs OnCloseQuery (for an MDI frame every child's close query first, stopping
// on the first refusal) and OnClose with the default action (caHide; caMinimize or
// caNone for an MDI child); closing the main form ends the application. ShowModal
// disables the thread's other windows and runs messages until ModalResult is set.
#pragma once

#include <memory>
#include <vector>

#include "framework/ControlCanvas.h"
#include "framework/CustomControl.h"
#include "framework/OwnedObject.h"

class TMainMenu;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateFlag>;

using TCloseEvent = TDelegate<void(TObject* Sender, TCloseAction& Action)>;
using TShortCutEvent = TDelegate<void(WORD Key, LPARAM KeyData, bool& Handled)>;

class TCustomForm : public TScrollingWinControl {
  SONVELT_CLASS(TCustomForm, TScrollingWinControl)
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TDefaultMonitor GetDefaultMonitor() const { return FDefaultMonitor; }
  void SetDefaultMonitor(TDefaultMonitor Value) { FDefaultMonitor = Value; }
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState GetWindowState();
  void SetWindowState(TWindowState Value);
  bool GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(BYTE Value);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TFormState GetFormState() const { return FFormState; }
  bool GetActive() const { return FActive; }
  TCanvas* GetCanvas() const { return FCanvas.get(); }

  void Show();
  void Hide();
  void Close();
  virtual bool CloseQuery();
  virtual TModalResult ShowModal();
  // Frees the form once the messages queued for it have run.
  void Release();
  void FocusControl(TWinControl* Control);
  bool SetFocusedControl(TWinControl* Control);
  void ControlRemoved(TWinControl* Control);
  virtual bool IsShortCut(WORD Key, LPARAM KeyData);
  RECT GetClientRect() override;
  bool IsShowing() const override;

  // MDI frame.
  HWND GetClientHandle() const { return FClientHandle; }
  int GetMDIChildCount();
  TCustomForm* GetMDIChildren(int Index);
  TCustomForm* GetActiveMDIChild();
  TTileMode GetTileMode() const { return FTileMode; }
  void SetTileMode(TTileMode Value) { FTileMode = Value; }
  void Cascade();
  void Tile();
  void ArrangeIcons();
  void Next();
  void Previous();

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // A form's stream also holds the non-visual components it owns, after its controls.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  static void Publish(TPublisher<TCustomForm>& P);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

protected:
  friend class TWinControl;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DestroyWindowHandle() override;
  void AlignControls(TControl* AControl, RECT& Rect) override;
  void PaintWindow(HDC DC) override;
  void Paint() override { OnPaint(this); }
  virtual void DoShow() { OnShow(this); }
  virtual void DoHide() { OnHide(this); }
  virtual void DoClose(TCloseAction& Action) { OnClose(this, Action); }
  virtual void Activate() { OnActivate(this); }
  virtual void Deactivate() { OnDeactivate(this); }
  void CloseModal();

private:
  // The active control first, then the form, then every visible control in turn.
  bool OfferAction(TBasicAction* Action);
  void SetActive(bool Value);
  void NotifyActivation(UINT Msg);
  void SetWindowFocus();
  void ShowingChanged();
  void PlaceOnFirstShow();
  void ApplyStyleChange();
  void BorderStyleBits(DWORD& Style, DWORD& ExStyle) const;
  void ApplyAlphaBlend();
  std::vector<TCustomForm*> MDIChildList();

  TFormStyle FFormStyle = fsNormal;
  TBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TDefaultMonitor FDefaultMonitor = dmActiveForm;
  TWindowState FWindowState = wsNormal;
  bool FAlphaBlend = false;
  BYTE FAlphaBlendValue = 255;
  bool FKeyPreview = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TMainMenu* FMenu = nullptr;
  TModalResult FModalResult = mrNone;
  TFormState FFormState;
  bool FActive = false;
  bool FShownOnce = false;
  HWND FClientHandle = nullptr;
  TTileMode FTileMode = tbHorizontal;
  TOwned<TControlCanvas> FCanvas;
};

class TForm : public TCustomForm {
  SONVELT_CLASS(TForm, TCustomForm)
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

using TFormClass = TClassOf<TCustomForm>;

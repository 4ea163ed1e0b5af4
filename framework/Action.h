// Actions: commands with a caption, shortcut, enabled and checked state that the
// controls and menu items linked to them follow. Execute and Update go first to the
// action list (OnExecute/OnUpdate with a Handled flag), then to the application,
// then to the action's own handler; an Execute nobody took last goes to the
// controls of the active form (TControl::ExecuteAction). An action nobody updates
// and with no OnExecute is disabled when DisableIfNoHandler is set.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/ControlTypes.h"
#include "framework/Menus.h"

class TBasicAction;
class TChangeLink;
class TCustomActionList;
class TCustomImageList;
class TControl;

// Ties a client (control, menu item) to an action: the client hears every change.
class TBasicActionLink : public TObject {
  SONVELT_CLASS(TBasicActionLink, TObject)
public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* Value);
  virtual bool Execute(TComponent* Target);
  virtual bool Update();
  // The action changed: the client takes over its properties.
  virtual void Change() {}

private:
  TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
  SONVELT_CLASS(TBasicAction, TComponent)
public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  void BeforeDestruction() override;
  virtual bool Execute();
  virtual bool Update();
  TComponent* GetActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value) { FActionComponent = Value; }
  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

protected:
  // Tells every linked client.
  void Change();

private:
  std::vector<TBasicActionLink*> FClients;
  TComponent* FActionComponent = nullptr;
};

class TContainedAction : public TBasicAction {
  SONVELT_CLASS(TContainedAction, TBasicAction)
public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  void BeforeDestruction() override;
  TCustomActionList* GetActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);
  const std::string& GetCategory() const { return FCategory; }
  void SetCategory(const std::string& Value) { FCategory = Value; }
  int GetIndex() const;
  bool Execute() override;
  bool Update() override;

private:
  friend class TCustomActionList;
  TCustomActionList* FActionList = nullptr;
  std::string FCategory;
};

class TCustomAction : public TContainedAction {
  SONVELT_CLASS(TCustomAction, TContainedAction)
public:
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
  bool Execute() override;
  bool Update() override;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  bool GetDisableIfNoHandler() const { return FDisableIfNoHandler; }
  void SetDisableIfNoHandler(bool Value) { FDisableIfNoHandler = Value; }

private:
  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  int FGroupIndex = 0;
  std::string FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  bool FVisible = true;
  bool FAutoCheck = false;
  bool FDisableIfNoHandler = true;
};

class TAction : public TCustomAction {
  SONVELT_CLASS(TAction, TCustomAction)
public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// Carries the application's new hint to whatever shows hints (a status bar): the
// application executes one whenever its hint changes and it has no OnHint of its
// own. Nobody needs to handle it, so it never disables itself.
class THintAction : public TCustomAction {
  SONVELT_CLASS(THintAction, TCustomAction)
public:
  explicit THintAction(TComponent* AOwner) : TCustomAction(AOwner) { SetDisableIfNoHandler(false); }
};

using TActionEventHandler = TDelegate<void(TBasicAction* Action, bool& Handled)>;
enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };

class TCustomActionList : public TComponent {
  SONVELT_CLASS(TCustomActionList, TComponent)
public:
  explicit TCustomActionList(TComponent* AOwner);
  ~TCustomActionList() override;
  void BeforeDestruction() override;
  int GetActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* GetAction(int Index) const { return FActions.at(static_cast<size_t>(Index)); }
  int IndexOf(const TContainedAction* Action) const;
  TActionListState GetState() const { return FState; }
  void SetState(TActionListState Value);
  // The pictures the actions' ImageIndex refers to; not owned.
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  // Runs the first enabled action with this shortcut; false when none took it.
  bool IsShortCut(TShortCut ShortCut);
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // Updates every action of the list (idle time).
  void UpdateActions();
  TActionEventHandler OnExecute;
  TActionEventHandler OnUpdate;
  TNotifyEvent OnChange;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Tells OnChange and every action's clients.
  void Change();

private:
  friend class TContainedAction;
  void ImageListChange(TObject* Sender);
  std::vector<TContainedAction*> FActions;
  TActionListState FState = asNormal;
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
};

class TActionList : public TCustomActionList {
  SONVELT_CLASS(TActionList, TCustomActionList)
public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// The link of a control: a change of the action is taken over by the control.
class TControlActionLink : public TBasicActionLink {
  SONVELT_CLASS(TControlActionLink, TBasicActionLink)
public:
  explicit TControlActionLink(TControl* Client) : FClient(Client) {}
  void Change() override;

private:
  TControl* FClient;
};

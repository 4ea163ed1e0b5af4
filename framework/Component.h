// TComponent: named objects in an ownership tree.
//
//   auto* Button = TMyButton::Create(Form);   // Form owns Button and frees it
//   Button->SetName("ButtonPlay");            // unique per owner, case-insensitive
//   Form->FindComponent("buttonplay") == Button
//   Free(Form);                               // frees owned components, last first
//
// An owner hears every insertion and removal among its components through the
// virtual Notification(AComponent, opInsert/opRemove), passed on to every owned
// component. A component that keeps a pointer to one outside its owner calls
// FreeNotification(Other) to hear opRemove when Other goes away.
// Destruction runs in BeforeDestruction (while the object is whole): Destroying,
// free notifications, removal from the owner; owned components are freed after the
// derived destructors have run, so those may still use them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Persistent.h"
#include "framework/Set.h"

enum TComponentStateFlag {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent;
// Receives a component's children in stream order (GetChildren).
using TGetChildProc = TDelegate<void(TComponent* Child)>;

namespace sonvelt_detail {
// While one exists, the next component constructed on this thread starts in
// csLoading: the stream reader and TLoadingScope create components this way.
class TLoadingConstruction {
public:
  TLoadingConstruction();
  ~TLoadingConstruction();
  TLoadingConstruction(const TLoadingConstruction&) = delete;
  TLoadingConstruction& operator=(const TLoadingConstruction&) = delete;
};
}  // namespace sonvelt_detail

class TComponent : public TPersistent {
  SONVELT_CLASS(TComponent, TPersistent)
public:
  using TCreateArg = TComponent*;
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  void AfterConstruction() override;
  void BeforeDestruction() override;

  TComponent* GetOwner() const override { return FOwner; }
  const std::string& GetName() const { return FName; }
  virtual void SetName(const std::string& NewName);
  std::intptr_t GetTag() const { return FTag; }
  void SetTag(std::intptr_t Value) { FTag = Value; }
  TComponentState GetComponentState() const { return FComponentState; }
  // For the form loader and designers: sets the state flags outright.
  void SetComponentState(TComponentState Value) { FComponentState = Value; }

  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int Index) const;  // EListError when out of range
  int GetComponentIndex() const;
  void SetComponentIndex(int Value);

  TComponent* FindComponent(const std::string& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  void Destroying();
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  std::string GetNamePath() const override;

  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) { (void)Value; }

  // Ends loading: clears csLoading and calls Loaded.
  void EndLoading();

  // Streaming. ReadState reads this component's properties and children (the
  // reader's Parent is where the component goes); WriteState writes them.
  // GetChildren hands Proc the children a stream holds, in stream order, among the
  // components Root owns; the stream's children are owned by GetChildOwner (null:
  // the root) and placed in GetChildParent. SetChildOrder moves a child that was
  // stored with a position back to it.
  virtual void ReadState(TReader* Reader);
  virtual void WriteState(TWriter* Writer);
  virtual void GetChildren(TGetChildProc Proc, TComponent* Root) { (void)Proc; (void)Root; }
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void SetChildOrder(TComponent* Child, int Order) { (void)Child; (void)Order; }
  // Where a designer shows a non-visual component: Left in the low 16 bits, Top in
  // the high ones; stored as "Left" and "Top".
  std::int32_t GetDesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(std::int32_t Value) { FDesignInfo = Value; }

  static void Publish(TPublisher<TComponent>& P);

protected:
  friend class TReader;
  friend class TLoadingScope;
  virtual void Loaded();
  void DefineProperties(TFiler* Filer) override;
  // Marks this component and those it owns as coming from an ancestor (csAncestor).
  void SetAncestor(bool Value);
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName);
  virtual void ChangeName(const std::string& NewName) { FName = NewName; }
  virtual void SetDesigning(bool Value, bool SetChildren = true);
  void Updating() { FComponentState.Include(csUpdating); }
  void Updated() { FComponentState.Exclude(csUpdating); }

private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  std::string FName;
  void ReadLeft(TReader* Reader);
  void WriteLeft(TWriter* Writer);
  void ReadTop(TReader* Reader);
  void WriteTop(TWriter* Writer);

  std::intptr_t FTag = 0;
  std::int32_t FDesignInfo = 0;
  TComponentState FComponentState;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FTornDown = false;
};

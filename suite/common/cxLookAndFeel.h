// How suite controls look: a look-and-feel holds Kind, NativeStyle and SkinName,
// each either assigned on the object or inherited from its master (the root
// look-and-feel when none is set), and turns them into the painter the owner draws
// with. A change flows down the master chain as a notice of the values that
// changed; every object passes on only the values it does not override. A shared
// hidden top-level window turns system colour changes into notices.
#pragma once

#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Delegate.h"
#include "framework/Published.h"
#include "framework/Set.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxLookAndFeelPainters.h"
#include "suite/common/cxPainterResources.h"

class TcxLookAndFeel;

enum TcxLookAndFeelValue { lfvKind, lfvNativeStyle, lfvSkinName };
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue>;
inline constexpr TcxLookAndFeelValues lfvAll{lfvKind, lfvNativeStyle, lfvSkinName};

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = lfUltraFlat;
  bool NativeStyle = false;
  std::string SkinName;
};

// What a look-and-feel tells the objects that follow it.
class IcxLookAndFeelChangeListener {
public:
  virtual TObject* ListenerObject() = 0;
  virtual void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) = 0;
  virtual void MasterDestroying(TcxLookAndFeel* Sender) = 0;

protected:
  ~IcxLookAndFeelChangeListener() = default;
};

// A system colour change, told to the notifier's owner.
class TcxSystemPaletteChangedNotifier : public TObject {
  SONVELT_CLASS(TcxSystemPaletteChangedNotifier, TObject)
public:
  // Primary notifiers hear of a change before the ordinary ones.
  explicit TcxSystemPaletteChangedNotifier(bool AIsPrimary = false);
  ~TcxSystemPaletteChangedNotifier() override;
  static TcxSystemPaletteChangedNotifier* CreateNotifier(bool AIsPrimary) { return Create(AIsPrimary); }
  virtual void FireChanged() { OnPaletteChanged(); }
  bool IsPrimary() const { return FIsPrimary; }

  TDelegate<void()> OnPaletteChanged;

private:
  bool FIsPrimary;
};

// The hidden window of the notifiers while at least one exists (null otherwise).
HWND SystemPaletteListenerWindow();

using TcxLookAndFeelValuesChangedEvent = TDelegate<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)>;

class TcxLookAndFeel : public TcxInterfacedPersistent,
                       public IcxLookAndFeelChangeListener,
                       public IcxSkinPainterListener {
  SONVELT_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
public:
  // Each setting is stored when it is assigned here; AssignedValues never is.
  static void Publish(TPublisher<TcxLookAndFeel>& P);
  explicit TcxLookAndFeel(TPersistent* AOwner);
  ~TcxLookAndFeel() override;
  static TcxLookAndFeel* CreateWithOwner(TPersistent* AOwner) { return Create(AOwner); }

  void Assign(TPersistent* Source) override;

  TcxLookAndFeelKind GetKind() const { return FCurrent.Kind; }
  void SetKind(TcxLookAndFeelKind Value);
  bool GetNativeStyle() const { return FCurrent.NativeStyle; }
  void SetNativeStyle(bool Value);
  const std::string& GetSkinName() const { return FCurrent.SkinName; }
  void SetSkinName(const std::string& Value);
  TcxLookAndFeelValues GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxLookAndFeelValues Value);
  void ResetAssigned() { SetAssignedValues({}); }
  // Stored when assigned.
  bool IsKindStored() const { return FAssignedValues.Contains(lfvKind); }
  bool IsNativeStyleStored() const { return FAssignedValues.Contains(lfvNativeStyle); }
  bool IsSkinNameStored() const { return FAssignedValues.Contains(lfvSkinName); }
  // A bar style: 0 flat, 1 standard, 2 ultra-flat, 3 native, 4 Office 2003.
  void ApplyStyle(int Style);

  // Nil for the root; otherwise the master, or the root when none is set.
  TcxLookAndFeel* MasterLookAndFeel() const;
  TcxLookAndFeel* GetMaster() const { return FMaster; }
  // Refuses the object itself and any master whose chain leads back to it.
  void ChangeMaster(TcxLookAndFeel* Value);
  bool IsRoot() const { return FIsRoot; }

  TcxLookAndFeelPainterClass ActivePainter() const { return FPainter; }
  TcxLookAndFeelPainterClass GetSkinPainter() const { return FSkinPainter; }
  TcxLookAndFeelPainterClass PainterForThemedObject(TdxThemedObjectKind Kind) const;
  TcxLookAndFeelPainterClass PainterForThemedObjects(TdxThemedObjectKinds Kinds) const;

  void AddListener(IcxLookAndFeelChangeListener* Listener);
  void RemoveListener(IcxLookAndFeelChangeListener* Listener);
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }

  // IcxLookAndFeelChangeListener
  TObject* ListenerObject() override { return this; }
  void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TcxLookAndFeel* Sender) override;
  // IcxSkinPainterListener
  void SkinPaintersChanged() override;

  TcxLookAndFeelValuesChangedEvent OnValuesChanged;

protected:
  // "SkinName" for a skin name assigned as empty, which the published property
  // leaves out.
  void DefineProperties(TFiler* Filer) override;
  virtual TcxLookAndFeelKind ResolvedKind() const;
  virtual bool ResolvedNativeStyle() const;
  virtual std::string ResolvedSkinName() const;
  virtual TcxLookAndFeelPainterClass ResolvedSkinPainter() const;
  virtual bool FindSkinPainter(const std::string& Name, TcxLookAndFeelPainterClass& Painter) const;
  virtual void HandlePaletteChange();

  void NotifyChanged(TcxLookAndFeelValues ChangedValues);
  void RememberState();
  void NotifyStateDifferences();

private:
  friend class TcxLookAndFeelRoot;
  TcxLookAndFeelKind DefaultKind() const;
  bool DefaultNativeStyle() const;
  std::string DefaultSkinName() const;
  TcxLookAndFeelPainterClass DefaultSkinPainter() const;
  void ReadSkinName(TReader* Reader);
  void WriteSkinName(TWriter* Writer);
  // The master the values come from now: null while the root is going.
  TcxLookAndFeel* LiveMaster() const;

  TcxLookAndFeelValues FAssignedValues;
  std::vector<IcxLookAndFeelChangeListener*> FListeners;
  TcxLookAndFeelData FCurrent;
  TcxLookAndFeelPainterClass FPainter = nullptr;
  TcxLookAndFeelData FOwn;
  bool FDestroying = false;
  bool FIsRoot = false;
  TcxLookAndFeel* FMaster = nullptr;
  TcxLookAndFeelPainterClass FSkinPainter = nullptr;
  TcxLookAndFeelData FRemembered;
  TOwned<TcxSystemPaletteChangedNotifier> FPaletteNotifier;
};

// The process-wide root, created on first use and freed at the end.
TcxLookAndFeel* RootLookAndFeelInstance();
// The root as it is now, without creating it (null before its start and after its end).
TcxLookAndFeel* ExistingRootLookAndFeel();
// Frees the root (its dependants fall back to the defaults) and makes a new one.
void RestartRootLookAndFeel();

// A design-time component that edits the root look-and-feel.
class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelChangeListener {
  SONVELT_CLASS(TcxLookAndFeelController, TComponent)
public:
  static void Publish(TPublisher<TcxLookAndFeelController>& P);
  explicit TcxLookAndFeelController(TComponent* AOwner);
  ~TcxLookAndFeelController() override;

  TcxLookAndFeelKind GetKind() const;
  void SetKind(TcxLookAndFeelKind Value);
  bool GetNativeStyle() const;
  void SetNativeStyle(bool Value);
  std::string GetSkinName() const;
  void SetSkinName(const std::string& Value);
  bool IsSkinNameStored() const { return !GetSkinName().empty(); }

  TObject* ListenerObject() override { return this; }
  void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TcxLookAndFeel* Sender) override;
};

// The number of controllers registered with the root.
int LookAndFeelControllerCount();

#include "suite/common/cxLookAndFeel.h"

#include <algorithm>

#include "framework/AllocateHWnd.h"
#include "framework/Exceptions.h"
#include "framework/Messages.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/cxFlatPainters.h"
#include "suite/common/cxOffice11Painter.h"
#include "suite/common/cxStandardPainter.h"
#include "suite/common/cxWinXPPainter.h"

namespace {

const std::vector<std::string> KindNames{"lfFlat", "lfStandard", "lfUltraFlat", "lfOffice11"};

}  // namespace

SONVELT_PUBLISHED(TcxLookAndFeel, P) {
  P.Set("AssignedValues", &TcxLookAndFeel::GetAssignedValues, &TcxLookAndFeel::SetAssignedValues,
        {"lfvKind", "lfvNativeStyle", "lfvSkinName"})
      .Stored(false);
  P.Enum("Kind", &TcxLookAndFeel::GetKind, &TcxLookAndFeel::SetKind, KindNames).Stored(&TcxLookAndFeel::IsKindStored);
  P.Boolean("NativeStyle", &TcxLookAndFeel::GetNativeStyle, &TcxLookAndFeel::SetNativeStyle)
      .Stored(&TcxLookAndFeel::IsNativeStyleStored);
  P.String("SkinName", &TcxLookAndFeel::GetSkinName, &TcxLookAndFeel::SetSkinName)
      .Stored(&TcxLookAndFeel::IsSkinNameStored);
}

SONVELT_PUBLISHED(TcxLookAndFeelController, P) {
  P.Enum("Kind", &TcxLookAndFeelController::GetKind, &TcxLookAndFeelController::SetKind, KindNames)
      .Default(lfUltraFlat);
  P.Boolean("NativeStyle", &TcxLookAndFeelController::GetNativeStyle, &TcxLookAndFeelController::SetNativeStyle)
      .Default(false);
  P.String("SkinName", &TcxLookAndFeelController::GetSkinName, &TcxLookAndFeelController::SetSkinName)
      .Stored(&TcxLookAndFeelController::IsSkinNameStored);
}

// ---------------------------------------------------------------- palette listener

namespace {

// The shared hidden window: a top-level one, so that it hears the broadcast of a
// system colour change.
class TcxSystemPaletteChangedListener : public TObject {
  SONVELT_CLASS(TcxSystemPaletteChangedListener, TObject)
public:
  TcxSystemPaletteChangedListener() {
    AcquireOffice11Colors();
    FWindow = AllocateHWnd(Bind(this, &TcxSystemPaletteChangedListener::WndProc));
  }
  ~TcxSystemPaletteChangedListener() override {
    DeallocateHWnd(FWindow);
    ReleaseOffice11ColorSet();
  }
  void Attach(TcxSystemPaletteChangedNotifier* N) { (N->IsPrimary() ? FPrimary : FOrdinary).push_back(N); }
  void Detach(TcxSystemPaletteChangedNotifier* N) {
    std::erase(FPrimary, N);
    std::erase(FOrdinary, N);
  }
  HWND Window() const { return FWindow; }

private:
  void WndProc(TMessage& Message) {
    if (Message.Msg == WM_SYSCOLORCHANGE) {
      try {
        RefreshOffice11ColorSet();
        // Last to first, so that a notifier that goes meanwhile is not missed.
        for (size_t i = FPrimary.size(); i-- > 0;)
          if (i < FPrimary.size()) FPrimary[i]->FireChanged();
        for (size_t i = FOrdinary.size(); i-- > 0;)
          if (i < FOrdinary.size()) FOrdinary[i]->FireChanged();
      } catch (...) {
        ReportException(this);
      }
    }
    Message.Result = DefWindowProcW(FWindow, Message.Msg, Message.WParam, Message.LParam);
  }

  HWND FWindow = nullptr;
  std::vector<TcxSystemPaletteChangedNotifier*> FPrimary, FOrdinary;
};

TcxSystemPaletteChangedListener* PaletteListener = nullptr;
int PaletteListenerUsers = 0;

void AcquirePaletteListener() {
  if (PaletteListenerUsers++ == 0) PaletteListener = TcxSystemPaletteChangedListener::Create();
}

void ReleasePaletteListener() {
  if (PaletteListenerUsers > 0 && --PaletteListenerUsers == 0) FreeAndNil(PaletteListener);
}

}  // namespace

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool AIsPrimary) : FIsPrimary(AIsPrimary) {
  AcquirePaletteListener();
  PaletteListener->Attach(this);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
  if (PaletteListener) PaletteListener->Detach(this);
  ReleasePaletteListener();
}

HWND SystemPaletteListenerWindow() { return PaletteListener ? PaletteListener->Window() : nullptr; }

// ---------------------------------------------------------------- root

namespace {

TcxLookAndFeel* Root = nullptr;
int ControllerCount = 0;

void StartRoot();
void EndRoot() { FreeAndNil(Root); }
TSuiteUnit RootUnit(&StartRoot, &EndRoot);

}  // namespace

class TcxLookAndFeelRoot {
public:
  static TcxLookAndFeel* Make() {
    TcxLookAndFeel* root = TcxLookAndFeel::Create(nullptr);
    root->FIsRoot = true;
    return root;
  }
};

namespace {

void StartRoot() {
  // The painters' resources start first, so that they end after the root.
  StylePainterRegistry();
  Root = TcxLookAndFeelRoot::Make();
  ControllerCount = 0;
}

}  // namespace

TcxLookAndFeel* RootLookAndFeelInstance() {
  RootUnit.Ensure();
  return Root;
}

TcxLookAndFeel* ExistingRootLookAndFeel() { return Root; }

void RestartRootLookAndFeel() { RootUnit.Restart(); }

int LookAndFeelControllerCount() { return ControllerCount; }

// ---------------------------------------------------------------- TcxLookAndFeel

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
  FCurrent = FOwn;
  FPaletteNotifier.reset(TcxSystemPaletteChangedNotifier::Create(false));
  FPaletteNotifier->OnPaletteChanged = Bind(this, &TcxLookAndFeel::HandlePaletteChange);
  // The root is being made while this runs for the root itself.
  TcxLookAndFeel* root = RootUnit.Running() ? Root : (RootUnit.Ended() ? nullptr : RootLookAndFeelInstance());
  if (root && root != this) {
    root->AddListener(this);
    FCurrent.Kind = ResolvedKind();
    FCurrent.NativeStyle = ResolvedNativeStyle();
    FCurrent.SkinName = ResolvedSkinName();
    FSkinPainter = FCurrent.NativeStyle ? nullptr : ResolvedSkinPainter();
  }
  FPainter = PainterForThemedObjects(0);
}

TcxLookAndFeel::~TcxLookAndFeel() {
  if (TcxExtendedStylePainters* registry = ExistingStylePainterRegistry()) registry->UnregisterListener(this);
  FPaletteNotifier.reset();
  FDestroying = true;
  // Each dependant falls back to its own master's default; the list does not
  // shrink while it is walked.
  const std::vector<IcxLookAndFeelChangeListener*> listeners = FListeners;
  for (IcxLookAndFeelChangeListener* l : listeners) l->MasterDestroying(this);
  FDestroying = false;
  FListeners.clear();
  if (TcxLookAndFeel* master = MasterLookAndFeel(); master && master != this) master->RemoveListener(this);
  if (FIsRoot) {
    if (Root == this) Root = nullptr;
    FIsRoot = false;
  }
  ClearLinksToObject(this);
}

TcxLookAndFeel* TcxLookAndFeel::MasterLookAndFeel() const {
  if (FIsRoot) return nullptr;
  return FMaster ? FMaster : Root;
}

TcxLookAndFeel* TcxLookAndFeel::LiveMaster() const {
  TcxLookAndFeel* m = MasterLookAndFeel();
  return (m && !m->FDestroying) ? m : nullptr;
}

TcxLookAndFeelKind TcxLookAndFeel::DefaultKind() const {
  const TcxLookAndFeel* m = LiveMaster();
  return m ? m->FCurrent.Kind : lfUltraFlat;
}

bool TcxLookAndFeel::DefaultNativeStyle() const {
  const TcxLookAndFeel* m = LiveMaster();
  return m ? m->FCurrent.NativeStyle : false;
}

std::string TcxLookAndFeel::DefaultSkinName() const {
  const TcxLookAndFeel* m = LiveMaster();
  return m ? m->FCurrent.SkinName : std::string();
}

TcxLookAndFeelPainterClass TcxLookAndFeel::DefaultSkinPainter() const {
  const TcxLookAndFeel* m = LiveMaster();
  TcxLookAndFeelPainterClass painter = nullptr;
  if (m) m->FindSkinPainter(m->FCurrent.SkinName, painter);
  return painter;
}

TcxLookAndFeelKind TcxLookAndFeel::ResolvedKind() const {
  return FAssignedValues.Contains(lfvKind) ? FOwn.Kind : DefaultKind();
}

bool TcxLookAndFeel::ResolvedNativeStyle() const {
  return FAssignedValues.Contains(lfvNativeStyle) ? FOwn.NativeStyle : DefaultNativeStyle();
}

std::string TcxLookAndFeel::ResolvedSkinName() const {
  return FAssignedValues.Contains(lfvSkinName) ? FOwn.SkinName : DefaultSkinName();
}

TcxLookAndFeelPainterClass TcxLookAndFeel::ResolvedSkinPainter() const {
  if (!FAssignedValues.Contains(lfvSkinName)) return DefaultSkinPainter();
  TcxLookAndFeelPainterClass painter = nullptr;
  FindSkinPainter(FOwn.SkinName, painter);
  return painter;
}

bool TcxLookAndFeel::FindSkinPainter(const std::string& Name, TcxLookAndFeelPainterClass& Painter) const {
  Painter = nullptr;
  TcxExtendedStylePainters* registry = ExistingStylePainterRegistry();
  return !Name.empty() && registry && registry->FindPainter(Name, Painter);
}

TcxLookAndFeelPainterClass TcxLookAndFeel::PainterForThemedObject(TdxThemedObjectKind Kind) const {
  return PainterForThemedObjects(ThemedKinds({Kind}));
}

TcxLookAndFeelPainterClass TcxLookAndFeel::PainterForThemedObjects(TdxThemedObjectKinds Kinds) const {
  if (FCurrent.NativeStyle && VisualStylesAvailableFor(Kinds)) return TcxWinXPLookAndFeelPainter::Instance();
  if (FSkinPainter) return FSkinPainter;
  switch (FCurrent.Kind) {
    case lfFlat: return TcxFlatLookAndFeelPainter::Instance();
    case lfStandard: return TcxStandardLookAndFeelPainter::Instance();
    case lfOffice11: return TcxOffice11LookAndFeelPainter::Instance();
    default: return TcxUltraFlatLookAndFeelPainter::Instance();
  }
}

void TcxLookAndFeel::NotifyChanged(TcxLookAndFeelValues ChangedValues) {
  if (ChangedValues.Empty() || FDestroying) return;
  FCurrent.Kind = ResolvedKind();
  FCurrent.NativeStyle = ResolvedNativeStyle();
  FCurrent.SkinName = ResolvedSkinName();
  FSkinPainter = FCurrent.NativeStyle ? nullptr : ResolvedSkinPainter();
  FPainter = PainterForThemedObjects(0);
  if (TcxExtendedStylePainters* registry = ExistingStylePainterRegistry()) {
    if (FSkinPainter) registry->RegisterListener(this);
    else registry->UnregisterListener(this);
  }
  // A listener that leaves the list during its notice must not make the walk
  // skip the next one.
  for (size_t i = 0; i < FListeners.size();) {
    const size_t count = FListeners.size();
    FListeners[i]->MasterChanged(this, ChangedValues);
    if (FListeners.size() == count) ++i;
  }
  OnValuesChanged(this, ChangedValues);
}

void TcxLookAndFeel::RememberState() { FRemembered = FCurrent; }

void TcxLookAndFeel::NotifyStateDifferences() {
  TcxLookAndFeelValues changed;
  if (ResolvedKind() != FRemembered.Kind) changed += lfvKind;
  if (ResolvedNativeStyle() != FRemembered.NativeStyle) changed += lfvNativeStyle;
  if (ResolvedSkinName() != FRemembered.SkinName) changed += lfvSkinName;
  NotifyChanged(changed);
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
  const TcxLookAndFeelKind old = FCurrent.Kind;
  FAssignedValues += lfvKind;
  FOwn.Kind = Value;
  if (ResolvedKind() != old) NotifyChanged({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
  const bool old = FCurrent.NativeStyle;
  FAssignedValues += lfvNativeStyle;
  FOwn.NativeStyle = Value;
  if (ResolvedNativeStyle() != old) NotifyChanged({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const std::string& Value) {
  const std::string old = FCurrent.SkinName;
  FAssignedValues += lfvSkinName;
  FOwn.SkinName = Value;
  if (ResolvedSkinName() != old) NotifyChanged({lfvSkinName});
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues Value) {
  if (Value == FAssignedValues) return;
  RememberState();
  FAssignedValues = Value;
  NotifyStateDifferences();
}

void TcxLookAndFeel::ApplyStyle(int Style) {
  static const TcxLookAndFeelKind kinds[] = {lfFlat, lfStandard, lfUltraFlat, lfUltraFlat, lfOffice11};
  SetNativeStyle(Style == 3);
  if (!GetNativeStyle() && Style >= 0 && Style <= 4) SetKind(kinds[Style]);
}

void TcxLookAndFeel::ChangeMaster(TcxLookAndFeel* Value) {
  if (FIsRoot || Value == this || (Value ? Value : Root) == MasterLookAndFeel()) return;
  // A master that follows this object, directly or further up, would make the
  // chain a circle.
  for (const TcxLookAndFeel* m = Value; m; m = m->MasterLookAndFeel())
    if (m == this) return;
  RememberState();
  if (TcxLookAndFeel* old = MasterLookAndFeel()) old->RemoveListener(this);
  FMaster = Value;
  if (TcxLookAndFeel* now = LiveMaster()) now->AddListener(this);
  NotifyStateDifferences();
}

void TcxLookAndFeel::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TcxLookAndFeel*>(Source)) {
    RememberState();
    FOwn = other->FOwn;
    FAssignedValues = other->FAssignedValues;
    ChangeMaster(other->FMaster);
    NotifyStateDifferences();
    return;
  }
  TcxInterfacedPersistent::Assign(Source);
}

void TcxLookAndFeel::AddListener(IcxLookAndFeelChangeListener* Listener) {
  if (!Listener || FDestroying) return;
  const bool controller = Is<TcxLookAndFeelController>(Listener->ListenerObject());
  if (controller && !FIsRoot) return;
  if (std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end()) return;
  FListeners.push_back(Listener);
  if (controller) ++ControllerCount;
}

void TcxLookAndFeel::RemoveListener(IcxLookAndFeelChangeListener* Listener) {
  auto it = std::find(FListeners.begin(), FListeners.end(), Listener);
  if (it == FListeners.end()) return;
  if (!FDestroying) FListeners.erase(it);
  if (FIsRoot && Is<TcxLookAndFeelController>(Listener->ListenerObject()) && --ControllerCount == 0)
    ResetAssigned();
}

void TcxLookAndFeel::MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues ChangedValues) {
  NotifyChanged(ChangedValues - FAssignedValues);
}

void TcxLookAndFeel::MasterDestroying(TcxLookAndFeel* Sender) {
  if (Sender == MasterLookAndFeel() && Sender != Root) {
    ChangeMaster(nullptr);
    return;
  }
  // The root itself is going: nothing is left to follow, so the defaults apply.
  RememberState();
  if (FMaster == Sender) FMaster = nullptr;
  NotifyStateDifferences();
}

void TcxLookAndFeel::SkinPaintersChanged() { NotifyChanged(lfvAll); }

void TcxLookAndFeel::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer->DefineProperty("SkinName", Bind(this, &TcxLookAndFeel::ReadSkinName),
                        Bind(this, &TcxLookAndFeel::WriteSkinName), IsSkinNameStored() && GetSkinName().empty());
}

void TcxLookAndFeel::ReadSkinName(TReader* Reader) { SetSkinName(Reader->ReadString()); }

void TcxLookAndFeel::WriteSkinName(TWriter* Writer) { Writer->WriteString(GetSkinName()); }

void TcxLookAndFeel::HandlePaletteChange() { NotifyChanged({lfvNativeStyle}); }

// ---------------------------------------------------------------- controller

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* AOwner) : TComponent(AOwner) {
  if (TcxLookAndFeel* root = RootLookAndFeelInstance()) root->AddListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (TcxLookAndFeel* root = ExistingRootLookAndFeel()) root->RemoveListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::GetKind() const {
  TcxLookAndFeel* root = ExistingRootLookAndFeel();
  return root ? root->GetKind() : lfUltraFlat;
}

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value) {
  if (TcxLookAndFeel* root = ExistingRootLookAndFeel()) root->SetKind(Value);
}

bool TcxLookAndFeelController::GetNativeStyle() const {
  TcxLookAndFeel* root = ExistingRootLookAndFeel();
  return root && root->GetNativeStyle();
}

void TcxLookAndFeelController::SetNativeStyle(bool Value) {
  if (TcxLookAndFeel* root = ExistingRootLookAndFeel()) root->SetNativeStyle(Value);
}

std::string TcxLookAndFeelController::GetSkinName() const {
  TcxLookAndFeel* root = ExistingRootLookAndFeel();
  return root ? root->GetSkinName() : std::string();
}

void TcxLookAndFeelController::SetSkinName(const std::string& Value) {
  if (TcxLookAndFeel* root = ExistingRootLookAndFeel()) root->SetSkinName(Value);
}

// Design time only: there is no form designer to tell here.
void TcxLookAndFeelController::MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}
void TcxLookAndFeelController::MasterDestroying(TcxLookAndFeel*) {}

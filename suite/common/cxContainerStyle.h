// The appearance record of a container control: ten style values plus a
// look-and-feel and a style controller. A container keeps four styles, one per
// state (0 normal, 1, 2 disabled, 3); the other states fall back to state 0 for
// every value they do not set. A style controller lends the values of its own
// four styles to every style that names it.
//
// Resolution of a value V of a style S: S's own value when V is assigned there;
// else the same resolution on the controller's style of S's state; else the
// default (see the *Default operations). Edges, Font, HotTrack, Shadow,
// TransparentBorder, LookAndFeel and StyleController live in the base (state 0)
// style only: a state style reads and writes the base style's.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxLookAndFeel.h"

class TcxStyleController;
class TReader;
class TWriter;

enum TcxContainerBorderStyle : std::uint8_t { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };

// The style values, by their bit in AssignedValues.
enum TcxContainerStyleValue {
  csvBorderColor,
  csvBorderStyle,
  csvColor,
  csvEdges,
  csvFont,
  csvHotTrack,
  csvShadow,
  csvTextColor,
  csvTextStyle,
  csvTransparentBorder
};
using TcxContainerStyleValues = TSet<TcxContainerStyleValue>;

// Answered by objects whose look-and-feel may draw with a skin.
inline constexpr GUID IID_IcxLookAndFeelSkinSupport = {
    0xEF3FF483, 0x9B69, 0x46DF, {0x95, 0xA4, 0xD3, 0xA3, 0x81, 0x0F, 0x63, 0xA5}};
struct IcxLookAndFeelSkinSupport : public IUnknown {};

class TcxContainerStyle;
using TcxContainerStyleClass = TClassOf<TcxContainerStyle>;

// What the virtual constructor of a style takes.
struct TcxContainerStyleArgs {
  TPersistent* Owner = nullptr;
  int State = 0;
  TcxContainerStyle* ParentStyle = nullptr;
};

class TcxContainerStyle : public TcxInterfacedPersistent, public IcxLookAndFeelSkinSupport {
  SONVELT_CLASS(TcxContainerStyle, TcxInterfacedPersistent)
public:
  using TCreateArg = const TcxContainerStyleArgs*;
  explicit TcxContainerStyle(const TcxContainerStyleArgs* Args);
  ~TcxContainerStyle() override;
  static TcxContainerStyle* CreateForState(TPersistent* Owner, int State, TcxContainerStyle* ParentStyle);
  static void Publish(TPublisher<TcxContainerStyle>& P);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }

  void Assign(TPersistent* Source) override;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  virtual void ResetToDefaults();

  // The resolved values (own, the controller's, or the default).
  TColor GetBorderColor() const;
  void SetBorderColor(TColor Value);
  TcxContainerBorderStyle GetBorderStyle() const;
  void SetBorderStyle(TcxContainerBorderStyle Value);
  virtual TColor GetColor() const;
  void SetColor(TColor Value);
  TcxBorders GetEdges() const;
  void SetEdges(TcxBorders Value);
  TFont* GetFont() const;
  void SetFont(TFont* Value);
  bool GetHotTrack() const;
  void SetHotTrack(bool Value);
  bool GetShadow() const;
  void SetShadow(bool Value);
  virtual TColor GetTextColor() const;
  void SetTextColor(TColor Value);
  virtual TFontStyles GetTextStyle() const;
  void SetTextStyle(TFontStyles Value);
  bool GetTransparentBorder() const;
  void SetTransparentBorder(bool Value);
  TcxLookAndFeel* GetLookAndFeel() const;
  void SetLookAndFeel(TcxLookAndFeel* Value);
  TcxContainerStyleValues GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxContainerStyleValues Value);
  // The base style's controller; null when it is the unit's default one.
  TcxStyleController* GetStyleController() const;
  void SetStyleController(TcxStyleController* Value);
  // The controller the values come from (the default one included).
  TcxStyleController* ActiveStyleController() const;

  virtual TColor ResolvedColor() const;
  virtual int StyleValueCount() const { return 10; }
  // False and an empty name for values past the table.
  virtual bool StyleValueName(int Value, std::string& Name) const;
  // Whether the value resolves to an assigned one, own or from the controller.
  virtual bool IsStyleValueAssigned(int Value) const;
  virtual bool BorderPresent() const;

  int GetState() const { return FState; }
  TcxContainerStyle* GetParentStyle() const { return FParentStyle; }
  // The style that holds the base-only values (this one for state 0).
  TcxContainerStyle* BaseStyle() const { return FParentStyle ? FParentStyle : const_cast<TcxContainerStyle*>(this); }
  bool IsDestroying() const { return FDestroying; }
  // While held, changes of the own font do not mark it as assigned.
  void LockFontTracking() { ++FFontTrackingLock; }
  void UnlockFontTracking() { --FFontTrackingLock; }

  virtual void StyleControllerChanged();
  virtual void StyleControllerFreed(TcxStyleController* Controller);

  TNotifyEvent OnChanged;

protected:
  void DefineProperties(TFiler* Filer) override;
  virtual void MarkChanged();
  virtual TColor BorderColorDefault() const;
  virtual TcxContainerBorderStyle BorderStyleDefault() const;
  virtual TColor ColorDefault() const;
  virtual TcxBorders EdgesDefault() const { return cxBordersAll; }
  virtual bool HotTrackDefault() const { return true; }
  virtual bool ShadowDefault() const { return false; }
  virtual TColor TextColorDefault() const;
  virtual TFontStyles TextStyleDefault() const;
  virtual bool TransparentBorderDefault() const { return true; }
  virtual void FontChangeHandler(TObject* Sender);
  virtual TcxStyleController* DefaultStyleControllerOf() const;
  virtual TcxContainerStyleValues HiddenExtendedValues() const { return {}; }

private:
  // The style whose stored value V resolves to; null when unassigned.
  const TcxContainerStyle* AssignedSource(TcxContainerStyleValue V) const;
  void RefreshFont();
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues Values);
  void ReadFontAssigned(TReader* Reader);
  void WriteFontAssigned(TWriter* Writer);
  bool IsStored(TcxContainerStyleValue V) const { return FAssignedValues.Contains(V); }
  template <class T>
  void SetStored(TcxContainerStyleValue V, T& Field, T Value, bool Compare);

  TColor FBorderColor = clWindowFrame;
  TcxContainerBorderStyle FBorderStyle = cbsNone;
  TcxBorders FEdges = cxBordersAll;
  bool FHotTrack = true;
  bool FShadow = false;
  bool FTransparentBorder = true;
  int FFontTrackingLock = 0;
  bool FDestroying = false;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  bool FModified = false;
  int FUpdateCount = 0;
  TPersistent* FOwnerObject;
  TcxContainerStyle* FParentStyle = nullptr;
  int FState;
  TFontStyles FTextStyle;
  TcxContainerStyleValues FAssignedValues;
  TcxStyleController* FStyleController = nullptr;
  TColor FColor = clBtnFace;
  TOwned<TFont> FFont;
  TColor FTextColor = clBtnText;
};

// The four styles of a container, state 0 to 3.
class TcxContainerStyles : public TObject {
  SONVELT_CLASS(TcxContainerStyles, TObject)
public:
  TcxContainerStyles(TPersistent* Owner, TcxContainerStyleClass StyleClass);
  static TcxContainerStyles* CreateStates(TPersistent* Owner, TcxContainerStyleClass StyleClass) {
    return Create(Owner, StyleClass);
  }
  ~TcxContainerStyles() override;
  TcxContainerStyle* GetStyle(int State) const { return FStyles[State & 3]; }
  void SetOnChanged(TNotifyEvent Handler);

private:
  TcxContainerStyle* FStyles[4] = {};
};

// Lends the values of its own four styles to every style that names it.
class TcxStyleController : public TComponent {
  SONVELT_CLASS(TcxStyleController, TComponent)
public:
  explicit TcxStyleController(TComponent* AOwner);
  ~TcxStyleController() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TcxStyleController>& P);

  virtual void AttachStyle(TcxContainerStyle* Style);
  virtual void DetachStyle(TcxContainerStyle* Style);
  virtual TcxContainerStyleClass StyleClassOf() const { return TcxContainerStyle::StaticClass(); }
  TcxContainerStyles* GetStyles() const { return FStyles.get(); }
  TcxContainerStyle* GetStyle() const { return FStyles->GetStyle(0); }
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }
  bool IsListening(TcxContainerStyle* Style) const;
  // The controller of its own state-0 style; writing does nothing.
  TcxStyleController* GetFakeStyleController() const { return GetStyle()->GetStyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}

  TNotifyEvent OnChanged;

protected:
  void Loaded() override;

private:
  void StylesChanged(TObject* Sender);
  bool FDestroying = false;
  std::vector<TcxContainerStyle*> FListeners;
  TOwned<TcxContainerStyles> FStyles;
};

// The unit's default controller: null unless a program assigns one.
extern TcxStyleController* DefaultContainerStyleController;
